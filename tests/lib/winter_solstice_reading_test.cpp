// The months numbered from the winter solstice, checked against a numbering
// of the test's own: the principal terms as the days on which the Sun's
// longitude at local midnight crosses a multiple of 30 degrees, and the rule
// applied to whole cycles from one 冬至 to the next.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "support/civil.h"
#include "vorane2.h"

namespace {

using testsupport::civilFromDays;
using testsupport::daysFromCivil;
using testsupport::Ymd;

CalendarDate at(const Ymd& d, double lon = 135.0) {
    return CalendarDate{d.year, d.month, d.day, 0.0, 0.0, 0.0, lon};
}

std::string text(const Ymd& d) {
    return std::to_string(d.year) + "-" + std::to_string(d.month) + "-" + std::to_string(d.day);
}

struct Month {
    int64_t first;  // day count of the first day
    bool solstice = false;
    bool term = false;
    int32_t number = 0;
    bool leap = false;
};

// The months of adto9rekL (their first days are its day 1) up to 2100-12-31,
// the last stored new moon, preceded by the two it cannot give: 1870-01-02,
// the first stored new moon, and the month before, which began 29 or 30 days
// earlier and holds 冬至 1869-12-22 either way. Numbered by whole cycles.
std::vector<Month> solsticeMonths() {
    const int64_t firstStored = daysFromCivil(1870, 1, 2);
    const int64_t end = daysFromCivil(2100, 12, 31);
    std::vector<Month> months{{firstStored - 29}, {firstStored}};
    for (int64_t z = daysFromCivil(1870, 2, 1); z <= end; ++z) {
        if (z == end || adto9rekL(at(civilFromDays(z))).day == 1) months.push_back({z});
    }
    // Terms: the Sun crosses a multiple of 30 degrees during that day.
    std::size_t i = 0;
    double before = jd2sok(ad2jd(at(civilFromDays(months[0].first))));
    for (int64_t z = months[0].first; z < end; ++z) {
        const double after = jd2sok(ad2jd(at(civilFromDays(z + 1))));
        if (months[i + 1].first <= z) ++i;
        if (static_cast<int>(before / 30.0) != static_cast<int>(after / 30.0)) {
            months[i].term = true;
            months[i].solstice = months[i].solstice || static_cast<int>(after / 30.0) == 9;
        }
        before = after;
    }
    std::size_t eleventh = 0;
    EXPECT_TRUE(months[0].solstice);
    for (std::size_t next = 1; next + 1 < months.size(); ++next) {
        if (!months[next].solstice) continue;
        bool leapTaken = next - eleventh != 13;
        int32_t number = months[eleventh].number = 11;
        for (std::size_t k = eleventh + 1; k < next; ++k) {
            months[k].leap = !leapTaken && !months[k].term;
            leapTaken = leapTaken || months[k].leap;
            if (!months[k].leap) number = number % 12 + 1;
            months[k].number = number;
        }
        eleventh = next;
    }
    months[eleventh].number = 11;  // 2100-12-01, which holds 冬至 2100
    return months;
}

}  // namespace

// Every day from 1870-02-01 to 2100-12-30: the rule's month, day and year;
// on every day both readings number alike, the six-day, 27-mansion and
// 不成就日 answers of adto9rekL; where they differ, the six-day name of the
// solstice month ((month + day - 1) mod 6). The count: 11 months.
TEST(WinterSolsticeReading, EveryDayFollowsTheRuleAndDiffersOnlyInElevenMonths) {
    const std::vector<Month> months = solsticeMonths();
    std::size_t index = 2;
    int differingMonths = 0;
    for (int64_t z = daysFromCivil(1870, 2, 1); z <= daysFromCivil(2100, 12, 30); ++z) {
        while (months[index + 1].first <= z) ++index;
        const Month& m = months[index];
        const Ymd d = civilFromDays(z);
        const Ymd firstDay = civilFromDays(m.first);
        const int32_t day = static_cast<int32_t>(z - m.first) + 1;

        const CalendarDate date = at(d, 139.75);
        const LunisolarDate s = adto9rekS(date);
        ASSERT_EQ(s.leap, m.leap ? 'Y' : 'N') << text(d);
        ASSERT_EQ(s.month, m.number) << text(d);
        ASSERT_EQ(s.day, day) << text(d);
        ASSERT_EQ(s.year, firstDay.year - (firstDay.month <= 2 && m.number >= 11 ? 1 : 0))
            << text(d);
        ASSERT_EQ(s.longitude, 139.75) << text(d);

        const LunisolarDate t = adto9rekL(date);
        if (t.month == s.month && t.leap == s.leap) {
            ASSERT_EQ(t.year, s.year) << text(d);
            ASSERT_EQ(ad26youS(date), ad26youL(date)) << text(d);
            ASSERT_EQ(adto27S(date), adto27L(date)) << text(d);
            ASSERT_EQ(fujyojyuS(date), fujyojyuL(date)) << text(d);
        } else {
            differingMonths += day == 1 ? 1 : 0;
            ASSERT_EQ(ad26youS(date), (m.number + day - 1) % 6) << text(d);
        }
    }
    EXPECT_EQ(differingMonths, 11);
}

TEST(WinterSolsticeReading, PublishedMonthsAndTheEdges) {
    struct Case {
        Ymd date;
        char leap;
        int32_t year, month, day;
    };
    const std::array<Case, 8> cases{{
        {{1871, 1, 21}, 'N', 1870, 12, 1},   // by the terms: leap 11
        {{1985, 1, 21}, 'N', 1984, 12, 1},   // by the terms: month 1
        {{1985, 2, 20}, 'N', 1985, 1, 1},    // the lunar new year; by the terms leap 1
        {{2033, 12, 22}, 'Y', 2033, 11, 1},  // by the terms: leap 10
        {{2034, 2, 19}, 'N', 2034, 1, 1},    // by the terms: leap 12
        {{2033, 11, 52}, 'Y', 2033, 11, 1},  // runs on to 2033-12-22
        {{1870, 1, 31}, 'N', -999, -999, -999},
        {{2100, 12, 31}, 'N', -999, -999, -999},
    }};
    for (const Case& c : cases) {
        const LunisolarDate r = adto9rekS(at(c.date, -20.0));
        EXPECT_EQ(r.leap, c.leap) << text(c.date);
        EXPECT_EQ(r.year, c.year) << text(c.date);
        EXPECT_EQ(r.month, c.month) << text(c.date);
        EXPECT_EQ(r.day, c.day) << text(c.date);
        EXPECT_EQ(r.longitude, -20.0) << text(c.date);
    }
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    for (const CalendarDate& d : {at({1870, 1, 31}), at({2100, 12, 31}), at({kMin, kMin, kMin}),
                                  at({kMax, kMax, kMax}), at({2000, kMax, kMin})}) {
        EXPECT_EQ(adto9rekS(d).month, -999);
        EXPECT_EQ(ad26youS(d), -999);
        EXPECT_EQ(adto27S(d), -999);
        EXPECT_EQ(fujyojyuS(d), 'N');
    }
}
