// Speed of the main window as a user meets it, without a display: from construction to the
// first shown window, a natal cast from the button press to chart and report painted, and a
// zoom step redrawn on screen. Runs as its own program: the window needs a QApplication.
#include "QuietPrompter.h"
#include "UntMain.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

namespace {

// A scratch program folder, so the settings the window writes at close go nowhere that matters.
struct ScratchHome {
    ScratchHome()
    {
        std::random_device rd;
        path = std::filesystem::temp_directory_path() / ("qiravel-bench-" + std::to_string(rd()));
        std::filesystem::create_directories(path / "dat");
    }
    ~ScratchHome()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::filesystem::path path;
};

// Paints everything pending, as the screen would before the user sees the result.
void Settle(QWidget& window)
{
    QApplication::processEvents();
    window.repaint();
}

// Shows the window at the screenshots' size and casts the example birth on it.
void ShowWithExampleChart(TFrmMain& window)
{
    window.resize(1280, 800);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) std::abort();
    window.EdtYear->setText("1984");
    window.Edtname->setText("张三");
    QTest::mouseClick(window.BtnPai, Qt::LeftButton);
    if (!window.cast()) std::abort();
}

void BM_StartToFirstShownWindow(benchmark::State& state)
{
    ScratchHome home;
    QuietPrompter prompter(true);
    for (auto _ : state) {
        TFrmMain window(home.path, prompter);
        window.resize(1280, 800);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) std::abort();
        Settle(window);
        state.PauseTiming();
        window.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToFirstShownWindow)->Unit(benchmark::kMillisecond);

void BM_NatalCastToScreen(benchmark::State& state)
{
    ScratchHome home;
    QuietPrompter prompter(true);
    TFrmMain window(home.path, prompter);
    ShowWithExampleChart(window);
    for (auto _ : state) {
        QTest::mouseClick(window.BtnPai, Qt::LeftButton);
        Settle(window);
    }
    if (window.Redtziwei->document()->isEmpty()) std::abort();
    window.close();
}
BENCHMARK(BM_NatalCastToScreen)->Unit(benchmark::kMillisecond);

void BM_ZoomRedrawOnScreen(benchmark::State& state)
{
    ScratchHome home;
    QuietPrompter prompter(true);
    TFrmMain window(home.path, prompter);
    ShowWithExampleChart(window);
    int step = +1;
    for (auto _ : state) {
        (step > 0 ? window.actZoomIn : window.actZoomOut)->trigger();
        Settle(window);
        step = -step;
    }
    window.close();
}
BENCHMARK(BM_ZoomRedrawOnScreen)->Unit(benchmark::kMillisecond);

}  // namespace
