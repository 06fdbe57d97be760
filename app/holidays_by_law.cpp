#include "holidays_by_law.h"

#include <cstddef>

#include "civil_days.h"
#include "equinox_days.h"

namespace tenvo {

namespace {

using Name = LawHolidayName;

// ---- The law's holidays ---------------------------------------------------

enum class Fix : int8_t { Date, NthMonday, Equinox };

// A holiday of the law (or of a one-off law) from its first to its last
// year. Date: `value` is the day of the month; NthMonday: the holiday is the
// value-th Monday of the month (the Monday rules of 2000 and 2003);
// Equinox: the day of the month's equinox at 135 degrees east.
struct Rule {
    Name name;
    int16_t firstYear;
    int16_t lastYear;
    int8_t month;
    Fix fix;
    int8_t value;
};

constexpr int16_t kToday = kLawLastYear;

// By month. The law took effect on 1948-07-20, so the holidays before that
// date start in 1949.
constexpr std::array<Rule, 38> kRules{{
    {Name::NewYearsDay, 1949, kToday, 1, Fix::Date, 1},
    {Name::ComingOfAgeDay, 1949, 1999, 1, Fix::Date, 15},
    {Name::ComingOfAgeDay, 2000, kToday, 1, Fix::NthMonday, 2},
    // Added in 1966, first kept in 1967 (the day was fixed after February).
    {Name::FoundationDay, 1967, kToday, 2, Fix::Date, 11},
    {Name::EmperorsBirthday, 2020, kToday, 2, Fix::Date, 23},
    {Name::ShowaFuneral, 1989, 1989, 2, Fix::Date, 24},
    {Name::VernalEquinoxDay, 1949, kToday, 3, Fix::Equinox, 0},
    {Name::CrownPrinceWedding1959, 1959, 1959, 4, Fix::Date, 10},
    {Name::EmperorsBirthday, 1949, 1988, 4, Fix::Date, 29},
    {Name::GreeneryDay, 1989, 2006, 4, Fix::Date, 29},
    {Name::ShowaDay, 2007, kToday, 4, Fix::Date, 29},
    {Name::AccessionDay, 2019, 2019, 5, Fix::Date, 1},
    {Name::ConstitutionDay, 1949, kToday, 5, Fix::Date, 3},
    {Name::GreeneryDay, 2007, kToday, 5, Fix::Date, 4},
    {Name::ChildrensDay, 1949, kToday, 5, Fix::Date, 5},
    {Name::CrownPrinceWedding1993, 1993, 1993, 6, Fix::Date, 9},
    {Name::MarineDay, 1996, 2002, 7, Fix::Date, 20},
    {Name::MarineDay, 2003, 2019, 7, Fix::NthMonday, 3},
    // 2020 and 2021: moved around the opening of the Olympic Games.
    {Name::MarineDay, 2020, 2020, 7, Fix::Date, 23},
    {Name::SportsDay, 2020, 2020, 7, Fix::Date, 24},
    {Name::MarineDay, 2021, 2021, 7, Fix::Date, 22},
    {Name::SportsDay, 2021, 2021, 7, Fix::Date, 23},
    {Name::MarineDay, 2022, kToday, 7, Fix::NthMonday, 3},
    {Name::MountainDay, 2016, 2019, 8, Fix::Date, 11},
    {Name::MountainDay, 2020, 2020, 8, Fix::Date, 10},
    {Name::MountainDay, 2021, 2021, 8, Fix::Date, 8},
    {Name::MountainDay, 2022, kToday, 8, Fix::Date, 11},
    {Name::RespectForTheAgedDay, 1966, 2002, 9, Fix::Date, 15},
    {Name::RespectForTheAgedDay, 2003, kToday, 9, Fix::NthMonday, 3},
    {Name::AutumnalEquinoxDay, 1948, kToday, 9, Fix::Equinox, 0},
    {Name::HealthSportsDay, 1966, 1999, 10, Fix::Date, 10},
    {Name::HealthSportsDay, 2000, 2019, 10, Fix::NthMonday, 2},
    {Name::SportsDay, 2022, kToday, 10, Fix::NthMonday, 2},
    {Name::EnthronementCeremony, 2019, 2019, 10, Fix::Date, 22},
    {Name::CultureDay, 1948, kToday, 11, Fix::Date, 3},
    {Name::EnthronementCeremony, 1990, 1990, 11, Fix::Date, 12},
    {Name::LabourThanksgivingDay, 1948, kToday, 11, Fix::Date, 23},
    // Moved to 23 February with the accession of 2019: that year has none.
    {Name::EmperorsBirthday, 1989, 2018, 12, Fix::Date, 23},
}};

// The holidays named by the law itself (and the one-off days, which the
// law counts as such): the days the substitute and citizens' rules look at.
constexpr bool isNationalHoliday(Name name) {
    return name != Name::None && name != Name::SubstituteHoliday && name != Name::CitizensHoliday;
}

constexpr int32_t dayOfRule(const Rule& rule, int32_t year) {
    switch (rule.fix) {
        case Fix::Date:
            return rule.value;
        case Fix::NthMonday: {
            const int32_t first = weekdayOf(daysFromCivil(year, rule.month, 1));
            return 1 + (kMonday - first + 7) % 7 + 7 * (rule.value - 1);
        }
        case Fix::Equinox: {
            const auto& days = tables::kEquinoxDays[static_cast<std::size_t>(
                year - tables::kEquinoxTableFirstYear)];
            return rule.month == 3 ? days.march : days.september;
        }
    }
    return 0;
}

// The substitute holiday took effect on 1973-04-12; the citizens' holiday on
// 1985-12-27, with its first possible day in May 1986; both were rewritten
// from 2007.
constexpr int32_t kSubstituteFirstDay = daysFromCivil(1973, 4, 12);
constexpr int32_t kCitizensFirstYear = 1986;
constexpr int32_t kRevisionOf2007 = 2007;

static_assert(tables::kEquinoxTableFirstYear <= kLawFirstYear &&
                  tables::kEquinoxTableLastYear >= kLawLastYear,
              "every year of the law has its equinox days");

struct NamePair {
    const char* utf8;
    const char* shiftJis;
};

constexpr std::array<NamePair, 25> kNames{{
    {"", ""},
    {"元日", "\x8c\xb3\x93\xfa" /* 元日 */},
    {"成人の日", "\x90\xac\x90\x6c\x82\xcc\x93\xfa" /* 成人の日 */},
    {"建国記念の日", "\x8c\x9a\x8d\x91\x8b\x4c\x94\x4f\x82\xcc\x93\xfa" /* 建国記念の日 */},
    {"天皇誕生日", "\x93\x56\x8d\x63\x92\x61\x90\xb6\x93\xfa" /* 天皇誕生日 */},
    {"春分の日", "\x8f\x74\x95\xaa\x82\xcc\x93\xfa" /* 春分の日 */},
    {"昭和の日", "\x8f\xba\x98\x61\x82\xcc\x93\xfa" /* 昭和の日 */},
    {"みどりの日", "\x82\xdd\x82\xc7\x82\xe8\x82\xcc\x93\xfa" /* みどりの日 */},
    {"憲法記念日", "\x8c\x9b\x96\x40\x8b\x4c\x94\x4f\x93\xfa" /* 憲法記念日 */},
    {"こどもの日", "\x82\xb1\x82\xc7\x82\xe0\x82\xcc\x93\xfa" /* こどもの日 */},
    {"海の日", "\x8a\x43\x82\xcc\x93\xfa" /* 海の日 */},
    {"山の日", "\x8e\x52\x82\xcc\x93\xfa" /* 山の日 */},
    {"敬老の日", "\x8c\x68\x98\x56\x82\xcc\x93\xfa" /* 敬老の日 */},
    {"秋分の日", "\x8f\x48\x95\xaa\x82\xcc\x93\xfa" /* 秋分の日 */},
    {"体育の日", "\x91\xcc\x88\xe7\x82\xcc\x93\xfa" /* 体育の日 */},
    {"スポーツの日", "\x83\x58\x83\x7c\x81\x5b\x83\x63\x82\xcc\x93\xfa" /* スポーツの日 */},
    {"文化の日", "\x95\xb6\x89\xbb\x82\xcc\x93\xfa" /* 文化の日 */},
    {"勤労感謝の日", "\x8b\xce\x98\x4a\x8a\xb4\x8e\xd3\x82\xcc\x93\xfa" /* 勤労感謝の日 */},
    {"振替休日", "\x90\x55\x91\xd6\x8b\x78\x93\xfa" /* 振替休日 */},
    {"国民の休日", "\x8d\x91\x96\xaf\x82\xcc\x8b\x78\x93\xfa" /* 国民の休日 */},
    {"皇太子明仁親王の結婚の儀",
     "\x8d\x63\x91\xbe\x8e\x71\x96\xbe\x90\x6d\x90\x65\x89\xa4\x82\xcc\x8c\x8b\x8d\xa5\x82\xcc"
     "\x8b\x56" /* 皇太子明仁親王の結婚の儀 */},
    {"昭和天皇の大喪の礼",
     "\x8f\xba\x98\x61\x93\x56\x8d\x63\x82\xcc\x91\xe5\x91\x72\x82\xcc\x97"
     "\xe7" /* 昭和天皇の大喪の礼 */},
    {"即位礼正殿の儀",
     "\x91\xa6\x88\xca\x97\xe7\x90\xb3\x93\x61\x82\xcc\x8b\x56" /* 即位礼正殿の儀 */},
    {"皇太子徳仁親王の結婚の儀",
     "\x8d\x63\x91\xbe\x8e\x71\x93\xbf\x90\x6d\x90\x65\x89\xa4\x82\xcc\x8c\x8b\x8d\xa5\x82\xcc"
     "\x8b\x56" /* 皇太子徳仁親王の結婚の儀 */},
    {"天皇の即位の日",
     "\x93\x56\x8d\x63\x82\xcc\x91\xa6\x88\xca\x82\xcc\x93\xfa" /* 天皇の即位の日 */},
}};

const NamePair& namePair(Name name) {
    const auto index = static_cast<std::size_t>(name);
    return index < kNames.size() ? kNames[index] : kNames[0];
}

}  // namespace

LawHolidayYear lawHolidaysOfYear(int32_t year) {
    LawHolidayYear result;
    if (year < kLawFirstYear || year > kLawLastYear) return result;

    // The year's days by day of the year, each with the holiday it holds.
    const int32_t january1 = daysFromCivil(year, 1, 1);
    const int32_t length = daysFromCivil(year + 1, 1, 1) - january1;
    std::array<Name, 366> byDay{};
    for (const Rule& rule : kRules) {
        if (year < rule.firstYear || year > rule.lastYear) continue;
        const int32_t index = daysFromCivil(year, rule.month, dayOfRule(rule, year)) - january1;
        byDay[static_cast<std::size_t>(index)] = rule.name;
    }
    const auto at = [&byDay](int32_t index) -> Name& {
        return byDay[static_cast<std::size_t>(index)];
    };

    // A holiday on a Sunday gives a substitute holiday: until 2006 the next
    // day, unless that is a holiday itself; from 2007 the first following
    // day that is not one. No holiday of the law lies near enough to the
    // year's end for the substitute to leave the year.
    for (int32_t i = 0; i < length; ++i) {
        const int32_t days = january1 + i;
        if (!isNationalHoliday(at(i)) || weekdayOf(days) != kSunday || days < kSubstituteFirstDay) {
            continue;
        }
        int32_t next = i + 1;
        if (year >= kRevisionOf2007) {
            while (next < length && isNationalHoliday(at(next))) ++next;
        }
        if (next < length && at(next) == Name::None) at(next) = Name::SubstituteHoliday;
    }

    // A day between two holidays is a holiday too; until 2006 not when it
    // is a Sunday or already a substitute holiday (the check for None).
    if (year >= kCitizensFirstYear) {
        for (int32_t i = 1; i + 1 < length; ++i) {
            if (at(i) != Name::None || !isNationalHoliday(at(i - 1)) ||
                !isNationalHoliday(at(i + 1))) {
                continue;
            }
            if (year < kRevisionOf2007 && weekdayOf(january1 + i) == kSunday) continue;
            at(i) = Name::CitizensHoliday;
        }
    }

    for (int32_t month = 1; month <= 12; ++month) {
        const int32_t first = daysFromCivil(year, month, 1) - january1;
        for (int32_t day = 1; day <= daysInMonth(year, month); ++day) {
            const Name name = at(first + day - 1);
            if (name == Name::None || result.count == kMaxLawHolidaysPerYear) continue;
            result.days[static_cast<std::size_t>(result.count++)] = LawHoliday{month, day, name};
        }
    }
    return result;
}

LawHolidayName lawHolidayOn(int32_t year, int32_t month, int32_t day) {
    return findLawHoliday(lawHolidaysOfYear(year), month, day);
}

LawHolidayName findLawHoliday(const LawHolidayYear& holidays, int32_t month, int32_t day) {
    for (int32_t i = 0; i < holidays.count && i < kMaxLawHolidaysPerYear; ++i) {
        const LawHoliday& h = holidays.days[static_cast<std::size_t>(i)];
        if (h.month == month && h.day == day) return h.name;
    }
    return Name::None;
}

const char* lawHolidayNameUtf8(LawHolidayName name) { return namePair(name).utf8; }

const char* lawHolidayNameShiftJis(LawHolidayName name) { return namePair(name).shiftJis; }

}  // namespace tenvo
