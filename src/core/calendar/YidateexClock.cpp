// Local mean time and true solar time of a Beijing time.
#include "Eph.h"
#include "Yidateex.h"

#include <cmath>

double MYiDateEx::EquationOfTimeSeconds(const MDateTime& t)
{
    // Universal Time as days from J2000 (Beijing time less 8 hours), then Terrestrial Time.
    const double civil = CalendarToJd(t.year, t.month, t.day + (t.hour + t.minute / 60.0) / 24);
    const double u = civil - eph::kBeijingOffset - eph::kJ2000;
    return EquationOfTime((u + DeltaTDays(u)) / 36525) * 86400;
}

int MYiDateEx::ApplyClockKind(float longitude, MDateTime& t, int kind)
{
    if (kind != kClockTrueSolar && kind != kClockLocalMean) return 0;
    const double x = ToJulianDay(t);
    const int equation = kind == kClockTrueSolar ? static_cast<int>(std::trunc(EquationOfTimeSeconds(t))) : 0;
    t = FromJulianDay(x + (equation - MeridianSeconds(longitude)) / 86400.0);
    return equation;
}

int MYiDateEx::MeridianSeconds(float longitude)
{
    // From the float's own value: 116.4f is a little above 116.4 and gives 863 s, not 864.
    return static_cast<int>(std::floor((120 - static_cast<double>(longitude)) * 4 * 60));
}
