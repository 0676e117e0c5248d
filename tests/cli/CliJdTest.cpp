// qiravel-cli jd, run as a user runs it.
#include "Cli.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

TEST(CliJd, PrintsJulianDayWeekdayAndDayCycle)
{
    const auto r = Cli({"jd", "2000-01-01T12:00"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("2451545.000000"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("星期六"), std::string::npos);
    EXPECT_NE(r.out.find("戊午"), std::string::npos);
}

TEST(CliJd, JsonUsesHistoricalYears)
{
    const auto r = Cli({"jd", "-4713-01-01T12:00", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["julianDay"].get<double>(), 0.0);
    EXPECT_EQ(j["date"], "-4713-01-01 12:00");
    const auto reform = nlohmann::json::parse(Cli({"jd", "1582-10-15", "--json"}).out);
    EXPECT_EQ(reform["julianDay"].get<double>(), 2299160.5);
    EXPECT_EQ(reform["weekday"], 5);
}

TEST(CliJd, BadInputGetsOneChineseLineAndExitCode2)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"jd", "0-01-01"}, {"jd", "1582-10-10"}, {"jd", "2023-02-29"},
          {"jd", "10000-01-01"}, {"jd", "-4714-12-31"}, {"jd", "2024-13-01"}, {"jd", "yesterday"},
          {"jd", "2024-01-01T25:00"}, {"jd"}, {"jd", "2024-01-01", "--bogus"}, {"nosuchcommand"}}) {
        const auto r = Cli(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_TRUE(r.out.empty());
        ASSERT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_EQ(r.err.rfind("错误：", 0), 0u) << r.err;
    }
}

TEST(CliJd, NoArgumentsShowsTheCommandsOnAnExample)
{
    const auto r = Cli({});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("jd"), std::string::npos);
    EXPECT_NE(r.out.find("儒略日"), std::string::npos);
}
