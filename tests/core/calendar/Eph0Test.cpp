// Julian day conversions. Expected values: Meeus, Astronomical Algorithms (2nd ed.), ch. 7.
#include "Eph0.h"

#include <gtest/gtest.h>

TEST(CalendarToJd, KnownEpochs)
{
    EXPECT_DOUBLE_EQ(CalendarToJd(2000, 1, 1.5), 2451545.0);       // J2000
    EXPECT_DOUBLE_EQ(CalendarToJd(-4712, 1, 1.5), 0.0);           // the origin of the scale
    EXPECT_DOUBLE_EQ(CalendarToJd(1957, 10, 4.81), 2436116.31);   // Meeus example 7.a
    EXPECT_DOUBLE_EQ(CalendarToJd(333, 1, 27.5), 1842713.0);      // Meeus example 7.b (Julian)
    EXPECT_DOUBLE_EQ(CalendarToJd(-1000, 7, 12.5), 1356001.0);    // Meeus table 7.a
    EXPECT_DOUBLE_EQ(CalendarToJd(1600, 1, 1.0), 2305447.5);
}

TEST(CalendarToJd, GregorianReformIsContinuous)
{
    EXPECT_DOUBLE_EQ(CalendarToJd(1582, 10, 4.0), 2299159.5);
    EXPECT_DOUBLE_EQ(CalendarToJd(1582, 10, 15.0), 2299160.5);
}

TEST(JdToCalendar, InvertsCalendarToJd)
{
    const JulianDate a = JdToCalendar(2436116.31);
    EXPECT_EQ(a.year, 1957);
    EXPECT_EQ(a.month, 10);
    EXPECT_EQ(a.day, 4);
    EXPECT_EQ(a.hour, 19);
    EXPECT_EQ(a.minute, 26);
    const JulianDate reform = JdToCalendar(2299160.5);
    EXPECT_EQ(reform.year, 1582);
    EXPECT_EQ(reform.month, 10);
    EXPECT_EQ(reform.day, 15);
    const JulianDate origin = JdToCalendar(0.0);
    EXPECT_EQ(origin.year, -4712);
    EXPECT_EQ(origin.month, 1);
    EXPECT_EQ(origin.day, 1);
    EXPECT_EQ(origin.hour, 12);
}

TEST(JdToCalendar, RoundTripsEveryDayOverTheWholeRange)
{
    for (double jd = 0.5; jd < 5373484.5; jd += 97.0) {
        const JulianDate d = JdToCalendar(jd);
        EXPECT_DOUBLE_EQ(CalendarToJd(d.year, d.month, d.day), jd) << d.year << '-' << d.month << '-' << d.day;
    }
}

TEST(ToJd, FoldsTheTimeIntoTheDay)
{
    EXPECT_DOUBLE_EQ(ToJd(JulianDate{2000, 1, 1, 12, 0, 0}), 2451545.0);
    EXPECT_NEAR(ToJd(JulianDate{2000, 1, 1, 18, 0, 0}), 2451545.25, 1e-9);
    EXPECT_NEAR(ToJd(JulianDate{2000, 1, 1, 12, 0, 1}), 2451545.0 + 1.0 / 86400, 1e-9);
}
