// The stored new-moon days: rows checked against the published calendar, and
// the shape of the whole table (every lunation present, none twice).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "tables/new_moon_days.h"

namespace {

using vorane2::tables::kNewMoonDayTable;
using vorane2::tables::kNewMoonTableFirstYear;
using vorane2::tables::kNewMoonTableLastYear;
using vorane2::tables::kSecondNewMoonTable;
using vorane2::tables::MonthNewMoon;
using vorane2::tables::YearSecondNewMoons;

constexpr int32_t kNone = 99;

// Days since 1970-01-01 of a Gregorian date, independent of the library.
int64_t civilDays(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

int32_t monthLength(int32_t y, int32_t m) {
    return static_cast<int32_t>(civilDays(m == 12 ? y + 1 : y, m == 12 ? 1 : m + 1, 1) -
                                civilDays(y, m, 1));
}

MonthNewMoon first(int32_t year, int32_t month) {
    return kNewMoonDayTable[static_cast<size_t>((year - kNewMoonTableFirstYear) * 12 + month - 1)];
}

YearSecondNewMoons second(int32_t year) {
    return kSecondNewMoonTable[static_cast<size_t>(year - kNewMoonTableFirstYear)];
}

void expectFirst(int32_t year, int32_t month, int32_t expectedMonth, int32_t expectedDay) {
    const MonthNewMoon r = first(year, month);
    EXPECT_EQ(r.month, expectedMonth) << year << "-" << month;
    EXPECT_EQ(r.day, expectedDay) << year << "-" << month;
}

void expectSecond(int32_t year, int32_t m1, int32_t d1, int32_t m2, int32_t d2) {
    const YearSecondNewMoons r = second(year);
    EXPECT_EQ(r.month1, m1) << year;
    EXPECT_EQ(r.day1, d1) << year;
    EXPECT_EQ(r.month2, m2) << year;
    EXPECT_EQ(r.day2, d2) << year;
}

// Every new moon of the tables as a day count, ascending.
std::vector<int64_t> allNewMoons() {
    std::vector<int64_t> days;
    for (int32_t y = kNewMoonTableFirstYear; y <= kNewMoonTableLastYear; ++y) {
        for (int32_t m = 1; m <= 12; ++m) {
            if (first(y, m).day != kNone) days.push_back(civilDays(y, m, first(y, m).day));
        }
        const YearSecondNewMoons s = second(y);
        if (s.month1 != kNone) days.push_back(civilDays(y, s.month1, s.day1));
        if (s.month2 != kNone) days.push_back(civilDays(y, s.month2, s.day2));
    }
    std::sort(days.begin(), days.end());
    return days;
}

TEST(NewMoonDayTable, SpanAndSize) {
    EXPECT_EQ(kNewMoonTableFirstYear, 1870);
    EXPECT_EQ(kNewMoonTableLastYear, 2100);
    EXPECT_EQ(kNewMoonDayTable.size(), 231u * 12u);
    EXPECT_EQ(kSecondNewMoonTable.size(), 231u);
}

TEST(NewMoonDayTable, TellingRowsOfTheFirstYear) {
    const int32_t days1870[12] = {2, 1, 2, 1, 1, 29, 28, 27, 25, 25, 23, 22};
    for (int32_t m = 1; m <= 12; ++m) expectFirst(1870, m, m, days1870[m - 1]);
    expectSecond(1870, 5, 30, kNone, kNone);
}

TEST(NewMoonDayTable, TellingRowsOfLaterYears) {
    expectFirst(2020, 11, 11, 15);
    expectFirst(2020, 12, 12, 15);
    expectFirst(1889, 2, kNone, kNone);
    expectSecond(1911, 1, 30, 3, 30);
}

TEST(NewMoonDayTable, MonthsOpeningAndClosingWithANewMoon) {
    // A new moon on day 1 or 2 and another on day 30 or 31 of one month:
    // the first table holds the early one, the second table the late one.
    expectFirst(1875, 8, 8, 1);
    expectSecond(1875, 8, 31, kNone, kNone);
    expectFirst(1889, 1, 1, 2);
    expectSecond(1889, 1, 31, 3, 31);
    expectSecond(1900, 1, 31, 3, 31);
    expectFirst(1938, 4, 4, 1);
    expectSecond(1938, 1, 31, 4, 30);
}

TEST(NewMoonDayTable, ConjunctionsNearMidnightAreOnTheirHeldDays) {
    struct Held {
        int32_t year, month, day;
    };
    const Held held[] = {
        {1872, 1, 10}, {1875, 5, 6},   {1879, 10, 16}, {1880, 4, 10}, {1883, 7, 5},   {1884, 4, 26},
        {1908, 9, 25}, {1913, 12, 27}, {1932, 10, 29}, {1934, 10, 9}, {1949, 3, 30},  {1953, 6, 11},
        {1967, 5, 9},  {1973, 12, 25}, {1976, 11, 22}, {1978, 2, 7},  {1982, 11, 16}, {1997, 2, 8},
        {2005, 12, 2}, {2012, 6, 20},  {2015, 8, 14},  {2017, 2, 27}, {2019, 11, 27},
    };
    const std::vector<int64_t> days = allNewMoons();
    for (const Held& h : held) {
        const int64_t n = civilDays(h.year, h.month, h.day);
        EXPECT_TRUE(std::binary_search(days.begin(), days.end(), n))
            << h.year << "-" << h.month << "-" << h.day;
        // The neighbouring days are not new-moon days.
        EXPECT_FALSE(std::binary_search(days.begin(), days.end(), n - 1)) << h.year;
        EXPECT_FALSE(std::binary_search(days.begin(), days.end(), n + 1)) << h.year;
    }
}

TEST(NewMoonDayTable, BothSecondPairsExactlyWhenFebruaryHasNoNewMoon) {
    std::vector<int32_t> observed;
    for (int32_t y = kNewMoonTableFirstYear; y <= kNewMoonTableLastYear; ++y) {
        const bool februaryEmpty = first(y, 2).day == kNone;
        const bool bothUsed = second(y).month1 != kNone && second(y).month2 != kNone;
        EXPECT_EQ(februaryEmpty, bothUsed) << y;
        if (februaryEmpty && y <= 2020) observed.push_back(y);
    }
    EXPECT_EQ(observed, (std::vector<int32_t>{1889, 1900, 1911, 1938, 1957, 1976, 1995, 2014}));
}

TEST(NewMoonDayTable, RecordsAreIndexedByMonth) {
    for (int32_t y = kNewMoonTableFirstYear; y <= kNewMoonTableLastYear; ++y) {
        for (int32_t m = 1; m <= 12; ++m) {
            const MonthNewMoon r = first(y, m);
            if (r.month == kNone) {
                // Only February is short enough to hold no new moon.
                EXPECT_EQ(m, 2) << y;
                EXPECT_EQ(r.day, kNone) << y << "-" << m;
            } else {
                EXPECT_EQ(r.month, m) << y;
                EXPECT_GE(r.day, 1) << y << "-" << m;
                EXPECT_LE(r.day, monthLength(y, m)) << y << "-" << m;
                // The first new moon of a month is within its first 30 days.
                EXPECT_LE(r.day, 30) << y << "-" << m;
            }
        }
    }
}

TEST(NewMoonDayTable, SecondPairsFollowTheFirstNewMoonOfTheirMonth) {
    for (int32_t y = kNewMoonTableFirstYear; y <= kNewMoonTableLastYear; ++y) {
        const YearSecondNewMoons s = second(y);
        const int32_t pairs[2][2] = {{s.month1, s.day1}, {s.month2, s.day2}};
        for (const auto& pair : pairs) {
            if (pair[0] == kNone) {
                EXPECT_EQ(pair[1], kNone) << y;
                continue;
            }
            ASSERT_GE(pair[0], 1) << y;
            ASSERT_LE(pair[0], 12) << y;
            EXPECT_LE(pair[1], monthLength(y, pair[0])) << y;
            const MonthNewMoon f = first(y, pair[0]);
            ASSERT_NE(f.day, kNone) << y;
            EXPECT_GE(pair[1] - f.day, 29) << y << "-" << pair[0];
            EXPECT_LE(pair[1] - f.day, 30) << y << "-" << pair[0];
        }
        // Pairs are used in order, the first before the second.
        if (s.month1 == kNone) {
            EXPECT_EQ(s.month2, kNone) << y;
        }
        if (s.month2 != kNone) {
            EXPECT_LT(s.month1, s.month2) << y;
        }
    }
}

TEST(NewMoonDayTable, ConsecutiveNewMoonsAre29Or30DaysApart) {
    const std::vector<int64_t> days = allNewMoons();
    ASSERT_FALSE(days.empty());
    // No lunation is missing at either end of the span.
    EXPECT_LT(days.front() - civilDays(kNewMoonTableFirstYear, 1, 1), 30);
    EXPECT_LT(civilDays(kNewMoonTableLastYear, 12, 31) - days.back(), 30);
    std::set<int64_t> gaps;
    for (size_t i = 1; i < days.size(); ++i) {
        const int64_t gap = days[i] - days[i - 1];
        EXPECT_TRUE(gap == 29 || gap == 30) << "gap of " << gap << " days at index " << i;
        gaps.insert(gap);
    }
    EXPECT_EQ(gaps, (std::set<int64_t>{29, 30}));
    // 231 years hold about 231 * 365.2425 / 29.530589 lunations.
    EXPECT_NEAR(static_cast<double>(days.size()), 231.0 * 365.2425 / 29.530589, 1.0);
}

TEST(NewMoonDayTable, TwelveOrThirteenNewMoonsAYear) {
    for (int32_t y = kNewMoonTableFirstYear; y <= kNewMoonTableLastYear; ++y) {
        int count = 0;
        for (int32_t m = 1; m <= 12; ++m) count += first(y, m).day != kNone ? 1 : 0;
        count += second(y).month1 != kNone ? 1 : 0;
        count += second(y).month2 != kNone ? 1 : 0;
        EXPECT_TRUE(count == 12 || count == 13) << y << ": " << count;
    }
}

}  // namespace
