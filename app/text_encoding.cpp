#include "text_encoding.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace tenvo {

#ifdef _WIN32

// Code page 932 to UTF-16 to UTF-8, one character at a time so that a bad
// byte costs only itself.
std::string shiftJisToUtf8(const char* text, std::size_t length) {
    std::string out;
    std::size_t i = 0;
    while (i < length) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const bool twoBytes =
            ((lead >= 0x81 && lead <= 0x9f) || (lead >= 0xe0 && lead <= 0xfc)) && i + 1 < length;
        const int size = twoBytes ? 2 : 1;
        wchar_t wide[2];
        const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text + i, size, wide, 2);
        char utf8[8];
        const int m =
            n > 0 ? WideCharToMultiByte(CP_UTF8, 0, wide, n, utf8, sizeof utf8, nullptr, nullptr)
                  : 0;
        if (m > 0) {
            out.append(utf8, static_cast<std::size_t>(m));
            i += static_cast<std::size_t>(size);
        } else {
            out += '?';
            ++i;
        }
    }
    return out;
}

#else

std::string shiftJisToUtf8(const char* text, std::size_t length) {
    std::string out;
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // No converter on this system: keep ASCII, mark everything else.
        for (std::size_t i = 0; i < length; ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            out += byte < 0x80 ? text[i] : '?';
        }
        return out;
    }
    char* in = const_cast<char*>(text);
    std::size_t inLeft = length;
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof(buffer);
        const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An invalid or cut-off sequence: show one "?" and go on.
            out += '?';
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

#endif

}  // namespace tenvo
