#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "sectional_terms.h"
#include "support/civil.h"
#include "vorane2.h"

namespace {

using TermFn = int32_t(VRN_CALL*)(int32_t, double);

struct Term {
    TermFn fn;
    int32_t month;
    double target;
    int32_t firstTested;
    int32_t lastTested;
};

// In the order of the year from 小寒, January's term first.
const std::array<Term, 24> kTerms = {{
    {y2syokan, 1, 285, 5, 6},    {y2taikan, 1, 300, 20, 21},  {y2risyun, 2, 315, 4, 5},
    {y2usui, 2, 330, 18, 20},    {y2ktitu, 3, 345, 5, 6},     {y2syunbn, 3, 360, 20, 21},
    {y2seimei, 4, 15, 4, 5},     {y2kokuu, 4, 30, 20, 21},    {y2rikka, 5, 45, 5, 6},
    {y2syoman, 5, 60, 20, 21},   {y2bousyu, 6, 75, 5, 6},     {y2gesi, 6, 90, 21, 22},
    {y2syusyo, 7, 105, 6, 8},    {y2taisyo, 7, 120, 22, 24},  {y2risyuu, 8, 135, 7, 8},
    {y2syosyo, 8, 150, 22, 24},  {y2hakuro, 9, 165, 7, 8},    {y2syuubn, 9, 180, 22, 24},
    {y2kanro, 10, 195, 7, 9},    {y2soukou, 10, 210, 23, 25}, {y2rittou, 11, 225, 7, 8},
    {y2syostu, 11, 240, 22, 23}, {y2taistu, 12, 255, 6, 8},   {y2touji, 12, 270, 21, 23},
}};

std::vector<int32_t> termDays(int32_t year) {
    std::vector<int32_t> days;
    for (const Term& t : kTerms) days.push_back(t.fn(year, 135.0));
    return days;
}

TEST(SolarTerms, Year1997) {
    EXPECT_EQ(termDays(1997), (std::vector<int32_t>{5, 20, 4, 18, 5, 20, 5, 20, 5, 21, 6, 21,
                                                    7, 23, 7, 23, 7, 23, 8, 23, 7, 22, 7, 22}));
}

TEST(SolarTerms, Year2000) {
    EXPECT_EQ(termDays(2000), (std::vector<int32_t>{6, 21, 4, 19, 5, 20, 4, 20, 5, 21, 5, 21,
                                                    7, 22, 7, 23, 7, 23, 8, 23, 7, 22, 7, 21}));
}

double sunAtLocalMidnight(int32_t y, int32_t m, int32_t d) {
    return jd2sok(ad2jd(CalendarDate{y, m, d, 0.0, 0.0, 0.0, 135.0}));
}

// Whether the Sun is past the target at a midnight, read across the wrap at
// 360 for the equinox target.
bool pastTarget(double longitude, double target) {
    if (target == 360.0) return longitude < 180.0;
    return longitude > target;
}

// The day on which the Sun really passes each target, found by walking the
// midnights well beyond each export's window, against what the exports say:
// they clamp to their last tested day, and nowhere else may they differ.
TEST(SolarTerms, DifferFromTheTrueDayOnlyByClampingAtTheLastTestedDay) {
    int clamped = 0;
    for (int32_t year = 1870; year <= 2019; ++year) {
        for (const Term& t : kTerms) {
            int32_t trueDay = 0;
            for (int32_t d = t.firstTested - 3; d <= t.lastTested + 3; ++d) {
                if (pastTarget(sunAtLocalMidnight(year, t.month, d), t.target)) {
                    trueDay = d - 1;
                    break;
                }
            }
            const int32_t reported = t.fn(year, 135.0);
            ASSERT_GE(reported, t.firstTested - 1);
            ASSERT_LE(reported, t.lastTested);
            if (reported != trueDay) {
                ASSERT_EQ(reported, t.lastTested) << year << " term of month " << t.month;
                ASSERT_EQ(trueDay, t.lastTested + 1) << year << " term of month " << t.month;
                ASSERT_GE(year, 1901);
                ASSERT_LE(year, 1979);
                ++clamped;
            }
        }
    }
    EXPECT_EQ(clamped, 96);
}

TEST(SolarTerms, VernalEquinoxAcrossTheWrap) {
    EXPECT_EQ(y2syunbn(1997, 135.0), 20);
    EXPECT_EQ(y2syunbn(1903, 135.0), 21);  // really 22 March: clamped
}

TEST(SolarTerms, ClampedGrainFull1979) {
    EXPECT_NEAR(sunAtLocalMidnight(1979, 5, 22), 59.970, 5e-4);
    EXPECT_NEAR(sunAtLocalMidnight(1979, 5, 23), 60.932, 5e-4);
    EXPECT_EQ(y2syoman(1979, 135.0), 21);
}

TEST(SolarTerms, LastTestedDayIsReturnedWithoutTest) {
    EXPECT_EQ(y2seimei(2000, 135.0), 4);
    EXPECT_EQ(y2seimei(1997, 135.0), 5);
}

TEST(SolarTerms, ExtremeYearsStayInsideTheirWindows) {
    for (const int32_t year : {INT32_MIN, -100000, 0, 100000, INT32_MAX}) {
        for (const Term& t : kTerms) {
            const int32_t d = t.fn(year, 135.0);
            EXPECT_GE(d, t.firstTested - 1);
            EXPECT_LE(d, t.lastTested);
        }
    }
}

TEST(DaysSinceSectionalTerm, Examples) {
    EXPECT_EQ(ad2setu(CalendarDate{1997, 2, 4, 0, 0, 0, 135.0}), 0);
    EXPECT_EQ(ad2setu(CalendarDate{1997, 2, 3, 0, 0, 0, 135.0}), 29);
    EXPECT_EQ(ad2setu(CalendarDate{1997, 1, 4, 0, 0, 0, 135.0}), 28);
    EXPECT_EQ(ad2setu(CalendarDate{1997, 13, 4, 0, 0, 0, 135.0}), 0);
    EXPECT_EQ(ad2setu(CalendarDate{1997, 0, 4, 0, 0, 0, 135.0}), 0);
}

// Over whole years the count restarts at 0 exactly on the sectional term
// days and otherwise grows by one a day.
TEST(DaysSinceSectionalTerm, CountsDaysBetweenSectionalTerms) {
    for (int32_t year = 1995; year <= 2005; ++year) {
        testsupport::Ymd d{year, 1, 1};
        int32_t previous = ad2setu(CalendarDate{year - 1, 12, 31, 0, 0, 0, 135.0});
        while (d.year == year) {
            const int32_t count = ad2setu(CalendarDate{d.year, d.month, d.day, 0, 0, 0, 135.0});
            const bool termDay = d.day == vorane2::sectionalTermDay(d.year, d.month, 135.0);
            ASSERT_EQ(count, termDay ? 0 : previous + 1)
                << d.year << "-" << d.month << "-" << d.day;
            previous = count;
            d = testsupport::addDays(d, 1);
        }
    }
}

TEST(SectionalTerms, MonthOutsideTheYearHasNoTerm) {
    EXPECT_EQ(vorane2::sectionalTermDay(2000, 0, 135.0), 0);
    EXPECT_EQ(vorane2::sectionalTermDay(2000, 13, 135.0), 0);
    EXPECT_EQ(vorane2::sectionalTermDay(2000, 2, 135.0), y2risyun(2000, 135.0));
    EXPECT_EQ(vorane2::sectionalTermDay(2000, 12, 135.0), y2taistu(2000, 135.0));
}

}  // namespace
