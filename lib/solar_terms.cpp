// The twenty-four solar terms: the local day on which the Sun's longitude
// passes each multiple of 15 degrees, found by testing the midnights of a
// few fixed days of a fixed month, and the days elapsed in a solar month.

#include "solar_terms.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "numeric.h"
#include "sectional_terms.h"
#include "vorane2.h"

namespace {

// One term: the Sun's target longitude, the month in which it falls and the
// days whose local midnight is tested (0 when only two are tested).
struct TermWindow {
    double target;
    int32_t month;
    std::array<int32_t, 3> testedDays;
};

// The Sun's longitude at local midnight starting `day` of `month`.
double sunAtMidnight(int32_t year, int32_t month, int32_t day, double longitude) {
    return jd2sok(ad2jd(CalendarDate{year, month, day, 0.0, 0.0, 0.0, longitude}));
}

// The day during which the Sun passes the target: the day before the first
// tested midnight at which it is already past. A term that falls exactly at
// midnight belongs to the day that begins then (strict comparison). A term
// later than the last tested midnight is reported on the last tested day.
int32_t termDay(const TermWindow& w, int32_t year, double longitude) {
    const int32_t count = w.testedDays[2] == 0 ? 2 : 3;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t d = w.testedDays[static_cast<std::size_t>(i)];
        if (sunAtMidnight(year, w.month, d, longitude) > w.target) return d - 1;
    }
    return w.testedDays[static_cast<std::size_t>(count - 1)];
}

// The terms in the order of their exports, from 立春.
constexpr std::array<TermWindow, vorane2::kSolarTermCount> kTerms = {{
    {315.0, 2, {4, 5, 0}},      // 立春
    {330.0, 2, {18, 19, 20}},   // 雨水
    {345.0, 3, {5, 6, 0}},      // 啓蟄
    {0.0, 3, {20, 21, 0}},      // 春分, compared across the wrap at 360
    {15.0, 4, {4, 5, 0}},       // 清明
    {30.0, 4, {20, 21, 0}},     // 穀雨
    {45.0, 5, {5, 6, 0}},       // 立夏
    {60.0, 5, {20, 21, 0}},     // 小満
    {75.0, 6, {5, 6, 0}},       // 芒種
    {90.0, 6, {21, 22, 0}},     // 夏至
    {105.0, 7, {6, 7, 8}},      // 小暑
    {120.0, 7, {22, 23, 24}},   // 大暑
    {135.0, 8, {7, 8, 0}},      // 立秋
    {150.0, 8, {22, 23, 24}},   // 処暑
    {165.0, 9, {7, 8, 0}},      // 白露
    {180.0, 9, {22, 23, 24}},   // 秋分
    {195.0, 10, {7, 8, 9}},     // 寒露
    {210.0, 10, {23, 24, 25}},  // 霜降
    {225.0, 11, {7, 8, 0}},     // 立冬
    {240.0, 11, {22, 23, 0}},   // 小雪
    {255.0, 12, {6, 7, 8}},     // 大雪
    {270.0, 12, {21, 22, 23}},  // 冬至
    {285.0, 1, {5, 6, 0}},      // 小寒
    {300.0, 1, {20, 21, 0}},    // 大寒
}};
constexpr int32_t kVernalEquinox = 3;

// The vernal equinox is the target 0: the longitudes are read across the
// wrap, so that 359.x stays below and 0.x lies above 360.
int32_t vernalEquinoxDay(int32_t year, double longitude) {
    for (const int32_t d : {20, 21}) {
        double l = sunAtMidnight(year, 3, d, longitude);
        if (l < 15.0) l += 360.0;
        if (l > 360.0) return d - 1;
    }
    return 21;
}

}  // namespace

namespace vorane2 {

int32_t solarTermDayLive(int32_t term, int32_t year, double longitude) {
    if (term < 0 || term >= kSolarTermCount) return 0;
    if (term == kVernalEquinox) return vernalEquinoxDay(year, longitude);
    return termDay(kTerms[static_cast<std::size_t>(term)], year, longitude);
}

}  // namespace vorane2

extern "C" {

// Each term export answers for its number in the order of the exports.
int32_t VRN_CALL y2risyun(int32_t year, double lon) { return vorane2::solarTermDay(0, year, lon); }
int32_t VRN_CALL y2usui(int32_t year, double lon) { return vorane2::solarTermDay(1, year, lon); }
int32_t VRN_CALL y2ktitu(int32_t year, double lon) { return vorane2::solarTermDay(2, year, lon); }
int32_t VRN_CALL y2syunbn(int32_t year, double lon) { return vorane2::solarTermDay(3, year, lon); }
int32_t VRN_CALL y2seimei(int32_t year, double lon) { return vorane2::solarTermDay(4, year, lon); }
int32_t VRN_CALL y2kokuu(int32_t year, double lon) { return vorane2::solarTermDay(5, year, lon); }
int32_t VRN_CALL y2rikka(int32_t year, double lon) { return vorane2::solarTermDay(6, year, lon); }
int32_t VRN_CALL y2syoman(int32_t year, double lon) { return vorane2::solarTermDay(7, year, lon); }
int32_t VRN_CALL y2bousyu(int32_t year, double lon) { return vorane2::solarTermDay(8, year, lon); }
int32_t VRN_CALL y2gesi(int32_t year, double lon) { return vorane2::solarTermDay(9, year, lon); }
int32_t VRN_CALL y2syusyo(int32_t year, double lon) { return vorane2::solarTermDay(10, year, lon); }
int32_t VRN_CALL y2taisyo(int32_t year, double lon) { return vorane2::solarTermDay(11, year, lon); }
int32_t VRN_CALL y2risyuu(int32_t year, double lon) { return vorane2::solarTermDay(12, year, lon); }
int32_t VRN_CALL y2syosyo(int32_t year, double lon) { return vorane2::solarTermDay(13, year, lon); }
int32_t VRN_CALL y2hakuro(int32_t year, double lon) { return vorane2::solarTermDay(14, year, lon); }
int32_t VRN_CALL y2syuubn(int32_t year, double lon) { return vorane2::solarTermDay(15, year, lon); }
int32_t VRN_CALL y2kanro(int32_t year, double lon) { return vorane2::solarTermDay(16, year, lon); }
int32_t VRN_CALL y2soukou(int32_t year, double lon) { return vorane2::solarTermDay(17, year, lon); }
int32_t VRN_CALL y2rittou(int32_t year, double lon) { return vorane2::solarTermDay(18, year, lon); }
int32_t VRN_CALL y2syostu(int32_t year, double lon) { return vorane2::solarTermDay(19, year, lon); }
int32_t VRN_CALL y2taistu(int32_t year, double lon) { return vorane2::solarTermDay(20, year, lon); }
int32_t VRN_CALL y2touji(int32_t year, double lon) { return vorane2::solarTermDay(21, year, lon); }
int32_t VRN_CALL y2syokan(int32_t year, double lon) { return vorane2::solarTermDay(22, year, lon); }
int32_t VRN_CALL y2taikan(int32_t year, double lon) { return vorane2::solarTermDay(23, year, lon); }

int32_t VRN_CALL ad2setu(CalendarDate date) {
    const int32_t m = date.month;
    if (m < 1 || m > 12) return 0;

    // The solar month began on this month's sectional term, or, before it,
    // on the previous month's (December of the year before, for January).
    CalendarDate start = date;
    const int32_t termDayThisMonth = vorane2::sectionalTermDay(date.year, m, date.longitude);
    if (termDayThisMonth <= date.day) {
        start.day = termDayThisMonth;
    } else if (m == 1) {
        start.year = vorane2::previousYear(date.year);
        start.month = 12;
        start.day = y2taistu(start.year, date.longitude);
    } else {
        start.month = m - 1;
        start.day = vorane2::sectionalTermDay(date.year, m - 1, date.longitude);
    }
    return vorane2::truncToInt32(ad2jd(date) - ad2jd(start));
}

}  // extern "C"
