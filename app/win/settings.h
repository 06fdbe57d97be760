// The settings file "MIVARO.INI": the calendar mode and the font. It is
// named without a directory, so the profile service keeps it in the
// Windows folder. It is read once at window creation and written only when
// the user answers OK to a save question.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tenvo {

inline constexpr char kSettingsFile[] = "MIVARO.INI";

struct Settings {
    int32_t calendarMode;  // any value; codes outside 0..8 annotate nothing
    bool solsticeRule;     // "monthrule" 1: lunar months numbered from 冬至
    int32_t holidayRule;   // "holidays": 1 the holidays by law; any other value the fixed table
    LOGFONTA font;         // height, weight, italic, Shift-JIS, face; rest 0
};

// The settings, with the defaults for what is absent: mode 0, height -17,
// weight 400, not italic, "ＭＳ明朝". Whatever the file holds, the result is
// a well-formed description: the face name is NUL-terminated within its 32
// bytes and the italic flag is the low byte of the stored number.
Settings readSettings();

void writeCalendarMode(int32_t mode);

// "monthrule" in "CalData": 1 numbers the lunar months from the winter
// solstice; absent or any other value keeps the default numbering.
void writeMonthRule(bool solstice);

// Writes "holidays" in "CalData": 1 for the holidays by law, 0 for the fixed
// table. Absent, the program keeps the fixed table.
void writeHolidayRule(int32_t rule);

// Writes height, weight, italic (as its unsigned byte value) and the face
// name, in this order.
void writeFontSettings(const LOGFONTA& font);

}  // namespace tenvo
