#include "sheet_render.h"

#include <iconv.h>

#include <cerrno>

#include "sheet_text.h"

namespace tenvo {

std::string shiftJisToUtf8(const char* text, std::size_t length) {
    std::string out;
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // No converter on this system: keep ASCII, mark everything else.
        for (std::size_t i = 0; i < length; ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            out += byte < 0x80 ? text[i] : '?';
        }
        return out;
    }
    char* in = const_cast<char*>(text);
    std::size_t inLeft = length;
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof(buffer);
        const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An invalid or cut-off sequence: show one "?" and go on.
            out += '?';
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

namespace {

const char* colourOf(int32_t colorClass) {
    if (colorClass == 0) return kAnsiRed;
    if (colorClass == 6) return kAnsiBlue;
    return nullptr;
}

// A field of 4 bytes (whole characters) converted, in its colour if any.
void appendField(std::string& out, const char* field, const char* colourCode) {
    if (colourCode != nullptr) out += colourCode;
    out += shiftJisToUtf8(field, 4);
    if (colourCode != nullptr) out += kAnsiReset;
}

}  // namespace

std::string renderSheet(const MonthSheet& sheet, bool colour) {
    const std::array<char, kSheetTextBytes> text = composeSheetText(sheet);
    std::string out;
    for (int line = 0; line < kSheetTextLines; ++line) {
        const char* start = text.data() + line * kSheetTextLineStride;
        const bool weekdayLine = line == 1;
        const bool dayLine = line >= 2 && line % 2 == 0;
        if (colour && (weekdayLine || dayLine)) {
            const int row = (line - 2) / 2;
            for (int column = 0; column < kColumns; ++column) {
                const auto cell = static_cast<std::size_t>(cellIndex(column, row));
                const char* colourCode = nullptr;
                if (weekdayLine) {
                    colourCode = colourOf(column);
                } else if (sheet.dayText[cell * kDayTextBytes + 1] != ' ') {
                    colourCode =
                        colourOf(sheet.colorClass[cell]);  // cells without a day stay plain
                }
                appendField(out, start + 4 * column, colourCode);
            }
        } else {
            out += shiftJisToUtf8(start, kSheetTextLineWidth);
        }
        out += '\n';
    }
    return out;
}

}  // namespace tenvo
