// Astronomy of the almanac instant table generator: the instants at which
// the Sun reaches given apparent longitudes, and the principal phases of the
// Moon.
//
// The Sun. Its apparent geocentric ecliptic longitude of date is built as in
// J. Meeus, Astronomical Algorithms, 2nd ed., chapter 25 ("higher
// accuracy"): the Earth's heliocentric longitude, latitude and radius vector
// from the truncated VSOP87 series (appendix III; the library's
// tables/earth_series.h), turned geocentric (plus 180 degrees), moved to the
// FK5 frame (chapter 32), plus the nutation in longitude (chapter 22;
// tables/nutation_terms.h) and the annual aberration (-20.4898" / R). The series are good to about
// one second of arc; the Sun moves one second of arc in about 24 seconds of time. The instant of a
// longitude is found by iterating in dynamical time (TD).
//
// The Moon. The instants of new moon, first quarter, full moon and last
// quarter (the apparent longitude of the Moon minus that of the Sun is 0,
// 90, 180, 270 degrees) come from the true phases of chapter 49: the new
// moon exactly as new_moon_theory.h computes it, the other three from the
// same mean phase and arguments at a fractional lunation with their own
// periodic corrections (the quarters with the extra W term) and the same
// planetary corrections. Its author found errors of a few seconds to about
// twenty seconds against a full lunar theory.
//
// Time. Every TD instant becomes Universal Time through Delta T, the
// Espenak-Meeus polynomials of new_moon_theory.h: about a second before
// 2005, a forecast after it that may be a minute or more off by 2100.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "new_moon_theory.h"
#include "tables/earth_series.h"
#include "tables/nutation_terms.h"

namespace almanacgen {

using newmoongen::CivilDate;
using newmoongen::kPi;
using newmoongen::LocalInstant;
// The series are the library's own tables, shared with its run-time Sun.
using vorane2::tables::kEarthB0;
using vorane2::tables::kEarthB1;
using vorane2::tables::kEarthL0;
using vorane2::tables::kEarthL1;
using vorane2::tables::kEarthL2;
using vorane2::tables::kEarthL3;
using vorane2::tables::kEarthL4;
using vorane2::tables::kEarthL5;
using vorane2::tables::kEarthR0;
using vorane2::tables::kEarthR1;
using vorane2::tables::kEarthR2;
using vorane2::tables::kEarthR3;
using vorane2::tables::kEarthR4;
using vorane2::tables::kNutationTerms;
using vorane2::tables::NutationTerm;
using vorane2::tables::SeriesTerm;

inline constexpr double kJ2000Jde = 2451545.0;
inline constexpr double kDaysPerJulianCentury = 36525.0;
inline constexpr double kDegreesPerRadian = 180.0 / kPi;
inline constexpr double kArcsecondsPerDegree = 3600.0;
// The tropical year in days; the Sun's mean motion is 360 degrees in it.
inline constexpr double kTropicalYearDays = 365.2422;

// ---- Angles -------------------------------------------------------------------

inline double normalizedDegrees(double degrees) {
    const double d = std::fmod(degrees, 360.0);
    return d < 0.0 ? d + 360.0 : d;
}

// a - b wrapped into [-180, 180).
inline double degreesFrom(double b, double a) { return normalizedDegrees(a - b + 180.0) - 180.0; }

inline double sinDeg(double degrees) { return newmoongen::sinDeg(degrees); }
inline double cosDeg(double degrees) { return std::cos(std::fmod(degrees, 360.0) * kPi / 180.0); }

// Julian centuries of TD from J2000.0.
inline double centuriesFromJ2000(double jde) { return (jde - kJ2000Jde) / kDaysPerJulianCentury; }

// ---- The Earth from the series ----------------------------------------------

template <size_t N>
double seriesSum(const SeriesTerm (&terms)[N], double tau) {
    double sum = 0.0;
    for (const SeriesTerm& term : terms) {
        sum += term.amplitude * std::cos(term.phase + term.frequency * tau);
    }
    return sum;
}

struct Heliocentric {
    double longitude;  // radians, not reduced
    double latitude;   // radians
    double radius;     // AU
};

// The Earth's heliocentric coordinates, ecliptic and equinox of date (the
// series' own dynamical frame), at tau Julian millennia of TD from J2000.0.
inline Heliocentric earthHeliocentric(double tau) {
    Heliocentric h{};
    h.longitude = (((((seriesSum(kEarthL5, tau) * tau + seriesSum(kEarthL4, tau)) * tau +
                      seriesSum(kEarthL3, tau)) *
                         tau +
                     seriesSum(kEarthL2, tau)) *
                        tau +
                    seriesSum(kEarthL1, tau)) *
                       tau +
                   seriesSum(kEarthL0, tau)) /
                  1e8;
    h.latitude = (seriesSum(kEarthB1, tau) * tau + seriesSum(kEarthB0, tau)) / 1e8;
    h.radius = ((((seriesSum(kEarthR4, tau) * tau + seriesSum(kEarthR3, tau)) * tau +
                  seriesSum(kEarthR2, tau)) *
                     tau +
                 seriesSum(kEarthR1, tau)) *
                    tau +
                seriesSum(kEarthR0, tau)) /
               1e8;
    return h;
}

// ---- The Sun's apparent longitude -----------------------------------------

struct SunLongitude {
    double geometric;   // degrees, the series' dynamical frame, not reduced
    double fk5;         // degrees, FK5 frame
    double nutation;    // degrees
    double aberration;  // degrees
    double apparent;    // degrees in [0, 360)
    double radius;      // AU
};

// The nutation in longitude at t Julian centuries of TD, degrees (chapter
// 22): the sum of the terms over the Delaunay arguments of the Moon and Sun.
inline double nutationInLongitudeDegrees(double t) {
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double d = 297.85036 + 445267.111480 * t - 0.0019142 * t2 + t3 / 189474.0;
    const double m = 357.52772 + 35999.050340 * t - 0.0001603 * t2 - t3 / 300000.0;
    const double mp = 134.96298 + 477198.867398 * t + 0.0086972 * t2 + t3 / 56250.0;
    const double f = 93.27191 + 483202.017538 * t - 0.0036825 * t2 + t3 / 327270.0;
    const double omega = 125.04452 - 1934.136261 * t + 0.0020708 * t2 + t3 / 450000.0;
    double sum = 0.0;  // 0.0001"
    for (const NutationTerm& term : kNutationTerms) {
        const double argument = normalizedDegrees(term.d * d) + normalizedDegrees(term.m * m) +
                                normalizedDegrees(term.mp * mp) + normalizedDegrees(term.f * f) +
                                normalizedDegrees(term.o * omega);
        sum += (term.a + term.b * t) * sinDeg(argument);
    }
    return sum / 10000.0 / kArcsecondsPerDegree;
}

// The Sun's geocentric longitude at a TD instant (chapters 25 and 32).
inline SunLongitude sunLongitude(double jde) {
    const double t = centuriesFromJ2000(jde);
    const Heliocentric earth = earthHeliocentric(t / 10.0);
    SunLongitude s{};
    s.radius = earth.radius;
    // Seen from the Earth the Sun is opposite: longitude + 180, latitude
    // negated.
    s.geometric = earth.longitude * kDegreesPerRadian + 180.0;
    const double beta = -earth.latitude * kDegreesPerRadian;
    // The series' frame differs slightly from FK5 (chapter 32).
    const double lambdaPrime = s.geometric - 1.397 * t - 0.00031 * t * t;
    const double tanBeta = std::tan(beta * kPi / 180.0);
    s.fk5 =
        s.geometric + (-0.09033 + 0.03916 * (cosDeg(lambdaPrime) + sinDeg(lambdaPrime)) * tanBeta) /
                          kArcsecondsPerDegree;
    s.nutation = nutationInLongitudeDegrees(t);
    // The light's travel time makes the Sun appear behind its true place by
    // the aberration constant scaled by the distance.
    s.aberration = -20.4898 / s.radius / kArcsecondsPerDegree;
    s.apparent = normalizedDegrees(s.fk5 + s.nutation + s.aberration);
    return s;
}

inline double apparentSunLongitude(double jde) { return sunLongitude(jde).apparent; }

// The TD instant near guessJde at which the Sun's apparent longitude is
// `target` degrees. Each step divides the remaining angle by the mean
// motion; the true motion differs from it by under 4 percent, so every step
// shrinks the error some thirty-fold.
inline double sunLongitudeInstant(double target, double guessJde) {
    double jde = guessJde;
    for (int i = 0; i < 40; ++i) {
        const double step =
            degreesFrom(apparentSunLongitude(jde), target) * kTropicalYearDays / 360.0;
        jde += step;
        if (std::fabs(step) < 1e-9) break;
    }
    return jde;
}

// The TD instant in the Gregorian year `year` (about, by TD) at which the
// Sun's apparent longitude is `longitude` degrees: the longitudes from 280
// on are reached in January to March, before the March equinox.
inline double sunInstantJde(int32_t year, double longitude) {
    const double meanMarchEquinox = 2451623.80984 + kTropicalYearDays * (year - 2000);
    const double fromEquinox = longitude < 280.0 ? longitude : longitude - 360.0;
    return sunLongitudeInstant(longitude,
                               meanMarchEquinox + fromEquinox * kTropicalYearDays / 360.0);
}

// ---- The Moon's principal phases ------------------------------------------

enum MoonPhase : int { kNewMoon = 0, kFirstQuarter = 1, kFullMoon = 2, kLastQuarter = 3 };

struct LunarArguments {
    double k;      // lunation number with the phase's fraction
    double t;      // Julian centuries
    double e;      // eccentricity factor of the Earth's orbit
    double m;      // the Sun's mean anomaly, degrees
    double mp;     // the Moon's mean anomaly, degrees
    double f;      // the Moon's argument of latitude, degrees
    double omega;  // longitude of the Moon's ascending node, degrees
    double meanJde;
};

// The mean phase and the arguments at lunation k (chapter 49; the same
// polynomials as the new moons of new_moon_theory.h).
inline LunarArguments lunarArguments(double k) {
    LunarArguments a{};
    a.k = k;
    a.t = k / newmoongen::kLunationsPerCentury;
    const double t2 = a.t * a.t;
    const double t3 = t2 * a.t;
    const double t4 = t3 * a.t;
    a.meanJde =
        2451550.09766 + 29.530588861 * k + 0.00015437 * t2 - 0.000000150 * t3 + 0.00000000073 * t4;
    a.e = 1.0 - 0.002516 * a.t - 0.0000074 * t2;
    a.m = 2.5534 + 29.10535670 * k - 0.0000014 * t2 - 0.00000011 * t3;
    a.mp = 201.5643 + 385.81693528 * k + 0.0107582 * t2 + 0.00001238 * t3 - 0.000000058 * t4;
    a.f = 160.7108 + 390.67050284 * k - 0.0016118 * t2 - 0.00000227 * t3 + 0.000000011 * t4;
    a.omega = 124.7746 - 1.56375588 * k + 0.0020672 * t2 + 0.00000215 * t3;
    return a;
}

// Periodic terms of the full moon, days (chapter 49).
inline double fullMoonCorrection(const LunarArguments& a) {
    const double e = a.e, m = a.m, mp = a.mp, f = a.f;
    double c = 0.0;
    c += -0.40614 * sinDeg(mp);
    c += 0.17302 * e * sinDeg(m);
    c += 0.01614 * sinDeg(2.0 * mp);
    c += 0.01043 * sinDeg(2.0 * f);
    c += 0.00734 * e * sinDeg(mp - m);
    c += -0.00515 * e * sinDeg(mp + m);
    c += 0.00209 * e * e * sinDeg(2.0 * m);
    c += -0.00111 * sinDeg(mp - 2.0 * f);
    c += -0.00057 * sinDeg(mp + 2.0 * f);
    c += 0.00056 * e * sinDeg(2.0 * mp + m);
    c += -0.00042 * sinDeg(3.0 * mp);
    c += 0.00042 * e * sinDeg(m + 2.0 * f);
    c += 0.00038 * e * sinDeg(m - 2.0 * f);
    c += -0.00024 * e * sinDeg(2.0 * mp - m);
    c += -0.00017 * sinDeg(a.omega);
    c += -0.00007 * sinDeg(mp + 2.0 * m);
    c += 0.00004 * sinDeg(2.0 * mp - 2.0 * f);
    c += 0.00004 * sinDeg(3.0 * m);
    c += 0.00003 * sinDeg(mp + m - 2.0 * f);
    c += 0.00003 * sinDeg(2.0 * mp + 2.0 * f);
    c += -0.00003 * sinDeg(mp + m + 2.0 * f);
    c += 0.00003 * sinDeg(mp - m + 2.0 * f);
    c += -0.00002 * sinDeg(mp - m - 2.0 * f);
    c += -0.00002 * sinDeg(3.0 * mp + m);
    c += 0.00002 * sinDeg(4.0 * mp);
    return c;
}

// Periodic terms of the quarters, days (chapter 49), without W.
inline double quarterCorrection(const LunarArguments& a) {
    const double e = a.e, m = a.m, mp = a.mp, f = a.f;
    double c = 0.0;
    c += -0.62801 * sinDeg(mp);
    c += 0.17172 * e * sinDeg(m);
    c += -0.01183 * e * sinDeg(mp + m);
    c += 0.00862 * sinDeg(2.0 * mp);
    c += 0.00804 * sinDeg(2.0 * f);
    c += 0.00454 * e * sinDeg(mp - m);
    c += 0.00204 * e * e * sinDeg(2.0 * m);
    c += -0.00180 * sinDeg(mp - 2.0 * f);
    c += -0.00070 * sinDeg(mp + 2.0 * f);
    c += -0.00040 * sinDeg(3.0 * mp);
    c += -0.00034 * e * sinDeg(2.0 * mp - m);
    c += 0.00032 * e * sinDeg(m + 2.0 * f);
    c += 0.00032 * e * sinDeg(m - 2.0 * f);
    c += -0.00028 * e * e * sinDeg(mp + 2.0 * m);
    c += 0.00027 * e * sinDeg(2.0 * mp + m);
    c += -0.00017 * sinDeg(a.omega);
    c += -0.00005 * sinDeg(mp - m - 2.0 * f);
    c += 0.00004 * sinDeg(2.0 * mp + 2.0 * f);
    c += -0.00004 * sinDeg(mp + m + 2.0 * f);
    c += 0.00004 * sinDeg(mp - 2.0 * m);
    c += 0.00003 * sinDeg(mp + m - 2.0 * f);
    c += 0.00003 * sinDeg(3.0 * m);
    c += 0.00002 * sinDeg(2.0 * mp - 2.0 * f);
    c += 0.00002 * sinDeg(mp - m + 2.0 * f);
    c += -0.00002 * sinDeg(3.0 * mp + m);
    return c;
}

// The quarters' W term, days: added at the first quarter, subtracted at the
// last (chapter 49).
inline double quarterW(const LunarArguments& a) {
    return 0.00306 - 0.00038 * a.e * cosDeg(a.m) + 0.00026 * cosDeg(a.mp) -
           0.00002 * cosDeg(a.mp - a.m) + 0.00002 * cosDeg(a.mp + a.m) +
           0.00002 * cosDeg(2.0 * a.f);
}

// The planetary arguments A1..A14 (chapter 49), common to all phases, days.
inline double planetaryCorrection(const LunarArguments& a) {
    return newmoongen::planetaryCorrection(a.k, a.t * a.t);
}

// The TD instant of a principal phase of lunation k (k = 0 at the new moon
// of 2000-01-06).
inline double moonPhaseJde(int64_t lunation, MoonPhase phase) {
    if (phase == kNewMoon) return newmoongen::trueNewMoonJde(lunation);
    const LunarArguments a =
        lunarArguments(static_cast<double>(lunation) + static_cast<double>(phase) / 4.0);
    double c = phase == kFullMoon ? fullMoonCorrection(a) : quarterCorrection(a);
    if (phase == kFirstQuarter) c += quarterW(a);
    if (phase == kLastQuarter) c -= quarterW(a);
    return a.meanJde + c + planetaryCorrection(a);
}

// ---- Instants as stored -----------------------------------------------------

// Modified Julian Date 0 (1858-11-17 00:00 UT) as a Julian day.
inline constexpr double kMjdEpochJd = 2400000.5;

// Whole minutes of UT since MJD 0, rounded down.
inline int64_t utMinutesOf(const LocalInstant& instant) {
    return static_cast<int64_t>(std::floor((instant.jdUt - kMjdEpochJd) * 1440.0));
}

}  // namespace almanacgen
