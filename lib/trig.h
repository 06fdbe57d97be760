// Sine and cosine computed by the library itself, with nothing but IEEE
// additions and multiplications, so that every build gives the same doubles:
// the C libraries of our platforms differ in the last bits (the MinGW one
// gives cos(pi/2) as 2.6484538303769845e-14, glibc as 2.6484540326036093e-14),
// and a solar term or a new moon at a day boundary must not depend on which
// one a binary was linked with.
//
// The arguments the library passes lie within one turn (0 to 2 pi). They are
// reduced by multiples of pi/2, held in three parts so that the reduction is
// exact to about 1e-30 even where it cancels, and the reduced angle, at most
// pi/4, goes to the classic minimax polynomials of the freely distributable
// fdlibm kernels (error below one unit in the last place).
#pragma once

#include <cmath>

namespace vorane2 {

namespace trig_detail {

// pi/2 = kPiOver2Head + kPiOver2Mid + kPiOver2Tail; the first two carry 33
// significant bits each, so their products with a small quadrant count are
// exact.
inline constexpr double kPiOver2Head = 1.57079632673412561417e+00;
inline constexpr double kPiOver2Mid = 6.07710050630396597660e-11;
inline constexpr double kPiOver2Tail = 2.02226624879595063154e-21;
inline constexpr double kTwoOverPi = 6.36619772367581382433e-01;

// sin(y) for |y| <= pi/4.
constexpr double kernelSin(double y) {
    constexpr double S1 = -1.66666666666666324348e-01;
    constexpr double S2 = 8.33333333332248946124e-03;
    constexpr double S3 = -1.98412698298579493134e-04;
    constexpr double S4 = 2.75573137070700676789e-06;
    constexpr double S5 = -2.50507602534068634195e-08;
    constexpr double S6 = 1.58969099521155010221e-10;
    const double z = y * y;
    const double v = z * y;
    const double r = S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)));
    return y + v * (S1 + z * r);
}

// cos(y) for |y| <= pi/4; 1 - y^2/2 is summed so that its rounding error is
// carried into the small terms.
constexpr double kernelCos(double y) {
    constexpr double C1 = 4.16666666666666019037e-02;
    constexpr double C2 = -1.38888888888741095749e-03;
    constexpr double C3 = 2.48015872894767294178e-05;
    constexpr double C4 = -2.75573143513906633035e-07;
    constexpr double C5 = 2.08757232129817482790e-09;
    constexpr double C6 = -1.13596475577881948265e-11;
    const double z = y * y;
    const double r = z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6)))));
    const double hz = 0.5 * z;
    const double w = 1.0 - hz;
    return w + (((1.0 - w) - hz) + z * r);
}

// x = quadrant * pi/2 + reduced, |reduced| <= pi/4 (a hair more at the
// rounding of the quadrant). Meant for |x| up to a few turns.
struct Reduced {
    int quadrant;  // 0..3
    double angle;
};

inline Reduced reduceToQuadrant(double x) {
    const double n = std::floor(x * kTwoOverPi + 0.5);  // nearest quadrant
    const double reduced = ((x - n * kPiOver2Head) - n * kPiOver2Mid) - n * kPiOver2Tail;
    const long q = static_cast<long>(n) % 4;
    return Reduced{static_cast<int>(q < 0 ? q + 4 : q), reduced};
}

// Beyond this the three-part reduction is no longer exact; the library never
// asks for it, and such arguments answer NaN rather than a wrong value.
inline constexpr double kLargestReducible = 1.0e6;

}  // namespace trig_detail

// sin(x) for x in radians.
inline double sinRadians(double x) {
    using namespace trig_detail;
    if (!(std::fabs(x) <= kLargestReducible)) return NAN;
    const Reduced r = reduceToQuadrant(x);
    switch (r.quadrant) {
        case 0:
            return kernelSin(r.angle);
        case 1:
            return kernelCos(r.angle);
        case 2:
            return -kernelSin(r.angle);
        default:
            return -kernelCos(r.angle);
    }
}

// cos(x) for x in radians.
inline double cosRadians(double x) {
    using namespace trig_detail;
    if (!(std::fabs(x) <= kLargestReducible)) return NAN;
    const Reduced r = reduceToQuadrant(x);
    switch (r.quadrant) {
        case 0:
            return kernelCos(r.angle);
        case 1:
            return -kernelSin(r.angle);
        case 2:
            return -kernelCos(r.angle);
        default:
            return kernelSin(r.angle);
    }
}

}  // namespace vorane2
