// The day star's switch days and the live rule of the day star (not
// exported).
#pragma once

#include <cstdint>

#include "vorane2.h"

namespace vorane2 {

// The local midnights (Julian days) at the meridian `longitude` that begin
// the two switch days of `year`: the one near the summer solstice, which
// opens the downward run, and the one near the winter solstice, which opens
// the upward run; each is already the 甲子 or 甲午 day that the 23-year rule
// picks for that run.
struct DayStarSwitchDays {
    double summer;
    double winter;
};
DayStarSwitchDays dayStarSwitchDays(int32_t year, double longitude);

// The star of the day (0..8) worked out from the switch days on every call:
// the reference for ad2hkyusei, which reads the switch days from
// tables/day_star_switch_days.h at longitude exactly 135.0 within its
// years and gives the same result for every argument.
int32_t dayStarLive(CalendarDate date);

}  // namespace vorane2
