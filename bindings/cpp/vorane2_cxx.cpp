// The compiled part of vorane2.hpp: the library's Shift-JIS names as UTF-8,
// and the functions that go through the platform-free month model (the
// solar terms of a year as the sheet names them, the holidays by law, the
// month sheet, the day's lore, the era dates and the published rule's
// items, and the times of the Sun and the Moon at a place).
#include <iconv.h>

#include <algorithm>
#include <cstring>

#include "annotations.h"
#include "day_lore.h"
#include "holidays_by_law.h"
#include "library_binding_linked.h"
#include "month_sheet.h"
#include "sheet_text.h"
#include "sun_moon_times.h"
#include "vorane2.hpp"
#include "wareki.h"

namespace vorane2 {
namespace {

using std::chrono::month;
using std::chrono::year;
using Day = std::chrono::day;

// Room for any of the library's names: the longest, "土用の丑の日", is 12
// bytes of Shift-JIS and 18 of UTF-8; a 4-byte name is at most 12 (half-width
// katakana take 3 each).
constexpr std::size_t kNameBytes = 32;

struct Utf8Name {
    std::array<char, kNameBytes> text{};
    uint8_t length = 0;
};

// One converter per thread, opened on the thread's first conversion: opening
// one costs far more than a short conversion.
struct Converter {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    Converter() = default;
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() {
        if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    }
};

// Shift-JIS to UTF-8 into `out`; a sequence that does not convert (or does
// not fit) ends the text there, so a name is never garbled past its bytes.
std::size_t toUtf8(const char* sjis, std::size_t length, char* out, std::size_t room) {
    thread_local Converter converter;
    if (converter.cd == reinterpret_cast<iconv_t>(-1)) return 0;
    iconv(converter.cd, nullptr, nullptr, nullptr, nullptr);  // the initial state
    // iconv's input is not written through, whatever its type says.
    char* inPtr = const_cast<char*>(sjis);
    std::size_t inLeft = length;
    char* outPtr = out;
    std::size_t outLeft = room;
    iconv(converter.cd, &inPtr, &inLeft, &outPtr, &outLeft);
    return room - outLeft;
}

Utf8Name utf8Of(const char* sjis) {
    Utf8Name name;
    if (sjis == nullptr) return name;
    name.length =
        static_cast<uint8_t>(toUtf8(sjis, std::strlen(sjis), name.text.data(), name.text.size()));
    return name;
}

const tenvo::LibraryBinding& binding() {
    static const tenvo::LibraryBinding linked = tenvo::linkedLibraryBinding();
    return linked;
}

// The binding as the model reads it under each rule, made once; null for a
// value that is no rule.
const tenvo::LibraryBinding* reading(month_rule rule) {
    static const std::array<tenvo::LibraryBinding, 3> readings{
        binding(), tenvo::withMonthRule(binding(), tenvo::MonthRule::Solstice),
        tenvo::withMonthRule(binding(), tenvo::MonthRule::Published)};
    switch (rule) {
        case month_rule::terms:
            return &readings[0];
        case month_rule::solstice:
            return &readings[1];
        case month_rule::published:
            return &readings[2];
    }
    return nullptr;
}

// The era table in UTF-8, built once: its 275 names are converted only here.
const tenvo::EraTable& eraTable() {
    static const tenvo::EraTable table(binding());
    return table;
}

bool tableYear(int y) { return y >= first_table_year && y <= last_table_year; }

tenvo::CivilDate civilOf(const year_month_day& d) {
    return {static_cast<int32_t>(d.year()), static_cast<int32_t>(static_cast<unsigned>(d.month())),
            static_cast<int32_t>(static_cast<unsigned>(d.day()))};
}

year_month_day dateOf(const tenvo::CivilDate& d) {
    return year_month_day{year{d.year}, month{static_cast<unsigned>(d.month)},
                          Day{static_cast<unsigned>(d.day)}};
}

bool inAlmanacSpan(const CalendarDate& c) {
    const year_month_day d{year{c.year}, month{static_cast<unsigned>(c.month)},
                           Day{static_cast<unsigned>(c.day)}};
    return d.ok() && d >= almanac_first_day && d <= history_last_day;
}

constexpr int32_t kNone = -999;

// A text as a message quotes it, on one line as the model's messages are:
// control characters shown as '?'.
std::string quoted(std::string_view text) {
    std::string out(1, '\'');
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        out += byte < 0x20 || byte == 0x7f ? '?' : c;
    }
    return out + '\'';
}

// Copies UTF-8 into a fixed array, whole characters only.
template <std::size_t N>
uint8_t copyUtf8(std::string_view text, std::array<char, N>& to) {
    static_assert(N <= 255, "the length is kept in a byte");
    std::size_t n = std::min(text.size(), to.size());
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xc0) == 0x80) --n;
    std::memcpy(to.data(), text.data(), n);
    return static_cast<uint8_t>(n);
}

std::optional<wareki_date> warekiDate(const tenvo::WarekiDate& w) {
    if (w.era < 0) return std::nullopt;
    wareki_date out;
    out.era_number = w.era;
    out.era = eraTable().nameUtf8(w.era);
    out.year = w.year;
    out.month = static_cast<uint32_t>(w.month);
    out.day = static_cast<uint32_t>(w.day);
    out.leap = w.leap;
    out.text_length = copyUtf8(eraTable().warekiTextUtf8(w), out.text_utf8);
    return out;
}

}  // namespace

namespace detail {

const name_array& converted_names() {
    static const name_array all = [] {
        using Lookup = const char*(VRN_CALL*)(int32_t);
        // In the order of `names`.
        constexpr std::array<Lookup, 9> kLookups{&rno2name, &A27toname, &A28toname,
                                                 &eno2name, &kno2name,  &rek2name,
                                                 &sek2name, &cyo2name,  &ged2name};
        name_array names{};
        for (std::size_t t = 0; t < kLookups.size(); ++t) {
            for (int32_t i = name_table_start[t]; i < name_table_start[t + 1]; ++i) {
                const Utf8Name n = utf8Of(kLookups[t](i - name_table_start[t]));
                utf8_name& to = names[static_cast<std::size_t>(i)];
                to.length = static_cast<uint8_t>(std::min<std::size_t>(n.length, to.text.size()));
                std::memcpy(to.text.data(), n.text.data(), to.length);
            }
        }
        return names;
    }();
    return all;
}

int32_t published_six_day(const CalendarDate& date) {
    const int32_t index = ad26youH(date);
    return index < 0 ? kNone : index;
}

int32_t published_mansion27(const CalendarDate& date) {
    const int32_t index = adto27H(date);
    return index < 0 ? kNone : index;
}

bool published_fujoju(const CalendarDate& date) { return fujyojyuH(date) == 'Y'; }

int32_t published_almanac(const CalendarDate& date) {
    if (!inAlmanacSpan(date)) return kNone;
    return ad2rekicyuH(date);
}

int32_t published_lower_row(const CalendarDate& date) { return ad2gedanH(date); }

}  // namespace detail

std::optional<std::string> wareki(const year_month_day& date, court c) {
    if (!date.ok() || (c != court::south && c != court::north)) return std::nullopt;
    const tenvo::CivilDate civil = civilOf(date);
    if (!tenvo::isHistoryDay(civil)) return std::nullopt;
    const tenvo::DayWareki w = tenvo::warekiOfDay(binding(), civil);
    std::string text = eraTable().warekiTextUtf8(c == court::south ? w.south : w.north);
    if (text.empty()) return std::nullopt;
    return text;
}

wareki_reading from_wareki(std::string_view text) {
    wareki_reading out;
    if (!text.empty() && text[0] >= '0' && text[0] <= '9') {
        // The reader also takes YYYY-MM-DD, which is no era date.
        out.error = wareki_error::not_a_date;
        out.message = quoted(text) +
                      " is not an era date: write it as 天正10年6月2日, 元和9年閏8月1日 or "
                      "明治元年9月8日";
        return out;
    }
    tenvo::DateReading r = eraTable().readDate(text, tenvo::IsoCalendar::Gregorian);
    switch (r.error) {
        case tenvo::DateTextError::None:
            out.date = dateOf(r.date);
            return out;
        case tenvo::DateTextError::OutOfSpan:
            out.error = wareki_error::out_of_span;
            break;
        case tenvo::DateTextError::UnknownEra:
            out.error = wareki_error::unknown_era;
            break;
        case tenvo::DateTextError::NoSuchYear:
            out.error = wareki_error::no_such_year;
            break;
        case tenvo::DateTextError::NoSuchMonth:
            out.error = wareki_error::no_such_month;
            break;
        case tenvo::DateTextError::NoSuchDay:
            out.error = wareki_error::no_such_day;
            break;
        case tenvo::DateTextError::EraNotInForce:
            out.error = wareki_error::era_not_in_force;
            break;
        default:  // NotADate; the ISO and Julian errors need a YYYY-MM-DD text
            out.error = wareki_error::not_a_date;
            break;
    }
    out.message = std::move(r.message);
    return out;
}

std::optional<std::array<solar_term, 24>> solar_terms(year y, double longitude) {
    if (!y.ok() || !tableYear(static_cast<int>(y)) || !detail::good_longitude(longitude)) {
        return std::nullopt;
    }
    // The sheet's table of terms: two a month, the export of each and its
    // Shift-JIS name, read here in month order.
    static const auto names = [] {
        std::array<Utf8Name, 24> n{};
        for (std::size_t m = 1; m <= 12; ++m) {
            for (std::size_t k = 0; k < 2; ++k) {
                n[2 * (m - 1) + k] = utf8Of(tenvo::kSolarTermsByMonth[m][k].name);
            }
        }
        return n;
    }();
    std::array<solar_term, 24> terms{};
    const int32_t yy = static_cast<int32_t>(static_cast<int>(y));
    for (std::size_t m = 1; m <= 12; ++m) {
        for (std::size_t k = 0; k < 2; ++k) {
            const tenvo::SolarTermEntry& entry = tenvo::kSolarTermsByMonth[m][k];
            const int32_t d = (binding().*entry.dayOf)(yy, longitude);
            const Utf8Name& name = names[2 * (m - 1) + k];
            terms[2 * (m - 1) + k] = solar_term{
                {name.text.data(), name.length},
                year_month_day{y, month{static_cast<unsigned>(m)}, Day{static_cast<unsigned>(d)}}};
        }
    }
    return terms;
}

std::optional<solar_term> solar_term_on(const year_month_day& date, double longitude) {
    if (!date.ok()) return std::nullopt;
    const auto terms = solar_terms(date.year(), longitude);
    if (!terms) return std::nullopt;
    for (const solar_term& t : *terms) {
        if (t.date == date) return t;
    }
    return std::nullopt;
}

std::optional<day_lore> lore(const year_month_day& date, month_rule rule) {
    const tenvo::LibraryBinding* library = reading(rule);
    if (!date.ok() || library == nullptr) return std::nullopt;
    // The holidays of the year asked last on this thread, found once for a
    // walk through a year rather than for every day.
    thread_local tenvo::LoreYear lastYear{};
    const int32_t y = static_cast<int>(date.year());
    if (lastYear.year != y) lastYear = tenvo::loreYear(y);
    const tenvo::DayLore l = tenvo::composeDayLore(
        *library, lastYear, static_cast<int32_t>(static_cast<unsigned>(date.month())),
        static_cast<int32_t>(static_cast<unsigned>(date.day())));
    if (!l.valid) return std::nullopt;
    using detail::name_utf8;
    using detail::names;
    const auto pair = [](int32_t n) { return named{n, name_utf8(names::sexagenary, n)}; };
    const auto star = [](int32_t n) { return named{n, name_utf8(names::star, n)}; };

    day_lore out;
    out.date = date;
    out.weekday = std::chrono::weekday{static_cast<unsigned>(l.weekday)};
    if (l.era.era != tenvo::Era::None) {
        // The five era names, converted once.
        static const auto eras = [] {
            std::array<Utf8Name, 6> n{};
            for (int32_t e = 1; e <= 5; ++e) {
                n[static_cast<std::size_t>(e)] =
                    utf8Of(tenvo::eraNameShiftJis(static_cast<tenvo::Era>(e)));
            }
            return n;
        }();
        const Utf8Name& name = eras[static_cast<std::size_t>(l.era.era)];
        out.era = era_date{{name.text.data(), name.length}, l.era.year, l.era.lunisolar};
        if (!l.published) {
            const std::string text = tenvo::eraDateShiftJis(l.era, l.month, l.day);
            out.era_text_length = static_cast<uint8_t>(toUtf8(
                text.data(), text.size(), out.era_text_utf8.data(), out.era_text_utf8.size()));
        }
    }
    if (l.published) {
        out.era_text_length = copyUtf8(eraTable().dayWarekiUtf8(l.wareki), out.era_text_utf8);
        out.wareki_south = warekiDate(l.wareki.south);
        out.wareki_north = warekiDate(l.wareki.north);
        if (l.julian.year != 0) {
            out.julian = julian_date{l.julian.year, static_cast<uint32_t>(l.julian.month),
                                     static_cast<uint32_t>(l.julian.day)};
        }
        if (l.monthDays > 0) out.month_days = static_cast<uint32_t>(l.monthDays);
    }
    if (l.lunisolar.month >= 1) {
        out.lunisolar =
            lunisolar_date{l.lunisolar.year, static_cast<uint32_t>(l.lunisolar.month),
                           static_cast<uint32_t>(l.lunisolar.day), l.lunisolar.leap == 'Y'};
    }
    if (l.sixDay >= 0) out.rokuyo = named{l.sixDay, name_utf8(names::six_day, l.sixDay)};
    out.kanshi = sexagenary{pair(l.yearPair), pair(l.monthPair), pair(l.dayPair)};
    out.kyusei = nine_stars{star(l.yearStar), star(l.monthStar), star(l.dayStar)};
    if (l.mansion27 >= 0) {
        out.mansion27 = named{l.mansion27, name_utf8(names::mansion27, l.mansion27)};
    }
    out.mansion28 = named{l.mansion28, name_utf8(names::mansion28, l.mansion28)};
    if (l.solarTerm >= 0) {
        out.solar_term = named{l.solarTerm, name_utf8(names::solar_term, l.solarTerm)};
    }
    out.almanac = *detail::items_of_bits<almanac_list>(l.items, names::almanac);
    if (l.choku >= 0) out.choku = named{l.choku, name_utf8(names::choku, l.choku)};
    out.lower_row = *detail::items_of_bits<lower_row_list>(l.lowerRow, names::lower_row);
    if (l.moonAge >= 0) out.moon_age = l.moonAge / 10.0;
    out.holiday = tenvo::lawHolidayNameUtf8(l.holiday);
    return out;
}

std::optional<holiday_list> holidays(year y) {
    const int yy = static_cast<int>(y);
    if (!y.ok() || yy < tenvo::kLawFirstYear || yy > tenvo::kLawLastYear) return std::nullopt;
    const tenvo::LawHolidayYear law = tenvo::lawHolidaysOfYear(yy);
    holiday_list list;
    for (int32_t i = 0; i < law.count && list.count_ < holiday_list::capacity; ++i) {
        const tenvo::LawHoliday& h = law.days[static_cast<std::size_t>(i)];
        list.items_[list.count_++] =
            holiday{year_month_day{y, month{static_cast<unsigned>(h.month)},
                                   Day{static_cast<unsigned>(h.day)}},
                    tenvo::lawHolidayNameUtf8(h.name)};
    }
    return list;
}

std::optional<month_sheet> sheet(std::chrono::year_month ym, sheet_mode mode,
                                 sheet_options options) {
    const int yy = static_cast<int>(ym.year());
    const auto m = static_cast<unsigned>(ym.month());
    const auto code = static_cast<int32_t>(mode);
    const tenvo::LibraryBinding* library = reading(options.rule);
    if (!ym.ok() || library == nullptr || code < 0 ||
        code > static_cast<int32_t>(sheet_mode::kyureki)) {
        return std::nullopt;
    }
    const int firstYear = options.rule == month_rule::published
                              ? static_cast<int>(history_first_day.year())
                              : first_table_year;
    if (yy < firstYear || yy > last_table_year) return std::nullopt;

    tenvo::MonthSheet model;
    model.year = static_cast<uint16_t>(yy);
    model.month = static_cast<uint16_t>(m);
    model.mode = code;
    model.holidayRule =
        options.holidays_by_law ? tenvo::HolidayRule::ByLaw : tenvo::HolidayRule::FixedTable;
    tenvo::composeMonth(model, *library);

    month_sheet out;
    out.month = ym;
    for (int32_t week = 0; week < tenvo::kRows; ++week) {
        for (int32_t weekday = 0; weekday < tenvo::kColumns; ++weekday) {
            const auto from = static_cast<std::size_t>(tenvo::cellIndex(weekday, week));
            sheet_cell& cell = out.cells[static_cast<std::size_t>(7 * week + weekday)];
            const char tens = model.dayText[from * 2];
            const char ones = model.dayText[from * 2 + 1];
            if (ones == ' ') continue;  // outside the month
            cell.day = static_cast<uint32_t>((tens == ' ' ? 0 : tens - '0') * 10 + (ones - '0'));
            cell.colour = static_cast<uint32_t>(model.colorClass[from]);
            const char* note = model.noteText.data() + from * tenvo::kNoteTextBytes;
            // The note is 4 bytes padded with spaces; the UTF-8 keeps no padding.
            std::size_t used = 4;
            while (used > 0 && note[used - 1] == ' ') --used;
            cell.note_length = static_cast<uint8_t>(
                toUtf8(note, used, cell.note_utf8.data(), cell.note_utf8.size()));
        }
    }
    out.shift_jis_text = tenvo::composeSheetText(model);
    return out;
}

const std::array<place, 47>& prefectural_capitals() {
    static constexpr auto capitals = [] {
        std::array<place, 47> all{};
        for (std::size_t i = 0; i < all.size(); ++i) {
            const tenvo::Place& p = tenvo::kPrefecturalCapitals[i];
            all[i] = place{p.latitude, p.longitude, p.name};
        }
        return all;
    }();
    return capitals;
}

const place tokyo{tenvo::kDefaultPlace.latitude, tenvo::kDefaultPlace.longitude,
                  tenvo::kDefaultPlace.name};

std::optional<place> place_named(std::string_view name) {
    for (const place& p : prefectural_capitals()) {
        if (p.name == name) return p;
    }
    return std::nullopt;
}

std::optional<sun_moon_events> sun_moon_times(const year_month_day& date, const place& where) {
    if (!date.ok()) return std::nullopt;
    const tenvo::SunMoonTimes t =
        tenvo::composeSunMoonTimes(binding(), {where.latitude, where.longitude, ""}, civilOf(date));
    if (!t.valid) return std::nullopt;
    const auto at = [](int32_t seconds) -> std::optional<std::chrono::seconds> {
        if (seconds < 0) return std::nullopt;  // VRN_NO_EVENT
        return std::chrono::seconds{seconds};
    };
    const auto altitude = [](const RiseSetTimes& r) -> std::optional<double> {
        if (r.transit < 0) return std::nullopt;
        return r.altitude;
    };
    return sun_moon_events{at(t.sun.rise),     at(t.sun.transit), at(t.sun.set),   at(t.moon.rise),
                           at(t.moon.transit), at(t.moon.set),    altitude(t.sun), altitude(t.moon),
                           t.sun.above == 1,   t.moon.above == 1};
}

namespace {

// The seasonal names in UTF-8, converted on first use.
struct SeasonalNames {
    std::array<std::string, 72> pentads, readings;
    std::array<std::string, 60> natin;
    std::array<std::string, 4> directions, compass;
    std::array<std::string, tenvo::kObservanceCount> observances;
};

std::string utf8String(const char* sjis) {
    const Utf8Name n = utf8Of(sjis);
    return {n.text.data(), n.length};
}

const SeasonalNames& seasonalNames() {
    static const SeasonalNames names = [] {
        SeasonalNames n;
        const tenvo::LibraryBinding& library = binding();
        // The readings run to 14 characters, beyond Utf8Name's room.
        for (int32_t i = 0; i < 72; ++i) {
            const auto at = static_cast<std::size_t>(i);
            n.pentads[at] = utf8String(library.kou2name(i));
            const char* reading = library.kou2yomi(i);
            std::array<char, 96> text{};
            const std::size_t length = reading == nullptr ? 0
                                                          : toUtf8(reading, std::strlen(reading),
                                                                   text.data(), text.size());
            n.readings[at].assign(text.data(), length);
        }
        for (int32_t i = 0; i < 60; ++i) {
            n.natin[static_cast<std::size_t>(i)] = utf8String(library.eno2natin(i));
        }
        for (int32_t i = 0; i < 4; ++i) {
            n.directions[static_cast<std::size_t>(i)] = utf8String(library.eho2name(i));
            n.compass[static_cast<std::size_t>(i)] = utf8String(library.eho2houi(i));
        }
        for (int32_t i = 0; i < tenvo::kObservanceCount; ++i) {
            n.observances[static_cast<std::size_t>(i)] =
                utf8String(tenvo::observanceNameShiftJis(i));
        }
        return n;
    }();
    return names;
}

}  // namespace

std::optional<seasonal_lore> seasons(const year_month_day& date) {
    if (!date.ok() || date < almanac_first_day || date > history_last_day) return std::nullopt;
    thread_local tenvo::LoreYear lastYear{};
    const int32_t y = static_cast<int>(date.year());
    if (lastYear.year != y) lastYear = tenvo::loreYear(y);
    tenvo::DayLore l =
        tenvo::composeDayLore(*reading(month_rule::published), lastYear,
                              static_cast<int32_t>(static_cast<unsigned>(date.month())),
                              static_cast<int32_t>(static_cast<unsigned>(date.day())));
    tenvo::addSeasonalLore(*reading(month_rule::published), l);
    if (!l.seasonal) return std::nullopt;
    const SeasonalNames& names = seasonalNames();
    const auto natin = [&](int32_t pair) {
        return pair >= 0 && pair < 60
                   ? std::string_view(names.natin[static_cast<std::size_t>(pair)])
                   : std::string_view();
    };
    seasonal_lore out;
    if (l.pentad >= 0 && l.pentad < 72) {
        const auto at = static_cast<std::size_t>(l.pentad);
        out.pentad = pentad_item{l.pentad, names.pentads[at], names.readings[at], l.pentadBegins};
    }
    out.year_natin = natin(l.yearPair);
    out.day_natin = natin(l.dayPair);
    if (l.luckyDirection >= 0 && l.luckyDirection < 4) {
        const auto at = static_cast<std::size_t>(l.luckyDirection);
        out.eho =
            lucky_direction{l.luckyDirection, names.directions[at], names.compass[at],
                            binding().eho2kaku(l.luckyDirection), l.luckyDirectionOfComingYear};
    }
    for (int32_t o = 0; o < tenvo::kObservanceCount; ++o) {
        if (tenvo::hasObservance(l, o)) {
            out.observances.push_back({o, names.observances[static_cast<std::size_t>(o)]});
        }
    }
    if (l.fullMoon.year != 0) out.full_moon = dateOf(l.fullMoon);
    return out;
}

std::string clock_text(const std::optional<std::chrono::seconds>& time, std::string_view none) {
    if (!time) return std::string(none);
    return tenvo::clockText(static_cast<int32_t>(time->count()));
}

std::string month_sheet::text() const {
    std::string out;
    for (int line = 0; line < tenvo::kSheetTextLines; ++line) {
        std::array<char, 4 * tenvo::kSheetTextLineWidth> utf8{};
        const std::size_t n = toUtf8(shift_jis_text.data() + line * tenvo::kSheetTextLineStride,
                                     tenvo::kSheetTextLineWidth, utf8.data(), utf8.size());
        out.append(utf8.data(), n);
        out += '\n';
    }
    return out;
}

}  // namespace vorane2
