// Internal pieces of the almanac (not exported): local days, the stored
// instants of the Sun and the Moon read as local days, the solar month of a
// day by the accurate sectional terms, and the Moon's phase and age.
//
// A local day at east longitude L is counted in Modified Julian Days: the
// day holding instant t (minutes of UT since MJD 0) is floor(t / 1440 +
// L / 360). The stored instants are floored to the whole minute, so at any
// meridian a whole number of minutes from Greenwich (135 east included) the
// day of the stored minute is that of the exact instant.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "day_numbers.h"
#include "numeric.h"
#include "tables/almanac_instants.h"
#include "vorane2.h"

namespace vorane2::almanac {

inline constexpr int32_t kOutOfSpan = -999;

// The almanac's span, local days 1870-01-01 .. 2100-12-31 as MJD.
inline constexpr int64_t kMjdOfDayNumber = -2400001;  // the MJD of Julian day number N
inline constexpr int64_t kFirstDay = dayNumberOfNewYear(1870) + kMjdOfDayNumber;
inline constexpr int64_t kLastDay = dayNumberOfNewYear(2101) - 1 + kMjdOfDayNumber;

// One local day of the span at one meridian.
struct LocalDay {
    int64_t mjd;
    int32_t year;  // its Gregorian date
    int32_t month;
    int32_t day;
    double longitude;      // east, -180 .. 180
    double offsetMinutes;  // the meridian's clock ahead of UT: 4 minutes a degree
};

// The local day of `date` (year, month and day; fields out of range run on
// as in ad2jd; the clock time is ignored), or false when it lies outside the
// span or the longitude outside -180 .. 180 (NaN included).
bool localDayOf(const CalendarDate& date, LocalDay& out);

// The local day (MJD) holding a stored instant at a meridian whose clock
// is `offsetMinutes` (-720 .. 720) ahead of UT. A meridian a whole number of
// minutes from Greenwich (135 east among them) in whole numbers; any other
// with one division of the sum.
inline int64_t dayOfInstant(int32_t minutes, double offsetMinutes) {
    constexpr int64_t kMinutesPerDay = 1440;
    const auto whole = static_cast<int64_t>(offsetMinutes);
    if (static_cast<double>(whole) == offsetMinutes) {
        const int64_t local = minutes + whole;
        return local >= 0 ? local / kMinutesPerDay : (local + 1 - kMinutesPerDay) / kMinutesPerDay;
    }
    return static_cast<int64_t>(std::floor((minutes + offsetMinutes) / kMinutesPerDay));
}

// Sexagenary number 0..59 (1 甲子 .. 59 壬戌, 0 癸亥) of a local day: the
// day numbering of ad2heto, which gives a date's number at its 00:00
// (Julian day number N has the pair (N - 10) mod 60).
inline int32_t sexagenaryOfDay(int64_t mjd) { return floorMod(mjd - kMjdOfDayNumber - 10, 60); }

// Positions in a year's row of the Sun's instants: the 24 terms in
// calendar order from 小寒, then the four 土用 starts, 入梅 and 半夏生.
inline constexpr int32_t kRowShokan = 0;      // 小寒, 285 degrees
inline constexpr int32_t kRowRisshun = 2;     // 立春, 315
inline constexpr int32_t kRowShunbun = 5;     // 春分, 0
inline constexpr int32_t kRowRikka = 8;       // 立夏, 45
inline constexpr int32_t kRowRisshu = 14;     // 立秋, 135
inline constexpr int32_t kRowShubun = 17;     // 秋分, 180
inline constexpr int32_t kRowRitto = 20;      // 立冬, 225
inline constexpr int32_t kRowTaisetsu = 22;   // 大雪, 255
inline constexpr int32_t kRowDoyoFirst = 24;  // 土用入り at 297, 27, 117, 207
inline constexpr int32_t kRowNyubai = 28;     // 80
inline constexpr int32_t kRowHangesho = 29;   // 100

// The stored instant (minutes of UT since MJD 0) of row position `row`
// (0..29) in `year`; the year is held inside the table's years and the
// position inside a row. Each row moves on by about a tropical year a year:
// the row's line plus the year's one-byte residual.
constexpr int32_t sunInstant(int32_t year, int32_t row) {
    const int32_t y = std::clamp(year, tables::kSunInstantFirstYear, tables::kSunInstantLastYear);
    const auto r = static_cast<std::size_t>(std::clamp(row, 0, tables::kSunInstantsPerYear - 1));
    const int64_t n = y - tables::kSunInstantFirstYear;
    return tables::kSunRowBaseMinutes[r] +
           static_cast<int32_t>(n * tables::kSunRowMilliMinutesPerYear[r] / 1000) +
           tables::kSunInstantResiduals[static_cast<std::size_t>(n)][r];
}

// The stored instant of the Moon's principal phase `index` (phase index % 4,
// 0 new moon .. 3 last quarter, in time order), the index held inside
// 0 .. kMoonPhaseCount - 1: the mean quarter lunation's instant, the phase's
// two largest periodic terms (the sines of the Moon's and the Sun's mean
// anomalies, from a table indexed by the angle's top byte) and the phase's
// one-byte residual.
inline int32_t moonPhaseMinutes(std::ptrdiff_t index) {
    const auto k =
        static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(index, 0, tables::kMoonPhaseCount - 1));
    const auto phase = static_cast<uint32_t>(k);
    const uint32_t moon = tables::kMoonAnomalyFirst + phase * tables::kMoonAnomalyPerPhase;
    const uint32_t sun = tables::kSunAnomalyFirst + phase * tables::kSunAnomalyPerPhase;
    const int16_t* swing = tables::kMoonPhaseSwingMinutes[k % 4];
    // An arithmetic shift: the floor of the sum in minutes, as stored.
    const int32_t periodic =
        (swing[0] * tables::kSineQ15[moon >> 24] + swing[1] * tables::kSineQ15[sun >> 24]) >> 15;
    return tables::kMoonPhaseOriginMinutes +
           static_cast<int32_t>(static_cast<int64_t>(k) * tables::kMoonQuarterMilliMinutes / 1000) +
           periodic + tables::kMoonPhaseResiduals[k];
}

// The local day of that instant at the day's meridian.
inline int64_t sunDay(const LocalDay& day, int32_t year, int32_t row) {
    return dayOfInstant(sunInstant(year, row), day.offsetMinutes);
}

// Solar month 1..12 of a local day (1 寅月 from 立春 .. 11 子月 from 大雪,
// 12 丑月 from 小寒), each from the local day of its sectional term.
int32_t solarMonthOf(const LocalDay& day);

// The local day on which the solar month of `day` began (the day of its
// sectional term), with that month 1..12 in `month`.
int64_t solarMonthStartOf(const LocalDay& day, int32_t& month);

// The term (longitude / 15: 0 春分 .. 23 啓蟄) that begins on a local day,
// or -1.
int32_t termStartingOn(const LocalDay& day);

// The Moon's phase on a local day: 0 new, 1 first quarter, 2 full, 3 last
// quarter, or -1 when no principal phase falls on it.
int32_t moonPhaseOn(const LocalDay& day);

// The Moon's age at 12:00 local time in tenths of a day since the last new
// moon, rounded to the nearest tenth.
int32_t moonAgeTenths(const LocalDay& day);

// The 社日 of one equinox: the 戊 day nearest the equinox's local day. When
// that day is a 癸 day the 戊 days five days before and after are equally
// near; an equinox before local noon takes the earlier, from noon on the
// later.
int64_t shanichiOf(int32_t equinoxMinutes, double offsetMinutes);

// Every almanac item of a local day as a bit set (bit n is item n), given
// whether it is a 不成就日 by the reading the caller asked for.
int32_t almanacItemsOf(const LocalDay& day, bool fujojuDay);

}  // namespace vorane2::almanac
