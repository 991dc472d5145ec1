// WM_TIMER timers on the monotonic clock.
#include "classlib/windowing/WindowTimers.h"

#include "classlib/system/OSError.h"
#include "classlib/windowing/private/TimerTable.h"
#include "classlib/windowing/private/WindowObject.h"

#include <algorithm>
#include <vector>

namespace {
constexpr size_t kMaxTimers = 1024;
constexpr uint32_t kMinTimerPeriod = 10;
}  // namespace

int64_t MonotonicMilliseconds()
{
    return Platform().MonotonicMs();
}

DWORD GetTickCount()
{
    return static_cast<DWORD>(MonotonicMilliseconds());
}

uintptr_t SetTimer(HWND wnd, uintptr_t id, UINT elapse)
{
    std::vector<TTimerEntry>& timers = Timers();
    if (!FindWindowObject(wnd)) {
        SetLastError(platform::kErrorInvalidWindowHandle);
        return 0;
    }
    const uint32_t period = std::clamp<uint32_t>(elapse, kMinTimerPeriod, 0x7FFFFFFFu);
    const int64_t due = MonotonicMilliseconds() + period;
    for (TTimerEntry& t : timers) {
        if (t.Window == wnd && t.Id == id) {
            t.Period = period;
            t.Due = due;
            return id ? id : 1;
        }
    }
    if (timers.size() >= kMaxTimers) {
        SetLastError(platform::kErrorNotEnoughMemory);
        return 0;
    }
    if (timers.capacity() == 0) timers.reserve(64);
    timers.push_back({wnd, id, period, due});
    return id ? id : 1;
}

bool KillTimer(HWND wnd, uintptr_t id)
{
    auto& timers = Timers();
    const auto before = timers.size();
    std::erase_if(timers, [&](const TTimerEntry& t) { return t.Window == wnd && t.Id == id; });
    return timers.size() != before;
}
