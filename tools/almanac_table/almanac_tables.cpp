// Building and writing the almanac's instant table.
#include "almanac_tables.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace almanacgen {

namespace {

using newmoongen::civilFromDays;
using newmoongen::daysFromCivil;
using newmoongen::kUnixEpochJd;

// The UT civil date of an instant.
CivilDate utDateOf(const LocalInstant& instant) {
    return civilFromDays(static_cast<int64_t>(std::floor(instant.jdUt - kUnixEpochJd)));
}

double utJdOf(int32_t year, int32_t month, int32_t day) {
    return kUnixEpochJd + static_cast<double>(daysFromCivil(year, month, day));
}

std::string dateText(const CivilDate& d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

bool buildSun(int32_t firstYear, int32_t lastYear, AlmanacTables& out, std::string& error) {
    for (int32_t year = firstYear; year <= lastYear; ++year) {
        for (int32_t i = 0; i < kSunInstantsPerYear; ++i) {
            const double longitude = kSunLongitudes[static_cast<size_t>(i)];
            const LocalInstant s = newmoongen::localInstantOf(sunInstantJde(year, longitude));
            if (utDateOf(s).year != year) {
                error = "the Sun reaches " +
                        std::to_string(kSunLongitudes[static_cast<size_t>(i)]) +
                        " degrees outside " + std::to_string(year);
                return false;
            }
            // The 24 terms are in calendar order.
            if (i > 0 && i < 24 && s.jdUt <= out.sun.back().jdUt) {
                error = "the terms of " + std::to_string(year) + " are out of order";
                return false;
            }
            out.sun.push_back(s);
        }
    }
    return true;
}

bool buildMoon(int32_t firstYear, int32_t lastYear, AlmanacTables& out, std::string& error) {
    const double startJd = utJdOf(firstYear, 12, 1);
    const double endJd = utJdOf(lastYear, 2, 1);
    auto newMoonUt = [](int64_t k) {
        return newmoongen::localInstantOf(moonPhaseJde(k, kNewMoon)).jdUt;
    };
    // The last new moon before the start.
    int64_t k = newmoongen::lunationNear(startJd) - 2;
    while (newMoonUt(k + 1) < startJd) ++k;
    for (;; ++k) {
        bool done = false;
        for (const MoonPhase phase : {kNewMoon, kFirstQuarter, kFullMoon, kLastQuarter}) {
            const LocalInstant p = newmoongen::localInstantOf(moonPhaseJde(k, phase));
            if (!out.moon.empty()) {
                const double gap = p.jdUt - out.moon.back().jdUt;
                if (!(gap > 5.0 && gap < 10.0)) {
                    error =
                        "phases " + std::to_string(gap) + " days apart at " + dateText(utDateOf(p));
                    return false;
                }
            }
            out.moon.push_back(p);
            done = phase == kLastQuarter && p.jdUt > endJd;
        }
        if (done) break;
    }
    return true;
}

// Numbers, `perLine` to a line, each line indented.
void appendNumbers(std::string& s, const std::vector<int64_t>& numbers, size_t perLine,
                   const char* indent) {
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i % perLine == 0) s += indent;
        s += std::to_string(numbers[i]);
        s += ",";
        s += (i % perLine == perLine - 1 || i + 1 == numbers.size()) ? "\n" : " ";
    }
}

}  // namespace

bool buildAlmanac(int32_t firstYear, int32_t lastYear, AlmanacTables& out, std::string& error) {
    out = AlmanacTables{};
    if (firstYear > lastYear) {
        error = "the first year is after the last year";
        return false;
    }
    out.firstYear = firstYear;
    out.lastYear = lastYear;
    return buildSun(firstYear, lastYear, out, error) && buildMoon(firstYear, lastYear, out, error);
}

std::string localText(const LocalInstant& instant) {
    const long seconds = std::lround(std::floor(instant.localSeconds));
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s %02ld:%02ld:%02ld", dateText(instant.localDate).c_str(),
                  seconds / 3600, seconds / 60 % 60, seconds % 60);
    return buf;
}

std::vector<NamedInstant> nearMidnightInstants(const AlmanacTables& tables) {
    std::vector<NamedInstant> near;
    auto consider = [&near](const LocalInstant& instant, const char* name) {
        if (std::fabs(instant.minutesFromMidnight) > kNearMidnightReportMinutes) return;
        // The midnight's own date decides the year: 23:59:30 on 2100-12-31
        // is next to the midnight that begins 2101.
        const int64_t day =
            daysFromCivil(instant.localDate) + (instant.minutesFromMidnight < 0.0 ? 1 : 0);
        const int32_t year = civilFromDays(day).year;
        if (year >= kReportFirstYear && year <= kReportLastYear) near.push_back({instant, name});
    };
    for (size_t i = 0; i < tables.sun.size(); ++i) {
        consider(tables.sun[i], kSunInstantNames[i % kSunInstantsPerYear]);
    }
    for (size_t i = 0; i < tables.moon.size(); ++i) {
        consider(tables.moon[i], kMoonPhaseNames[i % 4]);
    }
    std::sort(near.begin(), near.end(), [](const NamedInstant& a, const NamedInstant& b) {
        return a.instant.jdUt < b.instant.jdUt;
    });
    return near;
}

std::string renderHeader(const AlmanacTables& tables) {
    const std::string first = std::to_string(tables.firstYear);
    const std::string last = std::to_string(tables.lastYear);

    std::string near;
    for (const NamedInstant& n : nearMidnightInstants(tables)) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "  %+6.2f min  ", n.instant.minutesFromMidnight);
        near += "//   " + localText(n.instant) + buf + n.name + "\n";
    }
    if (near.empty()) near = "//   (none)\n";

    std::string s;
    s += "// Generated by tools/almanac_table/almanac_table_gen " + first + " " + last +
         " OUTPUT: do not edit.\n";
    s += "// The instants at which the Sun's apparent geocentric ecliptic longitude of\n"
         "// date reaches the longitudes of the almanac, and the principal phases of\n"
         "// the Moon. The Sun: the Earth's VSOP87 series as truncated by Meeus\n"
         "// (Astronomical Algorithms, 2nd ed., appendix III), FK5 frame, nutation in\n"
         "// longitude (IAU 1980) and aberration, about 1\" or half a minute of time.\n"
         "// The Moon: Meeus's true phases (chapter 49), seconds to about twenty\n"
         "// seconds. Both are solved in dynamical time and turned into Universal Time\n"
         "// with the Delta T polynomials of Espenak and Meeus, a forecast after 2005\n"
         "// that may be a minute or more off by 2100 (docs/almanac-accuracy.md).\n"
         "// Instants within one minute of a midnight at UTC+9 (135 degrees east),\n"
         "// " +
         std::to_string(kReportFirstYear) + "-" + std::to_string(kReportLastYear) +
         ", whose day a small error could change (UTC+9, minutes from the\n"
         "// midnight):\n";
    s += near;
    s += "#pragma once\n";
    s += "#include <cstdint>\n";
    s += "// clang-format off\n";
    s += "namespace vorane2::tables {\n";
    s += "// Instants are minutes of Universal Time since 1858-11-17 00:00 UT (Modified Julian "
         "Date 0),\n"
         "// rounded DOWN to the whole minute (so the day at any meridian that is a whole number "
         "of minutes\n"
         "// from Greenwich, 135 east included, is that of the exact instant).\n";
    s += "inline constexpr int32_t kSunInstantFirstYear = " + first + ";\n";
    s += "inline constexpr int32_t kSunInstantLastYear = " + last + ";\n";
    s += "inline constexpr int32_t kSunInstantsPerYear = " + std::to_string(kSunInstantsPerYear) +
         ";\n";
    s += "// The apparent longitudes of a year's row, in degrees: the 24 terms in calendar order "
         "from 小寒, then\n"
         "// the four 土用 starts and 入梅, 半夏生.\n";
    s += "inline constexpr int16_t kSunInstantLongitudes[kSunInstantsPerYear] = {\n";
    {
        std::vector<int64_t> longitudes(kSunLongitudes.begin(), kSunLongitudes.end());
        appendNumbers(s, longitudes, 20, "    ");
    }
    s += "};\n";
    s += "// [year - kSunInstantFirstYear][i]: the instant in that Gregorian year (UT) at which "
         "the Sun's\n"
         "// apparent longitude reaches kSunInstantLongitudes[i].\n";
    s += "inline constexpr int32_t kSunInstantMinutes[kSunInstantLastYear - kSunInstantFirstYear + "
         "1]\n"
         "                                           [kSunInstantsPerYear] = {\n";
    for (int32_t year = tables.firstYear; year <= tables.lastYear; ++year) {
        std::vector<int64_t> row;
        for (int32_t i = 0; i < kSunInstantsPerYear; ++i) {
            row.push_back(utMinutesOf(tables.sun[static_cast<size_t>(
                (year - tables.firstYear) * kSunInstantsPerYear + i)]));
        }
        s += "    /* " + std::to_string(year) + " */ {\n";
        appendNumbers(s, row, 8, "        ");
        s += "    },\n";
    }
    s += "};\n";
    s += "// Every principal phase of the Moon in time order; entry i is phase i % 4 (0 new moon, "
         "1 first\n"
         "// quarter, 2 full moon, 3 last quarter). Entry 0 is the last new moon before " +
         first +
         "-12-01 00:00 UT; the\n"
         "// last entry is the first last-quarter after " +
         last + "-01-31 (after " + last + "-02-01 00:00 UT).\n";
    s += "inline constexpr int32_t kMoonPhaseCount = " + std::to_string(tables.moon.size()) + ";\n";
    s += "inline constexpr int32_t kMoonPhaseMinutes[kMoonPhaseCount] = {\n";
    for (size_t i = 0; i < tables.moon.size(); i += 4) {
        std::string line = "    /* " + dateText(utDateOf(tables.moon[i])) + " */ ";
        for (size_t j = i; j < i + 4 && j < tables.moon.size(); ++j) {
            line += std::to_string(utMinutesOf(tables.moon[j])) + ",";
            if (j + 1 < i + 4 && j + 1 < tables.moon.size()) line += " ";
        }
        s += line + "\n";
    }
    s += "};\n";
    s += "// clang-format on\n";
    s += "}  // namespace vorane2::tables\n";
    return s;
}

}  // namespace almanacgen
