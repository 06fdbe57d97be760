// The lunisolar exports over all the stored new moons (to 2100): the same
// answers as the originals wherever those answer, lunar months that follow
// the stored new-moon days and the principal terms after 2020, the edges of
// the span, the leap months the conversion finds and the winter of 2033/34.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "support/civil.h"
#include "tables/new_moon_days.h"
#include "vorane2.h"

namespace {

using testsupport::Ymd;

constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();

constexpr Ymd kFirstDay{1870, 2, 1};
constexpr Ymd kLastOriginalDay{2020, 12, 14};
constexpr Ymd kLastDay{2100, 12, 30};

CalendarDate at(const Ymd& d, double hour = 0.0, double lon = 135.0) {
    return CalendarDate{d.year, d.month, d.day, hour, 0.0, 0.0, lon};
}

std::string text(const Ymd& d) {
    return std::to_string(d.year) + "-" + std::to_string(d.month) + "-" + std::to_string(d.day);
}

// Calls f(date) for every day from `first` to `last` inclusive, walked with
// the tests' own civil-calendar arithmetic.
template <typename F>
void forEachDay(const Ymd& first, const Ymd& last, F f) {
    const int64_t span = testsupport::daysBetween(first, last);
    for (int64_t i = 0; i <= span; ++i) f(testsupport::addDays(first, i));
}

bool sameLunisolar(const LunisolarDate& a, const LunisolarDate& b) {
    return a.leap == b.leap && a.year == b.year && a.month == b.month && a.day == b.day &&
           a.longitude == b.longitude;
}

bool isError(const LunisolarDate& r) {
    return r.leap == 'N' && r.year == -999 && r.month == -999 && r.day == -999;
}

// Every stored new-moon day from the table itself, as a day count.
std::vector<int64_t> storedNewMoons() {
    namespace t = vorane2::tables;
    std::vector<int64_t> days;
    for (int32_t y = t::kNewMoonTableFirstYear; y <= t::kNewMoonTableLastYear; ++y) {
        const auto& second = t::kSecondNewMoonTable[static_cast<std::size_t>(y - 1870)];
        for (int32_t m = 1; m <= 12; ++m) {
            const auto& first =
                t::kNewMoonDayTable[static_cast<std::size_t>((y - 1870) * 12 + m - 1)];
            if (first.day != 99) days.push_back(testsupport::daysFromCivil(y, m, first.day));
            if (second.month1 == m) days.push_back(testsupport::daysFromCivil(y, m, second.day1));
            if (second.month2 == m) days.push_back(testsupport::daysFromCivil(y, m, second.day2));
        }
    }
    return days;
}

// One lunar month as the conversion gives it.
struct LunarMonth {
    Ymd first;
    int32_t length;
    char leap;
    int32_t year;
    int32_t month;
};

// The lunar months from the one that begins on `from` to the one that ends
// on kLastDay, read day by day from adto9rekL. Each day is checked to
// continue its month.
std::vector<LunarMonth> lunarMonthsFrom(const Ymd& from) {
    std::vector<LunarMonth> months;
    forEachDay(from, kLastDay, [&](const Ymd& d) {
        const LunisolarDate r = adto9rekL(at(d));
        if (r.day == 1) {
            months.push_back({d, 1, r.leap, r.year, r.month});
            return;
        }
        if (months.empty()) return;
        LunarMonth& current = months.back();
        ASSERT_EQ(r.day, current.length + 1) << text(d);
        ASSERT_EQ(r.month, current.month) << text(d);
        ASSERT_EQ(r.leap, current.leap) << text(d);
        ASSERT_EQ(r.year, current.year) << text(d) << ": the year turns inside a month";
        ++current.length;
    });
    // The span ends on the last day of a month (the day before the last
    // stored new moon), so the last month read is whole.
    return months;
}

// The day of each principal term in a Gregorian year, by the month number
// it gives: 1 雨水 .. 12 大寒 (大寒 falls in January).
std::array<int64_t, 13> principalTermDays(int32_t year) {
    struct Term {
        int32_t gregorianMonth;
        int32_t(VRN_CALL* dayOf)(int32_t, double);
    };
    const std::array<Term, 13> terms{{{0, nullptr},
                                      {2, &::y2usui},
                                      {3, &::y2syunbn},
                                      {4, &::y2kokuu},
                                      {5, &::y2syoman},
                                      {6, &::y2gesi},
                                      {7, &::y2taisyo},
                                      {8, &::y2syosyo},
                                      {9, &::y2syuubn},
                                      {10, &::y2soukou},
                                      {11, &::y2syostu},
                                      {12, &::y2touji},
                                      {1, &::y2taikan}}};
    std::array<int64_t, 13> days{};
    for (std::size_t m = 1; m <= 12; ++m) {
        days[m] =
            testsupport::daysFromCivil(year, terms[m].gregorianMonth, terms[m].dayOf(year, 135.0));
    }
    return days;
}

}  // namespace

// ---- Agreement with the original exports ------------------------------

TEST(ExtendedSpan, AgreesWithTheOriginalsOnEveryDayTheyAnswer) {
    int days = 0;
    forEachDay(kFirstDay, kLastOriginalDay, [&](const Ymd& d) {
        // A clock time and a meridian that the conversions ignore, so that
        // the copied longitude is compared as well.
        const CalendarDate date = at(d, 17.5, 139.75);
        const LunisolarDate original = adto9rek(date);
        ASSERT_FALSE(isError(original)) << text(d);
        ASSERT_TRUE(sameLunisolar(adto9rekL(date), original)) << text(d);
        ASSERT_EQ(ad26youL(date), ad26you(date)) << text(d);
        ASSERT_EQ(adto27L(date), adto27(date)) << text(d);
        ASSERT_EQ(fujyojyuL(date), fujyojyu(date)) << text(d);
        ++days;
    });
    EXPECT_EQ(days, 55104);  // 1870-02-01 .. 2020-12-14
}

TEST(ExtendedSpan, TheOriginalsKeepTheirSpan) {
    const Ymd after{2020, 12, 15};
    EXPECT_TRUE(isError(adto9rek(at(after))));
    EXPECT_EQ(ad26you(at(after)), -999);
    EXPECT_EQ(adto27(at(after)), -999);
    EXPECT_EQ(duncan2(at({2021, 1, 1})).day, -999);
    EXPECT_EQ(duncan3(at({2021, 1, 1})).day, -999);
    // Where the originals stop, the long span carries on from the new moon
    // of 2020-12-15: day 1 of month 11.
    const LunisolarDate r = adto9rekL(at(after));
    EXPECT_EQ(r.leap, 'N');
    EXPECT_EQ(r.year, 2020);
    EXPECT_EQ(r.month, 11);
    EXPECT_EQ(r.day, 1);
    EXPECT_EQ(ad26youL(at(after)), (11 + 1 - 1) % 6);
    EXPECT_EQ(adto27L(at(after)), 7);  // month 11 opens at 斗
}

// ---- The months after 2020 ---------------------------------------------

TEST(ExtendedSpan, LunarMonthsBeginOnStoredNewMoonsAndLast29Or30Days) {
    const std::vector<int64_t> newMoons = storedNewMoons();
    std::size_t next = 0;
    const int64_t from = testsupport::daysFromCivil(2020, 12, 15);
    while (newMoons[next] < from) ++next;
    const std::vector<LunarMonth> months = lunarMonthsFrom({2020, 12, 15});
    ASSERT_FALSE(months.empty());
    for (const LunarMonth& m : months) {
        SCOPED_TRACE(text(m.first));
        ASSERT_LT(next + 1, newMoons.size());
        // Month after month, each begins on the next stored new moon and
        // runs up to the day before the one after it.
        EXPECT_EQ(testsupport::daysFromCivil(m.first.year, m.first.month, m.first.day),
                  newMoons[next]);
        EXPECT_EQ(m.length, newMoons[next + 1] - newMoons[next]);
        EXPECT_TRUE(m.length == 29 || m.length == 30) << m.length;
        ++next;
    }
    // Every new moon from 2020-12-15 to 2100-12-01 begins a whole month.
    EXPECT_EQ(months.size(), 990u);
}

// A month is named after the principal term it holds, and a leap month
// holds none; the solar-term exports give the days of the terms.
TEST(ExtendedSpan, MonthNumbersFollowThePrincipalTerms) {
    std::vector<std::pair<int64_t, int32_t>> terms;  // day, month number
    for (int32_t y = 2020; y <= 2101; ++y) {
        const auto days = principalTermDays(y);
        for (int32_t m = 1; m <= 12; ++m) terms.emplace_back(days[static_cast<std::size_t>(m)], m);
    }
    for (const LunarMonth& month : lunarMonthsFrom({2020, 12, 15})) {
        SCOPED_TRACE(text(month.first));
        const int64_t begin =
            testsupport::daysFromCivil(month.first.year, month.first.month, month.first.day);
        std::vector<int32_t> held;
        for (const auto& [day, number] : terms) {
            if (day >= begin && day < begin + month.length) held.push_back(number);
        }
        if (month.leap == 'Y') {
            EXPECT_TRUE(held.empty()) << "a leap month holds term " << held.front();
        } else {
            ASSERT_FALSE(held.empty()) << "month " << month.month << " holds no term";
            EXPECT_NE(std::find(held.begin(), held.end(), month.month), held.end())
                << "month " << month.month << " holds term " << held.front();
            EXPECT_LE(held.size(), 2u);
        }
    }
}

TEST(ExtendedSpan, YearsHold12Or13MonthsExcept2033And2034) {
    std::vector<LunarMonth> starts;  // day 1 of each month 1
    std::vector<std::size_t> index;
    const std::vector<LunarMonth> months = lunarMonthsFrom({2020, 12, 15});
    for (std::size_t i = 0; i < months.size(); ++i) {
        const LunarMonth& m = months[i];
        if (m.month == 1 && m.leap == 'N') {
            // Month 1 begins in late January or in February and opens the
            // lunisolar year of its Gregorian year.
            EXPECT_TRUE(m.first.month == 1 || m.first.month == 2) << text(m.first);
            EXPECT_EQ(m.year, m.first.year) << text(m.first);
            if (!starts.empty()) {
                EXPECT_GT(m.year, starts.back().year);
            }
            starts.push_back(m);
            index.push_back(i);
        }
    }
    ASSERT_EQ(starts.size(), 79u);  // 2021 .. 2100, without 2034
    for (std::size_t k = 1; k < starts.size(); ++k) {
        SCOPED_TRACE(text(starts[k - 1].first));
        const std::size_t count = index[k] - index[k - 1];
        if (starts[k - 1].year == 2033) {
            // Months 11 and 1 are skipped: from month 1 of 2033 to month 1
            // of 2035 lie 25 months, 14 of year 2033 and 11 of year 2034.
            EXPECT_EQ(starts[k].year, 2035);
            EXPECT_EQ(count, 25u);
            int32_t of2033 = 0;
            for (std::size_t i = index[k - 1]; i < index[k]; ++i) of2033 += months[i].year == 2033;
            EXPECT_EQ(of2033, 14);
        } else {
            EXPECT_EQ(starts[k].year, starts[k - 1].year + 1);
            EXPECT_TRUE(count == 12 || count == 13) << count;
            // The ordinary months count up from 1; a year of 13 months has a
            // leap month. Only 2052 skips a number: its month 11 holds both
            // 冬至 and 大寒, so 12 is skipped and month 1 is followed by a
            // leap 1, as in the winters of 1870/71 and 1984/85.
            int32_t leaps = 0;
            std::vector<int32_t> numbers;
            for (std::size_t i = index[k - 1]; i < index[k]; ++i) {
                EXPECT_EQ(months[i].year, starts[k - 1].year) << text(months[i].first);
                if (months[i].leap == 'Y') {
                    ++leaps;
                } else {
                    if (!numbers.empty()) {
                        EXPECT_GT(months[i].month, numbers.back()) << text(months[i].first);
                    }
                    numbers.push_back(months[i].month);
                }
            }
            if (count == 13) {
                EXPECT_EQ(leaps, 1);
            }
            EXPECT_EQ(numbers.size(), starts[k - 1].year == 2052 ? 11u : 12u);
        }
    }
}

TEST(ExtendedSpan, LeapMonthsFrom2021To2100) {
    struct Leap {
        Ymd first;
        int32_t month;
    };
    const std::vector<Leap> expected = {
        {{2023, 3, 22}, 2}, {{2025, 7, 25}, 6},   {{2028, 6, 23}, 5},  {{2031, 4, 22}, 3},
        {{2033, 8, 25}, 7}, {{2033, 12, 22}, 10}, {{2034, 2, 19}, 12}, {{2036, 7, 23}, 6},
        {{2039, 6, 22}, 5}, {{2042, 3, 22}, 2},   {{2044, 8, 23}, 7},  {{2047, 6, 23}, 5},
        {{2050, 4, 21}, 3}, {{2052, 9, 23}, 8},   {{2053, 2, 19}, 1},  {{2055, 7, 24}, 6},
        {{2058, 5, 22}, 4}, {{2061, 4, 20}, 3},   {{2063, 8, 24}, 7},  {{2066, 6, 23}, 5},
        {{2069, 5, 21}, 4}, {{2071, 9, 24}, 8},   {{2074, 7, 24}, 6},  {{2077, 5, 22}, 4},
        {{2080, 4, 20}, 3}, {{2082, 8, 24}, 7},   {{2085, 6, 22}, 5},  {{2088, 5, 21}, 4},
        {{2090, 9, 24}, 8}, {{2093, 7, 23}, 6},   {{2096, 5, 22}, 4},  {{2099, 4, 21}, 3},
    };
    std::vector<Leap> found;
    for (const LunarMonth& m : lunarMonthsFrom({2020, 12, 15})) {
        if (m.leap == 'Y') found.push_back({m.first, m.month});
    }
    ASSERT_EQ(found.size(), expected.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].first, expected[i].first) << text(found[i].first);
        EXPECT_EQ(found[i].month, expected[i].month) << text(found[i].first);
    }
}

TEST(ExtendedSpan, TheWinterOf2033) {
    struct Month {
        Ymd first;
        char leap;
        int32_t year;
        int32_t month;
    };
    // Two terms in 2033-11-22's month (小雪, 冬至) and in 2034-01-20's (大寒,
    // 雨水); none in the months after each, nor in 2033-08-25's.
    const std::vector<Month> expected = {
        {{2033, 7, 26}, 'N', 2033, 7},   {{2033, 8, 25}, 'Y', 2033, 7},
        {{2033, 9, 23}, 'N', 2033, 8},   {{2033, 10, 23}, 'N', 2033, 9},
        {{2033, 11, 22}, 'N', 2033, 10}, {{2033, 12, 22}, 'Y', 2033, 10},
        {{2034, 1, 20}, 'N', 2033, 12},  {{2034, 2, 19}, 'Y', 2033, 12},
        {{2034, 3, 20}, 'N', 2034, 2},   {{2034, 4, 19}, 'N', 2034, 3},
    };
    for (const Month& m : expected) {
        SCOPED_TRACE(text(m.first));
        const LunisolarDate first = adto9rekL(at(m.first));
        EXPECT_EQ(first.day, 1);
        EXPECT_EQ(first.leap, m.leap);
        EXPECT_EQ(first.year, m.year);
        EXPECT_EQ(first.month, m.month);
        // The day before is the last of the month before.
        const LunisolarDate before = adto9rekL(at(testsupport::addDays(m.first, -1)));
        EXPECT_TRUE(before.day == 29 || before.day == 30) << before.day;
    }
    // The leap months keep their year across the turn of the Gregorian year
    // and into March.
    EXPECT_EQ(adto9rekL(at({2033, 12, 31})).year, 2033);
    EXPECT_EQ(adto9rekL(at({2034, 1, 19})).year, 2033);
    EXPECT_EQ(adto9rekL(at({2034, 1, 19})).day, 29);
    EXPECT_EQ(adto9rekL(at({2034, 3, 19})).year, 2033);
    EXPECT_EQ(adto9rekL(at({2034, 3, 19})).month, 12);
    // The cycles count a leap month with the number it bears: leap 10 opens
    // like month 10 (仏滅, 心), leap 12 like month 12 (赤口, 虚).
    EXPECT_EQ(ad26youL(at({2033, 12, 22})), 4);
    EXPECT_EQ(adto27L(at({2033, 12, 22})), 4);
    EXPECT_EQ(ad26youL(at({2034, 2, 19})), 0);
    EXPECT_EQ(adto27L(at({2034, 2, 19})), 9);
    // 不成就日 of months 10 and 12: days 4, 12, 20, 28 and 6, 14, 22, 30.
    EXPECT_EQ(fujyojyuL(at({2033, 12, 25})), 'Y');  // leap 10, day 4
    EXPECT_EQ(fujyojyuL(at({2033, 12, 26})), 'N');
    EXPECT_EQ(fujyojyuL(at({2034, 2, 24})), 'Y');  // leap 12, day 6
}

// ---- The cycles after 2020 ---------------------------------------------

TEST(ExtendedSpan, CyclesFollowTheLunisolarDateAfter2020) {
    // Starting mansions of months 1..12 (室 奎 胃 畢 参 鬼 張 角 ﾃｲ 心 斗 虚).
    const std::array<int32_t, 13> start = {0, 11, 13, 15, 17, 19, 21, 24, 0, 2, 4, 7, 9};
    // The 不成就日: the first of each month's four days, every eighth day.
    const std::array<int32_t, 13> firstFujyojyu = {0, 3, 2, 1, 4, 5, 6, 3, 2, 1, 4, 5, 6};
    forEachDay({2020, 12, 15}, kLastDay, [&](const Ymd& d) {
        const CalendarDate date = at(d);
        const LunisolarDate r = adto9rekL(date);
        ASSERT_TRUE(r.month >= 1 && r.month <= 12 && r.day >= 1 && r.day <= 30) << text(d);
        ASSERT_EQ(ad26youL(date), (r.month + r.day - 1) % 6) << text(d);
        ASSERT_EQ(adto27L(date), (start[static_cast<std::size_t>(r.month)] + r.day - 1) % 27)
            << text(d);
        const int32_t offset = r.day - firstFujyojyu[static_cast<std::size_t>(r.month)];
        const bool selected = offset >= 0 && offset % 8 == 0 && offset <= 24;
        ASSERT_EQ(fujyojyuL(date), selected ? 'Y' : 'N') << text(d);
    });
}

// ---- The edges of the span ---------------------------------------------

TEST(ExtendedSpan, TheLastDayIsTheDayBeforeTheLastStoredNewMoon) {
    // The last stored new moons are 2100-12-01 and 2100-12-31.
    const LunisolarDate last = adto9rekL(at(kLastDay));
    EXPECT_EQ(last.leap, 'N');
    EXPECT_EQ(last.year, 2100);
    EXPECT_EQ(last.month, 11);
    EXPECT_EQ(last.day, 30);
    EXPECT_EQ(ad26youL(at(kLastDay)), (11 + 30 - 1) % 6);
    EXPECT_EQ(adto27L(at(kLastDay)), (7 + 30 - 1) % 27);
    for (const Ymd& d : {Ymd{2100, 12, 31}, Ymd{2101, 1, 1}, Ymd{2101, 6, 15}, Ymd{2150, 1, 1},
                         Ymd{1870, 1, 31}, Ymd{1870, 1, 2}, Ymd{1869, 12, 31}, Ymd{1600, 1, 1}}) {
        SCOPED_TRACE(text(d));
        const LunisolarDate r = adto9rekL(at(d, 0.0, 100.5));
        EXPECT_TRUE(isError(r));
        EXPECT_EQ(r.longitude, 100.5);
        EXPECT_EQ(ad26youL(at(d)), -999);
        EXPECT_EQ(adto27L(at(d)), -999);
        EXPECT_EQ(fujyojyuL(at(d)), 'N');
    }
    // 2100-12-31 would be day 31 of a month 11 that holds a 不成就日 on
    // every eighth day; beyond the span it is none.
    EXPECT_EQ(fujyojyuL(at({2100, 12, 29})), 'Y');  // month 11, day 29
}

TEST(ExtendedSpan, ArgumentsAreReadAsByTheOriginal) {
    // Days and months beyond their range run on linearly.
    EXPECT_TRUE(sameLunisolar(adto9rekL(at({2030, 1, 40})), adto9rekL(at({2030, 2, 9}))));
    EXPECT_TRUE(sameLunisolar(adto9rekL(at({2030, 13, 1})), adto9rekL(at({2031, 1, 1}))));
    EXPECT_TRUE(sameLunisolar(adto9rekL(at({2100, 13, 1})), adto9rekL(at({2101, 1, 1}))));
    EXPECT_TRUE(isError(adto9rekL(at({2100, 12, 31}))));
    // The clock time and the meridian do not move the day.
    const LunisolarDate noon = adto9rekL(at({2026, 12, 9}, 23.99, -120.0));
    const LunisolarDate midnight = adto9rekL(at({2026, 12, 9}));
    EXPECT_EQ(noon.day, midnight.day);
    EXPECT_EQ(noon.month, midnight.month);
    EXPECT_EQ(noon.longitude, -120.0);
    EXPECT_EQ(ad26youL(at({2026, 12, 9}, 23.99, -120.0)), ad26youL(at({2026, 12, 9})));
    // Extreme arguments give the error, without overflow.
    for (const CalendarDate& d : {CalendarDate{kIntMin, 1, 1, 0, 0, 0, 135.0},
                                  CalendarDate{kIntMax, 12, 31, 0, 0, 0, 135.0},
                                  CalendarDate{2030, kIntMin, kIntMax, 0, 0, 0, 135.0},
                                  CalendarDate{2030, kIntMax, kIntMin, 0, 0, 0, 135.0}}) {
        EXPECT_TRUE(isError(adto9rekL(d)));
        EXPECT_EQ(ad26youL(d), -999);
        EXPECT_EQ(adto27L(d), -999);
        EXPECT_EQ(fujyojyuL(d), 'N');
    }
}
