// The place table as the input panel uses it: the shipped file of 2,404 places, read, listed
// per province and searched as the user types part of a name.
#include "PlaceTable.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A program folder holding the shipped place table, removed at exit.
const fs::path& Home()
{
    static const struct Folder {
        fs::path path = fs::temp_directory_path() / ("qiravel-bench-places-" + std::to_string(getpid()));
        Folder()
        {
            fs::create_directories(path / "dat");
            fs::copy_file(fs::path(QIRAVEL_RESOURCES) / "places" / "dili.ini", PlaceFile(path));
        }
        ~Folder()
        {
            std::error_code ec;
            fs::remove_all(path, ec);
        }
    } folder;
    return folder.path;
}

void BM_PlaceTableLoad(benchmark::State& state)
{
    for (auto _ : state) {
        PlaceTable table(Home());
        benchmark::DoNotOptimize(table.Names(0).size());
    }
}
BENCHMARK(BM_PlaceTableLoad)->Unit(benchmark::kMillisecond);

// A province pick: the list of the largest province with its degrees.
void BM_PlaceTableChoices(benchmark::State& state)
{
    const PlaceTable table(Home());
    for (auto _ : state) benchmark::DoNotOptimize(table.Choices(21).size());  // 四川省
}
BENCHMARK(BM_PlaceTableChoices)->Unit(benchmark::kMicrosecond);

// One keystroke in the find field: a rare part and a part that matches a thousand places.
void BM_PlaceTableFind(benchmark::State& state)
{
    const PlaceTable table(Home());
    const char* part = state.range(0) == 0 ? "九龙" : "县";
    for (auto _ : state) benchmark::DoNotOptimize(table.Find(part).size());
}
BENCHMARK(BM_PlaceTableFind)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
