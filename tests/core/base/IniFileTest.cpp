#include "IniFile.h"

#include "Gbk.h"
#include "TempHome.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {
std::string ReadAll(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
}  // namespace

TEST(IniFile, MissingFileGivesDefaults)
{
    TempHome home;
    IniFile ini(home.dat() / "set.ini");
    EXPECT_EQ(ini.ReadInt("ziwei", "showfu", 1), 1);
    EXPECT_EQ(ini.ReadString("ziwei", "x", "默认"), "默认");
    EXPECT_TRUE(ini.ReadBool("ziwei", "save", true));
    EXPECT_FALSE(ini.KeyExists("ziwei", "tg5"));
    EXPECT_TRUE(ini.Keys("ziwei").empty());
    EXPECT_FALSE(std::filesystem::exists(home.dat() / "set.ini"));
}

TEST(IniFile, WritesGoToTheFileAtOnceInProfileLayout)
{
    TempHome home;
    const auto path = home.dat() / "zdinit.ini";
    {
        IniFile ini(path);
        ASSERT_TRUE(ini.WriteString("分类", "类别1", "朋友"));
        ASSERT_TRUE(ini.WriteInt("window", "left", -20));
        ASSERT_TRUE(ini.WriteBool("window", "max", true));
        // Already on disk, before the object goes away.
        const std::string gbk = ReadAll(path);
        EXPECT_NE(gbk.find(*Utf8ToGbk("[分类]")), std::string::npos);
        EXPECT_NE(gbk.find(*Utf8ToGbk("类别1=朋友")), std::string::npos);
        EXPECT_NE(gbk.find("left=-20"), std::string::npos);
        EXPECT_NE(gbk.find("max=1"), std::string::npos);
        EXPECT_EQ(gbk.find("朋友"), std::string::npos);  // not UTF-8 on disk
    }
    IniFile again(path);
    EXPECT_EQ(again.ReadString("分类", "类别1", ""), "朋友");
    EXPECT_EQ(again.ReadInt("window", "left", 0), -20);
    EXPECT_TRUE(again.ReadBool("window", "max", false));
}

TEST(IniFile, KeepsFileOrderOfSectionsAndKeys)
{
    TempHome home;
    const auto path = home.dat() / "dili.ini";
    {
        std::ofstream out(path, std::ios::binary);
        out << *Utf8ToGbk("[省份]\r\nzeta=1\r\nalpha=2\r\n北京=3\r\n[城市]\r\nb=1\r\na=2\r\n");
    }
    IniFile ini(path);
    EXPECT_EQ(ini.Keys("省份"), (std::vector<std::string>{"zeta", "alpha", "北京"}));
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"省份", "城市"}));
    ASSERT_TRUE(ini.WriteString("省份", "mid", "4"));
    ASSERT_TRUE(ini.WriteString("省份", "alpha", "changed"));
    ASSERT_TRUE(ini.DeleteKey("省份", "zeta"));
    IniFile again(path);
    EXPECT_EQ(again.Keys("省份"), (std::vector<std::string>{"alpha", "北京", "mid"}));
    EXPECT_EQ(again.ReadString("省份", "alpha", ""), "changed");
    EXPECT_EQ(again.ReadInt("省份", "北京", 0), 3);
    EXPECT_FALSE(again.KeyExists("省份", "zeta"));
}

TEST(IniFile, NamesCompareWithoutCaseAndNumbersParseLikeAProfileReader)
{
    TempHome home;
    const auto path = home.dat() / "set.ini";
    {
        std::ofstream out(path);
        out << "[ZiWei]\nTG7=5\nileft=12abc\nrun=x\n";
    }
    IniFile ini(path);
    EXPECT_EQ(ini.ReadInt("ziwei", "tg7", 0), 5);
    EXPECT_EQ(ini.ReadInt("ziwei", "ileft", 0), 12);
    EXPECT_EQ(ini.ReadInt("ziwei", "run", 7), 7);
}

TEST(IniFile, RefusesTextGbkCannotHold)
{
    TempHome home;
    IniFile ini(home.dat() / "x.ini");
    EXPECT_FALSE(ini.WriteString("s", "k", "😀"));
    EXPECT_FALSE(ini.KeyExists("s", "k"));
}

TEST(IniFile, UnwritableFolderReportsFailure)
{
    TempHome home;
    IniFile ini(home.path() / "no-such-folder" / "x.ini");
    EXPECT_FALSE(ini.WriteString("s", "k", "v"));
}
