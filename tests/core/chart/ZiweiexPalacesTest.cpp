// Pillars, palaces, chart kinds, bureau and Dou Jun of a natal chart.
#include "NatalFromLunar.h"
#include "Sexagenary.h"
#include "ZiweiexPalaces.h"

#include <gtest/gtest.h>

TEST(ChartMonth, LeapMonthCountsByTheRunSetting)
{
    // Leap fourth month, day 20: the fifth month unless run is 1.
    EXPECT_EQ(ChartMonth(4, true, 20, 0), 5);
    EXPECT_EQ(ChartMonth(4, true, 20, 1), 4);
    EXPECT_EQ(ChartMonth(4, true, 20, 2), 5);
    // Day 10 of the same month: only run 0 moves it.
    EXPECT_EQ(ChartMonth(4, true, 10, 0), 5);
    EXPECT_EQ(ChartMonth(4, true, 10, 1), 4);
    EXPECT_EQ(ChartMonth(4, true, 10, 2), 4);
    // The split is between days 15 and 16; any other run value splits as 2 does.
    EXPECT_EQ(ChartMonth(4, true, 15, 2), 4);
    EXPECT_EQ(ChartMonth(4, true, 16, 2), 5);
    EXPECT_EQ(ChartMonth(4, true, 16, 9), 5);
    EXPECT_EQ(ChartMonth(4, true, 15, 255), 4);
    // A leap twelfth month taken as the next month is the first month of the same year.
    EXPECT_EQ(ChartMonth(12, true, 3, 0), 1);
    // The thirteenth month of the years before the Han reform counts as the first.
    EXPECT_EQ(ChartMonth(13, false, 3, 0), 1);
    EXPECT_EQ(ChartMonth(13, false, 3, 1), 1);
    // Ordinary months never move.
    EXPECT_EQ(ChartMonth(4, false, 20, 0), 4);
    EXPECT_EQ(ChartMonth(12, false, 29, 2), 12);
}

TEST(ChartPillars, MonthPillarStartsAtTigerWithTheYearStem)
{
    EXPECT_EQ(CycleName(MonthPillar(1, 1)), "丙寅");   // 甲 year
    EXPECT_EQ(CycleName(MonthPillar(6, 1)), "丙寅");   // 己 year
    EXPECT_EQ(CycleName(MonthPillar(0, 1)), "甲寅");   // 癸 year
    EXPECT_EQ(CycleName(MonthPillar(1, 11)), "丙子");  // 甲 year, eleventh month
    EXPECT_EQ(CycleName(MonthPillar(1, 12)), "丁丑");
}

TEST(ChartPillars, LateRatHourWithZishiOff)
{
    // Birth at 23:30 on a 甲子 day: the 23:00 rule moves the day on.
    ChartData chart{};
    const ChartSettings settings{};
    ComputeNatalPillars(chart, {2000, 3, 5, 23, 30}, false, 1, settings);
    EXPECT_EQ(chart.dayPillar, 2);    // 乙丑
    EXPECT_EQ(chart.hourPillar, 13);  // 丙子
    EXPECT_EQ(chart.baziDay, 2);
    EXPECT_EQ(chart.baziHour, 13);
}

TEST(ChartPillars, LateRatHourWithZishiOn)
{
    ChartSettings settings{};
    settings.zishi = 1;
    ChartData chart{};
    ComputeNatalPillars(chart, {2000, 3, 4, 23, 30}, false, 1, settings);
    EXPECT_EQ(chart.dayPillar, 1);    // the day stays 甲子
    EXPECT_EQ(chart.hourPillar, 13);  // the next day's 子 hour: 丙子
    ComputeNatalPillars(chart, {2000, 3, 4, 23, 30}, false, 2, settings);
    EXPECT_EQ(chart.hourPillar, 25);  // an 乙丑 day takes 戊子
}

TEST(ChartPillars, EarlyHoursKeepTheirDay)
{
    ChartData chart{};
    ComputeNatalPillars(chart, {2000, 3, 5, 0, 30}, false, 1, {});
    EXPECT_EQ(chart.dayPillar, 1);
    EXPECT_EQ(CycleName(chart.hourPillar), "甲子");
    ComputeNatalPillars(chart, {2000, 3, 5, 1, 0}, false, 1, {});
    EXPECT_EQ(CycleName(chart.hourPillar), "乙丑");
    ComputeNatalPillars(chart, {2000, 3, 5, 22, 59}, false, 1, {});
    EXPECT_EQ(CycleName(chart.hourPillar), "乙亥");
}

TEST(ChartPillars, YearAndMonthFromTheLunarDate)
{
    ChartData chart{};
    ChartSettings settings{};
    const int month = ComputeNatalPillars(chart, {1984, 4, 20, 10, 0}, true, 30, settings);
    EXPECT_EQ(chart.yearPillar, 1);  // 甲子
    EXPECT_EQ(month, 5);
    EXPECT_EQ(CycleName(chart.monthPillar), "庚午");
    settings.run = 1;
    EXPECT_EQ(ComputeNatalPillars(chart, {1984, 4, 20, 10, 0}, true, 30, settings), 4);
    EXPECT_EQ(CycleName(chart.monthPillar), "己巳");
}

TEST(ChartPalaces, LifeAndBodyFromMonthAndHour)
{
    ChartData chart{};
    chart.yearPillar = 1;
    chart.hourPillar = 1;  // 子 hour
    ComputePalaces(chart, 1, 0);
    EXPECT_EQ(LifeBranch(chart), 3);  // 寅
    EXPECT_EQ(BranchOf(chart.bodyPalace), 3);
    chart.hourPillar = CycleIndex(9, 5);  // 辰 hour
    ComputePalaces(chart, 1, 0);
    EXPECT_EQ(LifeBranch(chart), 11);  // 戌
    EXPECT_EQ(BranchOf(chart.bodyPalace), 7);  // 午
}

TEST(ChartPalaces, PalacesRunCounterClockwiseFromLife)
{
    ChartData chart{};
    chart.yearPillar = 1;
    chart.hourPillar = 1;
    ComputePalaces(chart, 1, 0);  // Life at 寅
    EXPECT_EQ(PalaceBranch(chart, 1), 2);   // 兄弟 at 丑
    EXPECT_EQ(PalaceBranch(chart, 11), 4);  // 父母 at 卯
    EXPECT_EQ(PalaceAt(chart, 0), 3);       // 亥 holds 子女
    for (int k = 0; k < 12; ++k) EXPECT_EQ(BranchOf(chart.palaces[k].stemBranch), PalaceBranch(chart, k));
}

TEST(ChartPalaces, PalaceStemsFollowTheYearStem)
{
    EXPECT_EQ(CycleName(PalacePair(1, 3)), "丙寅");  // 甲 year
    EXPECT_EQ(CycleName(PalacePair(1, 1)), "丙子");
    EXPECT_EQ(CycleName(PalacePair(1, 0)), "乙亥");
    EXPECT_EQ(CycleName(PalacePair(0, 3)), "甲寅");  // 癸 year
    EXPECT_EQ(PalacePair(0, 0), 0);                  // 癸亥
    // 子 and 丑 repeat the stems of 寅 and 卯.
    for (int stem = 0; stem < 10; ++stem) {
        EXPECT_EQ(PalaceStem(stem, 1), PalaceStem(stem, 3));
        EXPECT_EQ(PalaceStem(stem, 2), PalaceStem(stem, 4));
    }
}

TEST(ChartPalaces, BureauIsTheSoundElementOfTheLifePalace)
{
    EXPECT_EQ(BureauElement(1), 0);                    // 甲子 metal
    EXPECT_EQ(BureauElement(CycleIndex(3, 3)), 2);     // 丙寅 fire
    EXPECT_EQ(BureauElement(CycleIndex(5, 5)), 4);     // 戊辰 wood
    EXPECT_EQ(BureauElement(CycleIndex(7, 7)), 3);     // 庚午 earth
    EXPECT_EQ(BureauElement(CycleIndex(3, 1)), 1);     // 丙子 water
    EXPECT_EQ(BureauElement(0), 1);                    // 癸亥 water
    // The sixty sound elements (六十甲子纳音), two pairs per entry from 甲子乙丑 海中金 to
    // 壬戌癸亥 大海水.
    const std::string_view nayin = "金火木土金火水土金木水土火木水金火木土金火水土金木水土火木水";
    const std::string_view elements = "金水火土木";
    for (int pair = 1; pair <= 60; ++pair) {
        const std::string_view expected = nayin.substr((pair - 1) / 2 * 3, 3);
        EXPECT_EQ(elements.substr(BureauElement(pair % 60) * 3, 3), expected) << CycleName(pair % 60);
    }
}

TEST(ChartPalaces, EarthChartTakesTheBodyPalaceAsLife)
{
    ChartData chart{};
    chart.yearPillar = 1;
    chart.hourPillar = CycleIndex(9, 5);  // 辰 hour: Life 戌, Body 午
    ComputePalaces(chart, 1, 1);
    EXPECT_EQ(chart.palaces[0].stemBranch, chart.bodyPalace);
    EXPECT_EQ(CycleName(chart.bodyPalace), "庚午");
    EXPECT_EQ(chart.bureau, 5);  // 庚午 earth
    EXPECT_EQ(chart.bureauElement, 3);
}

TEST(ChartPalaces, HumanChartTakesTheFortunePalaceAsLife)
{
    ChartData heaven{};
    heaven.yearPillar = 1;
    heaven.hourPillar = CycleIndex(9, 5);
    ComputePalaces(heaven, 1, 0);
    ChartData human = heaven;
    ComputePalaces(human, 1, 2);
    EXPECT_EQ(human.palaces[0].stemBranch, heaven.palaces[10].stemBranch);
    EXPECT_EQ(human.bodyPalace, heaven.bodyPalace);
    EXPECT_EQ(human.bureauElement, BureauElement(heaven.palaces[10].stemBranch));
    // Any other kind value is a heaven chart.
    ChartData other = heaven;
    ComputePalaces(other, 1, 7);
    EXPECT_EQ(other.palaces[0].stemBranch, heaven.palaces[0].stemBranch);
}

TEST(ChartPalaces, RingFollowsTheSubstitutedLifePalaceAfterPlacement)
{
    LunarBirth b;
    b.chartKind = 1;
    b.hour = 8;  // 辰 hour of the first month: Body at 午
    const ChartData chart = NatalFromLunar(b);
    EXPECT_EQ(LifeBranch(chart), BranchOf(chart.bodyPalace));
    for (int k = 0; k < 12; ++k) EXPECT_EQ(BranchOf(chart.palaces[k].stemBranch), Mod(LifeBranch(chart) - k, 12));
}

TEST(DouJun, CountsBackByMonthAndOnByHour)
{
    ChartData chart{};
    chart.yearPillar = 1;
    chart.hourPillar = 1;
    ComputePalaces(chart, 1, 0);
    EXPECT_EQ(chart.douJun, 1);  // month 1, 子 hour: 子
    chart.hourPillar = CycleIndex(9, 5);
    ComputePalaces(chart, 3, 0);
    EXPECT_EQ(chart.douJun, 3);  // 5 − 3 + 1: 寅
    // For a 子 year the annual Dou Jun is the natal one.
    for (int month = 1; month <= 12; ++month)
        for (int hourBranch = 0; hourBranch < 12; ++hourBranch) {
            chart.hourPillar = CycleIndex(hourBranch % 2 == 0 ? 2 : 1, static_cast<int16_t>(hourBranch));
            ComputePalaces(chart, month, 0);
            EXPECT_EQ(AnnualDouJun(1, month, chart.hourPillar), chart.douJun);
        }
    // Natal month 1, 子 hour, annual 午 year: 午.
    EXPECT_EQ(AnnualDouJun(CycleIndex(3, 7), 1, 1), 7);
}
