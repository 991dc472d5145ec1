// The shared timer pool: a fixed table of slots behind one window timer.
#include "classlib/system/Exceptions.h"
#include "classlib/windowing/DefWindowProc.h"
#include "classlib/windowing/WindowTimers.h"
#include "classlib/windowing/WindowTree.h"
#include "dateclock/DcTimer.h"

#include <algorithm>

namespace {

struct TSlot {
    TDcTimer* Timer = nullptr;
    uint32_t Interval = 0;
    uint32_t Elapsed = 0;
};

struct TPool {
    TSlot Slots[DcTimerPool::Capacity];
    HWND Window = 0;
    int Count = 0;

    void Tick()
    {
        // A timer's handler may add or remove timers; the fixed table keeps
        // every slot valid while walking it.
        for (TSlot& slot : Slots) {
            if (!slot.Timer) continue;
            slot.Elapsed += DcTimerPool::Granularity;
            if (slot.Elapsed < slot.Interval) continue;
            slot.Elapsed = 0;
            slot.Timer->Timer();
        }
    }
};

TPool& Pool()
{
    static TPool pool;
    return pool;
}

constexpr uintptr_t PoolTimerId = 1;

} // namespace

void DcTimerPool::Add(TDcTimer* timer, uint32_t interval)
{
    TPool& pool = Pool();
    TSlot* free = nullptr;
    for (TSlot& slot : pool.Slots)
        if (!slot.Timer) {
            free = &slot;
            break;
        }
    if (!free) throw EOutOfResources("Not enough timers available");
    if (!pool.Window) {
        pool.Window = AllocateHWnd([](TMessage& m) {
            if (m.Msg == WM_TIMER) Pool().Tick();
            else m.Result = DefWindowProc(Pool().Window, m);
        });
    }
    if (pool.Count == 0 && SetTimer(pool.Window, PoolTimerId, Granularity) == 0)
        throw EOutOfResources("Not enough timers available");
    const uint64_t steps = (uint64_t{interval} + Granularity - 1) / Granularity;
    const auto rounded = static_cast<uint32_t>(std::min<uint64_t>(steps * Granularity, UINT32_MAX / Granularity * Granularity));
    *free = TSlot{timer, rounded, 0};
    ++pool.Count;
}

void DcTimerPool::Remove(TDcTimer* timer)
{
    TPool& pool = Pool();
    for (TSlot& slot : pool.Slots)
        if (slot.Timer == timer) {
            slot = TSlot{};
            if (--pool.Count == 0) KillTimer(pool.Window, PoolTimerId);
        }
}
