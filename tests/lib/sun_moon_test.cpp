#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "vorane2.h"

namespace {

TEST(SunMoonLongitude, AtTheEpoch) {
    EXPECT_NEAR(jd2sok(2451545.0), 280.3774, 5e-5);
    EXPECT_NEAR(jd2mok(2451545.0), 223.3139, 5e-5);
}

TEST(SunMoonLongitude, AgreeAtTheNewMoonOfJanuary2000) {
    const double sun = jd2sok(2451550.26);
    const double moon = jd2mok(2451550.26);
    EXPECT_NEAR(sun, 285.7403, 5e-5);
    EXPECT_NEAR(moon, 285.7298, 5e-5);
    EXPECT_LT(std::fabs(sun - moon), 0.011);
}

TEST(SunMoonLongitude, WrapsAtTheVernalEquinox) {
    const double before = jd2sok(2450527.125);  // 1997-03-20 00:00 JST
    const double after = jd2sok(2450528.125);   // 1997-03-21 00:00 JST
    EXPECT_NEAR(before, 359.056, 5e-4);
    EXPECT_NEAR(after, 0.049, 5e-4);
}

// The reduction keeps every result in [0, 360) over centuries either side of
// the epoch, where the raw sums are negative or many turns.
TEST(SunMoonLongitude, AlwaysWithinOneTurn) {
    for (double jd = 2341972.5; jd < 2524593.5; jd += 0.37) {  // 1700..2200
        const double s = jd2sok(jd);
        const double m = jd2mok(jd);
        ASSERT_GE(s, 0.0) << jd;
        ASSERT_LT(s, 360.0) << jd;
        ASSERT_GE(m, 0.0) << jd;
        ASSERT_LT(m, 360.0) << jd;
    }
}

// The Sun advances about 0.9856 degrees a day and the Moon about 13.18: a
// wrong sign or coefficient in a leading term shows as a jump.
TEST(SunMoonLongitude, DailyMotionIsPlausible) {
    for (double jd = 2415020.5; jd < 2488069.5; jd += 1.0) {  // 1900..2100
        const double ds = std::fmod(jd2sok(jd + 1.0) - jd2sok(jd) + 360.0, 360.0);
        const double dm = std::fmod(jd2mok(jd + 1.0) - jd2mok(jd) + 360.0, 360.0);
        ASSERT_GT(ds, 0.94) << jd;
        ASSERT_LT(ds, 1.03) << jd;
        ASSERT_GT(dm, 11.7) << jd;
        ASSERT_LT(dm, 15.5) << jd;
    }
}

TEST(SunMoonLongitude, NonFiniteDaysGiveNaN) {
    EXPECT_TRUE(std::isnan(jd2sok(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_TRUE(std::isnan(jd2mok(std::numeric_limits<double>::infinity())));
}

}  // namespace
