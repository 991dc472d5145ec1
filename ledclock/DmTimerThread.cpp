// The worker of a thread-sourced TDmTimer.
#include "ledclock/DmThreads.h"

TDmTimerThread::TDmTimerThread(TDmTimer* timer, bool enabled)
    : TThread(!enabled), FTickTimer(timer), FSyncTick([this] {
          if (!DmApplicationTerminating()) DoTimer();
      })
{
}

TDmTimerThread::~TDmTimerThread()
{
    Stop();
    WaitFor();  // on the main thread this keeps running handed-off ticks
}

void TDmTimerThread::Stop()
{
    Terminate();
    Resume();
    FEvent.SetEvent();
}

void TDmTimerThread::DoTimer()
{
    FTickTimer->Timer();
}

void TDmTimerThread::SetWaitTime(uint32_t value)
{
    FWaitTime.store(value);
    FGeneration.fetch_add(1);
    FEvent.SetEvent();
}

void TDmTimerThread::Execute()
{
    while (!Terminated()) {
        const uint32_t generation = FGeneration.load();
        if (WaitForEvent(FEvent, FWaitTime.load()) != wrTimeout) continue;  // stopped or reconfigured
        if (Terminated() || generation != FGeneration.load()) continue;
        if (FTickTimer->SyncEvent()) {
            Synchronize(FSyncTick);
            continue;
        }
        if (DmApplicationTerminating()) continue;
        std::exception_ptr failure;
        {
            std::lock_guard<std::mutex> lock(FTickTimer->FWorkerTickLock);
            DoTimer();
            failure = std::exchange(FTickTimer->FWorkerFailure, nullptr);
        }
        if (failure) {
            Synchronize([&failure, this] {
                try {
                    std::rethrow_exception(failure);
                } catch (...) {
                    DmReportException(FTickTimer);
                }
            });
        }
    }
}
