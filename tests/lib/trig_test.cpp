#include "trig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Units in the last place between two doubles of the same sign region.
double ulpsBetween(double a, double b) {
    const double ulp = std::nextafter(std::fabs(b), INFINITY) - std::fabs(b);
    return std::fabs(a - b) / ulp;
}

// Within one turn, where the library uses them, the library's own sine and
// cosine stay within one unit in the last place of the C library's
// (correctly rounded on glibc) values, near the zeros included.
TEST(PortableTrig, AgreesWithTheCLibraryWithinOneUlpOverATurn) {
    double worst = 0.0;
    for (int i = 0; i <= 2000000; ++i) {
        const double x = 6.283185307179586 * i / 2000000.0;
        worst = std::max(worst, ulpsBetween(vorane2::sinRadians(x), std::sin(x)));
        worst = std::max(worst, ulpsBetween(vorane2::cosRadians(x), std::cos(x)));
    }
    EXPECT_LE(worst, 1.0);
}

TEST(PortableTrig, QuadrantBoundariesAndZeros) {
    EXPECT_EQ(vorane2::sinRadians(0.0), 0.0);
    EXPECT_EQ(vorane2::cosRadians(0.0), 1.0);
    const double halfPi = 1.5707963267948966;
    EXPECT_LE(ulpsBetween(vorane2::cosRadians(halfPi), std::cos(halfPi)), 1.0);
    EXPECT_LE(ulpsBetween(vorane2::sinRadians(2 * halfPi), std::sin(2 * halfPi)), 1.0);
    EXPECT_LE(ulpsBetween(vorane2::cosRadians(3 * halfPi), std::cos(3 * halfPi)), 1.0);
    // The degree form the calendar uses: 90 degrees with its own factor.
    const double ninety = 0.25 * 360.0 * 0.017453292519943;
    EXPECT_LE(ulpsBetween(vorane2::cosRadians(ninety), std::cos(ninety)), 1.0);
    EXPECT_LE(ulpsBetween(vorane2::sinRadians(-1.0), std::sin(-1.0)), 1.0);
}

TEST(PortableTrig, ArgumentsBeyondReductionAreNaN) {
    EXPECT_TRUE(std::isnan(vorane2::sinRadians(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_TRUE(std::isnan(vorane2::cosRadians(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(vorane2::cosRadians(1e300)));
}

}  // namespace
