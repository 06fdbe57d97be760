// The calendar as published through history (adto9rekH, kyu2ad, kyu2days,
// the eras and the Julian calendar), every day 445-01-25 .. 2100-12-31
// against the carried tables read here (months.tsv, eras.tsv) and, from
// 1873, against adto9rekS with its months begun on the accurate new moons.

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "almanac.h"
#include "support/civil.h"
#include "support/sjis.h"
#include "vorane2.h"

namespace {

using testsupport::civilFromDays;
using testsupport::daysFromCivil;
using testsupport::Ymd;

constexpr int64_t kDayNumberOfZero = 2440588;  // day number of day count 0, 1970-01-01

CalendarDate at(const Ymd& d, double hour = 0.0, double lon = 135.0) {
    return CalendarDate{d.year, d.month, d.day, hour, 0.0, 0.0, lon};
}
Ymd parseYmd(const std::string& s) {  // YYYY-MM-DD
    return Ymd{std::stoi(s.substr(0, 4)), std::stoi(s.substr(5, 2)), std::stoi(s.substr(8, 2))};
}
std::string text(const Ymd& d) {
    return std::to_string(d.year) + "-" + std::to_string(d.month) + "-" + std::to_string(d.day);
}
std::string lunar(const LunisolarDate& l) {
    return std::to_string(l.year) + "-" + std::to_string(l.month) + l.leap + std::to_string(l.day);
}

std::vector<std::map<std::string, std::string>> readTsv(const char* name) {
    std::ifstream in(std::string(HISTORY_DATA_DIR) + "/" + name);
    std::vector<std::map<std::string, std::string>> rows;
    std::vector<std::string> columns;
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string f; std::getline(split, f, '\t');) fields.push_back(f);
        if (!line.empty() && line.back() == '\t') fields.emplace_back();
        if (columns.empty()) {
            columns = fields;
        } else {
            std::map<std::string, std::string> row;
            for (size_t i = 0; i < columns.size() && i < fields.size(); ++i)
                row[columns[i]] = fields[i];
            rows.push_back(row);
        }
    }
    return rows;
}

// One month of the reference: its first day (day count) and its name.
struct Month {
    int64_t first;
    int32_t year;
    int32_t month;
    char leap;
};

// From 1873: the months of adto9rekS begun on the day (UTC+9) of the
// accurate new moon within a day of their stored first day. `moved` gets
// the months whose first day the accurate new moon changes.
std::vector<Month> publishedMonthsFrom1873(std::vector<Month>& moved) {
    std::vector<int64_t> accurate;
    for (std::ptrdiff_t k = 0; k < vorane2::tables::kMoonPhaseCount; k += 4) {
        const int64_t mjd =
            vorane2::almanac::dayOfInstant(vorane2::almanac::moonPhaseMinutes(k), 540);
        accurate.push_back(mjd - vorane2::almanac::kMjdOfDayNumber - kDayNumberOfZero);
    }
    std::vector<Month> months;
    for (int64_t z = daysFromCivil(1873, 1, 1); z <= daysFromCivil(2100, 12, 30); ++z) {
        const LunisolarDate s = adto9rekS(at(civilFromDays(z)));
        if (s.day != 1) continue;
        int64_t a = 0;
        for (const int64_t d : accurate) a = (d >= z - 1 && d <= z + 1) ? d : a;
        EXPECT_NE(a, 0) << text(civilFromDays(z));
        months.push_back(Month{a, s.year, s.month, s.leap});
        if (a != z) moved.push_back(months.back());
    }
    return months;
}

TEST(History, EveryDayAgainstTheCarriedTablesAndThePublishedReading) {
    const auto monthRows = readTsv("months.tsv");
    const auto eraRows = readTsv("eras.tsv");
    ASSERT_EQ(monthRows.size(), 17662u);
    ASSERT_EQ(eraRows.size(), 275u);

    std::vector<Month> months;
    std::map<int64_t, std::string> julianOfFirstDay;
    for (const auto& r : monthRows) {
        const Ymd g = parseYmd(r.at("first_day_gregorian"));
        months.push_back(Month{daysFromCivil(g.year, g.month, g.day), std::stoi(r.at("year")),
                               std::stoi(r.at("month")), r.at("leap") == "1" ? 'Y' : 'N'});
        EXPECT_EQ(daysFromCivil(g.year, g.month, g.day),
                  std::stoll(r.at("first_day_jdn")) - kDayNumberOfZero);
        julianOfFirstDay[months.back().first] = r.at("first_day_julian");
    }
    // The carried months of 1870-02 .. 1872-12 are those of adto9rekS.
    for (const Month& m : months) {
        if (m.first < daysFromCivil(1870, 2, 1)) continue;
        const LunisolarDate s = adto9rekS(at(civilFromDays(m.first)));
        EXPECT_EQ(s.day, 1) << text(civilFromDays(m.first));
        EXPECT_EQ(s.year * 100 + s.month, m.year * 100 + m.month);
        EXPECT_EQ(s.leap, m.leap);
    }
    std::vector<Month> moved;
    for (const Month& m : publishedMonthsFrom1873(moved)) months.push_back(m);
    const int64_t firstGregorian = daysFromCivil(1873, 1, 1);

    // Eras: the era's 元年 is the lunisolar year of its name's first start.
    struct Era {
        int64_t start;
        int32_t line;
        int32_t firstYear;
        int32_t lastSeen = 0;
    };
    std::vector<Era> eras;
    std::map<std::string, int32_t> firstYearOfName;
    for (size_t i = 0; i < eraRows.size(); ++i) {
        const auto& r = eraRows[i];
        const Ymd g = parseYmd(r.at("start_gregorian"));
        const std::string& lunisolar = r.at("start_lunisolar");
        const int32_t own =
            lunisolar.empty() ? g.year : std::stoi(lunisolar.substr(0, lunisolar.find('-')));
        const int32_t first = firstYearOfName.emplace(r.at("name"), own).first->second;
        const int32_t line = r.at("line") == "both"    ? VRN_BOTH
                             : r.at("line") == "north" ? VRN_NORTH
                                                       : VRN_SOUTH;
        eras.push_back(Era{daysFromCivil(g.year, g.month, g.day), line, first});
        const auto e = static_cast<int32_t>(i);
        EXPECT_EQ(gen2line(e), line);
        EXPECT_EQ(gen2first(e), first) << r.at("name");
        ASSERT_NE(gen2name(e), nullptr);
        EXPECT_EQ(std::string(gen2name(e)), testsupport::toCp932(r.at("name")));
        const CalendarDate start = jul2ad(at(parseYmd(r.at("start_julian"))));
        EXPECT_EQ(text(Ymd{start.year, start.month, start.day}), text(g));
    }

    size_t month = 0;
    size_t eraOf[2] = {0, 0};
    const int64_t last = daysFromCivil(2100, 12, 30);
    int64_t mismatches = 0;
    for (int64_t z = months.front().first; z <= last + 1 && mismatches < 20; ++z) {
        const Ymd d = civilFromDays(z);
        while (month + 1 < months.size() && months[month + 1].first <= z) ++month;
        const Month& m = months[month];
        LunisolarDate expected{m.leap, m.year, m.month, static_cast<int32_t>(z - m.first + 1),
                               135.0};
        if (z >= firstGregorian && z < months[17662].first) expected = adto9rekS(at(d));
        if (z > last) expected = LunisolarDate{'N', -999, -999, -999, 135.0};
        const LunisolarDate h = adto9rekH(at(d, 13.5, -70.0));
        const bool same = lunar(h) == lunar(expected) && h.longitude == 135.0;
        mismatches += same ? 0 : 1;
        EXPECT_TRUE(same) << text(d) << ": " << lunar(h) << " expected " << lunar(expected);
        // Now and then the same day named by fields that run on.
        if (z % 997 == 0) {
            const auto dayOfYear = static_cast<int32_t>(z - daysFromCivil(d.year, 1, 1) + 1);
            for (const Ymd& r : {Ymd{d.year - 1, d.month + 12, d.day},
                                 Ymd{d.year + 1, d.month - 12, d.day}, Ymd{d.year, 1, dayOfYear}}) {
                EXPECT_EQ(lunar(adto9rekH(at(r))), lunar(h)) << text(r);
                EXPECT_EQ(ad2gengo(at(r), VRN_NORTH), ad2gengo(at(d), VRN_NORTH)) << text(r);
            }
        }
        // The reverse, and the month's days, wherever the day is in use; the
        // six-day name runs on from month + day (day 1 of month 1 is 先勝).
        if (z <= last) {
            EXPECT_EQ(ad26youH(at(d)), (h.month + h.day - 1) % 6) << text(d);
            const CalendarDate back = kyu2ad(h);
            const bool inUse = z < firstGregorian || z >= months[17662].first;
            EXPECT_EQ(text(Ymd{back.year, back.month, back.day}),
                      inUse ? text(d) : "-999--999--999");
            const int64_t next = month + 1 < months.size() ? months[month + 1].first : 0;
            const int64_t inUseDays =
                m.first < firstGregorian && next > firstGregorian ? 2 : next - m.first;
            if (next != 0) {
                EXPECT_EQ(kyu2days(h.year, h.month, h.leap), inUseDays) << text(d);
            }
        }

        // Julian dates: at each carried first day from the table, every day there and back.
        const CalendarDate j = ad2jul(at(d, 7.0, 12.5));
        if (auto it = julianOfFirstDay.find(z); it != julianOfFirstDay.end()) {
            EXPECT_EQ(text(Ymd{j.year, j.month, j.day}), text(parseYmd(it->second)));
        }
        const CalendarDate g = jul2ad(j);
        EXPECT_EQ(daysFromCivil(g.year, g.month, g.day), z);
        EXPECT_EQ(j.hour, 7.0);
        EXPECT_EQ(g.longitude, 12.5);

        // The era in force in each court and its year.
        const int32_t lunisolarYear = z < firstGregorian ? m.year : d.year;
        for (const int32_t court : {VRN_SOUTH, VRN_NORTH}) {
            size_t& e = eraOf[court];
            for (size_t i = e + 1; i < eras.size() && eras[i].start <= z; ++i) {
                if (eras[i].line == VRN_BOTH || eras[i].line == court) e = i;
            }
            const int32_t year = lunisolarYear - eras[e].firstYear + 1;
            eras[e].lastSeen = std::max(eras[e].lastSeen, year);
            EXPECT_EQ(ad2gengo(at(d), court), static_cast<int32_t>(e)) << text(d);
            EXPECT_EQ(ad2gennen(at(d), court), year) << text(d);
        }
    }
    for (size_t e = 0; e < eras.size(); ++e)
        EXPECT_EQ(gen2last(static_cast<int32_t>(e)), eras[e].lastSeen) << e;
}

// From 1873 the published reading differs from adto9rekS only in the months
// whose accurate new moon falls on another day than the stored one: there
// every day is one later in its month, and the day before is the month's
// first. The differing days, as the library's header documents them.
// The cycles of the published date (ad26youH, adto27H, fujyojyuH) and the
// almanac and lower row read with it (ad2rekicyuH, ad2gedanH) on day `z`:
// where its date is adto9rekS's they answer as the solstice exports; in a
// moved month as the solstice exports do on the day (one later) that they
// date the same, the two rows differing from the solstice ones in 不成就日
// and 凶会日 alone.
void checkCyclesOfThePublishedDate(int64_t z, const LunisolarDate& h, bool sameAsSolstice) {
    const CalendarDate day = at(civilFromDays(z));
    CalendarDate alike = day;
    if (!sameAsSolstice) {
        alike = at(civilFromDays(z + 1));
        if (lunar(adto9rekS(alike)) != lunar(h)) return;  // the moved month's 30th: none alike
    }
    EXPECT_EQ(ad26youH(day), ad26youS(alike)) << text(civilFromDays(z));
    EXPECT_EQ(adto27H(day), adto27S(alike)) << text(civilFromDays(z));
    EXPECT_EQ(fujyojyuH(day), fujyojyuS(alike)) << text(civilFromDays(z));
    const int32_t items = ad2rekicyuH(day);
    EXPECT_EQ(items & ~(1 << VRN_FUJOJU), ad2rekicyuS(day) & ~(1 << VRN_FUJOJU));
    EXPECT_EQ((items >> VRN_FUJOJU) & 1, fujyojyuH(day) == 'Y' ? 1 : 0);
    const int32_t lower = ad2gedanH(day);
    EXPECT_EQ(lower & ~(1 << VRN_KUE), ad2gedanS(day) & ~(1 << VRN_KUE));
    if (sameAsSolstice) {
        EXPECT_EQ(lower, ad2gedanS(day)) << text(civilFromDays(z));
    }
}

TEST(History, DiffersFromTheSolsticeReadingOnlyInTheMovedMonths) {
    std::vector<Month> moved;
    publishedMonthsFrom1873(moved);
    std::vector<std::string> movedText;
    for (const Month& m : moved)
        movedText.push_back(text(civilFromDays(m.first)) + " " + std::to_string(m.month) + m.leap);
    EXPECT_EQ(movedText, (std::vector<std::string>{"1884-4-25 4N", "2017-2-26 2N"}));

    std::vector<std::string> differing;  // first and last day of each run
    bool inRun = false;
    int64_t runStart = 0;
    for (int64_t z = daysFromCivil(1873, 1, 1); z <= daysFromCivil(2100, 12, 31); ++z) {
        const LunisolarDate h = adto9rekH(at(civilFromDays(z)));
        const LunisolarDate s = adto9rekS(at(civilFromDays(z)));
        const bool same =
            h.year == s.year && h.month == s.month && h.leap == s.leap && h.day == s.day;
        checkCyclesOfThePublishedDate(z, h, same);
        if (!same && !inRun) runStart = z;
        if (same && inRun) {
            differing.push_back(text(civilFromDays(runStart)) + ".." + text(civilFromDays(z - 1)));
        }
        inRun = !same;
    }
    EXPECT_EQ(differing,
              (std::vector<std::string>{"1884-4-25..1884-5-24", "2017-2-26..2017-3-27"}));
    EXPECT_EQ(lunar(adto9rekH(at(Ymd{2017, 2, 26}))), "2017-2N1");
}

// The published months 1873..2100 numbered again from the accurate terms
// (ad2sekki) rather than the series that adto9rekS reads: the month holding
// 冬至 is month 11, and in a cycle of thirteen months the first without a
// principal term is the leap month. Every month gets the number it has.
TEST(History, FromTheAccurateTermsTheSameNumbering) {
    struct Held {
        LunisolarDate name;
        bool solstice = false;
        bool principal = false;
    };
    std::vector<Held> months;
    for (int64_t z = daysFromCivil(1872, 12, 30); z <= daysFromCivil(2100, 12, 30); ++z) {
        const LunisolarDate h = adto9rekH(at(civilFromDays(z)));
        if (h.day == 1) months.push_back(Held{h});
        const int32_t term = ad2sekki(at(civilFromDays(z)));  // longitude / 15
        if (term >= 0 && term % 2 == 0) months.back().principal = true;
        if (term == 18) months.back().solstice = true;
    }
    int32_t cycles = 0;
    for (size_t a = 0; a < months.size(); ++a) {
        if (!months[a].solstice) continue;
        size_t b = a + 1;
        while (b < months.size() && !months[b].solstice) ++b;
        if (b == months.size()) break;
        ASSERT_TRUE(b - a == 12 || b - a == 13) << lunar(months[a].name);
        bool leapSeen = b - a == 12;
        int32_t number = 11;
        for (size_t i = a; i < b; ++i) {
            const bool leap = i > a && !leapSeen && !months[i].principal;
            leapSeen = leapSeen || leap;
            if (i > a && !leap) number = number % 12 + 1;
            EXPECT_EQ(std::to_string(months[i].name.month) + months[i].name.leap,
                      std::to_string(number) + (leap ? 'Y' : 'N'))
                << lunar(months[i].name);
        }
        ++cycles;
    }
    EXPECT_EQ(cycles, 2100 - 1873);
}

TEST(History, AnchorsAndImpossibleArguments) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    auto ymd = [](const CalendarDate& c) { return text(Ymd{c.year, c.month, c.day}); };
    // The switch of 1582 both ways, and fields that run on.
    EXPECT_EQ(ymd(jul2ad(at(Ymd{1582, 10, 4}))), "1582-10-14");
    EXPECT_EQ(ymd(ad2jul(at(Ymd{1582, 10, 15}))), "1582-10-5");
    EXPECT_EQ(ymd(ad2jul(at(Ymd{2000, 3, 0}))), "2000-2-16");
    EXPECT_EQ(ymd(jul2ad(at(Ymd{1900, 2, 29}))), "1900-3-13");
    // Up to the bound and back; beyond it nothing.
    EXPECT_EQ(ymd(ad2jul(at(Ymd{1000000, 12, 31}))), "999980-6-21");
    EXPECT_EQ(ymd(jul2ad(at(Ymd{999980, 6, 21}))), "1000000-12-31");
    EXPECT_EQ(ymd(ad2jul(at(Ymd{-1000000, 1, 1}))), "-999980-7-16");
    EXPECT_EQ(ymd(jul2ad(at(Ymd{-999980, 7, 16}))), "-1000000-1-1");
    for (const CalendarDate& c :
         {at(Ymd{1000001, 1, 1}), at(Ymd{-1000000, 1, 0}), at(Ymd{INT_MAX, INT_MAX, INT_MAX}),
          at(Ymd{INT_MIN, INT_MIN, INT_MIN}), at(Ymd{0, INT_MAX, 1}), at(Ymd{2000, 1, INT_MIN})}) {
        EXPECT_EQ(ymd(ad2jul(c)), "-999--999--999");
    }
    for (const CalendarDate& c : {at(Ymd{999980, 6, 22}), at(Ymd{-999980, 7, 15}),
                                  at(Ymd{INT_MAX, 1, 1}), at(Ymd{2000, INT_MIN, 1})}) {
        EXPECT_EQ(ymd(jul2ad(c)), "-999--999--999");
    }

    // The two ends of the span, 明治5年12月2日, and a clock that is not read.
    EXPECT_EQ(lunar(adto9rekH(at(Ymd{445, 1, 25}))), "445-1N1");
    EXPECT_EQ(lunar(adto9rekH(at(Ymd{1872, 12, 31}, kNaN, kNaN))), "1872-12N2");
    EXPECT_EQ(lunar(adto9rekH(at(Ymd{1872, 13, 1}))), "1872-12N3");
    EXPECT_EQ(lunar(adto9rekH(at(Ymd{2100, 12, 30}))), "2100-11N30");
    EXPECT_EQ(kyu2days(2100, 11, 'N'), 30);
    EXPECT_EQ(ymd(kyu2ad(LunisolarDate{'N', 445, 1, 1, kNaN})), "445-1-25");
    for (const CalendarDate& c :
         {at(Ymd{445, 1, 24}), at(Ymd{2100, 12, 31}), at(Ymd{INT_MIN, 1, 1}),
          at(Ymd{2000, INT_MAX, INT_MIN}), at(Ymd{INT_MAX, INT_MAX, INT_MAX})}) {
        const LunisolarDate l = adto9rekH(c);
        EXPECT_EQ(lunar(l), "-999--999N-999");
        EXPECT_EQ(l.longitude, 135.0);
        EXPECT_EQ(ad2gengo(c, VRN_NORTH), c.day == 31 && c.year == 2100 ? 274 : -999);
        EXPECT_EQ(ad2gennen(c, VRN_SOUTH), c.day == 31 && c.year == 2100 ? 82 : -999);
    }

    // Months and days the calendar lacks: 2017 had a leap 5, 2018 none.
    EXPECT_EQ(kyu2days(2017, 5, 'Y'), 29);
    struct NoDay {
        char leap;
        int32_t year, month, day;
    };
    for (const NoDay& n :
         {NoDay{'Y', 2018, 5, 1}, NoDay{'N', 1872, 12, 3}, NoDay{'N', 2100, 12, 1},
          NoDay{'N', 444, 12, 1}, NoDay{'N', 2101, 1, 1}, NoDay{'N', 2000, 0, 1},
          NoDay{'N', 2000, 13, 1}, NoDay{'y', 2017, 5, 1}, NoDay{'\0', 2000, 1, 1},
          NoDay{'N', 2000, 1, 0}, NoDay{'N', 2000, 1, 31}, NoDay{'N', INT_MIN, INT_MIN, INT_MIN},
          NoDay{'N', INT_MAX, 12, INT_MAX}}) {
        const CalendarDate c = kyu2ad(LunisolarDate{n.leap, n.year, n.month, n.day, 135.0});
        EXPECT_EQ(ymd(c), "-999--999--999") << n.year << "-" << n.month << n.leap << n.day;
        EXPECT_EQ(c.hour + c.minute + c.second, 0.0);
        EXPECT_EQ(c.longitude, 135.0);
        if (n.day != 1) continue;
        EXPECT_EQ(kyu2days(n.year, n.month, n.leap), n.year == 1872 ? 2 : 0);
    }

    // Eras: the courts, the years of the examples, numbers outside the table.
    EXPECT_EQ(ad2gennen(at(Ymd{1333, 7, 15}), VRN_NORTH), 3);  // the northern 元弘 restated
    EXPECT_EQ(ad2gennen(at(Ymd{445, 1, 25}), VRN_SOUTH), 34);  // 允恭天皇
    EXPECT_EQ(ad2gennen(at(Ymd{1873, 1, 1}), VRN_NORTH), 6);
    EXPECT_EQ(ad2gennen(at(Ymd{2026, 12, 9}), VRN_SOUTH), 8);
    EXPECT_EQ(gen2last(232), 20);
    for (const int32_t court : {-1, 2, 3, INT_MIN, INT_MAX}) {
        EXPECT_EQ(ad2gengo(at(Ymd{2000, 1, 1}), court), -999);
        EXPECT_EQ(ad2gennen(at(Ymd{2000, 1, 1}), court), -999);
    }
    for (const int32_t era : {-1, 275, INT_MIN, INT_MAX}) {
        EXPECT_EQ(gen2name(era), nullptr);
        EXPECT_EQ(gen2first(era) + gen2last(era) + gen2line(era), -3 * 999);
    }
}

}  // namespace
