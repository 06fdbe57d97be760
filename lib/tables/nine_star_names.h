// Names of the nine stars as code page 932 bytes. Star 0 is the ninth star
// 九紫; 1 is 一白 .. 8 is 八白. Exactly nine entries.
#pragma once

#include "name_table.h"

namespace vorane2::tables {

inline constexpr std::array<const char*, 9> kNineStarNames = {
    "\x8b\xe3\x8e\x87", /* 0 九紫 */
    "\x88\xea\x94\x92", /* 1 一白 */
    "\x93\xf1\x8d\x95", /* 2 二黒 */
    "\x8e\x4f\x95\xc9", /* 3 三碧 */
    "\x8e\x6c\x97\xce", /* 4 四緑 */
    "\x8c\xdc\x89\xa9", /* 5 五黄 */
    "\x98\x5a\x94\x92", /* 6 六白 */
    "\x8e\xb5\x90\xd4", /* 7 七赤 */
    "\x94\xaa\x94\x92", /* 8 八白 */
};

}  // namespace vorane2::tables
