// The annotation step of a composition: the short item of the traditional
// calendar written under one day of the month sheet, chosen by the mode.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "library_binding.h"
#include "month_sheet.h"

namespace tenvo {

// A solar term as the sheet names it: the export that gives its day of the
// month, its 4-byte Shift-JIS name, and the days of the month that the
// export can answer at all (it tests a few fixed days and clamps to them).
// A day outside that window cannot be the term's day, so the sheet asks the
// library only for the few days inside it.
struct SolarTermEntry {
    TermDayFn LibraryBinding::*dayOf;
    const char* name;
    int32_t firstPossibleDay;
    int32_t lastPossibleDay;
};

// The two solar terms that fall in each Gregorian month (index 0 unused).
extern const std::array<std::array<SolarTermEntry, 2>, 13> kSolarTermsByMonth;

// The six-day index 0 赤口 .. 5 大安 of a lunisolar date: (month + day - 1)
// mod 6, a leap month counting with its number (day 1 of month 1 is 先勝).
// -1 for a date whose month or day is out of range (the library's -999).
constexpr int32_t sixDayOf(const LunisolarDate& lunar) {
    if (lunar.month < 1 || lunar.month > 12 || lunar.day < 1 || lunar.day > 30) return -1;
    return (lunar.month + lunar.day - 1) % 6;
}

// Writes the annotation of `date` (the shown year and month and the day
// being composed) into `note`: 4 bytes of Shift-JIS and a NUL. Modes:
//   SixDay      the six-day name from the lunisolar date held in `cache`
//   NineStar    the day's nine-star name
//   Mansion27   the 27-mansion name and "宿"
//   Mansion28   the 28-mansion name and "宿"
//   Sexagenary  the day's stem-and-branch name
//   SolarTerm   the name of the solar term that falls on the day
//   Almanac     the day's most notable almanac item in two characters
//               (topAlmanacItem and almanacShortNameShiftJis, day_lore.h)
//   Choku       the day's 直 ("建" .. "閉") and two spaces
// The six-day and 27-mansion modes ask adto9rek and adto27 first and, where
// those answer with their error value (after 14 December 2020), adto9rekL
// and adto27L, which reach to 30 December 2100.
// Wherever there is nothing to show - no solar term that day, a date outside
// the span of the stored new moons (before 1 February 1870 or after 30
// December 2100), a name the library does not have - the note is 4 spaces
// and a NUL. A mode outside 0..7 leaves `note` as it is.
//
// The six-day mode asks the library for the lunisolar date only when the
// cache's recompute flag is 'Y' (set by the caller at the start of every
// composition) and otherwise steps the cached lunar day; the days are to be
// annotated one after another.
void annotateDay(const LibraryBinding& library, const CalendarDate& date, int32_t mode,
                 LunarCache& cache, std::span<char, kNoteTextBytes> note);

// The library as the sheet reads it with the lunar months numbered from the
// winter solstice (the month holding 冬至 is month 11): the lunisolar
// members the annotations and the day's lore ask (adto9rek, adto9rekL,
// adto27, adto27L, ad2rekicyu, ad2gedan) answer from adto9rekS, adto27S,
// ad2rekicyuS and ad2gedanS instead, over the whole span 1870-02-01 to
// 2100-12-30. Everything else is the binding as given. The six-day and
// 27-mansion items differ from the default only in the months where the two
// readings number a month differently.
LibraryBinding withSolsticeReading(const LibraryBinding& library);

}  // namespace tenvo
