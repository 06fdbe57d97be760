// The 72 pentads (七十二候) of a local day (internal; the exports of
// pentads.cpp read these). Pentad n (0..71, from 立春) begins on the local
// day in which the Sun's apparent longitude reaches 315 + 5 n degrees
// (mod 360), and lasts until the next one begins.
#pragma once

#include <cstdint>

#include "almanac.h"

namespace vorane2::pentads {

inline constexpr int32_t kPentadCount = 72;

// The pentad in force on a local day of the almanac's span, and whether it
// begins on that day.
struct PentadDay {
    int32_t pentad;
    bool begins;
};

PentadDay pentadOfDay(const almanac::LocalDay& day);

// The Sun's apparent longitude at the start of a local day (the UT
// instant of its midnight), degrees in [0, 360).
double sunLongitudeAtMidnight(int64_t mjd, double offsetMinutes);

}  // namespace vorane2::pentads
