// Repaint requests of controls painted by their parent.
#include "classlib/controls/Control.h"
#include "classlib/controls/WinControl.h"
#include "classlib/windowing/WindowPaint.h"

void TControl::Invalidate()
{
    if (!FVisible || !HasParentWindow() || IsLoadingOrDestroying()) return;
    const TRect r = BoundsRect();
    // An opaque control covers its area itself: the parent need not erase it.
    InvalidateRect(FParent->Handle(), &r, !(FControlStyle & csOpaque));
}

void TControl::Update()
{
    if (FParent) FParent->Update();
}

void TControl::PaintOnParent(HDC dc)
{
    if (FParent) FParent->PaintControls(dc, this);
}

void TControl::Repaint()
{
    if (!FVisible || !HasParentWindow() || IsLoadingOrDestroying()) return;
    if (FControlStyle & csOpaque) {
        // Straight onto the parent's surface: this control and the later
        // non-windowed siblings overlapping it, nothing of the parent beneath.
        PaintClientNow(FParent->Handle(), BoundsRect(), [this](HDC dc) { PaintOnParent(dc); });
    } else {
        Invalidate();
        Update();
    }
}
