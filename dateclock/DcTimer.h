// TDcTimer: a window-message timer, either with a window timer of its own or
// served by the process's shared timer pool (one window timer for many).
#pragma once

#include "classlib/system/Classes.h"
#include "classlib/windowing/Messages.h"

#include <cstdint>

class TDcTimer : public TObject {
public:
    TDcTimer();
    ~TDcTimer() override;
    TDcTimer(const TDcTimer&) = delete;
    TDcTimer& operator=(const TDcTimer&) = delete;

    uint32_t Interval() const { return FInterval; }
    void SetInterval(uint32_t value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    // Served by the shared pool instead of a window timer of its own.
    bool Global() const { return FGlobal; }
    void SetGlobal(bool value);

    TNotifyEvent OnTimer;

    // Called by the pool, or by the own window timer's message.
    void Timer();

private:
    // Stops whatever serves the timer and starts what the settings ask for.
    // Raises EOutOfResources when no window timer or pool slot is left.
    void UpdateTimer();
    void WndProc(TMessage& Message);

    uint32_t FInterval = 1000;
    bool FEnabled = true;
    bool FGlobal = false;
    HWND FWindow = 0;
    bool FRunning = false;
};

// The shared pool: one window timer ticking every 50 ms serves every
// registered timer; intervals are rounded up to a multiple of 50 ms.
namespace DcTimerPool {
constexpr uint32_t Granularity = 50;
constexpr int Capacity = 64;
// Registers the timer; raises EOutOfResources "Not enough timers available"
// when every slot is taken.
void Add(TDcTimer* timer, uint32_t interval);
void Remove(TDcTimer* timer);
} // namespace DcTimerPool
