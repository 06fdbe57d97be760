// The terminal front end run as a program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "annotations.h"
#include "app_test_support.h"
#include "sheet_render.h"
#include "sheet_text.h"
#include "term_run.h"

namespace {

using apptest::Outcome;
using apptest::run;
using apptest::runShell;

// The sheet text as a terminal shows it: UTF-8, LF line ends.
std::string expectedText(int year, int month, int mode) {
    const auto text = tenvo::composeSheetText(apptest::composed(year, month, mode));
    std::string out;
    for (int line = 0; line < 14; ++line) {
        out += apptest::utf8(std::string(text.data() + 30 * line, 28)) + "\n";
    }
    return out;
}

TEST(TenvoTerm, PrintsTheSheetTextInEachMode) {
    const std::pair<const char*, int> modes[] = {{"rokuyo", 0}, {"kyusei", 1}, {"27", 2},
                                                 {"28", 3},     {"kanshi", 4}, {"sekki", 5},
                                                 {"choku", 7}};
    for (const auto& [name, mode] : modes) {
        SCOPED_TRACE(name);
        const Outcome r = run(std::string("--sheet --mode ") + name + " 1998 2");
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, expectedText(1998, 2, mode));
    }
    EXPECT_EQ(run("--sheet --mode=sekki 2001 12").out, expectedText(2001, 12, 5));
    EXPECT_EQ(run("1997 3 --sheet").out, expectedText(1997, 3, 0));
    EXPECT_EQ(run("2100 12 --mode kyusei --sheet").out, expectedText(2100, 12, 1));
    // 1870 is out of the six-day span: the lines are blank but present.
    EXPECT_EQ(run("--sheet 1870 1").out, expectedText(1870, 1, 0));
}

// Every month from 1870-01 to 2100-12 is accepted in every mode; after 2020
// the six-day and 27-mansion lines carry names up to 2100-12-30.
TEST(TenvoTerm, AcceptsEveryMonthTo2100InEveryMode) {
    const std::pair<const char*, int> modes[] = {{"rokuyo", 0}, {"kyusei", 1}, {"27", 2},
                                                 {"28", 3},     {"kanshi", 4}, {"sekki", 5},
                                                 {"choku", 7}};
    for (const auto& [name, mode] : modes) {
        for (const auto& [year, month] :
             {std::pair{2100, 12}, std::pair{1870, 1}, std::pair{2026, 12}, std::pair{2033, 12}}) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(year) + " " +
                         std::to_string(month));
            const Outcome r = run(std::string("--sheet --mode ") + name + " " +
                                  std::to_string(year) + " " + std::to_string(month));
            EXPECT_EQ(r.status, 0);
            EXPECT_EQ(r.out, expectedText(year, month, mode));
        }
    }
    // 2026-12-09 opens lunisolar month 11: 大安 and 斗宿; 2100-12-01 opens
    // month 11 as well.
    EXPECT_NE(run("2026 12").out.find("大安"), std::string::npos);
    EXPECT_NE(run("--mode 27 2026 12").out.find("斗宿"), std::string::npos);
    EXPECT_NE(run("--mode 27 2100 12").out.find("斗宿"), std::string::npos);
}

// --rule solstice prints the sheet with the months numbered from 冬至 (in
// 1985-01 other names than the default's from the 21st); --rule terms the
// default.
TEST(TenvoTerm, MonthRuleOption) {
    tenvo::MonthSheet sheet;
    sheet.year = 1985;
    sheet.month = 1;
    tenvo::composeMonth(sheet, tenvo::withSolsticeReading(apptest::library()));
    const auto text = tenvo::composeSheetText(sheet);
    std::string expected;
    for (int line = 0; line < 14; ++line) {
        expected += apptest::utf8(std::string(text.data() + 30 * line, 28)) + "\n";
    }
    const Outcome solstice = run("--sheet --rule solstice 1985 1");
    EXPECT_EQ(solstice.status, 0);
    EXPECT_EQ(solstice.out, expected);
    EXPECT_NE(solstice.out, expectedText(1985, 1, 0));
    EXPECT_EQ(run("--rule=terms --sheet 1985 1").out, expectedText(1985, 1, 0));
}

// --list YEAR --mode MODE walks every day of a leap year in every mode:
// one line a day in date order, the item the sheet shows under it, in
// UTF-8 and without the padding; --rule solstice lists what its sheets show.
TEST(TenvoTerm, ListGivesEveryDaysSheetItem) {
    const auto expected = [](int year, int mode, const tenvo::LibraryBinding& library) {
        std::string text;
        for (int month = 1; month <= 12; ++month) {
            tenvo::MonthSheet sheet;
            sheet.year = static_cast<uint16_t>(year);
            sheet.month = static_cast<uint16_t>(month);
            sheet.mode = mode;
            tenvo::composeMonth(sheet, library);
            std::map<int, std::string> notes;  // by the day number written in the cell
            for (int cell = 0; cell < tenvo::kCells; ++cell) {
                const std::string day(sheet.dayText.data() + 2 * cell, 2);
                if (day == "  ") continue;
                std::string note(sheet.noteText.data() + 5 * cell, 4);
                note.erase(note.find_last_not_of(std::string(" \0", 2)) + 1);
                notes[std::stoi(day)] = apptest::utf8(note);
            }
            for (const auto& [day, note] : notes) {
                char date[32];
                std::snprintf(date, sizeof date, "%04d-%02d-%02d\t", year, month, day);
                text += date + note + "\n";
            }
        }
        return text;
    };
    const std::pair<const char*, int> modes[] = {{"rokuyo", 0},  {"kyusei", 1}, {"27", 2},
                                                 {"28", 3},      {"kanshi", 4}, {"sekki", 5},
                                                 {"almanac", 6}, {"choku", 7}};
    for (const auto& [name, mode] : modes) {
        SCOPED_TRACE(name);
        const Outcome r = run(std::string("--list 2024 --mode ") + name);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 366);
        EXPECT_EQ(r.out, expected(2024, mode, apptest::library()));
    }
    const Outcome solstice = run("--list 1985 --mode rokuyo --rule solstice");
    EXPECT_EQ(solstice.out, expected(1985, 0, tenvo::withSolsticeReading(apptest::library())));
    EXPECT_NE(solstice.out, run("--list 1985 --mode rokuyo --rule terms").out);
}

TEST(TenvoTerm, DefaultsToTheCurrentMonth) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const Outcome r = run("--sheet");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, expectedText(local.tm_year + 1900, local.tm_mon + 1, 0));
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::string trimmed(const std::string& line) {
    const std::size_t first = line.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : line.substr(first, line.find_last_not_of(' ') - first + 1);
}

// The sheet text of a month with a blank column between its 4-byte cells,
// as the views outside --sheet show it (the label line left out).
std::vector<std::string> separatedLines(int year, int month, int mode) {
    const auto text = tenvo::composeSheetText(apptest::composed(year, month, mode));
    std::vector<std::string> lines;
    for (int line = 1; line < 14; ++line) {
        std::string out;
        for (int cell = 0; cell < 7; ++cell) {
            if (cell != 0) out += ' ';
            out += apptest::utf8(std::string(text.data() + 30 * line + 4 * cell, 4));
        }
        lines.push_back(out);
    }
    return lines;
}

// The default view is the sheet text with "YYYY年M月" for its label line and
// a blank column between cells; -3 shows the months around the given one
// (across the turn of the year, and without the months outside 1870..2100),
// side by side from 106 columns; -y shows the twelve months, three to a row
// where they fit.
TEST(TenvoTerm, TitledMonthsThreeMonthsAndTheYear) {
    struct Month {
        int year, month;
    };
    for (const Month m : {Month{2026, 12}, Month{1870, 1}}) {
        const std::vector<std::string> got = linesOf(
            run(std::to_string(m.year) + " " + std::to_string(m.month) + " --mode 27 --rule terms")
                .out);
        ASSERT_EQ(got.size(), 14u);
        EXPECT_EQ(trimmed(got[0]), std::to_string(m.year) + "年" + std::to_string(m.month) + "月");
        EXPECT_EQ(std::vector(got.begin() + 1, got.end()), separatedLines(m.year, m.month, 2));
    }

    const std::string dec = run("2025 12").out, jan = run("2026 1").out, feb = run("2026 2").out;
    EXPECT_EQ(run("-3 2026 1", "2>/dev/null", "COLUMNS=105").out, dec + "\n" + jan + "\n" + feb);
    const std::vector<std::string> wide =
        linesOf(run("2026 1 --three", "2>/dev/null", "COLUMNS=106").out);
    ASSERT_EQ(wide.size(), 14u);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        EXPECT_EQ(wide[i], linesOf(dec)[i] + "  " + linesOf(jan)[i] + "  " + linesOf(feb)[i]);
    }
    EXPECT_EQ(run("-3 1870 1 --rule terms", "2>/dev/null", "COLUMNS=80").out,
              run("1870 1 --rule terms").out + "\n" + run("1870 2 --rule terms").out);
    EXPECT_EQ(run("--sheet -3 2026 1").out, expectedText(2025, 12, 0) + "\n" +
                                                expectedText(2026, 1, 0) + "\n" +
                                                expectedText(2026, 2, 0));

    // One month to a row: the year is the twelve month views, an empty line
    // apart; three to a row from 106 columns, two below.
    std::string months;
    for (int month = 1; month <= 12; ++month) {
        if (month > 1) months += '\n';
        months += run("2033 " + std::to_string(month) + " --mode kyusei").out;
    }
    EXPECT_EQ(run("-y 2033 --mode kyusei", "2>/dev/null", "COLUMNS=40").out, months);
    const std::vector<std::string> rows =
        linesOf(run("--year 2033 --rule terms", "2>/dev/null", "COLUMNS=106").out);
    ASSERT_EQ(rows.size(), 4u * 15u - 1u);
    // "2033年10月" takes 10 of 34 columns: 12 blank each side, 2 between.
    EXPECT_EQ(trimmed(rows[15 * 3]), "2033年10月" + std::string(26, ' ') + "2033年11月" +
                                         std::string(26, ' ') + "2033年12月");
    EXPECT_EQ(linesOf(run("-y 2033", "2>/dev/null", "COLUMNS=105").out).size(), 6u * 15u - 1u);
    EXPECT_EQ(linesOf(run("-y 2033", "2>/dev/null", "COLUMNS=69").out).size(), 12u * 15u - 1u);
}

// Today is reversed on a colour terminal only: not with NO_COLOR, not when
// piped, never in the sheet text.
TEST(TenvoTerm, TodayIsReversedOnAColourTerminal) {
    const tenvo::MonthSheet sheet = apptest::composed(1996, 7, 0);
    const std::string reverse = tenvo::kAnsiReverse, reset = tenvo::kAnsiReset;
    const std::string twentieth =
        tenvo::renderMonthBlock(sheet, {tenvo::BlockTitle::YearAndMonth, true, 20})[6];
    EXPECT_NE(twentieth.find(tenvo::kAnsiRed + reverse + "２０" + reset), std::string::npos)
        << twentieth;

    if (std::system("command -v script >/dev/null 2>&1") != 0) return;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // Today's number in full-width digits (U+FF10.., EF BC 90.. in UTF-8).
    std::string digits;
    for (const char c : std::to_string(local.tm_mday)) {
        digits += "\xef\xbc";
        digits += static_cast<char>(0x90 + (c - '0'));
    }
    const auto onTerminal = [](const std::string& environment, const std::string& arguments) {
        return runShell(environment + " script -qec \"'" TENVO_TERM_PATH "' " + arguments +
                        "\" /dev/null </dev/null 2>/dev/null")
            .out;
    };
    EXPECT_NE(onTerminal("TERM=xterm", "").find(reverse + digits + reset), std::string::npos);
    EXPECT_NE(onTerminal("TERM=xterm", "-3").find(reverse + digits + reset), std::string::npos);
    EXPECT_EQ(onTerminal("TERM=xterm NO_COLOR=1", "").find(reverse), std::string::npos);
    EXPECT_EQ(onTerminal("TERM=xterm", "--sheet").find(reverse), std::string::npos);
    EXPECT_EQ(run("").out.find('\x1b'), std::string::npos);
}

TEST(TenvoTerm, BadArgumentsGiveOneLineAndStatusTwo) {
    // The new views exclude each other and --ics, and want their own
    // arguments: a year for -y, a year and a month for -3.
    // clang-format off
    const char* const bad[] = {
        "1998 13", "1998 0", "abc 2", "1998 x", "1869 5 --rule terms", "2101 1",
        "1869 12 --rule terms", "2101 01", "1998",
        "1998 2 3", "--mode lunar 1998 2", "--mode", "--colour 1998 2", "-- 1998 2", "1998 -2",
        "99999999999 1", "--rule lunar 1998 2", "--rule", "--rule= 1998 2", "-3 -y", "-y 2026 1",
        "-y 1869 --rule terms", "--ics", "--ics 2101", "--ics 2026 2026 1", "--ics 2026 -3",
        "--sheet --ics 2026",
        "-3 2026", "--list 2026", "--mode choku --list 2101", "--list 2026 --mode chokku",
        "--lower-row 2026 1"};
    // clang-format on
    for (const char* arguments : bad) {
        SCOPED_TRACE(arguments);
        const Outcome err = run(arguments, "2>&1 >/dev/null");
        EXPECT_EQ(err.status, 2);
        ASSERT_FALSE(err.out.empty());
        EXPECT_EQ(err.out.find('\n'), err.out.size() - 1) << err.out;
        EXPECT_EQ(err.out.rfind("tenvo-term: ", 0), 0u) << err.out;
        const Outcome out = run(arguments);
        EXPECT_EQ(out.out, "");
    }
}

TEST(TenvoTerm, HelpAndVersion) {
    const Outcome version = run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.out.find(::VRNVER()), std::string::npos) << version.out;
    const Outcome help = run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--mode"), std::string::npos);
    EXPECT_NE(help.out.find("sekki"), std::string::npos);
    EXPECT_NE(help.out.find("choku"), std::string::npos);
    EXPECT_NE(help.out.find("--lower-row"), std::string::npos);
}

TEST(TenvoTerm, NoEscapeCodesWithoutATerminalOrWithNoColor) {
    EXPECT_EQ(run("1996 7").out.find('\x1b'), std::string::npos);
    EXPECT_EQ(run("1996 7", "2>/dev/null", "NO_COLOR=1").out.find('\x1b'), std::string::npos);
    // On a terminal (a pseudo-terminal made by script(1), when present)
    // the colours appear unless NO_COLOR is set.
    if (std::system("command -v script >/dev/null 2>&1") == 0) {
        const std::string onTerminal =
            "script -qec \"'" TENVO_TERM_PATH "' --sheet 1996 7\" /dev/null </dev/null 2>/dev/null";
        const Outcome coloured = runShell("TERM=xterm " + onTerminal);
        EXPECT_NE(coloured.out.find("\x1b[31m"), std::string::npos) << coloured.out;
        const Outcome plain = runShell("TERM=xterm NO_COLOR=1 " + onTerminal);
        EXPECT_EQ(plain.out.find("\x1b["), std::string::npos);
        EXPECT_NE(plain.out.find("２０"), std::string::npos) << plain.out;
    }
}

// Colour goes by the cell's class: 20 July 1996, a Saturday holiday, red.
TEST(TermRender, ColoursFollowTheCellClasses) {
    const tenvo::MonthSheet sheet = apptest::composed(1996, 7, 0);
    const std::string coloured = tenvo::renderSheet(sheet, true);
    const std::string plain = tenvo::renderSheet(sheet, false);
    EXPECT_EQ(plain, expectedText(1996, 7, 0));
    const std::string red = tenvo::kAnsiRed;
    const std::string blue = tenvo::kAnsiBlue;
    const std::string reset = tenvo::kAnsiReset;
    EXPECT_NE(coloured.find(red + apptest::utf8(apptest::sjis("２０")) + reset), std::string::npos);
    EXPECT_NE(coloured.find(red + apptest::utf8(apptest::sjis("２１")) + reset), std::string::npos);
    EXPECT_NE(coloured.find(blue + apptest::utf8(apptest::sjis("１３")) + reset),
              std::string::npos);
    EXPECT_EQ(coloured.find(blue + apptest::utf8(apptest::sjis("２０"))), std::string::npos);
    EXPECT_EQ(coloured.find(red + apptest::utf8(apptest::sjis("２２"))), std::string::npos);
    EXPECT_NE(coloured.find(red + "  日" + reset), std::string::npos);
    EXPECT_NE(coloured.find(blue + "  土" + reset), std::string::npos);
    // Without the escape codes the coloured text is the plain one.
    std::string stripped = coloured;
    for (const std::string& code : {red, blue, reset}) {
        for (std::size_t at; (at = stripped.find(code)) != std::string::npos;) {
            stripped.erase(at, code.size());
        }
    }
    EXPECT_EQ(stripped, plain);
}

TEST(TermRender, InvalidShiftJisBecomesQuestionMarks) {
    EXPECT_EQ(tenvo::shiftJisToUtf8("a\x82", 2), "a?");
    EXPECT_EQ(tenvo::shiftJisToUtf8("\x93\xfa"
                                    "b",
                                    3),
              "日b");
    EXPECT_EQ(tenvo::shiftJisToUtf8("", 0), "");
}

}  // namespace
