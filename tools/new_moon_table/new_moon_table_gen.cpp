// new_moon_table_gen FIRST_YEAR LAST_YEAR OUTPUT_FILE
//
// Computes the UTC+9 civil day of every new moon from FIRST_YEAR to LAST_YEAR
// and writes the library's stored tables as a C++ header. The theory (true
// phases of the Moon in dynamical time, Delta T by the Espenak-Meeus
// polynomials) and its accuracy are described in new_moon_theory.h.
//
// On standard output it reports every conjunction within ten minutes of a
// UTC+9 midnight, where the day could change with a small error of the
// theory or of Delta T: its local date and time, the minutes from the
// midnight, the day held and whether a binding held day decided it. Up to
// 2020 every such conjunction should be on the list of held days: one that is
// not is flagged (its day is the theory's), and a held day that names no
// conjunction stops the generator.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "generator_command_line.h"
#include "new_moon_theory.h"

namespace {

using namespace newmoongen;

// The years whose conjunctions near midnight are decided by kHeldDays.
constexpr int32_t kHeldFirstYear = 1870;
constexpr int32_t kHeldLastYear = 2020;

std::string dateText(const CivilDate& d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

std::string timeText(double seconds) {
    const long whole = std::lround(std::floor(seconds));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
    return buf;
}

}  // namespace

int main(int argc, char** argv) {
    int32_t firstYear = 0;
    int32_t lastYear = 0;
    if (!parseYearSpan(argc, argv, "new_moon_table_gen", firstYear, lastYear)) return 2;

    // Lunations from a little before the span to a little after it.
    const double spanStartJd = kUnixEpochJd + static_cast<double>(daysFromCivil(firstYear, 1, 1));
    const double spanEndJd = kUnixEpochJd + static_cast<double>(daysFromCivil(lastYear + 1, 1, 1));
    const int64_t firstLunation = lunationNear(spanStartJd) - 2;
    const int64_t lastLunation = lunationNear(spanEndJd) + 2;

    std::vector<CivilDate> heldDays;
    std::vector<int> heldUses(kHeldDays.size(), 0);
    int unlisted = 0;
    int overridden = 0;
    int nearMidnight = 0;
    double shortest = 1e9;
    double longest = 0.0;
    double previousJd = 0.0;
    const int64_t spanStart = daysFromCivil(firstYear, 1, 1);
    const int64_t spanEnd = daysFromCivil(lastYear, 12, 31);

    std::printf("Conjunctions within %.0f minutes of a UTC+9 midnight, %d-%d\n",
                kNearMidnightMinutes, firstYear, lastYear);
    std::printf("(date and time UTC+9, minutes from the nearest midnight, day held)\n");
    for (int64_t k = firstLunation; k <= lastLunation; ++k) {
        const Conjunction c = conjunctionOf(k);
        const int held = heldDayFor(c, kHeldDays.data(), kHeldDays.size());
        CivilDate day = c.localDate;
        if (held >= 0) {
            day = kHeldDays[static_cast<size_t>(held)].date;
            ++heldUses[static_cast<size_t>(held)];
        }
        heldDays.push_back(day);

        const int64_t dayNumber = daysFromCivil(day);
        if (dayNumber < spanStart || dayNumber > spanEnd) continue;
        if (previousJd != 0.0) {
            shortest = std::min(shortest, c.jdUt - previousJd);
            longest = std::max(longest, c.jdUt - previousJd);
        }
        previousJd = c.jdUt;
        if (!isNearMidnight(c) && held < 0) continue;

        std::string how;
        if (held >= 0) {
            ++overridden;
            how = day == c.localDate ? "held day (theory agrees)"
                                     : "held day overrides the theory's " + dateText(c.localDate);
        } else if (c.localDate.year >= kHeldFirstYear && c.localDate.year <= kHeldLastYear) {
            ++unlisted;
            how = "NOT IN THE LIST OF HELD DAYS: theory";
        } else {
            how = "theory";
        }
        if (isNearMidnight(c)) ++nearMidnight;
        std::printf("%s %s UTC+9  %+6.2f min  day %s  %s%s\n", dateText(c.localDate).c_str(),
                    timeText(c.localSeconds).c_str(), c.minutesFromMidnight, dateText(day).c_str(),
                    how.c_str(), isNearMidnight(c) ? "" : " (beyond ten minutes by this theory)");
    }

    bool ok = true;
    for (size_t i = 0; i < kHeldDays.size(); ++i) {
        const int32_t year = kHeldDays[i].date.year;
        if (year < firstYear || year > lastYear) continue;
        if (heldUses[i] != 1) {
            std::fprintf(stderr, "error: held day %s names %d conjunctions\n",
                         dateText(kHeldDays[i].date).c_str(), heldUses[i]);
            ok = false;
        }
    }
    if (unlisted > 0) {
        // Flagged, not fatal: the theory's day stands for these, and its
        // margin (minutes) is far above its error (seconds).
        std::fprintf(stderr,
                     "warning: %d conjunctions near midnight in %d-%d are not in the list of "
                     "held days; the theory's day is stored for them\n",
                     unlisted, kHeldFirstYear, kHeldLastYear);
    }
    std::printf("%d conjunctions near midnight, %d decided by held days\n", nearMidnight,
                overridden);
    std::printf("lunations %.4f to %.4f days long\n", shortest, longest);

    Tables tables;
    std::string error;
    if (!buildTables(firstYear, lastYear, heldDays, tables, error)) {
        std::fprintf(stderr, "error: %s\n", error.c_str());
        ok = false;
    }
    if (!ok) return 1;

    if (!writeOutput(argv[3], renderHeader(tables))) return 1;
    return 0;
}
