#include "annotations.h"

#include <cstddef>

#include "almanac_cycles.h"
#include "civil_days.h"
#include "day_lore.h"

namespace tenvo {

const std::array<std::array<SolarTermEntry, 2>, 13> kSolarTermsByMonth{{
    {{{nullptr, "", 0, 0}, {nullptr, "", 0, 0}}},
    {{{&LibraryBinding::y2syokan, "\x8f\xac\x8a\xa6" /* 小寒 */, 4, 6},
      {&LibraryBinding::y2taikan, "\x91\xe5\x8a\xa6" /* 大寒 */, 19, 21}}},
    {{{&LibraryBinding::y2risyun, "\x97\xa7\x8f\x74" /* 立春 */, 3, 5},
      {&LibraryBinding::y2usui, "\x89\x4a\x90\x85" /* 雨水 */, 17, 20}}},
    {{{&LibraryBinding::y2ktitu, "\x8c\x5b\xe5\xad" /* 啓蟄 */, 4, 6},
      {&LibraryBinding::y2syunbn, "\x8f\x74\x95\xaa" /* 春分 */, 19, 21}}},
    {{{&LibraryBinding::y2seimei, "\x90\xb4\x96\xbe" /* 清明 */, 3, 5},
      {&LibraryBinding::y2kokuu, "\x8d\x92\x89\x4a" /* 穀雨 */, 19, 21}}},
    {{{&LibraryBinding::y2rikka, "\x97\xa7\x89\xc4" /* 立夏 */, 4, 6},
      {&LibraryBinding::y2syoman, "\x8f\xac\x96\x9e" /* 小満 */, 19, 21}}},
    {{{&LibraryBinding::y2bousyu, "\xe4\x8a\x8e\xed" /* 芒種 */, 4, 6},
      {&LibraryBinding::y2gesi, "\x89\xc4\x8e\x8a" /* 夏至 */, 20, 22}}},
    {{{&LibraryBinding::y2syusyo, "\x8f\xac\x8f\x8b" /* 小暑 */, 5, 8},
      {&LibraryBinding::y2taisyo, "\x91\xe5\x8f\x8b" /* 大暑 */, 21, 24}}},
    {{{&LibraryBinding::y2risyuu, "\x97\xa7\x8f\x48" /* 立秋 */, 6, 8},
      {&LibraryBinding::y2syosyo, "\x8f\x88\x8f\x8b" /* 処暑 */, 21, 24}}},
    {{{&LibraryBinding::y2hakuro, "\x94\x92\x98\x49" /* 白露 */, 6, 8},
      {&LibraryBinding::y2syuubn, "\x8f\x48\x95\xaa" /* 秋分 */, 21, 24}}},
    {{{&LibraryBinding::y2kanro, "\x8a\xa6\x98\x49" /* 寒露 */, 6, 9},
      {&LibraryBinding::y2soukou, "\x91\x9a\x8d\x7e" /* 霜降 */, 22, 25}}},
    {{{&LibraryBinding::y2rittou, "\x97\xa7\x93\x7e" /* 立冬 */, 6, 8},
      {&LibraryBinding::y2syostu, "\x8f\xac\x90\xe1" /* 小雪 */, 21, 23}}},
    {{{&LibraryBinding::y2taistu, "\x91\xe5\x90\xe1" /* 大雪 */, 5, 8},
      {&LibraryBinding::y2touji, "\x93\x7e\x8e\x8a" /* 冬至 */, 20, 23}}},
}};

namespace {

// "宿", the lodging that follows a mansion's two-byte name.
constexpr char kLodging[] = "\x8f\x68" /* 宿 */;

using Note = std::span<char, kNoteTextBytes>;

// Copies `text` into `width` bytes of the note from `at`, stopping at its
// NUL and padding with spaces, so a short name never leaves a stray byte.
void putText(Note note, std::size_t at, std::size_t width, const char* text) {
    std::size_t i = 0;
    for (; i < width && text[i] != '\0'; ++i) note[at + i] = text[i];
    for (; i < width; ++i) note[at + i] = ' ';
}

void putBlank(Note note) {
    putText(note, 0, 4, "");
    note[4] = '\0';
}

// A 4-byte name; a null name (an index the library has no name for) shows
// as a blank line rather than being dereferenced.
void putName(Note note, const char* name) {
    if (name == nullptr) {
        putBlank(note);
        return;
    }
    putText(note, 0, 4, name);
    note[4] = '\0';
}

void putMansion(Note note, const char* name) {
    if (name == nullptr) {
        putBlank(note);
        return;
    }
    putText(note, 0, 2, name);
    putText(note, 2, 2, kLodging);
    note[4] = '\0';
}

bool isUsableLunisolarDate(const LunisolarDate& lunar) {
    return lunar.month >= 1 && lunar.month <= 12 && lunar.day >= 1 && lunar.day <= 30;
}

// The lunisolar date of a day: the conversion over the years of the
// original new-moon tables first, and where it has no answer (after 2020)
// the one over all the stored new moons, which agrees with it wherever both
// answer.
LunisolarDate lunisolarDateOf(const LibraryBinding& library, const CalendarDate& date) {
    const LunisolarDate lunar = library.adto9rek(date);
    if (isUsableLunisolarDate(lunar)) return lunar;
    return library.adto9rekL(date);
}

// The six-day name comes from the lunar month and day: (month + day - 1)
// mod 6. Converting a date to the lunisolar calendar is the dearest call the
// sheet makes, so within a lunar month the next day's lunar day is simply
// the previous one plus one. A lunar month has 29 or 30 days, so from a
// predicted 28th on the library is asked again to catch the new moon.
void putSixDay(const LibraryBinding& library, const CalendarDate& date, LunarCache& cache,
               Note note) {
    if (cache.recompute == 'Y') cache.date = lunisolarDateOf(library, date);
    const LunisolarDate& lunar = cache.date;
    if (!isUsableLunisolarDate(lunar)) {
        // Outside the span of the stored new moons the library answers with
        // an error value, from which no name can be made; ask again next day.
        putBlank(note);
        cache.recompute = 'Y';
        return;
    }
    putName(note, library.rno2name(sixDayOf(lunar)));
    cache.date.day += 1;
    cache.recompute = cache.date.day > 27 ? 'Y' : 'N';
}

// The 旧暦 mode steps the cached lunar date as the six-day mode does.
void putKyureki(const LibraryBinding& library, const CalendarDate& date, LunarCache& cache,
                Note note) {
    if (cache.recompute == 'Y') cache.date = lunisolarDateOf(library, date);
    if (!isUsableLunisolarDate(cache.date)) {
        putBlank(note);
        cache.recompute = 'Y';
        return;
    }
    putKyurekiNote(cache.date, note);
    cache.date.day += 1;
    cache.recompute = cache.date.day > 27 ? 'Y' : 'N';
}

// The first year whose solar terms, nine stars and almanac the sheet shows.
constexpr int32_t kFirstAstronomicalYear = 1870;

void putSolarTerm(const LibraryBinding& library, const CalendarDate& date, Note note) {
    putBlank(note);
    if (date.month < 1 || date.month > 12) return;
    for (const SolarTermEntry& term : kSolarTermsByMonth[static_cast<std::size_t>(date.month)]) {
        if (date.day < term.firstPossibleDay || date.day > term.lastPossibleDay) continue;
        if ((library.*term.dayOf)(date.year, 135.0) == date.day) {
            putName(note, term.name);
            return;
        }
    }
}

}  // namespace

void putKyurekiNote(const LunisolarDate& lunar, Note note) {
    // Full-width digits: "０" is 0x82 0x4f, and the others follow it.
    const auto wideDigit = [&](std::size_t at, int32_t digit) {
        note[at] = '\x82';
        note[at + 1] = static_cast<char>(0x4f + digit);
    };
    if (!isUsableLunisolarDate(lunar)) {
        putBlank(note);
        return;
    }
    const bool leap = lunar.leap == 'Y';
    if (lunar.day == 1) {
        // "閏" or the month's digits come first, then "月" or the digits.
        if (leap) putText(note, 0, 2, "\x89\x5b" /* 閏 */);
        const std::size_t digitsAt = leap ? 2 : 0;
        if (lunar.month >= 10) {
            note[digitsAt] = '1';
            note[digitsAt + 1] = static_cast<char>('0' + lunar.month - 10);
        } else {
            wideDigit(digitsAt, lunar.month);
        }
        if (!leap) putText(note, 2, 2, "\x8c\x8e" /* 月 */);
    } else {
        if (lunar.day >= 10) {
            wideDigit(0, lunar.day / 10);
        } else {
            putText(note, 0, 2, "\x81\x40" /* full-width space */);
        }
        wideDigit(2, lunar.day % 10);
    }
    note[4] = '\0';
}

int32_t mansion27On(const LibraryBinding& library, const CalendarDate& date) {
    // After 2020 the original export has no answer; the one over all the
    // stored new moons has (under the published reading both are adto27H).
    int32_t index = library.adto27(date);
    if (index < 0) index = library.adto27L(date);
    return index < 0 ? -1 : index;
}

void annotateDay(const LibraryBinding& library, const CalendarDate& date, int32_t mode,
                 LunarCache& cache, Note note) {
    const bool astronomical = date.year >= kFirstAstronomicalYear;
    switch (mode) {
        case static_cast<int32_t>(CalendarMode::SixDay):
            putSixDay(library, date, cache, note);
            break;
        case static_cast<int32_t>(CalendarMode::NineStar):
            putName(note, astronomical ? library.kno2name(library.ad2hkyusei(date)) : nullptr);
            break;
        case static_cast<int32_t>(CalendarMode::Mansion27): {
            // Outside the span the index is an error value (< 0).
            const int32_t index = mansion27On(library, date);
            putMansion(note, index < 0 ? nullptr : library.A27toname(index));
            break;
        }
        case static_cast<int32_t>(CalendarMode::Mansion28): {
            const int32_t index =
                astronomical ? library.adto28(date)
                             : mansion28OfDays(daysFromCivil(date.year, date.month, date.day));
            putMansion(note, index < 0 ? nullptr : library.A28toname(index));
            break;
        }
        case static_cast<int32_t>(CalendarMode::Sexagenary):
            // Before 1870 by the day count, as the day's lore: the library's
            // date exports read a date before 1582-10-15 as Julian.
            putName(note, library.eno2name(astronomical ? library.ad2heto(date)
                                                        : dayPairOfDays(daysFromCivil(
                                                              date.year, date.month, date.day))));
            break;
        case static_cast<int32_t>(CalendarMode::SolarTerm):
            if (astronomical) {
                putSolarTerm(library, date, note);
            } else {
                putBlank(note);
            }
            break;
        case static_cast<int32_t>(CalendarMode::Almanac):
            putText(note, 0, 4,
                    almanacShortNameShiftJis(topAlmanacItem(almanacItemsOf(library, date))));
            note[4] = '\0';
            break;
        case static_cast<int32_t>(CalendarMode::Choku):
            // Outside the almanac's span the code is -999, which has no name.
            putName(note, library.cyo2name(library.ad2cyoku(date)));
            break;
        case static_cast<int32_t>(CalendarMode::Kyureki):
            putKyureki(library, date, cache, note);
            break;
        default:
            break;
    }
}

namespace {

// The binding with every member that reads the lunar months answered by one
// reading's exports: the lunisolar date, the 27 mansions, the almanac (for
// 不成就日) and the lower row (for 凶会日).
LibraryBinding withReading(const LibraryBinding& library, LunisolarFn lunisolar,
                           DateCodeFn mansion27, DateCodeFn almanac, DateCodeFn lowerRow) {
    LibraryBinding reading = library;
    reading.adto9rek = lunisolar;
    reading.adto9rekL = lunisolar;
    reading.adto27 = mansion27;
    reading.adto27L = mansion27;
    reading.ad2rekicyu = almanac;
    reading.ad2gedan = lowerRow;
    return reading;
}

}  // namespace

LibraryBinding withSolsticeReading(const LibraryBinding& library) {
    return withReading(library, library.adto9rekS, library.adto27S, library.ad2rekicyuS,
                       library.ad2gedanS);
}

LibraryBinding withPublishedReading(const LibraryBinding& library) {
    return withReading(library, library.adto9rekH, library.adto27H, library.ad2rekicyuH,
                       library.ad2gedanH);
}

LibraryBinding withMonthRule(const LibraryBinding& library, MonthRule rule) {
    switch (rule) {
        case MonthRule::Solstice:
            return withSolsticeReading(library);
        case MonthRule::Published:
            return withPublishedReading(library);
        case MonthRule::Terms:
            break;
    }
    return library;
}

MonthRule monthRuleOf(const LibraryBinding& library) {
    if (library.adto9rekL != nullptr && library.adto9rekL == library.adto9rekH) {
        return MonthRule::Published;
    }
    if (library.adto9rekL != nullptr && library.adto9rekL == library.adto9rekS) {
        return MonthRule::Solstice;
    }
    return MonthRule::Terms;
}

}  // namespace tenvo
