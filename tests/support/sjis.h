// Converts UTF-8 text to code page 932 with iconv, so that tests can compare
// the library's Shift-JIS bytes with the readable text they stand for.
#pragma once

#include <iconv.h>

#include <stdexcept>
#include <string>

namespace testsupport {

inline std::string toCp932(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 converter");
    std::string in = utf8;
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || inLeft != 0) {
        throw std::runtime_error("not representable in CP932: " + utf8);
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace testsupport
