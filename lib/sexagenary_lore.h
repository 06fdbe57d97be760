// The 納音 of a sexagenary number and the 恵方 of a year (internal; the
// exports of sexagenary_lore.cpp read these).
#pragma once

#include <cstdint>

#include "almanac.h"

namespace vorane2::sexagenary_lore {

// The 納音 (0..29) of sexagenary number 0..59 (1 甲子 .. 59 壬戌, 0 癸亥):
// each consecutive pair from 甲子 shares one.
constexpr int32_t nayinOf(int32_t sexagenary) { return (sexagenary + 59) % 60 / 2; }

// The 恵方 by a year's stem (0 癸, 1 甲 .. 9 壬): 0 寅卯の間 for 甲 and 己,
// 1 申酉の間 for 乙 and 庚, 2 巳午の間 for 丙, 辛, 戊 and 癸, 3 亥子の間 for
// 丁 and 壬.
constexpr int32_t luckyDirectionOfStem(int32_t stem) {
    constexpr int32_t kByStem[10] = {2, 0, 1, 2, 3, 2, 0, 1, 2, 3};
    return kByStem[stem];
}

// Bearings from north through east, degrees: midway between the two
// branches, which lie every 30 degrees from 子 at north (寅 60, 卯 90: 寅卯の間
// is 75, east-north-east and a little east).
inline constexpr int32_t kLuckyDirectionDegrees[4] = {75, 255, 165, 345};

// The stem (0..9) of the year that begins at 立春 and holds a local day of
// the almanac's span: the accurate 立春 at the day's meridian.
int32_t yearStemOfDay(const almanac::LocalDay& day);

}  // namespace vorane2::sexagenary_lore
