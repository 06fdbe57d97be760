#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

#include "support/civil.h"
#include "support/sjis.h"
#include "vorane2.h"

namespace {

using testsupport::Ymd;

CalendarDate at(int32_t y, int32_t m, int32_t d, double hour = 0.0, double minute = 0.0,
                double second = 0.0, double lon = 0.0) {
    return CalendarDate{y, m, d, hour, minute, second, lon};
}

Ymd ymdOf(const CalendarDate& c) { return Ymd{c.year, c.month, c.day}; }

TEST(JulianDay, KnownInstants) {
    EXPECT_EQ(ad2jd(at(2000, 1, 1)), 2451544.5);
    EXPECT_EQ(ad2jd(at(2000, 1, 1, 0, 0, 0, 135.0)), 2451544.125);
    EXPECT_EQ(ad2jd(at(2000, 1, 1, 12)), 2451545.0);
    EXPECT_EQ(ad2jd(at(-4712, 1, 1, 12)), 0.0);
}

TEST(JulianDay, CalendarSwitchIsReadOnTheJulianReckonedValue) {
    EXPECT_EQ(ad2jd(at(1582, 10, 15)), 2299160.5);
    // 4 October is read as Gregorian, 24 September as Julian: the same day.
    EXPECT_EQ(ad2jd(at(1582, 10, 4)), 2299149.5);
    EXPECT_EQ(ad2jd(at(1582, 9, 24)), 2299149.5);
}

TEST(JulianDay, OutOfRangeFieldsRunOnLinearly) {
    EXPECT_EQ(ad2jd(at(2000, 3, 0)), ad2jd(at(2000, 2, 29)));
    EXPECT_EQ(ad2jd(at(2000, 1, 32)), ad2jd(at(2000, 2, 1)));
    EXPECT_EQ(ad2jd(at(1999, 13, 1)), ad2jd(at(2000, 1, 1)));
    EXPECT_EQ(ad2jd(at(1999, 14, 1)), ad2jd(at(2000, 2, 1)));
    EXPECT_EQ(ad2jd(at(2000, 0, 1)), ad2jd(at(1999, 12, 1)));
    EXPECT_EQ(ad2jd(at(2000, 1, 1, 36)), ad2jd(at(2000, 1, 2, 12)));
}

TEST(JulianDay, ExtremeYearsStayFinite) {
    EXPECT_TRUE(std::isfinite(ad2jd(at(INT32_MIN, 1, 1))));
    EXPECT_TRUE(std::isfinite(ad2jd(at(INT32_MAX, 12, 31))));
    EXPECT_TRUE(std::isfinite(ad2jd(at(INT32_MIN, INT32_MIN, INT32_MIN))));
}

TEST(CalendarDateOfJulianDay, WorkedExamples) {
    const CalendarDate a = jd2ad(2451545.0, 135.0);
    EXPECT_EQ(ymdOf(a), (Ymd{2000, 1, 1}));
    EXPECT_EQ(a.hour, 21.0);
    EXPECT_EQ(a.minute, 0.0);
    EXPECT_EQ(a.second, 0.0);
    EXPECT_EQ(a.longitude, 135.0);

    const CalendarDate b = jd2ad(2451544.5, 0.0);
    EXPECT_EQ(ymdOf(b), (Ymd{2000, 1, 1}));
    EXPECT_EQ(b.hour, 0.0);
}

TEST(CalendarDateOfJulianDay, AroundTheCalendarSwitch) {
    // The civil day that begins at 2299160.5 is 1582-10-05 at every instant
    // (the Gregorian branch needs a day number strictly above 2299161).
    for (int i = 0; i < 96; ++i) {
        EXPECT_EQ(ymdOf(jd2ad(2299160.5 + i / 96.0, 0.0)), (Ymd{1582, 10, 5})) << i;
    }
    EXPECT_EQ(ymdOf(jd2ad(std::nextafter(2299161.5, 0.0), 0.0)), (Ymd{1582, 10, 5}));
    EXPECT_EQ(ymdOf(jd2ad(2299161.5, 0.0)), (Ymd{1582, 10, 16}));
}

TEST(CalendarDateOfJulianDay, CenturyFebruaries) {
    EXPECT_EQ(ymdOf(jd2ad(2488128.5, 0.0)), (Ymd{2100, 3, 1}));
    EXPECT_EQ(ymdOf(jd2ad(2488127.5, 0.0)), (Ymd{2100, 2, 28}));
    EXPECT_EQ(ymdOf(jd2ad(2451603.5, 0.0)), (Ymd{2000, 2, 29}));
    // Before 1582 the February correction hits Julian century years too.
    const CalendarDate a = jd2ad(2268992.0, 0.0);
    const CalendarDate b = jd2ad(2268993.0, 0.0);
    EXPECT_EQ(ymdOf(a), (Ymd{1500, 3, 1}));
    EXPECT_EQ(ymdOf(b), (Ymd{1500, 3, 1}));
    EXPECT_EQ(a.hour, 12.0);
}

TEST(CalendarDateOfJulianDay, FirstDisagreementIsMarch2700) {
    const double jd2Mar2700 = static_cast<double>(testsupport::julianDayNumber({2700, 3, 2})) - 0.5;
    EXPECT_EQ(ymdOf(jd2ad(jd2Mar2700 - 1.0, 0.0)), (Ymd{2700, 3, 1}));
    EXPECT_EQ(ymdOf(jd2ad(jd2Mar2700, 0.0)), (Ymd{2700, 3, 1}));
}

TEST(CalendarDateOfJulianDay, ClockIsTruncatedNeverRounded) {
    // A hair before 00:00:01 is still second 0; a hair before midnight is
    // 23:59:59 of the same day.
    const double midnight = 2451544.5;
    const CalendarDate a = jd2ad(midnight + 0.999 / 86400.0, 0.0);
    EXPECT_EQ(a.second, 0.0);
    const CalendarDate b = jd2ad(std::nextafter(midnight + 1.0, 0.0), 0.0);
    EXPECT_EQ(ymdOf(b), (Ymd{2000, 1, 1}));
    EXPECT_EQ(b.hour, 23.0);
    EXPECT_EQ(b.minute, 59.0);
    EXPECT_EQ(b.second, 59.0);
}

TEST(CalendarDateOfJulianDay, NonFiniteAndHugeArgumentsAreDefined) {
    const CalendarDate n = jd2ad(std::numeric_limits<double>::quiet_NaN(), 0.0);
    EXPECT_EQ(n.year, 0);
    EXPECT_EQ(n.month, 0);
    EXPECT_EQ(n.day, 0);
    const CalendarDate big = jd2ad(1e300, 0.0);
    EXPECT_EQ(big.year, INT32_MAX);
    const CalendarDate inf = jd2ad(-std::numeric_limits<double>::infinity(), 0.0);
    EXPECT_EQ(inf.year, INT32_MIN);
}

// Every Gregorian date of the span survives the round trip through the
// Julian day, and the weekday advances by one each day. The span starts on
// 16 October 1582: the day before comes back under its Julian name,
// 1582-10-05 (see AroundTheCalendarSwitch).
TEST(CalendarDateOfJulianDay, RoundTripsEveryGregorianDateTo2699) {
    const Ymd first{1582, 10, 16};
    const int64_t count = testsupport::daysBetween(first, {2699, 12, 31});
    int32_t previousWeekday = ad2youbi(at(1582, 10, 15));
    EXPECT_EQ(previousWeekday, 5);  // a Friday
    int failures = 0;
    for (int64_t i = 0; i <= count && failures < 10; ++i) {
        const Ymd d = testsupport::addDays(first, i);
        const double jd = ad2jd(at(d.year, d.month, d.day));
        const CalendarDate back = jd2ad(jd, 0.0);
        if (ymdOf(back) != d || back.hour != 0.0) {
            ADD_FAILURE() << d.year << "-" << d.month << "-" << d.day;
            ++failures;
        }
        const int32_t weekday = ad2youbi(at(d.year, d.month, d.day));
        if (weekday != (previousWeekday + 1) % 7) {
            ADD_FAILURE() << "weekday at " << d.year << "-" << d.month << "-" << d.day;
            ++failures;
        }
        previousWeekday = weekday;
    }
}

TEST(Weekday, KnownDatesIgnoringClockAndMeridian) {
    EXPECT_EQ(ad2youbi(at(2000, 1, 1)), 6);
    EXPECT_EQ(ad2youbi(at(2000, 1, 2)), 0);
    EXPECT_EQ(ad2youbi(at(1997, 1, 1)), 3);
    EXPECT_EQ(ad2youbi(at(1582, 10, 15)), 5);
    EXPECT_EQ(ad2youbi(at(2000, 1, 1, 23, 59, 59, 135.0)), 6);
    EXPECT_EQ(ad2youbi(at(2000, 1, 1, 0, 0, 0, -170.0)), 6);
}

TEST(Weekday, NamesAreTheShiftJisCharacters) {
    const char* utf8[] = {"日", "月", "火", "水", "木", "金", "土"};
    for (int32_t i = 0; i < 7; ++i) {
        ASSERT_NE(yno2name(i), nullptr);
        EXPECT_EQ(std::string(yno2name(i)), testsupport::toCp932(utf8[i])) << i;
    }
}

TEST(Weekday, NameOutsideTheWeekIsNull) {
    EXPECT_EQ(yno2name(-1), nullptr);
    EXPECT_EQ(yno2name(7), nullptr);
    EXPECT_EQ(yno2name(INT32_MIN), nullptr);
    EXPECT_EQ(yno2name(INT32_MAX), nullptr);
}

TEST(Version, IsOnePointZero) { EXPECT_STREQ(VRNVER(), "1.0"); }

TEST(YearNumbering, BcToAstronomical) {
    EXPECT_EQ(bc2ad(1), 0);
    EXPECT_EQ(bc2ad(2), -1);
    EXPECT_EQ(bc2ad(-2000), 2001);
    EXPECT_EQ(bc2ad(INT32_MIN), INT32_MIN + 1);  // 1 - INT32_MIN wraps, never traps
}

TEST(ModifiedJulianDay, Offset) { EXPECT_EQ(jd2mjd(2451544.5), 51544.0); }

// The reduction the degree conversion stands for: turn by turn.
double rad2doByTurns(double x) {
    double a = x * 57.2957795;
    while (a > 360.0) a -= 360.0;
    while (a < 0.0) a += 360.0;
    return a;
}

TEST(Degrees, RadiansToDegreesMatchesTurnByTurnReduction) {
    EXPECT_NEAR(rad2do(M_PI), 179.9999999589, 1e-9);
    EXPECT_LT(rad2do(M_PI), 180.0);
    EXPECT_NEAR(rad2do(-0.1), 354.27042205, 1e-8);
    uint64_t state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const double x = (static_cast<double>(state >> 11) / 9007199254740992.0 - 0.5) * 4000.0;
        ASSERT_EQ(rad2do(x), rad2doByTurns(x)) << x;
    }
}

TEST(Degrees, ExactMultiplesOf360StayAt360) {
    // Find a radian value whose product with the factor is exactly 360.
    double x = 360.0 / 57.2957795;
    for (int i = 0; i < 8 && x * 57.2957795 != 360.0; ++i) x = std::nextafter(x, 10.0);
    ASSERT_EQ(x * 57.2957795, 360.0);
    EXPECT_EQ(rad2do(x), 360.0);
    EXPECT_EQ(rad2do(x * 2), rad2doByTurns(x * 2));
    EXPECT_EQ(rad2do(0.0), 0.0);
}

TEST(Degrees, HugeAndNonFiniteArgumentsReturnAtOnce) {
    const double r = rad2do(1e300);
    EXPECT_GE(r, 0.0);
    EXPECT_LE(r, 360.0);
    EXPECT_GE(rad2do(-1e300), 0.0);
    EXPECT_TRUE(std::isnan(rad2do(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(rad2do(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_TRUE(std::isnan(fns(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_TRUE(std::isnan(fnc(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isfinite(fnc(1e300)));
}

TEST(Degrees, SineAndCosineOfDegrees) {
    EXPECT_NEAR(fns(30.0), 0.5, 1e-12);
    EXPECT_NEAR(fnc(450.0), fnc(90.0), 1e-12);
    EXPECT_NEAR(fns(-30.0), fns(330.0), 1e-12);
    EXPECT_NEAR(fnc(360000.0 + 60.0), 0.5, 1e-9);  // large series arguments reduce
    EXPECT_EQ(do2rad(180.0), 180.0 * 0.0174532925239284);
    EXPECT_NE(do2rad(180.0), M_PI);  // the calendar's own factor, not pi/180
}

}  // namespace
