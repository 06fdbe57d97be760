// The driver's almanac scenario: the calendar modes "&K暦注", "&J十二直" and
// "&Y旧暦"
// as a person chooses them (their question, what they store, their check
// marks, what a restart shows), and the tooltip over a day, whose shown
// text must be that day's whole lore, for days whose items are published
// facts.
#include "driver_almanac.h"

// clang-format off
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <vector>

#include "annotations.h"
#include "day_lore.h"
#include "holidays_by_law.h"
#include "month_sheet.h"
#include "resource.h"

namespace tenvo_test {

namespace {

constexpr int32_t kAlmanacMode = 6;
constexpr int32_t kChokuMode = 7;
constexpr int32_t kKyurekiMode = 8;
constexpr int32_t kUnknownMode = 9;       // no mode of the program
constexpr size_t kLoreLabelColumns = 12;  // where --day starts the values
// Known days of October 2019: the autumn 土用 began on the 21st, and the
// 22nd was the one-off holiday of the enthronement ceremony.
constexpr char kDoyoBegins[] = "\x93\x79\x97\x70\x93\xfc\x82\xe8" /* 土用入り */;
constexpr char kEnthronement[] =
    "\x91\xa6\x88\xca\x97\xe7\x90\xb3\x93\x61\x82\xcc\x8b\x56" /* 即位礼正殿の儀 */;
constexpr char kDateLabel[] = "\x93\xfa\x95\x74" /* 日付 */;
constexpr char kChokuLabel[] = "\x8f\x5c\x93\xf1\x92\xbc" /* 十二直 */;
constexpr char kLowerRowLabel[] = "\x89\xba\x92\x69" /* 下段 */;
// The twelve 直 in their order, 建 to 閉.
constexpr const char* kChokuNames[12] = {
    "\x8c\x9a" /* 建 */, "\x8f\x9c" /* 除 */, "\x96\x9e" /* 満 */, "\x95\xbd" /* 平 */,
    "\x92\xe8" /* 定 */, "\x8e\xb7" /* 執 */, "\x94\x6a" /* 破 */, "\x8a\xeb" /* 危 */,
    "\x90\xac" /* 成 */, "\x94\x5b" /* 納 */, "\x8a\x4a" /* 開 */, "\x95\xc2" /* 閉 */,
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// "2019年10月21日", as the lore's date line writes a date.
std::string dateText(int32_t year, int32_t month, int32_t day) {
    return std::to_string(year) + "\x94\x4e" + std::to_string(month) + "\x8c\x8e" +
           std::to_string(day) + "\x93\xfa";
}

// Sends a command that asks the mode's save question, and answers it.
bool commandWithQuestion(const Program& program, int command, int button, const char* what) {
    PostMessageA(program.window, WM_COMMAND, static_cast<WPARAM>(command), 0);
    HWND box = waitForDialog(program, kSaveCaption);
    check(box != nullptr && textOf(GetDlgItem(box, kMessageBoxTextId)) == kSaveModeQuestion,
          "%s: the mode's save question appears", what);
    if (box == nullptr) return false;
    pressButton(box, button);
    return waitForClose(box);
}

// Turns the page from year-month to the target with the wheel (a notch
// towards the user is the next month), at most 200 notches a message.
void turnTo(const Program& program, int32_t& year, int32_t& month, int32_t toYear,
            int32_t toMonth) {
    int32_t steps = (toYear - year) * 12 + (toMonth - month);
    while (steps != 0) {
        const int32_t part = std::clamp(steps, -200, 200);
        PostMessageA(program.window, WM_MOUSEWHEEL,
                     MAKEWPARAM(0, static_cast<WORD>(-part * WHEEL_DELTA)), 0);
        steps -= part;
    }
    year = toYear;
    month = toMonth;
}

// The text the tooltip shows now, in Shift-JIS; "" while it is hidden.
std::string shownTipText(HWND tips) {
    if (!IsWindowVisible(tips)) return "";
    static wchar_t wide[4096];
    wide[0] = L'\0';
    DWORD_PTR length = 0;
    SendMessageTimeoutW(tips, WM_GETTEXT, std::size(wide), reinterpret_cast<LPARAM>(wide),
                        SMTO_ABORTIFHUNG, 2000, &length);
    wide[std::size(wide) - 1] = L'\0';
    static char bytes[8192];
    const int n = WideCharToMultiByte(932, 0, wide, -1, bytes, sizeof bytes, nullptr, nullptr);
    return n > 0 ? std::string(bytes, static_cast<size_t>(n - 1)) : std::string();
}

// The program's visible menu pop-ups, in no particular order.
struct MenuSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK findMenuPopup(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<MenuSearch*>(lParam);
    if (processOf(window) == search->pid && IsWindowVisible(window) && classOf(window) == "#32768")
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> menuPopups(const Program& program) {
    MenuSearch search{program.process.dwProcessId, {}};
    EnumWindows(findMenuPopup, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool twoMenusOpen(void* program) { return menuPopups(*static_cast<Program*>(program)).size() == 2; }
bool noMenuOpen(void* program) { return menuPopups(*static_cast<Program*>(program)).empty(); }

// The screen's pixels in a window's rectangle.
std::vector<unsigned> pixelsOf(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return grabScreen(rect).rgb;
}

// The pop-ups "&C状態切替" and "&C暦情報" as drawn, opened from the
// keyboard as a person does (Alt+C, then C: the first mode item is
// highlighted) with the pointer and the tooltip out of the way, then closed
// with Esc. Empty when they do not open.
std::vector<unsigned> modeMenuPixels(Program& program) {
    SetCursorPos(0, 0);
    PostMessageA(program.window, WM_MOUSEMOVE, 0, MAKELPARAM(0, 0));
    Sleep(300);
    PostMessageA(program.window, WM_SYSCOMMAND, SC_KEYMENU, 'c');
    Sleep(300);
    PostMessageA(program.window, WM_CHAR, 'c', 0);
    std::vector<unsigned> pixels;
    if (waitUntil(3000, twoMenusOpen, &program)) {
        Sleep(400);  // drawn after they show
        std::vector<HWND> popups = menuPopups(program);
        // Left to right: the first pop-up, then the one it opened.
        std::sort(popups.begin(), popups.end(), [](HWND a, HWND b) {
            RECT ra, rb;
            GetWindowRect(a, &ra);
            GetWindowRect(b, &rb);
            return ra.left < rb.left;
        });
        for (HWND popup : popups) {
            const std::vector<unsigned> part = pixelsOf(popup);
            pixels.insert(pixels.end(), part.begin(), part.end());
        }
    }
    // Esc closes the pop-up opened last, then the first, then leaves the
    // menu bar; with no menu open it does nothing.
    for (int i = 0; i < 3; ++i) {
        PostMessageA(program.window, WM_KEYDOWN, VK_ESCAPE, 0);
        Sleep(200);
    }
    waitUntil(2000, noMenuOpen, &program);
    return pixels;
}

// The first line of a text.
std::string firstLine(const std::string& text) { return text.substr(0, text.find("\r\n")); }

// The value of a tip's line labelled `label` ("" when it has none).
std::string tipValue(const std::string& tip, const std::string& label) {
    size_t at = 0;
    while (at < tip.size()) {
        const size_t end = std::min(tip.find("\r\n", at), tip.size());
        if (tip.compare(at, label.size(), label) == 0 && at + kLoreLabelColumns <= end)
            return tip.substr(at + kLoreLabelColumns, end - at - kLoreLabelColumns);
        at = end + 2;
    }
    return "";
}

// The 4-byte annotation field of each day of a sheet text, in day order.
std::vector<std::string> dayNotes(const SheetText& text, int32_t year, int32_t month) {
    tenvo::MonthSheet sheet;
    sheet.year = static_cast<uint16_t>(year);
    sheet.month = static_cast<uint16_t>(month);
    tenvo::composeMonth(sheet, gLibrary);
    std::vector<std::string> notes(32);
    for (int32_t c = 0; c < tenvo::kColumns; ++c) {
        for (int32_t r = 0; r < tenvo::kRows; ++r) {
            const int32_t day =
                tenvo::dayOfCell(sheet, static_cast<size_t>(tenvo::cellIndex(c, r)));
            const auto at = static_cast<size_t>((3 + 2 * r) * tenvo::kSheetTextLineStride + 4 * c);
            if (day > 0) notes[static_cast<size_t>(day)] = std::string(text.data() + at, 4);
        }
    }
    notes.erase(std::remove(notes.begin(), notes.end(), std::string()), notes.end());
    return notes;
}

// The days of a sheet text whose 直 repeats the day before's: the 直 moves
// one step a day, 建 to 閉 and round again, and stands still on the day a
// solar month begins (its 節). 0 in the list stands for a day whose field
// is not a 直 and two spaces, or that steps otherwise.
std::vector<int32_t> chokuRepeats(const SheetText& text, int32_t year, int32_t month) {
    std::vector<int32_t> repeats;
    int32_t before = -1;
    int32_t day = 0;
    for (const std::string& note : dayNotes(text, year, month)) {
        ++day;
        int32_t choku = -1;
        for (int32_t i = 0; i < 12; ++i) {
            if (note == std::string(kChokuNames[i]) + "  ") choku = i;
        }
        if (choku < 0 || (before >= 0 && choku != before && choku != (before + 1) % 12)) {
            repeats.push_back(0);
        } else if (choku == before) {
            repeats.push_back(day);
        }
        before = choku;
    }
    return repeats;
}

}  // namespace

HWND dayTipsOf(const Program& program) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, TOOLTIPS_CLASSA, nullptr)) != nullptr) {
        if (processOf(window) == program.process.dwProcessId) return window;
    }
    return nullptr;
}

std::string tipShownFor(const Program& program, HWND tips, int32_t year, int32_t month, int32_t day,
                        const std::string& expected) {
    // The day's cell, from the month sheet's own layout.
    tenvo::MonthSheet sheet;
    sheet.year = static_cast<uint16_t>(year);
    sheet.month = static_cast<uint16_t>(month);
    tenvo::composeMonth(sheet, gLibrary);
    const char wanted[2] = {day < 10 ? ' ' : static_cast<char>('0' + day / 10),
                            static_cast<char>('0' + day % 10)};
    int32_t column = -1;
    int32_t row = -1;
    for (int32_t c = 0; c < tenvo::kColumns; ++c) {
        for (int32_t r = 0; r < tenvo::kRows; ++r) {
            const auto at = static_cast<size_t>(tenvo::cellIndex(c, r) * tenvo::kDayTextBytes);
            if (sheet.dayText[at] == wanted[0] && sheet.dayText[at + 1] == wanted[1]) {
                column = c;
                row = r;
            }
        }
    }
    if (column < 0) return "";

    // The middle of the cell (the sheet is 25 average widths by 16 lines):
    // the pointer itself must be there, and the window must hear of it.
    RECT client;
    GetClientRect(program.window, &client);
    const POINT inside{(client.right * (7 + 6 * column)) / 50,
                       (client.bottom * (4 + 2 * row)) / 16};
    POINT at = inside;
    ClientToScreen(program.window, &at);
    SetCursorPos(at.x, at.y);
    PostMessageA(program.window, WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));

    std::string shown;
    const DWORD start = GetTickCount();
    while ((shown = shownTipText(tips)) != expected && GetTickCount() - start < 4000) Sleep(50);
    return shown;
}

std::string expectedDayTip(int32_t year, int32_t month, int32_t day, bool holidayHeading,
                           bool solstice) {
    const tenvo::LibraryBinding library =
        solstice ? tenvo::withSolsticeReading(gLibrary) : gLibrary;
    const tenvo::DayLore lore = tenvo::composeDayLore(library, year, month, day);
    std::string text = holidayHeading ? tenvo::lawHolidayNameShiftJis(lore.holiday) : "";
    for (const tenvo::LoreLine& line :
         tenvo::dayLoreLines(lore, library, tenvo::TextEncoding::ShiftJis)) {
        if (!text.empty()) text += "\r\n";
        const size_t width = line.label.size();  // Shift-JIS bytes are columns
        text += line.label +
                std::string(width < kLoreLabelColumns ? kLoreLabelColumns - width : 1, ' ') +
                line.value;
    }
    return text;
}

void almanacScenario(const char* programPath) {
    DeleteFileA(gIniPath.c_str());
    Program program;
    if (!startProgram(program, programPath, "almanac", false)) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    int32_t year = now.wYear;
    int32_t month = now.wMonth;

    HWND tips = dayTipsOf(program);
    DWORD_PTR tools = 0;
    if (tips != nullptr) {
        SendMessageTimeoutA(tips, TTM_GETTOOLCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &tools);
    }
    check(tips != nullptr && tools == 42,
          "almanac: with no settings file, a tooltip with a tool per cell (%u)",
          static_cast<unsigned>(tools));

    // Only the almanac and 十二直 items ever carry a check mark: the menus
    // as drawn change when their mode is chosen, and come back with its
    // setting.
    const std::vector<unsigned> plainMenu = modeMenuPixels(program);
    check(!plainMenu.empty(), "almanac: the mode menu opens from the keyboard");

    turnTo(program, year, month, 2019, 10);
    checkSheet(program, 2019, 10, 0, "almanac: turned to 2019-10");
    check(expectedText(2019, 10, kAlmanacMode) != expectedText(2019, 10, kUnknownMode),
          "almanac: the mode writes items under the days of 2019-10");
    // 寒露 began the solar month on 8 October 2019: the 直 stands still
    // that day and steps on every other.
    const std::vector<int32_t> repeats = chokuRepeats(expectedText(2019, 10, kChokuMode), 2019, 10);
    check(
        repeats == std::vector<int32_t>{8},
        "choku: a 直 under each day of 2019-10, repeated on the 8th alone (%zu repeats, first %d)",
        repeats.size(), repeats.empty() ? -1 : repeats[0]);

    // Under each day its lunisolar day, and the month on its first day:
    // 旧暦10月1日 fell on 2019-10-28 (the new moon of 12:38 JST), after a
    // 9th month of 29 days begun on 2019-09-29.
    const std::vector<std::string> kyureki =
        dayNotes(expectedText(2019, 10, kKyurekiMode), 2019, 10);
    check(kyureki.size() == 31 && kyureki[0] == "\x81\x40\x82\x52" /* 　３ */ &&
              kyureki[26] == "\x82\x51\x82\x58" /* ２９ */ &&
              kyureki[27] == "10\x8c\x8e" /* 10月 */ &&
              kyureki[30] == "\x81\x40\x82\x53" /* 　４ */,
          "kyureki: 2019-10 shows 9月3日 on the 1st and 10月 on the 28th (%s, %s)",
          kyureki.empty() ? "" : hexBytes(kyureki[0].data(), 4).c_str(),
          kyureki.size() < 28 ? "" : hexBytes(kyureki[27].data(), 4).c_str());

    struct CheckedMode {
        int command;
        int32_t mode;
        const char* name;
        std::vector<unsigned> menu;  // the mode pop-ups as drawn while it is shown
    };
    CheckedMode checkedModes[] = {{IDM_MODE_ALMANAC, kAlmanacMode, "almanac", {}},
                                  {IDM_MODE_KYUREKI, kKyurekiMode, "kyureki", {}},
                                  {IDM_MODE_CHOKU, kChokuMode, "choku", {}}};
    for (CheckedMode& m : checkedModes) {
        std::string before;
        const bool existed = readFile(gIniPath, before);
        char what[64];
        std::snprintf(what, sizeof what, "%s with Cancel", m.name);
        if (commandWithQuestion(program, m.command, IDCANCEL, what)) {
            checkSheet(program, 2019, 10, m.mode, what);
            std::string after;
            check(readFile(gIniPath, after) == existed && after == before, "%s: nothing is written",
                  what);
        }
        std::snprintf(what, sizeof what, "%s with OK", m.name);
        if (commandWithQuestion(program, m.command, IDOK, what)) {
            const UINT stored = storedSoon("calmode", static_cast<UINT>(m.mode));
            check(stored == static_cast<UINT>(m.mode), "%s: calmode=%d stored (%u)", what, m.mode,
                  stored);
            checkSheet(program, 2019, 10, m.mode, what);
        }
        m.menu = modeMenuPixels(program);
        // Each item's mark is drawn where the items' before it are not.
        bool otherMark = true;
        for (const CheckedMode* earlier = checkedModes; earlier != &m; ++earlier) {
            otherMark = otherMark && m.menu != earlier->menu;
        }
        check(!m.menu.empty() && m.menu.size() == plainMenu.size() && m.menu != plainMenu &&
                  otherMark,
              "%s: its menu item is drawn checked while it is shown", m.name);
    }

    // The tips, shown over the 直 mode's sheet, with the holidays by law
    // off, on (the 22nd headed by its name, the 23rd not), and off again;
    // each must be the day's lore, its 直 the one under the day.
    struct TipCase {
        int32_t year, month, day;
        int command;  // answered with Cancel before pointing, 0 for none
        bool heading;
        bool solstice;
        const char* mustHold;
        const char* what;
    };
    const TipCase cases[] = {
        {2019, 10, 21, 0, false, false, kDoyoBegins, "21st: 土用入り among its items"},
        {2019, 10, 22, 0, false, false, kEnthronement, "22nd: its holiday among its items"},
        {2019, 10, 22, IDM_HOLIDAYS_BY_LAW, true, false, kEnthronement,
         "22nd with the holidays by law: headed by its name"},
        {2019, 10, 23, 0, true, false, kDateLabel, "23rd with the holidays by law: no heading"},
        {2019, 10, 22, IDM_HOLIDAYS_BY_LAW, false, false, kEnthronement,
         "22nd, holidays by law off again: no heading"},
        {2019, 10, 23, 0, false, false, kLowerRowLabel, "23rd: its lower-row items"},
        {1985, 1, 25, IDM_RULE_SOLSTICE, false, true, kDateLabel,
         "1985-01-25 with the months from the winter solstice"},
    };
    for (const TipCase& c : cases) {
        if (c.command != 0) commandWithQuestion(program, c.command, IDCANCEL, c.what);
        if (c.year != year || c.month != month) {
            turnTo(program, year, month, c.year, c.month);
            checkSheet(program, c.year, c.month, kChokuMode, c.what, false, c.solstice);
        }
        const std::string expected = expectedDayTip(c.year, c.month, c.day, c.heading, c.solstice);
        const std::string shown =
            tips != nullptr ? tipShownFor(program, tips, c.year, c.month, c.day, expected) : "";
        const std::string date = dateText(c.year, c.month, c.day);
        const std::string first = firstLine(shown);
        const std::string note = dayNotes(expectedText(c.year, c.month, kChokuMode, c.solstice),
                                          c.year, c.month)[static_cast<size_t>(c.day - 1)];
        const std::string choku = tipValue(shown, kChokuLabel);
        check(shown == expected && contains(shown, date) && contains(shown, c.mustHold) &&
                  contains(first, c.heading ? c.mustHold : kDateLabel) && choku + "  " == note,
              "tip of the %s (%zu bytes shown, %zu expected; first line %s; 直 %s, under the day "
              "%s)",
              c.what, shown.size(), expected.size(), hexBytes(first.data(), first.size()).c_str(),
              hexBytes(choku.data(), choku.size()).c_str(),
              hexBytes(note.data(), note.size()).c_str());
    }
    // Another mode takes the check mark away at once.
    if (commandWithQuestion(program, IDM_MODE_SIXDAY, IDCANCEL, "six-day after the 直")) {
        check(modeMenuPixels(program) == plainMenu,
              "six-day after the 直: no menu item is checked");
    }
    // The reading matters for that day, or the last case proves nothing.
    check(expectedDayTip(1985, 1, 25, false, true) != expectedDayTip(1985, 1, 25, false, false),
          "almanac: the two readings give 1985-01-25 different lore");
    check(GetPrivateProfileIntA("CalData", "monthrule", 77, gIniPath.c_str()) == 77 &&
              GetPrivateProfileIntA("CalData", "holidays", 77, gIniPath.c_str()) == 77 &&
              storedSoon("calmode", kChokuMode) == kChokuMode,
          "almanac: the rules' questions answered with Cancel wrote nothing; calmode=7 stays");
    stopProgram(program, "almanac");

    // A restart shows the stored mode, first from the file the program
    // wrote; an unknown one annotates nothing, as before. The file is not
    // rewritten.
    const struct {
        const char* settings;  // null: as the program left it
        int32_t mode;
        const std::vector<unsigned>& menu;
    } restarts[] = {
        {nullptr, kChokuMode, checkedModes[2].menu},
        {"[CalData]\r\ncalmode=6\r\n", kAlmanacMode, checkedModes[0].menu},
        {"[CalData]\r\ncalmode=8\r\n", kKyurekiMode, checkedModes[1].menu},
        {"[CalData]\r\ncalmode=9\r\n", kUnknownMode, plainMenu},
    };
    for (const auto& r : restarts) {
        if (r.settings != nullptr) writeFile(gIniPath, r.settings);
        std::string before;
        readFile(gIniPath, before);
        char what[64];
        std::snprintf(what, sizeof what, "restart with calmode=%d", r.mode);
        if (!startProgram(program, programPath, what, false)) continue;
        checkSheet(program, now.wYear, now.wMonth, r.mode, what);
        check(modeMenuPixels(program) == r.menu, "%s: %s", what,
              r.mode == kUnknownMode ? "no menu item is checked" : "its menu item is checked");
        stopProgram(program, what);
        std::string after;
        readFile(gIniPath, after);
        check(after == before && contains(after, "calmode=" + std::to_string(r.mode) + "\r\n"),
              "%s: the file holds it and is not rewritten", what);
    }
    DeleteFileA(gIniPath.c_str());
}

}  // namespace tenvo_test
