// Canvas costs of a clock frame: a 7 x 6 LED dot, a fill and a block copy of the
// saver clock's 353 x 345 bitmap next to memset and memcpy of the same bytes,
// and a 16-character text line at font height -11.
#include "classlib/graphics/Bitmap.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int FrameWidth = 353, FrameHeight = 345;
constexpr size_t FrameBytes = size_t(FrameWidth) * FrameHeight * sizeof(uint32_t);

void EllipseLedDot(benchmark::State& state)
{
    TBitmap bitmap(FrameWidth, FrameHeight);
    TCanvas& c = *bitmap.Canvas();
    c.Pen()->SetColor(clRed);
    c.Brush()->SetColor(clMaroon);
    int x = 0;
    for (auto _ : state) {
        c.Ellipse(x, 100, x + 7, 106);
        x = (x + 9) % 300;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(EllipseLedDot);

void FillRectFrame(benchmark::State& state)
{
    TBitmap bitmap(FrameWidth, FrameHeight);
    TCanvas& c = *bitmap.Canvas();
    c.Brush()->SetColor(clBlack);
    for (auto _ : state) {
        c.FillRect(Rect(0, 0, FrameWidth, FrameHeight));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(FrameBytes));
}
BENCHMARK(FillRectFrame);

void MemsetFrame(benchmark::State& state)
{
    std::vector<uint32_t> pixels(FrameBytes / sizeof(uint32_t));
    for (auto _ : state) {
        std::memset(pixels.data(), 0, FrameBytes);
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(FrameBytes));
}
BENCHMARK(MemsetFrame);

void CopyRectFrame(benchmark::State& state)
{
    TBitmap source(FrameWidth, FrameHeight), dest(FrameWidth, FrameHeight);
    const TRect all = Rect(0, 0, FrameWidth, FrameHeight);
    for (auto _ : state) {
        dest.Canvas()->CopyRect(all, source.Canvas(), all);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(FrameBytes));
}
BENCHMARK(CopyRectFrame);

void MemcpyFrame(benchmark::State& state)
{
    std::vector<uint32_t> source(FrameBytes / sizeof(uint32_t), 1), dest(FrameBytes / sizeof(uint32_t));
    for (auto _ : state) {
        std::memcpy(dest.data(), source.data(), FrameBytes);
        benchmark::DoNotOptimize(dest.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(FrameBytes));
}
BENCHMARK(MemcpyFrame);

void TextOutSixteenCharacters(benchmark::State& state)
{
    TBitmap bitmap(FrameWidth, FrameHeight);
    TCanvas& c = *bitmap.Canvas();
    c.Font()->SetName("Arial");
    c.Font()->SetHeight(-11);
    c.Brush()->SetStyle(bsClear);
    const std::string text = "Change the Color";
    for (auto _ : state) {
        c.TextOut(10, 10, text);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(TextOutSixteenCharacters);

} // namespace

BENCHMARK_MAIN();
