// The sectional terms (節) that open the twelve solar months, one per
// Gregorian month: 小寒 in January, 立春 in February, ... 大雪 in December.
// The stems and branches, the nine stars and the selected days all find the
// start of a solar month here, so the table exists once.
#pragma once

#include <cstdint>

namespace vorane2 {

// Day of `month` (1..12) on which its sectional term falls in `year` at the
// meridian `longitude`; 0 for a month outside 1..12.
int32_t sectionalTermDay(int32_t year, int32_t month, double longitude);

// True when the date lies before the sectional term of its month, i.e. still
// in the solar month that began in the previous Gregorian month. The whole
// day of the term already belongs to the new solar month.
inline bool isBeforeSectionalTerm(int32_t year, int32_t month, int32_t day, double longitude) {
    return day < sectionalTermDay(year, month, longitude);
}

}  // namespace vorane2
