// The moon's geocentric longitude from the stored ELP/MPP02 series.
#include "Eph.h"
#include "Eph0Ephemeris.h"
#include "Eph0Series.h"
#include "Eph0SeriesCos.h"

#include <algorithm>
#include <cmath>

using eph::kSecondsPerRadian;

std::array<int, kMoonPowers> MoonLongitudeTermCounts(int n)
{
    const int first = SeriesStart(kMoonSeries, 0);
    const long long firstLength = SeriesStart(kMoonSeries, 1) - first;
    const long long budget = n < 0 ? firstLength : static_cast<long long>(kMoonNumbersPerTerm) * n;
    std::array<int, kMoonPowers> counts{};
    for (int k = 0; k < kMoonPowers; ++k) {
        const long long length = SeriesStart(kMoonSeries, k + 1) - SeriesStart(kMoonSeries, k);
        const long long limit = std::min(length, budget * length / firstLength + (k >= 1 ? kMoonNumbersPerTerm : 0));
        counts[k] = static_cast<int>((limit + kMoonNumbersPerTerm - 1) / kMoonNumbersPerTerm);
    }
    return counts;
}

double PrecessionInLongitude(double t)
{
    return t * (5028.792262 + t * (1.1124406 + t * (0.00007699 + t * (-0.000023479 + t * -0.0000000178))));
}

double MoonLongitude(double t, int n)
{
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    // Mean longitude from the series' departure point, then on to the equinox of date (arcseconds).
    double arcsec =
        (3.81034409 + 8399.684730072 * t - 0.00003319 * t2 + 0.0000000311 * t3 - 0.0000000002033 * t4) *
            kSecondsPerRadian +
        PrecessionInLongitude(t);
    // Beyond the year 3000 the mean longitude needs a further empirical correction.
    if (t > 10) arcsec += -0.866 + 1.43 * (t - 10) + 0.054 * (t - 10) * (t - 10);

    const double q2 = t2 * 1e-4;
    const double q3 = t3 * 1e-8;
    const double q4 = t4 * 1e-8;
    const std::array<int, kMoonPowers> counts = MoonLongitudeTermCounts(n);
    double sum = 0;
    double power = 1;
    for (int k = 0; k < kMoonPowers; ++k) {
        const double* term = kMoonSeries + SeriesStart(kMoonSeries, k);
        double s = 0;
        for (int i = 0; i < counts[k]; ++i, term += kMoonNumbersPerTerm)
            s += term[0] * SeriesCos(term[1] + term[2] * t + term[3] * q2 + term[4] * q3 + term[5] * q4);
        sum += s * power;
        power *= t;
    }
    return (arcsec + sum / kMoonSeries[0]) / kSecondsPerRadian;
}

double MoonAberration() { return -3.4e-6; }

double MoonLongitudeRate(double t)
{
    return 8399.71 - 914 * std::sin(0.7848 + 8328.691425 * t + 0.0001523 * t * t) -
           179 * std::sin(2.543 + 15542.7543 * t) - 160 * std::sin(0.1874 + 7214.0629 * t) -
           62 * std::sin(3.14 + 16657.3828 * t) - 34 * std::sin(4.827 + 16866.9323 * t) -
           22 * std::sin(4.9 + 23871.4457 * t) - 12 * std::sin(2.59 + 14914.4523 * t) -
           7 * std::sin(0.23 + 6585.7609 * t) - 5 * std::sin(0.9 + 25195.624 * t) -
           5 * std::sin(2.32 - 7700.3895 * t) - 5 * std::sin(3.88 + 8956.9934 * t) -
           5 * std::sin(0.49 + 7771.3771 * t);
}
