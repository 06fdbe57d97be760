// Astronomy and table building of the new-moon day table generator.
//
// Theory. A new moon is the instant at which the apparent geocentric
// ecliptic longitudes of the Sun and the Moon are equal. Its instant comes
// from the published algorithm for the true phases of the Moon by J. Meeus
// (Astronomical Algorithms, 2nd ed., chapter 49): the mean new moon of
// lunation number k (k = 0 at the new moon of 2000-01-06), corrected by the
// periodic terms in the Sun's and the Moon's mean anomalies M and M', the
// Moon's argument of latitude F, the longitude of its ascending node Omega,
// the eccentricity factor E, and the fourteen planetary arguments A1..A14.
// The result is in dynamical time (TD). Its author compared it with a full
// lunar theory and found errors of a few seconds over 1900-2100 (well under
// a minute at worst), and of the same order for the nineteenth century.
//
// Time scale. The library's days are civil days of Universal Time, so the TD
// instant is turned into UT with Delta T = TD - UT from the polynomial model
// of Espenak and Meeus (2006), piecewise by year. Up to 2005 the polynomials
// fit the observed values to about a second; after 2005 they are a forecast
// (2005-2050: 62.92 + 0.32217 t + 0.005589 t^2, t = y - 2000; 2050-2150:
// -20 + 32 ((y - 1820) / 100)^2 - 0.5628 (2150 - y)) whose error grows with
// the distance from the present: the forecast ran about two seconds ahead of
// the observed Delta T by 2020 and may be off by a minute or more near 2100.
//
// Why ten minutes. The table holds the civil day in UTC+9 that contains the
// conjunction. Adding the errors of the phase algorithm and of Delta T gives
// well under ten minutes over the span, so only a conjunction within ten
// minutes of a UTC+9 midnight could land on the other day; those are
// reported, and in the observed past they are decided by a binding list.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "ephemeris.h"

namespace newmoongen {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kSecondsPerDay = 86400.0;
// Nine hours east of Greenwich, as a fraction of a day.
inline constexpr double kZoneOffsetDays = 9.0 / 24.0;
// A conjunction this close to a local midnight could fall on either day.
inline constexpr double kNearMidnightMinutes = 10.0;

// Lunations per Julian century: T of lunation k is k / 1236.85.
inline constexpr double kLunationsPerCentury = 1236.85;

struct CivilDate {
    int32_t year;
    int32_t month;
    int32_t day;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// ---- Civil calendar -------------------------------------------------------

// Days since 1970-01-01 of a proleptic Gregorian date (era algorithm:
// counting from 1 March makes the leap day the last day of the year).
constexpr int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr CivilDate civilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = yoe + era * 400;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    return CivilDate{static_cast<int32_t>(y + (m <= 2 ? 1 : 0)), static_cast<int32_t>(m),
                     static_cast<int32_t>(d)};
}

constexpr int64_t daysFromCivil(CivilDate date) {
    return daysFromCivil(date.year, date.month, date.day);
}

// Julian day of 1970-01-01 0:00 UT.
inline constexpr double kUnixEpochJd = 2440587.5;

// ---- True new moon --------------------------------------------------------

inline double sinDeg(double degrees) { return std::sin(std::fmod(degrees, 360.0) * kPi / 180.0); }

// The planetary arguments A1..A14 of the true phases, common to every phase
// (new, quarters, full), in days: the pull of the planets on the Moon and
// the Sun. `k` is the lunation number (a quarter for the quarters), `t2` the
// square of its Julian centuries.
inline double planetaryCorrection(double k, double t2) {
    struct Planetary {
        double amplitude;
        double phase;
        double rate;
    };
    static constexpr std::array<Planetary, 14> kPlanetary = {{
        {0.000325, 299.77, 0.107408},  // A1 (its T^2 term is added below)
        {0.000165, 251.88, 0.016321},
        {0.000164, 251.83, 26.651886},
        {0.000126, 349.42, 36.412478},
        {0.000110, 84.66, 18.206239},
        {0.000062, 141.74, 53.303771},
        {0.000060, 207.14, 2.453732},
        {0.000056, 154.84, 7.306860},
        {0.000047, 34.52, 27.261239},
        {0.000042, 207.19, 0.121824},
        {0.000040, 291.34, 1.844379},
        {0.000037, 161.72, 24.198154},
        {0.000035, 239.56, 25.513099},
        {0.000023, 331.55, 3.592518},
    }};
    double planetary = 0.0;
    for (size_t i = 0; i < kPlanetary.size(); ++i) {
        double argument = kPlanetary[i].phase + kPlanetary[i].rate * k;
        if (i == 0) argument -= 0.009173 * t2;
        planetary += kPlanetary[i].amplitude * sinDeg(argument);
    }
    return planetary;
}

// Julian Ephemeris Day (TD) of the true new moon of lunation k.
inline double trueNewMoonJde(int64_t lunation) {
    const double k = static_cast<double>(lunation);
    const double t = k / kLunationsPerCentury;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;

    // The mean new moon.
    const double meanJde =
        2451550.09766 + 29.530588861 * k + 0.00015437 * t2 - 0.000000150 * t3 + 0.00000000073 * t4;

    // The eccentricity of the Earth's orbit weakens the terms in M.
    const double e = 1.0 - 0.002516 * t - 0.0000074 * t2;
    const double m = 2.5534 + 29.10535670 * k - 0.0000014 * t2 - 0.00000011 * t3;
    const double mp =
        201.5643 + 385.81693528 * k + 0.0107582 * t2 + 0.00001238 * t3 - 0.000000058 * t4;
    const double f =
        160.7108 + 390.67050284 * k - 0.0016118 * t2 - 0.00000227 * t3 + 0.000000011 * t4;
    const double omega = 124.7746 - 1.56375588 * k + 0.0020672 * t2 + 0.00000215 * t3;

    // Periodic terms of the new moon, largest first (the equation of the
    // Moon's centre, then the Sun's, then evection, variation and the rest).
    double c = 0.0;
    c += -0.40720 * sinDeg(mp);
    c += 0.17241 * e * sinDeg(m);
    c += 0.01608 * sinDeg(2.0 * mp);
    c += 0.01039 * sinDeg(2.0 * f);
    c += 0.00739 * e * sinDeg(mp - m);
    c += -0.00514 * e * sinDeg(mp + m);
    c += 0.00208 * e * e * sinDeg(2.0 * m);
    c += -0.00111 * sinDeg(mp - 2.0 * f);
    c += -0.00057 * sinDeg(mp + 2.0 * f);
    c += 0.00056 * e * sinDeg(2.0 * mp + m);
    c += -0.00042 * sinDeg(3.0 * mp);
    c += 0.00042 * e * sinDeg(m + 2.0 * f);
    c += 0.00038 * e * sinDeg(m - 2.0 * f);
    c += -0.00024 * e * sinDeg(2.0 * mp - m);
    c += -0.00017 * sinDeg(omega);
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

    // Planetary arguments: the pull of the planets on the Moon and the Sun.
    const double planetary = planetaryCorrection(k, t2);
    return meanJde + c + planetary;
}

// The lunation number whose mean new moon is nearest to a Julian day.
inline int64_t lunationNear(double jd) {
    return static_cast<int64_t>(std::llround((jd - 2451550.09766) / 29.530588861));
}

// ---- Delta T --------------------------------------------------------------

inline constexpr double kDeltaTFirstYear = 1800.0;
inline constexpr double kDeltaTLastYear = 2150.0;

// Delta T = TD - UT in seconds at a decimal year (year + (month - 0.5) / 12),
// by the polynomials of Espenak and Meeus for 1800..2150; NaN outside. From
// 1860 on they are the library's own (lib/ephemeris.h), which its run-time
// Sun and Moon use; the piece before 1860 only reaches the generators.
inline double deltaTSeconds(double y) {
    if (!(y >= kDeltaTFirstYear && y <= kDeltaTLastYear)) return std::nan("");
    if (y < 1860.0) {
        const double t = y - 1800.0;
        return 13.72 - 0.332447 * t + 0.0068612 * std::pow(t, 2) + 0.0041116 * std::pow(t, 3) -
               0.00037436 * std::pow(t, 4) + 0.0000121272 * std::pow(t, 5) -
               0.0000001699 * std::pow(t, 6) + 0.000000000875 * std::pow(t, 7);
    }
    return vorane2::ephemeris::deltaTSeconds(y);
}

// ---- Conjunctions in local time ---------------------------------------------

// An instant of dynamical time in UT and in UTC+9 (shared with the equinox
// generator).
struct LocalInstant {
    double jde;                  // TD
    double deltaT;               // seconds
    double jdUt;                 // UT
    CivilDate localDate;         // UTC+9 day that contains the instant
    double localSeconds;         // seconds after that day's midnight
    double minutesFromMidnight;  // to the nearest UTC+9 midnight: < 0 before it
};

// Delta T is taken at the decimal year of the TD instant; a shift of a
// minute changes it by far less than a second.
inline LocalInstant localInstantOf(double jde) {
    LocalInstant c{};
    c.jde = jde;
    const double tdDays = c.jde - kUnixEpochJd;
    const CivilDate tdDate = civilFromDays(static_cast<int64_t>(std::floor(tdDays)));
    const double decimalYear = tdDate.year + (tdDate.month - 0.5) / 12.0;
    c.deltaT = deltaTSeconds(decimalYear);
    c.jdUt = c.jde - c.deltaT / kSecondsPerDay;
    const double localDays = c.jdUt - kUnixEpochJd + kZoneOffsetDays;
    const double dayNumber = std::floor(localDays);
    c.localDate = civilFromDays(static_cast<int64_t>(dayNumber));
    c.localSeconds = (localDays - dayNumber) * kSecondsPerDay;
    c.minutesFromMidnight = c.localSeconds < kSecondsPerDay / 2.0
                                ? c.localSeconds / 60.0
                                : (c.localSeconds - kSecondsPerDay) / 60.0;
    return c;
}

struct Conjunction : LocalInstant {
    int64_t lunation;
};

// The conjunction of lunation k, in UT and in UTC+9.
inline Conjunction conjunctionOf(int64_t lunation) {
    Conjunction c{};
    static_cast<LocalInstant&>(c) = localInstantOf(trueNewMoonJde(lunation));
    c.lunation = lunation;
    return c;
}

inline bool isNearMidnight(const LocalInstant& c) {
    return std::fabs(c.minutesFromMidnight) <= kNearMidnightMinutes;
}

// The two civil days that meet at the midnight nearest to the conjunction.
inline std::array<CivilDate, 2> daysAroundNearestMidnight(const Conjunction& c) {
    const int64_t day = daysFromCivil(c.localDate);
    const int64_t before = c.minutesFromMidnight >= 0.0 ? day - 1 : day;
    return {civilFromDays(before), civilFromDays(before + 1)};
}

// ---- Binding days of conjunctions near midnight -----------------------------

struct HeldDay {
    CivilDate date;
    const char* note;
};

// Conjunctions of 1870-2020 within ten minutes of a UTC+9 midnight are held on
// these days, whatever a theory computes: the calendar of those years was
// published with them. Each entry names the conjunction whose nearest
// midnight borders the held day.
inline constexpr std::array<HeldDay, 23> kHeldDays = {{
    {{1872, 1, 10}, ""},
    {{1875, 5, 6}, ""},
    {{1879, 10, 16}, ""},
    {{1880, 4, 10}, ""},
    {{1883, 7, 5}, ""},
    // The conjunction falls at 23:57 on the 25th; the day after is held.
    {{1884, 4, 26}, "day after the conjunction"},
    {{1908, 9, 25}, ""},
    {{1913, 12, 27}, ""},
    {{1932, 10, 29}, ""},
    {{1934, 10, 9}, ""},
    {{1949, 3, 30}, ""},
    {{1953, 6, 11}, ""},
    {{1967, 5, 9}, ""},
    {{1973, 12, 25}, ""},
    {{1976, 11, 22}, ""},
    {{1978, 2, 7}, ""},
    {{1982, 11, 16}, ""},
    {{1997, 2, 8}, ""},
    {{2005, 12, 2}, ""},
    {{2012, 6, 20}, ""},
    {{2015, 8, 14}, ""},
    // The conjunction falls at 23:58 on the 26th; the day after is held.
    {{2017, 2, 27}, "day after the conjunction"},
    {{2019, 11, 27}, ""},
}};

// Held days are searched for a little beyond ten minutes from midnight, so
// that a listed conjunction which this theory puts just outside the window
// is still found (and reported) rather than silently left to the theory.
inline constexpr double kHeldMatchMinutes = 15.0;

// Index into `held` of the entry that names conjunction c, or -1.
inline int heldDayFor(const Conjunction& c, const HeldDay* held, size_t count) {
    if (std::fabs(c.minutesFromMidnight) > kHeldMatchMinutes) return -1;
    const std::array<CivilDate, 2> around = daysAroundNearestMidnight(c);
    for (size_t i = 0; i < count; ++i) {
        if (held[i].date == around[0] || held[i].date == around[1]) return static_cast<int>(i);
    }
    return -1;
}

// ---- Tables ---------------------------------------------------------------

inline constexpr int32_t kNoNewMoon = 99;

struct MonthRecord {
    int32_t month;
    int32_t day;
};
struct SecondRecord {
    int32_t month1, day1, month2, day2;
};

struct Tables {
    int32_t firstYear = 0;
    int32_t lastYear = 0;
    std::vector<MonthRecord> first;    // 12 per year
    std::vector<SecondRecord> second;  // 1 per year
};

// Builds both tables from the held days of the new moons, in any order.
// Every day between firstYear-01-01 and lastYear-12-31 is taken; others are
// ignored. Returns false with a message when the days cannot be stored: a
// month with more than two new moons, a year with more than two months of
// two, new moons less than 29 or more than 30 days apart, or a gap at the
// ends of the span (the first and the last new moon must lie within 30 days
// of the span's ends, so that no new moon can be missing).
bool buildTables(int32_t firstYear, int32_t lastYear, std::vector<CivilDate> days, Tables& out,
                 std::string& error);

// The text of the generated header, byte for byte.
std::string renderHeader(const Tables& tables);

}  // namespace newmoongen
