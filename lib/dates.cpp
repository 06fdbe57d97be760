// Dates and day numbers: Julian days, weekdays, degree helpers, version.
//
// The constants below are the exact doubles the calendar has always used
// (reciprocals are multiplied, never divided), and every sum is evaluated in
// the order written, so that results agree to the last bit on every build.

#include <cmath>
#include <cstdint>

#include "day_numbers.h"
#include "numeric.h"
#include "tables/weekday_names.h"
#include "trig.h"
#include "vorane2.h"

namespace {

constexpr double kPerHour = 0.041666666666666664;       // 1/24
constexpr double kPerMinute = 0.0006944444444444445;    // 1/1440
constexpr double kPerSecond = 0.000011574074074074073;  // 1/86400
constexpr double kPerDegree = 0.002777777777777778;     // 1/360

// The Julian day at which ad2jd switches to Gregorian reckoning; it is tested
// on the Julian-reckoned value, ten days before the historical change.
constexpr double kGregorianSwitchJd = 2299150.0;

// Reduces a turn count into [0, 1): the fractional part, made non-negative
// by the detour through +1.
double fractionOfTurn(double turns) {
    const double v = (turns - std::floor(turns)) + 1.0;
    return v - std::floor(v);
}

}  // namespace

namespace vorane2 {

int32_t weekdayFromJd(CalendarDate date) {
    // Noon at longitude 0 makes the Julian day integral, so the weekday is
    // that of the date as written, whatever clock time the caller passed.
    const CalendarDate noon{date.year, date.month, date.day, 12.0, 0.0, 0.0, 0.0};
    double w = std::fmod(ad2jd(noon), 7.0) + 1.0;
    if (w == 7.0) w = 0.0;
    return vorane2::truncToInt32(w);
}

}  // namespace vorane2

extern "C" {

int32_t VRN_CALL bc2ad(int32_t year_bc) {
    return static_cast<int32_t>(1u - static_cast<uint32_t>(year_bc));
}

double VRN_CALL ad2jd(CalendarDate date) {
    // January and February count as months 13 and 14 of the year before.
    // 64-bit so that the ends of the 32-bit year range cannot overflow.
    int64_t y = date.year;
    int64_t m = date.month;
    if (m < 3) {
        y -= 1;
        m += 12;
    }
    const double dayPart =
        ((date.hour * kPerHour + date.minute * kPerMinute) + date.second * kPerSecond) + date.day;
    double jd = (((std::floor(365.25 * static_cast<double>(y)) +
                   std::floor(30.59 * static_cast<double>(m - 2))) -
                  date.longitude * kPerDegree) +
                 dayPart) +
                1721086.5;
    if (jd > kGregorianSwitchJd) {
        const int64_t q400 = y / 400;
        const int64_t q100 = y / 100;
        jd = (static_cast<double>(q400 - q100) + jd) + 2.0;
    }
    return jd;
}

CalendarDate VRN_CALL jd2ad(double jd, double longitude) {
    // Every intermediate is a whole number held in a double: this is the
    // same as integer truncation wherever the values fit, and stays defined
    // for any argument.
    const double x = longitude * kPerDegree + jd + 0.5;
    const double z = std::trunc(x);
    const double f = x - z;

    CalendarDate out{};
    const double h = f * 24.0;
    out.hour = std::trunc(h);
    const double m = (h - out.hour) * 60.0;
    out.minute = std::trunc(m);
    const double s = (m - out.minute) * 60.0;
    out.second = std::trunc(s);

    double a = z;
    if (z > 2299161.0) {
        // 1/36524.3, not 1/36524.25: kept as the calendar always had it.
        const double alpha = std::trunc((z - 1867216.25) * 0.00002737903258926249);
        a = ((z - std::trunc(alpha * 0.25)) + alpha) + 1.0;
    }
    const double b = a + 1524.0;
    const double c = std::trunc((b - 122.1) * 0.0027378507871321013);
    const double d = std::trunc(c * 365.25);
    const double e = std::trunc((b - d) * 0.03267963176590926);

    out.day = vorane2::truncToInt32(((f - std::trunc(e * 30.6001)) - d) + b);
    const double month = e < 13.5 ? e - 1.0 : e - 13.0;
    out.month = vorane2::truncToInt32(month);
    out.year = vorane2::truncToInt32(month > 2.5 ? c - 4716.0 : c - 4715.0);

    // The factor of step alpha turns century years that are not leap years
    // into a 29 February; put those back on 1 March. Applied to every
    // century year, Julian-reckoned ones included.
    if (out.month == 2 && out.day == 29 && out.year % 100 == 0 && out.year % 400 != 0) {
        out.month = 3;
        out.day = 1;
    }
    out.longitude = longitude;
    return out;
}

double VRN_CALL jd2mjd(double jd) { return jd - 2400000.5; }

double VRN_CALL rad2do(double radians) {
    double a = radians * 57.2957795;
    if (!std::isfinite(a)) return NAN;
    // Equivalent to subtracting (or adding) 360 one turn at a time: below
    // 2^53 each such step is exact, so the loop ends on a - 360k exactly,
    // which fmod gives directly. Above 360 the loop stops at 360, not 0.
    if (a > 360.0) {
        a = std::fmod(a, 360.0);
        if (a == 0.0) a = 360.0;
    } else if (a < 0.0) {
        a = std::fmod(a, 360.0);
        if (a < 0.0) a += 360.0;
        if (a == 0.0) a = 0.0;  // -0.0 from an exact multiple reads as 0
    }
    return a;
}

double VRN_CALL do2rad(double degrees) { return degrees * 0.0174532925239284; }

// pi/180 cut to fifteen significant digits: a different constant from
// do2rad's, kept as it is.
constexpr double kRadiansPerDegree = 0.017453292519943;

double VRN_CALL fns(double degrees) {
    return vorane2::sinRadians(fractionOfTurn(degrees * kPerDegree) * 360.0 * kRadiansPerDegree);
}

double VRN_CALL fnc(double degrees) {
    return vorane2::cosRadians(fractionOfTurn(degrees * kPerDegree) * 360.0 * kRadiansPerDegree);
}

int32_t VRN_CALL ad2youbi(CalendarDate date) {
    // Noon at Greenwich of a date is its day number N exactly; N mod 7 is 0
    // on a Monday, so Sunday is 0 once it is moved on by one.
    if (vorane2::hasWholeDayNumber(date.year, date.month, date.day)) {
        return static_cast<int32_t>(
            (vorane2::japanDayNumber(date.year, date.month, date.day) % 7 + 1) % 7);
    }
    return vorane2::weekdayFromJd(date);
}

const char* VRN_CALL yno2name(int32_t weekday) {
    return vorane2::tables::lookupName(vorane2::tables::kWeekdayNames, weekday);
}

const char* VRN_CALL VRNVER(void) { return "1.0"; }

}  // extern "C"
