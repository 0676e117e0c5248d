#pragma once
// The cosine the stored series are summed with.
#include <cmath>
#include <cstdint>

// cos x for summing the series: the same value as std::cos to within 3e-16, without the
// data-dependent branches that make the library function slow on the varied arguments of a
// series. Quarter turns are removed with a three-part pi/2 (exact up to 2^22 quarter turns,
// |x| < 6.5e6), then the fdlibm polynomials for [-pi/4, pi/4]; larger x go to std::cos.
inline double SeriesCos(double x)
{
    constexpr double kQuarterTurns = 0.63661977236758134;  // 2 / pi
    constexpr double kHalfPi1 = 0x1.921fb54p+0;             // pi/2 in 30, 30 and 53 bits
    constexpr double kHalfPi2 = 0x1.10b46118p-30;
    constexpr double kHalfPi3 = 0x1.313198a2e037p-61;
    constexpr double kRound = 6755399441055744.0;           // 1.5 * 2^52: adding it rounds
    if (!(std::fabs(x) < 6.5e6)) return std::cos(x);
    const double q = (x * kQuarterTurns + kRound) - kRound;
    const double r = ((x - q * kHalfPi1) - q * kHalfPi2) - q * kHalfPi3;
    const double r2 = r * r;
    const double sine =
        r + r * r2 *
                (-1.66666666666666324348e-01 +
                 r2 * (8.33333333332248946124e-03 +
                       r2 * (-1.98412698298579493134e-04 +
                             r2 * (2.75573137070700676789e-06 +
                                   r2 * (-2.50507602534068634195e-08 + r2 * 1.58969099521155010221e-10)))));
    const double cosine =
        1 - 0.5 * r2 +
        r2 * r2 *
            (4.16666666666666019037e-02 +
             r2 * (-1.38888888888741095749e-03 +
                   r2 * (2.48015872894767294178e-05 +
                         r2 * (-2.75573143513906633035e-07 +
                               r2 * (2.08757232129817482790e-09 + r2 * -1.13596475577881948265e-11)))));
    // cos(r + n pi/2) for n = 0, 1, 2, 3 is cos r, -sin r, -cos r, sin r; chosen by arithmetic,
    // as a branch here would be mispredicted half the time.
    const int n = static_cast<int>(static_cast<int64_t>(q) & 3);
    const double odd = n & 1;
    const double sign = 1 - 2 * (((n + 1) >> 1) & 1);
    return sign * (cosine + odd * (sine - cosine));
}
