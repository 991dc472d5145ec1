// TCustomForm and TForm: top-level windows that hold controls, keep the
// focus, close and run modally.
#pragma once

#include "classlib/controls/ControlCanvas.h"
#include "classlib/controls/HostForm.h"
#include "classlib/controls/WinControl.h"

#include <functional>

enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIconFlag : uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = uint8_t;
enum TPosition : uint8_t {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter,
};
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl, public THostForm {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    // Raises OnCreate (an exception there is shown and creation goes on), then
    // shows the form when it is Visible.
    void AfterConstruction() override;
    void BeforeDestruction() override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value);
    bool KeyPreview() const override { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }
    bool OldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool value) { FOldCreateOrder = value; }
    bool Scaled() const { return FScaled; }
    void SetScaled(bool value) { FScaled = value; }
    // Stored only: colour-key transparency is not asked of the platform.
    bool TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(bool value) { FTransparentColor = value; }
    TColor TransparentColorValue() const { return FTransparentColorValue; }
    void SetTransparentColorValue(TColor value) { FTransparentColorValue = value; }
    // Outside loading, the client size needs the window: it is created here.
    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;

    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* control);
    // Moves the focus to control (raising CM_EXIT / CM_ENTER along the way).
    void FocusControl(TWinControl* control) override;
    // Records the focused control and sends CM_EXIT/CM_ENTER; false when refused.
    bool SetFocusedControl(TWinControl* control) override;
    bool Active() const { return FActive; }
    // A control of the form is going away (or can no longer have the focus): forget it.
    void FocusedControlGone(TWinControl* control) override;
    TWinControl* FormControl() override { return this; }

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    // Shows the form and runs the loop until ModalResult is set (other forms disabled meanwhile).
    int ShowModal();
    // OnCloseQuery, then OnClose with caHide (the main form: the application terminates).
    void Close();
    bool CloseQuery();
    // Frees the form after the current message.
    void Release();
    TCanvas* Canvas();
    void SetFocus() override;
    void SetVisible(bool value) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();
    virtual void Paint();
    void PaintWindow(HDC dc) override;
    void Loaded() override;
    TControlCanvas* ControlCanvas() override { return &FCanvas; }

    virtual void WMActivate(TMessage& Message);
    virtual void WMClose(TMessage& Message);
    virtual void WMSysCommand(TMessage& Message);
    virtual void CMRelease(TMessage& Message);
    void WMNCDestroy(TMessage& Message) override;
    void CMShowingChanged(TMessage& Message) override;
    void CMDialogKey(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;

    TControlCanvas FCanvas;

private:
    void PlaceWindow(TCreateParams& Params);
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TFormStyle FFormStyle = fsNormal;
    bool FKeyPreview = false;
    bool FOldCreateOrder = false;
    bool FScaled = true;
    bool FTransparentColor = false;
    TColor FTransparentColorValue = 0;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    bool FActive = false;
    TModalResult FModalResult = mrNone;
    bool FInModal = false;
    bool FCreating = false;  // until AfterConstruction: Visible only records
    int FPendingClientWidth = -1;
    int FPendingClientHeight = -1;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// The form control is on (or control itself when it is a form), or nullptr.
TCustomForm* GetParentForm(const TControl* control);
