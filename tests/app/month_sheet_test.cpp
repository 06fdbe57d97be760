#include "month_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app_test_support.h"

namespace {

using apptest::classAt;
using apptest::composed;
using apptest::dayAt;
using apptest::dayText;
using apptest::noteAt;
using apptest::placeOf;

int daysShown(const tenvo::MonthSheet& sheet) {
    int count = 0;
    for (int column = 0; column < tenvo::kColumns; ++column) {
        for (int row = 0; row < tenvo::kRows; ++row) {
            if (dayAt(sheet, column, row) != "  ") ++count;
        }
    }
    return count;
}

bool allNotesBlank(const tenvo::MonthSheet& sheet) {
    return std::all_of(sheet.noteText.begin(), sheet.noteText.end(),
                       [](char c) { return c == ' '; });
}

TEST(MonthGrid, FebruaryLengthFollowsTheCenturyRule) {
    struct Case {
        int year;
        int days;
        char leap;
    };
    for (const Case c : {Case{1900, 28, 'N'}, Case{1996, 29, 'Y'}, Case{1997, 28, 'N'},
                         Case{2000, 29, 'Y'}, Case{2100, 28, 'N'}}) {
        SCOPED_TRACE(c.year);
        const tenvo::MonthSheet sheet = composed(c.year, 2, 7);
        EXPECT_EQ(sheet.monthLength[2], c.days);
        EXPECT_EQ(sheet.leapFlag, c.leap);
        EXPECT_EQ(daysShown(sheet), c.days);
        EXPECT_NE(placeOf(sheet, c.days).column, -1);
        EXPECT_EQ(placeOf(sheet, c.days + 1).column, -1);
    }
}

TEST(MonthGrid, March1997StartsOnSaturdayAndReachesRowFive) {
    const tenvo::MonthSheet sheet = composed(1997, 3, 0);
    EXPECT_EQ(dayAt(sheet, 6, 0), " 1");
    for (int column = 0; column < 6; ++column) EXPECT_EQ(dayAt(sheet, column, 0), "  ");
    EXPECT_EQ(dayAt(sheet, 0, 1), " 2");
    EXPECT_EQ(dayAt(sheet, 0, 5), "30");
    EXPECT_EQ(dayAt(sheet, 1, 5), "31");
    for (int column = 2; column < 7; ++column) {
        EXPECT_EQ(dayAt(sheet, column, 5), "  ");
        EXPECT_EQ(noteAt(sheet, column, 5), "     ");
        EXPECT_EQ(classAt(sheet, column, 5), column);
    }
    // Cell addressing is column by column: day 1 is cell 6 * 6 + 0.
    EXPECT_EQ(std::string(sheet.dayText.data() + 2 * 36, 2), " 1");
    EXPECT_EQ(std::string(sheet.dayText.data() + 2 * 5, 2), "30");
}

TEST(MonthGrid, February1998FillsFourRowsExactly) {
    const tenvo::MonthSheet sheet = composed(1998, 2, 0);
    for (int column = 0; column < 7; ++column) {
        for (int row = 0; row < 4; ++row) {
            const int day = row * 7 + column + 1;
            EXPECT_EQ(dayAt(sheet, column, row), dayText(day));
        }
        for (int row = 4; row < 6; ++row) {
            EXPECT_EQ(dayAt(sheet, column, row), "  ");
            EXPECT_EQ(noteAt(sheet, column, row), "     ");
            EXPECT_EQ(classAt(sheet, column, row), column);
        }
    }
}

TEST(MonthGrid, FebruaryLengthIsRememberedUntilTheNextFebruary) {
    tenvo::MonthSheet sheet;
    const auto compose = [&sheet](int year, int month) {
        sheet.year = static_cast<uint16_t>(year);
        sheet.month = static_cast<uint16_t>(month);
        tenvo::composeMonth(sheet, apptest::library());
    };
    const std::array<int32_t, 13> common{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::array<int32_t, 13> leap = common;
    leap[2] = 29;

    compose(1996, 2);
    EXPECT_EQ(sheet.monthLength, leap);
    compose(1996, 4);
    EXPECT_EQ(sheet.monthLength, leap);
    EXPECT_EQ(sheet.leapFlag, 'Y');
    compose(1997, 1);  // a January of a common year changes nothing
    EXPECT_EQ(sheet.monthLength, leap);
    EXPECT_EQ(daysShown(sheet), 31);
    compose(1997, 2);
    EXPECT_EQ(sheet.monthLength, common);
    EXPECT_EQ(sheet.leapFlag, 'N');
    compose(2000, 12);
    EXPECT_EQ(sheet.monthLength, common);
    EXPECT_EQ(sheet.leapFlag, 'N');
}

// Every month from 1870 to 2100, checked against a weekday count of our own
// (1 January 1870 was a Saturday): day d sits in the cell that follows the
// first's weekday, every other cell is blank, and a mode of 9 writes nothing.
TEST(MonthGrid, EveryMonthIsLaidOutFromItsFirstWeekday) {
    const auto isLeap = [](int y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); };
    int firstWeekday = 6;
    tenvo::MonthSheet sheet;
    sheet.mode = 9;
    for (int year = 1870; year <= 2100; ++year) {
        for (int month = 1; month <= 12; ++month) {
            SCOPED_TRACE(std::to_string(year) + "-" + std::to_string(month));
            sheet.year = static_cast<uint16_t>(year);
            sheet.month = static_cast<uint16_t>(month);
            tenvo::composeMonth(sheet, apptest::library());
            const int length = month == 2
                                   ? (isLeap(year) ? 29 : 28)
                                   : std::array{31, 0, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}
                                         [static_cast<std::size_t>(month - 1)];
            std::array<bool, tenvo::kCells> used{};
            for (int day = 1; day <= length; ++day) {
                const int slot = firstWeekday + day - 1;
                const int column = slot % 7;
                const int row = slot / 7;
                ASSERT_LT(row, tenvo::kRows);
                ASSERT_EQ(dayAt(sheet, column, row), dayText(day));
                used[static_cast<std::size_t>(tenvo::cellIndex(column, row))] = true;
            }
            for (int cell = 0; cell < tenvo::kCells; ++cell) {
                if (!used[static_cast<std::size_t>(cell)]) {
                    ASSERT_EQ(std::string(sheet.dayText.data() + 2 * cell, 2), "  ");
                    ASSERT_EQ(sheet.colorClass[static_cast<std::size_t>(cell)], cell / 6);
                }
            }
            ASSERT_TRUE(allNotesBlank(sheet));
            EXPECT_EQ(sheet.sheetDate.year, year);
            EXPECT_EQ(sheet.sheetDate.month, month);
            EXPECT_EQ(sheet.sheetDate.hour, 0.0);
            EXPECT_EQ(sheet.sheetDate.longitude, 135.0);
            firstWeekday = (firstWeekday + length) % 7;
        }
    }
}

TEST(MonthGrid, ModesOutsideTheTableLeaveAnnotationsBlank) {
    const tenvo::MonthSheet annotated = composed(1997, 5, 4);
    for (int mode : {9, -1, 10, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(mode);
        const tenvo::MonthSheet sheet = composed(1997, 5, mode);
        EXPECT_EQ(sheet.dayText, annotated.dayText);
        EXPECT_EQ(sheet.colorClass, annotated.colorClass);  // holidays still marked
        EXPECT_TRUE(allNotesBlank(sheet));
        EXPECT_EQ(daysShown(sheet), 31);
    }
}

TEST(MonthGrid, SwitchingTheModeChangesOnlyTheAnnotations) {
    const tenvo::MonthSheet first = composed(2001, 9, 0);
    tenvo::MonthSheet sheet = first;
    for (int mode = 1; mode <= 5; ++mode) {
        sheet.mode = mode;
        tenvo::composeMonth(sheet, apptest::library());
        EXPECT_EQ(sheet.dayText, first.dayText);
        EXPECT_EQ(sheet.colorClass, first.colorClass);
        EXPECT_NE(sheet.noteText, first.noteText) << "mode " << mode;
    }
}

TEST(MonthGrid, ARecompositionLeavesNothingOfThePreviousMonth) {
    tenvo::MonthSheet sheet = composed(1997, 3, 0);  // six rows used, notes everywhere
    sheet.month = 2;
    sheet.year = 1998;
    tenvo::composeMonth(sheet, apptest::library());
    const tenvo::MonthSheet fresh = composed(1998, 2, 0);
    EXPECT_EQ(sheet.dayText, fresh.dayText);
    EXPECT_EQ(sheet.noteText, fresh.noteText);
    EXPECT_EQ(sheet.colorClass, fresh.colorClass);
}

// A month outside 1..12 has no length to look up: the sheet stays blank
// instead of reading past the month table.
TEST(MonthGrid, AMonthOutsideTheYearGivesABlankSheet) {
    for (int month : {0, 13, 65535}) {
        SCOPED_TRACE(month);
        tenvo::MonthSheet sheet = composed(1997, 3, 0);
        sheet.month = static_cast<uint16_t>(month);
        tenvo::composeMonth(sheet, apptest::library());
        EXPECT_EQ(daysShown(sheet), 0);
        EXPECT_TRUE(allNotesBlank(sheet));
        for (int cell = 0; cell < tenvo::kCells; ++cell) {
            EXPECT_EQ(sheet.colorClass[static_cast<std::size_t>(cell)], cell / 6);
        }
        EXPECT_EQ(sheet.monthLength[2], 28);
    }
}

TEST(MonthGrid, DayNumberStringHoldsEveryDay) {
    EXPECT_EQ(std::string(tenvo::kDayNumbers, 2), " 1");
    EXPECT_EQ(std::string(tenvo::kDayNumbers + 2 * 9, 2), "10");
    EXPECT_EQ(std::string(tenvo::kDayNumbers + 2 * 30, 2), "31");
    const tenvo::MonthSheet sheet = composed(2000, 1, 0);
    EXPECT_EQ(dayAt(sheet, placeOf(sheet, 1).column, 0), " 1");
    EXPECT_EQ(placeOf(sheet, 1).column, 6);  // 1 January 2000 was a Saturday
    EXPECT_EQ(placeOf(sheet, 10).row, 2);
}

}  // namespace
