// The tooltips over the days of the sheet: one tool per cell, its text the
// day's whole lore as tenvo-term --day prints it (a labelled item a line,
// the values in one column), in Shift-JIS, headed by the name of the
// holiday by law when those holidays are chosen. A blank cell has an empty
// text, and an empty tip is never shown.
// windows.h first: the other Win32 headers need its types.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <cstdint>
#include <string>

#include "app_state.h"
#include "day_lore.h"
#include "holidays_by_law.h"

namespace tenvo {

namespace {

// The values start in this column, as in the terminal's view of a day. In
// Shift-JIS a character's bytes are its columns (two for the full-width
// labels), so the label's length in bytes is its width.
constexpr size_t kLabelColumns = 12;
// A tooltip shows at most 1023 characters of its text; every Shift-JIS
// character is one UTF-16 unit, so a text of at most 1023 bytes is shown
// whole.
constexpr size_t kMaxTipBytes = 1023;
// Long enough to read a whole lore (the longest delay a tooltip takes).
constexpr int kTipShownMilliseconds = 32767;
// The widest line of a lore is well under this many average widths; the
// width only has to be set for the tip to break its lines at all.
constexpr int32_t kTipWidthInCharacters = 80;

// What the tips were last set for: their texts and places change only when
// one of these does, so a paint (a tip hiding causes one) leaves a shown
// tip alone.
struct TipsShownFor {
    uint16_t year = 0;
    uint16_t month = 0;
    HolidayRule holidayRule = HolidayRule::FixedTable;
    bool solsticeRule = false;
    HFONT font = nullptr;
    int32_t w = 0;
    int32_t h = 0;
    bool operator==(const TipsShownFor&) const = default;
};
TipsShownFor gShownFor;

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
    SendMessageA(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kTipShownMilliseconds, 0));
    return tips;
}

// units * size as a coordinate, held within 32 bits whatever font the
// settings name.
LONG scaled(int32_t units, int32_t size) {
    return static_cast<LONG>(std::clamp<int64_t>(int64_t{units} * size, INT32_MIN, INT32_MAX));
}

// The tip of one day: the holiday's name first when `nameHoliday`, then the
// lore's lines, CR LF between lines. Only whole lines that fit the tip's
// limit are taken.
std::string dayTipText(const DayLore& lore, const LibraryBinding& library, bool nameHoliday) {
    std::string text;
    if (nameHoliday) text = lawHolidayNameShiftJis(lore.holiday);
    for (const LoreLine& line : dayLoreLines(lore, library, TextEncoding::ShiftJis)) {
        const size_t pad =
            line.label.size() < kLabelColumns ? kLabelColumns - line.label.size() : 1;
        const size_t length = line.label.size() + pad + line.value.size();
        const size_t separator = text.empty() ? 0 : 2;
        if (text.size() + separator + length > kMaxTipBytes) break;
        if (separator != 0) text += "\r\n";
        text += line.label + std::string(pad, ' ') + line.value;
    }
    return text;
}

}  // namespace

void updateDayTips(HWND window, int32_t w, int32_t h) {
    const MonthSheet& sheet = gApp.sheet;
    if (gApp.dayTips == nullptr) {
        gApp.dayTips = createTips(window);
        if (gApp.dayTips == nullptr) return;
        gShownFor = TipsShownFor{};
    }
    const TipsShownFor now{
        sheet.year, sheet.month, sheet.holidayRule, gApp.solsticeRule, gApp.baseFont, w, h};
    if (now == gShownFor) return;
    const bool newDays = now.year != gShownFor.year || now.month != gShownFor.month ||
                         now.holidayRule != gShownFor.holidayRule ||
                         now.solsticeRule != gShownFor.solsticeRule;
    gShownFor = now;

    // The tip is written in the sheet's own font, whose full-width and
    // half-width characters keep the values in one column.
    SendMessageA(gApp.dayTips, WM_SETFONT, reinterpret_cast<WPARAM>(gApp.baseFont), FALSE);
    SendMessageA(gApp.dayTips, TTM_SETMAXTIPWIDTH, 0, scaled(kTipWidthInCharacters, w));
    for (int32_t column = 0; column < kColumns; ++column) {
        for (int32_t row = 0; row < kRows; ++row) {
            const int32_t cell = cellIndex(column, row);
            TOOLINFOA tool = toolOf(window, cell);
            // The day number's line and the annotation's line below it.
            tool.rect = RECT{scaled(2 + 3 * column, w), scaled(3 + 2 * row, h),
                             scaled(5 + 3 * column, w), scaled(5 + 2 * row, h)};
            SendMessageA(gApp.dayTips, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
            if (!newDays) continue;
            const int32_t day = dayOfCell(sheet, static_cast<size_t>(cell));
            const std::string text =
                day == 0 ? std::string()
                         : dayTipText(composeDayLore(gApp.library, sheet.year, sheet.month, day),
                                      gApp.library, sheet.holidayRule == HolidayRule::ByLaw);
            tool.lpszText = const_cast<char*>(text.c_str());
            SendMessageA(gApp.dayTips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
}

}  // namespace tenvo
