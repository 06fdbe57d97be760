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

// Day numbers of the proleptic calendars, for any 32-bit fields: months
// outside 1..12 run on into the years around and days outside the month
// into the months around (day 0 is the last day of the month before), as
// in ad2jd, but every date is read in one calendar, with no switch in
// 1582. Whole numbers throughout (the era arithmetic on years from 1 March
// of year 0, each era 400 Gregorian or 4 Julian years), in 64 bits, which
// hold every such date without overflow.
struct WholeDate {
    int64_t year;
    int32_t month;
    int32_t day;
};

namespace detail {

// Days from 1 March of year 0 (its first day 0) to 1 March of the year that
// holds year-month-1 when years are counted from March, and the day of that
// March year on which the month begins.
struct MarchYear {
    int64_t year;
    int64_t dayOfYear;
};

constexpr MarchYear marchYearOf(int64_t year, int64_t month) {
    const int64_t m0 = month - 1;
    const int64_t yearsOn = m0 >= 0 ? m0 / 12 : (m0 - 11) / 12;
    const int64_t m = m0 - yearsOn * 12 + 1;  // 1..12
    const int64_t y = year + yearsOn - (m <= 2 ? 1 : 0);
    return MarchYear{y, (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5};
}

constexpr WholeDate dateOfMarchDay(int64_t yearOfEra, int64_t dayOfYear) {
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    return WholeDate{yearOfEra + (month <= 2 ? 1 : 0), static_cast<int32_t>(month),
                     static_cast<int32_t>(dayOfYear - (153 * mp + 2) / 5 + 1)};
}

inline constexpr int64_t kGregorianMarchZero = 1721120;  // day number of 0000-03-01 Gregorian
inline constexpr int64_t kJulianMarchZero = 1721118;     // day number of 0000-03-01 Julian

}  // namespace detail

// The Julian day number of year-month-day in the proleptic Gregorian
// calendar: 2000-01-01 gives 2451545.
constexpr int64_t dayNumberOfGregorianDate(int64_t year, int64_t month, int64_t day) {
    const detail::MarchYear my = detail::marchYearOf(year, month);
    const int64_t era = (my.year >= 0 ? my.year : my.year - 399) / 400;
    const int64_t yoe = my.year - era * 400;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + my.dayOfYear;
    return era * 146097 + doe + detail::kGregorianMarchZero + (day - 1);
}

// The Julian day number of year-month-day in the proleptic Julian calendar:
// 1582-10-04 gives 2299160, the day before Gregorian 1582-10-15.
constexpr int64_t dayNumberOfJulianDate(int64_t year, int64_t month, int64_t day) {
    const detail::MarchYear my = detail::marchYearOf(year, month);
    const int64_t era = (my.year >= 0 ? my.year : my.year - 3) / 4;
    const int64_t doe = (my.year - era * 4) * 365 + my.dayOfYear;
    return era * 1461 + doe + detail::kJulianMarchZero + (day - 1);
}

// The proleptic Gregorian date of a Julian day number.
constexpr WholeDate gregorianDateOfDayNumber(int64_t dayNumber) {
    const int64_t z = dayNumber - detail::kGregorianMarchZero;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    return detail::dateOfMarchDay(yoe + era * 400, doe - (365 * yoe + yoe / 4 - yoe / 100));
}

// The proleptic Julian date of a Julian day number.
constexpr WholeDate julianDateOfDayNumber(int64_t dayNumber) {
    const int64_t z = dayNumber - detail::kJulianMarchZero;
    const int64_t era = (z >= 0 ? z : z - 1460) / 1461;
    const int64_t doe = z - era * 1461;
    const int64_t yoe = (doe - doe / 1460) / 365;
    return detail::dateOfMarchDay(yoe + era * 4, doe - 365 * yoe);
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
