// tenvo-term as a function: the options parsed from an argument vector and
// the view they choose written into strings, so that a test or a fuzz target
// can drive the whole command in-process. It reads no clock, environment or
// terminal and writes no stream: the caller hands over what it would need.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace tenvo {

// Everything the command would otherwise ask the system.
struct TermContext {
    int32_t year = 2000;  // today's local date: the default month and day,
    int32_t month = 1;    // and the day shown reversed
    int32_t day = 1;
    std::time_t stamp = 0;  // the moment written as DTSTAMP into iCalendar streams
    bool colour = false;    // ANSI colours and the reversed day
    int columns = 80;       // the terminal's width, deciding months side by side
};

inline constexpr int kTermSuccess = 0;
inline constexpr int kTermUsageError = 2;

// Runs tenvo-term with `argv[0..argc)` (argv[0] is the program's name and is
// not read). What the command prints goes to `out`, its one-line complaint
// about bad arguments to `err`; both are appended to. Returns kTermSuccess,
// or kTermUsageError with nothing appended to `out`. A view that defaults to
// today (no YEAR MONTH, --day without a date) with a context date that is
// not a day of 1870-01-01 .. 2100-12-31 is refused the same way.
int runTermCommand(int argc, const char* const* argv, const TermContext& context, std::string& out,
                   std::string& err);

}  // namespace tenvo
