#pragma once
// Constants shared by the calendar and ephemeris code.

namespace eph {

// The calendar rounds pi to eight decimals; every angle it derives depends on this value.
constexpr double kPi = 3.14159265;
constexpr double kTwoPi = 2 * kPi;
constexpr double kJ2000 = 2451545.0;  // JD of 2000-01-01 12:00
constexpr double kSecondsPerRadian = 180.0 * 3600.0 / kPi;
constexpr double kBeijingOffset = 1.0 / 3;  // days: Beijing time (UTC+8) minus UT

}  // namespace eph
