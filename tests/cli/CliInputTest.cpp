// Bad input through every command that takes a birth: refused alike, on one Chinese line, and
// never an abort.
#include "RunProcess.h"
#include "TempHome.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class CliInput : public ::testing::Test {
protected:
    ProcessResult Run(std::vector<std::string> args, const std::string& input = {})
    {
        args.push_back("--home");
        args.push_back(home.path().string());
        return RunProcess(QIRAVEL_CLI, args, input);
    }

    static std::vector<std::string> Birth(const std::string& name, const std::string& date = "1984-02-05",
                                          const std::string& time = "12:30")
    {
        return {"--name", name, "--date", date, "--time", time, "--sex", "男"};
    }

    ProcessResult Command(const std::string& command, const std::vector<std::string>& birth,
                          std::vector<std::string> more = {})
    {
        std::vector<std::string> args = {command};
        if (command == "cases") args.push_back("add");
        args.insert(args.end(), birth.begin(), birth.end());
        args.insert(args.end(), more.begin(), more.end());
        if (command == "click") args.insert(args.end(), {"--x", "4", "--y", "4"});
        return Run(args);
    }

    std::string CaseFileBytes() const
    {
        std::ifstream in(home.dat() / "ZiWei.dat", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    TempHome home;
};

// Refused as bad input: exit code 2 and the one line "错误：" + message.
void ExpectRefused(const ProcessResult& r, const std::string& message, const std::string& what)
{
    EXPECT_EQ(r.exitCode, 2) << what << '\n' << r.err;
    EXPECT_TRUE(r.out.empty()) << what;
    EXPECT_EQ(r.err, "错误：" + message + "\n") << what;
}

}  // namespace

// These names once cut a character in half and aborted the dump: "€" is one GBK byte and three
// UTF-8 bytes, so eight GBK bytes took more than the old 13-byte buffer held.
TEST_F(CliInput, NamesOfWholeGbkCharactersAreKeptWhole)
{
    for (const std::string name : {"a€€€€", "€€€€€€€€"}) {
        const ProcessResult json = Command("cast", Birth(name), {"--json"});
        ASSERT_EQ(json.exitCode, 0) << json.err;
        EXPECT_EQ(nlohmann::json::parse(json.out)["name"], name);
        const ProcessResult text = Command("cast", Birth(name));
        ASSERT_EQ(text.exitCode, 0) << text.err;
        EXPECT_EQ(text.out.rfind(name + "  男", 0), 0u) << text.out;
    }
    ExpectRefused(Command("cast", Birth("a€€€€€€€€"), {"--json"}), "姓名最多8个字节（4个汉字）", "nine GBK bytes");
}

TEST_F(CliInput, EveryCommandRefusesABadNameAlike)
{
    const struct {
        std::string name;
        std::string message;
    } cases[] = {
        {"一二三四五", "姓名最多8个字节（4个汉字）"},
        {"€€€€€€€€€", "姓名最多8个字节（4个汉字）"},
        {"\xD5\xC5\xC8\xFD", "姓名中有无法保存的字符"},  // GBK bytes, not UTF-8
        {"😀", "姓名中有无法保存的字符"},
        {"a\x01" "b", "姓名中不能有换行、制表等控制字符"},
    };
    for (const auto& c : cases) {
        for (const char* command : {"cast", "click", "cases"})
            ExpectRefused(Command(command, Birth(c.name)), c.message, std::string(command) + " " + c.message);
        const ProcessResult batch = Run({"cast", "--batch", "-"}, c.name + "\t1984-02-05\t12:30\t男\t0\t0\t0\t120\n");
        EXPECT_EQ(batch.exitCode, 1);
        EXPECT_EQ(nlohmann::json::parse(batch.out), (nlohmann::json{{"line", 1}, {"error", c.message}})) << batch.out;
    }
    // A newline or tab cannot travel in a batch line, but everywhere else it is refused.
    for (const char* command : {"cast", "click", "cases"}) {
        ExpectRefused(Command(command, Birth("张\n三")), "姓名中不能有换行、制表等控制字符", command);
        ExpectRefused(Command(command, Birth("张\t三")), "姓名中不能有换行、制表等控制字符", command);
    }
    ExpectRefused(Command("cast", Birth("张三"), {"--place", "北京\r\n"}), "地点中不能有换行、制表等控制字符", "place");
    EXPECT_FALSE(fs::exists(home.dat() / "ZiWei.dat"));
}

TEST_F(CliInput, ALunarDateThatDoesNotExistIsNeverSaved)
{
    ASSERT_EQ(Command("cases", Birth("甲")).exitCode, 0);
    const std::string before = CaseFileBytes();
    // 2021 has no leap month; the first month of 2024 has 29 days.
    ExpectRefused(Command("cases", Birth("乙", "2021-04-01"), {"--lunar", "--leap"}),
                  "不存在这个农历日期，无法转换到公历！", "2021 leap 4");
    ExpectRefused(Command("cases", Birth("乙", "2024-01-30"), {"--lunar"}), "不存在这个农历日期，无法转换到公历！",
                  "2024-01-30");
    EXPECT_EQ(CaseFileBytes(), before);
    EXPECT_FALSE(fs::exists(home.path() / "ZiWei_f" / "乙_202104011230.rtf"));
    EXPECT_EQ(Command("cases", Birth("乙", "2024-01-29"), {"--lunar"}).exitCode, 0);
}

TEST_F(CliInput, NoChartPastTheYear9999)
{
    // From 23:00 the chart belongs to the next day, which would be in 10000.
    for (const char* command : {"cast", "click", "cases"})
        ExpectRefused(Command(command, Birth("甲", "9999-12-31", "23:30")), "公、农历正常转换年份在-4713到9999之间",
                      command);
    EXPECT_EQ(Command("cast", Birth("甲", "9999-12-31", "22:59")).exitCode, 0);
    ExpectRefused(Command("cast", Birth("甲", "10000-01-01")),
                  "年份必须在-4713到9999年之间，并且没有公元0年；注意：公元前用负数，比如公元前120年，就输入-120",
                  "10000");
    ExpectRefused(Command("cast", Birth("甲", std::string(100000, '1') + "-01-01")),
                  "年份必须在-4713到9999年之间，并且没有公元0年；注意：公元前用负数，比如公元前120年，就输入-120",
                  "a year of 100000 digits");
}

TEST_F(CliInput, JsonStaysValidWithBytesThatAreNotUtf8)
{
    ASSERT_EQ(Command("cases", Birth("甲")).exitCode, 0);
    TempHome target;
    const fs::path folder = target.path() / "\xFF\xFE";
    fs::create_directory(folder);
    const ProcessResult r = Run({"cases", "export", folder.string(), "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_NE(j["folder"].get<std::string>().find("\xEF\xBF\xBD"), std::string::npos);  // U+FFFD
    EXPECT_TRUE(fs::exists(folder / "Qiravel_导出数据" / "ZiWei.dat"));
}

TEST_F(CliInput, UnknownCommandsAndOptionsGetOneLine)
{
    const ProcessResult command = Run({"cast\nx"});
    EXPECT_EQ(command.exitCode, 2);
    EXPECT_EQ(command.err, "错误：未知命令 cast；x（qiravel-cli help 列出全部命令）\n");
    const ProcessResult option = Run({"jd", "--a\nb"});
    EXPECT_EQ(option.exitCode, 2);
    EXPECT_EQ(option.err, "错误：未知选项：--a；b\n");
}
