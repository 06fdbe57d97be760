#include "holidays.h"

#include <gtest/gtest.h>

#include <string>

#include "app_test_support.h"

namespace {

using apptest::classOfDay;
using apptest::composed;
using apptest::kRed;
using apptest::placeOf;

constexpr int kBlack(int weekday) { return weekday; }
constexpr int kMonday = 1;
constexpr int kTuesday = 2;
constexpr int kWednesday = 3;

TEST(Holidays, NewYearOnSundayGivesASubstituteMonday) {
    const tenvo::MonthSheet sheet = composed(1995, 1, 0);
    EXPECT_EQ(placeOf(sheet, 1).column, 0);
    EXPECT_EQ(classOfDay(sheet, 1), kRed);
    EXPECT_EQ(classOfDay(sheet, 2), kRed);
    EXPECT_EQ(classOfDay(sheet, 3), kTuesday);
    EXPECT_EQ(classOfDay(sheet, 15), kRed);  // a Sunday and a holiday
    EXPECT_EQ(classOfDay(sheet, 16), kRed);  // its substitute Monday
}

TEST(Holidays, AHolidayOnMondayHasNoSubstitute) {
    const tenvo::MonthSheet sheet = composed(1996, 1, 0);
    EXPECT_EQ(placeOf(sheet, 15).column, kMonday);
    EXPECT_EQ(classOfDay(sheet, 15), kRed);
    EXPECT_EQ(classOfDay(sheet, 16), kBlack(kTuesday));
    EXPECT_EQ(classOfDay(sheet, 2), kBlack(kTuesday));
}

TEST(Holidays, GoldenWeek) {
    // 1998: the 3rd is a Sunday, so the 4th is red as its substitute Monday.
    const tenvo::MonthSheet may1998 = composed(1998, 5, 0);
    EXPECT_EQ(classOfDay(may1998, 3), kRed);
    EXPECT_EQ(classOfDay(may1998, 4), kRed);
    EXPECT_EQ(classOfDay(may1998, 5), kRed);
    EXPECT_EQ(classOfDay(may1998, 6), kBlack(kWednesday));
    // 1997: the 4th is a Sunday, the 5th a holiday Monday, the 3rd a
    // holiday Saturday (red, not blue); the 6th is no substitute.
    const tenvo::MonthSheet may1997 = composed(1997, 5, 0);
    EXPECT_EQ(classOfDay(may1997, 3), kRed);
    EXPECT_EQ(classOfDay(may1997, 4), kRed);
    EXPECT_EQ(classOfDay(may1997, 5), kRed);
    EXPECT_EQ(classOfDay(may1997, 6), kBlack(kTuesday));
    // 1996: the 5th is a Sunday, the 6th red; the 4th (Saturday) is no
    // holiday of its own and stays blue.
    const tenvo::MonthSheet may1996 = composed(1996, 5, 0);
    EXPECT_EQ(classOfDay(may1996, 6), kRed);
    EXPECT_EQ(classOfDay(may1996, 4), 6);
    EXPECT_EQ(classOfDay(may1996, 7), kBlack(kTuesday));
}

TEST(Holidays, AHolidayOnSaturdayIsRedAndTheMondayAfterIsNot) {
    const tenvo::MonthSheet sheet = composed(1996, 7, 0);
    EXPECT_EQ(placeOf(sheet, 20).column, 6);
    EXPECT_EQ(classOfDay(sheet, 20), kRed);
    EXPECT_EQ(classOfDay(sheet, 21), kRed);  // Sunday
    EXPECT_EQ(classOfDay(sheet, 22), kBlack(kMonday));
}

TEST(Holidays, SubstitutesAtTheEndOfTheYearAndInSeptember) {
    const tenvo::MonthSheet december = composed(2001, 12, 0);
    EXPECT_EQ(classOfDay(december, 23), kRed);
    EXPECT_EQ(classOfDay(december, 24), kRed);
    EXPECT_EQ(classOfDay(december, 25), kBlack(kTuesday));
    const tenvo::MonthSheet september = composed(1991, 9, 0);
    EXPECT_EQ(placeOf(september, 15).column, 0);
    EXPECT_EQ(classOfDay(september, 16), kRed);
    EXPECT_EQ(classOfDay(september, 17), kBlack(kTuesday));
}

TEST(Holidays, JuneAndAugustHaveOnlySundaysInRed) {
    for (int year = 1870; year <= 2100; ++year) {
        for (int month : {6, 8}) {
            const tenvo::MonthSheet sheet = composed(year, month, 7);
            for (int cell = 0; cell < tenvo::kCells; ++cell) {
                ASSERT_EQ(sheet.colorClass[static_cast<std::size_t>(cell)], cell / 6)
                    << year << "-" << month << " cell " << cell;
            }
        }
    }
}

// The equinox days come from the library; a Sunday equinox gives a red
// Monday, a Saturday equinox leaves the Monday after it black.
TEST(Holidays, EquinoxesAndTheirSubstitutes) {
    int sundays = 0;
    int saturdays = 0;
    for (int year = 1870; year <= 2100; ++year) {
        SCOPED_TRACE(year);
        for (int month : {3, 9}) {
            const int equinox = month == 3 ? ::y2syunbn(year, 135.0) : ::y2syuubn(year, 135.0);
            const tenvo::MonthSheet sheet = composed(year, month, 7);
            const int weekday = placeOf(sheet, equinox).column;
            ASSERT_EQ(classOfDay(sheet, equinox), kRed);
            if (weekday == 0) {
                ++sundays;
                ASSERT_EQ(classOfDay(sheet, equinox + 1), kRed);
            } else if (weekday == 6) {
                ++saturdays;
                ASSERT_EQ(classOfDay(sheet, equinox + 2), kBlack(kMonday));
            } else {
                ASSERT_EQ(classOfDay(sheet, equinox + 1), weekday + 1);
            }
            // The days around the equinox are no holidays of their own.
            ASSERT_EQ(classOfDay(sheet, equinox - 1), (weekday + 6) % 7);
        }
    }
    EXPECT_GT(sundays, 0);
    EXPECT_GT(saturdays, 0);
}

TEST(Holidays, TableWithoutTheSheet) {
    // Every fixed holiday is red on any weekday; its next day only on Monday.
    struct Day {
        int month;
        int day;
    };
    for (const Day h :
         {Day{1, 1}, Day{1, 15}, Day{2, 11}, Day{4, 29}, Day{5, 3}, Day{5, 5}, Day{7, 20},
          Day{9, 15}, Day{10, 10}, Day{11, 3}, Day{11, 23}, Day{12, 23}}) {
        for (int column = 0; column < 7; ++column) {
            EXPECT_TRUE(tenvo::isHoliday(h.month, h.day, column, 0)) << h.month << "/" << h.day;
            EXPECT_EQ(tenvo::isHoliday(h.month, h.day + 1, column, 0), column == kMonday)
                << h.month << "/" << h.day + 1 << " on weekday " << column;
        }
    }
    EXPECT_TRUE(tenvo::isHoliday(3, 21, 4, 21));
    EXPECT_TRUE(tenvo::isHoliday(3, 22, kMonday, 21));
    EXPECT_FALSE(tenvo::isHoliday(3, 22, kTuesday, 21));
    EXPECT_FALSE(tenvo::isHoliday(3, 21, 4, 20));
    EXPECT_TRUE(tenvo::isHoliday(9, 23, 3, 23));
    EXPECT_TRUE(tenvo::isHoliday(9, 24, kMonday, 23));
    EXPECT_FALSE(tenvo::isHoliday(9, 23, 3, 0));
    // An equinox day of 0 stands for "not this month" and never marks day 1.
    EXPECT_FALSE(tenvo::isHoliday(3, 1, kMonday, 0));
    EXPECT_FALSE(tenvo::isHoliday(6, 1, kMonday, 0));
    EXPECT_FALSE(tenvo::isHoliday(0, 1, 0, 0));
    EXPECT_FALSE(tenvo::isHoliday(13, 1, 0, 0));
    EXPECT_FALSE(tenvo::isHoliday(-5, 3, 0, 0));

    int32_t colorClass = 4;
    tenvo::markHolidays(5, 4, 4, 0, colorClass);  // May 4 on a Thursday
    EXPECT_EQ(colorClass, 4);
    tenvo::markHolidays(5, 5, 5, 0, colorClass);
    EXPECT_EQ(colorClass, kRed);
}

TEST(Holidays, EquinoxDayIsAskedOnlyForMarchAndSeptember) {
    const tenvo::LibraryBinding& library = apptest::library();
    EXPECT_EQ(tenvo::equinoxDayOfMonth(library, 2001, 3), ::y2syunbn(2001, 135.0));
    EXPECT_EQ(tenvo::equinoxDayOfMonth(library, 2001, 9), ::y2syuubn(2001, 135.0));
    for (int month : {1, 2, 4, 5, 6, 7, 8, 10, 11, 12}) {
        EXPECT_EQ(tenvo::equinoxDayOfMonth(library, 2001, month), 0);
    }
}

}  // namespace
