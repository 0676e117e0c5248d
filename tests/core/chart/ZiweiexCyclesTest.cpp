// The twelve-fold cycles 长生, 博士, 将星 and 岁建.
#include "NatalFromLunar.h"
#include "Sexagenary.h"
#include "ZiweiexCycles.h"
#include "ZiweiexNames.h"

#include <gtest/gtest.h>

namespace {

ChartData Bare(int yearPillar, int bureau)
{
    ChartData chart{};
    chart.yearPillar = static_cast<int16_t>(yearPillar);
    chart.bureau = static_cast<int16_t>(bureau);
    return chart;
}

}  // namespace

TEST(ChangSheng, StartsByBureauAndRunsWithTheDecades)
{
    const ChartData fire = Bare(1, 6);  // 甲 year: a male runs forward, a female back
    EXPECT_EQ(kChangShengNames[ChangShengAt(fire, true, 3)], "长生");
    EXPECT_EQ(kChangShengNames[ChangShengAt(fire, true, 4)], "沐浴");
    EXPECT_EQ(kChangShengNames[ChangShengAt(fire, false, 3)], "长生");
    EXPECT_EQ(kChangShengNames[ChangShengAt(fire, false, 4)], "养");
    EXPECT_EQ(kChangShengNames[ChangShengAt(fire, false, 2)], "沐浴");
    EXPECT_EQ(ChangShengAt(Bare(1, 2), true, 9), 0);  // 水二局: 申
    EXPECT_EQ(ChangShengAt(Bare(1, 5), true, 9), 0);  // 土五局: 申
    EXPECT_EQ(ChangShengAt(Bare(1, 3), true, 0), 0);  // 木三局: 亥
    EXPECT_EQ(ChangShengAt(Bare(1, 4), true, 6), 0);  // 金四局: 巳
    EXPECT_EQ(ChangShengAt(Bare(2, 6), true, 2), 1);  // 乙 year male runs back: 丑 is 沐浴
}

TEST(BoShi, StartsAtLuCunOfTheCycleYear)
{
    ChartData chart = Bare(1, 2);  // 甲子: 禄存 寅
    EXPECT_EQ(kBoShiNames[BoShiAt(chart, true, 3)], "博士");
    EXPECT_EQ(kBoShiNames[BoShiAt(chart, true, 4)], "力士");
    EXPECT_EQ(kBoShiNames[BoShiAt(chart, false, 2)], "力士");
    // In an annual chart the ring follows the annual year; the direction stays natal.
    chart.annualAge = 2;  // 乙丑: 禄存 卯
    EXPECT_EQ(CycleYear(chart), 2);
    EXPECT_EQ(kBoShiNames[BoShiAt(chart, true, 4)], "博士");
    EXPECT_EQ(kBoShiNames[BoShiAt(chart, true, 5)], "力士");
    chart.annualAge = 60;  // wraps to 癸亥
    EXPECT_EQ(CycleYear(chart), 0);
}

TEST(JiangXing, StartsByTheTriadOfTheCycleYear)
{
    EXPECT_EQ(kJiangXingNames[JiangXingAt(Bare(1, 2), 1)], "将星");                  // 子 year: 子
    EXPECT_EQ(kJiangXingNames[JiangXingAt(Bare(CycleIndex(3, 3), 2), 7)], "将星");   // 寅 year: 午
    EXPECT_EQ(kJiangXingNames[JiangXingAt(Bare(2, 2), 10)], "将星");                 // 丑 year: 酉
    EXPECT_EQ(kJiangXingNames[JiangXingAt(Bare(0, 2), 4)], "将星");                  // 亥 year: 卯
    EXPECT_EQ(kJiangXingNames[JiangXingAt(Bare(1, 2), 2)], "攀鞍");
}

TEST(SuiJian, StartsAtTheYearBranch)
{
    EXPECT_EQ(kSuiJianNames[SuiJianAt(Bare(1, 2), 1)], "岁建");
    EXPECT_EQ(kSuiJianNames[SuiJianAt(Bare(1, 2), 0)], "病符");
    ChartData annual = Bare(1, 2);
    annual.annualAge = 3;  // 丙寅
    EXPECT_EQ(kSuiJianNames[SuiJianAt(annual, 3)], "岁建");
}
