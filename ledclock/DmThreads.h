// Timers and threads of the LED clock's family: TDmTimer with its two tick
// sources (a worker thread, or a window-message timer on the main loop), and
// TDmThread, which runs a handler over and over on a worker.
#pragma once

#include "classlib/system/Threads.h"
#include "classlib/windowing/Messages.h"
#include "ledclock/DmControls.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <utility>
#include <memory>
#include <mutex>

enum TDmTimerType : uint8_t { ttThread = 0, ttSystem = 1 };

class TDmTimerThread;

class TDmTimer : public TDmComponent {
public:
    explicit TDmTimer(TComponent* AOwner);
    ~TDmTimer() override;

    bool Enabled() const { return FEnabled.load(); }
    // Setting true (re)applies interval and priority; setting false only mutes
    // the ticks, the source keeps running.
    void SetEnabled(bool value);
    uint32_t Interval() const { return FInterval; }
    // 0 stops the source.
    void SetInterval(uint32_t value);
    // Thread source only: run each tick on the main thread (true) or on the worker.
    bool SyncEvent() const { return FSyncEvent.load(); }
    void SetSyncEvent(bool value) { FSyncEvent.store(value); }
    TDmTimerType TimerType() const { return FTimerType; }
    // Frees the old tick source before the new one is made.
    void SetTimerType(TDmTimerType value);
    TThreadPriority Priority() const { return FPriority; }
    void SetPriority(TThreadPriority value);

    // The tick handler; no source ticks without one. Set it on the main thread
    // before enabling (a worker-side timer reads it from its worker).
    TNotifyEvent OnTimer;

    void Loaded() override;
    // The utility window's procedure of the window-message source.
    void WndProc(TMessage& Message);
    // Calls OnTimer when enabled and attached; an exception is reported in the
    // standard error box and the timer carries on.
    virtual void Timer();

    // Whether a tick source exists for the current type (for inspection).
    bool TimerCreated() const { return FTimerCreated; }
    TDmTimerThread* TimerThread() const { return FTimerThread.get(); }
    HWND TimerWindow() const { return FTimerWindow; }

protected:
    void UpdateTimer();
    void CreateTimer();
    void DestroyTimer();

private:
    friend class TDmTimerThread;
    bool ShouldRun() const { return FInterval != 0 && Enabled() && static_cast<bool>(OnTimer); }

    std::atomic<bool> FEnabled{true};
    uint32_t FInterval = 1000;
    std::atomic<bool> FSyncEvent{true};
    TDmTimerType FTimerType = ttThread;
    TThreadPriority FPriority = tpNormal;
    HWND FTimerWindow = 0;
    std::unique_ptr<TDmTimerThread> FTimerThread;
    bool FTimerCreated = false;
    // Held while a worker-side tick runs, and while the main thread clears the
    // handler, so that a destroyed timer's handler is never running.
    std::mutex FWorkerTickLock;
    // A worker-side tick's exception, reported on the main thread once the tick lock is free.
    std::exception_ptr FWorkerFailure;
};

// The worker of a TDmTimer with the thread source: an interruptible wait of
// FWaitTime milliseconds, then the tick, handed to the main thread when the
// timer's SyncEvent is set.
class TDmTimerThread : public TThread {
public:
    // Created paused when enabled is false.
    TDmTimerThread(TDmTimer* timer, bool enabled);
    ~TDmTimerThread() override;

    // Ends the worker's wait at once and lets it leave its loop.
    void Stop();
    // Runs the timer's tick (on whichever thread calls it).
    void DoTimer();

    uint32_t WaitTime() const { return FWaitTime.load(); }
    // Main thread, with the worker paused: the wait of every later round. A
    // wait in progress ends without a tick, so the new time applies at once.
    void SetWaitTime(uint32_t value);

protected:
    void Execute() override;

private:
    TDmTimer* FTickTimer;
    TEvent FEvent{false, false};
    std::atomic<uint32_t> FWaitTime{1000};
    // Bumped by every reconfiguration, so a wait begun before it gives no tick.
    std::atomic<uint32_t> FGeneration{0};
    // The hand-off of one tick, made once so handing it over allocates nothing.
    TThreadMethod FSyncTick;
};

class TDmSystemThread;

// A component that runs OnExecute over and over on a worker thread, through
// the main thread when SyncEvent is set.
class TDmThread : public TDmComponent {
public:
    explicit TDmThread(TComponent* AOwner);
    ~TDmThread() override;

    bool Enabled() const { return FEnabled.load(); }
    void SetEnabled(bool value);
    TThreadPriority Priority() const { return FPriority; }
    void SetPriority(TThreadPriority value);
    bool SyncEvent() const { return FSyncEvent.load(); }
    void SetSyncEvent(bool value) { FSyncEvent.store(value); }
    TNotifyEvent OnExecute;

    void Loaded() override;
    // The worker's handler: OnExecute when enabled; exceptions are reported.
    void ExecuteEvent(TObject* Sender);
    TDmSystemThread* Thread() const { return FThread.get(); }

protected:
    friend class TDmSystemThread;
    void UpdateThreadParams();

private:
    std::atomic<bool> FEnabled{true};
    TThreadPriority FPriority = tpNormal;
    std::atomic<bool> FSyncEvent{true};
    std::unique_ptr<TDmSystemThread> FThread;
    // A worker-side run's exception, reported on the main thread once the handler lock is free.
    std::exception_ptr FWorkerFailure;
};

class TDmSystemThread : public TThread {
public:
    explicit TDmSystemThread(TDmThread* owner);
    ~TDmSystemThread() override;

    // Main thread; cleared before the worker is ended.
    void SetHandler(TNotifyEvent handler);
    // Runs the handler if one is set.
    void CallExecute();

protected:
    void Execute() override;

private:
    TDmThread* FOwner;
    std::mutex FHandlerLock;
    TNotifyEvent FHandler;
    // Idle rounds (owner disabled, application ending) wait on this instead of spinning.
    TEvent FIdle{false, false};
    TThreadMethod FSyncRun;
    bool FRanLastRound = true;
};

// True once the application has begun terminating (false without one).
bool DmApplicationTerminating();
// Reports the exception being handled in the standard error box, on the main
// thread (handed there from a worker).
void DmReportException(TObject* Sender);
