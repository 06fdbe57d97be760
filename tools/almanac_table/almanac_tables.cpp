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
    out.firstLunation = k;
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

// Numbers on one line, each followed by a comma.
std::string numberList(const std::vector<int64_t>& numbers) {
    std::string s;
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) s += " ";
        s += std::to_string(numbers[i]) + ",";
    }
    return s;
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

bool compactAlmanac(const AlmanacTables& tables, CompactAlmanac& out, std::string& error) {
    out = CompactAlmanac{};
    const int32_t years = tables.lastYear - tables.firstYear + 1;
    if (years < 1 || tables.sun.size() != static_cast<size_t>(years) * kSunInstantsPerYear) {
        error = "no Sun instants to store";
        return false;
    }
    auto sunMinutes = [&](int32_t n, int32_t i) {
        return utMinutesOf(tables.sun[static_cast<size_t>(n * kSunInstantsPerYear + i)]);
    };
    out.sunResidual.assign(tables.sun.size(), 0);
    for (int32_t i = 0; i < kSunInstantsPerYear; ++i) {
        // The row's line through its first and last years (a tropical year
        // for a single year), rounded to a thousandth of a minute a year,
        // then moved to the middle of what is left.
        const int64_t rise = sunMinutes(years - 1, i) - sunMinutes(0, i);
        const int64_t milli =
            years > 1 ? (2 * rise * 1000 + (years - 1)) / (2 * (years - 1)) : 525948766;
        auto onLine = [&](int32_t n) { return sunMinutes(n, i) - n * milli / 1000; };
        int64_t low = onLine(0);
        int64_t high = low;
        for (int32_t n = 1; n < years; ++n) {
            low = std::min(low, onLine(n));
            high = std::max(high, onLine(n));
        }
        const int64_t base = low + (high - low) / 2;
        if (high - base > kSunResidualLimit || base - low > kSunResidualLimit) {
            error = "the Sun's instants at " +
                    std::to_string(kSunLongitudes[static_cast<size_t>(i)]) + " degrees stray " +
                    std::to_string(high - low) + " minutes about their line";
            return false;
        }
        out.sunBase[static_cast<size_t>(i)] = static_cast<int32_t>(base);
        out.sunMilliPerYear[static_cast<size_t>(i)] = static_cast<int32_t>(milli);
        for (int32_t n = 0; n < years; ++n) {
            out.sunResidual[static_cast<size_t>(n * kSunInstantsPerYear + i)] =
                static_cast<int32_t>(onLine(n) - base);
        }
    }

    if (tables.moon.empty()) {
        error = "no Moon phases to store";
        return false;
    }
    // The mean anomalies of the phases' mean instants (lunation k0 + k / 4,
    // the polynomials' linear parts) and the largest terms of each phase.
    auto turns = [](double degrees) {
        double d = std::fmod(degrees, 360.0);
        if (d < 0.0) d += 360.0;
        return static_cast<uint32_t>(std::llround(d / 360.0 * 4294967296.0) & 0xffffffff);
    };
    const auto k0 = static_cast<double>(tables.firstLunation);
    out.moonAnomalyFirst = turns(201.5643 + 385.81693528 * k0);
    out.moonAnomalyPerPhase = turns(385.81693528 / 4.0);
    out.sunAnomalyFirst = turns(2.5534 + 29.10535670 * k0);
    out.sunAnomalyPerPhase = turns(29.10535670 / 4.0);
    constexpr double kTermDays[4][2] = {
        {-0.40720, 0.17241}, {-0.62801, 0.17172}, {-0.40614, 0.17302}, {-0.62801, 0.17172}};
    for (size_t p = 0; p < 4; ++p) {
        for (size_t j = 0; j < 2; ++j) {
            out.swingMinutes[p][j] = static_cast<int32_t>(std::lround(kTermDays[p][j] * 1440.0));
        }
    }
    for (int32_t j = 0; j < kSineSteps; ++j) {
        out.sineQ15[static_cast<size_t>(j)] = static_cast<int32_t>(
            std::lround(32767.0 * std::sin(2.0 * kPi * j / static_cast<double>(kSineSteps))));
    }

    auto aboveMean = [&](size_t k) {
        return utMinutesOf(tables.moon[k]) -
               static_cast<int64_t>(k) * kMoonQuarterMilliMinutes / 1000 - moonSwing(out, k);
    };
    int64_t origin = aboveMean(0);
    for (size_t k = 1; k < tables.moon.size(); ++k) origin = std::min(origin, aboveMean(k));
    out.moonOrigin = static_cast<int32_t>(origin);
    for (size_t k = 0; k < tables.moon.size(); ++k) {
        const int64_t residual = aboveMean(k) - origin;
        if (residual > kMoonResidualLimit) {
            error = "a Moon phase " + std::to_string(residual) +
                    " minutes past its mean one and largest terms at " +
                    dateText(utDateOf(tables.moon[k]));
            return false;
        }
        out.moonResidual.push_back(static_cast<int32_t>(residual));
    }
    return true;
}

int32_t moonSwing(const CompactAlmanac& compact, size_t k) {
    const auto phase = static_cast<uint32_t>(k);
    const uint32_t moon = compact.moonAnomalyFirst + phase * compact.moonAnomalyPerPhase;
    const uint32_t sun = compact.sunAnomalyFirst + phase * compact.sunAnomalyPerPhase;
    const std::array<int32_t, 2>& minutes = compact.swingMinutes[k % 4];
    return (minutes[0] * compact.sineQ15[moon >> 24] + minutes[1] * compact.sineQ15[sun >> 24]) >>
           15;
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

std::string renderHeader(const AlmanacTables& tables, const CompactAlmanac& compact) {
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
         "// from Greenwich, 135 east included, is that of the exact instant). They are stored "
         "compactly and\n"
         "// decoded with integers only (every division below truncates; its operands are never "
         "negative):\n"
         "//\n"
         "// The Sun, year y, row i, n = y - kSunInstantFirstYear:\n"
         "//   kSunRowBaseMinutes[i] + n * kSunRowMilliMinutesPerYear[i] / 1000 + "
         "kSunInstantResiduals[n][i]\n"
         "// each row a line of about a tropical year a year, the residual (nutation, Delta T, "
         "the planets)\n"
         "// within a byte.\n"
         "//\n"
         "// The Moon, phase k (p = k % 4; >> 15 floors, the sum may be negative):\n"
         "//   kMoonPhaseOriginMinutes + k * kMoonQuarterMilliMinutes / 1000 + swing + "
         "kMoonPhaseResiduals[k]\n"
         "//   swing = (kMoonPhaseSwingMinutes[p][0] * kSineQ15[moon >> 24] +\n"
         "//            kMoonPhaseSwingMinutes[p][1] * kSineQ15[sun >> 24]) >> 15\n"
         "//   moon = kMoonAnomalyFirst + k * kMoonAnomalyPerPhase (uint32_t, wrapping), sun "
         "alike\n"
         "// the mean quarter lunation, the two largest periodic terms of the phase (the Moon's "
         "and the Sun's\n"
         "// mean anomalies, 0.63 and 0.17 day at most) and a residual 0.." +
         std::to_string(kMoonResidualLimit) + " minutes.\n";
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
    s += "// Each row's line: its instant in kSunInstantFirstYear, less the residual, and its "
         "rise a year in\n"
         "// thousandths of a minute.\n";
    s += "inline constexpr int32_t kSunRowBaseMinutes[kSunInstantsPerYear] = {\n";
    appendNumbers(s, std::vector<int64_t>(compact.sunBase.begin(), compact.sunBase.end()), 8,
                  "    ");
    s += "};\n";
    s += "inline constexpr int32_t kSunRowMilliMinutesPerYear[kSunInstantsPerYear] = {\n";
    appendNumbers(
        s, std::vector<int64_t>(compact.sunMilliPerYear.begin(), compact.sunMilliPerYear.end()), 6,
        "    ");
    s += "};\n";
    s += "// [year - kSunInstantFirstYear][i]: the instant in that Gregorian year (UT) at which "
         "the Sun's\n"
         "// apparent longitude reaches kSunInstantLongitudes[i], less the row's line.\n";
    s += "inline constexpr int8_t kSunInstantResiduals[kSunInstantLastYear - kSunInstantFirstYear "
         "+ 1]\n"
         "                                         [kSunInstantsPerYear] = {\n";
    for (int32_t year = tables.firstYear; year <= tables.lastYear; ++year) {
        const auto from =
            compact.sunResidual.begin() + (year - tables.firstYear) * kSunInstantsPerYear;
        s += "    /* " + std::to_string(year) + " */ {";
        s += numberList(std::vector<int64_t>(from, from + kSunInstantsPerYear));
        s += "},\n";
    }
    s += "};\n";
    s += "// Every principal phase of the Moon in time order; phase k is k % 4 (0 new moon, "
         "1 first\n"
         "// quarter, 2 full moon, 3 last quarter). Phase 0 is the last new moon before " +
         first +
         "-12-01 00:00 UT; the\n"
         "// last is the first last-quarter after " +
         last + "-01-31 (after " + last + "-02-01 00:00 UT).\n";
    s += "inline constexpr int32_t kMoonPhaseCount = " + std::to_string(tables.moon.size()) + ";\n";
    s +=
        "inline constexpr int32_t kMoonPhaseOriginMinutes = " + std::to_string(compact.moonOrigin) +
        ";\n";
    s += "inline constexpr int32_t kMoonQuarterMilliMinutes = " +
         std::to_string(kMoonQuarterMilliMinutes) + ";  // 29.530589 days / 4\n";
    s += "// The Moon's and the Sun's mean anomalies at phase 0 and their advance a phase, in "
         "2^-32 turns.\n";
    s += "inline constexpr uint32_t kMoonAnomalyFirst = " +
         std::to_string(compact.moonAnomalyFirst) + "u;\n";
    s += "inline constexpr uint32_t kMoonAnomalyPerPhase = " +
         std::to_string(compact.moonAnomalyPerPhase) + "u;\n";
    s += "inline constexpr uint32_t kSunAnomalyFirst = " + std::to_string(compact.sunAnomalyFirst) +
         "u;\n";
    s += "inline constexpr uint32_t kSunAnomalyPerPhase = " +
         std::to_string(compact.sunAnomalyPerPhase) + "u;\n";
    s += "// [k % 4]: the minutes of the sine of the Moon's and of the Sun's anomaly in phase k.\n";
    s += "inline constexpr int16_t kMoonPhaseSwingMinutes[4][2] = {";
    for (size_t p = 0; p < 4; ++p) {
        s += std::string(p > 0 ? ", {" : "{") + std::to_string(compact.swingMinutes[p][0]) + ", " +
             std::to_string(compact.swingMinutes[p][1]) + "}";
    }
    s += "};\n";
    s += "// sin(2 pi j / " + std::to_string(kSineSteps) + ") * 32767, rounded.\n";
    s += "inline constexpr int16_t kSineQ15[" + std::to_string(kSineSteps) + "] = {\n";
    appendNumbers(s, std::vector<int64_t>(compact.sineQ15.begin(), compact.sineQ15.end()), 16,
                  "    ");
    s += "};\n";
    s += "// The residuals, four lunations a line, dated by the line's first new moon (UT).\n";
    s += "inline constexpr uint8_t kMoonPhaseResiduals[kMoonPhaseCount] = {\n";
    for (size_t k = 0; k < tables.moon.size(); k += 16) {
        s += "    /* " + dateText(utDateOf(tables.moon[k])) + " */ ";
        const auto from = compact.moonResidual.begin() + static_cast<std::ptrdiff_t>(k);
        const auto to = compact.moonResidual.begin() +
                        static_cast<std::ptrdiff_t>(std::min(k + 16, tables.moon.size()));
        s += numberList(std::vector<int64_t>(from, to)) + "\n";
    }
    s += "};\n";
    s += "// clang-format on\n";
    s += "}  // namespace vorane2::tables\n";
    return s;
}

}  // namespace almanacgen
