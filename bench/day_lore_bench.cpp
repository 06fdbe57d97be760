// Nanoseconds for a day's whole lore (composeDayLore) over every day of
// 1870-2100 at 135 degrees east, beside two floors from the same run: the
// exports the lore calls, called one after another on the same days without
// building the record, and the date's own Julian day (ad2jd), the least any
// answer about a date costs. A summary after the table prints the ratios.
//
// The year lists of tenvo-term, run in-process through runTermCommand over
// the years 1870-2100 in turn, stand beside a year of lores (365 times the
// record): `--almanac --list YEAR` (every lore of the year) and
// `--list YEAR --mode MODE` in each mode (twelve month sheets), and
// `--lunisolar --list YEAR` over the years 445-2100 of the published calendar.
//
// A day's six events at a place (composeSunMoonTimes: the Sun's and the
// Moon's rise, transit and set at 東京) beside its lore, in one run; and
// `--sun --list YEAR` among the year lists.
//
// Reading an era date (EraTable::readDate, "天正10年6月2日" back to its day)
// over the era dates of days spread through 445-2100, beside the exports it
// asks for those days (kyu2days, kyu2ad and ad2gengo in both courts).
//
//   build/bench/day_lore_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "annotations.h"
#include "civil_days.h"
#include "day_lore.h"
#include "library_binding_linked.h"
#include "sun_moon_times.h"
#include "term_command.h"
#include "wareki.h"

namespace {

struct Day {
    int32_t year, month, day;
};

const std::vector<Day>& everyDay() {
    static const std::vector<Day> days = [] {
        std::vector<Day> out;
        for (int32_t y = tenvo::kLoreFirstYear; y <= tenvo::kLoreLastYear; ++y) {
            for (int32_t m = 1; m <= 12; ++m) {
                for (int32_t d = 1; d <= tenvo::daysInMonth(y, m); ++d) out.push_back({y, m, d});
            }
        }
        return out;
    }();
    return days;
}

// The years' shared parts, made once as a walk over a year makes them.
const std::vector<tenvo::LoreYear>& everyYear() {
    static const std::vector<tenvo::LoreYear> years = [] {
        std::vector<tenvo::LoreYear> out;
        for (int32_t y = tenvo::kLoreFirstYear; y <= tenvo::kLoreLastYear; ++y) {
            out.push_back(tenvo::loreYear(y));
        }
        return out;
    }();
    return years;
}

const tenvo::LoreYear& yearOf(const Day& d) {
    return everyYear()[static_cast<std::size_t>(d.year - tenvo::kLoreFirstYear)];
}

void BM_DayLore(benchmark::State& state) {
    const tenvo::LibraryBinding library = tenvo::linkedLibraryBinding();
    const auto& days = everyDay();
    std::size_t i = 0;
    for (auto _ : state) {
        const Day& d = days[i];
        benchmark::DoNotOptimize(tenvo::composeDayLore(library, yearOf(d), d.month, d.day));
        i = i + 1 == days.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_DayLore);

// The lore with its seasonal items and the six events of the same day, as
// tenvo-term --day asks for them; then the six events alone.
void BM_DayLoreWithTimes(benchmark::State& state) {
    const tenvo::LibraryBinding library = tenvo::linkedLibraryBinding();
    const auto& days = everyDay();
    std::size_t i = 0;
    for (auto _ : state) {
        const Day& d = days[i];
        tenvo::DayLore lore = tenvo::composeDayLore(library, yearOf(d), d.month, d.day);
        tenvo::addSeasonalLore(library, lore);
        benchmark::DoNotOptimize(lore);
        benchmark::DoNotOptimize(
            tenvo::composeSunMoonTimes(library, tenvo::kDefaultPlace, {d.year, d.month, d.day}));
        // Steps of 97 days reach every season and phase of the Moon soon.
        i = (i + 97) % days.size();
    }
}
BENCHMARK(BM_DayLoreWithTimes);

void BM_SunMoonTimes(benchmark::State& state) {
    const tenvo::LibraryBinding library = tenvo::linkedLibraryBinding();
    const auto& days = everyDay();
    std::size_t i = 0;
    for (auto _ : state) {
        const Day& d = days[i];
        benchmark::DoNotOptimize(
            tenvo::composeSunMoonTimes(library, tenvo::kDefaultPlace, {d.year, d.month, d.day}));
        i = (i + 97) % days.size();
    }
}
BENCHMARK(BM_SunMoonTimes);

// The floor of the record: every export it asks, and the holiday by law
// looked up in the year's list.
void BM_LoreExportsAlone(benchmark::State& state) {
    const auto& days = everyDay();
    std::size_t i = 0;
    for (auto _ : state) {
        const Day& d = days[i];
        const CalendarDate date{d.year, d.month, d.day, 0.0, 0.0, 0.0, 135.0};
        benchmark::DoNotOptimize(adto9rekL(date));
        benchmark::DoNotOptimize(adto27L(date));
        benchmark::DoNotOptimize(ad2neto(date));
        benchmark::DoNotOptimize(ad2teto(date));
        benchmark::DoNotOptimize(ad2heto(date));
        benchmark::DoNotOptimize(ad2nkyusei(date));
        benchmark::DoNotOptimize(ad2tkyusei(date));
        benchmark::DoNotOptimize(ad2hkyusei(date));
        benchmark::DoNotOptimize(adto28(date));
        benchmark::DoNotOptimize(tenvo::findLawHoliday(yearOf(d).holidays, d.month, d.day));
        benchmark::DoNotOptimize(ad2sekki(date));
        benchmark::DoNotOptimize(ad2rekicyu(date));
        benchmark::DoNotOptimize(ad2getrei(date));
        benchmark::DoNotOptimize(ad2cyoku(date));
        benchmark::DoNotOptimize(ad2gedan(date));
        i = i + 1 == days.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_LoreExportsAlone);

// The part of that floor the 直 and the lower row take, alone.
void BM_RowExportsAlone(benchmark::State& state) {
    const auto& days = everyDay();
    std::size_t i = 0;
    for (auto _ : state) {
        const Day& d = days[i];
        const CalendarDate date{d.year, d.month, d.day, 0.0, 0.0, 0.0, 135.0};
        benchmark::DoNotOptimize(ad2cyoku(date));
        benchmark::DoNotOptimize(ad2gedan(date));
        i = i + 1 == days.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_RowExportsAlone);

void BM_JulianDayFloor(benchmark::State& state) {
    const auto& days = everyDay();
    std::size_t i = 0;
    for (auto _ : state) {
        const Day& d = days[i];
        benchmark::DoNotOptimize(ad2jd(CalendarDate{d.year, d.month, d.day, 0.0, 0.0, 0.0, 135.0}));
        i = i + 1 == days.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_JulianDayFloor);

// An era date of every 97th day of the published calendar, with the
// lunisolar date it names.
struct EraDay {
    std::string text;
    LunisolarDate lunar;
    CalendarDate gregorian;
};
const std::vector<EraDay>& eraDays() {
    static const std::vector<EraDay> days = [] {
        const tenvo::LibraryBinding library = tenvo::linkedLibraryBinding();
        const tenvo::EraTable eras(library);
        std::vector<EraDay> out;
        int32_t step = 0;
        for (int32_t y = tenvo::kHistoryFirstDay.year; y <= tenvo::kLoreLastYear; ++y) {
            for (int32_t m = 1; m <= 12; ++m) {
                for (int32_t d = 1; d <= tenvo::daysInMonth(y, m); ++d) {
                    if (++step % 97 != 0 || !tenvo::isHistoryDay({y, m, d})) continue;
                    const CalendarDate date{y, m, d, 0.0, 0.0, 0.0, 135.0};
                    const tenvo::DayWareki w = tenvo::warekiOfDay(library, {y, m, d});
                    out.push_back({eras.warekiTextUtf8(w.south), adto9rekH(date), date});
                }
            }
        }
        return out;
    }();
    return days;
}

void BM_ReadEraDate(benchmark::State& state) {
    const tenvo::EraTable eras(tenvo::linkedLibraryBinding());
    const auto& days = eraDays();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(eras.readDate(days[i].text, tenvo::IsoCalendar::Gregorian));
        i = i + 1 == days.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_ReadEraDate);

// Its floor: the exports the reading asks about the same days.
void BM_ReadEraDateExportsAlone(benchmark::State& state) {
    const auto& days = eraDays();
    std::size_t i = 0;
    for (auto _ : state) {
        const EraDay& d = days[i];
        benchmark::DoNotOptimize(kyu2days(d.lunar.year, d.lunar.month, d.lunar.leap));
        benchmark::DoNotOptimize(kyu2ad(d.lunar));
        benchmark::DoNotOptimize(ad2gengo(d.gregorian, VRN_SOUTH));
        benchmark::DoNotOptimize(ad2gengo(d.gregorian, VRN_NORTH));
        i = i + 1 == days.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_ReadEraDateExportsAlone);

// tenvo-term with `arguments` and the year in place of "YEAR", the years
// from `firstYear` to 2100 in turn; the output's size is counted so that
// nothing is left unused.
void runYearLists(benchmark::State& state, std::vector<std::string> arguments, int32_t firstYear) {
    const tenvo::TermContext context;
    int32_t year = firstYear;
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::vector<std::string> words{"tenvo-term"};
        for (const std::string& a : arguments)
            words.push_back(a == "YEAR" ? std::to_string(year) : a);
        std::vector<const char*> argv;
        for (const std::string& w : words) argv.push_back(w.c_str());
        std::string out, err;
        const int status =
            tenvo::runTermCommand(static_cast<int>(argv.size()), argv.data(), context, out, err);
        if (status != tenvo::kTermSuccess) {
            state.SkipWithError(err.c_str());
            break;
        }
        bytes += out.size();
        benchmark::DoNotOptimize(bytes);
        year = year == tenvo::kLoreLastYear ? firstYear : year + 1;
    }
}
// The almanac list and the list of every mode, registered from main().
void registerYearLists() {
    benchmark::RegisterBenchmark("runYearLists/almanac", runYearLists,
                                 std::vector<std::string>{"--almanac", "--list", "YEAR"},
                                 tenvo::kLoreFirstYear)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("runYearLists/sun", runYearLists,
                                 std::vector<std::string>{"--sun", "--list", "YEAR"},
                                 tenvo::kLoreFirstYear)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("runYearLists/lunisolar", runYearLists,
                                 std::vector<std::string>{"--lunisolar", "--list", "YEAR"},
                                 tenvo::kHistoryFirstDay.year)
        ->Unit(benchmark::kMicrosecond);
    for (const char* mode :
         {"rokuyo", "kyusei", "27", "28", "kanshi", "sekki", "almanac", "choku"}) {
        benchmark::RegisterBenchmark(
            (std::string("runYearLists/mode ") + mode).c_str(), runYearLists,
            std::vector<std::string>{"--list", "YEAR", "--mode", mode}, tenvo::kLoreFirstYear)
            ->Unit(benchmark::kMicrosecond);
    }
}

// Collects each benchmark's CPU time per iteration for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const double ns = run.GetAdjustedCPUTime();
            if (run.benchmark_name() == "BM_DayLore") lore_ = ns;
            if (run.benchmark_name() == "BM_DayLoreWithTimes") withTimes_ = ns;
            if (run.benchmark_name() == "BM_SunMoonTimes") times_ = ns;
            if (run.benchmark_name() == "BM_LoreExportsAlone") exports_ = ns;
            if (run.benchmark_name() == "BM_JulianDayFloor") julian_ = ns;
            if (run.benchmark_name() == "BM_RowExportsAlone") rows_ = ns;
            if (run.benchmark_name() == "BM_ReadEraDate") reading_ = ns;
            if (run.benchmark_name() == "BM_ReadEraDateExportsAlone") readingExports_ = ns;
            // The year lists are reported in microseconds.
            if (run.benchmark_name().starts_with("runYearLists/")) {
                lists_.push_back({run.benchmark_name().substr(13), ns * 1000.0});
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void summary() const {
        if (lore_ <= 0.0 || exports_ <= 0.0 || julian_ <= 0.0) return;
        std::printf(
            "\nday's lore %.1f ns: %.2f x its exports alone (%.1f ns), %.1f x ad2jd (%.1f ns)\n",
            lore_, lore_ / exports_, exports_, lore_ / julian_, julian_);
        if (withTimes_ > 0.0 && times_ > 0.0) {
            std::printf(
                "day's lore, its seasonal items and six events %.1f ns: %.2f x the lore alone; "
                "the six events alone %.1f ns, %.1f x the lore\n",
                withTimes_, withTimes_ / lore_, times_, times_ / lore_);
        }
        if (rows_ > 0.0) {
            std::printf("the 直 and the lower row alone %.1f ns: %.2f of the exports\n", rows_,
                        rows_ / exports_);
        }
        if (reading_ > 0.0 && readingExports_ > 0.0) {
            std::printf("reading an era date %.1f ns: %.2f x its exports alone (%.1f ns)\n",
                        reading_, reading_ / readingExports_, readingExports_);
        }
        // A year's list beside a year of lores (365 records).
        for (const auto& [name, ns] : lists_) {
            std::printf("year list %-13s %8.1f us: %.2f x 365 lores (%.1f us)\n", name.c_str(),
                        ns / 1000.0, ns / (365.0 * lore_), 365.0 * lore_ / 1000.0);
        }
    }

  private:
    double lore_ = 0.0, exports_ = 0.0, julian_ = 0.0, rows_ = 0.0, withTimes_ = 0.0, times_ = 0.0;
    double reading_ = 0.0, readingExports_ = 0.0;
    std::vector<std::pair<std::string, double>> lists_;  // name, ns per year
};

// Every day once; the sum of some fields keeps the records from being
// optimised away and tells two builds apart if their records differ.
int walkOnce() {
    const tenvo::LibraryBinding library = tenvo::linkedLibraryBinding();
    int64_t sum = 0;
    for (const Day& d : everyDay()) {
        const tenvo::DayLore lore = tenvo::composeDayLore(library, yearOf(d), d.month, d.day);
        sum += lore.items + lore.dayPair + lore.dayStar + lore.mansion27 + lore.mansion28 +
               lore.lunisolar.day + lore.moonAge + lore.solarTerm + lore.choku + lore.lowerRow;
    }
    std::printf("%zu days composed, checksum %lld\n", everyDay().size(),
                static_cast<long long>(sum));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--walk-once") == 0) {
        // The years' holiday lists and the days are made before the walk.
        everyYear();
        return walkOnce();
    }
    benchmark::Initialize(&argc, argv);
    registerYearLists();
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.summary();
    benchmark::Shutdown();
    return 0;
}
