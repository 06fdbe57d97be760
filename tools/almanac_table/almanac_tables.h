// Building and writing the almanac's instant table (lib/tables/almanac_instants.h).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "almanac_theory.h"

namespace almanacgen {

inline constexpr int32_t kSunInstantsPerYear = 30;

// A year's row: the 24 terms in calendar order from 小寒, then the four
// 土用 starts, 入梅 and 半夏生.
inline constexpr std::array<int32_t, kSunInstantsPerYear> kSunLongitudes = {
    285, 300, 315, 330, 345, 0,   15,  30,  45,  60,  75, 90,  105, 120, 135,
    150, 165, 180, 195, 210, 225, 240, 255, 270, 297, 27, 117, 207, 80,  100};

inline constexpr std::array<const char*, kSunInstantsPerYear> kSunInstantNames = {
    "小寒",         "大寒",         "立春",         "雨水",         "啓蟄", "春分",  "清明", "穀雨",
    "立夏",         "小満",         "芒種",         "夏至",         "小暑", "大暑",  "立秋", "処暑",
    "白露",         "秋分",         "寒露",         "霜降",         "立冬", "小雪",  "大雪", "冬至",
    "冬の土用入り", "春の土用入り", "夏の土用入り", "秋の土用入り", "入梅", "半夏生"};

inline constexpr std::array<const char*, 4> kMoonPhaseNames = {"新月", "上弦", "満月", "下弦"};

// The local (UTC+9) years whose instants near midnight are reported: the
// years the library's tables cover.
inline constexpr int32_t kReportFirstYear = 1870;
inline constexpr int32_t kReportLastYear = 2100;
// An instant this close to a local midnight could change day with the
// errors of the theories and of Delta T.
inline constexpr double kNearMidnightReportMinutes = 1.0;

struct AlmanacTables {
    int32_t firstYear = 0;
    int32_t lastYear = 0;
    std::vector<LocalInstant> sun;   // [(year - firstYear) * 30 + i]
    std::vector<LocalInstant> moon;  // entry i is phase i % 4, from a new moon
    int64_t firstLunation = 0;       // the lunation number of moon[0] (0 in January 2000)
};

// Computes every instant: the Sun's of firstYear..lastYear, and the Moon's
// phases from the last new moon before firstYear-12-01 00:00 UT to the first
// last quarter after lastYear-02-01 00:00 UT (the end of January 31). False
// with a message when an instant leaves its year, a year's terms are out of
// order, or the phases do not follow each other at 5 to 10 days.
bool buildAlmanac(int32_t firstYear, int32_t lastYear, AlmanacTables& out, std::string& error);

struct NamedInstant {
    LocalInstant instant;
    const char* name;
};

// Every instant within a minute of a UTC+9 midnight in the reported years,
// in time order.
std::vector<NamedInstant> nearMidnightInstants(const AlmanacTables& tables);

// "YYYY-MM-DD HH:MM:SS" in UTC+9.
std::string localText(const LocalInstant& instant);

// The stored form of the instants, decoded with integers only:
//   Sun:  sunBase[i] + n * sunMilliPerYear[i] / 1000 + sunResidual[n * 30 + i]
//         (n = year - firstYear; the division truncates, n is never negative)
//   Moon: moonOrigin + k * kMoonQuarterMilliMinutes / 1000 + moonSwing(k) + moonResidual[k]
// A row's instants move on by about a tropical year a year and stray from
// that line by the nutation, Delta T and the planets, well inside a byte. The
// true phases stray from the mean ones by up to 19 hours, nearly all of it
// the two largest periodic terms (the Moon's and the Sun's mean anomalies),
// which moonSwing gives from a sine table; the rest fits a byte.
inline constexpr int64_t kMoonQuarterMilliMinutes = 10631012;  // 29.530589 days / 4
inline constexpr int32_t kSunResidualLimit = 127;
inline constexpr int32_t kMoonResidualLimit = 255;
inline constexpr int32_t kSineSteps = 256;  // a turn, indexed by an angle's top byte

struct CompactAlmanac {
    std::array<int32_t, kSunInstantsPerYear> sunBase{};
    std::array<int32_t, kSunInstantsPerYear> sunMilliPerYear{};
    std::vector<int32_t> sunResidual;  // [(year - firstYear) * 30 + i], within +-kSunResidualLimit
    int32_t moonOrigin = 0;
    // Mean anomalies at phase 0 and their advance a phase, in 2^-32 turns.
    uint32_t moonAnomalyFirst = 0;
    uint32_t moonAnomalyPerPhase = 0;
    uint32_t sunAnomalyFirst = 0;
    uint32_t sunAnomalyPerPhase = 0;
    // Minutes of the sine of each anomaly, by phase (new, first quarter,
    // full, last quarter).
    std::array<std::array<int32_t, 2>, 4> swingMinutes{};
    std::array<int32_t, kSineSteps> sineQ15{};  // sin(2 pi j / 256) * 32767, rounded
    std::vector<int32_t> moonResidual;          // 0 .. kMoonResidualLimit
};

// The periodic part of phase k in the stored form: both anomalies' terms,
// each through the sine table, the sum floored to whole minutes.
int32_t moonSwing(const CompactAlmanac& compact, size_t k);

// The compact form of the tables, or false with a message when an instant
// strays too far from its line to be stored.
bool compactAlmanac(const AlmanacTables& tables, CompactAlmanac& out, std::string& error);

// The text of the generated header, byte for byte.
std::string renderHeader(const AlmanacTables& tables, const CompactAlmanac& compact);

}  // namespace almanacgen
