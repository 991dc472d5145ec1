// TControl: bounds, appearance, parent, mouse events and message dispatch.
#include "classlib/controls/Control.h"

#include "classlib/controls/ControlRegistry.h"
#include "classlib/controls/HostForm.h"
#include "classlib/controls/WinControl.h"
#include "classlib/system/Exceptions.h"
#include "classlib/windowing/WindowInput.h"
#include "classlib/windowing/WindowPaint.h"

#include <algorithm>

TShiftState KeysToShiftState(WPARAM keys)
{
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetShiftState() & ssAlt) s |= ssAlt;
    return s;
}

TShiftState KeyDataToShiftState(LPARAM keyData)
{
    TShiftState s = GetShiftState() & (ssShift | ssCtrl | ssLeft | ssRight | ssMiddle);
    if (keyData & KF_ALTDOWN_BIT) s |= ssAlt;
    return s;
}

bool IsAccel(uint32_t key, const std::string& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        auto upper = [](uint32_t c) { return c >= 'a' && c <= 'z' ? c - 32 : c; };
        return upper(static_cast<unsigned char>(caption[i + 1])) == upper(key);
    }
    return false;
}

// ---- TSizeConstraints -------------------------------------------------------

void TSizeConstraints::Changed()
{
    if (OnChange) OnChange(this);
}

void TSizeConstraints::SetMinWidth(int v)
{
    if (v == FMinWidth) return;
    FMinWidth = std::max(0, v);
    if (FMaxWidth > 0 && FMaxWidth < FMinWidth) FMaxWidth = FMinWidth;
    Changed();
}

void TSizeConstraints::SetMinHeight(int v)
{
    if (v == FMinHeight) return;
    FMinHeight = std::max(0, v);
    if (FMaxHeight > 0 && FMaxHeight < FMinHeight) FMaxHeight = FMinHeight;
    Changed();
}

void TSizeConstraints::SetMaxWidth(int v)
{
    if (v == FMaxWidth) return;
    FMaxWidth = std::max(0, v);
    if (FMaxWidth > 0 && FMinWidth > FMaxWidth) FMinWidth = FMaxWidth;
    Changed();
}

void TSizeConstraints::SetMaxHeight(int v)
{
    if (v == FMaxHeight) return;
    FMaxHeight = std::max(0, v);
    if (FMaxHeight > 0 && FMinHeight > FMaxHeight) FMinHeight = FMaxHeight;
    Changed();
}

void TSizeConstraints::Constrain(int& width, int& height) const
{
    if (FMinWidth > 0 && width < FMinWidth) width = FMinWidth;
    if (FMaxWidth > 0 && width > FMaxWidth) width = FMaxWidth;
    if (FMinHeight > 0 && height < FMinHeight) height = FMinHeight;
    if (FMaxHeight > 0 && height > FMaxHeight) height = FMaxHeight;
}

void TSizeConstraints::Assign(const TPersistent* source)
{
    if (auto* s = dynamic_cast<const TSizeConstraints*>(source)) {
        FMinWidth = s->FMinWidth;
        FMinHeight = s->FMinHeight;
        FMaxWidth = s->FMaxWidth;
        FMaxHeight = s->FMaxHeight;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

// ---- TControl ---------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner)
{
    WindowProc = [this](TMessage& m) { WndProc(m); };
    FFont.OnChange = [this](TObject*) { FontObjectChanged(); };
    FConstraints.OnChange = [this](TObject*) {
        if (!Loading()) SetBounds(FLeft, FTop, FWidth, FHeight);
    };
}

TControl::~TControl()
{
    ControlDestroyed(this);
    if (FParent) FParent->RemoveControl(this);
}

void TControl::BeforeDestruction()
{
    TComponent::BeforeDestruction();
    ControlDestroyed(this);
    if (FParent) FParent->RemoveControl(this);
}

bool TControl::IsLoadingOrDestroying() const
{
    for (const TControl* c = this; c; c = c->FParent)
        if (c->ComponentState() & (csLoading | csDestroying)) return true;
    return false;
}

bool TControl::HasParentWindow() const
{
    return FParent && FParent->HandleAllocated();
}

THostForm* TControl::HostForm() const
{
    const TControl* c = this;
    while (c->FParent) c = c->FParent;
    return dynamic_cast<THostForm*>(const_cast<TControl*>(c));
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == FParent) return;
    if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    ClampBounds(ALeft, ATop, AWidth, AHeight);
    int w = AWidth, h = AHeight;
    if (FAutoSize && !Loading()) CanAutoSize(w, h);
    FConstraints.Constrain(w, h);
    if (ALeft == FLeft && ATop == FTop && w == FWidth && h == FHeight) return;
    const bool resized = w != FWidth || h != FHeight;
    if (FVisible && HasParentWindow() && !IsLoadingOrDestroying()) {
        const TRect old = BoundsRect();
        InvalidateRect(FParent->Handle(), &old, true);
    }
    FLeft = ALeft;
    FTop = ATop;
    FWidth = w;
    FHeight = h;
    Invalidate();
    RequestAlign();
    if (resized && !Loading()) Resize();
}

void ClampBounds(int& left, int& top, int& width, int& height)
{
    constexpr int kMaxPosition = 1 << 24, kMaxSize = 32767;
    left = std::clamp(left, -kMaxPosition, kMaxPosition);
    top = std::clamp(top, -kMaxPosition, kMaxPosition);
    width = std::clamp(width, 0, kMaxSize);
    height = std::clamp(height, 0, kMaxSize);
}

TRect TControl::ClientRect()
{
    return {0, 0, FWidth, FHeight};
}

void TControl::SetClientWidth(int value)
{
    const TRect c = ClientRect();
    SetWidth(value + (FWidth - c.Width()));
}

void TControl::SetClientHeight(int value)
{
    const TRect c = ClientRect();
    SetHeight(value + (FHeight - c.Height()));
}

TPoint TControl::ClientOrigin()
{
    if (!FParent) return {FLeft, FTop};
    const TPoint p = FParent->ClientOrigin();
    return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint point)
{
    const TPoint o = ClientOrigin();
    return {point.X + o.X, point.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint point)
{
    const TPoint o = ClientOrigin();
    return {point.X - o.X, point.Y - o.Y};
}

void TControl::SetAlign(TAlign value)
{
    if (value == FAlign) return;
    const TAlign old = FAlign;
    FAlign = value;
    if (old != alNone && value == alNone) return;
    RequestAlign();
}

void TControl::RequestAlign()
{
    if (FParent) FParent->Realign();
}

void TControl::SetAutoSize(bool value)
{
    if (value == FAutoSize) return;
    FAutoSize = value;
    if (value) AdjustSize();
}

bool TControl::CanAutoSize(int&, int&)
{
    return false;
}

void TControl::AdjustSize()
{
    if (!Loading()) SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::Resize()
{
    if (OnResize) OnResize(this);
}

void TControl::Changed()
{
    Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this));
}

void TControl::Loaded()
{
    TComponent::Loaded();
    if (FParent) {
        if (FParentColor) Perform(CM_PARENTCOLORCHANGED);
        if (FParentFont) Perform(CM_PARENTFONTCHANGED);
    }
}

// ---- Appearance -------------------------------------------------------------

bool TControl::Showing() const
{
    return FVisible && FParent && FParent->Showing();
}

void TControl::SetVisible(bool value)
{
    if (value == FVisible) return;
    FVisible = value;
    Perform(CM_VISIBLECHANGED, value ? 1 : 0);
    RequestAlign();
}

void TControl::SetEnabled(bool value)
{
    if (value == FEnabled) return;
    FEnabled = value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor value)
{
    if (value != FColor) {
        FColor = value;
        FParentColor = false;
        Perform(CM_COLORCHANGED);
    } else {
        FParentColor = false;
    }
}

void TControl::SetParentColor(bool value)
{
    if (value == FParentColor) return;
    FParentColor = value;
    if (value && FParent && !Loading()) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::FontObjectChanged()
{
    if (!FUpdatingFont) FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool value)
{
    if (value == FParentFont) return;
    FParentFont = value;
    if (value && FParent && !Loading()) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetCursor(TCursor value)
{
    if (value == FCursor) return;
    FCursor = value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetText(const std::string& value)
{
    if (value == FText) return;
    FText = value;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetName(const std::string& value)
{
    const bool follow = (FControlStyle & csSetCaption) && !Loading() && Name() == FText;
    TComponent::SetName(value);
    if (follow) SetText(value);
}

// ---- Z-order ----------------------------------------------------------------

void TControl::BringToFront()
{
    if (FParent) FParent->SetZOrderOf(this, true);
}

void TControl::SendToBack()
{
    if (FParent) FParent->SetZOrderOf(this, false);
}

// ---- Messages ---------------------------------------------------------------

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage m{Msg, WParam, LParam, 0};
    if (WindowProc)
        WindowProc(m);
    else
        WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& Message)
{
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
        if (!(FControlStyle & csDoubleClicks)) {
            switch (Message.Msg) {
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDBLCLK:
            case WM_MBUTTONDBLCLK: Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN; break;
            default: break;
            }
        }
        if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) FControlState |= csLButtonDown;
        if (Message.Msg == WM_LBUTTONUP) FControlState &= ~csLButtonDown;
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(Message); break;
    case WM_LBUTTONUP: WMLButtonUp(Message); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); break;
    case WM_RBUTTONDOWN: WMRButtonDown(Message); break;
    case WM_RBUTTONUP: WMRButtonUp(Message); break;
    case WM_RBUTTONDBLCLK: WMRButtonDblClk(Message); break;
    case WM_MBUTTONDOWN: WMMButtonDown(Message); break;
    case WM_MBUTTONUP: WMMButtonUp(Message); break;
    case WM_MBUTTONDBLCLK: WMMButtonDblClk(Message); break;
    case WM_MOUSEMOVE: WMMouseMove(Message); break;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_CANCELMODE: WMCancelMode(Message); break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_TEXTCHANGED: CMTextChanged(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    case CM_COLORCHANGED: CMColorChanged(Message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); break;
    case CM_HITTEST: CMHitTest(Message); break;
    case CM_CURSORCHANGED: CMCursorChanged(Message); break;
    default: DefaultHandler(Message); break;
    }
}

void TControl::DefaultHandler(TMessage&)
{
}

bool TControl::MouseCapture() const
{
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool value)
{
    if (MouseCapture() == value) return;
    SetCaptureControl(value ? this : nullptr);
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Extra)
{
    const TPoint p = LParamToPoint(Message.LParam);
    MouseDown(Button, KeysToShiftState(Message.WParam) | Extra, p.X, p.Y);
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button)
{
    const TPoint p = LParamToPoint(Message.LParam);
    MouseUp(Button, KeysToShiftState(Message.WParam), p.X, p.Y);
}

void TControl::WMLButtonDown(TMessage& Message)
{
    if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
    if (FControlStyle & csClickEvents) FControlState |= csClicked;
    DoMouseDown(Message, mbLeft, 0);
}

void TControl::WMLButtonUp(TMessage& Message)
{
    if (FControlStyle & csCaptureMouse) SetMouseCapture(false);
    if (FControlState & csClicked) {
        FControlState &= ~csClicked;
        if (PtInRect(ClientRect(), LParamToPoint(Message.LParam))) Click();
    }
    DoMouseUp(Message, mbLeft);
}

void TControl::WMLButtonDblClk(TMessage& Message)
{
    if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
    if (FControlStyle & csClickEvents) DblClick();
    DoMouseDown(Message, mbLeft, ssDouble);
}

void TControl::WMRButtonDown(TMessage& Message)
{
    DoMouseDown(Message, mbRight, 0);
}

void TControl::WMRButtonUp(TMessage& Message)
{
    DoMouseUp(Message, mbRight);
}

void TControl::WMRButtonDblClk(TMessage& Message)
{
    DoMouseDown(Message, mbRight, ssDouble);
}

void TControl::WMMButtonDown(TMessage& Message)
{
    DoMouseDown(Message, mbMiddle, 0);
}

void TControl::WMMButtonUp(TMessage& Message)
{
    DoMouseUp(Message, mbMiddle);
}

void TControl::WMMButtonDblClk(TMessage& Message)
{
    DoMouseDown(Message, mbMiddle, ssDouble);
}

void TControl::WMMouseMove(TMessage& Message)
{
    const TPoint p = LParamToPoint(Message.LParam);
    MouseMove(KeysToShiftState(Message.WParam), p.X, p.Y);
}

void TControl::WMMouseWheel(TMessage& Message)
{
    const TShiftState shift = KeysToShiftState(LOWORD(Message.WParam));
    const int delta = GET_WHEEL_DELTA_WPARAM(Message.WParam);
    Message.Result = DoMouseWheel(shift, delta, LParamToPoint(Message.LParam)) ? 1 : 0;
}

void TControl::WMCancelMode(TMessage&)
{
    SetMouseCapture(false);
    FControlState &= ~csClicked;
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (!handled) {
        if (WheelDelta < 0 && OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
        if (WheelDelta > 0 && OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    }
    return handled;
}

void TControl::Click()
{
    if (OnClick) OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

// A notification of the control itself travels up to its parents, marked
// with the control it came from.
void TControl::CMMouseEnter(TMessage& Message)
{
    if (FParent) FParent->Perform(CM_MOUSEENTER, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
}

void TControl::CMMouseLeave(TMessage& Message)
{
    if (FParent) FParent->Perform(CM_MOUSELEAVE, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
}

void TControl::CMFontChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMTextChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMEnabledChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMColorChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage&)
{
    if (!HasParentWindow() || IsLoadingOrDestroying()) return;
    const TRect r = BoundsRect();
    InvalidateRect(FParent->Handle(), &r, true);
}

void TControl::CMParentColorChanged(TMessage&)
{
    if (FParentColor && FParent) {
        SetColor(FParent->Color());
        FParentColor = true;
    }
}

void TControl::CMParentFontChanged(TMessage&)
{
    if (FParentFont && FParent) {
        FUpdatingFont = true;
        try {
            FFont.Assign(FParent->Font());
        } catch (...) {
            FUpdatingFont = false;
            throw;
        }
        FUpdatingFont = false;
        FParentFont = true;
    }
}

void TControl::CMHitTest(TMessage& Message)
{
    Message.Result = HTCLIENT;
}

void TControl::CMCursorChanged(TMessage&)
{
    // A pointer resting on the control takes the new shape without waiting for a move.
    if (Loading() || GetCapture()) return;
    TPoint point;
    GetCursorPos(point);
    if (FindDragTarget(point, true) == this) RefreshPointerShape();
}
