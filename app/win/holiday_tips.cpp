// The tooltips that name the holidays by law: one tool per cell of the
// sheet, its text the Shift-JIS name of the cell's holiday or empty (an
// empty tip is never shown). They exist only while the holidays by law are
// chosen, so that the default program has no window more than before.
// windows.h first: the other Win32 headers need its types.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <cstdint>

#include "app_state.h"
#include "holidays_by_law.h"

namespace tenvo {

namespace {

TOOLINFOA toolOf(HWND window, int32_t cell) {
    TOOLINFOA tool{};
    // The size that every version of the common controls accepts (the
    // newer fields are not used).
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = static_cast<UINT_PTR>(cell);
    return tool;
}

HWND createTips(HWND window) {
    HWND tips =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, gApp.instance, nullptr);
    if (tips == nullptr) return nullptr;
    char empty[] = "";
    for (int32_t cell = 0; cell < kCells; ++cell) {
        TOOLINFOA tool = toolOf(window, cell);
        tool.lpszText = empty;
        SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return tips;
}

// units * size as a coordinate, held within 32 bits whatever font the
// settings name.
LONG scaled(int32_t units, int32_t size) {
    return static_cast<LONG>(std::clamp<int64_t>(int64_t{units} * size, INT32_MIN, INT32_MAX));
}

// The day of the month in a cell's day text (" 1" .. "31"), 0 for a blank.
int32_t dayOfCell(const MonthSheet& sheet, int32_t cell) {
    int32_t day = 0;
    for (int32_t i = 0; i < kDayTextBytes; ++i) {
        const char c = sheet.dayText[static_cast<size_t>(cell * kDayTextBytes + i)];
        if (c >= '0' && c <= '9') day = day * 10 + (c - '0');
    }
    return day;
}

}  // namespace

void updateHolidayTips(HWND window, int32_t w, int32_t h) {
    const MonthSheet& sheet = gApp.sheet;
    if (sheet.holidayRule != HolidayRule::ByLaw) {
        if (gApp.holidayTips != nullptr) DestroyWindow(gApp.holidayTips);
        gApp.holidayTips = nullptr;
        return;
    }
    if (gApp.holidayTips == nullptr) gApp.holidayTips = createTips(window);
    if (gApp.holidayTips == nullptr) return;

    const LawHolidayYear holidays = lawHolidaysOfYear(sheet.year);
    for (int32_t column = 0; column < kColumns; ++column) {
        for (int32_t row = 0; row < kRows; ++row) {
            const int32_t cell = cellIndex(column, row);
            TOOLINFOA tool = toolOf(window, cell);
            // The day number's line and the annotation's line below it.
            tool.rect = RECT{scaled(2 + 3 * column, w), scaled(3 + 2 * row, h),
                             scaled(5 + 3 * column, w), scaled(5 + 2 * row, h)};
            SendMessageA(gApp.holidayTips, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
            const int32_t day = dayOfCell(sheet, cell);
            const LawHolidayName name =
                day == 0 ? LawHolidayName::None : findLawHoliday(holidays, sheet.month, day);
            tool.lpszText = const_cast<char*>(lawHolidayNameShiftJis(name));
            SendMessageA(gApp.holidayTips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
}

}  // namespace tenvo
