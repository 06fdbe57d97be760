// The almanac in the terminal view: the year's list against the export,
// the feed read back by libical, the almanac mode's names, the day's lore
// and the bad inputs, all through the command run in-process.
#include <gtest/gtest.h>
#include <libical/ical.h>

#include <array>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "annotations.h"
#include "app_test_support.h"
#include "civil_days.h"
#include "day_lore.h"
#include "term_command.h"
#include "term_run.h"

namespace {

using apptest::Answer;

Answer command(std::vector<const char*> arguments) {
    return apptest::command(std::move(arguments), apptest::onTestDay());
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// The pentads' first days and the lunisolar observances, which the list
// and the feed carry beside the almanac's items (sun_moon_term_test checks
// them); the checks here are of the items alone.
bool isSeasonal(const std::string& name) {
    static const std::set<std::string> names = [] {
        std::set<std::string> all;
        for (int pentad = 0; pentad < 72; ++pentad) all.insert(apptest::utf8(::kou2name(pentad)));
        for (int n = 0; n < tenvo::kObservanceCount; ++n) {
            all.insert(apptest::utf8(tenvo::observanceNameShiftJis(n)));
        }
        return all;
    }();
    // 半夏生 is also a seasonal day, listed once as the item.
    return names.count(name) != 0 && name != "半夏生";
}

// The lines of a list without the seasonal ones.
std::vector<std::string> itemLinesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (const std::string& line : linesOf(text)) {
        if (!isSeasonal(line.substr(line.find('\t') + 1))) lines.push_back(line);
    }
    return lines;
}

// The 29 names in item order, as the list must spell them.
const std::string kNames[29] = {"節分",       "彼岸入り",   "彼岸明け", "社日",         "八十八夜",
                                "入梅",       "半夏生",     "土用入り", "土用の丑の日", "二百十日",
                                "二百二十日", "一粒万倍日", "天赦日",   "大明日",       "母倉日",
                                "寅の日",     "巳の日",     "己巳の日", "甲子の日",     "天一天上",
                                "八専",       "十方暮",     "三隣亡",   "不成就日",     "受死日",
                                "新月",       "上弦",       "満月",     "下弦"};

// The 17 lower-row days in item order.
const std::string kLowerRowNames[17] = {"天恩日", "神吉日", "鬼宿日", "月徳日", "十死日", "五墓日",
                                        "帰忌日", "血忌日", "天火日", "地火日", "凶会日", "往亡日",
                                        "重日",   "復日",   "大禍日", "狼藉日", "滅門日"};

// "YYYY-MM-DD<TAB>name" for every item of every day of `year` by the export,
// with `lowerRow` each day's lower-row days after its items.
std::vector<std::string> expectedList(int year, bool solstice = false, bool lowerRow = false) {
    std::vector<std::string> lines;
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= tenvo::daysInMonth(year, m); ++d) {
            const CalendarDate date{year, m, d, 0.0, 0.0, 0.0, 135.0};
            const int32_t items = solstice ? ::ad2rekicyuS(date) : ::ad2rekicyu(date);
            char day[48];
            std::snprintf(day, sizeof day, "%04d-%02d-%02d", year, m, d);
            for (int item = 0; item < 29; ++item) {
                if ((items >> item) & 1) lines.push_back(std::string(day) + "\t" + kNames[item]);
            }
            const int32_t lower = !lowerRow ? 0 : solstice ? ::ad2gedanS(date) : ::ad2gedan(date);
            for (int item = 0; item < 17; ++item) {
                if ((lower >> item) & 1) {
                    lines.push_back(std::string(day) + "\t" + kLowerRowNames[item]);
                }
            }
        }
    }
    return lines;
}

TEST(AlmanacTerm, ListHoldsEveryItemOfTheYearInOrder) {
    for (const char* year : {"1870", "1985", "2026", "2100"}) {
        SCOPED_TRACE(year);
        const Answer a = command({"--almanac", "--list", year, "--rule", "terms"});
        EXPECT_EQ(a.status, 0);
        EXPECT_EQ(a.err, "");
        EXPECT_EQ(itemLinesOf(a.out), expectedList(std::stoi(year), false, true));
        // The export's names are the list's.
        for (int item = 0; item < 29; ++item)
            EXPECT_EQ(apptest::utf8(::rek2name(item)), kNames[item]);
    }
    // From 冬至: 不成就日 moves in the months numbered otherwise (1985-01-21 ..).
    const Answer solstice = command({"--almanac", "--list", "1985", "--rule", "solstice"});
    EXPECT_EQ(itemLinesOf(solstice.out), expectedList(1985, true, true));
    EXPECT_NE(solstice.out, command({"--almanac", "--list", "1985", "--rule", "terms"}).out);

    // --only keeps exactly the lines of the names given, in the same order.
    std::string kept;
    for (const std::string& line : expectedList(2026)) {
        if (line.ends_with("\t天赦日") || line.ends_with("\t一粒万倍日")) kept += line + "\n";
    }
    EXPECT_EQ(command({"--almanac", "--list", "2026", "--only", "一粒万倍日,天赦日"}).out, kept);
    // The program writes the same.
    EXPECT_EQ(apptest::run("--almanac --list=2026").out,
              command({"--almanac", "--list", "2026"}).out);
}

struct FeedEvent {
    int32_t first, end;  // days from 1970 (civil), end exclusive
    std::string summary;
};

std::vector<FeedEvent> feed(const std::string& text) {
    std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)> calendar(
        icalparser_parse_string(text.c_str()), icalcomponent_free);
    std::vector<FeedEvent> events;
    if (!calendar) {
        ADD_FAILURE() << "libical cannot parse the feed";
        return events;
    }
    EXPECT_EQ(icalcomponent_count_errors(calendar.get()), 0);
    std::set<std::string> uids;
    for (icalcomponent* e =
             icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
         e != nullptr;
         e = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        EXPECT_TRUE(uids.insert(icalcomponent_get_uid(e)).second);
        const icaltimetype start = icalcomponent_get_dtstart(e), end = icalcomponent_get_dtend(e);
        EXPECT_TRUE(icaltime_is_date(start) && icaltime_is_date(end));
        events.push_back({tenvo::daysFromCivil(start.year, start.month, start.day),
                          tenvo::daysFromCivil(end.year, end.month, end.day),
                          icalcomponent_get_summary(e)});
    }
    return events;
}

// A day event for every list line of a one-day item; a period's event runs
// from a marked day to a marked day, every marked day of the year lies in
// one, and inside it no more than single days are unmarked (八専's 間日).
TEST(AlmanacTerm, FeedHoldsTheItemsAndEachPeriodAsOneEvent) {
    const Answer a = command({"--ics", "2026", "--almanac"});
    ASSERT_EQ(a.status, 0);
    std::vector<FeedEvent> events = feed(a.out);
    std::erase_if(events, [](const FeedEvent& e) { return isSeasonal(e.summary); });
    std::map<std::string, int> itemOf;
    for (int item = 0; item < 29; ++item) itemOf[kNames[item]] = item;
    const auto marked = [](int32_t days, int item) {
        int y = 1970 + days / 366, m = 1;
        while (tenvo::daysFromCivil(y + 1, 1, 1) <= days) ++y;
        while (m < 12 && tenvo::daysFromCivil(y, m + 1, 1) <= days) ++m;
        const int d = days - tenvo::daysFromCivil(y, m, 1) + 1;
        return ((::ad2rekicyu(CalendarDate{y, m, d, 0.0, 0.0, 0.0, 135.0}) >> item) & 1) != 0;
    };
    std::multiset<std::string> days;  // "day item" of one-day events
    std::map<int, std::set<int32_t>> covered;
    int periods = 0;
    for (const FeedEvent& e : events) {
        ASSERT_TRUE(itemOf.count(e.summary)) << e.summary;
        const int item = itemOf[e.summary];
        if (item == VRN_TENICHITENJO || item == VRN_HASSEN || item == VRN_JIPPOGURE) {
            ++periods;
            EXPECT_TRUE(marked(e.first, item) && marked(e.end - 1, item)) << e.summary;
            EXPECT_FALSE(marked(e.first - 1, item) || marked(e.first - 2, item));
            EXPECT_LE(e.end - e.first, item == VRN_TENICHITENJO ? 16 : 12);
            for (int32_t d = e.first; d < e.end; ++d) {
                EXPECT_TRUE(marked(d, item) || (marked(d - 1, item) && marked(d + 1, item)));
                covered[item].insert(d);
            }
        } else {
            EXPECT_EQ(e.end, e.first + 1);
            days.insert(std::to_string(e.first) + " " + e.summary);
        }
    }
    std::multiset<std::string> expected;
    const int32_t jan1 = tenvo::daysFromCivil(2026, 1, 1), next = tenvo::daysFromCivil(2027, 1, 1);
    for (int32_t d = jan1; d < next; ++d) {
        for (int item = 0; item < 29; ++item) {
            if (!marked(d, item)) continue;
            if (item == VRN_TENICHITENJO || item == VRN_HASSEN || item == VRN_JIPPOGURE) {
                EXPECT_TRUE(covered[item].count(d) || d < jan1 + 16) << kNames[item] << " " << d;
            } else {
                expected.insert(std::to_string(d) + " " + kNames[item]);
            }
        }
    }
    EXPECT_EQ(days, expected);
    EXPECT_GE(periods, 3 * 6);  // each period comes every 60 days

    // --only: just those events.
    for (const FeedEvent& e :
         feed(command({"--ics", "2026", "--almanac", "--only", "八専,天赦日"}).out)) {
        EXPECT_TRUE(e.summary == "八専" || e.summary == "天赦日") << e.summary;
    }
}

// The list has each day's lower-row days after its items, named as the
// export names them, each on as many lines as the year's lores hold it.
TEST(AlmanacTerm, LowerRowDaysFollowEachDaysItems) {
    for (int item = 0; item < 17; ++item) {
        EXPECT_EQ(apptest::utf8(::ged2name(item)), kLowerRowNames[item]);
    }
    const std::string list = command({"--almanac", "--list", "2026"}).out;
    EXPECT_EQ(command({"--almanac", "--list", "2026", "--lower-row"}).out, list);
    int days[17] = {};
    const tenvo::LoreYear year = tenvo::loreYear(2026);
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= tenvo::daysInMonth(2026, m); ++d) {
            const tenvo::DayLore lore = tenvo::composeDayLore(apptest::library(), year, m, d);
            for (int item = 0; item < 17; ++item) days[item] += tenvo::hasLowerRowItem(lore, item);
        }
    }
    std::map<std::string, int> lines;
    for (const std::string& line : linesOf(list)) ++lines[line.substr(line.find('\t') + 1)];
    for (int item = 0; item < 17; ++item) {
        EXPECT_GT(days[item], 0) << kLowerRowNames[item];
        EXPECT_EQ(lines[kLowerRowNames[item]], days[item]) << kLowerRowNames[item];
    }

    // --only picks from both tables, alone or mixed; the feed takes the same
    // names, a lower-row day one event on its day.
    std::string kept;
    for (const std::string& line : expectedList(2026, false, true)) {
        if (line.ends_with("\t天赦日") || line.ends_with("\t十死日")) kept += line + "\n";
    }
    EXPECT_EQ(command({"--almanac", "--list", "2026", "--only", "十死日,天赦日"}).out, kept);
    std::multiset<std::string> listed, fed;
    for (const std::string& line : linesOf(kept)) {
        listed.insert(std::to_string(tenvo::daysFromCivil(std::stoi(line.substr(0, 4)),
                                                          std::stoi(line.substr(5, 2)),
                                                          std::stoi(line.substr(8, 2)))) +
                      line.substr(10));
    }
    for (const FeedEvent& e :
         feed(command({"--ics", "2026", "--almanac", "--only", "天赦日,十死日"}).out)) {
        EXPECT_EQ(e.end, e.first + 1);
        fed.insert(std::to_string(e.first) + "\t" + e.summary);
    }
    EXPECT_EQ(fed, listed);
    EXPECT_EQ(feed(command({"--ics", "2026", "--almanac", "--lower-row"}).out).size(),
              feed(command({"--ics", "2026", "--almanac"}).out).size() +
                  (itemLinesOf(list).size() - expectedList(2026).size()));
}

// Under the sheet of --mode almanac every day with items is named with all
// of them; the cells carry the short names of day_lore_test.
TEST(AlmanacTerm, AlmanacModeNamesTheMonthsItems) {
    const Answer a = command({"--mode", "almanac", "2026", "2"});
    ASSERT_EQ(a.status, 0);
    std::vector<std::string> names;
    for (const std::string& line : linesOf(a.out)) {
        if (line.starts_with("2月")) names.push_back(line);
    }
    std::vector<std::string> expected;
    for (int d = 1; d <= 28; ++d) {
        const int32_t items = ::ad2rekicyu(CalendarDate{2026, 2, d, 0.0, 0.0, 0.0, 135.0});
        if (items == 0) continue;
        std::string line = "2月" + std::to_string(d) + "日";
        for (int item = 0; item < 29; ++item) {
            if ((items >> item) & 1) line += " " + kNames[item];
        }
        expected.push_back(line);
    }
    EXPECT_EQ(names, expected);
    EXPECT_NE(a.out.find("節分"), std::string::npos);
    // The sheet text of mode 6 keeps its 14 lines and 28 bytes; the names follow.
    const Answer sheet = command({"--sheet", "--mode", "almanac", "2026", "2"});
    EXPECT_EQ(linesOf(sheet.out).size(), 14u + expected.size());
}

TEST(AlmanacTerm, DayShowsTheLoreOfTheDayOrToday) {
    const auto loreText = [](int y, int m, int d) {
        std::string text;
        for (const auto& line :
             tenvo::dayLoreLines(tenvo::composeDayLore(apptest::library(), y, m, d),
                                 apptest::library(), tenvo::TextEncoding::Utf8)) {
            text += line.value + "\n";
        }
        return text;
    };
    // --day adds the seasonal lines and the times of the Sun and the Moon
    // (sun_moon_term_test); the lore's own lines come as before.
    const std::set<std::string> added{"七十二候", "年の納音", "日の納音", "恵方",
                                      "行事",     "日の出",   "南中",     "日の入",
                                      "月の出",   "月の南中", "月の入"};
    const auto valuesOf = [&](const std::string& out) {
        std::string text;
        for (const std::string& line : linesOf(out)) {
            if (added.count(line.substr(0, line.find(' '))) != 0) continue;
            text += line.substr(line.find_first_not_of(' ', line.find(' '))) + "\n";
        }
        return text;
    };
    EXPECT_EQ(valuesOf(command({"--day", "2026-02-03", "--rule", "terms"}).out),
              loreText(2026, 2, 3));
    EXPECT_EQ(valuesOf(command({"--day", "--rule", "terms"}).out), loreText(2026, 12, 9));
    EXPECT_EQ(valuesOf(command({"--day=1870-01-01", "--rule", "terms"}).out), loreText(1870, 1, 1));
    const std::string day = command({"--day", "2026-02-03"}).out;
    EXPECT_NE(day.find("\n雑節        節分\n"), std::string::npos) << day;
    EXPECT_EQ(day.find("祝日"), std::string::npos);
    // From 冬至 the lunisolar date of 1985-01-21 is month 12.
    EXPECT_NE(command({"--day", "1985-01-21", "--rule", "solstice"})
                  .out.find("旧暦        1984年12月1日"),
              std::string::npos);
}

TEST(AlmanacTerm, BadInputNamesTheAcceptedFormAndPrintsNothing) {
    const std::vector<std::pair<std::vector<const char*>, const char*>> cases = {
        {{"--day", "2026-2-3"}, "YYYY-MM-DD"},
        {{"--day", "2026-02-30"}, "YYYY-MM-DD"},
        {{"--day=1869-12-31", "--rule", "terms"}, "YYYY-MM-DD"},
        {{"--day", "2101-01-01"}, "YYYY-MM-DD"},
        {{"--day", "20260203"}, "YYYY-MM-DD"},
        {{"--day", "2026-02-03", "-3"}, "--day"},
        {{"--almanac", "--list", "2101"}, "1870 to 2100"},
        {{"--almanac", "--list", "1869"}, "1870 to 2100"},
        {{"--ics", "1869", "--almanac"}, "1870 to 2100"},
        {{"--ics", "2026", "--almanac", "--only", "天赦日,大安"}, "一粒万倍日"},
        {{"--ics", "2026", "--almanac", "--only", ""}, "separated by commas"},
        {{"--ics", "2026", "--almanac", "--only", "天赦日,"}, "separated by commas"},
        {{"--ics", "2026", "--only", "天赦日"}, "--almanac"},
        {{"--almanac"}, "--list YEAR or --ics YEAR"},
        {{"--almanac", "--list", "2026", "--holidays", "law"}, "not both"},
        {{"--mode", "almanach"}, "unknown mode"},
        {{"--almanac", "--list", "2026", "--only", "天恩日,大安"}, "滅門日"},
        {{"--lower-row", "--list", "2026", "--mode", "choku"}, "--almanac"},
        {{"--list", "2026", "--mode", "chokku"}, "unknown mode"},
        {{"--list", "2101", "--mode", "choku"}, "1870 to 2100"},
        {{"--mode", "choku", "--list", "1869"}, "1870 to 2100"},
        {{"--mode", "choku", "--list", "２０２６"}, "1870 to 2100"},
        {{"--list", "--mode", "choku", "--rule", "terms"}, "1870 to 2100"},
        {{"--mode", "choku", "--list"}, "needs a value"},
        {{"--list", "2026"}, "--mode MODE"},
        {{"--list", "2026", "--holidays", "fixed"}, "--mode MODE"},
        {{"--list", "2026", "--mode", "choku", "2026", "2"}, "YEAR MONTH"},
        {{"--list", "2026", "--mode", "choku", "-y"}, "-y"},
        {{"--list", "2026", "--mode", "choku", "--ics", "2026"}, "--ics"}};
    for (const auto& [arguments, form] : cases) {
        const Answer a = command(arguments);
        SCOPED_TRACE(a.err);
        EXPECT_EQ(a.status, 2);
        EXPECT_EQ(a.out, "");
        EXPECT_EQ(a.err.find('\n'), a.err.size() - 1);
        EXPECT_NE(a.err.find(form), std::string::npos);
    }
    const apptest::Outcome program = apptest::run("--day 2026-13-01");
    EXPECT_EQ(program.status, 2);
    EXPECT_EQ(program.out, "");
}

}  // namespace
