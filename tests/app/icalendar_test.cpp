// The iCalendar stream read back by a real parser (libical), as a calendar
// application importing it would see it.
#include "icalendar.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <memory>
#include <set>
#include <string>

#include "app_test_support.h"
#include "holidays_by_law.h"
#include "term_run.h"

namespace {

using Calendar = std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)>;

struct Event {
    icaltimetype start;
    std::string summary;
};

// Checks what every importer needs: CR LF lines of at most 75 octets, no
// fold inside a UTF-8 character, a parse without errors, VERSION 2.0 and a
// PRODID, per event a unique UID, a UTC DTSTAMP and an all-day DTSTART with
// DTEND the next day. Returns the events.
std::vector<Event> imported(const std::string& text, Calendar* keep = nullptr) {
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1) {
        EXPECT_TRUE(end > start && text[end - 1] == '\r' && end - 1 - start <= 75)
            << text.substr(start, end - start);
        if (end + 1 < text.size() && text[end + 1] == ' ') {
            EXPECT_NE(static_cast<unsigned char>(text[end + 2]) & 0xc0, 0x80);
        }
    }
    Calendar calendar(icalparser_parse_string(text.c_str()), icalcomponent_free);
    std::vector<Event> events;
    if (!calendar) {
        ADD_FAILURE() << "libical cannot parse the stream";
        return events;
    }
    EXPECT_EQ(icalcomponent_count_errors(calendar.get()), 0);
    const icalproperty* version =
        icalcomponent_get_first_property(calendar.get(), ICAL_VERSION_PROPERTY);
    EXPECT_TRUE(version != nullptr && std::string(icalproperty_get_version(version)) == "2.0");
    EXPECT_NE(icalcomponent_get_first_property(calendar.get(), ICAL_PRODID_PROPERTY), nullptr);
    std::set<std::string> uids;
    for (icalcomponent* e =
             icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
         e != nullptr;
         e = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        EXPECT_TRUE(icalcomponent_get_uid(e) && uids.insert(icalcomponent_get_uid(e)).second);
        EXPECT_TRUE(icaltime_is_utc(icalcomponent_get_dtstamp(e)));
        icaltimetype next = icalcomponent_get_dtstart(e);
        EXPECT_TRUE(icaltime_is_date(next));
        icaltime_adjust(&next, 1, 0, 0, 0);
        EXPECT_EQ(icaltime_compare(next, icalcomponent_get_dtend(e)), 0);
        const char* summary = icalcomponent_get_summary(e);
        events.push_back({icalcomponent_get_dtstart(e), summary ? summary : ""});
    }
    if (keep != nullptr) *keep = std::move(calendar);
    return events;
}

// The item under a day on the sheet, blanks trimmed, in UTF-8.
std::string sheetItem(const icaltimetype& date, int mode) {
    const tenvo::MonthSheet sheet = apptest::composed(date.year, date.month, mode);
    for (int cell = 0; cell < tenvo::kCells; ++cell) {
        const std::string day(sheet.dayText.data() + 2 * cell, 2);
        if (day == "  " || std::stoi(day) != date.day) continue;
        std::string note(sheet.noteText.data() + 5 * cell, 4);
        note.erase(note.find_last_not_of(std::string(" \0", 2)) + 1);
        return apptest::utf8(note);
    }
    return "?";
}

// Every day of a leap year in order with the item the sheet shows (9
// December 2026 opens lunar month 11: 大安); blank days get no event: 24
// solar terms a year, six-day names only from 1870-02-01 to 2100-12-30.
TEST(ICalendar, OneEventPerDayWithTheSheetItem) {
    const std::vector<Event> leap = imported(apptest::run("--ics 2024").out);
    ASSERT_EQ(leap.size(), 366u);
    icaltimetype expected = icaltime_from_string("20240101");
    for (const Event& e : leap) {
        ASSERT_EQ(icaltime_compare(e.start, expected), 0) << icaltime_as_ical_string(e.start);
        EXPECT_EQ(e.summary, sheetItem(e.start, 0));
        icaltime_adjust(&expected, 1, 0, 0, 0);
    }
    EXPECT_EQ(imported(apptest::run("--ics 2026").out).at(342).summary, "大安");

    const std::vector<Event> terms = imported(apptest::run("--ics 1999 --mode sekki").out);
    ASSERT_EQ(terms.size(), 24u);
    for (const Event& e : terms) EXPECT_EQ(e.summary, sheetItem(e.start, 5));
    // The 直 has a name on every day: one event a day, titled 十二直.
    const std::string choku = apptest::run("--ics 2026 --mode choku").out;
    EXPECT_NE(choku.find("\r\nX-WR-CALNAME:十二直 2026\r\n"), std::string::npos);
    EXPECT_NE(choku.find("\r\nUID:20260204-choku@tenvo-term\r\n"), std::string::npos);
    const std::vector<Event> days = imported(choku);
    ASSERT_EQ(days.size(), 365u);
    for (const Event& e : days) EXPECT_EQ(e.summary, sheetItem(e.start, 7));
    const std::vector<Event> first =
        imported(apptest::run("--mode rokuyo --ics=1870 --rule terms").out);
    EXPECT_TRUE(first.size() == 365u - 31u && first.front().start.month == 2);
    const std::vector<Event> last = imported(apptest::run("--ics 2100").out);
    EXPECT_TRUE(last.size() == 364u && last.back().start.day == 30);
}

// With --holidays law each holiday is one more event, named, after the day
// item of its date: in 2021 the Olympic year moved 海の日 to 22 July and
// スポーツの日 to 23 July, and 山の日 on Sunday 8 August was made up on the
// 9th.
TEST(ICalendar, HolidaysByLawAreEventsOfTheirOwn) {
    const std::vector<Event> events = imported(apptest::run("--ics 2021 --holidays law").out);
    const auto on = [&](int month, int day) {
        std::string names;
        for (const Event& e : events) {
            if (e.start.month == month && e.start.day == day) names += e.summary + ";";
        }
        return names;
    };
    EXPECT_EQ(on(7, 22), sheetItem(icaltime_from_string("20210722"), 0) + ";海の日;");
    EXPECT_EQ(on(7, 23), sheetItem(icaltime_from_string("20210723"), 0) + ";スポーツの日;");
    EXPECT_EQ(on(8, 9), sheetItem(icaltime_from_string("20210809"), 0) + ";振替休日;");
    EXPECT_EQ(on(7, 19), sheetItem(icaltime_from_string("20210719"), 0) + ";");
    EXPECT_EQ(events.size(), 365u + static_cast<std::size_t>(tenvo::lawHolidaysOfYear(2021).count));
}

// Long and special texts come back as they went in, over the turn of a year.
TEST(ICalendar, FoldingAndEscapingRoundTrip) {
    std::string name;
    for (int i = 0; i < 60; ++i) name += i % 3 == 0 ? "a" : "大";
    const std::string summary = "x,y;z\\w\nv " + name;
    Calendar calendar(nullptr, icalcomponent_free);
    const std::vector<Event> events =
        imported(tenvo::writeCalendar(name, {{2024, 12, 31, summary, "t"}}, 0), &calendar);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].summary, summary);
    const icalproperty* x = icalcomponent_get_first_property(calendar.get(), ICAL_X_PROPERTY);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(std::string(icalproperty_get_x(x)), name);
}

}  // namespace
