// The constant tables of lunar months, solar-term days and day-star switch
// days against the live rules they stand for: every day and every term of
// the stored span, the ends of the span, and arguments no calendar has.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "day_numbers.h"
#include "day_star.h"
#include "lunar_day_cycles.h"
#include "lunisolar.h"
#include "solar_terms.h"
#include "support/civil.h"
#include "tables/lunar_months.h"
#include "vorane2.h"

namespace {

using testsupport::Ymd;

constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();

CalendarDate at(const Ymd& d, double lon = 135.0) {
    return CalendarDate{d.year, d.month, d.day, 0.0, 0.0, 0.0, lon};
}

std::string text(const CalendarDate& d) {
    return std::to_string(d.year) + "-" + std::to_string(d.month) + "-" + std::to_string(d.day);
}

// A month before the stored span to a month after it.
template <typename F>
void forEachDayAroundSpan(F f) {
    constexpr Ymd first{1869, 12, 1};
    const int64_t span = testsupport::daysBetween(first, Ymd{2101, 1, 31});
    for (int64_t i = 0; i <= span; ++i) f(at(testsupport::addDays(first, i)));
}

// Dates that no calendar has: days and months beyond their ranges, which
// run on as ad2jd runs them, and the ends of the 32-bit range.
constexpr std::array<Ymd, 16> kOddDates = {{
    {2000, 1, 0},
    {2000, 1, 40},
    {2000, 13, 5},
    {2000, 0, 15},
    {2000, -30, 1},
    {2000, 3, -400},
    {1999, 12, 400},
    {2100, 12, 31},
    {2100, 12, 32},
    {1870, 1, 32},
    {2000, 1, kIntMax},
    {2000, 1, kIntMin},
    {2000, kIntMax, 1},
    {2000, kIntMin, 1},
    {kIntMax, 6, 1},
    {kIntMin, 6, 1},
}};

void expectSame(const LunisolarDate& fromTable, const LunisolarDate& live,
                const std::string& what) {
    EXPECT_TRUE(fromTable.leap == live.leap && fromTable.year == live.year &&
                fromTable.month == live.month && fromTable.day == live.day &&
                fromTable.longitude == live.longitude)
        << what << ": table " << fromTable.year << "-" << fromTable.month << fromTable.leap << "-"
        << fromTable.day << ", live " << live.year << "-" << live.month << live.leap << "-"
        << live.day;
}

void expectSameLunisolar(const CalendarDate& date, int32_t lastYear) {
    expectSame(vorane2::lunisolarDate(date, lastYear), vorane2::lunisolarDateLive(date, lastYear),
               text(date) + " within " + std::to_string(lastYear));
}

// The four exports of the months numbered from the winter solstice against
// that rule worked out live.
void expectSameFromSolstice(const CalendarDate& date) {
    const LunisolarDate live = vorane2::lunisolarDateWinterSolsticeLive(date);
    expectSame(adto9rekS(date), live, text(date) + " from the solstice");
    EXPECT_EQ(ad26youS(date), vorane2::sixDayIndexOf(live)) << text(date);
    EXPECT_EQ(adto27S(date), vorane2::mansion27IndexOf(live)) << text(date);
    EXPECT_EQ(fujyojyuS(date), vorane2::fujyojyuOf(live)) << text(date);
}

TEST(CalendarTables, DayNumbersAreThoseOfAd2jd) {
    // Whole-number arithmetic where it is used, ad2jd's doubles beside it,
    // including the days past a month's end that ad2jd runs on.
    for (int32_t year = 1599; year <= 10000; ++year) {
        for (int32_t month = 0; month <= 13; ++month) {
            for (int32_t day = 0; day <= 32; ++day) {
                const CalendarDate d{year, month, day, 0.0, 0.0, 0.0, 135.0};
                ASSERT_EQ(vorane2::japanDayNumber(year, month, day),
                          static_cast<int64_t>(std::floor(ad2jd(d))) + 1)
                    << text(d);
            }
        }
    }
    EXPECT_EQ(vorane2::japanDayNumber(2000, 1, 1), testsupport::julianDayNumber(Ymd{2000, 1, 1}));
}

TEST(CalendarTables, LunarMonthsGiveTheLiveDateOnEveryDay) {
    // The two spans of the exports, and one ending inside the table; the
    // months numbered from the winter solstice over the long span.
    forEachDayAroundSpan([](const CalendarDate& d) {
        expectSameLunisolar(d, 2020);
        expectSameLunisolar(d, 2100);
        expectSameFromSolstice(d);
    });
    for (const Ymd& d : kOddDates) {
        for (const int32_t lastYear : {kIntMin, 1869, 1870, 1950, 2020, 2100, kIntMax}) {
            expectSameLunisolar(at(d, -77.5), lastYear);
        }
        expectSameFromSolstice(at(d, -77.5));
    }
}

TEST(CalendarTables, LunarMonthsLastTwentyNineOrThirtyDays) {
    // Independent of the rules: consecutive new moons of the mean Moon are
    // 29.53 days apart, and the true ones never stray a full day further.
    const auto& first = vorane2::tables::kLunarMonthFirstDays;
    EXPECT_EQ(first.front(), testsupport::julianDayNumber(Ymd{1870, 1, 2}));
    EXPECT_EQ(first.back(), testsupport::julianDayNumber(Ymd{2100, 12, 31}));
    for (std::size_t k = 1; k < first.size(); ++k) {
        const int32_t length = first[k] - first[k - 1];
        EXPECT_TRUE(length == 29 || length == 30) << "month " << k << ": " << length;
    }
}

TEST(CalendarTables, TermDaysGiveTheLiveDayInEveryYear) {
    // The exports in ordinal order, 立春 first: each must answer for its own
    // term, at 135 from the table, elsewhere from the rule.
    using TermExport = int32_t(VRN_CALL*)(int32_t, double);
    constexpr std::array<TermExport, 24> kExports = {
        y2risyun, y2usui,   y2ktitu,  y2syunbn, y2seimei, y2kokuu,  y2rikka,  y2syoman,
        y2bousyu, y2gesi,   y2syusyo, y2taisyo, y2risyuu, y2syosyo, y2hakuro, y2syuubn,
        y2kanro,  y2soukou, y2rittou, y2syostu, y2taistu, y2touji,  y2syokan, y2taikan,
    };
    for (int32_t year = 1869; year <= 2101; ++year) {
        for (int32_t term = 0; term < vorane2::kSolarTermCount; ++term) {
            const int32_t live = vorane2::solarTermDayLive(term, year, 135.0);
            EXPECT_EQ(kExports[static_cast<std::size_t>(term)](year, 135.0), live)
                << "term " << term << " of " << year;
        }
    }
    // Off the table's meridian the rule answers: days of the western
    // hemisphere are often a day earlier than Japan's.
    int32_t differing = 0;
    for (int32_t year = 1870; year <= 2100; ++year) {
        for (int32_t term = 0; term < vorane2::kSolarTermCount; ++term) {
            if (vorane2::solarTermDay(term, year, -120.0) !=
                vorane2::solarTermDay(term, year, 135.0)) {
                ++differing;
            }
        }
    }
    EXPECT_GT(differing, 0);
    EXPECT_EQ(vorane2::solarTermDay(-1, 2000, 135.0), 0);
    EXPECT_EQ(vorane2::solarTermDay(24, 2000, 135.0), 0);
}

TEST(CalendarTables, DayStarGivesTheLiveStarOnEveryDay) {
    forEachDayAroundSpan([](const CalendarDate& d) {
        ASSERT_EQ(ad2hkyusei(d), vorane2::dayStarLive(d)) << text(d);
    });
    for (const Ymd& d : kOddDates) {
        const CalendarDate date = at(d);
        EXPECT_EQ(ad2hkyusei(date), vorane2::dayStarLive(date)) << text(date);
    }
}

}  // namespace
