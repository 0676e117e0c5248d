// The casting driver: conversion of the birth, the 23:00 rule, clock-time kinds, the bazi
// pillars at the solar terms, failures, annual casts and the drawing steps.
#include "Sexagenary.h"
#include "TempHome.h"
#include "Ziweiex.h"
#include "ZiweiexPainter.h"
#include "ZiweiexPalaces.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

ChartInput Birth(int year, int month, int day, int hour, int minute, bool male = true)
{
    ChartInput in;
    in.birth = {static_cast<int16_t>(year), static_cast<int16_t>(month), static_cast<int16_t>(day),
                static_cast<int16_t>(hour), static_cast<int16_t>(minute)};
    in.isMale = male ? 1 : 0;
    return in;
}

ChartInput LunarBirthInput(int year, int month, int day, bool leap, int hour = 12)
{
    ChartInput in = Birth(year, month, day, hour, 0);
    in.isLunar = 1;
    in.isLeap = leap ? 1 : 0;
    return in;
}

class Engine : public ::testing::Test {
protected:
    void Settings(const std::string& body) { std::ofstream(home.dat() / "set.ini") << "[ziwei]\n" << body; }
    TempHome home;
    MZiWeiEx engine{home.path()};
};

// Records the drawing steps and what the chart held at each.
class RecordingPainter : public ChartPainter {
public:
    std::vector<std::string> steps;
    int starsAtFrame = -1;
    int natalMarksAtCells = -1;
    int linkBranch = -1;

    void DrawFrame(const ChartView& v) override
    {
        steps.push_back("frame");
        starsAtFrame = 0;
        for (const PalaceRecord& p : v.chart.palaces) starsAtFrame += p.stars.count;
    }
    void DrawCentreBox(const ChartView&) override { steps.push_back("centre"); }
    void DrawPalaceCells(const ChartView& v) override
    {
        steps.push_back("cells");
        natalMarksAtCells = 0;
        for (const PalaceRecord& p : v.chart.palaces) natalMarksAtCells += p.marks[kNatalMarks].count;
    }
    void DrawLinks(const ChartView&, int branch) override
    {
        steps.push_back("links");
        linkBranch = branch;
    }
    void DrawAnnualChart(const ChartView& v) override
    {
        steps.push_back(v.state == ChartState::Annual ? "annual" : "annual-too-early");
    }
    void DrawHighlight(const ChartView&, int branch) override
    {
        steps.push_back("highlight");
        linkBranch = branch;
    }
};

}  // namespace

TEST_F(Engine, SolarBirthGivesLunarDateAndPillars)
{
    ASSERT_TRUE(engine.CastNatal(Birth(2024, 2, 10, 12, 0)));  // lunar 2024-01-01
    EXPECT_EQ(engine.lunarBirth().year, 2024);
    EXPECT_EQ(engine.lunarBirth().month, 1);
    EXPECT_EQ(engine.lunarBirth().day, 1);
    EXPECT_EQ(engine.chart().yearPillar, 41);  // 甲辰
    EXPECT_EQ(engine.chart().baziYear, 41);    // after 立春 (02-04 16:27)
    EXPECT_EQ(CycleName(engine.chart().monthPillar), "丙寅");
    EXPECT_EQ(CycleName(engine.chart().baziMonth), "丙寅");
    EXPECT_EQ(engine.state(), ChartState::Natal);
    EXPECT_TRUE(engine.lastError().empty());

    ASSERT_TRUE(engine.CastNatal(Birth(2024, 2, 9, 12, 0)));  // lunar 2023-12-30
    EXPECT_EQ(engine.lunarBirth().year, 2023);
    EXPECT_EQ(engine.lunarBirth().month, 12);
    EXPECT_EQ(engine.lunarBirth().day, 30);
    EXPECT_EQ(engine.chart().yearPillar, 40);  // 癸卯
    EXPECT_EQ(engine.chart().baziYear, 41);    // the bazi year already changed at 立春
    EXPECT_EQ(CycleName(engine.chart().baziMonth), "丙寅");
}

TEST_F(Engine, BaziYearChangesAtTheMinuteOfSpringStart)
{
    // 立春 1984 fell at 23:19 Beijing time on 4 February.
    ASSERT_TRUE(engine.CastNatal(Birth(1984, 2, 4, 23, 19)));
    EXPECT_EQ(engine.chart().baziYear, 1);  // 甲子
    EXPECT_EQ(CycleName(engine.chart().baziMonth), "丙寅");
    ASSERT_TRUE(engine.CastNatal(Birth(1984, 2, 4, 23, 18)));
    EXPECT_EQ(engine.chart().baziYear, 0);  // 癸亥
    EXPECT_EQ(CycleName(engine.chart().baziMonth), "乙丑");
}

TEST_F(Engine, LateRatHourBelongsToTheNextDay)
{
    // 2000-01-07 is a 甲子 day and the first day of the twelfth lunar month of 1999.
    ASSERT_TRUE(engine.CastNatal(Birth(2000, 1, 7, 23, 30)));
    EXPECT_EQ(engine.chart().dayPillar, 2);    // 乙丑
    EXPECT_EQ(engine.chart().hourPillar, 13);  // 丙子
    EXPECT_EQ(engine.lunarBirth().month, 12);
    EXPECT_EQ(engine.lunarBirth().day, 2);
    EXPECT_EQ(engine.solarBirth().day, 7);  // the solar date stays

    Settings("zishi=1\n");
    ASSERT_TRUE(engine.CastNatal(Birth(2000, 1, 7, 23, 30)));
    EXPECT_EQ(engine.chart().dayPillar, 1);    // 甲子
    EXPECT_EQ(engine.chart().hourPillar, 13);  // the next day's 子 hour
    EXPECT_EQ(engine.lunarBirth().day, 1);

    ASSERT_TRUE(engine.CastNatal(Birth(2000, 1, 7, 0, 30)));
    EXPECT_EQ(engine.chart().dayPillar, 1);
    EXPECT_EQ(CycleName(engine.chart().hourPillar), "甲子");
    ASSERT_TRUE(engine.CastNatal(Birth(2000, 1, 7, 1, 0)));
    EXPECT_EQ(CycleName(engine.chart().hourPillar), "乙丑");
}

TEST_F(Engine, ClockTimeKindsMoveTheHourButNotTheBaziYear)
{
    ChartInput in = Birth(2000, 1, 1, 12, 0);
    in.longitude = 116.5f;
    Settings("idate=2\n");
    ASSERT_TRUE(engine.CastNatal(in));
    EXPECT_EQ(engine.solarBirth().hour, 11);
    EXPECT_EQ(engine.solarBirth().minute, 46);
    EXPECT_EQ(engine.clockBirth().hour, 12);
    EXPECT_EQ(engine.clockBirth().minute, 0);
    Settings("idate=1\n");
    ASSERT_TRUE(engine.CastNatal(in));
    EXPECT_EQ(engine.solarBirth().minute, 43);

    // 23:10 becomes 22:50 at 115° east: no 23:00 rule, the 亥 hour of the same day.
    ChartInput late = Birth(2000, 1, 7, 23, 10);
    late.longitude = 115.0f;
    Settings("idate=2\n");
    ASSERT_TRUE(engine.CastNatal(late));
    EXPECT_EQ(engine.solarBirth().hour, 22);
    EXPECT_EQ(engine.chart().dayPillar, 1);
    EXPECT_EQ(BranchOf(engine.chart().hourPillar), 0);  // 亥
    EXPECT_EQ(engine.lunarBirth().day, 1);

    // 00:30 at 87.6° east is 22:20 of the day before.
    ChartInput west = Birth(2000, 1, 8, 0, 30);
    west.longitude = 87.6f;
    ASSERT_TRUE(engine.CastNatal(west));
    EXPECT_EQ(engine.solarBirth().day, 7);
    EXPECT_EQ(engine.solarBirth().hour, 22);
    EXPECT_EQ(engine.chart().dayPillar, 1);

    // Any idate other than 0 and 1 is local mean time.
    Settings("idate=7\n");
    ASSERT_TRUE(engine.CastNatal(in));
    EXPECT_EQ(engine.solarBirth().minute, 46);
}

TEST_F(Engine, LeapMonthCountsByRun)
{
    // 2020-05-23 is the first day of the leap fourth month of 2020.
    const ChartInput day20 = Birth(2020, 6, 11, 12, 0);
    const ChartInput day10 = Birth(2020, 6, 1, 12, 0);
    const int expected[3][2] = {{5, 5}, {4, 4}, {5, 4}};  // by run: day 20, day 10
    for (int run = 0; run < 3; ++run) {
        Settings("run=" + std::to_string(run) + "\n");
        ASSERT_TRUE(engine.CastNatal(day20));
        EXPECT_TRUE(engine.lunarLeap());
        EXPECT_EQ(engine.lunarBirth().month, 4);
        EXPECT_EQ(engine.lunarBirth().day, 20);
        EXPECT_EQ(engine.chartMonth(), expected[run][0]) << run;
        ASSERT_TRUE(engine.CastNatal(day10));
        EXPECT_EQ(engine.chartMonth(), expected[run][1]) << run;
    }
}

TEST_F(Engine, LunarInputConvertsToTheSolarDate)
{
    ASSERT_TRUE(engine.CastNatal(LunarBirthInput(2020, 4, 1, true)));
    EXPECT_EQ(engine.clockBirth(), (MDateTime{2020, 5, 23, 12, 0}));
    EXPECT_TRUE(engine.lunarLeap());
    ASSERT_TRUE(engine.CastNatal(LunarBirthInput(2020, 4, 1, false)));
    EXPECT_EQ(engine.clockBirth(), (MDateTime{2020, 4, 23, 12, 0}));
    EXPECT_FALSE(engine.lunarLeap());
    // The same birth entered either way gives the same chart.
    ChartData fromLunar{}, fromSolar{};
    ChartSettings s;
    engine.CopyChart(fromLunar, s);
    ASSERT_TRUE(engine.CastNatal(Birth(2020, 4, 23, 12, 0)));
    engine.CopyChart(fromSolar, s);
    EXPECT_EQ(std::memcmp(&fromLunar, &fromSolar, sizeof fromLunar), 0);
}

TEST_F(Engine, FailuresLeaveTheirTextAndNoChart)
{
    ASSERT_TRUE(engine.CastNatal(Birth(2000, 1, 1, 12, 0)));
    EXPECT_FALSE(engine.CastNatal(LunarBirthInput(2023, 3, 1, true)));  // 2023 leaps the second month
    EXPECT_EQ(engine.lastError(), "不存在这个农历日期，无法转换到公历！");
    EXPECT_EQ(engine.state(), ChartState::None);
    EXPECT_FALSE(engine.CastAnnual({2030, 1, 1, 12, 0}, 0));
    EXPECT_EQ(engine.lastError(), "请先排一个正确的先天盘。");

    EXPECT_FALSE(engine.CastNatal(Birth(2023, 2, 29, 12, 0)));
    EXPECT_EQ(engine.lastError(), "不存在这个日期");
    EXPECT_FALSE(engine.CastNatal(Birth(1582, 10, 10, 12, 0)));
    EXPECT_EQ(engine.lastError(), "不存在这个日期");
    EXPECT_FALSE(engine.CastNatal(Birth(2024, 13, 1, 12, 0)));
    EXPECT_EQ(engine.lastError(), "不存在这个日期");

    EXPECT_FALSE(engine.CastNatal(Birth(9999, 12, 31, 23, 30)));  // the 23:00 rule passes 9999
    EXPECT_EQ(engine.lastError(), "公、农历正常转换年份在-4713到9999之间");
    Settings("zishi=1\n");
    EXPECT_TRUE(engine.CastNatal(Birth(9999, 12, 31, 23, 30)));

    EXPECT_FALSE(engine.CastNatal(LunarBirthInput(9999, 12, 10, false)));  // falls in solar 10000
    EXPECT_EQ(engine.lastError(), "时间越界，年份在-4713到9999之间");

    ChartInput earliest = Birth(-4712, 1, 1, 0, 10);
    earliest.longitude = 87.0f;
    Settings("idate=2\n");
    EXPECT_FALSE(engine.CastNatal(earliest));  // local mean time moves it into −4713
    EXPECT_EQ(engine.lastError(), "公、农历正常转换年份在-4713到9999之间");
}

TEST_F(Engine, SettingsAreReadAtEveryCastUnlessFixed)
{
    const ChartInput in = Birth(1990, 6, 15, 8, 0);
    ASSERT_TRUE(engine.CastNatal(in));
    EXPECT_EQ(engine.GetSaveFlag(), 0);
    Settings("save=1\nshowfu=0\n");
    ASSERT_TRUE(engine.CastNatal(in));
    EXPECT_EQ(engine.GetSaveFlag(), 1);
    ChartData chart{};
    ChartSettings settings{};
    engine.CopyChart(chart, settings);
    EXPECT_EQ(settings.showfu, 0);
    for (const PalaceRecord& p : chart.palaces)
        for (int i = 0; i < p.stars.count; ++i) EXPECT_LE(p.stars.stars[i], 26);

    ChartSettings fixed{};
    fixed.tg7 = 2;
    engine.FixSettings(fixed);
    ASSERT_TRUE(engine.CastNatal(in));
    EXPECT_EQ(engine.settings().tg7, 2);
    EXPECT_EQ(engine.settings().showfu, 1);

    MDateTime clock;
    engine.GetClockBirth(clock);
    EXPECT_EQ(clock, in.birth);
}

TEST_F(Engine, AnnualChartAfterTheBirth)
{
    ASSERT_TRUE(engine.CastNatal(Birth(1984, 2, 5, 12, 0)));  // lunar 1984-01-04, 甲子
    EXPECT_FALSE(engine.CastAnnual({1984, 2, 5, 12, 0}, 0));
    EXPECT_EQ(engine.lastError(), "流年时间应在出生年后。");
    EXPECT_EQ(engine.state(), ChartState::Natal);
    ASSERT_TRUE(engine.CastAnnual({1984, 2, 5, 12, 1}, 0));
    EXPECT_EQ(engine.chart().annualAge, 1);
    EXPECT_EQ(engine.annual().annualPillar, engine.chart().yearPillar);
    EXPECT_EQ(CurrentDecadePalace(engine.chart()), 0);
    EXPECT_EQ(engine.state(), ChartState::Annual);

    ASSERT_TRUE(engine.CastAnnual({2024, 3, 1, 12, 0}, 0));
    EXPECT_EQ(engine.chart().annualAge, 41);
    EXPECT_EQ(engine.annual().annualPillar, 41);  // 甲辰
    EXPECT_EQ(engine.annual().annualLunar.year, 2024);
    EXPECT_EQ(engine.annual().annualMonth, 1);
    EXPECT_EQ(engine.annual().annualDouJun,
              AnnualDouJun(41, engine.chartMonth(), engine.chart().hourPillar));

    // A failed annual cast keeps the chart and the annual data it had.
    const AnnualData before = engine.annual();
    EXPECT_FALSE(engine.CastAnnual({2023, 2, 29, 12, 0}, 0));
    EXPECT_EQ(engine.lastError(), "不存在这个日期");
    EXPECT_EQ(engine.state(), ChartState::Annual);
    EXPECT_EQ(engine.chart().annualAge, 41);
    EXPECT_EQ(std::memcmp(&before, &engine.annual(), sizeof before), 0);

    // A new natal cast starts over.
    ASSERT_TRUE(engine.CastNatal(Birth(1984, 2, 5, 12, 0)));
    EXPECT_EQ(engine.chart().annualAge, 0);
    EXPECT_EQ(engine.state(), ChartState::Natal);
}

TEST_F(Engine, AnnualMonthLength)
{
    // Lunar 2024: the first month has 29 days (02-10 to 03-09), the second 30 (03-10 to 04-08).
    ASSERT_TRUE(engine.CastNatal(Birth(1984, 2, 5, 12, 0)));
    ASSERT_TRUE(engine.CastAnnual({2024, 2, 20, 12, 0}, 1));
    EXPECT_EQ(engine.annual().monthLength, 29);
    ASSERT_TRUE(engine.CastAnnual({2024, 3, 20, 12, 0}, 1));
    EXPECT_EQ(engine.annual().monthLength, 30);
    ASSERT_TRUE(engine.CastAnnual({2024, 4, 8, 12, 0}, 1));  // day 30 itself
    EXPECT_EQ(engine.annual().annualLunar.day, 30);
    EXPECT_EQ(engine.annual().monthLength, 30);
    // 23:30 on the last day of the first month belongs to the first day of the second.
    ASSERT_TRUE(engine.CastAnnual({2024, 3, 9, 23, 30}, 1));
    EXPECT_EQ(engine.annual().annualLunar.month, 2);
    EXPECT_EQ(engine.annual().annualLunar.day, 1);
    EXPECT_EQ(engine.annual().monthLength, 30);
}

TEST_F(Engine, DailyHourlyAnnualChartHasNoMarks)
{
    ASSERT_TRUE(engine.CastNatal(Birth(1984, 2, 5, 12, 0)));
    int natal = 0;
    for (const PalaceRecord& p : engine.chart().palaces) natal += p.marks[kNatalMarks].count;
    EXPECT_EQ(natal, 4);
    ASSERT_TRUE(engine.CastAnnual({2024, 3, 1, 12, 0}, 1));
    for (const PalaceRecord& p : engine.chart().palaces)
        for (const MarkList& m : p.marks) EXPECT_EQ(m.count, 0);
    ASSERT_TRUE(engine.CastAnnual({2024, 3, 1, 12, 0}, 0));
    natal = 0;
    int annual = 0;
    for (const PalaceRecord& p : engine.chart().palaces) {
        natal += p.marks[kNatalMarks].count;
        annual += p.marks[kAnnualMarks].count;
    }
    EXPECT_EQ(natal, 4);
    EXPECT_GT(annual, 0);
}

TEST_F(Engine, DrawsEachStepInItsPlace)
{
    RecordingPainter painter;
    engine.AttachPainter(&painter);
    EXPECT_EQ(engine.state(), ChartState::None);
    EXPECT_EQ(engine.chart().palaces[0].stemBranch, -1);
    ASSERT_TRUE(engine.CastNatal(Birth(1984, 2, 5, 12, 0)));
    EXPECT_EQ(painter.steps, (std::vector<std::string>{"frame", "centre", "cells", "links"}));
    EXPECT_EQ(painter.starsAtFrame, 0);       // the frame and centre box come before the stars
    EXPECT_EQ(painter.natalMarksAtCells, 4);  // the cells find their marks recorded
    EXPECT_EQ(painter.linkBranch, LifeBranch(engine.chart()));

    painter.steps.clear();
    ASSERT_TRUE(engine.CastAnnual({2024, 3, 1, 12, 0}, 0));
    EXPECT_EQ(painter.steps, (std::vector<std::string>{"annual", "links"}));
    EXPECT_EQ(painter.linkBranch, BranchOf(engine.annual().annualPillar));

    painter.steps.clear();
    EXPECT_FALSE(engine.CastNatal(Birth(2023, 2, 29, 12, 0)));
    EXPECT_TRUE(painter.steps.empty());
}
