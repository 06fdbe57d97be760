// almanac_table_gen FIRST_YEAR LAST_YEAR OUTPUT_FILE
//
// Computes the instants at which the Sun reaches the almanac's 30 apparent
// longitudes in every year FIRST_YEAR..LAST_YEAR and every principal phase
// of the Moon from December of FIRST_YEAR to January of LAST_YEAR, and
// writes them as the library's table (lib/tables/almanac_instants.h). The
// theory and its accuracy are described in almanac_theory.h.
//
// On standard output it reports every instant within a minute of a UTC+9
// midnight, and the largest difference between this theory's equinoxes and
// solstices and those of the equinox generator's method.
#include <cmath>
#include <cstdio>
#include <string>

#include "almanac_tables.h"
#include "generator_command_line.h"
#include "seasons_method.h"

int main(int argc, char** argv) {
    using namespace almanacgen;
    int32_t firstYear = 0;
    int32_t lastYear = 0;
    if (!newmoongen::parseYearSpan(argc, argv, "almanac_table_gen", firstYear, lastYear)) {
        return 2;
    }

    AlmanacTables tables;
    std::string error;
    if (!buildAlmanac(firstYear, lastYear, tables, error)) {
        std::fprintf(stderr, "error: %s\n", error.c_str());
        return 1;
    }

    const std::vector<NamedInstant> near = nearMidnightInstants(tables);
    std::printf("Instants within %.0f minute of a UTC+9 midnight, %d-%d (UTC+9)\n",
                kNearMidnightReportMinutes, kReportFirstYear, kReportLastYear);
    for (const NamedInstant& n : near) {
        std::printf("  %s  %+6.2f min  %s\n", localText(n.instant).c_str(),
                    n.instant.minutesFromMidnight, n.name);
    }
    std::printf("%zu instants near midnight; %zu Sun instants, %zu Moon phases\n", near.size(),
                tables.sun.size(), tables.moon.size());

    const SeasonsComparison seasons = compareWithSeasonsMethod(firstYear, lastYear);
    std::printf(
        "Equinoxes and solstices %d-%d against the seasons method: largest difference %.1f s "
        "(%d, %d degrees)\n",
        firstYear, lastYear, seasons.largestSeconds, seasons.year, seasons.longitude);

    CompactAlmanac compact;
    if (!compactAlmanac(tables, compact, error)) {
        std::fprintf(stderr, "error: %s\n", error.c_str());
        return 1;
    }
    if (!newmoongen::writeOutput(argv[3], renderHeader(tables, compact))) return 1;
    return 0;
}
