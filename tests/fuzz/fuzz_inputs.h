// Arguments for the fuzz targets: integers over their whole range, doubles
// that include NaN, infinities, subnormals and values near +-1e308, and
// dates with any field values, all drawn from the fuzzer's bytes.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "vorane2.h"

namespace fuzzinput {

inline int32_t anyInt(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return in.ConsumeIntegralInRange<int32_t>(-100, 100);  // near the tables
        case 1:
            return in.ConsumeIntegralInRange<int32_t>(1500, 2300);  // years of interest
        default:
            return in.ConsumeIntegral<int32_t>();
    }
}

inline double anyDouble(FuzzedDataProvider& in) {
    constexpr double kSpecial[] = {
        std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::denorm_min(),
        -std::numeric_limits<double>::denorm_min(),
        1e308,
        -1e308,
        std::numeric_limits<double>::max(),
        0.0,
        -0.0,
        135.0,
        2451545.0,
        2147483648.0,
        -2147483649.0,
    };
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return in.PickValueInArray(kSpecial);
        case 1:
            return in.ConsumeFloatingPointInRange<double>(2300000.0, 2600000.0);  // Julian days
        case 2:
            return in.ConsumeFloatingPointInRange<double>(-400.0, 400.0);  // angles, clocks
        default:
            return in.ConsumeFloatingPoint<double>();
    }
}

inline CalendarDate anyDate(FuzzedDataProvider& in) {
    CalendarDate d{};
    if (in.ConsumeBool()) {
        d.year = in.ConsumeIntegralInRange<int32_t>(1850, 2120);
        d.month = in.ConsumeIntegralInRange<int32_t>(0, 13);
        d.day = in.ConsumeIntegralInRange<int32_t>(0, 32);
    } else {
        d.year = anyInt(in);
        d.month = anyInt(in);
        d.day = anyInt(in);
    }
    d.hour = anyDouble(in);
    d.minute = anyDouble(in);
    d.second = anyDouble(in);
    d.longitude = anyDouble(in);
    return d;
}

}  // namespace fuzzinput
