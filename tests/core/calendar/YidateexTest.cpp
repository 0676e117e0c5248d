// The calendar converter's day-level operations.
#include "Yidateex.h"

#include <gtest/gtest.h>

namespace {
MDateTime At(int y, int m, int d, int h = 12, int min = 0)
{
    return {static_cast<int16_t>(y), static_cast<int16_t>(m), static_cast<int16_t>(d), static_cast<int16_t>(h),
            static_cast<int16_t>(min)};
}
}  // namespace

TEST(MYiDateEx, ToJulianDayAddsOneSecond)
{
    MYiDateEx c;
    EXPECT_NEAR(c.ToJulianDay(At(2000, 1, 1)), 2451545.0 + 1.0 / 86400, 1e-9);
    EXPECT_NEAR(c.ToJulianDay(At(-4712, 1, 1)), 1.0 / 86400, 1e-9);
}

TEST(MYiDateEx, WeekdayAndDayCycle)
{
    MYiDateEx c;
    EXPECT_EQ(c.Weekday(At(1582, 10, 4, 0)), 4);
    EXPECT_EQ(c.Weekday(At(1582, 10, 15, 0)), 5);
    EXPECT_EQ(c.Weekday(At(2000, 1, 1)), 6);
    EXPECT_EQ(c.DayCycleIndex(At(2000, 1, 1)), 55);  // 戊午
    EXPECT_EQ(c.Weekday(At(2026, 12, 9)), 3);
    // Days before JD 0 still give residues in range.
    EXPECT_GE(c.DayCycleIndex(At(-4712, 1, 1, 0)), 0);
}

TEST(MYiDateEx, DateExists)
{
    MYiDateEx c;
    EXPECT_TRUE(c.DateExists(At(0, 2, 29)));  // 1 BC, a Julian leap year
    EXPECT_TRUE(c.DateExists(At(-4, 2, 29)));
    EXPECT_TRUE(c.DateExists(At(1500, 2, 29)));
    EXPECT_TRUE(c.DateExists(At(2000, 2, 29)));
    EXPECT_FALSE(c.DateExists(At(1900, 2, 29)));
    EXPECT_FALSE(c.DateExists(At(2023, 2, 29)));
    EXPECT_FALSE(c.DateExists(At(1582, 10, 10)));
    EXPECT_TRUE(c.DateExists(At(1582, 10, 4)));
    EXPECT_TRUE(c.DateExists(At(1582, 10, 31)));
    EXPECT_FALSE(c.DateExists(At(2024, 4, 31)));
    EXPECT_TRUE(c.DateExists(At(9999, 12, 31)));
    EXPECT_EQ(c.DaysInMonth(At(1582, 10, 1)), 21);
    EXPECT_EQ(c.DaysInMonth(At(2024, 2, 1)), 29);
}

TEST(MYiDateEx, FromJulianDayRoundsToTheMinute)
{
    MYiDateEx c;
    EXPECT_EQ(c.FromJulianDay(ToJd({2000, 1, 1, 12, 0, 30})), At(2000, 1, 1, 12, 0));
    EXPECT_EQ(c.FromJulianDay(ToJd({2000, 1, 1, 12, 0, 31})), At(2000, 1, 1, 12, 1));
    EXPECT_EQ(c.FromJulianDay(ToJd({2000, 1, 1, 23, 59, 45})), At(2000, 1, 2, 0, 0));
    EXPECT_EQ(c.FromJulianDay(ToJd({9999, 12, 31, 23, 59, 40})), At(10000, 1, 1, 0, 0));
    EXPECT_EQ(c.FromJulianDay(ToJd({1582, 10, 4, 23, 59, 50})), At(1582, 10, 15, 0, 0));
}

TEST(MYiDateEx, NextDayCrossesTheReform)
{
    MYiDateEx c;
    MDateTime t = At(1582, 10, 4, 8, 30);
    c.NextDay(t);
    EXPECT_EQ(t, At(1582, 10, 15, 8, 30));
    t = At(1999, 12, 31, 23, 59);
    c.NextDay(t);
    EXPECT_EQ(t, At(2000, 1, 1, 23, 59));
}

TEST(MYiDateEx, RoundToSendsHalvesDown)
{
    EXPECT_EQ(MYiDateEx::RoundTo(2.5, 0), 2.0);
    EXPECT_EQ(MYiDateEx::RoundTo(-2.5, 0), -3.0);
    EXPECT_DOUBLE_EQ(MYiDateEx::RoundTo(0.125, 2), 0.12);
    EXPECT_DOUBLE_EQ(MYiDateEx::RoundTo(2.51, 0), 3.0);
    EXPECT_DOUBLE_EQ(MYiDateEx::RoundTo(1.23456, 3), 1.235);
}

TEST(YearNumbering, HistoricalAndStoredYears)
{
    EXPECT_EQ(HistoricalToStoredYear(-1), 0);
    EXPECT_EQ(HistoricalToStoredYear(-120), -119);
    EXPECT_EQ(HistoricalToStoredYear(-4713), -4712);
    EXPECT_EQ(HistoricalToStoredYear(2024), 2024);
    EXPECT_EQ(StoredToHistoricalYear(0), -1);
    EXPECT_EQ(StoredToHistoricalYear(-4712), -4713);
    EXPECT_EQ(StoredToHistoricalYear(1), 1);
}
