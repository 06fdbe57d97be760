// The Japanese era (和暦) of a Gregorian date from 1870 on: 明治, 大正, 昭和,
// 平成 and 令和, each counted from 元年 (year 1) on the day it began.
//
// Japan kept the lunisolar calendar until 明治5年12月2日 (1872-12-31 was its
// 明治6年1月1日, 1873-01-01). Before 1873 an era year therefore ran with the
// lunisolar year, not the Gregorian one: a date of 1870-1872 takes 明治 and
// the year of its lunisolar date (明治3年 is the lunisolar year 1870, from
// 1870-02-01), and the era date shows that year alone, since the Gregorian
// month and day were not the ones in use.
#pragma once

#include <cstdint>
#include <string>

namespace tenvo {

enum class Era : int32_t {
    None = 0,  // before 1870, after 2100, or no lunisolar year known before 1873
    Meiji,     // 明治: 1868 (lunisolar); Gregorian from 1873-01-01
    Taisho,    // 大正: from 1912-07-30
    Showa,     // 昭和: from 1926-12-25
    Heisei,    // 平成: from 1989-01-08
    Reiwa,     // 令和: from 2019-05-01
};

struct EraDate {
    Era era = Era::None;
    int32_t year = 0;        // 1 is 元年; 0 with Era::None
    bool lunisolar = false;  // the year is a lunisolar year (dates before 1873)
};

// The first Gregorian year of the era dates: the lunisolar years of 1870 on.
inline constexpr int32_t kFirstEraYear = 1870;
inline constexpr int32_t kLastEraYear = 2100;

// The era date of year-month-day (a valid Gregorian date). `lunisolarYear`
// is the year of the date's lunisolar date; it is read only before 1873,
// where a value below 1868 gives Era::None.
EraDate eraOf(int32_t year, int32_t month, int32_t day, int32_t lunisolarYear);

// The era's name, "明治" .. "令和", in Shift-JIS; "" for Era::None.
const char* eraNameShiftJis(Era era);

// "令和8年12月9日" (元年 for year 1) or, before 1873, "明治3年" alone; the
// empty string for Era::None. Shift-JIS; digits half-width.
std::string eraDateShiftJis(const EraDate& era, int32_t month, int32_t day);

}  // namespace tenvo
