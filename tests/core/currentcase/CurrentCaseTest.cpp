// The current case over a real case file: saving new (twice: the "_0" comment name) and stored,
// viewing, starting anew, keeping the working copy in step with the tree, and never leaving a
// case half-saved when the comment document or the record cannot be written.
#include "CurrentCase.h"
#include "TempHome.h"
#include "cases/CaseFiles.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class CurrentCaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(db.Open(home.path()), DbStatus::Ok);
        ChartInput in;
        in.name = "张三";
        in.birth = {1990, 5, 1, 8, 30};
        current.SetBirthData(in);
        current.SetCast(true);
    }
    fs::path Comment(const std::string& name) const { return home.path() / "ZiWei_f" / (name + ".rtf"); }
    int32_t Count() const
    {
        int32_t n = -1;
        db.Count(n);
        return n;
    }

    TempHome home;
    MDataBase db;
    CurrentCase current{db};
};

TEST_F(CurrentCaseTest, SavingNewTwiceGivesTheSecondCommentASuffix)
{
    CaseRecord first, second;
    ASSERT_EQ(current.SaveNew("朋友", "{\\rtf1 one}", first), SaveOutcome::Saved);
    ASSERT_EQ(current.SaveNew("朋友", "{\\rtf1 two}", second), SaveOutcome::Saved);
    EXPECT_EQ(first.commentName, "张三_199005010830");
    EXPECT_EQ(second.commentName, "张三_199005010830_0");
    EXPECT_EQ(FileBytes(Comment(second.commentName)), "{\\rtf1 two}");
    EXPECT_EQ(first.recordNo, 0);
    EXPECT_EQ(second.recordNo, 1);
    EXPECT_EQ(current.Mode(), CaseMode::New);
}

TEST_F(CurrentCaseTest, SaveRefusals)
{
    CaseRecord saved;
    EXPECT_EQ(current.SaveNew("", "x", saved), SaveOutcome::BadCategory);
    EXPECT_EQ(current.SaveNew("这是七个汉字啊", "x", saved), SaveOutcome::BadCategory);  // 14 bytes
    current.SetCast(false);
    EXPECT_EQ(current.SaveNew("朋友", "x", saved), SaveOutcome::NotCast);
    EXPECT_EQ(Count(), 0);
}

TEST_F(CurrentCaseTest, ViewEditAndSaveStoredKeepsTheCommentName)
{
    CaseRecord saved;
    ASSERT_EQ(current.SaveNew("朋友", "{\\rtf1 old}", saved), SaveOutcome::Saved);
    CaseRecord read;
    ASSERT_EQ(current.Read(saved.recordNo, read), ViewOutcome::Ready);
    EXPECT_FALSE(current.AsksAboutComment(true));  // still new
    current.Show(read);
    EXPECT_EQ(current.Mode(), CaseMode::Stored);
    EXPECT_EQ(current.CommentPath(), Comment(saved.commentName));
    EXPECT_TRUE(current.AsksAboutComment(true));
    EXPECT_FALSE(current.AsksAboutComment(false));
    EXPECT_EQ(current.SaveStored("{\\rtf1 new}"), SaveOutcome::NotCast);  // a view clears the cast flag

    ChartInput in = BirthDataOf(read);
    in.birth.year = 1991;
    current.SetBirthData(in);
    current.SetCast(true);
    ASSERT_EQ(current.SaveStored("{\\rtf1 new}"), SaveOutcome::Saved);
    ASSERT_EQ(db.Read(saved.recordNo, read), DbStatus::Ok);
    EXPECT_EQ(read.birth.year, 1991);
    EXPECT_EQ(read.category, "朋友");
    EXPECT_EQ(read.commentName, saved.commentName);
    EXPECT_EQ(FileBytes(Comment(saved.commentName)), "{\\rtf1 new}");
    EXPECT_EQ(Count(), 1);
}

TEST_F(CurrentCaseTest, MovedCaseKeepsItsNewCategoryOnSave)
{
    CaseRecord saved, read;
    ASSERT_EQ(current.SaveNew("甲", "x", saved), SaveOutcome::Saved);
    ASSERT_EQ(current.Read(saved.recordNo, read), ViewOutcome::Ready);
    current.Show(read);
    current.SetCast(true);
    read.category = "乙";  // the tree moves it
    ASSERT_EQ(db.Write(saved.recordNo, read), DbStatus::Ok);
    current.CaseMoved(saved.recordNo, "乙");
    ASSERT_EQ(current.SaveStored("x"), SaveOutcome::Saved);
    ASSERT_EQ(db.Read(saved.recordNo, read), DbStatus::Ok);
    EXPECT_EQ(read.category, "乙");
}

TEST_F(CurrentCaseTest, DeletedStoredCaseIsNotRevived)
{
    CaseRecord saved, read;
    ASSERT_EQ(current.SaveNew("甲", "x", saved), SaveOutcome::Saved);
    ASSERT_EQ(current.Read(saved.recordNo, read), ViewOutcome::Ready);
    current.Show(read);
    current.SetCast(true);
    ASSERT_EQ(db.MarkDeleted(saved.recordNo), DbStatus::Ok);
    EXPECT_EQ(current.SaveStored("x"), SaveOutcome::CaseGone);
    EXPECT_EQ(current.Mode(), CaseMode::New);
    EXPECT_EQ(db.Read(saved.recordNo, read), DbStatus::Deleted);
    EXPECT_EQ(current.Read(saved.recordNo, read), ViewOutcome::NotLive);
}

TEST_F(CurrentCaseTest, NothingIsLeftHalfSaved)
{
    CaseRecord saved;
    // The comment folder cannot be made: no record is appended.
    WriteBytes(home.path() / "ZiWei_f", "a file in the folder's place");
    EXPECT_EQ(current.SaveNew("甲", "x", saved), SaveOutcome::CommentFailed);
    EXPECT_EQ(Count(), 0);
    fs::remove(home.path() / "ZiWei_f");

    // The case file is held: the comment just written is taken back.
    ASSERT_EQ(db.BeginScan(), DbStatus::Ok);
    EXPECT_EQ(current.SaveNew("甲", "x", saved), SaveOutcome::RecordFailed);
    db.EndScan();
    EXPECT_EQ(Count(), 0);
    EXPECT_FALSE(fs::exists(Comment("张三_199005010830")));
}

TEST_F(CurrentCaseTest, ImplausibleRecordsAreNotViewed)
{
    CaseRecord r = SampleCase("", 1990);
    ASSERT_EQ(db.Append(r), DbStatus::Ok);
    CaseRecord read;
    EXPECT_EQ(current.Read(r.recordNo, read), ViewOutcome::BadRecord);
    EXPECT_EQ(current.Read(99, read), ViewOutcome::NotLive);
}

}  // namespace
