// The whole-number paths of the day counts against the doubles of ad2jd they
// replace: every date they serve, both sides of their edges, and the clock
// times and meridians that must leave them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "day_numbers.h"
#include "vorane2.h"

namespace {

std::string text(const CalendarDate& d) {
    return std::to_string(d.year) + "-" + std::to_string(d.month) + "-" + std::to_string(d.day) +
           " " + std::to_string(d.hour) + ":" + std::to_string(d.minute) + ":" +
           std::to_string(d.second) + " at " + std::to_string(d.longitude);
}

// The first export whose two answers differ on `d`, if any.
testing::AssertionResult sameDayCounts(const CalendarDate& d) {
    const struct {
        const char* name;
        int32_t fast, reference;
    } answers[] = {
        {"ad2heto", ad2heto(d), vorane2::daySexagenaryFromJd(d)},
        {"adto28", adto28(d), vorane2::mansion28FromJd(d)},
        {"ad2youbi", ad2youbi(d), vorane2::weekdayFromJd(d)},
    };
    for (const auto& a : answers) {
        if (a.fast != a.reference) {
            return testing::AssertionFailure()
                   << a.name << " " << text(d) << ": " << a.fast << " against " << a.reference;
        }
    }
    return testing::AssertionSuccess();
}

}  // namespace

TEST(FastPaths, DayCountsAreThoseOfAd2jdOnEveryDateTheyServe) {
    // Every year, month and day the whole numbers take, with a margin of
    // fields one past each edge, at the local midnight of Japan.
    for (int32_t year = 1599; year <= 10000; ++year) {
        for (int32_t month = 0; month <= 13; ++month) {
            for (int32_t day = 0; day <= 32; ++day) {
                ASSERT_TRUE(sameDayCounts(CalendarDate{year, month, day, 0.0, 0.0, 0.0, 135.0}));
            }
        }
    }
}

TEST(FastPaths, ClockTimesAndMeridiansNearTheDaysEdges) {
    // The day pair steps at 21:00 at 135 east; a hair off midnight or off the
    // meridian leaves the whole-number path, -0.0 stays on it.
    struct Clock {
        double hour, minute, second, longitude;
    };
    const Clock clocks[] = {
        {-0.0, -0.0, -0.0, 135.0},     {0.0, 0.0, 1e-9, 135.0},
        {0.0, 0.0, -1e-9, 135.0},      {20.0, 59.0, 59.999, 135.0},
        {21.0, 0.0, 0.0, 135.0},       {23.0, 59.0, 59.999999, 135.0},
        {24.0, 0.0, 0.0, 135.0},       {0.0, 0.0, 0.0, std::nextafter(135.0, 136.0)},
        {0.0, 0.0, 0.0, 134.99999999}, {0.0, 0.0, 0.0, 0.0},
        {0.0, 0.0, 0.0, -180.0},       {12.0, 0.0, 0.0, 0.0},
        {-3.0, 0.0, 0.0, 135.0},       {0.0, 0.0, 0.0, NAN},
    };
    for (int32_t year = 1868; year <= 2102; ++year) {
        for (int32_t month = 1; month <= 12; ++month) {
            for (int32_t day = 1; day <= 31; ++day) {
                for (const Clock& c : clocks) {
                    ASSERT_TRUE(sameDayCounts(
                        CalendarDate{year, month, day, c.hour, c.minute, c.second, c.longitude}));
                }
            }
        }
    }
    // Far outside the whole numbers' years, where the doubles answer alone.
    for (const int32_t year : {INT32_MIN, -4713, 0, 1582, 1583, 99999, INT32_MAX}) {
        EXPECT_TRUE(sameDayCounts(CalendarDate{year, 2, 29, 0.0, 0.0, 0.0, 135.0}));
    }
}
