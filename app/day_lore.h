// A day's whole lore in one record: every item of the traditional calendar
// that the library knows for one local day at 135 degrees east, asked once
// through the LibraryBinding, with its text in Shift-JIS or UTF-8. Every
// view (the month sheet's almanac mode, the terminal's day, list and feeds,
// the program's tooltip) reads its items from here, so none computes one of
// them again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "holidays_by_law.h"
#include "japanese_era.h"
#include "library_binding.h"

namespace tenvo {

// The days a lore can be composed for.
inline constexpr int32_t kLoreFirstYear = 1870;
inline constexpr int32_t kLoreLastYear = 2100;

struct DayLore {
    // False for a date that is not a Gregorian date of 1870-01-01 ..
    // 2100-12-31; every other field then keeps its "none" value below.
    bool valid = false;
    int32_t year = 0, month = 0, day = 0;  // the Gregorian date
    int32_t weekday = -1;                  // 0 Sunday .. 6 Saturday
    EraDate era{};                         // 和暦
    // The lunisolar date (months numbered as the binding numbers them:
    // withSolsticeReading gives the months from 冬至); year -999 outside
    // 1870-02-01 .. 2100-12-30.
    LunisolarDate lunisolar{'N', -999, -999, -999, 135.0};
    int32_t sixDay = -1;     // 六曜 0 赤口 .. 5 大安; -1 where no lunisolar date
    int32_t yearPair = -1;   // 干支 0..59 (0 癸亥, 1 甲子) of the year (turning on 立春),
    int32_t monthPair = -1;  // the solar month (turning on its 節)
    int32_t dayPair = -1;    // and the day
    int32_t yearStar = -1;   // 九星 0..8 (0 九紫, 1 一白) of the year, month and day
    int32_t monthStar = -1;
    int32_t dayStar = -1;
    int32_t mansion27 = -1;                         // 0..26; -1 where no lunisolar date
    int32_t mansion28 = -1;                         // 0..27
    LawHolidayName holiday = LawHolidayName::None;  // by the law of the date's year
};

// The lore of year-month-day. Only the Gregorian date is given: the day is
// the local day at 135 degrees east.
DayLore composeDayLore(const LibraryBinding& library, int32_t year, int32_t month, int32_t day);

enum class TextEncoding { ShiftJis, Utf8 };

// One labelled line of a day's lore ("六曜", "大安").
struct LoreLine {
    std::string label;
    std::string value;
};

// The lore as labelled lines, one item each, in a fixed order: 日付, 和暦,
// 曜日, 旧暦, 六曜, the 干支 and 九星 of year, month and day, 二十七宿,
// 二十八宿 and 祝日. An item the day does not have (no lunisolar date, no
// holiday) has no line; an invalid lore has none at all.
std::vector<LoreLine> dayLoreLines(const DayLore& lore, const LibraryBinding& library,
                                   TextEncoding encoding);

}  // namespace tenvo
