// qiravel-cli cast, run as a user runs it.
#include "RunProcess.h"
#include "TempHome.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

namespace {

class CliCast : public ::testing::Test {
protected:
    ProcessResult Cast(std::vector<std::string> args, const std::string& input = {})
    {
        args.insert(args.begin(), "cast");
        args.push_back("--home");
        args.push_back(home.path().string());
        return RunProcess(QIRAVEL_CLI, args, input);
    }
    nlohmann::json CastJson(std::vector<std::string> args)
    {
        args.push_back("--json");
        const ProcessResult r = Cast(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return nlohmann::json::parse(r.out);
    }
    std::vector<std::string> Birth(const std::string& date = "1984-02-05", const std::string& time = "12:00")
    {
        return {"--name", "张三", "--date", date, "--time", time, "--sex", "男"};
    }
    TempHome home;
};

std::vector<std::string> Plus(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

TEST_F(CliCast, TextShowsCentreBoxAndCells)
{
    const ProcessResult r = Cast(Birth());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* text : {"张三", "公历：1984-02-05 12:00", "农历：1984年正月初四", "八字：甲子 丙寅", "五行局：",
                             "命宫", "父母", "紫微", "长生", "博士"})
        EXPECT_NE(r.out.find(text), std::string::npos) << text << '\n' << r.out;
}

TEST_F(CliCast, JsonHoldsTheWholeChart)
{
    const auto j = CastJson(Birth());
    for (const char* key : {"clockBirth", "solarBirth", "lunarBirth", "chartMonth", "baziYear", "baziMonth", "baziDay",
                            "baziHour", "yearPillar", "monthPillar", "dayPillar", "hourPillar", "bodyPalace", "bureau",
                            "bureauElement", "douJun", "palaces", "settings"})
        EXPECT_TRUE(j.contains(key)) << key;
    EXPECT_EQ(j["yearPillar"], 1);
    EXPECT_EQ(j["lunarBirth"]["month"], 1);
    EXPECT_EQ(j["lunarBirth"]["day"], 4);
    EXPECT_EQ(j["lunarBirth"]["leap"], false);
    ASSERT_EQ(j["palaces"].size(), 12u);
    int stars = 0;
    for (const auto& p : j["palaces"]) {
        EXPECT_EQ(p["stars"].size(), p["grades"].size());
        for (const char* key : {"stemBranch", "decadeStart", "natalMarks", "changSheng", "boShi", "jiangXing", "suiJian"})
            EXPECT_TRUE(p.contains(key)) << key;
        stars += static_cast<int>(p["stars"].size());
    }
    EXPECT_GE(stars, 26);
    EXPECT_EQ(j["settings"].size(), 12u);
    EXPECT_FALSE(j.contains("annual"));
}

TEST_F(CliCast, HistoricalYearsBeforeTheCommonEra)
{
    const auto j = CastJson(Birth("-120-03-01"));
    EXPECT_EQ(j["clockBirth"]["year"], -120);
}

TEST_F(CliCast, LunarInputWithLeapMonth)
{
    const auto j = CastJson(Plus(Birth("2020-04-01"), {"--lunar", "--leap"}));
    EXPECT_EQ(j["clockBirth"]["month"], 5);
    EXPECT_EQ(j["clockBirth"]["day"], 23);
    EXPECT_EQ(j["lunarBirth"]["leap"], true);
}

TEST_F(CliCast, SettingsComeFromTheHomeFolder)
{
    std::ofstream(home.dat() / "set.ini") << "[ziwei]\ntg7=2\nshowfu=0\n";
    const auto j = CastJson(Birth());
    EXPECT_EQ(j["settings"]["tg7"], 2);
    EXPECT_EQ(j["settings"]["showfu"], 0);
    for (const auto& p : j["palaces"])
        for (const auto& s : p["stars"]) EXPECT_LE(s.get<int>(), 26);
}

TEST_F(CliCast, AnnualLayers)
{
    const auto j = CastJson(Plus(Birth(), {"--annual", "2024-03-20T12:00", "--daily-hourly"}));
    ASSERT_TRUE(j.contains("annual"));
    const auto& a = j["annual"];
    EXPECT_EQ(a["annualAge"], 41);
    EXPECT_EQ(a["annualPillar"], 41);
    EXPECT_EQ(a["monthLength"], 30);
    ASSERT_EQ(a["annualStars"].size(), 12u);
    ASSERT_EQ(a["decadeStars"].size(), 12u);
    ASSERT_EQ(a["palaces"].size(), 12u);
    int days = 0;
    for (const auto& p : a["palaces"]) {
        days += static_cast<int>(p["days"].size());
        EXPECT_TRUE(p.contains("hourBranch"));
        EXPECT_TRUE(p["annualMarks"].empty());
    }
    EXPECT_EQ(days, 30);
    const auto plain = CastJson(Plus(Birth(), {"--annual", "2024-03-20T12:00"}));
    for (const auto& p : plain["annual"]["palaces"]) {
        EXPECT_FALSE(p.contains("days"));  // the months are laid out, the days and hours not
        EXPECT_TRUE(p.contains("month"));
    }
    const ProcessResult text = Cast(Plus(Birth(), {"--annual", "2024-03-20T12:00"}));
    EXPECT_NE(text.out.find("虚岁41"), std::string::npos) << text.out;
}

TEST_F(CliCast, FailedCastPrintsTheReasonAndExits1)
{
    // Local mean time at 100°E moves the first minutes of -4713 into the year before.
    std::ofstream(home.dat() / "set.ini") << "[ziwei]\nidate=2\n";
    const ProcessResult r = Cast(Plus(Birth("-4713-01-01", "00:10"), {"--longitude", "100"}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "公、农历正常转换年份在-4713到9999之间\n");
    EXPECT_TRUE(r.out.empty());
    const ProcessResult early = Cast(Plus(Birth(), {"--annual", "1984-02-05T12:00"}));
    EXPECT_EQ(early.exitCode, 1);
    EXPECT_EQ(early.err, "流年时间应在出生年后。\n");
}

TEST_F(CliCast, MalformedArgumentsExit2)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--name", "张三", "--date", "1984-02-05", "--time", "12:00"},
        Plus(Birth(), {"--sex", "x"}),
        Plus(Birth(), {"--leap"}),
        Plus(Birth(), {"--daily-hourly"}),
        Plus(Birth(), {"--kind", "月盘"}),
        Plus(Birth(), {"--annual", "2024-03-01"}),
        Plus(Birth(), {"--longitude", "200"}),
        {"--name", "一二三四五", "--date", "1984-02-05", "--time", "12:00", "--sex", "男"},
        {"--name", "", "--date", "1984-02-05", "--time", "12:00", "--sex", "男"},
        Birth("1984-02-05", "25:00"),
        Birth("0-01-01"),
        Birth("2023-02-29"),
        Plus(Birth("2021-04-01"), {"--lunar", "--leap"}),
    };
    for (const auto& args : cases) {
        const ProcessResult r = Cast(args);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_EQ(r.err.rfind("错误：", 0), 0u) << r.err;
    }
}

TEST_F(CliCast, BatchWritesOneObjectPerLineInOrder)
{
    const std::string input =
        "甲\t1984-02-05\t12:00\t男\t0\t0\t0\t120\n"
        "乙\t2023-02-29\t12:00\t女\t0\t0\t0\t120\n"
        "丙\t1984-02-05\t12:00\n"
        "\n"
        "丁\t2020-04-01\t08:00\t女\t1\t1\t2\t116.4\t2024-03-01T12:00\n";
    const ProcessResult r = Cast({"--batch", "-"}, input);
    EXPECT_EQ(r.exitCode, 1);
    std::istringstream lines(r.out);
    std::vector<nlohmann::json> out;
    for (std::string line; std::getline(lines, line);) out.push_back(nlohmann::json::parse(line));
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0]["name"], "甲");
    auto single = CastJson(Birth());
    single["name"] = "甲";
    EXPECT_EQ(out[0], single);  // the same object --json prints
    EXPECT_EQ(out[1]["line"], 2);
    EXPECT_EQ(out[1]["error"], "不存在这个日期");
    EXPECT_EQ(out[2]["line"], 3);
    EXPECT_TRUE(out[2].contains("error"));
    EXPECT_EQ(out[3]["chartKind"], 2);
    EXPECT_EQ(out[3]["lunarBirth"]["leap"], true);
    EXPECT_TRUE(out[3].contains("annual"));
}

TEST_F(CliCast, BatchFromAFile)
{
    const auto file = home.path() / "births.txt";
    std::ofstream(file) << "甲\t1990-06-15\t08:30\t女\t0\t0\t0\t121.47\r\n";
    const ProcessResult r = Cast({"--batch", file.string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["clockBirth"]["year"], 1990);
    EXPECT_EQ(Cast({"--batch", (home.path() / "missing.txt").string()}).exitCode, 2);
    EXPECT_EQ(Cast({"--batch", file.string(), "--sex", "男"}).exitCode, 2);
}

// Streams: a batch that cannot be read is no success; an over-long line is reported and the
// batch goes on.
TEST_F(CliCast, BatchFailuresAreReported)
{
    const ProcessResult folder = Cast({"--batch", home.path().string()});
    EXPECT_EQ(folder.exitCode, 2);
    EXPECT_TRUE(folder.out.empty());
    EXPECT_EQ(folder.err.find('\n'), folder.err.size() - 1) << folder.err;

    const ProcessResult r = Cast({"--batch", "-"}, std::string(100000, 'x') + "\n甲\t1984-02-05\t12:00\t男\t0\t0\t0\t120\n");
    EXPECT_EQ(r.exitCode, 1);
    std::istringstream lines(r.out);
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(nlohmann::json::parse(first)["line"], 1);
    EXPECT_NE(first.find("4096"), std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(second)["name"], "甲");
}

// Streams: output that cannot be written is a failure with one message and exit code 1.
TEST_F(CliCast, OutputThatCannotBeWrittenFails)
{
    const std::string cli = QIRAVEL_CLI;
    ASSERT_EQ(RunProcess(cli, Plus({"cases", "add", "--home", home.path().string()}, Birth())).exitCode, 0);
    const std::vector<std::vector<std::string>> commands = {
        {"terms", "2024"},
        Plus({"cast", "--home", home.path().string()}, Birth()),
        {"cases", "list", "--home", home.path().string()},
    };
    for (const auto& command : commands) {
        std::vector<std::string> args = {"-c", "exec \"$0\" \"$@\" > /dev/full", cli};
        args.insert(args.end(), command.begin(), command.end());
        const ProcessResult r = RunProcess("/bin/sh", args);
        EXPECT_EQ(r.exitCode, 1) << command[0];
        EXPECT_EQ(r.err, "错误：无法写出结果\n") << command[0];
    }
}

// Input: messages show a cut argument; a flag given a value is named as such.
TEST_F(CliCast, MessagesStayShort)
{
    const ProcessResult big = Cast(Plus(Birth(), {"--kind", std::string(100 * 1024, 'k')}));
    EXPECT_EQ(big.exitCode, 2);
    EXPECT_LT(big.err.size(), 400u);
    const ProcessResult flag = Cast(Plus(Birth(), {"--json=1"}));
    EXPECT_EQ(flag.exitCode, 2);
    EXPECT_NE(flag.err.find("--json 不带取值"), std::string::npos) << flag.err;
}
