// Angle reduction and the ecliptic-to-equatorial rotation.
#include "Eph.h"
#include "Eph0Ephemeris.h"

#include <cmath>

using eph::kPi;
using eph::kTwoPi;

double NormalizeAngle(double x)
{
    const double v = x - kTwoPi * std::trunc(x / kTwoPi);
    if (v >= 0) return v;
    // A tiny negative v would round up to a whole turn.
    const double r = v + kTwoPi;
    return r < kTwoPi ? r : 0.0;
}

double NormalizeSignedAngle(double x)
{
    double v = x - kTwoPi * std::trunc(x / kTwoPi);
    if (v <= -kPi)
        v += kTwoPi;
    else if (v > kPi)
        v -= kTwoPi;
    return v;
}

EquatorialPosition EclipticToEquatorial(const EclipticPosition& p, double obliquity)
{
    const double sinE = std::sin(obliquity);
    const double cosE = std::cos(obliquity);
    const double sinL = std::sin(p.longitude);
    EquatorialPosition q;
    q.rightAscension =
        NormalizeAngle(std::atan2(sinL * cosE - std::tan(p.latitude) * sinE, std::cos(p.longitude)));
    q.declination = std::asin(cosE * std::sin(p.latitude) + sinE * std::cos(p.latitude) * sinL);
    q.radius = p.radius;
    return q;
}
