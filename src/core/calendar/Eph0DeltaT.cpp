// ΔT, the difference between Terrestrial Time and Universal Time.
#include "Eph0Ephemeris.h"

#include <array>
#include <cstddef>

namespace {

// Cubic fits of ΔT in seconds: from year y_i, with u = 10 (y - y_i) / (y_i+1 - y_i),
// ΔT = a0 + a1 u + a2 u^2 + a3 u^3. The last row only closes the table (its a0 is ΔT there).
struct DeltaTRow {
    double year, a0, a1, a2, a3;
};

constexpr std::array<DeltaTRow, 21> kDeltaT = {{
    {-4000, 108371.7, -13036.80, 392.000, 0.0000},
    {-500, 17201.0, -627.82, 16.170, -0.3413},
    {-150, 12200.6, -346.41, 5.403, -0.1593},
    {150, 9113.8, -328.13, -1.647, 0.0377},
    {500, 5707.5, -391.41, 0.915, 0.3145},
    {900, 2203.4, -283.45, 13.034, -0.1778},
    {1300, 490.1, -57.35, 2.085, -0.0072},
    {1600, 120.0, -9.81, -1.532, 0.1403},
    {1700, 10.2, -0.91, 0.510, -0.0370},
    {1800, 13.4, -0.72, 0.202, -0.0193},
    {1830, 7.8, -1.81, 0.416, -0.0247},
    {1860, 8.3, -0.13, -0.406, 0.0292},
    {1880, -5.4, 0.32, -0.183, 0.0173},
    {1900, -2.3, 2.06, 0.169, -0.0135},
    {1920, 21.2, 1.69, -0.304, 0.0167},
    {1940, 24.2, 1.22, -0.064, 0.0031},
    {1960, 33.2, 0.51, 0.231, -0.0109},
    {1980, 51.0, 1.29, -0.026, 0.0032},
    {2000, 63.87, 0.1, 0, 0},
    {2005, 64.7, 0.4, 0, 0},
    {2015, 69.0, 0, 0, 0},
}};

// The long-term parabola used beyond the table, seconds.
double DeltaTParabola(double year)
{
    const double c = (year - 1820) / 100;
    return -20 + 31 * c * c;
}

}  // namespace

double DeltaT(double year)
{
    const DeltaTRow& last = kDeltaT.back();
    if (year >= last.year) {
        if (year > last.year + 100) return DeltaTParabola(year);
        // Blend linearly from the table's last value into the parabola over a century.
        return DeltaTParabola(year) - (DeltaTParabola(last.year) - last.a0) * (last.year + 100 - year) / 100;
    }
    std::size_t i = 0;
    while (i + 2 < kDeltaT.size() && year >= kDeltaT[i + 1].year) ++i;
    const DeltaTRow& r = kDeltaT[i];
    const double u = 10 * (year - r.year) / (kDeltaT[i + 1].year - r.year);
    return r.a0 + u * (r.a1 + u * (r.a2 + u * r.a3));
}

double DeltaTDays(double d) { return DeltaT(2000 + d / 365.2425) / 86400; }
