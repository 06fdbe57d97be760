// The 十二直 and the lower-row days (ad2cyoku, ad2gedan, ad2gedanS): every
// day of the span against the almanac's tables spelled out by name, the
// edges of the span and of the arguments, and days that published almanac
// pages print.

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "support/civil.h"
#include "support/sjis.h"
#include "vorane2.h"

namespace {

using testsupport::Ymd;

const int64_t kFirst = testsupport::daysFromCivil(1870, 1, 1);
const int64_t kLast = testsupport::daysFromCivil(2100, 12, 31);

CalendarDate at(Ymd d, double longitude = 135.0) {
    return CalendarDate{d.year, d.month, d.day, 0.0, 0.0, 0.0, longitude};
}
std::string nameOr(const char* name) { return name == nullptr ? "(null)" : name; }

// Space-separated UTF-8 names, each converted to the library's Shift-JIS.
std::vector<std::string> names(const std::string& utf8) {
    std::vector<std::string> out;
    std::istringstream in(utf8);
    for (std::string word; in >> word;) out.push_back(testsupport::toCp932(word));
    return out;
}
int32_t indexOf(const std::vector<std::string>& list, const std::string& name) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == name) return static_cast<int32_t>(i);
    }
    return -1;
}

// The almanac's tables by name, as the rows of a printed almanac read them,
// converted once on first use.
struct Tables {
    std::vector<std::string> choku = names("建 除 満 平 定 執 破 危 成 納 開 閉");
    std::vector<std::string> items = names(
        "天恩日 神吉日 鬼宿日 月徳日 十死日 五墓日 帰忌日 血忌日 天火日 地火日 凶会日 往亡日 "
        "重日 復日 大禍日 狼藉日 滅門日");
    std::vector<std::string> branches = names("子 丑 寅 卯 辰 巳 午 未 申 酉 戌 亥");
    std::vector<std::string> setsu =
        names("立春 啓蟄 清明 立夏 芒種 小暑 立秋 白露 寒露 立冬 大雪 小寒");
    // By the day's pair or branch.
    std::vector<std::string> tenon =
        names("甲子 乙丑 丙寅 丁卯 戊辰 己卯 庚辰 辛巳 壬午 癸未 己酉 庚戌 辛亥 壬子 癸丑");
    std::vector<std::string> kamiyoshi = names(
        "乙丑 丁卯 己巳 庚午 壬申 癸酉 丁丑 己卯 壬午 甲申 乙酉 "
        "戊子 辛卯 甲午 丙申 丁酉 己亥 庚子 辛丑 癸卯 乙巳 丙午 "
        "丁未 戊申 己酉 辛亥 壬子 乙卯 戊午 己未 庚申 辛酉 癸亥");
    std::vector<std::string> gomu = names("乙丑 丙戌 戊辰 辛未 壬辰");
    std::vector<std::string> junichi = names("巳 亥");
    // By solar month 1 (寅月) .. 12, one entry a month.
    std::vector<std::string> monthBranch = names("寅 卯 辰 巳 午 未 申 酉 戌 亥 子 丑");
    std::vector<std::string> jisshi = names("酉 巳 丑 酉 巳 丑 酉 巳 丑 酉 巳 丑");
    std::vector<std::string> kiko = names("丑 寅 子 丑 寅 子 丑 寅 子 丑 寅 子");
    std::vector<std::string> chiimi = names("丑 未 寅 申 卯 酉 辰 戌 巳 亥 午 子");
    std::vector<std::string> tenka = names("子 卯 午 酉 子 卯 午 酉 子 卯 午 酉");  // and 狼藉日
    std::vector<std::string> chika = names("巳 午 未 申 酉 戌 亥 子 丑 寅 卯 辰");
    std::vector<std::string> taika = names("亥 午 丑 申 卯 戌 巳 子 未 寅 酉 辰");
    std::vector<std::string> metsumon = names("巳 子 未 寅 酉 辰 亥 午 丑 申 卯 戌");
    std::vector<std::string> tsukitoku = names("丙 甲 壬 庚 丙 甲 壬 庚 丙 甲 壬 庚");
    std::vector<std::string> fuku =  // two stems a month
        names("甲庚 乙辛 戊己 丙壬 丁癸 戊己 甲庚 乙辛 戊己 丙壬 丁癸 戊己");
    // 凶会日 by lunar month 1 .. 12.
    std::vector<std::vector<std::string>> kue = {
        names("辛卯 甲寅"),
        names("己卯 乙卯 辛酉"),
        names("甲子 乙丑 丙寅 丁卯 戊辰 壬申 戊申 庚辰 甲申 甲辰 丙申 庚申"),
        names("戊辰 辛未 癸未 乙未 己亥 丙午 丁未 戊午 己未 癸亥"),
        names("丙午 戊午"),
        names("己巳 丙午 丁未 丁巳 己未"),
        names("乙酉 甲辰 庚申"),
        names("己酉 乙卯 辛酉"),
        names("甲戌 辛卯 壬辰 癸巳 甲午 乙未 丙申 丁酉 戊戌 庚戌 甲寅"),
        names("乙丑 己巳 丁丑 戊子 己丑 戊戌 己亥 辛丑 壬子 癸丑 丁巳 癸亥"),
        names("戊子 丙午 壬子"),
        names("戊子 丁未 壬子 癸亥")};
};
const Tables& tables() {
    static const Tables t;
    return t;
}
// 往亡日: the Nth day of solar month 1 .. 12, its sectional term's day first.
constexpr std::array<int64_t, 12> kOmoDay = {7, 14, 21, 8, 16, 24, 9, 18, 27, 10, 20, 30};

int32_t bit(const char* utf8Item) {
    const int32_t k = indexOf(tables().items, testsupport::toCp932(utf8Item));
    EXPECT_GE(k, 0) << utf8Item;
    return int32_t{1} << k;
}

// The item bits by name, looked up once.
struct Bits {
    int32_t tenon = bit("天恩日"), kamiyoshi = bit("神吉日"), kishuku = bit("鬼宿日");
    int32_t tsukitoku = bit("月徳日"), jisshi = bit("十死日"), gomu = bit("五墓日");
    int32_t kiko = bit("帰忌日"), chiimi = bit("血忌日"), tenka = bit("天火日");
    int32_t chika = bit("地火日"), kue = bit("凶会日"), omo = bit("往亡日");
    int32_t junichi = bit("重日"), fuku = bit("復日"), taika = bit("大禍日");
    int32_t rojaku = bit("狼藉日"), metsumon = bit("滅門日");
};

struct Seen {
    std::array<int32_t, 12> choku{};
    std::array<int32_t, 17> items{};
};

// Walks every day of [from, to] (days since 1970-01-01, from a 1 January)
// at one meridian, re-deriving every item from the tables above: the day's
// pair by name, the solar month as ad2sekki's sectional terms open it, the
// lunar month of both numberings and the 28 mansion. Counts each 直 and
// item seen.
Seen walk(int64_t from, int64_t to, double longitude) {
    const Tables& t = tables();
    static const Bits b;
    static const std::string oni = testsupport::toCp932("鬼");
    const auto kueOf = [&](const LunisolarDate& lunar, const std::string& pair) {
        if (lunar.month < 1 || lunar.month > 12) return 0;  // outside the lunisolar span
        return indexOf(t.kue[static_cast<std::size_t>(lunar.month - 1)], pair) >= 0 ? b.kue : 0;
    };
    Seen seen;
    // 1 January lies in 子月, whose 大雪 day (6-8 December) is at least 24
    // days back: its 往亡日, day 20, has passed.
    int32_t month = 11;
    int64_t monthStart = from - 24, shokan = from - 60;
    for (int64_t d = from; d <= to; ++d) {
        const Ymd ymd = testsupport::civilFromDays(d);
        const CalendarDate c = at(ymd, longitude);
        SCOPED_TRACE(testing::Message()
                     << ymd.year << "-" << ymd.month << "-" << ymd.day << " at " << longitude);
        const int32_t term = ad2sekki(c);
        const int32_t setsu = term >= 0 ? indexOf(t.setsu, nameOr(sek2name(term))) : -1;
        if (setsu >= 0) {
            month = setsu + 1;
            monthStart = d;
            if (month == 12) shokan = d;
        }
        const auto m = static_cast<std::size_t>(month - 1);
        const std::string pair = nameOr(eno2name(ad2heto(c)));
        const std::string stem = pair.substr(0, 2), branch = pair.substr(2, 2);

        // 建 on the day of the month's own branch, counting on by branch.
        const int32_t choku =
            (indexOf(t.branches, branch) - indexOf(t.branches, t.monthBranch[m]) + 12) % 12;
        EXPECT_EQ(ad2cyoku(c), choku);
        if (ad2cyoku(c) != choku) return seen;
        EXPECT_EQ(nameOr(cyo2name(choku)), t.choku[static_cast<std::size_t>(choku)]);
        ++seen.choku[static_cast<std::size_t>(choku)];

        int32_t set = 0;
        set |= indexOf(t.tenon, pair) >= 0 ? b.tenon : 0;
        set |= indexOf(t.kamiyoshi, pair) >= 0 ? b.kamiyoshi : 0;
        set |= nameOr(A28toname(adto28(c))) == oni ? b.kishuku : 0;
        set |= stem == t.tsukitoku[m] ? b.tsukitoku : 0;
        set |= branch == t.jisshi[m] ? b.jisshi : 0;
        set |= indexOf(t.gomu, pair) >= 0 ? b.gomu : 0;
        set |= branch == t.kiko[m] ? b.kiko : 0;
        set |= branch == t.chiimi[m] ? b.chiimi : 0;
        set |= branch == t.tenka[m] ? b.tenka | b.rojaku : 0;
        set |= branch == t.chika[m] ? b.chika : 0;
        // The 30th day from 小寒 is marked even when 立春 has opened 寅月.
        const bool omo = d - monthStart + 1 == kOmoDay[m] || (month == 1 && d - shokan + 1 == 30);
        set |= omo ? b.omo : 0;
        set |= indexOf(t.junichi, branch) >= 0 ? b.junichi : 0;
        set |= t.fuku[m].substr(0, 2) == stem || t.fuku[m].substr(2, 2) == stem ? b.fuku : 0;
        set |= branch == t.taika[m] ? b.taika : 0;
        set |= branch == t.metsumon[m] ? b.metsumon : 0;

        const int32_t gedan = ad2gedan(c), gedanS = ad2gedanS(c);
        EXPECT_EQ(gedan, set | kueOf(adto9rekL(c), pair));
        EXPECT_EQ(gedanS, set | kueOf(adto9rekS(c), pair));
        if (gedan != (set | kueOf(adto9rekL(c), pair)) ||
            gedanS != (set | kueOf(adto9rekS(c), pair))) {
            return seen;
        }
        for (std::size_t k = 0; k < seen.items.size(); ++k) seen.items[k] += (gedan >> k) & 1;
    }
    return seen;
}

TEST(AlmanacRows, EveryDayOfTheSpanByTheTables) {
    const Tables& t = tables();
    for (std::size_t k = 0; k < t.items.size(); ++k) {
        ASSERT_EQ(nameOr(ged2name(static_cast<int32_t>(k))), t.items[k]);
    }
    for (const auto* month : {&t.monthBranch, &t.jisshi, &t.kiko, &t.chiimi, &t.tenka, &t.chika,
                              &t.taika, &t.metsumon, &t.tsukitoku, &t.fuku}) {
        ASSERT_EQ(month->size(), 12u);
    }
    const Seen japan = walk(kFirst, kLast, 135.0);
    for (int32_t n : japan.choku) EXPECT_GT(n, 0);
    for (int32_t n : japan.items) EXPECT_GT(n, 0);
    // One 往亡日 in each solar month from 丑月 1870 to 子月 2100 (the 子月
    // of 1869 had its 20th day in December 1869).
    EXPECT_EQ(japan.items[11], 231 * 12);
    // Other meridians move the sectional terms' local days, and with them
    // the 直 and the items of the solar month.
    const Seen east = walk(testsupport::daysFromCivil(2060, 1, 1), kLast, 139.75);
    const Seen west = walk(testsupport::daysFromCivil(1990, 1, 1),
                           testsupport::daysFromCivil(2040, 12, 31), -75.0);
    // A meridian a fraction of a minute from Greenwich reads the instants
    // with one division; the terms' days and the rows must still agree.
    const Seen odd = walk(testsupport::daysFromCivil(1870, 1, 1),
                          testsupport::daysFromCivil(1899, 12, 31), 100.1234);
    EXPECT_EQ(east.items[11], 41 * 12);
    EXPECT_EQ(west.items[11], 51 * 12);
    EXPECT_EQ(odd.items[11], 30 * 12);
}

// The ends of the span and of the arguments, and the 丑月 whose 30th day is
// the 立春 day.
TEST(AlmanacRows, EdgesOfSpanArgumentsAndNames) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const CalendarDate outside[] = {
        {1869, 12, 31, 0, 0, 0, 135.0}, {2101, 1, 1, 0, 0, 0, 135.0},   {2024, 6, 15, 0, 0, 0, nan},
        {2024, 6, 15, 0, 0, 0, 181.0},  {2024, 6, 15, 0, 0, 0, -181.0}, {2024, 6, 15, 0, 0, 0, inf},
        {1870, 1, 0, 0, 0, 0, 135.0},  // runs back to 1869-12-31
    };
    for (const CalendarDate& c : outside) {
        SCOPED_TRACE(testing::Message()
                     << c.year << "-" << c.month << "-" << c.day << " at " << c.longitude);
        EXPECT_EQ(ad2cyoku(c), -999);
        EXPECT_EQ(ad2gedan(c), -999);
        EXPECT_EQ(ad2gedanS(c), -999);
    }
    // In span, each against the same day written plainly at 135 east: the
    // first and last days, fields that run on, a clock time, and -180 where
    // ad2heto already counts the next day.
    struct Same {
        CalendarDate date;
        Ymd plain;
    };
    const Same same[] = {
        {{1870, 1, 1, 0, 0, 0, 135.0}, {1870, 1, 1}},
        {{2100, 12, 31, 23, 59, 59, 135.0}, {2100, 12, 31}},
        {{2024, 12, 32, 0, 0, 0, 135.0}, {2025, 1, 1}},
        {{2025, 2, 29, 0, 0, 0, 135.0}, {2025, 3, 1}},
        {{2024, 6, 15, 0, 0, 0, -180.0}, {2024, 6, 15}},
        {{2024, 6, 15, 0, 0, 0, 180.0}, {2024, 6, 15}},
    };
    for (const Same& s : same) {
        SCOPED_TRACE(testing::Message()
                     << s.plain.year << "-" << s.plain.month << "-" << s.plain.day);
        EXPECT_GE(ad2cyoku(s.date), 0);
        EXPECT_EQ(ad2cyoku(s.date), ad2cyoku(at(s.plain)));
        EXPECT_EQ(ad2gedan(s.date), ad2gedan(at(s.plain)));
    }
    // A 丑月 of 29 days: its 30th day is the 立春 day, marked; in a 丑月 of
    // 30 days (2022) the 30th is the day before 立春, and 立春 is not.
    const std::string risshun = testsupport::toCp932("立春");
    for (const Ymd d :
         {Ymd{1871, 2, 4}, Ymd{1945, 2, 4}, Ymd{2021, 2, 3}, Ymd{2024, 2, 4}, Ymd{2099, 2, 3}}) {
        EXPECT_EQ(nameOr(sek2name(ad2sekki(at(d)))), risshun) << d.year;
        EXPECT_NE(ad2gedan(at(d)) & bit("往亡日"), 0) << d.year;
    }
    EXPECT_NE(ad2gedan(at({2022, 2, 3})) & bit("往亡日"), 0);
    EXPECT_EQ(ad2gedan(at({2022, 2, 4})) & bit("往亡日"), 0);
    EXPECT_EQ(nameOr(sek2name(ad2sekki(at({2022, 2, 4})))), risshun);

    // Names: in range the table's, outside null.
    EXPECT_EQ(nameOr(cyo2name(0)), tables().choku[0]);
    EXPECT_EQ(nameOr(cyo2name(11)), tables().choku[11]);
    EXPECT_EQ(nameOr(ged2name(16)), tables().items[16]);
    for (int32_t n : {-1, 12, INT_MIN, INT_MAX}) EXPECT_EQ(cyo2name(n), nullptr) << n;
    for (int32_t n : {-1, 17, INT_MIN, INT_MAX}) EXPECT_EQ(ged2name(n), nullptr) << n;
}

// Days as almanac pages print them: the 直 (empty where a page gives none), the items the page
// names, and the items whose presence or absence it states (a page that shows 天赦日, 受死日 or
// 十死日 leaves the others out).
struct Published {
    Ymd date;
    const char* choku;
    const char* named;
    const char* stated;
};
constexpr const char* kGoodDays = "天恩日 神吉日 鬼宿日 月徳日";
constexpr const char* kKoyominote = "天恩日 神吉日 鬼宿日 月徳日 十死日";
// A page that prints every item but 凶会日 and 往亡日.
constexpr const char* kAllButKueOmo =
    "天恩日 神吉日 鬼宿日 月徳日 十死日 五墓日 帰忌日 血忌日 天火日 地火日 重日 復日 大禍日 狼藉日 "
    "滅門日";

TEST(AlmanacRows, PublishedAlmanacPages) {
    const Published pages[] = {
        // https://www.takanohakusan.jp/blog/article/3700/ (令和3年12月; 大雪 on the 7th)
        {{2021, 12, 5}, "建", "", ""},
        {{2021, 12, 6}, "除", "", ""},
        {{2021, 12, 7}, "除", "", ""},
        {{2021, 12, 8}, "満", "", ""},
        {{2021, 12, 9}, "平", "", ""},
        {{2021, 12, 10}, "定", "", ""},
        {{2021, 12, 11}, "執", "", ""},
        {{2021, 12, 12}, "破", "", ""},
        {{2021, 12, 13}, "危", "", ""},
        {{2021, 12, 14}, "成", "", ""},
        // https://higoyo.me/?p=5161
        {{2025, 2, 10}, "成", "", ""},
        // https://higoyo.me/?p=6765
        {{2026, 3, 18}, "建", "", ""},
        // https://koyominote.com/post/calendar-day/?date=YYYY-MM-DD, one page a day
        {{1900, 1, 5}, "満", "", kKoyominote},
        {{1900, 7, 6}, "開", "天恩日 鬼宿日", kKoyominote},
        {{1900, 10, 15}, "閉", "神吉日", kKoyominote},
        {{1942, 5, 11}, "危", "天恩日", kKoyominote},
        {{1943, 3, 22}, "建", "天恩日 神吉日", kKoyominote},
        {{1944, 6, 5}, "危", "神吉日 月徳日", kKoyominote},
        {{1966, 6, 20}, "定", "天恩日", kKoyominote},
        {{2021, 12, 1}, "成", "天恩日", kKoyominote},
        {{2022, 10, 22}, "開", "", ""},  // 天赦日
        {{2024, 12, 6}, "執", "鬼宿日 月徳日", kKoyominote},
        {{2025, 2, 5}, "平", "神吉日", kKoyominote},
        {{2026, 9, 26}, "破", "神吉日", kKoyominote},
        {{2030, 9, 30}, "危", "天恩日", kKoyominote},
        {{2033, 1, 13}, "閉", "", ""},  // 天赦日
        {{2039, 1, 22}, "平", "", kKoyominote},
        {{2044, 1, 22}, "執", "神吉日 月徳日", kKoyominote},
        {{2044, 10, 22}, "破", "", kKoyominote},
        {{2047, 7, 27}, "納", "", kKoyominote},
        {{2058, 12, 28}, "建", "", ""},  // 天赦日
        {{2061, 9, 4}, "除", "十死日", "十死日"},
        {{2061, 10, 20}, "納", "", kKoyominote},
        {{2067, 12, 29}, "建", "天恩日 神吉日 月徳日", kKoyominote},
        {{2071, 1, 12}, "執", "天恩日 神吉日", kKoyominote},
        {{2071, 7, 20}, "成", "神吉日", kKoyominote},
        {{2071, 10, 8}, "除", "天恩日 神吉日", kKoyominote},
        {{2075, 2, 10}, "破", "神吉日", kKoyominote},
        {{2077, 1, 23}, "建", "十死日", "十死日"},
        {{2084, 10, 19}, "納", "", kKoyominote},
        {{2094, 12, 20}, "除", "天恩日 神吉日", kKoyominote},
        {{1985, 11, 23}, "平", "天恩日", kKoyominote},
        {{2043, 12, 12}, "除", "", kKoyominote},
        {{2046, 1, 12}, "破", "", kKoyominote},
        {{2071, 11, 23}, "開", "十死日", "十死日"},
        {{2080, 11, 23}, "開", "十死日", "十死日"},
        {{2081, 1, 23}, "納", "", kKoyominote},
        {{2017, 12, 22}, "危", "天恩日", kKoyominote},
        {{2018, 3, 9}, "納", "神吉日 鬼宿日", "天恩日 神吉日 鬼宿日"},  // the page cut short
        {{2046, 3, 26}, "執", "神吉日 月徳日", kKoyominote},
        {{2098, 3, 18}, "破", "天恩日", "天恩日"},  // the page cut short
        {{2093, 12, 27}, "平", "", ""},             // 受死日
        // https://koyominote.com/post/calendar-day-0317/?y=2026
        {{2026, 3, 17}, "閉", "", kKoyominote},
        // https://koyominote.com/calendar/day-0124/?y=2064
        {{2064, 1, 24}, "定", "", kKoyominote},
        // https://koyominote.com/post/calendar-day-0113/?y=2023
        {{2023, 1, 13}, "破", "", kKoyominote},
        // https://koyominote.com/calendar/day-0117/?y=2023
        {{2023, 1, 17}, "開", "", kKoyominote},
        // https://koyomishokunin.com/20220107_koyomi (鬼 from its 二十八宿 line)
        {{2022, 1, 7}, "危", "神吉日 鬼宿日 月徳日", kGoodDays},
        // https://koyomishokunin.com/?p=9898
        {{2022, 1, 17}, "執", "神吉日 月徳日", kGoodDays},
        // https://shino168.com/news/2021-4-14%e6%b0%b4%e3%81%ae%e3%81%93%e3%82%88%e3%81%bf%e3%80%80%e6%8b%9b%e7%a6%8f%e3%81%ae%e6%89%8b%e3%81%b3%e3%81%8d
        {{2021, 4, 14}, "建", "", ""},
        // https://shino168.com/news/2021-12-12_koyomi
        {{2021, 12, 12}, "破", "", ""},
        // https://www.shino168.com/news/2022-5-11_koyomi/
        {{2022, 5, 11}, "危", "", ""},
        // https://shino168.com/news/2022-12-1_koyomi
        {{2022, 12, 1}, "除", "", ""},
        // https://www.shino168.com/news/2022-12-2_koyomi/
        {{2022, 12, 2}, "満", "", ""},
        // https://www.shino168.com/news/2023-2-20_koyomi/
        {{2023, 2, 20}, "危", "", ""},
        // https://www.shino168.com/news/2025-9-08_koyomi
        {{2025, 9, 8}, "危", "", ""},
        // https://santai-jinja.jp/blog/ichiryumambaibi
        {{2024, 1, 1}, "", "天恩日", "天恩日"},
        // https://2996.info/kaiun/356/ (2022年5月; 立夏 on the 5th)
        {{2022, 5, 1}, "", "血忌日", kAllButKueOmo},
        {{2022, 5, 2}, "", "神吉日", kAllButKueOmo},
        {{2022, 5, 3}, "", "", kAllButKueOmo},
        {{2022, 5, 4}, "", "重日", kAllButKueOmo},
        {{2022, 5, 5}, "", "神吉日", kAllButKueOmo},
        {{2022, 5, 6}, "", "神吉日", kAllButKueOmo},
        {{2022, 5, 7}, "", "神吉日 月徳日 血忌日 地火日 大禍日", kAllButKueOmo},
        {{2022, 5, 8}, "", "神吉日 十死日 天火日 狼藉日", kAllButKueOmo},
        {{2022, 5, 9}, "", "復日", kAllButKueOmo},
        {{2022, 5, 10}, "", "神吉日 重日", kAllButKueOmo},
        {{2022, 5, 11}, "", "天恩日", kAllButKueOmo},
        {{2022, 5, 12}, "", "天恩日 神吉日 帰忌日 五墓日", kAllButKueOmo},
        {{2022, 5, 13}, "", "天恩日 復日 滅門日", kAllButKueOmo},
        {{2022, 5, 14}, "", "天恩日 神吉日", kAllButKueOmo},
        {{2022, 5, 15}, "", "天恩日 五墓日", kAllButKueOmo},
    };
    for (const Published& p : pages) {
        SCOPED_TRACE(testing::Message() << p.date.year << "-" << p.date.month << "-" << p.date.day);
        const CalendarDate c = at(p.date);
        if (*p.choku != '\0') {
            EXPECT_EQ(nameOr(cyo2name(ad2cyoku(c))), testsupport::toCp932(p.choku));
        }
        const int32_t gedan = ad2gedan(c);
        for (const std::string& item : names(p.stated)) {
            const int32_t k = indexOf(tables().items, item);
            ASSERT_GE(k, 0);
            EXPECT_EQ((gedan >> k) & 1, indexOf(names(p.named), item) >= 0 ? 1 : 0)
                << nameOr(ged2name(k));
        }
        for (const std::string& item : names(p.named)) {
            EXPECT_NE(indexOf(names(p.stated), item), -1) << "named but not stated";
        }
    }
}

}  // namespace
