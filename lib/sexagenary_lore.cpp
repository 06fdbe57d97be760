// The 納音 of the sixty pairs and the 恵方 of the year that begins at 立春.

#include "sexagenary_lore.h"

#include "numeric.h"
#include "tables/sexagenary_lore_names.h"
#include "vorane2.h"

namespace vorane2::sexagenary_lore {

int32_t yearStemOfDay(const almanac::LocalDay& day) {
    // Before the 立春 day of its Gregorian year a day still belongs to the
    // year before. The year 4 (甲子) has stem 1, so a year's stem is
    // (year - 3) mod 10.
    const bool begun = almanac::sunDay(day, day.year, almanac::kRowRisshun) <= day.mjd;
    return floorMod(static_cast<int64_t>(begun ? day.year : day.year - 1) - 3, 10);
}

}  // namespace vorane2::sexagenary_lore

extern "C" {

const char* VRN_CALL eno2natin(int32_t sexagenary) {
    if (sexagenary < 0 || sexagenary > 59) return nullptr;
    return vorane2::tables::lookupName(vorane2::tables::kNayinNames,
                                       vorane2::sexagenary_lore::nayinOf(sexagenary));
}

int32_t VRN_CALL ad2ehou(CalendarDate date) {
    vorane2::almanac::LocalDay day{};
    if (!vorane2::almanac::localDayOf(date, day)) return vorane2::almanac::kOutOfSpan;
    using namespace vorane2::sexagenary_lore;
    return luckyDirectionOfStem(yearStemOfDay(day));
}

const char* VRN_CALL eho2name(int32_t direction) {
    return vorane2::tables::lookupName(vorane2::tables::kLuckyDirectionBranchNames, direction);
}

const char* VRN_CALL eho2houi(int32_t direction) {
    return vorane2::tables::lookupName(vorane2::tables::kLuckyDirectionCompassNames, direction);
}

int32_t VRN_CALL eho2kaku(int32_t direction) {
    if (direction < 0 || direction > 3) return vorane2::almanac::kOutOfSpan;
    return vorane2::sexagenary_lore::kLuckyDirectionDegrees[direction];
}

}  // extern "C"
