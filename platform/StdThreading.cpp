#include "platform/StdThreading.h"

#include <chrono>
#include <condition_variable>
#include <ctime>
#include <mutex>
#include <thread>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

namespace {

class StdEvent final : public IEvent {
public:
    StdEvent(bool manualReset, bool signalled) : FManualReset(manualReset), FSignalled(signalled) {}

    void Set() override
    {
        {
            std::lock_guard<std::mutex> lock(FMutex);
            FSignalled = true;
        }
        if (FManualReset)
            FCondition.notify_all();
        else
            FCondition.notify_one();
    }

    void Reset() override
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FSignalled = false;
    }

    bool Wait(uint32_t timeoutMs) override
    {
        std::unique_lock<std::mutex> lock(FMutex);
        auto ready = [this] { return FSignalled; };
        if (timeoutMs == kInfinite) {
            FCondition.wait(lock, ready);
        } else if (!FCondition.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) {
            return false;
        }
        if (!FManualReset) FSignalled = false;
        return true;
    }

private:
    std::mutex FMutex;
    std::condition_variable FCondition;
    const bool FManualReset;
    bool FSignalled;
};

class StdThread final : public IThread {
public:
    explicit StdThread(std::function<void()> body)
    {
        FThread = std::thread([this, body = std::move(body)] {
            {
                std::lock_guard<std::mutex> lock(FMutex);
                FTid = static_cast<pid_t>(syscall(SYS_gettid));
            }
            FStarted.notify_all();
            body();
        });
    }

    ~StdThread() override { Join(); }

    void Join() override
    {
        if (FThread.joinable() && FThread.get_id() != std::this_thread::get_id()) FThread.join();
    }

    void SetPriority(ThreadPriority priority) override
    {
        std::unique_lock<std::mutex> lock(FMutex);
        FStarted.wait(lock, [this] { return FTid != 0; });
        // Best effort: a refused change leaves the thread at its priority.
        (void)setpriority(PRIO_PROCESS, static_cast<id_t>(FTid), NiceValueOf(priority));
    }

private:
    std::mutex FMutex;
    std::condition_variable FStarted;
    pid_t FTid = 0;
    std::thread FThread;
};

}  // namespace

std::unique_ptr<IEvent> CreateStdEvent(bool manualReset, bool initiallySignalled)
{
    return std::make_unique<StdEvent>(manualReset, initiallySignalled);
}

std::unique_ptr<IThread> StartStdThread(std::function<void()> body)
{
    return std::make_unique<StdThread>(std::move(body));
}

int64_t StdMonotonicMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

int64_t StdWallClockMs()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

LocalTime StdLocalTimeOf(int64_t wallClockMs)
{
    LocalTime result;
    int64_t seconds = wallClockMs / 1000;
    int64_t ms = wallClockMs % 1000;
    if (ms < 0) {
        ms += 1000;
        --seconds;
    }
    const time_t t = static_cast<time_t>(seconds);
    tm local{};
    if (!localtime_r(&t, &local)) return result;
    result.year = local.tm_year + 1900;
    result.month = local.tm_mon + 1;
    result.day = local.tm_mday;
    result.hour = local.tm_hour;
    result.minute = local.tm_min;
    result.second = local.tm_sec > 59 ? 59 : local.tm_sec;
    result.millisecond = static_cast<int>(ms);
    result.dayOfWeek = local.tm_wday;
    return result;
}

int NiceValueOf(ThreadPriority priority)
{
    switch (priority) {
    case ThreadPriority::Idle: return 19;
    case ThreadPriority::Lowest: return 10;
    case ThreadPriority::Lower: return 5;
    case ThreadPriority::Normal: return 0;
    case ThreadPriority::Higher: return -5;
    case ThreadPriority::Highest: return -10;
    case ThreadPriority::TimeCritical: return -20;
    }
    return 0;
}

}  // namespace platform
