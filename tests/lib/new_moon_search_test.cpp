// New-moon search: the date kind (whole local days at a meridian) and the
// Julian-day kind (hourly instants), checked against conjunctions whose
// times are known independently of this library.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "new_moons.h"
#include "vorane2.h"

namespace {

CalendarDate jst(int32_t y, int32_t m, int32_t d, double hour = 0.0) {
    return CalendarDate{y, m, d, hour, 0.0, 0.0, 135.0};
}

double daysBetween(const CalendarDate& a, const CalendarDate& b) {
    return ad2jd(jst(b.year, b.month, b.day)) - ad2jd(jst(a.year, a.month, a.day));
}

void expectDay(const CalendarDate& d, int32_t y, int32_t m, int32_t day) {
    EXPECT_EQ(d.year, y);
    EXPECT_EQ(d.month, m);
    EXPECT_EQ(d.day, day);
}

void expectClock(const CalendarDate& d, double h, double m, double s) {
    EXPECT_EQ(d.hour, h);
    EXPECT_EQ(d.minute, m);
    EXPECT_EQ(d.second, s);
}

// sampleNewMoonDay as its callers use it: X is made from a local midnight.
CalendarDate sampleFrom(int32_t y, int32_t m, int32_t d, int32_t count) {
    const double j0 = ad2jd(jst(y, m, d));
    return vorane2::sampleNewMoonDay(jd2ad(j0, 135.0), j0, 135.0, count);
}

// Conjunctions (UT) known from published tables, as Julian days.
constexpr double kNewMoon2000Jan = 2451550.2597;  // 2000-01-06 18:14 UT
constexpr double kNewMoon2000Feb = 2451580.0438;  // 2000-02-05 13:03 UT
constexpr double kNewMoon1999Dec = 2451520.4389;  // 1999-12-07 22:32 UT

TEST(Separation, SmallAtAConjunctionAndFoldedIntoHalfATurn) {
    EXPECT_LT(vorane2::foldedSeparation(2451550.26), 0.011);
    EXPECT_LT(vorane2::rawSeparation(2451550.26), 0.011);
    // A week later the Moon is a quarter turn ahead of the Sun (near 293
    // degrees) and has passed 0: the raw form reads the long way round.
    const double quarter = vorane2::foldedSeparation(2451557.6);
    EXPECT_NEAR(quarter, 90.0, 10.0);
    EXPECT_LT(jd2mok(2451557.6), jd2sok(2451557.6));
    EXPECT_NEAR(vorane2::rawSeparation(2451557.6), 360.0 - quarter, 1e-9);
    // Near full moon the folded form never exceeds 180.
    for (double jd = 2451563.0; jd < 2451566.0; jd += 0.125) {
        EXPECT_LE(vorane2::foldedSeparation(jd), 180.0);
        EXPECT_GE(vorane2::foldedSeparation(jd), 0.0);
    }
}

TEST(Separation, RawFormReadsNearlyATurnOnceOnlyTheMoonHasWrapped) {
    // 2015-03-20 11:00 UT: one hour after a conjunction at about 359.5
    // degrees; the Moon has passed 0, the Sun has not.
    const double jd = 2457101.5 + 11.0 / 24.0;
    EXPECT_GT(jd2sok(jd), 359.0);
    EXPECT_LT(jd2mok(jd), 1.0);
    EXPECT_GT(vorane2::rawSeparation(jd), 359.0);
    EXPECT_LT(vorane2::foldedSeparation(jd), 1.0);
}

TEST(NewMoonDaySearch, StepsFromNewMoonToNewMoonBothWays) {
    // 2000-01-07 (JST) holds the conjunction of 6 January 18:14 UT.
    CalendarDate d = jst(2000, 1, 7);
    const CalendarDate next = ad2saku(d);
    expectDay(next, 2000, 2, 5);  // 13:03 UT is 22:03 JST
    const CalendarDate prev = ad2sakur(d);
    expectDay(prev, 1999, 12, 8);  // 22:32 UT is 07:32 JST the next day
    EXPECT_EQ(prev.longitude, 135.0);

    // A year of lunations forward, each stepped back again.
    for (int i = 0; i < 12; ++i) {
        const CalendarDate n = ad2saku(d);
        const double gap = daysBetween(d, n);
        EXPECT_TRUE(gap == 29.0 || gap == 30.0) << n.year << "-" << n.month << "-" << n.day;
        const CalendarDate back = ad2sakur(n);
        expectDay(back, d.year, d.month, d.day);
        d = jst(n.year, n.month, n.day);
    }
    expectDay(d, 2000, 12, 26);
}

TEST(NewMoonDaySearch, IgnoresTheClockTimeButKeepsTheMeridian) {
    const CalendarDate midnight = ad2saku(jst(2000, 1, 7, 0.0));
    const CalendarDate morning = ad2saku(CalendarDate{2000, 1, 7, 10.0, 30.0, 15.0, 135.0});
    expectDay(morning, midnight.year, midnight.month, midnight.day);
    expectClock(morning, midnight.hour, midnight.minute, midnight.second);

    // At Greenwich the January 2000 conjunction (18:14 UT) is on the 6th
    // and the December one (22:32 UT) on the 7th.
    const CalendarDate utc = ad2sakur(CalendarDate{2000, 1, 6, 0.0, 0.0, 0.0, 0.0});
    expectDay(utc, 1999, 12, 7);
    EXPECT_EQ(utc.longitude, 0.0);
}

TEST(NewMoonDaySearch, FixedDaysNearMidnightFollowTheStoredTable) {
    // The series put the conjunction of April 1884 at the end of the 25th
    // (end-of-day sample); the table holds the 26th. Only the day moves.
    const CalendarDate april1884 = ad2saku(jst(1884, 3, 27));
    expectDay(april1884, 1884, 4, 26);
    expectClock(april1884, 23.0, 59.0, 59.0);
    expectDay(ad2sakur(jst(1884, 5, 25)), 1884, 4, 26);

    // September 1908: the series pick the start of the 26th, the table
    // holds the 25th.
    const CalendarDate sept1908 = ad2saku(jst(1908, 8, 27));
    expectDay(sept1908, 1908, 9, 25);
    expectClock(sept1908, 0.0, 0.0, 0.0);

    // Nothing else is moved: the same sampling in 2017 keeps its day.
    expectDay(ad2saku(jst(2017, 1, 28)), 2017, 2, 27);
}

TEST(SampleNewMoonDay, FirstSampleStandsForTheEndOfItsDay) {
    // 2017-02-27 00:00 JST is within minutes of a conjunction; the first
    // sample is measured then but reported as 23:59:59 of that day.
    const CalendarDate d = sampleFrom(2017, 2, 27, 6);
    expectDay(d, 2017, 2, 27);
    expectClock(d, 23.0, 59.0, 59.0);
}

TEST(SampleNewMoonDay, SeventhSampleCoversTheEndOfTheLastDay) {
    // Window 2017-02-23 .. 26: the conjunction is at the very end of the
    // 26th, which only the seventh sample reaches.
    const CalendarDate six = sampleFrom(2017, 2, 23, 6);
    expectDay(six, 2017, 2, 26);
    expectClock(six, 0.0, 0.0, 0.0);
    const CalendarDate seven = sampleFrom(2017, 2, 23, 7);
    expectDay(seven, 2017, 2, 26);
    EXPECT_EQ(seven.hour, 23.0);
    // Any other count samples six times.
    const CalendarDate odd = sampleFrom(2017, 2, 23, 100);
    EXPECT_EQ(odd.hour, 0.0);
}

TEST(SampleNewMoonDay, FarFromAConjunctionTheWindowEdgeWins) {
    // Window 2000-01-29 .. 02-01, days before the new moon of 5 February:
    // the Moon closes in on the Sun all through it, the last sample (00:00
    // of X+3) wins.
    const CalendarDate closing = ad2saku(jst(2000, 1, 1));
    expectDay(closing, 2000, 2, 1);
    expectClock(closing, 0.0, 0.0, 0.0);
    // Windows a week after a new moon: the Moon draws away, the first
    // sample wins.
    const CalendarDate opening = ad2saku(jst(2000, 1, 15));
    expectDay(opening, 2000, 2, 12);
    expectClock(opening, 23.0, 59.0, 59.0);
    const CalendarDate openingBack = ad2sakur(jst(2000, 1, 15));
    expectDay(openingBack, 1999, 12, 15);
    expectClock(openingBack, 23.0, 59.0, 59.0);
}

TEST(NewMoonDaySearch, ExtremeArgumentsStayDefined) {
    const int32_t big = std::numeric_limits<int32_t>::max();
    const int32_t small = std::numeric_limits<int32_t>::min();
    for (const CalendarDate& d :
         {CalendarDate{big, big, big, 0, 0, 0, 135.0},
          CalendarDate{small, small, small, 0, 0, 0, 0}, CalendarDate{2000, 0, 0, 0, 0, 0, 135.0},
          CalendarDate{2000, 13, 40, 0, 0, 0, 135.0}}) {
        EXPECT_EQ(ad2saku(d).longitude, d.longitude);
        EXPECT_EQ(ad2sakur(d).longitude, d.longitude);
    }
    // Month 13 day 40 is 2001-02-09 run on linearly; the next new moon
    // after 30 days lies in March 2001.
    EXPECT_EQ(ad2saku(CalendarDate{2000, 13, 40, 0, 0, 0, 135.0}).month, 3);
}

TEST(NewMoonScan, FindsKnownConjunctionsToTheHour) {
    // Forward and backward daily scans from a few days away.
    EXPECT_NEAR(jd2saku(kNewMoon2000Jan - 5.0), kNewMoon2000Jan, 0.05);
    EXPECT_NEAR(jd2sakur(kNewMoon2000Jan + 10.0), kNewMoon2000Jan, 0.05);
    // From one new moon the short scans reach the next and the previous.
    EXPECT_NEAR(jd2saku2(kNewMoon2000Jan), kNewMoon2000Feb, 0.05);
    EXPECT_NEAR(jd2sak2r(kNewMoon2000Jan), kNewMoon1999Dec, 0.05);
}

TEST(NewMoonScan, ResultIsAnHourlySampleOfLeastSeparation) {
    const double r = jd2saku2(2451550.26);
    EXPECT_LE(vorane2::rawSeparation(r), vorane2::rawSeparation(r - 1.0 / 24.0));
    EXPECT_LE(vorane2::rawSeparation(r), vorane2::rawSeparation(r + 1.0 / 24.0));
    // The grid starts at a whole-day offset from the argument, so the
    // result lies a whole number of hours from it.
    const double hours = (r - 2451550.26) * 24.0;
    EXPECT_NEAR(hours, std::round(hours), 1e-6);
}

TEST(NewMoonScan, ShortlyAfterAConjunctionTheForwardScanCanLookBack) {
    // Seven hours after the conjunction the first daily sample is still
    // the closest, so the hourly scan settles on the conjunction behind.
    EXPECT_NEAR(jd2saku(kNewMoon2000Jan + 0.3), kNewMoon2000Jan, 0.05);
}

TEST(NewMoonScan, NearLongitudeZeroTheWrappedSamplesArePassedOver) {
    // 2015-03-20 09:36 UT at about 359.5 degrees: the samples after the
    // Moon wraps read near 360, the result is still the conjunction hour.
    const double r = jd2saku2(2457072.49);  // from the February 2015 new moon
    EXPECT_NEAR(r, 2457101.9, 0.05);
    EXPECT_LT(vorane2::rawSeparation(r), 1.0);
}

TEST(NewMoonScan, NotANumberGivesNotANumber) {
    EXPECT_TRUE(std::isnan(jd2saku(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_TRUE(std::isnan(jd2sak2r(std::numeric_limits<double>::quiet_NaN())));
}

}  // namespace
