#pragma once
// Julian days and the Julian/Gregorian calendar: the base time scale of the calendar engine.
// All civil times are Beijing time (UTC+8); a JD here is the JD of a Beijing civil instant.
// The sun and moon ephemeris of the same unit is declared in Eph0Ephemeris.h.
#include "Eph0Ephemeris.h"

#include <cstdint>

// Largest integer not greater than x, as a 32-bit integer.
int int2(double x);

// Calendar date-time with seconds; starts at the J2000 epoch, 2000-01-01 12:00:00.
struct JulianDate {
    int32_t year = 2000;  // astronomical numbering
    int32_t month = 1;
    int32_t day = 1;
    int32_t hour = 12;
    int32_t minute = 0;
    int32_t second = 0;
};

// JD of a calendar date; the day may carry a fraction. Dates before 1582-10-15 are Julian,
// later ones Gregorian. Valid for any year; the program uses -4712..9999.
double CalendarToJd(int year, int month, double day);

// Calendar date-time of a JD (the Julian calendar before JD 2299160.5), seconds truncated
// (with 0.1 ms allowed for the rounding of the JD itself).
JulianDate JdToCalendar(double jd);

// JD of a date-time, with hour, minute and second folded into the day fraction.
double ToJd(const JulianDate& t);
