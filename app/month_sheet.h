// The month sheet: one Gregorian month laid out as seven weekday columns by
// six week rows, each cell with its day number, one annotation line and a
// colour class. It knows nothing of windows; the window owns one sheet,
// recomposes it on every change of month or mode, and only reads it to paint
// or to copy it as text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "library_binding.h"
#include "vorane2.h"

namespace tenvo {

// The kind of annotation written under each day (stored as "calmode").
// Any other code leaves the annotation lines blank.
enum class CalendarMode : int32_t {
    SixDay = 0,
    NineStar = 1,
    Mansion27 = 2,
    Mansion28 = 3,
    Sexagenary = 4,
    SolarTerm = 5,
    Almanac = 6,  // 暦注: the day's most notable almanac item (day_lore.h)
    Choku = 7,    // 十二直: the day's 直 in one character
    Kyureki = 8,  // 旧暦: the lunisolar day, and the month on its first day
};

// Which public holidays the sheet marks red: the fixed table of holidays.h,
// the same for every year (the default), or the holidays the law gave in the
// shown year (holidays_by_law.h).
enum class HolidayRule : int32_t {
    FixedTable = 0,
    ByLaw = 1,
};

inline constexpr int32_t kColumns = 7;  // Sunday .. Saturday
inline constexpr int32_t kRows = 6;     // week lines of the month
inline constexpr int32_t kCells = kColumns * kRows;
inline constexpr int32_t kDayTextBytes = 2;   // " 1" .. "31", no terminator
inline constexpr int32_t kNoteTextBytes = 5;  // 4 shown bytes and a NUL

// Cells are stored column by column: the cell of weekday `column` (0 Sunday)
// in week line `row` is column * 6 + row.
constexpr int32_t cellIndex(int32_t column, int32_t row) { return column * kRows + row; }

// The 31 two-character day numbers back to back; day d is at 2 * (d - 1).
inline constexpr char kDayNumbers[] =
    " 1 2 3 4 5 6 7 8 910111213141516171819202122232425262728293031";
static_assert(sizeof(kDayNumbers) == 63, "62 bytes and the literal's NUL");

// The six-day annotation steps a cached lunar date from day to day and asks
// the library again only where a lunar month may end.
struct LunarCache {
    LunisolarDate date{'N', 0, 0, 0, 0.0};
    char recompute = 'Y';  // 'Y': ask the library for the next day composed
};

struct MonthSheet {
    uint16_t year = 0;   // shown Gregorian year
    uint16_t month = 1;  // shown month, 1..12
    int32_t mode = 0;    // a CalendarMode code; other values annotate nothing
    HolidayRule holidayRule = HolidayRule::FixedTable;

    std::array<char, kCells * kDayTextBytes> dayText{};    // cell i at 2 * i
    std::array<char, kCells * kNoteTextBytes> noteText{};  // cell i at 5 * i
    std::array<int32_t, kCells> colorClass{};              // weekday 0..6; 0 also for a holiday

    CalendarDate sheetDate{};  // the date being composed, 0:00:00 at 135.0 east

    // Days per month by month number. Only the February entry ever changes:
    // it keeps the verdict of the last February composed.
    std::array<int32_t, 13> monthLength{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    char leapFlag = 'N';  // 'Y' / 'N': leap-year verdict of the last February

    LunarCache lunarCache{};
};

// The first year whose holidays the sheet marks.
inline constexpr int32_t kFirstHolidayYear = 1870;

// Rewrites the sheet from its year, month and mode: day numbers, weekday
// colour classes, public holidays (the fixed table, or the holidays by law
// of the shown year as holidayRule says; none before kFirstHolidayYear) and
// the annotation of every day. The grid is Gregorian, proleptic before
// 1582-10-15. A month
// outside 1..12 cannot be laid out; the sheet is then left blank (spaces and
// weekday classes) rather than reading past the month table.
void composeMonth(MonthSheet& sheet, const LibraryBinding& library);

// The day number written in a cell (cells as cellIndex numbers them); 0 for
// a cell without a day or outside the sheet.
int32_t dayOfCell(const MonthSheet& sheet, std::size_t cell);

}  // namespace tenvo
