#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "support/sjis.h"
#include "tables/divination_tables.h"
#include "vorane2.h"

namespace {

using testsupport::toCp932;

std::string nameOf(const char* p) { return p == nullptr ? std::string("<null>") : std::string(p); }

// Ten-deity numbers as the names list them.
enum Deity : int32_t {
    kHiken = 0,   // 比肩
    kSeikan = 1,  // 正官
    kShokan = 2,  // 傷官
    kSeizai = 3,  // 正財
    kHenzai = 4,  // 偏財
    kShokushin = 5,
    kInju = 6,
    kHenkan = 7,
    kHenin = 8,
    kGouzai = 9,
};

// Element of a stem: 0 wood (甲乙), 1 fire (丙丁), 2 earth (戊己), 3 metal
// (庚辛), 4 water (壬癸). Stem 0 is 癸, so the numbering is shifted by one.
int elementOf(int stem) { return ((stem + 9) % 10) / 2; }
bool isYang(int stem) { return stem % 2 == 1; }  // 甲丙戊庚壬

// The deity of `other` seen from `self` by the generating and controlling
// cycles of the five elements, independent of the library's table.
int32_t deityByElements(int other, int self) {
    const bool same = isYang(other) == isYang(self);
    switch ((elementOf(other) - elementOf(self) + 5) % 5) {
        case 0:  // same element
            return same ? kHiken : kGouzai;
        case 1:  // self generates other
            return same ? kShokushin : kShokan;
        case 2:  // self controls other
            return same ? kHenzai : kSeizai;
        case 3:  // other controls self
            return same ? kHenkan : kSeikan;
        default:  // other generates self
            return same ? kHenin : kInju;
    }
}

}  // namespace

TEST(TenDeities, NamesMatchTheirText) {
    const std::array<const char*, 10> expected = {"比肩", "正官", "傷官", "正財", "偏財",
                                                  "食神", "印綬", "偏官", "偏印", "劫財"};
    for (int32_t i = 0; i < 10; ++i) {
        EXPECT_EQ(nameOf(hno2name(i)), toCp932(expected[static_cast<size_t>(i)])) << i;
    }
}

TEST(TenDeities, EveryPairFollowsTheFiveElements) {
    for (int self = 0; self < 10; ++self) {
        for (int other = 0; other < 10; ++other) {
            EXPECT_EQ(e102hen(other, self), deityByElements(other, self))
                << "other " << other << " self " << self;
        }
    }
}

TEST(TenDeities, OtherStemComesFirst) {
    EXPECT_EQ(e102hen(3, 1), kShokushin);  // 丙 seen from 甲
    EXPECT_EQ(e102hen(1, 1), kHiken);
    EXPECT_EQ(e102hen(1, 3), kHenin);  // 甲 seen from 丙
    EXPECT_EQ(nameOf(hno2name(e102hen(3, 1))), toCp932("食神"));
}

TEST(TenDeities, EachRowHoldsEveryDeityOnce) {
    for (int32_t self = 0; self < 10; ++self) {
        std::array<int, 10> seen{};
        for (int32_t other = 0; other < 10; ++other) {
            const int32_t d = e102hen(other, self);
            ASSERT_GE(d, 0);
            ASSERT_LE(d, 9);
            ++seen[static_cast<size_t>(d)];
        }
        for (int count : seen) EXPECT_EQ(count, 1) << "self " << self;
    }
}

TEST(TenDeities, OutOfRangeGivesNoResult) {
    for (int32_t bad : {-1, 10, 11, INT_MIN, INT_MAX}) {
        EXPECT_EQ(e102hen(bad, 1), -1) << bad;
        EXPECT_EQ(e102hen(1, bad), -1) << bad;
        EXPECT_EQ(hno2name(bad), nullptr) << bad;
    }
    EXPECT_EQ(e102hen(-1, -1), -1);
}

TEST(VoidPairs, NamesByTenDayGroup) {
    const std::array<const char*, 6> expected = {"戌亥", "申酉", "午未", "辰巳", "寅卯", "子丑"};
    for (int32_t n = 1; n <= 60; ++n) {
        const int32_t group = (n - 1) / 10;
        EXPECT_EQ(nameOf(eto2kubo(n % 60)), toCp932(expected[static_cast<size_t>(group)])) << n;
    }
}

TEST(VoidPairs, GroupBoundaries) {
    EXPECT_EQ(nameOf(eto2kubo(1)), toCp932("戌亥"));   // 甲子
    EXPECT_EQ(nameOf(eto2kubo(10)), toCp932("戌亥"));  // 癸酉
    EXPECT_EQ(nameOf(eto2kubo(11)), toCp932("申酉"));  // 甲戌
    EXPECT_EQ(nameOf(eto2kubo(50)), toCp932("寅卯"));  // 癸丑
    EXPECT_EQ(nameOf(eto2kubo(51)), toCp932("子丑"));  // 甲寅
    EXPECT_EQ(nameOf(eto2kubo(0)), toCp932("子丑"));   // 癸亥
    EXPECT_EQ(eto2kubo(60), eto2kubo(0));
}

TEST(VoidPairs, VoidBranchesAreTheTwoAfterTheGroup) {
    // A ten-day group starting on 甲 with branch b leaves out the two
    // branches b+10 and b+11; check the names against the branch list.
    const std::array<const char*, 12> branches = {"亥", "子", "丑", "寅", "卯", "辰",
                                                  "巳", "午", "未", "申", "酉", "戌"};
    for (int32_t g = 0; g < 6; ++g) {
        const int32_t first = 10 * g + 1;
        const int32_t b = first % 12;
        const std::string pair = std::string(branches[static_cast<size_t>((b + 10) % 12)]) +
                                 branches[static_cast<size_t>((b + 11) % 12)];
        EXPECT_EQ(nameOf(eto2kubo(first)), toCp932(pair)) << g;
    }
}

TEST(VoidPairs, OutOfRangeGivesNull) {
    for (int32_t bad : {-1, -60, 61, 120, INT_MIN, INT_MAX}) {
        EXPECT_EQ(eto2kubo(bad), nullptr) << bad;
    }
}

TEST(HiddenStems, RunsByBranchAndDay) {
    struct Run {
        int32_t branch, firstDay, lastDay, stem;
    };
    const std::vector<Run> runs = {
        {0, 1, 7, 5},    {0, 8, 14, 1},  {0, 15, 31, 9},  {1, 1, 10, 9},   {1, 11, 31, 0},
        {2, 1, 9, 0},    {2, 10, 12, 7}, {2, 13, 31, 6},  {3, 1, 7, 5},    {3, 8, 14, 3},
        {3, 15, 31, 1},  {4, 1, 10, 1},  {4, 11, 31, 2},  {5, 1, 9, 2},    {5, 10, 12, 0},
        {5, 13, 31, 5},  {6, 1, 5, 5},   {6, 6, 14, 7},   {6, 15, 31, 3},  {7, 1, 10, 3},
        {7, 11, 20, 6},  {7, 21, 31, 4}, {8, 1, 9, 4},    {8, 10, 12, 2},  {8, 13, 31, 6},
        {9, 1, 7, 6},    {9, 8, 10, 5},  {9, 11, 14, 9},  {9, 15, 31, 7},  {10, 1, 10, 7},
        {10, 11, 31, 8}, {11, 1, 9, 8},  {11, 10, 12, 4}, {11, 13, 31, 5},
    };
    std::array<std::array<int, 32>, 12> covered{};
    for (const Run& r : runs) {
        for (int32_t day = r.firstDay; day <= r.lastDay; ++day) {
            EXPECT_EQ(zoukan(day, r.branch), r.stem) << "branch " << r.branch << " day " << day;
            ++covered[static_cast<size_t>(r.branch)][static_cast<size_t>(day)];
        }
    }
    for (size_t b = 0; b < 12; ++b) {
        for (size_t day = 1; day <= 31; ++day) EXPECT_EQ(covered[b][day], 1) << b << " " << day;
    }
}

TEST(HiddenStems, TableShape) {
    namespace t = vorane2::tables;
    for (size_t b = 0; b < 12; ++b) {
        const t::HiddenStemRow& row = t::kHiddenStems[b];
        ASSERT_GE(row.runCount, 2) << b;
        ASSERT_LE(row.runCount, 4) << b;
        EXPECT_EQ(row.runs[static_cast<size_t>(row.runCount - 1)].lastDay, 31) << b;
        for (size_t i = 1; i < static_cast<size_t>(row.runCount); ++i) {
            EXPECT_LT(row.runs[i - 1].lastDay, row.runs[i].lastDay) << b;
        }
        // Only 申 (9) has four runs.
        EXPECT_EQ(row.runCount == 4, b == 9) << b;
    }
    // The middle run of 丑 is 庚 (7), not 辛.
    EXPECT_EQ(t::kHiddenStems[2].runCount, 3);
    EXPECT_EQ(t::kHiddenStems[2].runs[1].stem, 7);
    EXPECT_EQ(t::kHiddenStems[2].runs[1].lastDay, 12);
}

TEST(HiddenStems, MonthEndsUnderTheBranchsPrincipalStem) {
    // Water 亥子 end in 壬癸, wood 寅卯 in 甲乙, fire 巳午 in 丙丁, metal
    // 申酉 in 庚辛; the earth branches end in 戊 (辰戌) or 己 (丑未).
    const std::array<int32_t, 12> principal = {9, 0, 6, 1, 2, 5, 3, 4, 6, 7, 8, 5};
    for (int32_t b = 0; b < 12; ++b) {
        EXPECT_EQ(zoukan(31, b), principal[static_cast<size_t>(b)]) << b;
        EXPECT_EQ(zoukan(21, b), principal[static_cast<size_t>(b)]) << b;
    }
}

TEST(HiddenStems, RunBoundaries) {
    EXPECT_EQ(zoukan(1, 3), 5);    // 寅 day 1: 戊
    EXPECT_EQ(zoukan(15, 3), 1);   // 寅 day 15: 甲
    EXPECT_EQ(zoukan(14, 3), 3);   // 寅 day 14: 丙
    EXPECT_EQ(zoukan(31, 11), 5);  // 戌 day 31: 戊
    EXPECT_EQ(zoukan(12, 2), 7);   // 丑 day 12: 庚
    EXPECT_EQ(zoukan(13, 2), 6);   // 丑 day 13: 己
    EXPECT_EQ(zoukan(10, 9), 5);   // 申 day 10: 戊
    EXPECT_EQ(zoukan(11, 9), 9);   // 申 day 11: 壬
}

TEST(HiddenStems, OutOfRangeGivesNoResult) {
    for (int32_t bad : {0, -1, 32, INT_MIN, INT_MAX}) EXPECT_EQ(zoukan(bad, 3), -1) << bad;
    for (int32_t bad : {-1, 12, INT_MIN, INT_MAX}) EXPECT_EQ(zoukan(1, bad), -1) << bad;
}

TEST(Zones, NamesMatchTheirText) {
    const std::array<const char*, 12> expected = {"風Ａ", "風Ｂ", "光Ａ", "光Ｂ", "暑Ａ", "暑Ｂ",
                                                  "湿Ａ", "湿Ｂ", "燥Ａ", "燥Ｂ", "寒Ａ", "寒Ｂ"};
    for (int32_t z = 0; z < 12; ++z) {
        EXPECT_EQ(nameOf(zno2name(z)), toCp932(expected[static_cast<size_t>(z)])) << z;
    }
    // The letters are the full-width capitals, not ASCII.
    EXPECT_EQ(nameOf(zno2name(0)).substr(2), std::string("\x82\x60"));
    EXPECT_EQ(nameOf(zno2name(11)).substr(2), std::string("\x82\x61"));
}

TEST(Zones, FivePairsPerZone) {
    EXPECT_EQ(eto2zone(1), 0);
    EXPECT_EQ(eto2zone(5), 0);
    EXPECT_EQ(eto2zone(6), 1);
    EXPECT_EQ(eto2zone(55), 10);
    EXPECT_EQ(eto2zone(56), 11);
    EXPECT_EQ(eto2zone(59), 11);
    EXPECT_EQ(eto2zone(0), 11);  // 癸亥 is the sixtieth pair
    EXPECT_EQ(eto2zone(60), 11);
    std::array<int, 12> size{};
    for (int32_t n = 0; n < 60; ++n) {
        const int32_t z = eto2zone(n);
        ASSERT_GE(z, 0) << n;
        ASSERT_LE(z, 11) << n;
        ++size[static_cast<size_t>(z)];
    }
    for (int count : size) EXPECT_EQ(count, 5);
}

TEST(Zones, OutOfRangeGivesNoResult) {
    for (int32_t bad : {-1, -5, 61, INT_MIN, INT_MAX}) EXPECT_EQ(eto2zone(bad), -1) << bad;
    for (int32_t bad : {-1, 12, INT_MIN, INT_MAX}) EXPECT_EQ(zno2name(bad), nullptr) << bad;
}

TEST(ZoneMessages, OneNumberPerOrderedPair) {
    EXPECT_EQ(zone2msg(0, 0), 0);
    EXPECT_EQ(zone2msg(0, 11), 11);
    EXPECT_EQ(zone2msg(1, 0), 12);
    EXPECT_EQ(zone2msg(11, 11), 143);
    std::array<int, 144> seen{};
    for (int32_t a = 0; a < 12; ++a) {
        for (int32_t b = 0; b < 12; ++b) {
            const int32_t m = zone2msg(a, b);
            ASSERT_GE(m, 0);
            ASSERT_LE(m, 143);
            ++seen[static_cast<size_t>(m)];
        }
    }
    for (int count : seen) EXPECT_EQ(count, 1);
}

TEST(ZoneMessages, OutOfRangeGivesNoResult) {
    for (int32_t bad : {-1, 12, INT_MIN, INT_MAX}) {
        EXPECT_EQ(zone2msg(bad, 0), -1) << bad;
        EXPECT_EQ(zone2msg(0, bad), -1) << bad;
    }
}
