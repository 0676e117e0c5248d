// Gregorian <-> lunar date conversions.
#include "Eph.h"
#include "Yidateex.h"

#include <algorithm>

namespace {

// Day number -5810 is 1984-02-04, near the first day of the lunar year 1984.
constexpr double kYear1984Start = 5810;

// Orders lunar dates (a leap month after its namesake) well enough to tell the direction of
// the search from one to another.
int SearchKey(int year, int month, int day, bool leap)
{
    return int2(29.5 * month) + 354 * year + day + (leap ? 30 : 0);
}

}  // namespace

MYiDateEx::LunarDay MYiDateEx::LunarDayOf(int32_t d) const
{
    const SSQ_class& y = ssq_;
    int k = int2((d - y.NewMoons[0]) / 30.0);
    if (k < 13 && y.NewMoons[k + 1] <= d) k++;

    // The year number changes at the first month numbered 1 (the solstice month under Empress
    // Wu's reform); a first month still ahead of d belongs to the next year.
    int32_t yearStart = y.NewMoons[2];
    for (int i = 0; i < 14; ++i) {
        if (y.MonthNumbers[i] != 1 || (i == y.LeapIndex && i != 0)) continue;
        yearStart = y.NewMoons[i];
        if (yearStart > d) {
            yearStart -= 365;
            break;
        }
    }
    return {int2((yearStart + kYear1984Start) / 365.2422 + 0.5) + 1984, y.MonthNumbers[k], d - y.NewMoons[k] + 1,
            y.LeapIndex != 0 && k == y.LeapIndex};
}

bool MYiDateEx::GregorianToLunar(const MDateTime& g, MDateTime& out)
{
    const int32_t d = DayJd(g) - static_cast<int32_t>(eph::kJ2000);
    ssq_.ComputeYear(d);
    const LunarDay l = LunarDayOf(d);
    out = {static_cast<int16_t>(l.year), static_cast<int16_t>(l.month), static_cast<int16_t>(l.day), g.hour,
           g.minute};
    return l.leap;
}

// Starts from the lunar numbers read as a Gregorian date, which lies within about two months
// of the lunar date, and walks day by day towards it.
bool MYiDateEx::LunarToGregorian(const MDateTime& l, MDateTime& out, bool leap, std::string& message)
{
    const int16_t startDay = l.month == 2 ? std::min<int16_t>(l.day, 28) : l.day;
    double x = ToJulianDay({l.year, l.month, startDay, 12, 0});

    MDateTime start;
    const bool startLeap = GregorianToLunar({l.year, l.month, startDay, 12, 0}, start);
    const int step = SearchKey(l.year, l.month, l.day, leap) < SearchKey(start.year, start.month, start.day, startLeap)
                         ? -1
                         : 1;

    for (int tries = 0; tries < 181; ++tries, x += step) {
        const int32_t d = int2(x) - static_cast<int32_t>(eph::kJ2000);
        ssq_.ComputeYear(d);
        const LunarDay found = LunarDayOf(d);
        if (found.year == l.year && found.month == l.month && found.day == l.day && found.leap == leap) {
            out = FromJulianDay(x);
            out.hour = l.hour;
            out.minute = l.minute;
            return true;
        }
    }
    message = kNoSuchLunarDate;
    return false;
}
