// The times of the Sun and the Moon, the pentads, 納音, 恵方 and the
// observances of the lunisolar year in the terminal view and the lore:
// published figures through --sun --list and --day, the bad places, and
// one walk over every year for the observances.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app_test_support.h"
#include "civil_days.h"
#include "day_lore.h"
#include "sun_moon_times.h"
#include "term_command.h"
#include "term_run.h"

namespace {

using apptest::Answer;

Answer command(std::vector<const char*> arguments) {
    return apptest::command(std::move(arguments), apptest::onTestDay());
}

// The list's line of one day split at the tabs: date, then the six times.
std::vector<std::string> fieldsOn(const std::string& list, const std::string& date) {
    std::vector<std::string> fields;
    const std::size_t start = list.find(date + "\t");
    if (start == std::string::npos) return fields;
    const std::string line = list.substr(start, list.find('\n', start) - start);
    for (std::size_t from = 0, tab;; from = tab + 1) {
        tab = line.find('\t', from);
        fields.push_back(line.substr(from, tab - from));
        if (tab == std::string::npos) return fields;
    }
}

// The places the observatory's own tables are computed for (those of
// tests/lib/rise_set_test.cpp, where the sources are named): the former
// Tokyo Observatory at Azabu and whole-minute points of Sapporo and Naha.
constexpr const char* kTokyo = "35.657694,139.741464";
constexpr const char* kSapporo = "43.066667,141.35";
constexpr const char* kNaha = "26.2,127.666667";

struct PublishedTimes {
    const char* place;
    const char* date;
    int column;  // 1 日の出, 3 日の入, 4 月の出, 6 月の入
    const char* time;
};

const PublishedTimes kPublished[] = {
    {kSapporo, "2009-03-20", 1, "05:38"},
    {kSapporo, "2009-03-20", 3, "17:47"},
    {kSapporo, "2009-06-21", 1, "03:55"},
    {kSapporo, "2009-06-21", 3, "19:18"},
    {kSapporo, "2009-09-23", 1, "05:22"},
    {kSapporo, "2009-09-23", 3, "17:31"},
    {kSapporo, "2009-12-21", 1, "07:03"},
    {kSapporo, "2009-12-21", 3, "16:03"},
    {kTokyo, "2009-03-20", 1, "05:45"},
    {kTokyo, "2009-03-20", 3, "17:53"},
    {kTokyo, "2009-06-21", 1, "04:25"},
    {kTokyo, "2009-06-21", 3, "19:00"},
    {kTokyo, "2009-09-23", 1, "05:29"},
    {kTokyo, "2009-09-23", 3, "17:37"},
    {kTokyo, "2009-12-21", 1, "06:47"},
    {kTokyo, "2009-12-21", 3, "16:31"},
    {kNaha, "2009-06-21", 1, "05:38"},
    {kNaha, "2009-06-21", 3, "19:25"},
    {kNaha, "2009-12-21", 1, "07:12"},
    {kNaha, "2009-12-21", 3, "17:42"},
    // The Moon by its centre; no moonrise on 2006-01-22, and the rise of
    // the 23rd just after midnight belongs to the 23rd.
    {kTokyo, "2023-09-29", 4, "17:32"},
    {kTokyo, "2023-09-29", 6, "04:54"},
    {kTokyo, "2023-09-30", 6, "06:06"},
    {kTokyo, "2006-01-21", 4, "23:16"},
    {kTokyo, "2006-01-21", 6, "10:09"},
    {kTokyo, "2006-01-22", 4, "--:--"},
    {kTokyo, "2006-01-22", 6, "10:33"},
    {kTokyo, "2006-01-23", 4, "00:16"},
    {kTokyo, "2006-01-23", 6, "11:00"},
};

TEST(SunMoonTerm, ListGivesThePublishedTimes) {
    std::map<std::string, std::string> lists;  // "place year" -> the list
    for (const PublishedTimes& p : kPublished) {
        const std::string year = std::string(p.date).substr(0, 4);
        std::string& list = lists[std::string(p.place) + " " + year];
        if (list.empty()) {
            const Answer a = command({"--sun", "--list", year.c_str(), "--place", p.place});
            ASSERT_EQ(a.status, 0) << a.err;
            list = a.out;
            // One line a day, the date and six times.
            const int32_t y = std::stoi(year);
            EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), tenvo::isLeapYear(y) ? 366 : 365);
            EXPECT_EQ(std::count(list.begin(), list.end(), '\t'),
                      6 * (tenvo::isLeapYear(y) ? 366 : 365));
        }
        const std::vector<std::string> fields = fieldsOn(list, p.date);
        ASSERT_EQ(fields.size(), 7u) << p.date;
        EXPECT_EQ(fields[static_cast<std::size_t>(p.column)], p.time)
            << p.place << " " << p.date << " column " << p.column;
    }
    // A place by name is the prefectural office's, and 東京 the default.
    EXPECT_EQ(command({"--sun", "--list", "2026"}).out,
              command({"--sun", "--list", "2026", "--place", "東京"}).out);
    EXPECT_NE(command({"--sun", "--list", "2026", "--place", "那覇"}).out,
              command({"--sun", "--list", "2026", "--place", "札幌"}).out);
}

TEST(SunMoonTerm, BadPlacesAndYearsAreRefused) {
    const struct {
        std::vector<const char*> arguments;
        const char* says;
    } kBad[] = {
        {{"--sun", "--list", "2026", "--place", "90.5,139"}, "latitude must lie from -90 to 90"},
        {{"--sun", "--list", "2026", "--place", "-91,139"}, "latitude must lie from -90 to 90"},
        {{"--sun", "--list", "2026", "--place", "35,180.01"},
         "longitude must lie from -180 to 180"},
        {{"--day", "2026-02-03", "--place", "35,-200"}, "longitude must lie from -180 to 180"},
        {{"--sun", "--list", "2026", "--place", "横須賀"}, "the capitals are: 札幌 青森"},
        {{"--sun", "--list", "2026", "--place", "35,"}, "two decimal numbers"},
        {{"--sun", "--list", "2026", "--place", "north,east"}, "two decimal numbers"},
        {{"--sun", "--list", "2026", "--place", "nan,139"}, "two decimal numbers"},
        {{"--sun", "--list", "1869"}, "1870 to 2100"},
        {{"--sun", "--list", "2101"}, "1870 to 2100"},
        {{"--sun", "2026"}, "--sun goes with --list YEAR"},
        {{"--sun", "--list", "2026", "--almanac"}, "--sun goes with --list YEAR"},
        {{"--list", "2026", "--mode", "choku", "--place", "東京"}, "--place goes with"},
        {{"--day", "2026-02-03", "--no-seasons"}, "--no-seasons goes with --almanac"},
    };
    for (const auto& bad : kBad) {
        const Answer a = command(bad.arguments);
        EXPECT_EQ(a.status, 2) << bad.says;
        EXPECT_EQ(a.out, "") << bad.says;
        EXPECT_NE(a.err.find(bad.says), std::string::npos) << a.err;
        EXPECT_EQ(std::count(a.err.begin(), a.err.end(), '\n'), 1) << a.err;
    }
}

// The seasonal and time lines of one day, end to end: 2009-12-21 at the
// observatory's Tokyo (the published sunrise and sunset), in the third
// pentad of 大雪, a 己丑 year (納音 霹靂火, 恵方 of 甲 and 己); and 節分 2026,
// when the evening faces the 丙午 year's 恵方.
TEST(SunMoonTerm, DayShowsTheSeasonalLinesAndTheTimes) {
    const Answer a = command({"--day", "2009-12-21", "--place", kTokyo});
    ASSERT_EQ(a.status, 0) << a.err;
    for (const char* line :
         {"\n七十二候    けつ魚群（さけのうおむらがる）\n", "\n年の納音    霹靂火\n",
          "\n恵方        寅卯の間（東北東やや東、75度）\n", "\n日の出      06:47\n",
          "\n日の入      16:31\n"}) {
        EXPECT_NE(a.out.find(line), std::string::npos) << line << a.out;
    }
    // The six times close the view, in their order.
    const std::size_t rise = a.out.find("\n日の出 ");
    ASSERT_NE(rise, std::string::npos);
    std::string labels;
    for (std::size_t at = rise + 1; at < a.out.size(); at = a.out.find('\n', at) + 1) {
        labels += a.out.substr(at, a.out.find(' ', at) - at) + " ";
    }
    EXPECT_EQ(labels, "日の出 南中 日の入 月の出 月の南中 月の入 ");

    const std::string setsubun = command({"--day", "2026-02-03"}).out;
    EXPECT_NE(setsubun.find("\n恵方        巳午の間（南南東やや南、165度、立春からの年）\n"),
              std::string::npos)
        << setsubun;
    EXPECT_NE(setsubun.find("\n七十二候    鶏始乳（にわとりはじめてとやにつく）\n"),
              std::string::npos);
    // Its first day is marked; 立春 begins the next pentad and the 丙午 year.
    const std::string risshun = command({"--day", "2026-02-04"}).out;
    EXPECT_NE(risshun.find("\n七十二候    東風解凍（はるかぜこおりをとく）この日から\n"),
              std::string::npos)
        << risshun;
    EXPECT_NE(risshun.find("\n年の納音    天河水\n"), std::string::npos);
    // A day without a moonrise says so.
    EXPECT_NE(command({"--day", "2006-01-22", "--place", kTokyo}).out.find("\n月の出      なし\n"),
              std::string::npos);
    // Before 1870 the theory gives none of these lines.
    const std::string early = command({"--day", "1850-06-01"}).out;
    EXPECT_EQ(early.find("日の出"), std::string::npos);
    EXPECT_EQ(early.find("七十二候"), std::string::npos);
    // The program's tooltips keep the lore's classic lines, and the lore
    // as the views compose it holds none of the seasonal fields.
    tenvo::DayLore plain = tenvo::composeDayLore(apptest::library(), 2026, 2, 3);
    EXPECT_EQ(plain.pentad, -1);
    tenvo::addSeasonalLore(apptest::library(), plain);
    for (const tenvo::LoreLine& line :
         tenvo::dayLoreLines(plain, apptest::library(), tenvo::TextEncoding::Utf8)) {
        EXPECT_NE(line.label, "七十二候");
        EXPECT_NE(line.label, "恵方");
    }
}

// Published dates: 伝統的七夕 (the observatory, nao.ac.jp/astro/sky/2025/
// 08-topics06.html for 2025; astroarts.co.jp/article/hl/a/13804_ph250829
// lists 2018..2025; world-wide-news.com/?p=671 gives 2026), 中秋の名月 and
// the day of the full moon (the observatory through machida.schoolweb.ne.jp
// /1320103/weblog/15203478 for 2024, its 十三夜 too; resemom.jp 2025-09-24
// for 2025; both: the next name-day on the full moon's day is in 2030,
// mig-sys.jp gives 2030-09-12).
TEST(SunMoonTerm, ObservancesOnThePublishedDays) {
    const struct {
        const char* date;
        const char* name;
    } kPublishedDays[] = {
        {"2018-08-17", "伝統的七夕"}, {"2019-08-07", "伝統的七夕"}, {"2020-08-25", "伝統的七夕"},
        {"2021-08-14", "伝統的七夕"}, {"2022-08-04", "伝統的七夕"}, {"2023-08-22", "伝統的七夕"},
        {"2024-08-10", "伝統的七夕"}, {"2025-08-29", "伝統的七夕"}, {"2026-08-19", "伝統的七夕"},
        {"2024-09-17", "中秋の名月"}, {"2025-10-06", "中秋の名月"}, {"2030-09-12", "中秋の名月"},
        {"2024-10-15", "十三夜"},
    };
    for (const auto& p : kPublishedDays) {
        const std::string year = std::string(p.date).substr(0, 4);
        const std::string list = command({"--almanac", "--list", year.c_str()}).out;
        EXPECT_NE(list.find(std::string(p.date) + "\t" + p.name + "\n"), std::string::npos)
            << p.date << " " << p.name;
        EXPECT_EQ(list.find(std::string("\t") + p.name + "\n"),
                  list.find(std::string(p.date) + "\t" + p.name + "\n") + 10)
            << "once a year: " << p.name << " " << year;
    }
    const auto fullMoonOf = [](int y, int m, int d) {
        tenvo::DayLore lore = tenvo::composeDayLore(apptest::library(), y, m, d);
        tenvo::addSeasonalLore(apptest::library(), lore);
        return lore.fullMoon;
    };
    EXPECT_EQ(fullMoonOf(2024, 9, 17), (tenvo::CivilDate{2024, 9, 18}));
    EXPECT_EQ(fullMoonOf(2025, 10, 6), (tenvo::CivilDate{2025, 10, 7}));
    EXPECT_EQ(fullMoonOf(2030, 9, 12), (tenvo::CivilDate{}));
    EXPECT_NE(
        command({"--day", "2025-10-06"}).out.find("\n行事        中秋の名月（満月10月7日）\n"),
        std::string::npos);
    // The feed carries them as single days.
    const std::string feed = command({"--ics", "2025", "--almanac"}).out;
    EXPECT_NE(feed.find("SUMMARY:伝統的七夕"), std::string::npos);
    EXPECT_NE(feed.find("SUMMARY:東風解凍"), std::string::npos);
    EXPECT_EQ(command({"--ics", "2025", "--almanac", "--no-seasons"}).out.find("伝統的七夕"),
              std::string::npos);
}

// Every year 1870..2100 holds each observance once, 伝統的七夕 in its window
// and, from 2001 (since when the observatory names it), where the published
// months put 七夕 or within a day of it; 中秋の名月 names a full moon on
// another day exactly when it has no 満月 of its own, within two days;
// the pentads begin one after another, 71 to 73 of them in a year.
TEST(SunMoonTerm, EveryYearHoldsEachObservanceOnce) {
    int32_t last = -1;
    for (int32_t year = tenvo::kLoreFirstYear; year <= tenvo::kLoreLastYear; ++year) {
        const tenvo::LoreYear shared = tenvo::loreYear(year);
        int counts[tenvo::kObservanceCount] = {};
        int pentadsBegun = 0, tanabata = 0, traditional = 0;
        for (int32_t m = 1; m <= 12; ++m) {
            for (int32_t d = 1; d <= tenvo::daysInMonth(year, m); ++d) {
                tenvo::DayLore lore = tenvo::composeDayLore(apptest::library(), shared, m, d);
                tenvo::addSeasonalLore(apptest::library(), lore);
                const int32_t days = tenvo::daysFromCivil(year, m, d);
                for (int n = 0; n < tenvo::kObservanceCount; ++n)
                    counts[n] += hasObservance(lore, n);
                if (hasObservance(lore, tenvo::kTanabata)) tanabata = days;
                if (hasObservance(lore, tenvo::kDentoTanabata)) {
                    traditional = days;
                    EXPECT_TRUE((m == 7 && d >= 30) || (m == 8 && d <= 30)) << year;
                }
                if (hasObservance(lore, tenvo::kChushu)) {
                    const bool full = hasItem(lore, VRN_MANGETSU);
                    EXPECT_EQ(lore.fullMoon.year == 0, full) << year;
                    if (!full) {
                        const int32_t gap =
                            tenvo::daysFromCivil(lore.fullMoon.year, lore.fullMoon.month,
                                                 lore.fullMoon.day) -
                            days;
                        EXPECT_TRUE(gap != 0 && gap >= -2 && gap <= 2) << year << " " << gap;
                    }
                }
                if (lore.pentadBegins) {
                    if (last >= 0) {
                        EXPECT_EQ(lore.pentad, (last + 1) % 72) << year << "-" << m;
                    }
                    last = lore.pentad;
                    ++pentadsBegun;
                }
            }
        }
        for (int n = 0; n < tenvo::kObservanceCount; ++n) {
            EXPECT_EQ(counts[n], 1) << year << " " << n;
        }
        EXPECT_GE(pentadsBegun, 71) << year;
        EXPECT_LE(pentadsBegun, 73) << year;
        if (year >= 2001) {
            EXPECT_LE(std::abs(traditional - tanabata), 1) << year;
        }
    }
}

}  // namespace
