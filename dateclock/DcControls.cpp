#include "dateclock/DcControls.h"

TDcControl::TDcControl(TComponent* AOwner) : TGraphicControl(AOwner) {}

void TDcControl::EndUpdate(bool notify)
{
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount == 0 && notify) GetChange(nullptr);
}

void TDcControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const TRect before = BoundsRect();
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (Loading()) return;
    TDcBoundsChanges changes;
    if (Left() != before.Left || Top() != before.Top) changes.Include(bcMoved);
    if (Width() != before.Width() || Height() != before.Height()) changes.Include(bcResized);
    if (!changes.Empty()) BoundsChange(changes);
}

void TDcControl::GetChange(TObject*)
{
    if (!Updating()) Invalidate();
}

TDcBaseGraphicControl::TDcBaseGraphicControl(TComponent* AOwner) : TDcBaseControl(AOwner)
{
    SetControlStyle(ControlStyle() & ~csOpaque);
    SetBounds(Left(), Top(), 30, 30);
}

void TDcBaseGraphicControl::SetTransparent(bool value)
{
    if (FTransparent == value) return;
    FTransparent = value;
    SetControlStyle(value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    GetChange(nullptr);
}

TDcGraphicControl::TDcGraphicControl(TComponent* AOwner) : TDcBaseGraphicControl(AOwner)
{
    FBevel.OnChange = [this](TObject* sender) { GetChange(sender); };
}
