#include "ZiweiexNames.h"
#include "ZiweiexTypes.h"

#include <gtest/gtest.h>

#include <type_traits>

TEST(ChartRecords, ArePlainDataCopiedWhole)
{
    EXPECT_TRUE(std::is_copy_assignable_v<ChartInput>);  // its texts are strings
    EXPECT_TRUE(std::is_trivially_copyable_v<ChartData>);
    EXPECT_TRUE(std::is_trivially_copyable_v<ChartSettings>);
    const ChartSettings defaults;
    EXPECT_EQ(defaults.showfu, 1);
    EXPECT_EQ(defaults.showxiao, 1);
    EXPECT_EQ(defaults.tg7, 0);
    EXPECT_EQ(defaults.ileft, 0);
}

TEST(StarList, DropsAThirteenthStar)
{
    StarList list;
    for (uint8_t s = 1; s <= 13; ++s) list.Add(s);
    EXPECT_EQ(list.count, 12);
    EXPECT_EQ(list.stars[11], 12);
    EXPECT_EQ(list.stars[12], 0);
    EXPECT_FALSE(list.Contains(13));
}

TEST(MarkList, HoldsThreeMarks)
{
    MarkList marks;
    marks.Add(0, 1);
    marks.Add(2, 4);
    EXPECT_EQ(marks.count, 2);
    EXPECT_EQ(marks.entries[1].slot, 2);
    EXPECT_EQ(marks.entries[1].kind, 4);
    marks.Add(3, 2);
    marks.Add(4, 3);
    EXPECT_EQ(marks.count, 3);
}

TEST(ChartNames, TablesHaveTheirSizesAndKnownRows)
{
    EXPECT_EQ(kStarNames[1], "紫微");
    EXPECT_EQ(kStarNames[14], "破军");
    EXPECT_EQ(kStarNames[28], "地空");
    EXPECT_EQ(kStarNames[61], "天厨");
    EXPECT_EQ(kStarNames[0], "");
    EXPECT_EQ(kStarLabels[30], "姚");
    EXPECT_EQ(kPalaceNames[7], "仆役");
    EXPECT_EQ(kPalaceLabels[2], "偶");
    EXPECT_EQ(kTransformLabels[4], "忌");
    EXPECT_EQ(kBureauNames[4], "木三局");
    EXPECT_EQ(kBureauNumbers[2], 6);
    EXPECT_EQ(OverlayLabel(9), "喜");
    EXPECT_EQ(OverlayLabel(57), "曲");
    EXPECT_EQ(OverlayLabel(58), "");
    for (int i = 1; i <= 61; ++i) EXPECT_EQ(kStarNames[i].size(), 6u) << i;  // two characters each
}
