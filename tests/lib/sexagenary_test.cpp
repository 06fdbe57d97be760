#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <string>

#include "sectional_terms.h"
#include "support/civil.h"
#include "support/sjis.h"
#include "vorane2.h"

namespace {

constexpr double kJst = 135.0;

CalendarDate at(int32_t y, int32_t m, int32_t d, double h = 0, double mi = 0, double s = 0,
                double lon = kJst) {
    return CalendarDate{y, m, d, h, mi, s, lon};
}

CalendarDate at(testsupport::Ymd d) { return at(d.year, d.month, d.day); }

// The sixty pairs in cycle order, 0 (癸亥) first, as readable text.
const std::array<const char*, 60> kPairs = {
    "癸亥", "甲子", "乙丑", "丙寅", "丁卯", "戊辰", "己巳", "庚午", "辛未", "壬申", "癸酉", "甲戌",
    "乙亥", "丙子", "丁丑", "戊寅", "己卯", "庚辰", "辛巳", "壬午", "癸未", "甲申", "乙酉", "丙戌",
    "丁亥", "戊子", "己丑", "庚寅", "辛卯", "壬辰", "癸巳", "甲午", "乙未", "丙申", "丁酉", "戊戌",
    "己亥", "庚子", "辛丑", "壬寅", "癸卯", "甲辰", "乙巳", "丙午", "丁未", "戊申", "己酉", "庚戌",
    "辛亥", "壬子", "癸丑", "甲寅", "乙卯", "丙辰", "丁巳", "戊午", "己未", "庚申", "辛酉", "壬戌",
};
const std::array<const char*, 10> kStems = {"癸", "甲", "乙", "丙", "丁",
                                            "戊", "己", "庚", "辛", "壬"};
const std::array<const char*, 12> kBranches = {"亥", "子", "丑", "寅", "卯", "辰",
                                               "巳", "午", "未", "申", "酉", "戌"};

std::string str(const char* p) { return p == nullptr ? std::string("<null>") : std::string(p); }

// ---- Names ---------------------------------------------------------------

TEST(SexagenaryNames, EveryNameIsItsTextInCodePage932) {
    for (int32_t i = 0; i < 60; ++i) {
        EXPECT_EQ(str(eno2name(i)), testsupport::toCp932(kPairs[static_cast<size_t>(i)]))
            << "pair " << i;
        EXPECT_EQ(str(eno2name(i)).size(), 4u);
    }
    for (int32_t i = 0; i < 10; ++i) {
        EXPECT_EQ(str(e102name(i)), testsupport::toCp932(kStems[static_cast<size_t>(i)]))
            << "stem " << i;
    }
    for (int32_t i = 0; i < 12; ++i) {
        EXPECT_EQ(str(e122name(i)), testsupport::toCp932(kBranches[static_cast<size_t>(i)]))
            << "branch " << i;
    }
}

TEST(SexagenaryNames, PairIsItsStemFollowedByItsBranch) {
    for (int32_t n = 0; n < 60; ++n) {
        EXPECT_EQ(str(eno2name(n)), str(e102name(eno210no(n))) + str(e122name(eno212no(n)))) << n;
    }
    EXPECT_EQ(str(eno2name(0)), testsupport::toCp932("癸亥"));
    EXPECT_EQ(str(eno2name(1)), testsupport::toCp932("甲子"));
    EXPECT_EQ(str(e102name(0)), testsupport::toCp932("癸"));
    EXPECT_EQ(str(e122name(0)), testsupport::toCp932("亥"));
}

TEST(SexagenaryNames, IndicesOutsideTheTablesGiveNull) {
    for (const int32_t i : {-1, 60, 61, INT_MIN, INT_MAX}) EXPECT_EQ(eno2name(i), nullptr) << i;
    for (const int32_t i : {-1, 10, INT_MIN, INT_MAX}) EXPECT_EQ(e102name(i), nullptr) << i;
    for (const int32_t i : {-1, 12, INT_MIN, INT_MAX}) EXPECT_EQ(e122name(i), nullptr) << i;
    EXPECT_NE(eno2name(59), nullptr);
    EXPECT_NE(e102name(9), nullptr);
    EXPECT_NE(e122name(11), nullptr);
}

TEST(SexagenaryNames, RemaindersKeepTheSignOfTheDividend) {
    EXPECT_EQ(eno210no(59), 9);
    EXPECT_EQ(eno212no(59), 11);
    EXPECT_EQ(eno210no(60), 0);
    EXPECT_EQ(eno210no(-3), -3);
    EXPECT_EQ(eno210no(-13), -3);
    EXPECT_EQ(eno212no(-13), -1);
    EXPECT_EQ(eno210no(INT_MIN), -8);
    EXPECT_EQ(eno212no(INT_MIN), -8);
    EXPECT_EQ(eno210no(INT_MAX), 7);
    EXPECT_EQ(eno212no(INT_MAX), 7);
}

// ---- Year ----------------------------------------------------------------

TEST(SexagenaryYear, TurnsOnTheDayOfRisshun) {
    const int32_t r2000 = y2risyun(2000, kJst);
    ASSERT_EQ(r2000, 4);
    EXPECT_EQ(ad2neto(at(2000, 1, 1)), 16);  // 己卯
    EXPECT_EQ(ad2neto(at(2000, 1, 31)), 16);
    EXPECT_EQ(ad2neto(at(2000, 2, r2000 - 1)), 16);
    EXPECT_EQ(ad2neto(at(2000, 2, r2000)), 17);  // 庚辰
    EXPECT_EQ(ad2neto(at(2000, 12, 31)), 17);
    const int32_t r1984 = y2risyun(1984, kJst);
    EXPECT_EQ(ad2neto(at(1984, 2, r1984 - 1)), 0);  // 癸亥
    EXPECT_EQ(ad2neto(at(1984, 2, r1984)), 1);      // 甲子
    EXPECT_EQ(ad2neto(at(1984, 6, 1)), 1);
    EXPECT_EQ(ad2neto(at(1, 2, y2risyun(1, kJst))), 58);  // 辛酉
    EXPECT_EQ(ad2neto(at(1, 12, 1)), 58);
}

TEST(SexagenaryYear, ClockTimeDoesNotMatter) {
    const int32_t r = y2risyun(1997, kJst);
    EXPECT_EQ(ad2neto(at(1997, 2, r - 1, 23, 59, 59)), ad2neto(at(1997, 2, r - 1)));
    EXPECT_EQ(ad2neto(at(1997, 2, r, 23, 59, 59)), ad2neto(at(1997, 2, r)));
}

TEST(SexagenaryYear, StepsOncePerYear) {
    for (int32_t y = 1870; y < 2020; ++y) {
        EXPECT_EQ(ad2neto(at(y + 1, 3, 1)), (ad2neto(at(y, 3, 1)) + 1) % 60) << y;
        EXPECT_EQ(ad2neto(at(y + 1, 1, 15)), ad2neto(at(y, 3, 1))) << y;
    }
}

TEST(SexagenaryYear, ExtremeYearsStayInTheCycle) {
    // 2147483647 - 3 = 60 * 35791394 + 4; -2147483648 - 3 = -60 * 35791398 + 49.
    EXPECT_EQ(ad2neto(at(INT_MAX, 6, 1)), 4);
    EXPECT_EQ(ad2neto(at(INT_MIN, 6, 1)), 49);
    EXPECT_EQ(ad2neto(at(INT_MIN, 1, 1)), 48);
    EXPECT_EQ(ad2neto(at(INT_MAX, 1, 1)), 3);
}

// ---- Month ---------------------------------------------------------------

TEST(SexagenaryMonth, TurnsOnTheDayOfTheSectionalTerm) {
    const int32_t shokan1900 = y2syokan(1900, kJst);
    EXPECT_EQ(ad2teto(at(1900, 1, shokan1900 - 1)), 13);        // 丙子
    EXPECT_EQ(ad2teto(at(1900, 1, shokan1900)), 14);            // 丁丑
    EXPECT_EQ(ad2teto(at(2000, 2, y2risyun(2000, kJst))), 15);  // 戊寅
    EXPECT_EQ(ad2teto(at(2000, 2, y2risyun(2000, kJst) - 1)), 14);
    // Every month of 2000: the term's day opens the month, the day before
    // still belongs to the previous one.
    for (int32_t m = 1; m <= 12; ++m) {
        const int32_t t = vorane2::sectionalTermDay(2000, m, kJst);
        const int32_t open = ad2teto(at(2000, m, t));
        EXPECT_EQ(ad2teto(at(2000, m, t - 1)), (open + 59) % 60) << m;
        EXPECT_EQ(ad2teto(at(2000, m, 28)), open) << m;
    }
}

TEST(SexagenaryMonth, WrapsAroundTheEndOfTheCycle) {
    // The solar month of November 1903 is 癸亥 (0), that of December 1903 is
    // 甲子 (1), so the days before November's term are 壬戌 (59).
    const int32_t rittou = y2rittou(1903, kJst);
    const int32_t taisetsu = y2taistu(1903, kJst);
    EXPECT_EQ(ad2teto(at(1903, 11, rittou - 1)), 59);
    EXPECT_EQ(ad2teto(at(1903, 11, rittou)), 0);
    EXPECT_EQ(ad2teto(at(1903, 12, taisetsu - 1)), 0);
    EXPECT_EQ(ad2teto(at(1903, 12, taisetsu)), 1);
}

TEST(SexagenaryMonth, FirstMonthFollowsTheYearStem) {
    // The solar month that opens on 立春 is always a 寅 month, and its stem
    // is fixed by the year's: 甲/己 years open on 丙寅, 乙/庚 on 戊寅, 丙/辛
    // on 庚寅, 丁/壬 on 壬寅 and 戊/癸 on 甲寅.
    const std::array<int32_t, 10> firstMonthByYearStem = {51, 3, 15, 27, 39, 51, 3, 15, 27, 39};
    for (int32_t y = 1870; y <= 2020; ++y) {
        const CalendarDate risshun = at(y, 2, y2risyun(y, kJst));
        const int32_t yearStem = ad2neto(risshun) % 10;
        EXPECT_EQ(ad2teto(risshun), firstMonthByYearStem[static_cast<size_t>(yearStem)]) << y;
    }
}

TEST(SexagenaryMonth, DecemberRunsOnIntoJanuary) {
    for (int32_t y = 1870; y < 2020; ++y) {
        const int32_t december = ad2teto(at(y, 12, y2taistu(y, kJst)));
        EXPECT_EQ(ad2teto(at(y, 12, 31)), december) << y;
        EXPECT_EQ(ad2teto(at(y + 1, 1, y2syokan(y + 1, kJst) - 1)), december) << y;
        EXPECT_EQ(ad2teto(at(y + 1, 1, y2syokan(y + 1, kJst))), (december + 1) % 60) << y;
    }
}

TEST(SexagenaryMonth, MonthOutsideTheYearCountsOnPastItsTerm) {
    // Month 13 reads as January of the next year, month 0 as December of the
    // previous one, both from their sectional term on, whatever the day.
    EXPECT_EQ(ad2teto(at(1999, 13, 1)), ad2teto(at(2000, 1, 28)));
    EXPECT_EQ(ad2teto(at(2000, 0, 1)), ad2teto(at(1999, 12, 28)));
    EXPECT_EQ(ad2teto(at(2000, 0, -5)), ad2teto(at(1999, 12, 28)));
    EXPECT_EQ(ad2teto(at(2000, 14, 1)), ad2teto(at(2001, 2, 28)));
    for (const int32_t m : {INT_MIN, -1000, 1000, INT_MAX}) {
        const int32_t n = ad2teto(at(2000, m, 1));
        EXPECT_GE(n, 0) << m;
        EXPECT_LT(n, 60) << m;
    }
}

TEST(SexagenaryMonth, ExtremeYearsStayInTheCycle) {
    for (const int32_t y : {INT_MIN, INT_MIN + 1, INT_MAX - 1, INT_MAX}) {
        for (const int32_t m : {1, 6, 12, 13}) {
            const int32_t n = ad2teto(at(y, m, 15));
            EXPECT_GE(n, 0) << y << "-" << m;
            EXPECT_LT(n, 60) << y << "-" << m;
        }
    }
    // 12 * (2147483647 - 1900) + 6 + 13 = 25769780983, 43 mod 60.
    EXPECT_EQ(ad2teto(at(INT_MAX, 6, 28)), 43);
}

// ---- Day -----------------------------------------------------------------

TEST(SexagenaryDay, TurnsAtNoonUniversalTime) {
    EXPECT_EQ(ad2heto(at(2000, 1, 1)), 55);  // 戊午
    EXPECT_EQ(ad2heto(at(2000, 1, 1, 20, 59, 59)), 55);
    EXPECT_EQ(ad2heto(at(2000, 1, 1, 21, 0, 0)), 56);  // 己未
    EXPECT_EQ(ad2heto(at(2000, 1, 1, 0, 0, 0, 0.0)), 55);
    EXPECT_EQ(ad2heto(at(2000, 1, 1, 11, 59, 59, 0.0)), 55);
    EXPECT_EQ(ad2heto(at(2000, 1, 1, 12, 0, 0, 0.0)), 56);
}

TEST(SexagenaryDay, FollowsTheJulianDayNumber) {
    // (N - 10) mod 60 for every day 1870..2020, N from independent civil
    // arithmetic.
    const testsupport::Ymd first{1870, 1, 1};
    const int64_t days = testsupport::daysBetween(first, {2021, 1, 1});
    for (int64_t i = 0; i < days; ++i) {
        const testsupport::Ymd d = testsupport::addDays(first, i);
        const int64_t expected = (testsupport::julianDayNumber(d) - 10) % 60;
        ASSERT_EQ(ad2heto(at(d)), expected) << d.year << "-" << d.month << "-" << d.day;
    }
}

TEST(SexagenaryDay, CycleRunsOnBeforeJulianDayNine) {
    // 1 January 4713 BC (year -4712) 12:00 UT is Julian day 0: (0 - 9) mod 60
    // is 51, and the cycle runs on steadily across Julian day 9.
    EXPECT_EQ(ad2heto(at(-4712, 1, 1, 12, 0, 0, 0.0)), 51);
    EXPECT_EQ(ad2heto(at(-4712, 1, 1, 0, 0, 0, 0.0)), 50);
    int32_t previous = ad2heto(at(-4712, 1, 1, 0, 0, 0, 0.0));
    for (int32_t d = 2; d <= 20; ++d) {
        const int32_t n = ad2heto(at(-4712, 1, d, 0, 0, 0, 0.0));
        EXPECT_EQ(n, (previous + 1) % 60) << d;
        previous = n;
    }
    EXPECT_EQ(ad2heto(at(-4712, 1, 10, 12, 0, 0, 0.0)), 0);  // Julian day 9
    EXPECT_EQ(ad2heto(at(-4712, 1, 10, 0, 0, 0, 0.0)), 59);  // Julian day 8.5
}

TEST(SexagenaryDay, NonFiniteInstantGivesZero) {
    EXPECT_EQ(ad2heto(at(2000, 1, 1, NAN)), 0);
    EXPECT_EQ(ad2heto(at(2000, 1, 1, INFINITY)), 0);
    EXPECT_EQ(ad2heto(at(2000, 1, 1, 0, 0, 0, -INFINITY)), 0);
}

// ---- Two-hour period -------------------------------------------------------

TEST(SexagenaryHour, ExamplesOfADay) {
    EXPECT_EQ(ht2teto(23, 55), 49);  // 壬子
    EXPECT_EQ(ht2teto(0, 55), 49);
    EXPECT_EQ(ht2teto(1, 55), 50);  // 癸丑
    EXPECT_EQ(ht2teto(2, 55), 50);
    EXPECT_EQ(ht2teto(22, 55), 0);  // 癸亥
    EXPECT_EQ(ht2teto(21, 55), 0);
    EXPECT_EQ(ht2teto(20, 55), 59);
    for (int32_t h = 0; h < 24; ++h) EXPECT_EQ(ht2teto(h, 5), ht2teto(h, 55)) << h;
}

TEST(SexagenaryHour, RatPeriodByDayStem) {
    // 甲/己 days open on 甲子, 乙/庚 on 丙子, 丙/辛 on 戊子, 丁/壬 on 庚子,
    // 戊/癸 on 壬子.
    const std::array<int32_t, 10> ratByStem = {49, 1, 13, 25, 37, 49, 1, 13, 25, 37};
    for (int32_t n = 0; n < 60; ++n) {
        EXPECT_EQ(ht2teto(0, n), ratByStem[static_cast<size_t>(n % 10)]) << n;
        EXPECT_EQ(ht2teto(23, n), ratByStem[static_cast<size_t>(n % 10)]) << n;
    }
}

TEST(SexagenaryHour, PeriodsRunOnWithoutABreak) {
    // Five days of twelve periods make one cycle: every period is the one
    // before plus one, also from the 亥 period of a day to the 子 period of
    // the next.
    for (int32_t n = 0; n < 60; ++n) {
        EXPECT_EQ(ht2teto(1, n), (ht2teto(0, n) + 1) % 60) << n;
        for (int32_t h = 1; h <= 21; h += 2) {
            EXPECT_EQ(ht2teto(h + 1, n), ht2teto(h, n)) << n << " " << h;
            if (h < 21) {
                EXPECT_EQ(ht2teto(h + 2, n), (ht2teto(h, n) + 1) % 60) << n << " " << h;
            }
        }
        EXPECT_EQ(ht2teto(0, (n + 1) % 60), (ht2teto(22, n) + 1) % 60) << n;
    }
}

TEST(SexagenaryHour, AnyArgumentGivesAPairOfTheCycle) {
    // Hours read on the 24-hour clock, day numbers by their stem.
    EXPECT_EQ(ht2teto(-1, 55), ht2teto(23, 55));
    EXPECT_EQ(ht2teto(-2, 55), ht2teto(22, 55));
    EXPECT_EQ(ht2teto(24, 55), ht2teto(0, 55));
    EXPECT_EQ(ht2teto(47, 55), ht2teto(23, 55));
    EXPECT_EQ(ht2teto(INT_MAX, 55), ht2teto(7, 55));   // 2^31 - 1 = 24k + 7
    EXPECT_EQ(ht2teto(INT_MIN, 55), ht2teto(16, 55));  // -2^31 = 24k + 16
    EXPECT_EQ(ht2teto(0, -5), ht2teto(0, 55));
    EXPECT_EQ(ht2teto(0, -60), ht2teto(0, 0));
    EXPECT_EQ(ht2teto(0, INT_MIN), ht2teto(0, 2));  // -2^31 = 10k + 2
    EXPECT_EQ(ht2teto(0, INT_MAX), ht2teto(0, 7));
    for (const int32_t h : {INT_MIN, -25, -1, 24, 1000, INT_MAX}) {
        for (const int32_t n : {INT_MIN, -61, -1, 60, 61, INT_MAX}) {
            const int32_t p = ht2teto(h, n);
            EXPECT_GE(p, 0) << h << " " << n;
            EXPECT_LT(p, 60) << h << " " << n;
        }
    }
}

}  // namespace
