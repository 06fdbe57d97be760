// The month sheet with the lunar months numbered from the winter solstice.
#include <gtest/gtest.h>

#include <string>

#include "annotations.h"
#include "app_test_support.h"

namespace {

using apptest::noteOfDay;
using apptest::sjis;

CalendarDate dateOf(int year, int month, int day) {
    return CalendarDate{year, month, day, 0.0, 0.0, 0.0, 135.0};
}

tenvo::MonthSheet composedBySolstice(int year, int month, int mode) {
    tenvo::MonthSheet sheet;
    sheet.year = static_cast<uint16_t>(year);
    sheet.month = static_cast<uint16_t>(month);
    sheet.mode = mode;
    tenvo::composeMonth(sheet, tenvo::withSolsticeReading(apptest::library()));
    return sheet;
}

}  // namespace

// Every day from 1870-02 to 2100-12, one sheet carried from month to month
// as the programs do, shows the names of ad26youS and adto27S.
TEST(SolsticeReading, EveryDayShowsTheSolsticeNames) {
    const tenvo::LibraryBinding library = tenvo::withSolsticeReading(apptest::library());
    const std::string lodging = sjis("宿");
    for (int mode : {0, 2}) {
        tenvo::MonthSheet sheet;
        sheet.mode = mode;
        for (int month = 1870 * 12 + 1; month <= 2100 * 12 + 11; ++month) {
            sheet.year = static_cast<uint16_t>(month / 12);
            sheet.month = static_cast<uint16_t>(month % 12 + 1);
            tenvo::composeMonth(sheet, library);
            for (int day = 1; day <= sheet.monthLength[sheet.month]; ++day) {
                const CalendarDate date = dateOf(sheet.year, sheet.month, day);
                const int32_t index = mode == 0 ? ::ad26youS(date) : ::adto27S(date);
                // 2100-12-31 is past the last stored month: a blank line.
                const std::string expected =
                    index < 0   ? std::string("    ") + '\0'
                    : mode == 0 ? std::string(::rno2name(index), 4) + '\0'
                                : std::string(::A27toname(index), 2) + lodging + '\0';
                ASSERT_EQ(noteOfDay(sheet, day), expected)
                    << sheet.year << "-" << sheet.month << "-" << day << " mode " << mode;
            }
        }
    }
}

// The first day of a month always has the same six-day name: month 1 and 7
// 先勝, 2 and 8 友引, 3 and 9 先負, 4 and 10 仏滅, 5 and 11 大安, 6 and 12 赤口.
// Where the readings part, the default and the solstice sheet show the
// names of different months.
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
        {1985, 3, 21, "友引", "友引"},   // month 2 under both
    };
    for (const Case& c : cases) {
        const auto place = [&](const tenvo::MonthSheet& sheet) { return noteOfDay(sheet, c.day); };
        EXPECT_EQ(place(apptest::composed(c.year, c.month, 0)), sjis(c.byTerms) + '\0')
            << c.year << "-" << c.month;
        EXPECT_EQ(place(composedBySolstice(c.year, c.month, 0)), sjis(c.bySolstice) + '\0')
            << c.year << "-" << c.month;
    }
}
