// Speed of the main window as a user meets it, without a display: from construction to the
// first shown window, a natal cast from the button press to chart and report painted, and a
// zoom step redrawn on screen. Runs as its own program: the window needs a QApplication.
#include "Prompter.h"
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

// Answers every question with Yes and swallows messages; a benchmark has nobody to ask.
class QuietPrompter final : public Prompter {
public:
    void Message(QWidget*, const QString&, const QString&, PromptIcon) override {}
    bool Question(QWidget*, const QString&, const QString&, PromptIcon, DefaultAnswer) override { return true; }
    std::optional<QString> QueryText(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    FileFilterChoice OpenFile(QWidget*, const QString&, const QStringList&, const QString&) override { return {}; }
    FileFilterChoice SaveFile(QWidget*, const QString&, const QStringList&, const QString&) override { return {}; }
    QString Folder(QWidget*, const QString&) override { return {}; }
    std::optional<QFont> Font(QWidget*, const QFont&, const QString&) override { return {}; }
    std::optional<QColor> Colour(QWidget*, const QColor&) override { return {}; }
    bool Print(QWidget*, QPrinter&) override { return false; }
    int Exec(QDialog&) override { return 0; }
};

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

void CastExample(TFrmMain& window)
{
    window.EdtYear->setText("1984");
    window.Edtname->setText("张三");
    QTest::mouseClick(window.BtnPai, Qt::LeftButton);
    if (!window.cast()) std::abort();
}

void BM_StartToFirstShownWindow(benchmark::State& state)
{
    ScratchHome home;
    QuietPrompter prompter;
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
    QuietPrompter prompter;
    TFrmMain window(home.path, prompter);
    window.resize(1280, 800);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) std::abort();
    CastExample(window);
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
    QuietPrompter prompter;
    TFrmMain window(home.path, prompter);
    window.resize(1280, 800);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) std::abort();
    CastExample(window);
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

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
