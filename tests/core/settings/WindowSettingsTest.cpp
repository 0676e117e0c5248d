#include "WindowSettings.h"

#include "IniFile.h"
#include "TempHome.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

void WriteFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

TEST(WindowSettings, AFirstStartShowsTheWholeChartBesideThePanel)
{
    TempHome home;
    const WindowSettings s = ReadWindowSettings(IniFile(home.dat() / kZdinitFile));
    EXPECT_GE(s.width, 1100);
    EXPECT_GE(s.height, 700);
    EXPECT_FALSE(s.skinned);
}

TEST(WindowSettings, BoundsOfHandEditedValues)
{
    struct Row {
        const char* lines;
        int treeWidth, commentHeight, chartFontSize, reportFontSize;
    };
    const Row rows[] = {
        {"", 180, 80, 9, 10},  // no file: the defaults
        {"[window]\ntreewid=12\npinghei=5\n", 30, 20, 9, 10},
        {"[window]\ntreewid=30\npinghei=20\n", 30, 20, 9, 10},
        {"[window]\ntreewid=31\npinghei=21\n[panel]\nfsize=20\n", 31, 21, 20, 10},
        {"[panel]\nfsize=7\n[minggao]\nfsize=14\n", 180, 80, 7, 14},
        {"[panel]\nfsize=6\n[minggao]\nfsize=0\n", 180, 80, 9, 10},
        {"[panel]\nfsize=21\n", 180, 80, 9, 10},
        {"[window]\ntreewid=abc\n", 180, 80, 9, 10},
    };
    for (const Row& row : rows) {
        TempHome home;
        WriteFile(home.dat() / kZdinitFile, row.lines);
        const WindowSettings s = ReadWindowSettings(IniFile(home.dat() / kZdinitFile));
        EXPECT_EQ(s.treeWidth, row.treeWidth) << row.lines;
        EXPECT_EQ(s.commentHeight, row.commentHeight) << row.lines;
        EXPECT_EQ(s.chartFontSize, row.chartFontSize) << row.lines;
        EXPECT_EQ(s.reportFontSize, row.reportFontSize) << row.lines;
    }
}

TEST(WindowSettings, WrittenAtCloseAndReadBack)
{
    TempHome home;
    IniFile ini(home.dat() / kZdinitFile);
    WindowSettings s;
    s.left = 33;
    s.top = 44;
    s.width = 1223;
    s.height = 724;
    s.treeWidth = 200;
    s.commentHeight = 90;
    s.province = 12;
    s.city = 3;
    s.reportFont = "楷体";
    s.reportFontSize = 12;
    s.reportBackground = 0x00FFFF;  // yellow: red in the low byte
    s.chartFontSize = 14;
    ASSERT_TRUE(WriteWindowSettings(ini, s));
    const WindowSettings back = ReadWindowSettings(IniFile(home.dat() / kZdinitFile));
    EXPECT_EQ(back.left, 33);
    EXPECT_EQ(back.width, 1223);
    EXPECT_EQ(back.height, 724);
    EXPECT_EQ(back.treeWidth, 200);
    EXPECT_EQ(back.province, 12);
    EXPECT_EQ(back.city, 3);
    EXPECT_EQ(back.reportFont, "楷体");
    EXPECT_EQ(back.reportBackground, 0x00FFFFu);
    EXPECT_EQ(back.chartFontSize, 14);
    EXPECT_EQ(ini.ReadString("minggao", "bcolor", ""), "65535");  // decimal, as the profile keeps it
}

TEST(WindowSettings, MaximisedCloseKeepsTheNormalGeometry)
{
    TempHome home;
    WriteFile(home.dat() / kZdinitFile, "[window]\nleft=5\ntop=6\nwidth=700\nheight=500\nstate=0\n");
    IniFile ini(home.dat() / kZdinitFile);
    WindowSettings s = ReadWindowSettings(ini);
    s.state = 2;
    s.left = 0;
    s.width = 1920;
    ASSERT_TRUE(WriteWindowSettings(ini, s));
    EXPECT_EQ(ini.ReadInt("window", "state", -1), 2);
    EXPECT_EQ(ini.ReadInt("window", "left", -1), 5);
    EXPECT_EQ(ini.ReadInt("window", "width", -1), 700);
}

TEST(WindowSettings, SkinChoiceAndOtherSectionsKept)
{
    TempHome home;
    WriteFile(home.dat() / kZdinitFile, "[classes]\ncount=1\n");
    IniFile ini(home.dat() / kZdinitFile);
    ASSERT_TRUE(WriteSkinChoice(ini, true, "暖纸"));
    EXPECT_TRUE(ini.ReadBool("window", "skined", false));
    EXPECT_EQ(ini.ReadString("window", "skinname", ""), "暖纸");
    ASSERT_TRUE(WriteSkinChoice(ini, false));
    EXPECT_FALSE(ini.ReadBool("window", "skined", true));
    EXPECT_EQ(ini.ReadString("window", "skinname", ""), "暖纸");
    EXPECT_EQ(ini.ReadInt("classes", "count", 0), 1);
}

TEST(WindowSettings, SavedIndexBeyondTheListSelectsTheFirst)
{
    EXPECT_EQ(IndexWithin(3, 4), 3);
    EXPECT_EQ(IndexWithin(4, 4), 0);
    EXPECT_EQ(IndexWithin(-1, 4), 0);
    EXPECT_EQ(IndexWithin(0, 0), 0);
}
