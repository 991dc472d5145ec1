// Forms and the application: TCustomForm/TForm (top-level windows), the
// application object with the message loop (global Application), the screen
// object with the cursor table (global Screen), and the standard message box.
#pragma once

#include "classlib/controls/ControlHooks.h"
#include "classlib/controls/Controls.h"
#include "classlib/controls/HostForm.h"
#include "classlib/system/System.h"

#include <atomic>
#include <map>
#include <new>
#include <string>
#include <vector>

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

// ---- The screen -------------------------------------------------------------

class TScreen : public TComponent, public TScreenCursors {
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;
    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;
    int WorkAreaLeft() const { return WorkAreaRect().Left; }
    int WorkAreaTop() const { return WorkAreaRect().Top; }
    int WorkAreaWidth() const { return WorkAreaRect().Width(); }
    int WorkAreaHeight() const { return WorkAreaRect().Height(); }
    // The cursor table: an id's pointer (unknown ids give the arrow); setting registers one.
    HCURSOR Cursors(TCursor id) const override;
    void SetCursors(TCursor id, HCURSOR cursor);
    // A pointer for every window while not crDefault (e.g. crHourGlass).
    TCursor Cursor() const override { return FCursor; }
    void SetCursor(TCursor value);
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int index) const { return FForms.at(static_cast<size_t>(index)); }
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const;

private:
    friend class TCustomForm;
    std::map<TCursor, HCURSOR> FCursors;
    TCursor FCursor = crDefault;
    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
};

extern TScreen* Screen;

// ---- The application --------------------------------------------------------

using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TMessageEvent = std::function<void(TMsg& Msg, bool& Handled)>;
using TExceptionEvent = std::function<void(TObject* Sender, const Exception& E)>;

// One per process, on the main thread: constructing it sets the globals
// Application and Screen, destroying it frees every form it owns.
class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner = nullptr);
    ~TApplication() override;

    void Initialize();
    // Constructs a T owned by the application, storing it in reference before
    // its constructor runs; the first form created becomes the main form.
    template <typename T>
    void CreateForm(T*& reference);
    // Shows the main form and handles messages until Terminate (closing the
    // main form terminates). Exceptions of handlers are shown and the loop goes on.
    void Run();
    // Handles every pending message (including timers and paints), then returns.
    void ProcessMessages();
    // Handles one message; with none pending goes idle (OnIdle) and, when Done
    // stays true, waits for the next one.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return FTerminated.load(); }
    // True when the headless backend reported that nothing could ever arrive; Run returns then.
    bool Stalled() const { return FStalled; }
    // Call inside a catch block: shows the exception in the standard error box.
    void HandleException(TObject* Sender);
    // The standard error box: the message (with "." appended when it is not
    // empty and its last character sorts after "."), the title as caption, an
    // error icon and OK. Also written as one line to standard error.
    void ShowException(const Exception& E);
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    TCustomForm* MainForm() const { return FMainForm; }
    // The hidden window that receives the wake-up of handed-off calls.
    HWND Handle();
    // By default derived from the executable's file name: the folder removed,
    // cut at the first ".", every character after the first lower-cased.
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value) { FTitle = value; }
    // The running executable's full path.
    static std::string ExeName();
    static std::string TitleFromExeName(const std::string& exeName);
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool value) { FShowMainForm = value; }
    int ModalLevel() const { return FModalLevel; }

    TIdleEvent OnIdle;
    TMessageEvent OnMessage;
    TExceptionEvent OnException;

    // Used by the loop and by forms.
    bool ProcessMessage(TMsg& msg);
    void ModalStarted() { ++FModalLevel; }
    void ModalFinished() { --FModalLevel; }
    void NotifyFormDestroyed(TCustomForm* form);

private:
    void Idle();
    bool IsKeyMsg(TMsg& msg);
    void WndProc(TMessage& message);
    void SetMainFormIfFirst(TCustomForm* form);

    TCustomForm* FMainForm = nullptr;
    HWND FHandle = 0;
    std::string FTitle;
    std::atomic<bool> FTerminated{false};  // worker threads look at it
    bool FStalled = false;
    bool FShowMainForm = true;
    bool FRunning = false;
    int FModalLevel = 0;
    bool FShowingException = false;
};

extern TApplication* Application;

template <typename T>
void TApplication::CreateForm(T*& reference)
{
    // The global must hold the form while its constructor runs.
    void* storage = ::operator new(sizeof(T));
    T* form = static_cast<T*>(storage);
    reference = form;
    try {
        ::new (storage) T(this);
    } catch (...) {
        reference = nullptr;
        ::operator delete(storage);
        throw;
    }
    try {
        form->AfterConstruction();
    } catch (...) {
        reference = nullptr;
        form->Free();
        throw;
    }
    SetMainFormIfFirst(form);
}

// The standard error box's text for a message: "." appended when the message
// is not empty and its last character sorts after ".".
std::string ErrorBoxText(const std::string& message);

// The form control is on (or control itself when it is a form), or nullptr.
TCustomForm* GetParentForm(const TControl* control);
