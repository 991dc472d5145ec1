// The timers that are set.
#include "classlib/windowing/private/TimerTable.h"

#include <algorithm>
#include <vector>

std::vector<TTimerEntry>& Timers()
{
    static std::vector<TTimerEntry> timers;
    return timers;
}

TTimerEntry* DueTimer(int64_t now)
{
    TTimerEntry* due = nullptr;
    for (TTimerEntry& t : Timers())
        if (t.Due <= now && (!due || t.Due < due->Due)) due = &t;
    return due;
}

uint32_t TimeToNextTimer(int64_t now, uint32_t maxWaitMs)
{
    uint32_t timeout = maxWaitMs;
    for (const TTimerEntry& t : Timers()) {
        const int64_t wait = std::max<int64_t>(0, t.Due - now);
        timeout = static_cast<uint32_t>(std::min<int64_t>(timeout, wait));
    }
    return timeout;
}

void DropTimersOf(HWND wnd)
{
    std::erase_if(Timers(), [&](const TTimerEntry& t) { return t.Window == wnd; });
}
