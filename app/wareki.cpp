#include "wareki.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <optional>

#include "text_encoding.h"

namespace tenvo {

namespace {

constexpr double kJapanMeridian = 135.0;
constexpr int32_t kOutside = -999;
// The era table has 275 rows; a binding that never answers null stops here.
constexpr int32_t kMostEraRows = 4096;

CalendarDate calendarDate(const CivilDate& date) {
    return {date.year, date.month, date.day, 0.0, 0.0, 0.0, kJapanMeridian};
}

// The pieces of an era date's text in one encoding.
struct Glyphs {
    const char* year;
    const char* month;
    const char* day;
    const char* leap;
    const char* first;  // 元, of 元年
    const char* south;
    const char* north;
    const char* gap;  // between the courts' dates
};
constexpr Glyphs kShiftJis{"\x94\x4e" /* 年 */,
                           "\x8c\x8e" /* 月 */,
                           "\x93\xfa" /* 日 */,
                           "\x89\x5b" /* 閏 */,
                           "\x8c\xb3" /* 元 */,
                           "\x81\x69\x93\xec\x92\xa9\x81\x6a" /* （南朝） */,
                           "\x81\x69\x96\x6b\x92\xa9\x81\x6a" /* （北朝） */,
                           "\x81\x40" /* full-width space */};
constexpr Glyphs kUtf8{"年", "月", "日", "閏", "元", "（南朝）", "（北朝）", "　"};

std::string eraText(std::string_view name, const WarekiDate& date, const Glyphs& glyphs) {
    if (date.era < 0) return {};
    std::string text(name);
    if (date.year == 1) {
        text += glyphs.first;
    } else {
        text += std::to_string(date.year);
    }
    text += glyphs.year;
    if (date.leap) text += glyphs.leap;
    text += std::to_string(date.month);
    text += glyphs.month;
    text += std::to_string(date.day);
    text += glyphs.day;
    return text;
}

std::string dayText(std::string_view southName, std::string_view northName, const DayWareki& date,
                    const Glyphs& glyphs) {
    if (!date.twoCourts()) return eraText(southName, date.south, glyphs);
    return eraText(southName, date.south, glyphs) + glyphs.south + glyphs.gap +
           eraText(northName, date.north, glyphs) + glyphs.north;
}

std::string isoText(const CivilDate& date) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(date.year),
                  static_cast<int>(date.month), static_cast<int>(date.day));
    return text;
}

// The text as a message quotes it: control characters (a newline would
// split the one-line message) shown as "?".
std::string quoted(std::string_view text) {
    std::string out(1, '\'');
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        out += byte < 0x20 || byte == 0x7f ? '?' : c;
    }
    out += '\'';
    return out;
}

DateReading failure(DateTextError error, std::string message) {
    return {error, {}, std::move(message)};
}

// ---- Numbers as a date writes them ----------------------------------------

// A numeral's value, 0..9 for a digit and 10, 20, 30, 100 for the units
// 十 廿 卅 百, and its length in bytes.
struct Numeral {
    int32_t value;
    std::size_t bytes;
};

// The value of a numeral character by its code point: the full-width
// digits, 〇 and the kanji digits and units; -1 for any other character.
constexpr int32_t numeralOfCodePoint(uint32_t code) {
    if (code >= 0xff10 && code <= 0xff19) return static_cast<int32_t>(code - 0xff10);
    switch (code) {
        case 0x3007:
            return 0;  // 〇
        case 0x4e00:
            return 1;  // 一
        case 0x4e8c:
            return 2;  // 二
        case 0x4e09:
            return 3;  // 三
        case 0x56db:
            return 4;  // 四
        case 0x4e94:
            return 5;  // 五
        case 0x516d:
            return 6;  // 六
        case 0x4e03:
            return 7;  // 七
        case 0x516b:
            return 8;  // 八
        case 0x4e5d:
            return 9;  // 九
        case 0x5341:
            return 10;  // 十
        case 0x5eff:
            return 20;  // 廿
        case 0x5345:
            return 30;  // 卅
        case 0x767e:
            return 100;  // 百
        default:
            return -1;
    }
}

// The numeral at the start of `text`, or none (value -1). Every numeral
// but the ASCII digits is a three-byte UTF-8 sequence.
Numeral numeralAt(std::string_view text) {
    if (text.empty()) return {-1, 0};
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead >= '0' && lead <= '9') return {lead - '0', 1};
    if ((lead & 0xf0) != 0xe0 || text.size() < 3) return {-1, 0};
    const auto second = static_cast<unsigned char>(text[1]);
    const auto third = static_cast<unsigned char>(text[2]);
    if ((second & 0xc0) != 0x80 || (third & 0xc0) != 0x80) return {-1, 0};
    const uint32_t code = ((lead & 0x0fu) << 12) | ((second & 0x3fu) << 6) | (third & 0x3fu);
    return {numeralOfCodePoint(code), 3};
}

// A number at the start of `text`, consumed: digits read positionally
// (1582, ２３, 二〇), or kanji with units read as spoken (二十三, 廿三,
// 百二). Null where no number stands or its units are out of order.
std::optional<int32_t> takeNumber(std::string_view& text) {
    constexpr std::size_t kMostGlyphs = 6;
    std::array<int32_t, kMostGlyphs> values{};
    std::size_t count = 0;
    bool units = false;
    for (Numeral numeral = numeralAt(text); numeral.value >= 0; numeral = numeralAt(text)) {
        if (count == kMostGlyphs) return std::nullopt;
        values[count++] = numeral.value;
        units = units || numeral.value >= 10;
        text.remove_prefix(numeral.bytes);
    }
    if (count == 0) return std::nullopt;
    int32_t total = 0;
    if (!units) {
        for (std::size_t i = 0; i < count; ++i) total = total * 10 + values[i];
        return total;
    }
    int32_t pending = -1;  // a digit waiting for its unit
    int32_t lastUnit = 1000;
    for (std::size_t i = 0; i < count; ++i) {
        const int32_t value = values[i];
        if (value < 10) {
            if (pending >= 0) return std::nullopt;  // two digits beside units: 十二三
            pending = value;
            continue;
        }
        // 廿 and 卅 are a tens digit and its unit in one: nothing multiplies them.
        const bool tens = value == 20 || value == 30;
        const int32_t unit = tens ? 10 : value;
        if (unit >= lastUnit || (tens && pending >= 0) || pending == 0) return std::nullopt;
        total += tens ? value : (pending < 0 ? 1 : pending) * value;
        pending = -1;
        lastUnit = unit;
    }
    return total + (pending < 0 ? 0 : pending);
}

bool take(std::string_view& text, std::string_view piece) {
    if (!text.starts_with(piece)) return false;
    text.remove_prefix(piece.size());
    return true;
}

}  // namespace

bool isHistoryDay(const CivilDate& date) {
    if (date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > daysInMonth(date.year, date.month)) {
        return false;
    }
    return dateKey(date) >= dateKey(kHistoryFirstDay) && dateKey(date) <= dateKey(kHistoryLastDay);
}

DayWareki warekiOfDay(const LibraryBinding& library, const CivilDate& date) {
    DayWareki result;
    if (!isHistoryDay(date)) return result;
    const CalendarDate day = calendarDate(date);
    WarekiDate base;
    if (date.year < kGregorianEraYear) {
        const LunisolarDate lunar = library.adto9rekH(day);
        if (lunar.year == kOutside) return result;
        base.month = lunar.month;
        base.leap = lunar.leap == 'Y';
        base.day = lunar.day;
    } else {
        base.month = date.month;
        base.day = date.day;
    }
    const auto inCourt = [&](int32_t court) {
        WarekiDate inForce = base;
        inForce.era = library.ad2gengo(day, court);
        if (inForce.era < 0) return WarekiDate{};
        inForce.year = library.ad2gennen(day, court);
        return inForce;
    };
    result.south = inCourt(VRN_SOUTH);
    result.north = inCourt(VRN_NORTH);
    // A restated era (the northern 元弘 of 1333) is another row of the same
    // name counting the same years: the courts then wrote the day alike.
    if (result.south.era != result.north.era && result.south.year == result.north.year) {
        const char* south = library.gen2name(result.south.era);
        const char* north = library.gen2name(result.north.era);
        if (south != nullptr && north != nullptr && std::strcmp(south, north) == 0) {
            result.north = result.south;
        }
    }
    return result;
}

std::string warekiTextShiftJis(const LibraryBinding& library, const WarekiDate& date) {
    const char* name = date.era >= 0 ? library.gen2name(date.era) : nullptr;
    return name == nullptr ? std::string() : eraText(name, date, kShiftJis);
}

std::string dayWarekiShiftJis(const LibraryBinding& library, const DayWareki& date) {
    const auto nameOf = [&](const WarekiDate& d) {
        const char* name = d.era >= 0 ? library.gen2name(d.era) : nullptr;
        return std::string_view(name == nullptr ? "" : name);
    };
    if (nameOf(date.south).empty()) return {};
    return dayText(nameOf(date.south), nameOf(date.north), date, kShiftJis);
}

EraTable::EraTable(const LibraryBinding& library) : library_(library) {
    for (int32_t row = 0; row < kMostEraRows; ++row) {
        const char* name = library.gen2name(row);
        if (name == nullptr) break;
        std::string utf8 = shiftJisToUtf8(name);
        const auto known = std::find_if(names_.begin(), names_.end(),
                                        [&](const Name& n) { return n.utf8 == utf8; });
        if (known == names_.end()) {
            nameOfRow_.push_back(static_cast<int32_t>(names_.size()));
            names_.push_back(
                {utf8, row, library.gen2first(row), library.gen2last(row), library.gen2line(row)});
        } else {
            nameOfRow_.push_back(static_cast<int32_t>(known - names_.begin()));
            known->lastYear = std::max(known->lastYear, library.gen2last(row));
        }
        rowNames_.push_back(std::move(utf8));
    }
    for (std::size_t i = 0; i < names_.size(); ++i) {
        namesByText_.push_back(static_cast<int32_t>(i));
        const std::size_t length = names_[i].utf8.size();
        if (std::find(nameLengths_.begin(), nameLengths_.end(), length) == nameLengths_.end()) {
            nameLengths_.push_back(length);
        }
    }
    std::sort(namesByText_.begin(), namesByText_.end(), [&](int32_t a, int32_t b) {
        return names_[static_cast<std::size_t>(a)].utf8 < names_[static_cast<std::size_t>(b)].utf8;
    });
    std::sort(nameLengths_.begin(), nameLengths_.end(), std::greater<>());
}

std::string_view EraTable::nameUtf8(int32_t era) const {
    if (era < 0 || static_cast<std::size_t>(era) >= rowNames_.size()) return {};
    return rowNames_[static_cast<std::size_t>(era)];
}

std::string EraTable::warekiTextUtf8(const WarekiDate& date) const {
    const std::string_view name = nameUtf8(date.era);
    return name.empty() ? std::string() : eraText(name, date, kUtf8);
}

std::string EraTable::dayWarekiUtf8(const DayWareki& date) const {
    if (nameUtf8(date.south.era).empty()) return {};
    return dayText(nameUtf8(date.south.era), nameUtf8(date.north.era), date, kUtf8);
}

// The longest name the text begins with (天平勝宝 before 天平).
const EraTable::Name* EraTable::nameAtStart(std::string_view text) const {
    for (const std::size_t length : nameLengths_) {
        if (text.size() < length) continue;
        const std::string_view start = text.substr(0, length);
        const auto found = std::lower_bound(
            namesByText_.begin(), namesByText_.end(), start, [&](int32_t i, std::string_view key) {
                return names_[static_cast<std::size_t>(i)].utf8 < key;
            });
        if (found != namesByText_.end() && names_[static_cast<std::size_t>(*found)].utf8 == start) {
            return &names_[static_cast<std::size_t>(*found)];
        }
    }
    return nullptr;
}

DateReading EraTable::readDate(std::string_view text, IsoCalendar calendar) const {
    if (!text.empty() && text[0] >= '0' && text[0] <= '9') return readIsoDate(text, calendar);
    if (calendar == IsoCalendar::Julian) {
        return failure(DateTextError::JulianEraDate,
                       quoted(text) + ": a Julian date is written YYYY-MM-DD; an era date " +
                           "names its lunisolar day without --julian");
    }
    return readEraDate(text);
}

DateReading EraTable::readIsoDate(std::string_view text, IsoCalendar calendar) const {
    const bool julian = calendar == IsoCalendar::Julian;
    const auto digits = [&](std::size_t at, std::size_t count) -> std::optional<int32_t> {
        int32_t value = 0;
        for (std::size_t i = at; i < at + count; ++i) {
            if (text[i] < '0' || text[i] > '9') return std::nullopt;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const std::string span = "0445-01-25 (Julian 0445-01-24) to 2100-12-31";
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !digits(0, 4) || !digits(5, 2) ||
        !digits(8, 2)) {
        return failure(DateTextError::NotADate, quoted(text) + " is not a date: give YYYY-MM-DD (" +
                                                    span +
                                                    ") or an era date such as 天正10年6月2日");
    }
    const CivilDate written{*digits(0, 4), *digits(5, 2), *digits(8, 2)};
    const int32_t length = julian ? daysInJulianMonth(written.year, written.month)
                                  : daysInMonth(written.year, written.month);
    if (written.day < 1 || written.day > length) {
        return failure(DateTextError::NoSuchCivilDay, quoted(text) + " is no date of the " +
                                                          (julian ? "Julian" : "Gregorian") +
                                                          " calendar: give YYYY-MM-DD, " + span);
    }
    CivilDate day = written;
    if (julian) {
        const CalendarDate gregorian = library_.jul2ad(calendarDate(written));
        day = {gregorian.year, gregorian.month, gregorian.day};
    }
    if (!isHistoryDay(day)) {
        return failure(DateTextError::OutOfSpan,
                       quoted(text) + " lies outside the calendar: give YYYY-MM-DD, " + span);
    }
    return {DateTextError::None, day, {}};
}

DateReading EraTable::readEraDate(std::string_view text) const {
    const std::string_view original = text;
    const Name* name = nameAtStart(text);
    if (name == nullptr) {
        const bool dateLike = text.find("年") != std::string_view::npos;
        return failure(dateLike ? DateTextError::UnknownEra : DateTextError::NotADate,
                       dateLike ? quoted(original) +
                                      " names no era or reign of the calendar (such as "
                                      "天正, 明治 or 推古天皇)"
                                : quoted(original) +
                                      " is not a date: give YYYY-MM-DD or an era date such "
                                      "as 天正10年6月2日");
    }
    text.remove_prefix(name->utf8.size());
    // The messages are made only for a text that fails.
    const auto notADate = [&] {
        return failure(DateTextError::NotADate,
                       quoted(original) +
                           " is not an era date: write it as "
                           "天正10年6月2日, 元和9年閏8月1日 or 明治元年9月8日");
    };
    std::optional<int32_t> year = take(text, "元") ? std::optional<int32_t>(1) : takeNumber(text);
    if (!year || !take(text, "年")) return notADate();
    const bool leap = take(text, "閏");
    const std::optional<int32_t> month = takeNumber(text);
    if (!month || !take(text, "月")) return notADate();
    const std::optional<int32_t> day = takeNumber(text);
    if (!day || !take(text, "日")) return notADate();
    int32_t onlyCourt = -1;
    if (take(text, "（南朝）") || take(text, "(南朝)")) {
        onlyCourt = VRN_SOUTH;
    } else if (take(text, "（北朝）") || take(text, "(北朝)")) {
        onlyCourt = VRN_NORTH;
    }
    if (!text.empty()) return notADate();

    const std::string& era = name->utf8;
    if (*year < 1 || *year > name->lastYear) {
        return failure(DateTextError::NoSuchYear,
                       quoted(original) + ": " + era + " counted the years 元年 to " +
                           std::to_string(name->lastYear) + "年, not " + std::to_string(*year));
    }
    const int32_t westernYear = name->firstYear + *year - 1;
    const auto eraYear = [&] { return era + (*year == 1 ? "元" : std::to_string(*year)) + "年"; };
    if (*month < 1 || *month > 12) {
        return failure(DateTextError::NoSuchMonth,
                       quoted(original) + ": a month is 1 to 12, not " + std::to_string(*month));
    }
    const auto monthText = [&] {
        return eraYear() + (leap ? "閏" : "") + std::to_string(*month) + "月";
    };
    CivilDate gregorian;
    if (westernYear < kGregorianEraYear) {
        if (westernYear < kHistoryFirstDay.year) {
            return failure(DateTextError::OutOfSpan,
                           quoted(original) + " lies before the calendar's first day, 0445-01-25 " +
                               "(Julian 0445-01-24)");
        }
        const int32_t length = library_.kyu2days(westernYear, *month, leap ? 'Y' : 'N');
        if (length <= 0) {
            // Only a leap month can be missing: every year has months 1..12.
            std::string which = "that year has no leap month";
            for (int32_t m = 1; m <= 12; ++m) {
                if (library_.kyu2days(westernYear, m, 'Y') > 0) {
                    which = "its leap month is 閏" + std::to_string(m) + "月";
                }
            }
            return failure(DateTextError::NoSuchMonth, quoted(original) + ": " + eraYear() + " (" +
                                                           std::to_string(westernYear) +
                                                           ") has no leap month " +
                                                           std::to_string(*month) + "; " + which);
        }
        if (*day < 1 || *day > length) {
            return failure(DateTextError::NoSuchDay, quoted(original) + ": " + monthText() +
                                                         " has " + std::to_string(length) +
                                                         " days, not " + std::to_string(*day));
        }
        const CalendarDate found =
            library_.kyu2ad({leap ? 'Y' : 'N', westernYear, *month, *day, kJapanMeridian});
        if (found.year == kOutside) {
            return failure(DateTextError::OutOfSpan,
                           quoted(original) + " lies outside the calendar's days");
        }
        gregorian = {found.year, found.month, found.day};
    } else {
        if (leap) {
            return failure(DateTextError::NoSuchMonth,
                           quoted(original) + ": from 1873 the months are Gregorian and none " +
                               "is a leap month");
        }
        const int32_t length = daysInMonth(westernYear, *month);
        if (*day < 1 || *day > length) {
            return failure(DateTextError::NoSuchDay, quoted(original) + ": " + monthText() +
                                                         " has " + std::to_string(length) +
                                                         " days, not " + std::to_string(*day));
        }
        gregorian = {westernYear, *month, *day};
    }
    if (!isHistoryDay(gregorian)) {
        return failure(DateTextError::OutOfSpan,
                       quoted(original) + " lies outside the calendar's days, 0445-01-25 " +
                           "(Julian 0445-01-24) to 2100-12-31");
    }

    // The era must be one its court used that day; before 1873 a year's
    // new era also names the days before its proclamation.
    const CalendarDate asked = calendarDate(gregorian);
    const auto nameIndex = static_cast<int32_t>(name - names_.data());
    const bool firstYearByCustom = westernYear < kGregorianEraYear && *year == 1;
    bool named = false;
    for (const int32_t court : {VRN_SOUTH, VRN_NORTH}) {
        if (onlyCourt >= 0 && court != onlyCourt) continue;
        const int32_t row = library_.ad2gengo(asked, court);
        if (row < 0 || static_cast<std::size_t>(row) >= nameOfRow_.size()) continue;
        // By custom only a court that proclaimed the era reckoned its year
        // by it from month 1.
        const bool byCustom = firstYearByCustom && row < name->firstRow &&
                              (name->firstLine == VRN_BOTH || name->firstLine == court);
        named = named || nameOfRow_[static_cast<std::size_t>(row)] == nameIndex || byCustom;
    }
    if (!named) {
        const DayWareki inForce = warekiOfDay(library_, gregorian);
        std::string was = dayWarekiUtf8(inForce);
        if (onlyCourt == VRN_SOUTH) was = warekiTextUtf8(inForce.south) + "（南朝）";
        if (onlyCourt == VRN_NORTH) was = warekiTextUtf8(inForce.north) + "（北朝）";
        return failure(DateTextError::EraNotInForce,
                       quoted(original) + " would be " + isoText(gregorian) + ", a day " + era +
                           (onlyCourt == VRN_SOUTH   ? " did not name in the southern court"
                            : onlyCourt == VRN_NORTH ? " did not name in the northern court"
                                                     : " did not name") +
                           ": that day is " + was);
    }
    return {DateTextError::None, gregorian, {}};
}

}  // namespace tenvo
