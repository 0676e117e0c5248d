// qiravel-cli ephem, run as a user runs it.
#include "Cli.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>

namespace {
nlohmann::json Json(const std::string& date) { return CliJson({"ephem", date, "--json"}); }
}  // namespace

TEST(CliEphem, PrintsTheSunAtLichun)
{
    // 立春 2024 was at 16:27 Beijing time (Purple Mountain Observatory): the sun at 315°, less
    // than half a minute (0.0002°) away.
    const auto r = Cli({"ephem", "2024-02-04T16:27"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("太阳视黄经：31"), std::string::npos) << r.out;
    EXPECT_NEAR(Json("2024-02-04T16:27")["sunLongitude"].get<double>(), 315, 0.0002);
    EXPECT_NE(r.out.find("ΔT："), std::string::npos);
    EXPECT_NE(r.out.find("月日黄经差："), std::string::npos);
    EXPECT_NE(r.out.find("时差"), std::string::npos);
}

TEST(CliEphem, JsonAgreesWithItself)
{
    // New moon of 2000-01-06 18:14 UT (USNO), 02:14 on the 7th in Beijing.
    const auto j = Json("2000-01-07T02:14");
    EXPECT_EQ(j["date"], "2000-01-07 02:14");
    EXPECT_DOUBLE_EQ(j["deltaT"].get<double>(), 63.87);
    const double elongation = j["elongation"].get<double>();
    EXPECT_LT(std::min(elongation, 360 - elongation), 0.02);
    const double difference = std::fmod(j["moonLongitude"].get<double>() - j["sunLongitude"].get<double>() + 360, 360);
    EXPECT_NEAR(difference, elongation, 2e-6);
}

// ΔT measured at the start of 2024 (IERS): 69.1 s.
TEST(CliEphem, DeltaTOfToday)
{
    EXPECT_NEAR(Json("2024-01-01T08:00")["deltaT"].get<double>(), 69.1, 0.5);
}

TEST(CliEphem, EquationOfTimeHasItsSign)
{
    // Sundials run about 16 minutes ahead in early November and 14 behind in February.
    EXPECT_NEAR(Json("2023-11-03T12:00")["equationOfTime"].get<double>(), 16 * 60 + 25, 30);
    EXPECT_NEAR(Json("2023-02-11T12:00")["equationOfTime"].get<double>(), -(14 * 60 + 15), 30);
}

TEST(CliEphem, TakesHistoricalYears)
{
    // 1 BC is typed -1; ΔT then is about three hours.
    const auto j = Json("-1-06-01T12:00");
    EXPECT_EQ(j["date"], "-1-06-01 12:00");
    EXPECT_GT(j["deltaT"].get<double>(), 10000);
}

TEST(CliEphem, BadInputGetsOneChineseLineAndExitCode2)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"ephem", "2024-02-30"}, {"ephem", "0-01-01"}, {"ephem", "1582-10-10"},
          {"ephem", "2024-01-01T24:00"}, {"ephem", "noon"}, {"ephem"}, {"ephem", "2024-01-01", "2024-01-02"},
          {"ephem", "2024-01-01", "--json=yes"}}) {
        const auto r = Cli(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_TRUE(r.out.empty());
        ASSERT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_EQ(r.err.rfind("错误：", 0), 0u) << r.err;
    }
}
