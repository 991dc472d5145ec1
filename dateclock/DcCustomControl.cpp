#include "dateclock/DcCustomControl.h"

#include "classlib/windowing/WindowTree.h"
#include "dateclock/DcBackground.h"

TDcCustomControl::TDcCustomControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(Left(), Top(), 100, 40);
    SetTabStop(false);
}

void TDcCustomControl::SetTransparent(bool value)
{
    if (FTransparent == value) return;
    FTransparent = value;
    SetControlStyle(value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    if (HandleAllocated() && Visible()) RecreateWnd();
}

bool TDcCustomControl::XPSupportsTransparency()
{
    return FTransparent && DcThemesActive() && FCtlXP && !DcBackBitmapCheck(this);
}

bool TDcCustomControl::CheckOptimized()
{
    return FTransparent && DcBackBitmapCheck(this);
}

void TDcCustomControl::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    // Children are clipped, and a resize repaints only what the window system invalidates.
    Params.Style |= WS_CLIPCHILDREN;
    Params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
    Params.ExStyle &= ~WS_EX_TRANSPARENT;
}

void TDcCustomControl::WMEraseBkgnd(TMessage& Message)
{
    FBackgroundPainted = false;
    if (XPSupportsTransparency()) {
        // The platform would paint the parent's background here; without
        // visual styles there is nothing to ask, and the erase still counts.
        Message.Result = 1;
        return;
    }
    if (CheckOptimized()) {
        Message.Result = 1;
        return;
    }
    TCustomControl::WMEraseBkgnd(Message);
}

void TDcCustomControl::FillControl()
{
    TCanvas* canvas = Canvas();
    const TRect client = ClientRect();
    if (CheckOptimized()) {
        DcBackDrawArea(this, canvas, client);
        return;
    }
    if (FBackgroundPainted || XPSupportsTransparency()) return;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(client);
}
