// The means by which the Windows test programs operate tenvo.exe from a
// second process in the same Wine prefix: starting and ending it, finding
// its dialogs, pressing their buttons, copying the sheet and comparing it
// with the month-sheet code's own text, and reading the settings file.
#include "program_control.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "annotations.h"
#include "month_sheet.h"
#include "resource.h"

namespace tenvo_test {

using tenvo::kSheetTextBytes;

// ---- Reporting --------------------------------------------------------

int gFailures = 0;
int gPasses = 0;

void check(bool passed, const char* format, ...) {
    char text[600];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::printf("%s %s\n", passed ? "ok" : "FAIL", text);
    std::fflush(stdout);
    if (passed) {
        ++gPasses;
    } else {
        ++gFailures;
    }
}

std::string hexBytes(const char* bytes, size_t count) {
    std::string out;
    char pair[4];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(bytes[i]));
        out += pair;
    }
    return out;
}

// ---- The program's process and windows ------------------------------------

bool waitUntil(DWORD milliseconds, bool (*condition)(void*), void* context) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition(context)) return true;
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(20);
    }
}

DWORD processOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::string classOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string textOf(HWND window) {
    char text[512] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, &length);
    text[sizeof text - 1] = '\0';
    return text;
}

void setText(HWND window, const char* text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, &result);
}

struct DialogSearch {
    DWORD pid;
    const char* caption;  // null: any caption
    HWND found;
};

BOOL CALLBACK findDialogCallback(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<DialogSearch*>(lParam);
    if (processOf(window) != search->pid || !IsWindowVisible(window)) return TRUE;
    if (classOf(window) != "#32770") return TRUE;
    if (search->caption != nullptr) {
        char caption[256] = "";
        GetWindowTextA(window, caption, sizeof caption);
        if (std::strcmp(caption, search->caption) != 0) return TRUE;
    }
    search->found = window;
    return FALSE;
}

// A visible dialog or message box of the process, or null.
HWND visibleDialog(DWORD pid, const char* caption) {
    DialogSearch search{pid, caption, nullptr};
    EnumWindows(findDialogCallback, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits for a dialog and gives it a moment to fill its controls.
HWND waitForDialog(const Program& program, const char* caption, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        HWND dialog = visibleDialog(program.process.dwProcessId, caption);
        if (dialog != nullptr) {
            Sleep(150);
            return dialog;
        }
        Sleep(20);
    }
    return nullptr;
}

bool waitForClose(HWND window, DWORD milliseconds) {
    return waitUntil(
        milliseconds, [](void* w) { return !IsWindow(static_cast<HWND>(w)); }, window);
}

void pressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

HWND mainWindowOf(DWORD pid) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "MIVARO_CAL", nullptr)) != nullptr) {
        if (processOf(window) == pid) return window;
    }
    return nullptr;
}

bool startProcess(Program& program, const char* path, const char* directory) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = std::string("\"") + path + "\"";
    program = Program{};
    if (!CreateProcessA(path, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory,
                        &startup, &program.process)) {
        return false;
    }
    program.running = true;
    return true;
}

// Starts the program and follows its start: the opening picture shows while
// the main window is not yet visible, closes by itself after about a second,
// and then the main window is shown.
bool startProgram(Program& program, const char* path, const char* label, bool checkSplash) {
    if (!startProcess(program, path, nullptr)) {
        check(false, "%s: the program starts (CreateProcess error %lu)", label,
              static_cast<unsigned long>(GetLastError()));
        return false;
    }
    const DWORD pid = program.process.dwProcessId;
    const DWORD start = GetTickCount();
    DWORD splashSeen = 0;
    DWORD splashGone = 0;
    while (GetTickCount() - start < 15000) {
        HWND window = mainWindowOf(pid);
        const bool shown = window != nullptr && IsWindowVisible(window);
        HWND dialog = visibleDialog(pid);
        if (dialog != nullptr && !shown && splashSeen == 0) splashSeen = GetTickCount();
        if (shown && dialog == nullptr) {
            splashGone = GetTickCount();
            program.window = window;
            break;
        }
        if (WaitForSingleObject(program.process.hProcess, 0) == WAIT_OBJECT_0) break;
        Sleep(20);
    }
    if (program.window == nullptr) {
        DWORD code = 0;
        GetExitCodeProcess(program.process.hProcess, &code);
        check(false, "%s: the main window appears (process exit code %lu)", label,
              static_cast<unsigned long>(code));
        return false;
    }
    if (checkSplash) {
        const DWORD shownFor = splashGone - splashSeen;
        check(splashSeen != 0 && shownFor >= 700 && shownFor <= 6000,
              "%s: the opening picture shows (%lu ms) and closes by itself", label,
              static_cast<unsigned long>(splashSeen != 0 ? shownFor : 0));
    }
    check(true, "%s: main window of class MIVARO_CAL appears", label);
    Sleep(300);  // the first paint sizes the window
    return true;
}

// Ends the program with its exit command and checks it returns 0.
void stopProgram(Program& program, const char* label) {
    if (!program.running) return;
    PostMessageA(program.window, WM_COMMAND, IDM_EXIT, 0);
    const bool ended = WaitForSingleObject(program.process.hProcess, 10000) == WAIT_OBJECT_0;
    DWORD code = 1;
    if (!ended) {
        TerminateProcess(program.process.hProcess, 99);
        WaitForSingleObject(program.process.hProcess, 5000);
    }
    GetExitCodeProcess(program.process.hProcess, &code);
    check(ended && code == 0, "%s: the exit command ends the program with status 0 (%lu)", label,
          static_cast<unsigned long>(code));
    CloseHandle(program.process.hProcess);
    CloseHandle(program.process.hThread);
    program.running = false;
}

bool isAlive(const Program& program) {
    return WaitForSingleObject(program.process.hProcess, 0) == WAIT_TIMEOUT;
}

// ---- Clipboard --------------------------------------------------------

bool openClipboardSoon() {
    for (int i = 0; i < 100; ++i) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(20);
    }
    return false;
}

// The clipboard's CF_TEXT after the program copies: 421 bytes (420 and a
// NUL) are read, or fewer if the block is shorter.
bool copyAndRead(const Program& program, bool viaMenu, std::string& text) {
    const DWORD before = GetClipboardSequenceNumber();
    if (viaMenu) {
        PostMessageA(program.window, WM_COMMAND, IDM_COPY, 0);
    } else {
        PostMessageA(program.window, WM_CHAR, 3, 0);  // Ctrl+C
    }
    const DWORD start = GetTickCount();
    while (GetClipboardSequenceNumber() == before || !IsClipboardFormatAvailable(CF_TEXT)) {
        if (GetTickCount() - start > 5000) return false;
        Sleep(20);
    }
    Sleep(50);
    if (!openClipboardSoon()) return false;
    bool ok = false;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data != nullptr) {
        const char* bytes = static_cast<const char*>(GlobalLock(data));
        const size_t size = GlobalSize(data);
        if (bytes != nullptr) {
            size_t length = 0;
            while (length < size && bytes[length] != '\0') ++length;
            text.assign(bytes, length);
            ok = true;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return ok;
}

// ---- Expected sheet -------------------------------------------------------

tenvo::LibraryBinding gLibrary;

// `solstice`: with the lunar months numbered from the winter solstice.
SheetText expectedText(int32_t year, int32_t month, int32_t mode, bool solstice) {
    tenvo::MonthSheet sheet;
    sheet.year = static_cast<uint16_t>(year);
    sheet.month = static_cast<uint16_t>(month);
    sheet.mode = mode;
    tenvo::composeMonth(sheet, solstice ? tenvo::withSolsticeReading(gLibrary) : gLibrary);
    return tenvo::composeSheetText(sheet);
}

// Copies the sheet (by Ctrl+C or by the menu) and compares it with the
// month-sheet code's text for that month and mode.
bool checkSheet(const Program& program, int32_t year, int32_t month, int32_t mode, const char* what,
                bool viaMenu, bool solstice) {
    std::string text;
    const bool copied = copyAndRead(program, viaMenu, text);
    const SheetText expected = expectedText(year, month, mode, solstice);
    const bool same = copied && text.size() == kSheetTextBytes - 1 &&
                      std::memcmp(text.data(), expected.data(), kSheetTextBytes - 1) == 0;
    if (!same && copied) {
        size_t at = 0;
        while (at < text.size() && at < kSheetTextBytes - 1 && text[at] == expected[at]) ++at;
        check(
            false, "%s: sheet of %d-%02d mode %d (%zu bytes, first difference at %zu: %s)", what,
            year, month, mode, text.size(), at,
            hexBytes(text.data() + at, text.size() > at ? std::min<size_t>(8, text.size() - at) : 0)
                .c_str());
        return false;
    }
    check(same, "%s: clipboard holds the 421-byte sheet of %d-%02d in mode %d", what, year, month,
          mode);
    return same;
}

// ---- Settings file ------------------------------------------------------

std::string gIniPath;

bool readFile(const std::string& path, std::string& content) {
    content.clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    CloseHandle(file);
    return true;
}

void writeFile(const std::string& path, const std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

bool iniExists() { return GetFileAttributesA(gIniPath.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A key of "CalData" once it holds `expected`, or what it holds (77 when
// absent) after three seconds: the program writes only after its question
// has closed.
UINT storedSoon(const char* key, UINT expected) {
    const DWORD start = GetTickCount();
    UINT stored = 77;
    while ((stored = GetPrivateProfileIntA("CalData", key, 77, gIniPath.c_str())) != expected &&
           GetTickCount() - start < 3000) {
        Sleep(20);
    }
    return stored;
}

ScreenPixels grabScreen(const RECT& rect) {
    ScreenPixels out;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0 || width > 4000 || height > 4000) return out;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ kept = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const unsigned*>(bits);
    out.width = width;
    out.height = height;
    out.rgb.assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height));
    for (unsigned& p : out.rgb) p &= 0xffffff;
    SelectObject(memory, kept);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return out;
}

bool bindLibraryAndSettings(const char* who) {
    char windowsDir[MAX_PATH];
    GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    gIniPath = std::string(windowsDir) + "\\MIVARO.INI";
    HMODULE library = nullptr;
    char problem[256];
    if (tenvo::loadCalendarLibrary(gLibrary, library, problem, sizeof problem) !=
        tenvo::BindResult::Bound) {
        std::printf("FAIL %s cannot bind the library: %s\n", who, problem);
        return false;
    }
    return true;
}

}  // namespace tenvo_test
