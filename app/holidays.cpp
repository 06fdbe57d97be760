#include "holidays.h"

#include <array>

namespace tenvo {

namespace {

// Stands for the month's equinox day in the table below.
constexpr int32_t kEquinox = -1;

// The fixed holidays of each month (0: no entry). Every substitute day is
// the day after one of these, so substitutes need no table of their own.
constexpr std::array<std::array<int32_t, 2>, 13> kHolidayDays{{
    {0, 0},          // (no month 0)
    {1, 15},         // January: New Year's Day, Coming-of-Age Day
    {11, 0},         // February: National Foundation Day
    {kEquinox, 0},   // March: Vernal Equinox Day
    {29, 0},         // April: Greenery Day
    {3, 5},          // May: Constitution Day, Children's Day
    {0, 0},          // June
    {20, 0},         // July: Marine Day
    {0, 0},          // August
    {15, kEquinox},  // September: Respect-for-the-Aged Day, Autumnal Equinox Day
    {10, 0},         // October: Health-Sports Day
    {3, 23},         // November: Culture Day, Labour Thanksgiving Day
    {23, 0},         // December: the Emperor's Birthday
}};

bool isHolidayDay(int32_t month, int32_t day, int32_t equinoxDay) {
    for (int32_t entry : kHolidayDays[static_cast<std::size_t>(month)]) {
        const int32_t holiday = entry == kEquinox ? equinoxDay : entry;
        if (holiday > 0 && holiday == day) return true;
    }
    return false;
}

}  // namespace

int32_t equinoxDayOfMonth(const LibraryBinding& library, int32_t year, int32_t month) {
    if (month == 3) return library.y2syunbn(year, 135.0);
    if (month == 9) return library.y2syuubn(year, 135.0);
    return 0;
}

bool isHoliday(int32_t month, int32_t day, int32_t column, int32_t equinoxDay) {
    if (month < 1 || month > 12) return false;
    if (isHolidayDay(month, day, equinoxDay)) return true;
    // May 4 lies between two holidays but, like every substitute day, is
    // red only on a Monday.
    constexpr int32_t kMonday = 1;
    return column == kMonday && day > 1 && isHolidayDay(month, day - 1, equinoxDay);
}

void markHolidays(int32_t month, int32_t day, int32_t column, int32_t equinoxDay,
                  int32_t& colorClass) {
    if (isHoliday(month, day, column, equinoxDay)) colorClass = 0;
}

}  // namespace tenvo
