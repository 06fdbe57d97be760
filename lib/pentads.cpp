// The 72 pentads (七十二候) of a day, from the accurate Sun of ephemeris.h
// at the day's two midnights. A pentad begins on the day in which the Sun
// reaches its 5-degree mark, so the pentad in force on a day is the one of
// the last mark reached by the day's end, and it begins that day when the
// day's start was still short of that mark. The Sun moves about a degree a
// day: no day holds two marks.

#include "pentads.h"

#include "ephemeris.h"
#include "numeric.h"
#include "tables/pentad_names.h"
#include "vorane2.h"

namespace {

constexpr double kMjdEpochJd = 2400000.5;
constexpr double kMinutesPerDay = 1440.0;
constexpr int32_t kFirstMark = 63;  // 315 degrees / 5, 立春

}  // namespace

namespace vorane2::pentads {

double sunLongitudeAtMidnight(int64_t mjd, double offsetMinutes) {
    const double jd = static_cast<double>(mjd) + kMjdEpochJd - offsetMinutes / kMinutesPerDay;
    return ephemeris::sunLongitudeAt(ephemeris::ttOf(jd));
}

PentadDay pentadOfDay(const almanac::LocalDay& day) {
    const auto markOf = [](double longitude) { return static_cast<int32_t>(longitude / 5.0); };
    const int32_t atStart = markOf(sunLongitudeAtMidnight(day.mjd, day.offsetMinutes));
    const int32_t atEnd = markOf(sunLongitudeAtMidnight(day.mjd + 1, day.offsetMinutes));
    return PentadDay{floorMod(atEnd - kFirstMark, kPentadCount), atStart != atEnd};
}

}  // namespace vorane2::pentads

extern "C" {

int32_t VRN_CALL ad2kou(CalendarDate date) {
    vorane2::almanac::LocalDay day{};
    if (!vorane2::almanac::localDayOf(date, day)) return vorane2::almanac::kOutOfSpan;
    const vorane2::pentads::PentadDay p = vorane2::pentads::pentadOfDay(day);
    return p.pentad + (p.begins ? VRN_KOU_BEGINS : 0);
}

const char* VRN_CALL kou2name(int32_t pentad) {
    return vorane2::tables::lookupName(vorane2::tables::kPentadNames, pentad);
}

const char* VRN_CALL kou2yomi(int32_t pentad) {
    return vorane2::tables::lookupName(vorane2::tables::kPentadReadings, pentad);
}

}  // extern "C"
