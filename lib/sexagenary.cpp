// The sixty stems and branches (干支) of the year, the solar month, the day
// and the two-hour period, and their names.
//
// Sexagenary numbers run 0..59 with 1 = 甲子 and 0 standing for the sixtieth
// pair 癸亥; the stem is the number mod 10 (0 = 癸), the branch the number
// mod 12 (0 = 亥). The year turns on the day of 立春 and the month on the day
// of each month's sectional term (節); the day count runs on the Julian day.

#include <cmath>
#include <cstdint>

#include "day_numbers.h"
#include "numeric.h"
#include "sectional_terms.h"
#include "solar_terms.h"
#include "tables/sexagenary_names.h"
#include "vorane2.h"

namespace {

// A sexagenary number one step back in the cycle: 1 (甲子) becomes 0 (癸亥)
// and 0 becomes 59 (壬戌).
constexpr int32_t previousInCycle(int32_t n) { return n == 0 ? 59 : n - 1; }

}  // namespace

namespace vorane2 {

int32_t daySexagenaryFromJd(CalendarDate date) {
    // The Julian day number N of a date gives the pair (N - 10) mod 60. The
    // instant's own Julian day is used, so the number steps at 12:00
    // Universal Time (21:00 at longitude 135).
    //
    // The remainder is taken into 0..59 by floor, not truncation: for the
    // dates the library serves (Julian day >= 9) the two agree, and before
    // that the cycle simply continues backwards instead of turning negative.
    // A NaN or infinite day gives 0.
    const double r = std::fmod(ad2jd(date) - 9.0, 60.0);
    if (!std::isfinite(r)) return 0;
    const int32_t n = vorane2::truncToInt32(std::floor(r));
    return n < 0 ? n + 60 : n;
}

}  // namespace vorane2

extern "C" {

int32_t VRN_CALL ad2neto(CalendarDate date) {
    // January, and February before the day of 立春, still belong to the
    // stem-and-branch year that began in the previous Gregorian year.
    const bool beforeRisshun =
        date.month == 1 ||
        (date.month == 2 &&
         date.day < vorane2::solarTermDay(vorane2::kRisshunTerm, date.year, date.longitude));
    const int64_t b = beforeRisshun ? 1 : 0;
    // AD 4 was a 甲子 year: (4 - 3) mod 60 = 1.
    return vorane2::floorMod(static_cast<int64_t>(date.year) - 3 - b, 60);
}

int32_t VRN_CALL ad2teto(CalendarDate date) {
    // The solar month that opens on this month's 節; January 1900 opens on
    // 丁丑 (14), and every month steps one pair on.
    const int64_t months = 12 * (static_cast<int64_t>(date.year) - 1900) + date.month + 13;
    const int32_t base = vorane2::floorMod(months, 60);

    // A month outside 1..12 has no sectional term to compare with: it runs
    // on linearly like the months of ad2jd (13 is January of the next year)
    // and is read as already past its term.
    if (date.month < 1 || date.month > 12) return base;
    if (vorane2::isBeforeSectionalTerm(date.year, date.month, date.day, date.longitude)) {
        return previousInCycle(base);
    }
    return base;
}

int32_t VRN_CALL ad2heto(CalendarDate date) {
    // 00:00 at 135 east lies 0.875 before the noon of the day number N, so
    // the instant's pair is that of N itself: (N - 10) mod 60.
    if (vorane2::isJapanMidnight(date) &&
        vorane2::hasWholeDayNumber(date.year, date.month, date.day)) {
        return vorane2::floorMod(vorane2::japanDayNumber(date.year, date.month, date.day) - 10, 60);
    }
    return vorane2::daySexagenaryFromJd(date);
}

int32_t VRN_CALL ht2teto(int32_t hour, int32_t dayNumber) {
    // Periods of two hours, 子 from 23:00 to 00:59, 丑 from 01:00 .. 亥 from
    // 21:00 to 22:59. Floor division and remainder make any hour read as the
    // same hour of the 24-hour clock (-1 is 23, 24 is 0).
    const int64_t halfHours = static_cast<int64_t>(hour) + 1;
    const int64_t period = halfHours >= 0 ? halfHours / 2 : (halfHours - 1) / 2;
    const int32_t row = vorane2::floorMod(period, 12);

    // The 子 period of a day starts on a fixed pair by the day's stem:
    // 甲/己 days on 甲子, 乙/庚 on 丙子, 丙/辛 on 戊子, 丁/壬 on 庚子 and
    // 戊/癸 on 壬子. Stems 1..5 and 6..0 form groups 0..4.
    const int32_t stem = vorane2::floorMod(dayNumber, 10);
    const int32_t group = (stem + 9) % 5;
    return (12 * group + row + 1) % 60;
}

const char* VRN_CALL eno2name(int32_t sexagenary) {
    return vorane2::tables::lookupName(vorane2::tables::kSexagenaryNames, sexagenary);
}

// Plain remainders: a negative argument gives a remainder of its own sign.
int32_t VRN_CALL eno210no(int32_t n) { return n % 10; }

const char* VRN_CALL e102name(int32_t stem) {
    return vorane2::tables::lookupName(vorane2::tables::kStemNames, stem);
}

int32_t VRN_CALL eno212no(int32_t n) { return n % 12; }

const char* VRN_CALL e122name(int32_t branch) {
    return vorane2::tables::lookupName(vorane2::tables::kBranchNames, branch);
}

}  // extern "C"
