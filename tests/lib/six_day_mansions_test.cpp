#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <string>

#include "support/civil.h"
#include "support/sjis.h"
#include "tables/six_day_mansion_names.h"
#include "vorane2.h"

namespace {

using testsupport::toCp932;

std::string nameOf(const char* p) { return p == nullptr ? std::string("<null>") : std::string(p); }

CalendarDate at(int32_t y, int32_t m, int32_t d, double hour = 0.0, double minute = 0.0,
                double second = 0.0, double lon = 135.0) {
    return CalendarDate{y, m, d, hour, minute, second, lon};
}

// Calls f(y, m, d) for every Gregorian date from first to last inclusive,
// walked with the tests' own civil-calendar arithmetic.
template <typename F>
void forEachDay(CalendarDate first, CalendarDate last, F f) {
    const testsupport::Ymd from{first.year, first.month, first.day};
    const int64_t span = testsupport::daysBetween(from, {last.year, last.month, last.day});
    for (int64_t i = 0; i <= span; ++i) {
        const testsupport::Ymd date = testsupport::addDays(from, i);
        f(date.year, date.month, date.day);
    }
}

// The 27-mansion start of each lunisolar month by its step rule: month 1
// opens at 室 (11), and each month opens two mansions on from the one before,
// three after months 6, 7 and 10.
std::array<int32_t, 13> monthStartsByStepRule() {
    std::array<int32_t, 13> start{};
    start[1] = 11;
    for (int32_t m = 2; m <= 12; ++m) {
        const int32_t step = (m - 1 == 6 || m - 1 == 7 || m - 1 == 10) ? 3 : 2;
        start[static_cast<size_t>(m)] = (start[static_cast<size_t>(m - 1)] + step) % 27;
    }
    return start;
}

constexpr CalendarDate kFirstLunisolarDay{1870, 2, 1, 0, 0, 0, 135.0};
constexpr CalendarDate kLastLunisolarDay{2020, 12, 14, 0, 0, 0, 135.0};

const std::array<const char*, 28> kMansionText = {
    "角", "亢", "ﾃｲ", "房", "心", "尾", "箕", "斗", "牛", "女", "虚", "危", "室", "壁",
    "奎", "婁", "胃", "昴", "畢", "觜", "参", "井", "鬼", "柳", "星", "張", "翼", "軫"};

}  // namespace

TEST(SixDayNames, MatchTheirText) {
    const std::array<const char*, 6> expected = {"赤口", "先勝", "友引", "先負", "仏滅", "大安"};
    for (int32_t i = 0; i < 6; ++i) {
        EXPECT_EQ(nameOf(rno2name(i)), toCp932(expected[static_cast<size_t>(i)])) << i;
        EXPECT_EQ(nameOf(rno2name(i)).size(), 4u) << i;
    }
    for (int32_t bad : {-1, 6, INT_MIN, INT_MAX}) EXPECT_EQ(rno2name(bad), nullptr) << bad;
}

TEST(MansionNames, TwentyEightMatchTheirText) {
    for (int32_t i = 0; i < 28; ++i) {
        EXPECT_EQ(nameOf(A28toname(i)), toCp932(kMansionText[static_cast<size_t>(i)])) << i;
        EXPECT_EQ(nameOf(A28toname(i)).size(), 2u) << i;
    }
    EXPECT_EQ(nameOf(A28toname(8)), toCp932("牛"));
    for (int32_t bad : {-1, 28, INT_MIN, INT_MAX}) EXPECT_EQ(A28toname(bad), nullptr) << bad;
}

TEST(MansionNames, TwentySevenAreTheTwentyEightWithoutOx) {
    for (int32_t i = 0; i < 27; ++i) {
        const size_t from28 = static_cast<size_t>(i < 8 ? i : i + 1);
        EXPECT_EQ(nameOf(A27toname(i)), toCp932(kMansionText[from28])) << i;
        EXPECT_NE(nameOf(A27toname(i)), toCp932("牛")) << i;
    }
    EXPECT_EQ(nameOf(A27toname(8)), toCp932("女"));
    EXPECT_EQ(nameOf(A27toname(26)), toCp932("軫"));
    for (int32_t bad : {-1, 27, INT_MIN, INT_MAX}) EXPECT_EQ(A27toname(bad), nullptr) << bad;
}

TEST(MansionNames, ThirdIsHalfWidthKatakana) {
    EXPECT_EQ(nameOf(A28toname(2)), std::string("\xc3\xb2"));
    EXPECT_EQ(nameOf(A27toname(2)), std::string("\xc3\xb2"));
}

TEST(Mansion27Starts, FollowTheStepRuleAndNames) {
    const std::array<int32_t, 13> start = monthStartsByStepRule();
    const std::array<const char*, 13> startName = {"",   "室", "奎", "胃", "畢", "参", "鬼",
                                                   "張", "角", "ﾃｲ", "心", "斗", "虚"};
    for (int32_t m = 1; m <= 12; ++m) {
        const int32_t stored = vorane2::tables::kMansion27MonthStart[static_cast<size_t>(m - 1)];
        EXPECT_EQ(stored, start[static_cast<size_t>(m)]) << "month " << m;
        EXPECT_EQ(nameOf(A27toname(stored)), toCp932(startName[static_cast<size_t>(m)]))
            << "month " << m;
    }
}

TEST(Mansion28, JulianDayCycle) {
    EXPECT_EQ(adto28(at(2000, 1, 1)), 16);
    EXPECT_EQ(nameOf(A28toname(adto28(at(2000, 1, 1)))), toCp932("胃"));
    // JD 2451545 + 11 = 16 mod 28, so 11 days later wraps from 27 to 0.
    EXPECT_EQ(adto28(at(2000, 1, 12)), 27);
    EXPECT_EQ(adto28(at(2000, 1, 13)), 0);
}

TEST(Mansion28, IgnoresClockAndMeridian) {
    for (const CalendarDate& d : {at(2000, 1, 1), at(1999, 12, 31), at(1582, 10, 15)}) {
        const int32_t base = adto28(d);
        EXPECT_EQ(adto28(at(d.year, d.month, d.day, 23, 59, 59)), base);
        EXPECT_EQ(adto28(at(d.year, d.month, d.day, 0, 0, 0, 0.0)), base);
        EXPECT_EQ(adto28(at(d.year, d.month, d.day, 23, 59, 59, -180.0)), base);
        EXPECT_EQ(adto28(at(d.year, d.month, d.day, 12, 0, 0, 180.0)), base);
    }
}

TEST(Mansion28, ConsecutiveDaysAndTheWeek) {
    // 28 is four weeks, so each mansion keeps its weekday: 角 (0) falls on a
    // Thursday, 亢 on a Friday and so on.
    int32_t previous = -1;
    int32_t count = 0;
    forEachDay(at(1582, 10, 15), at(2100, 12, 31), [&](int32_t y, int32_t m, int32_t d) {
        const int32_t index = adto28(at(y, m, d));
        ASSERT_GE(index, 0);
        ASSERT_LE(index, 27);
        if (previous >= 0) {
            ASSERT_EQ(index, (previous + 1) % 28) << y << "-" << m << "-" << d;
        }
        ASSERT_EQ((index % 7 + 4) % 7, ad2youbi(at(y, m, d))) << y << "-" << m << "-" << d;
        ASSERT_EQ(index, (testsupport::julianDayNumber({y, m, d}) + 11) % 28)
            << y << "-" << m << "-" << d;
        previous = index;
        ++count;
    });
    EXPECT_EQ(count, 189274);  // days from 1582-10-15 to 2100-12-31
}

TEST(Mansion28, ExtremeYearsStayDefined) {
    for (int32_t year : {INT_MIN, INT_MIN + 1, -4712, 0, INT_MAX}) {
        const int32_t index = adto28(at(year, 1, 1));
        EXPECT_GE(index, -27) << year;
        EXPECT_LE(index, 27) << year;
    }
    // Julian day 0 (1 January 4713 BC) gives 11; before day -11 the
    // remainder takes the sign of the day and the name lookup gives null:
    // a year earlier is Julian day -365, and fmod(-354, 28) is -18.
    EXPECT_EQ(adto28(at(-4712, 1, 1)), 11);
    EXPECT_EQ(adto28(at(-4713, 1, 1)), -18);
    EXPECT_EQ(A28toname(adto28(at(-4713, 1, 1))), nullptr);
}

TEST(SixDayAndMansion27, WorkedLunisolarDates) {
    // 2000-02-05 is day 1 of month 1: 先勝 and 室.
    EXPECT_EQ(ad26you(at(2000, 2, 5)), 1);
    EXPECT_EQ(adto27(at(2000, 2, 5)), 11);
    // Day 6 of month 1: 赤口.
    EXPECT_EQ(ad26you(at(2000, 2, 10)), 0);
    // 2017-02-26 is day 30 of month 1, 2017-02-27 day 1 of month 2.
    EXPECT_EQ(ad26you(at(2017, 2, 26)), 0);
    EXPECT_EQ(adto27(at(2017, 2, 26)), (11 + 29) % 27);
    EXPECT_EQ(ad26you(at(2017, 2, 27)), 2);
    EXPECT_EQ(adto27(at(2017, 2, 27)), 13);
    // 2000-01-01 is day 25 of month 11.
    EXPECT_EQ(ad26you(at(2000, 1, 1)), (11 + 25 - 1) % 6);
    EXPECT_EQ(adto27(at(2000, 1, 1)), (7 + 24) % 27);
}

TEST(SixDayAndMansion27, LeapMonthCountsAsItsNumber) {
    // 2020-05-23 opens the leap 4th month, 2020-04-23 the ordinary one.
    const LunisolarDate leap = adto9rek(at(2020, 5, 23));
    const LunisolarDate plain = adto9rek(at(2020, 4, 23));
    ASSERT_EQ(leap.leap, 'Y');
    ASSERT_EQ(plain.leap, 'N');
    ASSERT_EQ(leap.month, 4);
    ASSERT_EQ(plain.month, 4);
    ASSERT_EQ(leap.day, 1);
    ASSERT_EQ(plain.day, 1);
    EXPECT_EQ(ad26you(at(2020, 5, 23)), 4);  // 仏滅
    EXPECT_EQ(ad26you(at(2020, 4, 23)), 4);
    EXPECT_EQ(adto27(at(2020, 5, 23)), 17);  // 畢
    EXPECT_EQ(adto27(at(2020, 4, 23)), 17);
}

TEST(SixDayAndMansion27, IgnoreClockAndMeridian) {
    for (const CalendarDate& d : {at(2000, 2, 5), at(2020, 5, 22), at(1870, 2, 1)}) {
        const int32_t six = ad26you(d);
        const int32_t m27 = adto27(d);
        for (const CalendarDate& variant :
             {at(d.year, d.month, d.day, 23, 59, 59, 0.0), at(d.year, d.month, d.day, 12, 0, 0),
              at(d.year, d.month, d.day, 23, 59, 59, -180.0)}) {
            EXPECT_EQ(ad26you(variant), six);
            EXPECT_EQ(adto27(variant), m27);
        }
    }
}

TEST(SixDayAndMansion27, AgreeWithTheLunisolarDateOnEveryDay) {
    const std::array<int32_t, 13> start = monthStartsByStepRule();
    std::array<std::array<bool, 31>, 13> seen{};
    int32_t count = 0;
    forEachDay(kFirstLunisolarDay, kLastLunisolarDay, [&](int32_t y, int32_t m, int32_t d) {
        const CalendarDate date = at(y, m, d);
        const LunisolarDate lunar = adto9rek(date);
        ASSERT_GE(lunar.month, 1) << y << "-" << m << "-" << d;
        ASSERT_LE(lunar.month, 12) << y << "-" << m << "-" << d;
        ASSERT_GE(lunar.day, 1) << y << "-" << m << "-" << d;
        ASSERT_LE(lunar.day, 30) << y << "-" << m << "-" << d;
        ASSERT_EQ(ad26you(date), (lunar.month + lunar.day - 1) % 6) << y << "-" << m << "-" << d;
        ASSERT_EQ(adto27(date), (start[static_cast<size_t>(lunar.month)] + lunar.day - 1) % 27)
            << y << "-" << m << "-" << d;
        seen[static_cast<size_t>(lunar.month)][static_cast<size_t>(lunar.day)] = true;
        ++count;
    });
    EXPECT_EQ(count, 55104);  // days from 1870-02-01 to 2020-12-14
    // The span reaches every month and every day 1..30, so every entry of the
    // month-by-day rule has been checked.
    for (size_t month = 1; month <= 12; ++month) {
        for (size_t day = 1; day <= 30; ++day) EXPECT_TRUE(seen[month][day]) << month << "/" << day;
    }
}

TEST(SixDayAndMansion27, KnownMonthDayResults) {
    // Results stated for particular lunisolar days, found in the span.
    struct Expect {
        int32_t month, day, sixDay, mansion27;
    };
    const std::array<Expect, 5> cases = {{
        {1, 1, 1, 11},
        {1, 6, 0, 16},
        {8, 1, 2, 0},
        {7, 30, 0, 26},
        {12, 30, 5, 11},
    }};
    std::array<bool, cases.size()> found{};
    forEachDay(kFirstLunisolarDay, kLastLunisolarDay, [&](int32_t y, int32_t m, int32_t d) {
        const LunisolarDate lunar = adto9rek(at(y, m, d));
        for (size_t i = 0; i < cases.size(); ++i) {
            if (lunar.month == cases[i].month && lunar.day == cases[i].day) {
                EXPECT_EQ(ad26you(at(y, m, d)), cases[i].sixDay) << y << "-" << m << "-" << d;
                EXPECT_EQ(adto27(at(y, m, d)), cases[i].mansion27) << y << "-" << m << "-" << d;
                found[i] = true;
            }
        }
    });
    for (size_t i = 0; i < cases.size(); ++i) EXPECT_TRUE(found[i]) << i;
}

TEST(SixDayAndMansion27, OutsideTheLunisolarSpanGiveTheErrorCode) {
    for (const CalendarDate& d : {at(1870, 1, 31), at(2020, 12, 15), at(1800, 6, 1), at(2100, 1, 1),
                                  at(INT_MIN, 1, 1), at(INT_MAX, 12, 31)}) {
        EXPECT_EQ(ad26you(d), -999) << d.year << "-" << d.month << "-" << d.day;
        EXPECT_EQ(adto27(d), -999) << d.year << "-" << d.month << "-" << d.day;
    }
    EXPECT_EQ(rno2name(-999), nullptr);
    EXPECT_EQ(A27toname(-999), nullptr);
    // The first and last days of the span still answer.
    EXPECT_EQ(ad26you(kFirstLunisolarDay), 1);  // month 1 day 1
    EXPECT_EQ(adto27(kFirstLunisolarDay), 11);
    EXPECT_GE(ad26you(kLastLunisolarDay), 0);
    EXPECT_GE(adto27(kLastLunisolarDay), 0);
}
