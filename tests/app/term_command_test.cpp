// The terminal command run in-process: the same text as the program, the
// context in place of the clock and the terminal, errors without output.
#include "term_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "sheet_render.h"
#include "term_run.h"

namespace {

using apptest::Answer;
using apptest::command;

TEST(TermCommand, AnswersAsTheProgramDoes) {
    const std::vector<std::vector<const char*>> cases = {
        {"--sheet", "--mode", "kyusei", "1998", "2"},
        {"--holidays", "law", "--list", "2026"},
        {"-y", "2033", "--mode", "27"},
        {"--list", "2026", "--mode", "choku"},
        {"--almanac", "--list", "2026", "--lower-row"},
        {"--help"}};
    for (const auto& arguments : cases) {
        std::string shell;
        for (const char* a : arguments) shell += std::string(a) + " ";
        SCOPED_TRACE(shell);
        const Answer a = command(arguments);
        EXPECT_EQ(a.status, tenvo::kTermSuccess);
        EXPECT_EQ(a.err, "");
        EXPECT_EQ(a.out, apptest::run(shell, "2>/dev/null", "COLUMNS=80").out);
    }
}

// Today, colour and width come from the context alone.
TEST(TermCommand, TheContextStandsForClockAndTerminal) {
    tenvo::TermContext context;
    context.year = 1996;
    context.month = 7;
    context.day = 20;
    context.colour = true;
    const Answer month = command({}, context);
    EXPECT_EQ(month.status, 0);
    EXPECT_NE(month.out.find("1996年7月"), std::string::npos) << month.out;
    EXPECT_NE(month.out.find(std::string(tenvo::kAnsiReverse) + "２０"), std::string::npos);

    context.colour = false;
    context.columns = 40;
    const Answer narrow = command({"-3"}, context);
    context.columns = 200;
    const Answer wide = command({"-3"}, context);
    EXPECT_EQ(narrow.out.find('\x1b'), std::string::npos);
    EXPECT_GT(std::count(narrow.out.begin(), narrow.out.end(), '\n'),
              2 * std::count(wide.out.begin(), wide.out.end(), '\n'));
}

// A clock outside 1870..2100 (or no date at all) is no default month or day;
// a view given its own date does not read it.
TEST(TermCommand, ATodayOutsideTheSpanIsNoDefault) {
    for (const auto& [y, m, d] : {std::tuple{2101, 1, 1}, std::tuple{1869, 12, 31},
                                  std::tuple{2026, 2, 29}, std::tuple{2147483647, 13, 0}}) {
        tenvo::TermContext context;
        context.year = y;
        context.month = m;
        context.day = d;
        for (const auto& arguments :
             std::vector<std::vector<const char*>>{{}, {"-3"}, {"-y"}, {"--day"}, {"--sheet"}}) {
            const Answer a = command(arguments, context);
            EXPECT_EQ(a.status, tenvo::kTermUsageError);
            EXPECT_EQ(a.out, "");
            EXPECT_NE(a.err.find("YEAR MONTH"), std::string::npos);
        }
        EXPECT_EQ(command({"-3", "2026", "1"}, context).status, tenvo::kTermSuccess);
        EXPECT_EQ(command({"--day", "2026-01-01"}, context).status, tenvo::kTermSuccess);
    }
}

// --list YEAR --mode MODE: one line a day, "YYYY-MM-DD<TAB>item", the item
// as the sheet shows it under the day. 2026-02-04 is 立春: the 直 repeats
// the day before's 危, and the almanac mode shows 大明日 as 大明. Each
// value is the one --day gives under its label (the almanac mode's short
// name begins that item's name).
TEST(TermCommand, ListsEveryDayOfAYearInEachMode) {
    tenvo::TermContext context;
    context.year = 2026;
    context.month = 12;
    context.day = 9;
    const std::string day = command({"--day", "2026-02-04"}, context).out;
    struct Case {
        std::vector<const char*> arguments;
        const char* line;   // the line of 2026-02-04, or of the day given below
        const char* label;  // the --day line that holds the value
    };
    const std::vector<Case> cases = {
        {{"--list", "2026", "--mode", "rokuyo"}, "2026-02-04\t仏滅", "六曜"},
        {{"--mode=kyusei", "--list=2026"}, "2026-02-04\t一白", "日の九星"},
        {{"--list", "2026", "--mode", "27"}, "2026-02-04\t翼宿", "二十七宿"},
        {{"--list", "2026", "--mode", "28"}, "2026-02-04\t軫宿", "二十八宿"},
        {{"--list", "2026", "--mode", "kanshi"}, "2026-02-04\t己酉", "日の干支"},
        {{"--list", "2026", "--mode", "sekki"}, "2026-02-04\t立春", "二十四節気"},
        {{"--list", "2026", "--mode", "almanac"}, "2026-02-04\t大明", "暦注"},
        {{"--list", "2026", "--mode", "choku"}, "2026-02-04\t危", "十二直"},
        {{"--list", "2026", "--mode", "choku", "--rule", "solstice", "--holidays", "fixed"},
         "2026-02-03\t危",
         nullptr},
        // Nothing after the tab where the sheet shows nothing.
        {{"--list", "2026", "--mode", "sekki"}, "2026-02-05\t", nullptr},
        {{"--list", "1870", "--mode", "rokuyo", "--rule", "terms"}, "1870-01-31\t", nullptr},
        {{"--list", "2100", "--mode", "27"}, "2100-12-31\t", nullptr},
        // The 直 has a name on every day of the span, its first included.
        {{"--list", "1870", "--mode", "choku"}, "1870-01-01\t納", nullptr}};
    const auto linesOf = [](const std::string& text) {
        std::vector<std::string> lines;
        for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos;
             at = end + 1) {
            lines.push_back(text.substr(at, end - at));
        }
        return lines;
    };
    const std::vector<std::string> dayLines = linesOf(day);
    for (const Case& c : cases) {
        const Answer a = command(c.arguments, context);
        SCOPED_TRACE(c.line);
        EXPECT_EQ(a.status, tenvo::kTermSuccess);
        EXPECT_EQ(a.err, "");
        const std::vector<std::string> lines = linesOf(a.out);
        EXPECT_EQ(lines.size(), 365u);
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.line), lines.end());
        if (c.label == nullptr) continue;
        const std::string label = std::string(c.label) + " ";
        const auto held = std::find_if(dayLines.begin(), dayLines.end(),
                                       [&](const auto& line) { return line.starts_with(label); });
        ASSERT_NE(held, dayLines.end()) << day;
        const std::string value = held->substr(held->find_first_not_of(' ', label.size()));
        EXPECT_TRUE(value.starts_with(std::string_view(c.line).substr(11))) << value;
    }
    // The holidays by law and the almanac keep their own lists, whatever the mode.
    EXPECT_EQ(command({"--holidays", "law", "--list", "2026", "--mode", "choku"}, context).out,
              command({"--holidays", "law", "--list", "2026"}, context).out);
    EXPECT_EQ(command({"--almanac", "--list", "2026", "--mode", "choku"}, context).out,
              command({"--almanac", "--list", "2026"}, context).out);
}

}  // namespace
