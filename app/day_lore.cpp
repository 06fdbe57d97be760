#include "day_lore.h"

#include <array>
#include <cstddef>

#include "almanac_cycles.h"
#include "annotations.h"
#include "civil_days.h"
#include "text_encoding.h"

namespace tenvo {

namespace {

constexpr int32_t kNoLunisolarDate = -999;
constexpr double kJapanMeridian = 135.0;

// A name the library answers, or "" where it has none.
std::string nameOr(const char* name) { return name == nullptr ? std::string() : name; }

std::string number(int32_t value) { return std::to_string(value); }

// A lunar month's length after its date: 大 for 30 days, 小 for 29, and
// the days themselves for the month that the change of calendar cut short.
std::string monthLengthShiftJis(int32_t days) {
    if (days == 30) return "\x81\x69\x91\xe5\x81\x6a" /* （大） */;
    if (days == 29) return "\x81\x69\x8f\xac\x81\x6a" /* （小） */;
    if (days <= 0) return {};
    return "\x81\x69" /* （ */ + number(days) + "\x93\xfa\x81\x6a" /* 日） */;
}

// The items from the most notable down (see topAlmanacItem).
constexpr std::array<int32_t, VRN_ALMANAC_ITEMS> kItemRank{
    VRN_SETSUBUN,  VRN_HIGAN_IRI,    VRN_HIGAN_AKE,     VRN_SHANICHI,    VRN_HACHIJUHACHIYA,
    VRN_NYUBAI,    VRN_HANGESHO,     VRN_DOYO_IRI,      VRN_NIHYAKUTOKA, VRN_NIHYAKUHATSUKA,
    VRN_DOYO_USHI, VRN_TENSHA,       VRN_ICHIRYUMANBAI, VRN_FUJOJU,      VRN_SANRINBO,
    VRN_JUSHI,     VRN_SHINGETSU,    VRN_MANGETSU,      VRN_JOGEN,       VRN_KAGEN,
    VRN_DAIMYO,    VRN_TSUCHINOTOMI, VRN_KINOENE,       VRN_TORA,        VRN_MI,
    VRN_BOSO,      VRN_TENICHITENJO, VRN_HASSEN,        VRN_JIPPOGURE};

// By item number.
constexpr std::array<const char*, VRN_ALMANAC_ITEMS> kShortNames{"\x90\xdf\x95\xaa" /* 節分 */,
                                                                 "\x94\xde\x8a\xdd" /* 彼岸 */,
                                                                 "\x94\xde\x8a\xdd" /* 彼岸 */,
                                                                 "\x8e\xd0\x93\xfa" /* 社日 */,
                                                                 "\x94\xaa\x94\xaa" /* 八八 */,
                                                                 "\x93\xfc\x94\x7e" /* 入梅 */,
                                                                 "\x94\xbc\x89\xc4" /* 半夏 */,
                                                                 "\x93\x79\x97\x70" /* 土用 */,
                                                                 "\x89\x4e\x93\xfa" /* 丑日 */,
                                                                 "\x93\xf1\x95\x53" /* 二百 */,
                                                                 "\x93\xf1\x95\x53" /* 二百 */,
                                                                 "\x96\x9c\x94\x7b" /* 万倍 */,
                                                                 "\x93\x56\x8e\xcd" /* 天赦 */,
                                                                 "\x91\xe5\x96\xbe" /* 大明 */,
                                                                 "\x95\xea\x91\x71" /* 母倉 */,
                                                                 "\x93\xd0\x93\xfa" /* 寅日 */,
                                                                 "\x96\xa4\x93\xfa" /* 巳日 */,
                                                                 "\x8c\xc8\x96\xa4" /* 己巳 */,
                                                                 "\x8d\x62\x8e\x71" /* 甲子 */,
                                                                 "\x93\x56\x88\xea" /* 天一 */,
                                                                 "\x94\xaa\x90\xea" /* 八専 */,
                                                                 "\x8f\x5c\x95\xfb" /* 十方 */,
                                                                 "\x8e\x4f\x97\xd7" /* 三隣 */,
                                                                 "\x95\x73\x90\xac" /* 不成 */,
                                                                 "\x8e\xf3\x8e\x80" /* 受死 */,
                                                                 "\x90\x56\x8c\x8e" /* 新月 */,
                                                                 "\x8f\xe3\x8c\xb7" /* 上弦 */,
                                                                 "\x96\x9e\x8c\x8e" /* 満月 */,
                                                                 "\x89\xba\x8c\xb7" /* 下弦 */};

// The group label of an item's line: 雑節, 暦注 or 月相.
const char* groupLabel(int32_t item) {
    if (item <= VRN_NIHYAKUHATSUKA) return "\x8e\x47\x90\xdf" /* 雑節 */;
    if (item <= VRN_JUSHI) return "\x97\xef\x92\x8d" /* 暦注 */;
    return "\x8c\x8e\x91\x8a" /* 月相 */;
}

}  // namespace

int32_t almanacItemsOf(const LibraryBinding& library, const CalendarDate& date) {
    const int32_t items = library.ad2rekicyu(date);
    return items < 0 ? 0 : items;
}

int32_t topAlmanacItem(int32_t items) {
    for (const int32_t item : kItemRank) {
        if (((items >> item) & 1) != 0) return item;
    }
    return -1;
}

const char* almanacShortNameShiftJis(int32_t item) {
    if (item < 0 || item >= VRN_ALMANAC_ITEMS) return "";
    return kShortNames[static_cast<std::size_t>(item)];
}

namespace {

// The Gregorian date of a day counted by daysFromCivil.
CivilDate civilOfDays(int32_t days) {
    const int32_t z = days + 719468;
    const int32_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int32_t doe = z - era * 146097;
    const int32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int32_t mp = (5 * doy + 2) / 153;
    const int32_t day = doy - (153 * mp + 2) / 5 + 1;
    const int32_t month = mp < 10 ? mp + 3 : mp - 9;
    return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

CalendarDate localDay(int32_t days) {
    const CivilDate c = civilOfDays(days);
    return {c.year, c.month, c.day, 0.0, 0.0, 0.0, kJapanMeridian};
}

bool isNewMoonDay(const LibraryBinding& library, int32_t days) {
    const int32_t items = library.ad2rekicyu(localDay(days));
    return items > 0 && ((items >> VRN_SHINGETSU) & 1) != 0;
}

// ad2sekki's number of 処暑, the Sun at 150 degrees.
constexpr int32_t kShosho = 10;

// Whether the day is 伝統的七夕: day 7 of the lunation whose new-moon day
// is the last on or before 処暑. 処暑 falls on 22..24 August and that new
// moon at most 29 days before it, so only days from 30 July to 30 August
// can be it.
bool isTraditionalTanabata(const LibraryBinding& library, const DayLore& lore) {
    const bool window = (lore.month == 7 && lore.day >= 30) || (lore.month == 8 && lore.day <= 30);
    if (!window) return false;
    const int32_t newMoon = daysFromCivil(lore.year, lore.month, lore.day) - 6;
    if (!isNewMoonDay(library, newMoon)) return false;
    // 処暑 must come before the lunation's next new moon.
    for (int32_t day = newMoon; day <= newMoon + 30; ++day) {
        if (day > newMoon && isNewMoonDay(library, day)) return false;
        if (library.ad2sekki(localDay(day)) == kShosho) return true;
    }
    return false;
}

// The observances of a day by its published lunisolar date.
int32_t observancesOf(const LibraryBinding& library, const DayLore& lore,
                      const LunisolarDate& published) {
    int32_t found = 0;
    if (published.year != kNoLunisolarDate && published.leap != 'Y') {
        struct LunarDay {
            int32_t month, day;
            Observance observance;
        };
        constexpr std::array<LunarDay, 8> kLunarDays{{{1, 1, kKyuShogatsu},
                                                      {3, 3, kJoshi},
                                                      {5, 5, kTango},
                                                      {7, 7, kTanabata},
                                                      {7, 15, kUrabon},
                                                      {8, 15, kChushu},
                                                      {9, 9, kChoyo},
                                                      {9, 13, kJusanya}}};
        for (const LunarDay& d : kLunarDays) {
            if (published.month == d.month && published.day == d.day) found |= 1 << d.observance;
        }
    }
    if (isTraditionalTanabata(library, lore)) found |= 1 << kDentoTanabata;
    return found;
}

}  // namespace

void addSeasonalLore(const LibraryBinding& library, DayLore& lore) {
    // From the accurate Sun and Moon, so from 1870 only.
    if (!lore.valid || lore.year < kAstronomicalFirstYear || lore.seasonal) return;
    lore.seasonal = true;
    const CalendarDate date{lore.year, lore.month, lore.day, 0.0, 0.0, 0.0, kJapanMeridian};
    const int32_t pentad = library.ad2kou(date);
    if (pentad >= 0) {
        lore.pentad = pentad % VRN_KOU_BEGINS;
        lore.pentadBegins = pentad >= VRN_KOU_BEGINS;
    }
    // 節分 is the eve of 立春: the evening's direction is the coming year's.
    const bool setsubun = hasItem(lore, VRN_SETSUBUN);
    const int32_t today = daysFromCivil(lore.year, lore.month, lore.day);
    const int32_t direction = library.ad2ehou(setsubun ? localDay(today + 1) : date);
    if (direction >= 0) {
        lore.luckyDirection = direction;
        lore.luckyDirectionOfComingYear = setsubun;
    }
    const LunisolarDate published = lore.published ? lore.lunisolar : library.adto9rekH(date);
    lore.observances = observancesOf(library, lore, published);
    if (hasObservance(lore, kChushu) && !hasItem(lore, VRN_MANGETSU)) {
        // The full moon lies within two days of the fifteenth.
        for (const int32_t offset : {-1, 1, -2, 2, -3, 3}) {
            const int32_t items = library.ad2rekicyu(localDay(today + offset));
            if (items > 0 && ((items >> VRN_MANGETSU) & 1) != 0) {
                lore.fullMoon = civilOfDays(today + offset);
                break;
            }
        }
    }
}

namespace {

// The items of the published reading that the other readings lack: the
// Julian date, the era dates, the month's length; before 1870 the cycles
// the almanacs counted without the Sun and the Moon.
void composePublished(const LibraryBinding& library, const CalendarDate& date, DayLore& lore) {
    const CivilDate civil{lore.year, lore.month, lore.day};
    if (dateKey(civil) < dateKey(kGregorianFirstDay)) {
        const CalendarDate julian = library.ad2jul(date);
        lore.julian = {julian.year, julian.month, julian.day};
    }
    lore.wareki = warekiOfDay(library, civil);
    const LunisolarDate& lunar = lore.lunisolar;
    const bool lunarKnown = lunar.year != kNoLunisolarDate;
    if (lunarKnown) {
        const int32_t days = library.kyu2days(lunar.year, lunar.month, lunar.leap);
        lore.monthDays = days > 0 ? days : 0;
        if (lunar.day > lore.monthDays) {
            // January 1873 still runs on in the old calendar's month 12 of
            // 1872, past the two days it had: its length is that of the
            // days the reading counts.
            CalendarDate next = date;
            int32_t last = lunar.day;
            for (int32_t step = 1; step <= 30; ++step) {
                ++next.day;
                const LunisolarDate ahead = library.adto9rekH(next);
                if (ahead.day <= last) break;
                last = ahead.day;
            }
            lore.monthDays = last;
        }
    }
    if (lore.year < kAstronomicalFirstYear) {
        const int32_t days = daysFromCivil(lore.year, lore.month, lore.day);
        lore.dayPair = dayPairOfDays(days);
        lore.mansion28 = mansion28OfDays(days);
        if (lunarKnown) {
            lore.yearPair = yearPairOfLunisolarYear(lunar.year);
            if (lunar.leap != 'Y') lore.monthPair = monthPairOfLunarMonth(lunar.year, lunar.month);
        }
    }
}

DayLore composeWithHolidays(const LibraryBinding& library, int32_t year, int32_t month, int32_t day,
                            const LawHolidayYear* holidays) {
    DayLore lore;
    const bool published = monthRuleOf(library) == MonthRule::Published;
    const bool inSpan = published ? isHistoryDay({year, month, day})
                                  : year >= kLoreFirstYear && year <= kLoreLastYear && day >= 1 &&
                                        day <= daysInMonth(year, month);
    if (!inSpan) return lore;
    lore.valid = true;
    lore.published = published;
    lore.year = year;
    lore.month = month;
    lore.day = day;
    const CalendarDate date{year, month, day, 0.0, 0.0, 0.0, kJapanMeridian};

    // What asks no export comes first: the date's fields, just stored piece
    // by piece, are then read whole by the first call's copy without
    // waiting for the stores.
    lore.weekday = weekdayOf(daysFromCivil(year, month, day));
    lore.holiday = holidays != nullptr ? findLawHoliday(*holidays, month, day)
                                       : lawHolidayOn(year, month, day);
    lore.lunisolar = library.adto9rekL(date);
    if (lore.lunisolar.year != kNoLunisolarDate) {
        lore.sixDay = sixDayOf(lore.lunisolar);
        lore.mansion27 = library.adto27L(date);
    }
    // The era reads the lunisolar year only before 1873. The lunisolar year
    // 1870 begins on 1870-02-01, the first day with a lunisolar date: the
    // January before it lies in the lunisolar year 1869.
    const int32_t lunisolarYear =
        lore.lunisolar.year != kNoLunisolarDate ? lore.lunisolar.year : year - 1;
    lore.era = eraOf(year, month, day, lunisolarYear);

    if (year < kAstronomicalFirstYear) {
        composePublished(library, date, lore);
        return lore;
    }
    lore.yearPair = library.ad2neto(date);
    lore.monthPair = library.ad2teto(date);
    lore.dayPair = library.ad2heto(date);
    lore.yearStar = library.ad2nkyusei(date);
    lore.monthStar = library.ad2tkyusei(date);
    lore.dayStar = library.ad2hkyusei(date);
    lore.mansion28 = library.adto28(date);
    lore.solarTerm = library.ad2sekki(date);
    lore.items = almanacItemsOf(library, date);
    lore.moonAge = library.ad2getrei(date);
    const int32_t choku = library.ad2cyoku(date);
    lore.choku = choku < 0 ? -1 : choku;
    const int32_t lowerRow = library.ad2gedan(date);
    lore.lowerRow = lowerRow > 0 ? lowerRow : 0;
    if (published) composePublished(library, date, lore);
    return lore;
}

// 七十二候, 納音, 恵方 and the observances, as dayLoreLines describes them.
void addSeasonalLines(const DayLore& lore, const LibraryBinding& library,
                      std::vector<LoreLine>& lines) {
    const auto add = [&](const char* label, const std::string& value) {
        if (!value.empty()) lines.push_back({label, value});
    };
    constexpr char kOpen[] = "\x81\x69";   // （
    constexpr char kClose[] = "\x81\x6a";  // ）
    constexpr char kComma[] = "\x81\x41";  // 、
    if (const char* name = library.kou2name(lore.pentad)) {
        add("\x8e\xb5\x8f\x5c\x93\xf1\x8c\xf3" /* 七十二候 */,
            std::string(name) + kOpen + nameOr(library.kou2yomi(lore.pentad)) + kClose +
                (lore.pentadBegins ? "\x82\xb1\x82\xcc\x93\xfa\x82\xa9\x82\xe7" /* この日から */
                                   : ""));
    }
    add("\x94\x4e\x82\xcc\x94\x5b\x89\xb9" /* 年の納音 */,
        nameOr(library.eno2natin(lore.yearPair)));
    add("\x93\xfa\x82\xcc\x94\x5b\x89\xb9" /* 日の納音 */, nameOr(library.eno2natin(lore.dayPair)));
    if (const char* name = library.eho2name(lore.luckyDirection)) {
        add("\x8c\x62\x95\xfb" /* 恵方 */,
            std::string(name) + kOpen + nameOr(library.eho2houi(lore.luckyDirection)) + kComma +
                number(library.eho2kaku(lore.luckyDirection)) + "\x93\x78" /* 度 */ +
                (lore.luckyDirectionOfComingYear
                     ? std::string(kComma) +
                           "\x97\xa7\x8f\x74\x82\xa9\x82\xe7\x82\xcc\x94\x4e" /* 立春からの年 */
                     : std::string()) +
                kClose);
    }
    for (int32_t observance = 0; observance < kObservanceCount; ++observance) {
        if (!hasObservance(lore, observance)) continue;
        std::string value = observanceNameShiftJis(observance);
        if (observance == kChushu && lore.fullMoon.year != 0) {
            value += std::string(kOpen) + "\x96\x9e\x8c\x8e" /* 満月 */ +
                     number(lore.fullMoon.month) + "\x8c\x8e" /* 月 */ + number(lore.fullMoon.day) +
                     "\x93\xfa" /* 日 */ + kClose;
        }
        add("\x8d\x73\x8e\x96" /* 行事 */, value);
    }
}

}  // namespace

LoreYear loreYear(int32_t year) { return {year, lawHolidaysOfYear(year)}; }

DayLore composeDayLore(const LibraryBinding& library, int32_t year, int32_t month, int32_t day) {
    return composeWithHolidays(library, year, month, day, nullptr);
}

DayLore composeDayLore(const LibraryBinding& library, const LoreYear& shared, int32_t month,
                       int32_t day) {
    return composeWithHolidays(library, shared.year, month, day, &shared.holidays);
}

const char* observanceNameShiftJis(int32_t observance) {
    constexpr std::array<const char*, kObservanceCount> kNames{
        "\x8b\x8c\x90\xb3\x8c\x8e" /* 旧正月 */,
        "\x8f\xe3\x96\xa4" /* 上巳 */,
        "\x92\x5b\x8c\xdf" /* 端午 */,
        "\x8e\xb5\x97\x5b" /* 七夕 */,
        "\xe1\xb1\x97\x96\x96\x7e" /* 盂蘭盆 */,
        "\x92\x86\x8f\x48\x82\xcc\x96\xbc\x8c\x8e" /* 中秋の名月 */,
        "\x8f\x64\x97\x7a" /* 重陽 */,
        "\x8f\x5c\x8e\x4f\x96\xe9" /* 十三夜 */,
        "\x93\x60\x93\x9d\x93\x49\x8e\xb5\x97\x5b" /* 伝統的七夕 */};
    if (observance < 0 || observance >= kObservanceCount) return "";
    return kNames[static_cast<std::size_t>(observance)];
}

std::vector<LoreLine> dayLoreLines(const DayLore& lore, const LibraryBinding& library,
                                   TextEncoding encoding, LoreLineSet set) {
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
    if (lore.published && lore.julian.year != 0) {
        add("\x83\x86\x83\x8a\x83\x45\x83\x58\x97\xef" /* ユリウス暦 */,
            number(lore.julian.year) + kYear + number(lore.julian.month) + kMonth +
                number(lore.julian.day) + kDay);
    }
    add("\x98\x61\x97\xef" /* 和暦 */, lore.published
                                           ? dayWarekiShiftJis(library, lore.wareki)
                                           : eraDateShiftJis(lore.era, lore.month, lore.day));
    add("\x97\x6a\x93\xfa" /* 曜日 */,
        nameOr(library.yno2name(lore.weekday)) + "\x97\x6a\x93\xfa" /* 曜日 */);
    if (lore.lunisolar.year != kNoLunisolarDate) {
        add("\x8b\x8c\x97\xef" /* 旧暦 */,
            number(lore.lunisolar.year) + kYear + (lore.lunisolar.leap == 'Y' ? "\x89\x5b" : "") +
                number(lore.lunisolar.month) + kMonth + number(lore.lunisolar.day) + kDay +
                (lore.published ? monthLengthShiftJis(lore.monthDays) : std::string()));
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
    if (lore.published && lore.year < kAstronomicalFirstYear) {
        add("\x94\xf5\x8d\x6c" /* 備考 */,
            "\x90\xdf\x8b\x43\x81\x45\x8b\xe3\x90\xaf\x81\x45\x8f\x5c\x93\xf1\x92\xbc"
            "\x81\x45\x8e\x47\x90\xdf\x81\x45\x97\xef\x92\x8d\x81\x45\x89\xba\x92\x69"
            "\x81\x45\x8c\x8e\x91\x8a\x81\x45\x8c\x8e\x97\xee\x82\xcd"
            /* 節気・九星・十二直・雑節・暦注・下段・月相・月齢は */
            "1870"
            "\x94\x4e\x82\xa9\x82\xe7" /* 年から */);
    }
    add("\x93\xf1\x8f\x5c\x8e\x6c\x90\xdf\x8b\x43" /* 二十四節気 */,
        nameOr(library.sek2name(lore.solarTerm)));
    for (int32_t item = 0; item < VRN_ALMANAC_ITEMS; ++item) {
        if (hasItem(lore, item)) add(groupLabel(item), nameOr(library.rek2name(item)));
    }
    add("\x8f\x5c\x93\xf1\x92\xbc" /* 十二直 */, nameOr(library.cyo2name(lore.choku)));
    for (int32_t item = 0; item < VRN_LOWER_ROW_ITEMS; ++item) {
        if (hasLowerRowItem(lore, item)) {
            add("\x89\xba\x92\x69" /* 下段 */, nameOr(library.ged2name(item)));
        }
    }
    if (lore.moonAge >= 0) {
        add("\x8c\x8e\x97\xee" /* 月齢 */,
            number(lore.moonAge / 10) + "." + number(lore.moonAge % 10));
    }
    if (set == LoreLineSet::Seasonal) addSeasonalLines(lore, library, lines);
    add("\x8f\x6a\x93\xfa" /* 祝日 */, lawHolidayNameShiftJis(lore.holiday));

    encodeLoreLines(lines, encoding);
    return lines;
}

void encodeLoreLines(std::vector<LoreLine>& lines, TextEncoding encoding) {
    if (encoding != TextEncoding::Utf8) return;
    for (LoreLine& line : lines) {
        line.label = shiftJisToUtf8(line.label);
        line.value = shiftJisToUtf8(line.value);
    }
}

}  // namespace tenvo
