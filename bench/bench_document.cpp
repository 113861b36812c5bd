// Opening a skin repaints every page's image and cell through the eight
// set-page operations; saving reads the controls and writes the file safely.
#include "app/Startup.h"
#include "app/Unit1.h"

#include <QTemporaryDir>

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
