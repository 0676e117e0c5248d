#include "Eph0.h"

#include <algorithm>
#include <cmath>

int int2(double x) { return static_cast<int>(std::floor(x)); }

double CalendarToJd(int year, int month, double day)
{
    // 588829 is 1582-10-15 in this day-sum, the first Gregorian day.
    const bool gregorian = int2(day) + 31 * month + 372 * year >= 588829;
    if (month <= 2) {
        month += 12;
        year -= 1;
    }
    int b = 0;
    if (gregorian) {
        const int n = year / 100;
        b = 2 - n + n / 4;
    }
    return int2(365.25 * (year + 4716)) + int2(30.6001 * (month + 1)) + day + b - 1524.5;
}

JulianDate JdToCalendar(double jd)
{
    int z = int2(jd + 0.5);
    double f = jd + 0.5 - z;
    if (z >= 2299161) {
        const int c = int2((z - 1867216.25) / 36524.25);
        z += 1 + c - int2(c / 4.0);
    }
    z += 1524;
    JulianDate r;
    r.year = int2((z - 122.1) / 365.25);
    z -= int2(365.25 * r.year);
    r.month = int2(z / 30.601);
    r.day = z - int2(30.601 * r.month);
    if (r.month > 13) {
        r.month -= 13;
        r.year -= 4715;
    } else {
        r.month -= 1;
        r.year -= 4716;
    }
    // A JD near 2.4 million resolves only about 20 microseconds, so a whole second put in by
    // ToJd can come back a hair short (30.99998 s); allow 0.1 ms before truncating.
    const double seconds = std::min(f * 86400 + 1e-4, 86399.9999);
    const int whole = static_cast<int>(seconds);
    r.hour = whole / 3600;
    r.minute = whole / 60 % 60;
    r.second = whole % 60;
    return r;
}

double ToJd(const JulianDate& t)
{
    return CalendarToJd(t.year, t.month,
                        t.day + ((t.second / 60.0 + t.minute) / 60.0 + t.hour) / 24.0);
}
