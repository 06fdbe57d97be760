#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <map>
#include <string>

#include "sectional_terms.h"
#include "support/civil.h"
#include "support/sjis.h"
#include "vorane2.h"

namespace {

constexpr double kJst = 135.0;

using testsupport::Ymd;

CalendarDate at(int32_t y, int32_t m, int32_t d, double h = 0, double mi = 0, double s = 0) {
    return CalendarDate{y, m, d, h, mi, s, kJst};
}
CalendarDate at(Ymd d) { return at(d.year, d.month, d.day); }
Ymd ymd(const CalendarDate& d) { return Ymd{d.year, d.month, d.day}; }

std::string str(const char* p) { return p == nullptr ? std::string("<null>") : std::string(p); }

using SwitchFn = CalendarDate(VRN_CALL*)(int32_t, double);

// ---- Names ---------------------------------------------------------------

TEST(NineStarNames, EveryNameIsItsTextInCodePage932) {
    const std::array<const char*, 9> names = {"九紫", "一白", "二黒", "三碧", "四緑",
                                              "五黄", "六白", "七赤", "八白"};
    for (int32_t i = 0; i < 9; ++i) {
        EXPECT_EQ(str(kno2name(i)), testsupport::toCp932(names[static_cast<size_t>(i)])) << i;
    }
    for (const int32_t i : {-1, 9, 10, INT_MIN, INT_MAX}) EXPECT_EQ(kno2name(i), nullptr) << i;
}

// ---- Year and month stars --------------------------------------------------

TEST(NineStarYear, TurnsOnTheDayOfRisshun) {
    const int32_t r2000 = y2risyun(2000, kJst);
    const int32_t r2001 = y2risyun(2001, kJst);
    EXPECT_EQ(ad2nkyusei(at(2000, 2, r2000 - 1)), 1);
    EXPECT_EQ(ad2nkyusei(at(2000, 2, r2000)), 0);  // 九紫
    EXPECT_EQ(ad2nkyusei(at(2000, 12, 31)), 0);
    EXPECT_EQ(ad2nkyusei(at(2001, 1, 1)), 0);
    EXPECT_EQ(ad2nkyusei(at(2001, 2, r2001 - 1)), 0);
    EXPECT_EQ(ad2nkyusei(at(2001, 2, r2001)), 8);  // 八白
    EXPECT_EQ(ad2nkyusei(at(2001, 2, r2001, 23, 59, 59)), 8);
}

TEST(NineStarYear, FallsByOneEachYear) {
    for (int32_t y = 1870; y < 2020; ++y) {
        EXPECT_EQ(ad2nkyusei(at(y + 1, 6, 1)), (ad2nkyusei(at(y, 6, 1)) + 8) % 9) << y;
        EXPECT_EQ(ad2nkyusei(at(y + 1, 1, 20)), ad2nkyusei(at(y, 6, 1))) << y;
    }
}

TEST(NineStarYear, ExtremeYearsGiveAStar) {
    // (2 - year) mod 9: 2 - 2147483647 = -9 * 238609294 + 1; 2 + 2147483648
    // = 9 * 238609294 + 4.
    EXPECT_EQ(ad2nkyusei(at(INT_MAX, 6, 1)), 1);
    EXPECT_EQ(ad2nkyusei(at(INT_MIN, 6, 1)), 4);
    EXPECT_EQ(ad2nkyusei(at(INT_MIN, 1, 1)), 5);
    EXPECT_EQ(ad2nkyusei(at(INT_MAX, 1, 1)), 2);
}

TEST(NineStarMonth, TurnsOnTheDayOfTheSectionalTerm) {
    EXPECT_EQ(ad2tkyusei(at(2000, 2, y2risyun(2000, kJst))), 5);  // 五黄
    EXPECT_EQ(ad2tkyusei(at(2000, 2, y2risyun(2000, kJst) - 1)), 6);
    EXPECT_EQ(ad2tkyusei(at(2000, 3, y2ktitu(2000, kJst))), 4);   // 四緑
    EXPECT_EQ(ad2tkyusei(at(2000, 7, y2syusyo(2000, kJst))), 0);  // 九紫
    EXPECT_EQ(ad2tkyusei(at(2000, 7, y2syusyo(2000, kJst) - 1)), 1);
    EXPECT_EQ(ad2tkyusei(at(2000, 1, y2syokan(2000, kJst) - 1)), 7);  // 七赤
    EXPECT_EQ(ad2tkyusei(at(1999, 12, y2taistu(1999, kJst))), 7);
    EXPECT_EQ(ad2tkyusei(at(1999, 12, y2taistu(1999, kJst) - 1)), 8);
}

TEST(NineStarMonth, FallsByOneEachSolarMonth) {
    for (int32_t y = 1870; y <= 2020; ++y) {
        int32_t previous = ad2tkyusei(at(y, 1, 1));  // December's solar month
        for (int32_t m = 1; m <= 12; ++m) {
            const int32_t t = vorane2::sectionalTermDay(y, m, kJst);
            ASSERT_EQ(ad2tkyusei(at(y, m, t - 1)), previous) << y << "-" << m;
            const int32_t star = ad2tkyusei(at(y, m, t));
            ASSERT_EQ(star, (previous + 8) % 9) << y << "-" << m;
            previous = star;
        }
        ASSERT_EQ(ad2tkyusei(at(y + 1, 1, 1)), previous) << y;
    }
}

TEST(NineStarMonth, FirstMonthFollowsTheYearBranch) {
    // The solar month opening on 立春 is 八白 in 子午卯酉 years, 五黄 in
    // 辰戌丑未 years and 二黒 in 寅申巳亥 years.
    const std::array<int32_t, 12> byBranch = {2, 8, 5, 2, 8, 5, 2, 8, 5, 2, 8, 5};
    for (int32_t y = 1870; y <= 2020; ++y) {
        const CalendarDate risshun = at(y, 2, y2risyun(y, kJst));
        const int32_t branch = ad2neto(risshun) % 12;
        EXPECT_EQ(ad2tkyusei(risshun), byBranch[static_cast<size_t>(branch)]) << y;
    }
}

TEST(NineStarMonth, MonthOutsideTheYearCountsOnPastItsTerm) {
    EXPECT_EQ(ad2tkyusei(at(2000, 13, 1)), ad2tkyusei(at(2001, 1, 28)));
    EXPECT_EQ(ad2tkyusei(at(2000, 0, 1)), ad2tkyusei(at(1999, 12, 28)));
    EXPECT_EQ(ad2tkyusei(at(2000, -11, -3)), ad2tkyusei(at(1999, 1, 28)));
    for (const int32_t y : {INT_MIN, INT_MAX}) {
        for (const int32_t m : {INT_MIN, 0, 1, 12, 13, INT_MAX}) {
            const int32_t s = ad2tkyusei(at(y, m, 1));
            EXPECT_GE(s, 0) << y << " " << m;
            EXPECT_LE(s, 8) << y << " " << m;
        }
    }
}

// ---- Switch days -------------------------------------------------------------

struct SwitchExport {
    SwitchFn fn;
    int32_t month;
    int32_t pair;
    const char* name;
};

const std::array<SwitchExport, 4> kSwitchExports = {{
    {geshi2koushi, 6, 1, "geshi2koushi"},
    {touji2koushi, 12, 1, "touji2koushi"},
    {geshi2kougo, 6, 31, "geshi2kougo"},
    {touji2kougo, 12, 31, "touji2kougo"},
}};

TEST(NineStarSwitchDays, ThePairInTheWindowAroundEverySolstice) {
    for (int32_t y = 1870; y <= 2020; ++y) {
        for (const SwitchExport& e : kSwitchExports) {
            const int32_t solsticeDay = e.month == 6 ? y2gesi(y, kJst) : y2touji(y, kJst);
            const CalendarDate d = e.fn(y, kJst);
            ASSERT_EQ(d.hour, 0.0) << e.name << " " << y;
            ASSERT_EQ(d.minute, 0.0) << e.name << " " << y;
            ASSERT_EQ(d.second, 0.0) << e.name << " " << y;
            ASSERT_EQ(d.longitude, kJst) << e.name << " " << y;
            ASSERT_EQ(ad2heto(d), e.pair) << e.name << " " << y;
            const int64_t offset = testsupport::daysBetween(Ymd{y, e.month, solsticeDay}, ymd(d));
            ASSERT_GE(offset, -29) << e.name << " " << y;
            ASSERT_LE(offset, 30) << e.name << " " << y;
        }
    }
}

TEST(NineStarSwitchDays, SolsticeHalfACycleAwayTakesTheLaterDay) {
    // Find solstice days that are themselves 甲午 (or 甲子) days: the 甲子
    // (or 甲午) day is then 30 days later, never 30 days before.
    int32_t cases = 0;
    for (int32_t y = 1870; y <= 2020; ++y) {
        for (const SwitchExport& e : kSwitchExports) {
            const int32_t solsticeDay = e.month == 6 ? y2gesi(y, kJst) : y2touji(y, kJst);
            const Ymd solstice{y, e.month, solsticeDay};
            const int32_t n = ad2heto(at(solstice));
            if (n == (e.pair == 1 ? 31 : 1)) {
                EXPECT_EQ(ymd(e.fn(y, kJst)), testsupport::addDays(solstice, 30)) << e.name << y;
                ++cases;
            }
            if (n == e.pair) {
                EXPECT_EQ(ymd(e.fn(y, kJst)), solstice) << e.name << " " << y;
            }
        }
    }
    EXPECT_GT(cases, 0);
}

TEST(NineStarSwitchDays, WorkedExampleAroundTheTurnOf2000) {
    ASSERT_EQ(y2touji(1999, kJst), 22);
    ASSERT_EQ(ad2heto(at(1999, 12, 22)), 45);
    EXPECT_EQ(ymd(touji2koushi(1999, kJst)), (Ymd{2000, 1, 7}));
    ASSERT_EQ(y2gesi(1999, kJst), 22);
    ASSERT_EQ(ad2heto(at(1999, 6, 22)), 42);
    EXPECT_EQ(ymd(geshi2koushi(1999, kJst)), (Ymd{1999, 7, 11}));
    // At another meridian the days are those of its own clock.
    const CalendarDate utc = touji2koushi(1999, 0.0);
    EXPECT_EQ(utc.longitude, 0.0);
    EXPECT_EQ(ad2heto(CalendarDate{utc.year, utc.month, utc.day, 0, 0, 0, 0.0}), 1);
}

// ---- Day star ------------------------------------------------------------------

TEST(NineStarDay, WorkedExampleAroundTheTurnOf2000) {
    // The day before a switch day continues the upward run.
    EXPECT_EQ(ad2hkyusei(at(1999, 7, 10)), (ad2hkyusei(at(1999, 7, 9)) + 1) % 9);
    EXPECT_EQ(ad2hkyusei(at(1999, 7, 11)), 0);  // summer 甲子 switch day
    EXPECT_EQ(ad2hkyusei(at(1999, 7, 12)), 8);
    EXPECT_EQ(ad2hkyusei(at(1999, 12, 31)), 7);
    EXPECT_EQ(ad2hkyusei(at(2000, 1, 1)), 6);  // 174 days down from 1999-07-11
    EXPECT_EQ(ad2hkyusei(at(2000, 1, 6)), 1);
    EXPECT_EQ(ad2hkyusei(at(2000, 1, 7)), 1);  // winter 甲子 switch day
    EXPECT_EQ(ad2hkyusei(at(2000, 1, 8)), 2);
    EXPECT_EQ(ad2hkyusei(at(2000, 1, 15)), 0);
    EXPECT_EQ(ad2hkyusei(at(2000, 1, 16)), 1);
}

TEST(NineStarDay, KougoSwitchDays) {
    const CalendarDate winter2008 = touji2kougo(2008, kJst);
    const Ymd w = ymd(winter2008);
    EXPECT_EQ(ad2hkyusei(winter2008), 7);  // 七赤
    EXPECT_EQ(ad2hkyusei(at(testsupport::addDays(w, 1))), 8);
    EXPECT_EQ(ad2hkyusei(at(testsupport::addDays(w, 2))), 0);
    EXPECT_EQ(ad2hkyusei(at(testsupport::addDays(w, 3))), 1);
    const CalendarDate summer1997 = geshi2kougo(1997, kJst);
    const Ymd s = ymd(summer1997);
    EXPECT_EQ(ad2hkyusei(summer1997), 3);  // 三碧
    EXPECT_EQ(ad2hkyusei(at(testsupport::addDays(s, 1))), 2);
}

TEST(NineStarDay, ClockTimeDoesNotMatter) {
    for (const Ymd d : {Ymd{2000, 1, 6}, Ymd{2000, 1, 7}, Ymd{1999, 7, 11}, Ymd{2010, 3, 31}}) {
        const int32_t midnight = ad2hkyusei(at(d));
        EXPECT_EQ(ad2hkyusei(at(d.year, d.month, d.day, 23, 59, 0)), midnight);
        EXPECT_EQ(ad2hkyusei(at(d.year, d.month, d.day, 21, 0, 0)), midnight);
        EXPECT_EQ(ad2hkyusei(at(d.year, d.month, d.day, 12, 30, 59)), midnight);
    }
}

// The switch day of each run with its first star and direction, keyed by
// its day count, from the switch-day exports and the 23-year rule.
struct RunStart {
    int32_t star;
    int32_t step;
};

std::map<int64_t, RunStart> switchDays(int32_t from, int32_t to) {
    std::map<int64_t, RunStart> runs;
    for (int32_t y = from; y <= to; ++y) {
        const bool summerKougo = ((y % 23) + 23) % 23 == 19;
        const bool winterKougo = ((y % 23) + 23) % 23 == 7;
        const Ymd s = ymd(summerKougo ? geshi2kougo(y, kJst) : geshi2koushi(y, kJst));
        const Ymd w = ymd(winterKougo ? touji2kougo(y, kJst) : touji2koushi(y, kJst));
        runs[testsupport::daysFromCivil(s.year, s.month, s.day)] = {summerKougo ? 3 : 0, -1};
        runs[testsupport::daysFromCivil(w.year, w.month, w.day)] = {winterKougo ? 7 : 1, +1};
    }
    return runs;
}

TEST(NineStarDay, StepsOneADayAndRestartsOnSwitchDays) {
    // Every day of 1870..2020: a switch day shows its run's first star, any
    // other day the previous day's star one step on in the run's direction.
    const auto started = std::chrono::steady_clock::now();
    const std::map<int64_t, RunStart> runs = switchDays(1869, 2020);
    // Switch days alternate summer and winter and lie 5 to 7 months apart.
    int64_t lastDay = 0;
    int32_t lastStep = 0;
    for (const auto& [day, run] : runs) {
        if (lastStep != 0) {
            ASSERT_NE(run.step, lastStep) << day;
            ASSERT_GT(day - lastDay, 150) << day;
            ASSERT_LT(day - lastDay, 215) << day;
        }
        lastDay = day;
        lastStep = run.step;
    }

    const int64_t first = testsupport::daysFromCivil(1870, 1, 1);
    const int64_t last = testsupport::daysFromCivil(2020, 12, 31);
    auto current = runs.upper_bound(first - 1);
    ASSERT_NE(current, runs.begin());
    --current;  // the run in force on the day before the first
    int32_t previous = ad2hkyusei(at(testsupport::civilFromDays(first - 1)));
    int32_t switchDaysSeen = 0;
    for (int64_t day = first; day <= last; ++day) {
        const Ymd date = testsupport::civilFromDays(day);
        const int32_t star = ad2hkyusei(at(date));
        const auto hit = runs.find(day);
        if (hit != runs.end()) {
            current = hit;
            ASSERT_EQ(star, hit->second.star) << date.year << "-" << date.month << "-" << date.day;
            ++switchDaysSeen;
        } else {
            ASSERT_EQ(star, (previous + current->second.step + 9) % 9)
                << date.year << "-" << date.month << "-" << date.day;
        }
        previous = star;
    }
    // Every switch day of the span was met (a winter one may fall in the
    // January after its year, so the span holds about two a year).
    const auto inSpan = std::distance(runs.lower_bound(first), runs.upper_bound(last));
    EXPECT_EQ(switchDaysSeen, inSpan);
    EXPECT_GE(switchDaysSeen, 2 * 151 - 2);
    const auto elapsed = std::chrono::steady_clock::now() - started;
    std::printf("[ measured ] day stars of 1870..2020 in %lld ms\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
}

TEST(NineStarDay, ExtremeArgumentsGiveAStar) {
    for (const int32_t y : {INT_MIN, INT_MIN + 1, -4712, 0, INT_MAX - 1, INT_MAX}) {
        for (const int32_t m : {INT_MIN, 0, 1, 6, 12, 13, INT_MAX}) {
            for (const int32_t d : {INT_MIN, 0, 15, INT_MAX}) {
                const int32_t s = ad2hkyusei(at(y, m, d));
                EXPECT_GE(s, 0) << y << " " << m << " " << d;
                EXPECT_LE(s, 8) << y << " " << m << " " << d;
            }
        }
    }
}

}  // namespace
