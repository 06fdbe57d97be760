// Lookup tables of stem-and-branch divination: the ten deities between two
// stems, the void branch pair of each ten-day group, the hidden stems of a
// solar month's branch by day, and the twelve five-day zones.
// Stems are numbered 0 癸, 1 甲, 2 乙, ... 9 壬 and branches 0 亥, 1 子, ...
// 11 戌, as the sexagenary number mod 10 and mod 12.
#pragma once

#include <array>
#include <cstdint>

#include "name_table.h"

namespace vorane2::tables {

// Ten-deity names by ten-deity number.
inline constexpr std::array<const char*, 10> kTenDeityNames = {
    "\x94\xe4\x8c\xa8", /* 比肩 */
    "\x90\xb3\x8a\xaf", /* 正官 */
    "\x8f\x9d\x8a\xaf", /* 傷官 */
    "\x90\xb3\x8d\xe0", /* 正財 */
    "\x95\xce\x8d\xe0", /* 偏財 */
    "\x90\x48\x90\x5f", /* 食神 */
    "\x88\xf3\x8e\xf8", /* 印綬 */
    "\x95\xce\x8a\xaf", /* 偏官 */
    "\x95\xce\x88\xf3", /* 偏印 */
    "\x8d\x85\x8d\xe0", /* 劫財 */
};

// Ten-deity number of the other stem (column) seen from the self stem (row).
// Wood 甲乙, fire 丙丁, earth 戊己, metal 庚辛, water 壬癸; the relation of
// the two elements picks the pair of deities and the polarities pick one.
inline constexpr std::array<std::array<int8_t, 10>, 10> kTenDeities = {{
    //  癸 甲 乙 丙 丁 戊 己 庚 辛 壬
    {{0, 2, 5, 3, 4, 1, 7, 6, 8, 9}},  // 癸
    {{6, 0, 9, 5, 2, 4, 3, 7, 1, 8}},  // 甲
    {{8, 9, 0, 2, 5, 3, 4, 1, 7, 6}},  // 乙
    {{1, 8, 6, 0, 9, 5, 2, 4, 3, 7}},  // 丙
    {{7, 6, 8, 9, 0, 2, 5, 3, 4, 1}},  // 丁
    {{3, 7, 1, 8, 6, 0, 9, 5, 2, 4}},  // 戊
    {{4, 1, 7, 6, 8, 9, 0, 2, 5, 3}},  // 己
    {{2, 4, 3, 7, 1, 8, 6, 0, 9, 5}},  // 庚
    {{5, 3, 4, 1, 7, 6, 8, 9, 0, 2}},  // 辛
    {{9, 5, 2, 4, 3, 7, 1, 8, 6, 0}},  // 壬
}};

// The two branches left over ("void") by each ten-day group of the sixty
// pairs: group g holds the sexagenary numbers 10g+1 .. 10g+10 (60 for 0).
inline constexpr std::array<const char*, 6> kVoidPairNames = {
    "\x9c\xfa\x88\xe5", /* 戌亥 */
    "\x90\x5c\x93\xd1", /* 申酉 */
    "\x8c\xdf\x96\xa2", /* 午未 */
    "\x92\x43\x96\xa4", /* 辰巳 */
    "\x93\xd0\x89\x4b", /* 寅卯 */
    "\x8e\x71\x89\x4e", /* 子丑 */
};

// One run of the hidden-stem table: the stem rules the days up to and
// including lastDay (counted from 1 on the solar month's sectional term).
struct HiddenStemRun {
    int8_t lastDay;
    int8_t stem;
};

// The runs of one branch, in day order; the last used run ends on day 31.
struct HiddenStemRow {
    int8_t runCount;
    std::array<HiddenStemRun, 4> runs;
};

inline constexpr int32_t kHiddenStemLastDay = 31;

// Hidden stems by branch number. A solar month begins under a residual stem
// carried over from the month before and ends under the branch's principal
// stem; most branches pass through a middle stem on the way, 申 through two.
inline constexpr std::array<HiddenStemRow, 12> kHiddenStems = {{
    {3, {{{7, 5}, {14, 1}, {31, 9}, {0, 0}}}},   // 亥: 戊 甲 壬
    {2, {{{10, 9}, {31, 0}, {0, 0}, {0, 0}}}},   // 子: 壬 癸
    {3, {{{9, 0}, {12, 7}, {31, 6}, {0, 0}}}},   // 丑: 癸 庚 己
    {3, {{{7, 5}, {14, 3}, {31, 1}, {0, 0}}}},   // 寅: 戊 丙 甲
    {2, {{{10, 1}, {31, 2}, {0, 0}, {0, 0}}}},   // 卯: 甲 乙
    {3, {{{9, 2}, {12, 0}, {31, 5}, {0, 0}}}},   // 辰: 乙 癸 戊
    {3, {{{5, 5}, {14, 7}, {31, 3}, {0, 0}}}},   // 巳: 戊 庚 丙
    {3, {{{10, 3}, {20, 6}, {31, 4}, {0, 0}}}},  // 午: 丙 己 丁
    {3, {{{9, 4}, {12, 2}, {31, 6}, {0, 0}}}},   // 未: 丁 乙 己
    {4, {{{7, 6}, {10, 5}, {14, 9}, {31, 7}}}},  // 申: 己 戊 壬 庚
    {2, {{{10, 7}, {31, 8}, {0, 0}, {0, 0}}}},   // 酉: 庚 辛
    {3, {{{9, 8}, {12, 4}, {31, 5}, {0, 0}}}},   // 戌: 辛 丁 戊
}};

// Names of the twelve five-day zones; the letters are full-width Ａ and Ｂ.
inline constexpr std::array<const char*, 12> kZoneNames = {
    "\x95\x97\x82\x60", /* 風Ａ */
    "\x95\x97\x82\x61", /* 風Ｂ */
    "\x8c\xf5\x82\x60", /* 光Ａ */
    "\x8c\xf5\x82\x61", /* 光Ｂ */
    "\x8f\x8b\x82\x60", /* 暑Ａ */
    "\x8f\x8b\x82\x61", /* 暑Ｂ */
    "\x8e\xbc\x82\x60", /* 湿Ａ */
    "\x8e\xbc\x82\x61", /* 湿Ｂ */
    "\x91\x87\x82\x60", /* 燥Ａ */
    "\x91\x87\x82\x61", /* 燥Ｂ */
    "\x8a\xa6\x82\x60", /* 寒Ａ */
    "\x8a\xa6\x82\x61", /* 寒Ｂ */
};

}  // namespace vorane2::tables
