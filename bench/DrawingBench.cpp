// Drawing speed of whole charts on a real image, natal and annual, at the chart font sizes 9
// and 14: a zoom step (the image laid out afresh and everything drawn), a redraw around a
// highlighted palace (the same image, everything drawn again) and a cast with its drawing.
// Runs as its own program: the image needs a GUI application, here without a display.
#include "ImageCanvas.h"
#include "Ziweiex.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

// 1984-02-05 12:30, male: a chart with nine stars in the fullest palace.
ChartInput Birth()
{
    ChartInput in;
    in.birth = {1984, 2, 5, 12, 30};
    in.name = "张三";
    in.place = "北京-北京";
    return in;
}

constexpr MDateTime kAnnualDate = {2024, 3, 1, 12, 0};

// An engine drawing onto an image at a font size, with the natal chart cast and, when asked,
// the annual chart over it.
struct DrawnChart {
    DrawnChart(int fontSize, bool annual) : engine(std::filesystem::temp_directory_path())
    {
        engine.FixSettings(ChartSettings{});
        engine.AttachImage(canvas, fontSize);
        if (!engine.CastNatal(Birth()) || (annual && !engine.CastAnnual(kAnnualDate, 0)))
            std::abort();
    }
    ImageCanvas canvas;
    MZiWeiEx engine;
};

// One zoom step per iteration, in and out by turns, so the size alternates between the given
// one and the next larger.
void Zoom(benchmark::State& state, bool annual)
{
    DrawnChart chart(static_cast<int>(state.range(0)), annual);
    int step = +1;
    for (auto _ : state) {
        chart.engine.Zoom(step);
        step = -step;
    }
    benchmark::DoNotOptimize(chart.canvas.image().constBits());
}

// The twelve palaces highlighted in turn: a full redraw on the image as it is.
void Highlight(benchmark::State& state, bool annual)
{
    DrawnChart chart(static_cast<int>(state.range(0)), annual);
    int branch = 0;
    for (auto _ : state) chart.engine.HighlightPalace(branch++ % 12);
    benchmark::DoNotOptimize(chart.canvas.image().constBits());
}

// What the user waits for after asking for a chart: the cast with its drawing.
void Cast(benchmark::State& state, bool annual)
{
    DrawnChart chart(static_cast<int>(state.range(0)), annual);
    for (auto _ : state) {
        if (annual)
            benchmark::DoNotOptimize(chart.engine.CastAnnual(kAnnualDate, 0));
        else
            benchmark::DoNotOptimize(chart.engine.CastNatal(Birth()));
    }
}

}  // namespace

BENCHMARK_CAPTURE(Zoom, natal, false)->Arg(9)->Arg(14)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Zoom, annual, true)->Arg(9)->Arg(14)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Highlight, natal, false)->Arg(9)->Arg(14)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Highlight, annual, true)->Arg(9)->Arg(14)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Cast, natal, false)->Arg(9)->Arg(14)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Cast, annual, true)->Arg(9)->Arg(14)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
