// A day's page of the traditional calendar through vorane2.hpp: the date
// given as YYYY-MM-DD, or today in Japan.
#include <chrono>
#include <cstdio>
#include <vorane2.hpp>

int main(int argc, char** argv) {
    using namespace std::chrono;
    year_month_day date{floor<days>(system_clock::now() + hours{9})};
    int y = 0;
    unsigned m = 0, d = 0;
    if (argc > 1 && std::sscanf(argv[1], "%d-%u-%u", &y, &m, &d) == 3) {
        date = year{y} / month{m} / day{d};
    }
    // The months numbered by their principal terms, over the stored new
    // moons of 1870-2100 (the default is the published calendar).
    const auto lunar = vorane2::lunisolar(date, vorane2::month_rule::terms);
    const auto six = vorane2::rokuyo(date, vorane2::month_rule::terms);
    const auto pairs = vorane2::kanshi(date);
    if (!lunar || !six || !pairs) {
        std::fprintf(stderr, "no lunisolar date for %s\n", argc > 1 ? argv[1] : "today");
        return 1;
    }
    std::printf("%d/%u/%u%s %.*s %.*s\n", lunar->year, lunar->month, lunar->day,
                lunar->leap ? " leap" : "", static_cast<int>(six->name.size()), six->name.data(),
                static_cast<int>(pairs->day.name.size()), pairs->day.name.data());
}
