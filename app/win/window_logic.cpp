#include "window_logic.h"

#include <climits>
#include <cstdio>

namespace tenvo {

namespace {

int32_t clampToInt32(int64_t value) {
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

int32_t clampToSize(int64_t value) {
    if (value < 0) return 0;
    return clampToInt32(value);
}

bool isShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc);
}

}  // namespace

int32_t doubledFontDimension(int32_t value) { return clampToInt32(int64_t{value} * 2); }

int32_t halvedFontHeight(int32_t height) { return height / 2; }

WindowSize sheetWindowSize(int32_t aveCharWidth, int32_t charHeight, int32_t cxBorder,
                           int32_t cyBorder, int32_t cyCaption) {
    const int64_t width = 25 * int64_t{aveCharWidth} + 2 * int64_t{cxBorder};
    const int64_t height =
        16 * int64_t{charHeight} + 8 * int64_t{cyBorder} + 2 * int64_t{cyCaption};
    return {clampToSize(width), clampToSize(height)};
}

int32_t titleX(int32_t windowWidth, int32_t aveCharWidth) {
    return clampToInt32(int64_t{windowWidth} / 2 - 8 * int64_t{aveCharWidth});
}

int32_t parseDecimal(const char* text) {
    if (text == nullptr) return 0;
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > int64_t{INT32_MAX} + 1) value = int64_t{INT32_MAX} + 1;
    }
    return clampToInt32(negative ? -value : value);
}

int32_t isValidYearMonth(int32_t year, int32_t month) {
    return (year >= kFirstSheetYear && year <= kLastSheetYear && month >= 1 && month <= 12) ? 1 : 0;
}

YearMonth turnedMonth(int32_t year, int32_t month, int32_t step) {
    constexpr int64_t kFirst = int64_t{kFirstSheetYear} * 12;     // January
    constexpr int64_t kLast = int64_t{kLastSheetYear} * 12 + 11;  // December
    const int64_t index = int64_t{year} * 12 + (int64_t{month} - 1) + step;
    const int64_t kept = index < kFirst ? kFirst : (index > kLast ? kLast : index);
    return {static_cast<int32_t>(kept / 12), static_cast<int32_t>(kept % 12 + 1)};
}

int32_t wheelMonthSteps(int32_t& pending, int32_t delta) {
    constexpr int32_t kNotch = 120;  // WHEEL_DELTA
    if ((pending > 0 && delta < 0) || (pending < 0 && delta > 0)) pending = 0;
    const int64_t sum = int64_t{pending} + delta;
    const int64_t notches = sum / kNotch;  // toward zero: a part notch waits
    pending = static_cast<int32_t>(sum - notches * kNotch);
    return clampToInt32(-notches);
}

size_t formatPaintTitle(uint32_t month, char* out) {
    // "%4u" gives at most 10 digits for any 32-bit value; only 1..12 ever
    // reach here, which take 4 bytes.
    char digits[16];
    int n = std::snprintf(digits, sizeof digits, "%4u", static_cast<unsigned>(month % 10000));
    size_t length = 0;
    for (int i = 0; i < n; ++i) out[length++] = digits[i];
    out[length++] = '\x8c';  // 月
    out[length++] = '\x8e';
    out[length] = '\0';
    return length;
}

size_t dropIncompleteShiftJis(char* text) {
    size_t i = 0;
    while (text[i] != '\0') {
        if (isShiftJisLeadByte(static_cast<unsigned char>(text[i]))) {
            if (text[i + 1] == '\0') {
                text[i] = '\0';
                break;
            }
            i += 2;
        } else {
            ++i;
        }
    }
    return i;
}

}  // namespace tenvo
