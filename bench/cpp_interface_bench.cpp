// The C++ interface (vorane2.hpp) beside the exports it calls, on the same
// days in the same run: each pair walks every day 1870-2100 at 135 degrees
// east from a std::chrono date, the export side filling the export's date
// record from it and calling the exports (and name lookups) the interface
// calls, the interface side calling the one function. The ratio is the
// interface's own cost: the checks, the optional, the UTF-8 names. One more
// figure calls adto9rekL on records filled before the walk, the floor of a
// caller that already holds them.
//
//   build/bench/cpp_interface_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "day_lore.h"
#include "library_binding_linked.h"
#include "vorane2.hpp"

namespace {

using namespace std::chrono;

struct Day {
    year_month_day ymd;
    CalendarDate c;  // filled before the walk, for the floor alone
};

// The export's record of a date, as a caller fills it.
CalendarDate record(const year_month_day& d) {
    return CalendarDate{static_cast<int>(d.year()),
                        static_cast<int>(static_cast<unsigned>(d.month())),
                        static_cast<int>(static_cast<unsigned>(d.day())),
                        0.0,
                        0.0,
                        0.0,
                        135.0};
}

const std::vector<Day>& everyDay() {
    static const std::vector<Day> all = [] {
        std::vector<Day> out;
        for (sys_days t{year{1870} / January / 1}; t <= sys_days{year{2100} / December / 31};
             t += days{1}) {
            const year_month_day d{t};
            out.push_back({d, record(d)});
        }
        return out;
    }();
    return all;
}

// Runs `call` on every day in turn.
template <typename Call>
void walk(benchmark::State& state, Call call) {
    const auto& days = everyDay();
    std::size_t i = 0;
    for (auto _ : state) {
        call(days[i]);
        i = i + 1 == days.size() ? 0 : i + 1;
    }
}

void BM_Floor_adto9rekL_filled(benchmark::State& state) {
    walk(state, [](const Day& d) { benchmark::DoNotOptimize(adto9rekL(d.c)); });
}
void BM_Export_adto9rekL(benchmark::State& state) {
    walk(state, [](const Day& d) { benchmark::DoNotOptimize(adto9rekL(record(d.ymd))); });
}
void BM_Cpp_lunisolar(benchmark::State& state) {
    walk(state, [](const Day& d) { benchmark::DoNotOptimize(vorane2::lunisolar(d.ymd)); });
}

void BM_Export_ad26youL_rno2name(benchmark::State& state) {
    walk(state, [](const Day& d) { benchmark::DoNotOptimize(rno2name(ad26youL(record(d.ymd)))); });
}
void BM_Cpp_rokuyo(benchmark::State& state) {
    walk(state, [](const Day& d) { benchmark::DoNotOptimize(vorane2::rokuyo(d.ymd)); });
}

void BM_Export_kanshi(benchmark::State& state) {
    walk(state, [](const Day& d) {
        const CalendarDate c = record(d.ymd);
        benchmark::DoNotOptimize(eno2name(ad2neto(c)));
        benchmark::DoNotOptimize(eno2name(ad2teto(c)));
        benchmark::DoNotOptimize(eno2name(ad2heto(c)));
    });
}
void BM_Cpp_kanshi(benchmark::State& state) {
    walk(state, [](const Day& d) { benchmark::DoNotOptimize(vorane2::kanshi(d.ymd)); });
}

void BM_Export_ad2rekicyu_rek2name(benchmark::State& state) {
    walk(state, [](const Day& d) {
        const int32_t bits = ad2rekicyu(record(d.ymd));
        for (int32_t item = 0; item < VRN_ALMANAC_ITEMS; ++item) {
            if (((bits >> item) & 1) != 0) benchmark::DoNotOptimize(rek2name(item));
        }
    });
}
void BM_Cpp_almanac(benchmark::State& state) {
    walk(state, [](const Day& d) { benchmark::DoNotOptimize(vorane2::almanac(d.ymd)); });
}

// The day's lore record the interface converts, on the year's shared part.
void BM_Record_composeDayLore(benchmark::State& state) {
    const tenvo::LibraryBinding library = tenvo::linkedLibraryBinding();
    tenvo::LoreYear shared{};
    walk(state, [&](const Day& d) {
        if (shared.year != d.c.year) shared = tenvo::loreYear(d.c.year);
        benchmark::DoNotOptimize(tenvo::composeDayLore(library, shared, d.c.month, d.c.day));
    });
}
void BM_Cpp_lore(benchmark::State& state) {
    walk(state, [](const Day& d) { benchmark::DoNotOptimize(vorane2::lore(d.ymd)); });
}

BENCHMARK(BM_Floor_adto9rekL_filled);
BENCHMARK(BM_Export_adto9rekL);
BENCHMARK(BM_Cpp_lunisolar);
BENCHMARK(BM_Export_ad26youL_rno2name);
BENCHMARK(BM_Cpp_rokuyo);
BENCHMARK(BM_Export_kanshi);
BENCHMARK(BM_Cpp_kanshi);
BENCHMARK(BM_Export_ad2rekicyu_rek2name);
BENCHMARK(BM_Cpp_almanac);
BENCHMARK(BM_Record_composeDayLore);
BENCHMARK(BM_Cpp_lore);

}  // namespace

BENCHMARK_MAIN();
