#include "tests/app/VelmoraSession.h"

#include "app/SettingsStore.h"
#include "app/VelmoraMain.h"
#include "classlib/forms/Application.h"
#include "classlib/windowing/DefWindowProc.h"
#include "classlib/windowing/WindowTimers.h"
#include "classlib/windowing/WindowTree.h"
#include "tests/support/TestPlatform.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace {
constexpr uintptr_t kGuardTimer = 0xFFFF;
}

TVelmoraSession::TVelmoraSession()
{
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) FSavedConfig = old;
    setenv("XDG_CONFIG_HOME", (FFolder / "config").c_str(), 1);
    std::filesystem::create_directories(FFolder / "bin");
    SetExecutablePathOverride(FFolder / "bin/velmora");
    platform::SetPlatform(&Platform);
}

TVelmoraSession::~TVelmoraSession()
{
    platform::SetPlatform(&TestPlatform());
    SetExecutablePathOverride("");
    if (FSavedConfig)
        setenv("XDG_CONFIG_HOME", FSavedConfig->c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

std::string TVelmoraSession::Hex8(int value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(value));
    return text;
}

void TVelmoraSession::WriteStyleKey(const std::string& valueLines)
{
    std::filesystem::create_directories(FFolder / "config/velmora");
    WriteText(FFolder / "config/velmora/HKEY_LOCAL_MACHINE.reg",
              "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quorvex\\Screensaver]\n" + valueLines);
}

void TVelmoraSession::WriteSettingsFile(const std::string& text)
{
    WriteText(FFolder / "bin/Zundera.ini", text);
}

TRunResult TVelmoraSession::Run(const std::vector<std::string>& arguments, const std::function<void()>& beforeLoop,
                                int guardMs)
{
    std::vector<std::string> all{FFolder / "bin/velmora"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all) argv.push_back(argument.data());
    argv.push_back(nullptr);

    const size_t boxesBefore = Platform.MessageBoxes().size();
    TRunResult result;
    FGuardFired = false;
    result.ExitCode = VelmoraMain(static_cast<int>(all.size()), argv.data(), [&] {
        result.LoopStarted = true;
        FTimerWindow = AllocateHWnd([this](TMessage& message) { TimerProc(message); });
        SetTimer(FTimerWindow, kGuardTimer, static_cast<UINT>(std::max(guardMs, 10)));
        if (beforeLoop) beforeLoop();
    });
    result.EndedByItself = result.LoopStarted && !FGuardFired;
    if (FTimerWindow) DeallocateHWnd(FTimerWindow);
    FTimerWindow = 0;
    FActions.clear();
    const auto& boxes = Platform.MessageBoxes();
    for (size_t i = boxesBefore; i < boxes.size(); ++i) result.Boxes.push_back(boxes[i].text);
    return result;
}

void TVelmoraSession::At(int ms, std::function<void()> action)
{
    const uintptr_t id = FNextTimer++;
    FActions.emplace_back(id, std::move(action));
    SetTimer(FTimerWindow, id, static_cast<UINT>(std::max(ms, 10)));
}

void TVelmoraSession::AfterEachPass(std::function<void(int pass)> watcher)
{
    TIdleEvent previous = Application->OnIdle;
    auto passes = std::make_shared<int>(0);
    Application->OnIdle = [previous, watcher, passes](TObject* Sender, bool& Done) {
        if (previous) previous(Sender, Done);
        watcher(++*passes);
    };
}

platform::WindowId TVelmoraSession::MainWindow() const
{
    TCustomForm* form = Application ? Application->MainForm() : nullptr;
    return form && form->HandleAllocated() ? NativeWindowOf(form->Handle()) : 0;
}

void TVelmoraSession::TimerProc(TMessage& message)
{
    if (message.Msg != WM_TIMER) {
        DefWindowProc(FTimerWindow, message);
        return;
    }
    const uintptr_t id = message.WParam;
    KillTimer(FTimerWindow, id);
    if (id == kGuardTimer) {
        FGuardFired = true;
        Application->Terminate();
        return;
    }
    const auto found = std::find_if(FActions.begin(), FActions.end(), [id](const auto& a) { return a.first == id; });
    if (found == FActions.end()) return;
    const std::function<void()> action = std::move(found->second);
    FActions.erase(found);
    action();
}
