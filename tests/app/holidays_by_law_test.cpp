// The holidays by law against the law itself and against published holiday
// lists, and the equinox table against well-known facts of the equinoxes.
#include "holidays_by_law.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "app_test_support.h"
#include "equinox_days.h"

namespace {

using tenvo::lawHolidayNameUtf8;

std::string nameOn(int32_t year, int32_t month, int32_t day) {
    return lawHolidayNameUtf8(tenvo::lawHolidayOn(year, month, day));
}

std::string listOf(int32_t year) {
    const tenvo::LawHolidayYear holidays = tenvo::lawHolidaysOfYear(year);
    std::string text;
    for (int32_t i = 0; i < holidays.count; ++i) {
        const tenvo::LawHoliday& h = holidays.days[static_cast<std::size_t>(i)];
        char date[16];
        std::snprintf(date, sizeof date, "%02d-%02d ", h.month, h.day);
        text += date + std::string(lawHolidayNameUtf8(h.name)) + "\n";
    }
    return text;
}

// Whole years as the holiday calendars of those years printed them.
TEST(HolidaysByLaw, WholeYears) {
    // The first substitute holidays (the law took effect on 12 April, so
    // Sunday 11 February has none).
    EXPECT_EQ(listOf(1973),
              "01-01 元日\n01-15 成人の日\n02-11 建国記念の日\n03-21 春分の日\n"
              "04-29 天皇誕生日\n04-30 振替休日\n05-03 憲法記念日\n05-05 こどもの日\n"
              "09-15 敬老の日\n09-23 秋分の日\n09-24 振替休日\n10-10 体育の日\n"
              "11-03 文化の日\n11-23 勤労感謝の日\n");
    // The first citizens' holiday.
    EXPECT_EQ(listOf(1988),
              "01-01 元日\n01-15 成人の日\n02-11 建国記念の日\n03-20 春分の日\n"
              "03-21 振替休日\n04-29 天皇誕生日\n05-03 憲法記念日\n05-04 国民の休日\n"
              "05-05 こどもの日\n09-15 敬老の日\n09-23 秋分の日\n10-10 体育の日\n"
              "11-03 文化の日\n11-23 勤労感謝の日\n");
    // The accession: ten days off in a row, and no Emperor's Birthday.
    EXPECT_EQ(listOf(2019),
              "01-01 元日\n01-14 成人の日\n02-11 建国記念の日\n03-21 春分の日\n"
              "04-29 昭和の日\n04-30 国民の休日\n05-01 天皇の即位の日\n05-02 国民の休日\n"
              "05-03 憲法記念日\n05-04 みどりの日\n05-05 こどもの日\n05-06 振替休日\n"
              "07-15 海の日\n08-11 山の日\n08-12 振替休日\n09-16 敬老の日\n09-23 秋分の日\n"
              "10-14 体育の日\n10-22 即位礼正殿の儀\n11-03 文化の日\n11-04 振替休日\n"
              "11-23 勤労感謝の日\n");
    // The days moved for the Olympic Games.
    EXPECT_EQ(listOf(2020),
              "01-01 元日\n01-13 成人の日\n02-11 建国記念の日\n02-23 天皇誕生日\n"
              "02-24 振替休日\n03-20 春分の日\n04-29 昭和の日\n05-03 憲法記念日\n"
              "05-04 みどりの日\n05-05 こどもの日\n05-06 振替休日\n07-23 海の日\n"
              "07-24 スポーツの日\n08-10 山の日\n09-21 敬老の日\n09-22 秋分の日\n"
              "11-03 文化の日\n11-23 勤労感謝の日\n");
    EXPECT_EQ(listOf(2021),
              "01-01 元日\n01-11 成人の日\n02-11 建国記念の日\n02-23 天皇誕生日\n"
              "03-20 春分の日\n04-29 昭和の日\n05-03 憲法記念日\n05-04 みどりの日\n"
              "05-05 こどもの日\n07-22 海の日\n07-23 スポーツの日\n08-08 山の日\n"
              "08-09 振替休日\n09-20 敬老の日\n09-23 秋分の日\n11-03 文化の日\n"
              "11-23 勤労感謝の日\n");
    EXPECT_EQ(listOf(2026),
              "01-01 元日\n01-12 成人の日\n02-11 建国記念の日\n02-23 天皇誕生日\n"
              "03-20 春分の日\n04-29 昭和の日\n05-03 憲法記念日\n05-04 みどりの日\n"
              "05-05 こどもの日\n05-06 振替休日\n07-20 海の日\n08-11 山の日\n"
              "09-21 敬老の日\n09-22 国民の休日\n09-23 秋分の日\n10-12 スポーツの日\n"
              "11-03 文化の日\n11-23 勤労感謝の日\n");
}

// Each rule in the year it took effect and in the year before.
TEST(HolidaysByLaw, EachRuleFromItsFirstYear) {
    struct Case {
        int32_t year, month, day;
        const char* name;
    };
    const Case cases[] = {
        {1948, 5, 3, ""},  // the law took effect on 20 July 1948
        {1948, 9, 23, "秋分の日"},
        {1949, 1, 1, "元日"},
        {1959, 4, 10, "皇太子明仁親王の結婚の儀"},
        {1966, 2, 11, ""},
        {1967, 2, 11, "建国記念の日"},
        {1965, 9, 15, ""},
        {1966, 9, 15, "敬老の日"},
        {1965, 10, 10, ""},
        {1966, 10, 10, "体育の日"},
        {1985, 5, 4, ""},  // a Saturday between two holidays, a year too early
        {1986, 5, 4, ""},  // a Sunday: not a citizens' holiday until 2007
        {1987, 5, 4, "振替休日"},
        {1989, 2, 24, "昭和天皇の大喪の礼"},
        {1989, 4, 29, "みどりの日"},
        {1988, 12, 23, ""},
        {1989, 12, 23, "天皇誕生日"},
        {1990, 11, 12, "即位礼正殿の儀"},
        {1993, 6, 9, "皇太子徳仁親王の結婚の儀"},
        {1995, 7, 20, ""},
        {1996, 7, 20, "海の日"},
        {1999, 1, 15, "成人の日"},
        {1999, 10, 11, "振替休日"},
        {2000, 1, 15, ""},
        {2000, 1, 10, "成人の日"},
        {2000, 10, 9, "体育の日"},
        {2002, 7, 20, "海の日"},
        {2002, 9, 16, "振替休日"},
        {2003, 7, 20, ""},
        {2003, 7, 21, "海の日"},
        {2003, 9, 15, "敬老の日"},
        {2006, 4, 29, "みどりの日"},
        {2006, 5, 4, "国民の休日"},
        {2007, 4, 29, "昭和の日"},
        {2007, 4, 30, "振替休日"},
        {2007, 5, 4, "みどりの日"},
        {2008, 5, 6, "振替休日"},  // Sunday 4 May: the first day that is no holiday
        {2009, 9, 22, "国民の休日"},
        {2015, 8, 11, ""},
        {2016, 8, 11, "山の日"},
        {2018, 12, 24, "振替休日"},
        {2020, 10, 12, ""},
        {2022, 10, 10, "スポーツの日"},
        {2022, 7, 18, "海の日"},
        {2100, 1, 1, "元日"},
        {2101, 1, 1, ""},
        {2019, 13, 1, ""},
        {2019, 2, 30, ""},
        {2019, 0, 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(nameOn(c.year, c.month, c.day), c.name)
            << c.year << "-" << c.month << "-" << c.day;
    }
    EXPECT_EQ(tenvo::lawHolidaysOfYear(1947).count, 0);
    EXPECT_EQ(tenvo::lawHolidaysOfYear(2101).count, 0);
}

TEST(HolidaysByLaw, ShiftJisNamesReadAsTheUtf8Names) {
    for (int32_t code = 1; code <= 24; ++code) {
        const auto name = static_cast<tenvo::LawHolidayName>(code);
        EXPECT_NE(std::string(lawHolidayNameUtf8(name)), "");
        EXPECT_EQ(apptest::utf8(tenvo::lawHolidayNameShiftJis(name)), lawHolidayNameUtf8(name));
    }
    for (const int32_t code : {0, 25, -1}) {
        const auto name = static_cast<tenvo::LawHolidayName>(code);
        EXPECT_STREQ(lawHolidayNameUtf8(name), "");
        EXPECT_STREQ(tenvo::lawHolidayNameShiftJis(name), "");
    }
}

// Known facts of the equinox days at 135 degrees east: no autumnal equinox
// on 22 September from 1897 until 2012, none on the 24th after 1979, and
// the vernal equinox on 19 March for the first time in 2092.
TEST(HolidaysByLaw, EquinoxDays) {
    using tenvo::tables::kEquinoxDays;
    int32_t first22 = 0, last24 = 0, first19 = 0;
    for (int32_t year = 1948; year <= 2100; ++year) {
        const auto& days = kEquinoxDays[static_cast<std::size_t>(year - 1948)];
        if (days.september == 22 && first22 == 0) first22 = year;
        if (days.september == 24) last24 = year;
        if (days.march == 19 && first19 == 0) first19 = year;
        EXPECT_TRUE(days.march >= 19 && days.march <= 21) << year;
        EXPECT_TRUE(days.september >= 22 && days.september <= 24) << year;
    }
    EXPECT_EQ(first22, 2012);
    EXPECT_EQ(last24, 1979);
    EXPECT_EQ(first19, 2092);
}

TEST(HolidaysByLaw, MarksTheSheetOnlyWhenChosen) {
    tenvo::MonthSheet sheet;
    sheet.year = 2026;
    sheet.month = 12;
    sheet.holidayRule = tenvo::HolidayRule::ByLaw;
    tenvo::composeMonth(sheet, apptest::library());
    EXPECT_EQ(apptest::classOfDay(sheet, 23), 3);  // a Wednesday since 2019
    EXPECT_EQ(apptest::classOfDay(apptest::composed(2026, 12, 0), 23), apptest::kRed);

    sheet.month = 9;
    tenvo::composeMonth(sheet, apptest::library());
    for (int day = 1; day <= 30; ++day) {
        const bool red =
            day == 21 || day == 22 || day == 23 || apptest::placeOf(sheet, day).column == 0;
        EXPECT_EQ(apptest::classOfDay(sheet, day) == apptest::kRed, red) << day;
    }
}

std::string runTerm(const std::string& arguments, int& status) {
    FILE* pipe = popen(("'" TENVO_TERM_PATH "' " + arguments + " 2>/dev/null").c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t n; pipe != nullptr && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, n);
    }
    const int rc = pipe != nullptr ? pclose(pipe) : -1;
    status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return out;
}

TEST(HolidaysByLaw, TerminalListAndSheet) {
    int status = -1;
    // The list of 2021 checked above, in the terminal's form.
    std::string expected;
    const std::string list = listOf(2021);
    for (std::size_t at = 0; at < list.size(); at = list.find('\n', at) + 1) {
        expected += "2021-" + list.substr(at, 5) + "\t" +
                    list.substr(at + 6, list.find('\n', at) + 1 - (at + 6));
    }
    EXPECT_EQ(runTerm("--holidays law --list 2021", status), expected);
    EXPECT_EQ(status, 0);
    for (const char* bad :
         {"--holidays law --list 1947", "--holidays law --list 2101", "--list 2020",
          "--holidays law --list 2020 2020 1", "--holidays lunar"}) {
        EXPECT_EQ(runTerm(bad, status), "") << bad;
        EXPECT_EQ(status, 2) << bad;
    }
    const std::string sheet = runTerm("--holidays law 2021 8", status);
    const std::string plain = runTerm("2021 8", status);
    EXPECT_EQ(sheet.substr(0, plain.size()), plain);  // no colours: the same text
    EXPECT_EQ(sheet.substr(plain.size()), "8月8日 山の日\n8月9日 振替休日\n");
}

}  // namespace
