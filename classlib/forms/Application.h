// TApplication (the global Application): the message loop, idle handling,
// exceptions shown in the standard error box, and the title.
#pragma once

#include "classlib/forms/Form.h"
#include "classlib/forms/Screen.h"
#include "classlib/system/Exceptions.h"

#include <atomic>
#include <functional>
#include <new>
#include <string>

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
