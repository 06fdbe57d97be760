// The lunisolar date: worked dates, the month-numbering rules, the edges of
// the span of stored new moons, and every day of that span checked against
// the stored new-moon days.

#include "lunisolar.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "vorane2.h"

namespace {

constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();

struct Expected {
    char leap;
    int32_t year, month, day;
};

LunisolarDate lunar(int32_t y, int32_t m, int32_t d, double hour = 0.0, double lon = 135.0) {
    return adto9rek(CalendarDate{y, m, d, hour, 0.0, 0.0, lon});
}

::testing::AssertionResult is(const LunisolarDate& r, Expected e) {
    if (r.leap == e.leap && r.year == e.year && r.month == e.month && r.day == e.day) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "got " << r.leap << " " << r.year << "-" << r.month << "-" << r.day << ", want "
           << e.leap << " " << e.year << "-" << e.month << "-" << e.day;
}

const Expected kError{'N', -999, -999, -999};

double midnight(int32_t y, int32_t m, int32_t d) {
    return ad2jd(CalendarDate{y, m, d, 0.0, 0.0, 0.0, 135.0});
}

bool isStoredNewMoon(const CalendarDate& d) {
    const CalendarDate m{d.year, d.month, 1, 0.0, 0.0, 0.0, 135.0};
    return duncan2(m).day == d.day || duncan3(m).day == d.day;
}

TEST(LunisolarDate, WorkedDates) {
    EXPECT_TRUE(is(lunar(2000, 1, 1), {'N', 1999, 11, 25}));
    EXPECT_TRUE(is(lunar(2000, 2, 4), {'N', 1999, 12, 29}));
    EXPECT_TRUE(is(lunar(2000, 2, 5), {'N', 2000, 1, 1}));
    EXPECT_TRUE(is(lunar(2020, 5, 22), {'N', 2020, 4, 30}));
    EXPECT_TRUE(is(lunar(2020, 5, 23), {'Y', 2020, 4, 1}));
    EXPECT_TRUE(is(lunar(2020, 6, 21), {'N', 2020, 5, 1}));
}

TEST(LunisolarDate, NewMoonHeldOnTheDayAfterItsConjunction) {
    // The stored new moon of February 2017 is the 27th; the month that
    // begins then holds the 0-degree term (the Sun above 330 at its start,
    // below 30 at the next).
    EXPECT_TRUE(is(lunar(2017, 2, 26), {'N', 2017, 1, 30}));
    EXPECT_TRUE(is(lunar(2017, 2, 27), {'N', 2017, 2, 1}));
}

TEST(LunisolarDate, WinterOf1984WithTwoTermsThenNone) {
    // 1984-12-22 begins a month with both 270 and 300 degrees: month 11.
    EXPECT_TRUE(is(lunar(1984, 12, 22), {'N', 1984, 11, 1}));
    EXPECT_TRUE(is(lunar(1985, 1, 20), {'N', 1984, 11, 30}));
    // 1985-01-21 holds 330 degrees: month 1 of the new year.
    EXPECT_TRUE(is(lunar(1985, 1, 21), {'N', 1985, 1, 1}));
    // 1985-02-20 holds no term: leap month 1.
    EXPECT_TRUE(is(lunar(1985, 2, 19), {'N', 1985, 1, 30}));
    EXPECT_TRUE(is(lunar(1985, 2, 20), {'Y', 1985, 1, 1}));
}

TEST(LunisolarDate, EdgesOfTheStoredSpan) {
    EXPECT_TRUE(is(lunar(1870, 1, 31), kError));
    EXPECT_TRUE(is(lunar(1870, 2, 1), {'N', 1870, 1, 1}));
    EXPECT_TRUE(is(lunar(1870, 3, 1), {'N', 1870, 1, 29}));
    EXPECT_TRUE(is(lunar(2020, 12, 14), {'N', 2020, 10, 30}));
    EXPECT_TRUE(is(lunar(2020, 12, 15), kError));
    EXPECT_TRUE(is(lunar(2021, 6, 1), kError));
    EXPECT_TRUE(is(lunar(1869, 12, 31), kError));
    EXPECT_TRUE(is(lunar(1, 1, 1), kError));
    // The error keeps the caller's longitude.
    EXPECT_EQ(lunar(1800, 1, 1, 0.0, 139.5).longitude, 139.5);
}

TEST(LunisolarDate, ExtremeArgumentsGiveTheErrorOrADefinedDate) {
    for (const int32_t y : {kIntMin, kIntMax, -1, 0}) {
        for (const int32_t m : {kIntMin, -5, 0, 1, 13, kIntMax}) {
            for (const int32_t d : {kIntMin, 0, 1, 40, kIntMax}) {
                EXPECT_TRUE(is(lunar(y, m, d), kError)) << y << " " << m << " " << d;
            }
        }
    }
    EXPECT_TRUE(is(lunar(2000, 1, kIntMax), kError));
    EXPECT_TRUE(is(lunar(2000, kIntMin, 1), kError));
}

TEST(LunisolarDate, DaysAndMonthsOutOfRangeRunOnLikeJulianDays) {
    const auto same = [](const LunisolarDate& a, const LunisolarDate& b) {
        return is(a, {b.leap, b.year, b.month, b.day});
    };
    EXPECT_TRUE(same(lunar(2000, 1, 40), lunar(2000, 2, 9)));
    EXPECT_TRUE(same(lunar(2000, 1, 0), lunar(1999, 12, 31)));
    EXPECT_TRUE(same(lunar(2000, 13, 1), lunar(2001, 1, 1)));
    EXPECT_TRUE(same(lunar(2000, 0, 31), lunar(1999, 12, 31)));
    EXPECT_TRUE(same(lunar(2000, -5, 10), lunar(1999, 7, 10)));
    // The year rule follows the date run on to, not the month as written:
    // 2000-0-31 is in month 11 of 1999.
    EXPECT_TRUE(is(lunar(2000, 0, 31), {'N', 1999, 11, 24}));
    // Running on past the end of the span is rejected like the date itself.
    EXPECT_TRUE(is(lunar(2020, 12, 15), kError));
    EXPECT_TRUE(is(lunar(2020, 11, 45), kError));
    EXPECT_TRUE(is(lunar(1870, 2, 0), kError));
}

TEST(LunisolarDate, ClockTimeAndMeridianDoNotMoveTheDate) {
    const LunisolarDate tokyo = lunar(2000, 2, 5, 0.0, 135.0);
    const LunisolarDate late = adto9rek(CalendarDate{2000, 2, 5, 23.0, 59.0, 59.0, 0.0});
    EXPECT_TRUE(is(late, {tokyo.leap, tokyo.year, tokyo.month, tokyo.day}));
    EXPECT_EQ(late.longitude, 0.0);
    EXPECT_EQ(tokyo.longitude, 135.0);
    const LunisolarDate west = lunar(2000, 2, 4, 20.0, -120.0);
    EXPECT_TRUE(is(west, {'N', 1999, 12, 29}));
}

// Late January of the years whose February has no new moon: the last new
// moon of January is on or before the date and the next is in March, so the
// four months around the date hold nothing after it. These are all such
// dates of the span; each is answered from the March new moon.
TEST(LunisolarDate, DatesThatNeedAFifthMonthOfNewMoons) {
    EXPECT_TRUE(is(lunar(1889, 1, 31), {'N', 1889, 1, 1}));
    EXPECT_TRUE(is(lunar(1900, 1, 31), {'N', 1900, 1, 1}));
    EXPECT_TRUE(is(lunar(1911, 1, 30), {'N', 1911, 1, 1}));
    EXPECT_TRUE(is(lunar(1911, 1, 31), {'N', 1911, 1, 2}));
    EXPECT_TRUE(is(lunar(1938, 1, 31), {'N', 1938, 1, 1}));
    EXPECT_TRUE(is(lunar(1957, 1, 31), {'N', 1957, 1, 1}));
    EXPECT_TRUE(is(lunar(1976, 1, 31), {'N', 1976, 1, 1}));
    EXPECT_TRUE(is(lunar(1995, 1, 31), {'N', 1995, 1, 1}));
    EXPECT_TRUE(is(lunar(2014, 1, 31), {'N', 2014, 1, 1}));
    // The day before each still has its next new moon in January.
    EXPECT_TRUE(is(lunar(1889, 1, 30), {'N', 1888, 12, 29}));
    // These months run to the March new moon: 30 days.
    EXPECT_TRUE(is(lunar(1889, 3, 1), {'N', 1889, 1, 30}));
    EXPECT_TRUE(is(lunar(1889, 3, 2), {'N', 1889, 2, 1}));
}

TEST(LunarMonthNumber, TermsInTheirTableOrder) {
    using vorane2::lunarMonthNumber;
    const auto check = [](vorane2::LunarMonthNumber n, int32_t month, char leap) {
        EXPECT_EQ(n.month, month);
        EXPECT_EQ(n.leap, leap);
    };
    check(lunarMonthNumber(0.0, 10.0, 39.0), 3, 'N');
    check(lunarMonthNumber(0.0, 305.0, 334.0), 1, 'N');
    // Two terms in one month: the first of the table's order names it.
    check(lunarMonthNumber(0.0, 265.0, 301.0), 11, 'N');
    // The term on the month's first midnight belongs to it; one on the next
    // month's first midnight does not.
    check(lunarMonthNumber(0.0, 120.0, 149.0), 6, 'N');
    check(lunarMonthNumber(62.0, 91.0, 120.0), 5, 'Y');
    check(lunarMonthNumber(0.0, 91.0, 120.0001), 6, 'N');
    // The 0-degree term across the wrap.
    check(lunarMonthNumber(300.0, 340.0, 9.0), 2, 'N');
    check(lunarMonthNumber(300.0, 330.5, 30.0), 2, 'N');
}

TEST(LunarMonthNumber, LeapMonthsTakeTheNumberOfTheMonthBefore) {
    using vorane2::lunarMonthNumber;
    // No term between 91 and 119: the 90-degree term lies in the month
    // before, so this is leap month 5.
    auto n = lunarMonthNumber(62.0, 91.0, 119.0);
    EXPECT_EQ(n.month, 5);
    EXPECT_EQ(n.leap, 'Y');
    // After the month with 0 degrees: leap month 2.
    n = lunarMonthNumber(340.0, 0.5, 29.5);
    EXPECT_EQ(n.month, 2);
    EXPECT_EQ(n.leap, 'Y');
    // After the month with 330: leap month 1 (no wrap in this month).
    n = lunarMonthNumber(310.0, 331.0, 359.5);
    EXPECT_EQ(n.month, 1);
    EXPECT_EQ(n.leap, 'Y');
}

TEST(LunarMonthNumber, AMonthSpanningBoth330And360FitsNoRule) {
    const auto n = vorane2::lunarMonthNumber(299.0, 329.9, 0.1);
    EXPECT_EQ(n.month, vorane2::kLunisolarError);
    EXPECT_EQ(n.leap, 'N');
}

TEST(LunisolarCore, LongerSpanAgreesInsideAndReachesFurther) {
    for (const CalendarDate& d :
         {CalendarDate{2000, 2, 5, 0, 0, 0, 135.0}, CalendarDate{1889, 1, 31, 0, 0, 0, 135.0},
          CalendarDate{2020, 12, 14, 0, 0, 0, 135.0}}) {
        const LunisolarDate a = adto9rek(d);
        const LunisolarDate b = vorane2::lunisolarDate(d, 2100);
        EXPECT_TRUE(is(b, {a.leap, a.year, a.month, a.day}));
    }
    // 2020-12-15 is a new moon, the first day of month 11.
    EXPECT_TRUE(is(vorane2::lunisolarDate(CalendarDate{2020, 12, 15, 0, 0, 0, 135.0}, 2100),
                   {'N', 2020, 11, 1}));
    EXPECT_TRUE(
        is(vorane2::lunisolarDate(CalendarDate{2020, 12, 15, 0, 0, 0, 135.0}, 2020), kError));
    // Beyond the stored tables an allowance changes nothing.
    EXPECT_TRUE(
        is(vorane2::lunisolarDate(CalendarDate{2101, 6, 1, 0, 0, 0, 135.0}, kIntMax), kError));
    EXPECT_TRUE(
        is(vorane2::lunisolarDate(CalendarDate{2000, 6, 1, 0, 0, 0, 135.0}, kIntMin), kError));
}

TEST(EnclosingLunarMonth, FindsTheMonthAroundADayOrNothing) {
    // 2000-01-01 lies in the month of 1999-12-08, after that of 1999-11-08
    // and before that of 2000-01-07.
    const auto m = vorane2::enclosingLunarMonth(midnight(2000, 1, 1), 2000, 1, 2020);
    ASSERT_TRUE(m.found);
    EXPECT_EQ(m.a, midnight(1999, 11, 8));
    EXPECT_EQ(m.b, midnight(1999, 12, 8));
    EXPECT_EQ(m.c, midnight(2000, 1, 7));
    EXPECT_EQ(m.monthsCollected, 4);
    // A new-moon day begins its own month.
    const auto n = vorane2::enclosingLunarMonth(midnight(2000, 1, 7), 2000, 1, 2020);
    EXPECT_EQ(n.b, midnight(2000, 1, 7));
    // Nothing around a date before the first or after the last stored days.
    EXPECT_FALSE(vorane2::enclosingLunarMonth(midnight(1870, 1, 20), 1870, 1, 2020).found);
    EXPECT_FALSE(vorane2::enclosingLunarMonth(midnight(2020, 12, 20), 2020, 12, 2020).found);
    EXPECT_FALSE(vorane2::enclosingLunarMonth(0.0, kIntMin, 1, 2020).found);
    EXPECT_FALSE(vorane2::enclosingLunarMonth(0.0, kIntMax, 12, kIntMax).found);
}

// Every day of the span: days count from the stored new-moon days, months
// are numbered consecutively with leap months repeating a number, the year
// turns with month 1, and only the listed late-January dates read a fifth
// month of new moons.
TEST(LunisolarDate, EveryDayOfTheSpan) {
    const double first = midnight(1870, 2, 1);
    const double last = midnight(2020, 12, 14);
    std::vector<std::string> fifthMonth;
    std::vector<std::string> skipped;
    LunisolarDate prev{};
    int32_t months = 0;
    int32_t leapMonths = 0;
    for (double j = first; j <= last; j += 1.0) {
        const CalendarDate c = jd2ad(j + 0.5, 135.0);
        const LunisolarDate r = lunar(c.year, c.month, c.day);
        const std::string where =
            std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day);
        ASSERT_GE(r.month, 1) << where;
        ASSERT_LE(r.month, 12) << where;
        ASSERT_GE(r.day, 1) << where;
        ASSERT_LE(r.day, 30) << where;
        ASSERT_TRUE(r.leap == 'Y' || r.leap == 'N') << where;
        ASSERT_EQ(r.day == 1, isStoredNewMoon(c)) << where;
        ASSERT_TRUE(r.year == c.year || (r.year == c.year - 1 && c.month <= 2)) << where;

        if (j > first) {
            if (r.day == 1) {
                ++months;
                ASSERT_GE(prev.day, 29) << where;
                if (r.leap == 'Y') {
                    ++leapMonths;
                    ASSERT_EQ(prev.leap, 'N') << where;
                    ASSERT_EQ(r.month, prev.month) << where;
                    ASSERT_EQ(r.year, prev.year) << where;
                } else if (r.month == prev.month % 12 + 1) {
                    ASSERT_EQ(r.year, r.month == 1 ? prev.year + 1 : prev.year) << where;
                } else {
                    // A month with two terms is named after the first, so
                    // the number of the second is passed over.
                    ASSERT_EQ(r.month, (prev.month + 1) % 12 + 1) << where;
                    skipped.push_back(where);
                    ASSERT_EQ(r.year, r.month == 1 ? prev.year + 1 : prev.year) << where;
                }
            } else {
                ASSERT_EQ(r.day, prev.day + 1) << where;
                ASSERT_EQ(r.month, prev.month) << where;
                ASSERT_EQ(r.leap, prev.leap) << where;
                ASSERT_EQ(r.year, prev.year) << where;
            }
        }
        if (vorane2::enclosingLunarMonth(j, c.year, c.month, 2020).monthsCollected != 4) {
            fifthMonth.push_back(where);
        }
        prev = r;
    }
    // The 1868 stored new moons less 1870-01-02, 1870-02-01 (the first
    // day) and 2020-12-15 (after the last day).
    EXPECT_EQ(months, 1865);
    // From month 1 of 1870 to month 10 of 2020 the number advances
    // 150 * 12 + 9 times: once per ordinary month, twice where one is
    // passed over; the other months are leap months.
    const auto skips = static_cast<int32_t>(skipped.size());
    EXPECT_EQ(months - leapMonths + skips, 150 * 12 + 9);
    EXPECT_EQ(leapMonths, 58);
    const std::vector<std::string> expected = {"1889-1-31", "1900-1-31", "1911-1-30",
                                               "1911-1-31", "1938-1-31", "1957-1-31",
                                               "1976-1-31", "1995-1-31", "2014-1-31"};
    EXPECT_EQ(fifthMonth, expected);
    // Month 12 is passed over twice: after the month 11 of 1870 and its
    // leap month, and after the month 11 of 1984 that holds both terms.
    EXPECT_EQ(skipped, (std::vector<std::string>{"1871-2-19", "1985-1-21"}));
}

// The winter of 1870/71: month 11 holds 270 and 300 degrees, the month
// after it none, so it is leap month 11 and runs into February. Its days
// keep the lunisolar year 1870 on both sides of 1 February.
TEST(LunisolarDate, LeapMonthElevenIntoFebruaryKeepsItsYear) {
    EXPECT_TRUE(is(lunar(1870, 12, 22), {'N', 1870, 11, 1}));
    EXPECT_TRUE(is(lunar(1871, 1, 21), {'Y', 1870, 11, 1}));
    EXPECT_TRUE(is(lunar(1871, 1, 31), {'Y', 1870, 11, 11}));
    EXPECT_TRUE(is(lunar(1871, 2, 1), {'Y', 1870, 11, 12}));
    EXPECT_TRUE(is(lunar(1871, 2, 18), {'Y', 1870, 11, 29}));
    EXPECT_TRUE(is(lunar(1871, 2, 19), {'N', 1871, 1, 1}));
}

}  // namespace
