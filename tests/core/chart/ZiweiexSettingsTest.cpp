// The chart options of section "ziwei" of dat/set.ini: defaults and unexpected values.
#include "TempHome.h"
#include "ZiweiexGrades.h"
#include "ZiweiexSettings.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

void WriteSetIni(const TempHome& home, const std::string& body)
{
    std::ofstream(home.dat() / "set.ini") << body;
}

}  // namespace

TEST(ChartSettingsFile, MissingFileOrSectionGivesTheDefaults)
{
    TempHome home;
    for (const std::string& body : {std::string{}, std::string{"[other]\ntg5=1\nshowfu=0\n"}}) {
        if (!body.empty()) WriteSetIni(home, body);
        const ChartSettings s = ReadChartSettings(home.path());
        EXPECT_EQ(s.tg5, 0);
        EXPECT_EQ(s.tg7, 0);
        EXPECT_EQ(s.tg9, 0);
        EXPECT_EQ(s.tm, 0);
        EXPECT_EQ(s.run, 0);
        EXPECT_EQ(s.showfu, 1);
        EXPECT_EQ(s.showxiao, 1);
        EXPECT_EQ(s.idate, 0);
        EXPECT_EQ(s.save, 0);
        EXPECT_EQ(s.ileft, 0);
        EXPECT_EQ(s.zishi, 0);
        EXPECT_EQ(s.miaoxian, 0);
    }
}

TEST(ChartSettingsFile, ReadsAllTwelveKeys)
{
    TempHome home;
    WriteSetIni(home, "[ziwei]\ntg5=1\ntg7=2\ntg9=1\ntm=1\nrun=2\nileft=24\nsave=1\nshowfu=0\nshowxiao=0\n"
                      "zishi=1\nidate=2\nmiaoxian=1\n");
    const ChartSettings s = ReadChartSettings(home.path());
    EXPECT_EQ(s.tg5, 1);
    EXPECT_EQ(s.tg7, 2);
    EXPECT_EQ(s.tg9, 1);
    EXPECT_EQ(s.tm, 1);
    EXPECT_EQ(s.run, 2);
    EXPECT_EQ(s.ileft, 24);
    EXPECT_EQ(s.save, 1);
    EXPECT_EQ(s.showfu, 0);
    EXPECT_EQ(s.showxiao, 0);
    EXPECT_EQ(s.zishi, 1);
    EXPECT_EQ(s.idate, 2);
    EXPECT_EQ(s.miaoxian, 1);
}

TEST(ChartSettingsFile, SectionAndKeyNamesIgnoreCase)
{
    TempHome home;
    WriteSetIni(home, "[ZiWei]\nTG7=1\n");
    EXPECT_EQ(ReadChartSettings(home.path()).tg7, 1);
}

TEST(ChartSettingsFile, NonNumbersGiveTheDefaultAndOddNumbersKeepTheirMeaning)
{
    TempHome home;
    WriteSetIni(home, "[ziwei]\ntg5=abc\ntg7=5\nshowfu=2\nshowxiao=2\nrun=300\nmiaoxian=-1\nsave=7\nzishi=-3\n"
                      "ileft=x\nidate=\n");
    const ChartSettings s = ReadChartSettings(home.path());
    EXPECT_EQ(s.tg5, 0);
    EXPECT_EQ(s.tg7, 5);
    EXPECT_EQ(s.showfu, 2);    // any non-zero places the minor stars
    EXPECT_EQ(s.showxiao, 2);  // not exactly 1: the small-star cycles are not shown
    EXPECT_EQ(s.run, 255);     // beyond a byte: still "any other value"
    EXPECT_EQ(s.miaoxian, 255);
    EXPECT_EQ(s.save, 1);
    EXPECT_EQ(s.zishi, 1);
    EXPECT_EQ(s.ileft, 0);
    EXPECT_EQ(s.idate, 0);
    // A value of 256 must not wrap round to 0, which would change its meaning.
    WriteSetIni(home, "[ziwei]\ntg9=256\nshowfu=256\n");
    const ChartSettings wide = ReadChartSettings(home.path());
    EXPECT_NE(wide.tg9, 0);
    EXPECT_NE(wide.showfu, 0);
}

TEST(ChartSettingsFile, HandWrittenTg7Of5UsesTheThirdGengRow)
{
    TempHome home;
    WriteSetIni(home, "[ziwei]\ntg7=5\n");
    const FourStars geng = FourTransforms(7, ReadChartSettings(home.path()));
    EXPECT_EQ(geng, (FourStars{3, 4, 7, 5}));  // 阳武府同
}

TEST(ChartSettingsFile, WrittenSettingsReadBackInTheirKeyOrder)
{
    TempHome home;
    std::filesystem::remove_all(home.dat());  // dat/ is made when missing
    ChartSettings s;
    s.tg5 = 1; s.tg7 = 2; s.tg9 = 1; s.tm = 1; s.run = 2; s.ileft = 999; s.save = 1;
    s.showfu = 0; s.showxiao = 0; s.zishi = 1; s.idate = 1; s.miaoxian = 1;
    ASSERT_TRUE(WriteChartSettings(home.path(), s));
    std::ifstream in(home.dat() / "set.ini");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("[ziwei]\ntg5=1\ntg7=2\ntg9=1\ntm=1\nrun=2\nileft=999\nsave=1\nshowfu=0\nshowxiao=0\n"
                        "zishi=1\nidate=1\nmiaoxian=1\n"), std::string::npos) << text;
    const ChartSettings back = ReadChartSettings(home.path());
    EXPECT_EQ(back.tg7, 2);
    EXPECT_EQ(back.ileft, 999);
    EXPECT_EQ(back.zishi, 1);
    EXPECT_EQ(back.idate, 1);
}

TEST(ChartSettingsFile, OddValuesChooseTheLastChoiceAndIndentTextParses)
{
    struct Row { uint8_t value; int choices; int choice; };
    for (const Row& r : {Row{0, 2, 0}, Row{1, 2, 1}, Row{5, 3, 2}, Row{255, 2, 1}, Row{2, 3, 2}})
        EXPECT_EQ(OptionChoice(r.value, r.choices), r.choice) << int(r.value);
    struct Text { const char* text; int value; };
    for (const Text& t : {Text{"0", 0}, Text{"999", 999}, Text{"", -1}, Text{"abc", -1}, Text{"-5", -5},
                          Text{"1 2", -1}, Text{"+7", 7}})
        EXPECT_EQ(ParseTextIndent(t.text), t.value) << t.text;
}
