// Month sheets composed on several threads at once, each thread with sheets
// of its own, give what the same compositions give on one thread: the
// sheet keeps all its state (the lunar cache included) and the library
// none.

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <latch>
#include <thread>
#include <vector>

#include "annotations.h"
#include "library_binding_linked.h"
#include "month_sheet.h"
#include "sheet_text.h"

namespace {

using tenvo::MonthSheet;

struct Composition {
    uint16_t year;
    uint16_t month;
    int32_t mode;
    bool solstice;
    tenvo::HolidayRule holidays;
};

struct Composed {
    std::array<char, tenvo::kSheetTextBytes> text;
    std::array<int32_t, tenvo::kCells> colours;
    bool operator==(const Composed&) const = default;
};

Composed compose(const Composition& c, const tenvo::LibraryBinding& terms,
                 const tenvo::LibraryBinding& solstice) {
    MonthSheet sheet;
    sheet.year = c.year;
    sheet.month = c.month;
    sheet.mode = c.mode;
    sheet.holidayRule = c.holidays;
    tenvo::composeMonth(sheet, c.solstice ? solstice : terms);
    return Composed{tenvo::composeSheetText(sheet), sheet.colorClass};
}

TEST(SheetsOnThreads, SixThreadsComposeAsOneDoes) {
    const tenvo::LibraryBinding terms = tenvo::linkedLibraryBinding();
    const tenvo::LibraryBinding solstice = tenvo::withSolsticeReading(terms);
    // The span's ends, the winters where the two month numberings part,
    // and today's years; every mode, both numberings, both holiday rules.
    const uint16_t years[] = {1870, 1948, 1984, 1985, 2019, 2026, 2033, 2034, 2100};
    std::vector<Composition> compositions;
    for (const uint16_t year : years) {
        for (int32_t month = 1; month <= 12; month += 1 + year % 3) {
            for (int32_t mode = 0; mode < 6; ++mode) {
                compositions.push_back(
                    {year, static_cast<uint16_t>(month), mode, (month + mode) % 2 == 0,
                     mode % 3 == 0 ? tenvo::HolidayRule::ByLaw : tenvo::HolidayRule::FixedTable});
            }
        }
    }
    std::vector<Composed> expected;
    for (const Composition& c : compositions) expected.push_back(compose(c, terms, solstice));

    constexpr int kThreads = 6;
    std::atomic<long> differing{0};
    std::atomic<long> compared{0};
    std::latch start(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            start.arrive_and_wait();
            const size_t n = compositions.size();
            for (size_t i = 0; i < n; ++i) {
                const size_t k = (i + static_cast<size_t>(t) * n / kThreads) % n;
                if (!(compose(compositions[k], terms, solstice) == expected[k])) ++differing;
                ++compared;
            }
        });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(differing.load(), 0);
    EXPECT_EQ(compared.load(), static_cast<long>(compositions.size()) * kThreads);
}

}  // namespace
