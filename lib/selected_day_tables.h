// The tables of the selected days that depend on the season or the solar
// month, shared by exports 48-50 (terms by Gregorian month) and the almanac
// (accurate terms), so that each table exists once.
#pragma once

#include <array>
#include <cstdint>

namespace vorane2 {

// Branches (0 亥 .. 11 戌) of the 黒日 (受死日) and of the 三隣亡 in each
// solar month, by the Gregorian month in which that solar month begins,
// January (丑月) first.
inline constexpr std::array<int32_t, 12> kKurobiBranch = {10, 11, 5, 0, 6, 1, 7, 2, 8, 3, 9, 4};
inline constexpr std::array<int32_t, 12> kSanrinboBranch = {7, 0, 3, 7, 0, 3, 7, 0, 3, 7, 0, 3};

// The 天赦日 of each season, as sexagenary numbers: 戊寅 in spring, 甲午 in
// summer, 戊申 in autumn, 甲子 in winter.
inline constexpr std::array<int32_t, 4> kTenshaPair = {15, 31, 45, 1};

}  // namespace vorane2
