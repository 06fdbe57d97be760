// The Japanese calendar as published through history: the lunisolar months
// of 445..1872 as the historical tables give them and of 1873..2100 as the
// almanacs publish them, the eras and reigns by which the years were
// counted, and the Julian calendar beside the proleptic Gregorian one.
//
// Every answer is read from the constant tables of tables/history_months.h
// (one four-byte record per lunisolar year) and tables/history_eras.h; the
// generator in tools/history_table/ writes them from the carried data and,
// from 1873, from the library's own months and accurate new moons. Dates are
// proleptic Gregorian day numbers throughout (day_numbers.h).

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "day_numbers.h"
#include "lunar_day_cycles.h"
#include "numeric.h"
#include "tables/history_eras.h"
#include "tables/history_months.h"
#include "tables/name_table.h"
#include "vorane2.h"

namespace {

namespace t = vorane2::tables;

constexpr int32_t kError = -999;
constexpr int32_t kFirstGregorianYear = 1873;
constexpr int64_t kFirstGregorianDay = vorane2::dayNumberOfGregorianDate(kFirstGregorianYear, 1, 1);
constexpr std::size_t kYears = t::kHistoryYears.size();
constexpr int32_t kShortMonth = 29;

static_assert(kYears == t::kHistoryLastYear - t::kHistoryFirstYear + 1);
static_assert(t::kHistoryLastTableDay + 1 == kFirstGregorianDay);
static_assert(t::kHistoryEras.front().line == VRN_BOTH, "the first row holds for both courts");

// The day month 1 of table year n begins, in 32-bit whole numbers: the
// mean year is 365 days and 2422 ten-thousandths.
static_assert(t::kHistoryMeanYearTenThousandths == 3652422);
constexpr int32_t yearStart(uint32_t n) {
    return t::kHistoryFirstDay + static_cast<int32_t>(365u * n + 2422u * n / 10000u) +
           t::kHistoryYears[n].startOffset;
}

constexpr int32_t monthsIn(uint32_t n) { return t::kHistoryYears[n].leapPosition ? 13 : 12; }

// The long months among the bits of a year's record, counted in the bits
// themselves: std::popcount becomes a library call where the processor
// baseline lacks the instruction.
constexpr int32_t longMonthsAmong(uint32_t bits) {
    bits = bits - ((bits >> 1) & 0x5555u);
    bits = (bits & 0x3333u) + ((bits >> 2) & 0x3333u);
    bits = (bits + (bits >> 4)) & 0x0f0fu;
    return static_cast<int32_t>((bits + (bits >> 8)) & 0x1fu);
}
static_assert(longMonthsAmong(0x1fffu) == 13 && longMonthsAmong(0x0aaau) == 6);

// Days of year n before the month at `place` (0..12), and that month's.
constexpr int32_t daysBefore(uint32_t n, int32_t place) {
    const uint32_t earlier = t::kHistoryYears[n].longMonths & ((1u << place) - 1u);
    return kShortMonth * place + longMonthsAmong(earlier);
}
constexpr int32_t monthLength(uint32_t n, int32_t place) {
    return kShortMonth + static_cast<int32_t>((t::kHistoryYears[n].longMonths >> place) & 1u);
}

// The table year holding a day of the span, `since` days after its first.
// A year begins within a few weeks of its mean start, and 2871 / 2^20 is
// the mean year's inverse within a thousandth of a year per century, so the
// estimate names the year or one beside it.
uint32_t yearHolding(int32_t since) {
    uint32_t n =
        std::min((static_cast<uint32_t>(since) * 2871u) >> 20, static_cast<uint32_t>(kYears - 1));
    const int32_t day = t::kHistoryFirstDay + since;
    while (n > 0 && yearStart(n) > day) --n;
    while (n + 1 < kYears && yearStart(n + 1) <= day) ++n;
    return n;
}

// A day of the span in the table: its year, the place of its month in the
// year and its day of the month.
struct TableDay {
    uint32_t year;
    int32_t place;
    int32_t day;
};
TableDay tableDayOf(int32_t day) {
    const uint32_t n = yearHolding(day - t::kHistoryFirstDay);
    const int32_t sinceYearStart = day - yearStart(n);
    // Months are 29 or 30 days: the place is at least a thirtieth of the
    // days gone, and at most one more.
    int32_t place = sinceYearStart / 30;
    int32_t before = daysBefore(n, place);
    while (place + 1 < monthsIn(n) && before + monthLength(n, place) <= sinceYearStart) {
        before += monthLength(n, place);
        ++place;
    }
    return TableDay{n, place, sinceYearStart - before + 1};
}

// The month number and leap flag of the month at `place` of a year whose
// leap month (if any) is at `leapPlace`, and the reverse (-1 for a month
// the year lacks).
struct MonthName {
    int32_t month;
    char leap;
};
constexpr MonthName monthAtPlace(int32_t leapPlace, int32_t place) {
    if (leapPlace == 0 || place < leapPlace) return MonthName{place + 1, 'N'};
    if (place == leapPlace) return MonthName{leapPlace, 'Y'};
    return MonthName{place, 'N'};
}
constexpr int32_t placeOfMonth(int32_t leapPlace, int32_t month, bool leap) {
    if (leap) return leapPlace != 0 && month == leapPlace ? leapPlace : -1;
    return leapPlace != 0 && month > leapPlace ? month : month - 1;
}

// A published month: its first day and its days in use (month 12 of 1872
// stops at the last day of the old calendar), or found false.
struct PublishedMonth {
    bool found;
    int64_t first;
    int32_t days;
};
PublishedMonth publishedMonth(int32_t year, int32_t month, char leap) {
    constexpr PublishedMonth kNone{false, 0, 0};
    if (year < t::kHistoryFirstYear || year > t::kHistoryLastYear || month < 1 || month > 12 ||
        (leap != 'Y' && leap != 'N')) {
        return kNone;
    }
    const auto n = static_cast<uint32_t>(year - t::kHistoryFirstYear);
    const int32_t place = placeOfMonth(t::kHistoryYears[n].leapPosition, month, leap == 'Y');
    if (place < 0) return kNone;
    const int32_t first = yearStart(n) + daysBefore(n, place);
    int32_t days = monthLength(n, place);
    if (first + days - 1 > t::kHistoryLastDay) return kNone;  // ends after the span
    if (first <= t::kHistoryLastTableDay && first + days - 1 > t::kHistoryLastTableDay) {
        days = static_cast<int32_t>(t::kHistoryLastTableDay - first + 1);
    }
    return PublishedMonth{true, first, days};
}

// The day number of a date's fields in the proleptic Gregorian calendar:
// plain fields of the years 1..9999 in 32-bit whole numbers, any others
// run on in 64 bits.
int64_t dayNumberOf(const CalendarDate& date) {
    if (date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
        date.day >= 1 && date.day <= 31) {
        return vorane2::wholeJapanDayNumber(date.year, date.month, date.day);
    }
    return vorane2::dayNumberOfGregorianDate(date.year, date.month, date.day);
}

CalendarDate japanDateOf(int64_t dayNumber) {
    const vorane2::WholeDate d = vorane2::gregorianDateOfDayNumber(dayNumber);
    return CalendarDate{static_cast<int32_t>(d.year), d.month, d.day, 0.0, 0.0, 0.0,
                        vorane2::kJapanLongitude};
}

// The era row in force on a day for one court, or -1.
int32_t eraInForce(int64_t day, int32_t court) {
    if (court != VRN_SOUTH && court != VRN_NORTH) return -1;
    if (day < t::kHistoryFirstDay || day > t::kHistoryEraLastDay) return -1;
    constexpr auto& eras = t::kHistoryEras;
    const auto after =
        std::upper_bound(eras.begin(), eras.end(), day,
                         [](int64_t d, const t::HistoryEra& e) { return d < e.startDay; });
    auto i = static_cast<std::size_t>(after - eras.begin()) - 1;  // row 0 began in 412
    while (i > 0 && eras[i].line != VRN_BOTH && eras[i].line != court) --i;
    return static_cast<int32_t>(i);
}

const t::HistoryEra* eraRow(int32_t era) {
    if (era < 0 || static_cast<std::size_t>(era) >= t::kHistoryEras.size()) return nullptr;
    return &t::kHistoryEras[static_cast<std::size_t>(era)];
}

// Both conversions take the days of the same Gregorian years, wide enough
// for any history and far from where a field could overflow, so that each
// is the other's reverse wherever it answers.
constexpr int64_t kYearBound = 1000000;
constexpr int64_t kFirstConvertedDay = vorane2::dayNumberOfGregorianDate(-kYearBound, 1, 1);
constexpr int64_t kLastConvertedDay = vorane2::dayNumberOfGregorianDate(kYearBound, 12, 31);

CalendarDate convertedDate(const CalendarDate& date, int64_t dayNumber,
                           vorane2::WholeDate (*dateOf)(int64_t)) {
    CalendarDate r = date;
    if (dayNumber < kFirstConvertedDay || dayNumber > kLastConvertedDay) {
        r.year = r.month = r.day = kError;
        return r;
    }
    const vorane2::WholeDate d = dateOf(dayNumber);
    r.year = static_cast<int32_t>(d.year);
    r.month = d.month;
    r.day = d.day;
    return r;
}

constexpr vorane2::WholeDate julianOf(int64_t n) { return vorane2::julianDateOfDayNumber(n); }
constexpr vorane2::WholeDate gregorianOf(int64_t n) { return vorane2::gregorianDateOfDayNumber(n); }

}  // namespace

extern "C" {

LunisolarDate VRN_CALL adto9rekH(CalendarDate date) {
    const int64_t day = dayNumberOf(date);
    if (day < t::kHistoryFirstDay || day > t::kHistoryLastDay) {
        return LunisolarDate{'N', kError, kError, kError, vorane2::kJapanLongitude};
    }
    const TableDay d = tableDayOf(static_cast<int32_t>(day));
    const MonthName name = monthAtPlace(t::kHistoryYears[d.year].leapPosition, d.place);
    return LunisolarDate{name.leap, t::kHistoryFirstYear + static_cast<int32_t>(d.year), name.month,
                         d.day, vorane2::kJapanLongitude};
}

int32_t VRN_CALL ad26youH(CalendarDate date) { return vorane2::sixDayIndexOf(adto9rekH(date)); }

int32_t VRN_CALL adto27H(CalendarDate date) { return vorane2::mansion27IndexOf(adto9rekH(date)); }

char VRN_CALL fujyojyuH(CalendarDate date) { return vorane2::fujyojyuOf(adto9rekH(date)); }

CalendarDate VRN_CALL kyu2ad(LunisolarDate date) {
    const PublishedMonth m = publishedMonth(date.year, date.month, date.leap);
    if (!m.found || date.day < 1 || date.day > m.days) {
        return CalendarDate{kError, kError, kError, 0.0, 0.0, 0.0, vorane2::kJapanLongitude};
    }
    return japanDateOf(m.first + date.day - 1);
}

int32_t VRN_CALL kyu2days(int32_t year, int32_t month, char leap) {
    const PublishedMonth m = publishedMonth(year, month, leap);
    return m.found ? m.days : 0;
}

int32_t VRN_CALL ad2gengo(CalendarDate date, int32_t court) {
    const int32_t era = eraInForce(dayNumberOf(date), court);
    return era < 0 ? kError : era;
}

int32_t VRN_CALL ad2gennen(CalendarDate date, int32_t court) {
    const int64_t day = dayNumberOf(date);
    const int32_t era = eraInForce(day, court);
    if (era < 0) return kError;
    // Before 1873 the years are lunisolar ones, from month 1 to month 1.
    const int64_t year =
        day < kFirstGregorianDay
            ? t::kHistoryFirstYear +
                  int64_t{yearHolding(static_cast<int32_t>(day - t::kHistoryFirstDay))}
            : vorane2::gregorianDateOfDayNumber(day).year;
    return static_cast<int32_t>(year - eraRow(era)->firstYear + 1);
}

const char* VRN_CALL gen2name(int32_t era) { return t::lookupName(t::kHistoryEraNames, era); }

int32_t VRN_CALL gen2first(int32_t era) {
    const t::HistoryEra* row = eraRow(era);
    return row ? row->firstYear : kError;
}

int32_t VRN_CALL gen2last(int32_t era) {
    const t::HistoryEra* row = eraRow(era);
    return row ? row->lastYear : kError;
}

int32_t VRN_CALL gen2line(int32_t era) {
    const t::HistoryEra* row = eraRow(era);
    return row ? row->line : kError;
}

CalendarDate VRN_CALL ad2jul(CalendarDate date) {
    return convertedDate(date, dayNumberOf(date), julianOf);
}

CalendarDate VRN_CALL jul2ad(CalendarDate julian) {
    const int64_t day = vorane2::dayNumberOfJulianDate(julian.year, julian.month, julian.day);
    return convertedDate(julian, day, gregorianOf);
}

}  // extern "C"
