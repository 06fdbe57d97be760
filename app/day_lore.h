// A day's whole lore in one record: every item of the traditional calendar
// that the library knows for one local day at 135 degrees east, asked once
// through the LibraryBinding, with its text in Shift-JIS or UTF-8. Every
// view (the month sheet's almanac mode, the terminal's day, list and feeds,
// the program's tooltip) reads its items from here, so none computes one of
// them again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "holidays_by_law.h"
#include "japanese_era.h"
#include "library_binding.h"
#include "vorane2.h"
#include "wareki.h"

namespace tenvo {

// The days a lore can be composed for: 1870-01-01 .. 2100-12-31, and under
// the published reading (withPublishedReading) every day of the historical
// calendar, kHistoryFirstDay (0445-01-25, Julian 445-01-24) .. 2100-12-31.
inline constexpr int32_t kLoreFirstYear = 1870;
inline constexpr int32_t kLoreLastYear = 2100;

// Before this year the lore holds none of the items that rest on the Sun's
// and the Moon's instants: the solar term of the day, the almanac items,
// the Moon's age, the nine stars, the 直 and the lower row. The library
// computes them for 1870 to 2100; the almanacs before printed their own
// reckoning, which these would not be.
inline constexpr int32_t kAstronomicalFirstYear = 1870;

struct DayLore {
    // False for a date that is not a Gregorian date of the span above;
    // every other field then keeps its "none" value below.
    bool valid = false;
    // Composed under the published reading: the fields from `julian` to
    // `monthDays` below are filled, and the lines show them.
    bool published = false;
    int32_t year = 0, month = 0, day = 0;  // the Gregorian date
    int32_t weekday = -1;                  // 0 Sunday .. 6 Saturday
    EraDate era{};                         // 和暦 of 1870 on (japanese_era.h)
    // Under the published reading: the Julian date before 1582-10-15 (year 0
    // from then on), the era date in each court (wareki.h) and the days of
    // the lunisolar month (30 大, 29 小; 2 for month 12 of 1872, which the
    // change of calendar cut short), 0 where there is no lunisolar date.
    CivilDate julian{};
    DayWareki wareki{};
    int32_t monthDays = 0;
    // The lunisolar date (months numbered as the binding numbers them:
    // withSolsticeReading gives the months from 冬至, withPublishedReading
    // the published months); year -999 outside 1870-02-01 .. 2100-12-30
    // (0445-01-25 .. 2100-12-30 under the published reading).
    LunisolarDate lunisolar{'N', -999, -999, -999, 135.0};
    int32_t sixDay = -1;  // 六曜 0 赤口 .. 5 大安; -1 where no lunisolar date
    // 干支 0..59 (0 癸亥, 1 甲子) of the year, the month and the day. From 1870
    // the year turns on 立春 and the month is the solar month (turning on its
    // 節). Before 1870 they are those the almanacs printed: the lunisolar
    // year, and the lunar month's 月建 (month 1 寅), none (-1) for a leap
    // month; the day's pair runs on unbroken (almanac_cycles.h).
    int32_t yearPair = -1;
    int32_t monthPair = -1;
    int32_t dayPair = -1;
    int32_t yearStar = -1;  // 九星 0..8 (0 九紫, 1 一白) of the year, month and day
    int32_t monthStar = -1;
    int32_t dayStar = -1;
    int32_t mansion27 = -1;                         // 0..26; -1 where no lunisolar date
    int32_t mansion28 = -1;                         // 0..27
    LawHolidayName holiday = LawHolidayName::None;  // by the law of the date's year
    // The solar term that begins on the day by the accurate theory (ad2sekki:
    // 0 春分 .. 23 啓蟄), -1 none.
    int32_t solarTerm = -1;
    // The almanac items of the day (ad2rekicyu, or ad2rekicyuS with the
    // months from 冬至): bit n is item n, VRN_SETSUBUN .. VRN_KAGEN.
    int32_t items = 0;
    int32_t moonAge = -1;  // 月齢 at 12:00 in tenths of a day
    int32_t choku = -1;    // 十二直 0 建 .. 11 閉 (ad2cyoku)
    // The lower-row items (ad2gedan, or ad2gedanS with the months from 冬至):
    // bit n is item n, VRN_TENON .. VRN_METSUMON.
    int32_t lowerRow = 0;
    // The fields from here on are filled by addSeasonalLore alone.
    bool seasonal = false;
    // The 七十二候 in force (ad2kou: 0 東風解凍 .. 71 鶏始乳), -1 none, and
    // whether it begins on this day.
    int32_t pentad = -1;
    bool pentadBegins = false;
    // The 恵方 (ad2ehou: 0..3), -1 none. On 節分 it is that of the year
    // beginning at the next day's 立春, the one people face that evening.
    int32_t luckyDirection = -1;
    bool luckyDirectionOfComingYear = false;
    // The observances of the lunisolar year on this day, by the published
    // months whatever the binding's rule: bit n is Observance n.
    int32_t observances = 0;
    // On 中秋の名月, when the Moon is full on another day (the almanac's
    // 満月 by the accurate phases): that day; year 0 otherwise.
    CivilDate fullMoon{};
};

// The observances of the lunisolar year, in the order their bits are kept.
// All but the last fall on a day of the published months (旧正月 1/1,
// 上巳 3/3, 端午 5/5, 七夕 7/7, 盂蘭盆 7/15, 中秋の名月 8/15, 重陽 9/9,
// 十三夜 9/13; never in a leap month); 伝統的七夕 is the seventh day
// counted from the new-moon day on or before 処暑 nearest it.
enum Observance : int32_t {
    kKyuShogatsu = 0,
    kJoshi,
    kTango,
    kTanabata,
    kUrabon,
    kChushu,
    kChoyo,
    kJusanya,
    kDentoTanabata,
    kObservanceCount
};

// The name of observance 0..8 in Shift-JIS; "" outside.
const char* observanceNameShiftJis(int32_t observance);

constexpr bool hasObservance(const DayLore& lore, int32_t observance) {
    return observance >= 0 && observance < kObservanceCount &&
           ((lore.observances >> observance) & 1) != 0;
}

// Whether the lore holds almanac item `item` (0..28).
constexpr bool hasItem(const DayLore& lore, int32_t item) {
    return item >= 0 && item < VRN_ALMANAC_ITEMS && ((lore.items >> item) & 1) != 0;
}

// Whether the lore holds lower-row item `item` (0..16).
constexpr bool hasLowerRowItem(const DayLore& lore, int32_t item) {
    return item >= 0 && item < VRN_LOWER_ROW_ITEMS && ((lore.lowerRow >> item) & 1) != 0;
}

// The almanac items of one day, as the lore holds them: 0 where the library
// has none (outside 1870..2100). The almanac mode of the month sheet asks
// this alone, not the whole lore. Under the published reading 不成就日
// follows the published date (see withPublishedReading).
int32_t almanacItemsOf(const LibraryBinding& library, const CalendarDate& date);

// The most notable of a day's items, the one a printed calendar shows first,
// or -1 for none. By rank: the seasonal days (節分, 彼岸入り, 彼岸明け, 社日,
// 八十八夜, 入梅, 半夏生, 土用入り, 二百十日, 二百二十日, then 土用の丑の日);
// 天赦日 and 一粒万倍日, the days people seek out; the days they avoid,
// 不成就日, 三隣亡, 受死日; the Moon's phases (新月, 満月, 上弦, 下弦);
// 大明日, 己巳の日, 甲子の日, 寅の日, 巳の日, 母倉日; last the periods that
// cover many days, 天一天上, 八専, 十方暮.
int32_t topAlmanacItem(int32_t items);

// An item in two full-width characters (4 Shift-JIS bytes and a NUL), as
// the almanac mode writes it under a day: "節分", "彼岸" (入り and 明け),
// "社日", "八八", "入梅", "半夏", "土用", "丑日", "二百" (二百十日 and
// 二百二十日), "万倍", "天赦", "大明", "母倉", "寅日", "巳日", "己巳", "甲子",
// "天一", "八専", "十方", "三隣", "不成", "受死", "新月", "上弦", "満月",
// "下弦"; "" outside 0..28.
const char* almanacShortNameShiftJis(int32_t item);

// What every day of one year shares: its holidays by law, found once rather
// than for every day (a walk over a year composes 365 lores).
struct LoreYear {
    int32_t year = 0;
    LawHolidayYear holidays{};
};
LoreYear loreYear(int32_t year);

// The lore of year-month-day, or of month-day in the year of a LoreYear.
// Only the Gregorian date is given: the day is the local day at 135 degrees
// east. Both give the same record.
DayLore composeDayLore(const LibraryBinding& library, int32_t year, int32_t month, int32_t day);
DayLore composeDayLore(const LibraryBinding& library, const LoreYear& shared, int32_t month,
                       int32_t day);

// Adds the pentad, the 恵方 and the observances to a composed lore (from
// 1870; nothing before, nor for an invalid lore). They ask the accurate
// theory of the Sun and the Moon at run time, some microseconds a day
// where the rest of the lore takes a fraction of one, so only the views
// that show them ask for them.
void addSeasonalLore(const LibraryBinding& library, DayLore& lore);

enum class TextEncoding { ShiftJis, Utf8 };

// One labelled line of a day's lore ("六曜", "大安").
struct LoreLine {
    std::string label;
    std::string value;
};

// Lines made in Shift-JIS, in `encoding`: converted in place to UTF-8, or
// left as they are.
void encodeLoreLines(std::vector<LoreLine>& lines, TextEncoding encoding);

// The lore as labelled lines, one item each, in a fixed order: 日付, 和暦,
// 曜日, 旧暦, 六曜, the 干支 and 九星 of year, month and day, 二十七宿,
// 二十八宿, 二十四節気, each almanac item in item order (labelled 雑節 for
// the seasonal days, 暦注 for the selected days, 月相 for the phases),
// 十二直, each lower-row item in item order (labelled 下段), 月齢 and 祝日. An item the day does
// not have (no lunisolar date, no holiday) has no line; an invalid lore has none at all.
//
// A lore of the published reading also has ユリウス暦 (the Julian date,
// before 1582-10-15) after 日付; its 和暦 is the era date of wareki.h, in
// both courts where they differ; its 旧暦 ends with the month's length,
// "（大）", "（小）" or, for the cut month 12 of 1872, "（2日）"; and before
// 1870 a line 備考 says which items are not shown before 1870.
//
// With LoreLineSet::Seasonal (for a lore given addSeasonalLore) the lines also hold, after 月齢:
// 七十二候 (its name, its reading and, on its first day, "この日から"), 年の納音 and 日の納音, 恵方
// (between its branches, by the compass and in degrees; on 節分 the coming year's), and 行事 for
// each observance of the day (on 中秋の名月 with the day the Moon is full when that is another).
// The program's tooltips keep the Classic lines.
enum class LoreLineSet { Classic, Seasonal };
std::vector<LoreLine> dayLoreLines(const DayLore& lore, const LibraryBinding& library,
                                   TextEncoding encoding, LoreLineSet set = LoreLineSet::Classic);

}  // namespace tenvo
