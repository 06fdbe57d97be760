// Rising, transit and setting of the Sun and the Moon for a place and a
// local day, from the accurate theory of ephemeris.h (see rise_set.h for the
// definitions and the method), and the exports that answer them in whole
// seconds of the local day.

#include "rise_set.h"

#include <cmath>
#include <cstddef>

#include "almanac.h"
#include "ephemeris.h"
#include "trig.h"
#include "vorane2.h"

namespace {

namespace eph = vorane2::ephemeris;
using vorane2::rise_set::Body;
using vorane2::rise_set::DayEvents;
using vorane2::rise_set::Limb;

// The Moon's radius in Earth radii (IAU); the Sun's from its semidiameter
// of 959.63" at one astronomical unit.
constexpr double kMoonRadius = 0.2725076;
constexpr double kSunRadius = 149597870.7 * 0.0046524211 / eph::kEarthRadiusKm;
// The Earth's polar radius over its equatorial one (IAU 1976).
constexpr double kPolarRatio = 0.99664719;
constexpr double kSiderealDegreesPerDay = 360.98564736629;

constexpr int kMaxNodes = 5;
constexpr int kSamplesPerDay = 24;
// An hour is split at most six times: the last pieces are under a minute.
constexpr int kMaxSplits = 6;
constexpr double kRootTolerance = 1e-7;  // days, about 0.01 s

// The body's equatorial vector through the day as Newton forward-difference
// coefficients over equally spaced nodes from 0 to 1 day.
struct Track {
    int nodes;
    double x[kMaxNodes];
    double y[kMaxNodes];
    double z[kMaxNodes];
};

void toForwardDifferences(double* c, int n) {
    for (int k = 1; k < n; ++k) {
        for (int i = n - 1; i >= k; --i) c[i] = (c[i] - c[i - 1]) / k;
    }
}

// p(u) = c0 + u (c1 + (u - 1) (c2 + (u - 2) (c3 + ...))), u in node steps.
double newtonValue(const double* c, int n, double u) {
    double v = c[n - 1];
    for (int i = n - 2; i >= 0; --i) v = c[i] + (u - i) * v;
    return v;
}

Track trackOf(Body body, double midnightJd, const eph::Nutation& nutation) {
    Track t{};
    t.nodes = body == Body::kSun ? 3 : 5;
    const double step = 1.0 / (t.nodes - 1);
    for (int i = 0; i < t.nodes; ++i) {
        const double jde = eph::ttOf(midnightJd + i * step);
        const eph::Ecliptic p =
            body == Body::kSun ? eph::sunAt(jde, nutation) : eph::moonAt(jde, nutation);
        const eph::Vector v = eph::equatorialOf(p, nutation.trueObliquity);
        t.x[i] = v.x;
        t.y[i] = v.y;
        t.z[i] = v.z;
    }
    toForwardDifferences(t.x, t.nodes);
    toForwardDifferences(t.y, t.nodes);
    toForwardDifferences(t.z, t.nodes);
    return t;
}

// The place and the day: everything the altitude at an instant needs.
struct Sky {
    Track track;
    double theta0;       // local apparent sidereal time at midnight, degrees in [0, 360)
    double sinLatitude;  // geodetic
    double cosLatitude;
    double rhoSin;  // the place's geocentric position, Earth radii
    double rhoCos;
    double bodyRadius;  // Earth radii, 0 for the centre
    double sinRefraction;
    double cosRefraction;
};

struct Topocentric {
    double x;  // towards the meridian's intersection with the equator
    double y;  // towards the west point
    double z;  // towards the pole
    double distance;
};

Topocentric topocentricAt(const Sky& sky, double s) {
    const Track& t = sky.track;
    const double u = s * (t.nodes - 1);
    const double x = newtonValue(t.x, t.nodes, u);
    const double y = newtonValue(t.y, t.nodes, u);
    const double z = newtonValue(t.z, t.nodes, u);
    const double theta = eph::reducedDegrees(sky.theta0 + kSiderealDegreesPerDay * s);
    const double c = vorane2::cosRadians(theta * eph::kRadiansPerDegree);
    const double n = vorane2::sinRadians(theta * eph::kRadiansPerDegree);
    Topocentric p{};
    p.x = x * c + y * n - sky.rhoCos;
    p.y = x * n - y * c;
    p.z = z - sky.rhoSin;
    p.distance = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
    return p;
}

double sinAltitudeOf(const Sky& sky, const Topocentric& p) {
    return (p.x * sky.cosLatitude + p.z * sky.sinLatitude) / p.distance;
}

// Positive while the limb is above the horizon: the sine of the centre's
// altitude less that of the altitude at which the limb touches the horizon,
// -(refraction + semidiameter).
double horizonFunction(const Sky& sky, double s) {
    const Topocentric p = topocentricAt(sky, s);
    const double sinS = sky.bodyRadius / p.distance;
    const double cosS = std::sqrt(1.0 - sinS * sinS);
    const double sinH0 = -(sky.sinRefraction * cosS + sky.cosRefraction * sinS);
    return sinAltitudeOf(sky, p) - sinH0;
}

double hourAngleFunction(const Sky& sky, double s) { return topocentricAt(sky, s).y; }

// A root of g between a and b (g(a), g(b) of opposite signs or zero at b),
// by regula falsi with the Illinois halving.
template <typename G>
double rootBetween(const G& g, double a, double b, double ga, double gb) {
    int side = 0;
    for (int i = 0; i < 60 && b - a > kRootTolerance; ++i) {
        const double c = (a * gb - b * ga) / (gb - ga);
        const double gc = g(c);
        if (gc == 0.0) return c;
        if ((gc < 0.0) == (ga < 0.0)) {
            a = c;
            ga = gc;
            if (side == -1) gb /= 2.0;
            side = -1;
        } else {
            b = c;
            gb = gc;
            if (side == 1) ga /= 2.0;
            side = 1;
        }
    }
    return (a * gb - b * ga) / (gb - ga);
}

struct Crossings {
    double rise = -1.0;
    double set = -1.0;
};

// The horizon crossings inside [a, b], given f at both ends: a change of
// sign is one crossing; no change is split while the fastest the function
// can move (`bound` per day) leaves room for two crossings inside.
void crossingsBetween(const Sky& sky, double a, double b, double fa, double fb, double bound,
                      int splits, Crossings& out) {
    const bool upA = fa >= 0.0;
    const bool upB = fb >= 0.0;
    if (upA != upB) {
        const double root =
            rootBetween([&sky](double s) { return horizonFunction(sky, s); }, a, b, fa, fb);
        double& slot = upB ? out.rise : out.set;
        if (slot < 0.0) slot = root;
        return;
    }
    if (splits >= kMaxSplits || std::fabs(fa) + std::fabs(fb) > bound * (b - a)) return;
    const double m = 0.5 * (a + b);
    const double fm = horizonFunction(sky, m);
    crossingsBetween(sky, a, m, fa, fm, bound, splits + 1, out);
    crossingsBetween(sky, m, b, fm, fb, bound, splits + 1, out);
}

}  // namespace

namespace vorane2::rise_set {

double asinDegrees(double v) {
    const double a = std::fabs(v) >= 1.0 ? 1.0 : std::fabs(v);
    // Newton on sin(h) = w converges fast away from 90 degrees; beyond 0.7
    // the half-angle identity asin(a) = 90 - 2 asin(sqrt((1 - a) / 2)) keeps
    // the argument small.
    const bool folded = a > 0.7;
    const double w = folded ? std::sqrt((1.0 - a) / 2.0) : a;
    double h = w;
    for (int i = 0; i < 6; ++i) h -= (sinRadians(h) - w) / cosRadians(h);
    double degrees = h / ephemeris::kRadiansPerDegree;
    if (folded) degrees = 90.0 - 2.0 * degrees;
    return v < 0.0 ? -degrees : degrees;
}

DayEvents eventsOfDay(Body body, double midnightJd, double latitude, double longitude, Limb limb) {
    Sky sky{};
    // The nutation moves by well under 0.1" in a day: taken once, at noon.
    const eph::Nutation nutation = eph::nutationAt(eph::centuriesOf(eph::ttOf(midnightJd + 0.5)));
    sky.track = trackOf(body, midnightJd, nutation);
    sky.theta0 =
        eph::reducedDegrees(eph::apparentSiderealDegrees(midnightJd, nutation) + longitude);
    sky.sinLatitude = eph::sinDegrees(latitude);
    sky.cosLatitude = eph::cosDegrees(latitude);
    // The place on the ellipsoid: its geocentric distance and latitude, from
    // the reduced latitude u, tan u = (b / a) tan(latitude).
    const double q = std::sqrt(sky.cosLatitude * sky.cosLatitude +
                               kPolarRatio * kPolarRatio * sky.sinLatitude * sky.sinLatitude);
    const double cosU = sky.cosLatitude / q;
    const double sinU = kPolarRatio * sky.sinLatitude / q;
    sky.rhoCos = cosU;
    sky.rhoSin = kPolarRatio * sinU;
    sky.bodyRadius = limb == Limb::kCentre ? 0.0 : (body == Body::kSun ? kSunRadius : kMoonRadius);
    sky.sinRefraction = eph::sinDegrees(kHorizonRefractionDegrees);
    sky.cosRefraction = eph::cosDegrees(kHorizonRefractionDegrees);

    // How fast sin(altitude) can move, per day: the turning sky at the
    // place's latitude plus the Moon's motion in declination and the swing
    // of its parallax, with room to spare.
    const double bound = 2.0 * eph::kPi * 1.01 * std::fabs(sky.cosLatitude) + 0.35;

    DayEvents events{-1.0, -1.0, -1.0, 0.0, false};
    Crossings crossings;
    const double step = 1.0 / kSamplesPerDay;
    double fPrevious = horizonFunction(sky, 0.0);
    double yPrevious = hourAngleFunction(sky, 0.0);
    events.aboveAtStart = fPrevious >= 0.0;
    double transit = -1.0;
    for (int i = 1; i <= kSamplesPerDay; ++i) {
        const double a = (i - 1) * step;
        const double b = i * step;
        const double f = horizonFunction(sky, b);
        crossingsBetween(sky, a, b, fPrevious, f, bound, 0, crossings);
        // Upper culmination: the hour angle passes zero going west.
        const double y = hourAngleFunction(sky, b);
        if (transit < 0.0 && yPrevious < 0.0 && y >= 0.0) {
            const double root = rootBetween([&sky](double s) { return hourAngleFunction(sky, s); },
                                            a, b, yPrevious, y);
            if (topocentricAt(sky, root).x > 0.0) transit = root;
        }
        fPrevious = f;
        yPrevious = y;
    }
    // An event at the very end of the day is the next day's first instant.
    const auto seconds = [](double s) {
        return s >= 0.0 && s < 1.0 ? s * eph::kSecondsPerDay : -1.0;
    };
    events.rise = seconds(crossings.rise);
    events.set = seconds(crossings.set);
    events.transit = seconds(transit);
    if (events.transit >= 0.0) {
        const Topocentric p = topocentricAt(sky, transit);
        events.transitAltitude = asinDegrees(sinAltitudeOf(sky, p));
    }
    return events;
}

}  // namespace vorane2::rise_set

namespace {

using vorane2::rise_set::eventsOfDay;

constexpr RiseSetTimes kRiseSetError = {VRN_RISE_SET_ERROR, VRN_RISE_SET_ERROR, VRN_RISE_SET_ERROR,
                                        VRN_RISE_SET_ERROR, -999.0};

int32_t wholeSeconds(double seconds) {
    if (seconds < 0.0) return VRN_NO_EVENT;
    const double rounded = std::floor(seconds + 0.5);
    return rounded >= eph::kSecondsPerDay ? 86399 : static_cast<int32_t>(rounded);
}

RiseSetTimes timesOf(Body body, Limb limb, const CalendarDate& date, double latitude,
                     double longitude) {
    vorane2::almanac::LocalDay day{};
    if (!(latitude >= -90.0 && latitude <= 90.0) || !(longitude >= -180.0 && longitude <= 180.0) ||
        !vorane2::almanac::localDayOf(date, day)) {
        return kRiseSetError;
    }
    const double midnight =
        static_cast<double>(day.mjd) + 2400000.5 - day.offsetMinutes / (24.0 * 60.0);
    const DayEvents e = eventsOfDay(body, midnight, latitude, longitude, limb);
    return RiseSetTimes{wholeSeconds(e.rise), wholeSeconds(e.transit), wholeSeconds(e.set),
                        e.aboveAtStart ? 1 : 0, e.transit >= 0.0 ? e.transitAltitude : -999.0};
}

}  // namespace

extern "C" {

RiseSetTimes VRN_CALL ad2hinode(CalendarDate date, double latitude, double longitude) {
    return timesOf(Body::kSun, Limb::kUpper, date, latitude, longitude);
}

RiseSetTimes VRN_CALL ad2tukide(CalendarDate date, double latitude, double longitude) {
    return timesOf(Body::kMoon, Limb::kCentre, date, latitude, longitude);
}

RiseSetTimes VRN_CALL ad2tukideU(CalendarDate date, double latitude, double longitude) {
    return timesOf(Body::kMoon, Limb::kUpper, date, latitude, longitude);
}

}  // extern "C"
