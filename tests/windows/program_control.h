// Operating tenvo.exe from a second process in the same Wine prefix: shared
// by the scripted driver and the random walk.
#pragma once

// windows.h first: the other Win32 headers need its types.
// clang-format off
#include <windows.h>
// clang-format on

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "library_loader.h"
#include "sheet_text.h"

namespace tenvo_test {

using SheetText = std::array<char, tenvo::kSheetTextBytes>;

// ---- Texts the program shows (Shift-JIS) ----------------------------------

inline constexpr char kSaveCaption[] =
    "\x95\xcf\x8d\x58\xc3\xde\xb0\xc0\x8a\x69\x94\x5b" /* 変更ﾃﾞｰﾀ格納 */;
inline constexpr char kSaveModeQuestion[] =
    "\x95\xcf\x8d\x58\x82\xb5\x82\xbd\xb6\xda\xdd\xc0\xde\xd3\xb0\xc4\xde\x82\xf0\x8a\x69\x94"
    "\x5b\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48" /* 変更したｶﾚﾝﾀﾞﾓｰﾄﾞを格納しますか？ */;
inline constexpr char kDateCaption[] =
    "\x94\x4e\x8c\x8e\xc3\xde\xb0\xc0\x93\xfc\x97\xcd" /* 年月ﾃﾞｰﾀ入力 */;
inline constexpr char kInvalidDateCaption[] = "\x93\xfc\x97\xcd\xd0\xbd" /* 入力ﾐｽ */;
// 入力された日付が妥当なものではありません.\n入力しなおしてください.
inline constexpr char kInvalidDateText[] =
    "\x93\xfc\x97\xcd\x82\xb3\x82\xea\x82\xbd\x93\xfa\x95\x74\x82\xaa\x91\xc3\x93\x96\x82\xc8"
    "\x82\xe0\x82\xcc\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x2e\n"
    "\x93\xfc\x97\xcd\x82\xb5\x82\xc8\x82\xa8\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2"
    "\x2e";
inline constexpr char kMinchoFace[] = "\x82\x6c\x82\x72\x96\xbe\x92\xa9" /* ＭＳ明朝 */;
inline constexpr char kIpaMinchoLocal[] = "\x49\x50\x41\x96\xbe\x92\xa9" /* IPA明朝 */;

// A message box's text control (Wine and Windows alike).
inline constexpr int kMessageBoxTextId = 0xffff;

// ---- Reporting --------------------------------------------------------

extern int gFailures;
extern int gPasses;

// Prints "ok TEXT" or "FAIL TEXT" and counts it.
void check(bool passed, const char* format, ...);
std::string hexBytes(const char* bytes, size_t count);

// ---- The program's process and windows ----------------------------------

struct Program {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    bool running = false;
};

bool waitUntil(DWORD milliseconds, bool (*condition)(void*), void* context);
DWORD processOf(HWND window);
std::string classOf(HWND window);
std::string textOf(HWND window);
void setText(HWND window, const char* text);
// A visible dialog or message box of the process (of that caption), or null.
HWND visibleDialog(DWORD pid, const char* caption = nullptr);
// Waits for a dialog and gives it a moment to fill its controls.
HWND waitForDialog(const Program& program, const char* caption, DWORD milliseconds = 5000);
bool waitForClose(HWND window, DWORD milliseconds = 5000);
void pressButton(HWND dialog, int id);
HWND mainWindowOf(DWORD pid);
bool startProcess(Program& program, const char* path, const char* directory);
// Starts the program and waits for its main window once the opening
// picture has gone (and, with `checkSplash`, checks how long it showed).
bool startProgram(Program& program, const char* path, const char* label, bool checkSplash);
// Ends the program with its exit command and checks it returns 0.
void stopProgram(Program& program, const char* label);
bool isAlive(const Program& program);

// ---- Clipboard and the expected sheet --------------------------------------

// Copies the sheet by Ctrl+C (or the menu) and reads the clipboard's text.
bool copyAndRead(const Program& program, bool viaMenu, std::string& text);

// The library the expected sheets are composed with (the same vorane2.dll).
extern tenvo::LibraryBinding gLibrary;

// The month-sheet code's text of a month and mode; `solstice`: with the
// lunar months numbered from the winter solstice.
SheetText expectedText(int32_t year, int32_t month, int32_t mode, bool solstice = false);

// Copies the sheet and compares it with expectedText, reporting through
// check().
bool checkSheet(const Program& program, int32_t year, int32_t month, int32_t mode, const char* what,
                bool viaMenu = false, bool solstice = false);

// ---- Settings file ---------------------------------------------------------

// "MIVARO.INI" in the Windows folder.
extern std::string gIniPath;

bool readFile(const std::string& path, std::string& content);
void writeFile(const std::string& path, const std::string& content);
bool iniExists();
// A key of "CalData" once it holds `expected`, or what it holds (77 when
// absent) after three seconds.
UINT storedSoon(const char* key, UINT expected);

// The screen's pixels in a rectangle, as 0xRRGGBB, row by row from the top.
struct ScreenPixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned> rgb;
    unsigned at(int x, int y) const { return rgb[static_cast<size_t>(y * width + x)]; }
};
// Empty for an empty rectangle or one larger than any screen of ours.
ScreenPixels grabScreen(const RECT& rect);

// What every test program does first: the settings file's path in the
// prefix's Windows folder, and the library bound by ordinal into gLibrary.
// False, with one FAIL line naming `who`, when the library cannot be bound.
bool bindLibraryAndSettings(const char* who);

}  // namespace tenvo_test
