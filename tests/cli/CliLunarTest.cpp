// qiravel-cli lunar, solar, terms and eras, run as a user runs them. Expected dates are those of
// the official calendar.
#include "Cli.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(CliLunar, LunarDateLabelsAndPillars)
{
    const auto r = Cli({"lunar", "2024-02-10T08:30"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "二○二四年正月初一")) << r.out;
    EXPECT_TRUE(Contains(r.out, "甲辰年，属龙")) << r.out;
    EXPECT_TRUE(Contains(r.out, "四柱：甲辰年 丙寅月 甲辰日 戊辰时")) << r.out;
}

TEST(CliLunar, JsonWithLeapMonth)
{
    const auto r = Cli({"lunar", "2033-12-22", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["lunar"]["year"], 2033);
    EXPECT_EQ(j["lunar"]["month"], 11);
    EXPECT_EQ(j["lunar"]["day"], 1);
    EXPECT_EQ(j["lunar"]["leap"], true);
    EXPECT_EQ(j["lunar"]["text"], "二○三三年闰十一月初一");
    EXPECT_TRUE(j["pillars"]["hour"].is_null());
}

// 立春 1984 fell at 23:19: the year pillar turns from 癸亥 to 甲子 at that minute, and from
// 23:00 on the day and hour pillars are those of the next day's 子 hour.
TEST(CliLunar, PillarsAtLichun1984)
{
    const auto before = nlohmann::json::parse(Cli({"lunar", "1984-02-04T23:18", "--json"}).out);
    const auto after = nlohmann::json::parse(Cli({"lunar", "1984-02-04T23:19", "--json"}).out);
    EXPECT_EQ(before["pillars"]["year"], "癸亥");
    EXPECT_EQ(after["pillars"]["year"], "甲子");
    EXPECT_EQ(before["pillars"]["month"], "乙丑");
    EXPECT_EQ(after["pillars"]["month"], "丙寅");
    EXPECT_EQ(after["pillars"]["day"], "己巳");  // 1984-02-05 is 己巳 (2000-01-01 戊午 less 5809 days)
    EXPECT_EQ(after["pillars"]["hour"], "甲子");  // the 子 hour of a 己 day
}

TEST(CliSolar, LunarToGregorian)
{
    auto r = Cli({"solar", "--lunar", "2023-2-1", "--leap"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "农历：二○二三年闰二月初一")) << r.out;
    EXPECT_TRUE(Contains(r.out, "公历：2023-03-22")) << r.out;
    r = Cli({"solar", "--lunar=2024-01-01T07:45", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["gregorian"], "2024-02-10 07:45");
}

TEST(CliSolar, DateThatDoesNotExist)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"solar", "--lunar", "2024-5-1", "--leap"}, {"solar", "--lunar", "2024-1-30"}}) {
        const auto r = Cli(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(r.err, "错误：不存在这个农历日期，无法转换到公历！\n");
    }
}

TEST(CliTerms, TwentyFourTermsWithBeijingTimes)
{
    auto r = Cli({"terms", "1984"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "立春  1984-02-04 23:19")) << r.out;
    r = Cli({"terms", "2024", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["terms"].size(), 24u);
    EXPECT_EQ(j["terms"][0]["name"], "小寒");
    EXPECT_EQ(j["terms"][2]["time"], "2024-02-04 16:27");
    EXPECT_EQ(j["terms"][23]["name"], "冬至");
    EXPECT_EQ(j["terms"][23]["time"], "2024-12-21 17:21");
}

// The minutes an almanac prints for 2024: 冬至 fell at 17:20:34 and is printed 17:21.
TEST(CliTerms, AlmanacMinutesOf2024)
{
    const auto r = Cli({"terms", "2024"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* line : {"立春  2024-02-04 16:27\n", "春分  2024-03-20 11:06\n", "夏至  2024-06-21 04:51\n",
                             "秋分  2024-09-22 20:44\n", "冬至  2024-12-21 17:21\n"}) {
        EXPECT_TRUE(Contains(r.out, line)) << line << r.out;
    }
}

TEST(CliEras, EraNamesOfAYear)
{
    auto r = Cli({"eras", "1644"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "1644年：\n[明] 毅宗 朱由检 崇祯17年\n[清] 世祖 福临 顺治1年\n");
    r = Cli({"eras", "-221", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["year"], -221);
    EXPECT_EQ(j["eras"][0]["era"], "始皇");
    EXPECT_EQ(j["eras"][0]["yearOfEra"], 26);
    EXPECT_EQ(Cli({"eras", "-2100"}).out, "公元前2100年：没有年号记载\n");
}

// 天福 of 后晋 was in use until the seventh month of 944, when 开运 replaced it.
TEST(CliEras, YearOfAChangeOfEra)
{
    EXPECT_EQ(Cli({"eras", "944"}).out, "944年：\n[后晋] 出帝 石重贵 天福9年\n[后晋] 出帝 石重贵 开运1年\n");
    EXPECT_EQ(Cli({"eras", "465"}).out,
              "465年：\n[南朝宋] 前废帝 刘子业 永光1年\n[南朝宋] 前废帝 刘子业 景和1年\n[南朝宋] 明帝 刘彧 泰始1年\n"
              "[北魏] 文成帝 拓跋濬 和平6年\n");
}

TEST(CliLunarCommands, BadInputGetsOneChineseLineAndExitCode2)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"lunar", "2023-02-29"}, {"lunar", "0-1-1"}, {"lunar"},
          {"lunar", "2024-1-1", "--leap"}, {"solar", "--lunar", "2024-1-31"}, {"solar"},
          {"solar", "--lunar", "2024-13-1"}, {"solar", "2024-1-1"}, {"terms", "0"}, {"terms", "10000"},
          {"terms", "year"}, {"eras"}, {"eras", "-4714"}, {"eras", "1644", "1645"}}) {
        const auto r = Cli(args);
        EXPECT_EQ(r.exitCode, 2) << args.front() << ' ' << (args.size() > 1 ? args[1] : "");
        EXPECT_TRUE(r.out.empty());
        ASSERT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_EQ(r.err.rfind("错误：", 0), 0u) << r.err;
    }
}

// Input: a conversion whose result lies past 9999 is refused like any date out of range.
TEST(CliSolar, ResultsPastTheLastYearAreRefused)
{
    const ProcessResult r = Cli({"solar", "--lunar", "9999-12-03"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("-4713到9999"), std::string::npos) << r.err;
}
