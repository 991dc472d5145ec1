// The WM_TIMER timers that are set, on the monotonic clock.
#pragma once

#include "classlib/windowing/Messages.h"
#include "classlib/windowing/private/Guard.h"

#include <vector>

struct TTimerEntry {
    HWND Window = 0;
    uintptr_t Id = 0;
    uint32_t Period = 0;
    int64_t Due = 0;
};

std::vector<TTimerEntry>& Timers();
// The timer due first at `now`, or nullptr.
TTimerEntry* DueTimer(int64_t now);
// Milliseconds until the next timer is due, at most maxWaitMs.
uint32_t TimeToNextTimer(int64_t now, uint32_t maxWaitMs);
void DropTimersOf(HWND wnd);
