// The lunisolar date numbered from the winter solstice: the lunar month that
// holds 冬至 (the Sun at 270 degrees) is month 11. When the months from one
// month 11 up to the next are thirteen, the first of them that holds no
// principal term (a multiple of 30 degrees) is the leap month and bears the
// number of the month before; every other month takes the next number. This
// is the reading of the published calendars in the winters where the
// term-by-term reading of adto9rekL skips a month number (1870/71, 1984/85,
// 2033/34, 2052/53).
//
// The months themselves are those of adto9rekL: the same first days from
// the same stored new moons, local days of UTC+9, the Sun's longitude taken
// at 00:00 of each first day, a term belonging to the month in which it
// falls at or after 00:00 of the first day. Only number, leap flag and year
// can differ.
//
// The exports read the names this rule gives each stored month from the
// table of lunar months; the rule below is what that table is generated
// from and what the tests compare it with.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "local_days.h"
#include "lunar_day_cycles.h"
#include "lunisolar.h"
#include "new_moons.h"
#include "numeric.h"
#include "tables/new_moon_days.h"
#include "vorane2.h"

namespace {

using vorane2::kJapanLongitude;

constexpr int32_t kError = -999;
constexpr double kWinterSolstice = 270.0;

// A lunar month is 29 or 30 days; the cycle from one month 11 to the next
// holds 12 or 13 of them. The new moons of the Gregorian months from 14
// before the date's month to 14 after hold every month of the cycle around
// the date and the first day of the month after it, with room to spare.
constexpr int32_t kMonthsAround = 14;
constexpr std::size_t kMaxNewMoons = 2 * (2 * kMonthsAround + 1);
constexpr int32_t kShortestLunarMonth = 29;

double localMidnight(int32_t year, int32_t month, int32_t day) {
    return ad2jd(CalendarDate{year, month, day, 0.0, 0.0, 0.0, kJapanLongitude});
}

// Whether the Sun reaches `term` at or after `from` and before `to`, the
// longitudes at the starts of a month and of the month after it (a month
// spans less than a full turn).
bool holdsLongitude(double from, double to, double term) {
    if (from <= to) return from <= term && term < to;
    return term >= from || term < to;  // the Sun passes 360 in the month
}

// Whether a month holds any principal term.
bool holdsPrincipalTerm(double from, double to) {
    for (int32_t k = 0; k < 12; ++k) {
        if (holdsLongitude(from, to, 30.0 * k)) return true;
    }
    return false;
}

// The first days (local midnights, in time order) of the stored lunar months
// around a date, and the Sun's longitude at each, reckoned once when first
// needed (a cycle needs about fourteen of them).
struct NewMoonsAround {
    std::array<double, kMaxNewMoons> start{};
    std::array<double, kMaxNewMoons> sun{};
    std::array<bool, kMaxNewMoons> sunKnown{};
    std::array<int32_t, kMaxNewMoons> gregorianMonth{};  // of the first day
    std::size_t count = 0;
    bool fromTableStart = false;  // start[0] is the first stored new moon
};

NewMoonsAround newMoonsAround(int32_t year, int32_t month) {
    NewMoonsAround r;
    const int32_t firstIndex = year * 12 + (month - 1) - kMonthsAround;
    r.fromTableStart = firstIndex < vorane2::tables::kNewMoonTableFirstYear * 12;
    for (int32_t index = firstIndex; index <= firstIndex + 2 * kMonthsAround; ++index) {
        const int32_t y = index / 12;
        const int32_t m = index % 12 + 1;
        for (const int32_t day :
             {vorane2::firstStoredNewMoonDay(y, m, vorane2::kNewMoonLongSpanLastYear),
              vorane2::secondStoredNewMoonDay(y, m, vorane2::kNewMoonLongSpanLastYear)}) {
            if (day == vorane2::kNoNewMoon || day == vorane2::kOutsideStoredSpan) continue;
            r.gregorianMonth[r.count] = m;
            r.start[r.count++] = localMidnight(y, m, day);
        }
    }
    return r;
}

double sunAt(NewMoonsAround& moons, std::size_t i) {
    if (!moons.sunKnown[i]) {
        moons.sun[i] = jd2sok(moons.start[i]);
        moons.sunKnown[i] = true;
    }
    return moons.sun[i];
}

// Month i runs from start[i] to start[i + 1]; callers keep i + 1 < count.
// 冬至 falls on 20 to 23 December, so only a month that begins in November
// or December can hold it; the Sun is read for those alone.
bool holdsSolstice(NewMoonsAround& moons, std::size_t i) {
    if (moons.gregorianMonth[i] < 11) return false;
    return holdsLongitude(sunAt(moons, i), sunAt(moons, i + 1), kWinterSolstice);
}

bool holdsTerm(NewMoonsAround& moons, std::size_t i) {
    return holdsPrincipalTerm(sunAt(moons, i), sunAt(moons, i + 1));
}

// Whether the month that ends on the first stored new moon holds 冬至 though
// its own first day is not stored: it began 29 or 30 days before, so it does
// when the Sun is short of 270 degrees at the later of those and past it at
// the stored day. (So it is for 1869/70: 冬至 1869-12-22, new moon
// 1870-01-02.)
bool monthBeforeTableHoldsSolstice(NewMoonsAround& moons) {
    const double latestStart = moons.start[0] - kShortestLunarMonth;
    return holdsLongitude(jd2sok(latestStart), sunAt(moons, 0), kWinterSolstice);
}

struct SolsticeNumber {
    bool found;
    int32_t month;
    char leap;
};

// The number of the month that begins at moons.start[k] (k + 1 < count) by
// the solstice rule; not found when the stored new moons do not reach the
// month 11 on either side of it.
SolsticeNumber solsticeNumber(NewMoonsAround& moons, std::size_t k) {
    const SolsticeNumber none{false, kError, 'N'};

    // The month after the month 11 at or before this one. 0 also stands for
    // the first stored month when the month 11 is the unstored one before.
    std::size_t afterEleventh = 0;
    bool found = false;
    for (std::size_t i = k + 1; i-- > 0;) {
        if (holdsSolstice(moons, i)) {
            afterEleventh = i + 1;
            found = true;
            break;
        }
    }
    if (!found && !(moons.fromTableStart && monthBeforeTableHoldsSolstice(moons))) return none;
    if (afterEleventh == k + 1) return SolsticeNumber{true, 11, 'N'};

    // The next month 11 closes the cycle.
    std::size_t nextEleventh = k + 1;
    while (nextEleventh + 1 < moons.count && !holdsSolstice(moons, nextEleventh)) ++nextEleventh;
    if (nextEleventh + 1 >= moons.count) return none;
    const std::size_t monthsInCycle = nextEleventh - afterEleventh + 1;
    if (monthsInCycle != 12 && monthsInCycle != 13) return none;

    // Thirteen months hold only twelve principal terms: the first month
    // without one is the leap month. Only one up to this month matters here.
    std::size_t leapMonth = kMaxNewMoons;  // none up to this month
    if (monthsInCycle == 13) {
        for (std::size_t i = afterEleventh; i <= k && leapMonth == kMaxNewMoons; ++i) {
            if (!holdsTerm(moons, i)) leapMonth = i;
        }
    }

    // Months 12, 1, 2, ... after month 11; the leap month repeats the number
    // before it.
    int32_t number = 11;
    for (std::size_t i = afterEleventh; i <= k; ++i) {
        if (i != leapMonth) number = number % 12 + 1;
    }
    return SolsticeNumber{true, number, k == leapMonth ? 'Y' : 'N'};
}

// What adto9rekL answers outside its span, with the longitude copied.
LunisolarDate errorDate(double longitude) {
    return LunisolarDate{'N', kError, kError, kError, longitude};
}

}  // namespace

namespace vorane2 {

LunisolarDate lunisolarDateWinterSolsticeLive(CalendarDate date) {
    // The day and the span are those of adto9rekL: the months are the same.
    // They come from its live rule, so that nothing here rests on a table.
    const LunisolarDate byTerms = lunisolarDateLive(date, kNewMoonLongSpanLastYear);
    if (byTerms.day < 1 || byTerms.day > 30) return errorDate(date.longitude);

    const double j0 = localMidnight(date.year, date.month, date.day);
    const double firstDay = j0 - (byTerms.day - 1);
    const CalendarDate first = vorane2::localDateStartingAt(firstDay, kJapanLongitude);

    NewMoonsAround moons = newMoonsAround(first.year, first.month);
    std::size_t k = 0;
    while (k < moons.count && std::fabs(moons.start[k] - firstDay) > 0.5) ++k;
    if (k + 1 >= moons.count) return errorDate(date.longitude);

    const SolsticeNumber number = solsticeNumber(moons, k);
    if (!number.found) return errorDate(date.longitude);

    // The year of the month's first day, as adto9rekL counts it: months 11
    // and 12 that begin in January or February belong to the year before.
    int32_t year = first.year;
    if ((first.month == 1 || first.month == 2) && (number.month == 11 || number.month == 12)) {
        year -= 1;
    }

    LunisolarDate r{};
    r.leap = number.leap;
    r.year = year;
    r.month = number.month;
    r.day = byTerms.day;
    r.longitude = date.longitude;
    return r;
}

}  // namespace vorane2

namespace {

LunisolarDate solsticeLunisolarDate(CalendarDate date) {
    return vorane2::lunisolarDateFromTable(date, vorane2::kNewMoonLongSpanLastYear,
                                           vorane2::tables::kLunarMonthNamesWinterSolstice);
}

}  // namespace

extern "C" {

LunisolarDate VRN_CALL adto9rekS(CalendarDate date) { return solsticeLunisolarDate(date); }

int32_t VRN_CALL ad26youS(CalendarDate date) {
    return vorane2::sixDayIndexOf(solsticeLunisolarDate(date));
}

int32_t VRN_CALL adto27S(CalendarDate date) {
    return vorane2::mansion27IndexOf(solsticeLunisolarDate(date));
}

char VRN_CALL fujyojyuS(CalendarDate date) {
    return vorane2::fujyojyuOf(solsticeLunisolarDate(date));
}

}  // extern "C"
