// An independent check of the Sun: the instants of the equinoxes and
// solstices by the shorter method of J. Meeus, Astronomical Algorithms, 2nd
// ed., chapter 27 (a mean instant polynomial plus 24 periodic terms, within
// a minute of VSOP87 in the span). The equinoxes are the equinox generator's
// own (equinox_theory.h); the solstices use the same chapter's mean
// instants with that generator's periodic terms.
#pragma once

#include <array>
#include <cstdint>

#include "almanac_theory.h"
#include "equinox_theory.h"

namespace almanacgen {

// Season by the Sun's apparent longitude: 0, 90, 180, 270 degrees.
inline double seasonsMethodJde(int32_t year, int32_t longitude) {
    if (longitude == 0) return equinoxgen::equinoxJde(year, equinoxgen::Season::March);
    if (longitude == 180) return equinoxgen::equinoxJde(year, equinoxgen::Season::September);
    const double y = (static_cast<double>(year) - 2000.0) / 1000.0;
    const double y2 = y * y;
    const double y3 = y2 * y;
    const double y4 = y3 * y;
    const double jde0 =
        longitude == 90
            ? 2451716.56767 + 365241.62603 * y + 0.00325 * y2 + 0.00888 * y3 - 0.00030 * y4
            : 2451900.05952 + 365242.74049 * y - 0.06223 * y2 - 0.00823 * y3 + 0.00032 * y4;
    return equinoxgen::withPeriodicTerms(jde0);
}

struct SeasonsComparison {
    double largestSeconds = 0.0;  // |this theory - chapter 27|
    int32_t year = 0;
    int32_t longitude = 0;
};

// The largest difference over the equinoxes and solstices of the years.
inline SeasonsComparison compareWithSeasonsMethod(int32_t firstYear, int32_t lastYear) {
    SeasonsComparison c;
    for (int32_t year = firstYear; year <= lastYear; ++year) {
        for (const int32_t longitude : {0, 90, 180, 270}) {
            const double ours = sunInstantJde(year, longitude);
            const double seconds =
                std::fabs(ours - seasonsMethodJde(year, longitude)) * newmoongen::kSecondsPerDay;
            if (seconds > c.largestSeconds) c = {seconds, year, longitude};
        }
    }
    return c;
}

}  // namespace almanacgen
