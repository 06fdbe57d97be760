// The command line and the output file that the table generators share:
//   GENERATOR FIRST_YEAR LAST_YEAR OUTPUT_FILE
// The years are bounded by the span of the Delta T model, outside which no
// generated day could be trusted.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace newmoongen {

constexpr long kDeltaTModelFirstYear = 1801;
constexpr long kDeltaTModelLastYear = 2149;

inline bool parseModelYear(const char* text, int32_t& year) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < kDeltaTModelFirstYear ||
        value > kDeltaTModelLastYear) {
        return false;
    }
    year = static_cast<int32_t>(value);
    return true;
}

// Reads the span; on a bad command line prints the usage and returns false.
inline bool parseYearSpan(int argc, char** argv, const char* program, int32_t& firstYear,
                          int32_t& lastYear) {
    if (argc == 4 && parseModelYear(argv[1], firstYear) && parseModelYear(argv[2], lastYear) &&
        firstYear <= lastYear) {
        return true;
    }
    std::fprintf(stderr,
                 "usage: %s FIRST_YEAR LAST_YEAR OUTPUT_FILE\n"
                 "  years %ld..%ld (the span of the Delta T model), FIRST <= LAST\n",
                 program, kDeltaTModelFirstYear, kDeltaTModelLastYear);
    return false;
}

// Writes the header as bytes (no newline translation); says so when it cannot.
inline bool writeOutput(const char* path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) std::fprintf(stderr, "error: cannot write %s\n", path);
    return static_cast<bool>(out);
}

}  // namespace newmoongen
