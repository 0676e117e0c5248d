// The interpretation text stores: the block lookup rule, and that every text the report and the
// click readings ask for is there, opens with its subject, is GBK and says something of its own.
#include "DecziweiTexts.h"

#include "Gbk.h"
#include "ZiweiexNames.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <regex>
#include <set>

TEST(FindTextBlock, CollectsLinesUpToEnd)
{
    const std::string text = "[1]\r\nalpha\r\n\r\nbeta\r\n[end]\r\n[2]\nsecond\n[end]\n";
    EXPECT_EQ(FindTextBlock(text, "[1]"), "alpha\r\n\r\nbeta\r\n");
    EXPECT_EQ(FindTextBlock(text, "[2]"), "second\r\n");
    EXPECT_EQ(FindTextBlock(text, "[3]"), "");
    EXPECT_EQ(FindTextBlock(text, "[1"), "");
    EXPECT_EQ(FindTextBlock(text, "[1] "), "");
}

TEST(FindTextBlock, ABlockWithoutEndRunsOnAndSkipsItsOwnKey)
{
    const std::string text = "[1]\ra\r[2]\r[1]\rb\r[end]\r[3]\rc";
    EXPECT_EQ(FindTextBlock(text, "[1]"), "a\r\n[2]\r\nb\r\n");
    EXPECT_EQ(FindTextBlock(text, "[3]"), "c\r\n");  // to the end of the resource
}
