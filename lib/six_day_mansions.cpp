// The six-day cycle and the 28 and 27 lunar mansions of a date.
//
// The six-day cycle and the 27 mansions run on the lunisolar month and day:
// both restart on the first day of every lunisolar month at a fixed place
// for that month number. The 28 mansions are a plain cycle of days, counted
// on the Julian day number without regard to the lunisolar calendar.

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "day_numbers.h"
#include "lunar_day_cycles.h"
#include "lunisolar.h"
#include "new_moons.h"
#include "numeric.h"
#include "tables/six_day_mansion_names.h"
#include "vorane2.h"

namespace {

namespace t = vorane2::tables;

// Both cycles of a date from its lunisolar date built on the stored new
// moons of years up to `lastYear`; -999 where those do not reach.
int32_t sixDayIndex(const CalendarDate& date, int32_t lastYear) {
    return vorane2::sixDayIndexOf(vorane2::lunisolarDate(date, lastYear));
}

int32_t mansion27Index(const CalendarDate& date, int32_t lastYear) {
    return vorane2::mansion27IndexOf(vorane2::lunisolarDate(date, lastYear));
}

}  // namespace

namespace vorane2 {

int32_t mansion28FromJd(CalendarDate date) {
    // Noon at longitude 0 makes the Julian day a whole number, so the
    // caller's clock time and meridian cannot move the day.
    const CalendarDate noon{date.year, date.month, date.day, 12.0, 0.0, 0.0, 0.0};
    const double jd = ad2jd(noon);
    return vorane2::truncToInt32(std::fmod(jd + 11.0, 28.0));
}

}  // namespace vorane2

extern "C" {

int32_t VRN_CALL ad26you(CalendarDate date) {
    return sixDayIndex(date, vorane2::kNewMoonExportLastYear);
}

int32_t VRN_CALL ad26youL(CalendarDate date) {
    return sixDayIndex(date, vorane2::kNewMoonLongSpanLastYear);
}

const char* VRN_CALL rno2name(int32_t index) { return t::lookupName(t::kSixDayNames, index); }

int32_t VRN_CALL adto28(CalendarDate date) {
    // Noon at Greenwich of a date is its day number N exactly: (N + 11) mod 28.
    if (vorane2::hasWholeDayNumber(date.year, date.month, date.day)) {
        return static_cast<int32_t>(
            (vorane2::japanDayNumber(date.year, date.month, date.day) + 11) % 28);
    }
    return vorane2::mansion28FromJd(date);
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
