// Internal pieces of the lunisolar date (not exported), parameterised by the
// last year of stored new moons a caller may use, so that exports with a
// longer span can share the same rules.
#pragma once

#include <cstdint>
#include <span>

#include "tables/lunar_months.h"
#include "vorane2.h"

namespace vorane2 {

inline constexpr int32_t kLunisolarError = -999;

// The lunar month holding a local day (UTC+9): the local midnights (Julian
// days) starting the month before it (a), the month itself (b) and the month
// after it (c). `found` is false when the stored new moons that may be used
// do not give all three. `monthsCollected` tells how many Gregorian months
// were read: four normally, five when the four hold no new moon after the
// day.
struct EnclosingLunarMonth {
    bool found;
    double a;
    double b;
    double c;
    int32_t monthsCollected;
};

// `j0` is 00:00 (UTC+9) of the Gregorian date year-month-day (normalised:
// month 1..12). Uses the stored new moons of years up to `lastYear`.
EnclosingLunarMonth enclosingLunarMonth(double j0, int32_t year, int32_t month, int32_t lastYear);

// Month number 1..12 and leap flag of a lunar month from the Sun's longitude
// at the starts of the month before (lonA), the month (lonB) and the month
// after (lonC): the principal term (multiple of 30 degrees) that the month
// holds names it; a month without one is a leap month named after the month
// before. Month kLunisolarError when no rule applies (a single month
// spanning both 330 and 360 degrees), with leap 'N'.
struct LunarMonthNumber {
    int32_t month;
    char leap;
};
LunarMonthNumber lunarMonthNumber(double lonA, double lonB, double lonC);

// The lunisolar date of the local day named by year, month and day of
// `date` (out-of-range days and months run on linearly, as in ad2jd; the
// clock time is ignored; longitude is only copied), using stored new moons
// of years up to `lastYear`. The lunisolar year is that of the month's
// first day (the year before for months 11 and 12 that begin in January or
// February), so it never turns inside a month. Outside the span those give,
// or if no month rule applies: leap 'N', year, month and day
// kLunisolarError.
//
// lunisolarDateLive works it out from the stored new moons and the Sun's
// longitude on every call: the reference, and what the table of lunar
// months (tables/lunar_months.h) is generated from. lunisolarDate reads
// that table and gives the same result for every argument.
LunisolarDate lunisolarDateLive(CalendarDate date, int32_t lastYear);

// The names of the stored lunar months under one numbering rule, one for
// each month of tables::kLunarMonthFirstDays: a month's first day is the
// same under every rule, only its year, number and leap flag differ.
using LunarMonthNames =
    std::span<const tables::LunarMonthName, tables::kLunarMonthFirstDays.size()>;

// The lunisolar date of the local day named by year, month and day of
// `date` (as lunisolarDate; the clock time is ignored and longitude only
// copied) from the stored lunar months named by `names`. A day has a date
// when its month has a name (month 0 in `names` is none) and the first day
// of the month after it is stored in a year up to `lastYear`; otherwise
// leap 'N', year, month and day kLunisolarError.
LunisolarDate lunisolarDateFromTable(const CalendarDate& date, int32_t lastYear,
                                     LunarMonthNames names);

// The months named by their principal terms: lunisolarDateLive's answer.
inline LunisolarDate lunisolarDate(const CalendarDate& date, int32_t lastYear) {
    return lunisolarDateFromTable(date, lastYear, tables::kLunarMonthNames);
}

// The lunisolar date of adto9rekS worked out on every call: the months and
// days of lunisolarDateLive over the long span, numbered from the month that
// holds the winter solstice (lunisolar_solstice.cpp). The reference that
// tables::kLunarMonthNamesWinterSolstice is generated from; the same error
// date wherever lunisolarDateLive gives one, or where the stored new moons
// do not reach the month 11 on both sides.
LunisolarDate lunisolarDateWinterSolsticeLive(CalendarDate date);

}  // namespace vorane2
