// Rising, transit and setting of the Sun and the Moon on one local day
// (internal; the exports of rise_set.cpp read these).
//
// Definitions: a body rises or sets when its upper limb (or, on request, its
// centre) meets the horizon of a place at height 0 under the standard
// refraction at the horizon of 35'08"; the altitude is topocentric (the
// parallax of the place, which is nearly a degree for the Moon) and the
// semidiameter the body's own as seen from the place. The transit is the
// upper culmination: the body's topocentric hour angle is zero.
//
// Method: the body's geocentric equatorial vector is computed at the
// accurate theory's nodes through the day (the Sun at 0, 12 and 24 hours,
// the Moon every 6 hours) and interpolated by a polynomial through them,
// whose error stays far below a second of arc; the place's rotation and
// parallax are exact at every instant asked. The altitude function is
// sampled every hour, and an hour whose two ends lie on the same side of the
// horizon is split while the fastest the altitude can move does not rule
// out a crossing inside it, down to under a minute; each crossing is then
// refined to a hundredth of a second.
#pragma once

namespace vorane2::rise_set {

enum class Body { kSun, kMoon };
enum class Limb { kUpper, kCentre };

// Refraction at the horizon, 35'08".
inline constexpr double kHorizonRefractionDegrees = (35.0 + 8.0 / 60.0) / 60.0;

// What one day holds. Times are seconds after the local midnight,
// 0 <= t < 86400, or negative when the day has no such event; when it has
// two (the Sun or the Moon near the polar circles), the earlier.
struct DayEvents {
    double rise;
    double transit;
    double set;
    double transitAltitude;  // degrees, topocentric, no refraction; meaningful with a transit
    bool aboveAtStart;       // the limb above the horizon at the day's first instant
};

// The events of the local day that begins at the UT Julian day
// `midnightJd`, at geodetic `latitude` (-90 .. 90, north positive) and
// `longitude` (east positive) in degrees. The arguments are not checked.
DayEvents eventsOfDay(Body body, double midnightJd, double latitude, double longitude,
                      Limb limb = Limb::kUpper);

// asin in degrees from the library's own sine and cosine, for any v in
// [-1, 1] (held there), identical on every platform.
double asinDegrees(double v);

}  // namespace vorane2::rise_set
