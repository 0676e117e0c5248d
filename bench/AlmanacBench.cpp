// Month pages of the perpetual calendar: what one click of the calendar window costs. Target
// (Release): at most 20 ms a month anywhere in -4713..9999.
#include "Almanac.h"

#include <benchmark/benchmark.h>

// Next month after next month, as the "下一月" button steps: the year's terms are computed once
// a year, the lunar years as the days reach them.
static void BM_AlmanacNextMonth(benchmark::State& state)
{
    MAlmanac almanac;
    AlmanacMonth page;
    YearMonth at{static_cast<int16_t>(state.range(0)), 1};
    for (auto _ : state) {
        almanac.Month(at.year, at.month, page);
        benchmark::DoNotOptimize(almanac.Pillars({at.year, at.month, 1, 12, 0}));
        const auto next = MAlmanac::StepMonth(at.year, at.month, 1);
        at = next ? *next : YearMonth{static_cast<int16_t>(state.range(0)), 1};
    }
}
BENCHMARK(BM_AlmanacNextMonth)->Arg(-4712)->Arg(-500)->Arg(1582)->Arg(2024)->Arg(9990)->Unit(benchmark::kMillisecond);

// A page in another year every time, across the whole range: the worst case, a year typed in
// the year box or a jump to the present.
static void BM_AlmanacJumpYear(benchmark::State& state)
{
    MAlmanac almanac;
    AlmanacMonth page;
    int year = kAlmanacFirstYear;
    int month = 1;
    for (auto _ : state) {
        almanac.Month(year, month, page);
        benchmark::DoNotOptimize(almanac.Pillars({static_cast<int16_t>(year), static_cast<int16_t>(month), 1, 12, 0}));
        year += 997;
        if (year > kAlmanacLastYear) year -= kAlmanacLastYear - kAlmanacFirstYear + 1;
        month = month % 12 + 1;
    }
}
BENCHMARK(BM_AlmanacJumpYear)->Unit(benchmark::kMillisecond);

// The end months of the range.
static void BM_AlmanacRangeEnds(benchmark::State& state)
{
    MAlmanac almanac;
    AlmanacMonth page;
    bool first = true;
    for (auto _ : state) {
        if (first) almanac.Month(kAlmanacFirstYear, 1, page);
        else almanac.Month(kAlmanacLastYear, 12, page);
        first = !first;
    }
}
BENCHMARK(BM_AlmanacRangeEnds)->Unit(benchmark::kMillisecond);
