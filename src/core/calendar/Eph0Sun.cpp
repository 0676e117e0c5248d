// The Earth's heliocentric longitude from the stored VSOP87 series, and the sun seen from the Earth.
#include "Eph.h"
#include "Eph0.h"
#include "Eph0Series.h"
#include "Eph0SeriesCos.h"

#include <algorithm>
#include <cmath>

using eph::kPi;
using eph::kSecondsPerRadian;
using eph::kTwoPi;

std::array<int, kEarthPowers> EarthLongitudeTermCounts(int n)
{
    const int first = SeriesStart(kEarthSeries, 0);
    const double whole = SeriesStart(kEarthSeries, kEarthPowers) - first;
    std::array<int, kEarthPowers> counts{};
    for (int k = 0; k < kEarthPowers; ++k) {
        const int start = SeriesStart(kEarthSeries, k);
        const int length = SeriesStart(kEarthSeries, k + 1) - start;
        int limit = length;
        if (n >= 0) {
            // The share is clamped before the conversion so that huge budgets cannot overflow.
            const double share = std::min(kEarthNumbersPerTerm * double(n) * length / whole + 0.5, double(length));
            limit = std::min(length, int2(share) + (k >= 1 ? kEarthNumbersPerTerm : 0));
        }
        counts[k] = (limit + kEarthNumbersPerTerm - 1) / kEarthNumbersPerTerm;
    }
    return counts;
}

double EarthLongitudeCorrection(double tau)
{
    return (-0.0728 + tau * (-2.7702 + tau * (-1.1019 + tau * -0.0996))) / kSecondsPerRadian;
}

double EarthLongitude(double t, int n)
{
    const double tau = t / 10;
    const std::array<int, kEarthPowers> counts = EarthLongitudeTermCounts(n);
    double sum = 0;
    double power = 1;
    for (int k = 0; k < kEarthPowers; ++k) {
        const double* term = kEarthSeries + SeriesStart(kEarthSeries, k);
        double s = 0;
        for (int i = 0; i < counts[k]; ++i, term += kEarthNumbersPerTerm)
            s += term[0] * SeriesCos(term[1] + term[2] * tau);
        sum += s * power;
        power *= tau;
    }
    return sum / kEarthSeries[0] + EarthLongitudeCorrection(tau);
}

double SunAberration(double t)
{
    const double t2 = t * t;
    const double meanAnomaly = 628.301955 * t - 0.043126 - 0.000002732 * t2;
    const double eccentricity = 0.016708634 - 0.000042037 * t - 0.0000001267 * t2;
    return -20.49552 * (1 + eccentricity * std::cos(meanAnomaly)) / kSecondsPerRadian;
}

double SunApparentLongitude(double t, int n)
{
    return EarthLongitude(t, n) + kPi + NutationInLongitude(t) + SunAberration(t);
}

double SunLongitudeRate(double t)
{
    const double f = 628.307585 * t;
    return 628.332 + 21 * std::sin(1.527 + f) + 0.44 * std::sin(1.48 + 2 * f) + 0.129 * std::sin(5.82 + f) * t +
           0.00055 * std::sin(4.21 + f) * t * t;
}

double EquationOfTime(double t)
{
    // Mean longitude of the sun, aberration removed.
    const double meanLongitude =
        (1753470142 + t * (628331965331.8 + t * (5296.74 + t * (0.432 + t * (-0.1124 + t * -0.00009))))) * 1e-9 +
        kPi - 20.5 / kSecondsPerRadian;
    // The largest nutation term is enough here.
    const double node = 2.1824 - 33.75705 * t;
    const double nutationLongitude = -17.2 * std::sin(node) / kSecondsPerRadian;
    const double obliquity = MeanObliquity(t) + 9.2 * std::cos(node) / kSecondsPerRadian;

    EclipticPosition sun;
    sun.longitude = EarthLongitude(t, 50) + kPi + SunAberration(t) + nutationLongitude;
    sun.latitude = -(2796 * std::cos(3.1987 + 8433.46616 * t) + 1016 * std::cos(5.4225 + 550.75532 * t) +
                     804 * std::cos(3.88 + 522.3694 * t)) * 1e-9;
    sun.radius = 1;
    const double rightAscension =
        EclipticToEquatorial(sun, obliquity).rightAscension - nutationLongitude * std::cos(obliquity);
    return NormalizeSignedAngle(meanLongitude - rightAscension) / kTwoPi;
}
