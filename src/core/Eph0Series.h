#pragma once
// The stored sun and moon series (generated into Eph0Tables.cpp by tools/Eph0TablesGen.cpp)
// and how a term budget selects from them. For the ephemeris sources and their tests.
#include <array>
#include <cmath>
#include <cstdint>

// Layout of a series array: [0] the amplitude scale; [1..n] the start positions of its n
// sub-series and [n + 1] the end position, counting numbers of the array; then the terms.
// Each sub-series holds the largest terms of the published one, by decreasing amplitude.

// The Earth: L, B, R, each in powers tau^0..tau^5 (18 sub-series); a term is three numbers,
// amplitude (scaled by 1e10), phase, frequency: amplitude * cos(phase + frequency * tau).
extern const double kEarthSeries[];
constexpr int kEarthPowers = 6;
constexpr int kEarthNumbersPerTerm = 3;

// The moon: longitude, latitude (arcseconds) and distance (km), each in powers t^0..t^3
// (12 sub-series); a term is six numbers A, phi, w1..w4:
// A * cos(phi + w1 t + w2 1e-4 t^2 + w3 1e-8 t^3 + w4 1e-8 t^4).
extern const double kMoonSeries[];
constexpr int kMoonPowers = 4;
constexpr int kMoonNumbersPerTerm = 6;

// Position in `table` of the first number of sub-series `index`; index = the number of
// sub-series gives the end position.
inline int SeriesStart(const double* table, int index) { return static_cast<int>(table[1 + index]); }

// How many terms of each power of the Earth's longitude a budget n evaluates: about n in
// all, shared in proportion to the sub-series' sizes (rounded), one more for each power
// above the first; n < 0 takes every stored term.
std::array<int, kEarthPowers> EarthLongitudeTermCounts(int n);

// How many terms of each power of the moon's longitude a budget n evaluates: n of the first
// power, the others in proportion to their size relative to it (truncated) plus one;
// n < 0 takes every stored term.
std::array<int, kMoonPowers> MoonLongitudeTermCounts(int n);

// Correction added to the VSOP87 longitude of the Earth, rad; tau in Julian millennia TT.
double EarthLongitudeCorrection(double tau);

// Precession in longitude from the moon series' departure point to the mean equinox of date,
// arcseconds; t in centuries TT.
double PrecessionInLongitude(double t);

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
