// Runs tenvo-term in-process on any argument vector: the input's lines (a
// newline or a NUL ends an argument) are the arguments after the program's
// name. Whatever they are, the command ends with status 0 and no complaint,
// or status 2 with one line of complaint and nothing printed before it;
// never a crash, a read out of bounds or an exception that escapes. What it
// prints is UTF-8. The terminal's width, colour and today's date come from
// the input's bytes too, so that every view meets every layout.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "term_command.h"

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

// Well-formed UTF-8: no stray continuation bytes, no truncated or overlong
// sequences, nothing beyond U+10FFFF and no surrogates.
bool isUtf8(const std::string& text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xc2 && lead <= 0xdf) {
            extra = 1;
            code = lead & 0x1fu;
        } else if (lead >= 0xe0 && lead <= 0xef) {
            extra = 2;
            code = lead & 0x0fu;
        } else if (lead >= 0xf0 && lead <= 0xf4) {
            extra = 3;
            code = lead & 0x07u;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(extra) >= text.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            if ((next & 0xc0) != 0x80) return false;
            code = (code << 6) | (next & 0x3fu);
        }
        const uint32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (code < least[extra] || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
            return false;
        i += static_cast<size_t>(extra) + 1;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> arguments;
    std::string current;
    for (const char c : input) {
        if (c == '\n' || c == '\0') {
            arguments.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) arguments.push_back(current);
    if (arguments.size() > 24) return 0;  // long vectors add nothing but time

    // The caller's side, from a hash of the input: today within the span
    // the calendar shows, the width from 1 to 240 columns, colour or not.
    uint32_t hash = 2166136261u;
    for (const char c : input) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    tenvo::TermContext context;
    context.year = 1870 + static_cast<int32_t>(hash % 231);
    context.month = 1 + static_cast<int32_t>((hash >> 8) % 12);
    context.day = 1 + static_cast<int32_t>((hash >> 12) % 28);
    context.columns = 1 + static_cast<int>((hash >> 17) % 240);
    context.colour = (hash >> 30) & 1u;
    context.stamp = 1796774400;  // 2026-12-09 00:00 UTC

    std::vector<const char*> argv{"tenvo-term"};
    for (const std::string& a : arguments) argv.push_back(a.c_str());

    std::string out;
    std::string err;
    const int status =
        tenvo::runTermCommand(static_cast<int>(argv.size()), argv.data(), context, out, err);
    if (status == tenvo::kTermSuccess) {
        check(err.empty());
        check(isUtf8(out));
    } else {
        check(status == tenvo::kTermUsageError);
        check(out.empty());
        // One message: a single line, ended by its newline.
        check(!err.empty() && err.back() == '\n' && err.find('\n') == err.size() - 1);
    }
    return 0;
}
