#include "pentads.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "almanac.h"
#include "sexagenary_lore.h"
#include "support/civil.h"
#include "support/sjis.h"
#include "tables/pentad_names.h"
#include "tables/sexagenary_lore_names.h"
#include "tables/sexagenary_names.h"
#include "vorane2.h"

namespace {

namespace almanac = vorane2::almanac;
namespace tables = vorane2::tables;
using vorane2::pentads::pentadOfDay;

almanac::LocalDay localDay(int64_t unixDay, double meridian) {
    const testsupport::Ymd d = testsupport::civilFromDays(unixDay);
    almanac::LocalDay day{};
    EXPECT_TRUE(almanac::localDayOf(CalendarDate{d.year, d.month, d.day, 0, 0, 0, meridian}, day));
    return day;
}

// Every day of 1870-2100, at 135 east and at Greenwich: the pentads follow
// one another day by day, each lasting four to six days; the
// third ones begin exactly on the days of the stored solar terms, and the
// pentads at 80 and 100 degrees (蟷螂生, 半夏生) on the stored days of 入梅
// and 半夏生, so the run-time Sun agrees with the almanac's instants.
TEST(Pentads, EveryDayFollowsTheStoredTermsAndSeasonalDays) {
    const int64_t first = testsupport::daysFromCivil(1870, 1, 1);
    const int64_t last = testsupport::daysFromCivil(2100, 12, 31);
    for (const double meridian : {135.0, 0.0}) {
        int32_t previous = -1;
        int64_t begun = -1;
        for (int64_t unixDay = first; unixDay <= last; ++unixDay) {
            const almanac::LocalDay day = localDay(unixDay, meridian);
            const vorane2::pentads::PentadDay p = pentadOfDay(day);
            ASSERT_TRUE(p.pentad >= 0 && p.pentad < 72);
            if (previous >= 0) {
                EXPECT_EQ(p.begins, p.pentad != previous) << unixDay;
                if (p.begins) {
                    EXPECT_EQ(p.pentad, (previous + 1) % 72) << unixDay;
                }
                if (p.begins && begun >= 0) {
                    EXPECT_GE(unixDay - begun, 4) << unixDay;
                    EXPECT_LE(unixDay - begun, 6) << unixDay;
                }
            }
            if (p.begins) begun = unixDay;
            previous = p.pentad;
            // Term t (longitude / 15) is pentad (3 t - 63) mod 72.
            const int32_t term = almanac::termStartingOn(day);
            EXPECT_EQ(term >= 0, p.begins && p.pentad % 3 == 0) << unixDay;
            if (term >= 0) {
                EXPECT_EQ(p.pentad, (3 * term + 9) % 72);
            }
            const int32_t items = almanac::almanacItemsOf(day, false);
            EXPECT_EQ((items >> VRN_NYUBAI) & 1, p.begins && p.pentad == 25) << unixDay;
            EXPECT_EQ((items >> VRN_HANGESHO) & 1, p.begins && p.pentad == 29) << unixDay;
        }
    }
}

std::string name(const char* cp932) { return cp932 == nullptr ? "(null)" : cp932; }

TEST(Pentads, NamesAndReadingsFromRisshun) {
    using testsupport::toCp932;
    struct Row {
        int32_t pentad;
        const char* name;
        const char* reading;
    };
    const Row rows[] = {
        {0, "東風解凍", "はるかぜこおりをとく"},
        {1, "黄鶯けんかん", "うぐいすなく"},  // 睍睆 has no code page 932 form
        {10, "櫻始開", "さくらはじめてひらく"},
        {29, "半夏生", "はんげしょうず"},
        {62, "けつ魚群", "さけのうおむらがる"},
        {68, "雉始こう", "きじはじめてなく"},
        {71, "鶏始乳", "にわとりはじめてとやにつく"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(name(tables::lookupName(tables::kPentadNames, r.pentad)), toCp932(r.name));
        EXPECT_EQ(name(tables::lookupName(tables::kPentadReadings, r.pentad)), toCp932(r.reading));
    }
    std::set<std::string> distinct;
    for (int32_t i = 0; i < 72; ++i) distinct.insert(name(kou2name(i)));
    EXPECT_EQ(distinct.size(), 72u);
    EXPECT_EQ(tables::lookupName(tables::kPentadNames, -1), nullptr);
    EXPECT_EQ(tables::lookupName(tables::kPentadReadings, 72), nullptr);
}

TEST(Pentads, ExportsReadTheDayAndTheTables) {
    // 2024: 立春 on Feb 4 begins 東風解凍, 黄鶯睍睆 follows on Feb 9.
    const auto on = [](int32_t m, int32_t d, double meridian = 135.0) {
        return ad2kou(CalendarDate{2024, m, d, 0, 0, 0, meridian});
    };
    EXPECT_EQ(on(2, 3), 71);
    EXPECT_EQ(on(2, 4), 0 + VRN_KOU_BEGINS);
    EXPECT_EQ(on(2, 8), 0);
    EXPECT_EQ(on(2, 9), 1 + VRN_KOU_BEGINS);
    EXPECT_EQ(ad2kou(CalendarDate{1869, 12, 31, 0, 0, 0, 135.0}), -999);
    EXPECT_EQ(ad2kou(CalendarDate{2024, 2, 4, 0, 0, 0, NAN}), -999);
    EXPECT_EQ(name(kou2name(0)), name(tables::kPentadNames[0]));
    EXPECT_EQ(name(kou2yomi(71)), name(tables::kPentadReadings[71]));
    EXPECT_EQ(kou2name(72), nullptr);
    EXPECT_EQ(kou2yomi(-1), nullptr);
}

TEST(SexagenaryLore, NayinOfEachPairOfTheCycle) {
    using testsupport::toCp932;
    using vorane2::sexagenary_lore::nayinOf;
    const auto nayin = [](int32_t n) {
        return name(tables::lookupName(tables::kNayinNames, nayinOf(n)));
    };
    EXPECT_EQ(nayin(1), toCp932("海中金"));   // 甲子
    EXPECT_EQ(nayin(2), toCp932("海中金"));   // 乙丑
    EXPECT_EQ(nayin(3), toCp932("炉中火"));   // 丙寅
    EXPECT_EQ(nayin(31), toCp932("沙中金"));  // 甲午
    EXPECT_EQ(nayin(41), toCp932("覆燈火"));  // 甲辰
    EXPECT_EQ(nayin(43), toCp932("天河水"));  // 丙午
    EXPECT_EQ(nayin(59), toCp932("大海水"));  // 壬戌
    EXPECT_EQ(nayin(0), toCp932("大海水"));   // 癸亥
    EXPECT_EQ(name(eno2natin(1)), name(tables::kNayinNames[0]));
    EXPECT_EQ(name(eno2natin(0)), name(tables::kNayinNames[29]));
    EXPECT_EQ(eno2natin(60), nullptr);
    EXPECT_EQ(eno2natin(-1), nullptr);
    // Thirty distinct names, each of two pairs of the cycle.
    std::set<std::string> distinct;
    for (int32_t n = 0; n < 60; ++n) distinct.insert(nayin(n));
    EXPECT_EQ(distinct.size(), 30u);
}

TEST(SexagenaryLore, LuckyDirectionByTheYearThatBeginsAtRisshun) {
    using testsupport::toCp932;
    using namespace vorane2::sexagenary_lore;
    struct Row {
        testsupport::Ymd date;
        int32_t direction;
    };
    // 2023 癸卯 巳午, 2024 甲辰 寅卯 from 立春 (Feb 4), 2025 乙巳 申酉 from Feb 3,
    // 2026 丙午 巳午, 2027 丁未 亥子, 1984 甲子 寅卯, and early 1870 still in
    // 1869 己巳, 寅卯.
    const Row rows[] = {{{2024, 2, 3}, 2}, {{2024, 2, 4}, 0}, {{2025, 2, 2}, 0},
                        {{2025, 2, 3}, 1}, {{2026, 6, 1}, 2}, {{2027, 12, 31}, 3},
                        {{1984, 3, 1}, 0}, {{1870, 1, 1}, 0}};
    for (const Row& r : rows) {
        almanac::LocalDay day{};
        ASSERT_TRUE(almanac::localDayOf(
            CalendarDate{r.date.year, r.date.month, r.date.day, 0, 0, 0, 135.0}, day));
        EXPECT_EQ(luckyDirectionOfStem(yearStemOfDay(day)), r.direction) << r.date.year;
        EXPECT_EQ(ad2ehou(CalendarDate{r.date.year, r.date.month, r.date.day, 0, 0, 0, 135.0}),
                  r.direction);
    }
    const char* compass[] = {"東北東やや東", "西南西やや西", "南南東やや南", "北北西やや北"};
    const char* branches[] = {"寅卯の間", "申酉の間", "巳午の間", "亥子の間"};
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(name(eho2houi(i)), toCp932(compass[i]));
        EXPECT_EQ(name(eho2name(i)), toCp932(branches[i]));
        // The bearing lies midway between its two branches (every 30
        // degrees from 子 at north).
        EXPECT_EQ(kLuckyDirectionDegrees[i] % 30, 15);
        EXPECT_EQ(eho2kaku(i), kLuckyDirectionDegrees[i]);
    }
    EXPECT_EQ(eho2kaku(4), -999);
    EXPECT_EQ(eho2name(-1), nullptr);
    EXPECT_EQ(eho2houi(4), nullptr);
    EXPECT_EQ(ad2ehou(CalendarDate{2101, 1, 1, 0, 0, 0, 135.0}), -999);
}

}  // namespace
