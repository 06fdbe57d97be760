// The arithmetic and text rules of the window program, apart from any
// Win32 call so that they can be tested on their own.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tenvo {

// The title font is the base font at twice the height and width. Heights
// from the settings file can be anything, so the doubling saturates at the
// ends of the 32-bit range instead of overflowing (a width of 0 stays 0).
int32_t doubledFontDimension(int32_t value);

// The annotation font is the base font at half the height, the quotient
// truncated toward zero (-17 gives -8).
int32_t halvedFontHeight(int32_t height);

// The outer size of the main window for a base font of average character
// width W and height H: 25 W + 2 borders wide, 16 H + 8 borders + 2 captions
// high. Computed in 64 bits and clamped into 0 .. INT32_MAX, so that a huge
// font cannot overflow the arithmetic.
struct WindowSize {
    int32_t width;
    int32_t height;
};
WindowSize sheetWindowSize(int32_t aveCharWidth, int32_t charHeight, int32_t cxBorder,
                           int32_t cyBorder, int32_t cyCaption);

// x of the title: half the window width (truncated) less 8 W, in 64 bits
// and clamped like the window size.
int32_t titleX(int32_t windowWidth, int32_t aveCharWidth);

// A text converted to an integer the standard decimal way: leading white
// space skipped, an optional sign, then the digits up to the first
// non-digit; no digits gives 0. Saturates at the 32-bit range instead of
// overflowing. A null pointer gives 0.
int32_t parseDecimal(const char* text);

// The years the sheet can show: the library annotates every day of them
// (the stored new moons and solar terms reach from 1870 to 2100). The date
// dialog, its year control and the page turns share this one span.
constexpr int32_t kFirstSheetYear = 1870;
constexpr int32_t kLastSheetYear = 2100;

// 1 when kFirstSheetYear <= year <= kLastSheetYear and 1 <= month <= 12,
// else 0.
int32_t isValidYearMonth(int32_t year, int32_t month);

// Turning the page: the month `step` months after year-month (a negative
// step goes back), over the turn of the year, kept within 1870-01 ..
// 2100-12: a turn past either end gives the end month. Computed in 64 bits, so any arguments are
// safe; a month outside 1..12 counts on from the year's first month.
struct YearMonth {
    int32_t year;
    int32_t month;
};
YearMonth turnedMonth(int32_t year, int32_t month, int32_t step);

// The mouse wheel: adds `delta` (120 a notch, finer wheels send less) to
// the movement `pending` not yet acted on and returns the months to turn:
// one forward per whole notch towards the user (a negative delta), one back
// per notch away. The rest stays pending; a change of direction drops what
// was pending the other way.
int32_t wheelMonthSteps(int32_t& pending, int32_t delta);

// The painted title of a month: the number right-aligned in 4 bytes and
// "月" (6 bytes for 1..12). Writes a NUL-terminated text into `out` (at
// least 10 bytes) and returns its length.
size_t formatPaintTitle(uint32_t month, char* out);

// A face name read from the settings file may have been cut inside a
// two-byte Shift-JIS character; drops such a dangling lead byte. Returns
// the new length.
size_t dropIncompleteShiftJis(char* text);

}  // namespace tenvo
