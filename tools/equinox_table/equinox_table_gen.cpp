// equinox_table_gen FIRST_YEAR LAST_YEAR OUTPUT_FILE
//
// Computes the UTC+9 civil day of the March and September equinoxes from
// FIRST_YEAR to LAST_YEAR and writes the program's table as a C++ header.
// The theory and its accuracy are described in equinox_theory.h.
//
// On standard output it lists every equinox with its UTC+9 date and time and
// flags those within ten minutes of a midnight, where the day could change
// with a small error of the theory or of Delta T.
#include <cmath>
#include <cstdio>
#include <string>

#include "equinox_theory.h"
#include "generator_command_line.h"

namespace {

using namespace equinoxgen;

}  // namespace

int main(int argc, char** argv) {
    int32_t firstYear = 0;
    int32_t lastYear = 0;
    if (!newmoongen::parseYearSpan(argc, argv, "equinox_table_gen", firstYear, lastYear)) {
        return 2;
    }

    std::printf("Equinoxes %d-%d (date and time UTC+9, minutes from the nearest midnight)\n",
                firstYear, lastYear);
    int nearMidnight = 0;
    double closest = 1e9;
    for (int32_t year = firstYear; year <= lastYear; ++year) {
        for (const Season season : {Season::March, Season::September}) {
            const Equinox e = equinoxOf(year, season);
            const long seconds = std::lround(std::floor(e.localSeconds));
            const bool near = isNearMidnight(e);
            nearMidnight += near ? 1 : 0;
            closest = std::fmin(closest, std::fabs(e.minutesFromMidnight));
            std::printf("%04d-%02d-%02d %02ld:%02ld:%02ld  %+8.2f min  dT %5.1f s%s\n",
                        e.localDate.year, e.localDate.month, e.localDate.day, seconds / 3600,
                        seconds / 60 % 60, seconds % 60, e.minutesFromMidnight, e.deltaT,
                        near ? "  NEAR MIDNIGHT" : "");
        }
    }
    std::printf("%d equinoxes near midnight; the closest is %.2f minutes from one\n", nearMidnight,
                closest);

    const std::string text = renderHeader(firstYear, lastYear);
    if (text.empty()) {
        std::fprintf(stderr, "error: an equinox falls outside March 19-22 or September 21-24\n");
        return 1;
    }
    if (!newmoongen::writeOutput(argv[3], text)) return 1;
    return 0;
}
