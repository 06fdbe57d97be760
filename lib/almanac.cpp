// The almanac of a day: the seasonal days (雑節), the selected days (選日 and
// the common 暦注), the Moon's principal phases and its age, and the solar
// term that begins on the day, all by the stored instants of an accurate
// solar and lunar theory with Delta T (tables/almanac_instants.h), read as
// local days at the date's meridian.
//
// Every lookup is a direct index into the year's row (only the entries of
// the date's Gregorian month) or a step or two through the Moon's phases from
// the one of mean motion; no trigonometry runs here, so a call stays cheap.

#include "almanac.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <initializer_list>

#include "numeric.h"
#include "selected_day_tables.h"
#include "tables/almanac_names.h"

namespace {

using vorane2::almanac::LocalDay;
namespace tables = vorane2::tables;

constexpr int32_t kMinutesPerDay = 1440;
constexpr double kMinutesPerDegree = 4.0;

constexpr int32_t bit(int32_t item) { return int32_t{1} << item; }

// Branches are numbered 0 亥, 1 子, 2 丑 .. 11 戌; a set of them as a 12-bit
// mask.
constexpr int32_t kBranchUshi = 2;
constexpr int32_t kBranchTora = 3;
constexpr int32_t kBranchMi = 6;
constexpr uint32_t branches(std::initializer_list<int32_t> list) {
    uint32_t mask = 0;
    for (int32_t b : list) mask |= uint32_t{1} << b;
    return mask;
}

// 一粒万倍日 by solar month 1 (寅月) .. 12 (丑月): the day's branch is one of
// the month's two (the common table).
constexpr std::array<uint32_t, 12> kIchiryumanbaiBranches = {
    branches({2, 7}),  branches({3, 10}),  branches({1, 4}), branches({4, 5}),
    branches({6, 7}),  branches({7, 10}),  branches({1, 8}), branches({4, 9}),
    branches({7, 10}), branches({10, 11}), branches({0, 1}), branches({1, 4})};

// 母倉日 by solar month: the branches that give birth to the season's
// element (water for wood in spring ...), and 巳午 in the last month of
// every season, the 土用 months.
constexpr std::array<uint32_t, 12> kBosoBranches = {
    branches({0, 1}), branches({0, 1}),  branches({6, 7}),        branches({3, 4}),
    branches({3, 4}), branches({6, 7}),  branches({5, 11, 2, 8}), branches({5, 11, 2, 8}),
    branches({6, 7}), branches({9, 10}), branches({9, 10}),       branches({6, 7})};

// The items that depend on the day's sexagenary number alone, as a set for
// each number 0..59 (1 甲子 .. 0 癸亥).
constexpr std::array<int32_t, 25> kDaimyoDays = {6,  7,  8,  9,  10, 14, 16, 19, 21, 24, 29, 32, 39,
                                                 41, 42, 43, 44, 46, 47, 48, 53, 55, 56, 57, 58};
constexpr int32_t kKinoene = 1;       // 甲子
constexpr int32_t kTsuchinotomi = 6;  // 己巳
// 天一天上 runs from 癸巳 (30) to 戊申 (45), 十方暮 from 甲申 (21) to 癸巳
// (30), 八専 from 壬子 (49) to 癸亥 (60 = 0) less its 間日.
constexpr int32_t kTenichiFirst = 30;
constexpr int32_t kTenichiLast = 45;
constexpr int32_t kJippoFirst = 21;
constexpr int32_t kJippoLast = 30;
constexpr int32_t kHassenFirst = 49;
constexpr std::array<int32_t, 4> kHassenMabi = {50, 53, 55, 59};  // 癸丑 丙辰 戊午 壬戌

constexpr std::array<int32_t, 60> makeSexagenaryItems() {
    std::array<int32_t, 60> items{};
    for (int32_t n = 0; n < 60; ++n) {
        int32_t set = 0;
        const int32_t branch = n % 12;
        if (branch == kBranchTora) set |= bit(VRN_TORA);
        if (branch == kBranchMi) set |= bit(VRN_MI);
        if (n == kTsuchinotomi) set |= bit(VRN_TSUCHINOTOMI);
        if (n == kKinoene) set |= bit(VRN_KINOENE);
        for (int32_t d : kDaimyoDays) {
            if (n == d) set |= bit(VRN_DAIMYO);
        }
        if (n >= kTenichiFirst && n <= kTenichiLast) set |= bit(VRN_TENICHITENJO);
        if (n >= kJippoFirst && n <= kJippoLast) set |= bit(VRN_JIPPOGURE);
        const int32_t cycle = n == 0 ? 60 : n;
        bool mabi = false;
        for (int32_t m : kHassenMabi) mabi = mabi || n == m;
        if (cycle >= kHassenFirst && !mabi) set |= bit(VRN_HASSEN);
        items[static_cast<std::size_t>(n)] = set;
    }
    return items;
}
constexpr std::array<int32_t, 60> kSexagenaryItems = makeSexagenaryItems();

constexpr int32_t kStemTsuchinoe = 5;  // 戊; stems 0 癸, 1 甲 .. 9 壬
constexpr int32_t kStemMizunoto = 0;   // 癸

// The Gregorian month (1..12) in which solar month 1..12 begins: 寅月 in
// February .. 子月 in December, 丑月 in January.
constexpr int32_t gregorianMonthOfSolarMonth(int32_t solarMonth) {
    return solarMonth == 12 ? 1 : solarMonth + 1;
}

// The length of a Gregorian month 1..12: 30 or 31 alternating, the odd
// months long up to July and the even ones from August, February by the
// leap rule.
constexpr int32_t daysInMonth(int32_t year, int32_t month) {
    if (month == 2) return (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) ? 29 : 28;
    return 30 + ((month + month / 8) & 1);
}

// The day of the month on which each of the 24 terms falls at 135 degrees
// east (row 2m - 2 the sectional term of Gregorian month m, days 3..9, row
// 2m - 1 its principal term, days 18..24), for every year of the stored
// instants. Nearly every caller asks at that meridian, and a byte read here
// spares the instant's arithmetic for the solar month and the term of the
// day. The table is made at compile time from the same stored instants, so
// it cannot disagree with them; every other meridian reads the instants
// themselves.
constexpr int32_t kJapanOffsetMinutes = 540;
constexpr int32_t kTermYears = tables::kSunInstantLastYear - tables::kSunInstantFirstYear + 1;
using TermDays = std::array<std::array<uint8_t, 24>, kTermYears>;
constexpr TermDays makeTermDaysAtJapan() {
    TermDays days{};
    for (int32_t n = 0; n < kTermYears; ++n) {
        const int32_t year = tables::kSunInstantFirstYear + n;
        for (int32_t row = 0; row < 24; ++row) {
            // The local day of the stored minute, as days since MJD 0, less
            // the MJD of the month's first day.
            const int32_t month = row / 2 + 1;
            const int64_t minutes = vorane2::almanac::sunInstant(year, row) + kJapanOffsetMinutes;
            const int64_t mjd = minutes / kMinutesPerDay;  // all instants lie after MJD 0
            const int64_t firstOfMonth =
                vorane2::wholeJapanDayNumber(year, month, 1) + vorane2::almanac::kMjdOfDayNumber;
            days[static_cast<std::size_t>(n)][static_cast<std::size_t>(row)] =
                static_cast<uint8_t>(mjd - firstOfMonth + 1);
        }
    }
    return days;
}
constexpr TermDays kTermDaysAtJapan = makeTermDaysAtJapan();

// The stored day of the month of term row `row` (0..23) in `year` at 135
// degrees east (years inside the stored instants').
int32_t termDayAtJapan(int32_t year, int32_t row) {
    return kTermDaysAtJapan[static_cast<std::size_t>(year - tables::kSunInstantFirstYear)]
                           [static_cast<std::size_t>(row)];
}

// The stored day of the month of the sectional term of Gregorian `month`.
int32_t sectionalDayAtJapan(int32_t year, int32_t month) {
    return termDayAtJapan(year, 2 * (month - 1));
}

// japanDayNumber for the fields that run on beyond their ranges.
[[gnu::noinline]] int64_t japanDayNumberOutOfLine(const CalendarDate& date) {
    return vorane2::japanDayNumber(date.year, date.month, date.day);
}

// The Gregorian year, month and day of a Modified Julian Day (the era
// algorithm on days since 0000-03-01).
[[gnu::noinline]] void civilOfMjd(int64_t mjd, int32_t& year, int32_t& month, int32_t& day) {
    const int64_t z = mjd + 678881;  // days since 0000-03-01
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<int32_t>(yoe + era * 400 + (m <= 2 ? 1 : 0));
    month = static_cast<int32_t>(m);
    day = static_cast<int32_t>(doy - (153 * mp + 2) / 5 + 1);
}

// The item set of a date for one reading of the 不成就日.
int32_t itemsOfDate(CalendarDate date, char(VRN_CALL* fujoju)(CalendarDate)) {
    LocalDay day{};
    if (!vorane2::almanac::localDayOf(date, day)) return vorane2::almanac::kOutOfSpan;
    const CalendarDate normalised{day.year, day.month, day.day, 0.0, 0.0, 0.0, day.longitude};
    return vorane2::almanac::almanacItemsOf(day, fujoju(normalised) == 'Y');
}

}  // namespace

namespace vorane2::almanac {

bool localDayOf(const CalendarDate& date, LocalDay& out) {
    const double longitude = date.longitude;
    if (!(longitude >= -180.0 && longitude <= 180.0)) return false;
    // Nearly every call names a plain date of the span; fields that run on
    // take ad2jd's own path, kept out of line so the plain one stays short.
    const int64_t mjd = (hasWholeDayNumber(date.year, date.month, date.day)
                             ? wholeJapanDayNumber(date.year, date.month, date.day)
                             : japanDayNumberOutOfLine(date)) +
                        kMjdOfDayNumber;
    if (mjd < kFirstDay || mjd > kLastDay) return false;
    out.mjd = mjd;
    if (date.month >= 1 && date.month <= 12 && date.day >= 1 &&
        (date.day <= 28 || date.day <= daysInMonth(date.year, date.month))) {
        // Already a date of its month: no need to work it out again.
        out.year = date.year;
        out.month = date.month;
        out.day = date.day;
    } else {
        civilOfMjd(mjd, out.year, out.month, out.day);
    }
    out.longitude = longitude;
    out.offsetMinutes = longitude * kMinutesPerDegree;
    return true;
}

int32_t solarMonthOf(const LocalDay& day) {
    // Each Gregorian month holds one sectional term (days 3..9 at any
    // meridian), at row 2 * (month - 1): 小寒 opens 丑月 (12), 立春 寅月 (1) ..
    // 大雪 子月 (11). Before it the day is still in the month before.
    const int32_t row = 2 * (day.month - 1);
    const int32_t opened = row == kRowShokan ? 12 : row / 2;
    const bool begun = day.offsetMinutes == kJapanOffsetMinutes
                           ? day.day >= sectionalDayAtJapan(day.year, day.month)
                           : sunDay(day, day.year, row) <= day.mjd;
    if (begun) return opened;
    return opened == 1 ? 12 : opened - 1;
}

int64_t solarMonthStartOf(const LocalDay& day, int32_t& month) {
    // As solarMonthOf; before this month's term the month began with the
    // term of the Gregorian month before (大雪 of the year before for early
    // January).
    const int32_t row = 2 * (day.month - 1);
    const int32_t opened = row == kRowShokan ? 12 : row / 2;
    const int32_t before = opened == 1 ? 12 : opened - 1;
    if (day.offsetMinutes == kJapanOffsetMinutes) {
        const int64_t firstOfMonth = day.mjd - day.day + 1;
        const int32_t termDay = sectionalDayAtJapan(day.year, day.month);
        month = day.day >= termDay ? opened : before;
        if (day.day >= termDay) return firstOfMonth + termDay - 1;
        const int32_t previousYear = day.month == 1 ? day.year - 1 : day.year;
        const int32_t previousMonth = day.month == 1 ? 12 : day.month - 1;
        return firstOfMonth - daysInMonth(previousYear, previousMonth) +
               sectionalDayAtJapan(previousYear, previousMonth) - 1;
    }
    const int64_t opening = sunDay(day, day.year, row);
    month = opening <= day.mjd ? opened : before;
    if (opening <= day.mjd) return opening;
    if (row == kRowShokan) return sunDay(day, day.year - 1, kRowTaisetsu);
    return sunDay(day, day.year, row - 2);
}

int32_t termStartingOn(const LocalDay& day) {
    // The two terms of the date's Gregorian month.
    const bool atJapan = day.offsetMinutes == kJapanOffsetMinutes;
    for (const int32_t row : {2 * (day.month - 1), 2 * (day.month - 1) + 1}) {
        if (atJapan ? termDayAtJapan(day.year, row) == day.day
                    : sunDay(day, day.year, row) == day.mjd) {
            return tables::kSunInstantLongitudes[static_cast<std::size_t>(row)] / 15;
        }
    }
    return -1;
}

namespace {

// The index of the first stored phase for which `before` is false (the
// phases in time order make it false from some index on), or
// kMoonPhaseCount. The search starts from the phase of mean motion nearest
// `minutes` and steps from there: the true phases stray from the mean ones
// by under a day, a small part of the 7.4 days between them.
template <typename Before>
std::ptrdiff_t firstPhaseNotBefore(double minutes, Before before) {
    constexpr double kMeanQuarterMinutes = tables::kMoonQuarterMilliMinutes / 1000.0;
    constexpr std::ptrdiff_t kCount = tables::kMoonPhaseCount;
    const double guess = (minutes - tables::kMoonPhaseOriginMinutes) / kMeanQuarterMinutes;
    std::ptrdiff_t i = guess <= 0.0                           ? 0
                       : guess >= static_cast<double>(kCount) ? kCount
                                                              : static_cast<std::ptrdiff_t>(guess);
    while (i > 0 && !before(moonPhaseMinutes(i - 1))) --i;
    while (i < kCount && before(moonPhaseMinutes(i))) ++i;
    return i;
}

}  // namespace

int32_t moonPhaseOn(const LocalDay& day) {
    // The first phase whose local day is not before this one; phases are
    // at least six days apart, so no day holds two.
    const double dayStart = static_cast<double>(day.mjd) * kMinutesPerDay - day.offsetMinutes;
    std::ptrdiff_t i = 0;
    const auto whole = static_cast<int64_t>(day.offsetMinutes);
    if (static_cast<double>(whole) == day.offsetMinutes) {
        // A whole-minute meridian: the day starts at a whole minute of UT.
        const int64_t start = day.mjd * kMinutesPerDay - whole;
        i = firstPhaseNotBefore(dayStart, [&](int32_t t) { return t < start; });
    } else {
        i = firstPhaseNotBefore(
            dayStart, [&](int32_t t) { return dayOfInstant(t, day.offsetMinutes) < day.mjd; });
    }
    if (i == tables::kMoonPhaseCount ||
        dayOfInstant(moonPhaseMinutes(i), day.offsetMinutes) != day.mjd) {
        return -1;
    }
    return static_cast<int32_t>(i % 4);
}

int32_t moonAgeTenths(const LocalDay& day) {
    // Noon of the local day in minutes of UT, then the last new moon (every
    // fourth entry) at or before it. The table starts with a new moon
    // before the span, so there always is one.
    const double noon =
        static_cast<double>(day.mjd) * kMinutesPerDay + kMinutesPerDay / 2 - day.offsetMinutes;
    const std::ptrdiff_t after = firstPhaseNotBefore(noon, [&](int32_t t) { return t <= noon; });
    const std::ptrdiff_t index = std::max<std::ptrdiff_t>(after - 1, 0);
    const std::ptrdiff_t newMoon = index - index % 4;
    const double days = (noon - moonPhaseMinutes(newMoon)) / kMinutesPerDay;
    return static_cast<int32_t>(std::floor(days * 10.0 + 0.5));
}

int64_t shanichiOf(int32_t equinoxMinutes, double offsetMinutes) {
    const int64_t equinoxDay = dayOfInstant(equinoxMinutes, offsetMinutes);
    const int32_t stem = sexagenaryOfDay(equinoxDay) % 10;
    if (stem == kStemMizunoto) {
        // Minutes past local midnight decide between the two 戊 days.
        const double local =
            equinoxMinutes + offsetMinutes - static_cast<double>(equinoxDay) * kMinutesPerDay;
        return local < kMinutesPerDay / 2 ? equinoxDay - 5 : equinoxDay + 5;
    }
    // Steps forward to the next 戊 day: 1..4 forward is nearer than 6..9.
    const int32_t ahead = floorMod(kStemTsuchinoe - stem, 10);
    return ahead <= 4 ? equinoxDay + ahead : equinoxDay + ahead - 10;
}

int32_t almanacItemsOf(const LocalDay& day, bool fujojuDay) {
    const int64_t d = day.mjd;
    const int32_t y = day.year;
    const int32_t sexagenary = sexagenaryOfDay(d);
    const int32_t branch = sexagenary % 12;
    int32_t set = kSexagenaryItems[static_cast<std::size_t>(sexagenary)];

    // Seasonal days counted from 立春 (3..5 February at 135 degrees, a day
    // either way at other meridians): 節分 in February, 八十八夜 about 1 May,
    // 二百十日 about 1 September, 二百二十日 about 11 September. Only the months
    // that can hold them look the 立春 day up.
    const int32_t m = day.month;
    if (m == 2 || m == 4 || m == 5 || m == 8 || m == 9) {
        const int64_t risshun = sunDay(day, y, kRowRisshun);
        if (d == risshun - 1) set |= bit(VRN_SETSUBUN);
        if (d == risshun + 87) set |= bit(VRN_HACHIJUHACHIYA);
        if (d == risshun + 209) set |= bit(VRN_NIHYAKUTOKA);
        if (d == risshun + 219) set |= bit(VRN_NIHYAKUHATSUKA);
    }
    // The equinoxes fall on 19..22 March and 21..24 September, so the 彼岸
    // and the 社日 (at most five days away) stay in those months.
    if (day.month == 3 || day.month == 9) {
        const int32_t instant = sunInstant(y, day.month == 3 ? kRowShunbun : kRowShubun);
        const int64_t equinox = dayOfInstant(instant, day.offsetMinutes);
        if (d == equinox - 3) set |= bit(VRN_HIGAN_IRI);
        if (d == equinox + 3) set |= bit(VRN_HIGAN_AKE);
        if (d == shanichiOf(instant, day.offsetMinutes)) set |= bit(VRN_SHANICHI);
    }
    // The Sun reaches 80 degrees about 11 June and 100 degrees about 2 July.
    if (m == 6 && d == sunDay(day, y, kRowNyubai)) set |= bit(VRN_NYUBAI);
    if ((m == 6 || m == 7) && d == sunDay(day, y, kRowHangesho)) set |= bit(VRN_HANGESHO);

    // Each 土用 runs from its start to the eve of the next 立 term: 17 January
    // .. 5 February, 16 April .. 6 May, 19 July .. 8 August, 20 October .. 8
    // November, so only the two months of each are looked at.
    if (day.month % 3 != 0) {
        constexpr std::array<int32_t, 4> kNextRisshi = {kRowRisshun, kRowRikka, kRowRisshu,
                                                        kRowRitto};
        const int32_t k = (day.month - 1) / 3;
        const int64_t start = sunDay(day, y, kRowDoyoFirst + k);
        const int64_t end = sunDay(day, y, kNextRisshi[static_cast<std::size_t>(k)]);
        if (d == start) set |= bit(VRN_DOYO_IRI);
        if (d >= start && d < end && branch == kBranchUshi) set |= bit(VRN_DOYO_USHI);
    }

    // Selected days by the solar month and its season.
    const int32_t solarMonth = solarMonthOf(day);
    const auto monthIndex = static_cast<std::size_t>(solarMonth - 1);
    const uint32_t branchBit = uint32_t{1} << branch;
    if ((kIchiryumanbaiBranches[monthIndex] & branchBit) != 0) set |= bit(VRN_ICHIRYUMANBAI);
    if ((kBosoBranches[monthIndex] & branchBit) != 0) set |= bit(VRN_BOSO);
    if (sexagenary == kTenshaPair[static_cast<std::size_t>((solarMonth - 1) / 3)]) {
        set |= bit(VRN_TENSHA);
    }
    const auto gregorian = static_cast<std::size_t>(gregorianMonthOfSolarMonth(solarMonth) - 1);
    if (branch == kSanrinboBranch[gregorian]) set |= bit(VRN_SANRINBO);
    if (branch == kKurobiBranch[gregorian]) set |= bit(VRN_JUSHI);
    if (fujojuDay) set |= bit(VRN_FUJOJU);

    const int32_t phase = moonPhaseOn(day);
    if (phase >= 0) set |= bit(VRN_SHINGETSU + phase);
    return set;
}

}  // namespace vorane2::almanac

extern "C" {

int32_t VRN_CALL ad2rekicyu(CalendarDate date) { return itemsOfDate(date, fujyojyuL); }

int32_t VRN_CALL ad2rekicyuS(CalendarDate date) { return itemsOfDate(date, fujyojyuS); }

int32_t VRN_CALL ad2rekicyuH(CalendarDate date) { return itemsOfDate(date, fujyojyuH); }

int32_t VRN_CALL ad2getrei(CalendarDate date) {
    LocalDay day{};
    if (!vorane2::almanac::localDayOf(date, day)) return vorane2::almanac::kOutOfSpan;
    return vorane2::almanac::moonAgeTenths(day);
}

int32_t VRN_CALL ad2sekki(CalendarDate date) {
    LocalDay day{};
    if (!vorane2::almanac::localDayOf(date, day)) return vorane2::almanac::kOutOfSpan;
    return vorane2::almanac::termStartingOn(day);
}

const char* VRN_CALL rek2name(int32_t item) {
    return tables::lookupName(tables::kAlmanacItemNames, item);
}

const char* VRN_CALL sek2name(int32_t term) {
    return tables::lookupName(tables::kSolarTermNames, term);
}

}  // extern "C"
