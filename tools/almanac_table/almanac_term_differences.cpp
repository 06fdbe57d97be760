// almanac_term_differences
//
// Lists every solar term of 1870-2100 whose day at 135 degrees east differs
// between the accurate instants of lib/tables/almanac_instants.h and the
// library's own term exports (19-42 at longitude 135.0): the day of the
// accurate instant, the export's day, the accurate UTC+9 time and why they
// part (the export clamps a term past its last tested day, or the instant
// is close to a midnight, where the exports' shorter series decide
// otherwise). The list goes into docs/almanac-accuracy.md.
#include <cstdio>

#include "almanac_term_days.h"

int main() {
    const std::vector<almanacgen::TermDifference> differences =
        almanacgen::termDifferences(almanacgen::kReportFirstYear, almanacgen::kReportLastYear);
    std::printf("| Term | Accurate day | Export's day | Accurate time (UTC+9) | Why |\n");
    std::printf("|---|---|---|---|---|\n");
    int clamped = 0;
    for (const almanacgen::TermDifference& d : differences) {
        clamped += d.clamped ? 1 : 0;
        std::printf("| %s | %04d-%02d-%02d | %04d-%02d-%02d | %02d:%02d | %s |\n", d.name,
                    d.accurate.year, d.accurate.month, d.accurate.day, d.exported.year,
                    d.exported.month, d.exported.day, d.localMinute / 60, d.localMinute % 60,
                    d.clamped ? "clamped to the last tested day" : "near midnight");
    }
    std::printf("\n%zu differences, %d of them clamped\n", differences.size(), clamped);
    return 0;
}
