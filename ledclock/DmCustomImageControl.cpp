// The windowed counterparts: the same repaint rules and one off-screen bitmap,
// without a transparent mode.
#include "ledclock/DmControls.h"
#include "ledclock/DmSysUtils.h"

TDmCustomControl::TDmCustomControl(TComponent* AOwner) : TDmControlBase<TCustomControl>(AOwner)
{
}

TDmCustomImageControl::TDmCustomImageControl(TComponent* AOwner) : TDmCustomControl(AOwner)
{
}

void TDmCustomImageControl::ClearBitmapCanvas()
{
    if (FOffscreen.Width() != Width() || FOffscreen.Height() != Height()) FOffscreen.SetSize(Width(), Height());
    TCanvas* canvas = FOffscreen.Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(BitmapRect(FOffscreen));
}

void TDmCustomImageControl::Paint()
{
    const TRect whole(0, 0, Width(), Height());
    FCanvas.CopyRect(whole, FOffscreen.Canvas(), whole);
}
