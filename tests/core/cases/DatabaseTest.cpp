// The case store's record operations on a real case file.
#include "CaseFiles.h"
#include "Database.h"
#include "TempHome.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class CaseStore : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(db.Open(home.path()), DbStatus::Ok); }

    fs::path CaseFile() const { return home.dat() / "ZiWei.dat"; }

    int32_t Count() const
    {
        int32_t n = -1;
        EXPECT_EQ(db.Count(n), DbStatus::Ok);
        return n;
    }

    // Appends the named cases; every one live.
    void AppendAll(std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            CaseRecord r = SampleCase(name);
            ASSERT_EQ(db.Append(r), DbStatus::Ok) << name;
        }
    }

    std::vector<int32_t> Find(const SearchCriteria& c) const
    {
        std::vector<int32_t> found{-5};
        EXPECT_EQ(db.Search(c, found), DbStatus::Ok);
        return found;
    }

    TempHome home;
    MDataBase db;
};

}  // namespace

TEST_F(CaseStore, OpenCreatesAnEmptyCaseFile)
{
    EXPECT_TRUE(fs::is_regular_file(CaseFile()));
    EXPECT_EQ(fs::file_size(CaseFile()), 0u);
    EXPECT_EQ(Count(), 0);
    EXPECT_TRUE(Find({}).empty());
    EXPECT_EQ(db.CaseFilePath(), CaseFile());
    EXPECT_EQ(db.CommentFolder(), home.path() / "ZiWei_f");
}

TEST_F(CaseStore, OpenKeepsAnExistingFileAndCreatesAMissingDatFolder)
{
    AppendAll({"a"});
    MDataBase again;
    ASSERT_EQ(again.Open(home.path()), DbStatus::Ok);
    EXPECT_EQ(fs::file_size(CaseFile()), kCaseRecordSize);

    fs::remove_all(home.dat());
    ASSERT_EQ(again.Open(home.path()), DbStatus::Ok);
    EXPECT_TRUE(fs::is_regular_file(CaseFile()));
}

TEST(CaseStoreUnopened, EveryOperationFailsBeforeOpenOrWithoutAProgramFolder)
{
    MDataBase db;
    int32_t n = 0;
    CaseRecord r = SampleCase("a");
    std::vector<int32_t> found;
    EXPECT_EQ(db.Count(n), DbStatus::IoError);
    EXPECT_EQ(db.Append(r), DbStatus::IoError);
    EXPECT_EQ(db.Read(0, r), DbStatus::IoError);
    EXPECT_EQ(db.Search({}, found), DbStatus::IoError);
    EXPECT_EQ(db.Compact(), DbStatus::IoError);
    EXPECT_EQ(db.ClearAll(), DbStatus::IoError);
    EXPECT_EQ(db.ReadScanned(0, r), DbStatus::IoError);
    EXPECT_FALSE(db.CommentPath(r));
    EXPECT_EQ(db.Open("/nonexistent-qiravel-folder"), DbStatus::IoError);
    EXPECT_FALSE(fs::exists("/nonexistent-qiravel-folder"));
}

TEST_F(CaseStore, StrayTrailingBytesAreIgnoredAndOverwrittenByAppend)
{
    AppendAll({"a", "b", "c"});
    std::string bytes = FileBytes(CaseFile());
    WriteBytes(CaseFile(), bytes + std::string(17, '\x7F'));
    EXPECT_EQ(Count(), 3);
    CaseRecord r;
    EXPECT_EQ(db.Read(3, r), DbStatus::OutOfRange);

    CaseRecord d = SampleCase("d");
    ASSERT_EQ(db.Append(d), DbStatus::Ok);
    EXPECT_EQ(d.recordNo, 3);
    EXPECT_EQ(fs::file_size(CaseFile()), 4 * kCaseRecordSize);
    EXPECT_EQ(FileBytes(CaseFile()).substr(3 * kCaseRecordSize), RecordBytes(d));
}

TEST_F(CaseStore, AppendNumbersTheRecordByItsPositionAndMakesItLive)
{
    AppendAll({"a", "b", "c"});
    CaseRecord r = SampleCase("d");
    r.recordNo = 77;
    r.deleted = 1;
    ASSERT_EQ(db.Append(r), DbStatus::Ok);
    EXPECT_EQ(r.recordNo, 3);
    EXPECT_EQ(r.deleted, 0);
    CaseRecord back;
    ASSERT_EQ(db.Read(3, back), DbStatus::Ok);
    EXPECT_EQ(back, r);
}

TEST_F(CaseStore, AppendOfTextTheFileCannotHoldWritesNothing)
{
    CaseRecord r = SampleCase("a");
    r.name = "名字太长了超出";
    r.recordNo = 9;
    EXPECT_EQ(db.Append(r), DbStatus::BadText);
    EXPECT_EQ(r.recordNo, 9);
    EXPECT_EQ(Count(), 0);
}

TEST_F(CaseStore, ReadOutsideTheFileLeavesTheRecordUntouched)
{
    AppendAll({"a", "b"});
    CaseRecord r = SampleCase("keep");
    const CaseRecord before = r;
    EXPECT_EQ(db.Read(-1, r), DbStatus::OutOfRange);
    EXPECT_EQ(db.Read(2, r), DbStatus::OutOfRange);
    EXPECT_EQ(r, before);
    EXPECT_EQ(db.Read(1, r), DbStatus::Ok);
    EXPECT_EQ(r.name, "b");
}

TEST_F(CaseStore, ReadOfADeletedRecordHandsBackItsBytes)
{
    AppendAll({"a", "b"});
    ASSERT_EQ(db.MarkDeleted(1), DbStatus::Ok);
    CaseRecord r;
    EXPECT_EQ(db.Read(1, r), DbStatus::Deleted);
    EXPECT_EQ(r.name, "b");
    EXPECT_TRUE(r.IsDeleted());
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(db.MarkDeleted(2), DbStatus::OutOfRange);
    EXPECT_EQ(db.MarkDeleted(-1), DbStatus::OutOfRange);
}

TEST_F(CaseStore, WriteReplacesAnExistingRecordOnly)
{
    AppendAll({"a", "b"});
    CaseRecord r;
    ASSERT_EQ(db.Read(0, r), DbStatus::Ok);
    r.category = "朋友";
    r.birth.year = 1985;
    r.recordNo = 1;  // the position wins
    ASSERT_EQ(db.Write(0, r), DbStatus::Ok);
    CaseRecord back;
    ASSERT_EQ(db.Read(0, back), DbStatus::Ok);
    EXPECT_EQ(back.recordNo, 0);
    EXPECT_EQ(back.category, "朋友");
    EXPECT_EQ(back.birth.year, 1985);
    EXPECT_EQ(back.commentName, r.commentName);

    const std::string before = FileBytes(CaseFile());
    EXPECT_EQ(db.Write(2, r), DbStatus::OutOfRange);
    EXPECT_EQ(db.Write(-1, r), DbStatus::OutOfRange);
    r.category = "一个太长的类别名称啊";
    EXPECT_EQ(db.Write(1, r), DbStatus::BadText);
    EXPECT_EQ(FileBytes(CaseFile()), before);
}

TEST_F(CaseStore, WriteBackKeepsBytesThisProgramDoesNotUse)
{
    AppendAll({"a"});
    std::string bytes = FileBytes(CaseFile());
    bytes[70] = '\x5A';
    WriteBytes(CaseFile(), bytes);
    CaseRecord r;
    ASSERT_EQ(db.Read(0, r), DbStatus::Ok);
    r.cityIndex = 4;
    ASSERT_EQ(db.Write(0, r), DbStatus::Ok);
    EXPECT_EQ(FileBytes(CaseFile())[70], '\x5A');
}

TEST_F(CaseStore, ScanReadsThroughOneLockedOpen)
{
    AppendAll({"a", "b", "c"});
    ASSERT_EQ(db.MarkDeleted(1), DbStatus::Ok);
    ASSERT_EQ(db.BeginScan(), DbStatus::Ok);
    CaseRecord r;
    EXPECT_EQ(db.ReadScanned(0, r), DbStatus::Ok);
    EXPECT_EQ(r.name, "a");
    EXPECT_EQ(db.ReadScanned(1, r), DbStatus::Deleted);
    EXPECT_EQ(db.ReadScanned(2, r), DbStatus::Ok);
    EXPECT_EQ(db.ReadScanned(3, r), DbStatus::OutOfRange);
    EXPECT_EQ(db.ReadScanned(-1, r), DbStatus::OutOfRange);

    // While the scan holds the file, every other opener is turned away, this store included.
    MDataBase other;
    ASSERT_EQ(other.Open(home.path()), DbStatus::Ok);
    CaseRecord d = SampleCase("d");
    EXPECT_EQ(other.Append(d), DbStatus::Busy);
    EXPECT_EQ(db.Append(d), DbStatus::Busy);
    int32_t n = 0;
    EXPECT_EQ(other.Count(n), DbStatus::Busy);
    EXPECT_EQ(other.Compact(), DbStatus::Busy);
    EXPECT_EQ(other.ClearAll(), DbStatus::Busy);
    db.EndScan();

    EXPECT_EQ(db.ReadScanned(0, r), DbStatus::IoError);
    EXPECT_EQ(other.Append(d), DbStatus::Ok);
    EXPECT_EQ(Count(), 4);
}

TEST_F(CaseStore, AnotherRunningCopyIsTurnedAwayWithoutHarm)
{
    AppendAll({"a", "b"});
    const std::string before = FileBytes(CaseFile());
    ASSERT_EQ(db.BeginScan(), DbStatus::Ok);
    const pid_t child = fork();
    if (child == 0) {
        MDataBase copy;
        CaseRecord r = SampleCase("c");
        const bool turnedAway = copy.Open(home.path()) == DbStatus::Ok && copy.Append(r) == DbStatus::Busy &&
                                copy.MarkDeleted(0) == DbStatus::Busy && copy.Compact() == DbStatus::Busy;
        _exit(turnedAway ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    db.EndScan();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(FileBytes(CaseFile()), before);
}

TEST_F(CaseStore, SearchCompareBytesOfLiveRecordsInFileOrder)
{
    AppendAll({"a", "ab", "ba", "b", "张三", "Ab"});
    ASSERT_EQ(db.MarkDeleted(3), DbStatus::Ok);
    CaseRecord deletedA = SampleCase("a");
    ASSERT_EQ(db.Append(deletedA), DbStatus::Ok);
    ASSERT_EQ(db.MarkDeleted(deletedA.recordNo), DbStatus::Ok);

    SearchCriteria c;
    c.nameMode = MatchMode::Contains;
    c.namePattern = "a";
    EXPECT_EQ(Find(c), (std::vector<int32_t>{0, 1, 2}));
    c.nameMode = MatchMode::Equals;
    EXPECT_EQ(Find(c), (std::vector<int32_t>{0}));
    c.namePattern = "A";  // case matters
    EXPECT_TRUE(Find(c).empty());
    c.nameMode = MatchMode::Contains;
    c.namePattern = "";  // contained in every name
    EXPECT_EQ(Find(c), (std::vector<int32_t>{0, 1, 2, 4, 5}));
    c.namePattern = "三";
    EXPECT_EQ(Find(c), (std::vector<int32_t>{4}));
    c.namePattern = "😀";  // no GBK text holds it
    EXPECT_TRUE(Find(c).empty());
    c.nameMode = MatchMode::Unused;  // the pattern is then ignored
    EXPECT_EQ(Find(c).size(), 5u);
}

TEST_F(CaseStore, SearchMatchesGbkBytesNotCharacters)
{
    // 丂 is GBK 81 40, and 0x40 is "@": a byte search for "@" finds it.
    AppendAll({"丂", "x"});
    SearchCriteria c;
    c.nameMode = MatchMode::Contains;
    c.namePattern = "@";
    EXPECT_EQ(Find(c), (std::vector<int32_t>{0}));
}

TEST_F(CaseStore, SearchFiltersBySexYearProvinceAndCategory)
{
    const struct {
        const char* name;
        int16_t year;
        uint8_t male;
        int16_t province;
        const char* category;
    } cases[] = {{"a", 1990, 1, 0, "家人"}, {"b", 1990, 0, 5, "朋友"}, {"c", 1989, 0, 5, "家人亲戚"},
                 {"d", 1991, 1, 34, "家人"}, {"e", 0, 1, 5, "古人"},      {"f", -849, 0, 5, "古人"}};
    for (const auto& k : cases) {
        CaseRecord r = SampleCase(k.name, k.year, k.category);
        r.isMale = k.male;
        r.provinceIndex = k.province;
        ASSERT_EQ(db.Append(r), DbStatus::Ok);
    }
    SearchCriteria c;
    c.yearFilter = true;
    c.yearFrom = c.yearTo = 1990;
    EXPECT_EQ(Find(c), (std::vector<int32_t>{0, 1}));
    c.yearFrom = -849;  // 850 BC to 1 BC, in stored numbering
    c.yearTo = 0;
    EXPECT_EQ(Find(c), (std::vector<int32_t>{4, 5}));
    c = {};
    c.sexFilter = true;
    c.sexValue = 0;
    EXPECT_EQ(Find(c), (std::vector<int32_t>{1, 2, 5}));
    c.provinceIndex = 5;
    c.categoryMode = MatchMode::Contains;
    c.categoryPattern = "家人";
    EXPECT_EQ(Find(c), (std::vector<int32_t>{2}));
    c = {};
    c.categoryMode = MatchMode::Equals;
    c.categoryPattern = "家人";
    EXPECT_EQ(Find(c), (std::vector<int32_t>{0, 3}));
    c = {};
    c.provinceIndex = 34;
    EXPECT_EQ(Find(c), (std::vector<int32_t>{3}));
}

TEST_F(CaseStore, CompactionRenumbersLiveRecordsAndLeavesCommentsInPlace)
{
    for (const char* name : {"r0", "r1", "r2", "r3"}) {
        CaseRecord r = SampleCase(name);
        r.commentName = db.MakeCommentName(r);
        ASSERT_EQ(db.Append(r), DbStatus::Ok);
        ASSERT_EQ(db.SaveComment(r, std::string("comment of ") + name), DbStatus::Ok);
    }
    ASSERT_EQ(db.MarkDeleted(0), DbStatus::Ok);
    ASSERT_EQ(db.MarkDeleted(2), DbStatus::Ok);
    std::string bytes = FileBytes(CaseFile());
    WriteBytes(CaseFile(), bytes + "stray");
    std::map<fs::path, std::string> comments;
    for (const auto& e : fs::directory_iterator(db.CommentFolder())) comments[e.path()] = FileBytes(e.path());

    ASSERT_EQ(db.Compact(), DbStatus::Ok);
    EXPECT_EQ(fs::file_size(CaseFile()), 2 * kCaseRecordSize);
    EXPECT_FALSE(fs::exists(home.dat() / "ming.bak"));
    CaseRecord r;
    ASSERT_EQ(db.Read(0, r), DbStatus::Ok);
    EXPECT_EQ(r.name, "r1");
    EXPECT_EQ(r.recordNo, 0);
    ASSERT_EQ(db.Read(1, r), DbStatus::Ok);
    EXPECT_EQ(r.name, "r3");
    EXPECT_EQ(r.recordNo, 1);
    EXPECT_EQ(FileBytes(*db.CommentPath(r)), "comment of r3");
    std::map<fs::path, std::string> after;
    for (const auto& e : fs::directory_iterator(db.CommentFolder())) after[e.path()] = FileBytes(e.path());
    EXPECT_EQ(after, comments);
}

TEST_F(CaseStore, CompactionKeepsEveryByteButTheNumber)
{
    AppendAll({"a", "b"});
    std::string bytes = FileBytes(CaseFile());
    bytes[kCaseRecordSize + 100] = '\x33';  // reserved byte of record 1
    bytes[4] = 1;                            // record 0 deleted
    WriteBytes(CaseFile(), bytes);
    ASSERT_EQ(db.Compact(), DbStatus::Ok);
    std::string expected = bytes.substr(kCaseRecordSize);
    expected[0] = 0;  // renumbered 1 -> 0
    EXPECT_EQ(FileBytes(CaseFile()), expected);
}

TEST_F(CaseStore, CompactionReplacesAWorkFileLeftBehind)
{
    AppendAll({"a"});
    WriteBytes(home.dat() / "ming.bak", std::string(1000, 'x'));
    ASSERT_EQ(db.Compact(), DbStatus::Ok);
    EXPECT_EQ(Count(), 1);
    EXPECT_FALSE(fs::exists(home.dat() / "ming.bak"));
}

TEST_F(CaseStore, CompactionThatCannotWriteItsWorkFileChangesNothing)
{
    AppendAll({"a", "b"});
    ASSERT_EQ(db.MarkDeleted(0), DbStatus::Ok);
    const std::string before = FileBytes(CaseFile());
    fs::create_directories(home.dat() / "ming.bak" / "in-the-way");
    EXPECT_EQ(db.Compact(), DbStatus::IoError);
    EXPECT_EQ(FileBytes(CaseFile()), before);
}

// Files: the work file is created afresh, never through a symlink planted under its name.
TEST_F(CaseStore, CompactionRemovesASymlinkPlantedAsItsWorkFile)
{
    AppendAll({"a"});
    const fs::path victim = home.path() / "victim";
    WriteBytes(victim, "precious");
    fs::create_symlink(victim, home.dat() / "ming.bak");
    ASSERT_EQ(db.Compact(), DbStatus::Ok);
    EXPECT_EQ(FileBytes(victim), "precious");
    EXPECT_EQ(Count(), 1);
    EXPECT_FALSE(fs::is_symlink(CaseFile()));
}

// Files: a private case file stays private; a read-only one is not replaced behind its back.
TEST_F(CaseStore, CompactionKeepsTheModeAndRefusesAReadOnlyFile)
{
    AppendAll({"a", "b"});
    ASSERT_EQ(db.MarkDeleted(0), DbStatus::Ok);
    fs::permissions(CaseFile(), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(db.Compact(), DbStatus::Ok);
    EXPECT_EQ(fs::status(CaseFile()).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    ASSERT_EQ(db.MarkDeleted(0), DbStatus::Ok);
    fs::permissions(CaseFile(), fs::perms::owner_read | fs::perms::group_read);
    const std::string before = FileBytes(CaseFile());
    EXPECT_EQ(db.Compact(), DbStatus::WriteProtected);
    EXPECT_EQ(FileBytes(CaseFile()), before);
}

// Input: the number of a record is its position, whatever number the file stores in it.
TEST_F(CaseStore, RecordNumbersAreTheirPositionsNotTheStoredNumbers)
{
    CaseRecord a = SampleCase("a"), b = SampleCase("b");
    a.recordNo = 7;
    b.recordNo = 0;
    WriteBytes(CaseFile(), RecordBytes(a) + RecordBytes(b));
    CaseRecord r;
    ASSERT_EQ(db.Read(1, r), DbStatus::Ok);
    EXPECT_EQ(r.name, "b");
    EXPECT_EQ(r.recordNo, 1);
    ASSERT_EQ(db.BeginScan(), DbStatus::Ok);
    ASSERT_EQ(db.ReadScanned(0, r), DbStatus::Ok);
    db.EndScan();
    EXPECT_EQ(r.recordNo, 0);
}

// Locking: deleting reads, marks and removes the comment under one hold of the case file, so a
// compaction running alongside can never make it delete one case and another's comment.
TEST_F(CaseStore, DeletionAndCompactionRunningTogetherKeepEveryCaseWithItsComment)
{
    constexpr int kCases = 60;
    for (int i = 0; i < kCases; ++i) {
        CaseRecord r = SampleCase("c" + std::to_string(i));
        ASSERT_EQ(db.Append(r), DbStatus::Ok);
        ASSERT_EQ(db.SaveComment(r, "{\\rtf1}"), DbStatus::Ok);
    }
    std::atomic<bool> done{false};
    std::thread compactor([&] {
        MDataBase other;
        ASSERT_EQ(other.Open(home.path()), DbStatus::Ok);
        while (!done) {
            const DbStatus s = other.Compact();
            EXPECT_TRUE(s == DbStatus::Ok || s == DbStatus::Busy);
        }
    });
    int deletions = 0;
    for (int attempt = 0; deletions < kCases / 2 && attempt < 1000000; ++attempt) {
        CaseRecord gone;
        const DbStatus s = db.DeleteCase(1, gone);
        if (s == DbStatus::Busy || s == DbStatus::Deleted) continue;
        ASSERT_EQ(s, DbStatus::Ok);
        EXPECT_FALSE(fs::exists(*db.CommentPath(gone))) << gone.name;
        ++deletions;
    }
    done = true;
    compactor.join();
    int live = 0;
    for (int32_t n = 0; n < Count(); ++n) {
        CaseRecord r;
        const DbStatus s = db.Read(n, r);
        if (s != DbStatus::Ok) continue;
        ++live;
        EXPECT_TRUE(fs::exists(*db.CommentPath(r))) << r.name;
    }
    EXPECT_EQ(live, kCases - deletions);
    EXPECT_EQ(static_cast<int>(std::distance(fs::directory_iterator(db.CommentFolder()), fs::directory_iterator())), live);
}

// Files: a case file that is a symlink is never followed, so nothing it points at is read,
// written or replaced.
TEST_F(CaseStore, ASymlinkedCaseFileIsNeverFollowed)
{
    const fs::path victim = home.path() / "victim";
    WriteBytes(victim, std::string(2 * kCaseRecordSize, '\0'));
    fs::remove(CaseFile());
    fs::create_symlink(victim, CaseFile());
    int32_t n = 0;
    EXPECT_EQ(db.Count(n), DbStatus::IoError);
    CaseRecord r = SampleCase("a");
    EXPECT_EQ(db.Append(r), DbStatus::IoError);
    EXPECT_EQ(db.Compact(), DbStatus::IoError);
    EXPECT_EQ(FileBytes(victim), std::string(2 * kCaseRecordSize, '\0'));
    EXPECT_TRUE(fs::is_symlink(CaseFile()));
    EXPECT_EQ(MDataBase().Open(home.path()), DbStatus::IoError);
}
