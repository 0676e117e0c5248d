// Casting speed of the chart engine over many different birth moments.
#include "Ziweiex.h"
#include "ZiweiexPalaces.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <vector>

namespace {

// Births spread over the years 1..3000 and all hours; day up to 28 so every date exists.
std::vector<ChartInput> Births(bool lunar, std::size_t count)
{
    std::mt19937 rng(7);
    auto pick = [&](int low, int high) { return static_cast<int16_t>(std::uniform_int_distribution<int>(low, high)(rng)); };
    std::vector<ChartInput> births(count);
    for (ChartInput& in : births) {
        in.birth = {pick(1, 3000), pick(1, 12), pick(1, 28), pick(0, 23), pick(0, 59)};
        in.isLunar = lunar ? 1 : 0;
        in.isMale = static_cast<uint8_t>(pick(0, 1));
        in.chartKind = static_cast<uint8_t>(pick(0, 2));
        in.longitude = 120.0f;
    }
    return births;
}

// An engine with the default settings, read once.
void UseDefaultSettings(MZiWeiEx& engine) { engine.FixSettings(ChartSettings{}); }

void CastNatal(benchmark::State& state, bool lunar)
{
    const std::vector<ChartInput> births = Births(lunar, 4096);
    MZiWeiEx engine(std::filesystem::temp_directory_path());
    UseDefaultSettings(engine);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.CastNatal(births[i++ % births.size()]));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}

}  // namespace

static void BM_CastNatalSolar(benchmark::State& state) { CastNatal(state, false); }
BENCHMARK(BM_CastNatalSolar)->Unit(benchmark::kMicrosecond);

static void BM_CastNatalLunar(benchmark::State& state) { CastNatal(state, true); }
BENCHMARK(BM_CastNatalLunar)->Unit(benchmark::kMicrosecond);

// Annual charts at different dates over one natal chart.
static void BM_CastAnnual(benchmark::State& state)
{
    MZiWeiEx engine(std::filesystem::temp_directory_path());
    UseDefaultSettings(engine);
    ChartInput in;
    in.birth = {1950, 6, 15, 8, 30};
    engine.CastNatal(in);
    std::mt19937 rng(11);
    std::vector<MDateTime> dates(4096);
    for (MDateTime& d : dates)
        d = {static_cast<int16_t>(std::uniform_int_distribution<int>(1951, 2060)(rng)),
             static_cast<int16_t>(std::uniform_int_distribution<int>(1, 12)(rng)),
             static_cast<int16_t>(std::uniform_int_distribution<int>(1, 28)(rng)), 12, 0};
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(engine.CastAnnual(dates[i++ % dates.size()], 0));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_CastAnnual)->Unit(benchmark::kMicrosecond);

// The calendar-free part of a natal cast: palaces and all 61 stars.
static void BM_PlaceStars(benchmark::State& state)
{
    const ChartSettings settings;
    int n = 0;
    for (auto _ : state) {
        ChartData chart{};
        const int month = ComputeNatalPillars(chart, {1984, static_cast<int16_t>(1 + n % 12), static_cast<int16_t>(1 + n % 30),
                                                      static_cast<int16_t>(n % 24), 0},
                                              false, n % 60, settings);
        ComputePalaces(chart, month, static_cast<uint8_t>(n % 3));
        PlaceStars(chart, BirthFacts{month, 1 + n % 30, n % 2 == 0}, settings);
        benchmark::DoNotOptimize(chart);
        ++n;
    }
}
BENCHMARK(BM_PlaceStars);
