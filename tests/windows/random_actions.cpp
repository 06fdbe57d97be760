// A seeded random walk over what a user can do to tenvo.exe: every menu
// command (help too), the date dialog with good and bad entries and keys
// pressed while it is open, OK and Cancel, the save questions answered
// either way, the font chooser cancelled, the page keys, the wheel by whole
// and partial notches, resizing (down to nothing), minimising and
// restoring, copying, and now and then quitting and starting again. The walk keeps its own account
// of what the window should show and what the settings file should hold, and after every 100
// actions and at the end checks that the program still runs and answers, that the sheet it copies
// is the month-sheet code's composition of the month and mode it should show, and that "MIVARO.INI"
// holds only valid values, the ones answered OK to.
//
// Usage: tenvo_random_actions PROGRAM ACTIONS SEED
// A failure prints the seed, the failing action and those before it; the
// same seed replays the same walk. Exit status 0 when every check passed.

// windows.h first: the other Win32 headers need its types.
// clang-format off
#include <windows.h>
// clang-format on

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <optional>
#include <string>

#include "library_loader.h"
#include "mode_commands.h"
#include "program_control.h"
#include "resource.h"
#include "window_logic.h"

namespace {

using namespace tenvo_test;

// The calendar modes' menu commands, taken from the resource header: the
// mode a command selects is its place in the order of the commands' ids.
constexpr size_t kModeCount = std::size(kModeCommandIds);
constexpr std::array<int, kModeCount> sortedModeCommands() {
    std::array<int, kModeCount> ids{};
    for (size_t i = 0; i < kModeCount; ++i) ids[i] = kModeCommandIds[i];
    std::sort(ids.begin(), ids.end());
    return ids;
}
constexpr std::array<int, kModeCount> kModeCommands = sortedModeCommands();

// splitmix64: a small generator whose sequence is the same everywhere.
struct Random {
    uint64_t state;
    uint64_t next() {
        uint64_t z = (state += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }
    int32_t below(int32_t n) { return static_cast<int32_t>(next() % static_cast<uint64_t>(n)); }
    int32_t between(int32_t low, int32_t high) { return low + below(high - low + 1); }
    bool chance(int32_t percent) { return below(100) < percent; }
};

// What the window should show and the settings file should hold.
struct Model {
    int32_t year = 0;
    int32_t month = 0;
    int32_t mode = 0;
    bool solstice = false;
    bool holidays = false;
    int32_t wheelPending = 0;
    bool minimised = false;
    std::optional<int32_t> storedMode;
    std::optional<int32_t> storedRule;
    std::optional<int32_t> storedHolidays;
};

// Where the program starts: this month and what the settings file says.
void startFromSettings(Model& model) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    model.year = now.wYear;
    model.month = now.wMonth;
    model.mode = model.storedMode.value_or(0);
    model.solstice = model.storedRule.value_or(0) == 1;
    model.holidays = model.storedHolidays.value_or(0) == 1;
    model.wheelPending = 0;
    model.minimised = false;
}

struct OtherDialogSearch {
    DWORD program;
    HWND found;
};

BOOL CALLBACK findOtherDialog(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<OtherDialogSearch*>(lParam);
    const DWORD pid = processOf(window);
    if (pid == search->program || pid == GetCurrentProcessId()) return TRUE;
    if (!IsWindowVisible(window) || classOf(window) != "#32770") return TRUE;
    search->found = window;
    return FALSE;
}

struct Walk {
    const char* programPath;
    uint64_t seed;
    Random random;
    Model model;
    Program program;
    long action = 0;
    std::string current;
    std::deque<std::string> recent;
    bool failed = false;
    SIZE sheetSize{};  // the window's size at the start: the font never changes

    void measureStart() {
        RECT rect{};
        GetWindowRect(program.window, &rect);
        sheetSize = SIZE{rect.right - rect.left, rect.bottom - rect.top};
    }

    void describe(const char* format, ...) {
        char text[200];
        va_list args;
        va_start(args, format);
        std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
        current = text;
        recent.push_back("#" + std::to_string(action) + " " + current);
        if (recent.size() > 30) recent.pop_front();
    }

    // Reports the first failure with what is needed to replay it.
    void fail(const char* format, ...) {
        if (failed) return;
        failed = true;
        char text[600];
        va_list args;
        va_start(args, format);
        std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
        std::printf("FAIL seed %" PRIu64 ", action %ld (%s): %s\n", seed, action, current.c_str(),
                    text);
        std::printf("the last actions:\n");
        for (const std::string& line : recent) std::printf("  %s\n", line.c_str());
        std::fflush(stdout);
    }

    bool alive() { return !failed && isAlive(program); }

    // Answers the save question that follows a mode, the month rule or the
    // holiday rule; true when answered OK.
    bool answerSaveQuestion(const char* what) {
        HWND box = waitForDialog(program, kSaveCaption);
        if (box == nullptr) {
            fail("%s: no save question", what);
            return false;
        }
        const bool ok = random.chance(50);
        pressButton(box, ok ? IDOK : IDCANCEL);
        if (!waitForClose(box)) fail("%s: the save question does not close", what);
        return ok;
    }

    void modeCommand() {
        const int32_t mode = random.below(static_cast<int32_t>(kModeCount));
        describe("mode command %d (mode %d)", kModeCommands[static_cast<size_t>(mode)], mode);
        PostMessageA(program.window, WM_COMMAND, static_cast<WPARAM>(kModeCommands[mode]), 0);
        model.mode = mode;
        if (answerSaveQuestion("mode")) model.storedMode = mode;
    }

    void monthRule() {
        describe("month rule");
        PostMessageA(program.window, WM_COMMAND, IDM_RULE_SOLSTICE, 0);
        model.solstice = !model.solstice;
        if (answerSaveQuestion("month rule")) model.storedRule = model.solstice ? 1 : 0;
    }

    void holidayRule() {
        describe("holidays by law");
        PostMessageA(program.window, WM_COMMAND, IDM_HOLIDAYS_BY_LAW, 0);
        model.holidays = !model.holidays;
        if (answerSaveQuestion("holidays")) model.storedHolidays = model.holidays ? 1 : 0;
    }

    // A year or month text as a user might leave it: mostly a number in or
    // near the range, sometimes empty, signed, padded, too long or with
    // letters.
    std::string entryText(bool year) {
        const int32_t kind = random.below(10);
        const int32_t value =
            year ? random.between(tenvo::kFirstSheetYear - 40, tenvo::kLastSheetYear + 40)
                 : random.between(0, 13);
        char text[32];
        switch (kind) {
            case 0:
                return "";
            case 1:
                std::snprintf(text, sizeof text, "-%d", static_cast<int>(value));
                break;
            case 2:
                std::snprintf(text, sizeof text, " %d", static_cast<int>(value));
                break;
            case 3:
                std::snprintf(text, sizeof text, "%dx", static_cast<int>(value));
                break;
            case 4:
                std::snprintf(text, sizeof text, "%d%d", static_cast<int>(value),
                              static_cast<int>(random.below(100)));
                break;
            case 5:
                return year ? "abcd" : "a1";
            default:
                std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
                break;
        }
        return text;
    }

    // Fills an edit by WM_SETTEXT or by typing into it (the edit then keeps
    // no more than its limit). The program reads at most `limit` characters
    // either way.
    void fillEdit(HWND edit, const std::string& text) {
        if (random.chance(50)) {
            setText(edit, text.c_str());
            return;
        }
        setText(edit, "");
        for (const char c : text) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
    }

    void dateDialog() {
        const std::string yearText = entryText(true);
        const std::string monthText = entryText(false);
        const int32_t answer = random.below(10);  // 0, 1: Cancel, else OK
        describe("date dialog \"%s\" \"%s\" %s", yearText.c_str(), monthText.c_str(),
                 answer < 2 ? "Cancel" : "OK");
        PostMessageA(program.window, WM_COMMAND, IDM_DATE, 0);
        HWND dialog = waitForDialog(program, kDateCaption);
        if (dialog == nullptr) {
            fail("the date dialog does not open");
            return;
        }
        const int32_t shownYear =
            tenvo::parseDecimal(textOf(GetDlgItem(dialog, IDC_YEAR_EDIT)).c_str());
        const int32_t shownMonth =
            tenvo::parseDecimal(textOf(GetDlgItem(dialog, IDC_MONTH_EDIT)).c_str());
        if (shownYear != model.year || shownMonth != model.month) {
            fail("the date dialog opens on %d-%d, not on the month shown, %d-%d", shownYear,
                 shownMonth, model.year, model.month);
        }
        // Keys pressed while the dialog is open go to its edit, not to the
        // window behind it: they move the caret and change nothing.
        for (int32_t keys = random.below(3); keys > 0; --keys) {
            const WPARAM key[] = {VK_NEXT, VK_PRIOR, VK_HOME, VK_END};
            const WPARAM chosen = key[random.below(4)];
            PostMessageA(GetDlgItem(dialog, IDC_YEAR_EDIT), WM_KEYDOWN, chosen, 0);
            PostMessageA(GetDlgItem(dialog, IDC_YEAR_EDIT), WM_KEYUP, chosen, 0);
        }
        fillEdit(GetDlgItem(dialog, IDC_YEAR_EDIT), yearText);
        fillEdit(GetDlgItem(dialog, IDC_MONTH_EDIT), monthText);
        if (answer < 2) {
            pressButton(dialog, IDCANCEL);
        } else {
            pressButton(dialog, IDOK);
            const int32_t year = tenvo::parseDecimal(yearText.substr(0, 4).c_str());
            const int32_t month = tenvo::parseDecimal(monthText.substr(0, 2).c_str());
            const bool valid = year >= tenvo::kFirstSheetYear && year <= tenvo::kLastSheetYear &&
                               month >= 1 && month <= 12;
            if (valid) {
                model.year = year;
                model.month = month;
            } else {
                HWND box = waitForDialog(program, kInvalidDateCaption);
                if (box == nullptr) {
                    fail("no message for the invalid date");
                    return;
                }
                pressButton(box, IDOK);
                waitForClose(box);
            }
        }
        if (!waitForClose(dialog)) fail("the date dialog does not close");
    }

    // The font chooser or the About box, opened and closed again.
    void closableDialog(int command, int button, const char* name) {
        describe("%s", name);
        PostMessageA(program.window, WM_COMMAND, static_cast<WPARAM>(command), 0);
        HWND dialog = waitForDialog(program, nullptr);
        if (dialog == nullptr) {
            fail("%s: it does not open", name);
            return;
        }
        pressButton(dialog, button);
        if (!waitForClose(dialog)) fail("%s: it does not close", name);
    }

    // The help command starts the system's help viewer, which finds no help
    // file and says so in a box of its own; the program goes on as it was.
    void helpTopics() {
        describe("help topics");
        PostMessageA(program.window, WM_COMMAND, IDM_HELP_TOPICS, 0);
        const DWORD start = GetTickCount();
        HWND box = nullptr;
        while (box == nullptr && GetTickCount() - start < 8000) {
            box = otherProcessDialog();
            if (box == nullptr) Sleep(50);
        }
        if (box == nullptr) {
            fail("help: the help viewer shows nothing");
            return;
        }
        Sleep(150);
        const DWORD viewerId = processOf(box);
        pressButton(box, IDOK);
        if (!waitForClose(box, 3000)) {
            PostMessageA(box, WM_CLOSE, 0, 0);
            if (!waitForClose(box)) fail("help: the help viewer's box does not close");
        }
        // The viewer stays behind, hidden, holding the walk's output open:
        // it goes once its box is closed.
        HANDLE viewer = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, viewerId);
        if (viewer != nullptr) {
            if (WaitForSingleObject(viewer, 1000) != WAIT_OBJECT_0) {
                TerminateProcess(viewer, 0);
                WaitForSingleObject(viewer, 3000);
            }
            CloseHandle(viewer);
        }
    }

    // A visible dialog of a process other than the program and the walk.
    HWND otherProcessDialog() {
        OtherDialogSearch search{program.process.dwProcessId, nullptr};
        EnumWindows(findOtherDialog, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    void pageKey() {
        const int32_t which = random.below(3);
        const WPARAM keys[] = {VK_NEXT, VK_PRIOR, VK_HOME};
        const char* names[] = {"PageDown", "PageUp", "Home"};
        describe("%s", names[which]);
        PostMessageA(program.window, WM_KEYDOWN, keys[which], 0);
        PostMessageA(program.window, WM_KEYUP, keys[which], 0);
        if (which == 2) {
            SYSTEMTIME now;
            GetLocalTime(&now);
            model.year = now.wYear;
            model.month = now.wMonth;
        } else {
            turn(which == 0 ? 1 : -1);
        }
    }

    // The page turn's own rule: one month per step, held at 1870-01 and
    // 2100-12.
    void turn(int32_t step) {
        int32_t index = model.year * 12 + model.month - 1 + step;
        index = std::clamp(index, tenvo::kFirstSheetYear * 12, tenvo::kLastSheetYear * 12 + 11);
        model.year = index / 12;
        model.month = index % 12 + 1;
    }

    void wheel() {
        const int32_t deltas[] = {120, 240, 360, 60, 40, 30, 1, 119, 121};
        int32_t delta = deltas[random.below(static_cast<int32_t>(std::size(deltas)))];
        if (random.chance(50)) delta = -delta;
        describe("wheel %d", delta);
        PostMessageA(program.window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
        // Whole notches turn the page, towards the user forward; what is
        // left waits for the next movement the same way.
        if ((model.wheelPending < 0 && delta > 0) || (model.wheelPending > 0 && delta < 0)) {
            model.wheelPending = 0;
        }
        model.wheelPending += delta;
        const int32_t notches = model.wheelPending / WHEEL_DELTA;
        model.wheelPending -= notches * WHEEL_DELTA;
        turn(-notches);
    }

    void resize() {
        const int32_t kind = random.below(4);
        const int32_t width = kind == 0 ? 0 : kind == 1 ? 1 : random.between(2, 1000);
        const int32_t height = kind == 0 ? 0 : kind == 1 ? 1 : random.between(2, 700);
        describe("resize to %dx%d", width, height);
        SetWindowPos(program.window, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void minimiseOrRestore() {
        model.minimised = !model.minimised;
        describe("%s", model.minimised ? "minimise" : "restore");
        PostMessageA(program.window, WM_SYSCOMMAND, model.minimised ? SC_MINIMIZE : SC_RESTORE, 0);
    }

    // Copies by Ctrl+C or the menu and compares with a fresh composition.
    void copyAndCompare(const char* what) {
        const bool viaMenu = random.chance(50);
        std::string text;
        if (!copyAndRead(program, viaMenu, text)) {
            fail("%s: nothing is copied (%s)", what, viaMenu ? "menu" : "Ctrl+C");
            return;
        }
        const SheetText expected =
            expectedText(model.year, model.month, model.mode, model.solstice);
        if (text.size() != tenvo::kSheetTextBytes - 1 ||
            std::memcmp(text.data(), expected.data(), text.size()) != 0) {
            size_t at = 0;
            while (at < text.size() && at < expected.size() && text[at] == expected[at]) ++at;
            fail(
                "%s: the copied sheet (%zu bytes) is not that of %d-%02d mode %d%s "
                "(first difference at byte %zu)",
                what, text.size(), model.year, model.month, model.mode,
                model.solstice ? " from the solstice" : "", at);
        }
    }

    void restart() {
        describe("quit and start again");
        const int failuresBefore = gFailures;
        stopProgram(program, "quit");
        startFromSettings(model);
        if (!startProgram(program, programPath, "start again", false) ||
            gFailures != failuresBefore)
            fail("the program does not quit and start again cleanly");
        measureStart();
    }

    // The settings file holds "CalData" and only the keys the program
    // writes, each a decimal in its range and the value last answered OK to.
    void checkSettingsFile() {
        std::string content;
        const bool exists = readFile(gIniPath, content);
        const bool anyStored = model.storedMode || model.storedRule || model.storedHolidays;
        if (!exists) {
            if (anyStored) fail("MIVARO.INI is missing");
            return;
        }
        size_t start = 0;
        int32_t found[3] = {-1, -1, -1};
        while (start < content.size()) {
            size_t end = content.find("\r\n", start);
            if (end == std::string::npos) end = content.size();
            const std::string line = content.substr(start, end - start);
            start = end + 2;
            if (line.empty() || line == "[CalData]") continue;
            const size_t equals = line.find('=');
            const std::string key = line.substr(0, equals);
            const std::string value = equals == std::string::npos ? "" : line.substr(equals + 1);
            const char* keys[] = {"calmode", "monthrule", "holidays"};
            const int32_t limits[] = {static_cast<int32_t>(kModeCount) - 1, 1, 1};
            bool known = false;
            for (int k = 0; k < 3; ++k) {
                if (key != keys[k]) continue;
                known = true;
                char* after = nullptr;
                const long number = std::strtol(value.c_str(), &after, 10);
                if (value.empty() || *after != '\0' || number < 0 || number > limits[k]) {
                    fail("MIVARO.INI: \"%s\" is not a valid value", line.c_str());
                    return;
                }
                found[k] = static_cast<int32_t>(number);
            }
            if (!known) {
                fail("MIVARO.INI holds an unexpected line \"%s\"", line.c_str());
                return;
            }
        }
        const std::optional<int32_t>* stored[] = {&model.storedMode, &model.storedRule,
                                                  &model.storedHolidays};
        for (int k = 0; k < 3; ++k) {
            if (found[k] != stored[k]->value_or(-1)) {
                fail("MIVARO.INI holds %d for key %d, answered OK to: %d", found[k], k,
                     stored[k]->value_or(-1));
            }
        }
    }

    // Still running and answering; the sheet as it should be; the window at
    // its sheet's size once painted; the settings file valid.
    void checkpoint() {
        describe("check after %ld actions", action);
        DWORD_PTR ignored = 0;
        if (!isAlive(program) ||
            !SendMessageTimeoutA(program.window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored)) {
            fail("the program does not run or answer");
            return;
        }
        if (visibleDialog(program.process.dwProcessId) != nullptr) fail("a dialog is left open");
        copyAndCompare("check");
        if (!model.minimised && !failed) {
            RedrawWindow(program.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            Sleep(200);
            RECT rect{};
            GetWindowRect(program.window, &rect);
            if (rect.right - rect.left != sheetSize.cx || rect.bottom - rect.top != sheetSize.cy) {
                fail("the painted window is %ldx%ld, not %ldx%ld as at the start (%s)",
                     rect.right - rect.left, rect.bottom - rect.top, sheetSize.cx, sheetSize.cy,
                     IsIconic(program.window) ? "minimised" : "not minimised");
            }
        }
        checkSettingsFile();
    }

    void fontChooser() { closableDialog(IDM_FONT, IDCANCEL, "font chooser, Cancel"); }
    void aboutBox() { closableDialog(IDM_ABOUT, IDOK, "About box"); }
    void copy() {
        describe("copy");
        copyAndCompare("copy");
    }

    // The actions and how often each is chosen, in hundredths.
    struct Kind {
        int32_t weight;
        const char* name;
        void (Walk::*act)();
    };
    static constexpr Kind kKinds[] = {
        {14, "mode commands", &Walk::modeCommand},
        {4, "month rule", &Walk::monthRule},
        {4, "holiday rule", &Walk::holidayRule},
        {12, "date dialog", &Walk::dateDialog},
        {4, "font chooser", &Walk::fontChooser},
        {3, "About box", &Walk::aboutBox},
        {20, "page keys", &Walk::pageKey},
        {14, "wheel", &Walk::wheel},
        {7, "resize", &Walk::resize},
        {5, "minimise/restore", &Walk::minimiseOrRestore},
        {11, "copy", &Walk::copy},
        {1, "help", &Walk::helpTopics},
        {1, "restart", &Walk::restart},
    };
    std::array<long, std::size(kKinds)> done{};

    void step() {
        int32_t pick = random.below(100);
        for (size_t k = 0; k < std::size(kKinds); ++k) {
            if (pick < kKinds[k].weight) {
                ++done[k];
                (this->*kKinds[k].act)();
                return;
            }
            pick -= kKinds[k].weight;
        }
    }

    void printTally() const {
        std::printf("actions:");
        for (size_t k = 0; k < std::size(kKinds); ++k)
            std::printf("%s %s %ld", k == 0 ? "" : ",", kKinds[k].name, done[k]);
        std::printf("\n");
    }

    bool run(long actions) {
        DeleteFileA(gIniPath.c_str());
        startFromSettings(model);
        if (!startProgram(program, programPath, "random walk", false)) {
            fail("the program does not start");
            return false;
        }
        measureStart();
        for (action = 1; action <= actions && !failed; ++action) {
            step();
            if (!failed && !isAlive(program)) fail("the program has ended");
            if (!failed && (action % 100 == 0 || action == actions)) {
                checkpoint();
                if (!failed && action % 1000 == 0) {
                    std::printf("checked after %ld actions\n", action);
                    std::fflush(stdout);
                }
            }
        }
        --action;
        if (program.running) {
            if (failed) {
                TerminateProcess(program.process.hProcess, 1);
            } else {
                stopProgram(program, "random walk");
            }
        }
        return !failed && gFailures == 0;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: tenvo_random_actions PROGRAM ACTIONS SEED\n");
        return 2;
    }
    const long actions = std::strtol(argv[2], nullptr, 10);
    const uint64_t seed = std::strtoull(argv[3], nullptr, 10);
    if (!bindLibraryAndSettings("the walk")) return 1;
    std::printf("random walk: seed %" PRIu64 ", %ld actions, %zu calendar modes\n", seed, actions,
                kModeCount);
    std::fflush(stdout);
    Walk walk{argv[1], seed, Random{seed}, Model{}, Program{}, 0, "", {}, false};
    const DWORD start = GetTickCount();
    const bool passed = walk.run(actions);
    walk.printTally();
    std::printf("%s: %ld actions survived, seed %" PRIu64 ", %lu s\n", passed ? "passed" : "FAILED",
                walk.action, seed, static_cast<unsigned long>((GetTickCount() - start) / 1000));
    return passed ? 0 : 1;
}
