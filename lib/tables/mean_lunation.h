// Mean-lunation tables for estimating the day of a month's new moon from the
// year and month alone (years 1600 to 2199). All values are days. The
// estimate is (epact of the year within its century + base of the century)
// + offset of the month; the day-boundary sampling then finds the actual day.
#pragma once

#include <array>

namespace vorane2::tables {

inline constexpr int kMeanLunationFirstYear = 1600;
inline constexpr int kMeanLunationCenturies = 6;  // 1600-1699 .. 2100-2199

// Base of each century: 1600s, 1700s, ..., 2100s.
inline constexpr std::array<double, kMeanLunationCenturies> kCenturyBase = {
    13.5, 18.9, 24.2, 0.0, 4.3, 9.7,
};

// Offset of each month, January first.
inline constexpr std::array<double, 12> kMonthOffset = {
    1.3, 29.3, 1.3, 29.4, 28.9, 27.4, 27.0, 25.5, 24.0, 23.6, 22.1, 21.6,
};

// The month's length plus one, January first; February in a common year.
// An estimate at or beyond it is a lunation too late.
inline constexpr std::array<double, 12> kMonthLimit = {
    32.0, 29.0, 32.0, 31.0, 32.0, 31.0, 32.0, 32.0, 31.0, 32.0, 31.0, 32.0,
};
inline constexpr double kLeapFebruaryLimit = 30.0;

// Epact of each year within its century (0 .. 99).
// clang-format off
inline constexpr std::array<double, 100> kYearEpact = {
    0.0,  18.9, 8.3,  27.2, 15.5, 4.9,  23.8, 13.2, 1.5,  20.4,
    9.8,  28.7, 17.1, 6.4,  25.3, 14.7, 3.1,  22.0, 11.3, 0.7,
    18.6, 8.0,  26.9, 16.2, 4.6,  23.5, 12.8, 2.2,  20.1, 9.5,
    28.4, 17.7, 6.1,  25.0, 14.4, 3.7,  21.6, 11.0, 0.4,  19.3,
    7.6,  26.5, 15.9, 5.3,  23.2, 12.5, 1.9,  20.8, 9.2,  28.1,
    17.4, 6.8,  24.7, 14.1, 3.4,  22.3, 10.7, 0.1,  19.0, 8.3,
    26.2, 15.6, 5.0,  23.9, 12.2, 1.6,  20.5, 9.9,  27.8, 17.1,
    6.5,  25.4, 13.8, 3.1,  22.0, 11.4, 29.3, 18.7, 8.0,  26.9,
    15.3, 4.6,  23.5, 12.9, 1.3,  20.2, 9.5,  28.4, 16.8, 6.2,
    25.1, 14.4, 2.8,  21.7, 11.1, 0.4,  18.3, 7.7,  26.6, 16.0,
};
// clang-format on

}  // namespace vorane2::tables
