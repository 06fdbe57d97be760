#include "annotations.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "app_test_support.h"

namespace {

using apptest::composed;
using apptest::noteOfDay;
using apptest::sjis;

const std::string kBlankNote("    \0", 5);

std::string note4(const char* name) { return std::string(name, 4) + '\0'; }

CalendarDate dateOf(int year, int month, int day) {
    return CalendarDate{year, month, day, 0.0, 0.0, 0.0, 135.0};
}

int lengthOf(const tenvo::MonthSheet& sheet) { return sheet.monthLength[sheet.month]; }

// Months in order from (year, month) to (lastYear, lastMonth), inclusive.
template <typename F>
void forEachMonth(int year, int month, int lastYear, int lastMonth, F f) {
    while (year < lastYear || (year == lastYear && month <= lastMonth)) {
        f(year, month);
        if (++month == 13) {
            month = 1;
            ++year;
        }
    }
}

// ---- Stand-ins for parts of the library ----------------------------------

// A stand-in lunisolar conversion for May of any year: a lunar month of 30
// days begins on the 5th; the month before it ended with its 29th day on the
// 4th. Records the days it was asked about.
std::vector<int> g_askedDays;
LunisolarDate VRN_CALL fakeLunisolar(CalendarDate date) {
    g_askedDays.push_back(date.day);
    if (date.day >= 5) return LunisolarDate{'N', 2001, 4, date.day - 4, 135.0};
    return LunisolarDate{'N', 2001, 3, date.day + 25, 135.0};
}
LunisolarDate VRN_CALL outOfSpanLunisolar(CalendarDate date) {
    g_askedDays.push_back(date.day);
    return LunisolarDate{'N', -999, -999, -999, date.longitude};
}
const char* VRN_CALL fakeSixDayName(int32_t index) {
    static const char names[6][5] = {"R0..", "R1..", "R2..", "R3..", "R4..", "R5.."};
    return index >= 0 && index < 6 ? names[index] : nullptr;
}
int32_t VRN_CALL fakeSunday(CalendarDate) { return 0; }
const char* VRN_CALL noName(int32_t) { return nullptr; }
const char* VRN_CALL shortName(int32_t) { return "A"; }
int g_mansionNameCalls = 0;
const char* VRN_CALL countedMansionName(int32_t) {
    ++g_mansionNameCalls;
    return "XX";
}
int32_t VRN_CALL errorIndex(CalendarDate) { return -999; }

tenvo::MonthSheet composedWith(const tenvo::LibraryBinding& library, int year, int month,
                               int mode) {
    tenvo::MonthSheet sheet;
    sheet.year = static_cast<uint16_t>(year);
    sheet.month = static_cast<uint16_t>(month);
    sheet.mode = mode;
    tenvo::composeMonth(sheet, library);
    return sheet;
}

TEST(SolarTermMode, AnnotatesExactlyTheTwoTermDaysOfEveryMonth) {
    struct Term {
        int32_t(VRN_CALL* dayOf)(int32_t, double);
        const char* name;
    };
    const std::array<std::array<Term, 2>, 12> terms{{
        {{{&::y2syokan, "小寒"}, {&::y2taikan, "大寒"}}},
        {{{&::y2risyun, "立春"}, {&::y2usui, "雨水"}}},
        {{{&::y2ktitu, "啓蟄"}, {&::y2syunbn, "春分"}}},
        {{{&::y2seimei, "清明"}, {&::y2kokuu, "穀雨"}}},
        {{{&::y2rikka, "立夏"}, {&::y2syoman, "小満"}}},
        {{{&::y2bousyu, "芒種"}, {&::y2gesi, "夏至"}}},
        {{{&::y2syusyo, "小暑"}, {&::y2taisyo, "大暑"}}},
        {{{&::y2risyuu, "立秋"}, {&::y2syosyo, "処暑"}}},
        {{{&::y2hakuro, "白露"}, {&::y2syuubn, "秋分"}}},
        {{{&::y2kanro, "寒露"}, {&::y2soukou, "霜降"}}},
        {{{&::y2rittou, "立冬"}, {&::y2syostu, "小雪"}}},
        {{{&::y2taistu, "大雪"}, {&::y2touji, "冬至"}}},
    }};
    tenvo::MonthSheet sheet;
    sheet.mode = static_cast<int32_t>(tenvo::CalendarMode::SolarTerm);
    forEachMonth(1870, 1, 2019, 12, [&](int year, int month) {
        SCOPED_TRACE(std::to_string(year) + "-" + std::to_string(month));
        sheet.year = static_cast<uint16_t>(year);
        sheet.month = static_cast<uint16_t>(month);
        tenvo::composeMonth(sheet, apptest::library());
        const auto& pair = terms[static_cast<std::size_t>(month - 1)];
        const int first = pair[0].dayOf(year, 135.0);
        const int second = pair[1].dayOf(year, 135.0);
        ASSERT_LT(first, second);
        int annotated = 0;
        for (int day = 1; day <= lengthOf(sheet); ++day) {
            const std::string note = noteOfDay(sheet, day);
            if (day == first) {
                ASSERT_EQ(note, sjis(pair[0].name) + '\0');
            } else if (day == second) {
                ASSERT_EQ(note, sjis(pair[1].name) + '\0');
            } else {
                ASSERT_EQ(note, kBlankNote) << "day " << day;
            }
            if (note != kBlankNote) ++annotated;
        }
        ASSERT_EQ(annotated, 2);
    });
}

// The cache steps the lunar day between questions to the library; the
// names must still be those of the library for every day, with one sheet
// carried from month to month as the window carries it.
TEST(SixDayMode, EveryDayMatchesTheLibrary) {
    tenvo::MonthSheet sheet;
    sheet.mode = static_cast<int32_t>(tenvo::CalendarMode::SixDay);
    forEachMonth(1870, 2, 2020, 11, [&](int year, int month) {
        SCOPED_TRACE(std::to_string(year) + "-" + std::to_string(month));
        sheet.year = static_cast<uint16_t>(year);
        sheet.month = static_cast<uint16_t>(month);
        tenvo::composeMonth(sheet, apptest::library());
        for (int day = 1; day <= lengthOf(sheet); ++day) {
            const char* name = ::rno2name(::ad26you(dateOf(year, month, day)));
            ASSERT_NE(name, nullptr);
            ASSERT_EQ(noteOfDay(sheet, day), note4(name)) << "day " << day;
        }
    });
}

// Composing in a scattered order, so that each month follows an unrelated
// one, gives the same names: every composition starts by asking the library.
TEST(SixDayMode, NamesDoNotDependOnTheMonthComposedBefore) {
    std::vector<std::pair<int, int>> months;
    forEachMonth(1870, 2, 2020, 11, [&](int y, int m) { months.emplace_back(y, m); });
    const std::size_t n = months.size();
    tenvo::MonthSheet sheet;
    sheet.mode = static_cast<int32_t>(tenvo::CalendarMode::SixDay);
    for (std::size_t k = 0; k < n; k += 3) {
        const auto [year, month] = months[(k * 7919) % n];
        SCOPED_TRACE(std::to_string(year) + "-" + std::to_string(month));
        sheet.year = static_cast<uint16_t>(year);
        sheet.month = static_cast<uint16_t>(month);
        // Leave the cache as another mode or an unfinished month would.
        sheet.lunarCache.recompute = 'N';
        sheet.lunarCache.date.day = 3;
        tenvo::composeMonth(sheet, apptest::library());
        for (int day = 1; day <= lengthOf(sheet); ++day) {
            ASSERT_EQ(noteOfDay(sheet, day),
                      note4(::rno2name(::ad26you(dateOf(year, month, day)))));
        }
    }
}

TEST(MansionModes, EveryAnnotationEndsInLodging) {
    const std::string lodging = sjis("宿");
    for (int mode : {2, 3}) {
        tenvo::MonthSheet sheet;
        sheet.mode = mode;
        const int lastYear = mode == 2 ? 2020 : 2100;
        const int lastMonth = mode == 2 ? 11 : 12;
        forEachMonth(1870, 2, lastYear, lastMonth, [&](int year, int month) {
            SCOPED_TRACE(std::to_string(year) + "-" + std::to_string(month));
            sheet.year = static_cast<uint16_t>(year);
            sheet.month = static_cast<uint16_t>(month);
            tenvo::composeMonth(sheet, apptest::library());
            for (int day = 1; day <= lengthOf(sheet); ++day) {
                const std::string note = noteOfDay(sheet, day);
                ASSERT_EQ(note.substr(2), lodging + '\0') << "mode " << mode << " day " << day;
                if (day == 1 || day == 15) {
                    const CalendarDate date = dateOf(year, month, day);
                    const char* name =
                        mode == 2 ? ::A27toname(::adto27(date)) : ::A28toname(::adto28(date));
                    ASSERT_EQ(note.substr(0, 2), std::string(name, 2));
                }
            }
        });
    }
}

// After 2020 the original exports have no answer and the sheet asks the
// ones over all the stored new moons: every day up to 2100-11 has the names
// of ad26youL and adto27L, with one sheet carried from month to month.
TEST(AfterTwentyTwenty, SixDayAnd27MansionNamesComeFromTheLongSpan) {
    const std::string lodging = sjis("宿");
    for (int mode : {0, 2}) {
        SCOPED_TRACE(mode);
        tenvo::MonthSheet sheet;
        sheet.mode = mode;
        forEachMonth(2020, 12, 2100, 11, [&](int year, int month) {
            SCOPED_TRACE(std::to_string(year) + "-" + std::to_string(month));
            sheet.year = static_cast<uint16_t>(year);
            sheet.month = static_cast<uint16_t>(month);
            tenvo::composeMonth(sheet, apptest::library());
            for (int day = 1; day <= lengthOf(sheet); ++day) {
                const CalendarDate date = dateOf(year, month, day);
                const std::string expected =
                    mode == 0 ? note4(::rno2name(::ad26youL(date)))
                              : std::string(::A27toname(::adto27L(date)), 2) + lodging + '\0';
                ASSERT_EQ(noteOfDay(sheet, day), expected) << "day " << day;
            }
        });
    }
}

// The month the program opens on today, and a month of 2026, show names in
// both lunisolar modes, never blanks.
TEST(AfterTwentyTwenty, TheCurrentMonthShowsNames) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    for (const auto& [year, month] : {std::pair{2026, 12}, std::pair{2021, 1},
                                      std::pair{local.tm_year + 1900, local.tm_mon + 1}}) {
        if (year > 2100) continue;
        for (int mode : {0, 2}) {
            const tenvo::MonthSheet sheet = composed(year, month, mode);
            for (int day = 1; day <= lengthOf(sheet); ++day) {
                EXPECT_NE(noteOfDay(sheet, day), kBlankNote)
                    << year << "-" << month << "-" << day << " mode " << mode;
            }
        }
    }
    // 2026-12-09 is day 1 of lunisolar month 11 (大安, 斗宿).
    EXPECT_EQ(noteOfDay(composed(2026, 12, 0), 9), sjis("大安") + '\0');
    EXPECT_EQ(noteOfDay(composed(2026, 12, 2), 9), sjis("斗宿") + '\0');
}

// Where the original exports answer, the long-span ones are not asked;
// where they give their error value, the long-span ones alone decide.
int32_t VRN_CALL firstMansion(CalendarDate) { return 0; }

TEST(AfterTwentyTwenty, TheOriginalIsAskedFirst) {
    tenvo::LibraryBinding library = apptest::library();
    // Stand-ins that answer for every date take precedence over the real
    // long-span exports, even in 2030.
    library.adto9rek = &fakeLunisolar;
    library.rno2name = &fakeSixDayName;
    library.adto27 = &firstMansion;
    const tenvo::MonthSheet sixDay = composedWith(library, 2030, 5, 0);
    EXPECT_EQ(noteOfDay(sixDay, 5), std::string("R4..") + '\0');  // fake month 4, day 1
    const tenvo::MonthSheet mansions = composedWith(library, 2030, 5, 2);
    for (int day = 1; day <= 31; ++day) {
        EXPECT_EQ(noteOfDay(mansions, day), sjis("角宿") + '\0') << day;
    }

    // With the long span missing, the sheet ends where the originals do.
    library = apptest::library();
    library.adto9rekL = &outOfSpanLunisolar;
    library.adto27L = &errorIndex;
    for (int mode : {0, 2}) {
        const tenvo::MonthSheet december = composedWith(library, 2020, 12, mode);
        const tenvo::MonthSheet real = composed(2020, 12, mode);
        for (int day = 1; day <= 31; ++day) {
            if (day <= 14) {
                EXPECT_EQ(noteOfDay(december, day), noteOfDay(real, day)) << day;
            } else {
                EXPECT_EQ(noteOfDay(december, day), kBlankNote) << day;
            }
        }
    }
}

// The stored new moons have a span; outside it the six-day and 27-mansion
// lines are blank, never text made from the conversion's error value.
TEST(OutOfSpan, SixDayAnd27MansionLinesAreBlank) {
    for (int mode : {0, 2}) {
        SCOPED_TRACE(mode);
        for (const auto& [year, month] :
             {std::pair{1870, 1}, std::pair{2101, 1}, std::pair{2150, 6}}) {
            const tenvo::MonthSheet sheet = composed(year, month, mode);
            for (int day = 1; day <= lengthOf(sheet); ++day) {
                EXPECT_EQ(noteOfDay(sheet, day), kBlankNote) << year << "-" << month << "-" << day;
            }
        }
        // The span ends on 30 December 2100, the day before the last stored
        // new moon, and begins on 1 February 1870.
        const tenvo::MonthSheet december = composed(2100, 12, mode);
        for (int day = 1; day <= 31; ++day) {
            EXPECT_EQ(noteOfDay(december, day) == kBlankNote, day > 30) << "2100-12-" << day;
        }
        const tenvo::MonthSheet february = composed(1870, 2, mode);
        EXPECT_NE(noteOfDay(february, 1), kBlankNote);
        // Where the original exports stop (after 14 December 2020) the
        // sheet carries on without a gap.
        const tenvo::MonthSheet seam = composed(2020, 12, mode);
        for (int day = 1; day <= 31; ++day) {
            EXPECT_NE(noteOfDay(seam, day), kBlankNote) << "2020-12-" << day;
        }
    }
    // The other modes compute for every year.
    for (int mode : {1, 3, 4}) {
        const tenvo::MonthSheet sheet = composed(2021, 1, mode);
        for (int day = 1; day <= 31; ++day) EXPECT_NE(noteOfDay(sheet, day), kBlankNote);
    }
}

TEST(OtherModes, NamesComeFromTheMatchingExports) {
    for (int day = 1; day <= 30; ++day) {
        const CalendarDate date = dateOf(2001, 9, day);
        EXPECT_EQ(noteOfDay(composed(2001, 9, 1), day), note4(::kno2name(::ad2hkyusei(date))));
        EXPECT_EQ(noteOfDay(composed(2001, 9, 4), day), note4(::eno2name(::ad2heto(date))));
    }
    // 2000-01-01 is the pair 戊午 and the 28-mansion 胃.
    EXPECT_EQ(noteOfDay(composed(2000, 1, 4), 1), sjis("戊午") + '\0');
    EXPECT_EQ(noteOfDay(composed(2000, 1, 3), 1), sjis("胃宿") + '\0');
}

TEST(SixDayCache, AsksOnTheFirstDayAndWhereALunarMonthMayEnd) {
    tenvo::LibraryBinding library = apptest::library();
    library.adto9rek = &fakeLunisolar;
    library.rno2name = &fakeSixDayName;
    library.ad2youbi = &fakeSunday;
    tenvo::MonthSheet sheet;
    sheet.year = 2001;
    sheet.month = 5;
    sheet.mode = 0;
    g_askedDays.clear();
    tenvo::composeMonth(sheet, library);
    // Day 1 is lunar 26; days 3 and 4 are predicted 28 and 29; day 5
    // predicted 30 turns out to be day 1 of the next month; day 31 is 27.
    EXPECT_EQ(g_askedDays, (std::vector<int>{1, 3, 4, 5}));
    for (int day = 1; day <= 31; ++day) {
        const int lunarMonth = day >= 5 ? 4 : 3;
        const int lunarDay = day >= 5 ? day - 4 : day + 25;
        const std::string expected =
            std::string("R") + static_cast<char>('0' + (lunarMonth + lunarDay - 1) % 6) + "..";
        EXPECT_EQ(noteOfDay(sheet, day), expected + '\0') << "day " << day;
    }
    EXPECT_EQ(sheet.lunarCache.recompute, 'Y');  // lunar day 27 done: 28 next

    // A second composition asks again from its first day.
    g_askedDays.clear();
    tenvo::composeMonth(sheet, library);
    EXPECT_EQ(g_askedDays.front(), 1);
}

TEST(SixDayCache, AnErrorAnswerGivesBlanksAndIsAskedAgainNextDay) {
    tenvo::LibraryBinding library = apptest::library();
    library.adto9rek = &outOfSpanLunisolar;
    library.adto9rekL = &outOfSpanLunisolar;
    library.rno2name = &noName;  // must not be reached with the error codes
    g_askedDays.clear();
    tenvo::LunarCache cache;
    for (int day = 1; day <= 3; ++day) {
        std::array<char, 5> note{'x', 'x', 'x', 'x', 'x'};
        tenvo::annotateDay(library, dateOf(2030, 1, day), 0, cache, note);
        EXPECT_EQ(std::string(note.data(), 5), kBlankNote);
    }
    // Each day asks both conversions, the original first.
    EXPECT_EQ(g_askedDays, (std::vector<int>{1, 1, 2, 2, 3, 3}));
}

TEST(AnnotationStep, MissingOrShortNamesNeverLeaveStrayBytes) {
    tenvo::LibraryBinding library = apptest::library();
    library.kno2name = &noName;
    library.eno2name = &shortName;
    library.A28toname = &noName;
    library.adto27 = &errorIndex;
    library.adto27L = &errorIndex;
    library.A27toname = &countedMansionName;
    tenvo::LunarCache cache;
    const CalendarDate date = dateOf(2001, 9, 1);
    const auto annotate = [&](int mode) {
        std::array<char, 5> note{'x', 'x', 'x', 'x', 'x'};
        tenvo::annotateDay(library, date, mode, cache, note);
        return std::string(note.data(), 5);
    };
    EXPECT_EQ(annotate(1), kBlankNote);
    EXPECT_EQ(annotate(4), std::string("A   \0", 5));
    EXPECT_EQ(annotate(3), kBlankNote);
    g_mansionNameCalls = 0;
    EXPECT_EQ(annotate(2), kBlankNote);
    EXPECT_EQ(g_mansionNameCalls, 0);  // an error index is not looked up
    // A mode outside the table leaves the cell as it was.
    EXPECT_EQ(annotate(9), "xxxxx");
    EXPECT_EQ(annotate(-1), "xxxxx");
}

TEST(AnnotationStep, SolarTermNamesAreTheProgramsOwn) {
    const char* utf8[12][2] = {{"小寒", "大寒"}, {"立春", "雨水"}, {"啓蟄", "春分"},
                               {"清明", "穀雨"}, {"立夏", "小満"}, {"芒種", "夏至"},
                               {"小暑", "大暑"}, {"立秋", "処暑"}, {"白露", "秋分"},
                               {"寒露", "霜降"}, {"立冬", "小雪"}, {"大雪", "冬至"}};
    for (std::size_t month = 1; month <= 12; ++month) {
        for (std::size_t k = 0; k < 2; ++k) {
            EXPECT_EQ(std::string(tenvo::kSolarTermsByMonth[month][k].name),
                      sjis(utf8[month - 1][k]));
        }
    }
}

// The sheet asks for a term only on the days its export can answer; a
// window narrower than the export's answers would silently lose a term.
TEST(AnnotationStep, SolarTermWindowsHoldEveryAnswerOfTheLibrary) {
    for (std::size_t month = 1; month <= 12; ++month) {
        for (const tenvo::SolarTermEntry& term : tenvo::kSolarTermsByMonth[month]) {
            for (int32_t year : {INT32_MIN, -4712, 0, 1582}) {
                const int32_t day = (apptest::library().*term.dayOf)(year, 135.0);
                EXPECT_GE(day, term.firstPossibleDay) << month << " " << year;
                EXPECT_LE(day, term.lastPossibleDay) << month << " " << year;
            }
            for (int32_t year = 1700; year <= 2300; ++year) {
                const int32_t day = (apptest::library().*term.dayOf)(year, 135.0);
                ASSERT_GE(day, term.firstPossibleDay) << month << " " << year;
                ASSERT_LE(day, term.lastPossibleDay) << month << " " << year;
            }
        }
    }
}

}  // namespace
