// The native month sheets that the web module and page must reproduce.
//
//   web_sheet_walk hashes
//       one line per option set and year 1870..2100 (published 445..2100,
//       before 1870 with the fixed holidays alone: no holiday is marked
//       then): "MODE RULE HOLIDAYS YEAR HASH", the 32-bit FNV-1a hash of the
//       year's days in the form cellsText gives, months in order
//   web_sheet_walk lore
//       one line per rule and year (the same years): "RULE YEAR HASH", the
//       hash of every day's lore lines ("label<TAB>value"), days in order
//   web_sheet_walk cells YEAR MONTH MODE RULE HOLIDAYS
//       that form for one month: "YYYY-MM-DD<TAB>colour<TAB>holiday<TAB>item"
//       per day, in date order
//   web_sheet_walk lore YEAR MONTH RULE
//       every day's lore lines of one month: "YYYY-MM-DD<TAB>label<TAB>value"
// MODE is 0..8, RULE terms|solstice|published, HOLIDAYS fixed|law.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "annotations.h"
#include "civil_days.h"
#include "day_lore.h"
#include "holidays.h"
#include "holidays_by_law.h"
#include "library_binding_linked.h"
#include "month_sheet.h"
#include "sheet_render.h"
#include "sun_moon_times.h"
#include "wareki.h"

namespace {

// By tenvo::MonthRule's codes.
const char* const kRules[] = {"terms", "solstice", "published"};
const char* const kHolidays[] = {"fixed", "law"};
constexpr int kPublished = static_cast<int>(tenvo::MonthRule::Published);

// The first year a rule's months reach.
int32_t firstYearOf(int rule) {
    return rule == kPublished ? tenvo::kHistoryFirstDay.year : tenvo::kLoreFirstYear;
}

int ruleNamed(const char* name) {
    for (int rule = 0; rule < 3; ++rule) {
        if (std::strcmp(name, kRules[rule]) == 0) return rule;
    }
    return 0;
}

struct Options {
    int32_t mode;
    bool byLaw;
};

// Conversions repeat a few hundred names; each is converted once.
const std::string& utf8(const char* note, std::size_t length) {
    static std::map<std::string, std::string> cache;
    const std::string key(note, length);
    auto it = cache.find(key);
    if (it == cache.end()) it = cache.emplace(key, tenvo::shiftJisToUtf8(note, length)).first;
    return it->second;
}

std::string cellsText(int32_t year, int32_t month, const Options& options,
                      const tenvo::LibraryBinding& library) {
    tenvo::MonthSheet sheet;
    sheet.year = static_cast<uint16_t>(year);
    sheet.month = static_cast<uint16_t>(month);
    sheet.mode = options.mode;
    sheet.holidayRule = options.byLaw ? tenvo::HolidayRule::ByLaw : tenvo::HolidayRule::FixedTable;
    tenvo::composeMonth(sheet, library);
    const int32_t equinoxDay =
        year >= tenvo::kFirstHolidayYear ? tenvo::equinoxDayOfMonth(library, year, month) : 0;

    std::string byDay[32];
    for (int32_t cell = 0; cell < tenvo::kCells; ++cell) {
        const auto c = static_cast<std::size_t>(cell);
        const int32_t day = tenvo::dayOfCell(sheet, c);
        if (day == 0) continue;
        const int32_t column = cell / tenvo::kRows;
        // The sheets mark the holidays of modern Japan from 1870 on.
        const bool holiday =
            options.byLaw ? tenvo::lawHolidayOn(year, month, day) != tenvo::LawHolidayName::None
                          : year >= tenvo::kFirstHolidayYear &&
                                tenvo::isHoliday(month, day, column, equinoxDay);
        const char* note = sheet.noteText.data() + c * tenvo::kNoteTextBytes;
        std::size_t length = 4;
        while (length > 0 && note[length - 1] == ' ') --length;
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", static_cast<int>(year),
                      static_cast<int>(month), static_cast<int>(day));
        byDay[day] = std::string(date) + '\t' + std::to_string(sheet.colorClass[c]) + '\t' +
                     (holiday ? "1" : "0") + '\t' + utf8(note, length) + '\n';
    }
    std::string text;
    for (const std::string& line : byDay) text += line;
    return text;
}

uint32_t fnv1a(const std::string& text, uint32_t hash = 2166136261u) {
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

// A day's lines as the page's panel shows them for its default place: the
// lore with its seasonal items, then the six times at 東京.
std::vector<tenvo::LoreLine> dayLinesAtTokyo(const tenvo::LibraryBinding& library, int32_t year,
                                             int32_t month, int32_t day) {
    tenvo::DayLore lore = tenvo::composeDayLore(library, year, month, day);
    tenvo::addSeasonalLore(library, lore);
    std::vector<tenvo::LoreLine> lines =
        tenvo::dayLoreLines(lore, library, tenvo::TextEncoding::Utf8, tenvo::LoreLineSet::Seasonal);
    if (lore.valid) {
        for (tenvo::LoreLine& line : tenvo::sunMoonLines(
                 tenvo::composeSunMoonTimes(library, tenvo::kDefaultPlace, {year, month, day}),
                 tenvo::TextEncoding::Utf8)) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

// A year's lore in the form the web module gives it, hashed.
uint32_t loreHash(int32_t year, const tenvo::LibraryBinding& library) {
    uint32_t hash = 2166136261u;
    for (int32_t month = 1; month <= 12; ++month) {
        for (int32_t day = 1; day <= tenvo::daysInMonth(year, month); ++day) {
            std::string text;
            for (const tenvo::LoreLine& line : dayLinesAtTokyo(library, year, month, day)) {
                text += line.label + '\t' + line.value + '\n';
            }
            hash = fnv1a(text, hash);
        }
    }
    return hash;
}

int usage() {
    std::fputs(
        "usage: web_sheet_walk hashes | lore [YEAR MONTH RULE]\n"
        "       | cells YEAR MONTH MODE RULE fixed|law     (RULE terms|solstice|published)\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const tenvo::LibraryBinding linked = tenvo::linkedLibraryBinding();
    const tenvo::LibraryBinding readings[] = {
        linked, tenvo::withMonthRule(linked, tenvo::MonthRule::Solstice),
        tenvo::withMonthRule(linked, tenvo::MonthRule::Published)};
    if (argc == 2 && std::strcmp(argv[1], "hashes") == 0) {
        for (int32_t mode = 0; mode <= static_cast<int32_t>(tenvo::CalendarMode::Kyureki); ++mode) {
            for (int rule = 0; rule < 3; ++rule) {
                for (int law = 0; law < 2; ++law) {
                    const Options options{mode, law == 1};
                    const int32_t first = law == 1 ? tenvo::kFirstHolidayYear : firstYearOf(rule);
                    for (int32_t year = first; year <= 2100; ++year) {
                        uint32_t hash = 2166136261u;
                        for (int32_t month = 1; month <= 12; ++month) {
                            hash = fnv1a(cellsText(year, month, options, readings[rule]), hash);
                        }
                        std::printf("%d %s %s %d %08x\n", static_cast<int>(mode), kRules[rule],
                                    kHolidays[law], static_cast<int>(year),
                                    static_cast<unsigned>(hash));
                    }
                }
            }
        }
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "lore") == 0) {
        for (int rule = 0; rule < 3; ++rule) {
            for (int32_t year = firstYearOf(rule); year <= 2100; ++year) {
                std::printf("%s %d %08x\n", kRules[rule], static_cast<int>(year),
                            static_cast<unsigned>(loreHash(year, readings[rule])));
            }
        }
        return 0;
    }
    if (argc == 7 && std::strcmp(argv[1], "cells") == 0) {
        const Options options{std::atoi(argv[4]), std::strcmp(argv[6], "law") == 0};
        const std::string text = cellsText(std::atoi(argv[2]), std::atoi(argv[3]), options,
                                           readings[ruleNamed(argv[5])]);
        std::fputs(text.c_str(), stdout);
        return 0;
    }
    if (argc == 5 && std::strcmp(argv[1], "lore") == 0) {
        const int32_t year = std::atoi(argv[2]);
        const int32_t month = std::atoi(argv[3]);
        const tenvo::LibraryBinding& library = readings[ruleNamed(argv[4])];
        for (int32_t day = 1; day <= tenvo::daysInMonth(year, month); ++day) {
            for (const tenvo::LoreLine& line : dayLinesAtTokyo(library, year, month, day)) {
                std::printf("%04d-%02d-%02d\t%s\t%s\n", static_cast<int>(year),
                            static_cast<int>(month), static_cast<int>(day), line.label.c_str(),
                            line.value.c_str());
            }
        }
        return 0;
    }
    return usage();
}
