// The one check of a birth as entered: a table of good and bad entries.
#include "BirthInput.h"
#include "TempHome.h"
#include "Ziweiex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

namespace {

BirthEntry Zhang()
{
    BirthEntry e;
    e.name = "张三";
    e.year = "1984";
    e.month = 2;
    e.day = 5;
    e.hour = 12;
    e.minute = 30;
    e.sex = "男";
    e.place = "未知地";
    return e;
}

struct Row {
    const char* what;
    void (*change)(BirthEntry&);
    BirthFault fault;
};

// Dates quoted from the published Chinese calendar: 2020 has a leap fourth month, 2021 none;
// the first month of 2024 runs 10 February to 9 March, 29 days; 1582 skips 5..14 October; 1500
// is a Julian leap year, 1900 no Gregorian one. The twelfth lunar month of 9999 begins after the
// winter solstice, so its 29th day falls in the year 10000.
const Row kRows[] = {
    {"the sample birth", [](BirthEntry&) {}, BirthFault::None},
    {"empty name", [](BirthEntry& e) { e.name.clear(); }, BirthFault::NameEmpty},
    {"8 GBK bytes of Latin letters", [](BirthEntry& e) { e.name = "abcdefgh"; }, BirthFault::None},
    {"9 GBK bytes", [](BirthEntry& e) { e.name = "abcdefghi"; }, BirthFault::NameTooLong},
    {"five Chinese characters", [](BirthEntry& e) { e.name = "一二三四五"; }, BirthFault::NameTooLong},
    {"€ is one GBK byte: 8 of them fit", [](BirthEntry& e) { e.name = "€€€€€€€€"; }, BirthFault::None},
    {"nine of them do not", [](BirthEntry& e) { e.name = "€€€€€€€€€"; }, BirthFault::NameTooLong},
    {"13 UTF-8 bytes, 5 GBK bytes", [](BirthEntry& e) { e.name = "a€€€€"; }, BirthFault::None},
    {"a character GBK lacks", [](BirthEntry& e) { e.name = "😀"; }, BirthFault::NameUnsavable},
    {"half a character", [](BirthEntry& e) { e.name = "a\xE2\x82"; }, BirthFault::NameUnsavable},
    {"a bare GBK byte", [](BirthEntry& e) { e.name = "\xD5\xC5"; }, BirthFault::NameUnsavable},
    {"newline in the name", [](BirthEntry& e) { e.name = "张\n三"; }, BirthFault::NameControl},
    {"NUL in the name", [](BirthEntry& e) { e.name = std::string("a\0b", 3); }, BirthFault::NameControl},
    {"C1 control in the name", [](BirthEntry& e) { e.name = "a\xC2\x85"; }, BirthFault::NameControl},
    {"empty name before a bad year", [](BirthEntry& e) { e.name.clear(); e.year = "0"; }, BirthFault::NameEmpty},
    {"year 0", [](BirthEntry& e) { e.year = "0"; }, BirthFault::Year},
    {"year -4714", [](BirthEntry& e) { e.year = "-4714"; }, BirthFault::Year},
    {"year 10000", [](BirthEntry& e) { e.year = "10000"; }, BirthFault::Year},
    {"year not a number", [](BirthEntry& e) { e.year = "1984年"; }, BirthFault::Year},
    {"year beyond int", [](BirthEntry& e) { e.year = "99999999999"; }, BirthFault::Year},
    {"year -4713 on its first day", [](BirthEntry& e) { e.year = "-4713"; e.month = 1; e.day = 1; }, BirthFault::None},
    {"year 9999", [](BirthEntry& e) { e.year = "9999"; }, BirthFault::None},
    {"month 13", [](BirthEntry& e) { e.month = 13; }, BirthFault::Month},
    {"day 0", [](BirthEntry& e) { e.day = 0; }, BirthFault::Day},
    {"hour 24", [](BirthEntry& e) { e.hour = 24; }, BirthFault::Time},
    {"minute 60", [](BirthEntry& e) { e.minute = 60; }, BirthFault::Time},
    {"2023-02-29", [](BirthEntry& e) { e.year = "2023"; e.month = 2; e.day = 29; }, BirthFault::NoSuchDate},
    {"2024-02-29", [](BirthEntry& e) { e.year = "2024"; e.month = 2; e.day = 29; }, BirthFault::None},
    {"1900-02-29", [](BirthEntry& e) { e.year = "1900"; e.month = 2; e.day = 29; }, BirthFault::NoSuchDate},
    {"1500-02-29", [](BirthEntry& e) { e.year = "1500"; e.month = 2; e.day = 29; }, BirthFault::None},
    {"1582-10-10", [](BirthEntry& e) { e.year = "1582"; e.month = 10; e.day = 10; }, BirthFault::NoSuchDate},
    {"leap without lunar", [](BirthEntry& e) { e.leap = true; }, BirthFault::LeapWithoutLunar},
    {"lunar 2020 leap 4-1", [](BirthEntry& e) { e.year = "2020"; e.month = 4; e.day = 1; e.lunar = e.leap = true; },
     BirthFault::None},
    {"lunar 2021 leap 4-1", [](BirthEntry& e) { e.year = "2021"; e.month = 4; e.day = 1; e.lunar = e.leap = true; },
     BirthFault::NoSuchLunarDate},
    {"lunar 2024 1-30", [](BirthEntry& e) { e.year = "2024"; e.month = 1; e.day = 30; e.lunar = true; },
     BirthFault::NoSuchLunarDate},
    {"lunar 2024 1-29", [](BirthEntry& e) { e.year = "2024"; e.month = 1; e.day = 29; e.lunar = true; },
     BirthFault::None},
    {"lunar day 31", [](BirthEntry& e) { e.day = 31; e.lunar = true; }, BirthFault::NoSuchLunarDate},
    {"lunar 9999 12-29", [](BirthEntry& e) { e.year = "9999"; e.month = 12; e.day = 29; e.lunar = true; },
     BirthFault::LunarYearOutOfRange},
    {"9999-12-31 22:59", [](BirthEntry& e) { e.year = "9999"; e.month = 12; e.day = 31; e.hour = 22; e.minute = 59; },
     BirthFault::None},
    {"9999-12-31 23:00 is cast on the next day",
     [](BirthEntry& e) { e.year = "9999"; e.month = 12; e.day = 31; e.hour = 23; e.minute = 0; },
     BirthFault::ChartYearOutOfRange},
    {"sex missing", [](BirthEntry& e) { e.sex.clear(); }, BirthFault::Sex},
    {"chart kind 3", [](BirthEntry& e) { e.chartKind = 3; }, BirthFault::ChartKind},
    {"no place", [](BirthEntry& e) { e.place.clear(); }, BirthFault::None},
    {"place of 50 GBK bytes", [](BirthEntry& e) {
         e.place.clear();
         for (int i = 0; i < 25; ++i) e.place += "省";
     }, BirthFault::None},
    {"place of 51 GBK bytes", [](BirthEntry& e) {
         e.place = "a";
         for (int i = 0; i < 25; ++i) e.place += "省";
     }, BirthFault::PlaceTooLong},
    {"newline in the place", [](BirthEntry& e) { e.place = "北京\n"; }, BirthFault::PlaceControl},
    {"a place GBK cannot hold", [](BirthEntry& e) { e.place = "\xFF"; }, BirthFault::PlaceUnsavable},
    {"province 35", [](BirthEntry& e) { e.provinceIndex = 35; }, BirthFault::Province},
    {"city -1", [](BirthEntry& e) { e.cityIndex = -1; }, BirthFault::City},
    {"longitude 180.5", [](BirthEntry& e) { e.longitude = 180.5; }, BirthFault::Longitude},
    {"longitude NaN", [](BirthEntry& e) { e.longitude = std::nan(""); }, BirthFault::Longitude},
    {"latitude -91", [](BirthEntry& e) { e.latitude = -91; }, BirthFault::Latitude},
};

}  // namespace

TEST(BirthInput, TableOfGoodAndBadEntries)
{
    for (const Row& row : kRows) {
        BirthEntry e = Zhang();
        row.change(e);
        const BirthCheck check = CheckBirth(e);
        EXPECT_EQ(check.fault, row.fault) << row.what << ": " << BirthFaultText(check.fault);
        EXPECT_EQ(check.ok(), row.fault == BirthFault::None) << row.what;
    }
}

TEST(BirthInput, AcceptedEntryBecomesTheChartInput)
{
    BirthEntry e = Zhang();
    e.name = "Ab€€€€€";
    e.year = "-120";
    e.month = 12;
    e.day = 30;
    e.lunar = true;
    e.leap = false;
    e.sex = "女";
    e.chartKind = 2;
    e.place = "河北省-石家庄";
    e.provinceIndex = 3;
    e.cityIndex = 2;
    e.longitude = 114.5;
    e.latitude = 38.25;
    const BirthCheck check = CheckBirth(e);
    ASSERT_TRUE(check.ok()) << BirthFaultText(check.fault);
    const ChartInput& in = check.input;
    EXPECT_EQ(in.name, "ab€€€€€");  // Latin letters lowered, the rest whole
    EXPECT_EQ(in.place, "河北省-石家庄");
    EXPECT_EQ(in.birth, (MDateTime{-119, 12, 30, 12, 30}));  // 120 BC is astronomical -119
    EXPECT_EQ(in.isLunar, 1);
    EXPECT_EQ(in.isLeap, 0);
    EXPECT_EQ(in.isMale, 0);
    EXPECT_EQ(in.chartKind, 2);
    EXPECT_EQ(in.provinceIndex, 3);
    EXPECT_EQ(in.cityIndex, 2);
    EXPECT_EQ(in.longitude, 114.5f);
    EXPECT_EQ(in.latitude, 38.25f);
}

TEST(BirthInput, EveryFaultHasOneWording)
{
    std::set<std::string_view> texts;
    for (int f = 1; f < static_cast<int>(kBirthFaultWordings.size()) + 1; ++f) {
        const auto fault = static_cast<BirthFault>(f);
        EXPECT_EQ(kBirthFaultWordings[f - 1].fault, fault);
        EXPECT_FALSE(BirthFaultText(fault).empty()) << f;
        EXPECT_FALSE(BirthFaultCaption(fault).empty()) << f;
        texts.insert(BirthFaultText(fault));
    }
    EXPECT_EQ(texts.size(), kBirthFaultWordings.size());
    EXPECT_TRUE(BirthFaultText(BirthFault::None).empty());
    EXPECT_EQ(BirthFaultText(BirthFault::NameEmpty), "姓名不能为空");
    EXPECT_EQ(BirthFaultCaption(BirthFault::Year), "年份错误");
    EXPECT_EQ(BirthFaultText(BirthFault::Year),
              "年份必须在-4713到9999年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120");
}

// Handed the same births unchecked, the engine refuses them with the same texts.
TEST(BirthInput, DateFaultsReadAsTheEngineWordsThem)
{
    const struct {
        MDateTime birth;
        bool lunar;
        bool leap;
        BirthFault fault;
    } cases[] = {
        {{2023, 2, 29, 12, 0}, false, false, BirthFault::NoSuchDate},
        {{2021, 4, 1, 12, 0}, true, true, BirthFault::NoSuchLunarDate},
        {{9999, 12, 29, 12, 0}, true, false, BirthFault::LunarYearOutOfRange},
        {{9999, 12, 31, 23, 30}, false, false, BirthFault::ChartYearOutOfRange},
    };
    TempHome home;
    MZiWeiEx engine(home.path());
    for (const auto& c : cases) {
        ChartInput in;
        in.birth = c.birth;
        in.isLunar = c.lunar;
        in.isLeap = c.leap;
        EXPECT_FALSE(engine.CastNatal(in));
        EXPECT_EQ(engine.lastError(), BirthFaultText(c.fault));
    }
}
