#include "day_lore.h"

#include "civil_days.h"
#include "text_encoding.h"

namespace tenvo {

namespace {

constexpr int32_t kNoLunisolarDate = -999;
constexpr double kJapanMeridian = 135.0;

// A name the library answers, or "" where it has none.
std::string nameOr(const char* name) { return name == nullptr ? std::string() : name; }

std::string number(int32_t value) { return std::to_string(value); }

}  // namespace

DayLore composeDayLore(const LibraryBinding& library, int32_t year, int32_t month, int32_t day) {
    DayLore lore;
    if (year < kLoreFirstYear || year > kLoreLastYear || day < 1 ||
        day > daysInMonth(year, month)) {
        return lore;
    }
    lore.valid = true;
    lore.year = year;
    lore.month = month;
    lore.day = day;
    const CalendarDate date{year, month, day, 0.0, 0.0, 0.0, kJapanMeridian};

    lore.weekday = library.ad2youbi(date);
    lore.lunisolar = library.adto9rekL(date);
    if (lore.lunisolar.year != kNoLunisolarDate) {
        lore.sixDay = library.ad26youL(date);
        lore.mansion27 = library.adto27L(date);
    }
    // The lunisolar year 1870 begins on 1870-02-01, the first day with a
    // lunisolar date: the January before it lies in the lunisolar year 1869.
    const int32_t lunisolarYear =
        lore.lunisolar.year != kNoLunisolarDate ? lore.lunisolar.year : year - 1;
    lore.era = eraOf(year, month, day, lunisolarYear);

    lore.yearPair = library.ad2neto(date);
    lore.monthPair = library.ad2teto(date);
    lore.dayPair = library.ad2heto(date);
    lore.yearStar = library.ad2nkyusei(date);
    lore.monthStar = library.ad2tkyusei(date);
    lore.dayStar = library.ad2hkyusei(date);
    lore.mansion28 = library.adto28(date);
    lore.holiday = lawHolidayOn(year, month, day);
    return lore;
}

std::vector<LoreLine> dayLoreLines(const DayLore& lore, const LibraryBinding& library,
                                   TextEncoding encoding) {
    std::vector<LoreLine> lines;
    if (!lore.valid) return lines;
    constexpr char kYear[] = "\x94\x4e";   // 年
    constexpr char kMonth[] = "\x8c\x8e";  // 月
    constexpr char kDay[] = "\x93\xfa";    // 日
    const auto add = [&](const char* label, const std::string& value) {
        if (!value.empty()) lines.push_back({label, value});
    };

    add("\x93\xfa\x95\x74" /* 日付 */,
        number(lore.year) + kYear + number(lore.month) + kMonth + number(lore.day) + kDay);
    add("\x98\x61\x97\xef" /* 和暦 */, eraDateShiftJis(lore.era, lore.month, lore.day));
    add("\x97\x6a\x93\xfa" /* 曜日 */,
        nameOr(library.yno2name(lore.weekday)) + "\x97\x6a\x93\xfa" /* 曜日 */);
    if (lore.lunisolar.year != kNoLunisolarDate) {
        add("\x8b\x8c\x97\xef" /* 旧暦 */,
            number(lore.lunisolar.year) + kYear + (lore.lunisolar.leap == 'Y' ? "\x89\x5b" : "") +
                number(lore.lunisolar.month) + kMonth + number(lore.lunisolar.day) + kDay);
        add("\x98\x5a\x97\x6a" /* 六曜 */, nameOr(library.rno2name(lore.sixDay)));
    }
    add("\x94\x4e\x82\xcc\x8a\xb1\x8e\x78" /* 年の干支 */, nameOr(library.eno2name(lore.yearPair)));
    add("\x8c\x8e\x82\xcc\x8a\xb1\x8e\x78" /* 月の干支 */,
        nameOr(library.eno2name(lore.monthPair)));
    add("\x93\xfa\x82\xcc\x8a\xb1\x8e\x78" /* 日の干支 */, nameOr(library.eno2name(lore.dayPair)));
    add("\x94\x4e\x82\xcc\x8b\xe3\x90\xaf" /* 年の九星 */, nameOr(library.kno2name(lore.yearStar)));
    add("\x8c\x8e\x82\xcc\x8b\xe3\x90\xaf" /* 月の九星 */,
        nameOr(library.kno2name(lore.monthStar)));
    add("\x93\xfa\x82\xcc\x8b\xe3\x90\xaf" /* 日の九星 */, nameOr(library.kno2name(lore.dayStar)));
    if (const char* name = library.A27toname(lore.mansion27)) {
        add("\x93\xf1\x8f\x5c\x8e\xb5\x8f\x68" /* 二十七宿 */,
            std::string(name) + "\x8f\x68" /* 宿 */);
    }
    if (const char* name = library.A28toname(lore.mansion28)) {
        add("\x93\xf1\x8f\x5c\x94\xaa\x8f\x68" /* 二十八宿 */,
            std::string(name) + "\x8f\x68" /* 宿 */);
    }
    add("\x8f\x6a\x93\xfa" /* 祝日 */, lawHolidayNameShiftJis(lore.holiday));

    if (encoding == TextEncoding::Utf8) {
        for (LoreLine& line : lines) {
            line.label = shiftJisToUtf8(line.label);
            line.value = shiftJisToUtf8(line.value);
        }
    }
    return lines;
}

}  // namespace tenvo
