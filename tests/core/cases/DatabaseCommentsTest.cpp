// Comment documents: their names and where they lie.
#include "CaseFiles.h"
#include "Database.h"
#include "TempHome.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(CommentName, IsTheNameWithTheStoredBirthMinute)
{
    EXPECT_EQ(CommentBaseName("张三", {1990, 5, 1, 8, 3}), "张三_199005010803");
    EXPECT_EQ(CommentBaseName("ab", {0, 1, 2, 3, 4}), "ab_000001020304");  // 1 BC is stored as year 0
    EXPECT_EQ(CommentBaseName("ab", {-119, 12, 31, 23, 59}), "ab_-11912312359");
    EXPECT_EQ(CommentBaseName("", {2000, 1, 1, 0, 0}), "_200001010000");
}

TEST(CommentName, IsSafeAsAFileNameWhateverTheCaseNameHolds)
{
    const MDateTime t{1990, 5, 1, 8, 30};
    EXPECT_EQ(CommentBaseName("../x", t), "_._x_199005010830");
    EXPECT_EQ(CommentBaseName("a/b\\c", t), "a_b_c_199005010830");
    EXPECT_EQ(CommentBaseName("a..b", t), "a._b_199005010830");
    EXPECT_EQ(CommentBaseName(".x", t), "_x_199005010830");
    EXPECT_EQ(CommentBaseName("a\nb\x7F", t), "a_b__199005010830");
    EXPECT_EQ(CommentBaseName("a:b*?", t), "a_b___199005010830");
    for (const char* name : {"../x", "a/b", "..", ".", "a\tb", "....", "\\\\server"})
        EXPECT_TRUE(IsSafeCommentName(CommentBaseName(name, t))) << name;
}

TEST(CommentName, ANameThatCouldLeaveTheCommentFolderGetsNoPath)
{
    TempHome home;
    MDataBase db;
    ASSERT_EQ(db.Open(home.path()), DbStatus::Ok);
    CaseRecord r = SampleCase("a");
    EXPECT_EQ(db.CommentPath(r), db.CommentFolder() / "a_199005010830.rtf");
    for (const char* bad : {"", ".", "..", "../../etc/passwd", "a/b", "a\\b", "a\x01"}) {
        r.commentName = bad;
        EXPECT_FALSE(db.CommentPath(r)) << bad;
        EXPECT_EQ(db.SaveComment(r, "x"), DbStatus::BadText) << bad;
        EXPECT_EQ(db.DeleteComment(r), DbStatus::Ok) << bad;
    }
    EXPECT_FALSE(fs::exists(db.CommentFolder()));
}

TEST(CommentName, ASecondCaseOfTheSameMinuteTakesASuffix)
{
    TempHome home;
    MDataBase db;
    ASSERT_EQ(db.Open(home.path()), DbStatus::Ok);
    CaseRecord first = SampleCase("张三");
    first.commentName = db.MakeCommentName(first);
    EXPECT_EQ(first.commentName, "张三_199005010830");
    ASSERT_EQ(db.Append(first), DbStatus::Ok);
    ASSERT_EQ(db.SaveComment(first, ""), DbStatus::Ok);

    CaseRecord second = SampleCase("张三");
    second.commentName = db.MakeCommentName(second);
    EXPECT_EQ(second.commentName, "张三_199005010830_0");
    ASSERT_EQ(db.SaveComment(second, ""), DbStatus::Ok);
    EXPECT_EQ(db.MakeCommentName(second), "张三_199005010830_1");

    // Only an existing document takes the name: a gap is filled.
    ASSERT_EQ(db.DeleteComment(first), DbStatus::Ok);
    EXPECT_EQ(db.MakeCommentName(second), "张三_199005010830");
}

TEST(CommentDocument, SavingCreatesTheCommentFolderAndReplacesTheDocument)
{
    TempHome home;
    MDataBase db;
    ASSERT_EQ(db.Open(home.path()), DbStatus::Ok);
    const CaseRecord r = SampleCase("a");
    ASSERT_FALSE(fs::exists(db.CommentFolder()));
    ASSERT_EQ(db.SaveComment(r, "{\\rtf1 one}"), DbStatus::Ok);
    ASSERT_EQ(db.SaveComment(r, "{\\rtf1 two}"), DbStatus::Ok);
    EXPECT_EQ(FileBytes(*db.CommentPath(r)), "{\\rtf1 two}");
    EXPECT_EQ(std::distance(fs::directory_iterator(db.CommentFolder()), fs::directory_iterator()), 1);
    ASSERT_EQ(db.DeleteComment(r), DbStatus::Ok);
    EXPECT_FALSE(fs::exists(*db.CommentPath(r)));
    EXPECT_EQ(db.DeleteComment(r), DbStatus::Ok);  // already gone
}
