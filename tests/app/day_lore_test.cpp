// The day's lore against the exports it is made of, the era dates at their
// turns, and its text.
#include "day_lore.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "annotations.h"
#include "app_test_support.h"
#include "civil_days.h"

namespace {

CalendarDate at(int32_t y, int32_t m, int32_t d) { return {y, m, d, 0.0, 0.0, 0.0, 135.0}; }

// Every 7th day of the span (all weekdays, every month over the years) and
// both ends: each field is what its export answers for that day.
TEST(DayLore, EveryFieldIsItsExportsAnswer) {
    for (int32_t days = tenvo::daysFromCivil(1870, 1, 1);
         days <= tenvo::daysFromCivil(2100, 12, 31);
         days += days < tenvo::daysFromCivil(2100, 12, 20) ? 7 : 1) {
        // Back from the day count to the date, by stepping the months.
        int32_t y = 1870 + (days - tenvo::daysFromCivil(1870, 1, 1)) / 366, m = 1;
        while (tenvo::daysFromCivil(y + 1, 1, 1) <= days) ++y;
        while (m < 12 && tenvo::daysFromCivil(y, m + 1, 1) <= days) ++m;
        const int32_t d = days - tenvo::daysFromCivil(y, m, 1) + 1;
        const CalendarDate date = at(y, m, d);
        const tenvo::DayLore lore = tenvo::composeDayLore(apptest::library(), y, m, d);
        ASSERT_TRUE(lore.valid) << y << "-" << m << "-" << d;
        const tenvo::DayLore walked =
            tenvo::composeDayLore(apptest::library(), tenvo::loreYear(y), m, d);
        EXPECT_EQ(walked.holiday, lore.holiday);
        EXPECT_EQ(walked.items, lore.items);
        EXPECT_EQ(lore.weekday, tenvo::weekdayOf(days));
        const LunisolarDate lunar = ::adto9rekL(date);
        EXPECT_EQ(lore.lunisolar.year, lunar.year);
        EXPECT_EQ(lore.lunisolar.month, lunar.month);
        EXPECT_EQ(lore.lunisolar.day, lunar.day);
        EXPECT_EQ(lore.lunisolar.leap, lunar.leap);
        const bool lunisolar = lunar.year != -999;
        EXPECT_EQ(lore.sixDay, lunisolar ? ::ad26youL(date) : -1);
        EXPECT_EQ(lore.weekday, ::ad2youbi(date));
        EXPECT_EQ(lore.mansion27, lunisolar ? ::adto27L(date) : -1);
        EXPECT_EQ(lore.yearPair, ::ad2neto(date));
        EXPECT_EQ(lore.monthPair, ::ad2teto(date));
        EXPECT_EQ(lore.dayPair, ::ad2heto(date));
        EXPECT_EQ(lore.yearStar, ::ad2nkyusei(date));
        EXPECT_EQ(lore.monthStar, ::ad2tkyusei(date));
        EXPECT_EQ(lore.dayStar, ::ad2hkyusei(date));
        EXPECT_EQ(lore.mansion28, ::adto28(date));
        EXPECT_EQ(lore.holiday, tenvo::lawHolidayOn(y, m, d));
        EXPECT_EQ(lore.solarTerm, ::ad2sekki(date));
        EXPECT_EQ(lore.items, ::ad2rekicyu(date));
        EXPECT_EQ(lore.moonAge, ::ad2getrei(date));
        if (testing::Test::HasFailure()) FAIL() << y << "-" << m << "-" << d;
    }
    // Months from 冬至: 1985-01-21 opens month 12 instead of month 1.
    const tenvo::DayLore solstice =
        tenvo::composeDayLore(tenvo::withSolsticeReading(apptest::library()), 1985, 1, 21);
    EXPECT_EQ(solstice.lunisolar.month, 12);
    EXPECT_EQ(solstice.sixDay, ::ad26youS(at(1985, 1, 21)));
    EXPECT_EQ(solstice.mansion27, ::adto27S(at(1985, 1, 21)));
    EXPECT_EQ(solstice.items, ::ad2rekicyuS(at(1985, 1, 21)));
    EXPECT_EQ(tenvo::composeDayLore(apptest::library(), 1985, 1, 21).lunisolar.month, 1);
}

TEST(DayLore, DatesOutsideTheSpanOrCalendarHaveNoLore) {
    for (const auto& [y, m, d] :
         {std::tuple{1869, 12, 31}, std::tuple{2101, 1, 1}, std::tuple{2023, 2, 29},
          std::tuple{2024, 13, 1}, std::tuple{2024, 0, 1}, std::tuple{2024, 4, 31},
          std::tuple{2024, 1, 0}, std::tuple{-5, 1, 1}}) {
        const tenvo::DayLore lore = tenvo::composeDayLore(apptest::library(), y, m, d);
        EXPECT_FALSE(lore.valid) << y << "-" << m << "-" << d;
        EXPECT_EQ(lore.sixDay, -1);
        EXPECT_TRUE(dayLoreLines(lore, apptest::library(), tenvo::TextEncoding::Utf8).empty());
    }
    EXPECT_TRUE(tenvo::composeDayLore(apptest::library(), 2024, 2, 29).valid);
}

std::string eraText(int32_t y, int32_t m, int32_t d) {
    const tenvo::DayLore lore = tenvo::composeDayLore(apptest::library(), y, m, d);
    return apptest::utf8(tenvo::eraDateShiftJis(lore.era, m, d));
}

// The last and the first day of each era; before 1873 the lunisolar year.
TEST(DayLore, EraDatesTurnOnTheirDays) {
    const std::tuple<int, int, int, const char*> cases[] = {
        {1870, 1, 31, "明治2年"},           {1870, 2, 1, "明治3年"},
        {1872, 12, 31, "明治5年"},          {1873, 1, 1, "明治6年1月1日"},
        {1912, 7, 29, "明治45年7月29日"},   {1912, 7, 30, "大正元年7月30日"},
        {1926, 12, 24, "大正15年12月24日"}, {1926, 12, 25, "昭和元年12月25日"},
        {1989, 1, 7, "昭和64年1月7日"},     {1989, 1, 8, "平成元年1月8日"},
        {2019, 4, 30, "平成31年4月30日"},   {2019, 5, 1, "令和元年5月1日"},
        {2100, 12, 31, "令和82年12月31日"}};
    for (const auto& [y, m, d, expected] : cases) EXPECT_EQ(eraText(y, m, d), expected);
}

// The text carries each field's name, once, in both encodings alike.
TEST(DayLore, LinesNameEveryItem) {
    const tenvo::DayLore lore = tenvo::composeDayLore(apptest::library(), 2026, 11, 3);
    const auto utf8 = dayLoreLines(lore, apptest::library(), tenvo::TextEncoding::Utf8);
    const auto sjis = dayLoreLines(lore, apptest::library(), tenvo::TextEncoding::ShiftJis);
    ASSERT_EQ(utf8.size(), sjis.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        EXPECT_EQ(utf8[i].label, apptest::utf8(sjis[i].label));
        EXPECT_EQ(utf8[i].value, apptest::utf8(sjis[i].value));
    }
    std::string text;
    for (const auto& line : utf8) text += line.label + "=" + line.value + "\n";
    const CalendarDate date = at(2026, 11, 3);
    for (const std::string& expected : std::vector<std::string>{
             "日付=2026年11月3日\n", "和暦=令和8年11月3日\n", "曜日=火曜日\n", "祝日=文化の日\n",
             "六曜=" + apptest::utf8(::rno2name(::ad26youL(date))) + "\n",
             "日の干支=" + apptest::utf8(::eno2name(::ad2heto(date))) + "\n",
             "月の九星=" + apptest::utf8(::kno2name(::ad2tkyusei(date))) + "\n",
             "二十八宿=" + apptest::utf8(::A28toname(::adto28(date))) + "宿\n"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << text;
    }
    // 1870-01-15 has no lunisolar date: no 旧暦, 六曜 or 二十七宿 line.
    const auto early = dayLoreLines(tenvo::composeDayLore(apptest::library(), 1870, 1, 15),
                                    apptest::library(), tenvo::TextEncoding::Utf8);
    for (const auto& line : early) {
        EXPECT_NE(line.label, "旧暦");
        EXPECT_NE(line.label, "六曜");
        EXPECT_NE(line.label, "二十七宿");
    }
}

// The almanac mode writes under each day the short name of the lore's top
// item, and the top item is the first of the day's items by rank: every
// rank pair of items is checked on a day holding just those two bits.
TEST(DayLore, AlmanacModeShowsTheTopItem) {
    for (const auto& [year, month] : {std::pair{2026, 2}, std::pair{2026, 7}, std::pair{1871, 1},
                                      std::pair{2033, 12}, std::pair{2100, 12}}) {
        const tenvo::MonthSheet sheet = apptest::composed(year, month, 6);
        for (int32_t day = 1; day <= tenvo::daysInMonth(year, month); ++day) {
            const tenvo::DayLore lore = tenvo::composeDayLore(apptest::library(), year, month, day);
            const int32_t first = (tenvo::weekdayOf(tenvo::daysFromCivil(year, month, 1)));
            const int32_t cell = tenvo::cellIndex((first + day - 1) % 7, (first + day - 1) / 7);
            const std::string note(sheet.noteText.data() + 5 * cell, 4);
            const std::string expected =
                tenvo::almanacShortNameShiftJis(tenvo::topAlmanacItem(lore.items));
            EXPECT_EQ(note, (expected + "    ").substr(0, 4)) << year << "-" << month << "-" << day;
        }
    }
    // The rank as documented, most notable first.
    const int32_t rank[] = {0,  1,  2,  3,  4,  5,  6,  7,  9,  10, 8,  12, 11, 23, 22,
                            24, 25, 27, 26, 28, 13, 17, 18, 15, 16, 14, 19, 20, 21};
    for (std::size_t i = 0; i < std::size(rank); ++i) {
        EXPECT_EQ(tenvo::topAlmanacItem(1 << rank[i]), rank[i]);
        for (std::size_t j = i + 1; j < std::size(rank); ++j) {
            EXPECT_EQ(tenvo::topAlmanacItem((1 << rank[i]) | (1 << rank[j])), rank[i]);
        }
    }
    EXPECT_EQ(tenvo::topAlmanacItem(0), -1);
    EXPECT_STREQ(tenvo::almanacShortNameShiftJis(-1), "");
    EXPECT_STREQ(tenvo::almanacShortNameShiftJis(29), "");
    EXPECT_EQ(apptest::utf8(tenvo::almanacShortNameShiftJis(VRN_ICHIRYUMANBAI)), "万倍");
}

}  // namespace
