// Shift-JIS (code page 932), the library's and the sheet's encoding, to
// UTF-8 for terminals, lists and calendar files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tenvo {

// Shift-JIS bytes to UTF-8. A byte sequence that is not Shift-JIS becomes
// "?" for each byte that could not be converted.
std::string shiftJisToUtf8(const char* text, std::size_t length);
inline std::string shiftJisToUtf8(std::string_view text) {
    return shiftJisToUtf8(text.data(), text.size());
}

}  // namespace tenvo
