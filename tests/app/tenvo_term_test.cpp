// The terminal front end run as a program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "annotations.h"
#include "app_test_support.h"
#include "sheet_render.h"
#include "sheet_text.h"

namespace {

struct Outcome {
    std::string out;
    int status = -1;
};

// Runs tenvo-term with `arguments` through the shell; `streams` picks what
// is captured ("2>/dev/null" for standard output, "2>&1 >/dev/null" for
// standard error).
Outcome runShell(const std::string& command) {
    Outcome result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "cannot run " << command;
        return result;
    }
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

Outcome run(const std::string& arguments, const std::string& streams = "2>/dev/null",
            const std::string& environment = "") {
    return runShell(environment + " '" TENVO_TERM_PATH "' " + arguments + " " + streams +
                    " </dev/null");
}

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
                                                 {"28", 3},     {"kanshi", 4}, {"sekki", 5}};
    for (const auto& [name, mode] : modes) {
        SCOPED_TRACE(name);
        const Outcome r = run(std::string("--mode ") + name + " 1998 2");
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, expectedText(1998, 2, mode));
    }
    EXPECT_EQ(run("--mode=sekki 2001 12").out, expectedText(2001, 12, 5));
    EXPECT_EQ(run("1997 3").out, expectedText(1997, 3, 0));
    EXPECT_EQ(run("2100 12 --mode kyusei").out, expectedText(2100, 12, 1));
    // 1870 is out of the six-day span: the lines are blank but present.
    EXPECT_EQ(run("1870 1").out, expectedText(1870, 1, 0));
}

// Every month from 1870-01 to 2100-12 is accepted in every mode; after 2020
// the six-day and 27-mansion lines carry names up to 2100-12-30.
TEST(TenvoTerm, AcceptsEveryMonthTo2100InEveryMode) {
    const std::pair<const char*, int> modes[] = {{"rokuyo", 0}, {"kyusei", 1}, {"27", 2},
                                                 {"28", 3},     {"kanshi", 4}, {"sekki", 5}};
    for (const auto& [name, mode] : modes) {
        for (const auto& [year, month] :
             {std::pair{2100, 12}, std::pair{1870, 1}, std::pair{2026, 12}, std::pair{2033, 12}}) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(year) + " " +
                         std::to_string(month));
            const Outcome r = run(std::string("--mode ") + name + " " + std::to_string(year) + " " +
                                  std::to_string(month));
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
    const Outcome solstice = run("--rule solstice 1985 1");
    EXPECT_EQ(solstice.status, 0);
    EXPECT_EQ(solstice.out, expected);
    EXPECT_NE(solstice.out, expectedText(1985, 1, 0));
    EXPECT_EQ(run("--rule=terms 1985 1").out, expectedText(1985, 1, 0));
}

TEST(TenvoTerm, DefaultsToTheCurrentMonth) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const Outcome r = run("");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, expectedText(local.tm_year + 1900, local.tm_mon + 1, 0));
}

TEST(TenvoTerm, BadArgumentsGiveOneLineAndStatusTwo) {
    for (const char* arguments :
         {"1998 13", "1998 0", "abc 2", "1998 x", "1869 5", "2101 1", "1869 12", "2101 01", "1998",
          "1998 2 3", "--mode lunar 1998 2", "--mode", "--colour 1998 2", "-- 1998 2", "1998 -2",
          "99999999999 1", "--rule lunar 1998 2", "--rule", "--rule= 1998 2"}) {
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
}

TEST(TenvoTerm, NoEscapeCodesWithoutATerminalOrWithNoColor) {
    EXPECT_EQ(run("1996 7").out.find('\x1b'), std::string::npos);
    EXPECT_EQ(run("1996 7", "2>/dev/null", "NO_COLOR=1").out.find('\x1b'), std::string::npos);
    // On a terminal (a pseudo-terminal made by script(1), when present)
    // the colours appear unless NO_COLOR is set.
    if (std::system("command -v script >/dev/null 2>&1") == 0) {
        const std::string onTerminal =
            "script -qec \"'" TENVO_TERM_PATH "' 1996 7\" /dev/null </dev/null 2>/dev/null";
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
