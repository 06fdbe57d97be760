// The cycles that restart with every lunisolar month: the six-day cycle,
// the 27 mansions and the 不成就日. Each is read off the month number and
// the day alone (a leap month counts as the month it bears), so the same
// helpers serve every reading of the month numbers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "tables/six_day_mansion_names.h"
#include "vorane2.h"

namespace vorane2 {

// What the cycles give for a lunisolar date that names no month and day, as
// the conversions' -999 outside their span: the library's out-of-range code.
inline constexpr int32_t kNoCycleIndex = -999;

// A month and day that can index the cycle tables.
constexpr bool isUsableLunarDay(const LunisolarDate& lunar) {
    return lunar.month >= 1 && lunar.month <= 12 && lunar.day >= 1 && lunar.day <= 30;
}

// 六曜 index 0..5: (month + day - 1) mod 6, or kNoCycleIndex.
constexpr int32_t sixDayIndexOf(const LunisolarDate& lunar) {
    if (!isUsableLunarDay(lunar)) return kNoCycleIndex;
    return (lunar.month + lunar.day - 1) % 6;
}

// 27-mansion index 0..26: each month opens at a fixed mansion, or
// kNoCycleIndex.
constexpr int32_t mansion27IndexOf(const LunisolarDate& lunar) {
    if (!isUsableLunarDay(lunar)) return kNoCycleIndex;
    const int32_t start = tables::kMansion27MonthStart[static_cast<std::size_t>(lunar.month - 1)];
    return (start + lunar.day - 1) % 27;
}

// The 不成就日 fall every eighth day of a lunisolar month from a first day
// that repeats with a period of six months: months 1 and 7 from day 3,
// 2 and 8 from 2, 3 and 9 from 1, 4 and 10 from 4, 5 and 11 from 5, 6 and
// 12 from 6.
inline constexpr std::array<int32_t, 6> kFujyojyuFirstDay = {3, 2, 1, 4, 5, 6};
inline constexpr int32_t kFujyojyuDaysPerMonth = 4;
inline constexpr int32_t kFujyojyuStep = 8;

// 'Y' on a 不成就日, 'N' otherwise and for a month outside 1..12.
constexpr char fujyojyuOf(const LunisolarDate& lunar) {
    if (lunar.month < 1 || lunar.month > 12) return 'N';
    const int32_t first = kFujyojyuFirstDay[static_cast<std::size_t>((lunar.month - 1) % 6)];
    for (int32_t k = 0; k < kFujyojyuDaysPerMonth; ++k) {
        if (lunar.day == first + kFujyojyuStep * k) return 'Y';
    }
    return 'N';
}

}  // namespace vorane2
