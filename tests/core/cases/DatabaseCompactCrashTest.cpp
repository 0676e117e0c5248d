// A compaction stopped dead at any step (the process ends there, as in a crash or a kill)
// must leave either the old case file or the compacted one, whole.
#include "CaseFiles.h"
#include "Database.h"
#include "TempHome.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kStoppedExitCode = 42;

// 2500 records (more than one batch of the compaction), every third one deleted.
std::string SampleFile()
{
    std::string file;
    for (int i = 0; i < 2500; ++i) {
        std::string name = "n";
        name += std::to_string(i);
        CaseRecord r = SampleCase(name, static_cast<int16_t>(1900 + i % 100));
        r.recordNo = i;
        r.deleted = i % 3 == 0;
        file += RecordBytes(r);
    }
    return file;
}

// The live records of `file`, renumbered from 0: what a finished compaction writes.
std::string Compacted(const std::string& file)
{
    std::string out;
    for (std::size_t at = 0; at + kCaseRecordSize <= file.size(); at += kCaseRecordSize) {
        CaseRecord r = DecodeCaseRecord(reinterpret_cast<const uint8_t*>(file.data() + at));
        if (r.IsDeleted()) continue;
        r.recordNo = static_cast<int32_t>(out.size() / kCaseRecordSize);
        out += RecordBytes(r);
    }
    return out;
}

// Runs a compaction in a child process that ends itself when `step` completes for the
// `occurrence`-th time; true when it did stop there.
bool CompactAndStopAt(const fs::path& home, CompactionStep step, int occurrence)
{
    const pid_t child = fork();
    if (child == 0) {
        MDataBase db;
        if (db.Open(home) != DbStatus::Ok) _exit(1);
        int seen = 0;
        db.SetCompactionProbe([&](CompactionStep s) {
            if (s == step && ++seen == occurrence) _exit(kStoppedExitCode);
        });
        db.Compact();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == kStoppedExitCode;
}

}  // namespace

TEST(CompactionCrash, StoppingAtAnyStepLosesNoLiveRecord)
{
    const std::string original = SampleFile();
    const std::string compacted = Compacted(original);
    ASSERT_EQ(compacted.size(), 1666 * kCaseRecordSize);
    const struct {
        CompactionStep step;
        int occurrence;
        bool replaced;  // the compacted file has taken the case file's place
    } stops[] = {{CompactionStep::WorkFileCreated, 1, false}, {CompactionStep::BatchWritten, 1, false},
                 {CompactionStep::BatchWritten, 2, false},    {CompactionStep::WorkFileFlushed, 1, false},
                 {CompactionStep::WorkFileClosed, 1, false},  {CompactionStep::Replaced, 1, true}};
    for (const auto& stop : stops) {
        SCOPED_TRACE(static_cast<int>(stop.step) * 10 + stop.occurrence);
        TempHome home;
        WriteBytes(home.dat() / "ZiWei.dat", original);
        ASSERT_TRUE(CompactAndStopAt(home.path(), stop.step, stop.occurrence));

        EXPECT_EQ(FileBytes(home.dat() / "ZiWei.dat"), stop.replaced ? compacted : original);
        // The store goes on as before: the next compaction finishes the work.
        MDataBase db;
        ASSERT_EQ(db.Open(home.path()), DbStatus::Ok);
        ASSERT_EQ(db.Compact(), DbStatus::Ok);
        EXPECT_EQ(FileBytes(home.dat() / "ZiWei.dat"), compacted);
        EXPECT_FALSE(fs::exists(home.dat() / "ming.bak"));
    }
}

TEST(CompactionCrash, AKilledCompactionLeavesAWholeFile)
{
    // The same, stopped from outside by SIGKILL at a random moment.
    const std::string original = SampleFile();
    const std::string compacted = Compacted(original);
    for (int round = 0; round < 5; ++round) {
        TempHome home;
        WriteBytes(home.dat() / "ZiWei.dat", original);
        const pid_t child = fork();
        if (child == 0) {
            MDataBase db;
            if (db.Open(home.path()) != DbStatus::Ok) _exit(1);
            for (;;) db.Compact();
        }
        usleep(2000 + round * 3000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const std::string after = FileBytes(home.dat() / "ZiWei.dat");
        EXPECT_TRUE(after == original || after == compacted) << round;
    }
}
