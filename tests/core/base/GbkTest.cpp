#include "Gbk.h"

#include <gtest/gtest.h>

TEST(Gbk, RoundTripsChineseText)
{
    const std::string text = "紫微斗数 ABC 命宫";
    const auto gbk = Utf8ToGbk(text);
    ASSERT_TRUE(gbk);
    EXPECT_EQ(gbk->substr(0, 2), "\xD7\xCF");  // 紫 in GBK
    EXPECT_EQ(GbkToUtf8(*gbk), text);
}

TEST(Gbk, CountsGbkBytes)
{
    EXPECT_EQ(GbkByteCount("张三丰"), 6u);
    EXPECT_EQ(GbkByteCount("ab张"), 4u);
    EXPECT_EQ(GbkByteCount(""), 0u);
    EXPECT_FALSE(GbkByteCount("😀"));  // no GBK code
    EXPECT_FALSE(Utf8ToGbk("\xFF\xFE"));
}

TEST(Gbk, DamagedBytesDecodeWithReplacement)
{
    const std::string damaged = std::string("\xD7\xCF") + "\xFF" + "A";
    EXPECT_EQ(GbkToUtf8(damaged), "紫\xEF\xBF\xBD" "A");
    EXPECT_EQ(GbkToUtf8("\xD7"), "\xEF\xBF\xBD");  // a lead byte cut off at the end
}

TEST(Gbk, TruncatesWithoutSplittingACharacter)
{
    EXPECT_EQ(TruncateToGbkBytes("诸葛孔明先生", 8), "诸葛孔明");
    EXPECT_EQ(TruncateToGbkBytes("a诸葛孔明", 8), "a诸葛孔");
    EXPECT_EQ(TruncateToGbkBytes("abc", 8), "abc");
}
