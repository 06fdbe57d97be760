// Public holidays as the holiday law gave them in each year, with their
// names: the law of 1948 and each amendment from the year it took effect,
// the substitute holiday, the citizens' holiday between two holidays, the
// moved days of 2020 and 2021 and the one-off days of the imperial house.
// An alternative to the fixed table of holidays.h, which stays the default.
// The equinox days come from app/equinox_days.h, not from the library.
#pragma once

#include <array>
#include <cstdint>

namespace tenvo {

// The first and last year answered. The law took effect on 1948-07-20, so
// 1948 has only its autumn holidays; years after the last amendment follow
// today's law up to the end of the equinox table.
inline constexpr int32_t kLawFirstYear = 1948;
inline constexpr int32_t kLawLastYear = 2100;

enum class LawHolidayName : int32_t {
    None = 0,
    NewYearsDay,             // 元日
    ComingOfAgeDay,          // 成人の日
    FoundationDay,           // 建国記念の日
    EmperorsBirthday,        // 天皇誕生日
    VernalEquinoxDay,        // 春分の日
    ShowaDay,                // 昭和の日
    GreeneryDay,             // みどりの日
    ConstitutionDay,         // 憲法記念日
    ChildrensDay,            // こどもの日
    MarineDay,               // 海の日
    MountainDay,             // 山の日
    RespectForTheAgedDay,    // 敬老の日
    AutumnalEquinoxDay,      // 秋分の日
    HealthSportsDay,         // 体育の日
    SportsDay,               // スポーツの日
    CultureDay,              // 文化の日
    LabourThanksgivingDay,   // 勤労感謝の日
    SubstituteHoliday,       // 振替休日
    CitizensHoliday,         // 国民の休日
    CrownPrinceWedding1959,  // 皇太子明仁親王の結婚の儀
    ShowaFuneral,            // 昭和天皇の大喪の礼
    EnthronementCeremony,    // 即位礼正殿の儀
    CrownPrinceWedding1993,  // 皇太子徳仁親王の結婚の儀
    AccessionDay,            // 天皇の即位の日
};

struct LawHoliday {
    int32_t month = 0;
    int32_t day = 0;
    LawHolidayName name = LawHolidayName::None;
};

// No year of the law has more than 22 holidays (2019); room to spare.
inline constexpr int32_t kMaxLawHolidaysPerYear = 32;

struct LawHolidayYear {
    int32_t count = 0;  // entries of `days` in use, in date order
    std::array<LawHoliday, kMaxLawHolidaysPerYear> days{};
};

// Every holiday of `year` in date order; count 0 outside kLawFirstYear..
// kLawLastYear.
LawHolidayYear lawHolidaysOfYear(int32_t year);

// The holiday on a date, or None: also for a date before 1948-07-20, after
// 2100 or not in the calendar (month 13, 30 February).
LawHolidayName lawHolidayOn(int32_t year, int32_t month, int32_t day);

// The holiday on `month`/`day` among a year's holidays, or None; for a sheet
// that asks for every day of a month after one lawHolidaysOfYear.
LawHolidayName findLawHoliday(const LawHolidayYear& holidays, int32_t month, int32_t day);

// The name of a holiday, NUL-terminated, in UTF-8 and in Shift-JIS; the
// empty string for None and for a code outside the enumeration.
const char* lawHolidayNameUtf8(LawHolidayName name);
const char* lawHolidayNameShiftJis(LawHolidayName name);

}  // namespace tenvo
