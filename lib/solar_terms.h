// The 24 solar terms by number (not exported): 0 is 立春, then every 15
// degrees of the Sun's longitude in the order of the term exports, to 23,
// 大寒 (小寒 and 大寒 fall in January of the year asked for).
#pragma once

#include <cstddef>
#include <cstdint>

#include "numeric.h"
#include "tables/solar_term_days.h"

namespace vorane2 {

inline constexpr int32_t kSolarTermCount = 24;
inline constexpr int32_t kRisshunTerm = 0;          // 立春
inline constexpr int32_t kSummerSolsticeTerm = 9;   // 夏至
inline constexpr int32_t kWinterSolsticeTerm = 21;  // 冬至

// The day of its month on which term `term` (0..23) falls in `year` at the
// meridian `longitude`, as the term's export answers; 0 for a term number
// outside 0..23.
//
// solarTermDayLive tests the Sun's longitude at the term's fixed midnights
// on every call: the reference, and what the table of term days
// (tables/solar_term_days.h) is generated from. solarTermDay reads that
// table at longitude exactly 135.0 within its years and otherwise works the
// day out as the live rule does: the same result for every argument.
int32_t solarTermDayLive(int32_t term, int32_t year, double longitude);
inline int32_t solarTermDay(int32_t term, int32_t year, double longitude) {
    namespace t = tables;
    // The meridian of Japan is what the calendar sheet and most callers
    // ask for; every other meridian, and every year outside the table,
    // takes the rule itself.
    if (longitude == kJapanLongitude && year >= t::kSolarTermTableFirstYear &&
        year <= t::kSolarTermTableLastYear && term >= 0 && term < kSolarTermCount) {
        return t::kSolarTermDayTable[static_cast<std::size_t>(year - t::kSolarTermTableFirstYear)]
                                    [static_cast<std::size_t>(term)];
    }
    return solarTermDayLive(term, year, longitude);
}

}  // namespace vorane2
