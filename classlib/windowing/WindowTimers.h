// WM_TIMER timers on the monotonic clock.
#pragma once

#include "classlib/windowing/Messages.h"

#include <cstdint>

// WM_TIMER with wParam id every `elapse` ms (at least 10) of the monotonic
// clock; 0 when the timer cannot be set (no such window, or no slot left).
uintptr_t SetTimer(HWND wnd, uintptr_t id, UINT elapse);
bool KillTimer(HWND wnd, uintptr_t id);
// Milliseconds of the monotonic clock.
DWORD GetTickCount();
int64_t MonotonicMilliseconds();
