// Sun and moon ephemeris: angles, ΔT, nutation, the stored series and their term budgets, and
// textbook examples. "Meeus" is J. Meeus, Astronomical Algorithms, 2nd ed. (1998).
#include "Eph.h"
#include "Eph0.h"
#include "Eph0Series.h"
#include "Eph0SeriesCos.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <numbers>
#include <string>

namespace {

using eph::kPi;
using eph::kSecondsPerRadian;
using eph::kTwoPi;

constexpr double kDegree = kPi / 180;
constexpr double kArcsec = 1 / kSecondsPerRadian;

double CenturiesOf(double jdTT) { return (jdTT - eph::kJ2000) / 36525; }

int TermsIn(const double* table, int index, int numbersPerTerm)
{
    return (SeriesStart(table, index + 1) - SeriesStart(table, index)) / numbersPerTerm;
}

}  // namespace

TEST(Eph0Angles, NormalizeUsesTheCalendarsPi)
{
    EXPECT_DOUBLE_EQ(NormalizeAngle(-0.1), kTwoPi - 0.1);
    EXPECT_DOUBLE_EQ(NormalizeAngle(kTwoPi), 0.0);
    EXPECT_NEAR(NormalizeAngle(5 * kTwoPi + 1), 1.0, 1e-12);
    EXPECT_NEAR(NormalizeAngle(-7 * kTwoPi - 1), kTwoPi - 1, 1e-12);
    EXPECT_DOUBLE_EQ(NormalizeSignedAngle(kPi), kPi);
    EXPECT_DOUBLE_EQ(NormalizeSignedAngle(-kPi), kPi);
    EXPECT_NEAR(NormalizeSignedAngle(3 * kPi / 2), -kPi / 2, 1e-12);
    EXPECT_NEAR(NormalizeSignedAngle(-3 * kPi / 2 - 4 * kTwoPi), kPi / 2, 1e-12);
}

TEST(Eph0Angles, NormalizeAngleStaysBelowAWholeTurn)
{
    // A negative angle too small to survive adding a turn must not come back as 2 pi.
    for (double x : {-1e-17, -1e-300, -kTwoPi * 3 - 1e-15}) {
        const double v = NormalizeAngle(x);
        EXPECT_GE(v, 0.0) << x;
        EXPECT_LT(v, kTwoPi) << x;
    }
}

TEST(Eph0Angles, EclipticToEquatorialMatchesMeeusExample13a)
{
    // Pollux: lambda 113.215630°, beta 6.684170°, epsilon 23.4392911° give alpha 116.328942°,
    // delta 28.026183°.
    const EquatorialPosition q =
        EclipticToEquatorial({113.215630 * kDegree, 6.684170 * kDegree, 7.5}, 23.4392911 * kDegree);
    EXPECT_NEAR(q.rightAscension / kDegree, 116.328942, 2e-6);
    EXPECT_NEAR(q.declination / kDegree, 28.026183, 2e-6);
    EXPECT_EQ(q.radius, 7.5);
    // Right ascension comes back in [0, 2 pi).
    EXPECT_NEAR(EclipticToEquatorial({-0.1, 0, 1}, 0).rightAscension, kTwoPi - 0.1, 1e-12);
}

TEST(Eph0DeltaT, TableRowsBlendAndParabola)
{
    EXPECT_DOUBLE_EQ(DeltaT(2000), 63.87);
    EXPECT_DOUBLE_EQ(DeltaT(1900), -2.3);
    EXPECT_DOUBLE_EQ(DeltaT(-4000), 108371.7);
    // Before -4000 the first row extrapolates: u = 10 (-5000 + 4000) / 3500 = -2.857...
    const double u = -10000.0 / 3500;
    EXPECT_NEAR(DeltaT(-5000), 108371.7 - 13036.80 * u + 392.0 * u * u, 1e-6);
    // From 2300 the parabola -20 + 31 ((y - 1820) / 100)^2 alone.
    EXPECT_NEAR(DeltaT(2300), -20 + 31 * 4.8 * 4.8, 1e-9);
    EXPECT_NEAR(DeltaT(2500), -20 + 31 * 6.8 * 6.8, 1e-9);
}

// ΔT measured for 2024 (IERS): 69.1 s, where the older extrapolation gave 82.7 s. Predicted:
// about 77 s in 2057 and 93 s in 2100, not the 137 s and 219 s of the parabola.
TEST(Eph0DeltaT, MeasuredAndPredictedValuesOfThisCentury)
{
    EXPECT_NEAR(DeltaT(2024), 69.1, 0.5);
    EXPECT_NEAR(DeltaT(2024.5), 69.1, 0.5);
    EXPECT_NEAR(DeltaT(2057), 77, 1);
    EXPECT_NEAR(DeltaT(2100), 93, 1);
}

// Every yearly value of the published table (tests/data/delta_t_2005_2200.tsv), and halfway
// between two of them the mean of both.
TEST(Eph0DeltaT, FollowsTheYearlyTableFrom2005To2200)
{
    std::ifstream in(QIRAVEL_TEST_DATA "/delta_t_2005_2200.tsv");
    std::string line;
    std::getline(in, line);
    int rows = 0;
    double previous = 0;
    for (int year = 0; in >> year;) {
        double seconds = 0;
        in >> seconds;
        EXPECT_NEAR(DeltaT(year), seconds, 1e-9) << year;
        if (rows > 0) {
            EXPECT_NEAR(DeltaT(year - 0.5), (previous + seconds) / 2, 1e-9) << year;
        }
        previous = seconds;
        ++rows;
    }
    EXPECT_EQ(rows, 196);
}

TEST(Eph0DeltaT, IsContinuousAcrossTheRows)
{
    // Each cubic ends near where the next one starts: the published fit jumps by at most about
    // 4 s before 1600 and 2 s since, so a mistyped coefficient shows as a larger step.
    const double rows[] = {-500, -150, 150, 500, 900, 1300, 1600, 1700, 1800, 1830, 1860, 1880, 1900, 1920, 1940,
                           1960, 1980, 2000};
    for (double y : rows) {
        const double tolerance = y <= 1600 ? 5.0 : 2.0;
        EXPECT_NEAR(DeltaT(y - 1e-9), DeltaT(y), tolerance) << y;
    }
    // The cubic of 2000 ends at 64.87 s, the yearly values start at 64.69 s; the yearly values
    // meet the blend into the parabola at 2200, and the blend the parabola at 2300.
    EXPECT_NEAR(DeltaT(2005 - 1e-9), DeltaT(2005), 0.2);
    EXPECT_NEAR(DeltaT(2200 - 1e-9), 163.0, 1e-3);
    EXPECT_NEAR(DeltaT(2200 + 1e-9), 163.0, 1e-3);
    EXPECT_NEAR(DeltaT(2300 - 1e-9), DeltaT(2300), 1e-3);
    // Rising all the way from 2030, without a step.
    for (double y = 2030; y < 2400; y += 0.25) EXPECT_LT(DeltaT(y), DeltaT(y + 0.25)) << y;
}

TEST(Eph0DeltaT, DaysFromJ2000)
{
    EXPECT_DOUBLE_EQ(DeltaTDays(0), 63.87 / 86400);
    EXPECT_NEAR(DeltaTDays(20 * 365.2425), 69.36 / 86400, 1e-12);
}

TEST(Eph0Nutation, ObliquityMatchesTheIau2006Vector)
{
    // SOFA's test of its IAU 2006 obliquity at MJD 54388.0 TT: 0.4090749229387258204 rad.
    // The calendar's arcsecond-to-radian factor uses its eight-decimal pi (1.1e-9 relative).
    EXPECT_NEAR(MeanObliquity(CenturiesOf(2454388.5)), 0.4090749229387258204, 1e-9);
}

TEST(Eph0Nutation, LongitudeMatchesMeeusExample22a)
{
    // 1987-04-10 0h TD: delta psi = -3.788″ (from the 63-term IAU 1980 series).
    EXPECT_NEAR(NutationInLongitude(CenturiesOf(2446895.5)) / kArcsec, -3.788, 0.05);
}

TEST(Eph0Sun, AberrationMatchesMeeusExample25b)
{
    // 1992-10-13 0h TD: -20.4898″ / R with R = 0.99760775 AU gives -20.539″.
    EXPECT_NEAR(SunAberration(CenturiesOf(2448908.5)) / kArcsec, -20.539, 0.02);
    EXPECT_DOUBLE_EQ(MoonAberration(), -3.4e-6);
}

TEST(Eph0Sun, ApparentLongitudeMatchesMeeusExample25b)
{
    // 1992-10-13 0h TD: apparent longitude 199°54′21.818″, from an abridged VSOP87 (good to
    // about 1″) with the FK5 correction.
    const double lambda = NormalizeAngle(SunApparentLongitude(CenturiesOf(2448908.5), -1));
    EXPECT_NEAR(lambda / kArcsec, 199 * 3600 + 54 * 60 + 21.818, 1.0);
}

TEST(Eph0Moon, LongitudeMatchesMeeusExample47a)
{
    // 1992-04-12 0h TD: geometric longitude of date 133.162655°, from Meeus' abridged ELP-2000/82
    // (good to about 10″).
    const double lambda = NormalizeAngle(MoonLongitude(CenturiesOf(2448724.5), -1));
    EXPECT_NEAR(lambda / kArcsec, 133.162655 * 3600, 10.0);
}

TEST(Eph0Sun, EquationOfTimeMatchesMeeusExample28a)
{
    // 1992-10-13 0h TD: E = +13m42.6s (sundials ahead of the clock).
    EXPECT_NEAR(EquationOfTime(CenturiesOf(2448908.5)) * 86400, 13 * 60 + 42.6, 0.2);
}

TEST(Eph0Sun, EquationOfTimeOverAYear)
{
    // Its well-known yearly extremes: about -14m15s in mid-February, +16m25s early in November.
    double low = 1;
    double high = -1;
    for (double d = 0; d < 366; d += 0.25) {
        const double e = EquationOfTime(CenturiesOf(2459945.5 + d));  // 2023
        low = std::min(low, e);
        high = std::max(high, e);
    }
    EXPECT_NEAR(low * 86400, -14 * 60 - 15, 10);
    EXPECT_NEAR(high * 86400, 16 * 60 + 25, 10);
}

TEST(Eph0Series, EarthTableHoldsTheLargestVsop87Terms)
{
    // Terms kept per power, L0..L5, B0..B5, R0..R5.
    const std::array<int, 18> kept = {186, 114, 60, 8, 4, 4, 23, 3, 1, 0, 0, 0, 236, 142, 85, 5, 9, 2};
    EXPECT_EQ(kEarthSeries[0], 1e10);
    EXPECT_EQ(SeriesStart(kEarthSeries, 0), 20);  // scale, 18 starts and the end precede the terms
    for (int s = 0; s < 18; ++s) {
        ASSERT_EQ(TermsIn(kEarthSeries, s, kEarthNumbersPerTerm), kept[s]) << s;
        const double* term = kEarthSeries + SeriesStart(kEarthSeries, s);
        for (int i = 1; i < kept[s]; ++i) EXPECT_GE(term[3 * (i - 1)], term[3 * i]) << s << ' ' << i;
    }
    // VSOP87D.ear, Earth, the first terms of L0 and L1, and the smallest kept in L0, B0, R0.
    const double* l0 = kEarthSeries + SeriesStart(kEarthSeries, 0);
    EXPECT_EQ(l0[0], 17534704567.0);
    EXPECT_EQ(l0[3], 334165646.0);
    EXPECT_NEAR(l0[4], 4.669256804, 1e-9);
    EXPECT_NEAR(l0[5], 6283.075849991, 1e-9);
    EXPECT_EQ(l0[6], 3489428.0);
    EXPECT_EQ(l0[9], 349706.0);
    EXPECT_NEAR(l0[10], 2.744118, 1e-6);
    EXPECT_EQ(kEarthSeries[SeriesStart(kEarthSeries, 1)], 62833196674749.0);
    EXPECT_EQ(kEarthSeries[SeriesStart(kEarthSeries, 1) - 3], 179.0);
    EXPECT_EQ(kEarthSeries[SeriesStart(kEarthSeries, 7) - 3], 521.0);
    EXPECT_EQ(kEarthSeries[SeriesStart(kEarthSeries, 13) - 3], 33.0);
}

TEST(Eph0Series, MoonTableHoldsTheLargestElpTerms)
{
    // Terms kept per power: longitude t^0..t^3, latitude, distance.
    const std::array<int, 12> kept = {442, 149, 34, 2, 206, 45, 12, 0, 221, 52, 12, 0};
    for (int s = 0; s < 12; ++s) {
        ASSERT_EQ(TermsIn(kMoonSeries, s, kMoonNumbersPerTerm), kept[s]) << s;
        const double* term = kMoonSeries + SeriesStart(kMoonSeries, s);
        for (int i = 1; i < kept[s]; ++i) EXPECT_GE(term[6 * (i - 1)], term[6 * i]) << s << ' ' << i;
    }
    // The three largest longitude terms (the equation of the centre, the evection and the
    // variation) of ELP/MPP02 with the DE405 fit, in the stored form.
    const double expected[3][6] = {
        {22639.586, 0.78475822, 8328.691424623, 1.5229241, 25.0719, -0.123598},
        {4586.438, 0.1873974, 7214.06286536, -2.184756, -18.86, 0.0828},
        {2369.914, 2.542952, 15542.75428998, -0.661832, 6.212, -0.0408},
    };
    const double* term = kMoonSeries + SeriesStart(kMoonSeries, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(term[6 * i], expected[i][0], 0.001) << i;
        EXPECT_NEAR(term[6 * i + 1], expected[i][1], 1e-6) << i;
        EXPECT_NEAR(term[6 * i + 2], expected[i][2], 1e-8) << i;
        EXPECT_NEAR(term[6 * i + 3], expected[i][3], 1e-6) << i;
        EXPECT_NEAR(term[6 * i + 4], expected[i][4], 1e-3) << i;
        EXPECT_NEAR(term[6 * i + 5], expected[i][5], 1e-4) << i;
    }
    // The smallest kept term of the main power is about 0.011″.
    EXPECT_NEAR(kMoonSeries[SeriesStart(kMoonSeries, 1) - 6], 0.011, 0.0005);
}

TEST(Eph0Series, EarthBudgetSpreadsTermsOverThePowers)
{
    EXPECT_EQ(EarthLongitudeTermCounts(10), (std::array<int, 6>{5, 4, 3, 2, 1, 1}));
    EXPECT_EQ(EarthLongitudeTermCounts(-1), (std::array<int, 6>{186, 114, 60, 8, 4, 4}));
    EXPECT_EQ(EarthLongitudeTermCounts(0), (std::array<int, 6>{0, 1, 1, 1, 1, 1}));
    // No power takes more than it has, however large the budget.
    EXPECT_EQ(EarthLongitudeTermCounts(2000000000), EarthLongitudeTermCounts(-1));

    // EarthLongitude sums exactly those terms.
    const double tau = 0.123;
    const std::array<int, 6> counts = EarthLongitudeTermCounts(10);
    double sum = 0;
    for (int k = 0; k < 6; ++k) {
        const double* term = kEarthSeries + SeriesStart(kEarthSeries, k);
        double s = 0;
        for (int i = 0; i < counts[k]; ++i) s += term[3 * i] * std::cos(term[3 * i + 1] + term[3 * i + 2] * tau);
        sum += s * std::pow(tau, k);
    }
    EXPECT_NEAR(EarthLongitude(10 * tau, 10), sum / 1e10 + EarthLongitudeCorrection(tau), 1e-12);
}

TEST(Eph0Series, MoonBudgetIsRelativeToTheMainPower)
{
    EXPECT_EQ(MoonLongitudeTermCounts(20), (std::array<int, 4>{20, 8, 3, 1}));
    EXPECT_EQ(MoonLongitudeTermCounts(-1), (std::array<int, 4>{442, 149, 34, 2}));
    EXPECT_EQ(MoonLongitudeTermCounts(0), (std::array<int, 4>{0, 1, 1, 1}));
    EXPECT_EQ(MoonLongitudeTermCounts(2000000000), MoonLongitudeTermCounts(-1));

    // MoonLongitude sums exactly those terms over the mean longitude and the precession.
    const double t = -0.37;
    const std::array<int, 4> counts = MoonLongitudeTermCounts(20);
    double sum = 0;
    for (int k = 0; k < 4; ++k) {
        const double* term = kMoonSeries + SeriesStart(kMoonSeries, k);
        double s = 0;
        for (int i = 0; i < counts[k]; ++i) {
            const double* a = term + 6 * i;
            s += a[0] * std::cos(a[1] + a[2] * t + a[3] * 1e-4 * t * t + a[4] * 1e-8 * t * t * t +
                                 a[5] * 1e-8 * t * t * t * t);
        }
        sum += s * std::pow(t, k);
    }
    const double meanLongitude = 3.81034409 + 8399.684730072 * t - 0.00003319 * t * t + 0.0000000311 * t * t * t -
                                 0.0000000002033 * std::pow(t, 4);
    EXPECT_NEAR(MoonLongitude(t, 20), meanLongitude + (PrecessionInLongitude(t) + sum) * kArcsec, 1e-10);
}

TEST(Eph0Sun, RatesAgreeWithTheSeries)
{
    // The short rate formulas against a central difference of the full series.
    for (double t = -20; t <= 20; t += 0.731) {
        const double h = 1e-6;
        const double sun = (SunApparentLongitude(t + h, -1) - SunApparentLongitude(t - h, -1)) / (2 * h);
        const double moon = (MoonLongitude(t + h, -1) - MoonLongitude(t - h, -1)) / (2 * h);
        EXPECT_NEAR(SunLongitudeRate(t), sun, 0.001 * sun) << t;
        EXPECT_NEAR(MoonLongitudeRate(t), moon, 0.005 * moon) << t;
    }
}

TEST(Eph0Series, SeriesCosMatchesTheLibrary)
{
    // Arguments as the series meet them: up to a few million radians for t of +-80 centuries,
    // and right at quarter turns, where the reduction loses most.
    double worst = 0;
    for (double x = -6.4e6; x < 6.4e6; x += 97.3312) worst = std::max(worst, std::abs(SeriesCos(x) - std::cos(x)));
    for (double x = -10; x < 10; x += 0.000731) worst = std::max(worst, std::abs(SeriesCos(x) - std::cos(x)));
    for (int k = -4000000; k < 4000000; k += 1009) {
        const double x = k * (std::numbers::pi / 2);
        worst = std::max(worst, std::abs(SeriesCos(x) - std::cos(x)));
    }
    EXPECT_LT(worst, 3e-16);
    // Beyond the reduction's reach it hands over to the library.
    EXPECT_EQ(SeriesCos(1e7 + 0.25), std::cos(1e7 + 0.25));
    EXPECT_TRUE(std::isnan(SeriesCos(std::nan(""))));
}
