// Weekday names, Sunday first, as code page 932 bytes.
#pragma once

#include "name_table.h"

namespace vorane2::tables {

inline constexpr std::array<const char*, 7> kWeekdayNames = {
    "\x93\xfa", /* 日 */
    "\x8c\x8e", /* 月 */
    "\x89\xce", /* 火 */
    "\x90\x85", /* 水 */
    "\x96\xd8", /* 木 */
    "\x8b\xe0", /* 金 */
    "\x93\x79", /* 土 */
};

}  // namespace vorane2::tables
