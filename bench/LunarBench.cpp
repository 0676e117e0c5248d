// Lunar conversions and solar terms. Targets (Release): GregorianToLunar 50 us for a new lunar
// year and 2 us within a year already computed, LunarToGregorian 200 us, YearTerms 1 ms.
#include "Yidateex.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

MDateTime Noon(int y, int m, int d)
{
    return {static_cast<int16_t>(y), static_cast<int16_t>(m), static_cast<int16_t>(d), 12, 0};
}

}  // namespace

// Every conversion falls in another lunar year of 1961..2100, so each lays out a year afresh.
static void BM_GregorianToLunarNewYear(benchmark::State& state)
{
    MYiDateEx calendar;
    MDateTime out;
    int year = 1961;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calendar.GregorianToLunar(Noon(year, 7, 1), out));
        year = year == 2100 ? 1961 : year + 1;
    }
}
BENCHMARK(BM_GregorianToLunarNewYear)->Unit(benchmark::kMicrosecond);

// The same for ancient dates, from the mean-value tables and the corrected quick formulas.
static void BM_GregorianToLunarNewYearBefore1960(benchmark::State& state)
{
    MYiDateEx calendar;
    MDateTime out;
    int year = -700;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calendar.GregorianToLunar(Noon(year, 7, 1), out));
        year = year >= 1950 ? -700 : year + 13;
    }
}
BENCHMARK(BM_GregorianToLunarNewYearBefore1960)->Unit(benchmark::kMicrosecond);

// Day after day within one lunar year, as a calendar month view converts.
static void BM_GregorianToLunarSameYear(benchmark::State& state)
{
    MYiDateEx calendar;
    MDateTime out;
    int day = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calendar.GregorianToLunar(Noon(2024, 3, day), out));
        day = day == 31 ? 1 : day + 1;
    }
}
BENCHMARK(BM_GregorianToLunarSameYear);

// Each lunar date in another year, so the search starts in a year not yet computed.
static void BM_LunarToGregorian(benchmark::State& state)
{
    MYiDateEx calendar;
    MDateTime out;
    std::string message;
    int year = 1961, month = 1;
    for (auto _ : state) {
        const MDateTime lunar{static_cast<int16_t>(year), static_cast<int16_t>(month), 15, 12, 0};
        benchmark::DoNotOptimize(calendar.LunarToGregorian(lunar, out, false, message));
        year = year == 2100 ? 1961 : year + 1;
        month = month == 12 ? 1 : month + 1;
    }
}
BENCHMARK(BM_LunarToGregorian)->Unit(benchmark::kMicrosecond);

// The worst case: a leap month the year lacks is searched for all 181 days.
static void BM_LunarToGregorianMissingDate(benchmark::State& state)
{
    MYiDateEx calendar;
    MDateTime out;
    std::string message;
    int year = 1961;
    for (auto _ : state) {
        const MDateTime lunar{static_cast<int16_t>(year), 6, 15, 12, 0};
        benchmark::DoNotOptimize(calendar.LunarToGregorian(lunar, out, true, message));
        year = year == 2100 ? 1961 : year + 1;
    }
}
BENCHMARK(BM_LunarToGregorianMissingDate)->Unit(benchmark::kMicrosecond);

static void BM_YearTerms(benchmark::State& state)
{
    MYiDateEx calendar;
    std::vector<TermRecord> terms;
    int year = 1900;
    for (auto _ : state) {
        calendar.YearTerms(year, terms);
        benchmark::DoNotOptimize(terms.data());
        year = year == 2100 ? 1900 : year + 1;
    }
}
BENCHMARK(BM_YearTerms)->Unit(benchmark::kMicrosecond);

// A calendar object decodes its correction texts when it is made.
static void BM_ConstructCalendar(benchmark::State& state)
{
    for (auto _ : state) {
        MYiDateEx calendar;
        benchmark::DoNotOptimize(&calendar);
    }
}
BENCHMARK(BM_ConstructCalendar)->Unit(benchmark::kMicrosecond);
