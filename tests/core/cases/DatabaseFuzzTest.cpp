// Random and damaged case files and records through every read path: nothing may crash,
// counts follow the file size, and a record read and written back keeps its bytes.
#include "CaseFiles.h"
#include "Database.h"
#include "FuzzCount.h"
#include "TempHome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace fs = std::filesystem;

namespace {

// Bytes biased towards what case files hold: NULs, ASCII, GBK lead and trail bytes, 0xFF.
std::string RandomBytes(std::mt19937& rng, std::size_t size)
{
    static const uint8_t kFavourites[] = {0, 0, 0, 1, 'a', '.', '/', 0x5C, 0x81, 0xD5, 0xC5, 0x40, 0xFF, 0x7F};
    std::uniform_int_distribution<int> byte(0, 255), pick(0, 2), favourite(0, sizeof kFavourites - 1);
    std::string out(size, '\0');
    for (char& c : out) c = static_cast<char>(pick(rng) == 0 ? byte(rng) : kFavourites[favourite(rng)]);
    return out;
}

// A valid file of a few records, cut at a random length, or random bytes of a random length.
std::string RandomCaseFile(std::mt19937& rng)
{
    std::uniform_int_distribution<int> kind(0, 1), records(0, 12), year(-4712, 9999);
    if (kind(rng) == 0) return RandomBytes(rng, std::uniform_int_distribution<std::size_t>(0, 2000)(rng));
    std::string file;
    const int n = records(rng);
    for (int i = 0; i < n; ++i) {
        CaseRecord r = SampleCase(i % 2 ? "张三" : "ab", static_cast<int16_t>(year(rng)));
        r.recordNo = i;
        r.deleted = i % 3 == 1;
        file += RecordBytes(r);
    }
    return file.substr(0, std::uniform_int_distribution<std::size_t>(0, file.size())(rng));
}

SearchCriteria RandomCriteria(std::mt19937& rng)
{
    std::uniform_int_distribution<int> mode(0, 2), flag(0, 1), year(-5000, 10000), province(-1, 40);
    static const char* kPatterns[] = {"", "a", "张", "三", "@", "ab", "\xFF", "临时保存"};
    std::uniform_int_distribution<int> pattern(0, std::size(kPatterns) - 1);
    SearchCriteria c;
    c.nameMode = static_cast<MatchMode>(mode(rng));
    c.namePattern = kPatterns[pattern(rng)];
    c.categoryMode = static_cast<MatchMode>(mode(rng));
    c.categoryPattern = kPatterns[pattern(rng)];
    c.sexFilter = flag(rng);
    c.sexValue = static_cast<uint8_t>(flag(rng));
    c.yearFilter = flag(rng);
    c.yearFrom = static_cast<int16_t>(year(rng));
    c.yearTo = static_cast<int16_t>(year(rng));
    c.provinceIndex = static_cast<int16_t>(province(rng));
    return c;
}

}  // namespace

TEST(CaseStoreFuzz, AnyRecordBytesReadAndWriteBackUnchanged)
{
    std::mt19937 rng(20240601);
    const long inputs = FuzzInputs(3000);
    for (long i = 0; i < inputs; ++i) {
        const std::string raw = RandomBytes(rng, kCaseRecordSize);
        const CaseRecord r = DecodeCaseRecord(reinterpret_cast<const uint8_t*>(raw.data()));
        const auto back = EncodeCaseRecord(r);
        ASSERT_TRUE(back) << i;
        ASSERT_EQ(std::string(back->begin(), back->end()), raw) << i;
        const ChartInput input = BirthDataOf(r);
        EXPECT_EQ(input.name, r.name) << i;
    }
}

TEST(CaseStoreFuzz, RandomAndTruncatedCaseFilesAreReadWithoutHarm)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE(round);
        TempHome home;
        const std::string file = RandomCaseFile(rng);
        WriteBytes(home.dat() / "ZiWei.dat", file);
        MDataBase db;
        ASSERT_EQ(db.Open(home.path()), DbStatus::Ok);
        int32_t count = -1;
        ASSERT_EQ(db.Count(count), DbStatus::Ok);
        ASSERT_EQ(static_cast<std::size_t>(count), file.size() / kCaseRecordSize);

        std::vector<int32_t> live;
        for (int32_t n = -1; n <= count; ++n) {
            CaseRecord r;
            const DbStatus s = db.Read(n, r);
            if (n < 0 || n == count) {
                EXPECT_EQ(s, DbStatus::OutOfRange);
                continue;
            }
            EXPECT_EQ(s, file[n * kCaseRecordSize + 4] == 0 ? DbStatus::Ok : DbStatus::Deleted);
            if (s == DbStatus::Ok) live.push_back(n);
            if (const auto path = db.CommentPath(r)) {
                EXPECT_EQ(path->parent_path(), db.CommentFolder());
            }
            // Written back unchanged, a record keeps its bytes (its number becomes its position).
            ASSERT_EQ(db.Write(n, r), DbStatus::Ok);
        }
        std::string expected = file.substr(0, count * kCaseRecordSize);
        for (int32_t n = 0; n < count; ++n)
            for (int b = 0; b < 4; ++b) expected[n * kCaseRecordSize + b] = static_cast<char>(n >> (8 * b));
        EXPECT_EQ(FileBytes(home.dat() / "ZiWei.dat").substr(0, expected.size()), expected);

        ASSERT_EQ(db.BeginScan(), DbStatus::Ok);
        for (int32_t n = -1; n <= count; ++n) {
            CaseRecord r;
            const DbStatus s = db.ReadScanned(n, r);
            EXPECT_EQ(s == DbStatus::Ok, std::binary_search(live.begin(), live.end(), n));
        }
        db.EndScan();

        std::vector<int32_t> found;
        ASSERT_EQ(db.Search({}, found), DbStatus::Ok);
        EXPECT_EQ(found, live);
        for (int k = 0; k < 20; ++k) {
            ASSERT_EQ(db.Search(RandomCriteria(rng), found), DbStatus::Ok);
            EXPECT_TRUE(std::includes(live.begin(), live.end(), found.begin(), found.end()));
        }
        ASSERT_EQ(db.Compact(), DbStatus::Ok);
        ASSERT_EQ(db.Count(count), DbStatus::Ok);
        EXPECT_EQ(static_cast<std::size_t>(count), live.size());
    }
}

// The case-file reader on one random or damaged file after another: counts follow the size,
// every record reads as live or deleted by its flag under its position's number, and the
// search takes only live records.
TEST(CaseStoreFuzz, CaseFileReaderTakesAnyBytes)
{
    std::mt19937 rng(99);
    TempHome home;
    MDataBase db;
    ASSERT_EQ(db.Open(home.path()), DbStatus::Ok);
    const long inputs = FuzzInputs(2000);
    for (long i = 0; i < inputs; ++i) {
        const std::string file = RandomCaseFile(rng);
        WriteBytes(db.CaseFilePath(), file);
        int32_t count = -1;
        ASSERT_EQ(db.Count(count), DbStatus::Ok);
        ASSERT_EQ(static_cast<std::size_t>(count), file.size() / kCaseRecordSize) << i;
        std::vector<int32_t> live;
        ASSERT_EQ(db.BeginScan(), DbStatus::Ok);
        for (int32_t n = 0; n <= count; ++n) {
            CaseRecord r;
            const DbStatus s = db.ReadScanned(n, r);
            if (n == count) {
                ASSERT_EQ(s, DbStatus::OutOfRange) << i;
                break;
            }
            ASSERT_EQ(s, file[n * kCaseRecordSize + 4] == 0 ? DbStatus::Ok : DbStatus::Deleted) << i;
            ASSERT_EQ(r.recordNo, n) << i;
            if (s == DbStatus::Ok) live.push_back(n);
        }
        db.EndScan();
        std::vector<int32_t> found;
        ASSERT_EQ(db.Search(RandomCriteria(rng), found), DbStatus::Ok);
        ASSERT_TRUE(std::includes(live.begin(), live.end(), found.begin(), found.end())) << i;
    }
    RecordProperty("inputs", std::to_string(inputs));
}
