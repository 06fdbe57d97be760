// Local calendar days from Julian days that are meant to be local midnights.
#pragma once

#include "vorane2.h"

namespace vorane2 {

// The local date that begins at `midnight`, a Julian day meant to be 00:00
// at the meridian `longitude`, with the clock at 00:00:00. A midnight built
// as a sum (a date's midnight plus whole days, with the meridian offset in
// it) can come out a hair before midnight at some longitudes (33.3 east, for
// one), where jd2ad names the day before at 23:59:59. Read half a day later
// the instant names the day that begins there, however it was rounded.
inline CalendarDate localDateStartingAt(double midnight, double longitude) {
    CalendarDate date = jd2ad(midnight + 0.5, longitude);
    date.hour = 0.0;
    date.minute = 0.0;
    date.second = 0.0;
    return date;
}

}  // namespace vorane2
