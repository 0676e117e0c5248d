// Local mean time and true solar time. Equation-of-time values are those of the Astronomical
// Almanac (about -14 min 11 s on 2024-02-11, +16 min 27 s on 2024-11-03).
#include "Yidateex.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

MDateTime At(int y, int m, int d, int h = 12, int min = 0)
{
    return {static_cast<int16_t>(y), static_cast<int16_t>(m), static_cast<int16_t>(d), static_cast<int16_t>(h),
            static_cast<int16_t>(min)};
}

}  // namespace

TEST(ClockKind, MeridianSecondsFromTheStoredFloat)
{
    EXPECT_EQ(MYiDateEx::MeridianSeconds(120.0f), 0);
    EXPECT_EQ(MYiDateEx::MeridianSeconds(116.5f), 840);
    EXPECT_EQ(MYiDateEx::MeridianSeconds(116.4f), 863);  // the float is a little above 116.4
    EXPECT_EQ(MYiDateEx::MeridianSeconds(121.47f), -353);
    EXPECT_EQ(MYiDateEx::MeridianSeconds(87.6f), 7776);
}

TEST(ClockKind, LocalMeanTime)
{
    MYiDateEx c;
    MDateTime t = At(2000, 1, 1, 12, 0);
    EXPECT_EQ(c.ApplyClockKind(120.0f, t, kClockLocalMean), 0);
    EXPECT_EQ(t, At(2000, 1, 1, 12, 0));
    t = At(2000, 1, 1, 12, 0);
    EXPECT_EQ(c.ApplyClockKind(116.5f, t, kClockLocalMean), 0);
    EXPECT_EQ(t, At(2000, 1, 1, 11, 46));  // 11:46:01
    t = At(2000, 1, 1, 12, 0);
    c.ApplyClockKind(121.47f, t, kClockLocalMean);
    EXPECT_EQ(t, At(2000, 1, 1, 12, 6));  // 12:05:54
    // 2 h 9 min 36 s west of Beijing: half past midnight goes back to the previous day.
    t = At(2000, 3, 1, 0, 30);
    c.ApplyClockKind(87.6f, t, kClockLocalMean);
    EXPECT_EQ(t, At(2000, 2, 29, 22, 20));
}

TEST(ClockKind, TrueSolarTime)
{
    MYiDateEx c;
    MDateTime t = At(2000, 1, 1, 12, 0);
    EXPECT_EQ(c.ApplyClockKind(116.5f, t, kClockTrueSolar), -187);  // from -187.4 s
    EXPECT_EQ(t, At(2000, 1, 1, 11, 43));                            // 11:42:54
}

TEST(ClockKind, BeijingTimeIsLeftAlone)
{
    MYiDateEx c;
    MDateTime t = At(2000, 1, 1, 12, 0);
    EXPECT_EQ(c.ApplyClockKind(87.6f, t, kClockBeijing), 0);
    EXPECT_EQ(t, At(2000, 1, 1, 12, 0));
}

TEST(ClockKind, EquationOfTime)
{
    MYiDateEx c;
    EXPECT_NEAR(c.EquationOfTimeSeconds(At(2024, 2, 11, 12, 0)), -851, 2);
    EXPECT_NEAR(c.EquationOfTimeSeconds(At(2024, 11, 3, 12, 0)), 987, 2);
    EXPECT_NEAR(c.EquationOfTimeSeconds(At(2000, 1, 1, 12, 0)), -187.4, 0.5);
}
