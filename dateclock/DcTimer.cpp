#include "dateclock/DcTimer.h"

#include "classlib/system/Exceptions.h"
#include "classlib/windowing/DefWindowProc.h"
#include "classlib/windowing/WindowTimers.h"
#include "classlib/windowing/WindowTree.h"

namespace {
constexpr uintptr_t TimerId = 1;
}

TDcTimer::TDcTimer()
{
    UpdateTimer();
}

TDcTimer::~TDcTimer()
{
    if (FGlobal) DcTimerPool::Remove(this);
    if (FWindow) DeallocateHWnd(FWindow);
}

void TDcTimer::SetInterval(uint32_t value)
{
    if (FInterval == value) return;
    FInterval = value;
    UpdateTimer();
}

void TDcTimer::SetEnabled(bool value)
{
    if (FEnabled == value) return;
    FEnabled = value;
    UpdateTimer();
}

void TDcTimer::SetGlobal(bool value)
{
    if (FGlobal == value) return;
    if (FRunning) {
        if (FGlobal) DcTimerPool::Remove(this);
        else KillTimer(FWindow, TimerId);
        FRunning = false;
    }
    FGlobal = value;
    UpdateTimer();
}

void TDcTimer::UpdateTimer()
{
    if (FRunning) {
        if (FGlobal) DcTimerPool::Remove(this);
        else KillTimer(FWindow, TimerId);
        FRunning = false;
    }
    if (!FEnabled || FInterval == 0) return;
    if (FGlobal) {
        DcTimerPool::Add(this, FInterval);
    } else {
        if (!FWindow) FWindow = AllocateHWnd([this](TMessage& m) { WndProc(m); });
        if (SetTimer(FWindow, TimerId, FInterval) == 0) throw EOutOfResources("No timer resources left.");
    }
    FRunning = true;
}

void TDcTimer::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_TIMER) {
        Timer();
        return;
    }
    Message.Result = DefWindowProc(FWindow, Message);
}

void TDcTimer::Timer()
{
    if (FEnabled && OnTimer) OnTimer(this);
}
