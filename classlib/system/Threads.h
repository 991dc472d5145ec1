// Threads: TThread (created paused or running, paused only at safe points of
// its loop, terminated, waited for), events with timed waits, and the
// hand-off of calls to the main thread (Synchronize / CheckSynchronize).
//
// Waiting and sleeping go through the platform, so under the headless backend
// a worker's timed wait ends at an exact instant of the fake clock.
#pragma once

#include "platform/Platform.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

constexpr uint32_t INFINITE = 0xFFFFFFFFu;

// A waitable event: auto-reset (one waiter consumes each signal) or manual-reset.
class TEvent {
public:
    TEvent(bool manualReset, bool initialState);
    ~TEvent();
    TEvent(const TEvent&) = delete;
    TEvent& operator=(const TEvent&) = delete;
    // wrSignaled, or wrTimeout when timeoutMs (or INFINITE) passed first.
    TWaitResult WaitFor(uint32_t timeoutMs);
    void SetEvent();
    void ResetEvent();
    platform::IEvent& Handle() { return *FEvent; }

private:
    std::unique_ptr<platform::IEvent> FEvent;
};

// A manual-reset event, initially not signalled.
class TSimpleEvent : public TEvent {
public:
    TSimpleEvent() : TEvent(true, false) {}
};

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };
using TThreadMethod = std::function<void()>;
using TNotifyThreadEvent = std::function<void(class TThread* Sender)>;

// Override Execute with the worker's loop. A pause (Suspend) takes effect at a
// safe point: SuspendPoint(), WaitForEvent() and Synchronize(); Suspend returns
// once the worker has reached one. A class whose Execute uses its own members
// must end the worker (Terminate, wake it, WaitFor) in its own destructor,
// before those members go.
class TThread {
public:
    // CreateSuspended false: the worker starts in AfterConstruction() (which
    // Create<T> calls) or at the first Resume(), never inside the constructor.
    explicit TThread(bool CreateSuspended);
    virtual ~TThread();
    template <typename T, typename... TArgs>
    static std::unique_ptr<T> Create(TArgs&&... args)
    {
        auto thread = std::make_unique<T>(std::forward<TArgs>(args)...);
        thread->AfterConstruction();
        return thread;
    }
    void AfterConstruction();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Resumes until no longer paused; starts the worker the first time.
    void Resume();
    // Pauses the worker at its next safe point.
    void Suspend();
    bool Suspended() const;
    void SetSuspended(bool value) { value ? Suspend() : Resume(); }
    void Terminate() { FTerminated.store(true); }
    bool Terminated() const { return FTerminated.load(); }
    bool Finished() const;
    // Waits for the worker to end. On the main thread handed-off calls keep
    // running meanwhile, so a worker blocked in Synchronize can finish.
    int WaitFor();
    TThreadPriority Priority() const
    {
        std::lock_guard<std::mutex> lock(FLock);
        return FPriority;
    }
    void SetPriority(TThreadPriority value);
    int ReturnValue() const { return FReturnValue; }
    // The exception that ended Execute, if any.
    std::exception_ptr FatalException() const { return FFatalException; }

    // Runs method on the main thread and waits until it has run there (at
    // once when called on the main thread). An exception of method is
    // re-raised in the caller.
    void Synchronize(const TThreadMethod& method);
    static void Synchronize(TThread* thread, const TThreadMethod& method);

    // Raised through Synchronize after Execute ends.
    TNotifyThreadEvent OnTerminate;

protected:
    virtual void Execute() = 0;
    // A safe point: parks here while a pause is asked for.
    void SuspendPoint();
    // An interruptible wait that is also a safe point: wrSignaled or wrTimeout.
    TWaitResult WaitForEvent(TEvent& event, uint32_t timeoutMs);
    void SetReturnValue(int value) { FReturnValue = value; }

private:
    void Run();
    void EnterParked();
    void LeaveParked();
    void Start();

    mutable std::mutex FLock;
    std::unique_ptr<platform::IThread> FThread;
    std::unique_ptr<platform::IEvent> FResumeEvent;  // manual: set while not paused
    std::unique_ptr<platform::IEvent> FParkedEvent;  // auto: the worker reached a safe point
    std::unique_ptr<platform::IEvent> FFinishedEvent;
    std::unique_ptr<platform::IEvent> FSyncDone;
    std::atomic<bool> FTerminated{false};
    bool FStarted = false;
    bool FFinished = false;
    bool FSuspendRequested = false;
    bool FParked = false;
    bool FJoined = false;
    bool FStartPending = false;
    std::thread::id FWorkerId;
    TThreadPriority FPriority = tpNormal;
    int FReturnValue = 0;
    std::exception_ptr FFatalException;
};

// Runs the calls handed to the main thread; true when it ran any. Main thread
// only (elsewhere it does nothing). The loop calls it on its wake-up message,
// when it goes idle and while it waits for a thread.
bool CheckSynchronize();
bool IsMainThread();
// The thread that is the main thread (the one that first touched this module
// or constructed the application).
void SetMainThread(std::thread::id id);
// How a hand-off wakes the main thread (the application posts to its window);
// without one the platform's wait is woken directly.
void SetWakeMainThread(std::function<void()> wake);
