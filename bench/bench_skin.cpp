#include "ZlatovirButtons.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

// The edit path repaints one skin image synchronously inside the change
// handler. In the steady state every fill strokes with the 3-pixel pen the
// outline left behind, so each pixel is written about three times; the
// baseline is a plain solid fill of the question image done three times.

static void BM_SolidFillQuestionThreeTimes(benchmark::State& state)
{
    TBitmap bmp(QuestionImageWidth, QuestionImageHeight);
    TCanvas& c = bmp.Canvas();
    c.Brush.Color = 0x00123456;
    for (auto _ : state) {
        for (int i = 0; i < 3; ++i)
            c.FillRect(QRect(0, 0, QuestionImageWidth, QuestionImageHeight));
        benchmark::DoNotOptimize(bmp.image().constBits());
    }
}
BENCHMARK(BM_SolidFillQuestionThreeTimes);

static void BM_PaintPitanjeImage(benchmark::State& state)
{
    const TDirection direction = TDirection(state.range(0));
    PaintPitanjeImage(clWhite, 0x00B38855, 0x000099FF, 0x00ADDEFE, direction);
    for (auto _ : state) {
        PaintPitanjeImage(clWhite, 0x00B38855, 0x000099FF, 0x00ADDEFE, direction);
        benchmark::DoNotOptimize(bmpPitanje->image().constBits());
    }
}
BENCHMARK(BM_PaintPitanjeImage)->Arg(1)->Arg(0);

static void BM_PaintOdgovorInImage(benchmark::State& state)
{
    PaintOdgovorInImage(clWhite, clAqua, 0x00B38855, 0x000099FF, 0x00ADDEFE, 1);
    for (auto _ : state) {
        PaintOdgovorInImage(clWhite, clAqua, 0x00B38855, 0x000099FF, 0x00ADDEFE, 1);
        benchmark::DoNotOptimize(bmpOdgovorIn->image().constBits());
    }
}
BENCHMARK(BM_PaintOdgovorInImage);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    initializeSkinRendering();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    finalizeSkinRendering();
    return 0;
}
