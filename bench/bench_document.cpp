// Opening a skin repaints every page's image and cell through the eight
// set-page operations; saving reads the controls and writes the file safely;
// an edit repaints one look, shown plain or simulated; a tooltip measures.
#include "app/Startup.h"
#include "app/Unit1.h"
#include "platform/toolkit/ColorBox.h"
#include "skin/Readability.h"

#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

static TfrmMain* window;

static void BM_LoadFromFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("skin.kvz"));
    window->document().SaveToFile(name);
    for (auto _ : state)
        benchmark::DoNotOptimize(window->document().LoadFromFile(name));
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMicrosecond);

static void BM_SaveToFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("skin.kvz"));
    for (auto _ : state)
        window->document().SaveToFile(name);
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMicrosecond);

// An edit as the user makes it, on the shown window: a colour box of the
// selected answer look changes (alternating two colours), its handler
// repaints the image and the cell, and the cell goes onto the screen; with
// Arg 1 the cells show the skin as simulated for deuteranopia.
static void BM_EditRepaint(benchmark::State& state)
{
    window->show();
    while (!window->windowHandle()->isExposed())
        QCoreApplication::processEvents();
    auto* box = window->findChild<TColorBox*>(QStringLiteral("cbOdgovorInC1"));
    const auto cells = window->centralWidget()->findChildren<TZlatovirCelija*>();
    for (TZlatovirCelija* cell : cells)
        cell->setShownVision(state.range(0) ? Vision::Deuteranopia : Vision::Normal);
    bool red = false;
    for (auto _ : state) {
        box->setSelected((red = !red) ? clRed : clBlue);
        Q_EMIT box->OnChange();
    }
    for (TZlatovirCelija* cell : cells)
        cell->setShownVision(Vision::Normal);
}
BENCHMARK(BM_EditRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// What a preview cell's tooltip costs: the figures of every look.
static void BM_TooltipFigures(benchmark::State& state)
{
    const auto found = window->centralWidget()->findChildren<TZlatovirCelija*>();
    const std::vector<TZlatovirCelija*> cells(found.begin(), found.end());
    for (auto _ : state)
        benchmark::DoNotOptimize(measureReadability(cells));
}
BENCHMARK(BM_TooltipFigures)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    TApplication app(argc, argv);
    EditorSession session(app);
    window = session.frmMain();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
