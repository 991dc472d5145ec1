// The non-windowed base: bounds re-applied on request, the design frame.
#include "ledclock/DmControls.h"
#include "ledclock/DmSysUtils.h"

TDmGraphicControl::TDmGraphicControl(TComponent* AOwner) : TDmControlBase<TGraphicControl>(AOwner)
{
}

void TDmGraphicControl::AdjustControlSize()
{
    const TRect before = BoundsRect();
    if (!Loading()) SetBounds(Left(), Top(), Width(), Height());
    // A change of bounds has repainted already.
    if (CompareRect(BoundsRect(), before)) UpdateControlCanvas();
}

void TDmGraphicControl::UpdateControlBounds()
{
    switch (Align()) {
    case alNone:
    case alTop:
    case alBottom:
    case alLeft:
    case alRight:
        if (AutoSize()) {
            AdjustControlSize();
            return;
        }
        break;
    default:
        break;
    }
    UpdateControlCanvas();
}

void TDmGraphicControl::ShowDesignFrame(TCanvas* canvas)
{
    if (!Designing() || !canvas) return;
    canvas->Pen()->SetColor(clBlack);
    canvas->Pen()->SetStyle(psDot);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Rectangle(0, 0, Width(), Height());
}
