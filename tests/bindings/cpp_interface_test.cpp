// The C++ interface against the exports it stands for: every day 1870-2100,
// every name of every table, the solar terms, holidays and month sheets, and
// what it answers for dates and arguments it cannot take.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "holidays_by_law.h"
#include "support/sjis.h"
#include "vorane2.hpp"

namespace {

using namespace std::chrono;
using testsupport::toCp932;
namespace v = vorane2;

CalendarDate at(const year_month_day& d, double longitude = 135.0) {
    return {static_cast<int>(d.year()),
            static_cast<int>(static_cast<unsigned>(d.month())),
            static_cast<int>(static_cast<unsigned>(d.day())),
            0.0,
            0.0,
            0.0,
            longitude};
}

// Every name the interface gives, turned back into Shift-JIS, is the
// export's own bytes.
TEST(CppInterface, NamesAreTheLibrarysInUtf8) {
    const year_month_day d{year{2000}, January, day{1}};
    for (int32_t i = 0; i < 60; ++i) {
        const auto k = v::kanshi(sys_days{d} + days{i});
        EXPECT_EQ(toCp932(std::string(k->day.name)), eno2name(k->day.number));
    }
    for (int32_t i = 0; i < 28; ++i) {
        const auto m = v::mansion28(sys_days{d} + days{i});
        EXPECT_EQ(toCp932(std::string(m->name)), A28toname(m->number));
    }
    int seen27 = 0, seen6 = 0, seenStars = 0;
    for (int32_t i = 0; i < 400; ++i) {
        const year_month_day day_i{sys_days{d} + days{i}};
        const auto m = v::mansion27(day_i);
        const auto r = v::rokuyo(day_i);
        const auto k = v::kyusei(day_i);
        EXPECT_EQ(toCp932(std::string(m->name)), A27toname(m->number));
        EXPECT_EQ(toCp932(std::string(r->name)), rno2name(r->number));
        EXPECT_EQ(toCp932(std::string(k->day.name)), kno2name(k->day.number));
        seen27 |= 1 << m->number;
        seen6 |= 1 << r->number;
        seenStars |= 1 << k->day.number;
    }
    for (int32_t i = 0; i < VRN_ALMANAC_ITEMS; ++i) {
        EXPECT_EQ(toCp932(std::string(v::detail::name_utf8(v::detail::names::almanac, i))),
                  rek2name(i));
    }
    for (int32_t i = 0; i < 24; ++i) {
        EXPECT_EQ(toCp932(std::string(v::detail::name_utf8(v::detail::names::solar_term, i))),
                  sek2name(i));
    }
    for (int32_t i = 0; i < 12; ++i) {
        EXPECT_EQ(toCp932(std::string(v::detail::name_utf8(v::detail::names::choku, i))),
                  cyo2name(i));
    }
    for (int32_t i = 0; i < VRN_LOWER_ROW_ITEMS; ++i) {
        EXPECT_EQ(toCp932(std::string(v::detail::name_utf8(v::detail::names::lower_row, i))),
                  ged2name(i));
    }
    EXPECT_TRUE(v::detail::name_utf8(v::detail::names::six_day, 6).empty());
    EXPECT_TRUE(v::detail::name_utf8(v::detail::names::star, -1).empty());
    EXPECT_TRUE(v::detail::name_utf8(v::detail::names::choku, 12).empty());
    EXPECT_TRUE(v::detail::name_utf8(v::detail::names::lower_row, VRN_LOWER_ROW_ITEMS).empty());
    EXPECT_TRUE(v::detail::name_utf8(static_cast<v::detail::names>(9), 0).empty());
    EXPECT_EQ(seen27, (1 << 27) - 1);
    EXPECT_EQ(seen6, 63);
    EXPECT_EQ(seenStars, 511);
}

// One walk over every day 1870-2100 and a month on either side: each
// function answers exactly what its exports answer, and nothing where they
// have no answer.
TEST(CppInterface, EqualsTheExportsOnEveryDay) {
    const sys_days first{year{1869} / December / 1};
    const sys_days last{year{2101} / January / 31};
    int answered = 0;
    for (sys_days t = first; t <= last; t += days{1}) {
        const year_month_day d{t};
        const CalendarDate c = at(d);
        for (const v::month_rule rule : {v::month_rule::terms, v::month_rule::solstice}) {
            const bool terms = rule == v::month_rule::terms;
            const LunisolarDate l = terms ? adto9rekL(c) : adto9rekS(c);
            const auto got = v::lunisolar(d, rule);
            ASSERT_EQ(got.has_value(), l.month != -999) << static_cast<int>(d.year());
            const auto r = v::rokuyo(d, rule);
            const auto m = v::mansion27(d, rule);
            const auto s = v::selected(d, rule);
            ASSERT_EQ(r.has_value(), got.has_value());
            ASSERT_EQ(m.has_value(), got.has_value());
            ASSERT_EQ(s.has_value(), got.has_value());
            if (!got) continue;
            ++answered;
            ASSERT_EQ(*got, (v::lunisolar_date{l.year, static_cast<uint32_t>(l.month),
                                               static_cast<uint32_t>(l.day), l.leap == 'Y'}));
            ASSERT_EQ(r->number, terms ? ad26youL(c) : ad26youS(c));
            ASSERT_EQ(m->number, terms ? adto27L(c) : adto27S(c));
            const v::selected_days want{tensyabi(c) == 'Y', kurobi(c) == 'Y', sanrinbo(c) == 'Y',
                                        (terms ? fujyojyuL(c) : fujyojyuS(c)) == 'Y',
                                        teniti(c) == 'Y'};
            ASSERT_EQ(*s, want);
        }
        const auto k = v::kanshi(d);
        ASSERT_EQ(k->year.number, ad2neto(c));
        ASSERT_EQ(k->month.number, ad2teto(c));
        ASSERT_EQ(k->day.number, ad2heto(c));
        const auto stars = v::kyusei(d);
        ASSERT_EQ(stars->year.number, ad2nkyusei(c));
        ASSERT_EQ(stars->month.number, ad2tkyusei(c));
        ASSERT_EQ(stars->day.number, ad2hkyusei(c));
        ASSERT_EQ(v::mansion28(d)->number, adto28(c));

        // The almanac and the whole lore, where the almanac exports answer.
        const int32_t bits = ad2rekicyu(c);
        const v::month_rule terms = v::month_rule::terms;
        const auto items = v::almanac(d, terms);
        const auto lore = v::lore(d, terms);
        const auto choku = v::choku(d);
        const auto lower = v::lower_row(d, terms);
        const auto lowerS = v::lower_row(d, v::month_rule::solstice);
        ASSERT_EQ(items.has_value(), bits >= 0);
        ASSERT_EQ(lore.has_value(), bits >= 0);
        ASSERT_EQ(choku.has_value(), bits >= 0);
        ASSERT_EQ(lower.has_value(), bits >= 0);
        ASSERT_EQ(lowerS.has_value(), bits >= 0);
        if (!lore) continue;
        ASSERT_EQ(choku->number, ad2cyoku(c));
        int32_t lowerBits = 0;
        for (const v::lower_row_item& item : *lower) lowerBits |= 1 << item.number;
        ASSERT_EQ(lowerBits, ad2gedan(c));
        int32_t lowerBitsS = 0;
        for (const v::lower_row_item& item : *lowerS) lowerBitsS |= 1 << item.number;
        ASSERT_EQ(lowerBitsS, ad2gedanS(c));
        ASSERT_EQ(lore->choku, choku);
        ASSERT_TRUE(std::equal(lore->lower_row.begin(), lore->lower_row.end(), lower->begin(),
                               lower->end()));
        int32_t got = 0;
        for (const v::almanac_item& item : *items) got |= 1 << item.number;
        ASSERT_EQ(got, bits);
        int32_t gotS = 0;
        const auto itemsS = v::almanac(d, v::month_rule::solstice);
        for (const v::almanac_item& item : *itemsS) gotS |= 1 << item.number;
        ASSERT_EQ(gotS, ad2rekicyuS(c));
        ASSERT_TRUE(
            std::equal(lore->almanac.begin(), lore->almanac.end(), items->begin(), items->end()));
        ASSERT_EQ(lore->weekday.c_encoding(), static_cast<unsigned>(ad2youbi(c)));
        ASSERT_EQ(lore->lunisolar, v::lunisolar(d, terms));
        ASSERT_EQ(lore->rokuyo, v::rokuyo(d, terms));
        ASSERT_EQ(lore->mansion27, v::mansion27(d, terms));
        ASSERT_EQ(lore->mansion28, v::mansion28(d));
        ASSERT_EQ(lore->kanshi.year, k->year);
        ASSERT_EQ(lore->kanshi.day, k->day);
        ASSERT_EQ(lore->kyusei.month, stars->month);
        ASSERT_EQ(lore->solar_term ? lore->solar_term->number : -1, ad2sekki(c));
        ASSERT_EQ(lore->moon_age.value_or(-99.9), ad2getrei(c) / 10.0);
        ASSERT_EQ(lore->holiday, tenvo::lawHolidayNameUtf8(tenvo::lawHolidayOn(
                                     static_cast<int>(d.year()), c.month, c.day)));
        const auto loreS = v::lore(d, v::month_rule::solstice);
        ASSERT_EQ(loreS->lunisolar, v::lunisolar(d, v::month_rule::solstice));
        ASSERT_TRUE(std::equal(loreS->lower_row.begin(), loreS->lower_row.end(), lowerS->begin(),
                               lowerS->end()));
    }
    // The span the header states is the exports' span.
    EXPECT_EQ(
        answered,
        2 * ((sys_days{v::lunisolar_last_day} - sys_days{v::lunisolar_first_day}).count() + 1));
    EXPECT_TRUE(v::lunisolar(v::lunisolar_first_day, v::month_rule::terms));
    EXPECT_FALSE(v::lunisolar(year_month_day{sys_days{v::lunisolar_first_day} - days{1}},
                              v::month_rule::terms));
    EXPECT_TRUE(v::lunisolar(v::lunisolar_last_day, v::month_rule::solstice));
    EXPECT_FALSE(v::lunisolar(year_month_day{sys_days{v::lunisolar_last_day} + days{1}},
                              v::month_rule::terms));
}

// One walk over every day of the published calendar, 445-2100, and a day
// on either side: the lore is the free functions' day, each court's era
// date is wareki()'s, the Julian date reads back; from 1870 the published
// items are the solstice exports' wherever those give the published date,
// and the model's own on the days they do not.
TEST(CppInterface, PublishedRuleOnEveryDay) {
    const sys_days first{v::history_first_day};
    const sys_days last{v::history_last_day};
    const sys_days gregorian{year{1582} / October / 15};
    int otherwise = 0;
    for (sys_days t = first - days{1}; t <= last + days{1}; t += days{1}) {
        const year_month_day d{t};
        const CalendarDate c = at(d);
        const LunisolarDate h = adto9rekH(c);
        const auto lunar = v::lunisolar(d);
        ASSERT_EQ(lunar.has_value(), h.month != -999);
        if (lunar) {
            ASSERT_EQ(*lunar, (v::lunisolar_date{h.year, static_cast<uint32_t>(h.month),
                                                 static_cast<uint32_t>(h.day), h.leap == 'Y'}));
        }
        const auto julian = v::to_julian(d);
        ASSERT_EQ(v::from_julian(*julian), d);
        const auto lore = v::lore(d);
        ASSERT_EQ(lore.has_value(), t >= first && t <= last);
        if (!lore) continue;
        ASSERT_EQ(lore->lunisolar, lunar);
        ASSERT_EQ(lore->rokuyo, v::rokuyo(d));
        ASSERT_EQ(lore->mansion27, v::mansion27(d));
        // Before 1582-09-25 the day-count exports read Julian fields: the
        // interface hands them over so, and the day is the model's.
        ASSERT_EQ(lore->kanshi.day, v::kanshi(d)->day);
        ASSERT_EQ(lore->mansion28, v::mansion28(d));
        ASSERT_EQ(lore->julian, t < gregorian ? julian : std::nullopt);
        ASSERT_EQ(lore->wareki_south->text(), *v::wareki(d, v::court::south));
        ASSERT_EQ(lore->wareki_north->text(), *v::wareki(d, v::court::north));
        if (d.year() < year{1870}) continue;

        const auto items = v::almanac(d);
        const auto lower = v::lower_row(d);
        ASSERT_TRUE(
            std::equal(lore->almanac.begin(), lore->almanac.end(), items->begin(), items->end()));
        ASSERT_TRUE(std::equal(lore->lower_row.begin(), lore->lower_row.end(), lower->begin(),
                               lower->end()));
        if (!lunar) continue;
        const auto s = v::selected(d);
        ASSERT_EQ(s->fujoju, items->contains(VRN_FUJOJU));
        const LunisolarDate solstice = adto9rekS(c);
        if (solstice.year == h.year && solstice.month == h.month && solstice.day == h.day &&
            solstice.leap == h.leap) {
            ASSERT_EQ(v::rokuyo(d)->number, ad26youS(c));
            ASSERT_EQ(v::mansion27(d)->number, adto27S(c));
            ASSERT_EQ(s->fujoju, fujyojyuS(c) == 'Y');
            int32_t bits = 0;
            for (const v::almanac_item& item : *items) bits |= 1 << item.number;
            ASSERT_EQ(bits, ad2rekicyuS(c));
            int32_t lowerBits = 0;
            for (const v::lower_row_item& item : *lower) lowerBits |= 1 << item.number;
            ASSERT_EQ(lowerBits, ad2gedanS(c));
        } else {
            ++otherwise;
            ASSERT_EQ(v::rokuyo(d)->number, (h.month + h.day - 1) % 6);
        }
    }
    // January 1870 (before the first stored month) and the months begun a
    // day earlier by the accurate new moon: 1884-04-25 .. 05-24 and
    // 2017-02-26 .. 03-27.
    EXPECT_EQ(otherwise, 31 + 30 + 30);
}

// Era dates both ways, Julian dates both ways, and what neither reads.
TEST(CppInterface, EraAndJulianDates) {
    const year_month_day honnoji = year{1582} / July / 1;
    const v::wareki_reading read = v::from_wareki("天正10年6月2日");
    ASSERT_TRUE(read);
    EXPECT_EQ(read.date, honnoji);
    EXPECT_TRUE(read.message.empty());
    EXPECT_EQ(v::to_julian(honnoji), (v::julian_date{1582, 6, 21}));
    EXPECT_EQ(v::wareki(honnoji), "天正10年6月2日");

    // Both courts: 元弘2年 in the south was 正慶元年 in the north.
    const year_month_day twoCourts = year{1332} / May / 31;
    EXPECT_EQ(v::wareki(twoCourts, v::court::north), "正慶元年4月28日");
    const auto lore = v::lore(twoCourts);
    EXPECT_EQ(lore->era_text(), "元弘2年4月28日（南朝）　正慶元年4月28日（北朝）");
    EXPECT_EQ(lore->wareki_south->era, "元弘");
    EXPECT_EQ(lore->wareki_south->year, 2);
    EXPECT_EQ(lore->wareki_north->era, "正慶");
    EXPECT_EQ(lore->wareki_north->year, 1);
    EXPECT_EQ(v::from_wareki("正慶元年4月28日（北朝）").date, twoCourts);

    const std::array<std::pair<const char*, v::wareki_error>, 9> bad{{
        {"天正21年1月1日", v::wareki_error::no_such_year},
        {"慶長5年閏2月1日", v::wareki_error::no_such_month},
        {"慶長5年1月30日", v::wareki_error::no_such_day},
        {"允恭天皇33年1月1日", v::wareki_error::out_of_span},
        {"天王10年6月2日", v::wareki_error::unknown_era},
        {"大正元年1月1日", v::wareki_error::era_not_in_force},
        {"本能寺の変", v::wareki_error::not_a_date},
        {"1582-07-01", v::wareki_error::not_a_date},
        {"", v::wareki_error::not_a_date},
    }};
    for (const auto& [text, error] : bad) {
        const v::wareki_reading r = v::from_wareki(text);
        EXPECT_FALSE(r) << text;
        EXPECT_EQ(r.error, error) << text;
        // The message quotes the text (appended piece by piece: g++ 12 warns
        // wrongly of overlap in "'" + text + "'").
        std::string quoted(1, '\'');
        quoted.append(text).push_back('\'');
        EXPECT_NE(r.message.find(quoted), std::string::npos) << r.message;
    }

    EXPECT_EQ(v::to_julian(year{1582} / October / 15), (v::julian_date{1582, 10, 5}));
    EXPECT_EQ(v::from_julian({1582, 10, 4}), year{1582} / October / 14);
    EXPECT_EQ(v::from_julian({1500, 2, 29}), year{1500} / March / 10);  // a Julian leap day
    for (const v::julian_date& none : std::array<v::julian_date, 5>{
             {{1582, 2, 29}, {1582, 4, 31}, {1582, 13, 1}, {1582, 1, 0}, {32767, 12, 31}}}) {
        EXPECT_FALSE(v::from_julian(none)) << none.year << "-" << none.month << "-" << none.day;
    }
    EXPECT_FALSE(v::wareki(year{445} / January / 24));
    EXPECT_FALSE(v::wareki(year{2101} / January / 1, v::court::north));
    EXPECT_FALSE(v::wareki(year{2020} / February / 30));
    EXPECT_FALSE(v::wareki(honnoji, static_cast<v::court>(2)));
    // A rule that is none of the three answers nothing.
    const auto noRule = static_cast<v::month_rule>(3);
    EXPECT_FALSE(v::lunisolar(honnoji, noRule));
    EXPECT_FALSE(v::lore(honnoji, noRule));
    EXPECT_FALSE(v::almanac(year{2020} / June / 1, noRule));
    EXPECT_FALSE(v::sheet(year{2020} / June, v::sheet_mode::rokuyo, {noRule}));
    // The published sheets reach 445-01 and no earlier.
    EXPECT_TRUE(v::sheet(year{445} / January, v::sheet_mode::kyureki));
    EXPECT_FALSE(v::sheet(year{444} / December, v::sheet_mode::kyureki));
}

// The era dates of the lore at the eras' first days and before 1873.
TEST(CppInterface, EraDates) {
    const std::array<std::pair<year_month_day, const char*>, 7> cases{{
        {year{1870} / June / 1, "明治3年"},
        {year{1873} / January / 1, "明治6年1月1日"},
        {year{1912} / July / 29, "明治45年7月29日"},
        {year{1912} / July / 30, "大正元年7月30日"},
        {year{1926} / December / 25, "昭和元年12月25日"},
        {year{1989} / January / 8, "平成元年1月8日"},
        {year{2019} / May / 1, "令和元年5月1日"},
    }};
    for (const auto& [date, text] : cases) {
        const auto lore = v::lore(date, v::month_rule::terms);
        ASSERT_TRUE(lore && lore->era);
        EXPECT_EQ(lore->era_text(), text);
        EXPECT_EQ(
            std::string(lore->era->name) + (lore->era->year == 1 ? "元" : ""),
            std::string(text).substr(0, lore->era->name.size() + (lore->era->year == 1 ? 3 : 0)));
    }
    EXPECT_TRUE(v::lore(year{1870} / June / 1, v::month_rule::terms)->era->lunisolar_year);
    EXPECT_FALSE(v::lore(year{1869} / December / 31, v::month_rule::terms));
    EXPECT_FALSE(v::lore(year{2101} / January / 1, v::month_rule::terms));
    EXPECT_FALSE(v::almanac(year{2020} / February / 30));
}

// Another meridian reaches the exports that read one.
TEST(CppInterface, MeridianReachesTheExports) {
    // The terms' days move with the meridian, and the year's and month's
    // pairs and stars with them.
    for (const double lon : {135.0, -170.0, 0.0}) {
        for (int y = 1870; y <= 2100; y += 7) {
            const year_month_day d{year{y}, February, day{4}};
            EXPECT_EQ(v::kanshi(d, lon)->year.number, ad2neto(at(d, lon)));
            EXPECT_EQ(v::kyusei(d, lon)->month.number, ad2tkyusei(at(d, lon)));
            EXPECT_EQ(v::solar_terms(year{y}, lon)->at(2).date.day(),
                      day{static_cast<unsigned>(y2risyun(y, lon))});
            int32_t bits = 0;
            const auto items = v::almanac(d, v::month_rule::terms, lon);
            for (const auto& item : *items) bits |= 1 << item.number;
            EXPECT_EQ(bits, ad2rekicyu(at(d, lon)));
            EXPECT_EQ(v::choku(d, lon)->number, ad2cyoku(at(d, lon)));
            int32_t lowerBits = 0;
            const auto lower = v::lower_row(d, v::month_rule::terms, lon);
            for (const auto& item : *lower) lowerBits |= 1 << item.number;
            EXPECT_EQ(lowerBits, ad2gedan(at(d, lon)));
        }
    }
}

TEST(CppInterface, SolarTermsOfEveryYear) {
    using Term = int32_t(VRN_CALL*)(int32_t, double);
    const std::array<Term, 24> exports{y2syokan, y2taikan, y2risyun, y2usui,   y2ktitu,  y2syunbn,
                                       y2seimei, y2kokuu,  y2rikka,  y2syoman, y2bousyu, y2gesi,
                                       y2syusyo, y2taisyo, y2risyuu, y2syosyo, y2hakuro, y2syuubn,
                                       y2kanro,  y2soukou, y2rittou, y2syostu, y2taistu, y2touji};
    const std::array<const char*, 24> names{"小寒", "大寒", "立春", "雨水", "啓蟄", "春分",
                                            "清明", "穀雨", "立夏", "小満", "芒種", "夏至",
                                            "小暑", "大暑", "立秋", "処暑", "白露", "秋分",
                                            "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};
    for (int y = 1870; y <= 2100; ++y) {
        const auto terms = v::solar_terms(year{y});
        ASSERT_TRUE(terms);
        for (std::size_t i = 0; i < 24; ++i) {
            const v::solar_term& t = (*terms)[i];
            ASSERT_EQ(t.name, names[i]);
            ASSERT_EQ(t.date, (year_month_day{year{y}, month{static_cast<unsigned>(i / 2 + 1)},
                                              day{static_cast<unsigned>(exports[i](y, 135.0))}}));
            ASSERT_EQ(v::solar_term_on(t.date)->name, names[i]);
        }
        ASSERT_FALSE(v::solar_term_on(year_month_day{sys_days{(*terms)[5].date} + days{1}}));
    }
}

TEST(CppInterface, HolidaysByLaw) {
    int total = 0;
    for (int y = 1948; y <= 2100; ++y) {
        const auto list = v::holidays(year{y});
        ASSERT_TRUE(list);
        year_month_day before{year{y}, January, day{0}};
        for (const v::holiday& h : *list) {
            ASSERT_TRUE(h.date.ok());
            ASSERT_GT(sys_days{h.date}, sys_days{before});
            before = h.date;
            const auto name =
                tenvo::lawHolidayOn(y, static_cast<int>(static_cast<unsigned>(h.date.month())),
                                    static_cast<int>(static_cast<unsigned>(h.date.day())));
            ASSERT_EQ(h.name, tenvo::lawHolidayNameUtf8(name));
            ++total;
        }
    }
    EXPECT_GT(total, 153 * 9);
    EXPECT_EQ((*v::holidays(year{2019}))[0].name, "元日");
}

// Every month 1870-2100 laid out by the sheet: each day under its weekday,
// with the item the other functions give for it.
TEST(CppInterface, MonthSheetsCarryTheDaysItems) {
    for (int y = 1870; y <= 2100; ++y) {
        for (unsigned mo = 1; mo <= 12; ++mo) {
            const year_month ym{year{y}, month{mo}};
            const bool law = y % 2 == 0;
            const int kind = y % 3;  // 0 kanshi, 1 rokuyo, 2 choku
            const v::sheet_mode mode = kind == 0   ? v::sheet_mode::kanshi
                                       : kind == 1 ? v::sheet_mode::rokuyo
                                                   : v::sheet_mode::choku;
            const auto sheet = v::sheet(ym, mode, {v::month_rule::terms, law});
            ASSERT_TRUE(sheet);
            const auto holidays = law ? v::holidays(year{y}) : std::nullopt;
            int days_seen = 0;
            for (std::size_t i = 0; i < 42; ++i) {
                const v::sheet_cell& cell = sheet->cells[i];
                if (cell.day == 0) continue;
                ++days_seen;
                const year_month_day d{ym / day{cell.day}};
                ASSERT_EQ(weekday{sys_days{d}}.c_encoding(), i % 7);
                const auto item = kind == 0   ? std::optional{v::kanshi(d)->day}
                                  : kind == 1 ? v::rokuyo(d, v::month_rule::terms)
                                              : v::choku(d);
                ASSERT_EQ(cell.note(), item ? item->name : "");
                bool holiday = false;
                if (holidays) {
                    for (const v::holiday& h : *holidays) holiday |= h.date == d;
                    ASSERT_EQ(cell.colour, holiday ? 0U : i % 7);
                }
            }
            ASSERT_EQ(days_seen, static_cast<int>(static_cast<unsigned>((ym / last).day())));
        }
    }
    const auto sheet = v::sheet(year{2033} / September, v::sheet_mode::mansion27,
                                {v::month_rule::solstice, false});
    EXPECT_EQ(sheet->cells[4].note(),
              std::string(v::mansion27(year{2033} / September / 1, v::month_rule::solstice)->name) +
                  "宿");
    const std::string text = sheet->text();
    EXPECT_EQ(text.substr(0, text.find('\n')), "９月                        ");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 14);
    EXPECT_EQ(sheet->shift_jis_text[420], '\0');
}

// Dates that are no dates, spans and years outside the tables, meridians
// that are no meridians: nothing, never a sentinel.
TEST(CppInterface, RefusesWhatItCannotAnswer) {
    const year_month_day feb30{year{2020}, February, day{30}};
    const year_month_day month13{year{2020}, month{13}, day{1}};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const year_month_day& d : {feb30, month13, year_month_day{year{2020}, month{0}, day{1}}}) {
        EXPECT_FALSE(v::lunisolar(d));
        EXPECT_FALSE(v::rokuyo(d, v::month_rule::solstice));
        EXPECT_FALSE(v::mansion27(d));
        EXPECT_FALSE(v::mansion28(d));
        EXPECT_FALSE(v::kanshi(d));
        EXPECT_FALSE(v::kyusei(d));
        EXPECT_FALSE(v::selected(d));
        EXPECT_FALSE(v::solar_term_on(d));
        EXPECT_FALSE(v::choku(d));
        EXPECT_FALSE(v::lower_row(d, v::month_rule::solstice));
    }
    const year_month_day ok{year{2020}, June, day{1}};
    for (const double lon : {nan, 180.5, -181.0, std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(v::kanshi(ok, lon));
        EXPECT_FALSE(v::kyusei(ok, lon));
        EXPECT_FALSE(v::selected(ok, v::month_rule::terms, lon));
        EXPECT_FALSE(v::solar_terms(year{2020}, lon));
        EXPECT_FALSE(v::almanac(ok, v::month_rule::terms, lon));
        EXPECT_FALSE(v::choku(ok, lon));
        EXPECT_FALSE(v::lower_row(ok, v::month_rule::solstice, lon));
    }
    // The almanac's span, not the lunisolar one: January 1870 has its 直.
    EXPECT_TRUE(v::choku(year{1870} / January / 1));
    EXPECT_FALSE(v::choku(year{1869} / December / 31));
    EXPECT_TRUE(v::lower_row(year{2100} / December / 31));
    EXPECT_FALSE(v::lower_row(year{2101} / January / 1));
    EXPECT_FALSE(v::solar_terms(year{1869}));
    EXPECT_FALSE(v::solar_terms(year{2101}));
    EXPECT_FALSE(v::holidays(year{1947}));
    EXPECT_FALSE(v::holidays(year{2101}));
    EXPECT_FALSE(v::sheet(year{1869} / December, v::sheet_mode::rokuyo, {v::month_rule::terms}));
    EXPECT_FALSE(v::sheet(year{2101} / January, v::sheet_mode::rokuyo));
    EXPECT_FALSE(v::sheet(year{2020} / month{13}, v::sheet_mode::rokuyo));
    EXPECT_FALSE(v::sheet(year{2020} / June, static_cast<v::sheet_mode>(9)));
    EXPECT_FALSE(v::sheet(year{2020} / June, static_cast<v::sheet_mode>(-1)));
    // Years far from the tables still have a 干支 and a 28-mansion day.
    EXPECT_TRUE(v::kanshi(year_month_day{year{-4000}, March, day{1}}));
    EXPECT_TRUE(v::mansion28(year_month_day{year{9999}, March, day{1}}));
}

// ---- The Sun and the Moon at a place -----------------------------------

// The points the national observatory computes for (理科年表, 暦部 各地の
// 日出入): the former Tokyo Observatory at Azabu, and whole-minute points
// of Sapporo and Naha. The times are those of tests/lib/rise_set_test.cpp,
// which names each source: saboten.sakura.ne.jp/~suzu/nichibotsu.htm
// (Sapporo and Tokyo, 2009), blog.goo.ne.jp/motosukeatryukyu/d/20100528
// (Naha, 2009), wacocoro.jp/mid-autumn-harvest-moon01 (the harvest moon of
// 2023) and 理科年表 (Tokyo's Moon of 2006-01-21..23, no moonrise on the
// 22nd).
constexpr v::place kAzabu{35.0 + 39.0 / 60 + 27.7 / 3600, 139.0 + 44.0 / 60 + 29.27 / 3600, ""};
constexpr v::place kSapporoPoint{43.0 + 4.0 / 60, 141.0 + 21.0 / 60, ""};
constexpr v::place kNahaPoint{26.0 + 12.0 / 60, 127.0 + 40.0 / 60, ""};

// A date as the failure messages print it (g++ 12 has no operator<< for it).
std::string iso(const year_month_day& d) {
    return std::to_string(static_cast<int>(d.year())) + "-" +
           std::to_string(static_cast<unsigned>(d.month())) + "-" +
           std::to_string(static_cast<unsigned>(d.day()));
}

TEST(CppInterface, SunAndMoonTimesArePublishedOnes) {
    const struct {
        v::place where;
        year_month_day date;
        const char* rise;  // sunrise and sunset, or moonrise and moonset
        const char* set;
        bool moon;
    } kPublished[] = {
        {kSapporoPoint, 2009y / March / 20, "05:38", "17:47", false},
        {kSapporoPoint, 2009y / June / 21, "03:55", "19:18", false},
        {kSapporoPoint, 2009y / December / 21, "07:03", "16:03", false},
        {kAzabu, 2009y / March / 20, "05:45", "17:53", false},
        {kAzabu, 2009y / September / 23, "05:29", "17:37", false},
        {kAzabu, 2009y / December / 21, "06:47", "16:31", false},
        {kNahaPoint, 2009y / June / 21, "05:38", "19:25", false},
        {kNahaPoint, 2009y / December / 21, "07:12", "17:42", false},
        {kAzabu, 2023y / September / 29, "17:32", "04:54", true},
        {kAzabu, 2006y / January / 21, "23:16", "10:09", true},
        {kAzabu, 2006y / January / 22, "なし", "10:33", true},
        {kAzabu, 2006y / January / 23, "00:16", "11:00", true},
    };
    for (const auto& p : kPublished) {
        const auto t = v::sun_moon_times(p.date, p.where);
        ASSERT_TRUE(t) << iso(p.date);
        EXPECT_EQ(v::clock_text(p.moon ? t->moonrise : t->sunrise, "なし"), p.rise) << iso(p.date);
        EXPECT_EQ(v::clock_text(p.moon ? t->moonset : t->sunset, "なし"), p.set) << iso(p.date);
    }
}

// Every 11th day 1870-2100 at three capitals, a polar point and the date
// line: the six events, the altitudes and the sides of the horizon are the
// exports' own fields; the default place is 東京, the one of that name.
TEST(CppInterface, SunAndMoonTimesAreTheExports) {
    ASSERT_EQ(v::prefectural_capitals().size(), 47u);
    for (const v::place& capital : v::prefectural_capitals()) {
        const auto named = v::place_named(capital.name);
        ASSERT_TRUE(named) << capital.name;
        EXPECT_EQ(named->latitude, capital.latitude);
        EXPECT_EQ(named->longitude, capital.longitude);
    }
    for (const char* other : {"横須賀", "", "東京 ", "Tokyo", "35.68,139.69"}) {
        EXPECT_FALSE(v::place_named(other)) << other;
    }
    EXPECT_EQ(v::tokyo.name, "東京");
    EXPECT_EQ(v::place_named("東京")->latitude, v::tokyo.latitude);

    const auto timeOf = [](int32_t s) -> std::optional<seconds> {
        if (s < 0) return std::nullopt;
        return std::chrono::seconds{s};
    };
    const v::place places[] = {*v::place_named("札幌"),
                               *v::place_named("那覇"),
                               v::tokyo,
                               {78.22, 15.65, ""},
                               {-33.9, -180.0, ""}};
    int polar = 0;
    for (sys_days t{year{1870} / January / 1}; t <= sys_days{year{2100} / December / 31};
         t += days{11}) {
        const year_month_day d{t};
        for (const v::place& p : places) {
            const auto got = v::sun_moon_times(d, p);
            const RiseSetTimes sun = ad2hinode(at(d), p.latitude, p.longitude);
            const RiseSetTimes moon = ad2tukide(at(d), p.latitude, p.longitude);
            ASSERT_TRUE(got) << iso(d);
            ASSERT_EQ(got->sunrise, timeOf(sun.rise)) << iso(d);
            ASSERT_EQ(got->solar_transit, timeOf(sun.transit)) << iso(d);
            ASSERT_EQ(got->sunset, timeOf(sun.set)) << iso(d);
            ASSERT_EQ(got->moonrise, timeOf(moon.rise)) << iso(d);
            ASSERT_EQ(got->lunar_transit, timeOf(moon.transit)) << iso(d);
            ASSERT_EQ(got->moonset, timeOf(moon.set)) << iso(d);
            ASSERT_EQ(got->solar_transit_altitude.value_or(-999.0), sun.altitude) << iso(d);
            ASSERT_EQ(got->lunar_transit_altitude.value_or(-999.0), moon.altitude) << iso(d);
            ASSERT_EQ(got->sun_up_at_midnight, sun.above == 1) << iso(d);
            ASSERT_EQ(got->moon_up_at_midnight, moon.above == 1) << iso(d);
            if (!got->sunrise && !got->sunset) ++polar;
        }
        if (static_cast<int>(d.year()) % 50 == 0) {
            const auto byDefault = v::sun_moon_times(d);
            const auto byName = v::sun_moon_times(d, *v::place_named("東京"));
            ASSERT_TRUE(byDefault && byName);
            EXPECT_EQ(byDefault->moonrise, byName->moonrise);
            EXPECT_EQ(byDefault->sunset, byName->sunset);
        }
    }
    EXPECT_GT(polar, 1000);  // Svalbard's midnight sun and polar night
}

// Days outside 1870-2100, dates that are none, and places off the globe:
// nothing; the ends of both spans answer.
TEST(CppInterface, SunAndMoonTimesRefuseWhatTheyCannotTake) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const year_month_day ok = 2026y / June / 21;
    for (const year_month_day& d :
         {1869y / December / 31, 2101y / January / 1, 2026y / February / 30,
          year_month_day{year{2026}, month{13}, day{1}}}) {
        EXPECT_FALSE(v::sun_moon_times(d)) << iso(d);
    }
    EXPECT_TRUE(v::sun_moon_times(v::sun_moon_first_day));
    EXPECT_TRUE(v::sun_moon_times(v::sun_moon_last_day));
    const struct {
        double latitude, longitude;
        bool answers;
    } kPlaces[] = {{90.0, 180.0, true},   {-90.0, -180.0, true}, {90.5, 139.0, false},
                   {-91.0, 139.0, false}, {35.0, 180.01, false}, {35.0, -200.0, false},
                   {nan, 139.0, false},   {35.0, nan, false},    {inf, 0.0, false},
                   {0.0, -inf, false}};
    for (const auto& p : kPlaces) {
        EXPECT_EQ(v::sun_moon_times(ok, {p.latitude, p.longitude, ""}).has_value(), p.answers)
            << p.latitude << "," << p.longitude;
    }
    EXPECT_EQ(v::clock_text(std::nullopt), "--:--");
    EXPECT_EQ(v::clock_text(seconds{86369}), "23:59");
    EXPECT_EQ(v::clock_text(seconds{86370}), "24:00");
}

// The seasonal items on published days (tests/app/sun_moon_term_test.cpp
// names the sources): 2009-12-21, a 己丑 year, in 大雪's third pentad; 節分
// 2026 faces the 丙午 year's 恵方 and 立春 begins the first pentad; the
// observatory's 伝統的七夕 of 2025, 中秋の名月 of 2025 a day before the full
// moon and 十三夜 of 2024. Then every day of 2026 against the exports.
TEST(CppInterface, SeasonsAreTheLoresAndTheExports) {
    const auto winter = v::seasons(2009y / December / 21);
    ASSERT_TRUE(winter && winter->pentad && winter->eho);
    EXPECT_EQ(winter->pentad->name, "けつ魚群");
    EXPECT_EQ(winter->pentad->reading, "さけのうおむらがる");
    EXPECT_EQ(winter->year_natin, "霹靂火");
    EXPECT_EQ(winter->eho->name, "寅卯の間");
    EXPECT_EQ(winter->eho->compass, "東北東やや東");
    EXPECT_EQ(winter->eho->bearing, 75);
    const auto setsubun = v::seasons(2026y / February / 3);
    ASSERT_TRUE(setsubun && setsubun->eho && setsubun->pentad);
    EXPECT_EQ(setsubun->eho->bearing, 165);
    EXPECT_TRUE(setsubun->eho->of_coming_year);
    EXPECT_EQ(setsubun->pentad->number, 71);
    const auto risshun = v::seasons(2026y / February / 4);
    ASSERT_TRUE(risshun && risshun->pentad);
    EXPECT_EQ(risshun->pentad->name, "東風解凍");
    EXPECT_TRUE(risshun->pentad->begins);
    EXPECT_EQ(risshun->year_natin, "天河水");
    const auto observed = [](const year_month_day& d) {
        std::string names;
        const auto seasons = v::seasons(d);  // kept: the list lives in the optional
        for (const auto& o : seasons->observances) names += std::string(o.name) + " ";
        return names;
    };
    EXPECT_EQ(observed(2025y / August / 29),
              "七夕 伝統的七夕 ");  // 7/7 of the published months too
    EXPECT_EQ(observed(2025y / October / 6), "中秋の名月 ");
    EXPECT_EQ(v::seasons(2025y / October / 6)->full_moon, 2025y / October / 7);
    EXPECT_EQ(observed(2024y / October / 15), "十三夜 ");

    int observances = 0;
    for (sys_days t{2026y / January / 1}; t <= sys_days{2026y / December / 31}; t += days{1}) {
        const year_month_day d{t};
        const auto got = v::seasons(d);
        ASSERT_TRUE(got && got->pentad && got->eho) << iso(d);
        const int32_t pentad = ad2kou(at(d));
        EXPECT_EQ(got->pentad->number, pentad % VRN_KOU_BEGINS) << iso(d);
        EXPECT_EQ(got->pentad->begins, pentad >= VRN_KOU_BEGINS) << iso(d);
        EXPECT_EQ(toCp932(std::string(got->pentad->name)), kou2name(got->pentad->number));
        EXPECT_EQ(toCp932(std::string(got->pentad->reading)), kou2yomi(got->pentad->number));
        EXPECT_EQ(toCp932(std::string(got->day_natin)), eno2natin(ad2heto(at(d))));
        if (!got->eho->of_coming_year) {
            EXPECT_EQ(got->eho->number, ad2ehou(at(d))) << iso(d);
        }
        EXPECT_EQ(got->full_moon.has_value(),
                  got->observances.contains(5) && !v::almanac(d)->contains(VRN_MANGETSU));
        observances += static_cast<int>(got->observances.size());
    }
    EXPECT_EQ(observances, 9);  // each once a year
    EXPECT_FALSE(v::seasons(1869y / December / 31));
    EXPECT_FALSE(v::seasons(2101y / January / 1));
    EXPECT_FALSE(v::seasons(2026y / February / 29));
    EXPECT_TRUE(v::seasons(1870y / January / 1));
}

}  // namespace
