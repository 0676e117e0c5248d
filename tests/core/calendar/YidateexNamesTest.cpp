// Chinese number words and lunar month and day labels, as printed on the traditional almanac.
#include "Yidateex.h"

#include <gtest/gtest.h>

TEST(NumberName, Words)
{
    EXPECT_EQ(MYiDateEx::NumberName(1), "一");
    EXPECT_EQ(MYiDateEx::NumberName(9), "九");
    EXPECT_EQ(MYiDateEx::NumberName(10), "十");
    EXPECT_EQ(MYiDateEx::NumberName(15), "十五");
    EXPECT_EQ(MYiDateEx::NumberName(20), "二十");
    EXPECT_EQ(MYiDateEx::NumberName(25), "廿五");
    EXPECT_EQ(MYiDateEx::NumberName(30), "三十");
}

TEST(NumberName, DigitByDigit)
{
    EXPECT_EQ(MYiDateEx::NumberName(31), "三一");
    EXPECT_EQ(MYiDateEx::NumberName(1984), "一九八四");
    EXPECT_EQ(MYiDateEx::NumberName(1990), "一九九○");
    EXPECT_EQ(MYiDateEx::NumberName(2008), "二○○八");
    EXPECT_EQ(MYiDateEx::NumberName(100), "一○○");
    EXPECT_EQ(MYiDateEx::NumberName(0), "○○○○");
    EXPECT_EQ(MYiDateEx::NumberName(-1), "前一");
    EXPECT_EQ(MYiDateEx::NumberName(-5), "前五");
    EXPECT_EQ(MYiDateEx::NumberName(-4713), "前四七一三");
    EXPECT_EQ(MYiDateEx::NumberName(-32768), "前三二七六八");
}

TEST(LunarLabels, MonthsAndDays)
{
    EXPECT_EQ(MYiDateEx::LunarMonthLabel(1, false), "正月");
    EXPECT_EQ(MYiDateEx::LunarMonthLabel(2, true), "闰二月");
    EXPECT_EQ(MYiDateEx::LunarMonthLabel(11, false), "十一月");
    EXPECT_EQ(MYiDateEx::LunarMonthLabel(12, false), "十二月");
    EXPECT_EQ(MYiDateEx::LunarDayLabel(1), "初一");
    EXPECT_EQ(MYiDateEx::LunarDayLabel(10), "初十");
    EXPECT_EQ(MYiDateEx::LunarDayLabel(11), "十一");
    EXPECT_EQ(MYiDateEx::LunarDayLabel(20), "二十");
    EXPECT_EQ(MYiDateEx::LunarDayLabel(21), "廿一");
    EXPECT_EQ(MYiDateEx::LunarDayLabel(30), "三十");
}
