#include "platform/toolkit/Application.h"
#include "skin/ZlatovirButtons.h"

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
    const GradientDirection direction = GradientDirection(state.range(0));
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

// A preview cell's paint against a plain copy of its skin image: the cell
// composes the image, the letter and the (fitted) caption, then copies.
static void BM_CopyAnswerImage(benchmark::State& state)
{
    TBitmap target(AnswerImageWidth, AnswerImageHeight);
    for (auto _ : state) {
        target.Canvas().Draw(0, 0, *bmpOdgovorIn);
        benchmark::DoNotOptimize(target.image().constBits());
    }
}
BENCHMARK(BM_CopyAnswerImage);

static void BM_AnswerCellPaint(benchmark::State& state)
{
    TZlatovirOdgovor cell;
    cell.setOdgovorNo(odB);
    cell.setLblCaption(QStringLiteral("Odgovor (ulaz)"));
    cell.setDStatus(dsSelect);
    for (auto _ : state) {
        cell.Redraw();
        benchmark::DoNotOptimize(cell.bitmap().image().constBits());
    }
}
BENCHMARK(BM_AnswerCellPaint);

static void BM_CopyQuestionImage(benchmark::State& state)
{
    TBitmap target(QuestionImageWidth, QuestionImageHeight);
    for (auto _ : state) {
        target.Canvas().Draw(0, 0, *bmpPitanje);
        benchmark::DoNotOptimize(target.image().constBits());
    }
}
BENCHMARK(BM_CopyQuestionImage);

static void BM_QuestionCellPaint(benchmark::State& state)
{
    TZlatovirPitanje cell;
    cell.setLblCaption(QStringLiteral("Dobrodošli u ZLATOVIR-ov VEDU DOZEZI"));
    for (auto _ : state) {
        cell.Redraw();
        benchmark::DoNotOptimize(cell.bitmap().image().constBits());
    }
}
BENCHMARK(BM_QuestionCellPaint);

// One whole edit: the page's paint routine and its one cell repaint.
static void BM_EditPathAnswer(benchmark::State& state)
{
    TZlatovirOdgovor cell;
    cell.setOdgovorNo(odB);
    cell.setLblCaption(QStringLiteral("Odgovor (ulaz)"));
    cell.setDStatus(dsSelect);
    for (auto _ : state) {
        PaintOdgovorInImage(clWhite, clAqua, 0x00B38855, 0x000099FF, 0x00ADDEFE, 1);
        cell.Redraw();
        benchmark::DoNotOptimize(cell.bitmap().image().constBits());
    }
}
BENCHMARK(BM_EditPathAnswer);

static void BM_EditPathQuestion(benchmark::State& state)
{
    TZlatovirPitanje cell;
    cell.setLblCaption(QStringLiteral("Dobrodošli u ZLATOVIR-ov VEDU DOZEZI"));
    for (auto _ : state) {
        PaintPitanjeImage(clWhite, 0x00B38855, 0x000099FF, 0x00ADDEFE, 1);
        cell.Redraw();
        benchmark::DoNotOptimize(cell.bitmap().image().constBits());
    }
}
BENCHMARK(BM_EditPathQuestion);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    initializeSkinRendering();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    finalizeSkinRendering();
    return 0;
}
