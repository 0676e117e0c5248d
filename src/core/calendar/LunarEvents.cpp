// Times of new moons and solar terms, as day counts from J2000 in Beijing time.
#include "Eph.h"
#include "Eph0.h"
#include "Lunar.h"

#include <cmath>

namespace {

constexpr double kSecondsPerDay = 86400;
constexpr double kDaysPerCentury = 36525;
constexpr double kElongationRate = 7771.37714500204;  // rad per century, mean
constexpr double kSunRate = 628.3319653318;            // rad per century, mean

// Delta T of the corrected era in centuries: a parabola centred on 1820, in seconds
// 32 (t + 1.8)^2 - 20 with t in centuries from J2000.
double ParabolicDeltaT(double t)
{
    const double square = (t + 1.8) * (t + 1.8);
    return (32 * square - 20) / kSecondsPerDay / kDaysPerCentury;
}

// Seconds after Beijing midnight of a day count.
double SecondsAfterMidnight(double d) { return ((d + 0.5) - int2(d + 0.5)) * kSecondsPerDay; }

}  // namespace

// Mean elongation rate with the three largest periodic terms of the moon and sun; accurate to
// some minutes over the corrected era (619..1959), which its correction text makes up for.
double SSQ_class::NewMoonTimeLow(double w)
{
    const double t = (w + 1.08472) / kElongationRate;
    const double periodic = -0.0000331 * t * t + 0.10976 * std::cos(0.785 + 8328.6914 * t) +
                            0.02224 * std::cos(0.187 + 7214.0629 * t) - 0.03342 * std::cos(4.669 + 628.3076 * t);
    const double tt = t - (periodic / kElongationRate + ParabolicDeltaT(t));
    return tt * kDaysPerCentury + eph::kBeijingOffset;
}

// Mean sun with the equation of the centre, its secular change and the largest nutation term;
// one Newton step on the longitude. Accurate to some minutes over 1645..1959.
double SSQ_class::TermTimeLow(double w)
{
    double t = (w - 4.895062166) / kSunRate;
    t -= (53 * t * t + 334116 * std::cos(4.67 + 628.307585 * t) + 2061 * std::cos(2.678 + 628.3076 * t) * t) /
         kSunRate / 1e7;
    const double l = 48950621.66 + 6283319653.318 * t + 53 * t * t + 334166 * std::cos(4.669257 + 628.307585 * t) +
                     3489 * std::cos(4.6261 + 1256.61517 * t) + 2060.6 * std::cos(2.67823 + 628.307585 * t) * t -
                     994 - 834 * std::sin(2.1824 - 33.75705 * t);
    t -= (l / 1e7 - w) / 628.332 + ParabolicDeltaT(t);
    return t * kDaysPerCentury + eph::kBeijingOffset;
}

// The quick solver decides the day unless its result lies within 20 minutes of midnight; then
// the full series does (Delta T taken at the quick estimate either way).
double SSQ_class::TermTimeHigh(double w)
{
    double d = TimeOfSunLongitudeFast(w) * kDaysPerCentury;
    d = d - DeltaTDays(d) + eph::kBeijingOffset;
    const double f = SecondsAfterMidnight(d);
    if (f < 1200 || f > kSecondsPerDay - 1200)
        d = TimeOfSunLongitude(w) * kDaysPerCentury - DeltaTDays(d) + eph::kBeijingOffset;
    return d;
}

// As TermTimeHigh for the moon-sun elongation, with a margin of 30 minutes.
double SSQ_class::NewMoonTimeHigh(double w)
{
    double d = TimeOfElongationFast(w) * kDaysPerCentury;
    d = d - DeltaTDays(d) + eph::kBeijingOffset;
    const double f = SecondsAfterMidnight(d);
    if (f < 1800 || f > kSecondsPerDay - 1800)
        d = TimeOfElongation(w) * kDaysPerCentury - DeltaTDays(d) + eph::kBeijingOffset;
    return d;
}
