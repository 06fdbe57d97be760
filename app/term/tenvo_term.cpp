// tenvo-term: the month sheet of the traditional calendar in a terminal.
// The command itself is runTermCommand (term_command.h); this program hands
// it today's date, the terminal's width and whether to colour, and writes
// what it answers.
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "term_command.h"

namespace {

constexpr int kDefaultColumns = 80;
constexpr int kWriteError = 1;

// A decimal number of at most 9 digits, nothing else.
std::optional<int> parseColumns(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool useColour() {
    const char* noColour = std::getenv("NO_COLOR");
    if (noColour != nullptr && noColour[0] != '\0') return false;
    const char* term = std::getenv("TERM");
    if (term != nullptr && std::strcmp(term, "dumb") == 0) return false;
    return isatty(STDOUT_FILENO) == 1;
}

// COLUMNS when it holds a width, else the terminal's width, else 80.
int terminalColumns() {
    const char* columns = std::getenv("COLUMNS");
    if (columns != nullptr) {
        if (const auto value = parseColumns(columns); value && *value > 0) return *value;
    }
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return kDefaultColumns;
}

}  // namespace

int main(int argc, char** argv) {
    tenvo::TermContext context;
    context.stamp = std::time(nullptr);
    std::tm local{};
    localtime_r(&context.stamp, &local);
    context.year = local.tm_year + 1900;
    context.month = local.tm_mon + 1;
    context.day = local.tm_mday;
    context.colour = useColour();
    context.columns = terminalColumns();

    std::string out;
    std::string err;
    const int status = tenvo::runTermCommand(argc, argv, context, out, err);
    std::fwrite(err.data(), 1, err.size(), stderr);
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (std::fflush(stdout) != 0) return kWriteError;
    return status;
}
