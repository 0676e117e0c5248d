// The case tree's data over a real case file and settings file: captions, the start-up and
// show-all fills, categories (add, rename, delete, reorder, save) and moving and deleting cases.
#include "CaseTree.h"
#include "IniFile.h"
#include "TempHome.h"
#include "cases/CaseFiles.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

struct CaptionRow {
    const char* name;
    int16_t year;
    uint8_t lunar, leap;
    int32_t number;
    const char* caption;
};

TEST(CaseCaption, NameCalendarDateAndNumber)
{
    const CaptionRow rows[] = {
        {"某人", 1990, 1, 1, 15, "某人  农闰1990-4-12|15"},
        {"某人", 1990, 1, 0, 0, "某人  农1990-4-12|0"},
        {"ab", 2001, 0, 1, 7, "ab  公2001-4-12|7"},  // the leap flag counts only for lunar dates
        {"古人", 0, 0, 0, 3, "古人  公-1-4-12|3"},     // 1 BC is stored as year 0
        {"古人", -99, 0, 0, 3, "古人  公-100-4-12|3"},
    };
    for (const CaptionRow& row : rows) {
        CaseRecord r = SampleCase(row.name, row.year);
        r.birth.month = 4;
        r.birth.day = 12;
        r.isLunar = row.lunar;
        r.isLeap = row.leap;
        r.recordNo = row.number;
        EXPECT_EQ(CaseCaption(r), row.caption);
        EXPECT_EQ(CaseNumberOfCaption(row.caption), row.number);
    }
    EXPECT_EQ(CaseNumberOfCaption("无编号"), -1);
    EXPECT_EQ(CaseNumberOfCaption("a|1|x"), -1);
}

class CaseTreeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(db.Open(home.path()), DbStatus::Ok); }

    fs::path Settings() const { return home.dat() / "zdinit.ini"; }
    void SetCategories(const std::vector<std::string>& names) { ASSERT_TRUE(CategoryList(Settings()).WriteAll(names)); }
    int32_t Append(const std::string& name, const std::string& category)
    {
        CaseRecord r = SampleCase(name, 1990, category);
        EXPECT_EQ(db.Append(r), DbStatus::Ok);
        return r.recordNo;
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> out;
        for (const auto& c : tree.Categories()) out.push_back(c.name);
        return out;
    }
    std::vector<int32_t> Numbers(int category) const
    {
        std::vector<int32_t> out;
        for (const auto& c : tree.Categories()[category].cases) out.push_back(c.number);
        return out;
    }

    TempHome home;
    MDataBase db;
    CaseTree tree{db, home.dat() / "zdinit.ini"};
};

TEST_F(CaseTreeTest, EmptyFileShowsTheCategoryList)
{
    SetCategories({"临时保存", "", "朋友"});
    ASSERT_EQ(tree.FillNewest(), DbStatus::Ok);
    EXPECT_EQ(Names(), (std::vector<std::string>{"临时保存", "朋友"}));
    EXPECT_EQ(tree.ShowAll(), ShowAllOutcome::NoRecords);
}

TEST_F(CaseTreeTest, StartUpShowsTheNewestThousandAndShowAllTheRest)
{
    SetCategories({"甲"});
    for (int i = 0; i < 1500; ++i) Append("p" + std::to_string(i), i % 2 ? "甲" : "Extra");
    ASSERT_EQ(db.MarkDeleted(1499), DbStatus::Ok);
    ASSERT_EQ(tree.FillNewest(), DbStatus::Ok);
    EXPECT_EQ(Names(), (std::vector<std::string>{"甲", "Extra"}));  // unknown category at the end
    EXPECT_EQ(tree.CaseCount(), 999u);                              // positions 1499..500, one deleted
    EXPECT_EQ(Numbers(0).front(), 1497);                             // newest first
    EXPECT_EQ(Numbers(1).back(), 500);
    ASSERT_EQ(tree.ShowAll(), ShowAllOutcome::Shown);
    EXPECT_EQ(tree.CaseCount(), 1499u);
    EXPECT_EQ(Numbers(0).front(), 1);  // oldest first
}

TEST_F(CaseTreeTest, CategoriesCompareIgnoringLatinCase)
{
    SetCategories({"abc"});
    Append("x", "ABC");
    ASSERT_EQ(tree.FillNewest(), DbStatus::Ok);
    ASSERT_EQ(Names(), (std::vector<std::string>{"abc"}));
    int index = -1;
    EXPECT_EQ(tree.AddCategory("ABC", index), CategoryOutcome::Exists);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(tree.AddCategory("   ", index), CategoryOutcome::BadName);
    EXPECT_EQ(tree.AddCategory("七个汉字名字长", index), CategoryOutcome::BadName);  // 14 bytes
    EXPECT_EQ(tree.AddCategory(" 六个汉字名字 ", index), CategoryOutcome::Done);       // 12 bytes, trimmed
    EXPECT_EQ(CategoryList(Settings()).Read(), (std::vector<std::string>{"abc", "六个汉字名字"}));
    index = 0;
    EXPECT_EQ(tree.RenameCategory(index, "abc"), CategoryOutcome::Exists);  // its own name
}

TEST_F(CaseTreeTest, RenameReachesEveryRecordOfTheCategory)
{
    SetCategories({"旧", "别"});
    const int32_t a = Append("a", "旧");
    Append("b", "别");
    for (int i = 0; i < 1000; ++i) Append("n", "别");  // pushes "a" out of the start-up tree
    ASSERT_EQ(tree.FillNewest(), DbStatus::Ok);
    int index = 0;
    ASSERT_EQ(tree.RenameCategory(index, "新"), CategoryOutcome::Done);
    CaseRecord r;
    ASSERT_EQ(db.Read(a, r), DbStatus::Ok);
    EXPECT_EQ(r.category, "新");
    EXPECT_EQ(CategoryList(Settings()).Read(), (std::vector<std::string>{"新", "别"}));
}

TEST_F(CaseTreeTest, MoveDeleteAndReorder)
{
    SetCategories({"甲", "乙", "丙"});
    const int32_t a = Append("a", "甲");
    const int32_t b = Append("b", "甲");
    ASSERT_EQ(tree.FillNewest(), DbStatus::Ok);
    EXPECT_EQ(tree.MoveTargets(a), (std::vector<int>{1, 2}));
    ASSERT_EQ(tree.MoveCase(a, 2), DbStatus::Ok);
    CaseRecord r;
    ASSERT_EQ(db.Read(a, r), DbStatus::Ok);
    EXPECT_EQ(r.category, "丙");
    EXPECT_EQ(Numbers(2), std::vector<int32_t>{a});

    fs::create_directories(home.path() / "ZiWei_f");
    WriteBytes(home.path() / "ZiWei_f" / (r.commentName + ".rtf"), "{\\rtf1 x}");
    ASSERT_EQ(tree.DeleteCase(a), DbStatus::Ok);
    EXPECT_EQ(db.Read(a, r), DbStatus::Deleted);
    EXPECT_FALSE(fs::exists(home.path() / "ZiWei_f" / (r.commentName + ".rtf")));
    EXPECT_TRUE(Numbers(2).empty());

    tree.MoveCategory(2, 0);  // 丙 dropped on 甲
    EXPECT_EQ(Names(), (std::vector<std::string>{"丙", "甲", "乙"}));
    tree.MoveCategory(0, 2);  // 丙 dropped on 乙
    EXPECT_EQ(Names(), (std::vector<std::string>{"甲", "丙", "乙"}));
    std::vector<int32_t> deleted;
    ASSERT_EQ(tree.DeleteCategory(0, deleted), DbStatus::Ok);
    EXPECT_EQ(deleted, std::vector<int32_t>{b});
    EXPECT_EQ(db.Read(b, r), DbStatus::Deleted);
    ASSERT_TRUE(tree.SaveCategories());
    EXPECT_EQ(CategoryList(Settings()).Read(), (std::vector<std::string>{"丙", "乙"}));
}

TEST_F(CaseTreeTest, OverlongCategoryFromTheSettingsFileIsRefused)
{
    SetCategories({"甲", "这是一个很长的类别名"});  // 20 bytes: only a hand edit makes it
    const int32_t a = Append("a", "甲");
    ASSERT_EQ(tree.FillNewest(), DbStatus::Ok);
    EXPECT_EQ(tree.MoveCase(a, 1), DbStatus::BadText);
    CaseRecord r;
    ASSERT_EQ(db.Read(a, r), DbStatus::Ok);
    EXPECT_EQ(r.category, "甲");
}

}  // namespace
