// The middle and lower rows of a printed almanac: the 十二直 and the good and
// bad days of the 暦注下段. Each is a fixed reading of the day's stem and
// branch against its solar month (from the accurate sectional terms, as in
// almanac.cpp), its lunar month, or its 28 mansion; nothing here needs more
// than the day's number, the term days of its month and, for 凶会日, the
// lunisolar date.

#include <array>
#include <cstddef>
#include <initializer_list>

#include "almanac.h"
#include "tables/almanac_names.h"

namespace {

using vorane2::almanac::LocalDay;
namespace tables = vorane2::tables;

constexpr int32_t bit(int32_t item) { return int32_t{1} << item; }

// A set of sexagenary numbers (0 癸亥, 1 甲子 .. 59 壬戌) as a 60-bit mask.
constexpr uint64_t pairs(std::initializer_list<int32_t> list) {
    uint64_t mask = 0;
    for (int32_t n : list) mask |= uint64_t{1} << n;
    return mask;
}
constexpr bool holds(uint64_t mask, int32_t n) { return ((mask >> n) & 1) != 0; }

// Stems are numbered 0 癸, 1 甲 .. 9 壬 and branches 0 亥, 1 子 .. 11 戌, as
// the sexagenary number's remainders by 10 and 12.
constexpr int32_t kBranchMi = 6;  // 巳
constexpr int32_t kBranchI = 0;   // 亥

// The days of every month, by sexagenary number.
constexpr uint64_t kTenonDays =  // 甲子..戊辰, 己卯..癸未, 己酉..癸丑
    pairs({1, 2, 3, 4, 5, 16, 17, 18, 19, 20, 46, 47, 48, 49, 50});
constexpr uint64_t kKamiyoshiDays =  // 乙丑 丁卯 己巳 庚午 壬申 癸酉 丁丑 己卯 壬午 甲申 乙酉
    pairs({2, 4, 6, 7, 9, 10, 14, 16, 19, 21, 22,
           // 戊子 辛卯 甲午 丙申 丁酉 己亥 庚子 辛丑 癸卯 乙巳 丙午
           25, 28, 31, 33, 34, 36, 37, 38, 40, 42, 43,
           // 丁未 戊申 己酉 辛亥 壬子 乙卯 戊午 己未 庚申 辛酉 癸亥
           44, 45, 46, 48, 49, 52, 55, 56, 57, 58, 0});
constexpr uint64_t kGomuDays = pairs({2, 23, 5, 8, 29});  // 乙丑 丙戌 戊辰 辛未 壬辰

// The 28 mansion of Julian day number N is (N + 11) mod 28 (adto28), and
// 鬼 is mansion 22.
constexpr int64_t kMansionOffset = 11;
constexpr int32_t kMansionOni = 22;

// By solar month 1 (寅月) .. 12 (丑月): the one branch that marks the item.
using MonthBranches = std::array<int32_t, 12>;
constexpr MonthBranches kJisshiBranch = {10, 6, 2, 10, 6, 2, 10, 6, 2, 10, 6, 2};  // 酉巳丑
constexpr MonthBranches kKikoBranch = {2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1};        // 丑寅子
// 丑 未 寅 申 卯 酉 辰 戌 巳 亥 午 子
constexpr MonthBranches kChiimiBranch = {2, 8, 3, 9, 4, 10, 5, 11, 6, 0, 7, 1};
// 子 卯 午 酉, for 天火日 and 狼藉日 alike
constexpr MonthBranches kTenkaBranch = {1, 4, 7, 10, 1, 4, 7, 10, 1, 4, 7, 10};
// 巳 午 未 .. 辰: the branch one ahead each month
constexpr MonthBranches kChikaBranch = {6, 7, 8, 9, 10, 11, 0, 1, 2, 3, 4, 5};
// 亥 午 丑 申 卯 戌 巳 子 未 寅 酉 辰
constexpr MonthBranches kTaikaBranch = {0, 7, 2, 9, 4, 11, 6, 1, 8, 3, 10, 5};
// 巳 子 未 寅 酉 辰 亥 午 丑 申 卯 戌
constexpr MonthBranches kMetsumonBranch = {6, 1, 8, 3, 10, 5, 0, 7, 2, 9, 4, 11};

// 月徳日 by solar month: the stem 丙 甲 壬 庚 in turn (寅午戌 months 丙,
// 亥卯未 甲, 申子辰 壬, 巳酉丑 庚).
constexpr std::array<int32_t, 12> kTsukitokuStem = {3, 1, 9, 7, 3, 1, 9, 7, 3, 1, 9, 7};

// 復日 by solar month: two stems, as a 10-bit mask; months 1 and 7 甲庚, 2
// and 8 乙辛, 4 and 10 丙壬, 5 and 11 丁癸, and the 土 months 3, 6, 9, 12 戊己.
constexpr uint32_t stems(int32_t a, int32_t b) { return (uint32_t{1} << a) | (uint32_t{1} << b); }
constexpr std::array<uint32_t, 12> kFukuStems = {
    stems(1, 7), stems(2, 8), stems(5, 6), stems(3, 9), stems(4, 0), stems(5, 6),
    stems(1, 7), stems(2, 8), stems(5, 6), stems(3, 9), stems(4, 0), stems(5, 6)};

// 往亡日: the Nth day of solar month 1..12, counting the sectional term's
// day as day 1.
constexpr std::array<int32_t, 12> kOmoDayOfMonth = {7, 14, 21, 8, 16, 24, 9, 18, 27, 10, 20, 30};

// 凶会日 by lunar month 1..12 (a leap month with its number).
constexpr std::array<uint64_t, 12> kKueDays = {
    pairs({28, 51}),                                       // 1 辛卯 甲寅
    pairs({16, 52, 58}),                                   // 2 己卯 乙卯 辛酉
    pairs({1, 2, 3, 4, 5, 9, 45, 17, 21, 41, 33, 57}),     // 3 甲子 .. 庚申
    pairs({5, 8, 20, 32, 36, 43, 44, 55, 56, 0}),          // 4 戊辰 .. 癸亥
    pairs({43, 55}),                                       // 5 丙午 戊午
    pairs({6, 43, 44, 54, 56}),                            // 6 己巳 丙午 丁未 丁巳 己未
    pairs({22, 41, 57}),                                   // 7 乙酉 甲辰 庚申
    pairs({46, 52, 58}),                                   // 8 己酉 乙卯 辛酉
    pairs({11, 28, 29, 30, 31, 32, 33, 34, 35, 47, 51}),   // 9 甲戌 .. 甲寅
    pairs({2, 6, 14, 25, 26, 35, 36, 38, 49, 50, 54, 0}),  // 10 乙丑 .. 癸亥
    pairs({25, 43, 49}),                                   // 11 戊子 丙午 壬子
    pairs({25, 44, 49, 0})};                               // 12 戊子 丁未 壬子 癸亥

// The pairs that are 凶会日 in some month: only their days need the lunar
// month looked up (43 of the 60).
constexpr uint64_t kKueInAnyMonth = [] {
    uint64_t any = 0;
    for (const uint64_t month : kKueDays) any |= month;
    return any;
}();

// The lists above folded into two lookups a day: the items of each
// sexagenary number, and those of each solar month and day pair.
constexpr std::array<int32_t, 60> makeSexagenaryItems() {
    std::array<int32_t, 60> items{};
    for (int32_t n = 0; n < 60; ++n) {
        const int32_t branch = n % 12;
        int32_t set = 0;
        if (holds(kTenonDays, n)) set |= bit(VRN_TENON);
        if (holds(kKamiyoshiDays, n)) set |= bit(VRN_KAMIYOSHI);
        if (holds(kGomuDays, n)) set |= bit(VRN_GOMU);
        if (branch == kBranchMi || branch == kBranchI) set |= bit(VRN_JUNICHI);
        items[static_cast<std::size_t>(n)] = set;
    }
    return items;
}
constexpr std::array<int32_t, 60> kSexagenaryItems = makeSexagenaryItems();

using MonthItems = std::array<std::array<int32_t, 60>, 12>;
constexpr MonthItems makeMonthItems() {
    MonthItems items{};
    for (std::size_t m = 0; m < 12; ++m) {
        for (int32_t n = 0; n < 60; ++n) {
            const int32_t stem = n % 10;
            const int32_t branch = n % 12;
            int32_t set = 0;
            if (branch == kJisshiBranch[m]) set |= bit(VRN_JISSHI);
            if (branch == kKikoBranch[m]) set |= bit(VRN_KIKO);
            if (branch == kChiimiBranch[m]) set |= bit(VRN_CHIIMI);
            if (branch == kTenkaBranch[m]) set |= bit(VRN_TENKA) | bit(VRN_ROJAKU);
            if (branch == kChikaBranch[m]) set |= bit(VRN_CHIKA);
            if (branch == kTaikaBranch[m]) set |= bit(VRN_TAIKA);
            if (branch == kMetsumonBranch[m]) set |= bit(VRN_METSUMON);
            if (stem == kTsukitokuStem[m]) set |= bit(VRN_TSUKITOKU);
            if (((kFukuStems[m] >> stem) & 1) != 0) set |= bit(VRN_FUKU);
            items[m][static_cast<std::size_t>(n)] = set;
        }
    }
    return items;
}
constexpr MonthItems kMonthItems = makeMonthItems();

// The lower-row items of a local day other than 凶会日.
int32_t lowerRowOf(const LocalDay& day) {
    const int32_t n = vorane2::almanac::sexagenaryOfDay(day.mjd);
    int32_t set = kSexagenaryItems[static_cast<std::size_t>(n)];
    const int64_t jdn = day.mjd - vorane2::almanac::kMjdOfDayNumber;
    if (vorane2::floorMod(jdn + kMansionOffset, 28) == kMansionOni) set |= bit(VRN_KISHUKU);

    int32_t month = 0;
    const int64_t start = vorane2::almanac::solarMonthStartOf(day, month);
    const auto m = static_cast<std::size_t>(month - 1);
    set |= kMonthItems[m][static_cast<std::size_t>(n)];

    if (day.mjd - start + 1 == kOmoDayOfMonth[m]) set |= bit(VRN_OMO);
    // 丑月 lasts 29 or 30 days, so its 30th day may already be the 立春 day
    // of 寅月; it is marked all the same. Every other month is longer than
    // its count.
    if (month == 1) {
        const int64_t shokan =
            vorane2::almanac::sunDay(day, day.year, vorane2::almanac::kRowShokan);
        if (day.mjd - shokan + 1 == kOmoDayOfMonth[11]) set |= bit(VRN_OMO);
    }
    return set;
}

// The lower-row set of a date, with 凶会日 by the lunar month of `lunisolar`.
int32_t lowerRowOfDate(CalendarDate date, LunisolarDate(VRN_CALL* lunisolar)(CalendarDate)) {
    LocalDay day{};
    if (!vorane2::almanac::localDayOf(date, day)) return vorane2::almanac::kOutOfSpan;
    int32_t set = lowerRowOf(day);
    const int32_t pair = vorane2::almanac::sexagenaryOfDay(day.mjd);
    if (!holds(kKueInAnyMonth, pair)) return set;
    const CalendarDate normalised{day.year, day.month, day.day, 0.0, 0.0, 0.0, day.longitude};
    const LunisolarDate lunar = lunisolar(normalised);
    if (lunar.month >= 1 && lunar.month <= 12 &&
        holds(kKueDays[static_cast<std::size_t>(lunar.month - 1)], pair)) {
        set |= bit(VRN_KUE);
    }
    return set;
}

}  // namespace

extern "C" {

int32_t VRN_CALL ad2cyoku(CalendarDate date) {
    LocalDay day{};
    if (!vorane2::almanac::localDayOf(date, day)) return vorane2::almanac::kOutOfSpan;
    // The branch of solar month m is that of m + 2 (寅 = 3 in 寅月 .. 丑 = 2
    // in 丑月); 建 is the day of that branch and the 直 count on by branch.
    const int32_t month = vorane2::almanac::solarMonthOf(day);
    const int32_t branch = vorane2::almanac::sexagenaryOfDay(day.mjd) % 12;
    return vorane2::floorMod(branch - (month + 2), 12);
}

int32_t VRN_CALL ad2gedan(CalendarDate date) { return lowerRowOfDate(date, adto9rekL); }

int32_t VRN_CALL ad2gedanS(CalendarDate date) { return lowerRowOfDate(date, adto9rekS); }

int32_t VRN_CALL ad2gedanH(CalendarDate date) { return lowerRowOfDate(date, adto9rekH); }

const char* VRN_CALL cyo2name(int32_t choku) {
    return tables::lookupName(tables::kChokuNames, choku);
}

const char* VRN_CALL ged2name(int32_t item) {
    return tables::lookupName(tables::kLowerRowItemNames, item);
}

}  // extern "C"
