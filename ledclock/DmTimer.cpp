// TDmTimer: ticks from a worker thread or from a window-message timer.
#include "classlib/system/Exceptions.h"
#include "classlib/windowing/DefWindowProc.h"
#include "classlib/windowing/WindowTimers.h"
#include "ledclock/Dminterface.h"
#include "ledclock/DmThreads.h"

namespace {
constexpr uintptr_t TimerId = 1;
}  // namespace

TDmTimer::TDmTimer(TComponent* AOwner) : TDmComponent(AOwner)
{
}

TDmTimer::~TDmTimer()
{
    // A tick still on its way finds the timer muted and without a handler.
    FEnabled.store(false);
    {
        std::lock_guard<std::mutex> lock(FWorkerTickLock);
        OnTimer = nullptr;
    }
    DestroyTimer();
}

void TDmTimer::SetEnabled(bool value)
{
    if (value == FEnabled.load()) return;
    FEnabled.store(value);
    if (value) UpdateTimer();
}

void TDmTimer::SetInterval(uint32_t value)
{
    if (value == FInterval) return;
    FInterval = value;
    if (Enabled()) UpdateTimer();
}

void TDmTimer::SetTimerType(TDmTimerType value)
{
    if (value == FTimerType) return;
    DestroyTimer();
    FTimerType = value;
    if (Enabled()) UpdateTimer();
}

void TDmTimer::SetPriority(TThreadPriority value)
{
    if (value == FPriority) return;
    FPriority = value;
    if (FTimerType == ttThread && Enabled()) UpdateTimer();
}

void TDmTimer::Loaded()
{
    TDmComponent::Loaded();
    UpdateTimer();
}

void TDmTimer::UpdateTimer()
{
    if (ComponentState() & csDesigning) return;
    if (!FTimerCreated) CreateTimer();
    if (FTimerType == ttSystem) {
        KillTimer(FTimerWindow, TimerId);
        if (ShouldRun() && SetTimer(FTimerWindow, TimerId, FInterval) == 0)
            throw EOutOfResources("No timer resources left.");
        return;
    }
    // The worker is held at a safe point while its wait and priority change,
    // so no tick is delivered meanwhile.
    FTimerThread->Suspend();
    FTimerThread->SetWaitTime(FInterval);
    if (ShouldRun()) {
        FTimerThread->SetPriority(FPriority);
        FTimerThread->Resume();
    }
}

void TDmTimer::CreateTimer()
{
    if (FTimerType == ttSystem) {
        FTimerWindow = Dm_AllocateHWnd([this](TMessage& message) { WndProc(message); });
    } else {
        FTimerThread = TThread::Create<TDmTimerThread>(this, false);
    }
    FTimerCreated = true;
}

void TDmTimer::DestroyTimer()
{
    if (!FTimerCreated) return;
    if (FTimerType == ttSystem) {
        KillTimer(FTimerWindow, TimerId);
        Dm_DeallocateHWnd(FTimerWindow);
        FTimerWindow = 0;
    } else {
        // Waits for the worker; a tick it handed off meanwhile runs here and,
        // with the timer muted, does nothing.
        FTimerThread->Stop();
        FTimerThread.reset();
    }
    FTimerCreated = false;
}

void TDmTimer::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_TIMER) {
        Timer();
        return;
    }
    Message.Result = DefWindowProc(FTimerWindow, Message);
}

void TDmTimer::Timer()
{
    if (!Enabled() || !OnTimer) return;
    try {
        OnTimer(this);
    } catch (...) {
        if (IsMainThread()) {
            DmReportException(this);
        } else {
            FWorkerFailure = std::current_exception();
        }
    }
}
