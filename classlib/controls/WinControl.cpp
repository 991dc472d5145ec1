// TWinControl: its window, children, painting and window messages.
#include "classlib/controls/WinControl.h"

#include "classlib/controls/Control.h"
#include "classlib/controls/ControlHooks.h"
#include "classlib/controls/ControlRegistry.h"
#include "classlib/controls/HostForm.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/OSError.h"
#include "classlib/system/SysUtils.h"
#include "classlib/windowing/DefWindowProc.h"
#include "classlib/windowing/DeviceContext.h"
#include "classlib/windowing/WindowPaint.h"
#include "classlib/windowing/WindowTree.h"

#include <algorithm>

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner)
{
    FBrush.SetColor(FColor);
}

TWinControl::~TWinControl()
{
    if (FHandle) DestroyHandle();
    for (TControl* c : FControls) c->FParent = nullptr;
    for (TWinControl* c : FWinControls) c->FParent = nullptr;
}

void TWinControl::BeforeDestruction()
{
    TComponent::BeforeDestruction();
    if (FParent) {
        THostForm* form = HostForm();
        if (form && form->FormControl() != this) form->FocusedControlGone(this);
    }
    if (FHandle) DestroyHandle();
    // Children go with their parent, whoever owns them.
    while (ControlCount() > 0) {
        TControl* child = Controls(ControlCount() - 1);
        RemoveControl(child);
        if (!child->Destroying()) child->Free();
    }
    TControl::BeforeDestruction();
}

// ---- The window -------------------------------------------------------------

HWND TWinControl::Handle()
{
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded()
{
    if (FHandle) return;
    if (FParent) FParent->HandleNeeded();
    CreateHandle();
}

void TWinControl::CreateHandle()
{
    if (FHandle || FCreatingHandle) return;
    FCreatingHandle = true;
    try {
        CreateWnd();
    } catch (...) {
        FCreatingHandle = false;
        throw;
    }
    FCreatingHandle = false;
    if (!FHandle) return;
    // Stack the window among its siblings in list order.
    if (FParent) {
        HWND above = 0;
        auto& list = FParent->FWinControls;
        auto it = std::find(list.begin(), list.end(), this);
        for (auto next = it == list.end() ? it : it + 1; next != list.end(); ++next)
            if ((*next)->HandleAllocated()) {
                above = (*next)->FHandle;
                break;
            }
        if (above) SetWindowPos(FHandle, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params = TCreateParams{};
    Params.Caption = FText;
    Params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (FTabStop) Params.Style |= WS_TABSTOP;
    if (!FEnabled) Params.Style |= WS_DISABLED;
    Params.X = FLeft;
    Params.Y = FTop;
    Params.Width = FWidth;
    Params.Height = FHeight;
    Params.WndParent = FParent ? FParent->Handle() : FParentWindow;
    Params.WindowClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if (!params.WndParent && (params.Style & WS_CHILD))
        throw EInvalidOperation(Format("Control '%s' has no parent window", Name()));
    CreateWindowHandle(params);
    if (!FHandle) RaiseLastOSError();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params)
{
    const HWND h = ::CreateWindowHandle(Params, [this](TMessage& m) { MainWndProc(m); });
    if (h && !FHandle) {
        FHandle = h;
        RegisterControlWindow(h, this);
    }
}

void TWinControl::DestroyWnd()
{
    const HWND h = FHandle;
    if (!h) return;
    ::DestroyWindow(h);
    if (FHandle == h) {
        UnregisterControlWindow(h);
        FHandle = 0;
        FShowing = false;
    }
}

void TWinControl::DestroyHandle()
{
    if (!FHandle) return;
    // Children's windows go with ours; they forget them first.
    for (TWinControl* c : FWinControls) c->DestroyHandle();
    FControlState |= csDestroyingHandle;
    try {
        DestroyWnd();
    } catch (...) {
        FControlState &= ~csDestroyingHandle;
        throw;
    }
    FControlState &= ~csDestroyingHandle;
}

void TWinControl::RecreateWnd()
{
    if (!FHandle) return;
    DestroyHandle();
    UpdateControlState();
}

void TWinControl::SetParentWindow(HWND value)
{
    if (FParent || value == FParentWindow) return;
    if (FHandle && value) {
        FParentWindow = value;
        ::SetParent(FHandle, value);
    } else {
        DestroyHandle();
        FParentWindow = value;
    }
    UpdateControlState();
}

void TWinControl::MainWndProc(TMessage& Message)
{
    // The window's first messages arrive before CreateWindowHandle returns.
    if (!FHandle) {
        FHandle = CreatingWindow();
        RegisterControlWindow(FHandle, this);
    }
    try {
        if (WindowProc)
            WindowProc(Message);
        else
            WndProc(Message);
    } catch (...) {
        HandleEventException(this);
    }
}

// ---- Geometry ---------------------------------------------------------------

TRect TWinControl::ClientRect()
{
    if (FHandle) {
        TRect r;
        ::GetClientRect(FHandle, r);
        return r;
    }
    return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin()
{
    if (FHandle) {
        TPoint p{0, 0};
        ::ClientToScreen(FHandle, p);
        return p;
    }
    return TControl::ClientOrigin();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    ClampBounds(ALeft, ATop, AWidth, AHeight);
    int w = AWidth, h = AHeight;
    if (FAutoSize && !Loading()) CanAutoSize(w, h);
    FConstraints.Constrain(w, h);
    if (ALeft == FLeft && ATop == FTop && w == FWidth && h == FHeight) return;
    const bool resized = w != FWidth || h != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = w;
    FHeight = h;
    if (FHandle) SetWindowPos(FHandle, 0, FLeft, FTop, FWidth, FHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    RequestAlign();
    if (resized) {
        Realign();
        if (!Loading()) Resize();
    }
}

// ---- Children ---------------------------------------------------------------

TControl* TWinControl::Controls(int index) const
{
    const size_t i = static_cast<size_t>(index);
    if (i < FControls.size()) return FControls[i];
    return FWinControls.at(i - FControls.size());
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

void TWinControl::InsertControl(TControl* control)
{
    if (!control || control->FParent == this) return;
    if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && windowed->ContainsControl(this))
        throw EInvalidOperation("A control cannot have itself or one of its children as its parent");
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 1);
    control->FParent = this;
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        FWinControls.push_back(windowed);
        FTabList.push_back(windowed);
    } else {
        FControls.push_back(control);
    }
    control->Perform(CM_PARENTCOLORCHANGED);
    control->Perform(CM_PARENTFONTCHANGED);
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        windowed->UpdateControlState();
    } else if (HandleAllocated()) {
        control->Invalidate();
    }
    if (control->Align() != alNone) Realign();
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 1);
}

void TWinControl::RemoveControl(TControl* control)
{
    if (!control || control->FParent != this) return;
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 0);
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        if (THostForm* form = HostForm()) form->FocusedControlGone(windowed);
        windowed->DestroyHandle();
        std::erase(FWinControls, windowed);
        std::erase(FTabList, windowed);
    } else {
        if (HandleAllocated() && control->Visible() && !IsLoadingOrDestroying()) {
            const TRect r = control->BoundsRect();
            InvalidateRect(FHandle, &r, true);
        }
        std::erase(FControls, control);
    }
    control->FParent = nullptr;
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 0);
    if (control->Align() != alNone) Realign();
}

void TWinControl::SetZOrderOf(TControl* control, bool topmost)
{
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        std::erase(FWinControls, windowed);
        if (topmost)
            FWinControls.push_back(windowed);
        else
            FWinControls.insert(FWinControls.begin(), windowed);
        if (windowed->HandleAllocated())
            SetWindowPos(windowed->FHandle, topmost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    }
    std::erase(FControls, control);
    if (topmost)
        FControls.push_back(control);
    else
        FControls.insert(FControls.begin(), control);
    control->Invalidate();
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allWindows)
{
    auto hit = [&](TControl* c) {
        if (!c->Visible() || (!allowDisabled && !c->Enabled())) return false;
        if (!PtInRect(c->BoundsRect(), pos)) return false;
        return c->Perform(CM_HITTEST, 0, PointToLParam({pos.X - c->Left(), pos.Y - c->Top()})) != 0;
    };
    if (allWindows)
        for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
            if (hit(*it)) return *it;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (hit(*it)) return *it;
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message)
{
    for (int i = 0; i < ControlCount(); ++i) {
        if (Destroying()) return;
        Controls(i)->WindowProc(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::PaintControls(HDC dc, TControl* first)
{
    if (!dc) return;
    size_t i = 0;
    if (first) {
        auto it = std::find(FControls.begin(), FControls.end(), first);
        i = it == FControls.end() ? 0 : static_cast<size_t>(it - FControls.begin());
    }
    for (; i < FControls.size(); ++i) {
        TControl* c = FControls[i];
        if (!c->Visible()) continue;
        const TDeviceContext child = OffsetDeviceContext(*dc, c->Left(), c->Top(), c->Width(), c->Height());
        if (IsRectEmpty(child.Clip)) continue;
        c->Perform(WM_PAINT, DCToWParam(const_cast<TDeviceContext*>(&child)));
    }
}

// ---- Alignment --------------------------------------------------------------

void TWinControl::DisableAlign()
{
    ++FAlignLevel;
}

void TWinControl::EnableAlign()
{
    if (--FAlignLevel == 0 && (FControlState & csAlignmentNeeded)) Realign();
}

void TWinControl::Realign()
{
    if (FAlignLevel != 0 || Loading() || Destroying()) {
        FControlState |= csAlignmentNeeded;
        return;
    }
    DisableAlign();
    FControlState &= ~csAlignmentNeeded;
    TRect r = ClientRect();
    AlignControls(nullptr, r);
    --FAlignLevel;
    if (FControlState & csAlignmentNeeded) {
        // A child changed while we aligned: once more, with the new sizes.
        FControlState &= ~csAlignmentNeeded;
        DisableAlign();
        TRect again = ClientRect();
        AlignControls(nullptr, again);
        --FAlignLevel;
        FControlState &= ~csAlignmentNeeded;
    }
}

void TWinControl::AdjustClientRect(TRect&)
{
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    AdjustClientRect(Rect);
    std::vector<TControl*> list;
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        list.clear();
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (c->Align() == align && c->Visible()) list.push_back(c);
        }
        // Order along the edge they stack against; the control that asked goes first among equals.
        std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) {
            switch (align) {
            case alTop: return a->Top() < b->Top() || (a->Top() == b->Top() && a == AControl);
            case alBottom: return a->Top() + a->Height() > b->Top() + b->Height() ||
                                  (a->Top() + a->Height() == b->Top() + b->Height() && a == AControl);
            case alLeft: return a->Left() < b->Left() || (a->Left() == b->Left() && a == AControl);
            case alRight: return a->Left() + a->Width() > b->Left() + b->Width() ||
                                 (a->Left() + a->Width() == b->Left() + b->Width() && a == AControl);
            default: return false;
            }
        });
        for (TControl* c : list) {
            const int w = std::max(0, Rect.Width()), h = std::max(0, Rect.Height());
            switch (align) {
            case alTop:
                c->SetBounds(Rect.Left, Rect.Top, w, c->Height());
                Rect.Top += c->Height();
                break;
            case alBottom:
                Rect.Bottom -= c->Height();
                c->SetBounds(Rect.Left, Rect.Bottom, w, c->Height());
                break;
            case alLeft:
                c->SetBounds(Rect.Left, Rect.Top, c->Width(), h);
                Rect.Left += c->Width();
                break;
            case alRight:
                Rect.Right -= c->Width();
                c->SetBounds(Rect.Right, Rect.Top, c->Width(), h);
                break;
            case alClient: c->SetBounds(Rect.Left, Rect.Top, w, h); break;
            default: break;
            }
        }
    }
}

// ---- Showing ----------------------------------------------------------------

void TWinControl::SetParent(TWinControl* AParent)
{
    if (AParent == FParent) return;
    if (!AParent && FHandle && !FParentWindow) DestroyHandle();
    TControl::SetParent(AParent);
}

void TWinControl::SetVisible(bool value)
{
    if (value == FVisible) return;
    TControl::SetVisible(value);
    UpdateControlState();
}

void TWinControl::UpdateControlState()
{
    TWinControl* c = this;
    while (c->FParent) {
        c = c->FParent;
        if (!c->Showing()) return;
    }
    if (dynamic_cast<THostForm*>(c) || c->FParentWindow) UpdateShowing();
}

void TWinControl::UpdateShowing()
{
    const bool show = FVisible && !IsLoadingOrDestroying();
    if (show) {
        if (!FHandle) CreateHandle();
        for (size_t i = 0; i < FWinControls.size(); ++i) FWinControls[i]->UpdateShowing();
    }
    if (FHandle && FShowing != show) {
        FShowing = show;
        try {
            Perform(CM_SHOWINGCHANGED);
        } catch (...) {
            FShowing = !show;
            throw;
        }
        for (size_t i = 0; i < FWinControls.size(); ++i) FWinControls[i]->UpdateShowing();
    }
}

void TWinControl::CMShowingChanged(TMessage&)
{
    SetWindowPos(FHandle, 0, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMRecreateWnd(TMessage&)
{
    RecreateWnd();
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    Realign();
}

// ---- Messages ---------------------------------------------------------------

bool TWinControl::IsControlMouseMsg(TMessage& Message)
{
    TControl* target = nullptr;
    if (GetCapture() == FHandle) {
        TControl* captured = GetCaptureControl();
        if (captured && captured != this && captured->Parent() == this) target = captured;
    } else {
        target = ControlAtPos(LParamToPoint(Message.LParam), false);
    }
    if (Message.Msg == WM_MOUSEMOVE) {
        TPoint screen = LParamToPoint(Message.LParam);
        ::ClientToScreen(FHandle, screen);
        TrackMouseControl(target ? target : FindDragTarget(screen, false));
    }
    if (!target) return false;
    const TPoint p = LParamToPoint(Message.LParam);
    Message.Result = target->Perform(Message.Msg, Message.WParam, PointToLParam({p.X - target->Left(), p.Y - target->Top()}));
    return true;
}

void TWinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
        if (THostForm* form = HostForm(); form && !form->SetFocusedControl(this)) return;
        break;
    case WM_KILLFOCUS:
        if (FControlState & csFocusing) return;
        break;
    case WM_MOUSELEAVE:
        TrackMouseControl(nullptr);
        return;
    default:
        if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL) {
            if (IsControlMouseMsg(Message)) return;
        }
        break;
    }
    TControl::WndProc(Message);
}

void TWinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    case WM_NCHITTEST: WMNCHitTest(Message); break;
    case WM_NCCALCSIZE: WMNCCalcSize(Message); break;
    case WM_SETCURSOR: WMSetCursor(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case WM_KEYDOWN: WMKeyDown(Message); break;
    case WM_KEYUP: WMKeyUp(Message); break;
    case WM_SYSKEYDOWN: WMSysKeyDown(Message); break;
    case WM_SYSKEYUP: WMSysKeyUp(Message); break;
    case WM_CHAR: WMChar(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case WM_MOVE: WMMove(Message); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); break;
    case WM_NCDESTROY: WMNCDestroy(Message); break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: CNKeyDown(Message); break;
    case CN_KEYUP: CNKeyUp(Message); break;
    case CN_CHAR: CNChar(Message); break;
    case CN_SYSCHAR: CNSysChar(Message); break;
    case CM_DIALOGKEY: CMDialogKey(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    case CM_ENTER: CMEnter(Message); break;
    case CM_EXIT: CMExit(Message); break;
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); break;
    case CM_RECREATEWND: CMRecreateWnd(Message); break;
    default: TControl::Dispatch(Message); break;
    }
}

void TWinControl::DefaultHandler(TMessage& Message)
{
    if (FHandle) {
        ::DefWindowProc(FHandle, Message);
        return;
    }
    // Broadcasts need no window.
    if (Message.Msg == CM_DIALOGKEY || Message.Msg == CM_DIALOGCHAR) return;
}

void TWinControl::PaintHandler(TMessage& Message)
{
    HDC dc = MessageDC(Message);
    if (!dc) {
        if (FHandle) UpdateWindow(FHandle);
        return;
    }
    PaintWindow(dc);
    PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(HDC)
{
}

void TWinControl::WMPaint(TMessage& Message)
{
    PaintHandler(Message);
}

void TWinControl::WMEraseBkgnd(TMessage& Message)
{
    if (HDC dc = MessageDC(Message)) FillDCRect(dc, ClientRect(), FColor);
    Message.Result = 1;
}

void TWinControl::WMNCPaint(TMessage& Message)
{
    DefaultHandler(Message);
}

void TWinControl::WMNCHitTest(TMessage& Message)
{
    DefaultHandler(Message);
}

void TWinControl::WMNCCalcSize(TMessage& Message)
{
    DefaultHandler(Message);
}

void TWinControl::WMSetCursor(TMessage& Message)
{
    const int hit = static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(Message.LParam)));
    if (static_cast<HWND>(Message.WParam) == FHandle && hit == HTCLIENT) {
        TScreenCursors* screen = ScreenCursors();
        TCursor cursor = screen ? screen->Cursor() : crDefault;
        if (cursor == crDefault) {
            TPoint p;
            GetCursorPos(p);
            TControl* c = ControlAtPos(ScreenToClient(p), false);
            // A control with the default cursor shows its parent's.
            for (TControl* x = c ? c : this; x && cursor == crDefault; x = x->Parent()) cursor = x->Cursor();
        }
        if (cursor != crDefault) {
            ::SetCursor(screen ? screen->Cursors(cursor) : LoadCursor(0, IDC_ARROW));
            Message.Result = 1;
            return;
        }
    }
    DefaultHandler(Message);
}

void TWinControl::WMSize(TMessage& Message)
{
    DefaultHandler(Message);
}

void TWinControl::WMMove(TMessage& Message)
{
    DefaultHandler(Message);
}

void TWinControl::WMWindowPosChanged(TMessage& Message)
{
    // The window moved or resized itself (or the platform did): follow it.
    if (FHandle) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
        if (pos) {
            const bool resized = pos->cx != FWidth || pos->cy != FHeight;
            FLeft = pos->x;
            FTop = pos->y;
            FWidth = pos->cx;
            FHeight = pos->cy;
            if (resized) Realign();
        }
    }
    DefaultHandler(Message);
}

void TWinControl::WMNCDestroy(TMessage& Message)
{
    DefaultHandler(Message);
    if (FHandle) UnregisterControlWindow(FHandle);
    FHandle = 0;
    FShowing = false;
}

void TWinControl::WMGetDlgCode(TMessage& Message)
{
    DefaultHandler(Message);
}

void TWinControl::CMColorChanged(TMessage& Message)
{
    FBrush.SetColor(FColor);
    TMessage notify{CM_PARENTCOLORCHANGED, 0, 0, 0};
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->WindowProc(notify);
    TControl::CMColorChanged(Message);
}

void TWinControl::CMFontChanged(TMessage& Message)
{
    TMessage notify{CM_PARENTFONTCHANGED, 0, 0, 0};
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->WindowProc(notify);
    TControl::CMFontChanged(Message);
}

void TWinControl::CMTextChanged(TMessage& Message)
{
    if (FHandle) SetWindowText(FHandle, FText);
    TControl::CMTextChanged(Message);
}

void TWinControl::CMEnabledChanged(TMessage& Message)
{
    if (!FEnabled) {
        if (THostForm* form = HostForm(); form && form->FormControl() != this) form->FocusedControlGone(this);
    }
    if (FHandle) EnableWindow(FHandle, FEnabled);
    TControl::CMEnabledChanged(Message);
}
