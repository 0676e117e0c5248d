// Moving the whole case collection: export, import and clearing.
#include "CaseFiles.h"
#include "Database.h"
#include "TempHome.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

    // Not while another operation holds the case file. (A source that is no case file is
    // turned away untouched too: see the test of symlinks and broken records.)
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

// Files: export writes through fresh temporary files; a symlink planted under the old fixed
// temporary name is never followed.
TEST_F(CaseExchange, ExportNeverWritesThroughAPlantedSymlink)
{
    Save(db, "a");
    const fs::path victim = elsewhere.path() / "victim";
    WriteBytes(victim, "precious");
    fs::create_symlink(victim, elsewhere.path() / "ZiWei.dat.tmp");
    fs::create_directory(elsewhere.path() / "ZiWei_f");
    fs::create_symlink(victim, elsewhere.path() / "ZiWei_f" / "a_199005010830.rtf.tmp");
    ASSERT_EQ(db.ExportTo(elsewhere.path()), DbStatus::Ok);
    EXPECT_EQ(FileBytes(victim), "precious");
    EXPECT_EQ(FileBytes(elsewhere.path() / "ZiWei.dat"), FileBytes(db.CaseFilePath()));
}

// Files: a symlinked case file or comment is refused or skipped, never copied out of where it
// points; a case file that is not whole records is refused before anything is replaced.
TEST_F(CaseExchange, ImportRefusesSymlinksAndCaseFilesOfBrokenRecords)
{
    Save(db, "a");
    const std::string cases = FileBytes(db.CaseFilePath());
    const fs::path exported = ExportedCollection({"x"});
    const fs::path secret = elsewhere.path() / "secret.rtf";
    WriteBytes(secret, "{\\rtf1 secret}");
    fs::create_symlink(secret, exported / "ZiWei_f" / "leak.rtf");
    ASSERT_EQ(db.ImportFrom(exported), DbStatus::Ok);
    EXPECT_EQ(FileNames(db.CommentFolder()), (std::set<std::string>{"x_199005010830.rtf"}));

    const std::string imported = FileBytes(db.CaseFilePath());
    const std::string foreign = FileBytes(exported / "ZiWei.dat");
    fs::remove(exported / "ZiWei.dat");
    fs::create_symlink(secret, exported / "ZiWei.dat");
    EXPECT_EQ(db.ImportFrom(exported), DbStatus::NotCaseFile);
    fs::remove(exported / "ZiWei.dat");
    WriteBytes(exported / "ZiWei.dat", foreign + "x");
    EXPECT_EQ(db.ImportFrom(exported), DbStatus::NotCaseFile);
    EXPECT_EQ(FileBytes(db.CaseFilePath()), imported);
    EXPECT_EQ(FileNames(db.CommentFolder()), (std::set<std::string>{"x_199005010830.rtf"}));
}

// Files: an imported case file takes the mode of the one it replaces; a read-only one stays.
TEST_F(CaseExchange, ImportKeepsTheModeAndRefusesAReadOnlyCaseFile)
{
    Save(db, "a");
    const fs::path exported = ExportedCollection({"x"});
    fs::permissions(db.CaseFilePath(), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(db.ImportFrom(exported), DbStatus::Ok);
    EXPECT_EQ(fs::status(db.CaseFilePath()).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    fs::permissions(db.CaseFilePath(), fs::perms::owner_read);
    const std::string before = FileBytes(db.CaseFilePath());
    EXPECT_EQ(db.ImportFrom(ExportedCollection({"y"})), DbStatus::WriteProtected);
    EXPECT_EQ(FileBytes(db.CaseFilePath()), before);
}

// Files: comments an import had not yet moved when the program stopped are moved at the next
// start; a staging folder of an import that never happened is dropped.
TEST_F(CaseExchange, OpenFinishesAnImportCutShortAfterItsCaseFileWasInPlace)
{
    Save(db, "old");
    const fs::path staging = home.path() / "ZiWei_f.import";
    fs::create_directory(staging);
    WriteBytes(staging / "new_199005010830.rtf", "{\\rtf1 new}");
    WriteBytes(staging / "imported.lst", "new_199005010830.rtf\n");
    MDataBase next;
    ASSERT_EQ(next.Open(home.path()), DbStatus::Ok);
    EXPECT_EQ(FileNames(db.CommentFolder()), (std::set<std::string>{"new_199005010830.rtf"}));
    EXPECT_FALSE(fs::exists(staging));

    fs::create_directory(staging);
    WriteBytes(staging / "other_199005010830.rtf", "{\\rtf1 other}");
    WriteBytes(staging / "imported.lst", "other_199005010830.rtf\n");
    WriteBytes(staging / "ZiWei.dat", "");  // never put in place: the import did not happen
    ASSERT_EQ(next.Open(home.path()), DbStatus::Ok);
    EXPECT_EQ(FileNames(db.CommentFolder()), (std::set<std::string>{"new_199005010830.rtf"}));
    EXPECT_FALSE(fs::exists(staging));
}

// Streams: export and import copy a case file of any size in bounded memory.
TEST_F(CaseExchange, LargeCaseFilesMoveInBoundedMemory)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves address space of its own";
#else
    constexpr off_t kSize = static_cast<off_t>(kCaseRecordSize) << 20;  // 160 MB of empty records
    ASSERT_EQ(::truncate(db.CaseFilePath().c_str(), kSize), 0);
    fs::create_directory(elsewhere.path() / "out");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Room for what is mapped now and 64 MiB more: far less than the file.
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t limit = static_cast<rlim_t>(pages) * ::sysconf(_SC_PAGESIZE) + (64 << 20);
        const rlimit cap{limit, limit};
        ::setrlimit(RLIMIT_AS, &cap);
        MDataBase store;
        const bool ok = store.Open(home.path()) == DbStatus::Ok &&
                        store.ExportTo(elsewhere.path() / "out") == DbStatus::Ok &&
                        store.ImportFrom(elsewhere.path() / "out") == DbStatus::Ok;
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(fs::file_size(elsewhere.path() / "out" / "ZiWei.dat"), static_cast<std::uintmax_t>(kSize));
    EXPECT_EQ(fs::file_size(db.CaseFilePath()), static_cast<std::uintmax_t>(kSize));
#endif
}
