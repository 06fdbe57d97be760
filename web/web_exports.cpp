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
#include <ctime>
#include <string>
#include <vector>

#include "annotations.h"
#include "holidays.h"
#include "holidays_by_law.h"
#include "icalendar.h"
#include "library_binding_linked.h"
#include "month_sheet.h"
#include "sheet_render.h"

namespace {

// The months a sheet can show: the span of the stored new moons' years.
constexpr int32_t kFirstYear = 1870;
constexpr int32_t kLastYear = 2100;
constexpr int32_t kModeCount = 6;

std::string g_text;

const char* answer(std::string text) {
    g_text = std::move(text);
    return g_text.c_str();
}

bool validMonth(int32_t year, int32_t month) {
    return year >= kFirstYear && year <= kLastYear && month >= 1 && month <= 12;
}

tenvo::LibraryBinding binding(bool solstice) {
    const tenvo::LibraryBinding linked = tenvo::linkedLibraryBinding();
    return solstice ? tenvo::withSolsticeReading(linked) : linked;
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

// The item written under a cell, without its padding, in UTF-8.
std::string itemOf(const tenvo::MonthSheet& sheet, std::size_t cell) {
    const char* note = sheet.noteText.data() + cell * tenvo::kNoteTextBytes;
    std::size_t length = tenvo::kNoteTextBytes - 1;
    while (length > 0 && (note[length - 1] == ' ' || note[length - 1] == '\0')) --length;
    return tenvo::shiftJisToUtf8(note, length);
}

}  // namespace

extern "C" {

int32_t web_first_year() { return kFirstYear; }
int32_t web_last_year() { return kLastYear; }
int32_t web_mode_count() { return kModeCount; }

// The sheet of `year`-`month` in `mode` (0..5 as CalendarMode), months
// numbered from the winter solstice when `solstice` is non-zero, holidays by
// law when `byLaw` is non-zero. One line per cell, week row by week row and
// Sunday first: "day<TAB>colour<TAB>holiday<TAB>item<TAB>holiday name", day
// 0 for a cell without a day, colour the sheet's class (0 red, 6 blue),
// holiday 1 on a holiday of the chosen rule, the holiday's name only by law.
// Outside 1870-01 .. 2100-12 or an unknown mode: the empty text.
const char* web_month(int32_t year, int32_t month, int32_t mode, int32_t solstice, int32_t byLaw) {
    if (!validMonth(year, month) || mode < 0 || mode >= kModeCount) return answer({});
    const tenvo::LibraryBinding library = binding(solstice != 0);
    const tenvo::MonthSheet sheet = composed(year, month, mode, byLaw != 0, library);
    const int32_t equinoxDay = tenvo::equinoxDayOfMonth(library, year, month);
    const tenvo::LawHolidayYear lawHolidays =
        byLaw != 0 ? tenvo::lawHolidaysOfYear(year) : tenvo::LawHolidayYear{};

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
                holiday = tenvo::isHoliday(month, day, column, equinoxDay);
            }
            text += std::to_string(day) + '\t' + std::to_string(sheet.colorClass[cell]) + '\t' +
                    (holiday ? "1" : "0") + '\t' + (day != 0 ? itemOf(sheet, cell) : "") + '\t' +
                    tenvo::lawHolidayNameUtf8(name) + '\n';
        }
    }
    return answer(std::move(text));
}

// What the calendar says of one day: one "label<TAB>value" line per item,
// the lunisolar date first, then the item of every mode, then the holiday by
// law if any. The empty text for a date the sheet cannot show.
const char* web_day(int32_t year, int32_t month, int32_t day, int32_t solstice) {
    // Cells without a day read as day 0: only 1..31 can name a cell.
    if (!validMonth(year, month) || day < 1 || day > 31) return answer({});
    const tenvo::LibraryBinding library = binding(solstice != 0);
    static constexpr const char* kLabels[kModeCount] = {"六曜",     "九星", "二十七宿",
                                                        "二十八宿", "干支", "二十四節気"};
    std::string items;
    bool found = false;
    for (int32_t mode = 0; mode < kModeCount; ++mode) {
        const tenvo::MonthSheet sheet = composed(year, month, mode, true, library);
        for (std::size_t cell = 0; cell < static_cast<std::size_t>(tenvo::kCells); ++cell) {
            if (tenvo::dayOfCell(sheet, cell) != day) continue;
            found = true;
            const std::string item = itemOf(sheet, cell);
            if (!item.empty()) items += std::string(kLabels[mode]) + '\t' + item + '\n';
        }
    }
    if (!found) return answer({});

    std::string text;
    const CalendarDate date{year, month, day, 0.0, 0.0, 0.0, 135.0};
    const LunisolarDate lunar = library.adto9rekL(date);
    if (lunar.month >= 1 && lunar.month <= 12) {
        text = std::string("旧暦\t") + (lunar.leap == 'Y' ? "閏" : "") +
               std::to_string(lunar.month) + "月" + std::to_string(lunar.day) + "日\n";
    }
    text += items;
    const tenvo::LawHolidayName holiday = tenvo::lawHolidayOn(year, month, day);
    if (holiday != tenvo::LawHolidayName::None) {
        text += std::string("祝日\t") + tenvo::lawHolidayNameUtf8(holiday) + '\n';
    }
    return answer(std::move(text));
}

// The iCalendar stream of `year` as the terminal view writes it with the
// same options: one event per day's item, with holidays by law one more per
// holiday after its date's item. `stampSeconds` is the moment of writing
// (seconds since 1970, UTC). The empty text outside 1870..2100 or an unknown
// mode.
const char* web_year_calendar(int32_t year, int32_t mode, int32_t solstice, int32_t byLaw,
                              double stampSeconds) {
    if (!validMonth(year, 1) || mode < 0 || mode >= kModeCount) return answer({});
    const tenvo::LibraryBinding library = binding(solstice != 0);
    std::vector<tenvo::CalendarEvent> events = tenvo::dayItemEvents(
        year, [&](int32_t y, int32_t m) { return composed(y, m, mode, byLaw != 0, library); });
    if (byLaw != 0) {
        const std::vector<tenvo::CalendarEvent> holidays = tenvo::lawHolidayEvents(year);
        events.insert(events.end(), holidays.begin(), holidays.end());
        std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) {
            return a.month * 32 + a.day < b.month * 32 + b.day;
        });
    }
    return answer(
        tenvo::writeCalendar(tenvo::calendarName(static_cast<tenvo::CalendarMode>(mode), year),
                             events, static_cast<std::time_t>(stampSeconds)));
}

}  // extern "C"
