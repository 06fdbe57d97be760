// tenvo-term: the month sheet of the traditional calendar in a terminal.
//
//   tenvo-term [--mode MODE] [--rule RULE] [--holidays law] [YEAR MONTH]
//   tenvo-term --holidays law --list YEAR
//
// Prints the sheet of the current month, or of YEAR MONTH, as its text
// reads: the day numbers and under each day the item of the chosen mode.
// Sundays and holidays are red and Saturdays blue when standard output is a
// colour terminal and NO_COLOR is not set. With --holidays law the red days
// are the holidays the law gave in that year, named under the sheet; --list
// prints a year's holidays by law, one per line.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "annotations.h"
#include "holidays_by_law.h"
#include "library_binding_linked.h"
#include "month_sheet.h"
#include "sheet_render.h"

namespace {

constexpr int kUsageError = 2;
constexpr int32_t kFirstYear = 1870;
constexpr int32_t kLastYear = 2100;

constexpr char kUsage[] =
    "Usage: tenvo-term [--mode MODE] [--rule RULE] [--holidays law] [YEAR MONTH]\n"
    "       tenvo-term --holidays law --list YEAR\n"
    "Print the month sheet of the traditional Japanese calendar.\n"
    "\n"
    "  YEAR MONTH   the month to show (years 1870 to 2100); default: this month\n"
    "  --mode MODE  the item under each day:\n"
    "                 rokuyo  six-day name (default)\n"
    "                 kyusei  nine star\n"
    "                 27      27 lunar mansions\n"
    "                 28      28 lunar mansions\n"
    "                 kanshi  stem and branch\n"
    "                 sekki   solar term beginning that day\n"
    "  --rule RULE  how lunar months are numbered (six-day and 27 mansions):\n"
    "                 terms     by the principal term each month holds (default)\n"
    "                 solstice  from the month of the winter solstice, month 11\n"
    "  --holidays law\n"
    "               mark the holidays the law gave in that year and name them\n"
    "               under the sheet (default: one fixed table for every year)\n"
    "  --list YEAR  with --holidays law: print every holiday of YEAR (1948 to\n"
    "               2100), one per line as YYYY-MM-DD, a tab and its name\n"
    "  --help       show this help\n"
    "  --version    show the calendar library's version\n"
    "\n"
    "Sundays and holidays are red, Saturdays blue, on a colour terminal\n"
    "unless NO_COLOR is set.\n";

struct Options {
    bool help = false;
    bool version = false;
    tenvo::CalendarMode mode = tenvo::CalendarMode::SixDay;
    bool solsticeRule = false;
    std::optional<int32_t> year;
    std::optional<int32_t> month;
    tenvo::HolidayRule holidays = tenvo::HolidayRule::FixedTable;
    std::optional<int32_t> listYear;
};

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "tenvo-term: %s (try --help)\n", message.c_str());
    std::exit(kUsageError);
}

std::optional<tenvo::CalendarMode> parseMode(std::string_view name) {
    if (name == "rokuyo") return tenvo::CalendarMode::SixDay;
    if (name == "kyusei") return tenvo::CalendarMode::NineStar;
    if (name == "27") return tenvo::CalendarMode::Mansion27;
    if (name == "28") return tenvo::CalendarMode::Mansion28;
    if (name == "kanshi") return tenvo::CalendarMode::Sexagenary;
    if (name == "sekki") return tenvo::CalendarMode::SolarTerm;
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

// The value of an option given as "--name VALUE" or "--name=VALUE", or
// nothing when `arg` is not that option.
std::optional<std::string_view> optionValue(std::string_view name, int argc, char** argv, int& i) {
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
bool parseHolidayOption(int argc, char** argv, int& i, Options& options) {
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
        const auto number = parseNumber(*year);
        if (!number || *number < tenvo::kLawFirstYear || *number > tenvo::kLawLastYear) {
            fail("--list needs a year from 1948 to 2100, not '" + std::string(*year) + "'");
        }
        options.listYear = number;
        return true;
    }
    return false;
}

Options parseArguments(int argc, char** argv) {
    Options options;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--mode" || arg.starts_with("--mode=")) {
            std::string_view name;
            if (arg == "--mode") {
                if (i + 1 >= argc) fail("--mode needs a mode name");
                name = argv[++i];
            } else {
                name = arg.substr(std::strlen("--mode="));
            }
            const auto mode = parseMode(name);
            if (!mode) fail("unknown mode '" + std::string(name) + "'");
            options.mode = *mode;
        } else if (arg == "--rule" || arg.starts_with("--rule=")) {
            std::string_view name;
            if (arg == "--rule") {
                if (i + 1 >= argc) fail("--rule needs a rule name");
                name = argv[++i];
            } else {
                name = arg.substr(std::strlen("--rule="));
            }
            if (name != "terms" && name != "solstice") {
                fail("unknown rule '" + std::string(name) + "'");
            }
            options.solsticeRule = name == "solstice";
        } else if (parseHolidayOption(argc, argv, i, options)) {
            continue;
        } else if (arg.size() > 1 && arg[0] == '-') {
            fail("unknown option '" + std::string(arg) + "'");
        } else if (positional == 0) {
            const auto year = parseNumber(arg);
            if (!year || *year < kFirstYear || *year > kLastYear) {
                fail("year must be a number from 1870 to 2100, not '" + std::string(arg) + "'");
            }
            options.year = year;
            ++positional;
        } else if (positional == 1) {
            const auto month = parseNumber(arg);
            if (!month || *month < 1 || *month > 12) {
                fail("month must be a number from 1 to 12, not '" + std::string(arg) + "'");
            }
            options.month = month;
            ++positional;
        } else {
            fail("too many arguments");
        }
    }
    if (positional == 1) fail("a year needs its month");
    if (options.listYear && options.holidays != tenvo::HolidayRule::ByLaw) {
        fail("--list needs --holidays law");
    }
    if (options.listYear && positional != 0) fail("--list takes no YEAR MONTH");
    return options;
}

bool useColour() {
    const char* noColour = std::getenv("NO_COLOR");
    if (noColour != nullptr && noColour[0] != '\0') return false;
    const char* term = std::getenv("TERM");
    if (term != nullptr && std::strcmp(term, "dumb") == 0) return false;
    return isatty(STDOUT_FILENO) == 1;
}

// Every holiday of a year by law, "YYYY-MM-DD<TAB>name" in UTF-8.
int printHolidayList(int32_t year) {
    const tenvo::LawHolidayYear holidays = tenvo::lawHolidaysOfYear(year);
    for (int32_t i = 0; i < holidays.count; ++i) {
        const tenvo::LawHoliday& h = holidays.days[static_cast<std::size_t>(i)];
        std::printf("%04d-%02d-%02d\t%s\n", year, h.month, h.day,
                    tenvo::lawHolidayNameUtf8(h.name));
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

// The names of the shown month's holidays by law, one line each ("5月3日
// 憲法記念日"), under the sheet.
std::string monthHolidayNames(const tenvo::MonthSheet& sheet) {
    const tenvo::LawHolidayYear holidays = tenvo::lawHolidaysOfYear(sheet.year);
    std::string text;
    for (int32_t i = 0; i < holidays.count; ++i) {
        const tenvo::LawHoliday& h = holidays.days[static_cast<std::size_t>(i)];
        if (h.month != sheet.month) continue;
        text += std::to_string(h.month) + "月" + std::to_string(h.day) + "日 " +
                tenvo::lawHolidayNameUtf8(h.name) + "\n";
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parseArguments(argc, argv);
    const tenvo::LibraryBinding linked = tenvo::linkedLibraryBinding();
    const tenvo::LibraryBinding library =
        options.solsticeRule ? tenvo::withSolsticeReading(linked) : linked;
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options.version) {
        std::printf("tenvo-term, calendar library version %s\n", library.VRNVER());
        return 0;
    }

    if (options.listYear) return printHolidayList(*options.listYear);

    tenvo::MonthSheet sheet;
    if (options.year) {
        sheet.year = static_cast<uint16_t>(*options.year);
        sheet.month = static_cast<uint16_t>(*options.month);
    } else {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        sheet.year = static_cast<uint16_t>(local.tm_year + 1900);
        sheet.month = static_cast<uint16_t>(local.tm_mon + 1);
    }
    sheet.mode = static_cast<int32_t>(options.mode);
    sheet.holidayRule = options.holidays;
    tenvo::composeMonth(sheet, library);

    std::string text = tenvo::renderSheet(sheet, useColour());
    if (options.holidays == tenvo::HolidayRule::ByLaw) text += monthHolidayNames(sheet);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
