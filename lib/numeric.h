// Small numeric helpers shared by the library's sources (not exported).
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace vorane2 {

// Truncation toward zero into a 32-bit integer. The formulas of the library
// truncate doubles everywhere; a caller may hand us NaN or a value beyond the
// 32-bit range, and converting those directly is undefined behaviour, so they
// saturate instead (NaN gives 0).
constexpr int32_t truncToInt32(double x) {
    if (!(x == x)) return 0;
    if (x >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (x <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(x);
}

// Remainder taken into 0..divisor-1 (divisor > 0), for any dividend.
constexpr int32_t floorMod(int64_t value, int32_t divisor) {
    int64_t r = value % divisor;
    return static_cast<int32_t>(r < 0 ? r + divisor : r);
}

// The year before `year`, staying inside the 32-bit range at its bottom.
constexpr int32_t previousYear(int32_t year) {
    return year == std::numeric_limits<int32_t>::min() ? year : year - 1;
}

inline constexpr double kJapanLongitude = 135.0;

}  // namespace vorane2
