// Nanoseconds per call of each export family, each beside its floor measured
// in the same run: what the export cannot avoid, the Sun and Moon
// evaluations of a live rule, or, where the answer is a stored table's, the
// date's own Julian day and a read of that table.
// After the usual Google Benchmark table a summary prints every figure with
// its floor and their ratio.
//
//   build/bench/calendar_bench [--benchmark_filter=...]

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "tables/lunar_months.h"
#include "tables/solar_term_days.h"
#include "vorane2.h"
#ifdef HAVE_MONTH_SHEET
#include "library_binding_linked.h"
#include "month_sheet.h"
#endif

namespace {

CalendarDate dateOf(int32_t y, int32_t m, int32_t d) {
    return CalendarDate{y, m, d, 0.0, 0.0, 0.0, 135.0};
}

// Every day from 1870-02-01 to 2020-12-14, the span of the lunisolar date.
const std::vector<CalendarDate>& lunisolarSpan() {
    static const std::vector<CalendarDate> days = [] {
        std::vector<CalendarDate> out;
        const double first = ad2jd(dateOf(1870, 2, 1));
        const double last = ad2jd(dateOf(2020, 12, 14));
        for (double jd = first; jd <= last; jd += 1.0) {
            CalendarDate d = jd2ad(jd, 135.0);
            d.hour = d.minute = d.second = 0.0;
            out.push_back(d);
        }
        return out;
    }();
    return days;
}

// Julian days spread over the same span, for the single-evaluation floors.
const std::vector<double>& spanInstants() {
    static const std::vector<double> jds = [] {
        std::vector<double> out;
        for (const CalendarDate& d : lunisolarSpan()) out.push_back(ad2jd(d));
        return out;
    }();
    return jds;
}

template <typename Fn>
void perDay(benchmark::State& state, Fn fn) {
    const auto& days = lunisolarSpan();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fn(days[i]));
        if (++i == days.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

// Floors: n evaluations of a longitude at instants of the span.
template <int N>
void BM_floor_jd2sok(benchmark::State& state) {
    const auto& jds = spanInstants();
    std::size_t i = 0;
    for (auto _ : state) {
        for (int k = 0; k < N; ++k) benchmark::DoNotOptimize(jd2sok(jds[i] + 29.5 * k));
        if (++i == jds.size()) i = 0;
    }
}
BENCHMARK(BM_floor_jd2sok<1>)->Name("floor/jd2sok x1");
BENCHMARK(BM_floor_jd2sok<2>)->Name("floor/jd2sok x2");
BENCHMARK(BM_floor_jd2sok<3>)->Name("floor/jd2sok x3");

void BM_floor_jd2mok(benchmark::State& state) {
    const auto& jds = spanInstants();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(jd2mok(jds[i]));
        if (++i == jds.size()) i = 0;
    }
}
BENCHMARK(BM_floor_jd2mok)->Name("floor/jd2mok x1");

// Six day samples of both longitudes: what one date-kind new-moon search costs.
void BM_floor_sun_and_moon_x6(benchmark::State& state) {
    const auto& jds = spanInstants();
    std::size_t i = 0;
    for (auto _ : state) {
        for (int k = 0; k < 6; ++k) {
            benchmark::DoNotOptimize(jd2sok(jds[i] + 0.5 * k));
            benchmark::DoNotOptimize(jd2mok(jds[i] + 0.5 * k));
        }
        if (++i == jds.size()) i = 0;
    }
}
BENCHMARK(BM_floor_sun_and_moon_x6)->Name("floor/jd2sok+jd2mok x6");

// Floors of the tabled answers: turning the date into its Julian day, which
// every date export does once, and one read of a constant table, indexed by
// the day (a lunar month) or by the year (a term day).
void BM_floor_ad2jd(benchmark::State& state) {
    perDay(state, [](const CalendarDate& d) { return ad2jd(d); });
}
BENCHMARK(BM_floor_ad2jd)->Name("floor/ad2jd x1");

void BM_floor_ad2jd_table(benchmark::State& state) {
    namespace t = vorane2::tables;
    perDay(state, [](const CalendarDate& d) {
        const auto k = static_cast<std::size_t>(ad2jd(d) - t::kLunarMonthFirstDays.front()) / 30;
        return t::kLunarMonthNames[k].month;
    });
}
BENCHMARK(BM_floor_ad2jd_table)->Name("floor/ad2jd + table read");

void BM_floor_table(benchmark::State& state) {
    namespace t = vorane2::tables;
    perDay(state, [](const CalendarDate& d) {
        return t::kSolarTermDayTable[static_cast<std::size_t>(d.year - t::kSolarTermTableFirstYear)]
                                    [static_cast<std::size_t>(d.day % 24)];
    });
}
BENCHMARK(BM_floor_table)->Name("floor/table read");

void BM_dates(benchmark::State& state) {
    perDay(state, [](const CalendarDate& d) { return jd2ad(ad2jd(d), 135.0).day; });
}
BENCHMARK(BM_dates)->Name("dates/ad2jd+jd2ad");

void BM_weekday(benchmark::State& state) { perDay(state, ad2youbi); }
BENCHMARK(BM_weekday)->Name("dates/ad2youbi");

void BM_term(benchmark::State& state) {
    perDay(state, [](const CalendarDate& d) { return y2syunbn(d.year, 135.0); });
}
BENCHMARK(BM_term)->Name("solar_terms/y2syunbn");

// Any other meridian takes the live rule: Tokyo's own, for one.
void BM_term_rule(benchmark::State& state) {
    perDay(state, [](const CalendarDate& d) { return y2syunbn(d.year, 139.75); });
}
BENCHMARK(BM_term_rule)->Name("solar_terms/y2syunbn at 139.75 (rule)");

void BM_setu(benchmark::State& state) { perDay(state, ad2setu); }
BENCHMARK(BM_setu)->Name("solar_terms/ad2setu");

void BM_saku(benchmark::State& state) {
    perDay(state, [](const CalendarDate& d) { return ad2saku(d).day; });
}
BENCHMARK(BM_saku)->Name("new_moon_search/ad2saku");

void BM_duncan2(benchmark::State& state) {
    perDay(state, [](const CalendarDate& d) { return duncan2(d).day; });
}
BENCHMARK(BM_duncan2)->Name("new_moon_tables/duncan2");

// Every day of the span, in order: the figure behind the goal of at most
// 50 ns a day.
void BM_lunisolar(benchmark::State& state) {
    perDay(state, [](const CalendarDate& d) { return adto9rek(d).day; });
}
BENCHMARK(BM_lunisolar)->Name("lunisolar/adto9rek");

// The same days with the months numbered from the winter solstice.
void BM_lunisolar_solstice(benchmark::State& state) {
    perDay(state, [](const CalendarDate& d) { return adto9rekS(d).day; });
}
BENCHMARK(BM_lunisolar_solstice)->Name("lunisolar/adto9rekS");

void BM_heto(benchmark::State& state) { perDay(state, ad2heto); }
BENCHMARK(BM_heto)->Name("sexagenary/ad2heto");

void BM_teto(benchmark::State& state) { perDay(state, ad2teto); }
BENCHMARK(BM_teto)->Name("sexagenary/ad2teto");

void BM_rokuyo(benchmark::State& state) { perDay(state, ad26you); }
BENCHMARK(BM_rokuyo)->Name("six_day_mansions/ad26you");

void BM_mansion27(benchmark::State& state) { perDay(state, adto27); }
BENCHMARK(BM_mansion27)->Name("six_day_mansions/adto27");

void BM_mansion28(benchmark::State& state) { perDay(state, adto28); }
BENCHMARK(BM_mansion28)->Name("six_day_mansions/adto28");

void BM_day_star(benchmark::State& state) { perDay(state, ad2hkyusei); }
BENCHMARK(BM_day_star)->Name("nine_stars/ad2hkyusei");

void BM_day_star_rule(benchmark::State& state) {
    perDay(state, [](CalendarDate d) {
        d.longitude = 139.75;
        return ad2hkyusei(d);
    });
}
BENCHMARK(BM_day_star_rule)->Name("nine_stars/ad2hkyusei at 139.75 (rule)");

void BM_month_star(benchmark::State& state) { perDay(state, ad2tkyusei); }
BENCHMARK(BM_month_star)->Name("nine_stars/ad2tkyusei");

void BM_selected(benchmark::State& state) { perDay(state, tensyabi); }
BENCHMARK(BM_selected)->Name("selected_days/tensyabi");

void BM_fujyojyu(benchmark::State& state) { perDay(state, fujyojyu); }
BENCHMARK(BM_fujyojyu)->Name("selected_days/fujyojyu");

// The almanac: each day's item set, age and term from the stored instants
// (one year's row and a binary search over the Moon's phases).
void BM_almanac(benchmark::State& state) { perDay(state, ad2rekicyu); }
BENCHMARK(BM_almanac)->Name("almanac/ad2rekicyu");

void BM_almanac_solstice(benchmark::State& state) { perDay(state, ad2rekicyuS); }
BENCHMARK(BM_almanac_solstice)->Name("almanac/ad2rekicyuS");

void BM_almanac_other_meridian(benchmark::State& state) {
    perDay(state, [](CalendarDate d) {
        d.longitude = 139.75;
        return ad2rekicyu(d);
    });
}
BENCHMARK(BM_almanac_other_meridian)->Name("almanac/ad2rekicyu at 139.75");

void BM_moon_age(benchmark::State& state) { perDay(state, ad2getrei); }
BENCHMARK(BM_moon_age)->Name("almanac/ad2getrei");

void BM_term_of_day(benchmark::State& state) { perDay(state, ad2sekki); }
BENCHMARK(BM_term_of_day)->Name("almanac/ad2sekki");

// The 十二直 and the lower row: the day's solar month from the stored
// sectional terms and the day's pair; ad2gedan adds the lunisolar date for
// 凶会日.
void BM_choku(benchmark::State& state) { perDay(state, ad2cyoku); }
BENCHMARK(BM_choku)->Name("almanac/ad2cyoku");

void BM_lower_row(benchmark::State& state) { perDay(state, ad2gedan); }
BENCHMARK(BM_lower_row)->Name("almanac/ad2gedan");

// A day's whole lore as a caller asks for it, each export of a date once:
// the lunisolar date, 六曜, the mansions, the stems and branches, the nine
// stars, the weekday, the term of the day, the almanac items and the age.
void BM_day_lore(benchmark::State& state) {
    perDay(state, [](const CalendarDate& d) {
        int64_t sum = adto9rekL(d).day + ad26youL(d) + adto27L(d) + adto28(d);
        sum += ad2neto(d) + ad2teto(d) + ad2heto(d) + ad2youbi(d);
        sum += ad2nkyusei(d) + ad2tkyusei(d) + ad2hkyusei(d);
        sum += ad2rekicyu(d) + ad2getrei(d) + ad2sekki(d);
        return sum;
    });
}
BENCHMARK(BM_day_lore)->Name("almanac/every date export of a day once");

// Days 445-01-25 .. 1869-12-31 (proleptic Gregorian), the historical
// calendar before the stored new moons: every ninth, as many as the days of
// lunisolarSpan(), so that both figures read their dates from memory alike.
const std::vector<CalendarDate>& historicalDays() {
    static const std::vector<CalendarDate> days = [] {
        std::vector<CalendarDate> out;
        for (int32_t k = 0;; k += 9) {
            const CalendarDate d = jul2ad(ad2jul(dateOf(445, 1, 25 + k)));  // run on, then plain
            if (d.year == 1870) break;
            out.push_back(d);
        }
        return out;
    }();
    return days;
}

template <typename Fn>
void perHistoricalDay(benchmark::State& state, Fn fn) {
    const auto& days = historicalDays();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fn(days[i]));
        if (++i == days.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_history_before_1870(benchmark::State& state) {
    perHistoricalDay(state, [](const CalendarDate& d) { return adto9rekH(d).day; });
}
BENCHMARK(BM_history_before_1870)->Name("history/adto9rekH 445-1869");

void BM_history_outside_span(benchmark::State& state) {
    perHistoricalDay(state, [](const CalendarDate& d) { return adto9rekS(d).day; });
}
BENCHMARK(BM_history_outside_span)->Name("history/adto9rekS 445-1869 (outside its span)");

void BM_history_stored_span(benchmark::State& state) {
    perDay(state, [](const CalendarDate& d) { return adto9rekH(d).day; });
}
BENCHMARK(BM_history_stored_span)->Name("history/adto9rekH 1870-2020");

void BM_history_reverse(benchmark::State& state) {
    static const std::vector<LunisolarDate> dates = [] {
        std::vector<LunisolarDate> out;
        for (const CalendarDate& d : historicalDays()) out.push_back(adto9rekH(d));
        return out;
    }();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kyu2ad(dates[i]).day);
        if (++i == dates.size()) i = 0;
    }
}
BENCHMARK(BM_history_reverse)->Name("history/kyu2ad 445-1869");

void BM_history_era_year(benchmark::State& state) {
    perHistoricalDay(state, [](const CalendarDate& d) { return ad2gennen(d, VRN_NORTH); });
}
BENCHMARK(BM_history_era_year)->Name("history/ad2gennen 445-1869");

void BM_history_julian(benchmark::State& state) {
    perHistoricalDay(state, [](const CalendarDate& d) { return ad2jul(d).day; });
}
BENCHMARK(BM_history_julian)->Name("history/ad2jul 445-1869");

void BM_divination(benchmark::State& state) {
    int32_t n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(e102hen(n % 10, (n / 10) % 10));
        benchmark::DoNotOptimize(zoukan(n % 31 + 1, n % 12));
        ++n;
    }
}
BENCHMARK(BM_divination)->Name("divination/e102hen+zoukan");

#ifdef HAVE_MONTH_SHEET
// All 1,800 months of 1870 to 2019 composed in one mode; one iteration is
// the whole span, so its time is the figure behind the 15 ms goal (summed
// over the six modes).
void BM_compose_all_months(benchmark::State& state) {
    const tenvo::LibraryBinding library = tenvo::linkedLibraryBinding();
    tenvo::MonthSheet sheet;
    sheet.mode = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        for (int y = 1870; y <= 2019; ++y) {
            for (int m = 1; m <= 12; ++m) {
                sheet.year = static_cast<uint16_t>(y);
                sheet.month = static_cast<uint16_t>(m);
                tenvo::composeMonth(sheet, library);
                benchmark::DoNotOptimize(sheet.noteText.data());
            }
        }
    }
}
BENCHMARK(BM_compose_all_months)
    ->Name("month_sheet/compose 1800 months, mode")
    ->DenseRange(0, 5)
    ->Unit(benchmark::kMillisecond);
#endif

// The floor of each figure: what the export cannot avoid. At 135 degrees
// east within 1870..2100 the term days, the lunar months and the day star's
// switch days are stored; the new-moon search still evaluates the Sun and
// the Moon.
const std::map<std::string, std::string> kFloorOf = {
    {"solar_terms/y2syunbn", "floor/table read"},
    {"solar_terms/y2syunbn at 139.75 (rule)", "floor/jd2sok x2"},
    {"solar_terms/ad2setu", "floor/ad2jd + table read"},
    {"new_moon_search/ad2saku", "floor/jd2sok+jd2mok x6"},
    {"lunisolar/adto9rek", "floor/ad2jd + table read"},
    {"lunisolar/adto9rekS", "floor/ad2jd + table read"},
    {"six_day_mansions/ad26you", "floor/ad2jd + table read"},
    {"six_day_mansions/adto27", "floor/ad2jd + table read"},
    {"selected_days/fujyojyu", "floor/ad2jd + table read"},
    {"sexagenary/ad2teto", "floor/table read"},
    {"nine_stars/ad2tkyusei", "floor/table read"},
    {"nine_stars/ad2hkyusei", "floor/ad2jd + table read"},
    {"nine_stars/ad2hkyusei at 139.75 (rule)", "floor/jd2sok x3"},
    {"selected_days/tensyabi", "floor/ad2jd + table read"},
    {"almanac/ad2rekicyu", "floor/ad2jd + table read"},
    {"almanac/ad2rekicyuS", "floor/ad2jd + table read"},
    {"almanac/ad2rekicyu at 139.75", "floor/ad2jd + table read"},
    {"almanac/ad2getrei", "floor/ad2jd + table read"},
    {"almanac/ad2sekki", "floor/ad2jd + table read"},
    {"almanac/ad2cyoku", "floor/ad2jd + table read"},
    {"almanac/ad2gedan", "floor/ad2jd + table read"},
    {"almanac/every date export of a day once", "floor/ad2jd + table read"},
    // The historical calendar against the lunisolar export it extends.
    {"history/adto9rekH 445-1869", "lunisolar/adto9rekS"},
    {"history/adto9rekH 1870-2020", "lunisolar/adto9rekS"},
    {"history/kyu2ad 445-1869", "lunisolar/adto9rekS"},
    {"history/ad2gennen 445-1869", "lunisolar/adto9rekS"},
    {"history/ad2jul 445-1869", "lunisolar/adto9rekS"},
};

// Collects the mean CPU time per iteration of every run, for the summary.
// CPU time rather than wall time, so that other work on the machine during
// the run does not count against a figure.
class CollectingReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration) continue;
            nanoseconds[run.benchmark_name()] =
                run.GetAdjustedCPUTime() * multiplierToNanoseconds(run.time_unit);
        }
    }
    std::map<std::string, double> nanoseconds;

  private:
    static double multiplierToNanoseconds(benchmark::TimeUnit unit) {
        switch (unit) {
            case benchmark::kSecond:
                return 1e9;
            case benchmark::kMillisecond:
                return 1e6;
            case benchmark::kMicrosecond:
                return 1e3;
            default:
                return 1.0;
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-42s %12s %12s %7s\n", "figure (CPU time)", "ns", "floor ns", "ratio");
    double composeTotal = 0.0;
    for (const auto& [name, ns] : reporter.nanoseconds) {
        if (name.rfind("floor/", 0) == 0) continue;
        const auto floor = kFloorOf.find(name);
        if (floor != kFloorOf.end() && reporter.nanoseconds.count(floor->second)) {
            const double floorNs = reporter.nanoseconds.at(floor->second);
            std::printf("%-42s %12.1f %12.1f %7.2f   (%s)\n", name.c_str(), ns, floorNs,
                        ns / floorNs, floor->second.c_str());
        } else {
            std::printf("%-42s %12.1f\n", name.c_str(), ns);
        }
        if (name.rfind("month_sheet/", 0) == 0) composeTotal += ns;
    }
    if (composeTotal > 0.0) {
        std::printf("\nall 1,800 months in all six modes: %.1f ms\n", composeTotal * 1e-6);
    }
    benchmark::Shutdown();
    return 0;
}
