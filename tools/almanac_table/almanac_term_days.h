// The solar term days of the accurate table against the library's own term
// exports at 135 degrees east.
#pragma once

#include <cstdint>
#include <vector>

#include "almanac_tables.h"

namespace almanacgen {

struct TermDifference {
    const char* name;
    CivilDate accurate;   // UTC+9 day of the table's instant
    CivilDate exported;   // the export's day (same month as the window)
    int32_t localMinute;  // minutes after the accurate day's midnight
    bool clamped;         // the export answered its last tested day
};

// The table's instant of term i (0..23 in the row order) of a year, as a
// UTC+9 day and minute.
struct LocalMinute {
    CivilDate date;
    int32_t minute;
};
LocalMinute tableTermAt135(int32_t year, int32_t term);

// The export's day of term i of a year at longitude 135.0.
CivilDate exportTermDay(int32_t year, int32_t term);

// Every term of the years whose two days differ, in time order.
std::vector<TermDifference> termDifferences(int32_t firstYear, int32_t lastYear);

}  // namespace almanacgen
