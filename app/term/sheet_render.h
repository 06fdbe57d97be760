// The month sheet for a terminal: the sheet's text converted from Shift-JIS
// to UTF-8, one line per text line, optionally with ANSI colours on the day
// numbers (red for Sundays and holidays, blue for Saturdays), and months
// laid out side by side.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "month_sheet.h"
#include "sheet_text.h"
#include "text_encoding.h"

namespace tenvo {

inline constexpr char kAnsiRed[] = "\x1b[31m";
inline constexpr char kAnsiBlue[] = "\x1b[34m";
inline constexpr char kAnsiReverse[] = "\x1b[7m";
inline constexpr char kAnsiReset[] = "\x1b[0m";

// Every line of a month block is this many terminal columns wide: 7 days of
// two full-width characters, as in the sheet text.
inline constexpr int kBlockColumns = kSheetTextLineWidth;
// The same with one blank column between neighbouring cells, so that day
// numbers and items do not run together ("１０ １１", "先勝 友引").
inline constexpr int kSeparatedBlockColumns = kSheetTextLineWidth + kColumns - 1;
// Blank columns between months side by side.
inline constexpr int kBlockGap = 2;

// What the first line of a month block says.
enum class BlockTitle {
    SheetLabel,    // the sheet text's own label, "１２月" at the left
    YearAndMonth,  // "2026年12月", centred
};

struct BlockStyle {
    BlockTitle title = BlockTitle::YearAndMonth;
    bool colour = false;     // ANSI colours on the weekday names and day numbers
    int32_t today = 0;       // day of the sheet's month shown in reverse video; 0 none
    bool separated = false;  // a blank column between cells (kSeparatedBlockColumns wide)
};

// The width of a block in this style.
constexpr int blockColumns(const BlockStyle& style) {
    return style.separated ? kSeparatedBlockColumns : kBlockColumns;
}

using MonthBlock = std::array<std::string, kSheetTextLines>;

// The lines of one month, without line ends, each blockColumns(style)
// columns wide on a terminal: the sheet text's lines, with a blank column
// between cells when `separated`. With `colour`, each day field is wrapped in the colour of
// its cell's class (0 red, 6 blue, others uncoloured) and the weekday names
// 日 and 土 in red and blue; `today` is reversed only with `colour`. Without
// colour no escape code is written. `eraTitle`, UTF-8, follows the year and
// month of a YearAndMonth title one space apart ("1582年7月 天正10年"); it is
// left out where the title would not fit.
MonthBlock renderMonthBlock(const MonthSheet& sheet, const BlockStyle& style,
                            std::string_view eraTitle = {});

// The sheet's text (see sheet_text.h) in UTF-8, each line ending in "\n"
// instead of CR LF, coloured as renderMonthBlock colours it.
std::string renderSheet(const MonthSheet& sheet, bool colour);

// Columns a UTF-8 text takes on a terminal: one for ASCII, two for any
// other character (kanji and full-width signs).
int utf8Columns(std::string_view text);

// Blocks `perRow` to a row, kBlockGap columns apart, rows separated by an
// empty line; `perRow` below 1 counts as 1. Each line ends in "\n".
std::string layOutBlocks(const std::vector<MonthBlock>& blocks, int perRow);

}  // namespace tenvo
