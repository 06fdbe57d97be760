// Names of the six-day cycle (六曜) and of the 28 and 27 lunar mansions, and
// the mansion with which the 27-mansion cycle opens each lunisolar month.
// The third mansion is written in half-width katakana (ﾃｲ), the only name
// here that is not kanji.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "name_table.h"

namespace vorane2::tables {

// Six-day names by index (month + day - 1) mod 6.
inline constexpr std::array<const char*, 6> kSixDayNames = {
    "\x90\xd4\x8c\xfb", /* 赤口 */
    "\x90\xe6\x8f\x9f", /* 先勝 */
    "\x97\x46\x88\xf8", /* 友引 */
    "\x90\xe6\x95\x89", /* 先負 */
    "\x95\xa7\x96\xc5", /* 仏滅 */
    "\x91\xe5\x88\xc0", /* 大安 */
};

// The 28 mansions, 角 first.
inline constexpr std::array<const char*, 28> kMansion28Names = {
    "\x8a\x70", /* 角 */
    "\x98\xb4", /* 亢 */
    "\xc3\xb2", /* ﾃｲ */
    "\x96\x5b", /* 房 */
    "\x90\x53", /* 心 */
    "\x94\xf6", /* 尾 */
    "\x96\xa5", /* 箕 */
    "\x93\x6c", /* 斗 */
    "\x8b\x8d", /* 牛 */
    "\x8f\x97", /* 女 */
    "\x8b\x95", /* 虚 */
    "\x8a\xeb", /* 危 */
    "\x8e\xba", /* 室 */
    "\x95\xc7", /* 壁 */
    "\x9a\xf5", /* 奎 */
    "\x98\x4b", /* 婁 */
    "\x88\xdd", /* 胃 */
    "\x9d\xe3", /* 昴 */
    "\x95\x4c", /* 畢 */
    "\xe6\x58", /* 觜 */
    "\x8e\x51", /* 参 */
    "\x88\xe4", /* 井 */
    "\x8b\x53", /* 鬼 */
    "\x96\xf6", /* 柳 */
    "\x90\xaf", /* 星 */
    "\x92\xa3", /* 張 */
    "\x97\x83", /* 翼 */
    "\xe7\x66", /* 軫 */
};

// The 27 mansions: the 28 without 牛 (index 8), which the 27-mansion
// reckoning omits; the later names move up by one.
inline constexpr std::size_t kOmittedFrom27 = 8;
inline constexpr std::array<const char*, 27> kMansion27Names = [] {
    std::array<const char*, 27> names{};
    for (std::size_t i = 0, j = 0; i < kMansion28Names.size(); ++i) {
        if (i != kOmittedFrom27) names[j++] = kMansion28Names[i];
    }
    return names;
}();

// The 27-mansion index of day 1 of each lunisolar month, month 1 first: the
// cycle restarts here every month, a leap month like the month it repeats.
// It moves on by two a month, by three after months 6, 7 and 10.
inline constexpr std::array<int8_t, 12> kMansion27MonthStart = {
    11,  // 1: 室
    13,  // 2: 奎
    15,  // 3: 胃
    17,  // 4: 畢
    19,  // 5: 参
    21,  // 6: 鬼
    24,  // 7: 張
    0,   // 8: 角
    2,   // 9: ﾃｲ
    4,   // 10: 心
    7,   // 11: 斗
    9,   // 12: 虚
};

}  // namespace vorane2::tables
