// The date of the traditional lunisolar calendar: a lunar month runs from a
// new-moon day to the day before the next; it takes its number from the
// principal solar term (a multiple of 30 degrees of the Sun's longitude)
// that falls in it, and a month without one is a leap month with the number
// of the month before. Everything is reckoned in local days of UTC+9,
// whatever meridian the caller's clock keeps.

#include "lunisolar.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "day_numbers.h"
#include "new_moons.h"
#include "numeric.h"
#include "tables/lunar_months.h"
#include "tables/new_moon_days.h"
#include "vorane2.h"

static_assert(vorane2::kNewMoonLongSpanLastYear <= vorane2::tables::kNewMoonTableLastYear,
              "the long span uses only stored new moons");
static_assert(vorane2::tables::kLunarMonthTableFirstYear ==
                      vorane2::tables::kNewMoonTableFirstYear &&
                  vorane2::tables::kLunarMonthTableLastYear ==
                      vorane2::tables::kNewMoonTableLastYear,
              "the lunar months are those of every stored new moon");

namespace {

using vorane2::kJapanLongitude;
using vorane2::kLunisolarError;

double localMidnight(int32_t year, int32_t month, int32_t day) {
    return ad2jd(CalendarDate{year, month, day, 0.0, 0.0, 0.0, kJapanLongitude});
}

struct PrincipalTerm {
    double longitude;
    int32_t month;
};

// 穀雨, 小満, 夏至, 大暑, 処暑, 秋分, 霜降, 小雪, 冬至, 大寒, 雨水; 春分 at 0
// degrees is tested apart because the longitude wraps there. A month with
// two terms takes the first of this order.
constexpr std::array<PrincipalTerm, 11> kPrincipalTerms = {{
    {30.0, 3},
    {60.0, 4},
    {90.0, 5},
    {120.0, 6},
    {150.0, 7},
    {180.0, 8},
    {210.0, 9},
    {240.0, 10},
    {270.0, 11},
    {300.0, 12},
    {330.0, 1},
}};
constexpr int32_t kVernalEquinoxMonth = 2;

// The number of the first principal term at or after `from` and before
// `to`, or 0 when there is none.
int32_t termBetween(double from, double to) {
    for (const PrincipalTerm& term : kPrincipalTerms) {
        if (from <= term.longitude && to > term.longitude) return term.month;
    }
    // 春分: the Sun passes 360 between the two.
    if (from > 330.0 && to <= 30.0) return kVernalEquinoxMonth;
    return 0;
}

// The stored months found by stretches of days: every month lasts 29 or 30
// days, so a stretch of 16 days holds at most one month's first day after
// its own first day, and the month of a day is the month holding the first
// day of its stretch or the one after it.
constexpr std::size_t kStretchDays = 16;
constexpr auto kMonthAtStretchStart = [] {
    constexpr auto& firstDays = vorane2::tables::kLunarMonthFirstDays;
    constexpr auto stretches =
        static_cast<std::size_t>(firstDays.back() - firstDays.front()) / kStretchDays + 1;
    std::array<uint16_t, stretches> months{};
    std::size_t k = 0;
    for (std::size_t i = 0; i < stretches; ++i) {
        const int64_t start = firstDays.front() + static_cast<int64_t>(i * kStretchDays);
        while (k + 1 < firstDays.size() && firstDays[k + 1] <= start) ++k;
        months[i] = static_cast<uint16_t>(k);
    }
    return months;
}();
static_assert(vorane2::tables::kLunarMonthFirstDays.size() <= 65536, "month indices fit");
static_assert(
    [] {
        constexpr auto& firstDays = vorane2::tables::kLunarMonthFirstDays;
        for (std::size_t k = 1; k < firstDays.size(); ++k) {
            if (firstDays[k] - firstDays[k - 1] <= static_cast<int32_t>(kStretchDays)) return false;
        }
        return true;
    }(),
    "a stretch holds at most one month's first day after its own");

// The first day after the table's last year: the end of the long span.
constexpr int64_t kDayAfterTable =
    vorane2::dayNumberOfNewYear(vorane2::tables::kLunarMonthTableLastYear + 1);

LunisolarDate errorDate(double longitude) {
    LunisolarDate r{};
    r.leap = 'N';
    r.year = kLunisolarError;
    r.month = kLunisolarError;
    r.day = kLunisolarError;
    r.longitude = longitude;
    return r;
}

}  // namespace

namespace vorane2 {

LunarMonthNumber lunarMonthNumber(double lonA, double lonB, double lonC) {
    // A term belongs to a month when it falls at or after 00:00 of its first
    // day and before 00:00 of the next month's first day.
    if (const int32_t m = termBetween(lonB, lonC); m != 0) return LunarMonthNumber{m, 'N'};
    // No term in the month: the one between the start of the month before
    // and the end of this one lies in the month before.
    if (const int32_t m = termBetween(lonA, lonC); m != 0) return LunarMonthNumber{m, 'Y'};
    return LunarMonthNumber{kLunisolarError, 'N'};
}

EnclosingLunarMonth enclosingLunarMonth(double j0, int32_t year, int32_t month, int32_t lastYear) {
    // The new moons of the date's month, the two before it and the one
    // after, in time order: four Gregorian months hold four or five. If
    // none of them is after the date (late January of a year whose
    // February has no new moon), the month after that is needed as well.
    std::array<double, 10> newMoons{};
    std::size_t count = 0;
    auto laterThanDate = [&]() {
        for (std::size_t i = 0; i < count; ++i) {
            if (newMoons[i] > j0) return true;
        }
        return false;
    };

    EnclosingLunarMonth r{false, 0.0, 0.0, 0.0, 0};
    // Years far from the stored ones hold nothing (and would overflow the
    // year arithmetic below at the ends of the 32-bit range).
    if (year < tables::kNewMoonTableFirstYear - 1 || year > tables::kNewMoonTableLastYear + 1) {
        return r;
    }
    for (int32_t shift = -2; shift <= 2; ++shift) {
        if (shift == 2 && laterThanDate()) break;
        int32_t y = year;
        int32_t m = month + shift;
        if (m < 1) {
            m += 12;
            y -= 1;
        } else if (m > 12) {
            m -= 12;
            y += 1;
        }
        ++r.monthsCollected;
        // A month outside the usable span adds nothing: the dates that
        // would need it are rejected below for want of a month around them.
        for (const int32_t day :
             {firstStoredNewMoonDay(y, m, lastYear), secondStoredNewMoonDay(y, m, lastYear)}) {
            if (day == kNoNewMoon || day == kOutsideStoredSpan) continue;
            newMoons[count++] = localMidnight(y, m, day);
        }
    }

    // The first new moon after the date begins the next lunar month; the
    // two before it begin the date's month and the month before that.
    for (std::size_t k = 0; k < count; ++k) {
        if (j0 < newMoons[k]) {
            if (k < 2) return r;
            r.found = true;
            r.a = newMoons[k - 2];
            r.b = newMoons[k - 1];
            r.c = newMoons[k];
            return r;
        }
    }
    return r;
}

LunisolarDate lunisolarDateLive(CalendarDate date, int32_t lastYear) {
    // Only the calendar date counts: 00:00 of it at UTC+9.
    const double j0 = localMidnight(date.year, date.month, date.day);

    // Far outside the stored years nothing is looked up. Inside, the date
    // is read back normalised (at noon, clear of any rounding at midnight),
    // so that a day or month beyond its range, such as 2000-01-40, is the
    // day it runs on to (2000-02-09).
    const int32_t last =
        lastYear < tables::kNewMoonTableLastYear ? lastYear : tables::kNewMoonTableLastYear;
    if (last < tables::kNewMoonTableFirstYear ||
        !(j0 >= localMidnight(tables::kNewMoonTableFirstYear, 1, 1) &&
          j0 < localMidnight(last + 1, 1, 1))) {
        return errorDate(date.longitude);
    }
    const CalendarDate civil = jd2ad(j0 + 0.5, kJapanLongitude);

    const EnclosingLunarMonth lunar = enclosingLunarMonth(j0, civil.year, civil.month, last);
    if (!lunar.found) return errorDate(date.longitude);

    const LunarMonthNumber number =
        lunarMonthNumber(jd2sok(lunar.a), jd2sok(lunar.b), jd2sok(lunar.c));
    if (number.month == kLunisolarError) return errorDate(date.longitude);

    // The lunisolar year is that of the month's first day, so that it never
    // turns inside a month: months 11 and 12 that begin in January or
    // February belong to the lunisolar year that began the year before.
    // Reckoned from the date itself instead, a leap month 11 or 12 that
    // runs from February into March (or a leap month 10 that runs from
    // December into January, as in the winter of 2033/34) would change its
    // year part-way. For every month whose days lie in January and February
    // only, this is the same as asking the date's own Gregorian month.
    const CalendarDate firstDay = jd2ad(lunar.b + 0.5, kJapanLongitude);
    int32_t year = firstDay.year;
    if ((firstDay.month == 1 || firstDay.month == 2) &&
        (number.month == 11 || number.month == 12)) {
        year -= 1;
    }

    LunisolarDate r{};
    r.leap = number.leap;
    r.year = year;
    r.month = number.month;
    r.day = truncToInt32(std::floor(j0 - lunar.b)) + 1;
    r.longitude = date.longitude;
    return r;
}

LunisolarDate lunisolarDateFromTable(const CalendarDate& date, int32_t lastYear,
                                     LunarMonthNames names) {
    namespace t = tables;
    constexpr auto& firstDays = t::kLunarMonthFirstDays;
    constexpr std::size_t count = firstDays.size();

    // Only the calendar date counts: the local day at UTC+9.
    const int64_t day = japanDayNumber(date.year, date.month, date.day);
    const int32_t last =
        lastYear < t::kLunarMonthTableLastYear ? lastYear : t::kLunarMonthTableLastYear;
    if (last < t::kLunarMonthTableFirstYear || day < firstDays.front() || day > firstDays.back()) {
        return errorDate(date.longitude);
    }

    // The month holding the first day of the day's stretch, then at most
    // one month on.
    const auto offset = static_cast<std::size_t>(day - firstDays.front());
    std::size_t k = kMonthAtStretchStart[offset / kStretchDays];
    if (k + 1 < count && firstDays[k + 1] <= day) ++k;

    // The month must end within the years that the caller may use (the
    // first day of the month after it is stored there) and have a name: a
    // month whose neighbours the rule needs but the table lacks has none.
    const t::LunarMonthName& name = names[k];
    const int64_t end =
        last == t::kLunarMonthTableLastYear ? kDayAfterTable : dayNumberOfNewYear(last + 1);
    if (k + 1 >= count || firstDays[k + 1] >= end || name.month == 0) {
        return errorDate(date.longitude);
    }
    LunisolarDate r{};
    r.leap = name.leap;
    r.year = name.year;
    r.month = name.month;
    r.day = static_cast<int32_t>(day - firstDays[k]) + 1;
    r.longitude = date.longitude;
    return r;
}

}  // namespace vorane2

extern "C" {

LunisolarDate VRN_CALL adto9rek(CalendarDate date) {
    return vorane2::lunisolarDate(date, vorane2::kNewMoonExportLastYear);
}

LunisolarDate VRN_CALL adto9rekL(CalendarDate date) {
    return vorane2::lunisolarDate(date, vorane2::kNewMoonLongSpanLastYear);
}

}  // extern "C"
