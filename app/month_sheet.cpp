#include "month_sheet.h"

#include <cstddef>
#include <span>

#include "annotations.h"
#include "civil_days.h"
#include "holidays.h"
#include "holidays_by_law.h"

namespace tenvo {

void composeMonth(MonthSheet& sheet, const LibraryBinding& library) {
    sheet.sheetDate = CalendarDate{sheet.year, sheet.month, 1, 0.0, 0.0, 0.0, 135.0};
    sheet.dayText.fill(' ');
    sheet.noteText.fill(' ');
    for (int32_t cell = 0; cell < kCells; ++cell) {
        sheet.colorClass[static_cast<std::size_t>(cell)] = cell / kRows;
    }
    // Every path that sets the month keeps it in 1..12; should one not, the
    // month has no length to look up and the sheet stays blank.
    if (sheet.month < 1 || sheet.month > 12) return;

    if (sheet.month == 2) {
        sheet.leapFlag = isLeapYear(sheet.year) ? 'Y' : 'N';
        sheet.monthLength[2] = sheet.leapFlag == 'Y' ? 29 : 28;
    }

    // The first of the month sits in row 0 under its weekday. The library
    // answers 0..6 for every year a sheet can show; the remainder keeps a
    // stray answer inside the grid all the same.
    // The library's old date exports read a date before 1582-10-15 as
    // Julian; the months before 1870, which only the published reading
    // shows, take the weekday from the count of days of their proleptic
    // Gregorian grid.
    int32_t column = sheet.year >= kFirstHolidayYear
                         ? library.ad2youbi(sheet.sheetDate) % kColumns
                         : weekdayOf(daysFromCivil(sheet.year, sheet.month, 1));
    if (column < 0) column += kColumns;
    int32_t row = 0;
    sheet.lunarCache.recompute = 'Y';

    // The holidays are those of modern Japan; the months before 1870, which
    // only the published reading shows, have none marked.
    const bool marksHolidays = sheet.year >= kFirstHolidayYear;
    const int32_t equinoxDay =
        marksHolidays ? equinoxDayOfMonth(library, sheet.year, sheet.month) : 0;
    const bool byLaw = sheet.holidayRule == HolidayRule::ByLaw;
    const LawHolidayYear lawHolidays = byLaw ? lawHolidaysOfYear(sheet.year) : LawHolidayYear{};
    const int32_t lastDay = sheet.monthLength[sheet.month];
    // At most 31 days from column 6 of row 0 end in row 5: six rows suffice.
    while (sheet.sheetDate.day <= lastDay) {
        const int32_t day = sheet.sheetDate.day;
        const auto cell = static_cast<std::size_t>(cellIndex(column, row));
        sheet.dayText[cell * kDayTextBytes] = kDayNumbers[2 * (day - 1)];
        sheet.dayText[cell * kDayTextBytes + 1] = kDayNumbers[2 * (day - 1) + 1];

        if (sheet.mode >= 0 && sheet.mode <= static_cast<int32_t>(CalendarMode::Kyureki)) {
            annotateDay(library, sheet.sheetDate, sheet.mode, sheet.lunarCache,
                        std::span<char, kNoteTextBytes>(
                            sheet.noteText.data() + cell * kNoteTextBytes, kNoteTextBytes));
        }
        if (!marksHolidays) {
            // Before 1870 no holiday of the tables was kept.
        } else if (byLaw) {
            if (findLawHoliday(lawHolidays, sheet.month, day) != LawHolidayName::None) {
                sheet.colorClass[cell] = 0;
            }
        } else {
            markHolidays(sheet.month, day, column, equinoxDay, sheet.colorClass[cell]);
        }

        if (++column == kColumns) {
            column = 0;
            ++row;
        }
        ++sheet.sheetDate.day;
    }
}

int32_t dayOfCell(const MonthSheet& sheet, std::size_t cell) {
    if (cell >= static_cast<std::size_t>(kCells)) return 0;
    int32_t day = 0;
    for (std::size_t k = 0; k < static_cast<std::size_t>(kDayTextBytes); ++k) {
        const char c = sheet.dayText[cell * kDayTextBytes + k];
        if (c >= '0' && c <= '9') day = day * 10 + (c - '0');
    }
    return day;
}

}  // namespace tenvo
