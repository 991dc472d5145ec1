// TApplication: the message loop, idle handling, exceptions and the title.
#include "classlib/forms/Application.h"

#include "classlib/controls/ControlRegistry.h"
#include "classlib/forms/ErrorBox.h"
#include "classlib/system/DateUtils.h"
#include "classlib/system/SysUtils.h"
#include "classlib/system/Threads.h"
#include "classlib/windowing/DefWindowProc.h"
#include "classlib/windowing/MessageQueue.h"

#include <cstdio>

TApplication* Application = nullptr;

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner)
{
    if (!Application) Application = this;
    SetMainThread(std::this_thread::get_id());
    DiscardPendingMessages();
    FTitle = TitleFromExeName(ExeName());
    if (!Screen) Screen = &Create<TScreen>();
    if (Application == this) SetEventExceptionHandler([this](TObject* sender) { HandleException(sender); });
    FHandle = AllocateHWnd([this](TMessage& m) { WndProc(m); });
    SetWakeMainThread([handle = FHandle] { PostMessage(handle, WM_NULL); });
    SetWallClock(PlatformLocalTime);
}

TApplication::~TApplication()
{
    MarkDestroying();
    DestroyComponents();
    SetWakeMainThread(nullptr);
    SetWallClock({});
    DeallocateHWnd(FHandle);
    Screen = nullptr;
    if (Application == this) {
        SetEventExceptionHandler({});
        Application = nullptr;
    }
}

void TApplication::Initialize()
{
}

HWND TApplication::Handle()
{
    return FHandle;
}

std::string TApplication::ExeName()
{
    return ExecutableFileName();
}

std::string TApplication::TitleFromExeName(const std::string& exeName)
{
    std::string name = ExtractFileName(exeName);
    const auto dot = name.find('.');
    if (dot != std::string::npos) name.resize(dot);
    if (name.size() > 1) name = name.substr(0, 1) + LowerCase(name.substr(1));
    return name;
}

void TApplication::SetMainFormIfFirst(TCustomForm* form)
{
    if (!FMainForm) FMainForm = form;
}

void TApplication::NotifyFormDestroyed(TCustomForm* form)
{
    if (FMainForm == form) FMainForm = nullptr;
}

// ---- The loop ---------------------------------------------------------------

void TApplication::Run()
{
    FRunning = true;
    FStalled = false;
    if (FMainForm) {
        if (FShowMainForm) FMainForm->SetVisible(true);
        while (!FTerminated && !FStalled) {
            try {
                HandleMessage();
            } catch (...) {
                HandleException(this);
            }
        }
    }
    FRunning = false;
}

void TApplication::Terminate()
{
    PostQuitMessage(0);
}

void TApplication::ProcessMessages()
{
    TMsg msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage()
{
    FStalled = false;
    TMsg msg;
    if (!ProcessMessage(msg)) Idle();
}

bool TApplication::ProcessMessage(TMsg& msg)
{
    if (!PeekMessage(msg)) return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    bool handled = false;
    if (OnMessage) OnMessage(msg, handled);
    if (!handled && !IsKeyMsg(msg)) {
        TranslateMessage(msg);
        DispatchMessage(msg);
    }
    FreeDeviceContexts();
    return true;
}

void TApplication::Idle()
{
    bool done = true;
    try {
        if (OnIdle) OnIdle(this, done);
    } catch (...) {
        HandleException(this);
    }
    if (CheckSynchronize()) done = false;
    if (done && WaitMessage() == TWaitOutcome::Stalled) FStalled = true;
}

bool TApplication::IsKeyMsg(TMsg& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    HWND wnd = GetCapture();
    if (!wnd) wnd = msg.hwnd;
    while (wnd && !FindControl(wnd)) wnd = IsOwnWindow(wnd) ? GetParent(wnd) : 0;
    if (!wnd) return false;
    return SendMessage(wnd, CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

void TApplication::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NULL:
        CheckSynchronize();
        break;
    case CM_RELEASE:
        // A form asked to be freed once its own message had been handled.
        if (Screen) {
            auto* form = reinterpret_cast<TCustomForm*>(message.LParam);
            for (int i = 0; i < Screen->FormCount(); ++i)
                if (Screen->Forms(i) == form) {
                    form->Free();
                    break;
                }
        }
        break;
    default:
        DefWindowProc(FHandle, message);
        break;
    }
}

// ---- Exceptions -------------------------------------------------------------

void TApplication::HandleException(TObject* Sender)
{
    std::exception_ptr error = std::current_exception();
    if (!error) return;
    try {
        try {
            std::rethrow_exception(error);
        } catch (const Exception& e) {
            if (OnException)
                OnException(Sender, e);
            else
                ShowException(e);
        } catch (const std::exception& e) {
            const Exception wrapped(e.what());
            if (OnException)
                OnException(Sender, wrapped);
            else
                ShowException(wrapped);
        } catch (...) {
            const Exception wrapped("");
            if (OnException)
                OnException(Sender, wrapped);
            else
                ShowException(wrapped);
        }
    } catch (...) {
        // Reporting must not bring the loop down.
    }
}

namespace {
// Where a character sorts against the full stop in the regional order: by its
// code, except the apostrophe, which sorts after the punctuation (a message
// ending in a quoted name, "... for 'Style'", still gets its full stop).
bool SortsAfterFullStop(char c)
{
    return c == '\'' || static_cast<unsigned char>(c) > static_cast<unsigned char>('.');
}
} // namespace

std::string ErrorBoxText(const std::string& message)
{
    if (!message.empty() && SortsAfterFullStop(message.back())) return message + ".";
    return message;
}

void TApplication::ShowException(const Exception& E)
{
    MessageBox(ErrorBoxText(E.Message()), FTitle, MB_OK | MB_ICONSTOP);
}
