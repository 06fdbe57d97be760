#include "sheet_text.h"

#include <gtest/gtest.h>

#include <string>

#include "app_test_support.h"

namespace {

using apptest::composed;
using apptest::sjis;

std::string lineOf(const std::array<char, tenvo::kSheetTextBytes>& text, int line) {
    return std::string(text.data() + 30 * line, 28);
}

TEST(SheetText, FourteenLinesOf28BytesAndANul) {
    for (int mode : {0, 2, 5, 7}) {
        for (int month = 1; month <= 12; ++month) {
            const auto text = tenvo::composeSheetText(composed(1997, month, mode));
            ASSERT_EQ(text.size(), 421u);
            ASSERT_EQ(text[420], '\0');
            for (int line = 0; line < 14; ++line) {
                ASSERT_EQ(text[static_cast<std::size_t>(30 * line + 28)], '\r');
                ASSERT_EQ(text[static_cast<std::size_t>(30 * line + 29)], '\n');
                for (char c : lineOf(text, line)) {
                    ASSERT_NE(c, '\0');
                    ASSERT_NE(c, '\r');
                    ASSERT_NE(c, '\n');
                }
            }
        }
    }
}

TEST(SheetText, February1998Layout) {
    const auto text = tenvo::composeSheetText(composed(1998, 2, 0));
    EXPECT_EQ(lineOf(text, 0), sjis("２月") + std::string(24, ' '));
    EXPECT_EQ(lineOf(text, 1), sjis("  日  月  火  水  木  金  土"));
    EXPECT_EQ(lineOf(text, 2), sjis("  １  ２  ３  ４  ５  ６  ７"));
    EXPECT_EQ(lineOf(text, 4), sjis("  ８  ９１０１１１２１３１４"));
    EXPECT_EQ(lineOf(text, 6), sjis("１５１６１７１８１９２０２１"));
    EXPECT_EQ(lineOf(text, 8), sjis("２２２３２４２５２６２７２８"));
    EXPECT_EQ(lineOf(text, 10), std::string(28, ' '));
    EXPECT_EQ(lineOf(text, 11), std::string(28, ' '));
    EXPECT_EQ(lineOf(text, 12), std::string(28, ' '));
    EXPECT_EQ(lineOf(text, 13), std::string(28, ' '));
}

TEST(SheetText, AnnotationFieldsCopyTheCells) {
    const tenvo::MonthSheet sheet = composed(1997, 3, 5);  // solar terms: mostly blank
    const auto text = tenvo::composeSheetText(sheet);
    for (int column = 0; column < 7; ++column) {
        for (int row = 0; row < 6; ++row) {
            const std::string field = std::string(text.data() + (3 + 2 * row) * 30 + 4 * column, 4);
            EXPECT_EQ(field, apptest::noteAt(sheet, column, row).substr(0, 4));
            if (apptest::dayAt(sheet, column, row) == "  ") {
                EXPECT_EQ(field, "    ");
                EXPECT_EQ(std::string(text.data() + (2 + 2 * row) * 30 + 4 * column, 4), "    ");
            }
        }
    }
    // 1 March 1997 is a Saturday in row 0; the vernal equinox a Thursday.
    EXPECT_EQ(std::string(text.data() + 2 * 30 + 24, 4), sjis("  １"));
    const std::string notes = std::string(text.data(), 420);
    EXPECT_NE(notes.find(sjis("啓蟄")), std::string::npos);
    EXPECT_NE(notes.find(sjis("春分")), std::string::npos);

    // New Year's Day 1997 (a Wednesday) in the six-day mode.
    const auto january = tenvo::composeSheetText(composed(1997, 1, 0));
    const CalendarDate newYear{1997, 1, 1, 0.0, 0.0, 0.0, 135.0};
    EXPECT_EQ(std::string(january.data() + 3 * 30 + 12, 4),
              std::string(::rno2name(::ad26you(newYear)), 4));
}

TEST(SheetText, MonthLabels) {
    const char* labels[12] = {"１月", "２月", "３月", "４月",   "５月",   "６月",
                              "７月", "８月", "９月", "１０月", "１１月", "１２月"};
    for (int month = 1; month <= 12; ++month) {
        const std::string label = sjis(labels[month - 1]);
        ASSERT_EQ(label.size(), month >= 10 ? 6u : 4u);
        const auto text = tenvo::composeSheetText(composed(2001, month, 7));
        EXPECT_EQ(lineOf(text, 0), label + std::string(28 - label.size(), ' '));
    }
}

// Whatever the cells hold, the text keeps its shape: a month outside 1..12
// gets no label, and a NUL inside an annotation's shown bytes (which would
// end the text early for a reader) becomes a space.
TEST(SheetText, OddCellsKeepTheShape) {
    tenvo::MonthSheet sheet = composed(2001, 6, 9);
    sheet.month = 13;
    sheet.noteText[0] = '\0';
    sheet.noteText[7] = 'Z';
    sheet.dayText[0] = 'a';
    const auto text = tenvo::composeSheetText(sheet);
    EXPECT_EQ(lineOf(text, 0), std::string(28, ' '));
    EXPECT_EQ(std::string(text.data() + 3 * 30, 4), "    ");
    EXPECT_EQ(std::string(text.data() + 5 * 30, 4), "  Z ");  // cell 1 is row 1
    EXPECT_EQ(std::string(text.data() + 2 * 30, 2), "  ");    // not a digit: two spaces
    EXPECT_EQ(std::string(text.data(), 420).find('\0'), std::string::npos);
}

}  // namespace
