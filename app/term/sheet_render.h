// The month sheet for a terminal: the sheet's text converted from Shift-JIS
// to UTF-8, one line per text line, optionally with ANSI colours on the day
// numbers (red for Sundays and holidays, blue for Saturdays).
#pragma once

#include <string>

#include "month_sheet.h"

namespace tenvo {

inline constexpr char kAnsiRed[] = "\x1b[31m";
inline constexpr char kAnsiBlue[] = "\x1b[34m";
inline constexpr char kAnsiReset[] = "\x1b[0m";

// Shift-JIS bytes to UTF-8. A byte sequence that is not Shift-JIS becomes
// "?" for each byte that could not be converted.
std::string shiftJisToUtf8(const char* text, std::size_t length);

// The sheet's text (see sheet_text.h) in UTF-8, each line ending in "\n"
// instead of CR LF. With `colour`, each day field is wrapped in the colour
// of its cell's class (0 red, 6 blue, others uncoloured) and the weekday
// names 日 and 土 in red and blue; without, no escape code is written.
std::string renderSheet(const MonthSheet& sheet, bool colour);

}  // namespace tenvo
