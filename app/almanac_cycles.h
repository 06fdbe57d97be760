// The cycles a printed almanac counts without the Sun's and the Moon's
// instants: the sexagenary day and the 28 mansions by the unbroken count of
// days, the year's and the month's pairs by the lunisolar year and the
// month's number (月建). The day's lore reads them before 1870, where the
// library's date exports read a date before 1582-09-25 as Julian and its
// year and month pairs follow the computed solar terms. (The cycles of the
// lunar month and day are the library's: adto27H, ad2rekicyuH, ad2gedanH.)
// Whole numbers only, usable at compile time; a test holds each against the
// library wherever the library answers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tenvo {

constexpr int32_t floorModulo(int32_t value, int32_t divisor) {
    const int32_t r = value % divisor;
    return r < 0 ? r + divisor : r;
}

// Sexagenary numbers as the library counts them: 1 甲子 .. 59 壬戌, 0 癸亥.

// The pair of a day counted by daysFromCivil (days since 1970-01-01). The
// cycle has run on unbroken through every calendar reform: 2000-01-01 was
// 戊午 (55).
constexpr int32_t dayPairOfDays(int32_t days) { return floorModulo(days + 18, 60); }

// The 28-mansion index 0..27 of a day counted by daysFromCivil: the
// mansions too run on with the days, 2000-01-01 at 胃 (16).
constexpr int32_t mansion28OfDays(int32_t days) { return floorModulo(days + 7, 28); }

// The pair of a lunisolar year: 1984 was 甲子. The almanacs named the year
// from its month 1, not from 立春.
constexpr int32_t yearPairOfLunisolarYear(int32_t year) { return floorModulo(year - 1983, 60); }

// The pair of lunar month 1..12 of a lunisolar year (月建): month 1 is a
// 寅 month whose stem follows the year's (丙寅 in a 甲 or 己 year), and the
// months go on through the cycle, five years to sixty months. A leap month
// holds no principal term and so has no 月建 of its own; callers give it none.
constexpr int32_t monthPairOfLunarMonth(int32_t year, int32_t month) {
    return floorModulo((year - 1984) * 12 + month + 2, 60);
}

}  // namespace tenvo
