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
#include <cstdlib>
#include <fstream>
#include <string>

#include "equinox_theory.h"

namespace {

using namespace equinoxgen;

bool parseYear(const char* text, int32_t& year) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    // The span of the Delta T model.
    if (end == text || *end != '\0' || value < 1801 || value > 2149) return false;
    year = static_cast<int32_t>(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int32_t firstYear = 0;
    int32_t lastYear = 0;
    if (argc != 4 || !parseYear(argv[1], firstYear) || !parseYear(argv[2], lastYear) ||
        firstYear > lastYear) {
        std::fprintf(stderr,
                     "usage: equinox_table_gen FIRST_YEAR LAST_YEAR OUTPUT_FILE\n"
                     "  years 1801..2149 (the span of the Delta T model), FIRST <= LAST\n");
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
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "error: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
