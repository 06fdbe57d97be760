// The six-day cycle and the 28 and 27 lunar mansions of a date.
//
// The six-day cycle and the 27 mansions run on the lunisolar month and day:
// both restart on the first day of every lunisolar month at a fixed place
// for that month number. The 28 mansions are a plain cycle of days, counted
// on the Julian day number without regard to the lunisolar calendar.

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "lunisolar.h"
#include "new_moons.h"
#include "numeric.h"
#include "tables/six_day_mansion_names.h"
#include "vorane2.h"

namespace {

namespace t = vorane2::tables;

// What the lunisolar-based number functions give for a date outside the
// span of the lunisolar conversion, the library's usual out-of-range code.
constexpr int32_t kOutOfRange = -999;

// A lunisolar date whose month and day can index the tables. Outside its
// span the lunisolar conversion gives -999 for both, which must not enter
// the cycles.
bool isUsableLunisolarDate(const LunisolarDate& date) {
    return date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= 30;
}

// Both cycles of a date from its lunisolar date built on the stored new
// moons of years up to `lastYear`; kOutOfRange where those do not reach.
// A leap month counts with the number of the month it repeats.
int32_t sixDayIndex(CalendarDate date, int32_t lastYear) {
    const LunisolarDate lunar = vorane2::lunisolarDate(date, lastYear);
    if (!isUsableLunisolarDate(lunar)) return kOutOfRange;
    return (lunar.month + lunar.day - 1) % 6;
}

int32_t mansion27Index(CalendarDate date, int32_t lastYear) {
    const LunisolarDate lunar = vorane2::lunisolarDate(date, lastYear);
    if (!isUsableLunisolarDate(lunar)) return kOutOfRange;
    const int32_t start = t::kMansion27MonthStart[static_cast<std::size_t>(lunar.month - 1)];
    return (start + lunar.day - 1) % 27;
}

}  // namespace

extern "C" {

int32_t VRN_CALL ad26you(CalendarDate date) {
    return sixDayIndex(date, vorane2::kNewMoonExportLastYear);
}

int32_t VRN_CALL ad26youL(CalendarDate date) {
    return sixDayIndex(date, vorane2::kNewMoonLongSpanLastYear);
}

const char* VRN_CALL rno2name(int32_t index) { return t::lookupName(t::kSixDayNames, index); }

int32_t VRN_CALL adto28(CalendarDate date) {
    // Noon at longitude 0 makes the Julian day a whole number, so the
    // caller's clock time and meridian cannot move the day.
    const CalendarDate noon{date.year, date.month, date.day, 12.0, 0.0, 0.0, 0.0};
    const double jd = ad2jd(noon);
    return vorane2::truncToInt32(std::fmod(jd + 11.0, 28.0));
}

const char* VRN_CALL A28toname(int32_t index) { return t::lookupName(t::kMansion28Names, index); }

int32_t VRN_CALL adto27(CalendarDate date) {
    return mansion27Index(date, vorane2::kNewMoonExportLastYear);
}

int32_t VRN_CALL adto27L(CalendarDate date) {
    return mansion27Index(date, vorane2::kNewMoonLongSpanLastYear);
}

const char* VRN_CALL A27toname(int32_t index) { return t::lookupName(t::kMansion27Names, index); }

}  // extern "C"
