// TCustomControl: its canvas and its paint.
#include "classlib/controls/CustomControl.h"

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(this)
{
}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas()
{
    FCanvas.RequireHandle();
    return &FCanvas;
}

void TCustomControl::PaintWindow(HDC dc)
{
    FCanvas.PaintOn(dc, [this] { Paint(); });
}
