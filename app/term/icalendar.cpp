#include "icalendar.h"

#include <array>
#include <cstdio>

#include "civil_days.h"
#include "holidays_by_law.h"
#include "sheet_render.h"

namespace tenvo {

namespace {

constexpr std::size_t kMaxLineOctets = 75;

struct ModeNames {
    const char* option;  // the option's name, also the events' kind
    const char* title;   // the calendar's name
};
constexpr std::array<ModeNames, 9> kModeNames{{
    {"rokuyo", "六曜"},
    {"kyusei", "九星"},
    {"27", "二十七宿"},
    {"28", "二十八宿"},
    {"kanshi", "干支"},
    {"sekki", "二十四節気"},
    {"almanac", "暦注"},
    {"choku", "十二直"},
    {"kyureki", "旧暦"},
}};

const ModeNames* namesOf(CalendarMode mode) {
    const auto code = static_cast<int32_t>(mode);
    if (code < 0 || code >= static_cast<int32_t>(kModeNames.size())) return nullptr;
    return &kModeNames[static_cast<std::size_t>(code)];
}

std::string dateValue(int32_t year, int32_t month, int32_t day) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d%02d%02d", static_cast<int>(year),
                  static_cast<int>(month), static_cast<int>(day));
    return text;
}

// The day after the event's last, as the exclusive end of an all-day event.
std::string endDateValue(const CalendarEvent& event) {
    int32_t year = event.year, month = event.month;
    int32_t day = event.day + (event.days < 1 ? 1 : event.days);
    while (daysInMonth(year, month) > 0 && day > daysInMonth(year, month)) {
        day -= daysInMonth(year, month);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return dateValue(year, month, day);
}

std::string stampValue(std::time_t stamp) {
    std::tm utc{};
    gmtime_r(&stamp, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

// The 4 shown bytes of a day's annotation without the padding.
std::string noteOf(const MonthSheet& sheet, std::size_t cell) {
    const char* note = sheet.noteText.data() + cell * kNoteTextBytes;
    std::size_t length = 4;
    while (length > 0 && (note[length - 1] == ' ' || note[length - 1] == '\0')) --length;
    return shiftJisToUtf8(note, length);
}

// The days of a sheet's month in order, each with its item.
void appendDayItems(const MonthSheet& sheet, std::vector<DayItem>& items) {
    // Cells run column by column: find each day's cell first, so that the
    // days come in date order.
    std::array<int32_t, 32> cellOfDay{};
    cellOfDay.fill(-1);
    for (int32_t cell = 0; cell < kCells; ++cell) {
        const int32_t day = dayOfCell(sheet, static_cast<std::size_t>(cell));
        if (day >= 1 && day <= 31) cellOfDay[static_cast<std::size_t>(day)] = cell;
    }
    for (int32_t day = 1; day <= 31; ++day) {
        const int32_t cell = cellOfDay[static_cast<std::size_t>(day)];
        if (cell >= 0) {
            items.push_back({sheet.month, day, noteOf(sheet, static_cast<std::size_t>(cell))});
        }
    }
}

}  // namespace

std::string foldContentLine(std::string_view line) {
    std::string out;
    std::size_t room = kMaxLineOctets;
    while (line.size() > room) {
        // Back up to the start of a character: UTF-8 continuation bytes are
        // 10xxxxxx.
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xc0) == 0x80) --cut;
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        room = kMaxLineOctets - 1;  // the leading space counts
    }
    out.append(line);
    out += "\r\n";
    return out;
}

std::string escapeText(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c != '\r') {
            out += c;
        }
    }
    return out;
}

std::vector<DayItem> dayItems(int32_t year, const MonthComposer& compose) {
    std::vector<DayItem> items;
    for (int32_t month = 1; month <= 12; ++month) appendDayItems(compose(year, month), items);
    return items;
}

std::vector<CalendarEvent> dayItemEvents(int32_t year, const MonthComposer& compose) {
    std::vector<CalendarEvent> events;
    for (int32_t month = 1; month <= 12; ++month) {
        const MonthSheet sheet = compose(year, month);
        const ModeNames* names = namesOf(static_cast<CalendarMode>(sheet.mode));
        if (names == nullptr) continue;
        std::vector<DayItem> items;
        appendDayItems(sheet, items);
        for (DayItem& d : items) {
            if (!d.item.empty()) {
                events.push_back({year, month, d.day, std::move(d.item), names->option});
            }
        }
    }
    return events;
}

std::string writeCalendar(std::string_view name, const std::vector<CalendarEvent>& events,
                          std::time_t stamp) {
    const std::string stampText = stampValue(stamp);
    std::string out;
    out += foldContentLine("BEGIN:VCALENDAR");
    out += foldContentLine("VERSION:2.0");
    out += foldContentLine("PRODID:-//tenvo//tenvo-term//JA");
    out += foldContentLine("CALSCALE:GREGORIAN");
    out += foldContentLine("METHOD:PUBLISH");
    out += foldContentLine("X-WR-CALNAME:" + escapeText(name));
    for (const CalendarEvent& event : events) {
        const std::string date = dateValue(event.year, event.month, event.day);
        out += foldContentLine("BEGIN:VEVENT");
        out += foldContentLine("UID:" + date + "-" + event.kind + "@tenvo-term");
        out += foldContentLine("DTSTAMP:" + stampText);
        out += foldContentLine("DTSTART;VALUE=DATE:" + date);
        out += foldContentLine("DTEND;VALUE=DATE:" + endDateValue(event));
        out += foldContentLine("SUMMARY:" + escapeText(event.summary));
        out += foldContentLine("TRANSP:TRANSPARENT");
        out += foldContentLine("END:VEVENT");
    }
    out += foldContentLine("END:VCALENDAR");
    return out;
}

std::vector<CalendarEvent> lawHolidayEvents(int32_t year) {
    const LawHolidayYear holidays = lawHolidaysOfYear(year);
    std::vector<CalendarEvent> events;
    for (int32_t i = 0; i < holidays.count; ++i) {
        const LawHoliday& h = holidays.days[static_cast<std::size_t>(i)];
        events.push_back({year, h.month, h.day, lawHolidayNameUtf8(h.name), "holiday"});
    }
    return events;
}

std::string calendarName(CalendarMode mode, int32_t year) {
    const ModeNames* names = namesOf(mode);
    return std::string(names == nullptr ? "tenvo" : names->title) + " " + std::to_string(year);
}

}  // namespace tenvo
