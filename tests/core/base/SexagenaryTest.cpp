// The sixty-step cycle: 1984 and 2024 are the 甲子 and 甲辰 years of the traditional calendar.
#include "Sexagenary.h"

#include <gtest/gtest.h>

TEST(Sexagenary, LabelTablesStartWithTheLastMember)
{
    EXPECT_EQ(kStemNames[0], "癸");
    EXPECT_EQ(kStemNames[1], "甲");
    EXPECT_EQ(kBranchNames[0], "亥");
    EXPECT_EQ(kBranchNames[11], "戌");
    EXPECT_EQ(kAnimalNames[1], "鼠");
    EXPECT_EQ(CycleName(0), "癸亥");
    EXPECT_EQ(CycleName(1), "甲子");
    EXPECT_EQ(CycleName(59), "壬戌");
}

TEST(Sexagenary, YearCycleIndex)
{
    EXPECT_EQ(YearCycleIndex(1984), 1);
    EXPECT_EQ(YearCycleIndex(1983), 0);
    EXPECT_EQ(YearCycleIndex(2024), 41);
    EXPECT_EQ(YearCycleIndex(4), 1);
    EXPECT_EQ(kAnimalNames[BranchOf(YearCycleIndex(1984))], "鼠");
    EXPECT_EQ(YearCycleIndex(-4712), Mod(-4712 + 6897, 60));
}

TEST(Sexagenary, CycleIndexPairsStemAndBranch)
{
    EXPECT_EQ(CycleIndex(3, 3), 3);    // 丙寅
    EXPECT_EQ(CycleIndex(3, 1), 13);   // 丙子
    EXPECT_EQ(CycleIndex(0, 0), 0);    // 癸亥
    EXPECT_EQ(CycleIndex(1, 11), 11);  // 甲戌
    EXPECT_EQ(CycleIndex(9, 1), 49);   // 壬子
    for (int i = 0; i < 60; ++i) EXPECT_EQ(CycleIndex(StemOf(i), static_cast<int16_t>(BranchOf(i))), i);
}

TEST(Sexagenary, HourCycleIndex)
{
    // Day 56 is 己未; the 子 hour of a 己 day is 甲子.
    EXPECT_EQ(HourCycleIndex(23, 56), 1);
    EXPECT_EQ(HourCycleIndex(0, 56), 1);
    EXPECT_EQ(HourCycleIndex(1, 56), 2);
    EXPECT_EQ(HourCycleIndex(22, 56), 12);  // 乙亥
    // A 甲 day (index 1): 子 hour 甲子, 午 hour 庚午.
    EXPECT_EQ(HourCycleIndex(12, 1), 7);
    // A 癸 day counts as the fifth stem: its 子 hour is 壬子.
    EXPECT_EQ(HourCycleIndex(0, 60 - 60), 49);
}
