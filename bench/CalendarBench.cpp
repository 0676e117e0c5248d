// Day-level calendar operations.
#include "Eph0.h"
#include "Yidateex.h"

#include <benchmark/benchmark.h>

static void BM_CalendarToJdAndBack(benchmark::State& state)
{
    double jd = 2451545.0;
    for (auto _ : state) {
        const JulianDate d = JdToCalendar(jd);
        benchmark::DoNotOptimize(CalendarToJd(d.year, d.month, d.day));
        jd += 1.37;
    }
}
BENCHMARK(BM_CalendarToJdAndBack);

static void BM_DateExists(benchmark::State& state)
{
    MYiDateEx calendar;
    MDateTime t{1984, 2, 29, 12, 0};
    for (auto _ : state) benchmark::DoNotOptimize(calendar.DateExists(t));
}
BENCHMARK(BM_DateExists);
