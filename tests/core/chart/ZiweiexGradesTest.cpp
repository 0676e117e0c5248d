// Brightness grades, the four transformations with their variants, and the natal marks.
#include "NatalFromLunar.h"
#include "Sexagenary.h"
#include "ZiweiexGrades.h"
#include "ZiweiexNames.h"

#include <gtest/gtest.h>

TEST(GradeTables, SizeAndShape)
{
    ASSERT_EQ(kGradeTable1.size(), 33u);
    ASSERT_EQ(kGradeTable2.size(), 33u);
    for (int s = 1; s <= 32; ++s) {
        ASSERT_EQ(kGradeTable1[s].size(), 12u) << s;
        ASSERT_EQ(kGradeTable2[s].size(), 12u) << s;
        for (int b = 0; b < 12; ++b) {
            EXPECT_LE(StarGrade(s, b, 0), 5);
            EXPECT_LE(StarGrade(s, b, 1), 5);
        }
    }
}

TEST(StarGrade, KnownCells)
{
    EXPECT_EQ(StarGrade(1, 5, 0), 5);  // 紫微 at 辰: 陷 with the first table
    EXPECT_EQ(StarGrade(1, 5, 1), 3);  // 得 with the second
    EXPECT_EQ(StarGrade(2, 1, 0), 1);  // 天机 at 子: 庙 in both
    EXPECT_EQ(StarGrade(2, 1, 1), 1);
    EXPECT_EQ(StarGrade(2, 11, 0), 1);  // 天机 at 戌
    EXPECT_EQ(StarGrade(16, 7, 0), 4);  // 擎羊 at 午: 平, then 陷
    EXPECT_EQ(StarGrade(16, 7, 1), 5);
    EXPECT_EQ(StarGrade(1, 0, 0), 2);  // the last digit is 亥
}

TEST(StarGrade, SecondTableHasNoGradeForSomeStars)
{
    for (int b = 0; b < 12; ++b) {
        for (int s : {20, 21, 29, 30, 31, 32}) EXPECT_EQ(StarGrade(s, b, 1), 0) << s;
        // 地劫 and 地空 exchange their rows.
        EXPECT_EQ(StarGrade(27, b, 0), StarGrade(28, b, 1));
        EXPECT_EQ(StarGrade(28, b, 0), StarGrade(27, b, 1));
        // Any miaoxian other than 0 is the second table.
        EXPECT_EQ(StarGrade(1, b, 7), StarGrade(1, b, 1));
    }
}

TEST(StarGrade, StarsAbove32HaveNone)
{
    for (int s : {33, 45, 61, 62, 200, 0, -1})
        for (int b = 0; b < 12; ++b) {
            EXPECT_EQ(StarGrade(s, b, 0), 0);
            EXPECT_EQ(StarGrade(s, b, 1), 0);
        }
}

TEST(GradeNames, DigitThreeDependsOnTheTable)
{
    EXPECT_EQ(GradeName(3, false), "闲");
    EXPECT_EQ(GradeName(3, true), "得");
    EXPECT_EQ(GradeName(1, true), "庙");
    EXPECT_EQ(GradeName(5, false), "陷");
    EXPECT_EQ(GradeName(0, false), "");
}

TEST(FourTransforms, EveryStemWithDefaultSettings)
{
    const ChartSettings s{};
    const FourStars expected[10] = {
        {14, 10, 8, 9},  // 癸 破巨阴贪
        {6, 14, 4, 3},   // 甲 廉破武阳
        {2, 12, 1, 8},   // 乙 机梁紫阴
        {5, 2, 22, 6},   // 丙 同机昌廉
        {8, 5, 2, 10},   // 丁 阴同机巨
        {9, 8, 21, 2},   // 戊 贪阴弼机
        {4, 9, 12, 23},  // 己 武贪梁曲
        {3, 4, 5, 8},    // 庚 阳武同阴
        {10, 3, 23, 22}, // 辛 巨阳曲昌
        {12, 1, 20, 4},  // 壬 梁紫辅武
    };
    for (int stem = 0; stem < 10; ++stem) EXPECT_EQ(FourTransforms(stem, s), expected[stem]) << kStemNames[stem];
}

TEST(FourTransforms, VariantsOfWuGengAndRen)
{
    ChartSettings s{};
    s.tg5 = 1;
    EXPECT_EQ(FourTransforms(5, s), (FourStars{9, 8, 3, 2}));  // 贪阴阳机
    s.tg5 = 9;
    EXPECT_EQ(FourTransforms(5, s), (FourStars{9, 8, 3, 2}));
    s.tg7 = 1;
    EXPECT_EQ(FourTransforms(7, s), (FourStars{3, 4, 8, 5}));  // 阳武阴同
    s.tg7 = 2;
    EXPECT_EQ(FourTransforms(7, s), (FourStars{3, 4, 7, 5}));  // 阳武府同
    s.tg7 = 5;
    EXPECT_EQ(FourTransforms(7, s), (FourStars{3, 4, 7, 5}));
    s.tg9 = 1;
    EXPECT_EQ(FourTransforms(9, s), (FourStars{12, 1, 7, 4}));  // 梁紫府武
    s.tg9 = 255;
    EXPECT_EQ(FourTransforms(9, s), (FourStars{12, 1, 7, 4}));
    // The variants leave the other stems alone.
    EXPECT_EQ(FourTransforms(1, s), (FourStars{6, 14, 4, 3}));
}

TEST(FourTransforms, KindOfAStar)
{
    const FourStars jia = FourTransforms(1, {});
    EXPECT_EQ(TransformKind(6, jia), 1);
    EXPECT_EQ(TransformKind(14, jia), 2);
    EXPECT_EQ(TransformKind(4, jia), 3);
    EXPECT_EQ(TransformKind(3, jia), 4);
    EXPECT_EQ(TransformKind(1, jia), 0);
}

TEST(NatalMarks, RecordSlotAndKindOfTheYearStemStars)
{
    LunarBirth b;  // 1984: 甲子 year, 廉 破 武 阳
    b.day = 17;
    const ChartData chart = [&] {
        ChartData c = NatalFromLunar(b);
        FillNatalMarks(c, {}, true);
        return c;
    }();
    int found = 0;
    for (const PalaceRecord& p : chart.palaces) {
        for (int i = 0; i < p.marks[kNatalMarks].count; ++i) {
            const auto& e = p.marks[kNatalMarks].entries[i];
            EXPECT_EQ(TransformKind(p.stars.stars[e.slot], FourTransforms(1, {})), e.kind);
            ++found;
        }
        EXPECT_EQ(p.marks[kDecadeMarks].count, 0);
        EXPECT_EQ(p.marks[kAnnualMarks].count, 0);
    }
    EXPECT_EQ(found, 4);  // all four are main stars, always placed
    ChartData hidden = chart;
    FillNatalMarks(hidden, {}, false);
    for (const PalaceRecord& p : hidden.palaces) EXPECT_EQ(p.marks[kNatalMarks].count, 0);
}

TEST(NatalMarks, NoPalaceEverNeedsMoreThanThree)
{
    // Every stem (with every variant) over every arrangement of the main stars and the stars
    // 15..26 of a year: at most three transformed stars share a palace.
    for (int year = 0; year < 60; ++year)
        for (int day = 1; day <= 30; ++day)
            for (uint8_t variant = 0; variant < 3; ++variant) {
                LunarBirth b;
                b.year = YearOfCycle(year);
                b.day = day;
                b.hour = (day * 2) % 24;
                b.month = 1 + day % 12;
                ChartSettings s{};
                s.tg5 = s.tg7 = s.tg9 = variant;
                const ChartData chart = NatalFromLunar(b, s);
                for (int stem = 0; stem < 10; ++stem) {
                    const FourStars t = FourTransforms(stem, s);
                    for (const PalaceRecord& p : chart.palaces) {
                        int n = 0;
                        for (int i = 0; i < p.stars.count; ++i) n += TransformKind(p.stars.stars[i], t) != 0;
                        EXPECT_LE(n, 3);
                    }
                }
            }
}
