// Operates the real tenvo.exe as a person would, from a second process in
// the same Wine prefix: it starts the program, chooses menu commands,
// answers the questions, fills in the date dialog, presses Ctrl+C and reads
// the clipboard, looks at the settings file and takes pictures of the
// window. The expected sheet text comes from the month-sheet code itself,
// bound to the same vorane2.dll.
//
// Usage: tenvo_driver PROGRAM SHOTS_DIR [PARTIAL_LIBRARY_DIR]
//   PROGRAM              tenvo.exe, beside vorane2.dll
//   SHOTS_DIR            where the screenshots go (BMP; the script makes PNGs)
//   PARTIAL_LIBRARY_DIR  a folder holding a vorane2.dll that lacks exports
// Prints "ok ..." or "FAIL ..." per check; exit status 1 on any failure.

// windows.h first: the other Win32 headers need its types.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "annotations.h"
#include "driver_almanac.h"
#include "library_loader.h"
#include "month_sheet.h"
#include "program_control.h"
#include "resource.h"
#include "sheet_text.h"
#include "window_logic.h"

namespace {

using namespace tenvo_test;
using tenvo::CalendarMode;
using tenvo::kSheetTextBytes;

// ---- Screenshots ------------------------------------------------------------

std::string gShotsDir;

struct PixelCounts {
    long nonWhite = 0;
    long red = 0;
    long blue = 0;
    long dark = 0;
    int distinctColours = 0;
};

// Takes the screen rectangle of a window's client area (or the whole window
// when `wholeWindow`), writes it as a 24-bit BMP and counts its colours.
PixelCounts captureWindow(HWND window, const char* name, bool wholeWindow) {
    PixelCounts counts;
    RECT rect;
    if (wholeWindow) {
        GetWindowRect(window, &rect);
    } else {
        GetClientRect(window, &rect);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    }
    const ScreenPixels shot = grabScreen(rect);
    if (shot.rgb.empty()) return counts;

    std::vector<unsigned> seen;
    for (const unsigned colour : shot.rgb) {
        const unsigned r = colour >> 16, g = (colour >> 8) & 0xff, b = colour & 0xff;
        if (colour != 0xffffff) ++counts.nonWhite;
        if (r > 160 && g < 100 && b < 100) ++counts.red;
        if (b > 160 && r < 100 && g < 100) ++counts.blue;
        if (r < 90 && g < 90 && b < 90) ++counts.dark;
        if (seen.size() < 4096 && std::find(seen.begin(), seen.end(), colour) == seen.end()) {
            seen.push_back(colour);
        }
    }
    counts.distinctColours = static_cast<int>(seen.size());

    // A BMP stores its rows from the bottom, each padded to four bytes.
    const int stride = (shot.width * 3 + 3) & ~3;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = shot.width;
    info.biHeight = shot.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4d42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + static_cast<DWORD>(stride * shot.height);
    std::string file(reinterpret_cast<const char*>(&header), sizeof header);
    file.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int y = shot.height - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(stride), '\0');
        for (int x = 0; x < shot.width; ++x) {
            const unsigned colour = shot.at(x, y);
            row[static_cast<size_t>(x * 3)] = static_cast<char>(colour & 0xff);
            row[static_cast<size_t>(x * 3 + 1)] = static_cast<char>((colour >> 8) & 0xff);
            row[static_cast<size_t>(x * 3 + 2)] = static_cast<char>(colour >> 16);
        }
        file += row;
    }
    writeFile(gShotsDir + "\\" + name + ".bmp", file);
    return counts;
}

bool isInk(unsigned rgb) {
    return ((rgb >> 16) & 0xff) < 90 && ((rgb >> 8) & 0xff) < 90 && (rgb & 0xff) < 90;
}

// The black strokes of one caption glyph: their bounding box, their count
// and how many of them have a mirror image across the box's vertical axis.
struct Glyph {
    int left = 0, right = -1, top = 0, bottom = -1;  // inclusive; empty when right < left
    int ink = 0;
    int mirrored = 0;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

// The glyphs in the caption's right end, left to right: columns holding ink
// separated by at least two empty columns. The outer frame and the
// buttons' own edges lie outside `area` (its inner part).
std::vector<Glyph> captionGlyphs(const ScreenPixels& shot, const RECT& area) {
    std::vector<Glyph> glyphs;
    int emptyRun = 2;
    for (int x = area.left; x < area.right; ++x) {
        int inkHere = 0;
        for (int y = area.top; y < area.bottom; ++y) inkHere += isInk(shot.at(x, y)) ? 1 : 0;
        if (inkHere == 0) {
            ++emptyRun;
            continue;
        }
        if (emptyRun >= 2) glyphs.push_back(Glyph{x, x - 1, area.bottom, area.top - 1, 0, 0});
        emptyRun = 0;
        Glyph& g = glyphs.back();
        g.right = x;
        for (int y = area.top; y < area.bottom; ++y) {
            if (!isInk(shot.at(x, y))) continue;
            ++g.ink;
            g.top = std::min(g.top, y);
            g.bottom = std::max(g.bottom, y);
        }
    }
    for (Glyph& g : glyphs) {
        for (int y = g.top; y <= g.bottom; ++y) {
            for (int x = g.left; x <= g.right; ++x) {
                if (isInk(shot.at(x, y)) && isInk(shot.at(g.left + g.right - x, y))) ++g.mirrored;
            }
        }
    }
    return glyphs;
}

// The caption's buttons show their symbols, not the letters that stand for
// them in the symbol font: minimise is a short bar low in its button
// (not a tall "0"), close a cross, the same mirrored (not an "r"); the
// maximise box the window lacks is drawn grey, so it holds no black ink.
// The driver's own process checks the font the buttons are drawn with.
void checkCaptionButtons(const Program& program) {
    LOGFONTA font{};
    font.lfHeight = -13;
    font.lfCharSet = SYMBOL_CHARSET;
    std::strcpy(font.lfFaceName, "Marlett");
    HDC screen = GetDC(nullptr);
    HFONT made = CreateFontIndirectA(&font);
    HGDIOBJ kept = SelectObject(screen, made);
    char face[LF_FACESIZE] = "";
    std::vector<char> buffer(4096);
    auto* otm = reinterpret_cast<OUTLINETEXTMETRICA*>(buffer.data());
    if (GetOutlineTextMetricsA(screen, static_cast<UINT>(buffer.size()), otm) != 0)
        std::snprintf(face, sizeof face, "%s",
                      buffer.data() + reinterpret_cast<uintptr_t>(otm->otmpFamilyName));
    SelectObject(screen, kept);
    DeleteObject(made);
    ReleaseDC(nullptr, screen);
    check(std::strcmp(face, "Marlett") == 0, "caption: the symbol font Marlett is installed (%s)",
          face);

    TITLEBARINFO bar{};
    bar.cbSize = sizeof bar;
    RECT window{};
    if (!GetTitleBarInfo(program.window, &bar) || !GetWindowRect(program.window, &window)) {
        check(false, "caption: the title bar can be measured");
        return;
    }
    captureWindow(program.window, "caption", true);
    const ScreenPixels shot = grabScreen(window);
    const int buttons = 3 * GetSystemMetrics(SM_CXSIZE);
    RECT area{bar.rcTitleBar.right - window.left - buttons, bar.rcTitleBar.top - window.top + 3,
              bar.rcTitleBar.right - window.left - 3, bar.rcTitleBar.bottom - window.top - 3};
    area.left = std::max(0L, area.left);
    area.right = std::min(static_cast<LONG>(shot.width), area.right);
    area.bottom = std::min(static_cast<LONG>(shot.height), area.bottom);
    const std::vector<Glyph> glyphs =
        shot.width > 0 ? captionGlyphs(shot, area) : std::vector<Glyph>{};
    if (glyphs.size() != 2) {
        check(false, "caption: two black button glyphs (minimise, close), found %zu",
              glyphs.size());
        return;
    }
    const Glyph& minimise = glyphs[0];
    const Glyph& close = glyphs[1];
    const int middle = (area.top + area.bottom) / 2;
    check(minimise.height() <= 3 && minimise.width() >= 4 && minimise.top > middle,
          "caption: minimise is a low bar (%dx%d at row %ld of %ld)", minimise.width(),
          minimise.height(), static_cast<long>(minimise.top - area.top),
          static_cast<long>(area.bottom - area.top));
    check(close.width() >= 5 && close.height() >= 5 && close.mirrored * 10 >= close.ink * 9,
          "caption: close is a cross (%dx%d, %d of %d pixels mirrored)", close.width(),
          close.height(), close.mirrored, close.ink);
}

// ---- Scenario steps -------------------------------------------------------

struct ModeCase {
    int command;
    int32_t mode;
    const char* name;
};
constexpr ModeCase kModeCases[] = {
    {IDM_MODE_NINESTAR, 1, "nine-star"},   {IDM_MODE_MANSION27, 2, "mansion27"},
    {IDM_MODE_MANSION28, 3, "mansion28"},  {IDM_MODE_STEMBRANCH, 4, "stem-branch"},
    {IDM_MODE_SOLARTERM, 5, "solar-term"}, {IDM_MODE_SIXDAY, 0, "six-day"},
};

// Chooses a mode command and answers the save question with `button`.
bool chooseMode(const Program& program, const ModeCase& m, int button) {
    PostMessageA(program.window, WM_COMMAND, static_cast<WPARAM>(m.command), 0);
    HWND box = waitForDialog(program, kSaveCaption);
    if (box == nullptr) {
        check(false, "%s: the save question appears", m.name);
        return false;
    }
    const std::string question = textOf(GetDlgItem(box, kMessageBoxTextId));
    check(question == kSaveModeQuestion, "%s: the save question reads as it should", m.name);
    pressButton(box, button);
    return waitForClose(box);
}

void checkWindowSize(const Program& program, const LOGFONTA& font, const char* what) {
    HDC screen = GetDC(nullptr);
    HFONT made = CreateFontIndirectA(&font);
    HGDIOBJ kept = SelectObject(screen, made);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, kept);
    DeleteObject(made);
    ReleaseDC(nullptr, screen);
    const tenvo::WindowSize expected = tenvo::sheetWindowSize(
        metrics.tmAveCharWidth, metrics.tmHeight, GetSystemMetrics(SM_CXBORDER),
        GetSystemMetrics(SM_CYBORDER), GetSystemMetrics(SM_CYCAPTION));
    RECT rect{};
    GetWindowRect(program.window, &rect);
    const long width = rect.right - rect.left;
    const long height = rect.bottom - rect.top;
    check(width == expected.width && height == expected.height,
          "%s: window is 25 W + 2 borders by 16 H + 8 borders + 2 captions "
          "(W %ld, H %ld: want %d x %d, have %ld x %ld)",
          what, static_cast<long>(metrics.tmAveCharWidth), static_cast<long>(metrics.tmHeight),
          expected.width, expected.height, width, height);
}

// The substitution of the prefix makes "ＭＳ明朝" a real Mincho face.
void checkMinchoFace() {
    LOGFONTA font{};
    font.lfHeight = -17;
    font.lfWeight = 400;
    font.lfCharSet = SHIFTJIS_CHARSET;
    std::strcpy(font.lfFaceName, kMinchoFace);
    HDC screen = GetDC(nullptr);
    HFONT made = CreateFontIndirectA(&font);
    HGDIOBJ kept = SelectObject(screen, made);
    std::vector<char> buffer(4096);
    auto* otm = reinterpret_cast<OUTLINETEXTMETRICA*>(buffer.data());
    const UINT size = GetOutlineTextMetricsA(screen, static_cast<UINT>(buffer.size()), otm);
    std::string family;
    if (size != 0) family = buffer.data() + reinterpret_cast<uintptr_t>(otm->otmpFamilyName);
    SelectObject(screen, kept);
    DeleteObject(made);
    ReleaseDC(nullptr, screen);
    check(family == "IPAMincho" || family == kIpaMinchoLocal,
          "the settings' default face is drawn with a Mincho font (%s)", family.c_str());
}

struct DateCase {
    const char* year;
    const char* month;
    bool valid;
    int32_t shownYear;  // when valid
    int32_t shownMonth;
};

// Enters a year and month in the date dialog and presses OK; an invalid
// pair must bring the message and leave the shown month as it was.
// `solstice`: the program numbers the lunar months from the winter solstice.
void enterDate(const Program& program, const DateCase& c, int32_t& year, int32_t& month,
               bool solstice = false) {
    char label[64];
    std::snprintf(label, sizeof label, "date \"%s\"/\"%s\"", c.year, c.month);
    PostMessageA(program.window, WM_COMMAND, IDM_DATE, 0);
    HWND dialog = waitForDialog(program, kDateCaption);
    if (dialog == nullptr) {
        check(false, "%s: the date dialog opens", label);
        return;
    }
    // It opens on the month shown, not on today's.
    check(tenvo::parseDecimal(textOf(GetDlgItem(dialog, IDC_YEAR_EDIT)).c_str()) == year &&
              tenvo::parseDecimal(textOf(GetDlgItem(dialog, IDC_MONTH_EDIT)).c_str()) == month,
          "%s: the dialog opens on %d-%02d", label, year, month);
    setText(GetDlgItem(dialog, IDC_YEAR_EDIT), c.year);
    setText(GetDlgItem(dialog, IDC_MONTH_EDIT), c.month);
    pressButton(dialog, IDOK);
    if (!c.valid) {
        HWND box = waitForDialog(program, kInvalidDateCaption);
        if (box == nullptr) {
            check(false, "%s: the invalid-date message appears", label);
        } else {
            check(textOf(GetDlgItem(box, kMessageBoxTextId)) == kInvalidDateText,
                  "%s: the invalid-date message reads as it should", label);
            pressButton(box, IDOK);
            waitForClose(box);
        }
    }
    check(waitForClose(dialog), "%s: the dialog closes", label);
    if (c.valid) {
        year = c.shownYear;
        month = c.shownMonth;
    }
    checkSheet(program, year, month, 0, label, false, solstice);
}

void aboutBox(const Program& program) {
    PostMessageA(program.window, WM_COMMAND, IDM_ABOUT, 0);
    HWND about = waitForDialog(program, nullptr);
    if (about == nullptr) {
        check(false, "about: the About box opens");
        return;
    }
    Sleep(300);
    check(textOf(GetDlgItem(about, IDC_LIB_VERSION)) == "1.0",
          "about: shows the library's version 1.0 (\"%s\")",
          textOf(GetDlgItem(about, IDC_LIB_VERSION)).c_str());
    check(textOf(GetDlgItem(about, IDC_APP_VERSION)) == "0.90",
          "about: shows the program's version 0.90");
    const PixelCounts shot = captureWindow(about, "about", true);
    check(shot.distinctColours >= 8 && shot.nonWhite > 10000,
          "about: the picture is painted (%d colours, %ld non-white pixels)", shot.distinctColours,
          shot.nonWhite);
    pressButton(about, IDOK);
    check(waitForClose(about), "about: the OK button closes it");
}

void fontChooserCancel(const Program& program, int32_t year, int32_t month, int32_t mode) {
    std::string iniBefore;
    readFile(gIniPath, iniBefore);
    RECT before{};
    GetWindowRect(program.window, &before);
    PostMessageA(program.window, WM_COMMAND, IDM_FONT, 0);
    HWND chooser = waitForDialog(program, nullptr);
    if (chooser == nullptr) {
        check(false, "font: the font chooser opens");
        return;
    }
    pressButton(chooser, IDCANCEL);
    check(waitForClose(chooser), "font: cancel closes the chooser");
    Sleep(700);
    check(visibleDialog(program.process.dwProcessId) == nullptr,
          "font: a cancelled chooser asks no question");
    RECT after{};
    GetWindowRect(program.window, &after);
    check(after.right - after.left == before.right - before.left &&
              after.bottom - after.top == before.bottom - before.top,
          "font: a cancelled chooser keeps the window's size (the fonts are unchanged)");
    std::string iniAfter;
    readFile(gIniPath, iniAfter);
    check(iniAfter == iniBefore, "font: a cancelled chooser leaves the settings file alone");
    const PixelCounts shot = captureWindow(program.window, "after-font-cancel", false);
    check(shot.red > 0 && shot.blue > 0 && shot.dark > 0,
          "font: the sheet is still drawn after the cancel");
    checkSheet(program, year, month, mode, "font cancel");
}

// Chooses every mode answering Cancel: the annotations change at once and
// nothing is written. With a picture name, each mode's window is captured
// and must show the sheet.
void cycleModesWithCancel(const Program& program, int32_t year, int32_t month,
                          const char* pictureSuffix) {
    for (const ModeCase& m : kModeCases) {
        std::string iniBefore;
        const bool existed = readFile(gIniPath, iniBefore);
        if (!chooseMode(program, m, IDCANCEL)) continue;
        checkSheet(program, year, month, m.mode, m.name);
        std::string iniAfter;
        const bool exists = readFile(gIniPath, iniAfter);
        check(exists == existed && iniAfter == iniBefore,
              "%s with Cancel: the settings file is not written", m.name);
        if (pictureSuffix == nullptr) continue;
        char shot[64];
        std::snprintf(shot, sizeof shot, "mode-%d-%s-%s", m.mode, m.name, pictureSuffix);
        const PixelCounts counts = captureWindow(program.window, shot, false);
        check(counts.red > 0 && counts.blue > 0 && counts.dark > 0 && counts.distinctColours >= 3,
              "%s: the window shows the sheet in red, blue and black (%ld/%ld/%ld, %d colours)",
              m.name, counts.red, counts.blue, counts.dark, counts.distinctColours);
    }
}

// ---- Scenarios ------------------------------------------------------------

void mainScenario(const char* programPath) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    int32_t year = now.wYear;
    int32_t month = now.wMonth;

    DeleteFileA(gIniPath.c_str());
    checkMinchoFace();

    Program program;
    if (!startProgram(program, programPath, "first start", true)) return;
    checkCaptionButtons(program);

    // No settings file: mode 0, today's month, the default font.
    checkSheet(program, year, month, 0, "first start");
    std::string viaMenu;
    std::string viaKey;
    const bool copiedKey = copyAndRead(program, false, viaKey);
    const bool copiedMenu = copyAndRead(program, true, viaMenu);
    check(copiedKey && copiedMenu && viaKey == viaMenu && viaKey.size() == 420,
          "Ctrl+C and the menu's copy give the same 420 bytes and a NUL");
    LOGFONTA defaults{};
    defaults.lfHeight = -17;
    defaults.lfWeight = 400;
    defaults.lfCharSet = SHIFTJIS_CHARSET;
    std::strcpy(defaults.lfFaceName, kMinchoFace);
    checkWindowSize(program, defaults, "first start");
    check(!iniExists(), "first start: nothing is written");

    // Cancel: the annotations change at once, nothing is written.
    cycleModesWithCancel(program, year, month, nullptr);

    // OK: "calmode" holds the code.
    for (const ModeCase& m : kModeCases) {
        if (!chooseMode(program, m, IDOK)) continue;
        const UINT stored = storedSoon("calmode", static_cast<UINT>(m.mode));
        check(stored == static_cast<UINT>(m.mode), "%s with OK: calmode=%d stored (%u)", m.name,
              m.mode, stored);
        checkSheet(program, year, month, m.mode, m.name);
    }
    // The last OK above stored 0; store 3 for the restart.
    chooseMode(program, kModeCases[2], IDOK);
    std::string ini;
    readFile(gIniPath, ini);
    check(ini.find("[CalData]\r\ncalmode=3\r\n") != std::string::npos,
          "the settings file holds [CalData] calmode=3 with CR LF lines");

    aboutBox(program);
    fontChooserCancel(program, year, month, 3);
    stopProgram(program, "first run");

    // A restart shows the stored mode.
    if (!startProgram(program, programPath, "restart", false)) return;
    checkSheet(program, year, month, 3, "restart with calmode=3");

    // The date dialog.
    const DateCase dates[] = {
        {"1870", "1", true, 1870, 1},   {"2019", "12", true, 2019, 12},
        {"2026", "12", true, 2026, 12}, {"2100", "12", true, 2100, 12},
        {"1869", "5", false, 0, 0},     {"2101", "1", false, 0, 0},
        {"2000", "0", false, 0, 0},     {"2000", "13", false, 0, 0},
        {"", "5", false, 0, 0},         {"1997", "1a", true, 1997, 1},
        {"1998", " 2", true, 1998, 2},  {"20195", "1", true, 2019, 1},
    };
    // The sheet's text is compared in mode 0. The year field is read into 5
    // bytes and the month into 3, so "20195" is read as 2019.
    chooseMode(program, kModeCases[5], IDCANCEL);
    for (const DateCase& c : dates) enterDate(program, c, year, month);

    // Cancel keeps the month.
    PostMessageA(program.window, WM_COMMAND, IDM_DATE, 0);
    HWND dialog = waitForDialog(program, kDateCaption);
    if (dialog != nullptr) {
        setText(GetDlgItem(dialog, IDC_YEAR_EDIT), "1999");
        pressButton(dialog, IDCANCEL);
        check(waitForClose(dialog), "date cancel: the dialog closes");
        checkSheet(program, year, month, 0, "date cancel");
    } else {
        check(false, "date cancel: the dialog opens");
    }

    // The up-down controls step with the arrow keys and wrap at the ends of
    // their ranges: the year 2100 .. 1870, the month 12 .. 1.
    dialog = nullptr;
    PostMessageA(program.window, WM_COMMAND, IDM_DATE, 0);
    dialog = waitForDialog(program, kDateCaption);
    if (dialog != nullptr) {
        struct Step {
            int control;
            const char* start;
            WPARAM key;
            const char* expected;
        };
        const Step steps[] = {
            {IDC_YEAR_EDIT, "2100", VK_UP, "1870"}, {IDC_YEAR_EDIT, "1870", VK_DOWN, "2100"},
            {IDC_YEAR_EDIT, "2019", VK_UP, "2020"}, {IDC_YEAR_EDIT, "1900", VK_UP, "1901"},
            {IDC_MONTH_EDIT, "12", VK_UP, "1"},     {IDC_MONTH_EDIT, "1", VK_DOWN, "12"},
        };
        for (const Step& step : steps) {
            HWND edit = GetDlgItem(dialog, step.control);
            setText(edit, step.start);
            // The up-down reads its buddy's text when it is told to.
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(
                GetDlgItem(dialog, step.control == IDC_YEAR_EDIT ? IDC_YEAR_SPIN : IDC_MONTH_SPIN),
                UDM_SETPOS32, 0, tenvo::parseDecimal(step.start), SMTO_ABORTIFHUNG, 2000, &ignored);
            PostMessageA(edit, WM_KEYDOWN, step.key, 0);
            PostMessageA(edit, WM_KEYUP, step.key, 0);
            Sleep(250);
            const std::string shown = textOf(edit);
            check(shown == step.expected, "date dialog: %s %s gives %s (%s)", step.start,
                  step.key == VK_UP ? "up" : "down", step.expected, shown.c_str());
        }
        pressButton(dialog, IDCANCEL);
        check(waitForClose(dialog), "date dialog: cancel closes it after stepping");
        checkSheet(program, year, month, 0, "after stepping");
    } else {
        check(false, "date dialog: opens for stepping");
    }

    // Every mode on a month inside the lunisolar tables, with pictures.
    checkWindowSize(program, defaults, "second run");
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%04d-%02d", year, month);
    cycleModesWithCancel(program, year, month, suffix);
    stopProgram(program, "second run");
}

// PageDown, PageUp and the wheel turn the page, Home returns to this month;
// each turn shows in the copied sheet and the date dialog opens on it. The
// keys go through the program's message loop as typed keys do.
void turnPages(const char* programPath) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    DeleteFileA(gIniPath.c_str());
    Program program;
    if (!startProgram(program, programPath, "pages", false)) return;
    int32_t year = now.wYear;
    int32_t month = now.wMonth;
    enterDate(program, {"2019", "12", true, 2019, 12}, year, month);

    const auto wheel = [](int delta) { return MAKEWPARAM(0, static_cast<WORD>(delta)); };
    struct Turn {
        const char* what;
        UINT message;
        WPARAM wParam;
        int32_t year;
        int32_t month;
    };
    const Turn turns[] = {
        {"PageDown over the turn of the year", WM_KEYDOWN, VK_NEXT, 2020, 1},
        {"PageUp over the turn of the year", WM_KEYDOWN, VK_PRIOR, 2019, 12},
        {"wheel towards the user", WM_MOUSEWHEEL, wheel(-WHEEL_DELTA), 2020, 1},
        {"wheel away", WM_MOUSEWHEEL, wheel(WHEEL_DELTA), 2019, 12},
        {"wheel two notches away", WM_MOUSEWHEEL, wheel(2 * WHEEL_DELTA), 2019, 10},
        {"half a notch", WM_MOUSEWHEEL, wheel(-WHEEL_DELTA / 2), 2019, 10},
        {"the other half", WM_MOUSEWHEEL, wheel(-WHEEL_DELTA / 2), 2019, 11},
        {"Home", WM_KEYDOWN, VK_HOME, now.wYear, now.wMonth},
    };
    for (const Turn& t : turns) {
        PostMessageA(program.window, t.message, t.wParam, 0);
        if (t.message == WM_KEYDOWN) PostMessageA(program.window, WM_KEYUP, t.wParam, 0);
        checkSheet(program, t.year, t.month, 0, t.what);
        year = t.year;
        month = t.month;
    }
    captureWindow(program.window, "pages-this-month", false);

    // The first month stays the first; the dialog opens on the month turned to.
    enterDate(program, {"1870", "1", true, 1870, 1}, year, month);
    PostMessageA(program.window, WM_KEYDOWN, VK_PRIOR, 0);
    checkSheet(program, 1870, 1, 0, "PageUp at 1870-01");
    PostMessageA(program.window, WM_KEYDOWN, VK_NEXT, 0);
    checkSheet(program, 1870, 2, 0, "PageDown from 1870-01");
    month = 2;
    enterDate(program, {"1999", "5", true, 1999, 5}, year, month);
    check(isAlive(program) && !iniExists(), "pages: nothing is written");
    stopProgram(program, "pages");
}

struct HostileCase {
    const char* name;
    std::string content;
    bool modeKnown;        // whether the mode the sheet shows is known
    int32_t expectedMode;  // that mode
};

std::string randomBytes(unsigned seed, size_t count) {
    std::string out;
    for (size_t i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        out.push_back(static_cast<char>((seed >> 16) & 0xff));
    }
    return out;
}

// The month rule: its menu item numbers the lunar months from 冬至 at once,
// writes "monthrule" only on OK, and a restart keeps what was written. In
// January 1985 the readings part from the 21st (month 12 or month 1).
void monthRuleScenario(const char* programPath) {
    DeleteFileA(gIniPath.c_str());
    Program program;
    if (!startProgram(program, programPath, "month rule", false)) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    int32_t year = now.wYear;
    int32_t month = now.wMonth;
    enterDate(program, {"1985", "1", true, 1985, 1}, year, month);
    check(expectedText(1985, 1, 0) != expectedText(1985, 1, 0, true),
          "month rule: the readings differ in 1985-01");

    const ModeCase rule{IDM_RULE_SOLSTICE, 0, "month rule"};
    // Cancel: on at once, nothing written.
    if (chooseMode(program, rule, IDCANCEL)) {
        checkSheet(program, 1985, 1, 0, "month rule on, Cancel", false, true);
        check(!iniExists(), "month rule with Cancel: nothing is written");
    }
    // OK twice: off (monthrule=0), then on again (monthrule=1).
    for (const UINT stored : {0u, 1u}) {
        if (!chooseMode(program, rule, IDOK)) continue;
        checkSheet(program, 1985, 1, 0, "month rule with OK", false, stored == 1);
        check(GetPrivateProfileIntA("CalData", "monthrule", 77, gIniPath.c_str()) == stored,
              "month rule with OK: monthrule=%u stored", stored);
    }
    stopProgram(program, "month rule");

    if (!startProgram(program, programPath, "restart with monthrule=1", false)) return;
    year = now.wYear;
    month = now.wMonth;
    enterDate(program, {"1985", "1", true, 1985, 1}, year, month, true);
    stopProgram(program, "restart with monthrule=1");
    DeleteFileA(gIniPath.c_str());
}

void hostileSettings(const char* programPath) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string longFace(300, 'A');
    std::string cutFace(31, 'B');
    cutFace += "\x96\xbe\x92\xa9";  // a two-byte character across the 31-byte limit
    const HostileCase cases[] = {
        {"calmode 99", "[CalData]\r\ncalmode=99\r\n", true, 99},
        {"calmode -5", "[CalData]\r\ncalmode=-5\r\n", true, -5},
        {"300-byte face", "[FontData]\r\nlfFaceName=" + longFace + "\r\n", true, 0},
        {"face cut in a character", "[FontData]\r\nlfFaceName=" + cutFace + "\r\n", true, 0},
        {"huge negative height",
         "[CalData]\r\ncalmode=2\r\n[FontData]\r\nlfHeight=-2147483648\r\nlfWeight=99999\r\n"
         "lfItalic=300\r\n",
         true, 2},
        {"huge height", "[FontData]\r\nlfHeight=2147483647\r\nlfWeight=-7\r\n", true, 0},
        {"height 0", "[FontData]\r\nlfHeight=0\r\n", true, 0},
        {"random bytes", randomBytes(7, 2000), true, 0},
        {"random bytes in sections",
         "[CalData]\r\ncalmode=" + randomBytes(11, 40) + "\r\n[FontData]\r\n" +
             randomBytes(13, 400),
         false, 0},
    };
    for (const HostileCase& c : cases) {
        writeFile(gIniPath, c.content);
        Program program;
        char label[80];
        std::snprintf(label, sizeof label, "settings with %s", c.name);
        if (!startProgram(program, programPath, label, false)) {
            if (program.running) TerminateProcess(program.process.hProcess, 1);
            continue;
        }
        check(isAlive(program), "%s: the program runs", label);
        if (c.modeKnown) {
            checkSheet(program, now.wYear, now.wMonth, c.expectedMode, label);
        } else {
            std::string text;
            check(copyAndRead(program, false, text) && text.size() == 420,
                  "%s: the sheet can be copied", label);
        }
        stopProgram(program, label);
        std::string after;
        readFile(gIniPath, after);
        check(after == c.content, "%s: the settings file is not rewritten", label);
    }
    DeleteFileA(gIniPath.c_str());
}

// Started without its library, or beside one that lacks an export, the
// program says what is missing in one message and ends with a non-zero
// status.
void missingLibrary(const char* programPath, const char* partialDir) {
    struct Place {
        std::string dir;
        const char* expect;
        const char* name;
    };
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    std::vector<Place> places;
    places.push_back({std::string(cwd) + "\\no-library", "vorane2.dll", "without vorane2.dll"});
    CreateDirectoryA(places[0].dir.c_str(), nullptr);
    if (partialDir != nullptr)
        places.push_back({partialDir, "adto9rek", "beside a vorane2.dll without adto9rek"});
    for (const Place& place : places) {
        const std::string exe = place.dir + "\\tenvo.exe";
        CopyFileA(programPath, exe.c_str(), FALSE);
        Program program;
        if (!startProcess(program, exe.c_str(), place.dir.c_str())) {
            check(false, "%s: the program starts", place.name);
            continue;
        }
        HWND box = waitForDialog(program, nullptr, 8000);
        const std::string message =
            box != nullptr ? textOf(GetDlgItem(box, kMessageBoxTextId)) : "";
        check(box != nullptr && message.find(place.expect) != std::string::npos,
              "%s: one message names the missing piece (\"%s\")", place.name, message.c_str());
        check(mainWindowOf(program.process.dwProcessId) == nullptr, "%s: no main window is made",
              place.name);
        if (box != nullptr) pressButton(box, IDOK);
        const bool ended = WaitForSingleObject(program.process.hProcess, 8000) == WAIT_OBJECT_0;
        DWORD code = 0;
        if (!ended) TerminateProcess(program.process.hProcess, 0);
        GetExitCodeProcess(program.process.hProcess, &code);
        check(ended && code != 0, "%s: the program ends with a non-zero status (%lu)", place.name,
              static_cast<unsigned long>(code));
        CloseHandle(program.process.hProcess);
        CloseHandle(program.process.hThread);
    }
}

// ---- Holidays by law ------------------------------------------------------

// Switches the holiday rule and answers the save question with `button`.
void switchHolidayRule(const Program& program, int button, const char* what) {
    PostMessageA(program.window, WM_COMMAND, IDM_HOLIDAYS_BY_LAW, 0);
    HWND box = waitForDialog(program, kSaveCaption);
    check(box != nullptr && textOf(GetDlgItem(box, kMessageBoxTextId)) == kSaveModeQuestion,
          "%s: the mode's save question appears", what);
    if (box != nullptr) {
        pressButton(box, button);
        waitForClose(box);
    }
    Sleep(300);
}

HWND tooltipOf(const Program& program) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, TOOLTIPS_CLASSA, nullptr)) != nullptr) {
        if (processOf(window) == program.process.dwProcessId) return window;
    }
    return nullptr;
}

// Points at the middle of the cell of `column`, `row` (the sheet is 25
// average character widths by 16 lines).
void pointAt(const Program& program, int column, int row) {
    RECT client;
    GetClientRect(program.window, &client);
    const POINT inside{(client.right * (7 + 6 * column)) / 50,
                       (client.bottom * (4 + 2 * row)) / 16};
    POINT at = inside;
    ClientToScreen(program.window, &at);
    // The pointer itself must be there (the tip checks it), and the window
    // must hear of it.
    SetCursorPos(at.x, at.y);
    PostMessageA(program.window, WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
}

bool tipVisible(void* tips) { return IsWindowVisible(static_cast<HWND>(tips)) != 0; }

// The check item only recolours days (the text stays that of the fixed
// table), stores "holidays" after the mode's question, and heads the tip of
// a red day with its name. October 2019: the fixed table marks the 10th;
// the law marks the 14th and the 22nd (a Tuesday) instead.
void holidaysByLaw(const char* programPath) {
    DeleteFileA(gIniPath.c_str());
    Program program;
    if (!startProgram(program, programPath, "holidays", false)) return;
    check(tooltipOf(program) != nullptr, "holidays: without the key the days' tooltip exists");
    SYSTEMTIME now;
    GetLocalTime(&now);
    int32_t year = now.wYear;
    int32_t month = now.wMonth;
    enterDate(program, DateCase{"2019", "10", true, 2019, 10}, year, month);
    const PixelCounts fixed = captureWindow(program.window, "holidays-fixed-2019-10", false);

    switchHolidayRule(program, IDCANCEL, "holidays on, cancel");
    const PixelCounts law = captureWindow(program.window, "holidays-law-2019-10", false);
    check(!iniExists(), "holidays on, cancel: nothing written");
    check(law.red > fixed.red, "holidays on: one red day more (%ld red pixels, %ld before)",
          law.red, fixed.red);
    checkSheet(program, 2019, 10, 0, "holidays on: the text");

    HWND tips = tooltipOf(program);
    DWORD_PTR tools = 0;
    if (tips != nullptr) {
        SendMessageTimeoutA(tips, TTM_GETTOOLCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &tools);
    }
    check(tips != nullptr && tools == 42, "holidays on: a tooltip with a tool per cell (%u)",
          static_cast<unsigned>(tools));
    if (tips != nullptr) {
        // 22 October 2019 is a Tuesday in the fourth week line.
        pointAt(program, 2, 3);
        check(waitUntil(3000, tipVisible, tips), "holidays on: pointing at the 22nd shows a tip");
        Sleep(300);  // drawn after it shows
        const PixelCounts tip = captureWindow(tips, "holidays-tip-2019-10-22", true);
        check(tip.dark > 20, "holidays on: the tip holds text (%ld dark pixels)", tip.dark);
        const std::string plain = expectedDayTip(2019, 10, 23, true);
        check(tipShownFor(program, tips, 2019, 10, 23, plain) == plain,
              "holidays on: the 23rd's tip is its lore without a holiday's name");
        const std::string named = expectedDayTip(2019, 10, 22, true);
        check(tipShownFor(program, tips, 2019, 10, 22, named) == named,
              "holidays on: back on the 22nd, its tip headed by its name");
    }

    switchHolidayRule(program, IDOK, "holidays off, OK");
    check(storedSoon("holidays", 0) == 0 && tooltipOf(program) != nullptr,
          "holidays off, OK: holidays=0 stored, the days' tooltip stays");
    switchHolidayRule(program, IDOK, "holidays on, OK");
    check(storedSoon("holidays", 1) == 1, "holidays on, OK: holidays=1 stored");
    stopProgram(program, "holidays");

    if (!startProgram(program, programPath, "holidays restart", false)) return;
    year = now.wYear;
    month = now.wMonth;
    enterDate(program, DateCase{"2019", "10", true, 2019, 10}, year, month);
    const PixelCounts restarted = captureWindow(program.window, "holidays-restart-2019-10", false);
    check(restarted.red == law.red, "holidays restart: the law's red days (%ld, %ld)",
          restarted.red, law.red);
    stopProgram(program, "holidays restart");
    DeleteFileA(gIniPath.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: tenvo_driver PROGRAM SHOTS_DIR [PARTIAL_LIBRARY_DIR]\n");
        return 2;
    }
    const char* programPath = argv[1];
    gShotsDir = argv[2];
    // The folder of the incomplete library, made absolute.
    std::string partialDir;
    if (argc > 3) {
        partialDir = argv[3];
        if (partialDir.size() < 2 || partialDir[1] != ':') {
            char cwd[MAX_PATH];
            GetCurrentDirectoryA(sizeof cwd, cwd);
            partialDir = std::string(cwd) + "\\" + partialDir;
        }
    }

    if (!bindLibraryAndSettings("the driver")) return 1;

    mainScenario(programPath);
    monthRuleScenario(programPath);
    turnPages(programPath);
    hostileSettings(programPath);
    holidaysByLaw(programPath);
    almanacScenario(programPath);
    missingLibrary(programPath, partialDir.empty() ? nullptr : partialDir.c_str());

    std::printf("%d passed, %d failed\n", gPasses, gFailures);
    return gFailures == 0 ? 0 : 1;
}
