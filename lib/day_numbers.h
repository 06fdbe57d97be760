// Whole day numbers for the stored tables (not exported).
#pragma once

#include <cmath>
#include <cstdint>

#include "vorane2.h"

namespace vorane2 {

// The Julian day number (the count of the day's noon at Greenwich) of the
// local day that begins at `midnight`, a local midnight at 135 degrees east
// as ad2jd gives it: 0.875 before that noon, up to the rounding of the sum,
// which is far below the eighth of a day that floor leaves room for. The
// caller keeps `midnight` within the range of int64_t.
inline int64_t dayNumberOfJapanMidnight(double midnight) {
    return static_cast<int64_t>(std::floor(midnight)) + 1;
}

// The Julian day number of 1 January of a Gregorian year (years 1..) with
// whole-number arithmetic: 2000 gives 2451545.
constexpr int32_t dayNumberOfNewYear(int32_t year) {
    const int32_t y = year - 1;
    return 365 * y + y / 4 - y / 100 + y / 400 + 1721426;
}

// Whether japanDayNumber takes whole numbers for these fields: months 1..12
// and days 1..31 of the years 1600..9999. There 365.25 times the year is
// exact in a double and 30.59 times 1..12 lies at least 0.05 from a whole
// number, so ad2jd's floors cannot round differently from integer division.
constexpr bool hasWholeDayNumber(int32_t year, int32_t month, int32_t day) {
    return year >= 1600 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

// The Julian day number of the local day at 135 degrees east that ad2jd
// names by year, month and day, for any arguments: days and months beyond
// their ranges run on as ad2jd runs them. Where hasWholeDayNumber holds,
// ad2jd's own formula in whole numbers; the rest takes ad2jd itself.
// The whole-number formula alone, for fields where hasWholeDayNumber holds.
constexpr int64_t wholeJapanDayNumber(int32_t year, int32_t month, int32_t day) {
    // January and February count as months 13 and 14 of the year before.
    // Every term is positive here, and unsigned division by a constant needs
    // no correction for negative dividends; the running sum stays far above
    // the century count it loses.
    const auto y = static_cast<uint32_t>(month < 3 ? year - 1 : year);
    const auto m = static_cast<uint32_t>(month < 3 ? month + 12 : month);
    return (1461u * y) / 4u + (3059u * (m - 2u)) / 100u + static_cast<uint32_t>(day) + y / 400u -
           y / 100u + 1721089u;
}

inline int64_t japanDayNumber(int32_t year, int32_t month, int32_t day) {
    if (hasWholeDayNumber(year, month, day)) return wholeJapanDayNumber(year, month, day);
    return dayNumberOfJapanMidnight(ad2jd(CalendarDate{year, month, day, 0.0, 0.0, 0.0, 135.0}));
}

// Whether a date's clock reads 00:00:00 at exactly 135 degrees east: its
// instant is then the local midnight that begins its day, 0.875 before the
// noon of its day number, and answers that step at 21:00 there are those of
// the day number itself.
inline bool isJapanMidnight(const CalendarDate& date) {
    return date.hour == 0.0 && date.minute == 0.0 && date.second == 0.0 && date.longitude == 135.0;
}

// The day counts that the exports take from ad2jd's double, as they always
// did: the reference for their whole-number paths, which give the same for
// every argument (ad2heto, adto28 and ad2youbi answer from these where
// hasWholeDayNumber, and for ad2heto isJapanMidnight, do not hold).
int32_t daySexagenaryFromJd(CalendarDate date);
int32_t mansion28FromJd(CalendarDate date);
int32_t weekdayFromJd(CalendarDate date);

}  // namespace vorane2
