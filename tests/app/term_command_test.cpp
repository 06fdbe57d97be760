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

struct Answer {
    int status;
    std::string out, err;
};

Answer command(std::vector<const char*> arguments, const tenvo::TermContext& context = {}) {
    arguments.insert(arguments.begin(), "tenvo-term");
    Answer a{-1, {}, {}};
    a.status = tenvo::runTermCommand(static_cast<int>(arguments.size()), arguments.data(), context,
                                     a.out, a.err);
    return a;
}

TEST(TermCommand, AnswersAsTheProgramDoes) {
    const std::vector<std::vector<const char*>> cases = {
        {"--sheet", "--mode", "kyusei", "1998", "2"},
        {"--holidays", "law", "--list", "2026"},
        {"-y", "2033", "--mode", "27"},
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

}  // namespace
