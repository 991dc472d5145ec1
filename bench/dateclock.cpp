// The date line's paint next to the cost of the cell copies it is built from.
#include "classlib/controls/ControlRegistry.h"
#include "classlib/forms/Application.h"
#include "classlib/system/DateUtils.h"
#include "classlib/system/LoadingScope.h"
#include "classlib/windowing/WindowGeometry.h"
#include "dateclock/DcClock.h"
#include "dateclock/DcPanels.h"
#include "platform/headless/HeadlessPlatform.h"

#include <benchmark/benchmark.h>

namespace {

void UseSaverSizes(TDcLED& led)
{
    led.SetHorzsize(8);
    led.SetVertsize(7);
    led.SetThickness(1);
    led.SetActiveColor(clRed);
    led.SetInActiveColor(clBlack);
}

// The saver's panel with its date line, as its form description builds them.
class TBenchForm : public TForm {
public:
    explicit TBenchForm(TComponent* AOwner) : TForm(AOwner)
    {
        {
            TLoadingScope loading(*this);
            SetBorderStyle(bsNone);
            SetBounds(0, 0, 354, 346);
            Panel = &Create<TDcBackPanel>();
            static_cast<TControl*>(Panel)->SetParent(this);
            Panel->SetBounds(0, 0, 353, 345);
            Panel->SetColor(clBlack);
            Panel->SetTransparent(true);
            Clock = &Create<TDcClock>();
            Clock->SetParent(Panel);
            Clock->SetBounds(80, 205, 169, 21);
            Clock->SetMode(cmDate);
            Clock->SetDigitalOnly(true);
            UseSaverSizes(*Clock->Digital());
        }
    }
    TDcBackPanel* Panel = nullptr;
    TDcClock* Clock = nullptr;
};

void BM_DateLinePaint(benchmark::State& state)
{
    platform::HeadlessPlatform hp;
    platform::SetPlatform(&hp);
    SetWallClock([] { return EncodeDate(2012, 4, 26) + EncodeTime(17, 36, 15, 0); });
    {
        TApplication app;
        Application->Initialize();
        TBenchForm* form = nullptr;
        Application->CreateForm(form);
        form->Show();
        Application->ProcessMessages();
        for (auto _ : state) {
            form->Clock->Paint();
            FreeDeviceContexts();
        }
    }
    SetWallClock(nullptr);
    platform::SetPlatform(nullptr);
}
BENCHMARK(BM_DateLinePaint);

// The renderer's share of the paint: the same line into a bitmap, without
// the control, the date formatting and the present.
void BM_PaintLED13(benchmark::State& state)
{
    TDcLED led;
    UseSaverSizes(led);
    TBitmap target(13 * 13, 21);
    for (auto _ : state) {
        led.PaintLED(target.Canvas(), Rect(0, 0, 169, 21), "Thu 4/26/2012", true, true);
        benchmark::DoNotOptimize(target.ScanLine(0));
    }
}
BENCHMARK(BM_PaintLED13);

// What a 13-character line costs at least: one copy of the unlit cell per character.
void BM_CellCopyRect13(benchmark::State& state)
{
    TDcLED led;
    UseSaverSizes(led);
    TBitmap target(13 * 13, 21);
    const TRect cell(0, 0, led.GetWidth(), led.GetHeight());
    for (auto _ : state) {
        for (int i = 0; i < 13; ++i)
            target.Canvas()->CopyRect(OffsetRect(cell, i * 13, 0), led.CellBitmap()->Canvas(), cell);
        benchmark::DoNotOptimize(target.ScanLine(0));
    }
}
BENCHMARK(BM_CellCopyRect13);

} // namespace

BENCHMARK_MAIN();
