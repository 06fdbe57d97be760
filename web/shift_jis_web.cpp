// The program's Shift-JIS conversion for the web module, which does not take
// the native one. Shift-JIS is
// decoded by the host's own decoder (the browser's, or Node's), not by the C
// library's iconv: that would bring its tables of every legacy encoding
// into the module, several times the size of the calendar itself.
#include <emscripten.h>

#include "text_encoding.h"

// Decodes `length` Shift-JIS bytes at `text` and writes them as UTF-8 with a
// NUL into `out` (at most `capacity` bytes); returns the bytes written before
// the NUL. The decoder is the host's "shift_jis" (Windows code page 932, as
// the sheet's names are written).
EM_JS(int, web_decode_shift_jis, (const char* text, int length, char* out, int capacity), {
    if (!Module.shiftJisDecoder) Module.shiftJisDecoder = new TextDecoder("shift_jis");
    const decoded = Module.shiftJisDecoder.decode(HEAPU8.subarray(text, text + length));
    return stringToUTF8(decoded, out, capacity);
});

namespace tenvo {

std::string shiftJisToUtf8(const char* text, std::size_t length) {
    // Every Shift-JIS byte gives at most 3 bytes of UTF-8 (a half-width
    // katakana of one byte gives 3); one more for the NUL.
    std::string out(length * 3 + 1, '\0');
    const int written = web_decode_shift_jis(text, static_cast<int>(length), out.data(),
                                             static_cast<int>(out.size()));
    out.resize(static_cast<std::size_t>(written));
    return out;
}

}  // namespace tenvo
