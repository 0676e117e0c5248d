// Moving the whole case collection: export, import and clearing.
#include "CaseFiles.h"
#include "Database.h"
#include "TempHome.h"

#include <gtest/gtest.h>

#include <set>

namespace fs = std::filesystem;

namespace {

std::set<std::string> FileNames(const fs::path& folder)
{
    std::set<std::string> names;
    if (fs::exists(folder))
        for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

class CaseExchange : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(db.Open(home.path()), DbStatus::Ok); }

    // Saves a case with its comment document, as the main window does.
    CaseRecord Save(MDataBase& store, const std::string& name)
    {
        CaseRecord r = SampleCase(name);
        r.commentName = store.MakeCommentName(r);
        EXPECT_EQ(store.Append(r), DbStatus::Ok);
        EXPECT_EQ(store.SaveComment(r, "{\\rtf1 " + name + "}"), DbStatus::Ok);
        return r;
    }

    // Another program folder holding the named cases, exported to elsewhere/export.
    fs::path ExportedCollection(std::initializer_list<const char*> names)
    {
        MDataBase source;
        EXPECT_EQ(source.Open(elsewhere.path()), DbStatus::Ok);
        for (const char* name : names) Save(source, name);
        const fs::path exported = elsewhere.path() / "export";
        fs::create_directory(exported);
        EXPECT_EQ(source.ExportTo(exported), DbStatus::Ok);
        return exported;
    }

    TempHome home;
    TempHome elsewhere;  // another program folder, or the folder the user picks
    MDataBase db;
};

}  // namespace

TEST_F(CaseExchange, ExportCopiesTheCaseFileAndEveryCommentDocument)
{
    Save(db, "a");
    Save(db, "b");
    ASSERT_EQ(db.MarkDeleted(1), DbStatus::Ok);
    WriteBytes(db.CommentFolder() / "OLD.RTF", "upper-case extension");
    WriteBytes(db.CommentFolder() / "notes.txt", "not a comment document");

    const fs::path target = elsewhere.path() / "Qiravel_导出数据";
    fs::create_directory(target);
    ASSERT_EQ(db.ExportTo(target), DbStatus::Ok);
    EXPECT_EQ(FileBytes(target / "ZiWei.dat"), FileBytes(db.CaseFilePath()));  // deleted records too
    EXPECT_EQ(FileNames(target / "ZiWei_f"),
              (std::set<std::string>{"a_199005010830.rtf", "b_199005010830.rtf", "OLD.RTF"}));
    EXPECT_EQ(FileBytes(target / "ZiWei_f" / "a_199005010830.rtf"), "{\\rtf1 a}");
}

TEST_F(CaseExchange, ExportingAgainOverwritesFileByFileAndKeepsTheRest)
{
    const CaseRecord a = Save(db, "a");
    const fs::path target = elsewhere.path();
    ASSERT_EQ(db.ExportTo(target), DbStatus::Ok);
    WriteBytes(target / "ZiWei_f" / "only-in-export.rtf", "x");
    ASSERT_EQ(db.SaveComment(a, "{\\rtf1 changed}"), DbStatus::Ok);
    Save(db, "b");
    ASSERT_EQ(db.ExportTo(target), DbStatus::Ok);
    EXPECT_EQ(fs::file_size(target / "ZiWei.dat"), 2 * kCaseRecordSize);
    EXPECT_EQ(FileBytes(target / "ZiWei_f" / "a_199005010830.rtf"), "{\\rtf1 changed}");
    EXPECT_TRUE(fs::exists(target / "ZiWei_f" / "only-in-export.rtf"));
}

TEST_F(CaseExchange, ExportRefusesTheProgramFolderAndAMissingFolder)
{
    Save(db, "a");
    EXPECT_EQ(db.ExportTo(home.path()), DbStatus::OwnFolder);
    EXPECT_EQ(db.ExportTo(elsewhere.path() / "missing"), DbStatus::IoError);
    EXPECT_FALSE(fs::exists(elsewhere.path() / "missing"));
    EXPECT_EQ(FileNames(home.dat()), (std::set<std::string>{"ZiWei.dat"}));
}

TEST_F(CaseExchange, ImportReplacesTheCasesAndTheirComments)
{
    const fs::path exported = ExportedCollection({"x", "y"});
    Save(db, "a");
    WriteBytes(db.CommentFolder() / "notes.txt", "kept");

    ASSERT_EQ(db.ImportFrom(elsewhere.path()), DbStatus::IoError);  // its case file is in "dat", not here
    ASSERT_EQ(db.ImportFrom(exported), DbStatus::Ok);

    EXPECT_EQ(FileBytes(db.CaseFilePath()), FileBytes(exported / "ZiWei.dat"));
    EXPECT_EQ(FileNames(db.CommentFolder()),
              (std::set<std::string>{"x_199005010830.rtf", "y_199005010830.rtf", "notes.txt"}));
    CaseRecord r;
    ASSERT_EQ(db.Read(1, r), DbStatus::Ok);
    EXPECT_EQ(FileBytes(*db.CommentPath(r)), "{\\rtf1 y}");
    EXPECT_FALSE(fs::exists(home.path() / "ZiWei_f.import"));
}

TEST_F(CaseExchange, ImportAcceptsNamesSpelledInAnyCaseAndAnEmptyCommentFolder)
{
    Save(db, "a");
    fs::create_directory(elsewhere.path() / "zIwEi_F");
    CaseRecord x = SampleCase("x");
    x.recordNo = 0;
    WriteBytes(elsewhere.path() / "ZIWEI.DAT", RecordBytes(x));
    ASSERT_EQ(db.ImportFrom(elsewhere.path()), DbStatus::Ok);
    int32_t n = 0;
    ASSERT_EQ(db.Count(n), DbStatus::Ok);
    EXPECT_EQ(n, 1);
    EXPECT_TRUE(FileNames(db.CommentFolder()).empty());
}

TEST_F(CaseExchange, ImportRefusesTheProgramsOwnFolder)
{
    Save(db, "a");
    const std::string cases = FileBytes(db.CaseFilePath());
    EXPECT_EQ(db.ImportFrom(home.path()), DbStatus::OwnFolder);
    fs::create_directory_symlink(home.path(), elsewhere.path() / "link");
    EXPECT_EQ(db.ImportFrom(elsewhere.path() / "link"), DbStatus::OwnFolder);
    // A folder that only borrows the program's comment folder is refused too.
    fs::create_directory(elsewhere.path() / "mixed");
    WriteBytes(elsewhere.path() / "mixed" / "ZiWei.dat", "");
    fs::create_directory_symlink(db.CommentFolder(), elsewhere.path() / "mixed" / "ZiWei_f");
    EXPECT_EQ(db.ImportFrom(elsewhere.path() / "mixed"), DbStatus::OwnFolder);
    EXPECT_EQ(FileBytes(db.CaseFilePath()), cases);
    EXPECT_EQ(FileNames(db.CommentFolder()), (std::set<std::string>{"a_199005010830.rtf"}));
}

TEST_F(CaseExchange, AFailedImportLeavesTheCurrentCasesAlone)
{
    Save(db, "a");
    const std::string cases = FileBytes(db.CaseFilePath());
    const fs::path exported = ExportedCollection({"x"});

    // The new case file cannot be put in place: something stands where it is written first.
    fs::create_directories(home.dat() / "ZiWei.dat.tmp" / "in-the-way");
    EXPECT_EQ(db.ImportFrom(exported), DbStatus::IoError);
    EXPECT_EQ(FileBytes(db.CaseFilePath()), cases);
    EXPECT_EQ(FileNames(db.CommentFolder()), (std::set<std::string>{"a_199005010830.rtf"}));
    EXPECT_FALSE(fs::exists(home.path() / "ZiWei_f.import"));

    // Nor while another operation holds the case file.
    fs::remove_all(home.dat() / "ZiWei.dat.tmp");
    MDataBase other;
    ASSERT_EQ(other.Open(home.path()), DbStatus::Ok);
    ASSERT_EQ(other.BeginScan(), DbStatus::Ok);
    EXPECT_EQ(db.ImportFrom(exported), DbStatus::Busy);
    other.EndScan();
    EXPECT_EQ(FileBytes(db.CaseFilePath()), cases);
    EXPECT_EQ(db.ImportFrom(exported), DbStatus::Ok);
}

TEST_F(CaseExchange, ClearAllRemovesTheCaseFileAndTheCommentDocuments)
{
    Save(db, "a");
    WriteBytes(db.CommentFolder() / "notes.txt", "kept");
    ASSERT_EQ(db.ClearAll(), DbStatus::Ok);
    EXPECT_FALSE(fs::exists(db.CaseFilePath()));
    EXPECT_EQ(FileNames(db.CommentFolder()), (std::set<std::string>{"notes.txt"}));
    int32_t n = -1;
    ASSERT_EQ(db.Count(n), DbStatus::Ok);  // no file: no cases
    EXPECT_EQ(n, 0);
    CaseRecord r;
    EXPECT_EQ(db.Read(0, r), DbStatus::OutOfRange);
    EXPECT_EQ(db.ClearAll(), DbStatus::Ok);

    ASSERT_EQ(db.Open(home.path()), DbStatus::Ok);
    EXPECT_EQ(fs::file_size(db.CaseFilePath()), 0u);
}

TEST_F(CaseExchange, AnImportWhoseCommentsHaveNowhereToGoChangesNothing)
{
    CaseRecord a = SampleCase("a");
    ASSERT_EQ(db.Append(a), DbStatus::Ok);
    const std::string cases = FileBytes(db.CaseFilePath());
    WriteBytes(db.CommentFolder(), "a file where the comment folder belongs");
    const fs::path exported = ExportedCollection({"x"});
    EXPECT_EQ(db.ImportFrom(exported), DbStatus::IoError);
    EXPECT_EQ(FileBytes(db.CaseFilePath()), cases);
}
