#pragma once
// MYiDateEx: the calendar converter. It keeps a scratch JulianDate that every member
// overwrites, so one object must not be shared between threads.
#include "Eph0.h"
#include "MDateTime.h"

#include <cstdint>

class MYiDateEx {
public:
    // JD of a Beijing date-time at second 1 (day-level operations take int2 of the JD at 12:00:01).
    double ToJulianDay(const MDateTime& t);

    // Date-time of a JD, rounded to the minute: seconds 0..30 are dropped, 31..59 carry into
    // the next minute (and on into hour, day, month and year).
    MDateTime FromJulianDay(double jd);

    // The same clock time one day later.
    void NextDay(MDateTime& t);

    // False for 1582-10-05..14 and for a day beyond the length of its month (Julian leap years
    // up to 1582, Gregorian ones after). Does not check day < 1 or the month range.
    bool DateExists(const MDateTime& t);

    // Days in t's month (October 1582 has 21), or 0 when t's date does not exist.
    int DaysInMonth(const MDateTime& t);

    // 0 = Sunday .. 6 = Saturday.
    int Weekday(const MDateTime& t);

    // Cycle index of the civil day of t.
    int DayCycleIndex(const MDateTime& t);

    int16_t CycleIndex(int stem, int16_t branch) const;

    // x rounded to n decimals; an exact half goes to the lower value (2.5 -> 2, -2.5 -> -3).
    static double RoundTo(double x, int n);

protected:
    // JD number of t's civil date: int2 of the JD at 12:00:01.
    int DayJd(const MDateTime& t);

    JulianDate scratch_;
};
