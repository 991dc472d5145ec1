// TCustomLabel: a caption painted on its parent's surface.
#include "classlib/controls/Label.h"

#include "classlib/controls/WinControl.h"

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle |= csOpaque | csReplicatable;
    FWidth = 65;
    FHeight = 17;
    FAutoSize = true;
}

void TCustomLabel::SetAlignment(TAlignment value)
{
    if (value == FAlignment) return;
    FAlignment = value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value)
{
    if (value == FLayout) return;
    FLayout = value;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value)
{
    if (value == FTransparent) return;
    FTransparent = value;
    if (value)
        FControlStyle &= ~csOpaque;
    else
        FControlStyle |= csOpaque;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool value)
{
    if (value == FWordWrap) return;
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value)
{
    if (value == FShowAccelChar) return;
    FShowAccelChar = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool value)
{
    if (value == FAutoSize) return;
    FAutoSize = value;
    AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* value)
{
    if (value == FFocusControl) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = value;
    if (value) value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == FFocusControl) FFocusControl = nullptr;
}

std::string TCustomLabel::GetLabelText()
{
    return FText;
}

void TCustomLabel::DoDrawText(TRect& Rect, unsigned Flags)
{
    std::string text = GetLabelText();
    // An empty caption still measures one blank line.
    if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&"))) text += " ";
    if (!FShowAccelChar) Flags |= DT_NOPREFIX;
    TCanvas* c = &FCanvas;
    c->Font()->Assign(Font());
    if (!FEnabled && !(Flags & DT_CALCRECT)) {
        TRect shifted = OffsetRect(Rect, 1, 1);
        c->Font()->SetColor(clBtnHighlight);
        c->DrawText(text, shifted, Flags);
        c->Font()->SetColor(clBtnShadow);
        c->DrawText(text, Rect, Flags);
        return;
    }
    c->DrawText(text, Rect, Flags);
}

void TCustomLabel::Paint()
{
    TCanvas* c = Canvas();
    const TRect client = ClientRect();
    if (!FTransparent) {
        c->Brush()->SetColor(FColor);
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(client);
    }
    c->Brush()->SetStyle(bsClear);
    unsigned flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0);
    flags |= FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    TRect r = client;
    if (FLayout != tlTop) {
        TRect measured = client;
        DoDrawText(measured, flags | DT_CALCRECT);
        const int free = client.Height() - measured.Height();
        r.Top += FLayout == tlBottom ? free : free / 2;
    }
    DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds()
{
    if (Loading() || !FAutoSize) return;
    TRect r{0, 0, FWordWrap ? FWidth : 0, 0};
    DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    int x = FLeft;
    if (FAlignment == taRightJustify) x += FWidth - r.Right;
    SetBounds(x, FTop, r.Right, r.Bottom);
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::CMTextChanged(TMessage& Message)
{
    TGraphicControl::CMTextChanged(Message);
    AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message)
{
    TGraphicControl::CMFontChanged(Message);
    AdjustBounds();
}

void TCustomLabel::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_DIALOGCHAR) {
        CMDialogChar(Message);
        return;
    }
    TGraphicControl::Dispatch(Message);
}

void TCustomLabel::CMDialogChar(TMessage& Message)
{
    if (FFocusControl && FEnabled && FShowAccelChar && IsAccel(static_cast<uint32_t>(Message.WParam), FText) &&
        FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
    }
}
