// Internal helpers of the new-moon families (not exported): the Sun-Moon
// separation, the day-boundary sampling that turns a window of four local
// days into the day that holds a conjunction, and the stored new-moon days.
#pragma once

#include <cstdint>

#include "vorane2.h"

namespace vorane2 {

// |Sun - Moon| in ecliptic longitude at the Julian day, folded into
// [0, 180]: the angle between the two bodies whichever side of 0 degrees
// they are on.
double foldedSeparation(double jd);

// |Sun - Moon| without folding, [0, 360): near a conjunction close to
// longitude 0 it reads almost 360 while exactly one body has wrapped.
double rawSeparation(double jd);

// The local day, among X .. X+3, whose boundary sample has the least folded
// separation. `x` is a normalised date made by jd2ad(j0, longitude) and `j0`
// the Julian day of its 00:00:00. `count` is 6 (ending with 00:00 of X+3) or
// 7 (adding 23:59:59 of X+3); any other count is treated as 6. The result
// carries the chosen sample's clock time as jd2ad renders it and the given
// longitude; two days whose conjunction lies within minutes of midnight are
// moved to agree with the stored new-moon table.
CalendarDate sampleNewMoonDay(CalendarDate x, double j0, double longitude, int32_t count);

// The day of the month, with fraction, of the month's new moon on a mean
// lunation (years 1600..2199, months 1..12; NaN outside). Normally in
// 1 .. 31; an estimate reduced onto the month's length plus one names the
// first day of the next month.
double meanNewMoonEstimate(int32_t year, int32_t month);

// ---- Stored new-moon days (UTC+9), 1870 onwards ----

inline constexpr int32_t kNoNewMoon = 99;            // the month has no such new moon
inline constexpr int32_t kOutsideStoredSpan = -999;  // year or month not usable

// The years duncan2 and duncan3 (and the lunisolar date built on them)
// answer for; the stored tables themselves may run further, for callers
// that are allowed to use more of them.
inline constexpr int32_t kNewMoonExportFirstYear = 1870;
inline constexpr int32_t kNewMoonExportLastYear = 2020;

// The last year of stored new moons that the long-span exports (adto9rekL,
// ad26youL, adto27L, fujyojyuL) use: the whole stored table. Fixed here
// rather than taken from the table, so that a table regenerated further
// cannot widen a documented span unnoticed.
inline constexpr int32_t kNewMoonLongSpanLastYear = 2100;

// Day of the month (1..31) of the first / the second new moon of the month,
// kNoNewMoon when the month has none, kOutsideStoredSpan when the month is
// outside 1..12 or the year outside the stored table's first year ..
// min(lastYear, the stored table's last year).
int32_t firstStoredNewMoonDay(int32_t year, int32_t month, int32_t lastYear);
int32_t secondStoredNewMoonDay(int32_t year, int32_t month, int32_t lastYear);

}  // namespace vorane2
