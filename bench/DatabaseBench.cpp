// The case store over a case file of 100,000 records.
#include "Database.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kRecords = 100000;

// A program folder whose case file holds kRecords cases (every tenth deleted), made once and
// removed at exit. Each benchmark that writes works on its own copy.
class BenchHome {
public:
    explicit BenchHome(const std::string& tag)
        : path_(fs::temp_directory_path() / ("qiravel-bench-" + tag + "-" + std::to_string(getpid())))
    {
        fs::create_directories(path_ / "dat");
        static const char* kNames[] = {"张三", "李四", "王五", "赵六", "诸葛亮", "ab", "陈", "刘备"};
        static const char* kCategories[] = {"临时保存", "家人", "朋友", "客户", "名人"};
        std::mt19937 rng(1);
        std::string file;
        file.reserve(static_cast<std::size_t>(kRecords) * kCaseRecordSize);
        for (int i = 0; i < kRecords; ++i) {
            CaseRecord r;
            r.recordNo = i;
            r.deleted = i % 10 == 9;
            r.name = kNames[rng() % std::size(kNames)];
            r.category = kCategories[rng() % std::size(kCategories)];
            r.birth = {static_cast<int16_t>(1900 + rng() % 120), 5, 1, 8, 30};
            r.isMale = rng() % 2;
            r.provinceIndex = static_cast<int16_t>(rng() % 35);
            r.commentName = CommentBaseName(r.name, r.birth) + "_" + std::to_string(i);
            const auto bytes = EncodeCaseRecord(r);
            file.append(reinterpret_cast<const char*>(bytes->data()), bytes->size());
        }
        std::ofstream(path_ / "dat" / "ZiWei.dat", std::ios::binary) << file;
    }
    ~BenchHome()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

const fs::path& SharedHome()
{
    static const BenchHome home("shared");
    return home.path();
}

void BM_Append(benchmark::State& state)
{
    const BenchHome home("append");
    MDataBase db;
    db.Open(home.path());
    CaseRecord r;
    r.name = "张三";
    r.category = "临时保存";
    r.birth = {1990, 5, 1, 8, 30};
    r.commentName = "张三_199005010830";
    for (auto _ : state)
        if (db.Append(r) != DbStatus::Ok) state.SkipWithError("append failed");
}
BENCHMARK(BM_Append)->Unit(benchmark::kMicrosecond);

void BM_Read(benchmark::State& state)
{
    MDataBase db;
    db.Open(SharedHome());
    std::mt19937 rng(2);
    CaseRecord r;
    for (auto _ : state) benchmark::DoNotOptimize(db.Read(static_cast<int32_t>(rng() % kRecords), r));
}
BENCHMARK(BM_Read)->Unit(benchmark::kMicrosecond);

// The search dialog's usual question: a name, a sex and a range of years.
void BM_Search(benchmark::State& state)
{
    MDataBase db;
    db.Open(SharedHome());
    SearchCriteria c;
    c.nameMode = MatchMode::Contains;
    c.namePattern = "张";
    c.sexFilter = true;
    c.sexValue = 1;
    c.yearFilter = true;
    c.yearFrom = 1950;
    c.yearTo = 1990;
    std::vector<int32_t> found;
    for (auto _ : state) {
        db.Search(c, found);
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["hits"] = static_cast<double>(found.size());
}
BENCHMARK(BM_Search)->Unit(benchmark::kMillisecond);

// "全部": every live record.
void BM_SearchAll(benchmark::State& state)
{
    MDataBase db;
    db.Open(SharedHome());
    std::vector<int32_t> found;
    for (auto _ : state) {
        db.Search({}, found);
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["hits"] = static_cast<double>(found.size());
}
BENCHMARK(BM_SearchAll)->Unit(benchmark::kMillisecond);

// Filling the case tree: every record read through one scan.
void BM_ScanAll(benchmark::State& state)
{
    MDataBase db;
    db.Open(SharedHome());
    CaseRecord r;
    for (auto _ : state) {
        db.BeginScan();
        for (int32_t n = 0; n < kRecords; ++n) benchmark::DoNotOptimize(db.ReadScanned(n, r));
        db.EndScan();
    }
}
BENCHMARK(BM_ScanAll)->Unit(benchmark::kMillisecond);

}  // namespace
