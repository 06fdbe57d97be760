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

// The Julian day number of the local day at 135 degrees east that ad2jd
// names by year, month and day, for any arguments: days and months beyond
// their ranges run on as ad2jd runs them. Months 1..12 and days 1..31 of
// the years 1600..9999 take ad2jd's own formula in whole numbers: there
// 365.25 times the year is exact in a double and 30.59 times 1..12 lies at
// least 0.05 from a whole number, so its floor cannot round differently.
// The rest takes ad2jd itself.
inline int64_t japanDayNumber(int32_t year, int32_t month, int32_t day) {
    if (year >= 1600 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= 31) {
        // January and February count as months 13 and 14 of the year before.
        const int32_t y = month < 3 ? year - 1 : year;
        const int32_t m = month < 3 ? month + 12 : month;
        return (1461 * y) / 4 + (3059 * (m - 2)) / 100 + day + (y / 400 - y / 100 + 2) + 1721087;
    }
    return dayNumberOfJapanMidnight(ad2jd(CalendarDate{year, month, day, 0.0, 0.0, 0.0, 135.0}));
}

}  // namespace vorane2
