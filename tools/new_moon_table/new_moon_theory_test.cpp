#include "new_moon_theory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace newmoongen {
// Dates read as dates in failure messages.
void PrintTo(const CivilDate& d, std::ostream* os) {
    *os << d.year << "-" << d.month << "-" << d.day;
}
}  // namespace newmoongen

namespace {

using namespace newmoongen;

// UT hours of the day of a Julian day.
double utHours(double jd) { return (jd + 0.5 - std::floor(jd + 0.5)) * 24.0; }

TEST(CivilCalendar, DayCountsAroundLeapDaysAndTheEpoch) {
    EXPECT_EQ(daysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(civilFromDays(-1), (CivilDate{1969, 12, 31}));
    // 1900 is not a leap year, 2000 is.
    EXPECT_EQ(civilFromDays(daysFromCivil(1900, 2, 28) + 1), (CivilDate{1900, 3, 1}));
    EXPECT_EQ(civilFromDays(daysFromCivil(2000, 2, 28) + 1), (CivilDate{2000, 2, 29}));
    EXPECT_EQ(daysFromCivil(2001, 1, 1) - daysFromCivil(2000, 1, 1), 366);
    EXPECT_EQ(daysFromCivil(2101, 1, 1) - daysFromCivil(2100, 1, 1), 365);
    for (int64_t n = daysFromCivil(1869, 1, 1); n <= daysFromCivil(2101, 12, 31); n += 17) {
        EXPECT_EQ(daysFromCivil(civilFromDays(n)), n);
    }
}

TEST(TrueNewMoon, WorkedExampleOfFebruary1977) {
    // The published worked example: lunation -283, 1977-02-18 3:37:42 TD.
    EXPECT_NEAR(trueNewMoonJde(-283), 2443192.65118, 0.00001);
}

TEST(TrueNewMoon, NewMoonsFallAtTheirPublishedMinute) {
    // The first new moon of 2000 and those of four solar eclipses (2009
    // total, 2012 and 2017 annular, 2019 partial), UT to the minute.
    struct Case {
        int64_t lunation;
        CivilDate utDate;
        double utHours;
    };
    const Case cases[] = {
        {0, {2000, 1, 6}, 18.0 + 14.0 / 60.0},    {118, {2009, 7, 22}, 2.0 + 35.0 / 60.0},
        {153, {2012, 5, 20}, 23.0 + 47.0 / 60.0}, {212, {2017, 2, 26}, 14.0 + 58.0 / 60.0},
        {235, {2019, 1, 6}, 1.0 + 28.0 / 60.0},
    };
    for (const Case& c : cases) {
        const Conjunction conj = conjunctionOf(c.lunation);
        EXPECT_EQ(civilFromDays(static_cast<int64_t>(std::floor(conj.jdUt - kUnixEpochJd))),
                  c.utDate)
            << c.lunation;
        EXPECT_NEAR(utHours(conj.jdUt), c.utHours, 1.0 / 60.0) << c.lunation;
    }
}

TEST(TrueNewMoon, LunationNumbersAroundTheEpoch) {
    EXPECT_EQ(lunationNear(2451550.26), 0);
    EXPECT_EQ(lunationNear(2443192.65), -283);
    EXPECT_EQ(lunationNear(2451550.26 + 29.53 * 300.0), 300);
    // Half a lunation away is the boundary between two numbers.
    EXPECT_EQ(lunationNear(2451550.09766 + 14.0), 0);
    EXPECT_EQ(lunationNear(2451550.09766 + 15.5), 1);
}

TEST(TrueNewMoon, LunationsStayWithinTheirKnownRange) {
    // From 1869 to 2101 a synodic month runs from about 29.27 to 29.83 days.
    double shortest = 100.0;
    double longest = 0.0;
    double previous = trueNewMoonJde(-1610);
    for (int64_t k = -1609; k <= 1252; ++k) {
        const double jde = trueNewMoonJde(k);
        shortest = std::min(shortest, jde - previous);
        longest = std::max(longest, jde - previous);
        previous = jde;
    }
    EXPECT_GT(shortest, 29.26);
    EXPECT_LT(shortest, 29.29);
    EXPECT_GT(longest, 29.81);
    EXPECT_LT(longest, 29.84);
}

TEST(DeltaT, ValuesAtTheOriginsOfThePolynomials) {
    EXPECT_DOUBLE_EQ(deltaTSeconds(1860.0), 7.62);
    EXPECT_DOUBLE_EQ(deltaTSeconds(1900.0), -2.79);
    EXPECT_DOUBLE_EQ(deltaTSeconds(1920.0), 21.20);
    EXPECT_DOUBLE_EQ(deltaTSeconds(1950.0), 29.07);
    EXPECT_DOUBLE_EQ(deltaTSeconds(1975.0), 45.45);
    EXPECT_DOUBLE_EQ(deltaTSeconds(2000.0), 63.86);
    // 2005 already belongs to the forecast.
    EXPECT_DOUBLE_EQ(deltaTSeconds(2005.0), 62.92 + 0.32217 * 5.0 + 0.005589 * 25.0);
    EXPECT_NEAR(deltaTSeconds(2100.0), -20.0 + 32.0 * 2.8 * 2.8 - 0.5628 * 50.0, 1e-9);
}

TEST(DeltaT, PiecesJoinWithoutJumps) {
    for (const double y : {1860.0, 1900.0, 1920.0, 1941.0, 1961.0, 1986.0, 2005.0, 2050.0}) {
        EXPECT_NEAR(deltaTSeconds(y - 1e-9), deltaTSeconds(y), 0.1) << y;
    }
}

TEST(DeltaT, ObservedValuesOfTheTwentiethCentury) {
    // Delta T was near zero about 1902, about 24 s in 1940, 32 s in 1960,
    // 50 s in 1980 and 64 s in 2000.
    EXPECT_NEAR(deltaTSeconds(1902.5), 0.0, 1.5);
    EXPECT_NEAR(deltaTSeconds(1940.5), 24.3, 1.0);
    EXPECT_NEAR(deltaTSeconds(1960.5), 33.2, 1.0);
    EXPECT_NEAR(deltaTSeconds(1980.5), 50.8, 1.0);
    EXPECT_NEAR(deltaTSeconds(2000.5), 63.9, 1.0);
}

TEST(DeltaT, UndefinedOutsideTheModelSpan) {
    EXPECT_TRUE(std::isnan(deltaTSeconds(1799.99)));
    EXPECT_TRUE(std::isnan(deltaTSeconds(2150.01)));
    EXPECT_TRUE(std::isnan(deltaTSeconds(std::nan(""))));
    EXPECT_FALSE(std::isnan(deltaTSeconds(1800.0)));
    EXPECT_FALSE(std::isnan(deltaTSeconds(2150.0)));
}

TEST(LocalDay, ConjunctionsJustBeforeMidnightBelongToTheirDay) {
    // 2017-02-26 14:58 UT is 23:58 in UTC+9.
    const Conjunction c = conjunctionOf(212);
    EXPECT_EQ(c.localDate, (CivilDate{2017, 2, 26}));
    EXPECT_LT(c.minutesFromMidnight, 0.0);
    EXPECT_GT(c.minutesFromMidnight, -3.0);
    EXPECT_NEAR(c.localSeconds, 86400.0 + c.minutesFromMidnight * 60.0, 1e-6);
    EXPECT_TRUE(isNearMidnight(c));
    const auto around = daysAroundNearestMidnight(c);
    EXPECT_EQ(around[0], (CivilDate{2017, 2, 26}));
    EXPECT_EQ(around[1], (CivilDate{2017, 2, 27}));
}

TEST(LocalDay, ConjunctionsJustAfterMidnightBelongToTheNewDay) {
    // 2012-06-19 15:02 UT is 0:02 on the 20th in UTC+9.
    const Conjunction c = conjunctionOf(154);
    EXPECT_EQ(c.localDate, (CivilDate{2012, 6, 20}));
    EXPECT_GT(c.minutesFromMidnight, 0.0);
    EXPECT_LT(c.minutesFromMidnight, 4.0);
    EXPECT_NEAR(c.localSeconds, c.minutesFromMidnight * 60.0, 1e-6);
    const auto around = daysAroundNearestMidnight(c);
    EXPECT_EQ(around[0], (CivilDate{2012, 6, 19}));
    EXPECT_EQ(around[1], (CivilDate{2012, 6, 20}));
}

TEST(LocalDay, MiddayConjunctionsAreNotNearMidnight) {
    // 2009-07-22 2:35 UT is 11:35 in UTC+9.
    const Conjunction c = conjunctionOf(118);
    EXPECT_EQ(c.localDate, (CivilDate{2009, 7, 22}));
    EXPECT_FALSE(isNearMidnight(c));
    EXPECT_NEAR(std::fabs(c.minutesFromMidnight), 11.0 * 60.0 + 35.0, 2.0);
    EXPECT_EQ(heldDayFor(c, kHeldDays.data(), kHeldDays.size()), -1);
}

TEST(HeldDays, EachNamesOneConjunctionOnItsDayOrTheDayAfter) {
    for (const HeldDay& held : kHeldDays) {
        const double jd = kUnixEpochJd + static_cast<double>(daysFromCivil(held.date));
        const int64_t k = lunationNear(jd);
        int matches = 0;
        for (int64_t i = k - 2; i <= k + 2; ++i) {
            const Conjunction c = conjunctionOf(i);
            const int index = heldDayFor(c, kHeldDays.data(), kHeldDays.size());
            if (index < 0 || !(kHeldDays[static_cast<size_t>(index)].date == held.date)) continue;
            ++matches;
            EXPECT_LE(std::fabs(c.minutesFromMidnight), 11.0) << held.date.year;
            const int64_t shift = daysFromCivil(held.date) - daysFromCivil(c.localDate);
            // Only the two marked days are not the conjunction's own day.
            EXPECT_EQ(shift, std::string(held.note).empty() ? 0 : 1)
                << held.date.year << "-" << held.date.month;
        }
        EXPECT_EQ(matches, 1) << held.date.year << "-" << held.date.month;
    }
}

TEST(HeldDays, AreSortedDistinctAndWithinTheObservedYears) {
    for (size_t i = 0; i < kHeldDays.size(); ++i) {
        EXPECT_GE(kHeldDays[i].date.year, 1870);
        EXPECT_LE(kHeldDays[i].date.year, 2020);
        if (i > 0) {
            EXPECT_LT(daysFromCivil(kHeldDays[i - 1].date), daysFromCivil(kHeldDays[i].date));
        }
    }
}

TEST(HeldDays, MatchOnlyTheConjunctionTheyName) {
    const HeldDay held[] = {{{2017, 2, 27}, ""}};
    Conjunction c{};
    c.localDate = {2017, 2, 26};
    c.localSeconds = 86400.0 - 120.0;
    c.minutesFromMidnight = -2.0;
    EXPECT_EQ(heldDayFor(c, held, 1), 0);
    // Twenty minutes from midnight is no longer the named conjunction.
    c.localSeconds = 86400.0 - 1200.0;
    c.minutesFromMidnight = -20.0;
    EXPECT_EQ(heldDayFor(c, held, 1), -1);
    // A conjunction near the other midnight of the 26th borders the 25th
    // and the 26th, not the held 27th.
    c.localSeconds = 120.0;
    c.minutesFromMidnight = 2.0;
    EXPECT_EQ(heldDayFor(c, held, 1), -1);
    // A month later, at the same time of day: not named either.
    c.localDate = {2017, 3, 26};
    c.localSeconds = 86400.0 - 120.0;
    c.minutesFromMidnight = -2.0;
    EXPECT_EQ(heldDayFor(c, held, 1), -1);
}

// New moons every 29 or 30 days (alternating) from `start`, `count` of them.
std::vector<CivilDate> regularNewMoons(CivilDate start, int count) {
    std::vector<CivilDate> days;
    int64_t n = daysFromCivil(start);
    for (int i = 0; i < count; ++i) {
        days.push_back(civilFromDays(n));
        n += i % 2 == 0 ? 30 : 29;
    }
    return days;
}

TEST(BuildTables, FirstAndSecondNewMoonsOfEachMonth) {
    // From 2000-12-02 with a 30/29-day rhythm: January holds the 1st and
    // the 30th, February none, March the 1st and the 30th.
    std::vector<CivilDate> days = regularNewMoons({2000, 12, 2}, 30);
    Tables t;
    std::string error;
    ASSERT_TRUE(buildTables(2001, 2002, days, t, error)) << error;
    ASSERT_EQ(t.first.size(), 24u);
    ASSERT_EQ(t.second.size(), 2u);
    EXPECT_EQ(t.first[0].month, 1);
    EXPECT_EQ(t.first[0].day, 1);
    EXPECT_EQ(t.second[0].month1, 1);
    EXPECT_EQ(t.second[0].day1, 30);
    EXPECT_EQ(t.first[1].month, kNoNewMoon);
    EXPECT_EQ(t.first[1].day, kNoNewMoon);
    EXPECT_EQ(t.first[2].month, 3);
    EXPECT_EQ(t.first[2].day, 1);
    EXPECT_EQ(t.second[0].month2, 3);
    EXPECT_EQ(t.second[0].day2, 30);
    for (size_t i = 0; i < t.first.size(); ++i) {
        if (t.first[i].month != kNoNewMoon) {
            EXPECT_EQ(t.first[i].month, static_cast<int>(i % 12) + 1);
        }
    }
    // Input order does not matter.
    std::vector<CivilDate> reversed(days.rbegin(), days.rend());
    Tables u;
    ASSERT_TRUE(buildTables(2001, 2002, reversed, u, error)) << error;
    EXPECT_EQ(renderHeader(u), renderHeader(t));
}

TEST(BuildTables, RefusesAThirdMonthWithTwoNewMoons) {
    // Not a possible sky, but the second table could not hold it.
    std::vector<CivilDate> days;
    for (int32_t m = 1; m <= 12; ++m) days.push_back({2001, m, 15});
    days.push_back({2001, 1, 1});
    days.push_back({2001, 5, 1});
    days.push_back({2001, 9, 1});
    Tables t;
    std::string error;
    EXPECT_FALSE(buildTables(2001, 2001, days, t, error));
    EXPECT_NE(error.find("third month"), std::string::npos) << error;
}

TEST(BuildTables, RefusesGapsAndMissingEnds) {
    std::string error;
    Tables t;
    std::vector<CivilDate> days = regularNewMoons({2000, 12, 20}, 16);
    ASSERT_TRUE(buildTables(2001, 2001, days, t, error)) << error;
    // A lost new moon leaves a gap of about 59 days.
    std::vector<CivilDate> lost = days;
    lost.erase(lost.begin() + 5);
    EXPECT_FALSE(buildTables(2001, 2001, lost, t, error));
    EXPECT_NE(error.find("59 days apart"), std::string::npos) << error;
    // A duplicated new moon is 0 days from itself.
    std::vector<CivilDate> twice = days;
    twice.push_back(days[6]);
    EXPECT_FALSE(buildTables(2001, 2001, twice, t, error));
    // A span reaching beyond the computed new moons.
    EXPECT_FALSE(buildTables(2001, 2002, days, t, error));
    EXPECT_FALSE(buildTables(2000, 2001, days, t, error));
    EXPECT_FALSE(buildTables(2002, 2001, days, t, error));
    EXPECT_FALSE(buildTables(2001, 2001, {}, t, error));
}

TEST(RenderHeader, WritesTheRecordsOfEachYearOnOneLine) {
    std::vector<CivilDate> days = regularNewMoons({2000, 12, 2}, 16);
    Tables t;
    std::string error;
    ASSERT_TRUE(buildTables(2001, 2001, days, t, error)) << error;
    const std::string text = renderHeader(t);
    EXPECT_EQ(text.rfind("// Generated by tools/new_moon_table/new_moon_table_gen 2001 2001: do "
                         "not edit.\n",
                         0),
              0u);
    EXPECT_NE(text.find("std::array<MonthNewMoon, (2001 - 2001 + 1) * 12> kNewMoonDayTable"),
              std::string::npos);
    EXPECT_NE(text.find("    /* 2001 */ {1, 1}, {99, 99}, {3, 1}, {4, 29}, {5, 28}, {6, 27}, "
                        "{7, 26}, {8, 25}, {9, 23}, {10, 23}, {11, 21}, {12, 21},\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("    /* 2001 */ {1, 30, 3, 30},\n}};\n"), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 32), "}  // namespace vorane2::tables\n");
}

}  // namespace
