// The month sheet as plain Shift-JIS text, the form the copy command offers
// on the clipboard: 14 lines of 28 bytes, each ending in CR LF, and a NUL.
//   line 0       the month label ("１月" .. "１２月")
//   line 1       the weekday names, two spaces before each
//   line 2 + 2r  the day numbers of week r in full-width digits, 4 bytes a day
//   line 3 + 2r  the first 4 bytes of each day's annotation
#pragma once

#include <array>

#include "month_sheet.h"

namespace tenvo {

inline constexpr int kSheetTextLines = 14;
inline constexpr int kSheetTextLineWidth = 28;                        // bytes before CR LF
inline constexpr int kSheetTextLineStride = kSheetTextLineWidth + 2;  // with CR LF
inline constexpr int kSheetTextBytes = kSheetTextLines * kSheetTextLineStride + 1;  // 421

// The text of the sheet; a pure function of the sheet. A month outside 1..12
// gets a blank label line.
std::array<char, kSheetTextBytes> composeSheetText(const MonthSheet& sheet);

}  // namespace tenvo
