#include "sheet_render.h"

#include <algorithm>
#include <string_view>

#include "sheet_text.h"

namespace tenvo {

namespace {

const char* colourOf(int32_t colorClass) {
    if (colorClass == 0) return kAnsiRed;
    if (colorClass == 6) return kAnsiBlue;
    return nullptr;
}

// A field of 4 bytes (whole characters) converted, in its colour if any.
// A reversed field keeps its leading blanks plain so that only the digits
// stand out.
void appendField(std::string& out, const char* field, const char* colourCode, bool reversed) {
    const std::string text = shiftJisToUtf8(field, 4);
    const std::size_t blanks = reversed ? text.find_first_not_of(' ') : 0;
    if (blanks == std::string::npos) {
        out += text;
        return;
    }
    out.append(text, 0, blanks);
    if (colourCode != nullptr) out += colourCode;
    if (reversed) out += kAnsiReverse;
    out.append(text, blanks);
    if (colourCode != nullptr || reversed) out += kAnsiReset;
}

// `text`, `textColumns` wide on screen, centred in `width` columns.
std::string centred(const std::string& text, int textColumns, int width) {
    const int spare = width > textColumns ? width - textColumns : 0;
    const auto left = static_cast<std::size_t>(spare / 2);
    const auto right = static_cast<std::size_t>(spare - spare / 2);
    return std::string(left, ' ') + text + std::string(right, ' ');
}

std::string titleLine(const MonthSheet& sheet, const BlockStyle& style, const char* label,
                      std::string_view eraTitle) {
    const int width = blockColumns(style);
    if (style.title == BlockTitle::SheetLabel) {
        return shiftJisToUtf8(label, kSheetTextLineWidth) +
               std::string(static_cast<std::size_t>(width - kSheetTextLineWidth), ' ');
    }
    if (sheet.month < 1 || sheet.month > 12)
        return std::string(static_cast<std::size_t>(width), ' ');
    const std::string month = std::to_string(sheet.month);
    const std::string year = std::to_string(sheet.year);
    const std::string title = year + "年" + month + "月";
    const int titleColumns = static_cast<int>(year.size() + month.size()) + 4;
    const int eraColumns = utf8Columns(eraTitle);
    if (!eraTitle.empty() && titleColumns + 1 + eraColumns <= width) {
        return centred(title + " " + std::string(eraTitle), titleColumns + 1 + eraColumns, width);
    }
    return centred(title, titleColumns, width);
}

}  // namespace

// Columns a UTF-8 text takes: one for ASCII, two for any other character
// (the titles' kanji and full-width signs).
int utf8Columns(std::string_view text) {
    int columns = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            ++columns;
        } else if (byte >= 0xc0) {
            columns += 2;
        }
    }
    return columns;
}

MonthBlock renderMonthBlock(const MonthSheet& sheet, const BlockStyle& style,
                            std::string_view eraTitle) {
    const std::array<char, kSheetTextBytes> text = composeSheetText(sheet);
    MonthBlock block;
    block[0] = titleLine(sheet, style, text.data(), eraTitle);
    for (int line = 1; line < kSheetTextLines; ++line) {
        const char* start = text.data() + line * kSheetTextLineStride;
        const bool weekdayLine = line == 1;
        const bool dayLine = line >= 2 && line % 2 == 0;
        std::string& out = block[static_cast<std::size_t>(line)];
        if (style.colour && (weekdayLine || dayLine)) {
            const int row = (line - 2) / 2;
            for (int column = 0; column < kColumns; ++column) {
                if (style.separated && column != 0) out += ' ';
                const auto cell = static_cast<std::size_t>(cellIndex(column, row));
                const char* colourCode = nullptr;
                bool reversed = false;
                if (weekdayLine) {
                    colourCode = colourOf(column);
                } else if (const int32_t day = dayOfCell(sheet, cell); day != 0) {
                    colourCode =
                        colourOf(sheet.colorClass[cell]);  // cells without a day stay plain
                    reversed = day == style.today;
                }
                appendField(out, start + 4 * column, colourCode, reversed);
            }
        } else if (style.separated) {
            for (int column = 0; column < kColumns; ++column) {
                if (column != 0) out += ' ';
                out += shiftJisToUtf8(start + 4 * column, 4);
            }
        } else {
            out = shiftJisToUtf8(start, kSheetTextLineWidth);
        }
    }
    return block;
}

std::string renderSheet(const MonthSheet& sheet, bool colour) {
    BlockStyle style;
    style.title = BlockTitle::SheetLabel;
    style.colour = colour;
    const MonthBlock block = renderMonthBlock(sheet, style);
    std::string out;
    for (const std::string& line : block) out += line + '\n';
    return out;
}

std::string layOutBlocks(const std::vector<MonthBlock>& blocks, int perRow) {
    const std::size_t step = perRow < 1 ? 1 : static_cast<std::size_t>(perRow);
    const std::string gap(kBlockGap, ' ');
    std::string out;
    for (std::size_t first = 0; first < blocks.size(); first += step) {
        if (first != 0) out += '\n';
        const std::size_t end = std::min(blocks.size(), first + step);
        for (std::size_t line = 0; line < kSheetTextLines; ++line) {
            for (std::size_t b = first; b < end; ++b) {
                if (b != first) out += gap;
                out += blocks[b][line];
            }
            out += '\n';
        }
    }
    return out;
}

}  // namespace tenvo
