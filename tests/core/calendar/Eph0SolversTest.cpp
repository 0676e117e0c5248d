// The instants at which the sun reaches a longitude and the moon an elongation.
#include "Eph.h"
#include "Eph0.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using eph::kPi;
using eph::kSecondsPerRadian;
using eph::kTwoPi;

constexpr double kMinute = 1.0 / 1440;  // days

// Beijing civil JD of an instant given in centuries of TT.
double BeijingJd(double t)
{
    const double d = 36525 * t;
    return eph::kJ2000 + d - DeltaTDays(d) + eph::kBeijingOffset;
}

double UtJd(double t) { return BeijingJd(t) - eph::kBeijingOffset; }

// Target for the sun's passage through a longitude (degrees) in a calendar year. The sun
// stands at about 280° when 2000 begins, so smaller longitudes come one turn later.
double SunTarget(int year, double degrees)
{
    return kTwoPi * (year - 2000 + (degrees < 280 ? 1 : 0)) + degrees * kPi / 180;
}

struct Residuals {
    double precise = 0;  // arcseconds
    double fast = 0;     // minutes of time
};

Residuals SunResiduals(double firstYear, double lastYear, double stepDegrees)
{
    Residuals r;
    for (double w = kTwoPi * (firstYear - 2000); w < kTwoPi * (lastYear - 2000); w += stepDegrees * kPi / 180) {
        const double t = TimeOfSunLongitude(w);
        r.precise = std::max(r.precise, std::abs(SunApparentLongitude(t, -1) - w) * kSecondsPerRadian);
        r.fast = std::max(r.fast, std::abs(TimeOfSunLongitudeFast(w) - t) * 36525 * 1440);
    }
    return r;
}

Residuals ElongationResiduals(double firstYear, double lastYear, double stepDegrees)
{
    const double lunationsPerYear = 12.368267;
    Residuals r;
    for (double w = kTwoPi * lunationsPerYear * (firstYear - 2000); w < kTwoPi * lunationsPerYear * (lastYear - 2000);
         w += stepDegrees * kPi / 180) {
        const double t = TimeOfElongation(w);
        r.precise = std::max(r.precise, std::abs(MoonSunElongation(t, -1, 60) - w) * kSecondsPerRadian);
        r.fast = std::max(r.fast, std::abs(TimeOfElongationFast(w) - t) * 36525 * 1440);
    }
    return r;
}

}  // namespace

TEST(Eph0Solvers, SunReachesLichunAtThePublishedMinute)
{
    // 立春 (sun at 315°), Beijing time, as published by the Purple Mountain Observatory.
    struct Case {
        int year, day, hour, minute;
    };
    for (const Case& c : {Case{2022, 4, 4, 51}, Case{2023, 4, 10, 42}, Case{2024, 4, 16, 27}, Case{2025, 3, 22, 10}}) {
        const double w = kTwoPi * (c.year - 2000 + 1 - 45.0 / 360);
        const double expected = CalendarToJd(c.year, 2, c.day + (c.hour + c.minute / 60.0) / 24);
        EXPECT_NEAR(BeijingJd(TimeOfSunLongitude(w)), expected, kMinute) << c.year;
    }
}

TEST(Eph0Solvers, SunReachesTheEquinoxAndSolsticeOf2000)
{
    // USNO: March equinox 2000-03-20 07:35 UT, December solstice 2000-12-21 13:37 UT.
    EXPECT_NEAR(UtJd(TimeOfSunLongitude(SunTarget(2000, 360))), CalendarToJd(2000, 3, 20 + 7.5833 / 24), kMinute);
    EXPECT_NEAR(UtJd(TimeOfSunLongitude(SunTarget(2000, 270))), CalendarToJd(2000, 12, 21 + 13.6167 / 24), kMinute);
}

TEST(Eph0Solvers, NewMoonsAtThePublishedInstants)
{
    // Meeus, Astronomical Algorithms, example 49.a: 1977-02-18 3h37m40s TD (283 lunations
    // before the one of w = 0).
    const double t1977 = TimeOfElongation(-283 * kTwoPi);
    const double expected = CalendarToJd(1977, 2, 18 + (3 + 37 / 60.0 + 40 / 3600.0) / 24);
    EXPECT_NEAR(eph::kJ2000 + 36525 * t1977, expected, 10.0 / 86400);
    // USNO: 2000-01-06 18:14 UT.
    EXPECT_NEAR(UtJd(TimeOfElongation(0)), CalendarToJd(2000, 1, 6 + (18 + 14 / 60.0) / 24), kMinute);
}

TEST(Eph0Solvers, PreciseSunMeetsItsSeries)
{
    // The full series at the instant returned equals the target within the stated 0.02″
    // (half a second), and 0.05″ over seven millennia.
    EXPECT_LT(SunResiduals(1800, 2200, 7.5).precise, 0.02);
    EXPECT_LT(SunResiduals(-4000, 3000, 97.3).precise, 0.05);
}

TEST(Eph0Solvers, PreciseElongationMeetsItsSeries)
{
    // The last Newton step uses the short rate formula (good to 0.3 %) on an error of up to
    // 160″ left by the 20-term step, so the full series ends within about 0.3″ of the target
    // from 1800 to 2200 (0.6 s of time), and within 4″ over seven millennia.
    EXPECT_LT(ElongationResiduals(1800, 2200, 61).precise, 0.35);
    EXPECT_LT(ElongationResiduals(-4000, 3000, 997).precise, 4.0);
}

TEST(Eph0Solvers, FastSolversStayCloseToThePreciseOnes)
{
    // Measured envelopes, minutes of time: 8 Earth terms leave the sun up to about 13 minutes
    // off, 20 moon terms the new moons about 4 minutes, from 1800 to 2200.
    EXPECT_LT(SunResiduals(1800, 2200, 7.5).fast, 15);
    EXPECT_LT(ElongationResiduals(1800, 2200, 61).fast, 5);
    // Over seven millennia the stated envelopes are 20 and 45 minutes.
    EXPECT_LT(SunResiduals(-4000, 3000, 97.3).fast, 20);
    EXPECT_LT(ElongationResiduals(-4000, 3000, 997).fast, 45);
}

TEST(Eph0Solvers, TargetsKeepTheirWholeTurns)
{
    // One more turn of the target is one tropical year or one synodic month later.
    const double year = (TimeOfSunLongitude(SunTarget(2001, 90)) - TimeOfSunLongitude(SunTarget(2000, 90))) * 36525;
    EXPECT_NEAR(year, 365.2422, 0.02);
    const double month = (TimeOfElongation(kTwoPi * 101) - TimeOfElongation(kTwoPi * 100)) * 36525;
    EXPECT_NEAR(month, 29.53, 0.4);
}
