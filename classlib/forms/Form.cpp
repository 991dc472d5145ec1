// TCustomForm: a top-level window with border styles, placement, focus
// management, closing and modal showing.
#include "classlib/forms/Form.h"

#include "classlib/forms/Application.h"
#include "classlib/system/SysUtils.h"
#include "classlib/windowing/MessageQueue.h"
#include "classlib/windowing/SystemMetrics.h"

#include <algorithm>

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner), FCanvas(this)
{
    FVisible = false;
    FControlStyle |= csAcceptsControls;
    FColor = clBtnFace;
    FBrush.SetColor(FColor);
    FParentColor = false;
    FParentFont = false;
    FWidth = 320;
    FHeight = 240;
    FCreating = true;
    if (Screen) Screen->FForms.push_back(this);
}

TCustomForm::~TCustomForm()
{
    // Free what the form owns while the form part of it is still whole.
    MarkDestroying();
    DestroyComponents();
    if (Screen) {
        std::erase(Screen->FForms, this);
        if (Screen->FActiveForm == this) Screen->FActiveForm = nullptr;
    }
    if (Application) Application->NotifyFormDestroyed(this);
}

void TCustomForm::AfterConstruction()
{
    FCreating = false;
    try {
        DoCreate();
    } catch (...) {
        // A failing creation handler is reported; the form is still made.
        HandleEventException(this);
    }
    if (FVisible) {
        FVisible = false;
        SetVisible(true);
    }
}

void TCustomForm::BeforeDestruction()
{
    if (!Destroying()) {
        try {
            DoDestroy();
        } catch (...) {
            HandleEventException(this, TUnhandled::Ignore);
        }
    }
    TWinControl::BeforeDestruction();
    if (Screen) {
        std::erase(Screen->FForms, this);
        if (Screen->FActiveForm == this) Screen->FActiveForm = nullptr;
    }
    if (Application) Application->NotifyFormDestroyed(this);
}

// ---- Properties -------------------------------------------------------------

void TCustomForm::SetBorderStyle(TFormBorderStyle value)
{
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value)
{
    if (value == FBorderIcons) return;
    FBorderIcons = value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle value)
{
    if (value == FFormStyle) return;
    FFormStyle = value;
    if (HandleAllocated())
        SetWindowPos(FHandle, value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState value)
{
    if (value == FWindowState) return;
    FWindowState = value;
    if (!HandleAllocated() || !FShowing) return;
    switch (value) {
    case wsMinimized: ShowWindow(FHandle, SW_MINIMIZE); break;
    case wsMaximized: ShowWindow(FHandle, SW_SHOWMAXIMIZED); break;
    case wsNormal: ShowWindow(FHandle, SW_RESTORE); break;
    }
}

namespace {
// The client size of the form's frame, before its window exists.
TRect EstimatedClient(TCustomForm& form, int width, int height)
{
    uint32_t style = 0, exStyle = 0;
    switch (form.BorderStyle()) {
    case bsNone: style = WS_POPUP; break;
    case bsSingle:
    case bsToolWindow: style = WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: style = WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        style = WS_POPUP | WS_CAPTION;
        exStyle = WS_EX_DLGMODALFRAME;
        break;
    }
    return CalcClientRect(style, exStyle, form.ParentWindow() == 0, {0, 0, width, height});
}
}  // namespace

void TCustomForm::SetClientWidth(int value)
{
    if (Loading()) {
        // Applied once loaded, with the border style the description ends with.
        FPendingClientWidth = value;
        const TRect c = EstimatedClient(*this, FWidth, FHeight);
        SetWidth(value + FWidth - c.Width());
        return;
    }
    // The client area is the window's: the window is made here if need be.
    HandleNeeded();
    TWinControl::SetClientWidth(value);
}

void TCustomForm::SetClientHeight(int value)
{
    if (Loading()) {
        FPendingClientHeight = value;
        const TRect c = EstimatedClient(*this, FWidth, FHeight);
        SetHeight(value + FHeight - c.Height());
        return;
    }
    HandleNeeded();
    TWinControl::SetClientHeight(value);
}

void TCustomForm::Loaded()
{
    TWinControl::Loaded();
    if (FPendingClientWidth >= 0) {
        const TRect c = EstimatedClient(*this, FWidth, FHeight);
        SetWidth(FPendingClientWidth + FWidth - c.Width());
    }
    if (FPendingClientHeight >= 0) {
        const TRect c = EstimatedClient(*this, FWidth, FHeight);
        SetHeight(FPendingClientHeight + FHeight - c.Height());
    }
    FPendingClientWidth = FPendingClientHeight = -1;
}

TCanvas* TCustomForm::Canvas()
{
    FCanvas.RequireHandle();
    return &FCanvas;
}

// ---- The window -------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.WndParent = FParentWindow;
    if (!FParentWindow) Params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
    const bool child = FParentWindow != 0;
    switch (FBorderStyle) {
    case bsNone:
        if (!child) Params.Style |= WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow: Params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        if (!child) Params.Style |= WS_POPUP;
        Params.Style |= WS_CAPTION;
        Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (FBorderStyle != bsNone && (FBorderIcons & biSystemMenu)) {
        Params.Style |= WS_SYSMENU;
        if (FBorderStyle != bsDialog) {
            if (FBorderIcons & biMinimize) Params.Style |= WS_MINIMIZEBOX;
            if (FBorderIcons & biMaximize) Params.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
    PlaceWindow(Params);
}

void TCustomForm::PlaceWindow(TCreateParams& Params)
{
    TRect area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    switch (FPosition) {
    case poDefault:
    case poDefaultPosOnly:
        Params.X = 0;
        Params.Y = 0;
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* main = Application ? Application->MainForm() : nullptr;
        if (main && main != this && main->HandleAllocated()) GetWindowRect(main->FHandle, area);
        [[fallthrough]];
    }
    case poScreenCenter:
    case poDesktopCenter:
        Params.X = area.Left + (area.Width() - Params.Width) / 2;
        Params.Y = area.Top + (area.Height() - Params.Height) / 2;
        break;
    default: break;
    }
    FLeft = Params.X;
    FTop = Params.Y;
}

void TCustomForm::CreateWnd()
{
    TWinControl::CreateWnd();
}

void TCustomForm::SetVisible(bool value)
{
    if (FCreating) {
        FVisible = value;
        return;
    }
    TWinControl::SetVisible(value);
}

void TCustomForm::CMShowingChanged(TMessage&)
{
    if (FShowing) {
        try {
            DoShow();
        } catch (...) {
            HandleEventException(this, TUnhandled::Ignore);
        }
        int command = SW_SHOWNORMAL;
        if (FWindowState == wsMaximized) command = SW_SHOWMAXIMIZED;
        if (FWindowState == wsMinimized) command = SW_SHOWMINIMIZED;
        ShowWindow(FHandle, command);
    } else {
        try {
            DoHide();
        } catch (...) {
            HandleEventException(this, TUnhandled::Ignore);
        }
        ShowWindow(FHandle, SW_HIDE);
    }
}

// ---- Events -----------------------------------------------------------------

void TCustomForm::DoCreate()
{
    if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy()
{
    if (OnDestroy) OnDestroy(this);
}

void TCustomForm::DoShow()
{
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Activate()
{
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate()
{
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::Paint()
{
    if (OnPaint) OnPaint(this);
}

void TCustomForm::PaintWindow(HDC dc)
{
    FCanvas.PaintOn(dc, [this] { Paint(); });
}

// ---- Closing ----------------------------------------------------------------

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close()
{
    if (FInModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
    } else if (action == caHide) {
        Hide();
    } else if (action == caMinimize) {
        SetWindowState(wsMinimized);
    } else {
        Release();
    }
}

void TCustomForm::Release()
{
    if (Application) PostMessage(Application->Handle(), CM_RELEASE, 0, reinterpret_cast<LPARAM>(this));
}

void TCustomForm::CMRelease(TMessage&)
{
    Release();
}

int TCustomForm::ShowModal()
{
    if (FVisible || !FEnabled || FInModal) throw EInvalidOperation("Cannot make a visible window modal");
    std::vector<TCustomForm*> disabled;
    if (Screen) {
        for (TCustomForm* f : Screen->FForms) {
            if (f == this || !f->HandleAllocated() || !IsWindowEnabled(f->FHandle)) continue;
            EnableWindow(f->FHandle, false);
            disabled.push_back(f);
        }
    }
    auto restore = [&] {
        for (TCustomForm* f : disabled)
            if (Screen && std::find(Screen->FForms.begin(), Screen->FForms.end(), f) != Screen->FForms.end() && f->HandleAllocated())
                EnableWindow(f->FHandle, true);
    };
    FInModal = true;
    FModalResult = mrNone;
    if (Application) Application->ModalStarted();
    try {
        Show();
        while (FModalResult == mrNone) {
            Application->HandleMessage();
            if (Application->Terminated() || Application->Stalled() || !HandleAllocated()) FModalResult = mrCancel;
        }
    } catch (...) {
        FInModal = false;
        if (Application) Application->ModalFinished();
        restore();
        throw;
    }
    const TModalResult result = FModalResult;
    restore();
    Hide();
    FInModal = false;
    if (Application) Application->ModalFinished();
    return result;
}

// ---- Focus ------------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control == FActiveControl) return;
    if (control && !(control != this && GetParentForm(control) == this && (Loading() || control->CanFocus())))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FActiveControl = control;
    if (!Loading() && FActive && control) ::SetFocus(control->Handle());
}

void TCustomForm::FocusControl(TWinControl* control)
{
    SetActiveControl(control);
    if (!FActive && control && FVisible && FEnabled) ::SetFocus(control->Handle());
}

void TCustomForm::SetFocus()
{
    if (!FVisible || !FEnabled) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ::SetFocus(FActiveControl && FActiveControl->CanFocus() ? FActiveControl->Handle() : Handle());
}

bool TCustomForm::SetFocusedControl(TWinControl* control)
{
    if (!control) return false;
    FActiveControl = control == this ? nullptr : control;
    if (Screen) Screen->FActiveForm = this;
    if (control->ControlState() & csFocusing) return false;
    control->SetControlState(control->ControlState() | csFocusing);
    try {
        if (!FFocusedControl) FFocusedControl = this;
        // Leave the controls that do not hold the new one, then enter down to it.
        while (FFocusedControl && !FFocusedControl->ContainsControl(control)) {
            TWinControl* leaving = FFocusedControl;
            FFocusedControl = FFocusedControl->Parent();
            leaving->Perform(CM_EXIT);
        }
        while (FFocusedControl && FFocusedControl != control) {
            TWinControl* step = control;
            while (step->Parent() != FFocusedControl) step = step->Parent();
            FFocusedControl = step;
            step->Perform(CM_ENTER);
        }
        if (!FFocusedControl) FFocusedControl = control;
    } catch (...) {
        control->SetControlState(control->ControlState() & ~csFocusing);
        throw;
    }
    control->SetControlState(control->ControlState() & ~csFocusing);
    return true;
}

void TCustomForm::FocusedControlGone(TWinControl* control)
{
    if (control->ContainsControl(FFocusedControl)) FFocusedControl = control->Parent();
    if (control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
}

// ---- Messages ---------------------------------------------------------------

void TCustomForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ACTIVATE: WMActivate(Message); break;
    case WM_CLOSE: WMClose(Message); break;
    case WM_SYSCOMMAND: WMSysCommand(Message); break;
    case CM_RELEASE: CMRelease(Message); break;
    default: TWinControl::Dispatch(Message); break;
    }
}

void TCustomForm::WMActivate(TMessage& Message)
{
    const bool active = LOWORD(Message.WParam) != WA_INACTIVE;
    if (active == FActive) return;
    FActive = active;
    if (active) {
        if (Screen) Screen->FActiveForm = this;
        if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
        if (FActiveControl && !FActiveControl->CanFocus()) FActiveControl = nullptr;
        ::SetFocus(FActiveControl ? FActiveControl->Handle() : FHandle);
        Activate();
    } else {
        Deactivate();
    }
}

void TCustomForm::WMClose(TMessage&)
{
    Close();
}

void TCustomForm::WMSysCommand(TMessage& Message)
{
    DefaultHandler(Message);
}

void TCustomForm::WMSetFocus(TMessage& Message)
{
    TWinControl::WMSetFocus(Message);
}

void TCustomForm::WMNCDestroy(TMessage& Message)
{
    const bool fromOutside = !(FControlState & csDestroyingHandle) && !Destroying();
    TWinControl::WMNCDestroy(Message);
    FActive = false;
    // The window went away under us (its foreign parent was destroyed): a
    // main form without a window can never close, so the program ends.
    if (fromOutside && Application && Application->MainForm() == this) Application->Terminate();
}

void TCustomForm::CMDialogKey(TMessage& Message)
{
    if (!(GetShiftState() & ssAlt)) {
        switch (Message.WParam) {
        case VK_TAB:
            if (!(GetShiftState() & ssCtrl)) {
                // Only a control to move to makes Tab a dialog key.
                if (TWinControl* next = FindNextControl(FActiveControl, !(GetShiftState() & ssShift), true, false)) {
                    next->SetFocus();
                    Message.Result = 1;
                    return;
                }
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (FActiveControl && FActiveControl->Parent()) {
                FActiveControl->Parent()->SelectNext(FActiveControl, Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
                Message.Result = 1;
                return;
            }
            break;
        default: break;
        }
    }
    TWinControl::CMDialogKey(Message);
}

TCustomForm* GetParentForm(const TControl* control)
{
    return control ? dynamic_cast<TCustomForm*>(control->HostForm()) : nullptr;
}
