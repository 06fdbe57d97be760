// Gregorian day arithmetic of the program, exact in whole numbers and usable
// at compile time: the law's holidays, the month sheet's February and the
// exported calendar's day ends. The library's Julian days stay behind its
// exports; these answer questions that need no astronomy.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tenvo {

constexpr int32_t kSunday = 0;
constexpr int32_t kMonday = 1;

constexpr bool isLeapYear(int32_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// Days of a month 1..12; 0 for any other month.
constexpr int32_t daysInMonth(int32_t year, int32_t month) {
    constexpr std::array<int32_t, 12> kLengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2 && isLeapYear(year)) return 29;
    return kLengths[static_cast<std::size_t>(month - 1)];
}

// Days of a month 1..12 in the Julian calendar (every fourth year leap);
// 0 for any other month.
constexpr int32_t daysInJulianMonth(int32_t year, int32_t month) {
    if (month == 2) return year % 4 == 0 ? 29 : 28;
    return daysInMonth(1, month);
}

// A Gregorian (or, where said, Julian) calendar date.
struct CivilDate {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    friend constexpr bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Orders dates of one calendar: earlier dates have smaller keys.
constexpr int64_t dateKey(const CivilDate& date) {
    return (static_cast<int64_t>(date.year) * 16 + date.month) * 32 + date.day;
}

// Days since 1970-01-01 of a Gregorian date (counting from 1 March puts the
// leap day at the end of the year).
constexpr int32_t daysFromCivil(int32_t y, int32_t m, int32_t d) {
    y -= m <= 2 ? 1 : 0;
    const int32_t era = (y >= 0 ? y : y - 399) / 400;
    const int32_t yoe = y - era * 400;
    const int32_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

// 0 Sunday .. 6 Saturday of a day counted by daysFromCivil (1970-01-01 was
// a Thursday); the floor remainder keeps days before 1970 in 0..6.
constexpr int32_t weekdayOf(int32_t days) {
    const int32_t r = (days + 4) % 7;
    return r < 0 ? r + 7 : r;
}

}  // namespace tenvo
