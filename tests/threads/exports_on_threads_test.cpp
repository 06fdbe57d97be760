// Every export of the library promises to be callable from any thread: no
// state is kept between calls. Each built export is called on random
// arguments (ordinary dates and ones far outside every table, NaN and
// infinite times and meridians included) once on this thread, and then the
// same calls are made by eight threads at once, each starting at another
// export, and every result must be the same to the bit.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <climits>
#include <cstdint>
#include <fstream>
#include <latch>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "support/export_signatures.h"
#include "vorane2.h"

namespace {

using AnyFunction = void (*)();

struct BuiltExport {
    int ordinal;
    const char* name;
    AnyFunction function;
};

const BuiltExport kBuiltExports[] = {
#include "built_exports.inc"
};

using exportsig::Sig;

// The signature of `ordinal` in the shared table; `known` is false for an
// ordinal the table lacks.
Sig signatureOf(int ordinal, bool& known) {
    for (const exportsig::ExportSignature& e : exportsig::kSignatures) {
        if (e.ordinal == ordinal) {
            known = true;
            return e.sig;
        }
    }
    known = false;
    return Sig::NameOfVoid;
}

// splitmix64: the same arguments on every run.
struct Random {
    uint64_t state;
    uint64_t next() {
        uint64_t z = (state += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }
    int32_t between(int32_t low, int32_t high) {
        return static_cast<int32_t>(
            low + static_cast<int64_t>(next() % static_cast<uint64_t>(int64_t{high} - low + 1)));
    }
    double uniform(double low, double high) {
        return low + (high - low) * static_cast<double>(next() >> 11) * 0x1.0p-53;
    }
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Mostly values a caller means, now and then ones no table holds.
double anyDouble(Random& r, double low, double high) {
    switch (r.next() % 16) {
        case 0:
            return kNaN;
        case 1:
            return r.next() % 2 ? kInf : -kInf;
        case 2:
            return r.uniform(-1e12, 1e12);
        default:
            return r.uniform(low, high);
    }
}

int32_t anyInt(Random& r) {
    switch (r.next() % 8) {
        case 0:
            return r.next() % 2 ? INT32_MIN : INT32_MAX;
        case 1:
            return r.between(-100000, 100000);
        default:
            return r.between(-5, 120);
    }
}

int32_t anyYear(Random& r) {
    switch (r.next() % 8) {
        case 0:
            return r.next() % 2 ? INT32_MIN : INT32_MAX;
        case 1:
            return r.between(-10000, 10000);
        default:
            return r.between(1860, 2110);
    }
}

double anyLongitude(Random& r) { return r.next() % 4 ? 135.0 : anyDouble(r, -180.0, 360.0); }

CalendarDate anyDate(Random& r) {
    CalendarDate d{};
    d.year = anyYear(r);
    d.month = r.next() % 8 ? r.between(1, 12) : r.between(-3, 16);
    d.day = r.next() % 8 ? r.between(1, 31) : anyInt(r);
    d.hour = r.next() % 4 ? 0.0 : anyDouble(r, 0.0, 24.0);
    d.minute = r.next() % 4 ? 0.0 : anyDouble(r, 0.0, 60.0);
    d.second = r.next() % 4 ? 0.0 : anyDouble(r, 0.0, 60.0);
    d.longitude = anyLongitude(r);
    return d;
}

struct Arguments {
    CalendarDate date;
    int32_t a;
    int32_t b;
    double x;
    double y;
};

// A result as words: integers as they are, doubles by their bits, names by
// their address (a name lives in a constant table).
struct Result {
    std::array<uint64_t, 7> words{};
    bool operator==(const Result&) const = default;
};

uint64_t bits(double value) { return std::bit_cast<uint64_t>(value); }
uint64_t word(int64_t value) { return static_cast<uint64_t>(value); }

Result ofDate(const CalendarDate& d) {
    return Result{{word(d.year), word(d.month), word(d.day), bits(d.hour), bits(d.minute),
                   bits(d.second), bits(d.longitude)}};
}

template <typename F>
F as(AnyFunction f) {
    return reinterpret_cast<F>(f);
}

Result call(const BuiltExport& e, Sig sig, const Arguments& x) {
    switch (sig) {
        case Sig::IntOfInt:
            return Result{{word(as<int32_t(VRN_CALL*)(int32_t)>(e.function)(x.a))}};
        case Sig::IntOfIntInt:
            return Result{{word(as<int32_t(VRN_CALL*)(int32_t, int32_t)>(e.function)(x.a, x.b))}};
        case Sig::IntOfYearLon:
            return Result{
                {word(as<int32_t(VRN_CALL*)(int32_t, double)>(e.function)(x.date.year, x.x))}};
        case Sig::IntOfDate:
            return Result{{word(as<int32_t(VRN_CALL*)(CalendarDate)>(e.function)(x.date))}};
        case Sig::FlagOfDate:
            return Result{{word(as<char(VRN_CALL*)(CalendarDate)>(e.function)(x.date))}};
        case Sig::DoubleOfDouble:
            return Result{{bits(as<double(VRN_CALL*)(double)>(e.function)(x.x))}};
        case Sig::DoubleOfDate:
            return Result{{bits(as<double(VRN_CALL*)(CalendarDate)>(e.function)(x.date))}};
        case Sig::DateOfDoubleDouble:
            return ofDate(as<CalendarDate(VRN_CALL*)(double, double)>(e.function)(x.x, x.y));
        case Sig::DateOfDate:
        case Sig::DateOfDateYmdOnly:
        case Sig::DateOfDateNewMoon:
            return ofDate(as<CalendarDate(VRN_CALL*)(CalendarDate)>(e.function)(x.date));
        case Sig::DateOfYearLon:
            return ofDate(
                as<CalendarDate(VRN_CALL*)(int32_t, double)>(e.function)(x.date.year, x.x));
        case Sig::LunisolarOfDate: {
            const LunisolarDate l = as<LunisolarDate(VRN_CALL*)(CalendarDate)>(e.function)(x.date);
            return Result{
                {word(l.leap), word(l.year), word(l.month), word(l.day), bits(l.longitude)}};
        }
        case Sig::DateOfLunisolar: {
            const LunisolarDate l{static_cast<char>(x.b), x.date.year, x.date.month, x.date.day,
                                  x.x};
            return ofDate(as<CalendarDate(VRN_CALL*)(LunisolarDate)>(e.function)(l));
        }
        case Sig::IntOfIntIntChar:
            return Result{{word(as<int32_t(VRN_CALL*)(int32_t, int32_t, char)>(e.function)(
                x.date.year, x.a, static_cast<char>(x.b)))}};
        case Sig::IntOfDateInt:
            return Result{
                {word(as<int32_t(VRN_CALL*)(CalendarDate, int32_t)>(e.function)(x.date, x.a))}};
        case Sig::NameOfInt:
            return Result{{reinterpret_cast<uintptr_t>(
                as<const char*(VRN_CALL*)(int32_t)>(e.function)(x.a))}};
        case Sig::NameOfVoid:
            return Result{
                {reinterpret_cast<uintptr_t>(as<const char*(VRN_CALL*)()>(e.function)())}};
    }
    return Result{};
}

struct Call {
    const BuiltExport* function;
    Sig sig;
    Arguments arguments;
    Result expected;
};

// The ordinals of the export table's lines.
std::vector<int> tableOrdinals() {
    std::ifstream table(EXPORT_TABLE_PATH);
    std::vector<int> ordinals;
    std::string line;
    while (std::getline(table, line)) {
        if (line.empty() || line[0] < '0' || line[0] > '9') continue;
        ordinals.push_back(std::stoi(line));
    }
    return ordinals;
}

TEST(ExportsOnThreads, EveryOrdinalHasAKnownSignatureAndEveryBuiltOneIsCalled) {
    const std::vector<int> ordinals = tableOrdinals();
    ASSERT_GE(ordinals.size(), 91u);
    for (const int ordinal : ordinals) {
        bool known = false;
        signatureOf(ordinal, known);
        EXPECT_TRUE(known) << "no signature for export " << ordinal;
    }
    // The first 91 are built whatever else is.
    std::vector<int> built;
    for (const BuiltExport& e : kBuiltExports) built.push_back(e.ordinal);
    for (int ordinal = 1; ordinal <= 91; ++ordinal)
        EXPECT_NE(std::find(built.begin(), built.end(), ordinal), built.end()) << ordinal;
}

TEST(ExportsOnThreads, EightThreadsAgreeWithOneOnRandomArguments) {
    constexpr int kCallsPerExport = 250;
    constexpr int kThreads = 8;
    Random random{20261209};
    std::vector<Call> calls;
    for (const BuiltExport& e : kBuiltExports) {
        bool known = false;
        const Sig sig = signatureOf(e.ordinal, known);
        ASSERT_TRUE(known) << e.name;
        for (int i = 0; i < kCallsPerExport; ++i) {
            Arguments x{anyDate(random), anyInt(random), anyInt(random), 0.0, 0.0};
            if (sig == Sig::IntOfYearLon || sig == Sig::DateOfYearLon) {
                x.x = anyLongitude(random);
            } else if (sig == Sig::DateOfLunisolar || sig == Sig::IntOfIntIntChar) {
                // Mostly a leap flag the calendar knows, and a month.
                if (random.next() % 4) x.b = random.next() % 2 ? 'Y' : 'N';
                if (random.next() % 4) x.a = x.date.month;
            } else if (sig == Sig::IntOfDateInt) {
                if (random.next() % 4) x.a = random.between(VRN_SOUTH, VRN_NORTH);  // a court
            } else if (sig == Sig::DateOfDoubleDouble) {
                x.x = anyDouble(random, 2300000.0, 2600000.0);  // a Julian day
                x.y = anyLongitude(random);
            } else {
                x.x = anyDouble(random, 2300000.0, 2600000.0);
            }
            calls.push_back(Call{&e, sig, x, Result{}});
        }
    }
    // One thread, in order: the results every thread must give.
    for (Call& c : calls) c.expected = call(*c.function, c.sig, c.arguments);

    // Interleaved: the calls of every thread are in the same order but
    // each thread starts at a different export, so that at any moment
    // different exports (and the same ones) run side by side.
    std::atomic<long> compared{0};
    std::atomic<long> differing{0};
    std::vector<std::string> firstDifference(kThreads);
    std::latch start(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            start.arrive_and_wait();
            const size_t n = calls.size();
            long mine = 0;
            for (size_t i = 0; i < n; ++i) {
                const Call& c = calls[(i + n * static_cast<size_t>(t) / kThreads) % n];
                if (!(call(*c.function, c.sig, c.arguments) == c.expected)) {
                    if (differing.fetch_add(1) == 0)
                        firstDifference[static_cast<size_t>(t)] = c.function->name;
                }
                ++mine;
            }
            compared += mine;
        });
    }
    for (std::thread& t : threads) t.join();

    std::string names;
    for (const std::string& n : firstDifference) names += n;
    EXPECT_EQ(differing.load(), 0) << "first differing export: " << names;
    EXPECT_EQ(compared.load(), static_cast<long>(calls.size()) * kThreads);
    std::printf("%zu exports, %ld calls on 8 threads compared with one thread\n",
                std::size(kBuiltExports), compared.load());
}

}  // namespace
