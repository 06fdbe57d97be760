// Checks of the window program's own rules (font sizes, window size, the
// date dialog's number reading and validation, the painted title, face
// names), of its settings reader against hostile files, and of its binding
// of vorane2.dll by ordinal. Run under Wine from the folder that holds
// vorane2.dll, with the incomplete library in partial-library\.
#include "window_logic.h"

#include <windows.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "library_loader.h"
#include "settings.h"

namespace {

int gFailures = 0;
int gChecks = 0;

#define CHECK(condition)                                                     \
    do {                                                                     \
        ++gChecks;                                                           \
        if (!(condition)) {                                                  \
            ++gFailures;                                                     \
            std::printf("FAIL %s:%d: %s\n", __FILE__, __LINE__, #condition); \
        }                                                                    \
    } while (0)

#define CHECK_EQ(actual, expected)                                                              \
    do {                                                                                        \
        ++gChecks;                                                                              \
        const long long a_ = static_cast<long long>(actual);                                    \
        const long long e_ = static_cast<long long>(expected);                                  \
        if (a_ != e_) {                                                                         \
            ++gFailures;                                                                        \
            std::printf("FAIL %s:%d: %s is %lld, expected %lld\n", __FILE__, __LINE__, #actual, \
                        a_, e_);                                                                \
        }                                                                                       \
    } while (0)

using namespace tenvo;

void fontSizes() {
    // The title font doubles, the annotation font halves toward zero.
    CHECK_EQ(doubledFontDimension(-17), -34);
    CHECK_EQ(doubledFontDimension(0), 0);
    CHECK_EQ(doubledFontDimension(12), 24);
    CHECK_EQ(halvedFontHeight(-17), -8);
    CHECK_EQ(halvedFontHeight(17), 8);
    CHECK_EQ(halvedFontHeight(-1), 0);
    // Hostile heights from the settings file saturate instead of overflowing.
    CHECK_EQ(doubledFontDimension(INT32_MIN), INT32_MIN);
    CHECK_EQ(doubledFontDimension(INT32_MAX), INT32_MAX);
    CHECK_EQ(doubledFontDimension(1 << 30), INT32_MAX);
    CHECK_EQ(doubledFontDimension(-(1 << 30)), INT32_MIN);
    CHECK_EQ(doubledFontDimension(-(1 << 30) + 1), -(1 << 30) * 2 + 2);
    CHECK_EQ(halvedFontHeight(INT32_MIN), INT32_MIN / 2);
}

void windowSize() {
    // 25 W + 2 borders by 16 H + 8 borders + 2 captions.
    WindowSize size = sheetWindowSize(8, 17, 1, 1, 19);
    CHECK_EQ(size.width, 25 * 8 + 2);
    CHECK_EQ(size.height, 16 * 17 + 8 + 38);
    size = sheetWindowSize(0, 0, 2, 3, 20);
    CHECK_EQ(size.width, 4);
    CHECK_EQ(size.height, 24 + 40);
    // A larger font: 16 times the growth of the line height.
    CHECK_EQ(sheetWindowSize(8, 20, 1, 1, 19).height - sheetWindowSize(8, 17, 1, 1, 19).height,
             16 * 3);
    size = sheetWindowSize(INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX);
    CHECK_EQ(size.width, INT32_MAX);
    CHECK_EQ(size.height, INT32_MAX);
    size = sheetWindowSize(INT32_MIN, INT32_MIN, 1, 1, 1);
    CHECK_EQ(size.width, 0);
    CHECK_EQ(size.height, 0);
    // The title starts 8 W left of the middle.
    CHECK_EQ(titleX(202, 8), 101 - 64);
    CHECK_EQ(titleX(203, 8), 101 - 64);
    CHECK_EQ(titleX(INT32_MAX, INT32_MIN), INT32_MAX);
    CHECK_EQ(titleX(0, INT32_MAX), INT32_MIN);
}

void decimalReading() {
    CHECK_EQ(parseDecimal("1870"), 1870);
    CHECK_EQ(parseDecimal("  12"), 12);
    CHECK_EQ(parseDecimal("\t3"), 3);
    CHECK_EQ(parseDecimal("1a"), 1);  // digits up to the first non-digit
    CHECK_EQ(parseDecimal("a1"), 0);
    CHECK_EQ(parseDecimal(""), 0);
    CHECK_EQ(parseDecimal(nullptr), 0);
    CHECK_EQ(parseDecimal("-5"), -5);
    CHECK_EQ(parseDecimal("+7"), 7);
    CHECK_EQ(parseDecimal("- 7"), 0);
    CHECK_EQ(parseDecimal("0012"), 12);
    CHECK_EQ(parseDecimal("2147483647"), INT32_MAX);
    CHECK_EQ(parseDecimal("2147483648"), INT32_MAX);
    CHECK_EQ(parseDecimal("-2147483648"), INT32_MIN);
    CHECK_EQ(parseDecimal("99999999999999999999"), INT32_MAX);
    CHECK_EQ(parseDecimal("-99999999999999999999"), INT32_MIN);
}

void yearMonthValidation() {
    CHECK_EQ(isValidYearMonth(1870, 1), 1);
    CHECK_EQ(isValidYearMonth(2019, 12), 1);
    CHECK_EQ(isValidYearMonth(2026, 12), 1);  // this month, OK without a change
    CHECK_EQ(isValidYearMonth(2100, 12), 1);
    CHECK_EQ(isValidYearMonth(1997, 6), 1);
    CHECK_EQ(isValidYearMonth(1869, 12), 0);
    CHECK_EQ(isValidYearMonth(2101, 1), 0);
    CHECK_EQ(isValidYearMonth(2000, 0), 0);
    CHECK_EQ(isValidYearMonth(2000, 13), 0);
    CHECK_EQ(isValidYearMonth(0, 5), 0);  // an empty year field
    CHECK_EQ(isValidYearMonth(INT32_MIN, INT32_MAX), 0);
    CHECK_EQ(isValidYearMonth(2000, -1), 0);
}

void paintTitle() {
    char title[16];
    CHECK_EQ(formatPaintTitle(1, title), 6);
    CHECK(std::memcmp(title, "   1\x8c\x8e", 7) == 0);
    CHECK_EQ(formatPaintTitle(9, title), 6);
    CHECK(std::memcmp(title, "   9\x8c\x8e", 7) == 0);
    CHECK_EQ(formatPaintTitle(10, title), 6);
    CHECK(std::memcmp(title, "  10\x8c\x8e", 7) == 0);
    CHECK_EQ(formatPaintTitle(12, title), 6);
    CHECK(std::memcmp(title, "  12\x8c\x8e", 7) == 0);
    // Never more than 4 digits, whatever reaches it.
    CHECK_EQ(formatPaintTitle(65535, title), 6);
    CHECK_EQ(formatPaintTitle(UINT32_MAX, title), 6);
}

void faceNames() {
    char a[] = "AB\x96";  // a lead byte without its trail byte
    CHECK_EQ(dropIncompleteShiftJis(a), 2);
    CHECK(std::strcmp(a, "AB") == 0);
    char b[] = "\x82\x6c\x82\x72\x96\xbe\x92\xa9";  // complete characters stay
    CHECK_EQ(dropIncompleteShiftJis(b), 8);
    char c[] = "\xb6\xdd";  // half-width katakana are single bytes
    CHECK_EQ(dropIncompleteShiftJis(c), 2);
    char d[] = "\x81";
    CHECK_EQ(dropIncompleteShiftJis(d), 0);
    CHECK(d[0] == '\0');
    char e[] = "A\xe0";
    CHECK_EQ(dropIncompleteShiftJis(e), 1);
    char f[] = "\x96\x5c";  // a trail byte that looks like a backslash
    CHECK_EQ(dropIncompleteShiftJis(f), 2);
    char g[] = "\x96\xbe\x92";
    CHECK_EQ(dropIncompleteShiftJis(g), 2);
    CHECK(std::strcmp(g, "\x96\xbe") == 0);
}

std::string iniPath() {
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, sizeof dir);
    return std::string(dir) + "\\" + kSettingsFile;
}

void writeIni(const std::string& content) {
    HANDLE file =
        CreateFileA(iniPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

bool terminatedWithin(const char* text, size_t size) {
    for (size_t i = 0; i < size; ++i)
        if (text[i] == '\0') return true;
    return false;
}

void settingsFile() {
    DeleteFileA(iniPath().c_str());
    Settings s = readSettings();
    CHECK_EQ(s.calendarMode, 0);
    CHECK_EQ(s.font.lfHeight, -17);
    CHECK_EQ(s.font.lfWidth, 0);
    CHECK_EQ(s.font.lfWeight, 400);
    CHECK_EQ(s.font.lfItalic, 0);
    CHECK_EQ(s.font.lfCharSet, SHIFTJIS_CHARSET);
    CHECK(std::strcmp(s.font.lfFaceName, "\x82\x6c\x82\x72\x96\xbe\x92\xa9") == 0);
    CHECK_EQ(s.font.lfUnderline, 0);
    CHECK_EQ(s.font.lfEscapement, 0);

    writeIni(
        "[CalData]\r\ncalmode=99\r\n[FontData]\r\nlfHeight=-2147483648\r\nlfWeight=7\r\n"
        "lfItalic=300\r\nlfFaceName=" +
        std::string(300, 'A') + "\r\n");
    s = readSettings();
    CHECK_EQ(s.calendarMode, 99);
    CHECK_EQ(s.font.lfHeight, INT32_MIN);
    CHECK_EQ(s.font.lfWeight, 7);
    CHECK_EQ(s.font.lfItalic, 300 & 0xff);  // the low byte
    CHECK(terminatedWithin(s.font.lfFaceName, sizeof s.font.lfFaceName));
    CHECK_EQ(std::strlen(s.font.lfFaceName), 31);

    writeIni("[CalData]\r\ncalmode=-5\r\n[FontData]\r\nlfFaceName=" + std::string(30, 'B') +
             "\x96\xbe\x92\xa9\r\n");
    s = readSettings();
    CHECK_EQ(s.calendarMode, -5);
    // The character across the limit is dropped whole.
    CHECK(std::string(s.font.lfFaceName) == std::string(30, 'B'));

    // Writing: the mode and the font as decimal text, italic as its byte.
    DeleteFileA(iniPath().c_str());
    writeCalendarMode(5);
    LOGFONTA font{};
    font.lfHeight = -24;
    font.lfWeight = 700;
    font.lfItalic = 255;
    std::memset(font.lfFaceName, 'C', sizeof font.lfFaceName);  // not terminated
    writeFontSettings(font);
    s = readSettings();
    CHECK_EQ(s.calendarMode, 5);
    CHECK_EQ(s.font.lfHeight, -24);
    CHECK_EQ(s.font.lfWeight, 700);
    CHECK_EQ(s.font.lfItalic, 255);
    CHECK(std::string(s.font.lfFaceName) == std::string(31, 'C'));
    DeleteFileA(iniPath().c_str());
}

void pageTurning() {
    // Over the turn of the year, many months at once, the ends held, hostile
    // arguments kept in range.
    const int32_t turns[][5] = {
        {2026, 12, 1, 2027, 1},
        {2027, 1, -1, 2026, 12},
        {2000, 6, -18, 1998, 12},
        {2100, 11, 5, 2100, 12},
        {1870, 1, -1, 1870, 1},
        {2150, 3, 0, 2100, 12},
        {INT32_MAX, 12, INT32_MAX, 2100, 12},
        {INT32_MIN, INT32_MIN, INT32_MIN, 1870, 1},
    };
    for (const auto& t : turns) {
        const YearMonth m = turnedMonth(t[0], t[1], t[2]);
        CHECK(m.year == t[3] && m.month == t[4]);
    }
    // A notch (120) towards the user is a month forward; parts of a notch
    // add up; a turn of direction drops what was pending.
    int32_t pending = 0;
    const int32_t wheel[][2] = {{-120, 1}, {360, -3}, {-40, 0}, {-40, 0},     {-40, 1},
                                {-100, 0}, {100, 0},  {20, -1}, {-32768, 273}};
    for (const auto& w : wheel) CHECK_EQ(wheelMonthSteps(pending, w[0]), w[1]);
    CHECK_EQ(pending, -8);
}

void libraryBinding() {
    LibraryBinding binding;
    HMODULE module = nullptr;
    char problem[256] = "";
    CHECK(loadCalendarLibrary(binding, module, problem, sizeof problem) == BindResult::Bound);
    CHECK(isComplete(binding));
    if (module == nullptr) return;
    // Every ordinal leads to the export of that name: the binding filled by
    // name is the same, pointer for pointer.
    LibraryBinding byName;
    for (const BindingSlot& slot : kBindingSlots)
        slot.store(byName, reinterpret_cast<RawExport>(GetProcAddress(module, slot.name)));
    CHECK(isComplete(byName));
    CHECK(std::memcmp(&byName, &binding, sizeof binding) == 0);
    CHECK(std::strcmp(binding.VRNVER(), "1.0") == 0);

    // A library without most exports is refused, naming the first missing
    // one, and the binding is left empty.
    HMODULE partial = LoadLibraryA("partial-library\\vorane2.dll");
    CHECK(partial != nullptr);
    if (partial != nullptr) {
        LibraryBinding incomplete;
        const BindingSlot* missing = bindByOrdinal(partial, incomplete);
        CHECK(missing != nullptr && missing->ordinal == 5);
        CHECK(!isComplete(incomplete));
        FreeLibrary(partial);
    }
}

}  // namespace

int main() {
    fontSizes();
    windowSize();
    decimalReading();
    yearMonthValidation();
    paintTitle();
    faceNames();
    settingsFile();
    pageTurning();
    libraryBinding();
    std::printf("window_logic_test: %d checks, %d failed\n", gChecks, gFailures);
    return gFailures == 0 ? 0 : 1;
}
