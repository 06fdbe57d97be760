// The twenty-four solar terms: the local day on which the Sun's longitude
// passes each multiple of 15 degrees, found by testing the midnights of a
// few fixed days of a fixed month, and the days elapsed in a solar month.

#include <array>
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

constexpr TermWindow kRisshun{315.0, 2, {4, 5, 0}};
constexpr TermWindow kUsui{330.0, 2, {18, 19, 20}};
constexpr TermWindow kKeichitsu{345.0, 3, {5, 6, 0}};
constexpr TermWindow kSeimei{15.0, 4, {4, 5, 0}};
constexpr TermWindow kKokuu{30.0, 4, {20, 21, 0}};
constexpr TermWindow kRikka{45.0, 5, {5, 6, 0}};
constexpr TermWindow kShoman{60.0, 5, {20, 21, 0}};
constexpr TermWindow kBoushu{75.0, 6, {5, 6, 0}};
constexpr TermWindow kGeshi{90.0, 6, {21, 22, 0}};
constexpr TermWindow kShousho{105.0, 7, {6, 7, 8}};
constexpr TermWindow kTaisho{120.0, 7, {22, 23, 24}};
constexpr TermWindow kRisshuu{135.0, 8, {7, 8, 0}};
constexpr TermWindow kShosho{150.0, 8, {22, 23, 24}};
constexpr TermWindow kHakuro{165.0, 9, {7, 8, 0}};
constexpr TermWindow kShuubun{180.0, 9, {22, 23, 24}};
constexpr TermWindow kKanro{195.0, 10, {7, 8, 9}};
constexpr TermWindow kSoukou{210.0, 10, {23, 24, 25}};
constexpr TermWindow kRittou{225.0, 11, {7, 8, 0}};
constexpr TermWindow kShousetsu{240.0, 11, {22, 23, 0}};
constexpr TermWindow kTaisetsu{255.0, 12, {6, 7, 8}};
constexpr TermWindow kTouji{270.0, 12, {21, 22, 23}};
constexpr TermWindow kShoukan{285.0, 1, {5, 6, 0}};
constexpr TermWindow kDaikan{300.0, 1, {20, 21, 0}};

// The sectional terms by Gregorian month, January first.
constexpr std::array<const TermWindow*, 12> kSectionalByMonth = {
    &kShoukan, &kRisshun, &kKeichitsu, &kSeimei, &kRikka,  &kBoushu,
    &kShousho, &kRisshuu, &kHakuro,    &kKanro,  &kRittou, &kTaisetsu,
};

}  // namespace

namespace vorane2 {

int32_t sectionalTermDay(int32_t year, int32_t month, double longitude) {
    if (month < 1 || month > 12) return 0;
    return termDay(*kSectionalByMonth[static_cast<std::size_t>(month - 1)], year, longitude);
}

}  // namespace vorane2

extern "C" {

int32_t VRN_CALL y2risyun(int32_t year, double lon) { return termDay(kRisshun, year, lon); }
int32_t VRN_CALL y2usui(int32_t year, double lon) { return termDay(kUsui, year, lon); }
int32_t VRN_CALL y2ktitu(int32_t year, double lon) { return termDay(kKeichitsu, year, lon); }

int32_t VRN_CALL y2syunbn(int32_t year, double lon) {
    // The vernal equinox is the target 0: read the longitudes across the
    // wrap, so that 359.x stays below and 0.x lies above 360.
    for (const int32_t d : {20, 21}) {
        double l = sunAtMidnight(year, 3, d, lon);
        if (l < 15.0) l += 360.0;
        if (l > 360.0) return d - 1;
    }
    return 21;
}

int32_t VRN_CALL y2seimei(int32_t year, double lon) { return termDay(kSeimei, year, lon); }
int32_t VRN_CALL y2kokuu(int32_t year, double lon) { return termDay(kKokuu, year, lon); }
int32_t VRN_CALL y2rikka(int32_t year, double lon) { return termDay(kRikka, year, lon); }
int32_t VRN_CALL y2syoman(int32_t year, double lon) { return termDay(kShoman, year, lon); }
int32_t VRN_CALL y2bousyu(int32_t year, double lon) { return termDay(kBoushu, year, lon); }
int32_t VRN_CALL y2gesi(int32_t year, double lon) { return termDay(kGeshi, year, lon); }
int32_t VRN_CALL y2syusyo(int32_t year, double lon) { return termDay(kShousho, year, lon); }
int32_t VRN_CALL y2taisyo(int32_t year, double lon) { return termDay(kTaisho, year, lon); }
int32_t VRN_CALL y2risyuu(int32_t year, double lon) { return termDay(kRisshuu, year, lon); }
int32_t VRN_CALL y2syosyo(int32_t year, double lon) { return termDay(kShosho, year, lon); }
int32_t VRN_CALL y2hakuro(int32_t year, double lon) { return termDay(kHakuro, year, lon); }
int32_t VRN_CALL y2syuubn(int32_t year, double lon) { return termDay(kShuubun, year, lon); }
int32_t VRN_CALL y2kanro(int32_t year, double lon) { return termDay(kKanro, year, lon); }
int32_t VRN_CALL y2soukou(int32_t year, double lon) { return termDay(kSoukou, year, lon); }
int32_t VRN_CALL y2rittou(int32_t year, double lon) { return termDay(kRittou, year, lon); }
int32_t VRN_CALL y2syostu(int32_t year, double lon) { return termDay(kShousetsu, year, lon); }
int32_t VRN_CALL y2taistu(int32_t year, double lon) { return termDay(kTaisetsu, year, lon); }
int32_t VRN_CALL y2touji(int32_t year, double lon) { return termDay(kTouji, year, lon); }
int32_t VRN_CALL y2syokan(int32_t year, double lon) { return termDay(kShoukan, year, lon); }
int32_t VRN_CALL y2taikan(int32_t year, double lon) { return termDay(kDaikan, year, lon); }

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
