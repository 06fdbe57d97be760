// The nine stars (九星) of the year, the solar month and the day, and their
// names. Star numbers run 0..8 with 1 = 一白 .. 8 = 八白 and 0 = 九紫.
//
// The year star turns on 立春 and the month star on each month's sectional
// term (節). The day star walks one step a day: upward from a switch day near
// the winter solstice, downward from one near the summer solstice. A switch
// day is the 甲子 day in the window from 29 days before to 30 days after the
// solstice day; in one year of every 23 it is the 甲午 day of that window
// instead, which keeps the runs in step with the solstices.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "day_numbers.h"
#include "day_star.h"
#include "local_days.h"
#include "numeric.h"
#include "sectional_terms.h"
#include "solar_terms.h"
#include "tables/day_star_switch_days.h"
#include "tables/nine_star_names.h"
#include "vorane2.h"

namespace {

constexpr int32_t kKoushi = 1;  // 甲子
constexpr int32_t kKougo = 31;  // 甲午

// Julian day of the midnight that starts the day of the given sexagenary
// pair (甲子 or 甲午) in the window from 29 days before to 30 days after the
// solstice on `solsticeDay` of `month`.
double switchDayJd(int32_t year, int32_t month, int32_t solsticeDay, int32_t pair,
                   double longitude) {
    const CalendarDate solstice{year, month, solsticeDay, 0.0, 0.0, 0.0, longitude};
    int32_t n = ad2heto(solstice);
    if (n == 0) n = 60;  // 癸亥 ends the cycle
    if (pair == kKougo) n = n > 30 ? n - 30 : n + 30;
    // n is now the solstice day's place counted from the wanted pair (1 on
    // the pair itself); a solstice day exactly half a cycle away takes the
    // later of the two candidates.
    const int32_t offset = n <= 30 ? 1 - n : 61 - n;
    return ad2jd(solstice) + offset;
}

double summerSwitchJd(int32_t year, int32_t pair, double longitude) {
    return switchDayJd(year, 6, y2gesi(year, longitude), pair, longitude);
}

double winterSwitchJd(int32_t year, int32_t pair, double longitude) {
    return switchDayJd(year, 12, y2touji(year, longitude), pair, longitude);
}

// Which pair opens a run: one year in 23 takes 甲午 instead of 甲子, for the
// winter run in the years 7 mod 23 (1985, 2008) and for the summer run in
// the years 19 mod 23 (1997, 2020).
bool winterSwitchIsKougo(int32_t year) { return vorane2::floorMod(year, 23) == 7; }
bool summerSwitchIsKougo(int32_t year) { return vorane2::floorMod(year, 23) == 19; }

// Julian day of local midnight at the start of the date.
double midnightJd(const CalendarDate& date, double longitude) {
    return ad2jd(CalendarDate{date.year, date.month, date.day, 0.0, 0.0, 0.0, longitude});
}

// Whole days from the midnight `from` to the midnight `to`. Both are local
// midnights at the same meridian, so the difference is a whole number up to
// the rounding of the doubles; it is rounded to the nearest day so that a
// difference a hair below a whole number still counts the full day.
double daysBetween(double from, double to) { return std::floor((to - from) + 0.5); }

// One run of day stars: the pair of its switch day, its first star and its
// direction (+1 upward after the winter switch, -1 downward after the summer).
struct Run {
    int32_t pair;
    int32_t startStar;
    int32_t step;
};

Run winterRun(int32_t year) {
    return winterSwitchIsKougo(year) ? Run{kKougo, 7, +1} : Run{kKoushi, 1, +1};
}

Run summerRun(int32_t year) {
    return summerSwitchIsKougo(year) ? Run{kKougo, 3, -1} : Run{kKoushi, 0, -1};
}

// The star of a date in `year`. `daysSince(y, winter)` gives the whole days
// from the summer (or winter) switch day of year y to the date, negative
// before it. The run of the date began on the latest switch day at or
// before it. A winter switch day may fall in January, so the January days
// before it still belong to the downward run of the previous summer. The
// switch days of a year come in order (winter of last year, summer,
// winter), so starting from the summer one settles most dates with two of
// them.
//
// The live rule counts in doubles, the table in whole numbers; either way a
// day count beyond the 32-bit range only arises from a nonsensical month or
// day, and saturates there (the result still lies in 0..8).
int64_t wholeDays(double days) { return vorane2::truncToInt32(days); }
int64_t wholeDays(int64_t days) {
    return std::clamp<int64_t>(days, std::numeric_limits<int32_t>::min(),
                               std::numeric_limits<int32_t>::max());
}

template <typename DaysSince>
int32_t dayStar(int32_t year, DaysSince daysSince) {
    const int32_t lastYear = vorane2::previousYear(year);
    Run run = summerRun(year);
    auto m = daysSince(year, false);
    if (m >= 0) {
        const auto sinceWinter = daysSince(year, true);
        if (sinceWinter >= 0) {
            run = winterRun(year);
            m = sinceWinter;
        }
    } else {
        run = winterRun(lastYear);
        m = daysSince(lastYear, true);
        if (m < 0) {
            run = summerRun(lastYear);
            m = daysSince(lastYear, false);
        }
    }
    const int64_t days = wholeDays(m);
    return vorane2::floorMod(run.startStar + run.step * days, 9);
}

}  // namespace

namespace vorane2 {

DayStarSwitchDays dayStarSwitchDays(int32_t year, double longitude) {
    return DayStarSwitchDays{summerSwitchJd(year, summerRun(year).pair, longitude),
                             winterSwitchJd(year, winterRun(year).pair, longitude)};
}

int32_t dayStarLive(CalendarDate date) {
    const double lon = date.longitude;
    const double day = midnightJd(date, lon);
    return dayStar(date.year, [&](int32_t y, bool winter) {
        const Run run = winter ? winterRun(y) : summerRun(y);
        return daysBetween(
            winter ? winterSwitchJd(y, run.pair, lon) : summerSwitchJd(y, run.pair, lon), day);
    });
}

}  // namespace vorane2

extern "C" {

CalendarDate VRN_CALL geshi2koushi(int32_t year, double longitude) {
    return vorane2::localDateStartingAt(summerSwitchJd(year, kKoushi, longitude), longitude);
}

CalendarDate VRN_CALL touji2koushi(int32_t year, double longitude) {
    return vorane2::localDateStartingAt(winterSwitchJd(year, kKoushi, longitude), longitude);
}

CalendarDate VRN_CALL geshi2kougo(int32_t year, double longitude) {
    return vorane2::localDateStartingAt(summerSwitchJd(year, kKougo, longitude), longitude);
}

CalendarDate VRN_CALL touji2kougo(int32_t year, double longitude) {
    return vorane2::localDateStartingAt(winterSwitchJd(year, kKougo, longitude), longitude);
}

int32_t VRN_CALL ad2nkyusei(CalendarDate date) {
    // The year star falls by one each year; the year turns on 立春.
    int64_t s = 9 - vorane2::floorMod(static_cast<int64_t>(date.year) + 7, 9);
    if (date.month == 1 ||
        (date.month == 2 &&
         date.day < vorane2::solarTermDay(vorane2::kRisshunTerm, date.year, date.longitude))) {
        s += 1;
    }
    if (s >= 9) s -= 9;
    return static_cast<int32_t>(s);
}

int32_t VRN_CALL ad2tkyusei(CalendarDate date) {
    // The month star falls by one each solar month, three a year.
    int64_t s = 9 - vorane2::floorMod(3 * static_cast<int64_t>(date.year) + date.month + 5, 9);
    // Before the month's sectional term the previous solar month still
    // runs. A month outside 1..12 has no term and is read as past it.
    if (date.month >= 1 && date.month <= 12 &&
        vorane2::isBeforeSectionalTerm(date.year, date.month, date.day, date.longitude)) {
        s += 1;
    }
    if (s >= 9) s -= 9;
    return static_cast<int32_t>(s);
}

int32_t VRN_CALL ad2hkyusei(CalendarDate date) {
    namespace t = vorane2::tables;
    // At the meridian of Japan the switch days of the stored years are read
    // from the table (the date's year and the one before take part); all
    // else takes the rule itself.
    if (date.longitude != vorane2::kJapanLongitude ||
        date.year <= t::kDayStarSwitchTableFirstYear ||
        date.year > t::kDayStarSwitchTableLastYear) {
        return vorane2::dayStarLive(date);
    }
    const int64_t day = vorane2::japanDayNumber(date.year, date.month, date.day);
    return dayStar(date.year, [&](int32_t y, bool winter) {
        const t::YearSwitchDays& s =
            t::kDayStarSwitchDays[static_cast<std::size_t>(y - t::kDayStarSwitchTableFirstYear)];
        return day - (winter ? s.winter : s.summer);
    });
}

const char* VRN_CALL kno2name(int32_t star) {
    return vorane2::tables::lookupName(vorane2::tables::kNineStarNames, star);
}

}  // extern "C"
