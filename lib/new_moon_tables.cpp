// New-moon days of Gregorian months: the stored days (UTC+9) that the
// lunisolar calendar is built from, and an estimate from mean lunations
// refined by day-boundary sampling for years without stored days.

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "local_days.h"
#include "new_moons.h"
#include "numeric.h"
#include "tables/mean_lunation.h"
#include "tables/new_moon_days.h"
#include "vorane2.h"

namespace {

namespace t = vorane2::tables;

constexpr int32_t kOutOfRange = -999;
constexpr int32_t kNoSuchYear = 9999;

CalendarDate dayCodes(int32_t year, int32_t month, int32_t day) {
    CalendarDate d{};
    d.year = year;
    d.month = month;
    d.day = day;
    return d;
}

CalendarDate outOfRange() { return dayCodes(kOutOfRange, kOutOfRange, kOutOfRange); }

bool isGregorianLeapYear(int32_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// The year may use the stored tables: inside both the table and the caller's
// allowance, whichever ends first.
bool isStoredMonth(int32_t year, int32_t month, int32_t lastYear) {
    const int32_t last = lastYear < t::kNewMoonTableLastYear ? lastYear : t::kNewMoonTableLastYear;
    return year >= t::kNewMoonTableFirstYear && year <= last && month >= 1 && month <= 12;
}

// The exports answer for their own span, which may end before the stored
// tables do.
bool isExportedYear(int32_t year) {
    return year >= vorane2::kNewMoonExportFirstYear && year <= vorane2::kNewMoonExportLastYear;
}

// The result of duncan2 / duncan3 for a stored day (or its codes).
CalendarDate storedDayResult(int32_t year, int32_t month, int32_t day) {
    if (!isExportedYear(year) || day == vorane2::kOutsideStoredSpan) return outOfRange();
    if (day == vorane2::kNoNewMoon) {
        return dayCodes(kNoSuchYear, vorane2::kNoNewMoon, vorane2::kNoNewMoon);
    }
    return dayCodes(year, month, day);
}

}  // namespace

namespace vorane2 {

double meanNewMoonEstimate(int32_t year, int32_t month) {
    const int32_t firstYear = t::kMeanLunationFirstYear;
    const int32_t lastYear = firstYear + 100 * t::kMeanLunationCenturies - 1;
    if (year < firstYear || year > lastYear || month < 1 || month > 12) return NAN;

    const int32_t b = (year - firstYear) / 100;
    const auto century = static_cast<std::size_t>(b);
    const auto inCentury = static_cast<std::size_t>(year - (firstYear + 100 * b));
    const auto m = static_cast<std::size_t>(month - 1);
    const bool leap = isGregorianLeapYear(year);
    const double limit = (month == 2 && leap) ? t::kLeapFebruaryLimit : t::kMonthLimit[m];

    // The mean new moon of the month; January and February of a leap year
    // lie one day later in the month than in a common year.
    double estimate = (t::kYearEpact[inCentury] + t::kCenturyBase[century]) + t::kMonthOffset[m];
    if (month <= 2 && leap) estimate = estimate + 1.0;
    // At or beyond the month's end: step back one mean lunation, or two.
    // The test after one step lets the estimate reach the limit itself,
    // which names the first day of the next month.
    if (estimate >= limit) {
        const double earlier = estimate - 29.5;
        estimate = earlier <= limit ? earlier : estimate - 59.1;
    }
    return estimate;
}

int32_t firstStoredNewMoonDay(int32_t year, int32_t month, int32_t lastYear) {
    if (!isStoredMonth(year, month, lastYear)) return kOutsideStoredSpan;
    const auto index =
        static_cast<std::size_t>((year - t::kNewMoonTableFirstYear) * 12 + (month - 1));
    return t::kNewMoonDayTable[index].day;
}

int32_t secondStoredNewMoonDay(int32_t year, int32_t month, int32_t lastYear) {
    if (!isStoredMonth(year, month, lastYear)) return kOutsideStoredSpan;
    const auto& second =
        t::kSecondNewMoonTable[static_cast<std::size_t>(year - t::kNewMoonTableFirstYear)];
    if (second.month1 == month) return second.day1;
    if (second.month2 == month) return second.day2;
    return kNoNewMoon;
}

}  // namespace vorane2

extern "C" {

CalendarDate VRN_CALL duncan(CalendarDate date) {
    const double estimate = vorane2::meanNewMoonEstimate(date.year, date.month);
    if (std::isnan(estimate)) return outOfRange();
    const int32_t day = vorane2::truncToInt32(std::floor(estimate));

    // Sample the four days from two days before the estimated day.
    const double lon = date.longitude;
    const double j = ad2jd(CalendarDate{date.year, date.month, day, 0.0, 0.0, 0.0, lon}) - 2.0;
    return vorane2::sampleNewMoonDay(vorane2::localDateStartingAt(j, lon), j, lon, 6);
}

CalendarDate VRN_CALL duncan2(CalendarDate date) {
    return storedDayResult(
        date.year, date.month,
        vorane2::firstStoredNewMoonDay(date.year, date.month, vorane2::kNewMoonExportLastYear));
}

CalendarDate VRN_CALL duncan3(CalendarDate date) {
    return storedDayResult(
        date.year, date.month,
        vorane2::secondStoredNewMoonDay(date.year, date.month, vorane2::kNewMoonExportLastYear));
}

}  // extern "C"
