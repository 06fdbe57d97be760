// The almanac mode and the days' tooltips of tenvo.exe, as the driver
// checks them.
#pragma once

// windows.h first: the other Win32 headers need its types.
// clang-format off
#include <windows.h>
// clang-format on

#include <cstdint>
#include <string>

#include "program_control.h"

namespace tenvo_test {

// The tooltip window of the program, or null.
HWND dayTipsOf(const Program& program);

// Points at the day of the shown month and waits until the tooltip shows
// `expected`; gives the Shift-JIS text shown last ("" for none).
std::string tipShownFor(const Program& program, HWND tips, int32_t year, int32_t month, int32_t day,
                        const std::string& expected);

// The tip of a day: its whole lore as tenvo-term --day lays it out, in
// Shift-JIS with CR LF between lines, headed by its holiday's name when
// `holidayHeading`; `solstice`: with the lunar months numbered from 冬至.
std::string expectedDayTip(int32_t year, int32_t month, int32_t day, bool holidayHeading,
                           bool solstice = false);

// Choosing "&K暦注" (calmode=6) and "&J十二直" (calmode=7), their check
// marks, restarts and an out-of-range mode, and the days' tooltips (with
// their 十二直 and 下段 lines) with and without the holidays by law and the
// month rule.
void almanacScenario(const char* programPath);

}  // namespace tenvo_test
