// TGraphicControl: its canvas and its paint message.
#include "classlib/controls/GraphicControl.h"

#include "classlib/controls/WinControl.h"

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(this)
{
}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas()
{
    FCanvas.RequireHandle();
    return &FCanvas;
}

void TGraphicControl::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_PAINT) {
        WMPaint(Message);
        return;
    }
    TControl::Dispatch(Message);
}

void TGraphicControl::WMPaint(TMessage& Message)
{
    HDC dc = MessageDC(Message);
    if (!dc || Destroying()) return;
    FCanvas.PaintOn(dc, [this] { Paint(); });
}
