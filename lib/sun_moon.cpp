// Ecliptic longitudes of the Sun and the Moon from truncated series.
//
// Each longitude is a mean part linear in time plus periodic terms, summed in
// a fixed order and reduced into [0, 360). The time variable is the Julian
// day itself (Universal Time): no dynamical-time correction is applied.

#include <cmath>

#include "tables/series_terms.h"
#include "vorane2.h"

namespace {

using vorane2::tables::PeriodicTerm;

constexpr double kJ2000 = 2451545.0;
constexpr double kPerCentury = 0.000027378507871321012;  // 1/36525

// Julian centuries since noon of 2000-01-01.
double centuriesSinceJ2000(double jd) { return (jd - kJ2000) * kPerCentury; }

template <std::size_t N>
double addTerms(double sum, const std::array<PeriodicTerm, N>& terms, double t) {
    for (const PeriodicTerm& term : terms) {
        sum = sum + term.amplitude * fnc(term.rate * t + term.phase);
    }
    return sum;
}

// Into [0, 360): the sum may be negative or several turns.
double reduceDegrees(double degrees) {
    const double u = degrees * 0.002777777777777778;
    const double v = (u - std::floor(u)) + 1.0;
    return (v - std::floor(v)) * 360.0;
}

}  // namespace

extern "C" {

double VRN_CALL jd2sok(double jd) {
    namespace t = vorane2::tables;
    const double T = centuriesSinceJ2000(jd);
    double s = T * t::kSunMeanRate + t::kSunMeanPhase;
    // The equation of the centre with its slowly shrinking amplitude,
    // added as two terms, the constant amplitude first.
    s = s + t::kSunCentre.amplitude * fnc(t::kSunCentre.rate * T + t::kSunCentre.phase);
    s = s + fnc(t::kSunCentre.rate * T + t::kSunCentre.phase) * T * t::kSunCentreSecular;
    return reduceDegrees(addTerms(s, t::kSunTerms, T));
}

double VRN_CALL jd2mok(double jd) {
    namespace t = vorane2::tables;
    const double T = centuriesSinceJ2000(jd);
    const double s = T * t::kMoonMeanRate + t::kMoonMeanPhase;
    return reduceDegrees(addTerms(s, t::kMoonTerms, T));
}

}  // extern "C"
