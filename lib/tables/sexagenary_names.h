// Names of the sexagenary cycle as code page 932 bytes: the sixty pairs
// (index 0 is the sixtieth pair 癸亥, 1 is 甲子), the ten heavenly stems
// (0 is 癸) and the twelve earthly branches (0 is 亥). Each pair name is its
// stem name (n mod 10) followed by its branch name (n mod 12).
#pragma once

#include "name_table.h"

namespace vorane2::tables {

inline constexpr std::array<const char*, 60> kSexagenaryNames = {
    "\xe1\xa1\x88\xe5", /*  0 癸亥 */
    "\x8d\x62\x8e\x71", /*  1 甲子 */
    "\x89\xb3\x89\x4e", /*  2 乙丑 */
    "\x95\xb8\x93\xd0", /*  3 丙寅 */
    "\x92\x9a\x89\x4b", /*  4 丁卯 */
    "\x95\xe8\x92\x43", /*  5 戊辰 */
    "\x8c\xc8\x96\xa4", /*  6 己巳 */
    "\x8d\x4d\x8c\xdf", /*  7 庚午 */
    "\x90\x68\x96\xa2", /*  8 辛未 */
    "\x90\x70\x90\x5c", /*  9 壬申 */
    "\xe1\xa1\x93\xd1", /* 10 癸酉 */
    "\x8d\x62\x9c\xfa", /* 11 甲戌 */
    "\x89\xb3\x88\xe5", /* 12 乙亥 */
    "\x95\xb8\x8e\x71", /* 13 丙子 */
    "\x92\x9a\x89\x4e", /* 14 丁丑 */
    "\x95\xe8\x93\xd0", /* 15 戊寅 */
    "\x8c\xc8\x89\x4b", /* 16 己卯 */
    "\x8d\x4d\x92\x43", /* 17 庚辰 */
    "\x90\x68\x96\xa4", /* 18 辛巳 */
    "\x90\x70\x8c\xdf", /* 19 壬午 */
    "\xe1\xa1\x96\xa2", /* 20 癸未 */
    "\x8d\x62\x90\x5c", /* 21 甲申 */
    "\x89\xb3\x93\xd1", /* 22 乙酉 */
    "\x95\xb8\x9c\xfa", /* 23 丙戌 */
    "\x92\x9a\x88\xe5", /* 24 丁亥 */
    "\x95\xe8\x8e\x71", /* 25 戊子 */
    "\x8c\xc8\x89\x4e", /* 26 己丑 */
    "\x8d\x4d\x93\xd0", /* 27 庚寅 */
    "\x90\x68\x89\x4b", /* 28 辛卯 */
    "\x90\x70\x92\x43", /* 29 壬辰 */
    "\xe1\xa1\x96\xa4", /* 30 癸巳 */
    "\x8d\x62\x8c\xdf", /* 31 甲午 */
    "\x89\xb3\x96\xa2", /* 32 乙未 */
    "\x95\xb8\x90\x5c", /* 33 丙申 */
    "\x92\x9a\x93\xd1", /* 34 丁酉 */
    "\x95\xe8\x9c\xfa", /* 35 戊戌 */
    "\x8c\xc8\x88\xe5", /* 36 己亥 */
    "\x8d\x4d\x8e\x71", /* 37 庚子 */
    "\x90\x68\x89\x4e", /* 38 辛丑 */
    "\x90\x70\x93\xd0", /* 39 壬寅 */
    "\xe1\xa1\x89\x4b", /* 40 癸卯 */
    "\x8d\x62\x92\x43", /* 41 甲辰 */
    "\x89\xb3\x96\xa4", /* 42 乙巳 */
    "\x95\xb8\x8c\xdf", /* 43 丙午 */
    "\x92\x9a\x96\xa2", /* 44 丁未 */
    "\x95\xe8\x90\x5c", /* 45 戊申 */
    "\x8c\xc8\x93\xd1", /* 46 己酉 */
    "\x8d\x4d\x9c\xfa", /* 47 庚戌 */
    "\x90\x68\x88\xe5", /* 48 辛亥 */
    "\x90\x70\x8e\x71", /* 49 壬子 */
    "\xe1\xa1\x89\x4e", /* 50 癸丑 */
    "\x8d\x62\x93\xd0", /* 51 甲寅 */
    "\x89\xb3\x89\x4b", /* 52 乙卯 */
    "\x95\xb8\x92\x43", /* 53 丙辰 */
    "\x92\x9a\x96\xa4", /* 54 丁巳 */
    "\x95\xe8\x8c\xdf", /* 55 戊午 */
    "\x8c\xc8\x96\xa2", /* 56 己未 */
    "\x8d\x4d\x90\x5c", /* 57 庚申 */
    "\x90\x68\x93\xd1", /* 58 辛酉 */
    "\x90\x70\x9c\xfa", /* 59 壬戌 */
};

inline constexpr std::array<const char*, 10> kStemNames = {
    "\xe1\xa1", /* 0 癸 */
    "\x8d\x62", /* 1 甲 */
    "\x89\xb3", /* 2 乙 */
    "\x95\xb8", /* 3 丙 */
    "\x92\x9a", /* 4 丁 */
    "\x95\xe8", /* 5 戊 */
    "\x8c\xc8", /* 6 己 */
    "\x8d\x4d", /* 7 庚 */
    "\x90\x68", /* 8 辛 */
    "\x90\x70", /* 9 壬 */
};

inline constexpr std::array<const char*, 12> kBranchNames = {
    "\x88\xe5", /*  0 亥 */
    "\x8e\x71", /*  1 子 */
    "\x89\x4e", /*  2 丑 */
    "\x93\xd0", /*  3 寅 */
    "\x89\x4b", /*  4 卯 */
    "\x92\x43", /*  5 辰 */
    "\x96\xa4", /*  6 巳 */
    "\x8c\xdf", /*  7 午 */
    "\x96\xa2", /*  8 未 */
    "\x90\x5c", /*  9 申 */
    "\x93\xd1", /* 10 酉 */
    "\x9c\xfa", /* 11 戌 */
};

}  // namespace vorane2::tables
