// Local midnights built as sums (a date's midnight plus whole days, with the
// meridian offset in it) can round a hair early at some meridians; 33.3
// degrees east is one. The exports that name a day from such a midnight must
// still name the day that begins there, as they do a hair further east.

#include "local_days.h"

#include <gtest/gtest.h>

#include "vorane2.h"

namespace {

constexpr double kRoundsEarly = 33.3;
constexpr double kJustEast = 33.30001;

CalendarDate midnightAt(int32_t y, int32_t m, int32_t d, double lon) {
    return CalendarDate{y, m, d, 0.0, 0.0, 0.0, lon};
}

bool sameDay(const CalendarDate& a, const CalendarDate& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

TEST(LocalDays, AMidnightThatRoundsEarlyNamesTheDayItBegins) {
    const double midnight = ad2jd(midnightAt(2000, 6, 5, kRoundsEarly)) + 30.0;
    ASSERT_EQ(jd2ad(midnight, kRoundsEarly).hour, 23.0);  // the rounding this guards against
    const CalendarDate d = vorane2::localDateStartingAt(midnight, kRoundsEarly);
    EXPECT_TRUE(sameDay(d, midnightAt(2000, 7, 5, 0.0)));
    EXPECT_EQ(d.hour, 0.0);
    EXPECT_EQ(d.minute, 0.0);
    EXPECT_EQ(d.second, 0.0);
    EXPECT_EQ(d.longitude, kRoundsEarly);
}

TEST(LocalDays, SwitchDaysAreAtMidnightAtEveryMeridian) {
    const CalendarDate summer = geshi2koushi(2000, kRoundsEarly);
    EXPECT_TRUE(sameDay(summer, midnightAt(2000, 7, 5, 0.0)));
    EXPECT_EQ(summer.hour, 0.0);
    for (int32_t year = 1600; year <= 2200; ++year) {
        for (const double lon : {kRoundsEarly, 0.0, 135.0, -75.3}) {
            for (const CalendarDate d : {geshi2koushi(year, lon), touji2koushi(year, lon),
                                         geshi2kougo(year, lon), touji2kougo(year, lon)}) {
                ASSERT_EQ(d.hour + d.minute + d.second, 0.0) << year << " at " << lon;
                ASSERT_TRUE(sameDay(d, jd2ad(ad2jd(d) + 0.5, lon))) << year << " at " << lon;
            }
        }
    }
}

// A hundred-thousandth of a degree moves the clock by a quarter of a second:
// the new-moon day found must not move with it.
TEST(LocalDays, NewMoonDaysDoNotDependOnTheRoundingOfTheMeridian) {
    for (int32_t year = 1870; year <= 2020; ++year) {
        for (int32_t month = 1; month <= 12; ++month) {
            const CalendarDate early = duncan(midnightAt(year, month, 1, kRoundsEarly));
            const CalendarDate east = duncan(midnightAt(year, month, 1, kJustEast));
            ASSERT_TRUE(sameDay(early, east)) << year << "-" << month;
            const CalendarDate next = ad2saku(early);
            const CalendarDate nextEast = ad2saku(east);
            ASSERT_TRUE(sameDay(next, nextEast)) << year << "-" << month;
        }
    }
    const CalendarDate march = ad2saku(midnightAt(1870, 2, 1, kRoundsEarly));
    EXPECT_TRUE(sameDay(march, midnightAt(1870, 3, 2, 0.0)));
}

}  // namespace
