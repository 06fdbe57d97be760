// The sectional terms (節) that open the twelve solar months, one per
// Gregorian month: 小寒 in January, 立春 in February, ... 大雪 in December.
// The stems and branches, the nine stars and the selected days all find the
// start of a solar month here, so the table exists once.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "solar_terms.h"

namespace vorane2 {

// The sectional terms by Gregorian month, January first, as numbers of
// solar_terms.h: 小寒, 立春, 啓蟄, 清明, 立夏, 芒種, 小暑, 立秋, 白露, 寒露,
// 立冬, 大雪.
inline constexpr std::array<int32_t, 12> kSectionalTermByMonth = {22, 0,  2,  4,  6,  8,
                                                                  10, 12, 14, 16, 18, 20};

// Day of `month` (1..12) on which its sectional term falls in `year` at the
// meridian `longitude`; 0 for a month outside 1..12.
inline int32_t sectionalTermDay(int32_t year, int32_t month, double longitude) {
    if (month < 1 || month > 12) return 0;
    return solarTermDay(kSectionalTermByMonth[static_cast<std::size_t>(month - 1)], year,
                        longitude);
}

// True when the date lies before the sectional term of its month, i.e. still
// in the solar month that began in the previous Gregorian month. The whole
// day of the term already belongs to the new solar month.
inline bool isBeforeSectionalTerm(int32_t year, int32_t month, int32_t day, double longitude) {
    return day < sectionalTermDay(year, month, longitude);
}

}  // namespace vorane2
