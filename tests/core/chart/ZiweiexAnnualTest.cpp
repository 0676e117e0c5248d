// The annual layers: minor limit, decade palace, overlay stars, months, days, hours and marks.
#include "NatalFromLunar.h"
#include "Sexagenary.h"
#include "ZiweiexAnnual.h"
#include "ZiweiexGrades.h"
#include "ZiweiexNames.h"

#include <gtest/gtest.h>

namespace {

// Branch of the overlay list holding a star, −1 when none does.
int WhereIs(const OverlayLists& lists, int annualPillar, int star)
{
    for (int j = 0; j < 12; ++j)
        if (lists[j].Contains(static_cast<uint8_t>(star))) return Mod(BranchOf(annualPillar) - j, 12);
    return -1;
}

}  // namespace

TEST(MinorLimit, TigerYearStartsAtDragon)
{
    ChartData chart{};
    chart.yearPillar = CycleIndex(3, 3);  // 丙寅
    chart.annualAge = 1;
    EXPECT_EQ(MinorLimit(chart, true), 5);   // 辰
    EXPECT_EQ(MinorLimit(chart, false), 5);
    chart.annualAge = 2;
    EXPECT_EQ(MinorLimit(chart, true), 6);   // 巳
    EXPECT_EQ(MinorLimit(chart, false), 4);  // 卯
    chart.annualAge = 13;                    // twelve years on: back at the start
    EXPECT_EQ(MinorLimit(chart, true), 5);
    chart.yearPillar = 1;  // 子 year: 戌
    chart.annualAge = 1;
    EXPECT_EQ(MinorLimit(chart, true), 11);
    chart.yearPillar = 2;  // 丑 year: 未
    EXPECT_EQ(MinorLimit(chart, true), 8);
    chart.yearPillar = 0;  // 亥 year: 丑
    EXPECT_EQ(MinorLimit(chart, true), 2);
}

TEST(DecadePalace, EarlyAgesUseTheFixedPalaces)
{
    LunarBirth b;
    b.hour = 8;  // 甲子 year, a 火六局 chart for this month and hour
    ChartData chart = NatalFromLunar(b);
    ASSERT_EQ(chart.bureau, 6) << kBureauNames[chart.bureauElement];
    const int expected[5] = {0, 4, 5, 2, 10};  // 命宫 财帛 疾厄 夫妻 福德
    for (int age = 1; age <= 5; ++age) {
        chart.annualAge = static_cast<int16_t>(age);
        EXPECT_EQ(CurrentDecadePalace(chart), expected[age - 1]) << age;
    }
    chart.annualAge = 6;
    EXPECT_EQ(CurrentDecadePalace(chart), 0);
    chart.annualAge = 16;
    EXPECT_EQ(CurrentDecadePalace(chart), 11);  // 甲 year male: clockwise
    chart.annualAge = 125;
    EXPECT_EQ(CurrentDecadePalace(chart), 1);
    chart.annualAge = 126;
    EXPECT_EQ(CurrentDecadePalace(chart), -1);  // beyond the last decade
}

TEST(DecadePalace, AgeThreeWithMetalBureauIsTheHealthPalace)
{
    ChartData chart{};
    chart.bureau = 4;
    for (int k = 0; k < 12; ++k) chart.palaces[k].decadeStart = static_cast<int16_t>(4 + 10 * k);
    chart.annualAge = 3;
    EXPECT_EQ(CurrentDecadePalace(chart), 5);  // 疾厄
    chart.annualAge = 4;
    EXPECT_EQ(CurrentDecadePalace(chart), 0);  // the first decade begins
    chart.annualAge = 13;
    EXPECT_EQ(CurrentDecadePalace(chart), 0);
    chart.annualAge = 14;
    EXPECT_EQ(CurrentDecadePalace(chart), 1);
}

TEST(OverlayStars, AnnualLayerByTheYearStem)
{
    OverlayLists lists;
    const int year = CycleIndex(4, 4);  // 丁卯
    PlaceOverlayStars(year, year, OverlayLayer::Annual, lists);
    EXPECT_EQ(WhereIs(lists, year, 6), 9);   // 流昌 申, as for 丙
    EXPECT_EQ(WhereIs(lists, year, 7), 7);   // 流曲 午
    EXPECT_EQ(WhereIs(lists, year, 1), 0);   // 流魁 亥
    EXPECT_EQ(WhereIs(lists, year, 2), 10);  // 流钺 酉
    EXPECT_EQ(WhereIs(lists, year, 3), 7);   // 流禄 午
    EXPECT_EQ(WhereIs(lists, year, 4), 8);   // 流羊 未
    EXPECT_EQ(WhereIs(lists, year, 5), 6);   // 流陀 巳
    EXPECT_EQ(WhereIs(lists, year, 8), 1);   // 流鸾: 4 − 3 = 子
    EXPECT_EQ(WhereIs(lists, year, 9), 7);   // 流喜 opposite
    int total = 0;
    for (const StarList& l : lists) total += l.count;
    EXPECT_EQ(total, 9);
    // List 0 is the annual Life palace, at the year's branch.
    EXPECT_EQ(WhereIs(lists, year, 3) == 7, lists[Mod(4 - 7, 12)].Contains(3));
}

TEST(OverlayStars, ChangAndQuTablesAreTheirRules)
{
    for (int stem = 0; stem < 10; ++stem) {
        const int d = Mod(stem - 1, 10);  // 甲 0 … 癸 9
        int chang = (d + 6) % 12;
        if ((chang - 2) % 3 == 0) chang += 1;
        int qu = 10 - d;
        if ((qu - 2) % 3 == 0) qu -= 1;
        OverlayLists lists;
        const int year = CycleIndex(stem, static_cast<int16_t>(stem % 2 == 0 ? 2 : 1));
        PlaceOverlayStars(year, year, OverlayLayer::Annual, lists);
        EXPECT_EQ(WhereIs(lists, year, 6), Mod(chang, 12)) << kStemNames[stem];
        EXPECT_EQ(WhereIs(lists, year, 7), Mod(qu, 12)) << kStemNames[stem];
    }
}

TEST(OverlayStars, DecadeLayerAddsFiftyAndHasNoLuanXi)
{
    OverlayLists lists;
    const int annualYear = 1;               // 甲子: list j at branch 子 − j
    const int decadeYear = CycleIndex(3, 3);  // 丙寅 palace
    PlaceOverlayStars(annualYear, decadeYear, OverlayLayer::Decade, lists);
    int total = 0;
    for (const StarList& l : lists)
        for (int i = 0; i < l.count; ++i) {
            EXPECT_GE(l.stars[i], 51);
            EXPECT_LE(l.stars[i], 57);
            ++total;
        }
    EXPECT_EQ(total, 7);
    EXPECT_EQ(WhereIs(lists, annualYear, 53), 6);  // 运禄 of 丙: 巳
    EXPECT_EQ(OverlayLabel(53), "禄");
}

TEST(OverlayStars, AddOverlayStarKeepsTwelvePerList)
{
    OverlayLists lists;
    for (int i = 0; i < 14; ++i) AddOverlayStar(lists, 1, 1, 3, OverlayLayer::Annual);
    EXPECT_EQ(lists[0].count, 12);
    AddOverlayStar(lists, 1, 0, 4, OverlayLayer::Decade);
    EXPECT_EQ(lists[1].stars[0], 54);
}

TEST(AnnualReferences, MonthsStartAtTheAnnualDouJun)
{
    AnnualData a{};
    a.annualDouJun = 7;
    EXPECT_EQ(kMonthLabels[MonthIndexAt(a, 7)], "正月");
    EXPECT_EQ(kMonthLabels[MonthIndexAt(a, 8)], "二月");
    EXPECT_EQ(kMonthLabels[MonthIndexAt(a, 6)], "十二");
}

TEST(AnnualReferences, DaysStopAtTheMonthLength)
{
    AnnualData a{};
    a.annualDouJun = 3;
    a.annualMonth = 2;  // the month's palace is 卯
    a.monthLength = 30;
    DayList d = DaysAt(a, 4);
    ASSERT_EQ(d.count, 3);
    EXPECT_EQ(d.days[0], 1);
    EXPECT_EQ(d.days[1], 13);
    EXPECT_EQ(d.days[2], 25);
    a.monthLength = 29;
    d = DaysAt(a, 8);  // four places on: 5, 17, 29
    ASSERT_EQ(d.count, 3);
    EXPECT_EQ(d.days[2], 29);
    d = DaysAt(a, 9);  // 6, 18 only
    ASSERT_EQ(d.count, 2);
    EXPECT_EQ(d.days[1], 18);
    int covered = 0;
    for (int b = 0; b < 12; ++b) covered += DaysAt(a, b).count;
    EXPECT_EQ(covered, 29);
}

TEST(AnnualReferences, RatHourStandsAtTheDaysPalace)
{
    AnnualData a{};
    a.annualDouJun = 3;
    a.annualMonth = 2;      // month palace 卯 (4)
    a.annualLunar.day = 3;  // day palace 巳 (6)
    EXPECT_EQ(HourBranchAt(a, 6), 1);  // 子
    EXPECT_EQ(HourBranchAt(a, 7), 2);  // 丑
    EXPECT_EQ(HourBranchAt(a, 5), 0);  // 亥
}

TEST(AnnualMarks, DailyHourlyShowsNoMarksAtAll)
{
    LunarBirth b;
    b.day = 17;
    ChartData chart = NatalFromLunar(b);
    chart.annualAge = 20;
    AnnualData a{};
    a.annualPillar = 20;
    FillAnnualMarks(chart, a, {});
    int natal = 0, decade = 0, annual = 0;
    for (const PalaceRecord& p : chart.palaces) {
        natal += p.marks[kNatalMarks].count;
        decade += p.marks[kDecadeMarks].count;
        annual += p.marks[kAnnualMarks].count;
    }
    EXPECT_EQ(natal, 4);
    EXPECT_GT(decade, 0);
    EXPECT_GT(annual, 0);
    a.dailyHourly = 1;
    FillAnnualMarks(chart, a, {});
    for (const PalaceRecord& p : chart.palaces)
        for (const MarkList& m : p.marks) EXPECT_EQ(m.count, 0);
}

TEST(AnnualMarks, DecadeAndAnnualStemsMarkTheirStars)
{
    LunarBirth b;
    b.day = 9;
    ChartData chart = NatalFromLunar(b);
    chart.annualAge = 30;
    AnnualData a{};
    a.annualPillar = 30;  // 癸巳
    FillAnnualMarks(chart, a, {});
    const int q = CurrentDecadePalace(chart);
    ASSERT_GE(q, 0);
    const FourStars decade = FourTransforms(StemOf(chart.palaces[q].stemBranch), {});
    const FourStars annual = FourTransforms(0, {});
    for (const PalaceRecord& p : chart.palaces)
        for (int slot = 0; slot < p.stars.count; ++slot) {
            auto marked = [&](const MarkList& m, int kind) {
                for (int i = 0; i < m.count; ++i)
                    if (m.entries[i].slot == slot) return m.entries[i].kind == kind;
                return kind == 0;
            };
            EXPECT_TRUE(marked(p.marks[kDecadeMarks], TransformKind(p.stars.stars[slot], decade)));
            EXPECT_TRUE(marked(p.marks[kAnnualMarks], TransformKind(p.stars.stars[slot], annual)));
        }
}

TEST(AnnualLayers, NoDecadeLayerBeyondTheLastDecade)
{
    LunarBirth b;
    ChartData chart = NatalFromLunar(b);
    chart.annualAge = static_cast<int16_t>(chart.bureau + 120);
    AnnualData a{};
    a.annualPillar = static_cast<int16_t>(Mod(chart.yearPillar + chart.annualAge - 1, 60));
    const AnnualLayers layers = ComputeAnnualLayers(chart, a);
    EXPECT_EQ(layers.decadePalace, -1);
    for (const StarList& l : layers.decadeStars) EXPECT_EQ(l.count, 0);
    int annual = 0;
    for (const StarList& l : layers.annualStars) annual += l.count;
    EXPECT_EQ(annual, 9);
    FillAnnualMarks(chart, a, {});
    for (const PalaceRecord& p : chart.palaces) EXPECT_EQ(p.marks[kDecadeMarks].count, 0);
}
