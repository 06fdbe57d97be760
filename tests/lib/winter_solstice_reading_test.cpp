// The months numbered from the winter solstice, checked against a numbering
// of the test's own: the stored new-moon days straight from the table, the
// principal terms as the days on which the Sun's longitude crosses them, and
// the rule applied to whole cycles from one 冬至 to the next.

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "support/civil.h"
#include "tables/new_moon_days.h"
#include "vorane2.h"

namespace {

using testsupport::Ymd;

constexpr Ymd kFirstDay{1870, 2, 1};
constexpr Ymd kLastDay{2100, 12, 30};

CalendarDate at(const Ymd& d, double lon = 135.0) {
    return CalendarDate{d.year, d.month, d.day, 0.0, 0.0, 0.0, lon};
}

std::string text(const Ymd& d) {
    return std::to_string(d.year) + "-" + std::to_string(d.month) + "-" + std::to_string(d.day);
}

struct Month {
    int64_t first;  // day count of the first day
    bool solstice;  // holds 冬至
    bool term;      // holds any principal term
    int32_t number;
    bool leap;
};

// The days on which the Sun passes a multiple of 30 degrees (a principal
// term), found day by day from its longitude at each local midnight (UTC+9),
// from well before the first stored month to after the last; true for 冬至.
std::vector<std::pair<int64_t, bool>> principalTerms() {
    std::vector<std::pair<int64_t, bool>> days;
    const int64_t first = testsupport::daysFromCivil(1869, 11, 1);
    const int64_t last = testsupport::daysFromCivil(2101, 1, 31);
    double before = jd2sok(ad2jd(at(testsupport::civilFromDays(first))));
    for (int64_t z = first; z <= last; ++z) {
        const double after = jd2sok(ad2jd(at(testsupport::civilFromDays(z + 1))));
        const int sectorBefore = static_cast<int>(before / 30.0);
        const int sectorAfter = static_cast<int>(after / 30.0);
        if (sectorBefore != sectorAfter) days.emplace_back(z, sectorAfter == 9);
        before = after;
    }
    return days;
}

// Every lunar month from the stored table, the month before the table
// included: it ends on 1870-01-02 and began 29 or 30 days before, so it
// holds 冬至 1869-12-22 (and no other term) either way. Numbered by cycles.
std::vector<Month> solsticeMonths() {
    namespace t = vorane2::tables;
    std::vector<int64_t> starts;
    for (int32_t y = t::kNewMoonTableFirstYear; y <= t::kNewMoonTableLastYear; ++y) {
        const auto& second = t::kSecondNewMoonTable[static_cast<std::size_t>(y - 1870)];
        for (int32_t m = 1; m <= 12; ++m) {
            const auto& first =
                t::kNewMoonDayTable[static_cast<std::size_t>((y - 1870) * 12 + m - 1)];
            if (first.day != 99) starts.push_back(testsupport::daysFromCivil(y, m, first.day));
            if (second.month1 == m) starts.push_back(testsupport::daysFromCivil(y, m, second.day1));
            if (second.month2 == m) starts.push_back(testsupport::daysFromCivil(y, m, second.day2));
        }
    }
    starts.insert(starts.begin(), starts.front() - 30);

    const auto terms = principalTerms();
    std::vector<Month> months;
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
        Month m{starts[i], false, false, 0, false};
        for (const auto& [day, solstice] : terms) {
            if (day >= starts[i] && day < starts[i + 1]) {
                m.term = true;
                m.solstice = m.solstice || solstice;
            }
        }
        months.push_back(m);
    }
    EXPECT_TRUE(months.front().solstice);

    std::size_t eleventh = 0;
    for (std::size_t next = 1; next < months.size(); ++next) {
        if (!months[next].solstice) continue;
        const std::size_t length = next - eleventh;
        EXPECT_TRUE(length == 12 || length == 13) << length;
        int32_t number = 11;
        bool leapTaken = length == 12;
        months[eleventh].number = 11;
        for (std::size_t i = eleventh + 1; i < next; ++i) {
            if (!leapTaken && !months[i].term) {
                months[i].number = number;
                months[i].leap = true;
                leapTaken = true;
                continue;
            }
            number = number % 12 + 1;
            months[i].number = number;
        }
        eleventh = next;
    }
    months[eleventh].number = 11;  // the month 11 of 2100, the last whole month
    return months;
}

}  // namespace

TEST(WinterSolsticeReading, EveryDayFollowsTheRuleAndDiffersOnlyInElevenMonths) {
    const std::vector<Month> months = solsticeMonths();
    // The mansion each month opens at: 室 奎 胃 畢 参 鬼 張 角 ﾃｲ 心 斗 虚.
    const std::array<int32_t, 12> mansionStart = {11, 13, 15, 17, 19, 21, 24, 0, 2, 4, 7, 9};
    std::size_t index = 0;
    int differingMonths = 0;
    const int64_t first =
        testsupport::daysFromCivil(kFirstDay.year, kFirstDay.month, kFirstDay.day);
    const int64_t last = testsupport::daysFromCivil(kLastDay.year, kLastDay.month, kLastDay.day);
    for (int64_t z = first; z <= last; ++z) {
        while (index + 1 < months.size() && months[index + 1].first <= z) ++index;
        const Month& m = months[index];
        const Ymd d = testsupport::civilFromDays(z);
        const Ymd firstDay = testsupport::civilFromDays(m.first);
        const int32_t year = firstDay.year - ((firstDay.month <= 2 && m.number >= 11) ? 1 : 0);
        const int32_t day = static_cast<int32_t>(z - m.first) + 1;

        const CalendarDate date = at(d, 139.75);
        const LunisolarDate s = adto9rekS(date);
        ASSERT_EQ(s.leap, m.leap ? 'Y' : 'N') << text(d);
        ASSERT_EQ(s.month, m.number) << text(d);
        ASSERT_EQ(s.day, day) << text(d);
        ASSERT_EQ(s.year, year) << text(d);
        ASSERT_EQ(s.longitude, 139.75) << text(d);

        const LunisolarDate t = adto9rekL(date);
        if (t.month == s.month && t.leap == s.leap) {
            ASSERT_EQ(t.year, s.year) << text(d);
            ASSERT_EQ(ad26youS(date), ad26youL(date)) << text(d);
            ASSERT_EQ(adto27S(date), adto27L(date)) << text(d);
            ASSERT_EQ(fujyojyuS(date), fujyojyuL(date)) << text(d);
            continue;
        }
        if (day == 1) ++differingMonths;
        // Where the numbers differ the cycles follow the solstice numbers:
        // the six days from (month + day - 1) mod 6, the 27 mansions from the
        // month's opening mansion, the 不成就日 from day 1-6 by month mod 6.
        ASSERT_EQ(ad26youS(date), (m.number + day - 1) % 6) << text(d);
        ASSERT_EQ(adto27S(date),
                  (mansionStart[static_cast<std::size_t>(m.number - 1)] + day - 1) % 27)
            << text(d);
        const std::array<int32_t, 6> fujyojyuFirst = {3, 2, 1, 4, 5, 6};
        const int32_t from = fujyojyuFirst[static_cast<std::size_t>((m.number - 1) % 6)];
        ASSERT_EQ(fujyojyuS(date), (day >= from && (day - from) % 8 == 0) ? 'Y' : 'N') << text(d);
    }
    EXPECT_EQ(differingMonths, 11);
}

TEST(WinterSolsticeReading, PublishedMonthsOfTheWintersTheTermsMisnumber) {
    struct Case {
        Ymd date;
        char leap;
        int32_t year, month, day;
    };
    const std::array<Case, 7> cases{{
        {{1871, 1, 21}, 'N', 1870, 12, 1},  // the original reading: leap 11
        {{1871, 2, 19}, 'N', 1871, 1, 1},
        {{1985, 1, 21}, 'N', 1984, 12, 1},   // the original: month 1
        {{1985, 2, 20}, 'N', 1985, 1, 1},    // lunar new year; the original: leap 1
        {{2033, 12, 22}, 'Y', 2033, 11, 1},  // the original: leap 10
        {{2034, 1, 20}, 'N', 2033, 12, 1},
        {{2034, 2, 19}, 'N', 2034, 1, 1},
    }};
    for (const Case& c : cases) {
        const LunisolarDate r = adto9rekS(at(c.date));
        EXPECT_EQ(r.leap, c.leap) << text(c.date);
        EXPECT_EQ(r.year, c.year) << text(c.date);
        EXPECT_EQ(r.month, c.month) << text(c.date);
        EXPECT_EQ(r.day, c.day) << text(c.date);
    }
}

TEST(WinterSolsticeReading, OutsideTheSpanAndOddArguments) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    for (const CalendarDate& d :
         {at({1870, 1, 31}, -20.0), at({2100, 12, 31}, -20.0),
          CalendarDate{kMin, kMin, kMin, 0, 0, 0, 0}, CalendarDate{kMax, kMax, kMax, 0, 0, 0, 0},
          CalendarDate{2000, 0, 0, 0, 0, 0, 0}}) {
        const LunisolarDate r = adto9rekS(d);
        const bool inSpan = d.year == 2000;
        EXPECT_EQ(r.day == -999, !inSpan) << d.year;
        if (!inSpan) {
            EXPECT_EQ(r.leap, 'N');
            EXPECT_EQ(r.year, -999);
            EXPECT_EQ(r.month, -999);
            EXPECT_EQ(r.longitude, d.longitude);
            EXPECT_EQ(ad26youS(d), -999);
            EXPECT_EQ(adto27S(d), -999);
            EXPECT_EQ(fujyojyuS(d), 'N');
        }
    }
    // Days and months beyond their range run on as in adto9rekL.
    const LunisolarDate runOn = adto9rekS(at({2033, 11, 52}));
    EXPECT_EQ(runOn.leap, 'Y');
    EXPECT_EQ(runOn.month, 11);
    EXPECT_EQ(runOn.day, 1);
    EXPECT_EQ(adto9rekS(at({1870, 2, 1})).day, 1);
    EXPECT_EQ(adto9rekS(at(kLastDay)).month, 11);
}
