// Public holidays of the month sheet. A holiday is drawn red like a Sunday;
// the day after a holiday is red too when it is a Monday (the substitute
// holiday). The table has no year range: it applies to every year shown.
#pragma once

#include <cstdint>

#include "library_binding.h"

namespace tenvo {

// The equinox day of the shown month: for March the day of the vernal
// equinox (y2syunbn), for September that of the autumnal equinox (y2syuubn),
// both at 135.0 east; 0 for every other month. The equinoxes depend on the
// year only, so one call per composition serves every day of the month.
int32_t equinoxDayOfMonth(const LibraryBinding& library, int32_t year, int32_t month);

// True when day `day` of `month` is a holiday, or the day after a holiday
// and a Monday (`column` 1). `equinoxDay` is equinoxDayOfMonth's answer for
// the same month. A month outside 1..12 has no holidays.
bool isHoliday(int32_t month, int32_t day, int32_t column, int32_t equinoxDay);

// The holiday step of a composition: sets the cell's colour class to 0 (red)
// when isHoliday, and otherwise leaves it unchanged.
void markHolidays(int32_t month, int32_t day, int32_t column, int32_t equinoxDay,
                  int32_t& colorClass);

}  // namespace tenvo
