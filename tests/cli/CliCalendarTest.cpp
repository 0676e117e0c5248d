// qiravel-cli calendar: a month page as the calendar window shows it, checked against the
// official calendar.
#include "Cli.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

// February 2024: 春节 on the 10th, 立春 4th 16:27, 雨水 19th 12:13; 1 February was a Thursday.
TEST(CliCalendar, MonthAsText)
{
    const auto r = Cli({"calendar", "2024-02", "--day", "10", "--hour", "23"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "2024年2月\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, " 1日 星期四  十二月廿二\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, " 4日 星期日  十二月廿五  立春\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "10日 星期六  正月初一\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "立春:4日16时27分\n雨水:19日12时13分\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "【龙年】")) << r.out;
    EXPECT_TRUE(Contains(r.out, "甲辰年\n丙寅月\n乙巳日\n丙子时\n")) << r.out;  // 23:00 is the next day's 子 hour
}

TEST(CliCalendar, JsonOfOctober1582)
{
    const auto j = CliJson({"calendar", "1582-10", "--json"});
    ASSERT_EQ(j["days"].size(), 21u);
    EXPECT_EQ(j["days"][3]["day"], 4);
    EXPECT_EQ(j["days"][4]["day"], 15);
    EXPECT_EQ(j["days"][4]["weekday"], "五");
    EXPECT_EQ(j["rows"], 3);
    EXPECT_EQ(j["title"], "1582年10月");
}

TEST(CliCalendar, LeapFirstMonthAndRangeEnds)
{
    auto j = CliJson({"calendar", "2262-02", "--json"});
    EXPECT_EQ(j["days"][19]["lunarText"], "闰正月初一");
    EXPECT_EQ(j["days"][19]["lunar"]["leap"], true);
    j = CliJson({"calendar", "-4713-1", "--json"});
    EXPECT_EQ(j["year"], -4713);
    EXPECT_EQ(j["days"].size(), 31u);
    j = CliJson({"calendar", "9999-12", "--json", "--day", "31", "--hour", "12"});
    EXPECT_EQ(j["days"].size(), 31u);
    EXPECT_EQ(j["chosen"], "9999-12-31 12:00");
}

TEST(CliCalendar, BadInputExits2WithOneLine)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"calendar", "0-1"}, {"calendar", "10000-1"}, {"calendar", "2024-13"},
          {"calendar", "2024"}, {"calendar", "2024-02", "--day", "30"}, {"calendar", "1582-10", "--day", "10"},
          {"calendar", "2024-02", "--hour", "24"}, {"calendar"}}) {
        const auto r = Cli(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}
