#include "equinox_theory.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using equinoxgen::Season;

// Published equinox instants (Universal Time, to the minute) from the
// almanac offices' tables; the theory with Delta T must meet each within
// two minutes, and the UTC+9 day must follow from it (17:27 UT on
// 22 September 2000 is already the 23rd in Japan).
TEST(EquinoxTheory, MeetsPublishedInstants) {
    struct Case {
        int32_t year;
        Season season;
        int32_t utcDay;
        int32_t hour;
        int32_t minute;
        int32_t localDay;
    };
    const Case cases[] = {
        {2000, Season::March, 20, 7, 35, 20},  {2000, Season::September, 22, 17, 27, 23},
        {2010, Season::March, 20, 17, 32, 21}, {2010, Season::September, 23, 3, 9, 23},
        {2012, Season::March, 20, 5, 14, 20},  {2012, Season::September, 22, 14, 49, 22},
        {2020, Season::March, 20, 3, 50, 20},  {2020, Season::September, 22, 13, 31, 22},
        {2024, Season::March, 20, 3, 6, 20},   {2024, Season::September, 22, 12, 44, 22},
    };
    for (const Case& c : cases) {
        const equinoxgen::Equinox e = equinoxgen::equinoxOf(c.year, c.season);
        const int32_t month = c.season == Season::March ? 3 : 9;
        const double published =
            newmoongen::kUnixEpochJd +
            static_cast<double>(newmoongen::daysFromCivil(c.year, month, c.utcDay)) +
            (c.hour * 60.0 + c.minute) / 1440.0;
        EXPECT_LT(std::fabs(e.jdUt - published) * 1440.0, 2.0) << c.year << "-" << month;
        EXPECT_EQ(e.localDate, (newmoongen::CivilDate{c.year, month, c.localDay})) << c.year;
    }
}

}  // namespace
