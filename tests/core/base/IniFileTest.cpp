#include "IniFile.h"

#include "FuzzCount.h"
#include "Gbk.h"
#include "TempHome.h"

#include <algorithm>
#include <climits>
#include <fstream>
#include <random>
#include <sys/stat.h>
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

// Input: a settings file that is no regular file (a FIFO would hang every read, a folder made
// the INI library ask for 2^63 bytes) or is absurdly large reads as missing.
TEST(IniFile, OnlyARegularFileOfSaneSizeIsRead)
{
    TempHome home;
    const auto fifo = home.dat() / "set.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(IniFile(fifo).ReadInt("ziwei", "showfu", 7), 7);  // returns at once
    const auto folder = home.dat() / "zdinit.ini";
    std::filesystem::create_directory(folder);
    EXPECT_TRUE(IniFile(folder).Sections().empty());
    const auto huge = home.dat() / "huge.ini";
    std::ofstream(huge) << "[ziwei]\nshowfu=0\n" << std::string(2 << 20, ';');
    EXPECT_EQ(IniFile(huge).ReadInt("ziwei", "showfu", 7), 7);
}

// Input: a number beyond int is some other value, never one that wrapped round to 1.
TEST(IniFile, NumbersBeyondIntAreNotWrappedRound)
{
    TempHome home;
    const auto path = home.dat() / "set.ini";
    std::ofstream(path) << "[ziwei]\nbig=4294967297\nsmall=-4294967297\n";
    IniFile ini(path);
    EXPECT_EQ(ini.ReadInt("ziwei", "big", 0), INT_MAX);
    EXPECT_EQ(ini.ReadInt("ziwei", "small", 0), INT_MIN);
}

// Fuzz: random and mutated profile texts are read without harm.
TEST(IniFileFuzz, RandomAndMutatedTextsReadWithoutHarm)
{
    static const std::string kSeeds[] = {
        "[ziwei]\nshowfu=1\ntg5=3\n", "[分类]\n类别1=朋友\n类别2=家人\n", "[a]\r\nx = 1\r\n;c\r\n[b]\nk=v=w\n",
        "\xEF\xBB\xBF[w]\nleft=-20\n", "[x\n=\n[]\n==\n[y]]\nz",
    };
    static const char kBytes[] = "[]=;\n\r \t#abc01\xD5\xC5\x81\x40\xFF\x00";
    std::mt19937 rng(12);
    std::uniform_int_distribution<int> pick(0, 255);
    TempHome home;
    const auto path = home.dat() / "fuzz.ini";
    const long inputs = FuzzInputs(3000);
    for (long i = 0; i < inputs; ++i) {
        std::string text = kSeeds[pick(rng) % std::size(kSeeds)];
        for (int m = pick(rng) % 8; m >= 0; --m) {
            const std::size_t at = text.empty() ? 0 : pick(rng) * 131u % (text.size() + 1);
            const char c = pick(rng) % 3 ? kBytes[pick(rng) % (sizeof kBytes - 1)] : static_cast<char>(pick(rng));
            switch (pick(rng) % 3) {
            case 0: text.insert(at, 1, c); break;
            case 1: if (at < text.size()) text.erase(at, 1 + pick(rng) % 4); break;
            default: if (at < text.size()) text[at] = c; break;
            }
        }
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        IniFile ini(path);
        // Every section but the unnamed one has its header in the text; every key reads.
        const auto sections = ini.Sections();
        ASSERT_LE(sections.size(), static_cast<std::size_t>(std::count(text.begin(), text.end(), '[')) + 1) << i;
        for (const std::string& section : sections)
            for (const std::string& key : ini.Keys(section)) {
                ini.ReadString(section, key, "");
                ini.ReadInt(section, key, 0);
            }
    }
    RecordProperty("inputs", std::to_string(inputs));
}
