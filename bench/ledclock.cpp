// One paint of the LED clock (saver 353 x 345, preview 152 x 112) through its
// paint message, next to the least a paint must do: fill the off-screen bitmap
// and copy it to the target.
#include "classlib/windowing/DeviceContext.h"
#include "ledclock/DmLedClock.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct TClockBench {
    TComponent Root{nullptr};
    TDmLedClock* Clock = nullptr;
    TBitmap Target;
    TDeviceContext DC;

    TClockBench(bool saver)
    {
        Clock = &Root.Create<TDmLedClock>();
        if (saver) {
            Clock->SetBounds(0, 0, 353, 345);
            Clock->SetLedSize(6);
            Clock->SetSpacing(20);
            Clock->SetTextOffsetX(25);
            Clock->SetTextOffsetY(-10);
            Clock->SetTextAngle(5);
            Clock->SetTime(EncodeTime(18, 38, 59, 0));  // many dots: 18:38 and the full seconds ring
        } else {
            Clock->SetBounds(0, 0, 152, 112);
            Clock->SetSecWidth(1);
            Clock->SetTickWidth(1);
            Clock->SetLedSize(1);
            Clock->SetSpacing(2);
            Clock->SetTime(EncodeTime(18, 38, 59, 0));
        }
        Target.SetSize(Clock->Width(), Clock->Height());
        DC.Surface = Target.Surface();
        DC.Clip = Target.Surface().BoundsRect();
    }
};

void BM_LedClockPaint(benchmark::State& state)
{
    TClockBench bench(state.range(0) != 0);
    for (auto _ : state) {
        bench.Clock->Perform(WM_PAINT, DCToWParam(&bench.DC));
        benchmark::DoNotOptimize(bench.Target.ScanLine(0)[0]);
    }
}
BENCHMARK(BM_LedClockPaint)->Arg(1)->Arg(0)->ArgName("saver");

void BM_FillAndCopy(benchmark::State& state)
{
    TClockBench bench(state.range(0) != 0);
    TBitmap offscreen(bench.Clock->Width(), bench.Clock->Height());
    const TRect whole(0, 0, offscreen.Width(), offscreen.Height());
    offscreen.Canvas()->Brush()->SetColor(clBlack);
    for (auto _ : state) {
        offscreen.Canvas()->FillRect(whole);
        bench.Target.Canvas()->CopyRect(whole, offscreen.Canvas(), whole);
        benchmark::DoNotOptimize(bench.Target.ScanLine(0)[0]);
    }
}
BENCHMARK(BM_FillAndCopy)->Arg(1)->Arg(0)->ArgName("saver");

}  // namespace

BENCHMARK_MAIN();
