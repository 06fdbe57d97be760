#include "sheet_text.h"

#include <cstddef>
#include <cstring>

namespace tenvo {

namespace {

// The month labels, "１月" .. "１２月" in full-width digits.
constexpr const char* kMonthLabels[12] = {
    "\x82\x50\x8c\x8e" /* １月 */,           "\x82\x51\x8c\x8e" /* ２月 */,
    "\x82\x52\x8c\x8e" /* ３月 */,           "\x82\x53\x8c\x8e" /* ４月 */,
    "\x82\x54\x8c\x8e" /* ５月 */,           "\x82\x55\x8c\x8e" /* ６月 */,
    "\x82\x56\x8c\x8e" /* ７月 */,           "\x82\x57\x8c\x8e" /* ８月 */,
    "\x82\x58\x8c\x8e" /* ９月 */,           "\x82\x50\x82\x4f\x8c\x8e" /* １０月 */,
    "\x82\x50\x82\x50\x8c\x8e" /* １１月 */, "\x82\x50\x82\x51\x8c\x8e" /* １２月 */,
};

// "  日  月  火  水  木  金  土": two spaces before each weekday name.
constexpr char kWeekdayLine[] =
    "  \x93\xfa" /* 日 */
    "  \x8c\x8e" /* 月 */
    "  \x89\xce" /* 火 */
    "  \x90\x85" /* 水 */
    "  \x96\xd8" /* 木 */
    "  \x8b\xe0" /* 金 */ "  \x93\x79" /* 土 */;
static_assert(sizeof(kWeekdayLine) - 1 == kSheetTextLineWidth);

// "０" .. "９", two bytes each.
constexpr char kFullWidthDigits[] =
    "\x82\x4f\x82\x50\x82\x51\x82\x52\x82\x53\x82\x54\x82\x55\x82\x56\x82\x57\x82\x58"
    /* ０１２３４５６７８９ */;

constexpr std::size_t lineOffset(int line) {
    return static_cast<std::size_t>(line) * kSheetTextLineStride;
}

}  // namespace

std::array<char, kSheetTextBytes> composeSheetText(const MonthSheet& sheet) {
    std::array<char, kSheetTextBytes> text;
    text.fill(' ');
    text[kSheetTextBytes - 1] = '\0';

    if (sheet.month >= 1 && sheet.month <= 12) {
        const char* label = kMonthLabels[sheet.month - 1];
        std::memcpy(text.data(), label, std::strlen(label));
    }
    std::memcpy(text.data() + lineOffset(1), kWeekdayLine, kSheetTextLineWidth);

    for (int column = 0; column < kColumns; ++column) {
        for (int row = 0; row < kRows; ++row) {
            const auto cell = static_cast<std::size_t>(cellIndex(column, row));
            const std::size_t column_at = 4 * static_cast<std::size_t>(column);

            // Each ASCII character of the day number becomes two bytes: a
            // digit its full-width form, anything else two spaces.
            char* day = text.data() + lineOffset(2 + 2 * row) + column_at;
            for (std::size_t k = 0; k < kDayTextBytes; ++k) {
                const char c = sheet.dayText[cell * kDayTextBytes + k];
                if (c >= '0' && c <= '9') {
                    const auto digit = static_cast<std::size_t>(c - '0');
                    day[2 * k] = kFullWidthDigits[2 * digit];
                    day[2 * k + 1] = kFullWidthDigits[2 * digit + 1];
                }
            }

            // The shown 4 bytes of the annotation; a NUL among them would cut
            // the text short for whoever reads it, so it is shown as a space.
            char* note = text.data() + lineOffset(3 + 2 * row) + column_at;
            for (std::size_t k = 0; k < 4; ++k) {
                const char c = sheet.noteText[cell * kNoteTextBytes + k];
                note[k] = c == '\0' ? ' ' : c;
            }
        }
    }

    for (int line = 0; line < kSheetTextLines; ++line) {
        text[lineOffset(line) + kSheetTextLineWidth] = '\r';
        text[lineOffset(line) + kSheetTextLineWidth + 1] = '\n';
    }
    return text;
}

}  // namespace tenvo
