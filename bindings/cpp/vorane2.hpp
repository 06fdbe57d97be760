// vorane2 for C++20: the library's exports with std::chrono dates, UTF-8
// names and std::optional results instead of sentinels.
//
// Every function here calls the exports of vorane2.h (and, for the holidays
// by law, the month sheet and a day's whole lore, the platform-free code of
// the desk calendar built into libvorane2-cxx); nothing is computed a second
// time. Link the target
// vorane2::cxx (CMake) or `pkg-config --libs vorane2-cxx`.
//
// Dates are local days; by default Japan's (135 degrees east), and the
// functions whose exports read a meridian take another one. A result is
// std::nullopt when the date is not a calendar date (2026-02-30), lies
// outside the function's span, or a longitude is outside -180..180.
#ifndef VORANE2_HPP
#define VORANE2_HPP

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "vorane2.h"

namespace vorane2 {

using std::chrono::year_month_day;

// The meridian of Japan standard time.
inline constexpr double japan_meridian = 135.0;

// How lunar months are numbered: by the principal term each holds (the
// exports adto9rekL, ad26youL, adto27L, fujyojyuL), or from the winter
// solstice as published calendars do (adto9rekS, ad26youS, adto27S,
// fujyojyuS). The two differ in eleven months of 1870-2100.
enum class month_rule { terms, solstice };

// The days the lunisolar exports answer (and every function that depends
// on the lunisolar date): from the first stored new moon's month to the eve
// of the last stored new moon.
inline constexpr year_month_day lunisolar_first_day{std::chrono::year{1870}, std::chrono::month{2},
                                                    std::chrono::day{1}};
inline constexpr year_month_day lunisolar_last_day{std::chrono::year{2100}, std::chrono::month{12},
                                                   std::chrono::day{30}};
// The years of the stored solar-term days, and of the months the sheet shows.
inline constexpr int first_table_year = 1870;
inline constexpr int last_table_year = 2100;

struct lunisolar_date {
    int32_t year = 0;    // lunisolar year (that of the month's first day)
    uint32_t month = 0;  // 1..12
    uint32_t day = 0;    // 1..30
    bool leap = false;   // a leap month bearing the number `month`
    friend bool operator==(const lunisolar_date&, const lunisolar_date&) = default;
};

// A number of one of the library's cycles with its name in UTF-8.
struct named {
    int32_t number = 0;
    std::string_view name;
    friend bool operator==(const named&, const named&) = default;
};

// 干支: sexagenary pairs 0..59 (1 甲子 .. 59 壬戌, 0 癸亥).
struct sexagenary {
    named year, month, day;
};

// 九星: stars 0..8 (1 一白 .. 8 八白, 0 九紫).
struct nine_stars {
    named year, month, day;
};

struct solar_term {
    std::string_view name;
    year_month_day date;
};

// The selected days of vorane2.h's exports 48-52 (不成就日 by the rule).
struct selected_days {
    bool tensha = false;    // 天赦日
    bool kurobi = false;    // 黒日
    bool sanrinbo = false;  // 三隣亡
    bool fujoju = false;    // 不成就日
    bool teniti = false;    // 癸巳 (天一天上 begins)
    friend bool operator==(const selected_days&, const selected_days&) = default;
};

struct holiday {
    year_month_day date;
    std::string_view name;  // UTF-8, e.g. "元日"
};

// The holidays by law of one year, in date order; no allocation.
class holiday_list {
  public:
    static constexpr std::size_t capacity = 32;
    const holiday* begin() const { return items_.data(); }
    const holiday* end() const { return items_.data() + count_; }
    std::size_t size() const { return count_; }
    const holiday& operator[](std::size_t i) const { return items_[i]; }

  private:
    friend std::optional<holiday_list> holidays(std::chrono::year year);
    std::array<holiday, capacity> items_{};
    std::size_t count_ = 0;
};

// What the month sheet writes under each day (the program's calendar modes).
enum class sheet_mode : int32_t {
    rokuyo = 0,     // 六曜
    kyusei = 1,     // 九星 of the day
    mansion27 = 2,  // 二十七宿
    mansion28 = 3,  // 二十八宿
    kanshi = 4,     // 干支 of the day
    sekki = 5,      // the solar term beginning that day
    almanac = 6,    // 暦注: the day's most notable almanac item
    choku = 7,      // 十二直: the day's 直
};

struct sheet_options {
    month_rule rule = month_rule::terms;
    bool holidays_by_law = false;  // false: the fixed table the program marks by default
};

struct sheet_cell {
    uint32_t day = 0;     // 0: a blank cell outside the month
    uint32_t colour = 0;  // the weekday 0..6 (Sunday .. Saturday), 0 for a holiday too
    std::array<char, 16> note_utf8{};
    uint8_t note_length = 0;
    std::string_view note() const { return {note_utf8.data(), note_length}; }
};

// One month as the program lays it out: six weeks of seven days, Sunday
// first; the cell of week w and weekday d is cells[7 * w + d].
struct month_sheet {
    std::chrono::year_month month;
    std::array<sheet_cell, 42> cells{};
    // The sheet exactly as the program copies it: 14 lines of 28 bytes, each
    // ending in CR LF, and a NUL (Shift-JIS).
    std::array<char, 421> shift_jis_text{};
    // The same text in UTF-8, lines ending in "\n".
    std::string text() const;
};

// One item of a day's almanac: its number 0..28 (vorane2.h, VRN_SETSUBUN ..
// VRN_KAGEN) and its name ("節分" .. "下弦").
struct almanac_item {
    int32_t number = 0;
    std::string_view name;
    friend bool operator==(const almanac_item&, const almanac_item&) = default;
};

// The items of one day in item order, at most Capacity of them; no
// allocation.
template <typename Item, std::size_t Capacity>
class item_list {
  public:
    static constexpr std::size_t capacity = Capacity;
    const Item* begin() const { return items_.data(); }
    const Item* end() const { return items_.data() + count_; }
    std::size_t size() const { return count_; }
    const Item& operator[](std::size_t i) const { return items_[i]; }
    bool contains(int32_t number) const {
        for (const Item& item : *this) {
            if (item.number == number) return true;
        }
        return false;
    }
    void push_back(const Item& item) {
        if (count_ < capacity) items_[count_++] = item;
    }

  private:
    std::array<Item, capacity> items_{};
    std::size_t count_ = 0;
};

using almanac_list = item_list<almanac_item, VRN_ALMANAC_ITEMS>;

// One lower-row item of a day (暦注下段): its number 0..16 (vorane2.h,
// VRN_TENON .. VRN_METSUMON) and its name ("天恩日" .. "滅門日").
struct lower_row_item {
    int32_t number = 0;
    std::string_view name;
    friend bool operator==(const lower_row_item&, const lower_row_item&) = default;
};

// The lower-row items of one day in item order.
using lower_row_list = item_list<lower_row_item, VRN_LOWER_ROW_ITEMS>;

// 和暦: the era name ("明治" .. "令和") and year (1 is 元年). Before 1873,
// when Japan kept the lunisolar calendar, the year is the lunisolar year's
// and the era date shows the year alone.
struct era_date {
    std::string_view name;
    int32_t year = 0;
    bool lunisolar_year = false;
};

// A day's whole lore at 135 degrees east, every item in UTF-8.
struct day_lore {
    year_month_day date;
    std::chrono::weekday weekday;
    std::optional<era_date> era;
    std::optional<lunisolar_date> lunisolar;  // nullopt outside the lunisolar span
    std::optional<named> rokuyo;
    sexagenary kanshi;
    nine_stars kyusei;
    std::optional<named> mansion27;
    named mansion28;
    // The solar term that begins on the day by the accurate theory, numbered
    // by the Sun's longitude / 15 (0 春分 .. 23 啓蟄).
    std::optional<named> solar_term;
    almanac_list almanac;
    std::optional<double> moon_age;  // days since the new moon, at 12:00
    std::string_view holiday;        // the holiday by law, "" for none
    // The era date as text, "令和8年12月9日" ("明治3年" before 1873).
    std::array<char, 48> era_text_utf8{};
    uint8_t era_text_length = 0;
    std::string_view era_text() const { return {era_text_utf8.data(), era_text_length}; }
    // 十二直 (0 建 .. 11 閉) and the lower-row items; with the solstice rule
    // 凶会日 follows the months numbered from the winter solstice.
    std::optional<named> choku;
    lower_row_list lower_row;
};

namespace detail {

// The library's name tables, converted once to UTF-8 and kept back to back
// in one array: table t at name_table_start[t] ..
// name_table_start[t + 1] - 1. The longest name, "土用の丑の日", is 18 bytes.
enum class names : int32_t {
    six_day,
    mansion27,
    mansion28,
    sexagenary,
    star,
    almanac,
    solar_term,
    choku,
    lower_row
};
inline constexpr std::array<int32_t, 10> name_table_start{0,   6,   33,  61,  121,
                                                          130, 159, 183, 195, 212};
struct utf8_name {
    std::array<char, 31> text{};
    uint8_t length = 0;
};
using name_array = std::array<utf8_name, 212>;
const name_array& converted_names();  // converts on its first call

inline std::string_view name_utf8(names table, int32_t index) {
    const auto t = static_cast<std::size_t>(table);
    if (t + 1 >= name_table_start.size()) return {};  // not one of `names`
    if (index < 0 || index >= name_table_start[t + 1] - name_table_start[t]) return {};
    static const name_array& all = converted_names();
    const utf8_name& n = all[static_cast<std::size_t>(name_table_start[t] + index)];
    return {n.text.data(), n.length};
}

inline bool good_longitude(double longitude) { return longitude >= -180.0 && longitude <= 180.0; }

inline CalendarDate c_date(const year_month_day& d, double longitude = japan_meridian) {
    return CalendarDate{static_cast<int32_t>(d.year()),
                        static_cast<int32_t>(static_cast<unsigned>(d.month())),
                        static_cast<int32_t>(static_cast<unsigned>(d.day())),
                        0.0,
                        0.0,
                        0.0,
                        longitude};
}

// The items of a bit set (bit n is item n) as a list, named from `table`;
// nullopt for the exports' error value.
template <typename List>
std::optional<List> items_of_bits(int32_t bits, names table) {
    if (bits < 0) return std::nullopt;
    List list;
    for (int32_t item = 0; item < static_cast<int32_t>(List::capacity); ++item) {
        if (((bits >> item) & 1) != 0) list.push_back({item, name_utf8(table, item)});
    }
    return list;
}

}  // namespace detail

// The lunisolar date (旧暦) of a day; nullopt outside lunisolar_first_day ..
// lunisolar_last_day.
inline std::optional<lunisolar_date> lunisolar(const year_month_day& date,
                                               month_rule rule = month_rule::terms) {
    if (!date.ok()) return std::nullopt;
    const CalendarDate c = detail::c_date(date);
    const LunisolarDate l = rule == month_rule::terms ? adto9rekL(c) : adto9rekS(c);
    if (l.month < 1) return std::nullopt;  // the exports' -999
    return lunisolar_date{l.year, static_cast<uint32_t>(l.month), static_cast<uint32_t>(l.day),
                          l.leap == 'Y'};
}

// 六曜, index 0..5 (0 赤口 .. 5 大安); the lunisolar span.
inline std::optional<named> rokuyo(const year_month_day& date,
                                   month_rule rule = month_rule::terms) {
    if (!date.ok()) return std::nullopt;
    const CalendarDate c = detail::c_date(date);
    const int32_t index = rule == month_rule::terms ? ad26youL(c) : ad26youS(c);
    if (index < 0) return std::nullopt;
    return named{index, detail::name_utf8(detail::names::six_day, index)};
}

// 二十七宿, index 0..26; the lunisolar span.
inline std::optional<named> mansion27(const year_month_day& date,
                                      month_rule rule = month_rule::terms) {
    if (!date.ok()) return std::nullopt;
    const CalendarDate c = detail::c_date(date);
    const int32_t index = rule == month_rule::terms ? adto27L(c) : adto27S(c);
    if (index < 0) return std::nullopt;
    return named{index, detail::name_utf8(detail::names::mansion27, index)};
}

// 二十八宿, index 0..27; any calendar date.
inline std::optional<named> mansion28(const year_month_day& date) {
    if (!date.ok()) return std::nullopt;
    const int32_t index = adto28(detail::c_date(date));
    if (index < 0) return std::nullopt;  // before 4714 BC
    return named{index, detail::name_utf8(detail::names::mansion28, index)};
}

// 干支 of the year (turning on 立春), the solar month (turning on its 節) and
// the day, with the terms' days at `longitude`; any calendar date.
inline std::optional<sexagenary> kanshi(const year_month_day& date,
                                        double longitude = japan_meridian) {
    if (!date.ok() || !detail::good_longitude(longitude)) return std::nullopt;
    const CalendarDate c = detail::c_date(date, longitude);
    const auto pair = [](int32_t n) {
        return named{n, detail::name_utf8(detail::names::sexagenary, n)};
    };
    return sexagenary{pair(ad2neto(c)), pair(ad2teto(c)), pair(ad2heto(c))};
}

// 九星 of the year, the solar month and the day at `longitude`; any calendar
// date.
inline std::optional<nine_stars> kyusei(const year_month_day& date,
                                        double longitude = japan_meridian) {
    if (!date.ok() || !detail::good_longitude(longitude)) return std::nullopt;
    const CalendarDate c = detail::c_date(date, longitude);
    const auto star = [](int32_t n) { return named{n, detail::name_utf8(detail::names::star, n)}; };
    return nine_stars{star(ad2nkyusei(c)), star(ad2tkyusei(c)), star(ad2hkyusei(c))};
}

// The selected days of a date in the lunisolar span (不成就日 needs the
// lunisolar date), seasons and solar months at `longitude`.
inline std::optional<selected_days> selected(const year_month_day& date,
                                             month_rule rule = month_rule::terms,
                                             double longitude = japan_meridian) {
    if (!date.ok() || !detail::good_longitude(longitude)) return std::nullopt;
    if (date < lunisolar_first_day || date > lunisolar_last_day) return std::nullopt;
    const CalendarDate c = detail::c_date(date, longitude);
    const char fujoju = rule == month_rule::terms ? fujyojyuL(c) : fujyojyuS(c);
    return selected_days{tensyabi(c) == 'Y', kurobi(c) == 'Y', sanrinbo(c) == 'Y', fujoju == 'Y',
                         teniti(c) == 'Y'};
}

// The almanac items of a day 1870-01-01 .. 2100-12-31 (ad2rekicyu; with
// the solstice rule, 不成就日 by the months from the winter solstice), the
// day being the local day at `longitude`.
inline std::optional<almanac_list> almanac(const year_month_day& date,
                                           month_rule rule = month_rule::terms,
                                           double longitude = japan_meridian) {
    if (!date.ok() || !detail::good_longitude(longitude)) return std::nullopt;
    const CalendarDate c = detail::c_date(date, longitude);
    return detail::items_of_bits<almanac_list>(
        rule == month_rule::terms ? ad2rekicyu(c) : ad2rekicyuS(c), detail::names::almanac);
}

// 十二直 (中段) of a day 1870-01-01 .. 2100-12-31, 0 建 .. 11 閉 (ad2cyoku),
// the day being the local day at `longitude`. 建 falls on the day whose
// branch is the solar month's, so a sectional term's day repeats the 直 of
// the day before.
inline std::optional<named> choku(const year_month_day& date, double longitude = japan_meridian) {
    if (!date.ok() || !detail::good_longitude(longitude)) return std::nullopt;
    const int32_t index = ad2cyoku(detail::c_date(date, longitude));
    if (index < 0) return std::nullopt;
    return named{index, detail::name_utf8(detail::names::choku, index)};
}

// The lower-row items (暦注下段) of a day 1870-01-01 .. 2100-12-31 (ad2gedan;
// with the solstice rule, 凶会日 by the months from the winter solstice),
// the day being the local day at `longitude`.
inline std::optional<lower_row_list> lower_row(const year_month_day& date,
                                               month_rule rule = month_rule::terms,
                                               double longitude = japan_meridian) {
    if (!date.ok() || !detail::good_longitude(longitude)) return std::nullopt;
    const CalendarDate c = detail::c_date(date, longitude);
    return detail::items_of_bits<lower_row_list>(
        rule == month_rule::terms ? ad2gedan(c) : ad2gedanS(c), detail::names::lower_row);
}

// A day's whole lore, 1870-01-01 .. 2100-12-31, with the lunisolar months
// numbered by `rule`.
std::optional<day_lore> lore(const year_month_day& date, month_rule rule = month_rule::terms);

// The 24 solar terms of a year 1870..2100 in date order, 小寒 (January) to
// 冬至 (December), on local days at `longitude`.
std::optional<std::array<solar_term, 24>> solar_terms(std::chrono::year year,
                                                      double longitude = japan_meridian);

// The solar term whose day is `date` (by solar_terms), if any; nullopt also
// outside 1870..2100.
std::optional<solar_term> solar_term_on(const year_month_day& date,
                                        double longitude = japan_meridian);

// The holidays by law of a year 1948..2100 (the law took effect on
// 1948-07-20), with the substitute and citizens' holidays.
std::optional<holiday_list> holidays(std::chrono::year year);

// The month sheet of a month 1870-01 .. 2100-12.
std::optional<month_sheet> sheet(std::chrono::year_month month, sheet_mode mode,
                                 sheet_options options = {});

}  // namespace vorane2

#endif  // VORANE2_HPP
