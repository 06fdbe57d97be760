// The cycles a printed almanac counts without the Sun's and the Moon's
// instants: the sexagenary day by the unbroken count of days, the year's and
// the month's pairs by the lunisolar year and the month's number (月建), and
// the 27 mansions, 不成就日 and 凶会日 by the lunisolar month (and day). The
// day's lore reads them where the library's exports have no answer: before
// 1870, and on the few days where the published months differ from the
// months those exports number. Whole numbers only, usable at compile time;
// a test holds each against the library wherever the library answers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

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

// The 27-mansion index of day 1 of each lunar month, month 1 first (a leap
// month like the month whose number it has): month 1 opens at 室 (11),
// month 8 at 角 (0); two mansions on a month, three after months 6, 7 and 10.
inline constexpr std::array<int32_t, 12> kMansion27MonthStart{11, 13, 15, 17, 19, 21,
                                                              24, 0,  2,  4,  7,  9};

// The 27-mansion index 0..26 of a lunar month and day, -1 for a month
// outside 1..12 or a day outside 1..30.
constexpr int32_t mansion27OfLunarDay(int32_t month, int32_t day) {
    if (month < 1 || month > 12 || day < 1 || day > 30) return -1;
    return (kMansion27MonthStart[static_cast<std::size_t>(month - 1)] + day - 1) % 27;
}

// 不成就日 fall every eighth day of a lunar month from a first day that
// repeats every six months: months 1 and 7 from day 3, 2 and 8 from 2,
// 3 and 9 from 1, 4 and 10 from 4, 5 and 11 from 5, 6 and 12 from 6.
constexpr bool isFujojuLunarDay(int32_t month, int32_t day) {
    constexpr std::array<int32_t, 6> kFirstDay{3, 2, 1, 4, 5, 6};
    if (month < 1 || month > 12 || day < 1) return false;
    const int32_t first = kFirstDay[static_cast<std::size_t>((month - 1) % 6)];
    return day >= first && (day - first) % 8 == 0 && day <= first + 24;
}

// 凶会日 by lunar month 1..12 (a leap month with its number): the day pairs
// that are 凶会日 in each month, bit n for pair n.
constexpr uint64_t pairSet(std::initializer_list<int32_t> pairs) {
    uint64_t set = 0;
    for (const int32_t n : pairs) set |= uint64_t{1} << n;
    return set;
}
inline constexpr std::array<uint64_t, 12> kKueDays{
    pairSet({28, 51}),                                       // 1 辛卯 甲寅
    pairSet({16, 52, 58}),                                   // 2 己卯 乙卯 辛酉
    pairSet({1, 2, 3, 4, 5, 9, 45, 17, 21, 41, 33, 57}),     // 3 甲子 .. 庚申
    pairSet({5, 8, 20, 32, 36, 43, 44, 55, 56, 0}),          // 4 戊辰 .. 癸亥
    pairSet({43, 55}),                                       // 5 丙午 戊午
    pairSet({6, 43, 44, 54, 56}),                            // 6 己巳 .. 己未
    pairSet({22, 41, 57}),                                   // 7 乙酉 甲辰 庚申
    pairSet({46, 52, 58}),                                   // 8 己酉 乙卯 辛酉
    pairSet({11, 28, 29, 30, 31, 32, 33, 34, 35, 47, 51}),   // 9 甲戌 .. 甲寅
    pairSet({2, 6, 14, 25, 26, 35, 36, 38, 49, 50, 54, 0}),  // 10 乙丑 .. 癸亥
    pairSet({25, 43, 49}),                                   // 11 戊子 丙午 壬子
    pairSet({25, 44, 49, 0})};                               // 12 戊子 丁未 壬子 癸亥

// Whether a day of pair 0..59 in lunar month 1..12 is 凶会日.
constexpr bool isKueDay(int32_t month, int32_t pair) {
    if (month < 1 || month > 12 || pair < 0 || pair > 59) return false;
    return ((kKueDays[static_cast<std::size_t>(month - 1)] >> pair) & 1) != 0;
}

}  // namespace tenvo
