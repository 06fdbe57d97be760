// The 納音 of the sixty pairs and the 恵方 of the year that begins at 立春.

#include "sexagenary_lore.h"

#include "numeric.h"

namespace vorane2::sexagenary_lore {

int32_t yearStemOfDay(const almanac::LocalDay& day) {
    // Before the 立春 day of its Gregorian year a day still belongs to the
    // year before. The year 4 (甲子) has stem 1, so a year's stem is
    // (year - 3) mod 10.
    const bool begun = almanac::sunDay(day, day.year, almanac::kRowRisshun) <= day.mjd;
    return floorMod(static_cast<int64_t>(begun ? day.year : day.year - 1) - 3, 10);
}

}  // namespace vorane2::sexagenary_lore
