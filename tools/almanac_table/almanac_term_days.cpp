// The accurate term days against the library's term exports.
#include "almanac_term_days.h"

#include <array>

#include "almanac.h"
#include "numeric.h"
#include "vorane2.h"

namespace almanacgen {

namespace {

using TermExport = int32_t(VRN_CALL*)(int32_t, double);

struct ExportWindow {
    TermExport term;
    int32_t month;
    int32_t lastTestedDay;
};

// In the table's row order (小寒 first); the month and the last tested day
// of each export's window.
constexpr std::array<ExportWindow, 24> kExports = {{
    {y2syokan, 1, 6},  {y2taikan, 1, 21},  {y2risyun, 2, 5},  {y2usui, 2, 20},   {y2ktitu, 3, 6},
    {y2syunbn, 3, 21}, {y2seimei, 4, 5},   {y2kokuu, 4, 21},  {y2rikka, 5, 6},   {y2syoman, 5, 21},
    {y2bousyu, 6, 6},  {y2gesi, 6, 22},    {y2syusyo, 7, 8},  {y2taisyo, 7, 24}, {y2risyuu, 8, 8},
    {y2syosyo, 8, 24}, {y2hakuro, 9, 8},   {y2syuubn, 9, 24}, {y2kanro, 10, 9},  {y2soukou, 10, 25},
    {y2rittou, 11, 8}, {y2syostu, 11, 23}, {y2taistu, 12, 8}, {y2touji, 12, 23},
}};

constexpr int64_t kMinutesPerDay = 1440;
constexpr int64_t kZoneMinutes = 540;
// Days from MJD 0 to 1970-01-01.
constexpr int64_t kMjdOfUnixEpoch = 40587;

}  // namespace

LocalMinute tableTermAt135(int32_t year, int32_t term) {
    const int64_t local =
        static_cast<int64_t>(vorane2::almanac::sunInstant(year, term)) + kZoneMinutes;
    const int64_t day = local / kMinutesPerDay;  // never negative in the table
    return {newmoongen::civilFromDays(day - kMjdOfUnixEpoch),
            static_cast<int32_t>(local - day * kMinutesPerDay)};
}

CivilDate exportTermDay(int32_t year, int32_t term) {
    const ExportWindow& e = kExports[static_cast<size_t>(term)];
    return {year, e.month, e.term(year, vorane2::kJapanLongitude)};
}

std::vector<TermDifference> termDifferences(int32_t firstYear, int32_t lastYear) {
    std::vector<TermDifference> out;
    for (int32_t year = firstYear; year <= lastYear; ++year) {
        for (int32_t term = 0; term < 24; ++term) {
            const LocalMinute accurate = tableTermAt135(year, term);
            const CivilDate exported = exportTermDay(year, term);
            if (accurate.date == exported) continue;
            out.push_back({kSunInstantNames[static_cast<size_t>(term)], accurate.date, exported,
                           accurate.minute,
                           exported.day == kExports[static_cast<size_t>(term)].lastTestedDay &&
                               newmoongen::daysFromCivil(accurate.date) >
                                   newmoongen::daysFromCivil(exported)});
        }
    }
    return out;
}

}  // namespace almanacgen
