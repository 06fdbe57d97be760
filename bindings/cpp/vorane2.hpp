// vorane2 for C++20: the library's exports with std::chrono dates, UTF-8
// names and std::optional results instead of sentinels.
//
// Every function here calls the exports of vorane2.h (and, for the holidays
// by law, the month sheet, a day's whole lore, the era dates, the published
// calendar's items, the times at a place and the seasonal items, the
// platform-free code of the desk calendar built into libvorane2-cxx);
// nothing is computed a second time. Link the target vorane2::cxx (CMake)
// or `pkg-config --libs vorane2-cxx`.
//
// Dates are local days of the proleptic Gregorian calendar (std::chrono's,
// also before 1582; to_julian and from_julian convert); by default Japan's
// (135 degrees east), and the functions whose exports read a meridian take
// another one. A result is std::nullopt when the date is not a calendar
// date (2026-02-30), lies outside the function's span, or a longitude is
// outside -180..180.
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

// How lunar months are numbered:
// - published (the default): as the calendars printed them, the months of
//   the historical tables from 445 to 1872, then numbered from the winter
//   solstice and begun on the accurate new moons (adto9rekH; the 六曜, 27
//   mansions, 不成就日 and 凶会日 of that date, read through the desk
//   calendar's model). 0445-01-25 (Julian 445-01-24) .. 2100-12-30.
// - terms: by the principal term each month holds (the exports adto9rekL,
//   ad26youL, adto27L, fujyojyuL), 1870-02-01 .. 2100-12-30.
// - solstice: from the month holding the winter solstice, over the same
//   stored new moons (adto9rekS, ad26youS, adto27S, fujyojyuS).
// From 1870 the published months differ from the solstice rule's only in
// January 1870 (before the first stored month) and in two months whose new
// moon falls minutes before midnight (1884-04-25, 2017-02-26); the terms
// rule numbers a few more months otherwise (docs/history.md).
// A value outside these three answers std::nullopt wherever a rule is read.
enum class month_rule { terms, solstice, published };

// The days the lunisolar exports of the terms and solstice rules answer
// (and every function that depends on their lunisolar date): from the
// first stored new moon's month to the eve of the last stored new moon.
inline constexpr year_month_day lunisolar_first_day{std::chrono::year{1870}, std::chrono::month{2},
                                                    std::chrono::day{1}};
inline constexpr year_month_day lunisolar_last_day{std::chrono::year{2100}, std::chrono::month{12},
                                                   std::chrono::day{30}};
// The years of the stored solar-term days, and of the months the sheet shows
// under the terms and solstice rules.
inline constexpr int first_table_year = 1870;
inline constexpr int last_table_year = 2100;

// The days of the calendar through history: the published rule's lunisolar
// dates (to lunisolar_last_day), its lore, its sheets' days and the era
// dates, from month 1 day 1 of 445 (Julian 445-01-24) to 2100-12-31.
inline constexpr year_month_day history_first_day{std::chrono::year{445}, std::chrono::month{1},
                                                  std::chrono::day{25}};
inline constexpr year_month_day history_last_day{std::chrono::year{2100}, std::chrono::month{12},
                                                 std::chrono::day{31}};
// The first days of the almanac exports (ad2rekicyu, ad2cyoku, ad2gedan),
// and the first year of the items that rest on the Sun's and the Moon's
// instants in a day's lore.
inline constexpr year_month_day almanac_first_day{std::chrono::year{1870}, std::chrono::month{1},
                                                  std::chrono::day{1}};

struct lunisolar_date {
    int32_t year = 0;    // lunisolar year (that of the month's first day)
    uint32_t month = 0;  // 1..12
    uint32_t day = 0;    // 1..30
    bool leap = false;   // a leap month bearing the number `month`
    friend bool operator==(const lunisolar_date&, const lunisolar_date&) = default;
};

// A date of the Julian calendar, in which Europe wrote its days before
// 1582-10-15 (the Gregorian calendar's first day, Julian 1582-10-05).
// std::chrono's dates are Gregorian throughout, so a Julian date has a type
// of its own.
struct julian_date {
    int32_t year = 0;
    uint32_t month = 0;  // 1..12
    uint32_t day = 0;    // 1..31
    friend bool operator==(const julian_date&, const julian_date&) = default;
};

// The two courts that proclaimed their own eras from 1331 to 1392 (南朝 and
// 北朝); outside those years both name every day alike.
enum class court : int32_t { south = VRN_SOUTH, north = VRN_NORTH };

// A day as one court's era wrote it: 天正10年6月2日 is era "天正", year 10,
// month 6, day 2. Before 1873 month and day are lunisolar (a leap month
// 閏), from 1873 Gregorian.
struct wareki_date {
    int32_t era_number = -1;  // the library's era table, 0 允恭天皇 .. 274 令和 (gen2name)
    std::string_view era;     // its name in UTF-8: an era or, before 645, a reign
    int32_t year = 0;         // 1 is 元年
    uint32_t month = 0;       // 1..12
    uint32_t day = 0;         // 1..31
    bool leap = false;        // a leap month (before 1873 only)
    std::array<char, 48> text_utf8{};  // "天正10年6月2日", as wareki() writes it
    uint8_t text_length = 0;
    std::string_view text() const { return {text_utf8.data(), text_length}; }
};

// What kept from_wareki from reading a day.
enum class wareki_error : int32_t {
    none = 0,
    not_a_date,        // not an era date at all (a YYYY-MM-DD text among them)
    out_of_span,       // before 0445-01-25 (Julian 445-01-24) or after 2100-12-31
    unknown_era,       // no era or reign of that name
    no_such_year,      // year 0, or past the era's last (天正21年)
    no_such_month,     // a month outside 1..12, or a leap month the year lacks
    no_such_day,       // a day the month lacks (慶長5年1月30日)
    era_not_in_force,  // a day the era did not name (大正元年1月1日)
};

// from_wareki's answer: the day, or why there is none.
struct wareki_reading {
    year_month_day date{};  // the day read, when error is wareki_error::none
    wareki_error error = wareki_error::none;
    std::string message;  // UTF-8: what is wrong and what would do; "" when read
    explicit operator bool() const { return error == wareki_error::none; }
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
    kyureki = 8,    // 旧暦: the lunisolar day ("　２", "１５"), the month on its first day
                    // ("１月", "11月", "閏４")
};

struct sheet_options {
    // The months of the 六曜, 二十七宿, 旧暦 and almanac notes. Under the
    // published rule a sheet may be of any month 445-01 .. 2100-12; before
    // 1870 it marks no holidays, and its nine stars, solar terms, almanac
    // and 直 are blank (docs/history.md).
    month_rule rule = month_rule::published;
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
//
// Under the published rule (the default) the lore reaches back to 445 and
// has the items of the calendar through history: the Julian date, the era
// date of each court, the length of the lunisolar month. Before 1870 it has
// what the almanacs counted without the Sun and the Moon: the lunisolar
// date, 六曜, the 干支 of the lunisolar year, of the lunar month (月建; a
// leap month has none: number -1, name "") and of the day, and both
// mansions; its nine stars are number -1 with name "", and it has no solar
// term, almanac items, Moon's age, 直 or lower row.
struct day_lore {
    year_month_day date;
    std::chrono::weekday weekday;
    std::optional<era_date> era;              // 明治 .. 令和, from 1870
    std::optional<lunisolar_date> lunisolar;  // nullopt outside the rule's lunisolar span
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
    // The era date as text, "令和8年12月9日" ("明治3年" before 1873 under the
    // terms and solstice rules). Under the published rule the day as the
    // lore's 和暦 line writes it: one date, or where the courts differ both,
    // "元弘2年4月28日（南朝）　正慶元年4月28日（北朝）".
    std::array<char, 96> era_text_utf8{};
    uint8_t era_text_length = 0;
    std::string_view era_text() const { return {era_text_utf8.data(), era_text_length}; }
    // 十二直 (0 建 .. 11 閉) and the lower-row items; with the solstice and
    // published rules 凶会日 follows their months.
    std::optional<named> choku;
    lower_row_list lower_row;
    // The published rule's items: the Julian date before 1582-10-15, the era
    // date of each court (the same date twice outside 1331-1392) and the days
    // of the lunisolar month (30 大, 29 小; 2 for month 12 of 1872, cut short
    // by the change of calendar). nullopt under the other rules.
    std::optional<julian_date> julian;
    std::optional<wareki_date> wareki_south;
    std::optional<wareki_date> wareki_north;
    std::optional<uint32_t> month_days;
};

// A place on the Earth: geodetic latitude and longitude in degrees, north
// and east positive, and its name in UTF-8 ("" for a place given by its
// coordinates).
struct place {
    double latitude = 0.0;
    double longitude = 0.0;
    std::string_view name;
};

// The 47 prefectural capitals at their prefectural offices, north to south
// as the prefectures are numbered (札幌 .. 那覇; docs/sun-and-moon.md names
// the source), and 東京 among them, the place sun_moon_times takes unless
// told another.
const std::array<place, 47>& prefectural_capitals();
extern const place tokyo;

// The capital of that UTF-8 name ("札幌", "さいたま"); nullopt for any other
// text.
std::optional<place> place_named(std::string_view name);

// The days sun_moon_times answers.
inline constexpr year_month_day sun_moon_first_day{std::chrono::year{1870}, std::chrono::month{1},
                                                   std::chrono::day{1}};
inline constexpr year_month_day sun_moon_last_day{std::chrono::year{2100}, std::chrono::month{12},
                                                  std::chrono::day{31}};

// The Sun's and the Moon's events of one local day at a place, as time
// after the local midnight at 135 degrees east (whole seconds, 0..86399);
// nullopt for an event the day lacks (the Moon skips a rise or a set about
// once a month, near the poles the Sun stays up or down). The Sun rises and
// sets by its upper limb, the Moon by its centre, as the national
// observatory times them; it prints the nearest minute, as clock_text
// writes it.
struct sun_moon_events {
    std::optional<std::chrono::seconds> sunrise;
    std::optional<std::chrono::seconds> solar_transit;
    std::optional<std::chrono::seconds> sunset;
    std::optional<std::chrono::seconds> moonrise;
    std::optional<std::chrono::seconds> lunar_transit;
    std::optional<std::chrono::seconds> moonset;
    // At the transit: the centre's topocentric altitude in degrees, without
    // refraction.
    std::optional<double> solar_transit_altitude;
    std::optional<double> lunar_transit_altitude;
    // Which side of the horizon each body began the day on: with no rise
    // and no set, whether it stayed up or down.
    bool sun_up_at_midnight = false;
    bool moon_up_at_midnight = false;
};

// 七十二候: the pentad in force on a day.
struct pentad_item {
    int32_t number = 0;        // 0 東風解凍 .. 71 鶏始乳, counted from 立春
    std::string_view name;     // as the modern almanac writes it
    std::string_view reading;  // in hiragana, "はるかぜこおりをとく"
    bool begins = false;       // the pentad's first day
};

// 恵方: the direction of the year's luck.
struct lucky_direction {
    int32_t number = 0;           // 0..3
    std::string_view name;        // between its branches, "寅卯の間"
    std::string_view compass;     // "東北東やや東"
    int32_t bearing = 0;          // degrees from north through east: 75, 255, 165, 345
    bool of_coming_year = false;  // on 節分: the year that begins at the next day's 立春
};

// An observance of the lunisolar year: 0 旧正月, 1 上巳, 2 端午, 3 七夕,
// 4 盂蘭盆, 5 中秋の名月, 6 重陽, 7 十三夜 (on those days of the published
// months, never in a leap month) and 8 伝統的七夕.
struct observance {
    int32_t number = 0;
    std::string_view name;
    friend bool operator==(const observance&, const observance&) = default;
};
using observance_list = item_list<observance, 9>;

// The seasonal items of a day's lore, which the views that show them ask
// for apart: they need the accurate Sun and Moon, microseconds a day.
struct seasonal_lore {
    std::optional<pentad_item> pentad;
    std::string_view year_natin;  // 納音 of the year's and the day's 干支 ("霹靂火")
    std::string_view day_natin;
    std::optional<lucky_direction> eho;
    observance_list observances;
    // On 中秋の名月 when the Moon is full on another day: that day.
    std::optional<year_month_day> full_moon;
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

// The record of a date for the exports that count days through ad2jd
// (ad2neto .. ad2heto, ad2nkyusei .. ad2hkyusei, adto28): those read the
// fields of a date before 1582-09-25 as a Julian date, so such a date is
// handed over in Julian fields and names the same day.
inline CalendarDate day_count_date(const year_month_day& d, double longitude = japan_meridian) {
    constexpr year_month_day gregorian_fields_from{std::chrono::year{1582}, std::chrono::month{9},
                                                   std::chrono::day{25}};
    const CalendarDate c = c_date(d, longitude);
    return d < gregorian_fields_from ? ad2jul(c) : c;
}

inline bool in_span(const year_month_day& d, const year_month_day& first,
                    const year_month_day& last) {
    return d >= first && d <= last;
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

// The published rule's items, read through the desk calendar's model
// (compiled into libvorane2-cxx): -1 or -999 where there is none, as the
// exports answer.
int32_t published_six_day(const CalendarDate& date);
int32_t published_mansion27(const CalendarDate& date);
bool published_fujoju(const CalendarDate& date);  // on a day of adto9rekH's span from 1870
int32_t published_almanac(const CalendarDate& date);
int32_t published_lower_row(const CalendarDate& date);

}  // namespace detail

// The lunisolar date (旧暦) of a day; nullopt outside the rule's span
// (published: 0445-01-25 .. 2100-12-30, the others lunisolar_first_day ..
// lunisolar_last_day).
inline std::optional<lunisolar_date> lunisolar(const year_month_day& date,
                                               month_rule rule = month_rule::published) {
    if (!date.ok()) return std::nullopt;
    const CalendarDate c = detail::c_date(date);
    LunisolarDate l{};
    switch (rule) {
        case month_rule::terms:
            l = adto9rekL(c);
            break;
        case month_rule::solstice:
            l = adto9rekS(c);
            break;
        case month_rule::published:
            l = adto9rekH(c);
            break;
        default:
            return std::nullopt;
    }
    if (l.month < 1) return std::nullopt;  // the exports' -999
    return lunisolar_date{l.year, static_cast<uint32_t>(l.month), static_cast<uint32_t>(l.day),
                          l.leap == 'Y'};
}

// 六曜, index 0..5 (0 赤口 .. 5 大安); the span of lunisolar(date, rule).
inline std::optional<named> rokuyo(const year_month_day& date,
                                   month_rule rule = month_rule::published) {
    if (!date.ok()) return std::nullopt;
    const CalendarDate c = detail::c_date(date);
    int32_t index = -1;
    switch (rule) {
        case month_rule::terms:
            index = ad26youL(c);
            break;
        case month_rule::solstice:
            index = ad26youS(c);
            break;
        case month_rule::published:
            index = detail::published_six_day(c);
            break;
        default:
            return std::nullopt;
    }
    if (index < 0) return std::nullopt;
    return named{index, detail::name_utf8(detail::names::six_day, index)};
}

// 二十七宿, index 0..26; the span of lunisolar(date, rule).
inline std::optional<named> mansion27(const year_month_day& date,
                                      month_rule rule = month_rule::published) {
    if (!date.ok()) return std::nullopt;
    const CalendarDate c = detail::c_date(date);
    int32_t index = -1;
    switch (rule) {
        case month_rule::terms:
            index = adto27L(c);
            break;
        case month_rule::solstice:
            index = adto27S(c);
            break;
        case month_rule::published:
            index = detail::published_mansion27(c);
            break;
        default:
            return std::nullopt;
    }
    if (index < 0) return std::nullopt;
    return named{index, detail::name_utf8(detail::names::mansion27, index)};
}

// 二十八宿, index 0..27; any calendar date.
inline std::optional<named> mansion28(const year_month_day& date) {
    if (!date.ok()) return std::nullopt;
    const int32_t index = adto28(detail::day_count_date(date));
    if (index < 0) return std::nullopt;  // before 4714 BC
    return named{index, detail::name_utf8(detail::names::mansion28, index)};
}

// 干支 of the year (turning on 立春), the solar month (turning on its 節) and
// the day, with the terms' days at `longitude`; any calendar date.
inline std::optional<sexagenary> kanshi(const year_month_day& date,
                                        double longitude = japan_meridian) {
    if (!date.ok() || !detail::good_longitude(longitude)) return std::nullopt;
    const CalendarDate c = detail::day_count_date(date, longitude);
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
    const CalendarDate c = detail::day_count_date(date, longitude);
    const auto star = [](int32_t n) { return named{n, detail::name_utf8(detail::names::star, n)}; };
    return nine_stars{star(ad2nkyusei(c)), star(ad2tkyusei(c)), star(ad2hkyusei(c))};
}

// The selected days of a date, seasons and solar months at `longitude`.
// 不成就日 needs the lunisolar date: the span is lunisolar_first_day ..
// lunisolar_last_day, under the published rule 1870-01-01 .. 2100-12-30
// (the selected days rest on the solar terms, computed from 1870).
inline std::optional<selected_days> selected(const year_month_day& date,
                                             month_rule rule = month_rule::published,
                                             double longitude = japan_meridian) {
    if (!date.ok() || !detail::good_longitude(longitude)) return std::nullopt;
    const CalendarDate c = detail::c_date(date, longitude);
    bool fujoju = false;
    switch (rule) {
        case month_rule::terms:
        case month_rule::solstice:
            if (!detail::in_span(date, lunisolar_first_day, lunisolar_last_day)) {
                return std::nullopt;
            }
            fujoju = (rule == month_rule::terms ? fujyojyuL(c) : fujyojyuS(c)) == 'Y';
            break;
        case month_rule::published:
            if (!detail::in_span(date, almanac_first_day, lunisolar_last_day)) {
                return std::nullopt;
            }
            fujoju = detail::published_fujoju(c);
            break;
        default:
            return std::nullopt;
    }
    return selected_days{tensyabi(c) == 'Y', kurobi(c) == 'Y', sanrinbo(c) == 'Y', fujoju,
                         teniti(c) == 'Y'};
}

// The almanac items of a day 1870-01-01 .. 2100-12-31 (ad2rekicyu; 不成就日
// by the rule's months), the day being the local day at `longitude`.
inline std::optional<almanac_list> almanac(const year_month_day& date,
                                           month_rule rule = month_rule::published,
                                           double longitude = japan_meridian) {
    if (!date.ok() || !detail::good_longitude(longitude)) return std::nullopt;
    const CalendarDate c = detail::c_date(date, longitude);
    int32_t bits = -1;
    switch (rule) {
        case month_rule::terms:
            bits = ad2rekicyu(c);
            break;
        case month_rule::solstice:
            bits = ad2rekicyuS(c);
            break;
        case month_rule::published:
            bits = detail::published_almanac(c);
            break;
        default:
            return std::nullopt;
    }
    return detail::items_of_bits<almanac_list>(bits, detail::names::almanac);
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
// 凶会日 by the rule's months), the day being the local day at `longitude`.
inline std::optional<lower_row_list> lower_row(const year_month_day& date,
                                               month_rule rule = month_rule::published,
                                               double longitude = japan_meridian) {
    if (!date.ok() || !detail::good_longitude(longitude)) return std::nullopt;
    const CalendarDate c = detail::c_date(date, longitude);
    int32_t bits = -1;
    switch (rule) {
        case month_rule::terms:
            bits = ad2gedan(c);
            break;
        case month_rule::solstice:
            bits = ad2gedanS(c);
            break;
        case month_rule::published:
            bits = detail::published_lower_row(c);
            break;
        default:
            return std::nullopt;
    }
    return detail::items_of_bits<lower_row_list>(bits, detail::names::lower_row);
}

// The Julian date of a day (ad2jul): 1582-10-15 is Julian 1582-10-05,
// 1582-07-01 is 1582-06-21; any calendar date.
inline std::optional<julian_date> to_julian(const year_month_day& date) {
    if (!date.ok()) return std::nullopt;
    const CalendarDate j = ad2jul(detail::c_date(date));
    if (j.month < 1) return std::nullopt;  // the export's -999, beyond any std::chrono year
    return julian_date{j.year, static_cast<uint32_t>(j.month), static_cast<uint32_t>(j.day)};
}

// The day of a Julian date (jul2ad): 1582-10-04 is followed by Gregorian
// 1582-10-15. nullopt for a date the Julian calendar has not (1583-02-29;
// 1500-02-29 is one) and for a day beyond std::chrono's years.
inline std::optional<year_month_day> from_julian(const julian_date& date) {
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31) return std::nullopt;
    const CalendarDate julian{date.year,
                              static_cast<int32_t>(date.month),
                              static_cast<int32_t>(date.day),
                              0.0,
                              0.0,
                              0.0,
                              japan_meridian};
    const CalendarDate g = jul2ad(julian);
    // The exports run a day past the month's end on into the next month:
    // only a date that comes back unchanged is one of the Julian calendar.
    const CalendarDate back = ad2jul(g);
    if (g.month < 1 || back.year != julian.year || back.month != julian.month ||
        back.day != julian.day) {
        return std::nullopt;
    }
    if (g.year < static_cast<int>(std::chrono::year::min()) ||
        g.year > static_cast<int>(std::chrono::year::max())) {
        return std::nullopt;
    }
    return year_month_day{std::chrono::year{g.year},
                          std::chrono::month{static_cast<unsigned>(g.month)},
                          std::chrono::day{static_cast<unsigned>(g.day)}};
}

// The era date (和暦) of a day as one court wrote it, as `tenvo-term --day`
// writes it: "天正10年6月2日", "元和9年閏8月1日", "令和8年12月9日", 元 for year 1
// ("明治元年9月8日"). Before 1873 the month and day are lunisolar and the
// year is the lunisolar year's; before 645 and between eras the years are
// those of the emperor's reign ("允恭天皇34年1月1日"). The era is the one
// in force that day: a day of 1868 before 明治 was proclaimed is 慶応4年.
// nullopt outside history_first_day .. history_last_day, or for a court
// that is not one.
std::optional<std::string> wareki(const year_month_day& date, court c = court::south);

// Reads an era date back to its day: ERA YEAR年 [閏]MONTH月 DAY日, optionally
// followed by （南朝） or （北朝）; the year 元 or a number, numbers in
// half- or full-width digits or in kanji (二十三, 廿三). Before 1873 month
// and day are lunisolar, from 1873 Gregorian. The era must be one its court
// used on that day, or, before 1873, proclaimed later in the same lunisolar
// year (明治元年1月3日 is the day 慶応4年1月3日). Whatever wareki() writes
// reads back to its day. A YYYY-MM-DD text is no era date.
wareki_reading from_wareki(std::string_view text);

// A day's whole lore, with the lunisolar months numbered by `rule`:
// 0445-01-25 .. 2100-12-31 under the published rule, 1870-01-01 ..
// 2100-12-31 under the others.
std::optional<day_lore> lore(const year_month_day& date, month_rule rule = month_rule::published);

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

// The month sheet of a month 1870-01 .. 2100-12 (under the published rule
// 445-01 .. 2100-12).
std::optional<month_sheet> sheet(std::chrono::year_month month, sheet_mode mode,
                                 sheet_options options = {});

// The events of a day sun_moon_first_day .. sun_moon_last_day at a place
// (by the desk calendar's model, from the exports ad2hinode and
// ad2tukide); nullopt for any other day and for a place whose latitude lies
// outside -90..90 or longitude outside -180..180 (NaN included).
std::optional<sun_moon_events> sun_moon_times(const year_month_day& date,
                                              const place& where = tokyo);

// The seasonal items of a day 1870-01-01 .. 2100-12-31 at 135 degrees east
// (the model's addSeasonalLore: ad2kou, kou2name, kou2yomi, eno2natin,
// ad2ehou, eho2name, eho2houi, eho2kaku and the published months);
// nullopt for any other day.
std::optional<seasonal_lore> seasons(const year_month_day& date);

// "HH:MM" of an event as the observatory prints it, rounded to the nearest
// minute (an event in the day's last half minute is "24:00"), or `none`.
std::string clock_text(const std::optional<std::chrono::seconds>& time,
                       std::string_view none = "--:--");

}  // namespace vorane2

#endif  // VORANE2_HPP
