#include "almanac_theory.h"

#include <gtest/gtest.h>

#include <cmath>

#include "seasons_method.h"

namespace {

using namespace almanacgen;

// The worked examples of the book the theory follows, to its printed
// digits: the Sun of 1992-10-13 0h TD (25.b), the nutation of 1987-04-10 0h
// TD (22.a), the new moon of 1977 February (49.a) and the first last
// quarter of 2044 (49.b).
TEST(AlmanacTheory, MeetsTheWorkedExamples) {
    const SunLongitude sun = sunLongitude(2448908.5);
    EXPECT_NEAR(normalizedDegrees(sun.geometric), 199.907372, 0.0000005);
    EXPECT_NEAR(normalizedDegrees(sun.fk5), 199.907347, 0.0000005);
    EXPECT_NEAR(sun.radius, 0.99760775, 0.000000005);
    EXPECT_NEAR(sun.nutation * kArcsecondsPerDegree, 15.908, 0.0005);
    EXPECT_NEAR(sun.aberration * kArcsecondsPerDegree, -20.539, 0.0005);
    // 199 deg 54' 21.818"
    EXPECT_NEAR(sun.apparent, 199.0 + 54.0 / 60.0 + 21.818 / 3600.0, 0.001 / 3600.0);

    EXPECT_NEAR(nutationInLongitudeDegrees(centuriesFromJ2000(2446895.5)) * kArcsecondsPerDegree,
                -3.788, 0.0005);

    EXPECT_NEAR(moonPhaseJde(-283, kNewMoon), 2443192.65118, 0.000005);
    EXPECT_NEAR(moonPhaseJde(544, kLastQuarter), 2467636.49186, 0.000005);
}

// Every instant the generator stores is where the Sun's apparent longitude
// is the target, in the Gregorian year asked for; the equinoxes and
// solstices agree with the shorter seasons method within its stated error
// (under a minute against the full theory).
TEST(AlmanacTheory, SunInstantsReachTheirLongitudes) {
    const double longitudes[] = {285, 300, 315, 330, 345, 0,   15,  30,  45,  60,
                                 75,  90,  105, 120, 135, 150, 165, 180, 195, 210,
                                 225, 240, 255, 270, 297, 27,  117, 207, 80,  100};
    for (int32_t year = 1869; year <= 2101; ++year) {
        for (const double longitude : longitudes) {
            const double jde = sunInstantJde(year, longitude);
            const double miss = degreesFrom(apparentSunLongitude(jde), longitude);
            ASSERT_LT(std::fabs(miss), 1e-7) << year << " " << longitude;
            const CivilDate day = newmoongen::civilFromDays(
                static_cast<int64_t>(std::floor(jde - newmoongen::kUnixEpochJd)));
            ASSERT_EQ(day.year, year) << longitude;
        }
    }
    const SeasonsComparison seasons = compareWithSeasonsMethod(1870, 2100);
    EXPECT_LT(seasons.largestSeconds, 60.0) << seasons.year << " " << seasons.longitude;
}

// The phases of one lunation come in order, a quarter of a mean month apart
// give or take the Moon's unequal speed; the new moon is the new-moon
// generator's own.
TEST(AlmanacTheory, PhasesFollowEachOther) {
    for (int64_t k = -1680; k <= 1250; ++k) {
        double previous = moonPhaseJde(k, kNewMoon);
        ASSERT_EQ(previous, newmoongen::trueNewMoonJde(k));
        for (const MoonPhase phase : {kFirstQuarter, kFullMoon, kLastQuarter}) {
            const double jde = moonPhaseJde(k, phase);
            ASSERT_GT(jde - previous, 5.5) << k << " " << phase;
            ASSERT_LT(jde - previous, 9.5) << k << " " << phase;
            previous = jde;
        }
        const double next = moonPhaseJde(k + 1, kNewMoon);
        ASSERT_GT(next - previous, 5.5) << k;
        ASSERT_LT(next - previous, 9.5) << k;
    }
}

}  // namespace
