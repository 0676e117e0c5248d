// The perpetual calendar window as the user feels it: a "下一月" click (month page, grid drawn,
// memos filled) and a click on a day of the shown month (everything redrawn). Target: at most
// 20 ms anywhere in -4713..9999. Runs as its own program: the window needs a GUI application,
// here without a display.
#include "QuietPrompter.h"
#include "UntWnl.h"

#include <benchmark/benchmark.h>

// "下一月" from January of the given year on, twelve months a year.
static void BM_WnlNextMonth(benchmark::State& state)
{
    QuietPrompter prompter;
    TFrmWnl window(prompter);
    const auto year = static_cast<int16_t>(state.range(0));
    window.ShowDate({year, 1, 1, 12, 0});
    int steps = 0;
    for (auto _ : state) {
        if (++steps == 12) {
            steps = 0;
            window.ShowDate({year, 1, 1, 12, 0});
        }
        window.NextMonth();
    }
}
BENCHMARK(BM_WnlNextMonth)->Arg(-4713)->Arg(1582)->Arg(2024)->Arg(9998)->Unit(benchmark::kMillisecond);

// A different year each time, across the whole range (a typed year).
static void BM_WnlShowDateAcrossRange(benchmark::State& state)
{
    QuietPrompter prompter;
    TFrmWnl window(prompter);
    int year = -4713;
    for (auto _ : state) {
        window.ShowDate({static_cast<int16_t>(year), 6, 15, 12, 0});
        year += 997;
        if (year > 9999) year -= 14712;
        if (year == 0) year = 1;
    }
}
BENCHMARK(BM_WnlShowDateAcrossRange)->Unit(benchmark::kMillisecond);

// A click on another day of the shown month.
static void BM_WnlClickDay(benchmark::State& state)
{
    QuietPrompter prompter;
    TFrmWnl window(prompter);
    window.ShowDate({2024, 2, 1, 12, 0});
    int column = 0;
    for (auto _ : state) {
        window.ClickGrid({column * 64 + 20, 2 * 47 + 20});
        column = (column + 1) % 7;
    }
}
BENCHMARK(BM_WnlClickDay)->Unit(benchmark::kMillisecond);
