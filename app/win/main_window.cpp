// The main window: its creation, its commands and the save questions that
// follow a change of calendar mode or font.
// windows.h first: the other Win32 headers need its types.
// clang-format off
#include <windows.h>
#include <commdlg.h>
// clang-format on

#include "annotations.h"
#include "app_state.h"
#include "resource.h"
#include "settings.h"
#include "window_logic.h"

namespace tenvo {

namespace {

constexpr char kHelpFile[] = "TENVO32.HLP";
constexpr char kSaveCaption[] =
    "\x95\xcf\x8d\x58\xc3\xde\xb0\xc0\x8a\x69\x94\x5b" /* 変更ﾃﾞｰﾀ格納 */;
constexpr char kSaveModeQuestion[] =
    "\x95\xcf\x8d\x58\x82\xb5\x82\xbd\xb6\xda\xdd\xc0\xde\xd3\xb0\xc4\xde\x82\xf0\x8a\x69\x94"
    "\x5b\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48" /* 変更したｶﾚﾝﾀﾞﾓｰﾄﾞを格納しますか？ */;
// 変更したﾌｫﾝﾄﾃﾞｰﾀ情報を格納しますか？
constexpr char kSaveFontQuestion[] =
    "\x95\xcf\x8d\x58\x82\xb5\x82\xbd\xcc\xab\xdd\xc4\xc3\xde\xb0\xc0\x8f\xee\x95\xf1\x82\xf0"
    "\x8a\x69\x94\x5b\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48";

// The mode each menu command selects, whatever the items' order in the menu.
struct ModeCommand {
    WORD command;
    CalendarMode mode;
};
constexpr ModeCommand kModeCommands[] = {
    {IDM_MODE_SIXDAY, CalendarMode::SixDay},         {IDM_MODE_NINESTAR, CalendarMode::NineStar},
    {IDM_MODE_MANSION27, CalendarMode::Mansion27},   {IDM_MODE_MANSION28, CalendarMode::Mansion28},
    {IDM_MODE_STEMBRANCH, CalendarMode::Sexagenary}, {IDM_MODE_SOLARTERM, CalendarMode::SolarTerm},
    {IDM_MODE_ALMANAC, CalendarMode::Almanac},       {IDM_MODE_CHOKU, CalendarMode::Choku},
    {IDM_MODE_KYUREKI, CalendarMode::Kyureki},
};

bool askToSave(HWND window, const char* question) {
    return MessageBoxA(window, question, kSaveCaption, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void openHelp(HWND window) { WinHelpA(window, kHelpFile, HELP_FINDER, 0); }

// Every composition reads the library through gApp.library, so the rule
// takes effect by swapping the binding; the menu item shows it as a check.
void applyMonthRule(HWND window, bool solstice) {
    gApp.solsticeRule = solstice;
    gApp.library = solstice ? withSolsticeReading(gApp.boundLibrary) : gApp.boundLibrary;
    CheckMenuItem(GetMenu(window), IDM_RULE_SOLSTICE,
                  MF_BYCOMMAND | (solstice ? MF_CHECKED : MF_UNCHECKED));
}

// Only the almanac, 十二直 and 旧暦 items carry a check mark, each set while
// its mode is shown: the six older items look as they always did.
void showModeCheck(HWND window) {
    constexpr ModeCommand kChecked[] = {{IDM_MODE_ALMANAC, CalendarMode::Almanac},
                                        {IDM_MODE_CHOKU, CalendarMode::Choku},
                                        {IDM_MODE_KYUREKI, CalendarMode::Kyureki}};
    for (const ModeCommand& m : kChecked) {
        const bool shown = gApp.sheet.mode == static_cast<int32_t>(m.mode);
        CheckMenuItem(GetMenu(window), m.command,
                      MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
    }
}

void onCreate(HWND window) {
    // The opening picture closes itself after a second.
    DialogBoxParamA(gApp.instance, TENVO_RES_SPLASH_DIALOG, window, splashProc, 0);

    SYSTEMTIME now;
    GetLocalTime(&now);
    gApp.sheet.year = now.wYear;
    gApp.sheet.month = now.wMonth;

    Settings settings = readSettings();
    gApp.fontDescription = settings.font;
    gApp.sheet.mode = settings.calendarMode;
    showModeCheck(window);
    applyMonthRule(window, settings.solsticeRule);
    if (settings.holidayRule == 1) {
        gApp.sheet.holidayRule = HolidayRule::ByLaw;
        CheckMenuItem(GetMenu(window), IDM_HOLIDAYS_BY_LAW, MF_BYCOMMAND | MF_CHECKED);
    }

    makeFonts(gApp, gApp.fontDescription);
    composeMonth(gApp.sheet, gApp.library);
}

// The new mode shows at once; it is stored only when the user says so.
void onModeCommand(HWND window, CalendarMode mode) {
    gApp.sheet.mode = static_cast<int32_t>(mode);
    showModeCheck(window);
    if (askToSave(window, kSaveModeQuestion)) writeCalendarMode(gApp.sheet.mode);
    composeMonth(gApp.sheet, gApp.library);
    repaint(window);
}

// The month rule changes what the six-day and 27-mansion modes show, so it
// is stored as the mode is: at once on screen, in the file only on OK.
void onMonthRuleCommand(HWND window) {
    applyMonthRule(window, !gApp.solsticeRule);
    if (askToSave(window, kSaveModeQuestion)) writeMonthRule(gApp.solsticeRule);
    composeMonth(gApp.sheet, gApp.library);
    repaint(window);
}

// Switches between the fixed table and the holidays by law. Like a mode,
// the choice shows at once and is stored only when the user says so.
void onHolidayRuleCommand(HWND window) {
    const bool byLaw = gApp.sheet.holidayRule != HolidayRule::ByLaw;
    gApp.sheet.holidayRule = byLaw ? HolidayRule::ByLaw : HolidayRule::FixedTable;
    CheckMenuItem(GetMenu(window), IDM_HOLIDAYS_BY_LAW,
                  MF_BYCOMMAND | (byLaw ? MF_CHECKED : MF_UNCHECKED));
    if (askToSave(window, kSaveModeQuestion)) writeHolidayRule(byLaw ? 1 : 0);
    composeMonth(gApp.sheet, gApp.library);
    repaint(window);
}

// The chooser opens on no particular font. Only a confirmed choice replaces
// the fonts: until then the window keeps painting with the old ones, and a
// cancelled chooser leaves fonts and settings as they were without asking
// anything.
void onFontCommand(HWND window) {
    LOGFONTA chosen{};
    chosen.lfCharSet = SHIFTJIS_CHARSET;
    CHOOSEFONTA chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = window;
    chooser.lpLogFont = &chosen;
    chooser.Flags = CF_SCREENFONTS;
    chooser.nFontType = SCREEN_FONTTYPE;
    if (!ChooseFontA(&chooser)) return;

    AppState fresh;
    makeFonts(fresh, chosen);
    if (fresh.baseFont == nullptr || fresh.titleFont == nullptr || fresh.noteFont == nullptr) {
        deleteFonts(fresh);
        return;
    }
    deleteFonts(gApp);
    gApp.baseFont = fresh.baseFont;
    gApp.titleFont = fresh.titleFont;
    gApp.noteFont = fresh.noteFont;
    gApp.fontDescription = chosen;

    if (askToSave(window, kSaveFontQuestion)) writeFontSettings(gApp.fontDescription);
    // The sheet stays as it is; the paint resizes the window to the font.
    repaint(window);
}

// Another month: recomposed and repainted as when the date dialog accepts
// one.
void showMonth(HWND window, YearMonth shown) {
    gApp.sheet.year = static_cast<uint16_t>(shown.year);
    gApp.sheet.month = static_cast<uint16_t>(shown.month);
    composeMonth(gApp.sheet, gApp.library);
    repaint(window);
}

void turnPage(HWND window, int32_t step) {
    if (step != 0) showMonth(window, turnedMonth(gApp.sheet.year, gApp.sheet.month, step));
}

// PageDown and PageUp turn to the next and the previous month, Home back to
// this month; other keys are left to the system.
bool onKeyDown(HWND window, WPARAM key) {
    switch (key) {
        case VK_NEXT:
            turnPage(window, 1);
            return true;
        case VK_PRIOR:
            turnPage(window, -1);
            return true;
        case VK_HOME: {
            SYSTEMTIME now;
            GetLocalTime(&now);
            showMonth(window, turnedMonth(now.wYear, now.wMonth, 0));
            return true;
        }
        default:
            return false;
    }
}

LRESULT onCommand(HWND window, WORD command, WPARAM wParam, LPARAM lParam) {
    for (const ModeCommand& m : kModeCommands) {
        if (m.command == command) {
            onModeCommand(window, m.mode);
            return 0;
        }
    }
    switch (command) {
        case IDM_EXIT:
            deleteFonts(gApp);
            PostQuitMessage(0);
            return 0;
        case IDM_DATE:
            // The dialog recomposes the sheet itself when it accepts a date.
            DialogBoxParamA(gApp.instance, TENVO_RES_DATE_DIALOG, window, dateEntryProc, 0);
            repaint(window);
            return 0;
        case IDM_FONT:
            onFontCommand(window);
            return 0;
        case IDM_RULE_SOLSTICE:
            onMonthRuleCommand(window);
            return 0;
        case IDM_HOLIDAYS_BY_LAW:
            onHolidayRuleCommand(window);
            return 0;
        case IDM_HELP_TOPICS:
            openHelp(window);
            return 1;
        case IDM_ABOUT:
            DialogBoxParamA(gApp.instance, TENVO_RES_ABOUT_DIALOG, window, aboutProc, 0);
            return 0;
        case IDM_COPY_ACCEL:
        case IDM_COPY:
            copySheetToClipboard(window);
            return 0;
        default:
            return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
    }
}

}  // namespace

void repaint(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            onCreate(window);
            return 0;
        case WM_DESTROY:
            deleteFonts(gApp);
            PostQuitMessage(0);
            return 0;
        case WM_PAINT:
            paintSheet(window);
            return 0;
        case WM_HELP:  // F1
            openHelp(window);
            return 1;
        case WM_COMMAND:
            return onCommand(window, LOWORD(wParam), wParam, lParam);
        case WM_KEYDOWN:
            if (onKeyDown(window, wParam)) return 0;
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_GETMINMAXINFO:
            // The window is as large as its sheet, whoever sizes it: made
            // smaller, down to its caption, its client area would be empty,
            // never painted, and so never sized back.
            if (gApp.sheetSize.width > 0 && gApp.sheetSize.height > 0) {
                auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
                limits->ptMinTrackSize = POINT{gApp.sheetSize.width, gApp.sheetSize.height};
                limits->ptMaxTrackSize = limits->ptMinTrackSize;
                return 0;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_MOUSEWHEEL:  // towards the user: the next month
            turnPage(window, wheelMonthSteps(gApp.wheelPending, GET_WHEEL_DELTA_WPARAM(wParam)));
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace tenvo
