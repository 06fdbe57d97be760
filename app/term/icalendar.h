// The calendar of a year as an iCalendar stream (RFC 5545) that calendar
// applications import: one all-day event per day carrying that day's item.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "month_sheet.h"

namespace tenvo {

// One all-day event. `summary` is UTF-8; `kind` tells events of the same day
// apart in their UID ("rokuyo", "holiday", ...).
struct CalendarEvent {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    std::string summary;
    std::string kind;
    int32_t days = 1;  // days the event covers from its date (a period of the almanac)
};

// A content line ended by CR LF and folded so that no physical line exceeds
// 75 octets before its CR LF; a fold never splits a UTF-8 character and
// each continuation starts with one space.
std::string foldContentLine(std::string_view line);

// A TEXT value with backslash, semicolon, comma and line ends escaped.
std::string escapeText(std::string_view text);

// The sheet of a month as the caller composes it (mode and any other
// choice of the caller already applied).
using MonthComposer = std::function<MonthSheet(int32_t year, int32_t month)>;

// One day of a year and the item its sheet shows under it: the annotation
// without its padding, in UTF-8; empty where the sheet shows nothing.
struct DayItem {
    int32_t month = 0;
    int32_t day = 0;
    std::string item;
};

// Every day of `year` in date order with its item on the sheets `compose`
// gives; blank items included, so that a day is never missing.
std::vector<DayItem> dayItems(int32_t year, const MonthComposer& compose);

// The item of every day of `year` on the sheets `compose` gives, in date
// order. Days whose item is blank (a day without a solar term, a six-day
// name outside the library's span) get no event. The events' kind is the
// option name of the sheets' mode; an unknown mode gives no events.
std::vector<CalendarEvent> dayItemEvents(int32_t year, const MonthComposer& compose);

// One event per holiday the law gave in `year`, named in UTF-8, kind
// "holiday", in date order; none outside the law's years (holidays_by_law.h).
std::vector<CalendarEvent> lawHolidayEvents(int32_t year);

// The name of a calendar of one mode and year ("六曜 2026"); "tenvo" and the
// year for an unknown mode.
std::string calendarName(CalendarMode mode, int32_t year);

// The whole stream: VCALENDAR with VERSION, PRODID and `name`, then one
// VEVENT per event with a UID unique to its date and kind, DTSTAMP `stamp`
// (UTC), DTSTART and DTEND (the day after its last day) as dates, SUMMARY, and TRANSP
// TRANSPARENT so that the days do not show as busy.
std::string writeCalendar(std::string_view name, const std::vector<CalendarEvent>& events,
                          std::time_t stamp);

}  // namespace tenvo
