// tenvo-term's options and views as a function (see term_command.h).
//
//   tenvo-term [-3 | -y] [--sheet] [--mode MODE] [--rule RULE] [--holidays law]
//              [YEAR [MONTH]]
//   tenvo-term --ics YEAR [--mode MODE] [--rule RULE] [--holidays law]
//   tenvo-term --holidays law --list YEAR
//   tenvo-term --list YEAR --mode MODE [--rule RULE]
//   tenvo-term --almanac (--list YEAR | --ics YEAR) [--lower-row] [--only NAMES]
//              [--rule RULE]
//   tenvo-term --day [DATE] [--julian] [--rule RULE] [--place PLACE]
//   tenvo-term --sun --list YEAR [--place PLACE]
//   tenvo-term --lunisolar --list YEAR [--rule RULE]
//   tenvo-term --months YEAR [--rule RULE]
//
// Prints the sheet of the current month, or of YEAR MONTH: the title with
// the year, the day numbers and under each day the item of the chosen mode.
// Sundays and holidays are red, Saturdays blue and today reversed when the
// caller asks for colour. --sheet prints the sheet text exactly as the
// program copies it, for scripts. With --holidays law the red days are the
// holidays the law gave in that year, named under the months shown; --list
// prints a year's holidays by law, one per line, and with --mode the item
// under every day of a year, one per line. Outside --sheet the cells stand a
// column apart. --day, --almanac and the almanac mode's names read
// the day's lore (day_lore.h), one record per day. The month rule is the
// published calendar unless --rule says otherwise (--sheet, the program's
// own text, keeps the program's rule, terms); under it the views reach back
// to 445, --day reads era dates (wareki.h), --lunisolar --list prints every
// day's dates in both calendars and --months a year's months.
#include "term_command.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "almanac_cycles.h"
#include "annotations.h"
#include "civil_days.h"
#include "day_lore.h"
#include "holidays_by_law.h"
#include "icalendar.h"
#include "library_binding_linked.h"
#include "month_sheet.h"
#include "sheet_render.h"
#include "sun_moon_times.h"
#include "text_encoding.h"
#include "vorane2.h"
#include "wareki.h"

namespace {

constexpr int32_t kFirstYear = 1870;
constexpr int32_t kLastYear = 2100;
// The first year of the published calendar's views.
constexpr int32_t kHistoryFirstYear = tenvo::kHistoryFirstDay.year;

constexpr char kUsage[] =
    "Usage: tenvo-term [-3 | -y] [--sheet] [--mode MODE] [--rule RULE] [--holidays law]\n"
    "                  [YEAR [MONTH]]\n"
    "       tenvo-term --ics YEAR [--mode MODE] [--rule RULE] [--holidays law]\n"
    "       tenvo-term --holidays law --list YEAR\n"
    "       tenvo-term --list YEAR --mode MODE [--rule RULE]\n"
    "       tenvo-term --almanac --list YEAR [--only NAMES] [--no-seasons] [--rule RULE]\n"
    "       tenvo-term --ics YEAR --almanac [--lower-row] [--only NAMES] [--no-seasons]\n"
    "                  [--rule RULE]\n"
    "       tenvo-term --day [DATE] [--julian] [--rule RULE] [--place PLACE]\n"
    "       tenvo-term --sun --list YEAR [--place PLACE]\n"
    "       tenvo-term --lunisolar --list YEAR [--rule RULE]\n"
    "       tenvo-term --months YEAR [--rule RULE]\n"
    "Print the month sheet of the traditional Japanese calendar.\n"
    "\n"
    "  YEAR MONTH   the month to show (years 445 to 2100; 1870 to 2100 with\n"
    "               --rule terms or solstice); default: this month. The grid\n"
    "               is Gregorian, proleptic before 1582-10-15\n"
    "  -3, --three  the previous, the given and the next month, side by side\n"
    "               when the terminal is wide enough (106 columns)\n"
    "  -y, --year   the twelve months of YEAR (default: this year)\n"
    "  --sheet      the sheet text exactly as the desk calendar copies it\n"
    "               (month label without the year, nothing reversed)\n"
    "  --mode MODE  the item under each day:\n"
    "                 rokuyo  six-day name (default)\n"
    "                 kyusei  nine star\n"
    "                 27      27 lunar mansions\n"
    "                 28      28 lunar mansions\n"
    "                 kanshi  stem and branch\n"
    "                 sekki   solar term beginning that day\n"
    "                 almanac the day's most notable almanac item (暦注), and\n"
    "                         every item of the months named under them\n"
    "                 choku   the day's 直 of the 十二直 (建 除 満 .. 閉)\n"
    "                 kyureki the lunisolar day (旧暦), and on a month's first\n"
    "                         day the month (11月, 閏11 for a leap month)\n"
    "  --rule RULE  how lunar months are numbered (旧暦, six-day, 27 mansions,\n"
    "               不成就日 and 凶会日):\n"
    "                 published as the almanacs printed them: the historical\n"
    "                           months 445 to 1872, then from the winter\n"
    "                           solstice with the accurate new moons (default;\n"
    "                           --sheet keeps terms)\n"
    "                 terms     by the principal term each month holds\n"
    "                 solstice  from the month of the winter solstice, month 11\n"
    "  --holidays law\n"
    "               mark the holidays the law gave in that year and name them\n"
    "               under the sheet (default: one fixed table for every year)\n"
    "  --list YEAR  with --holidays law: print every holiday of YEAR (1948 to\n"
    "               2100), one per line as YYYY-MM-DD, a tab and its name;\n"
    "               with --mode MODE: every day of YEAR (1870 to 2100) as\n"
    "               YYYY-MM-DD, a tab and the item under it (nothing after\n"
    "               the tab where the day has none)\n"
    "  --ics YEAR   write an iCalendar file of YEAR to standard output: one\n"
    "               all-day event per day with that day's item as its title;\n"
    "               with --holidays law also one per holiday with its name\n"
    "  --almanac    with --list YEAR (1870 to 2100): every almanac item of\n"
    "               YEAR, one per line as YYYY-MM-DD, a tab and its name\n"
    "               (節分 彼岸入り .. 新月 上弦 満月 下弦), each day's\n"
    "               lower-row days after its items; with --ics YEAR: the\n"
    "               items as events, each period (天一天上, 八専, 十方暮) one\n"
    "               event over its days; in both, unless --only or\n"
    "               --no-seasons, the first day of each of the 72 pentads\n"
    "               (七十二候, 半夏生 once) and the observances of the\n"
    "               lunisolar year (旧正月 上巳 端午 七夕 伝統的七夕 盂蘭盆\n"
    "               中秋の名月 重陽 十三夜) by the published months\n"
    "  --no-seasons with --almanac: leave the pentads and observances out\n"
    "  --lower-row  with --ics YEAR --almanac: the lower-row days (暦注下段)\n"
    "               too (天恩日 神吉日 .. 大禍日 狼藉日 滅門日)\n"
    "  --only NAMES with --almanac: only these items or lower-row days,\n"
    "               separated by commas (--only 一粒万倍日,天赦日,天恩日)\n"
    "  --day [DATE] the whole lore of a day (default: today), one labelled\n"
    "               item a line: dates, six-day name, stems and branches,\n"
    "               nine stars, mansions, solar term, almanac items, 直,\n"
    "               lower-row days, the Moon's age, the pentad (七十二候),\n"
    "               the 納音 of the year and the day, the 恵方 (on 節分 the\n"
    "               coming year's), the observances, holiday, and from 1870\n"
    "               the times of sunrise, transit, sunset, moonrise, the\n"
    "               Moon's transit and moonset at PLACE (HH:MM at 135°E,\n"
    "               なし where the day has none). DATE is\n"
    "               YYYY-MM-DD (0445-01-25 to 2100-12-31; 1870-01-01 on with\n"
    "               --rule terms or solstice) or an era date: 天正10年6月2日,\n"
    "               天正十年六月二日, 元和9年閏8月1日, 明治元年9月8日,\n"
    "               令和8年12月9日 (lunisolar months before 1873)\n"
    "  --julian     with --day: read YYYY-MM-DD in the Julian calendar\n"
    "  --sun        with --list YEAR (1870 to 2100): every day of YEAR as\n"
    "               YYYY-MM-DD and the six times of --day, tab-separated,\n"
    "               --:-- where the day has none\n"
    "  --place PLACE\n"
    "               with --day or --sun: LAT,LON in degrees, north and east\n"
    "               positive (35.68,139.69), or a prefectural capital by name\n"
    "               (札幌 .. 東京 .. 那覇, at the prefectural office);\n"
    "               default 東京\n"
    "  --lunisolar  with --list YEAR (445 to 2100): every day of YEAR as\n"
    "               GREGORIAN, JULIAN, LUNISOLAR (YYYY-MM-DD, L after a leap\n"
    "               month: 1868-04L-01) and the era date, tab-separated\n"
    "  --months YEAR\n"
    "               the months of lunisolar year YEAR, one a line: the month\n"
    "               (閏 for a leap month), 大 or 小, its first day in the\n"
    "               Gregorian and the Julian calendar, that day's 干支\n"
    "  --help       show this help\n"
    "  --version    show the calendar library's version\n"
    "\n"
    "Sundays and holidays are red, Saturdays blue and today reversed on a\n"
    "colour terminal unless NO_COLOR is set. The width of the terminal, or\n"
    "COLUMNS when set, decides how many months stand side by side.\n";

enum class View { Month, ThreeMonths, Year };

using Date = tenvo::CivilDate;

struct Options {
    bool help = false;
    bool version = false;
    View view = View::Month;
    bool sheet = false;
    tenvo::CalendarMode mode = tenvo::CalendarMode::SixDay;
    bool modeGiven = false;  // --mode was given (the month views default to rokuyo)
    tenvo::MonthRule rule = tenvo::MonthRule::Published;
    bool ruleGiven = false;                    // --rule was given (--sheet keeps terms)
    std::optional<std::string_view> icsValue;  // --ics's year, checked once parsed
    tenvo::HolidayRule holidays = tenvo::HolidayRule::FixedTable;
    std::optional<int32_t> year;
    std::optional<int32_t> month;
    std::optional<int32_t> icsYear;
    std::optional<int32_t> listYear;
    bool modeList = false;                      // --list YEAR --mode MODE: the item of every day
    std::optional<std::string_view> listValue;  // --list's year, checked once the list is known
    bool almanac = false;                       // --almanac: the list or feed of almanac items
    std::optional<std::string_view> onlyValue;  // --only NAMES, checked once parsed
    int32_t onlyItems = (1 << VRN_ALMANAC_ITEMS) - 1;  // the items --only keeps
    bool lowerRow = false;                             // --lower-row: the lower-row days too
    int32_t onlyLowerRow = 0;                          // the lower-row days kept
    bool day = false;                                  // --day: one day's whole lore
    std::optional<std::string_view> dayValue;          // its date; today when absent
    std::optional<Date> dayDate;                       // that date, read once parsed
    bool julian = false;                               // --julian: --day's date is Julian
    bool lunisolar = false;                            // --lunisolar: the list of dates
    bool lunisolarList = false;                        // --lunisolar --list YEAR
    std::optional<std::string_view> monthsValue;       // --months YEAR
    std::optional<int32_t> monthsYear;
    std::optional<std::string_view> placeValue;  // --place LAT,LON or NAME
    tenvo::Place place = tenvo::kDefaultPlace;   // that place, read once parsed
    bool sun = false;                            // --sun: with --list, the times of a year
    bool seasons = true;  // the pentads and observances in the almanac list and feed
};

struct YearMonth {
    int32_t year;
    int32_t month;
};

// Bad arguments: thrown by the parser, caught once in runTermCommand, which
// turns it into the one line on the error stream and status 2.
struct UsageError {
    std::string message;
};

[[noreturn]] void fail(const std::string& message) { throw UsageError{message}; }

std::optional<tenvo::CalendarMode> parseMode(std::string_view name) {
    if (name == "rokuyo") return tenvo::CalendarMode::SixDay;
    if (name == "kyusei") return tenvo::CalendarMode::NineStar;
    if (name == "27") return tenvo::CalendarMode::Mansion27;
    if (name == "28") return tenvo::CalendarMode::Mansion28;
    if (name == "kanshi") return tenvo::CalendarMode::Sexagenary;
    if (name == "sekki") return tenvo::CalendarMode::SolarTerm;
    if (name == "almanac") return tenvo::CalendarMode::Almanac;
    if (name == "choku") return tenvo::CalendarMode::Choku;
    if (name == "kyureki") return tenvo::CalendarMode::Kyureki;
    return std::nullopt;
}

// A decimal number of at most 9 digits, nothing else.
std::optional<int32_t> parseNumber(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

int32_t parseYear(std::string_view text, int32_t first = kFirstYear) {
    const auto year = parseNumber(text);
    if (!year || *year < first || *year > kLastYear) {
        fail("year must be a number from " + std::to_string(first) + " to 2100, not '" +
             std::string(text) + "'");
    }
    return *year;
}

// The first year of the views that show lunar months under the rule.
int32_t firstYearOf(const Options& options) {
    return options.rule == tenvo::MonthRule::Published ? kHistoryFirstYear : kFirstYear;
}

// The first year of a list or feed of the mode's items: the items that rest
// on the Sun's and the Moon's instants exist from 1870 only.
int32_t firstListYearOf(const Options& options) {
    switch (options.mode) {
        case tenvo::CalendarMode::NineStar:
        case tenvo::CalendarMode::SolarTerm:
        case tenvo::CalendarMode::Almanac:
        case tenvo::CalendarMode::Choku:
            return kFirstYear;
        default:
            return firstYearOf(options);
    }
}

// "YYYY-MM-DD", a day of 1870-01-01 .. 2100-12-31, nothing else.
std::optional<Date> parseDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto year = parseNumber(text.substr(0, 4));
    const auto month = parseNumber(text.substr(5, 2));
    const auto day = parseNumber(text.substr(8, 2));
    if (!year || !month || !day || *year < kFirstYear || *year > kLastYear) return std::nullopt;
    if (*day < 1 || *day > tenvo::daysInMonth(*year, *month)) return std::nullopt;
    return Date{*year, *month, *day};
}

// The names of a table of the library in UTF-8, by number: the almanac
// items (rek2name) or the lower-row days (ged2name).
template <std::size_t Count>
std::array<std::string, Count> namesUtf8(tenvo::NameFn tenvo::LibraryBinding::*nameOf) {
    const tenvo::LibraryBinding library = tenvo::linkedLibraryBinding();
    std::array<std::string, Count> names;
    for (std::size_t n = 0; n < Count; ++n) {
        const char* name = (library.*nameOf)(static_cast<int32_t>(n));
        names[n] = name == nullptr ? "" : tenvo::shiftJisToUtf8(name);
    }
    return names;
}
std::array<std::string, VRN_ALMANAC_ITEMS> itemNamesUtf8() {
    return namesUtf8<VRN_ALMANAC_ITEMS>(&tenvo::LibraryBinding::rek2name);
}
std::array<std::string, VRN_LOWER_ROW_ITEMS> lowerRowNamesUtf8() {
    return namesUtf8<VRN_LOWER_ROW_ITEMS>(&tenvo::LibraryBinding::ged2name);
}

// What --only keeps: almanac items and lower-row days as two bit sets.
struct ItemChoice {
    int32_t items = 0;
    int32_t lowerRow = 0;
};

// "一粒万倍日,天赦日,天恩日": the items named; every name must be one of the
// 29 almanac items or the 17 lower-row days (no name is in both).
ItemChoice parseItemNames(std::string_view text) {
    const auto names = itemNamesUtf8();
    const auto lowerRow = lowerRowNamesUtf8();
    std::string accepted;
    for (const std::string& name : names) accepted += (accepted.empty() ? "" : " ") + name;
    for (const std::string& name : lowerRow) accepted += " " + name;
    ItemChoice choice;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view name = text.substr(0, comma);
        const auto item = std::find(names.begin(), names.end(), name);
        const auto lower = std::find(lowerRow.begin(), lowerRow.end(), name);
        if (name.empty() || (item == names.end() && lower == lowerRow.end())) {
            fail(
                "--only takes names of almanac items or lower-row days separated by commas, not '" +
                std::string(name) + "'; the names are: " + accepted);
        }
        if (item != names.end()) choice.items |= 1 << (item - names.begin());
        if (lower != lowerRow.end()) choice.lowerRow |= 1 << (lower - lowerRow.begin());
        if (comma == std::string_view::npos) return choice;
        text.remove_prefix(comma + 1);
    }
}

// The value of an option written "--name VALUE" or "--name=VALUE"; nullopt
// when `arg` is not that option.
std::optional<std::string_view> optionValue(std::string_view name, int argc,
                                            const char* const* argv, int& i) {
    const std::string_view arg = argv[i];
    if (arg == name) {
        if (i + 1 >= argc) fail(std::string(name) + " needs a value");
        return std::string_view(argv[++i]);
    }
    if (arg.size() > name.size() && arg.starts_with(name) && arg[name.size()] == '=') {
        return arg.substr(name.size() + 1);
    }
    return std::nullopt;
}

// --holidays and --list: true when argv[i] was one of them.
bool parseHolidayOption(int argc, const char* const* argv, int& i, Options& options) {
    if (const auto rule = optionValue("--holidays", argc, argv, i)) {
        if (*rule == "law") {
            options.holidays = tenvo::HolidayRule::ByLaw;
        } else if (*rule == "fixed") {
            options.holidays = tenvo::HolidayRule::FixedTable;
        } else {
            fail("--holidays takes 'law' or 'fixed', not '" + std::string(*rule) + "'");
        }
        return true;
    }
    if (const auto year = optionValue("--list", argc, argv, i)) {
        options.listValue = year;
        return true;
    }
    return false;
}

void setView(Options& options, View view) {
    if (options.view != View::Month && options.view != view) fail("-3 and -y exclude each other");
    options.view = view;
}

// --day's date: YYYY-MM-DD or an era date, read as wareki.h reads it. The
// rules that number months from 1870 on keep their span and, for
// YYYY-MM-DD, their message.
Date readDay(std::string_view text, const Options& options, const tenvo::LibraryBinding& linked) {
    const bool published = options.rule == tenvo::MonthRule::Published;
    const bool iso = !text.empty() && text[0] >= '0' && text[0] <= '9';
    const std::string terms = "--day takes a date YYYY-MM-DD from 1870-01-01 to 2100-12-31";
    if (!published && iso && !options.julian) {
        const auto date = parseDate(text);
        if (!date) fail(terms + ", not '" + std::string(text) + "'");
        return *date;
    }
    const tenvo::EraTable eras(linked);
    const tenvo::DateReading reading = eras.readDate(
        text, options.julian ? tenvo::IsoCalendar::Julian : tenvo::IsoCalendar::Gregorian);
    if (reading.error != tenvo::DateTextError::None) fail("--day " + reading.message);
    if (!published && (reading.date.year < kFirstYear || reading.date.year > kLastYear)) {
        fail(terms + " under --rule terms or solstice; '" + std::string(text) +
             "' is earlier (the published rule, the default, reaches back to 0445-01-25)");
    }
    return reading.date;
}

Options parseArguments(int argc, const char* const* argv, const tenvo::LibraryBinding& linked) {
    Options options;
    std::vector<std::string_view> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "-3" || arg == "--three") {
            setView(options, View::ThreeMonths);
        } else if (arg == "-y" || arg == "--year") {
            setView(options, View::Year);
        } else if (arg == "--sheet") {
            options.sheet = true;
        } else if (arg == "--day" || arg.starts_with("--day=")) {
            // The date is optional: a following argument is taken as the
            // date when it starts with a digit or is not ASCII (an era date).
            options.day = true;
            if (arg.size() > 5) {
                options.dayValue = arg.substr(6);
            } else if (i + 1 < argc && ((argv[i + 1][0] >= '0' && argv[i + 1][0] <= '9') ||
                                        static_cast<unsigned char>(argv[i + 1][0]) >= 0x80)) {
                options.dayValue = std::string_view(argv[++i]);
            }
        } else if (arg == "--julian") {
            options.julian = true;
        } else if (arg == "--lunisolar") {
            options.lunisolar = true;
        } else if (const auto months = optionValue("--months", argc, argv, i)) {
            options.monthsValue = months;
        } else if (const auto name = optionValue("--mode", argc, argv, i)) {
            const auto mode = parseMode(*name);
            if (!mode) fail("unknown mode '" + std::string(*name) + "'");
            options.mode = *mode;
            options.modeGiven = true;
        } else if (const auto rule = optionValue("--rule", argc, argv, i)) {
            if (*rule == "terms") {
                options.rule = tenvo::MonthRule::Terms;
            } else if (*rule == "solstice") {
                options.rule = tenvo::MonthRule::Solstice;
            } else if (*rule == "published") {
                options.rule = tenvo::MonthRule::Published;
            } else {
                fail("unknown rule '" + std::string(*rule) + "'");
            }
            options.ruleGiven = true;
        } else if (const auto year = optionValue("--ics", argc, argv, i)) {
            options.icsValue = year;
        } else if (arg == "--almanac") {
            options.almanac = true;
        } else if (arg == "--lower-row") {
            options.lowerRow = true;
        } else if (const auto names = optionValue("--only", argc, argv, i)) {
            options.onlyValue = names;
        } else if (const auto place = optionValue("--place", argc, argv, i)) {
            options.placeValue = place;
        } else if (arg == "--sun") {
            options.sun = true;
        } else if (arg == "--no-seasons") {
            options.seasons = false;
        } else if (parseHolidayOption(argc, argv, i, options)) {
            continue;
        } else if (arg.size() > 1 && arg[0] == '-') {
            fail("unknown option '" + std::string(arg) + "'");
        } else {
            positional.push_back(arg);
        }
    }

    // The sheet text is the desk calendar's own, which numbers the months by
    // the terms unless told otherwise.
    if (options.sheet && !options.ruleGiven) options.rule = tenvo::MonthRule::Terms;
    // The almanac's items exist from 1870 whatever the rule; the day items
    // of the sheets reach as far back as the rule's months.
    if (options.icsValue) {
        options.icsYear =
            parseYear(*options.icsValue, options.almanac ? kFirstYear : firstListYearOf(options));
    }
    if (options.icsYear) {
        if (options.view != View::Month || options.sheet) {
            fail("--ics writes a whole year; it takes no -3, -y or --sheet");
        }
        if (!positional.empty()) fail("--ics takes its year, no YEAR MONTH");
    }
    if (options.almanac && !options.listValue && !options.icsYear) {
        fail("--almanac goes with --list YEAR or --ics YEAR");
    }
    if (options.lowerRow && !options.almanac) fail("--lower-row goes with --almanac");
    // The list holds a printed almanac's whole day; the feed adds the lower
    // row only when asked, as it would about triple a year's events.
    if (options.lowerRow || (options.almanac && options.listValue)) {
        options.onlyLowerRow = (1 << VRN_LOWER_ROW_ITEMS) - 1;
    }
    if (options.onlyValue) {
        if (!options.almanac) fail("--only goes with --almanac");
        // The names alone decide, whichever table they come from.
        const ItemChoice choice = parseItemNames(*options.onlyValue);
        options.onlyItems = choice.items;
        options.onlyLowerRow = choice.lowerRow;
    }
    if (options.sun) {
        if (!options.listValue || options.almanac || options.lunisolar || options.modeGiven ||
            options.holidays == tenvo::HolidayRule::ByLaw) {
            fail("--sun goes with --list YEAR alone (and --place)");
        }
    }
    if (!options.seasons && !options.almanac) fail("--no-seasons goes with --almanac");
    if (options.placeValue) {
        if (!options.sun && !options.day) fail("--place goes with --day or --sun --list YEAR");
        const tenvo::PlaceReading reading = tenvo::readPlace(*options.placeValue);
        if (!reading.place) fail(reading.error);
        options.place = *reading.place;
    }
    if (options.listValue && options.sun) {
        options.listYear = parseYear(*options.listValue);
    } else if (options.listValue && options.almanac) {
        options.listYear = parseYear(*options.listValue);
        if (options.holidays == tenvo::HolidayRule::ByLaw) {
            fail("--list prints either the almanac or the holidays by law, not both");
        }
    } else if (options.listValue && options.lunisolar) {
        if (options.modeGiven || options.holidays == tenvo::HolidayRule::ByLaw) {
            fail(
                "--lunisolar --list prints every day's dates; it takes no --mode or --holidays "
                "law");
        }
        options.listYear = parseYear(*options.listValue, firstYearOf(options));
        options.lunisolarList = true;
    } else if (options.listValue && options.holidays != tenvo::HolidayRule::ByLaw) {
        // Four lists take --list; a year alone names none of them, and it
        // has always been refused rather than guessed.
        options.listYear = parseYear(*options.listValue, firstListYearOf(options));
        if (!options.modeGiven) {
            fail("--list needs --mode MODE, --holidays law, --almanac or --lunisolar");
        }
        options.modeList = true;
    } else if (options.listValue) {
        const auto number = parseNumber(*options.listValue);
        if (!number || *number < tenvo::kLawFirstYear || *number > tenvo::kLawLastYear) {
            fail("--list needs a year from 1948 to 2100, not '" + std::string(*options.listValue) +
                 "'");
        }
        options.listYear = number;
    }
    if (options.listYear) {
        if (!positional.empty()) fail("--list takes no YEAR MONTH");
        if (options.view != View::Month || options.sheet || options.icsYear) {
            fail("--list prints a list; it takes no -3, -y, --sheet or --ics");
        }
    }
    if (options.day) {
        if (options.view != View::Month || options.sheet || options.icsYear || options.listYear ||
            !positional.empty()) {
            fail("--day shows one day; it takes no -3, -y, --sheet, --ics, --list or YEAR MONTH");
        }
        if (options.dayValue) options.dayDate = readDay(*options.dayValue, options, linked);
    }
    if (options.julian && !options.dayValue) fail("--julian goes with --day YYYY-MM-DD");
    if (options.lunisolar && (!options.listValue || options.almanac)) {
        fail("--lunisolar goes with --list YEAR");
    }
    if (options.monthsValue) {
        if (options.view != View::Month || options.sheet || options.icsYear || options.listYear ||
            options.day || !positional.empty()) {
            fail(
                "--months prints a year's months; it takes no -3, -y, --sheet, --ics, --list, "
                "--day or YEAR MONTH");
        }
        options.monthsYear = parseYear(*options.monthsValue, firstYearOf(options));
    }
    const std::size_t most = options.view == View::Year ? 1 : 2;
    if (positional.size() > most) fail("too many arguments");
    if (!positional.empty()) options.year = parseYear(positional[0], firstYearOf(options));
    if (positional.size() == 2) {
        const auto month = parseNumber(positional[1]);
        if (!month || *month < 1 || *month > 12) {
            fail("month must be a number from 1 to 12, not '" + std::string(positional[1]) + "'");
        }
        options.month = month;
    }
    if (options.view != View::Year && positional.size() == 1) fail("a year needs its month");
    return options;
}

// How many months `width` columns wide, `most` at the most, fit side by
// side in `columns`.
int monthsPerRow(int columns, int width, int most) {
    for (int n = most; n > 1; --n) {
        if (n * width + (n - 1) * tenvo::kBlockGap <= columns) return n;
    }
    return 1;
}

// The months to show; those of -3 that fall outside firstYear-01 ..
// 2100-12 are left out rather than shown without their calendar.
std::vector<YearMonth> monthsOf(View view, YearMonth anchor, int32_t firstYear) {
    std::vector<YearMonth> months;
    if (view == View::Year) {
        for (int32_t m = 1; m <= 12; ++m) months.push_back({anchor.year, m});
        return months;
    }
    if (view == View::Month) return {anchor};
    for (int32_t step = -1; step <= 1; ++step) {
        const int32_t index = anchor.year * 12 + (anchor.month - 1) + step;
        const YearMonth m{index / 12, index % 12 + 1};
        if (m.year >= firstYear && m.year <= kLastYear) months.push_back(m);
    }
    return months;
}

// Every view and the iCalendar stream take their sheets from here, so that
// each option about the sheet's content applies to all of them.
tenvo::MonthSheet composed(YearMonth when, const Options& options,
                           const tenvo::LibraryBinding& library) {
    tenvo::MonthSheet sheet;
    sheet.year = static_cast<uint16_t>(when.year);
    sheet.month = static_cast<uint16_t>(when.month);
    sheet.mode = static_cast<int32_t>(options.mode);
    sheet.holidayRule = options.holidays;
    tenvo::composeMonth(sheet, library);
    return sheet;
}

// Every holiday of a year by law, "YYYY-MM-DD<TAB>name" in UTF-8.
std::string holidayList(int32_t year) {
    std::string text;
    const tenvo::LawHolidayYear holidays = tenvo::lawHolidaysOfYear(year);
    for (int32_t i = 0; i < holidays.count; ++i) {
        const tenvo::LawHoliday& h = holidays.days[static_cast<std::size_t>(i)];
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d\t", static_cast<int>(year),
                      static_cast<int>(h.month), static_cast<int>(h.day));
        text += date;
        text += tenvo::lawHolidayNameUtf8(h.name);
        text += '\n';
    }
    return text;
}

// The names of the shown months' holidays by law, one line each ("5月3日
// 憲法記念日"), under the months; they would not fit beside a month.
std::string holidayNames(const std::vector<YearMonth>& months) {
    std::string text;
    for (const YearMonth& m : months) {
        const tenvo::LawHolidayYear holidays = tenvo::lawHolidaysOfYear(m.year);
        for (int32_t i = 0; i < holidays.count; ++i) {
            const tenvo::LawHoliday& h = holidays.days[static_cast<std::size_t>(i)];
            if (h.month != m.month) continue;
            text += std::to_string(h.month) + "月" + std::to_string(h.day) + "日 " +
                    tenvo::lawHolidayNameUtf8(h.name) + "\n";
        }
    }
    return text;
}

// "YYYY-MM-DD<TAB>", the start of a line of the year lists.
std::string dateField(int32_t year, int32_t month, int32_t day) {
    char date[48];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d\t", static_cast<int>(year),
                  static_cast<int>(month), static_cast<int>(day));
    return date;
}

// The pentad beginning on the day and the day's observances, UTF-8, for
// the almanac list and feed: none with --no-seasons or --only (which keeps
// exactly the items it names).
bool wantsSeasons(const Options& options) { return options.seasons && !options.onlyValue; }

// Each with the feed's uid stem ("kou" and the pentad, "gyoji" and the
// observance).
struct SeasonalItem {
    std::string name;
    std::string uid;
};
std::vector<SeasonalItem> seasonalItems(const tenvo::DayLore& lore, const Options& options,
                                        const tenvo::LibraryBinding& library) {
    std::vector<SeasonalItem> found;
    if (!wantsSeasons(options)) return found;
    // 半夏生 is both a pentad and a seasonal day, begun by the same degree
    // of the Sun: the day lists it once.
    const auto listedAsItem = [&](const char* name) {
        for (int32_t item = 0; item < VRN_ALMANAC_ITEMS; ++item) {
            const char* itemName = library.rek2name(item);
            if (tenvo::hasItem(lore, item) && itemName != nullptr &&
                std::string_view(itemName) == name) {
                return true;
            }
        }
        return false;
    };
    if (lore.pentadBegins) {
        const char* name = library.kou2name(lore.pentad);
        if (name != nullptr && !listedAsItem(name)) {
            found.push_back({tenvo::shiftJisToUtf8(name), "kou" + std::to_string(lore.pentad)});
        }
    }
    for (int32_t observance = 0; observance < tenvo::kObservanceCount; ++observance) {
        if (tenvo::hasObservance(lore, observance)) {
            found.push_back({tenvo::shiftJisToUtf8(tenvo::observanceNameShiftJis(observance)),
                             "gyoji" + std::to_string(observance)});
        }
    }
    return found;
}

// Every day of a year at a place: the date, the Sun's rise, transit and
// set and the Moon's, tab-separated, "--:--" for an event the day lacks.
std::string sunList(int32_t year, const tenvo::Place& place, const tenvo::LibraryBinding& library) {
    std::string out;
    for (int32_t month = 1; month <= 12; ++month) {
        for (int32_t day = 1; day <= tenvo::daysInMonth(year, month); ++day) {
            const tenvo::SunMoonTimes t =
                tenvo::composeSunMoonTimes(library, place, {year, month, day});
            std::string line = dateField(year, month, day);
            for (const int32_t seconds :
                 {t.sun.rise, t.sun.transit, t.sun.set, t.moon.rise, t.moon.transit, t.moon.set}) {
                line += tenvo::clockText(seconds) + "\t";
            }
            line.back() = '\n';
            out += line;
        }
    }
    return out;
}

// Every almanac item in `options.onlyItems` and every lower-row day in
// `options.onlyLowerRow` of every day of a year, one line each,
// "YYYY-MM-DD<TAB>name": days in order, within a day the almanac items in
// item order, then the lower-row days in theirs (as the day's lore lists
// them).
std::string almanacList(int32_t year, const Options& options,
                        const tenvo::LibraryBinding& library) {
    const auto names = itemNamesUtf8();
    const auto lowerRowNames = lowerRowNamesUtf8();
    const tenvo::LoreYear shared = tenvo::loreYear(year);
    std::string out;
    for (int32_t month = 1; month <= 12; ++month) {
        for (int32_t day = 1; day <= tenvo::daysInMonth(year, month); ++day) {
            tenvo::DayLore lore = tenvo::composeDayLore(library, shared, month, day);
            if (wantsSeasons(options)) tenvo::addSeasonalLore(library, lore);
            const int32_t items = lore.items & options.onlyItems;
            const int32_t lowerRow = lore.lowerRow & options.onlyLowerRow;
            const std::vector<SeasonalItem> seasonal = seasonalItems(lore, options, library);
            if (items == 0 && lowerRow == 0 && seasonal.empty()) continue;
            const std::string date = dateField(year, month, day);
            for (int32_t item = 0; item < VRN_ALMANAC_ITEMS; ++item) {
                if (((items >> item) & 1) != 0) {
                    out += date + names[static_cast<std::size_t>(item)] + "\n";
                }
            }
            for (const SeasonalItem& item : seasonal) out += date + item.name + "\n";
            for (int32_t item = 0; item < VRN_LOWER_ROW_ITEMS; ++item) {
                if (((lowerRow >> item) & 1) != 0) {
                    out += date + lowerRowNames[static_cast<std::size_t>(item)] + "\n";
                }
            }
        }
    }
    return out;
}

// Every day of a year and the item the month sheet of `options.mode` shows
// under it, "YYYY-MM-DD<TAB>item", the item as the sheet has it without its
// padding (nothing after the tab where the sheet shows nothing).
std::string dayItemList(int32_t year, const Options& options,
                        const tenvo::LibraryBinding& library) {
    std::string out;
    for (const tenvo::DayItem& d : tenvo::dayItems(year, [&](int32_t y, int32_t m) {
             return composed({y, m}, options, library);
         })) {
        out += dateField(year, d.month, d.day) + d.item + "\n";
    }
    return out;
}

// The almanac items of the shown months, one line per day that has any
// ("2月3日 節分 天一天上"), under the months as the holidays are.
std::string almanacNames(const std::vector<YearMonth>& months,
                         const tenvo::LibraryBinding& library) {
    const auto names = itemNamesUtf8();
    std::string text;
    for (const YearMonth& m : months) {
        const tenvo::LoreYear shared = tenvo::loreYear(m.year);
        for (int32_t day = 1; day <= tenvo::daysInMonth(m.year, m.month); ++day) {
            const tenvo::DayLore lore = tenvo::composeDayLore(library, shared, m.month, day);
            if (lore.items == 0) continue;
            text += std::to_string(m.month) + "月" + std::to_string(day) + "日";
            for (int32_t item = 0; item < VRN_ALMANAC_ITEMS; ++item) {
                if (tenvo::hasItem(lore, item)) text += " " + names[static_cast<std::size_t>(item)];
            }
            text += "\n";
        }
    }
    return text;
}

// The periods of the almanac (天一天上, 八専, 十方暮) become one event over
// their days; the other items one event a day.
constexpr bool isPeriod(int32_t item) {
    return item == VRN_TENICHITENJO || item == VRN_HASSEN || item == VRN_JIPPOGURE;
}

// The almanac items and lower-row days of YEAR that `options` keeps as
// calendar events, in date order and within a day in item order, the
// lower-row days after the almanac items. A period is one event from its first to its
// last day: single days left out inside it (八専's 間日) do not split it,
// and it belongs to the year of its first day, running on into the next.
std::vector<tenvo::CalendarEvent> almanacEvents(int32_t year, const Options& options,
                                                const tenvo::LibraryBinding& library) {
    // Days from two before the year (to see a period already running) to
    // the 31st of January after it (the longest period lasts 16 days).
    struct Day {
        int32_t year, month, day, items, lowerRow;
        std::vector<SeasonalItem> seasonal;
    };
    std::vector<Day> days;
    for (int32_t y = year - 1; y <= year + 1; ++y) {
        const tenvo::LoreYear shared = tenvo::loreYear(y);
        const int32_t firstMonth = y < year ? 12 : 1, lastMonth = y > year ? 1 : 12;
        for (int32_t month = firstMonth; month <= lastMonth; ++month) {
            const int32_t firstDay = y < year ? 30 : 1;
            for (int32_t day = firstDay; day <= tenvo::daysInMonth(y, month); ++day) {
                tenvo::DayLore lore = tenvo::composeDayLore(library, shared, month, day);
                if (y == year && wantsSeasons(options)) tenvo::addSeasonalLore(library, lore);
                days.push_back({y, month, day, lore.items & options.onlyItems,
                                lore.lowerRow & options.onlyLowerRow,
                                y == year ? seasonalItems(lore, options, library)
                                          : std::vector<SeasonalItem>()});
            }
        }
    }
    const auto names = itemNamesUtf8();
    const auto lowerRowNames = lowerRowNamesUtf8();
    const auto marked = [&](std::size_t i, int32_t item) {
        return i < days.size() && ((days[i].items >> item) & 1) != 0;
    };
    std::vector<tenvo::CalendarEvent> events;
    for (std::size_t i = 0; i < days.size(); ++i) {
        if (days[i].year != year) continue;
        for (int32_t item = 0; item < VRN_ALMANAC_ITEMS; ++item) {
            if (!marked(i, item)) continue;
            tenvo::CalendarEvent event{days[i].year, days[i].month, days[i].day,
                                       names[static_cast<std::size_t>(item)],
                                       "almanac" + std::to_string(item)};
            if (isPeriod(item)) {
                // Not its first day when it runs on from the day before or
                // from two days before over one left-out day.
                if (marked(i - 1, item) || (i >= 2 && marked(i - 2, item))) continue;
                std::size_t last = i;
                while (marked(last + 1, item) || marked(last + 2, item)) {
                    last += marked(last + 1, item) ? 1 : 2;
                }
                event.days = static_cast<int32_t>(last - i + 1);
            }
            events.push_back(std::move(event));
        }
        // The pentads' first days and the observances are single days.
        for (const SeasonalItem& item : days[i].seasonal) {
            events.push_back({days[i].year, days[i].month, days[i].day, item.name, item.uid});
        }
        // The lower-row days are single days, each its own event.
        for (int32_t item = 0; item < VRN_LOWER_ROW_ITEMS; ++item) {
            if (((days[i].lowerRow >> item) & 1) == 0) continue;
            events.push_back({days[i].year, days[i].month, days[i].day,
                              lowerRowNames[static_cast<std::size_t>(item)],
                              "gedan" + std::to_string(item)});
        }
    }
    return events;
}

std::string yearCalendar(int32_t year, const Options& options, std::time_t stamp,
                         const tenvo::LibraryBinding& library) {
    std::vector<tenvo::CalendarEvent> events =
        options.almanac ? almanacEvents(year, options, library)
                        : tenvo::dayItemEvents(year, [&](int32_t y, int32_t m) {
                              return composed({y, m}, options, library);
                          });
    if (options.holidays == tenvo::HolidayRule::ByLaw) {
        // A holiday's event follows the day item of its date.
        const std::vector<tenvo::CalendarEvent> holidays = tenvo::lawHolidayEvents(year);
        events.insert(events.end(), holidays.begin(), holidays.end());
        std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) {
            return a.month * 32 + a.day < b.month * 32 + b.day;
        });
    }
    const tenvo::CalendarMode named = options.almanac ? tenvo::CalendarMode::Almanac : options.mode;
    return tenvo::writeCalendar(tenvo::calendarName(named, year), events, stamp);
}

// "天正10年", or where the month's days span two years "天正9～10年" or
// two eras "元和10年～寛永元年": one court's era years from `first` to
// `last`, in Shift-JIS. `brief` writes a change as "元和10年～" alone.
std::string eraYearsShiftJis(const tenvo::LibraryBinding& library, const tenvo::WarekiDate& first,
                             const tenvo::WarekiDate& last, bool brief) {
    const auto name = [&](const tenvo::WarekiDate& d) {
        const char* text = library.gen2name(d.era);
        return std::string(text == nullptr ? "" : text);
    };
    const auto yearOf = [](const tenvo::WarekiDate& d) {
        return d.year == 1 ? std::string("\x8c\xb3" /* 元 */) : std::to_string(d.year);
    };
    constexpr char kYear[] = "\x94\x4e";   // 年
    constexpr char kUntil[] = "\x81\x60";  // ～
    if (first.era < 0) return {};
    std::string text = name(first) + yearOf(first);
    if (last.era < 0 || (name(last) == name(first) && last.year == first.year)) return text + kYear;
    if (brief) return text + kYear + kUntil;
    if (name(last) == name(first)) return text + kUntil + yearOf(last) + kYear;
    return text + kYear + kUntil + name(last) + yearOf(last) + kYear;
}

// The era years of a month's days for its title, UTF-8: one court's, or
// where the courts differ the southern's and the northern's ("正平5年・観応元年");
// where that would not fit beside the year and month, a change within the
// month is shown by "～" after the first day's era year alone.
std::string monthEraTitle(YearMonth m, const tenvo::LibraryBinding& library) {
    tenvo::CivilDate firstDay{m.year, m.month, 1};
    tenvo::CivilDate lastDay{m.year, m.month, tenvo::daysInMonth(m.year, m.month)};
    if (tenvo::dateKey(firstDay) < tenvo::dateKey(tenvo::kHistoryFirstDay)) {
        firstDay = tenvo::kHistoryFirstDay;
    }
    const tenvo::DayWareki first = tenvo::warekiOfDay(library, firstDay);
    const tenvo::DayWareki last = tenvo::warekiOfDay(library, lastDay);
    const auto title = [&](bool brief) {
        std::string text = eraYearsShiftJis(library, first.south, last.south, brief);
        if (first.twoCourts() || last.twoCourts()) {
            text += "\x81\x45" /* ・ */ + eraYearsShiftJis(library, first.north, last.north, brief);
        }
        return text;
    };
    // "YYYY年M月 " takes 10 or 11 columns of the block; a Shift-JIS byte is a column.
    const std::string full = title(false);
    const int room = tenvo::kSeparatedBlockColumns - 11;
    return tenvo::shiftJisToUtf8(static_cast<int>(full.size()) <= room ? full : title(true));
}

// Every day of a year with a lunisolar date, one line each:
// GREGORIAN<TAB>JULIAN<TAB>LUNISOLAR<TAB>WAREKI, the lunisolar date as
// YYYY-MM-DD with L after a leap month's number and the era date as --day
// writes it.
std::string lunisolarList(int32_t year, const Options& options,
                          const tenvo::LibraryBinding& library) {
    const bool published = options.rule == tenvo::MonthRule::Published;
    const std::optional<tenvo::EraTable> eras =
        published ? std::optional<tenvo::EraTable>(std::in_place, library) : std::nullopt;
    const tenvo::LoreYear shared = tenvo::loreYear(year);
    std::string out;
    char line[96];
    for (int32_t month = 1; month <= 12; ++month) {
        for (int32_t day = 1; day <= tenvo::daysInMonth(year, month); ++day) {
            const tenvo::DayLore lore = tenvo::composeDayLore(library, shared, month, day);
            const LunisolarDate& lunar = lore.lunisolar;
            if (!lore.valid || lunar.year == -999) continue;
            // The lore holds the Julian date only where it was in use.
            const CalendarDate julian = library.ad2jul({year, month, day, 0.0, 0.0, 0.0, 135.0});
            std::snprintf(line, sizeof line, "%04d-%02d-%02d\t%04d-%02d-%02d\t%04d-%02d%s-%02d\t",
                          static_cast<int>(year), static_cast<int>(month), static_cast<int>(day),
                          static_cast<int>(julian.year), static_cast<int>(julian.month),
                          static_cast<int>(julian.day), static_cast<int>(lunar.year),
                          static_cast<int>(lunar.month), lunar.leap == 'Y' ? "L" : "",
                          static_cast<int>(lunar.day));
            out += line;
            out += eras ? eras->dayWarekiUtf8(lore.wareki)
                        : tenvo::shiftJisToUtf8(tenvo::eraDateShiftJis(lore.era, month, day));
            out += '\n';
        }
    }
    return out;
}

// The months of lunisolar year `year` as a historical table lists them, one
// a line: the month ("1月", "閏8月"), 大 or 小 (the days where the month
// was cut short: "2日"), its first day in the Gregorian and the Julian
// calendar, and that day's 干支.
std::string monthList(int32_t year, const Options& options, const tenvo::LibraryBinding& library) {
    struct Month {
        LunisolarDate first;
        tenvo::CivilDate gregorian;
        int32_t days;
    };
    std::vector<Month> months;
    // A lunisolar year begins between 21 January and 20 February: its months
    // lie within the Gregorian year and the first months of the next.
    for (int32_t y = year; y <= year + 1 && y <= kLastYear; ++y) {
        for (int32_t month = 1; month <= (y == year ? 12 : 3); ++month) {
            for (int32_t day = 1; day <= tenvo::daysInMonth(y, month); ++day) {
                const LunisolarDate lunar =
                    library.adto9rekL(CalendarDate{y, month, day, 0.0, 0.0, 0.0, 135.0});
                if (lunar.year != year) continue;
                if (months.empty() || months.back().first.month != lunar.month ||
                    months.back().first.leap != lunar.leap) {
                    months.push_back({lunar, {y, month, day}, 0});
                }
                ++months.back().days;
            }
        }
    }
    const bool published = options.rule == tenvo::MonthRule::Published;
    std::string out;
    for (const Month& m : months) {
        // The published table knows the length of the month the change of
        // calendar cut short, which the days after it no longer show.
        const int32_t known =
            published ? library.kyu2days(year, m.first.month, m.first.leap) : m.days;
        const int32_t days = known > 0 ? known : m.days;
        const CalendarDate julian = library.ad2jul(
            {m.gregorian.year, m.gregorian.month, m.gregorian.day, 0.0, 0.0, 0.0, 135.0});
        const char* pair = library.eno2name(tenvo::dayPairOfDays(
            tenvo::daysFromCivil(m.gregorian.year, m.gregorian.month, m.gregorian.day)));
        out += std::string(m.first.leap == 'Y' ? "閏" : "") + std::to_string(m.first.month) +
               "月\t" +
               (days == 30   ? "大"
                : days == 29 ? "小"
                             : std::to_string(days) + "日") +
               "\t" + dateField(m.gregorian.year, m.gregorian.month, m.gregorian.day) +
               dateField(julian.year, julian.month, julian.day) +
               (pair == nullptr ? std::string() : tenvo::shiftJisToUtf8(pair)) + "\n";
    }
    return out;
}

std::string renderView(const Options& options, const tenvo::TermContext& context,
                       const tenvo::LibraryBinding& library) {
    const YearMonth today{context.year, context.month};
    const YearMonth anchor{options.year.value_or(today.year),
                           options.month.value_or(options.year ? 1 : today.month)};
    const std::vector<YearMonth> months = monthsOf(options.view, anchor, firstYearOf(options));
    const bool colour = context.colour;
    std::string names =
        options.holidays == tenvo::HolidayRule::ByLaw ? holidayNames(months) : std::string();
    if (options.mode == tenvo::CalendarMode::Almanac) names += almanacNames(months, library);

    if (options.sheet) {
        // Scripts read whole sheets: one under another, an empty line apart.
        std::string out;
        for (const YearMonth& m : months) {
            if (!out.empty()) out += '\n';
            out += tenvo::renderSheet(composed(m, options, library), colour);
        }
        return out + names;
    }

    tenvo::BlockStyle style;
    style.colour = colour;
    style.separated = true;
    const int columns = context.columns;
    const int width = tenvo::blockColumns(style);
    int perRow = 1;
    if (options.view == View::ThreeMonths) perRow = monthsPerRow(columns, width, 3) == 3 ? 3 : 1;
    if (options.view == View::Year) perRow = monthsPerRow(columns, width, 3);

    std::vector<tenvo::MonthBlock> blocks;
    const bool published = options.rule == tenvo::MonthRule::Published;
    for (const YearMonth& m : months) {
        style.today = m.year == today.year && m.month == today.month ? context.day : 0;
        blocks.push_back(
            tenvo::renderMonthBlock(composed(m, options, library), style,
                                    published ? monthEraTitle(m, library) : std::string()));
    }
    return tenvo::layOutBlocks(blocks, perRow) + names;
}

// The lore of one day, a labelled item a line, the values in one column,
// with the pentad, 納音, 恵方 and observances, then the times of the Sun
// and the Moon at the place.
std::string dayView(const Date& date, const tenvo::Place& place,
                    const tenvo::LibraryBinding& library) {
    tenvo::DayLore lore = tenvo::composeDayLore(library, date.year, date.month, date.day);
    tenvo::addSeasonalLore(library, lore);
    constexpr int kLabelColumns = 12;
    std::vector<tenvo::LoreLine> lines =
        tenvo::dayLoreLines(lore, library, tenvo::TextEncoding::Utf8, tenvo::LoreLineSet::Seasonal);
    for (tenvo::LoreLine& line : tenvo::sunMoonLines(
             tenvo::composeSunMoonTimes(library, place, date), tenvo::TextEncoding::Utf8)) {
        lines.push_back(std::move(line));
    }
    std::string out;
    for (const tenvo::LoreLine& line : lines) {
        const int pad = kLabelColumns - tenvo::utf8Columns(line.label);
        out += line.label + std::string(static_cast<std::size_t>(pad > 1 ? pad : 1), ' ') +
               line.value + "\n";
    }
    return out;
}

}  // namespace

namespace tenvo {

int runTermCommand(int argc, const char* const* argv, const TermContext& context, std::string& out,
                   std::string& err) {
    Options options;
    const LibraryBinding linked = linkedLibraryBinding();
    try {
        options = parseArguments(argc, argv, linked);
    } catch (const UsageError& e) {
        err += "tenvo-term: " + e.message + " (try --help)\n";
        return kTermUsageError;
    }
    const LibraryBinding library = withMonthRule(linked, options.rule);
    if (options.help) {
        out += kUsage;
        return kTermSuccess;
    }
    if (options.version) {
        out += std::string("tenvo-term, calendar library version ") + library.VRNVER() + "\n";
        return kTermSuccess;
    }
    // A view that defaults to today needs a today within the calendar's
    // span; a clock outside it is reported rather than read as a month
    // the library cannot answer.
    const bool needsToday =
        (options.day && !options.dayValue) ||
        (!options.day && !options.listYear && !options.icsYear && !options.monthsYear &&
         !options.help && !options.version && !options.year);
    const Date today{context.year, context.month, context.day};
    if (needsToday && (today.year < kFirstYear || today.year > kLastYear || today.day < 1 ||
                       today.day > daysInMonth(today.year, today.month))) {
        err += "tenvo-term: today (" + std::to_string(today.year) + "-" +
               std::to_string(today.month) + "-" + std::to_string(today.day) +
               ") lies outside 1870-01-01 .. 2100-12-31; give YEAR MONTH or --day YYYY-MM-DD\n";
        return kTermUsageError;
    }
    if (options.day) {
        out += dayView(options.dayDate ? *options.dayDate : today, options.place, library);
    } else if (options.listYear && options.sun) {
        out += sunList(*options.listYear, options.place, library);
    } else if (options.monthsYear) {
        out += monthList(*options.monthsYear, options, library);
    } else if (options.listYear && options.lunisolarList) {
        out += lunisolarList(*options.listYear, options, library);
    } else if (options.listYear && options.almanac) {
        out += almanacList(*options.listYear, options, library);
    } else if (options.listYear && options.modeList) {
        out += dayItemList(*options.listYear, options, library);
    } else if (options.listYear) {
        out += holidayList(*options.listYear);
    } else if (options.icsYear) {
        out += yearCalendar(*options.icsYear, options, context.stamp, library);
    } else {
        out += renderView(options, context, library);
    }
    return kTermSuccess;
}

}  // namespace tenvo
