// Obliquity of the ecliptic and nutation in longitude.
#include "Eph.h"
#include "Eph0Ephemeris.h"

#include <array>
#include <cmath>
#include <cstddef>

using eph::kSecondsPerRadian;

namespace {

// The ten largest terms of the IAU 1980 theory of nutation (Seidelmann 1982; the rows as
// tabulated in Meeus, Astronomical Algorithms, table 22.A), argument phase + rate t + quadratic t^2 (rad, rad per
// century, rad per century^2), amplitudes in longitude and obliquity (0.01″). The obliquity
// column completes the published rows; the calendar needs only the longitude.
struct NutationRow {
    double phase, rate, quadratic, longitude, obliquity;
};

constexpr std::array<NutationRow, 10> kNutation = {{
    {2.1824, -33.75705, 0.000036, -1720, 920},
    {3.5069, 1256.66393, 0.000011, -132, 57},
    {1.3375, 16799.4182, -0.000051, -23, 10},
    {4.3649, -67.5141, 0.000072, 21, -9},
    {0.04, -628.302, 0, -14, 0},
    {2.36, 8328.691, 0, 7, 0},
    {3.46, 1884.966, 0, -5, 2},
    {5.44, 16833.175, 0, -4, 2},
    {3.69, 25128.11, 0, -3, 0},
    {3.55, 628.362, 0, 2, 0},
}};

// The first amplitude in longitude changes by this much per century (0.01″).
constexpr double kFirstLongitudeRate = -1.742;

}  // namespace

double MeanObliquity(double t)
{
    const double arcsec =
        84381.406 + t * (-46.836769 + t * (-0.0001831 + t * (0.0020034 + t * (-0.000000576 + t * -0.0000000434))));
    return arcsec / kSecondsPerRadian;
}

double NutationInLongitude(double t)
{
    const double t2 = t * t;
    double sum = 0;
    for (std::size_t i = 0; i < kNutation.size(); ++i) {
        const NutationRow& r = kNutation[i];
        const double amplitude = r.longitude + (i == 0 ? kFirstLongitudeRate * t : 0);
        sum += amplitude * std::sin(r.phase + r.rate * t + r.quadratic * t2);
    }
    return sum * 0.01 / kSecondsPerRadian;
}
