// Painting the month sheet, and copying it to the clipboard as text. Both
// only read the sheet. Each week takes two lines of the base font's height:
// the day numbers, then the annotations in the half-height font.
#include <cstring>

#include "app_state.h"
#include "sheet_text.h"
#include "window_logic.h"

namespace tenvo {

namespace {

constexpr char kWeekdayNames[] =
    "\x93\xfa\x8c\x8e\x89\xce\x90\x85\x96\xd8\x8b\xe0\x93\x79" /* 日月火水木金土 */;
static_assert(sizeof(kWeekdayNames) == 15, "seven 2-byte names");

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Sundays and holidays red, Saturdays blue, every other class black.
COLORREF colourOfClass(int32_t colorClass) {
    if (colorClass == 0) return kRed;
    if (colorClass == 6) return kBlue;
    return kBlack;
}

int32_t scaled(int32_t units, int32_t size) {
    const int64_t value = int64_t{units} * size;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

// x of weekday column c: 2 W + 3 W c.
int32_t columnX(int32_t column, int32_t w) { return scaled(2 + 3 * column, w); }

}  // namespace

void paintSheet(HWND window) {
    const MonthSheet& sheet = gApp.sheet;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    HGDIOBJ keptFont = SelectObject(dc, gApp.baseFont);

    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int32_t w = metrics.tmAveCharWidth;
    const int32_t h = metrics.tmHeight;

    // The window always fits the base font.
    const WindowSize size =
        sheetWindowSize(w, h, GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER),
                        GetSystemMetrics(SM_CYCAPTION));
    gApp.sheetSize = size;
    SetWindowPos(window, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE);
    updateDayTips(window, w, h);

    SelectObject(dc, gApp.titleFont);
    SetTextColor(dc, kBlack);
    char title[16];
    const size_t titleLength = formatPaintTitle(sheet.month, title);
    TextOutA(dc, titleX(size.width, w), 0, title, static_cast<int>(titleLength));

    SelectObject(dc, gApp.baseFont);
    for (int32_t i = 0; i < kColumns; ++i) {
        SetTextColor(dc, i == 0 ? kRed : (i == 6 ? kBlue : kBlack));
        TextOutA(dc, columnX(i, w), scaled(2, h), kWeekdayNames + 2 * i, 2);
    }
    for (int32_t c = 0; c < kColumns; ++c) {
        for (int32_t r = 0; r < kRows; ++r) {
            const int32_t cell = cellIndex(c, r);
            SetTextColor(dc, colourOfClass(sheet.colorClass[static_cast<size_t>(cell)]));
            TextOutA(dc, columnX(c, w), scaled(3 + 2 * r, h),
                     sheet.dayText.data() + cell * kDayTextBytes, kDayTextBytes);
        }
    }

    SelectObject(dc, gApp.noteFont);
    SetTextColor(dc, kBlack);
    for (int32_t c = 0; c < kColumns; ++c) {
        for (int32_t r = 0; r < kRows; ++r) {
            const int32_t cell = cellIndex(c, r);
            TextOutA(dc, columnX(c, w), scaled(4 + 2 * r, h),
                     sheet.noteText.data() + cell * kNoteTextBytes, 4);
        }
    }

    SelectObject(dc, keptFont);
    EndPaint(window, &ps);
}

// The sheet's 421-byte text as CF_TEXT. Any failed step ends the copy
// silently with the clipboard closed. The block is unlocked before it is
// handed over (from then on it belongs to the clipboard), and freed by us
// if the clipboard refuses it.
void copySheetToClipboard(HWND window) {
    if (!OpenClipboard(window)) return;
    if (!EmptyClipboard()) {
        CloseClipboard();
        return;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, kSheetTextBytes);
    if (block == nullptr) {
        CloseClipboard();
        return;
    }
    void* bytes = GlobalLock(block);
    if (bytes == nullptr) {
        GlobalFree(block);
        CloseClipboard();
        return;
    }
    const std::array<char, kSheetTextBytes> text = composeSheetText(gApp.sheet);
    std::memcpy(bytes, text.data(), text.size());
    GlobalUnlock(block);
    if (SetClipboardData(CF_TEXT, block) == nullptr) GlobalFree(block);
    CloseClipboard();
}

}  // namespace tenvo
