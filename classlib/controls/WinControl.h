// TWinControl: a control with a window of its own, children, focus and keyboard.
#pragma once

#include "classlib/controls/Control.h"
#include "classlib/windowing/WindowTree.h"

#include <string>
#include <vector>

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    void BeforeDestruction() override;

    // ---- The window ---------------------------------------------------------
    // The window handle, created on demand (HandleNeeded).
    HWND Handle();
    bool HandleAllocated() const { return FHandle != 0; }
    void HandleNeeded();
    // Destroys the window (children too); it is made again when needed.
    void DestroyHandle();
    // Destroys and re-creates the window when it exists.
    void RecreateWnd();
    // A foreign (or our own) window to live in while the control has no parent control.
    HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND value);
    TRect ClientRect() override;
    TPoint ClientOrigin() override;
    bool Showing() const override { return FShowing; }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // ---- Children -----------------------------------------------------------
    // Non-windowed children first (paint order), then windowed ones (bottom to top).
    int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
    TControl* Controls(int index) const;
    bool ContainsControl(const TControl* control) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // The visible (and enabled, unless allowDisabled) non-windowed child at a
    // client point, topmost first; with allWindows windowed children count too.
    TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allWindows = false);
    void DisableAlign();
    void EnableAlign();
    void Realign();
    // Paints the non-windowed children on dc (the window's context), from
    // `first` on (nullptr: all), in creation order.
    void PaintControls(HDC dc, TControl* first);
    void Broadcast(TMessage& Message);

    // ---- Focus and keyboard -------------------------------------------------
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    int TabOrder() const;
    void SetTabOrder(int value);
    virtual bool CanFocus();
    bool Focused();
    virtual void SetFocus();
    // The next (or previous) control in tab order after current among this
    // control's descendants; nullptr when none.
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent);
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    // Tab-order list of the descendants.
    void GetTabOrderList(std::vector<TWinControl*>& list);

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    void SetParent(TWinControl* AParent) override;
    void SetVisible(bool value) override;

protected:
    friend class TControl;
    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void DestroyWnd();
    // Sets up the new window (after CreateWnd made it): children's windows, bounds.
    virtual void CreateHandle();
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    virtual void AdjustClientRect(TRect& Rect);
    virtual void PaintWindow(HDC dc);
    // Paint message: paints the window (PaintWindow) and then the non-windowed children.
    void PaintHandler(TMessage& Message);
    virtual void KeyDown(uint16_t& Key, TShiftState Shift);
    virtual void KeyUp(uint16_t& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual bool DoKeyDown(TMessage& Message);
    virtual bool DoKeyUp(TMessage& Message);
    virtual bool DoKeyPress(TMessage& Message);
    virtual void DoEnter();
    virtual void DoExit();
    void Loaded() override;
    void UpdateControlState();
    void UpdateShowing();
    void PaintOnParent(HDC dc) override;

    virtual void WMPaint(TMessage& Message);
    virtual void WMEraseBkgnd(TMessage& Message);
    virtual void WMNCPaint(TMessage& Message);
    virtual void WMNCHitTest(TMessage& Message);
    virtual void WMNCCalcSize(TMessage& Message);
    virtual void WMSetCursor(TMessage& Message);
    virtual void WMSetFocus(TMessage& Message);
    virtual void WMKillFocus(TMessage& Message);
    virtual void WMKeyDown(TMessage& Message);
    virtual void WMKeyUp(TMessage& Message);
    virtual void WMSysKeyDown(TMessage& Message);
    virtual void WMSysKeyUp(TMessage& Message);
    virtual void WMChar(TMessage& Message);
    virtual void WMSize(TMessage& Message);
    virtual void WMMove(TMessage& Message);
    virtual void WMWindowPosChanged(TMessage& Message);
    virtual void WMNCDestroy(TMessage& Message);
    virtual void WMGetDlgCode(TMessage& Message);
    virtual void CNKeyDown(TMessage& Message);
    virtual void CNKeyUp(TMessage& Message);
    virtual void CNChar(TMessage& Message);
    virtual void CNSysChar(TMessage& Message);
    virtual void CMDialogKey(TMessage& Message);
    virtual void CMDialogChar(TMessage& Message);
    virtual void CMEnter(TMessage& Message);
    virtual void CMExit(TMessage& Message);
    virtual void CMShowingChanged(TMessage& Message);
    virtual void CMRecreateWnd(TMessage& Message);
    void CMColorChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;

    HWND FHandle = 0;
    HWND FParentWindow = 0;
    bool FShowing = false;
    bool FTabStop = false;
    int FAlignLevel = 0;
    TBrush FBrush;
    std::vector<TControl*> FControls;       // non-windowed children, in paint order
    std::vector<TWinControl*> FWinControls; // windowed children, bottom to top
    std::vector<TWinControl*> FTabList;     // windowed children in tab order

private:
    void MainWndProc(TMessage& Message);
    bool IsControlMouseMsg(TMessage& Message);
    void SetZOrderOf(TControl* control, bool topmost);
    bool FCreatingHandle = false;
};
