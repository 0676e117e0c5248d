// The two inverse problems of the calendar: when the sun reaches an apparent longitude, and
// when the moon-sun elongation reaches a value. Newton steps from a first guess linear in the
// target, each step with more terms; the targets keep their whole turns.
#include "Eph.h"
#include "Eph0.h"

#include <cmath>

using eph::kPi;
using eph::kSecondsPerRadian;

namespace {

constexpr double kSunMeanRate = 628.3319653318;         // rad per century
constexpr double kElongationMeanRate = 7771.37714500204;  // rad per century
constexpr int kAllTerms = -1;

}  // namespace

double MoonSunElongation(double t, int nM, int nE)
{
    return MoonLongitude(t, nM) + MoonAberration() - (EarthLongitude(t, nE) + SunAberration(t) + kPi);
}

double TimeOfElongation(double w)
{
    double t = (w + 1.08472) / kElongationMeanRate;
    t += (w - MoonSunElongation(t, 3, 3)) / kElongationMeanRate;
    const double v = MoonLongitudeRate(t) - SunLongitudeRate(t);
    t += (w - MoonSunElongation(t, 20, 10)) / v;
    t += (w - MoonSunElongation(t, kAllTerms, 60)) / v;
    return t;
}

double TimeOfSunLongitude(double w)
{
    double t = (w - 1.75347 - kPi) / kSunMeanRate;
    t += (w - SunApparentLongitude(t, 10)) / SunLongitudeRate(t);
    t += (w - SunApparentLongitude(t, kAllTerms)) / SunLongitudeRate(t);
    return t;
}

double TimeOfElongationFast(double w)
{
    double t = (w + 1.08472) / kElongationMeanRate;
    const double t2 = t * t;
    // The largest periodic terms of the moon and the sun, against the mean motion.
    t -= (-0.00003309 * t2 + 0.10976 * std::cos(0.784758 + 8328.6914246 * t + 0.000152292 * t2) +
          0.02224 * std::cos(0.1874 + 7214.0628654 * t - 0.00021848 * t2) -
          0.03342 * std::cos(4.669257 + 628.307585 * t)) /
         kElongationMeanRate;
    const double sunLongitude = 4.8950632 + kSunMeanRate * t + 0.000005297 * t * t +
                                0.0334166 * std::cos(4.669257 + 628.307585 * t) +
                                0.0002061 * std::cos(2.67823 + 628.307585 * t) * t +
                                0.000349 * std::cos(4.6261 + 1256.61517 * t) - 20.5 / kSecondsPerRadian;
    const double elongation = MoonLongitude(t, 20) - sunLongitude;
    const double v = 7771.38 - 914 * std::sin(0.7848 + 8328.691425 * t + 0.0001523 * t * t) -
                     179 * std::sin(2.543 + 15542.7543 * t) - 160 * std::sin(0.1874 + 7214.0629 * t);
    return t + (w - elongation) / v;
}

double TimeOfSunLongitudeFast(double w)
{
    double t = (w - 1.75347 - kPi) / kSunMeanRate;
    t -= (0.000005297 * t * t + 0.0334166 * std::cos(4.669257 + 628.307585 * t) +
          0.0002061 * std::cos(2.67823 + 628.307585 * t) * t) /
         kSunMeanRate;
    // Aberration and the largest nutation term, in arcseconds.
    const double correction = (20.5 + 17.2 * std::sin(2.1824 - 33.75705 * t)) / kSecondsPerRadian;
    return t + (w - EarthLongitude(t, 8) - kPi + correction) / kSunMeanRate;
}
