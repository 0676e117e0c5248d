// What qiravel-cli writes besides the chart text: the chart image, the report and clicks.
#include "RunProcess.h"
#include "TempHome.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kBirth = {"--name", "张三", "--date", "1984-02-05", "--time", "12:30", "--sex", "男"};

class CliChartOutput : public ::testing::Test {
protected:
    ProcessResult Run(const std::string& command, std::vector<std::string> extra)
    {
        std::vector<std::string> args = {command};
        args.insert(args.end(), kBirth.begin(), kBirth.end());
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back("--home");
        args.push_back(home.path().string());
        return RunProcess(QIRAVEL_CLI, args);
    }
    std::string Path(const std::string& name) const { return (home.path() / name).string(); }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    TempHome home;
};

}  // namespace

TEST_F(CliChartOutput, WritesTheChartImageInThreeFormats)
{
    const auto r = Run("cast", {"--png", Path("c.png"), "--bmp", Path("c.bmp"), "--jpg", Path("c.jpg"), "--font-size", "14"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Read(Path("c.png")).substr(1, 3), "PNG");
    EXPECT_EQ(Read(Path("c.bmp")).substr(0, 2), "BM");
    EXPECT_EQ(Read(Path("c.jpg")).substr(0, 3), "\xFF\xD8\xFF");
    EXPECT_NE(r.out.find("命身"), std::string::npos);  // the chart text is still printed
}

TEST_F(CliChartOutput, RefusesBadImageOptions)
{
    EXPECT_EQ(Run("cast", {"--png", Path("c.png"), "--font-size", "30"}).exitCode, 2);
    EXPECT_EQ(Run("cast", {"--png", Path("c.png"), "--highlight", "午宫X"}).exitCode, 2);
    const auto unwritable = Run("cast", {"--png", Path("no-such-folder/c.png")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(unwritable.err.find("无法写入图像文件"), std::string::npos);
}

TEST_F(CliChartOutput, PrintsTheReport)
{
    const auto r = Run("cast", {"--report"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("  命主(甲子)屋上之鼠", 0), 0u) << r.out.substr(0, 80);
    size_t at = 0;
    for (const char* heading : {"经济财富：", "事业地位：", "婚姻择偶：", "体质健康：", "祖业房产：", "父母家人：",
                                "子女后代：", "人际交往："}) {
        const size_t found = r.out.find(std::string("\n") + heading + "\n", at);
        ASSERT_NE(found, std::string::npos) << heading;
        at = found + 1;
    }
    const auto json = nlohmann::json::parse(Run("cast", {"--report", "--json"}).out);
    EXPECT_EQ(json["report"], r.out);
}

TEST_F(CliChartOutput, WritesTheFormattedReport)
{
    const auto r = Run("cast", {"--report-html", Path("report.html")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string html = Read(Path("report.html"));
    EXPECT_NE(html.find("经济财富："), std::string::npos);
    EXPECT_NE(html.find("font-weight:700"), std::string::npos);
    EXPECT_NE(html.find("color:#0000ff"), std::string::npos);
}

TEST_F(CliChartOutput, ClicksReadStarsAndPickPalaces)
{
    // The centre of the image is the centre box; a point near the top left corner is the
    // first star of the 巳 cell; a point low in that cell picks the palace.
    const auto centre = nlohmann::json::parse(Run("click", {"--x", "296", "--y", "216", "--json"}).out);
    EXPECT_EQ(centre["result"], 1);
    const auto star = nlohmann::json::parse(Run("click", {"--x", "4", "--y", "4", "--json"}).out);
    EXPECT_EQ(star["result"], 0);
    EXPECT_EQ(star["text"].get<std::string>().rfind("巨门星-", 0), 0u);
    const auto palace = nlohmann::json::parse(Run("click", {"--x", "60", "--y", "80", "--json"}).out);
    EXPECT_EQ(palace["result"], 3);
    EXPECT_EQ(palace["highlighted"], 6);  // 巳
    const auto text = Run("click", {"--x", "4", "--y", "4"});
    EXPECT_EQ(text.out.rfind("0 简介\n巨门星-", 0), 0u) << text.out;
    EXPECT_EQ(Run("click", {"--x", "4"}).exitCode, 2);
}

// Files: an output file that is not a regular file is written into, never replaced.
TEST_F(CliChartOutput, WritesIntoAFifoAndDevicesWithoutReplacingThem)
{
    const std::string fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const int rd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    const int wr = ::open(fifo.c_str(), O_WRONLY);  // keeps the reader from an early end
    ASSERT_GE(rd, 0);
    ASSERT_GE(wr, 0);
    ::fcntl(rd, F_SETFL, 0);
    std::string data;
    std::thread reader([&] {
        char buffer[1 << 16];
        for (ssize_t n; (n = ::read(rd, buffer, sizeof buffer)) > 0;) data.append(buffer, static_cast<size_t>(n));
    });
    const auto r = Run("cast", {"--png", fifo});
    ::close(wr);
    reader.join();
    ::close(rd);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(data.substr(1, 3), "PNG");
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);

    const auto null = Run("cast", {"--png", "/dev/null", "--report-html", "/dev/null"});
    EXPECT_EQ(null.exitCode, 0) << null.err;
    EXPECT_EQ(fs::status("/dev/null").type(), fs::file_type::character);
    // A failed write says so once, in this program's words only.
    const auto full = Run("cast", {"--png", "/dev/full"});
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(full.err, "无法写入图像文件：/dev/full\n");
}
