// The month sheet with the lunar months numbered from the winter solstice.
#include <gtest/gtest.h>

#include <string>

#include "annotations.h"
#include "app_test_support.h"

// Every day from 1870-02 to 2100-12, one sheet carried from month to month
// as the programs do, shows the names of ad26youS and adto27S (a blank line
// on 2100-12-31, past the last stored month).
TEST(SolsticeReading, EveryDayShowsTheSolsticeNames) {
    const tenvo::LibraryBinding library = tenvo::withSolsticeReading(apptest::library());
    for (int mode : {0, 2}) {
        tenvo::MonthSheet sheet;
        sheet.mode = mode;
        for (int month = 1870 * 12 + 1; month <= 2100 * 12 + 11; ++month) {
            sheet.year = static_cast<uint16_t>(month / 12);
            sheet.month = static_cast<uint16_t>(month % 12 + 1);
            tenvo::composeMonth(sheet, library);
            for (int day = 1; day <= sheet.monthLength[sheet.month]; ++day) {
                const CalendarDate date{sheet.year, sheet.month, day, 0.0, 0.0, 0.0, 135.0};
                const int32_t index = mode == 0 ? ::ad26youS(date) : ::adto27S(date);
                const std::string expected =
                    index < 0   ? std::string("    ")
                    : mode == 0 ? std::string(::rno2name(index), 4)
                                : std::string(::A27toname(index), 2) + apptest::sjis("宿");
                ASSERT_EQ(apptest::noteOfDay(sheet, day), expected + '\0')
                    << sheet.year << "-" << sheet.month << "-" << day << " mode " << mode;
            }
        }
    }
}

// A month's first day has a fixed six-day name: months 1 and 7 先勝, 2 and 8
// 友引, 3 and 9 先負, 4 and 10 仏滅, 5 and 11 大安, 6 and 12 赤口. Where the
// readings number a month apart, the two sheets show different names.
TEST(SolsticeReading, FirstDaysOfTheMonthsTheReadingsNumberApart) {
    struct Case {
        int year, month, day;
        const char* byTerms;
        const char* bySolstice;
    };
    const Case cases[] = {
        {1871, 1, 21, "大安", "赤口"},   // leap 11 / month 12
        {1985, 1, 21, "先勝", "赤口"},   // month 1 / month 12
        {2033, 12, 22, "仏滅", "大安"},  // leap 10 / leap 11
        {2034, 2, 19, "赤口", "先勝"},   // leap 12 / month 1
    };
    for (const Case& c : cases) {
        tenvo::MonthSheet bySolstice;
        bySolstice.year = static_cast<uint16_t>(c.year);
        bySolstice.month = static_cast<uint16_t>(c.month);
        tenvo::composeMonth(bySolstice, tenvo::withSolsticeReading(apptest::library()));
        EXPECT_EQ(apptest::noteOfDay(apptest::composed(c.year, c.month, 0), c.day),
                  apptest::sjis(c.byTerms) + '\0');
        EXPECT_EQ(apptest::noteOfDay(bySolstice, c.day), apptest::sjis(c.bySolstice) + '\0');
    }
}
