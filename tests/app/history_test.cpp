// The published calendar through the model: every day from 445 to 2100
// against the library and read back from its era date, the days where the
// readings differ, dates as history records them, and bad dates refused.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "almanac_cycles.h"
#include "annotations.h"
#include "app_test_support.h"
#include "civil_days.h"
#include "day_lore.h"
#include "term_command.h"
#include "term_run.h"
#include "wareki.h"

namespace {

const tenvo::LibraryBinding& published() {
    static const tenvo::LibraryBinding binding = tenvo::withPublishedReading(apptest::library());
    return binding;
}

const tenvo::EraTable& eras() {
    static const tenvo::EraTable table(apptest::library());
    return table;
}

CalendarDate at(const tenvo::CivilDate& d) {
    return {d.year, d.month, d.day, 0.0, 0.0, 0.0, 135.0};
}

tenvo::CivilDate civil(int32_t year, int32_t month, int32_t day) { return {year, month, day}; }

bool sameDate(const LunisolarDate& a, const LunisolarDate& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.leap == b.leap;
}

std::string iso(const tenvo::CivilDate& d) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

// Calls `visit` with every day from `first` to `last`, Gregorian.
template <typename Visit>
void everyDay(tenvo::CivilDate first, tenvo::CivilDate last, Visit visit) {
    for (tenvo::CivilDate d = first; tenvo::dateKey(d) <= tenvo::dateKey(last);) {
        visit(d);
        if (++d.day > tenvo::daysInMonth(d.year, d.month)) {
            d.day = 1;
            if (++d.month > 12) {
                d.month = 1;
                ++d.year;
            }
        }
    }
}

tenvo::CivilDate readOrFail(const std::string& text) {
    const tenvo::DateReading r = eras().readDate(text, tenvo::IsoCalendar::Gregorian);
    EXPECT_EQ(r.error, tenvo::DateTextError::None) << text << ": " << r.message;
    return r.date;
}

// Every day of the span: the lore's lunisolar date, era dates, pairs and
// mansions are the library's (or, where it has no answer, the almanac's
// own counts, held against the library wherever both answer), and each
// court's era date reads back as the day.
TEST(HistoryWalk, EveryDayAgreesWithTheLibraryAndReadsBackFromItsEraDate) {
    int64_t days = 0;
    everyDay(tenvo::kHistoryFirstDay, tenvo::kHistoryLastDay, [&](const tenvo::CivilDate& d) {
        if (::testing::Test::HasFatalFailure()) return;  // the first failure is enough
        ++days;
        const CalendarDate date = at(d);
        const tenvo::DayLore lore = tenvo::composeDayLore(published(), d.year, d.month, d.day);
        ASSERT_TRUE(lore.valid && lore.published) << iso(d);
        const LunisolarDate lunar = ::adto9rekH(date);
        ASSERT_TRUE(sameDate(lore.lunisolar, lunar)) << iso(d);
        for (const auto& [court, wareki] :
             {std::pair{VRN_SOUTH, lore.wareki.south}, std::pair{VRN_NORTH, lore.wareki.north}}) {
            const int32_t era = ::ad2gengo(date, court);
            ASSERT_EQ(std::strcmp(::gen2name(wareki.era), ::gen2name(era)), 0) << iso(d);
            ASSERT_EQ(wareki.year, ::ad2gennen(date, court)) << iso(d);
        }
        if (lore.wareki.twoCourts()) {
            ASSERT_EQ(readOrFail(eras().warekiTextUtf8(lore.wareki.south) + "（南朝）"), d);
            ASSERT_EQ(readOrFail(eras().warekiTextUtf8(lore.wareki.north) + "（北朝）"), d);
        } else {
            ASSERT_EQ(readOrFail(eras().dayWarekiUtf8(lore.wareki)), d);
        }

        // The day counts run on unbroken: the library's older date exports,
        // which read the fields of a date before 1582-09-25 as Julian, agree
        // given the Julian date there.
        const bool julian = tenvo::dateKey(d) < tenvo::dateKey(tenvo::kGregorianFirstDay);
        ASSERT_EQ(lore.julian.year != 0, julian);
        if (julian) {
            const CalendarDate back = ::jul2ad(at(lore.julian));
            ASSERT_EQ(civil(back.year, back.month, back.day), d);
        }
        const bool readAsJulian = tenvo::dateKey(d) < tenvo::dateKey({1582, 10, 5});
        const CalendarDate asRead = readAsJulian ? at(lore.julian) : date;
        const int32_t count = tenvo::daysFromCivil(d.year, d.month, d.day);
        ASSERT_EQ(tenvo::dayPairOfDays(count), ::ad2heto(asRead)) << iso(d);
        ASSERT_EQ(tenvo::mansion28OfDays(count), ::adto28(asRead)) << iso(d);
        ASSERT_EQ(lore.weekday, ::ad2youbi(asRead)) << iso(d);
        ASSERT_EQ(lore.dayPair, tenvo::dayPairOfDays(count));
        ASSERT_EQ(lore.mansion28, tenvo::mansion28OfDays(count));
        if (lunar.year == -999) return;  // 2100-12-31
        ASSERT_EQ(lore.sixDay, (lunar.month + lunar.day - 1) % 6);
        ASSERT_EQ(lore.mansion27, ::adto27H(date)) << iso(d);
        const int32_t length = ::kyu2days(lunar.year, lunar.month, lunar.leap);
        if (lunar.day <= length) {
            ASSERT_EQ(lore.monthDays, length) << iso(d);
        }
        if (d.year < tenvo::kAstronomicalFirstYear) {
            ASSERT_EQ(lore.yearPair, tenvo::yearPairOfLunisolarYear(lunar.year));
            ASSERT_EQ(lore.items, 0);
            ASSERT_EQ(lore.dayStar, -1);
            return;
        }
        // The items counted on the lunar month follow the published one.
        ASSERT_EQ(tenvo::hasItem(lore, VRN_FUJOJU), ::fujyojyuH(date) == 'Y') << iso(d);
        ASSERT_EQ(lore.lowerRow, ::ad2gedanH(date)) << iso(d);
    });
    EXPECT_EQ(days, 604817);  // 0445-01-25 .. 2100-12-31
}

// The days where the published reading gives another lunisolar date than
// the terms reading and than the winter-solstice reading, as the docs list
// them: whole months, each from its first to its last day.
TEST(HistoryWalk, TheReadingsDifferOnTheListedDaysOnly) {
    struct Span {
        tenvo::CivilDate first, last;
    };
    const std::vector<Span> fromTerms{
        {{1870, 1, 1}, {1870, 1, 31}},  {{1871, 1, 21}, {1871, 2, 18}},
        {{1884, 4, 25}, {1884, 5, 24}}, {{1985, 1, 21}, {1985, 3, 20}},
        {{2017, 2, 26}, {2017, 3, 27}}, {{2033, 8, 25}, {2034, 1, 19}},
        {{2034, 2, 19}, {2034, 3, 19}}, {{2053, 1, 20}, {2053, 3, 19}}};
    const std::vector<Span> fromSolstice{{{1870, 1, 1}, {1870, 1, 31}},
                                         {{1884, 4, 25}, {1884, 5, 24}},
                                         {{2017, 2, 26}, {2017, 3, 27}}};
    const auto listed = [](const std::vector<Span>& spans, const tenvo::CivilDate& d) {
        for (const Span& s : spans) {
            if (tenvo::dateKey(d) >= tenvo::dateKey(s.first) &&
                tenvo::dateKey(d) <= tenvo::dateKey(s.last)) {
                return true;
            }
        }
        return false;
    };
    everyDay({1870, 1, 1}, tenvo::kHistoryLastDay, [&](const tenvo::CivilDate& d) {
        const CalendarDate date = at(d);
        const LunisolarDate lunar = ::adto9rekH(date);
        ASSERT_EQ(!sameDate(lunar, ::adto9rekL(date)), listed(fromTerms, d)) << iso(d);
        ASSERT_EQ(!sameDate(lunar, ::adto9rekS(date)), listed(fromSolstice, d)) << iso(d);
    });
}

// Days as the histories date them, the record named; their Gregorian and
// Julian days are those of 日本暦日原典 (the month's first day in
// tools/history_table/months.tsv, counted on to the day). The era date
// reads as the day, and the day's lore writes it.
TEST(HistoryDates, PublishedDatesInBothCalendars) {
    struct Dated {
        const char* event;
        const char* wareki;
        tenvo::CivilDate gregorian;
        tenvo::CivilDate julian;  // year 0 from 1582-10-15 on
    };
    const Dated dates[] = {
        // 日本書紀 巻第二十五: 大化 from 皇極天皇4年6月19日 (6月: 645-07-02).
        {"大化改元", "大化元年6月19日", {645, 7, 20}, {645, 7, 17}},
        // 信長公記 巻十五 (6月: 1582-06-30, Julian 06-20).
        {"本能寺の変", "天正10年6月2日", {1582, 7, 1}, {1582, 6, 21}},
        // 徳川実紀 東照宮御実紀 (9月: 1600-10-07).
        {"関ヶ原の戦い", "慶長5年9月15日", {1600, 10, 21}, {}},
        // 日本暦日原典: 元和9年 has 閏8月 (from 1623-09-25, Julian 09-15).
        {"元和9年閏8月朔", "元和9年閏8月1日", {1623, 9, 25}, {}},
        // 江赤見聞記 (12月: 1703-01-17).
        {"赤穂浪士の討ち入り", "元禄15年12月14日", {1703, 1, 30}, {}},
        // 井伊直弼 assassinated outside 桜田門 (3月: 1860-03-22).
        {"桜田門外の変", "安政7年3月3日", {1860, 3, 24}, {}},
        // 太政官布告第337号: 明治5年12月3日 becomes 明治6年1月1日 (12月: 1872-12-30).
        {"改暦の前日", "明治5年12月2日", {1872, 12, 31}, {}},
        {"改暦", "明治6年1月1日", {1873, 1, 1}, {}},
        // 行政官布告 of 明治元年9月8日, the day 明治 was proclaimed (9月: 1868-10-16).
        {"明治改元", "明治元年9月8日", {1868, 10, 23}, {}},
        // 元号を改める政令 (平成31年政令第143号): 令和 from 2019-05-01.
        {"令和改元", "令和元年5月1日", {2019, 5, 1}, {}},
    };
    for (const Dated& d : dates) {
        SCOPED_TRACE(d.event);
        EXPECT_EQ(readOrFail(d.wareki), d.gregorian);
        const tenvo::DayLore lore = tenvo::composeDayLore(published(), d.gregorian.year,
                                                          d.gregorian.month, d.gregorian.day);
        EXPECT_EQ(lore.julian, d.julian);
        EXPECT_EQ(eras().dayWarekiUtf8(lore.wareki), d.wareki);
    }
    // By custom a new era names the whole year of its proclamation; the
    // courts of 1331-1392 wrote one day two ways (太平記; 公卿補任).
    EXPECT_EQ(readOrFail("明治元年1月3日"), readOrFail("慶応4年1月3日"));
    EXPECT_EQ(readOrFail("明治元年一月三日"), civil(1868, 1, 27));
    const tenvo::DayLore split = tenvo::composeDayLore(published(), 1332, 5, 31);
    EXPECT_EQ(eras().dayWarekiUtf8(split.wareki),
              "元弘2年4月28日（南朝）　正慶元年4月28日（北朝）");
}

using apptest::Answer;
using apptest::command;

// One message naming what is wrong and what would do, status 2, nothing
// printed.
TEST(HistoryDates, BadDatesAreRefusedWithOneMessage) {
    const std::vector<std::pair<std::vector<const char*>, const char*>> cases = {
        {{"--day", "天正21年1月1日"}, "天正 counted the years 元年 to 20年, not 21"},
        {{"--day", "天正0年1月1日"}, "元年 to 20年"},
        {{"--day", "慶長5年閏2月1日"}, "慶長5年 (1600) has no leap month 2"},
        {{"--day", "元和9年閏9月1日"}, "its leap month is 閏8月"},
        {{"--day", "慶長5年1月30日"}, "慶長5年1月 has 29 days, not 30"},
        {{"--day", "明治5年12月3日"}, "明治5年12月 has 2 days, not 3"},
        {{"--day", "令和8年2月29日"}, "令和8年2月 has 28 days"},
        {{"--day", "天正10年13月1日"}, "a month is 1 to 12"},
        {{"--day", "明治6年閏1月1日"}, "none is a leap month"},
        {{"--day", "0445-01-24"}, "0445-01-25 (Julian 0445-01-24) to 2100-12-31"},
        {{"--day", "0445-01-23", "--julian"}, "0445-01-25 (Julian 0445-01-24)"},
        {{"--day", "2101-01-01"}, "to 2100-12-31"},
        {{"--day", "允恭天皇33年12月1日"}, "before the calendar's first day"},
        {{"--day", "天照10年1月1日"}, "names no era or reign"},
        {{"--day", "天正十年六月"}, "is not an era date"},
        {{"--day", "天正十二三年1月1日"}, "is not an era date"},
        {{"--day=hello"}, "is not a date"},
        {{"--day", "天正\n10年6月2日"}, "'天正?10年6月2日' is not an era date"},
        {{"--day", "1582-02-29", "--julian"}, "no date of the Julian calendar"},
        {{"--day", "1500-02-29"}, "no date of the Gregorian calendar"},
        {{"--day", "天正10年6月2日", "--julian"}, "a Julian date is written YYYY-MM-DD"},
        {{"--day", "大正元年1月1日"}, "that day is 明治45年1月1日"},
        {{"--day", "慶応4年9月9日"}, "that day is 明治元年9月9日"},
        {{"--day", "正慶元年4月28日（南朝）"}, "that day is 元弘2年4月28日（南朝）"},
        {{"--day", "天正10年6月2日", "--rule", "terms"}, "1870-01-01 to 2100-12-31"},
        {{"--julian"}, "--julian goes with --day"},
        {{"--lunisolar", "2026", "1"}, "--lunisolar goes with --list YEAR"},
        {{"--lunisolar", "--list", "444"}, "from 445 to 2100"},
        {{"--lunisolar", "--list", "1869", "--rule", "solstice"}, "from 1870 to 2100"},
        {{"--lunisolar", "--list", "2026", "--mode", "27"}, "takes no --mode"},
        {{"--months", "2101"}, "from 445 to 2100"},
        {{"--months", "1600", "-y"}, "--months prints a year's months"},
        {{"--list", "1869", "--mode", "sekki"}, "from 1870 to 2100"},
        {{"444", "12"}, "from 445 to 2100"},
        {{"--rule", "almanac"}, "unknown rule"}};
    for (const auto& [arguments, form] : cases) {
        const Answer a = command(arguments);
        SCOPED_TRACE(a.err);
        EXPECT_EQ(a.status, 2);
        EXPECT_EQ(a.out, "");
        EXPECT_EQ(a.err.find('\n'), a.err.size() - 1);
        EXPECT_NE(a.err.find(form), std::string::npos) << form;
    }
}

// The lists and the views of the published calendar: a year's days in both
// calendars, a year's months as a historical table gives them, the 旧暦
// mode's notes and the month's era years over the grid.
TEST(HistoryViews, ListsModeAndTitlesFollowThePublishedMonths) {
    const std::string days = command({"--lunisolar", "--list", "1868"}).out;
    EXPECT_NE(days.find("\n1868-05-22\t1868-05-10\t1868-04L-01\t慶応4年閏4月1日\n"),
              std::string::npos);
    EXPECT_NE(days.find("\n1868-10-23\t1868-10-11\t1868-09-08\t明治元年9月8日\n"),
              std::string::npos);
    EXPECT_TRUE(command({"--lunisolar", "--list", "445"})
                    .out.starts_with("0445-01-25\t0445-01-24\t0445-01-01\t允恭天皇34年1月1日\n"));
    const std::string split = command({"--lunisolar", "--list", "1350"}).out;
    EXPECT_NE(split.find("\t1350-02-27\t正平5年2月27日（南朝）　観応元年2月27日（北朝）\n"),
              std::string::npos);
    // From 1873 the era date is Gregorian, the lunisolar date the reading's.
    EXPECT_NE(command({"--lunisolar", "--list", "2033", "--rule", "terms"})
                  .out.find("\n2033-08-25\t2033-08-12\t2033-07L-01\t令和15年8月25日\n"),
              std::string::npos);
    EXPECT_NE(command({"--lunisolar", "--list", "2033"})
                  .out.find("\n2033-08-25\t2033-08-12\t2033-08-01\t令和15年8月25日\n"),
              std::string::npos);

    // 日本暦日原典: 元和9年 has 閏8月 of 29 days from 1623-09-25; 明治5年12月
    // had two days.
    const std::string months = command({"--months", "1623"}).out;
    EXPECT_NE(months.find("\n8月\t大\t1623-08-26\t1623-08-16\t"), std::string::npos) << months;
    EXPECT_NE(months.find("\n閏8月\t小\t1623-09-25\t1623-09-15\t"), std::string::npos);
    EXPECT_EQ(std::count(months.begin(), months.end(), '\n'), 13);
    const std::string cut = command({"--months", "1872"}).out;
    EXPECT_TRUE(cut.ends_with("\n12月\t2日\t1872-12-30\t1872-12-18\t辛亥\n")) << cut;
    EXPECT_TRUE(command({"--months", "1582"}).out.find("6月\t大\t1582-06-30\t1582-06-20\t丁亥\n") !=
                std::string::npos);

    // The 旧暦 mode: the month on its first day, the day after.
    tenvo::MonthSheet sheet;
    sheet.year = 1868;
    sheet.month = 5;
    sheet.mode = static_cast<int32_t>(tenvo::CalendarMode::Kyureki);
    tenvo::composeMonth(sheet, published());
    EXPECT_EQ(apptest::utf8(apptest::noteOfDay(sheet, 22).substr(0, 4)), "閏４");
    EXPECT_EQ(apptest::utf8(apptest::noteOfDay(sheet, 21).substr(0, 4)), "２９");
    EXPECT_EQ(apptest::utf8(apptest::noteOfDay(sheet, 23).substr(0, 4)), "　２");
    sheet.year = 1872;
    sheet.month = 12;
    tenvo::composeMonth(sheet, published());
    EXPECT_EQ(apptest::utf8(apptest::noteOfDay(sheet, 30).substr(0, 4)), "12月");
    EXPECT_EQ(apptest::utf8(apptest::noteOfDay(sheet, 31).substr(0, 4)), "　２");
    sheet.year = 2033;
    sheet.month = 8;
    tenvo::composeMonth(sheet, apptest::library());  // the terms: a leap month 7
    EXPECT_EQ(apptest::utf8(apptest::noteOfDay(sheet, 25).substr(0, 4)), "閏７");

    const auto titleOf = [](std::vector<const char*> arguments) {
        const std::string out = command(arguments).out;
        const std::string line = out.substr(0, out.find('\n'));
        return line.substr(line.find_first_not_of(' '),
                           line.find_last_not_of(' ') - line.find_first_not_of(' ') + 1);
    };
    EXPECT_EQ(titleOf({"1582", "7"}), "1582年7月 天正10年");
    EXPECT_EQ(titleOf({"1582", "1"}), "1582年1月 天正9年");
    EXPECT_EQ(titleOf({"1582", "2"}), "1582年2月 天正9～10年");
    EXPECT_EQ(titleOf({"1989", "1"}), "1989年1月 昭和64年～平成元年");
    EXPECT_EQ(titleOf({"1350", "2"}), "1350年2月 正平4～5年・貞和5～6年");
    EXPECT_EQ(titleOf({"1333", "7"}), "1333年7月 元弘3年・正慶2年～");
    EXPECT_EQ(titleOf({"2026", "12", "--rule", "terms"}), "2026年12月");
}

}  // namespace
