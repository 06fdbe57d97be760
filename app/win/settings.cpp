#include "settings.h"

#include <cstdio>

#include "window_logic.h"

namespace tenvo {

namespace {

constexpr char kCalendarSection[] = "CalData";
constexpr char kFontSection[] = "FontData";
constexpr char kMonthRuleKey[] = "monthrule";
constexpr char kDefaultFace[] = "\x82\x6c\x82\x72\x96\xbe\x92\xa9" /* ＭＳ明朝 */;

// GetPrivateProfileIntA gives the stored decimal as an unsigned value;
// negative settings come back as their two's-complement bit pattern.
int32_t readInt(const char* section, const char* key, int32_t fallback) {
    UINT raw = GetPrivateProfileIntA(section, key, fallback, kSettingsFile);
    return static_cast<int32_t>(raw);
}

void writeInt(const char* section, const char* key, long value) {
    char text[16];
    std::snprintf(text, sizeof text, "%ld", value);
    WritePrivateProfileStringA(section, key, text, kSettingsFile);
}

}  // namespace

Settings readSettings() {
    Settings settings{};
    settings.calendarMode = readInt(kCalendarSection, "calmode", 0);
    settings.solsticeRule = readInt(kCalendarSection, kMonthRuleKey, 0) == 1;
    settings.holidayRule = readInt(kCalendarSection, "holidays", 0);

    LOGFONTA& font = settings.font;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfHeight = readInt(kFontSection, "lfHeight", -17);
    font.lfWidth = 0;
    font.lfWeight = readInt(kFontSection, "lfWeight", 400);
    font.lfItalic = static_cast<BYTE>(readInt(kFontSection, "lfItalic", 0) & 0xff);
    // At most 31 bytes and the terminator; a character cut in two at the
    // end is dropped rather than left as a stray lead byte.
    GetPrivateProfileStringA(kFontSection, "lfFaceName", kDefaultFace, font.lfFaceName,
                             sizeof font.lfFaceName, kSettingsFile);
    font.lfFaceName[sizeof font.lfFaceName - 1] = '\0';
    dropIncompleteShiftJis(font.lfFaceName);
    return settings;
}

void writeCalendarMode(int32_t mode) { writeInt(kCalendarSection, "calmode", mode); }

void writeMonthRule(bool solstice) { writeInt(kCalendarSection, kMonthRuleKey, solstice ? 1 : 0); }
void writeHolidayRule(int32_t rule) { writeInt(kCalendarSection, "holidays", rule); }

void writeFontSettings(const LOGFONTA& font) {
    writeInt(kFontSection, "lfHeight", font.lfHeight);
    writeInt(kFontSection, "lfWeight", font.lfWeight);
    writeInt(kFontSection, "lfItalic", static_cast<long>(font.lfItalic));
    // The face field need not be terminated: copy at most 31 bytes.
    char face[sizeof font.lfFaceName];
    size_t n = 0;
    for (; n + 1 < sizeof face && font.lfFaceName[n] != '\0'; ++n) face[n] = font.lfFaceName[n];
    face[n] = '\0';
    WritePrivateProfileStringA(kFontSection, "lfFaceName", face, kSettingsFile);
}

}  // namespace tenvo
