// The headless backend's fake time: clocks, waits, events and threads.
//
// FRunning counts the program's threads that are not blocked in one of our
// waits. When it drops to zero nothing can happen any more until time passes,
// so the last thread to block moves the clock to the earliest deadline and
// ends the waits that reach it. A wait with no deadline while every thread is
// blocked is a stall: the main thread's event wait reports it.
#include "platform/headless/HeadlessPlatform.h"

#include <algorithm>
#include <climits>
#include <ctime>

namespace platform {

namespace {
// Set on threads started by a headless backend, so their waits count.
thread_local const HeadlessPlatform* tlsOwner = nullptr;

constexpr int64_t kNoDeadline = INT64_MAX;

int64_t DeadlineAfter(int64_t now, uint32_t timeoutMs)
{
    return timeoutMs == kInfinite ? kNoDeadline : now + timeoutMs;
}
}  // namespace

bool HeadlessPlatform::IsCounted() const
{
    return std::this_thread::get_id() == FMainThread || tlsOwner == this;
}

void HeadlessPlatform::WakeWaiter(Waiter& waiter, WaitResult result)
{
    if (waiter.woken) return;
    waiter.woken = true;
    waiter.result = result;
    if (waiter.counted) ++FRunning;
    waiter.wakeUp.notify_one();
}

void HeadlessPlatform::Block(std::unique_lock<std::mutex>& lock, Waiter& waiter)
{
    FWaiters.push_back(&waiter);
    if (waiter.counted) StopRunning(lock);
    waiter.wakeUp.wait(lock, [&] { return waiter.woken; });
    FWaiters.erase(std::find(FWaiters.begin(), FWaiters.end(), &waiter));
}

void HeadlessPlatform::StopRunning(std::unique_lock<std::mutex>&)
{
    --FRunning;
    AdvanceWhenIdle();
}

void HeadlessPlatform::AdvanceWhenIdle()
{
    if (FRunning > 0) return;
    int64_t next = kNoDeadline;
    for (Waiter* w : FWaiters)
        if (!w->woken) next = std::min(next, w->deadline);
    if (next != kNoDeadline) {
        AdvanceTo(next);
        return;
    }
    // Every thread waits for something that nothing will ever do.
    bool anyWaiting = false;
    for (Waiter* w : FWaiters) anyWaiting = anyWaiting || !w->woken;
    if (!anyWaiting) return;
    ++FStallCount;
    if (FMainWaiter && !FMainWaiter->woken) {
        WakeWaiter(*FMainWaiter, WaitResult::Stalled);
        return;
    }
    // A deadlock of the program's own making: end the waits rather than hang.
    for (Waiter* w : FWaiters) WakeWaiter(*w, WaitResult::Timeout);
}

void HeadlessPlatform::AdvanceTo(int64_t now)
{
    FNow = std::max(FNow, now);
    for (Waiter* w : FWaiters)
        if (!w->woken && w->deadline <= FNow) WakeWaiter(*w, WaitResult::Timeout);
}

void HeadlessPlatform::AdvanceClock(uint32_t ms)
{
    std::lock_guard<std::mutex> lock(FMutex);
    AdvanceTo(FNow + ms);
}

int HeadlessPlatform::StallCount() const
{
    std::lock_guard<std::mutex> lock(FMutex);
    return FStallCount;
}

WaitResult HeadlessPlatform::WaitForEvents(uint32_t timeoutMs)
{
    std::unique_lock<std::mutex> lock(FMutex);
    if (!FEvents.empty() || FWakePending) {
        FWakePending = false;
        return WaitResult::Ready;
    }
    if (timeoutMs == 0) return WaitResult::Timeout;
    Waiter waiter;
    waiter.deadline = DeadlineAfter(FNow, timeoutMs);
    waiter.counted = IsCounted();
    FMainWaiter = &waiter;
    Block(lock, waiter);
    FMainWaiter = nullptr;
    if (waiter.result == WaitResult::Ready) FWakePending = false;
    return waiter.result;
}

void HeadlessPlatform::Wake()
{
    std::lock_guard<std::mutex> lock(FMutex);
    if (FMainWaiter && !FMainWaiter->woken)
        WakeWaiter(*FMainWaiter, WaitResult::Ready);
    else
        FWakePending = true;
}

void HeadlessPlatform::Sleep(uint32_t ms)
{
    std::unique_lock<std::mutex> lock(FMutex);
    if (ms == 0) return;
    Waiter waiter;
    waiter.deadline = DeadlineAfter(FNow, ms);
    waiter.counted = IsCounted();
    Block(lock, waiter);
}

int64_t HeadlessPlatform::MonotonicMs()
{
    std::lock_guard<std::mutex> lock(FMutex);
    return FNow;
}

int64_t HeadlessPlatform::WallClockMs()
{
    std::lock_guard<std::mutex> lock(FMutex);
    return FWallAtZero + FNow;
}

void HeadlessPlatform::SetWallClock(int64_t wallClockMs)
{
    std::lock_guard<std::mutex> lock(FMutex);
    FWallAtZero = wallClockMs - FNow;
}

void HeadlessPlatform::SetUtcOffsetMinutes(int minutes)
{
    std::lock_guard<std::mutex> lock(FMutex);
    FUtcOffsetMinutes = minutes;
}

namespace {
// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int m, int d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}
}  // namespace

void HeadlessPlatform::SetLocalTime(int year, int month, int day, int hour, int minute, int second, int millisecond)
{
    int offset = 0;
    {
        std::lock_guard<std::mutex> lock(FMutex);
        offset = FUtcOffsetMinutes;
    }
    const int64_t days = DaysFromCivil(year, month, day);
    const int64_t local = ((days * 24 + hour) * 60 + minute) * 60 * 1000 + int64_t(second) * 1000 + millisecond;
    SetWallClock(local - int64_t(offset) * 60 * 1000);
}

LocalTime HeadlessPlatform::LocalTimeOf(int64_t wallClockMs)
{
    int offset = 0;
    {
        std::lock_guard<std::mutex> lock(FMutex);
        offset = FUtcOffsetMinutes;
    }
    const int64_t local = wallClockMs + int64_t(offset) * 60 * 1000;
    int64_t days = local / 86400000;
    int64_t msOfDay = local % 86400000;
    if (msOfDay < 0) {
        msOfDay += 86400000;
        --days;
    }
    // Civil date from days (the inverse of DaysFromCivil).
    const int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    LocalTime t;
    t.year = static_cast<int>(yoe + era * 400 + (m <= 2));
    t.month = m;
    t.day = d;
    t.hour = static_cast<int>(msOfDay / 3600000);
    t.minute = static_cast<int>(msOfDay / 60000 % 60);
    t.second = static_cast<int>(msOfDay / 1000 % 60);
    t.millisecond = static_cast<int>(msOfDay % 1000);
    t.dayOfWeek = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    return t;
}

// ---- Events -----------------------------------------------------------------

class HeadlessEvent final : public IEvent {
public:
    HeadlessEvent(HeadlessPlatform& platform, bool manualReset, bool signalled)
        : FPlatform(platform), FManualReset(manualReset), FSignalled(signalled)
    {
    }

    void Set() override
    {
        std::lock_guard<std::mutex> lock(FPlatform.FMutex);
        if (FManualReset) {
            FSignalled = true;
            for (HeadlessPlatform::Waiter* w : FWaiters) FPlatform.WakeWaiter(*w, WaitResult::Ready);
            return;
        }
        for (HeadlessPlatform::Waiter* w : FWaiters) {
            if (!w->woken) {
                FPlatform.WakeWaiter(*w, WaitResult::Ready);
                return;
            }
        }
        FSignalled = true;
    }

    void Reset() override
    {
        std::lock_guard<std::mutex> lock(FPlatform.FMutex);
        FSignalled = false;
    }

    bool Wait(uint32_t timeoutMs) override
    {
        std::unique_lock<std::mutex> lock(FPlatform.FMutex);
        if (FSignalled) {
            if (!FManualReset) FSignalled = false;
            return true;
        }
        if (timeoutMs == 0) return false;
        HeadlessPlatform::Waiter waiter;
        waiter.deadline = DeadlineAfter(FPlatform.FNow, timeoutMs);
        waiter.counted = FPlatform.IsCounted();
        FWaiters.push_back(&waiter);
        FPlatform.Block(lock, waiter);
        FWaiters.erase(std::find(FWaiters.begin(), FWaiters.end(), &waiter));
        return waiter.result == WaitResult::Ready;
    }

private:
    HeadlessPlatform& FPlatform;
    const bool FManualReset;
    bool FSignalled;
    std::vector<HeadlessPlatform::Waiter*> FWaiters;
};

std::unique_ptr<IEvent> HeadlessPlatform::CreateEvent(bool manualReset, bool initiallySignalled)
{
    return std::make_unique<HeadlessEvent>(*this, manualReset, initiallySignalled);
}

// ---- Threads ----------------------------------------------------------------

class HeadlessThread final : public IThread {
public:
    HeadlessThread(HeadlessPlatform& platform, std::function<void()> body) : FPlatform(platform)
    {
        {
            std::lock_guard<std::mutex> lock(FPlatform.FMutex);
            ++FPlatform.FRunning;  // counted from now, before it can be seen waiting
            FIndex = FPlatform.FPriorities.size();
            FPlatform.FPriorities.push_back(ThreadPriority::Normal);
        }
        FThread = std::thread([this, body = std::move(body)] {
            tlsOwner = &FPlatform;
            body();
            Exited();
        });
    }

    ~HeadlessThread() override { Join(); }

    void Join() override
    {
        if (!FThread.joinable() || FThread.get_id() == std::this_thread::get_id()) return;
        {
            std::unique_lock<std::mutex> lock(FPlatform.FMutex);
            if (!FExited) {
                FJoinWaiting = true;
                FJoinerCounted = FPlatform.IsCounted();
                if (FJoinerCounted) FPlatform.StopRunning(lock);
            }
        }
        FThread.join();
        std::lock_guard<std::mutex> lock(FPlatform.FMutex);
        if (FJoinWaiting && FJoinerCounted && !FTransferred) ++FPlatform.FRunning;
        FJoinWaiting = false;
    }

    void SetPriority(ThreadPriority priority) override
    {
        std::lock_guard<std::mutex> lock(FPlatform.FMutex);
        FPlatform.FPriorities[FIndex] = priority;
    }

private:
    void Exited()
    {
        std::unique_lock<std::mutex> lock(FPlatform.FMutex);
        FExited = true;
        if (FJoinWaiting && FJoinerCounted)
            FTransferred = true;  // the joiner runs on in our place
        else
            FPlatform.StopRunning(lock);
    }

    HeadlessPlatform& FPlatform;
    size_t FIndex = 0;
    bool FExited = false;
    bool FJoinWaiting = false;
    bool FJoinerCounted = false;
    bool FTransferred = false;
    std::thread FThread;
};

std::unique_ptr<IThread> HeadlessPlatform::StartThread(std::function<void()> body)
{
    return std::make_unique<HeadlessThread>(*this, std::move(body));
}

std::vector<ThreadPriority> HeadlessPlatform::ThreadPriorities() const
{
    std::lock_guard<std::mutex> lock(FMutex);
    return FPriorities;
}

}  // namespace platform
