// The three dialogs: choosing the month, the About box and the opening
// picture. The About box and the opening picture paint the title picture
// scaled to their width.
// windows.h first: the other Win32 headers need its types.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstdio>

#include "app_state.h"
#include "resource.h"
#include "window_logic.h"

namespace tenvo {

namespace {

// 入力された日付が妥当なものではありません.\n入力しなおしてください.
constexpr char kInvalidDateText[] =
    "\x93\xfc\x97\xcd\x82\xb3\x82\xea\x82\xbd\x93\xfa\x95\x74\x82\xaa\x91\xc3\x93\x96\x82\xc8"
    "\x82\xe0\x82\xcc\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x2e\n"
    "\x93\xfc\x97\xcd\x82\xb5\x82\xc8\x82\xa8\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2"
    "\x2e";
constexpr char kInvalidDateCaption[] = "\x93\xfc\x97\xcd\xd0\xbd" /* 入力ﾐｽ */;

void setDecimalText(HWND dialog, int control, int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
    SetDlgItemTextA(dialog, control, text);
}

void initDateDialog(HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_YEAR_EDIT, EM_LIMITTEXT, 4, 0);
    SendDlgItemMessageA(dialog, IDC_MONTH_EDIT, EM_LIMITTEXT, 2, 0);
    // Upper limit in the low word, lower limit in the high word.
    SendDlgItemMessageA(dialog, IDC_YEAR_SPIN, UDM_SETRANGE, 0,
                        MAKELPARAM(kLastSheetYear, kFirstSheetYear));
    SendDlgItemMessageA(dialog, IDC_MONTH_SPIN, UDM_SETRANGE, 0, MAKELPARAM(12, 1));
    // The month on show, not today's.
    setDecimalText(dialog, IDC_YEAR_EDIT, gApp.sheet.year);
    setDecimalText(dialog, IDC_MONTH_EDIT, gApp.sheet.month);
}

void acceptDate(HWND dialog) {
    char yearText[5] = "";   // at most 4 characters
    char monthText[3] = "";  // at most 2 characters
    GetDlgItemTextA(dialog, IDC_YEAR_EDIT, yearText, sizeof yearText);
    GetDlgItemTextA(dialog, IDC_MONTH_EDIT, monthText, sizeof monthText);
    const int32_t year = parseDecimal(yearText);
    const int32_t month = parseDecimal(monthText);
    if (isValidYearMonth(year, month)) {
        gApp.sheet.year = static_cast<uint16_t>(year);
        gApp.sheet.month = static_cast<uint16_t>(month);
        composeMonth(gApp.sheet, gApp.library);
    } else {
        MessageBoxA(dialog, kInvalidDateText, kInvalidDateCaption, MB_OK);
    }
    EndDialog(dialog, 0);
}

void paintPicture(HWND dialog) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    HBITMAP bitmap = LoadBitmapA(gApp.instance, TENVO_RES_BITMAP);
    if (bitmap != nullptr) {
        stretchBitmapToWindow(dialog, dc, bitmap);
        DeleteObject(bitmap);
    }
    EndPaint(dialog, &ps);
}

}  // namespace

INT_PTR CALLBACK dateEntryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            initDateDialog(dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                acceptDate(dialog);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            const char* version = gApp.library.VRNVER != nullptr ? gApp.library.VRNVER() : nullptr;
            if (version != nullptr) SetDlgItemTextA(dialog, IDC_LIB_VERSION, version);
            return TRUE;
        }
        case WM_PAINT:
            paintPicture(dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK splashProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SetTimer(dialog, IDT_SPLASH, 1000, nullptr);
            return TRUE;
        case WM_PAINT:
            paintPicture(dialog);
            return TRUE;
        case WM_TIMER:
            KillTimer(dialog, IDT_SPLASH);
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

// Draws the bitmap from the client area's top-left corner across the
// window's outer width, keeping its aspect ratio. A bitmap without a size
// draws nothing (there is nothing to scale by).
void stretchBitmapToWindow(HWND window, HDC paintDc, HBITMAP bitmap) {
    HDC memoryDc = CreateCompatibleDC(paintDc);
    if (memoryDc == nullptr) return;
    HGDIOBJ kept = SelectObject(memoryDc, bitmap);
    SetMapMode(memoryDc, GetMapMode(paintDc));

    BITMAP info{};
    RECT outer{};
    if (GetObjectA(bitmap, sizeof info, &info) != 0 && info.bmWidth > 0 && info.bmHeight > 0 &&
        GetWindowRect(window, &outer)) {
        POINT source{info.bmWidth, info.bmHeight};
        DPtoLP(paintDc, &source, 1);
        if (source.x != 0) {
            const int64_t width = int64_t{outer.right} - outer.left;
            POINT target{static_cast<LONG>(width), static_cast<LONG>(width * source.y / source.x)};
            DPtoLP(paintDc, &target, 1);
            StretchBlt(paintDc, 0, 0, target.x, target.y, memoryDc, 0, 0, source.x, source.y,
                       SRCCOPY);
        }
    }
    SelectObject(memoryDc, kept);
    DeleteDC(memoryDc);
}

}  // namespace tenvo
