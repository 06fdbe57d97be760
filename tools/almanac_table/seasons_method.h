// An independent check of the Sun: the instants of the equinoxes and
// solstices by the shorter method of J. Meeus, Astronomical Algorithms, 2nd
// ed., chapter 27 (a mean instant polynomial plus 24 periodic terms, within
// a minute of VSOP87 in the span). The equinoxes are the equinox generator's
// own (equinox_theory.h); the solstices use the same chapter's mean
// instants with the same periodic terms, which that generator has no need
// of.
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
    const double t = (jde0 - kJ2000Jde) / kDaysPerJulianCentury;
    const double w = 35999.373 * t - 2.47;
    const double speed = 1.0 + 0.0334 * cosDeg(w) + 0.0007 * cosDeg(2.0 * w);
    struct Term {
        double amplitude;  // 1e-5 days
        double phase;      // degrees
        double rate;       // degrees per Julian century
    };
    static constexpr std::array<Term, 24> kTerms = {{
        {485, 324.96, 1934.136},  {203, 337.23, 32964.467}, {199, 342.08, 20.186},
        {182, 27.85, 445267.112}, {156, 73.14, 45036.886},  {136, 171.52, 22518.443},
        {77, 222.54, 65928.934},  {74, 296.72, 3034.906},   {70, 243.58, 9037.513},
        {58, 119.81, 33718.147},  {52, 297.17, 150.678},    {50, 21.02, 2281.232},
        {45, 247.54, 29929.562},  {44, 325.15, 31555.956},  {29, 60.93, 4443.417},
        {18, 155.12, 67555.328},  {17, 288.79, 4562.452},   {16, 198.04, 62894.029},
        {14, 199.76, 31436.921},  {12, 95.39, 14577.848},   {12, 287.11, 31931.756},
        {12, 320.81, 34777.259},  {9, 227.73, 1222.114},    {8, 15.45, 16859.074},
    }};
    double s = 0.0;
    for (const Term& term : kTerms) s += term.amplitude * cosDeg(term.phase + term.rate * t);
    return jde0 + 0.00001 * s / speed;
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
