// Helpers shared by the tests of the month sheet.
#pragma once

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "library_binding_linked.h"
#include "month_sheet.h"

namespace apptest {

// The linked library, bound as the native program binds it.
inline const tenvo::LibraryBinding& library() {
    static const tenvo::LibraryBinding binding = tenvo::linkedLibraryBinding();
    return binding;
}

inline std::string convert(const std::string& text, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "no iconv from " << from << " to " << to;
        return {};
    }
    std::string out(text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        ADD_FAILURE() << "cannot convert '" << text << "'";
    }
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

inline std::string sjis(const std::string& utf8) { return convert(utf8, "CP932", "UTF-8"); }
inline std::string utf8(const std::string& shiftJis) { return convert(shiftJis, "UTF-8", "CP932"); }

inline tenvo::MonthSheet composed(int year, int month, int mode) {
    tenvo::MonthSheet sheet;
    sheet.year = static_cast<uint16_t>(year);
    sheet.month = static_cast<uint16_t>(month);
    sheet.mode = mode;
    tenvo::composeMonth(sheet, library());
    return sheet;
}

// The fields of the cell of weekday `column` in week line `row`.
inline std::string dayAt(const tenvo::MonthSheet& sheet, int column, int row) {
    const auto cell = static_cast<std::size_t>(tenvo::cellIndex(column, row));
    return std::string(sheet.dayText.data() + 2 * cell, 2);
}
inline std::string noteAt(const tenvo::MonthSheet& sheet, int column, int row) {
    const auto cell = static_cast<std::size_t>(tenvo::cellIndex(column, row));
    return std::string(sheet.noteText.data() + 5 * cell, 5);
}
inline int32_t classAt(const tenvo::MonthSheet& sheet, int column, int row) {
    return sheet.colorClass[static_cast<std::size_t>(tenvo::cellIndex(column, row))];
}

// Where a day of the month lies on the sheet: found by its day text.
struct Place {
    int column = -1;
    int row = -1;
};
// A day's number as the sheet writes it: right-aligned in two columns.
inline std::string dayText(int day) {
    std::string text = std::to_string(day);
    if (day < 10) text.insert(0, 1, ' ');
    return text;
}
inline Place placeOf(const tenvo::MonthSheet& sheet, int day) {
    const std::string text = dayText(day);
    for (int column = 0; column < tenvo::kColumns; ++column) {
        for (int row = 0; row < tenvo::kRows; ++row) {
            if (dayAt(sheet, column, row) == text) return {column, row};
        }
    }
    return {};
}
inline int32_t classOfDay(const tenvo::MonthSheet& sheet, int day) {
    const Place p = placeOf(sheet, day);
    return p.column < 0 ? -1 : classAt(sheet, p.column, p.row);
}
inline std::string noteOfDay(const tenvo::MonthSheet& sheet, int day) {
    const Place p = placeOf(sheet, day);
    return p.column < 0 ? std::string() : noteAt(sheet, p.column, p.row);
}

constexpr int kRed = 0;

}  // namespace apptest
