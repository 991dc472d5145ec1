// The shared part of the non-windowed and windowed control bases.
#include "ledclock/DmControls.h"
#include "ledclock/DmHandCursor.h"

TDmComponent::TDmComponent(TComponent* AOwner) : TComponent(AOwner)
{
}

template <class TBase>
TDmControlBase<TBase>::TDmControlBase(TComponent* AOwner) : TBase(AOwner)
{
    // The family's hand pointer is there as soon as the first control exists.
    RegisterDmHandCursor();
}

template <class TBase>
void TDmControlBase<TBase>::UpdateControlCanvas()
{
    if (Loading() || FUpdateNesting != 0) return;
    this->Repaint();
}

template <class TBase>
void TDmControlBase<TBase>::EndUpdate()
{
    --FUpdateNesting;
    UpdateControlCanvas();
}

template <class TBase>
void TDmControlBase<TBase>::ClearClientCanvas()
{
    TCanvas* canvas = this->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(this->Color());
    canvas->FillRect(this->ClientRect());
}

template <class TBase>
void TDmControlBase<TBase>::MouseEnter()
{
    if (OnMouseEnter) OnMouseEnter(this);
}

template <class TBase>
void TDmControlBase<TBase>::MouseLeave()
{
    if (OnMouseLeave) OnMouseLeave(this);
}

template <class TBase>
void TDmControlBase<TBase>::FontChanged()
{
    if (OnFontChanged) OnFontChanged(this);
}

template <class TBase>
void TDmControlBase<TBase>::TextChanged()
{
    if (OnTextChanged) OnTextChanged(this);
}

template <class TBase>
void TDmControlBase<TBase>::CMMouseEnter(TMessage& Message)
{
    TBase::CMMouseEnter(Message);
    MouseEnter();
}

template <class TBase>
void TDmControlBase<TBase>::CMMouseLeave(TMessage& Message)
{
    TBase::CMMouseLeave(Message);
    MouseLeave();
}

template <class TBase>
void TDmControlBase<TBase>::CMFontChanged(TMessage& Message)
{
    TBase::CMFontChanged(Message);
    FontChanged();
}

template <class TBase>
void TDmControlBase<TBase>::CMTextChanged(TMessage& Message)
{
    TBase::CMTextChanged(Message);
    TextChanged();
}

template class TDmControlBase<TGraphicControl>;
template class TDmControlBase<TCustomControl>;
