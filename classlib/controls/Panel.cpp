// TCustomPanel and the 3-D frame it draws.
#include "classlib/controls/Panel.h"

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width)
{
    TBrush* brush = canvas->Brush();
    const TColor oldColor = brush->Color();
    const TBrushStyle oldStyle = brush->Style();
    brush->SetStyle(bsSolid);
    for (int i = 0; i < width && rect.Width() > 0 && rect.Height() > 0; ++i) {
        brush->SetColor(topColor);
        canvas->FillRect({rect.Left, rect.Top, rect.Right, rect.Top + 1});
        canvas->FillRect({rect.Left, rect.Top, rect.Left + 1, rect.Bottom});
        brush->SetColor(bottomColor);
        canvas->FillRect({rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom});
        canvas->FillRect({rect.Right - 1, rect.Top, rect.Right, rect.Bottom});
        rect = InflateRect(rect, -1, -1);
    }
    brush->SetColor(oldColor);
    brush->SetStyle(oldStyle);
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks |
                    csReplicatable;
    FWidth = 185;
    FHeight = 41;
    FColor = clBtnFace;
    FParentColor = false;
    FBrush.SetColor(FColor);
}

void TCustomPanel::SetAlignment(TAlignment value)
{
    if (value == FAlignment) return;
    FAlignment = value;
    Invalidate();
}

void TCustomPanel::SetVerticalAlignment(TVerticalAlignment value)
{
    if (value == FVerticalAlignment) return;
    FVerticalAlignment = value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value)
{
    if (value == FBevelInner) return;
    FBevelInner = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut value)
{
    if (value == FBevelOuter) return;
    FBevelOuter = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int value)
{
    if (value == FBevelWidth || value < 1) return;
    FBevelWidth = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int value)
{
    if (value == FBorderWidth || value < 0) return;
    FBorderWidth = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value)
{
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    Realign();
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& Rect)
{
    int inset = FBorderWidth;
    if (FBevelOuter != bvNone) inset += FBevelWidth;
    if (FBevelInner != bvNone) inset += FBevelWidth;
    if (FBorderStyle == bsSingleBorder) inset += 1;
    Rect = InflateRect(Rect, -inset, -inset);
}

void TCustomPanel::CMTextChanged(TMessage& Message)
{
    TCustomControl::CMTextChanged(Message);
    Invalidate();
}

void TCustomPanel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (FBorderStyle == bsSingleBorder) Frame3D(c, r, cl3DDkShadow, cl3DDkShadow, 1);
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        if (cut == bvSpace) {
            c->Brush()->SetColor(FColor);
            for (int i = 0; i < FBevelWidth; ++i) Frame3D(c, r, FColor, FColor, 1);
            return;
        }
        const TColor top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
        const TColor bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
        Frame3D(c, r, top, bottom, FBevelWidth);
    };
    bevel(FBevelOuter);
    Frame3D(c, r, FColor, FColor, FBorderWidth);
    bevel(FBevelInner);
    c->Brush()->SetColor(FColor);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
    if (FText.empty()) return;
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    unsigned flags = DT_EXPANDTABS | DT_SINGLELINE;
    flags |= FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    flags |= FVerticalAlignment == taVerticalCenter ? DT_VCENTER : FVerticalAlignment == taAlignBottom ? DT_BOTTOM : DT_TOP;
    c->DrawText(FText, r, flags);
}
