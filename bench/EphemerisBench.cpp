// Sun and moon ephemeris: the full series and the solvers the calendar calls for every solar
// term and new moon.
#include "Eph.h"
#include "Eph0.h"

#include <benchmark/benchmark.h>

namespace {

// Instants spread over 1800-2200 so that no two calls see the same arguments.
double NextCentury(double t) { return t > 2 ? -2 : t + 0.0137; }

// Targets one solar term (15°) or one quarter of a lunation apart.
double NextSunTarget(double w) { return w > 2 * 6.2831853 * 200 ? -6.2831853 * 200 : w + 0.2617994; }
double NextElongationTarget(double w) { return w > 6.2831853 * 2400 ? -6.2831853 * 2400 : w + 1.5707963; }

}  // namespace

static void BM_SunApparentLongitude(benchmark::State& state)
{
    double t = -2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SunApparentLongitude(t, -1));
        t = NextCentury(t);
    }
}
BENCHMARK(BM_SunApparentLongitude);

static void BM_MoonLongitude(benchmark::State& state)
{
    double t = -2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MoonLongitude(t, -1));
        t = NextCentury(t);
    }
}
BENCHMARK(BM_MoonLongitude);

static void BM_TimeOfSunLongitude(benchmark::State& state)
{
    double w = -6.2831853 * 200;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TimeOfSunLongitude(w));
        w = NextSunTarget(w);
    }
}
BENCHMARK(BM_TimeOfSunLongitude);

static void BM_TimeOfSunLongitudeFast(benchmark::State& state)
{
    double w = -6.2831853 * 200;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TimeOfSunLongitudeFast(w));
        w = NextSunTarget(w);
    }
}
BENCHMARK(BM_TimeOfSunLongitudeFast);

static void BM_TimeOfElongation(benchmark::State& state)
{
    double w = -6.2831853 * 2400;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TimeOfElongation(w));
        w = NextElongationTarget(w);
    }
}
BENCHMARK(BM_TimeOfElongation);

static void BM_TimeOfElongationFast(benchmark::State& state)
{
    double w = -6.2831853 * 2400;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TimeOfElongationFast(w));
        w = NextElongationTarget(w);
    }
}
BENCHMARK(BM_TimeOfElongationFast);
