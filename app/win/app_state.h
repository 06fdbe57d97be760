// The window program's single-instance state and the functions that its
// source files share. One window, one month sheet, three fonts, one bound
// library: everything runs on the thread of the window's message loop.
#pragma once

#include <windows.h>

#include "library_binding.h"
#include "month_sheet.h"
#include "window_logic.h"

namespace tenvo {

struct AppState {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HACCEL accelerators = nullptr;
    LOGFONTA fontDescription{};  // the settings' font
    HFONT baseFont = nullptr;    // the description unchanged
    HFONT titleFont = nullptr;   // twice the height and width
    HFONT noteFont = nullptr;    // half the height
    MonthSheet sheet{};
    LibraryBinding library{};       // as the sheet reads it, by the month rule
    LibraryBinding boundLibrary{};  // as bound from vorane2.dll
    bool solsticeRule = false;      // lunar months numbered from 冬至
    HWND dayTips = nullptr;         // the tooltips of the days: lore and holiday by law
    int32_t wheelPending = 0;       // wheel movement short of a whole notch
    WindowSize sheetSize{0, 0};     // the window's size for its font, once painted
};

extern AppState gApp;

inline constexpr char kWindowClass[] = "MIVARO_CAL";
inline constexpr char kWindowTitle[] = "Mivaro";

// main_window.cpp
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Invalidates the whole client area (with erasing) and paints at once.
void repaint(HWND window);

// fonts.cpp
// Makes the three fonts from a description into `app`; the handles that
// were there before are NOT deleted (see replaceFonts).
void makeFonts(AppState& app, const LOGFONTA& description);
// Deletes the three fonts of `app` that exist and clears their handles.
void deleteFonts(AppState& app);

// painting.cpp
void paintSheet(HWND window);
void copySheetToClipboard(HWND window);

// holiday_tips.cpp
// Shows the whole lore of the day under the pointer in a tooltip, headed by
// the name of its holiday by law while those holidays are chosen, for the
// cell layout of the last paint (weekday columns 3 w apart from 2 w, week
// lines 2 h apart from 3 h).
void updateDayTips(HWND window, int32_t w, int32_t h);

// dialogs.cpp
INT_PTR CALLBACK dateEntryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK splashProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void stretchBitmapToWindow(HWND window, HDC paintDc, HBITMAP bitmap);

}  // namespace tenvo
