// ΔT, the difference between Terrestrial Time and Universal Time.
#include "Eph0Ephemeris.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace {

// Cubic fits of ΔT in seconds, fitted to the historical values of Morrison and Stephenson
// (Journal for the History of Astronomy 35, 2004) before the telescope and to the observed
// values tabulated in the Astronomical Almanac after 1600. From year y_i, with u = 10 (y - y_i) / (y_i+1 - y_i),
// ΔT = a0 + a1 u + a2 u^2 + a3 u^3. The last row only closes the table (its a0 is ΔT there).
struct DeltaTRow {
    double year, a0, a1, a2, a3;
};

constexpr std::array<DeltaTRow, 20> kDeltaT = {{
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
    {2005, 64.7, 0, 0, 0},
}};

// ΔT in seconds on 1 January, 0h UT, of each year from 2005: measured (IERS) up to the
// mid-2020s, predicted after (the default model of the Swiss Ephemeris 2.10). The polynomial
// extrapolation it replaces ran far above the measurements (82.7 s for 2024 against 69.1 s).
constexpr int kYearlyFrom = 2005;
constexpr std::array<double, 196> kYearly = {
    64.69, 64.85, 65.15, 65.46, 65.78, 66.07, 66.32, 66.60, 66.91, 67.28,
    67.64, 68.10, 68.59, 68.97, 69.22, 69.36, 69.36, 69.29, 69.18, 69.10,
    69.00, 68.90, 68.80, 68.80, 69.04, 69.28, 69.52, 69.76, 70.01, 70.26,
    70.51, 70.76, 71.02, 71.28, 71.54, 71.80, 72.07, 72.33, 72.61, 72.88,
    73.16, 73.44, 73.72, 74.00, 74.29, 74.58, 74.87, 75.17, 75.47, 75.77,
    76.07, 76.38, 76.69, 77.01, 77.32, 77.64, 77.97, 78.29, 78.62, 78.95,
    79.29, 79.62, 79.97, 80.31, 80.66, 81.01, 81.36, 81.72, 82.08, 82.45,
    82.81, 83.19, 83.56, 83.94, 84.32, 84.70, 85.09, 85.49, 85.88, 86.28,
    86.68, 87.09, 87.50, 87.92, 88.33, 88.76, 89.18, 89.61, 90.04, 90.48,
    90.92, 91.36, 91.81, 92.27, 92.72, 93.18, 93.65, 94.11, 94.59, 95.06,
    95.54, 96.03, 96.52, 97.01, 97.51, 98.01, 98.52, 99.03, 99.54, 100.06,
    100.58, 101.11, 101.64, 102.18, 102.72, 103.27, 103.82, 104.37, 104.93, 105.49,
    106.06, 106.63, 107.21, 107.79, 108.37, 108.96, 109.55, 110.14, 110.74, 111.34,
    111.95, 112.56, 113.18, 113.80, 114.43, 115.06, 115.70, 116.34, 116.99, 117.64,
    118.30, 118.96, 119.63, 120.30, 120.98, 121.66, 122.35, 123.04, 123.74, 124.45,
    125.16, 125.87, 126.59, 127.32, 128.05, 128.79, 129.53, 130.28, 131.03, 131.79,
    132.55, 133.32, 134.10, 134.88, 135.67, 136.46, 137.26, 138.06, 138.87, 139.69,
    140.51, 141.33, 142.17, 143.01, 143.85, 144.70, 145.56, 146.42, 147.29, 148.16,
    149.05, 149.93, 150.82, 151.72, 152.63, 153.54, 154.46, 155.38, 156.31, 157.25,
    158.19, 159.14, 160.10, 161.06, 162.02, 163.00,
};
constexpr int kYearlyTo = kYearlyFrom + static_cast<int>(kYearly.size()) - 1;

// The long-term parabola of Morrison and Stephenson (2004) used beyond the yearly values,
// seconds.
double DeltaTParabola(double year)
{
    const double c = (year - 1820) / 100;
    return -20 + 31 * c * c;
}

}  // namespace

// Years before 2005: the cubic of the row that holds the year (the first row before -4000).
// 2005..2200: linear between the yearly values. After 2200 the parabola, reached through a
// linear blend over a century so that ΔT does not jump where the yearly values end.
double DeltaT(double year)
{
    if (year >= kYearlyTo) {
        const double last = kYearly.back();
        if (year > kYearlyTo + 100) return DeltaTParabola(year);
        return DeltaTParabola(year) - (DeltaTParabola(kYearlyTo) - last) * (kYearlyTo + 100 - year) / 100;
    }
    if (year >= kYearlyFrom) {
        const double whole = std::floor(year);
        const auto i = static_cast<std::size_t>(whole) - kYearlyFrom;
        return kYearly[i] + (kYearly[i + 1] - kYearly[i]) * (year - whole);
    }
    std::size_t i = 0;
    while (i + 2 < kDeltaT.size() && year >= kDeltaT[i + 1].year) ++i;
    const DeltaTRow& r = kDeltaT[i];
    const double u = 10 * (year - r.year) / (kDeltaT[i + 1].year - r.year);
    return r.a0 + u * (r.a1 + u * (r.a2 + u * r.a3));
}

double DeltaTDays(double d) { return DeltaT(2000 + d / 365.2425) / 86400; }
