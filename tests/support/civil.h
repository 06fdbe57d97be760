// Independent civil-calendar arithmetic for tests: proleptic Gregorian day
// counts (days since 1970-01-01) by the well-known era algorithm, so that
// tests can walk dates and measure spans without trusting the library.
#pragma once

#include <cstdint>

namespace testsupport {

struct Ymd {
    int32_t year;
    int32_t month;
    int32_t day;
    friend bool operator==(const Ymd&, const Ymd&) = default;
};

constexpr int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr Ymd civilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = yoe + era * 400;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    return Ymd{static_cast<int32_t>(y + (m <= 2)), static_cast<int32_t>(m),
               static_cast<int32_t>(d)};
}

constexpr Ymd addDays(Ymd date, int64_t days) {
    return civilFromDays(daysFromCivil(date.year, date.month, date.day) + days);
}

constexpr int64_t daysBetween(Ymd from, Ymd to) {
    return daysFromCivil(to.year, to.month, to.day) -
           daysFromCivil(from.year, from.month, from.day);
}

// The Julian day number (noon-based integer) of a Gregorian date.
constexpr int64_t julianDayNumber(Ymd date) {
    return daysFromCivil(date.year, date.month, date.day) + 2440588;
}

}  // namespace testsupport
