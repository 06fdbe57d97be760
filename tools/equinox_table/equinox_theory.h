// Astronomy of the equinox day table generator.
//
// Theory. An equinox is the instant at which the Sun's apparent geocentric
// ecliptic longitude is 0 degrees (March) or 180 degrees (September). Its
// instant comes from the published method for the equinoxes and solstices
// by J. Meeus (Astronomical Algorithms, 2nd ed., chapter 27): a mean instant
// JDE0, a polynomial in the millennia from 2000 valid for 1000-3000, then
// the sum S of 24 periodic terms (the perturbations of the Earth's orbit by
// the planets and the Moon) scaled by the Sun's speed factor from the
// Earth's eccentricity. The result is in dynamical time (TD). Its author
// compared it with the full VSOP87 theory over 1951-2050 and found errors
// below a minute (51 seconds at worst).
//
// Time scale. The civil day is a day of Universal Time in UTC+9, so the TD
// instant is turned into UT with the Delta T polynomials of Espenak and
// Meeus shared with the new-moon generator (new_moon_theory.h): about a
// second up to 2005, a forecast after it that may be a minute or more off
// by 2100.
//
// Why ten minutes. Adding the two errors gives well under ten minutes over
// 1948-2100, so only an equinox within ten minutes of a UTC+9 midnight could
// land on the other day; the generator reports those and names them in the
// table's header.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "new_moon_theory.h"

namespace equinoxgen {

using newmoongen::CivilDate;

enum class Season { March, September };

inline double cosDeg(double degrees) {
    return std::cos(std::fmod(degrees, 360.0) * newmoongen::kPi / 180.0);
}

// The instant of an equinox or solstice from its mean instant JDE0: the sum
// of the 24 periodic terms, scaled by the Sun's speed (the same terms serve
// all four seasons).
inline double withPeriodicTerms(double jde0) {
    const double t = (jde0 - 2451545.0) / 36525.0;
    // The Sun moves faster near perihelion: the periodic terms, which are in
    // longitude, take less time there.
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

// Julian Ephemeris Day (TD) of the March or September equinox of a year in
// 1000..3000.
inline double equinoxJde(int32_t year, Season season) {
    const double y = (static_cast<double>(year) - 2000.0) / 1000.0;
    const double y2 = y * y;
    const double y3 = y2 * y;
    const double y4 = y3 * y;
    const double jde0 =
        season == Season::March
            ? 2451623.80984 + 365242.37404 * y + 0.05169 * y2 - 0.00411 * y3 - 0.00057 * y4
            : 2451810.21715 + 365242.01767 * y - 0.11575 * y2 + 0.00337 * y3 + 0.00078 * y4;
    return withPeriodicTerms(jde0);
}

using Equinox = newmoongen::LocalInstant;
using newmoongen::isNearMidnight;

// The equinox in UT and in UTC+9.
inline Equinox equinoxOf(int32_t year, Season season) {
    return newmoongen::localInstantOf(equinoxJde(year, season));
}

// The text of the generated header for the years first..last, byte for byte.
// Fails (empty text) when an equinox leaves its month (March 19..22 and
// September 21..24 are the only days possible in the span).
std::string renderHeader(int32_t firstYear, int32_t lastYear);

}  // namespace equinoxgen
