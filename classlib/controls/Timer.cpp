// TTimer: a window-message timer on a hidden utility window.
#include "classlib/controls/Timer.h"

#include "classlib/controls/ControlHooks.h"
#include "classlib/system/Exceptions.h"
#include "classlib/windowing/DefWindowProc.h"
#include "classlib/windowing/WindowTimers.h"
#include "classlib/windowing/WindowTree.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner)
{
    FWindowHandle = AllocateHWnd([this](TMessage& m) { WndProc(m); });
}

TTimer::~TTimer()
{
    FEnabled = false;
    UpdateTimer();
    DeallocateHWnd(FWindowHandle);
}

void TTimer::WndProc(TMessage& message)
{
    if (message.Msg != WM_TIMER) {
        DefWindowProc(FWindowHandle, message);
        return;
    }
    try {
        Timer();
    } catch (...) {
        HandleEventException(this);
    }
}

void TTimer::UpdateTimer()
{
    KillTimer(FWindowHandle, 1);
    if (FInterval != 0 && FEnabled && FOnTimer && !Loading())
        if (SetTimer(FWindowHandle, 1, FInterval) == 0) throw EOutOfResources("No timer resources left.");
}

void TTimer::SetEnabled(bool value)
{
    if (value == FEnabled) return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(UINT value)
{
    if (value == FInterval) return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler)
{
    FOnTimer = std::move(handler);
    UpdateTimer();
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::Timer()
{
    if (FEnabled && FOnTimer) FOnTimer(this);
}
