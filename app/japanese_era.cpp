#include "japanese_era.h"

#include <array>
#include <cstddef>

namespace tenvo {

namespace {

struct EraStart {
    Era era;
    int32_t year, month, day;  // the first Gregorian day of the era
    const char* name;          // Shift-JIS
};

// The day each era began; 明治 is counted Gregorian from 1873-01-01, when
// the Gregorian calendar came into use (its year 6).
constexpr std::array<EraStart, 5> kEras{{
    {Era::Meiji, 1868, 1, 1, "\x96\xbe\x8e\xa1" /* 明治 */},
    {Era::Taisho, 1912, 7, 30, "\x91\xe5\x90\xb3" /* 大正 */},
    {Era::Showa, 1926, 12, 25, "\x8f\xba\x98\x61" /* 昭和 */},
    {Era::Heisei, 1989, 1, 8, "\x95\xbd\x90\xac" /* 平成 */},
    {Era::Reiwa, 2019, 5, 1, "\x97\xdf\x98\x61" /* 令和 */},
}};

constexpr int32_t kGregorianSince = 1873;

constexpr int32_t dateKey(int32_t year, int32_t month, int32_t day) {
    return year * 400 + month * 32 + day;
}

}  // namespace

EraDate eraOf(int32_t year, int32_t month, int32_t day, int32_t lunisolarYear) {
    if (year < kFirstEraYear || year > kLastEraYear) return {};
    if (year < kGregorianSince) {
        // The lunisolar year of 明治元年 is 1868.
        if (lunisolarYear < 1868 || lunisolarYear >= kGregorianSince) return {};
        return {Era::Meiji, lunisolarYear - 1867, true};
    }
    const int32_t key = dateKey(year, month, day);
    const EraStart* current = &kEras[0];
    for (const EraStart& e : kEras) {
        if (dateKey(e.year, e.month, e.day) <= key) current = &e;
    }
    return {current->era, year - current->year + 1, false};
}

const char* eraNameShiftJis(Era era) {
    const auto index = static_cast<std::size_t>(era);
    if (index < 1 || index > kEras.size()) return "";
    return kEras[index - 1].name;
}

std::string eraDateShiftJis(const EraDate& era, int32_t month, int32_t day) {
    if (era.era == Era::None) return {};
    std::string text = eraNameShiftJis(era.era);
    text += era.year == 1 ? "\x8c\xb3" /* 元 */ : std::to_string(era.year);
    text += "\x94\x4e" /* 年 */;
    if (era.lunisolar) return text;
    text += std::to_string(month) + "\x8c\x8e" /* 月 */ + std::to_string(day) + "\x93\xfa" /* 日 */;
    return text;
}

}  // namespace tenvo
