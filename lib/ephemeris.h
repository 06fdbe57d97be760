// The accurate Sun and Moon of the library (not exported): Delta T, the
// nutation and the obliquity, the Sun from the truncated VSOP87 series and
// the Moon from the truncated ELP-2000/82 series, as geocentric equatorial
// vectors of date, and the sidereal time. Rising and setting, transits and
// the 72 pentads are computed from these at run time; the almanac's stored
// instants come from the same Sun (tools/almanac_table shares its tables).
//
// Every sine and cosine is the library's own (trig.h), so that every build
// gives the same doubles. The Moon's and the nutation's arguments are
// integer combinations of four or five angles: their sines and cosines are
// built from those of the angles' multiples by exact-order products, about
// a tenth of the cost of a sine each.
//
// Time: `jde` is a Julian day of dynamical time (TT), `jd` one of Universal
// Time; TT = UT + Delta T.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "tables/earth_series.h"
#include "tables/moon_series.h"
#include "tables/nutation_terms.h"
#include "trig.h"

namespace vorane2::ephemeris {

inline constexpr double kJ2000 = 2451545.0;
inline constexpr double kDaysPerCentury = 36525.0;
inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kRadiansPerDegree = kPi / 180.0;
inline constexpr double kDegreesPerArcsecond = 1.0 / 3600.0;
inline constexpr double kSecondsPerDay = 86400.0;
inline constexpr double kEarthRadiusKm = 6378.14;
inline constexpr double kAuKm = 149597870.7;

// ---- Angles -----------------------------------------------------------------

// Degrees into [0, 360).
inline double reducedDegrees(double degrees) {
    const double r = degrees - 360.0 * std::floor(degrees / 360.0);
    return r >= 360.0 ? r - 360.0 : r;
}
inline double sinDegrees(double degrees) {
    return sinRadians(reducedDegrees(degrees) * kRadiansPerDegree);
}
inline double cosDegrees(double degrees) {
    return cosRadians(reducedDegrees(degrees) * kRadiansPerDegree);
}

// cos and sin of k x for k = -4 .. 4 (index k + 4), from one cosine and one
// sine by the addition formulae.
struct Multiples {
    double cosine[9];
    double sine[9];
};

inline Multiples multiplesOf(double degrees) {
    Multiples m{};
    const double radians = reducedDegrees(degrees) * kRadiansPerDegree;
    const double c = cosRadians(radians);
    const double s = sinRadians(radians);
    m.cosine[4] = 1.0;
    m.sine[4] = 0.0;
    for (int k = 1; k <= 4; ++k) {
        const double pc = m.cosine[3 + k];
        const double ps = m.sine[3 + k];
        m.cosine[4 + k] = pc * c - ps * s;
        m.sine[4 + k] = ps * c + pc * s;
        m.cosine[4 - k] = m.cosine[4 + k];
        m.sine[4 - k] = -m.sine[4 + k];
    }
    return m;
}

// cos and sin of an integer combination sum k_i x_i (|k_i| <= 4).
struct CosSin {
    double cosine;
    double sine;
};

inline CosSin combine(CosSin a, const Multiples& m, int k) {
    const auto i = static_cast<std::size_t>(k + 4);
    return CosSin{a.cosine * m.cosine[i] - a.sine * m.sine[i],
                  a.sine * m.cosine[i] + a.cosine * m.sine[i]};
}

// ---- Time -------------------------------------------------------------------

// Delta T = TT - UT in seconds at a decimal year, by the polynomials of
// Espenak and Meeus (2006): fits to the observed values to about a second up
// to 2005, a forecast after it that may be a minute or more off by 2100.
// Years are held inside 1860 .. 2150, which covers the library's span.
inline double deltaTSeconds(double year) {
    const double y = year < 1860.0 ? 1860.0 : (year > 2150.0 ? 2150.0 : year);
    if (y < 1900.0) {
        const double t = y - 1860.0;
        return 7.62 + t * (0.5737 +
                           t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 + t / 233174.0))));
    }
    if (y < 1920.0) {
        const double t = y - 1900.0;
        return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 + t * -0.000197)));
    }
    if (y < 1941.0) {
        const double t = y - 1920.0;
        return 21.20 + t * (0.84493 + t * (-0.076100 + t * 0.0020936));
    }
    if (y < 1961.0) {
        const double t = y - 1950.0;
        return 29.07 + t * (0.407 + t * (-1.0 / 233.0 + t / 2547.0));
    }
    if (y < 1986.0) {
        const double t = y - 1975.0;
        return 45.45 + t * (1.067 + t * (-1.0 / 260.0 - t / 718.0));
    }
    if (y < 2005.0) {
        const double t = y - 2000.0;
        return 63.86 + t * (0.3345 + t * (-0.060374 +
                                          t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
    }
    if (y < 2050.0) {
        const double t = y - 2000.0;
        return 62.92 + t * (0.32217 + t * 0.005589);
    }
    const double u = (y - 1820.0) / 100.0;
    return -20.0 + 32.0 * u * u - 0.5628 * (2150.0 - y);
}

// The decimal year at which Delta T is taken for a Julian day: the middle
// of its Gregorian month, year + (month - 0.5) / 12, as the almanac's stored
// instants took it (Delta T moves by under a second a month), so that an
// instant computed here and the stored one agree.
inline double decimalYearOf(double jd) {
    // Days since 0000-03-01, then the era algorithm for year and month.
    const auto z = static_cast<int64_t>(std::floor(jd + 0.5)) - 1721120;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    return static_cast<double>(year) + (static_cast<double>(month) - 0.5) / 12.0;
}

// The TT Julian day of a UT one; Delta T is taken at the UT date, which
// differs from the TT date only in the last minute of a month.
inline double ttOf(double jd) { return jd + deltaTSeconds(decimalYearOf(jd)) / kSecondsPerDay; }

// Julian centuries of TT from J2000.0.
inline double centuriesOf(double jde) { return (jde - kJ2000) / kDaysPerCentury; }

// ---- Nutation and obliquity -------------------------------------------------

struct Nutation {
    double longitude;  // Delta psi, degrees
    double obliquity;  // Delta epsilon, degrees
    double meanObliquity;
    double trueObliquity;
};

// The Delaunay arguments of chapter 22 at t centuries, degrees.
inline Nutation nutationAt(double t) {
    const double t2 = t * t;
    const double t3 = t2 * t;
    const Multiples d = multiplesOf(297.85036 + 445267.111480 * t - 0.0019142 * t2 + t3 / 189474.0);
    const Multiples m = multiplesOf(357.52772 + 35999.050340 * t - 0.0001603 * t2 - t3 / 300000.0);
    const Multiples mp = multiplesOf(134.96298 + 477198.867398 * t + 0.0086972 * t2 + t3 / 56250.0);
    const Multiples f = multiplesOf(93.27191 + 483202.017538 * t - 0.0036825 * t2 + t3 / 327270.0);
    const Multiples o = multiplesOf(125.04452 - 1934.136261 * t + 0.0020708 * t2 + t3 / 450000.0);
    double psi = 0.0;
    double eps = 0.0;  // 0.0001"
    for (const tables::NutationTerm& term : tables::kNutationTerms) {
        CosSin a{1.0, 0.0};
        a = combine(a, d, term.d);
        a = combine(a, m, term.m);
        a = combine(a, mp, term.mp);
        a = combine(a, f, term.f);
        a = combine(a, o, term.o);
        psi += (term.a + term.b * t) * a.sine;
        eps += (term.c + term.dt * t) * a.cosine;
    }
    Nutation n{};
    n.longitude = psi / 10000.0 * kDegreesPerArcsecond;
    n.obliquity = eps / 10000.0 * kDegreesPerArcsecond;
    // IAU 1980 mean obliquity (chapter 22, 22.2).
    n.meanObliquity =
        23.0 + 26.0 / 60.0 +
        (21.448 + t * (-46.8150 + t * (-0.00059 + t * 0.001813))) * kDegreesPerArcsecond;
    n.trueObliquity = n.meanObliquity + n.obliquity;
    return n;
}

// ---- Positions --------------------------------------------------------------

// A geocentric position: ecliptic longitude and latitude of date (apparent,
// degrees) and the distance in kilometres.
struct Ecliptic {
    double longitude;
    double latitude;
    double distanceKm;
};

template <std::size_t N>
double seriesSum(const tables::SeriesTerm (&terms)[N], double tau) {
    double sum = 0.0;
    for (const tables::SeriesTerm& term : terms) {
        sum += term.amplitude * cosRadians(term.phase + term.frequency * tau);
    }
    return sum;
}

// The Sun's apparent geocentric position at a TT instant (chapters 25 and
// 32): the Earth's heliocentric coordinates turned round, moved to FK5, plus
// the nutation in longitude and the annual aberration.
inline Ecliptic sunAt(double jde, const Nutation& nutation) {
    using namespace tables;
    const double t = centuriesOf(jde);
    const double tau = t / 10.0;
    const double l = (((((seriesSum(kEarthL5, tau) * tau + seriesSum(kEarthL4, tau)) * tau +
                         seriesSum(kEarthL3, tau)) *
                            tau +
                        seriesSum(kEarthL2, tau)) *
                           tau +
                       seriesSum(kEarthL1, tau)) *
                          tau +
                      seriesSum(kEarthL0, tau)) /
                     1e8;
    const double b = (seriesSum(kEarthB1, tau) * tau + seriesSum(kEarthB0, tau)) / 1e8;
    const double r = ((((seriesSum(kEarthR4, tau) * tau + seriesSum(kEarthR3, tau)) * tau +
                        seriesSum(kEarthR2, tau)) *
                           tau +
                       seriesSum(kEarthR1, tau)) *
                          tau +
                      seriesSum(kEarthR0, tau)) /
                     1e8;
    const double geometric = l / kRadiansPerDegree + 180.0;
    const double beta = -b / kRadiansPerDegree;
    const double lambdaPrime = geometric - 1.397 * t - 0.00031 * t * t;
    const double cl = cosDegrees(lambdaPrime);
    const double sl = sinDegrees(lambdaPrime);
    // The latitude stays under a second of arc: its tangent is itself.
    const double tanBeta = beta * kRadiansPerDegree;
    Ecliptic s{};
    s.longitude = geometric + (-0.09033 + 0.03916 * (cl + sl) * tanBeta) * kDegreesPerArcsecond +
                  nutation.longitude - 20.4898 / r * kDegreesPerArcsecond;
    s.latitude = beta + 0.03916 * (cl - sl) * kDegreesPerArcsecond;
    s.distanceKm = r * kAuKm;
    return s;
}

// The Sun's apparent longitude alone, degrees in [0, 360).
inline double sunLongitudeAt(double jde) {
    return reducedDegrees(sunAt(jde, nutationAt(centuriesOf(jde))).longitude);
}

// The Moon's apparent geocentric position at a TT instant (chapter 47, with
// the nutation in longitude).
inline Ecliptic moonAt(double jde, const Nutation& nutation) {
    const double t = centuriesOf(jde);
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    const double lp =
        218.3164477 + 481267.88123421 * t - 0.0015786 * t2 + t3 / 538841.0 - t4 / 65194000.0;
    const double dd =
        297.8501921 + 445267.1114034 * t - 0.0018819 * t2 + t3 / 545868.0 - t4 / 113065000.0;
    const double mm = 357.5291092 + 35999.0502909 * t - 0.0001536 * t2 + t3 / 24490000.0;
    const double mpp =
        134.9633964 + 477198.8675055 * t + 0.0087414 * t2 + t3 / 69699.0 - t4 / 14712000.0;
    const double ff =
        93.2720950 + 483202.0175233 * t - 0.0036539 * t2 - t3 / 3526000.0 + t4 / 863310000.0;
    const double a1 = 119.75 + 131.849 * t;
    const double a2 = 53.09 + 479264.290 * t;
    const double a3 = 313.45 + 481266.484 * t;
    const double e = 1.0 - 0.002516 * t - 0.0000074 * t2;
    const double eFactor[3] = {1.0, e, e * e};
    const Multiples d = multiplesOf(dd);
    const Multiples m = multiplesOf(mm);
    const Multiples mp = multiplesOf(mpp);
    const Multiples f = multiplesOf(ff);
    double sl = 3958.0 * sinDegrees(a1) + 1962.0 * sinDegrees(lp - ff) + 318.0 * sinDegrees(a2);
    double sr = 0.0;
    for (const tables::MoonTerm& term : tables::kMoonLongitudeDistance) {
        CosSin a{1.0, 0.0};
        a = combine(a, d, term.d);
        a = combine(a, m, term.m);
        a = combine(a, mp, term.mp);
        a = combine(a, f, term.f);
        const double scale = eFactor[term.m < 0 ? -term.m : term.m];
        sl += term.first * scale * a.sine;
        sr += term.second * scale * a.cosine;
    }
    double sb = -2235.0 * sinDegrees(lp) + 382.0 * sinDegrees(a3) + 175.0 * sinDegrees(a1 - ff) +
                175.0 * sinDegrees(a1 + ff) + 127.0 * sinDegrees(lp - mpp) -
                115.0 * sinDegrees(lp + mpp);
    for (const tables::MoonTerm& term : tables::kMoonLatitude) {
        CosSin a{1.0, 0.0};
        a = combine(a, d, term.d);
        a = combine(a, m, term.m);
        a = combine(a, mp, term.mp);
        a = combine(a, f, term.f);
        sb += term.first * eFactor[term.m < 0 ? -term.m : term.m] * a.sine;
    }
    Ecliptic moon{};
    moon.longitude = lp + sl / 1e6 + nutation.longitude;
    moon.latitude = sb / 1e6;
    moon.distanceKm = 385000.56 + sr / 1000.0;
    return moon;
}

// A geocentric equatorial vector of date (true equator and equinox), in
// Earth radii: x towards the equinox, z towards the north pole.
struct Vector {
    double x;
    double y;
    double z;
};

inline Vector equatorialOf(const Ecliptic& p, double obliquityDegrees) {
    const double r = p.distanceKm / kEarthRadiusKm;
    const double cb = cosDegrees(p.latitude);
    const double sb = sinDegrees(p.latitude);
    const double cl = cosDegrees(p.longitude);
    const double sl = sinDegrees(p.longitude);
    const double ce = cosDegrees(obliquityDegrees);
    const double se = sinDegrees(obliquityDegrees);
    const double ex = cb * cl;
    const double ey = cb * sl;
    return Vector{r * ex, r * (ey * ce - sb * se), r * (ey * se + sb * ce)};
}

// Greenwich apparent sidereal time at a UT Julian day, degrees not reduced
// (chapter 12, plus the equation of the equinoxes).
inline double apparentSiderealDegrees(double jd, const Nutation& nutation) {
    const double t = (jd - kJ2000) / kDaysPerCentury;
    return 280.46061837 + 360.98564736629 * (jd - kJ2000) + t * t * (0.000387933 - t / 38710000.0) +
           nutation.longitude * cosDegrees(nutation.trueObliquity);
}

}  // namespace vorane2::ephemeris
