#pragma once
// The stored sun and moon series (generated into Eph0Tables.cpp by tools/Eph0TablesGen.cpp)
// and how a term budget selects from them. For the ephemeris sources and their tests.
#include <array>

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
