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

// How the lunar months of the six-day, 27-mansion, 旧暦, 不成就日 and 凶会日
// items are read; each rule is a reading of the binding (withMonthRule).
enum class MonthRule : int32_t {
    Terms = 0,      // by the principal term each month holds: the binding as given
    Solstice = 1,   // numbered from the month of 冬至: withSolsticeReading
    Published = 2,  // as the almanacs printed them: withPublishedReading
};

// The 旧暦 note of a lunisolar date: on the month's first day the month,
// "１月" .. "９月", "10月" .. "12月", or for a leap month "閏１" .. "閏12";
// on any other day the day, two full-width digits ("　２", "１５"). 4 bytes
// of Shift-JIS and a NUL; 4 spaces for a date without a usable month and day.
void putKyurekiNote(const LunisolarDate& lunar, std::span<char, kNoteTextBytes> note);

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
//   Kyureki     the lunisolar day, and on a month's first day the month
//               (putKyurekiNote), from the lunisolar date held in `cache`
// The six-day and 27-mansion modes ask adto9rek and adto27 first and, where
// those answer with their error value (after 14 December 2020), adto9rekL
// and adto27L, which reach to 30 December 2100.
// Wherever there is nothing to show - no solar term that day, a date outside
// the span of the stored new moons (before 1 February 1870 or after 30
// December 2100), a name the library does not have - the note is 4 spaces
// and a NUL. Before 1870 the items that rest on the Sun's and Moon's
// instants (nine star, solar term, almanac, 直) are blank too: the library's
// terms are the computed ones of 1870 to 2100, not those the almanacs of
// the time printed. A mode outside 0..8 leaves `note` as it is.
//
// Under the published reading (withPublishedReading) the six-day, 27-mansion
// and 旧暦 items follow adto9rekH from 445-01-25 (Julian 445-01-24) to
// 2100-12-30, the 27 mansions from adto27H.
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

// The library as the published calendars read it: the lunisolar members
// (adto9rek, adto9rekL) answer from adto9rekH, the months of the historical
// table up to 1872 and from 1873 those numbered from the winter solstice
// with the accurate new moons, over 0445-01-25 (Julian 445-01-24) to
// 2100-12-30. The members that count days of a lunar month (adto27,
// adto27L, ad2rekicyu for 不成就日, ad2gedan for 凶会日) answer from the
// library's readings of the published date (adto27H, ad2rekicyuH,
// ad2gedanH). Everything else is the binding as given.
LibraryBinding withPublishedReading(const LibraryBinding& library);

// The binding read under `rule`.
LibraryBinding withMonthRule(const LibraryBinding& library, MonthRule rule);

// The reading a binding is: Published where its lunisolar conversion is
// adto9rekH, Solstice where it is adto9rekS, Terms otherwise.
MonthRule monthRuleOf(const LibraryBinding& library);

// The 27-mansion index 0..26 of a day under the binding's reading; -1
// where it has none.
int32_t mansion27On(const LibraryBinding& library, const CalendarDate& date);

}  // namespace tenvo
