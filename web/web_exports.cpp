// The calendar for a web page: the month sheet, a day's items and a year's
// iCalendar stream behind a few plain C functions that the page's script
// calls. Every answer comes from the month sheet and the library as the
// terminal view composes them; this file only chooses the options and
// writes the answers out as UTF-8 text the script splits.
//
// Each function that returns text writes it into one buffer owned here and
// returns a pointer to its NUL-terminated start; the next call overwrites
// it. A page has one thread, so one buffer serves.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "annotations.h"
#include "civil_days.h"
#include "day_lore.h"
#include "holidays.h"
#include "holidays_by_law.h"
#include "icalendar.h"
#include "library_binding_linked.h"
#include "month_sheet.h"
#include "sheet_render.h"
#include "sun_moon_times.h"
#include "text_encoding.h"
#include "wareki.h"

namespace {

// The months a sheet can show: the span of the stored new moons' years, or
// under the published calendar every month from its first day's on.
constexpr int32_t kFirstYear = 1870;
constexpr int32_t kFirstPublishedYear = tenvo::kHistoryFirstDay.year;
constexpr int32_t kLastYear = 2100;
constexpr int32_t kModeCount = 9;

// The month rules as tenvo::MonthRule numbers them: 0 by the principal
// terms, 1 from the winter solstice, 2 as published.
constexpr int32_t kRuleCount = 3;
constexpr int32_t kPublished = static_cast<int32_t>(tenvo::MonthRule::Published);

std::string g_text;
// The text the script hands in (web_input), NUL-terminated.
std::string g_input;

const char* answer(std::string text) {
    g_text = std::move(text);
    return g_text.c_str();
}

// The moment of writing as a time_t. In WebAssembly time_t has 32 bits:
// converting a later moment (after January 2038), a negative one or NaN
// would be undefined, so they are held to the type's range (0 for NaN).
std::time_t stampOf(double seconds) {
    constexpr auto kLast = std::numeric_limits<std::time_t>::max();
    if (!(seconds > 0.0)) return 0;
    if (seconds >= static_cast<double>(kLast)) return kLast;
    return static_cast<std::time_t>(seconds);
}

int32_t firstYearOf(int32_t rule) { return rule == kPublished ? kFirstPublishedYear : kFirstYear; }

// A month the rule can show; an unknown rule has none.
bool validMonth(int32_t year, int32_t month, int32_t rule) {
    return rule >= 0 && rule < kRuleCount && year >= firstYearOf(rule) && year <= kLastYear &&
           month >= 1 && month <= 12;
}

// The library read under a month rule the caller has checked.
tenvo::LibraryBinding binding(int32_t rule) {
    return tenvo::withMonthRule(tenvo::linkedLibraryBinding(), static_cast<tenvo::MonthRule>(rule));
}

// The holidays of modern Japan, which the sheet marks from 1870 on: the
// fixed table's on a day (with its month's equinox day), never before.
int32_t equinoxDayOf(const tenvo::LibraryBinding& library, int32_t year, int32_t month) {
    return year >= tenvo::kFirstHolidayYear ? tenvo::equinoxDayOfMonth(library, year, month) : 0;
}
bool fixedTableHoliday(int32_t year, int32_t month, int32_t day, int32_t column,
                       int32_t equinoxDay) {
    return year >= tenvo::kFirstHolidayYear && tenvo::isHoliday(month, day, column, equinoxDay);
}

// The era table, its 275 names converted once for the page's life.
const tenvo::EraTable& eraTable() {
    static const tenvo::EraTable table(tenvo::linkedLibraryBinding());
    return table;
}

tenvo::MonthSheet composed(int32_t year, int32_t month, int32_t mode, bool byLaw,
                           const tenvo::LibraryBinding& library) {
    tenvo::MonthSheet sheet;
    sheet.year = static_cast<uint16_t>(year);
    sheet.month = static_cast<uint16_t>(month);
    sheet.mode = mode;
    sheet.holidayRule = byLaw ? tenvo::HolidayRule::ByLaw : tenvo::HolidayRule::FixedTable;
    tenvo::composeMonth(sheet, library);
    return sheet;
}

// The era years of the days given, for a title: "令和8年", or each era year
// once where they differ ("昭和64年・平成元年"). Empty where no era is known.
std::string eraYearsOf(const tenvo::LibraryBinding& library, int32_t year,
                       std::initializer_list<std::pair<int32_t, int32_t>> days) {
    std::string text;
    std::string previous;
    for (const auto& [month, day] : days) {
        const tenvo::EraDate era = tenvo::composeDayLore(library, year, month, day).era;
        if (era.era == tenvo::Era::None) continue;
        const std::string name =
            tenvo::shiftJisToUtf8(std::string_view(tenvo::eraNameShiftJis(era.era))) +
            (era.year == 1 ? std::string("元") : std::to_string(era.year)) + "年";
        if (name == previous) continue;
        if (!text.empty()) text += "・";
        text += name;
        previous = name;
    }
    return text;
}

// The era years of the published calendar from `first` to `last` (both in
// one month or one year), as eraYearsOf writes them; where the courts
// differ on either day, the southern court's and the northern's, each
// named: "南朝 元弘2年・北朝 正慶元年". A day before the calendar's first
// counts as its first.
std::string publishedEraYears(const tenvo::LibraryBinding& library, tenvo::CivilDate first,
                              const tenvo::CivilDate& last) {
    if (tenvo::dateKey(first) < tenvo::dateKey(tenvo::kHistoryFirstDay)) {
        first = tenvo::kHistoryFirstDay;
    }
    const tenvo::DayWareki from = tenvo::warekiOfDay(library, first);
    const tenvo::DayWareki to = tenvo::warekiOfDay(library, last);
    const auto years = [&](const tenvo::WarekiDate& a, const tenvo::WarekiDate& b) {
        std::string text;
        std::string previous;
        for (const tenvo::WarekiDate* date : {&a, &b}) {
            if (date->era < 0) continue;
            const std::string name =
                std::string(eraTable().nameUtf8(date->era)) +
                (date->year == 1 ? std::string("元") : std::to_string(date->year)) + "年";
            if (name == previous) continue;
            if (!text.empty()) text += "・";
            text += name;
            previous = name;
        }
        return text;
    };
    if (!from.twoCourts() && !to.twoCourts()) return years(from.south, to.south);
    return "南朝 " + years(from.south, to.south) + "・北朝 " + years(from.north, to.north);
}

// The Moon's phase among a day's almanac items: 0 新月, 1 上弦, 2 満月,
// 3 下弦 (the items' own order), -1 on the other days. A day has at most one.
int32_t phaseOf(int32_t items) {
    for (int32_t item = VRN_SHINGETSU; item <= VRN_KAGEN; ++item) {
        if (((items >> item) & 1) != 0) return item - VRN_SHINGETSU;
    }
    return -1;
}

constexpr int32_t kSeasonalDays = (1 << (VRN_NIHYAKUHATSUKA + 1)) - 1;
constexpr int32_t kSelectedDays = ((1 << (VRN_JUSHI + 1)) - 1) & ~kSeasonalDays;

// A day's names as a cell lists them, most notable first, each as
// "<TAB>kind<TAB>name<TAB>short name" in Shift-JIS: the holiday (kind h:
// its name by law, or 祝日 where the fixed table marks the day), the solar
// term that begins on it (t), its seasonal days by rank (s), and the most
// notable of its selected days (a). The short names are the two characters
// the almanac mode writes; a holiday and a term have none shorter.
std::string namesOf(const tenvo::DayLore& lore, const tenvo::LibraryBinding& library,
                    bool fixedTableHoliday, bool byLaw) {
    std::string text;
    const auto add = [&](char kind, const std::string& name, const std::string& shortName) {
        if (name.empty()) return;
        text += std::string("\t") + kind + '\t' + name + '\t' + shortName;
    };
    if (byLaw) {
        const std::string name = tenvo::lawHolidayNameShiftJis(lore.holiday);
        add('h', name, name);
    } else if (fixedTableHoliday) {
        add('h', "\x8f\x6a\x93\xfa" /* 祝日 */, "\x8f\x6a\x93\xfa");
    }
    if (const char* term = library.sek2name(lore.solarTerm)) add('t', term, term);
    const auto named = [&](int32_t item) {
        const char* name = library.rek2name(item);
        return name == nullptr ? std::string() : std::string(name);
    };
    for (int32_t rest = lore.items & kSeasonalDays; rest != 0;) {
        const int32_t item = tenvo::topAlmanacItem(rest);
        add('s', named(item), tenvo::almanacShortNameShiftJis(item));
        rest &= ~(1 << item);
    }
    const int32_t selected = tenvo::topAlmanacItem(lore.items & kSelectedDays);
    if (selected >= 0) add('a', named(selected), tenvo::almanacShortNameShiftJis(selected));
    return text;
}

// The item written under a cell, without its padding, in Shift-JIS.
std::string_view itemOf(const tenvo::MonthSheet& sheet, std::size_t cell) {
    const char* note = sheet.noteText.data() + cell * tenvo::kNoteTextBytes;
    std::size_t length = tenvo::kNoteTextBytes - 1;
    while (length > 0 && (note[length - 1] == ' ' || note[length - 1] == '\0')) --length;
    return {note, length};
}

}  // namespace

extern "C" {

// The first year a rule's months reach (445 published, 1870 by the terms or
// from the solstice), the last year, and the modes (0..8 as CalendarMode).
int32_t web_first_year(int32_t rule) { return firstYearOf(rule); }
int32_t web_last_year() { return kLastYear; }
int32_t web_mode_count() { return kModeCount; }

// Room for `bytes` bytes of text and a NUL, which the script fills before
// a call that reads it (web_read_date); the same room until the next call.
char* web_input(int32_t bytes) {
    g_input.assign(static_cast<std::size_t>(bytes < 0 ? 0 : bytes) + 1, '\0');
    return g_input.data();
}

// The sheet of `year`-`month` in `mode` (0..8 as CalendarMode), months
// numbered by `rule` (0 by the terms, 1 from the winter solstice, 2 as
// published), holidays by law when `byLaw` is non-zero. One line per cell,
// week row by week row and Sunday first: "day<TAB>colour<TAB>holiday<TAB>
// item<TAB>holiday name", day 0 for a cell without a day, colour the sheet's
// class (0 red, 6 blue), holiday 1 on a holiday of the chosen rule (none
// before 1870), the holiday's name only by law. Outside the rule's months
// (1870-01 or, published, 445-01 .. 2100-12), an unknown rule or mode: the
// empty text.
const char* web_month(int32_t year, int32_t month, int32_t mode, int32_t rule, int32_t byLaw) {
    if (!validMonth(year, month, rule) || mode < 0 || mode >= kModeCount) return answer({});
    const tenvo::LibraryBinding library = binding(rule);
    const tenvo::MonthSheet sheet = composed(year, month, mode, byLaw != 0, library);
    const int32_t equinoxDay = equinoxDayOf(library, year, month);
    const tenvo::LawHolidayYear lawHolidays =
        byLaw != 0 ? tenvo::lawHolidaysOfYear(year) : tenvo::LawHolidayYear{};

    // Written in Shift-JIS, the sheet's own encoding, and converted once.
    std::string text;
    for (int32_t row = 0; row < tenvo::kRows; ++row) {
        for (int32_t column = 0; column < tenvo::kColumns; ++column) {
            const auto cell = static_cast<std::size_t>(tenvo::cellIndex(column, row));
            const int32_t day = tenvo::dayOfCell(sheet, cell);
            tenvo::LawHolidayName name = tenvo::LawHolidayName::None;
            bool holiday = false;
            if (day != 0 && byLaw != 0) {
                name = tenvo::findLawHoliday(lawHolidays, month, day);
                holiday = name != tenvo::LawHolidayName::None;
            } else if (day != 0) {
                holiday = fixedTableHoliday(year, month, day, column, equinoxDay);
            }
            text += std::to_string(day) + '\t' + std::to_string(sheet.colorClass[cell]) + '\t' +
                    (holiday ? "1" : "0") + '\t';
            if (day != 0) text += itemOf(sheet, cell);
            text += std::string("\t") + tenvo::lawHolidayNameShiftJis(name) + '\n';
        }
    }
    return answer(tenvo::shiftJisToUtf8(std::string_view(text)));
}

// A day's whole lore under `rule`, as the terminal view's day shows it at
// the place of `latitude` and `longitude` (degrees, north and east
// positive): one "label<TAB>value" line per item, in the record's order,
// the pentad, 納音, 恵方 and observances among them and the six times of
// the Sun and the Moon last (none for a place outside -90..90, -180..180).
// The empty text for a date outside 1870-01-01 (published 0445-01-25) ..
// 2100-12-31, not in the calendar, or an unknown rule.
const char* web_day(int32_t year, int32_t month, int32_t day, int32_t rule, double latitude,
                    double longitude) {
    if (!validMonth(year, month, rule)) return answer({});
    const tenvo::LibraryBinding library = binding(rule);
    tenvo::DayLore lore = tenvo::composeDayLore(library, year, month, day);
    tenvo::addSeasonalLore(library, lore);
    std::vector<tenvo::LoreLine> lines = tenvo::dayLoreLines(
        lore, library, tenvo::TextEncoding::ShiftJis, tenvo::LoreLineSet::Seasonal);
    if (lore.valid) {
        for (tenvo::LoreLine& line : tenvo::sunMoonLines(
                 tenvo::composeSunMoonTimes(library, {latitude, longitude, ""}, {year, month, day}),
                 tenvo::TextEncoding::ShiftJis)) {
            lines.push_back(std::move(line));
        }
    }
    // Shift-JIS has no state to carry across lines: the text converted once
    // is the lines converted one by one, with one call into the host.
    std::string text;
    for (const tenvo::LoreLine& line : lines) text += line.label + '\t' + line.value + '\n';
    return answer(tenvo::shiftJisToUtf8(std::string_view(text)));
}

// The prefectural capitals a day's times can be asked for, one a line:
// "name<TAB>latitude<TAB>longitude", 東京 the default.
const char* web_places() {
    std::string text;
    for (const tenvo::Place& place : tenvo::kPrefecturalCapitals) {
        text += std::string(place.name) + '\t' + std::to_string(place.latitude) + '\t' +
                std::to_string(place.longitude) + '\n';
    }
    return answer(text);
}

// The place the text web_input was filled with names, as tenvo-term's
// --place reads it (a capital's name or LAT,LON): "latitude<TAB>longitude",
// or "<TAB><TAB>message" for a text that is neither.
const char* web_read_place() {
    const tenvo::PlaceReading reading = tenvo::readPlace(g_input.c_str());
    if (!reading.place) return answer("\t\t" + reading.error);
    // Seventeen digits give back the very double.
    char text[64];
    std::snprintf(text, sizeof text, "%.17g\t%.17g", reading.place->latitude,
                  reading.place->longitude);
    return answer(text);
}

// The era years of a month for its title: "令和8年", or both eras where one
// ends within the month ("昭和64年・平成元年"); before 1873 the era years of
// the lunisolar years the month lies in. Published, the era dates of
// wareki.h, from 445 on, in both courts where they differ (1331-1392).
// Empty where no era is known.
const char* web_month_era(int32_t year, int32_t month, int32_t rule) {
    if (!validMonth(year, month, rule)) return answer({});
    const int32_t last = tenvo::daysInMonth(year, month);
    if (rule == kPublished) {
        return answer(publishedEraYears(binding(rule), {year, month, 1}, {year, month, last}));
    }
    return answer(eraYearsOf(binding(rule), year, {{month, 1}, {month, last}}));
}

// What a year's title names: "era years<TAB>干支<TAB>九星", the era years as
// web_month_era writes them over the whole year, and the 干支 and 九星 of
// the year read on 31 December (past its 立春 from 1870; before, the
// published lunisolar year's 干支, and no 九星). The empty text outside the
// rule's years.
const char* web_year_title(int32_t year, int32_t rule) {
    if (!validMonth(year, 1, rule)) return answer({});
    const tenvo::LibraryBinding library = binding(rule);
    const tenvo::DayLore last = tenvo::composeDayLore(library, year, 12, 31);
    const auto name = [](const char* sjis) {
        return sjis == nullptr ? std::string() : tenvo::shiftJisToUtf8(std::string_view(sjis));
    };
    const std::string era = rule == kPublished
                                ? publishedEraYears(library, {year, 1, 1}, {year, 12, 31})
                                : eraYearsOf(library, year, {{1, 1}, {12, 31}});
    return answer(era + '\t' + name(library.eno2name(last.yearPair)) + '\t' +
                  name(library.kno2name(last.yearStar)));
}

// Reads the day a text names, as `tenvo-term --day` reads it (wareki.h): an
// era date (天正10年6月2日, 元和9年閏8月1日, digits full- or half-width or
// kanji numerals) or YYYY-MM-DD (Gregorian), from the text web_input was
// filled with. "year<TAB>month<TAB>day" of the Gregorian day, or
// "<TAB><TAB><TAB>message" with the reader's message, or where `rule` does
// not reach the day (the terms and the solstice begin in 1870) the page's.
const char* web_read_date(int32_t rule) {
    if (rule < 0 || rule >= kRuleCount) return answer({});
    const tenvo::DateReading reading =
        eraTable().readDate(g_input.c_str(), tenvo::IsoCalendar::Gregorian);
    if (reading.error != tenvo::DateTextError::None) return answer("\t\t\t" + reading.message);
    if (reading.date.year < firstYearOf(rule)) {
        return answer("\t\t\t「" + std::string(g_input.c_str()) + "」は" +
                      std::to_string(reading.date.year) + "年" +
                      std::to_string(reading.date.month) + "月" + std::to_string(reading.date.day) +
                      "日です。この月の数え方で示せるのは1870年からです（暦に載った数え方なら" +
                      std::to_string(kFirstPublishedYear) + "年から）。");
    }
    return answer(std::to_string(reading.date.year) + '\t' + std::to_string(reading.date.month) +
                  '\t' + std::to_string(reading.date.day));
}

// What a month's day cells show beyond the sheet's item, one line per day
// 1..n: "leap<TAB>lunar month<TAB>lunar day<TAB>phase<TAB>phase name" and the
// day's names (namesOf: kind, name and short name, repeated). The lunisolar
// date is numbered as the chosen rule numbers the months, 0 0 0 where there
// is none; phase 0 新月, 1 上弦, 2 満月, 3 下弦, or -1 (none before 1870).
// Holidays as web_month marks them. The empty text outside the rule's months.
const char* web_month_days(int32_t year, int32_t month, int32_t rule, int32_t byLaw) {
    if (!validMonth(year, month, rule)) return answer({});
    const tenvo::LibraryBinding library = binding(rule);
    const tenvo::LoreYear shared = tenvo::loreYear(year);
    const int32_t equinoxDay = equinoxDayOf(library, year, month);
    const int32_t firstWeekday = tenvo::weekdayOf(tenvo::daysFromCivil(year, month, 1));
    std::string text;
    for (int32_t day = 1; day <= tenvo::daysInMonth(year, month); ++day) {
        const tenvo::DayLore lore = tenvo::composeDayLore(library, shared, month, day);
        const LunisolarDate& lunar = lore.lunisolar;
        const bool dated = lunar.year != -999;
        const int32_t phase = phaseOf(lore.items);
        const char* phaseName = phase < 0 ? nullptr : library.rek2name(VRN_SHINGETSU + phase);
        const int32_t column = (firstWeekday + day - 1) % tenvo::kColumns;
        text += std::string(dated && lunar.leap == 'Y' ? "1" : "0") + '\t' +
                std::to_string(dated ? lunar.month : 0) + '\t' +
                std::to_string(dated ? lunar.day : 0) + '\t' + std::to_string(phase) + '\t' +
                (phaseName == nullptr ? "" : phaseName) +
                namesOf(lore, library, fixedTableHoliday(year, month, day, column, equinoxDay),
                        byLaw != 0) +
                '\n';
    }
    return answer(tenvo::shiftJisToUtf8(std::string_view(text)));
}

// A year at a glance, one line per day in date order: "month<TAB>day<TAB>
// cell<TAB>colour<TAB>holiday<TAB>term<TAB>phase<TAB>phase name<TAB>holiday
// name": cell the day's place 0..41 in its month as web_month lists the
// cells, colour and holiday as web_month gives them, the name of the solar
// term that begins on the day (or nothing), the phase as web_month_days
// gives it (terms and phases from 1870, holidays from 1870 too). Nothing in
// it depends on the month rule. The empty text outside 445..2100.
const char* web_year_days(int32_t year, int32_t byLaw) {
    if (!validMonth(year, 1, kPublished)) return answer({});
    const tenvo::LibraryBinding library = binding(kPublished);
    const tenvo::LawHolidayYear lawHolidays =
        byLaw != 0 ? tenvo::lawHolidaysOfYear(year) : tenvo::LawHolidayYear{};
    std::string text;
    for (int32_t month = 1; month <= 12; ++month) {
        // A mode outside the sheet's codes annotates nothing: only the days'
        // colours are composed.
        const tenvo::MonthSheet sheet = composed(year, month, -1, byLaw != 0, library);
        const int32_t equinoxDay = equinoxDayOf(library, year, month);
        std::string byDay[32];
        for (int32_t cell = 0; cell < tenvo::kCells; ++cell) {
            const auto stored = static_cast<std::size_t>(cell);
            const int32_t day = tenvo::dayOfCell(sheet, stored);
            if (day == 0) continue;
            const int32_t column = cell / tenvo::kRows;
            const int32_t place = (cell % tenvo::kRows) * tenvo::kColumns + column;
            const tenvo::LawHolidayName name = tenvo::findLawHoliday(lawHolidays, month, day);
            const bool holiday = byLaw != 0
                                     ? name != tenvo::LawHolidayName::None
                                     : fixedTableHoliday(year, month, day, column, equinoxDay);
            const CalendarDate date{year, month, day, 0.0, 0.0, 0.0, 135.0};
            const char* term = library.sek2name(library.ad2sekki(date));
            const int32_t phase = phaseOf(tenvo::almanacItemsOf(library, date));
            const char* phaseName = phase < 0 ? nullptr : library.rek2name(VRN_SHINGETSU + phase);
            byDay[day] = std::to_string(month) + '\t' + std::to_string(day) + '\t' +
                         std::to_string(place) + '\t' + std::to_string(sheet.colorClass[stored]) +
                         '\t' + (holiday ? "1" : "0") + '\t' + (term == nullptr ? "" : term) +
                         '\t' + std::to_string(phase) + '\t' +
                         (phaseName == nullptr ? "" : phaseName) + '\t' +
                         tenvo::lawHolidayNameShiftJis(name) + '\n';
        }
        for (const std::string& line : byDay) text += line;
    }
    return answer(tenvo::shiftJisToUtf8(std::string_view(text)));
}

// The iCalendar stream of `year` as the terminal view writes it with the
// same options: one event per day's item, with holidays by law one more per
// holiday after its date's item. `stampSeconds` is the moment of writing
// (seconds since 1970, UTC). The empty text outside the rule's years or for
// a mode the stream has no items of.
const char* web_year_calendar(int32_t year, int32_t mode, int32_t rule, int32_t byLaw,
                              double stampSeconds) {
    if (!validMonth(year, 1, rule) || mode < 0 || mode >= kModeCount) return answer({});
    const tenvo::LibraryBinding library = binding(rule);
    std::vector<tenvo::CalendarEvent> events = tenvo::dayItemEvents(
        year, [&](int32_t y, int32_t m) { return composed(y, m, mode, byLaw != 0, library); });
    // Every mode the stream can name has items in every year: no events
    // means a mode it cannot name, and no file rather than an empty one.
    if (events.empty()) return answer({});
    if (byLaw != 0) {
        const std::vector<tenvo::CalendarEvent> holidays = tenvo::lawHolidayEvents(year);
        events.insert(events.end(), holidays.begin(), holidays.end());
        std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) {
            return a.month * 32 + a.day < b.month * 32 + b.day;
        });
    }
    return answer(
        tenvo::writeCalendar(tenvo::calendarName(static_cast<tenvo::CalendarMode>(mode), year),
                             events, stampOf(stampSeconds)));
}

}  // extern "C"
