// Runs tenvo-term as a program, or its command in-process, and captures
// what it writes.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "term_command.h"

namespace apptest {

// What runTermCommand answers: the exit status and both streams.
struct Answer {
    int status;
    std::string out, err;
};

// Runs the command in-process with `arguments` (the program's name is put
// first) in `context`.
inline Answer command(std::vector<const char*> arguments, const tenvo::TermContext& context = {}) {
    arguments.insert(arguments.begin(), "tenvo-term");
    Answer a{-1, {}, {}};
    a.status = tenvo::runTermCommand(static_cast<int>(arguments.size()), arguments.data(), context,
                                     a.out, a.err);
    return a;
}

// The day the tests that need a today take as theirs: 2026-12-09.
inline tenvo::TermContext onTestDay() {
    tenvo::TermContext context;
    context.year = 2026;
    context.month = 12;
    context.day = 9;
    return context;
}

struct Outcome {
    std::string out;
    int status = -1;
};

inline Outcome runShell(const std::string& command) {
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

// Runs tenvo-term with `arguments` through the shell; `streams` picks what
// is captured ("2>/dev/null" for standard output, "2>&1 >/dev/null" for
// standard error).
inline Outcome run(const std::string& arguments, const std::string& streams = "2>/dev/null",
                   const std::string& environment = "") {
    return runShell(environment + " '" TENVO_TERM_PATH "' " + arguments + " " + streams +
                    " </dev/null");
}

}  // namespace apptest
