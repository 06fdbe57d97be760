// history_table_gen DATA_DIRECTORY OUTPUT_DIRECTORY
//
// Writes the library's tables of the Japanese calendar as published into
// OUTPUT_DIRECTORY:
//   history_months.h  every lunisolar year 445..2100: the day its month 1
//                     begins, its leap month and the length of each month.
//                     445..1872 from DATA_DIRECTORY/months.tsv; from 1873 the
//                     months of the winter-solstice reading (adto9rekS's
//                     names), each begun on the day of the accurate new moon
//                     of the almanac's instants;
//   history_eras.h    every start of an era or reign (DATA_DIRECTORY/
//                     eras.tsv) with its court, the year that is its 元年 and
//                     the last year it was in force, and the names as
//                     Shift-JIS.
// The committed copies in lib/tables/ must be what this writes, byte for byte.
// Any inconsistency of the data (a gap between months, a year whose months
// are not 1..12 with at most one leap month, a moved new moon that would
// carry a principal term into another month) stops it with a message.
#include <iconv.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "almanac.h"
#include "day_numbers.h"
#include "numeric.h"
#include "tables/lunar_months.h"
#include "vorane2.h"

namespace {

namespace t = vorane2::tables;

constexpr int32_t kFirstYear = 445;
constexpr int32_t kLastYear = 2100;
constexpr int32_t kFirstGregorianYear = 1873;
constexpr int64_t kMeanYearTenThousandths = 3652422;  // days of the tropical year * 10^4
constexpr int32_t kJapanOffsetMinutes = 540;

std::string dateText(int64_t dayNumber) {
    const vorane2::WholeDate d = vorane2::gregorianDateOfDayNumber(dayNumber);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04lld-%02d-%02d", static_cast<long long>(d.year), d.month,
                  d.day);
    return buf;
}

std::string format(const char* pattern, long long a, long long b = 0, long long c = 0,
                   long long d = 0) {
    char buf[128];
    std::snprintf(buf, sizeof buf, pattern, a, b, c, d);
    return buf;
}

bool fail(const std::string& message) {
    std::fprintf(stderr, "error: %s\n", message.c_str());
    return false;
}

// The rows of a tab-separated file with a header line, as fields by the
// header's column names.
using Row = std::map<std::string, std::string>;
bool readTable(const std::string& path, std::vector<Row>& rows) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail("cannot read " + path);
    std::string line;
    std::vector<std::string> columns;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        std::string field;
        while (std::getline(split, field, '\t')) fields.push_back(field);
        if (!line.empty() && line.back() == '\t') fields.emplace_back();
        if (columns.empty()) {
            columns = fields;
            continue;
        }
        if (fields.size() != columns.size()) return fail("a row of " + path + " is short: " + line);
        Row row;
        for (std::size_t i = 0; i < fields.size(); ++i) row[columns[i]] = fields[i];
        rows.push_back(row);
    }
    return true;
}

// One lunisolar year: the day number of its month 1 and its months in order.
struct Month {
    int32_t number;
    bool leap;
    int32_t days;  // 29 or 30; 0 where the span ends before the month does
};
struct Year {
    int32_t year;
    int64_t start;
    std::vector<Month> months;
};

// Whether a year's months are 1..12 in order with at most one leap month,
// which follows the month of its number; the last year of the span may stop
// early.
bool wellFormed(const Year& y, bool mayStopEarly) {
    int32_t expected = 1;
    int32_t leaps = 0;
    for (std::size_t i = 0; i < y.months.size(); ++i) {
        const Month& m = y.months[i];
        if (m.leap) {
            if (i == 0 || m.number != y.months[i - 1].number || ++leaps > 1) return false;
        } else if (m.number != expected++) {
            return false;
        }
        if (m.days != 29 && m.days != 30 && !(mayStopEarly && m.days == 0)) return false;
    }
    return expected == 13 || mayStopEarly;
}

bool publishedYearsBefore1873(const std::string& path, std::vector<Year>& years) {
    std::vector<Row> rows;
    if (!readTable(path, rows)) return false;
    int64_t next = 0;
    for (const Row& r : rows) {
        const int64_t first = std::stoll(r.at("first_day_jdn"));
        const int32_t year = std::stoi(r.at("year"));
        const Month m{std::stoi(r.at("month")), r.at("leap") == "1", std::stoi(r.at("days"))};
        if (next != 0 && first != next) return fail("a gap before " + r.at("first_day_gregorian"));
        next = first + m.days;
        if (years.empty() || years.back().year != year) {
            if (!years.empty() && year != years.back().year + 1) {
                return fail("the years jump at " + r.at("first_day_gregorian"));
            }
            years.push_back(Year{year, first, {}});
        }
        years.back().months.push_back(m);
    }
    if (years.empty() || years.front().year != kFirstYear ||
        years.back().year != kFirstGregorianYear - 1) {
        return fail("months.tsv does not run from 445 to 1872");
    }
    for (const Year& y : years) {
        if (!wellFormed(y, false)) return fail("the months of " + std::to_string(y.year));
    }
    return true;
}

// The day (Julian day number at UTC+9) of every accurate new moon, and the
// instant (minutes of UT since MJD 0) beside it.
struct NewMoon {
    int64_t day;
    int32_t minutes;
};
std::vector<NewMoon> accurateNewMoons() {
    std::vector<NewMoon> moons;
    for (std::ptrdiff_t k = 0; k < t::kMoonPhaseCount; k += 4) {
        const int32_t minutes = vorane2::almanac::moonPhaseMinutes(k);
        const int64_t mjd = vorane2::almanac::dayOfInstant(minutes, kJapanOffsetMinutes);
        moons.push_back(NewMoon{mjd - vorane2::almanac::kMjdOfDayNumber, minutes});
    }
    return moons;
}

double sunAtMidnight(int64_t dayNumber) {
    const vorane2::WholeDate d = vorane2::gregorianDateOfDayNumber(dayNumber);
    return jd2sok(ad2jd(CalendarDate{static_cast<int32_t>(d.year), d.month, d.day, 0.0, 0.0, 0.0,
                                     vorane2::kJapanLongitude}));
}

// Whether the Sun passes a multiple of 30 degrees between the midnights
// that begin two days (from < to).
bool principalTermBetween(int64_t from, int64_t to) {
    const double a = sunAtMidnight(from);
    const double b = sunAtMidnight(to);
    const double end = b < a ? b + 360.0 : b;
    return std::floor(end / 30.0) != std::floor(a / 30.0);
}

struct MovedMonth {
    int64_t stored;
    int64_t published;
    int32_t minutes;
    int32_t year;
    int32_t month;
    bool leap;
};

// The months from 1873 on: the stored months from month 1 of 1873 with
// their winter-solstice names, each begun on the day of the accurate new
// moon within a day of its stored first day. `lastDay` is the day before
// the first month without a name, the end of the span.
bool publishedYearsFrom1873(std::vector<Year>& years, std::vector<MovedMonth>& moved,
                            int64_t& lastDay) {
    constexpr auto& firstDays = t::kLunarMonthFirstDays;
    constexpr auto& names = t::kLunarMonthNamesWinterSolstice;
    const std::vector<NewMoon> moons = accurateNewMoons();
    std::size_t k = 0;
    while (k < names.size() && !(names[k].year == kFirstGregorianYear && names[k].month == 1)) ++k;
    std::vector<int64_t> starts;
    std::vector<std::size_t> stored;
    for (; k < firstDays.size(); ++k) {
        const int64_t s = firstDays[k];
        auto m = std::lower_bound(moons.begin(), moons.end(), s - 1,
                                  [](const NewMoon& n, int64_t d) { return n.day < d; });
        if (m == moons.end() || m->day > s + 1 || (m + 1 != moons.end() && (m + 1)->day <= s + 1)) {
            return fail("no single accurate new moon near " + dateText(s));
        }
        if (m->day != s) {
            if (principalTermBetween(std::min(s, m->day), std::max(s, m->day))) {
                return fail("the new moon of " + dateText(m->day) + " moves a principal term");
            }
            const t::LunarMonthName& n = names[k];
            moved.push_back(MovedMonth{s, m->day, m->minutes, n.year, n.month, n.leap == 'Y'});
        }
        starts.push_back(m->day);
        stored.push_back(k);
        if (names[k].month == 0) break;  // the month after the last named one
    }
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
        const t::LunarMonthName& n = names[stored[i]];
        const Month month{n.month, n.leap == 'Y', static_cast<int32_t>(starts[i + 1] - starts[i])};
        if (years.back().year != n.year) years.push_back(Year{n.year, starts[i], {}});
        years.back().months.push_back(month);
    }
    lastDay = starts.back() - 1;
    for (std::size_t i = 0; i < years.size(); ++i) {
        const Year& y = years[i];
        if (y.year != kFirstYear + static_cast<int32_t>(i) || !wellFormed(y, y.year == kLastYear)) {
            return fail("the months of " + std::to_string(y.year));
        }
    }
    // Month 12 of 1872, cut short in use, runs on to the first month of 1873
    // in the tables of the old calendar.
    const Year& last = years[static_cast<std::size_t>(kFirstGregorianYear - 1 - kFirstYear)];
    int64_t end = last.start;
    for (const Month& m : last.months) end += m.days;
    if (end != years[static_cast<std::size_t>(kFirstGregorianYear - kFirstYear)].start) {
        return fail("month 1 of 1873 does not follow the months of 1872");
    }
    if (years.back().year != kLastYear) return fail("the months end before 2100");
    return true;
}

int64_t meanStart(int32_t year, int64_t firstDay) {
    return firstDay + int64_t{year - kFirstYear} * kMeanYearTenThousandths / 10000;
}

bool monthsHeader(const std::vector<Year>& years, const std::vector<MovedMonth>& moved,
                  int64_t lastDay, std::string& s) {
    const int64_t firstDay = years.front().start;
    const int64_t lastTableDay = vorane2::dayNumberOfGregorianDate(kFirstGregorianYear, 1, 1) - 1;
    s = "// Generated by tools/history_table/history_table_gen: do not edit.\n";
    s += "// The months of the Japanese calendar as published, one record per lunisolar\n"
         "// year 445..2100 (the Western year in which its month 1 begins):\n"
         "//   the day month 1 begins: the mean start kHistoryFirstDay + n * 365.2422\n"
         "//     days (n = year - kHistoryFirstYear; in whole numbers n *\n"
         "//     kHistoryMeanYearTenThousandths / 10000) plus startOffset;\n"
         "//   leapPosition: 0 for a year of 12 months, else the place 1..12 of its\n"
         "//     leap month among the months (counted from 0), which follows the\n"
         "//     ordinary month of the same number;\n"
         "//   longMonths: bit i set when the month at place i has 30 days, else 29.\n"
         "// 445..1872 from tools/history_table/months.tsv (CC0: tools/history_table/\n"
         "// README.md); month 12 of 1872 is cut to two days in use, the calendar's\n"
         "// last day being 1872-12-31, but the old calendar's tables run it on to\n"
         "// 30. From 1873 the months of the winter-solstice reading (adto9rekS),\n"
         "// each begun on the day (UTC+9) of the accurate new moon of\n"
         "// tables/almanac_instants.h; those differ from the stored new-moon days\n"
         "// (tables/new_moon_days.h) for these months:\n";
    for (const MovedMonth& m : moved) {
        const int64_t local = int64_t{m.minutes} + kJapanOffsetMinutes;
        s += "//   " + format("%4lld month %2lld", m.year, m.month) + (m.leap ? " leap" : "     ");
        s += " from " + dateText(m.published) + " (stored " + dateText(m.stored) + "), new moon ";
        s += format("%02lld:%02lld", (local % 1440) / 60, local % 60) + " UTC+9\n";
    }
    s += "// The months after the span (from the day after kHistoryLastDay) are not\n"
         "// known here: their bits are 0.\n"
         "#pragma once\n#include <array>\n#include <cstdint>\n// clang-format off\n"
         "namespace vorane2::tables {\n"
         "struct HistoryYear { int8_t startOffset; uint8_t leapPosition; uint16_t longMonths; };\n";
    s += format("inline constexpr int32_t kHistoryFirstYear = %lld;\n", kFirstYear);
    s += format("inline constexpr int32_t kHistoryLastYear = %lld;\n", kLastYear);
    s += format("inline constexpr int64_t kHistoryMeanYearTenThousandths = %lld;\n",
                kMeanYearTenThousandths);
    s += format("inline constexpr int32_t kHistoryFirstDay = %lld;  // ", firstDay) +
         dateText(firstDay) + ", month 1 of 445\n";
    s += format("inline constexpr int32_t kHistoryLastTableDay = %lld;  // ", lastTableDay) +
         dateText(lastTableDay) + ", 1872 month 12 day 2\n";
    s += format("inline constexpr int32_t kHistoryLastDay = %lld;  // ", lastDay) +
         dateText(lastDay) + "\n";
    s += format("inline constexpr std::array<HistoryYear, %lld> kHistoryYears = {{\n",
                static_cast<long long>(years.size()));
    for (std::size_t i = 0; i < years.size(); ++i) {
        const Year& y = years[i];
        const int64_t offset = y.start - meanStart(y.year, firstDay);
        if (offset < -128 || offset > 127) return fail("year start too far from the mean");
        int32_t leap = 0;
        uint32_t longMonths = 0;
        for (std::size_t p = 0; p < y.months.size(); ++p) {
            if (y.months[p].leap) leap = static_cast<int32_t>(p);
            if (y.months[p].days == 30) longMonths |= 1u << p;
        }
        if (i % 4 == 0) s += format("    /* %lld */", y.year);
        s += format(" {%lld, %lld, 0x%04llx},", offset, leap, longMonths);
        if (i % 4 == 3 || i + 1 == years.size()) s += "\n";
    }
    s += "}};\n// clang-format on\n}  // namespace vorane2::tables\n";
    return true;
}

// The code page 932 bytes of UTF-8 text as an escaped literal.
bool shiftJisLiteral(const std::string& text, std::string& literal) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return fail("no CP932 converter");
    std::string in = text;
    char out[64];
    char* inp = in.data();
    std::size_t inLeft = in.size();
    char* outp = out;
    std::size_t outLeft = sizeof out;
    const std::size_t rc = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1) || inLeft != 0) return fail("cannot convert " + text);
    literal = "\"";
    for (const char* p = out; p < outp; ++p) {
        literal += format("\\x%02llx", static_cast<unsigned char>(*p));
    }
    literal += "\"";
    return true;
}

// The lunisolar year of a day of the table's span.
int32_t lunisolarYearOf(const std::vector<Year>& years, int64_t day) {
    auto after = std::upper_bound(years.begin(), years.end(), day,
                                  [](int64_t d, const Year& y) { return d < y.start; });
    return (after - 1)->year;
}

// The year by which an era counts on `day`: the lunisolar year before 1873,
// the Gregorian year from then on.
int32_t countingYearOf(const std::vector<Year>& years, int64_t day) {
    if (day >= vorane2::dayNumberOfGregorianDate(kFirstGregorianYear, 1, 1)) {
        return static_cast<int32_t>(vorane2::gregorianDateOfDayNumber(day).year);
    }
    return lunisolarYearOf(years, day);
}

bool erasHeader(const std::string& path, const std::vector<Year>& years, std::string& s) {
    std::vector<Row> rows;
    if (!readTable(path, rows)) return false;
    const int64_t lastDay = vorane2::dayNumberOfGregorianDate(kLastYear, 12, 31);
    struct Era {
        int64_t start;
        int32_t line;  // VRN_SOUTH, VRN_NORTH, VRN_BOTH
        int32_t firstYear;
        int32_t lastYear;
    };
    std::vector<Era> eras;
    std::map<std::string, int32_t> firstYearOfName;
    for (const Row& r : rows) {
        const int64_t start = std::stoll(r.at("start_jdn"));
        const std::string& line = r.at("line");
        const int32_t court = line == "both" ? VRN_BOTH : line == "north" ? VRN_NORTH : VRN_SOUTH;
        if (line != "both" && line != "north" && line != "south") return fail("line " + line);
        if (!eras.empty() && start <= eras.back().start) return fail("eras out of order");
        // A reign begun before the table counts from the Western year of its
        // start; a restated era from its first start.
        const int32_t own =
            start < years.front().start
                ? static_cast<int32_t>(vorane2::gregorianDateOfDayNumber(start).year)
                : countingYearOf(years, start);
        const auto known = firstYearOfName.emplace(r.at("name"), own);
        eras.push_back(Era{start, court, known.first->second, 0});
    }
    // The last day each row was in force: up to the next row of each of its
    // courts, the later of the two.
    for (std::size_t i = 0; i < eras.size(); ++i) {
        int64_t end = 0;
        for (const int32_t court : {VRN_SOUTH, VRN_NORTH}) {
            if (eras[i].line != VRN_BOTH && eras[i].line != court) continue;
            int64_t courtEnd = lastDay;
            for (std::size_t j = i + 1; j < eras.size(); ++j) {
                if (eras[j].line == VRN_BOTH || eras[j].line == court) {
                    courtEnd = eras[j].start - 1;
                    break;
                }
            }
            end = std::max(end, courtEnd);
        }
        eras[i].lastYear = countingYearOf(years, end) - eras[i].firstYear + 1;
    }

    s = "// Generated by tools/history_table/history_table_gen: do not edit.\n";
    s += "// Every start of an era or reign, in order of its start day, from\n"
         "// tools/history_table/eras.tsv (CC0: tools/history_table/README.md). Index\n"
         "// n is era number n. startDay: the Julian day number of the proclamation;\n"
         "// line: VRN_SOUTH (0), VRN_NORTH (1) or VRN_BOTH (2), the courts that\n"
         "// followed it (two courts 1331..1392); firstYear: the year that is its\n"
         "// 元年, the lunisolar year of the first start of its name in either court\n"
         "// (the Gregorian year from 1873; for the reign begun before the table, the\n"
         "// Western year of its start); lastYear: the last year, as its own count,\n"
         "// in which the row was in force in either court (up to 2100-12-31).\n"
         "#pragma once\n#include <array>\n#include <cstdint>\n// clang-format off\n"
         "namespace vorane2::tables {\n"
         "struct HistoryEra { int32_t startDay; int16_t firstYear; int16_t lastYear; int8_t line; "
         "};\n";
    s += format("inline constexpr int32_t kHistoryEraLastDay = %lld;  // ", lastDay) +
         dateText(lastDay) + "\n";
    const std::string n = std::to_string(eras.size());
    s += "inline constexpr std::array<HistoryEra, " + n + "> kHistoryEras = {{\n";
    for (std::size_t i = 0; i < eras.size(); ++i) {
        const Era& e = eras[i];
        s += format("    {%lld, %lld, %lld, %lld},", e.start, e.firstYear, e.lastYear, e.line);
        s += format("  // %lld ", static_cast<long long>(i)) + rows[i].at("name") + " " +
             dateText(e.start) + "\n";
    }
    s += "}};\n";
    s += "inline constexpr std::array<const char*, " + n + "> kHistoryEraNames = {\n";
    for (std::size_t i = 0; i < eras.size(); ++i) {
        std::string literal;
        if (!shiftJisLiteral(rows[i].at("name"), literal)) return false;
        s += "    " + literal + format(", /* %lld ", static_cast<long long>(i)) +
             rows[i].at("name") + " */\n";
    }
    s += "};\n// clang-format on\n}  // namespace vorane2::tables\n";
    return true;
}

bool write(const std::string& directory, const char* name, const std::string& text) {
    const std::string path = directory + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) return fail("cannot write " + path);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: history_table_gen DATA_DIRECTORY OUTPUT_DIRECTORY\n");
        return 2;
    }
    const std::string data = argv[1];
    std::vector<Year> years;
    std::vector<MovedMonth> moved;
    int64_t lastDay = 0;
    std::string months;
    std::string eras;
    if (!publishedYearsBefore1873(data + "/months.tsv", years) ||
        !publishedYearsFrom1873(years, moved, lastDay) ||
        !monthsHeader(years, moved, lastDay, months) ||
        !erasHeader(data + "/eras.tsv", years, eras)) {
        return 1;
    }
    const std::string dir = argv[2];
    return write(dir, "history_months.h", months) && write(dir, "history_eras.h", eras) ? 0 : 1;
}
