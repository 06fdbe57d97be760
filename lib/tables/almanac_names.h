// Names of the almanac items and of the 24 solar terms as code page 932
// bytes. Item n is bit n of an almanac item set (VRN_SETSUBUN .. VRN_KAGEN
// in vorane2.h); term n is the one that begins when the Sun's apparent
// longitude reaches 15 * n degrees, so 0 is 春分 and 21 is 立春.
#pragma once

#include "name_table.h"

namespace vorane2::tables {

inline constexpr std::array<const char*, 29> kAlmanacItemNames = {
    "\x90\xdf\x95\xaa",                                 /* 0 節分 */
    "\x94\xde\x8a\xdd\x93\xfc\x82\xe8",                 /* 1 彼岸入り */
    "\x94\xde\x8a\xdd\x96\xbe\x82\xaf",                 /* 2 彼岸明け */
    "\x8e\xd0\x93\xfa",                                 /* 3 社日 */
    "\x94\xaa\x8f\x5c\x94\xaa\x96\xe9",                 /* 4 八十八夜 */
    "\x93\xfc\x94\x7e",                                 /* 5 入梅 */
    "\x94\xbc\x89\xc4\x90\xb6",                         /* 6 半夏生 */
    "\x93\x79\x97\x70\x93\xfc\x82\xe8",                 /* 7 土用入り */
    "\x93\x79\x97\x70\x82\xcc\x89\x4e\x82\xcc\x93\xfa", /* 8 土用の丑の日 */
    "\x93\xf1\x95\x53\x8f\x5c\x93\xfa",                 /* 9 二百十日 */
    "\x93\xf1\x95\x53\x93\xf1\x8f\x5c\x93\xfa",         /* 10 二百二十日 */
    "\x88\xea\x97\xb1\x96\x9c\x94\x7b\x93\xfa",         /* 11 一粒万倍日 */
    "\x93\x56\x8e\xcd\x93\xfa",                         /* 12 天赦日 */
    "\x91\xe5\x96\xbe\x93\xfa",                         /* 13 大明日 */
    "\x95\xea\x91\x71\x93\xfa",                         /* 14 母倉日 */
    "\x93\xd0\x82\xcc\x93\xfa",                         /* 15 寅の日 */
    "\x96\xa4\x82\xcc\x93\xfa",                         /* 16 巳の日 */
    "\x8c\xc8\x96\xa4\x82\xcc\x93\xfa",                 /* 17 己巳の日 */
    "\x8d\x62\x8e\x71\x82\xcc\x93\xfa",                 /* 18 甲子の日 */
    "\x93\x56\x88\xea\x93\x56\x8f\xe3",                 /* 19 天一天上 */
    "\x94\xaa\x90\xea",                                 /* 20 八専 */
    "\x8f\x5c\x95\xfb\x95\xe9",                         /* 21 十方暮 */
    "\x8e\x4f\x97\xd7\x96\x53",                         /* 22 三隣亡 */
    "\x95\x73\x90\xac\x8f\x41\x93\xfa",                 /* 23 不成就日 */
    "\x8e\xf3\x8e\x80\x93\xfa",                         /* 24 受死日 */
    "\x90\x56\x8c\x8e",                                 /* 25 新月 */
    "\x8f\xe3\x8c\xb7",                                 /* 26 上弦 */
    "\x96\x9e\x8c\x8e",                                 /* 27 満月 */
    "\x89\xba\x8c\xb7",                                 /* 28 下弦 */
};

inline constexpr std::array<const char*, 24> kSolarTermNames = {
    "\x8f\x74\x95\xaa", /* 0 春分 */
    "\x90\xb4\x96\xbe", /* 1 清明 */
    "\x8d\x92\x89\x4a", /* 2 穀雨 */
    "\x97\xa7\x89\xc4", /* 3 立夏 */
    "\x8f\xac\x96\x9e", /* 4 小満 */
    "\xe4\x8a\x8e\xed", /* 5 芒種 */
    "\x89\xc4\x8e\x8a", /* 6 夏至 */
    "\x8f\xac\x8f\x8b", /* 7 小暑 */
    "\x91\xe5\x8f\x8b", /* 8 大暑 */
    "\x97\xa7\x8f\x48", /* 9 立秋 */
    "\x8f\x88\x8f\x8b", /* 10 処暑 */
    "\x94\x92\x98\x49", /* 11 白露 */
    "\x8f\x48\x95\xaa", /* 12 秋分 */
    "\x8a\xa6\x98\x49", /* 13 寒露 */
    "\x91\x9a\x8d\x7e", /* 14 霜降 */
    "\x97\xa7\x93\x7e", /* 15 立冬 */
    "\x8f\xac\x90\xe1", /* 16 小雪 */
    "\x91\xe5\x90\xe1", /* 17 大雪 */
    "\x93\x7e\x8e\x8a", /* 18 冬至 */
    "\x8f\xac\x8a\xa6", /* 19 小寒 */
    "\x91\xe5\x8a\xa6", /* 20 大寒 */
    "\x97\xa7\x8f\x74", /* 21 立春 */
    "\x89\x4a\x90\x85", /* 22 雨水 */
    "\x8c\x5b\xe5\xad", /* 23 啓蟄 */
};

// The twelve 直 of the middle row, 0 建 .. 11 閉 (ad2cyoku).
inline constexpr std::array<const char*, 12> kChokuNames = {
    "\x8c\x9a", /* 0 建 */
    "\x8f\x9c", /* 1 除 */
    "\x96\x9e", /* 2 満 */
    "\x95\xbd", /* 3 平 */
    "\x92\xe8", /* 4 定 */
    "\x8e\xb7", /* 5 執 */
    "\x94\x6a", /* 6 破 */
    "\x8a\xeb", /* 7 危 */
    "\x90\xac", /* 8 成 */
    "\x94\x5b", /* 9 納 */
    "\x8a\x4a", /* 10 開 */
    "\x95\xc2", /* 11 閉 */
};

// The lower-row items, item n being bit n of a lower-row set (VRN_TENON ..
// VRN_METSUMON).
inline constexpr std::array<const char*, 17> kLowerRowItemNames = {
    "\x93\x56\x89\xb6\x93\xfa", /* 0 天恩日 */
    "\x90\x5f\x8b\x67\x93\xfa", /* 1 神吉日 */
    "\x8b\x53\x8f\x68\x93\xfa", /* 2 鬼宿日 */
    "\x8c\x8e\x93\xbf\x93\xfa", /* 3 月徳日 */
    "\x8f\x5c\x8e\x80\x93\xfa", /* 4 十死日 */
    "\x8c\xdc\x95\xe6\x93\xfa", /* 5 五墓日 */
    "\x8b\x41\x8a\xf5\x93\xfa", /* 6 帰忌日 */
    "\x8c\x8c\x8a\xf5\x93\xfa", /* 7 血忌日 */
    "\x93\x56\x89\xce\x93\xfa", /* 8 天火日 */
    "\x92\x6e\x89\xce\x93\xfa", /* 9 地火日 */
    "\x8b\xa5\x89\xef\x93\xfa", /* 10 凶会日 */
    "\x89\x9d\x96\x53\x93\xfa", /* 11 往亡日 */
    "\x8f\x64\x93\xfa",         /* 12 重日 */
    "\x95\x9c\x93\xfa",         /* 13 復日 */
    "\x91\xe5\x89\xd0\x93\xfa", /* 14 大禍日 */
    "\x98\x54\xe5\x53\x93\xfa", /* 15 狼藉日 */
    "\x96\xc5\x96\xe5\x93\xfa", /* 16 滅門日 */
};

}  // namespace vorane2::tables
