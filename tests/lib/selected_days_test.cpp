#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>

#include "sectional_terms.h"
#include "support/civil.h"
#include "vorane2.h"

namespace {

constexpr double kJst = 135.0;

using testsupport::Ymd;

CalendarDate at(int32_t y, int32_t m, int32_t d, double h = 0, double mi = 0, double s = 0) {
    return CalendarDate{y, m, d, h, mi, s, kJst};
}
CalendarDate at(Ymd d) { return at(d.year, d.month, d.day); }

const int64_t kFirstDay = testsupport::daysFromCivil(1870, 1, 1);
const int64_t kLastDay = testsupport::daysFromCivil(2020, 12, 31);

int32_t daysInMonth(int32_t y, int32_t m) {
    return static_cast<int32_t>(
        testsupport::daysBetween(Ymd{y, m, 1}, m == 12 ? Ymd{y + 1, 1, 1} : Ymd{y, m + 1, 1}));
}

// ---- 癸巳 days ---------------------------------------------------------------

TEST(SelectedDaysTeniti, ExactlyOnceInEverySixtyDays) {
    int64_t lastYes = 0;
    int32_t count = 0;
    for (int64_t day = kFirstDay; day <= kLastDay; ++day) {
        const Ymd d = testsupport::civilFromDays(day);
        const char flag = teniti(at(d));
        ASSERT_TRUE(flag == 'Y' || flag == 'N') << d.year << "-" << d.month << "-" << d.day;
        if (flag != 'Y') continue;
        if (count == 0) {
            ASSERT_LT(day - kFirstDay, 60);
        } else {
            ASSERT_EQ(day - lastYes, 60) << d.year << "-" << d.month << "-" << d.day;
        }
        lastYes = day;
        ++count;
    }
    EXPECT_LE(kLastDay - lastYes, 59);
    EXPECT_GE(count, (kLastDay - kFirstDay + 1) / 60);
}

TEST(SelectedDaysTeniti, TheDayOfThePairItself) {
    // 2000-01-01 is 戊午 (55), so 2000-02-05 is 癸巳 (30).
    EXPECT_EQ(teniti(at(2000, 2, 5)), 'Y');
    EXPECT_EQ(teniti(at(2000, 2, 4)), 'N');
    EXPECT_EQ(teniti(at(2000, 2, 6)), 'N');
    EXPECT_EQ(teniti(at(2000, 4, 5)), 'Y');
    // The number of the instant counts: from 21:00 at longitude 135 the
    // next day's.
    EXPECT_EQ(teniti(at(2000, 2, 4, 20, 59, 59)), 'N');
    EXPECT_EQ(teniti(at(2000, 2, 4, 21, 0, 0)), 'Y');
    EXPECT_EQ(teniti(at(2000, 2, 5, 20, 59, 59)), 'Y');
    EXPECT_EQ(teniti(at(2000, 2, 5, 21, 0, 0)), 'N');
    // The month is not looked at: month 13 runs on into the next year.
    EXPECT_EQ(teniti(at(1999, 14, 5)), 'Y');
    EXPECT_EQ(teniti(at(2000, 1, 36)), 'Y');
}

// ---- 天赦日 ------------------------------------------------------------------

// The day's pair of the season that begins on each 立 term, and of the one
// before it.
struct Turn {
    int32_t month;
    int32_t (*term)(int32_t, double);
    int32_t pairBefore;
    int32_t pairFrom;
};

const std::array<Turn, 4> kTurns = {{
    {2, y2risyun, 1, 15},   // winter 甲子 -> spring 戊寅
    {5, y2rikka, 15, 31},   // spring 戊寅 -> summer 甲午
    {8, y2risyuu, 31, 45},  // summer 甲午 -> autumn 戊申
    {11, y2rittou, 45, 1},  // autumn 戊申 -> winter 甲子
}};

TEST(SelectedDaysTensyabi, SeasonTurnsOnTheDayOfItsTerm) {
    int32_t yesBefore = 0;
    int32_t yesFrom = 0;
    int32_t oldPairAfterTurn = 0;
    for (int32_t y = 1870; y <= 2020; ++y) {
        for (const Turn& t : kTurns) {
            const int32_t termDay = t.term(y, kJst);
            for (int32_t d = 1; d <= daysInMonth(y, t.month); ++d) {
                const CalendarDate date = at(y, t.month, d);
                const int32_t n = ad2heto(date);
                const bool expected = d < termDay ? n == t.pairBefore : n == t.pairFrom;
                ASSERT_EQ(tensyabi(date), expected ? 'Y' : 'N') << y << "-" << t.month << "-" << d;
                if (expected && d < termDay) ++yesBefore;
                if (expected && d >= termDay) ++yesFrom;
                if (d >= termDay && n == t.pairBefore) ++oldPairAfterTurn;
            }
        }
    }
    // The scan met both sides of the turns, and old pairs after them.
    EXPECT_GT(yesBefore, 20);
    EXPECT_GT(yesFrom, 100);
    EXPECT_GT(oldPairAfterTurn, 100);
}

TEST(SelectedDaysTensyabi, WholeMonthsOfOneSeason) {
    // Months without a turn: January and December winter (甲子), March and
    // April spring (戊寅), June and July summer (甲午), September and October
    // autumn (戊申).
    const std::array<int32_t, 13> pairOfMonth = {0, 1, 0, 15, 15, 0, 31, 31, 0, 45, 45, 0, 1};
    int32_t yes = 0;
    for (int64_t day = kFirstDay; day <= kLastDay; ++day) {
        const Ymd d = testsupport::civilFromDays(day);
        const int32_t pair = pairOfMonth[static_cast<size_t>(d.month)];
        if (pair == 0) continue;
        const char expected = ad2heto(at(d)) == pair ? 'Y' : 'N';
        ASSERT_EQ(tensyabi(at(d)), expected) << d.year << "-" << d.month << "-" << d.day;
        if (expected == 'Y') ++yes;
    }
    // One day in sixty of eight months a year: about 610 in the span.
    EXPECT_GT(yes, 550);
    EXPECT_LT(yes, 680);
}

// ---- 黒日 and 三隣亡 ---------------------------------------------------------

// Branches of the solar month that begins in each Gregorian month (index 1
// is January's 小寒 month).
const std::array<int32_t, 13> kKurobi = {-1, 10, 11, 5, 0, 6, 1, 7, 2, 8, 3, 9, 4};
// 亥 (0) in the months of February, May, August and November, 寅 (3) in
// those of March, June, September and December, 午 (7) in those of
// January, April, July and October.
const std::array<int32_t, 13> kSanrinbo = {-1, 7, 0, 3, 7, 0, 3, 7, 0, 3, 7, 0, 3};

TEST(SelectedDaysKurobiSanrinbo, BranchOfTheSolarMonthEveryDay) {
    int32_t kurobiYes = 0;
    int32_t sanrinboYes = 0;
    for (int32_t y = 1870; y <= 2020; ++y) {
        for (int32_t m = 1; m <= 12; ++m) {
            const int32_t termDay = vorane2::sectionalTermDay(y, m, kJst);
            const int32_t previous = m == 1 ? 12 : m - 1;
            for (int32_t d = 1; d <= daysInMonth(y, m); ++d) {
                const CalendarDate date = at(y, m, d);
                const int32_t solarMonth = d < termDay ? previous : m;
                const int32_t branch = ad2heto(date) % 12;
                const char k = branch == kKurobi[static_cast<size_t>(solarMonth)] ? 'Y' : 'N';
                const char s = branch == kSanrinbo[static_cast<size_t>(solarMonth)] ? 'Y' : 'N';
                ASSERT_EQ(kurobi(date), k) << y << "-" << m << "-" << d;
                ASSERT_EQ(sanrinbo(date), s) << y << "-" << m << "-" << d;
                kurobiYes += k == 'Y';
                sanrinboYes += s == 'Y';
            }
        }
    }
    // One day in twelve.
    const int64_t days = kLastDay - kFirstDay + 1;
    EXPECT_NEAR(kurobiYes, days / 12, days / 100);
    EXPECT_NEAR(sanrinboYes, days / 12, days / 100);
}

TEST(SelectedDaysKurobiSanrinbo, AprilAroundSeimei) {
    // From the day of 清明 on, 黒日 are 亥 days; before it 辰 days (the
    // branch of the solar month that began in March), and 亥 days are not.
    int32_t seen = 0;
    for (int32_t y = 1990; y <= 2010; ++y) {
        const int32_t seimei = y2seimei(y, kJst);
        for (int32_t d = 1; d <= 30; ++d) {
            const int32_t branch = ad2heto(at(y, 4, d)) % 12;
            if (d >= seimei && branch == 0) {
                EXPECT_EQ(kurobi(at(y, 4, d)), 'Y') << y << " " << d;
            }
            if (d < seimei && branch == 5) {
                EXPECT_EQ(kurobi(at(y, 4, d)), 'Y') << y << " " << d;
            }
            if (d < seimei && branch == 0) {
                EXPECT_EQ(kurobi(at(y, 4, d)), 'N') << y << " " << d;
                ++seen;
            }
        }
    }
    EXPECT_GT(seen, 0);
}

TEST(SelectedDaysKurobiSanrinbo, JanuaryBeforeShokanIsDecember) {
    // Before 小寒 the solar month of December still runs: 黒日 are 卯 days
    // and 三隣亡 寅 days, not January's 酉 and 午 days.
    int32_t decemberDays = 0;
    int32_t januaryDays = 0;
    for (int32_t y = 1871; y <= 2020; ++y) {
        const int32_t shokan = y2syokan(y, kJst);
        for (int32_t d = 1; d < shokan; ++d) {
            const CalendarDate date = at(y, 1, d);
            const int32_t branch = ad2heto(date) % 12;
            EXPECT_EQ(kurobi(date), branch == 4 ? 'Y' : 'N') << y << " " << d;
            EXPECT_EQ(sanrinbo(date), branch == 3 ? 'Y' : 'N') << y << " " << d;
            decemberDays += branch == 3 || branch == 4;
            januaryDays += branch == 7 || branch == 10;
        }
    }
    EXPECT_GT(decemberDays, 10);
    EXPECT_GT(januaryDays, 10);
    // 2000-01-01 is 戊午 (55): 2000-01-09 is 寅 and 2000-01-10 卯, both
    // after 小寒 (6 January), so neither counts any more.
    ASSERT_EQ(y2syokan(2000, kJst), 6);
    EXPECT_EQ(sanrinbo(at(2000, 1, 9)), 'N');
    EXPECT_EQ(kurobi(at(2000, 1, 10)), 'N');
    EXPECT_EQ(sanrinbo(at(1999, 12, 28)), 'Y');  // 甲寅 (51)
    EXPECT_EQ(kurobi(at(1999, 12, 29)), 'Y');    // 乙卯 (52)
}

TEST(SelectedDaysKurobiSanrinbo, OneDayInTwelveWithinASolarMonth) {
    // Twelve consecutive days inside one solar month hold each branch once.
    for (int32_t m = 1; m <= 12; ++m) {
        int32_t kurobiYes = 0;
        int32_t sanrinboYes = 0;
        for (int32_t d = 15; d < 15 + 12; ++d) {
            const CalendarDate date = at(2001, m, d);
            const int32_t branch = ad2heto(date) % 12;
            if (sanrinbo(date) == 'Y') {
                EXPECT_EQ(branch, kSanrinbo[static_cast<size_t>(m)]) << m;
                ++sanrinboYes;
            }
            if (kurobi(date) == 'Y') {
                EXPECT_EQ(branch, kKurobi[static_cast<size_t>(m)]) << m;
                ++kurobiYes;
            }
        }
        EXPECT_EQ(sanrinboYes, 1) << m;
        EXPECT_EQ(kurobiYes, 1) << m;
    }
}

// ---- 不成就日 -------------------------------------------------------------------

// The 不成就日 of each lunisolar month (index 1 is the first month).
const std::array<std::array<int32_t, 4>, 13> kFujyojyuDays = {{
    {0, 0, 0, 0},
    {3, 11, 19, 27},
    {2, 10, 18, 26},
    {1, 9, 17, 25},
    {4, 12, 20, 28},
    {5, 13, 21, 29},
    {6, 14, 22, 30},
    {3, 11, 19, 27},
    {2, 10, 18, 26},
    {1, 9, 17, 25},
    {4, 12, 20, 28},
    {5, 13, 21, 29},
    {6, 14, 22, 30},
}};

bool isFujyojyuDay(int32_t month, int32_t day) {
    for (const int32_t d : kFujyojyuDays[static_cast<size_t>(month)]) {
        if (d == day) return true;
    }
    return false;
}

TEST(SelectedDaysFujyojyu, FixedDaysOfEveryLunisolarMonth) {
    int32_t yes = 0;
    int32_t yesInLeapMonths = 0;
    int32_t firstMonthThird = 0;
    int32_t seventhMonthTwentySeventh = 0;
    int32_t firstMonthSecond = 0;
    for (int64_t day = kFirstDay; day <= kLastDay; ++day) {
        const Ymd d = testsupport::civilFromDays(day);
        const CalendarDate date = at(d);
        const LunisolarDate lunar = adto9rek(date);
        if (lunar.month < 1 || lunar.month > 12) continue;  // outside the tables' span
        const bool expected = isFujyojyuDay(lunar.month, lunar.day);
        ASSERT_EQ(fujyojyu(date), expected ? 'Y' : 'N')
            << d.year << "-" << d.month << "-" << d.day << " lunisolar " << lunar.month << "/"
            << lunar.day << " leap " << lunar.leap;
        yes += expected;
        yesInLeapMonths += expected && lunar.leap == 'Y';
        firstMonthThird += lunar.month == 1 && lunar.day == 3;
        seventhMonthTwentySeventh += lunar.month == 7 && lunar.day == 27;
        firstMonthSecond += lunar.month == 1 && lunar.day == 2;
    }
    // Four days in about thirty: a little over one day in eight.
    const int64_t days = kLastDay - kFirstDay + 1;
    EXPECT_GT(yes, days / 8);
    EXPECT_LT(yes, days / 7);
    EXPECT_GT(yesInLeapMonths, 100);
    EXPECT_GT(firstMonthThird, 100);
    EXPECT_GT(seventhMonthTwentySeventh, 100);
    EXPECT_GT(firstMonthSecond, 100);
}

TEST(SelectedDaysFujyojyu, DateOutsideTheLunisolarSpanIsNeverSuchADay) {
    int32_t outside = 0;
    for (const int32_t y : {1850, 1869, 2021, 2050}) {
        for (int32_t d = 1; d <= 60; ++d) {
            const CalendarDate date = at(y, 6, d);
            const LunisolarDate lunar = adto9rek(date);
            if (lunar.month >= 1 && lunar.month <= 12) continue;
            EXPECT_EQ(fujyojyu(date), 'N') << y << " " << d;
            ++outside;
        }
    }
    EXPECT_GT(outside, 0);
}

// ---- Months outside the year and clock time -------------------------------------

TEST(SelectedDays, MonthOutsideTheYearIsNeverSuchADay) {
    // Sixty consecutive days hold every pair, so each test would answer 'Y'
    // on some of them if the month were read.
    for (const int32_t m : {INT_MIN, -1, 0, 13, 14, INT_MAX}) {
        for (int32_t d = 1; d <= 60; ++d) {
            const CalendarDate date = at(2000, m, d);
            EXPECT_EQ(tensyabi(date), 'N') << m << " " << d;
            EXPECT_EQ(kurobi(date), 'N') << m << " " << d;
            EXPECT_EQ(sanrinbo(date), 'N') << m << " " << d;
        }
    }
}

TEST(SelectedDays, ClockTimeCountsFromTwentyOneHours) {
    for (int64_t day = testsupport::daysFromCivil(2000, 1, 1);
         day < testsupport::daysFromCivil(2001, 1, 1); ++day) {
        const Ymd d = testsupport::civilFromDays(day);
        const Ymd next = testsupport::civilFromDays(day + 1);
        const CalendarDate midnight = at(d);
        const CalendarDate late = at(d.year, d.month, d.day, 20, 59, 59);
        const CalendarDate night = at(d.year, d.month, d.day, 21, 0, 0);
        EXPECT_EQ(tensyabi(late), tensyabi(midnight));
        EXPECT_EQ(kurobi(late), kurobi(midnight));
        EXPECT_EQ(sanrinbo(late), sanrinbo(midnight));
        EXPECT_EQ(teniti(late), teniti(midnight));
        // At 21:00 the next day's number is tested against this date's
        // season or solar month; away from the turns that is the next day.
        const int32_t term = vorane2::sectionalTermDay(d.year, d.month, kJst);
        if (d.month == next.month && (next.day < term || d.day >= term)) {
            EXPECT_EQ(kurobi(night), kurobi(at(next)));
            EXPECT_EQ(sanrinbo(night), sanrinbo(at(next)));
        }
        EXPECT_EQ(teniti(night), teniti(at(next)));
    }
}

}  // namespace
