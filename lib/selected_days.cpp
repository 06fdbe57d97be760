// Five selected days of calendar lore: 天赦日 (tensyabi), 黒日 (kurobi),
// 三隣亡 (sanrinbo), 不成就日 (fujyojyu) and the 癸巳 day (teniti).
// Each answers 'Y' when the date is such a day and 'N' when it is not.
//
// The day's sexagenary number is that of the instant passed in, so a clock
// time from 12:00 Universal Time on (21:00 at longitude 135) already counts
// as the next day; callers pass 0:00:00.

#include <array>
#include <cstddef>
#include <cstdint>

#include "lunar_day_cycles.h"
#include "lunisolar.h"
#include "new_moons.h"
#include "numeric.h"
#include "sectional_terms.h"
#include "selected_day_tables.h"
#include "vorane2.h"

namespace {

constexpr char kYes = 'Y';
constexpr char kNo = 'N';

constexpr char flag(bool yes) { return yes ? kYes : kNo; }

enum class Season { Spring, Summer, Autumn, Winter, None };

// The season of a date: each begins on the day of its 立 term (立春 in
// February, 立夏 in May, 立秋 in August, 立冬 in November).
Season seasonOf(const CalendarDate& date) {
    const int32_t y = date.year;
    const double lon = date.longitude;
    switch (date.month) {
        case 1:
        case 12:
            return Season::Winter;
        case 2:
            return date.day < y2risyun(y, lon) ? Season::Winter : Season::Spring;
        case 3:
        case 4:
            return Season::Spring;
        case 5:
            return date.day < y2rikka(y, lon) ? Season::Spring : Season::Summer;
        case 6:
        case 7:
            return Season::Summer;
        case 8:
            return date.day < y2risyuu(y, lon) ? Season::Summer : Season::Autumn;
        case 9:
        case 10:
            return Season::Autumn;
        case 11:
            return date.day < y2rittou(y, lon) ? Season::Autumn : Season::Winter;
        default:
            return Season::None;
    }
}

// The Gregorian month (1..12) in which the solar month of the date began:
// the date's own month from its sectional term (節) on, the month before
// until then (December for January). 0 for a month outside 1..12.
int32_t solarMonthOf(const CalendarDate& date) {
    const int32_t m = date.month;
    if (m < 1 || m > 12) return 0;
    if (!vorane2::isBeforeSectionalTerm(date.year, m, date.day, date.longitude)) return m;
    return m == 1 ? 12 : m - 1;
}

char solarMonthBranchMatches(const CalendarDate& date, const std::array<int32_t, 12>& branches) {
    const int32_t solarMonth = solarMonthOf(date);
    if (solarMonth == 0) return kNo;
    const int32_t branch = vorane2::floorMod(ad2heto(date), 12);
    return flag(branch == branches[static_cast<std::size_t>(solarMonth - 1)]);
}

// A leap month tests the days of the month whose number it bears. A month
// outside 1..12, as in the result for a date beyond the stored new moons of
// years up to `lastYear`, is never such a day.
char isFujyojyu(const CalendarDate& date, int32_t lastYear) {
    return vorane2::fujyojyuOf(vorane2::lunisolarDate(date, lastYear));
}

}  // namespace

extern "C" {

char VRN_CALL tensyabi(CalendarDate date) {
    // The season's own pair (vorane2::kTenshaPair).
    const Season season = seasonOf(date);
    if (season == Season::None) return kNo;
    return flag(ad2heto(date) == vorane2::kTenshaPair[static_cast<std::size_t>(season)]);
}

char VRN_CALL kurobi(CalendarDate date) {
    return solarMonthBranchMatches(date, vorane2::kKurobiBranch);
}

char VRN_CALL sanrinbo(CalendarDate date) {
    return solarMonthBranchMatches(date, vorane2::kSanrinboBranch);
}

char VRN_CALL fujyojyu(CalendarDate date) {
    return isFujyojyu(date, vorane2::kNewMoonExportLastYear);
}

char VRN_CALL fujyojyuL(CalendarDate date) {
    return isFujyojyu(date, vorane2::kNewMoonLongSpanLastYear);
}

char VRN_CALL teniti(CalendarDate date) { return flag(ad2heto(date) == 30); /* 癸巳 */ }

}  // extern "C"
