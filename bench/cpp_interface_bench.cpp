// The C++ interface (vorane2.hpp) beside the exports it calls, on the same
// days in the same run: each pair walks every day 1870-2100 at 135 degrees
// east from a std::chrono date, the export side filling the export's date
// record from it and calling the exports (and name lookups) the interface
// calls, the interface side calling the one function. The ratio is the
// interface's own cost: the checks, the optional, the UTF-8 names. One more
// figure calls adto9rekL on records filled before the walk, the floor of a
// caller that already holds them. The functions that take a month rule are
// measured under the terms rule beside its exports and under the published
// rule (the default) beside adto9rekH and the model's record.
//
// The era dates walk every 97th day of 445-2100: wareki beside the exports
// it asks (adto9rekH before 1873, ad2gengo and ad2gennen of both courts),
// from_wareki reading wareki's texts beside the exports the reading asks
// (kyu2days, kyu2ad, ad2gengo of both courts). sun_moon_times walks every
// 7th day beside ad2hinode and ad2tukide, seasons beside the lore record
// with addSeasonalLore.
//
//   build/bench/cpp_interface_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "annotations.h"
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

// Runs `call` on each of `days` in turn, round and round.
template <typename Days, typename Call>
void walkOver(benchmark::State& state, const Days& days, Call call) {
    std::size_t i = 0;
    for (auto _ : state) {
        call(days[i]);
        i = i + 1 == days.size() ? 0 : i + 1;
    }
}

// Runs `call` on every day 1870-2100 in turn.
template <typename Call>
void walk(benchmark::State& state, Call call) {
    walkOver(state, everyDay(), call);
}

void BM_Floor_adto9rekL_filled(benchmark::State& state) {
    walk(state, [](const Day& d) { benchmark::DoNotOptimize(adto9rekL(d.c)); });
}
void BM_Export_adto9rekL(benchmark::State& state) {
    walk(state, [](const Day& d) { benchmark::DoNotOptimize(adto9rekL(record(d.ymd))); });
}
void BM_Cpp_lunisolar(benchmark::State& state) {
    walk(state, [](const Day& d) {
        benchmark::DoNotOptimize(vorane2::lunisolar(d.ymd, vorane2::month_rule::terms));
    });
}
void BM_Export_adto9rekH(benchmark::State& state) {
    walk(state, [](const Day& d) { benchmark::DoNotOptimize(adto9rekH(record(d.ymd))); });
}
void BM_Cpp_lunisolar_published(benchmark::State& state) {
    walk(state, [](const Day& d) { benchmark::DoNotOptimize(vorane2::lunisolar(d.ymd)); });
}

void BM_Export_ad26youL_rno2name(benchmark::State& state) {
    walk(state, [](const Day& d) { benchmark::DoNotOptimize(rno2name(ad26youL(record(d.ymd)))); });
}
void BM_Cpp_rokuyo(benchmark::State& state) {
    walk(state, [](const Day& d) {
        benchmark::DoNotOptimize(vorane2::rokuyo(d.ymd, vorane2::month_rule::terms));
    });
}
// The published 六曜 is the model's, from adto9rekH's date.
void BM_Export_adto9rekH_rno2name(benchmark::State& state) {
    walk(state, [](const Day& d) {
        benchmark::DoNotOptimize(rno2name(tenvo::sixDayOf(adto9rekH(record(d.ymd)))));
    });
}
void BM_Cpp_rokuyo_published(benchmark::State& state) {
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
    walk(state, [](const Day& d) {
        benchmark::DoNotOptimize(vorane2::almanac(d.ymd, vorane2::month_rule::terms));
    });
}

// The day's lore record the interface converts, on the year's shared part.
void loreRecords(benchmark::State& state, tenvo::MonthRule rule) {
    const tenvo::LibraryBinding library = tenvo::withMonthRule(tenvo::linkedLibraryBinding(), rule);
    tenvo::LoreYear shared{};
    walk(state, [&](const Day& d) {
        if (shared.year != d.c.year) shared = tenvo::loreYear(d.c.year);
        benchmark::DoNotOptimize(tenvo::composeDayLore(library, shared, d.c.month, d.c.day));
    });
}
void BM_Record_composeDayLore(benchmark::State& state) {
    loreRecords(state, tenvo::MonthRule::Terms);
}
void BM_Cpp_lore(benchmark::State& state) {
    walk(state, [](const Day& d) {
        benchmark::DoNotOptimize(vorane2::lore(d.ymd, vorane2::month_rule::terms));
    });
}
void BM_Record_composeDayLore_published(benchmark::State& state) {
    loreRecords(state, tenvo::MonthRule::Published);
}
void BM_Cpp_lore_published(benchmark::State& state) {
    walk(state, [](const Day& d) { benchmark::DoNotOptimize(vorane2::lore(d.ymd)); });
}

// Every 97th day of the calendar through history, with its era date as
// wareki writes it and the lunisolar date the reading of that text asks of
// the library.
struct EraDay {
    year_month_day ymd;
    CalendarDate c;
    LunisolarDate lunar;
    std::string text;
};

const std::vector<EraDay>& eraDays() {
    static const std::vector<EraDay> all = [] {
        std::vector<EraDay> out;
        for (sys_days t{vorane2::history_first_day}; t <= sys_days{vorane2::history_last_day};
             t += days{97}) {
            const year_month_day d{t};
            out.push_back({d, record(d), adto9rekH(record(d)), *vorane2::wareki(d)});
        }
        return out;
    }();
    return all;
}

template <typename Call>
void walkEraDays(benchmark::State& state, Call call) {
    walkOver(state, eraDays(), call);
}

void BM_Export_wareki(benchmark::State& state) {
    walkEraDays(state, [](const EraDay& d) {
        const CalendarDate c = record(d.ymd);
        if (c.year < 1873) benchmark::DoNotOptimize(adto9rekH(c));
        for (const int32_t court : {VRN_SOUTH, VRN_NORTH}) {
            benchmark::DoNotOptimize(ad2gengo(c, court));
            benchmark::DoNotOptimize(ad2gennen(c, court));
        }
    });
}
void BM_Cpp_wareki(benchmark::State& state) {
    walkEraDays(state, [](const EraDay& d) { benchmark::DoNotOptimize(vorane2::wareki(d.ymd)); });
}

void BM_Export_from_wareki(benchmark::State& state) {
    walkEraDays(state, [](const EraDay& d) {
        if (d.c.year < 1873) {
            benchmark::DoNotOptimize(kyu2days(d.lunar.year, d.lunar.month, d.lunar.leap));
            benchmark::DoNotOptimize(kyu2ad(d.lunar));
        }
        for (const int32_t court : {VRN_SOUTH, VRN_NORTH}) {
            benchmark::DoNotOptimize(ad2gengo(d.c, court));
        }
    });
}
void BM_Cpp_from_wareki(benchmark::State& state) {
    walkEraDays(state,
                [](const EraDay& d) { benchmark::DoNotOptimize(vorane2::from_wareki(d.text)); });
}

// The six events of a day in Tokyo: the two exports beside the interface,
// which goes through the model's composeSunMoonTimes. Every 7th day of the
// walk, each a few microseconds of the accurate theory.
const std::vector<Day>& everyWeek() {
    static const std::vector<Day> all = [] {
        std::vector<Day> out;
        for (std::size_t i = 0; i < everyDay().size(); i += 7) out.push_back(everyDay()[i]);
        return out;
    }();
    return all;
}
template <typename Call>
void walkWeeks(benchmark::State& state, Call call) {
    walkOver(state, everyWeek(), call);
}
void BM_Export_ad2hinode_ad2tukide(benchmark::State& state) {
    const vorane2::place& p = vorane2::tokyo;
    walkWeeks(state, [&](const Day& d) {
        const CalendarDate c = record(d.ymd);
        benchmark::DoNotOptimize(ad2hinode(c, p.latitude, p.longitude));
        benchmark::DoNotOptimize(ad2tukide(c, p.latitude, p.longitude));
    });
}
void BM_Cpp_sun_moon_times(benchmark::State& state) {
    walkWeeks(state,
              [](const Day& d) { benchmark::DoNotOptimize(vorane2::sun_moon_times(d.ymd)); });
}

// A day's seasonal items: the published lore record with addSeasonalLore,
// which the interface converts, on the same days.
void BM_Record_addSeasonalLore(benchmark::State& state) {
    const tenvo::LibraryBinding library =
        tenvo::withMonthRule(tenvo::linkedLibraryBinding(), tenvo::MonthRule::Published);
    tenvo::LoreYear shared{};
    walkWeeks(state, [&](const Day& d) {
        if (shared.year != d.c.year) shared = tenvo::loreYear(d.c.year);
        tenvo::DayLore lore = tenvo::composeDayLore(library, shared, d.c.month, d.c.day);
        tenvo::addSeasonalLore(library, lore);
        benchmark::DoNotOptimize(lore);
    });
}
void BM_Cpp_seasons(benchmark::State& state) {
    walkWeeks(state, [](const Day& d) { benchmark::DoNotOptimize(vorane2::seasons(d.ymd)); });
}

BENCHMARK(BM_Floor_adto9rekL_filled);
BENCHMARK(BM_Export_adto9rekL);
BENCHMARK(BM_Cpp_lunisolar);
BENCHMARK(BM_Export_adto9rekH);
BENCHMARK(BM_Cpp_lunisolar_published);
BENCHMARK(BM_Export_ad26youL_rno2name);
BENCHMARK(BM_Cpp_rokuyo);
BENCHMARK(BM_Export_adto9rekH_rno2name);
BENCHMARK(BM_Cpp_rokuyo_published);
BENCHMARK(BM_Export_kanshi);
BENCHMARK(BM_Cpp_kanshi);
BENCHMARK(BM_Export_ad2rekicyu_rek2name);
BENCHMARK(BM_Cpp_almanac);
BENCHMARK(BM_Record_composeDayLore);
BENCHMARK(BM_Cpp_lore);
BENCHMARK(BM_Record_composeDayLore_published);
BENCHMARK(BM_Cpp_lore_published);
BENCHMARK(BM_Export_wareki);
BENCHMARK(BM_Cpp_wareki);
BENCHMARK(BM_Export_from_wareki);
BENCHMARK(BM_Cpp_from_wareki);
BENCHMARK(BM_Export_ad2hinode_ad2tukide);
BENCHMARK(BM_Cpp_sun_moon_times);
BENCHMARK(BM_Record_addSeasonalLore);
BENCHMARK(BM_Cpp_seasons);

}  // namespace

BENCHMARK_MAIN();
