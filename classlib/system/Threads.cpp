// TThread, TEvent and the hand-off of calls to the main thread.
#include "classlib/system/Threads.h"

#include "classlib/system/Exceptions.h"

#include <vector>

namespace {
struct THandOff {
    const TThreadMethod* Method = nullptr;
    platform::IEvent* Done = nullptr;
    std::exception_ptr Error;
};

struct TSyncState {
    std::mutex Lock;
    std::vector<THandOff*> Queue;
    std::vector<THandOff*> Running;
    std::function<void()> Wake;
    std::atomic<std::thread::id> MainThread{std::this_thread::get_id()};
    std::unique_ptr<platform::IEvent> Signal;  // auto-reset: a hand-off queued or a thread ended
    platform::IPlatform* SignalOwner = nullptr;
    // Both lists start with room, so that trading them never allocates.
    TSyncState()
    {
        Queue.reserve(16);
        Running.reserve(16);
    }
};

TSyncState& Sync()
{
    static TSyncState state;
    return state;
}

// The event a waiting main thread sleeps on; made again when the platform changes.
platform::IEvent& SyncSignal()
{
    TSyncState& s = Sync();
    std::lock_guard<std::mutex> lock(s.Lock);
    platform::IPlatform* current = &platform::GetPlatform();
    if (!s.Signal || s.SignalOwner != current) {
        s.Signal = current->CreateEvent(false, false);
        s.SignalOwner = current;
    }
    return *s.Signal;
}

void WakeMain()
{
    std::function<void()> wake;
    {
        std::lock_guard<std::mutex> lock(Sync().Lock);
        wake = Sync().Wake;
    }
    SyncSignal().Set();
    if (wake)
        wake();
    else
        platform::GetPlatform().Wake();
}

platform::ThreadPriority ToPlatform(TThreadPriority p)
{
    return static_cast<platform::ThreadPriority>(static_cast<int>(p));
}
}  // namespace

// ---- Main thread ------------------------------------------------------------

bool IsMainThread()
{
    return std::this_thread::get_id() == Sync().MainThread.load();
}

void SetMainThread(std::thread::id id)
{
    Sync().MainThread.store(id);
}

void SetWakeMainThread(std::function<void()> wake)
{
    std::lock_guard<std::mutex> lock(Sync().Lock);
    Sync().Wake = std::move(wake);
}

bool CheckSynchronize()
{
    if (!IsMainThread()) return false;
    TSyncState& s = Sync();
    // The two lists trade places and keep their storage: no allocation per
    // hand-off. A handed-off call that runs the loop again nests: it takes a list of its own.
    static int depth = 0;
    std::vector<THandOff*> nested;
    std::vector<THandOff*>& batch = depth == 0 ? s.Running : nested;
    struct TDepth {
        TDepth() { ++depth; }
        ~TDepth() { --depth; }
    } inside;
    {
        std::lock_guard<std::mutex> lock(s.Lock);
        if (s.Queue.empty()) return false;
        batch.clear();
        batch.swap(s.Queue);
    }
    for (THandOff* h : batch) {
        try {
            (*h->Method)();
        } catch (...) {
            h->Error = std::current_exception();
        }
        h->Done->Set();  // the worker may free h from here on
    }
    batch.clear();
    return true;
}

// ---- TEvent -----------------------------------------------------------------

TEvent::TEvent(bool manualReset, bool initialState)
    : FEvent(platform::GetPlatform().CreateEvent(manualReset, initialState))
{
}

TEvent::~TEvent() = default;

TWaitResult TEvent::WaitFor(uint32_t timeoutMs)
{
    return FEvent->Wait(timeoutMs) ? wrSignaled : wrTimeout;
}

void TEvent::SetEvent()
{
    FEvent->Set();
}

void TEvent::ResetEvent()
{
    FEvent->Reset();
}

// ---- TThread ----------------------------------------------------------------

TThread::TThread(bool CreateSuspended)
{
    platform::IPlatform& p = platform::GetPlatform();
    FResumeEvent = p.CreateEvent(true, !CreateSuspended);
    FParkedEvent = p.CreateEvent(false, false);
    FFinishedEvent = p.CreateEvent(true, false);
    FSyncDone = p.CreateEvent(false, false);
    // A running thread starts in AfterConstruction (or the first Resume): its
    // Execute is virtual, so it must not run before the derived constructor has.
    FSuspendRequested = false;
    FStartPending = !CreateSuspended;
    if (CreateSuspended) FSuspendRequested = true;
}

void TThread::AfterConstruction()
{
    bool start = false;
    {
        std::lock_guard<std::mutex> lock(FLock);
        start = FStartPending && !FStarted;
    }
    if (start) Resume();
}

TThread::~TThread()
{
    bool started;
    {
        std::lock_guard<std::mutex> lock(FLock);
        started = FStarted;
    }
    if (started) {
        Terminate();
        Resume();
        WaitFor();
    }
}

void TThread::Start()
{
    std::unique_ptr<platform::IThread> thread = platform::GetPlatform().StartThread([this] { Run(); });
    std::lock_guard<std::mutex> lock(FLock);
    FThread = std::move(thread);
    if (FPriority != tpNormal) FThread->SetPriority(ToPlatform(FPriority));
}

void TThread::Run()
{
    {
        std::lock_guard<std::mutex> lock(FLock);
        FWorkerId = std::this_thread::get_id();
    }
    try {
        Execute();
    } catch (...) {
        FFatalException = std::current_exception();
    }
    if (OnTerminate) {
        try {
            Synchronize([this] { OnTerminate(this); });
        } catch (...) {
        }
    }
    {
        std::lock_guard<std::mutex> lock(FLock);
        FFinished = true;
    }
    FFinishedEvent->Set();
    SyncSignal().Set();
}

bool TThread::Finished() const
{
    std::lock_guard<std::mutex> lock(FLock);
    return FFinished;
}

bool TThread::Suspended() const
{
    std::lock_guard<std::mutex> lock(FLock);
    return FSuspendRequested;
}

void TThread::Resume()
{
    bool start = false;
    {
        std::lock_guard<std::mutex> lock(FLock);
        FSuspendRequested = false;
        FStartPending = false;
        start = !FStarted;
        if (start) FStarted = true;
    }
    FResumeEvent->Set();
    if (start) Start();
}

void TThread::Suspend()
{
    std::unique_lock<std::mutex> lock(FLock);
    FSuspendRequested = true;
    FResumeEvent->Reset();
    if (!FStarted || FFinished || std::this_thread::get_id() == FWorkerId) return;
    // Wait until the worker stands at a safe point (or has ended).
    while (!FParked && !FFinished) {
        lock.unlock();
        FParkedEvent->Wait(INFINITE);
        lock.lock();
    }
}

void TThread::EnterParked()
{
    {
        std::lock_guard<std::mutex> lock(FLock);
        FParked = true;
    }
    FParkedEvent->Set();
}

void TThread::LeaveParked()
{
    std::unique_lock<std::mutex> lock(FLock);
    // A pause asked for meanwhile holds the worker here.
    while (FSuspendRequested && !FTerminated.load()) {
        lock.unlock();
        FResumeEvent->Wait(INFINITE);
        lock.lock();
    }
    FParked = false;
}

void TThread::SuspendPoint()
{
    {
        std::lock_guard<std::mutex> lock(FLock);
        if (!FSuspendRequested) return;
    }
    EnterParked();
    LeaveParked();
}

TWaitResult TThread::WaitForEvent(TEvent& event, uint32_t timeoutMs)
{
    EnterParked();
    const TWaitResult result = event.WaitFor(timeoutMs);
    LeaveParked();
    return result;
}

void TThread::SetPriority(TThreadPriority value)
{
    std::lock_guard<std::mutex> lock(FLock);
    FPriority = value;
    if (FThread) FThread->SetPriority(ToPlatform(value));
}

int TThread::WaitFor()
{
    {
        std::lock_guard<std::mutex> lock(FLock);
        if (std::this_thread::get_id() == FWorkerId) throw EThread("Thread cannot wait for itself");
        if (!FStarted || FJoined) return FReturnValue;  // never started: nothing will end
    }
    if (IsMainThread()) {
        // Keep serving hand-offs: the worker may be blocked in one.
        platform::IEvent& signal = SyncSignal();
        while (!Finished()) {
            CheckSynchronize();
            if (Finished()) break;
            signal.Wait(INFINITE);
        }
        CheckSynchronize();
    } else {
        FFinishedEvent->Wait(INFINITE);
    }
    std::unique_ptr<platform::IThread> thread;
    {
        std::lock_guard<std::mutex> lock(FLock);
        thread = std::move(FThread);
        FJoined = true;
    }
    if (thread) thread->Join();
    return FReturnValue;
}

void TThread::Synchronize(const TThreadMethod& method)
{
    if (IsMainThread()) {
        method();
        return;
    }
    THandOff handOff{&method, FSyncDone.get(), nullptr};
    {
        std::lock_guard<std::mutex> lock(Sync().Lock);
        Sync().Queue.push_back(&handOff);
    }
    WakeMain();
    EnterParked();
    FSyncDone->Wait(INFINITE);
    LeaveParked();
    if (handOff.Error) std::rethrow_exception(handOff.Error);
}

void TThread::Synchronize(TThread* thread, const TThreadMethod& method)
{
    if (thread) {
        thread->Synchronize(method);
        return;
    }
    if (IsMainThread()) {
        method();
        return;
    }
    std::unique_ptr<platform::IEvent> done = platform::GetPlatform().CreateEvent(false, false);
    THandOff handOff{&method, done.get(), nullptr};
    {
        std::lock_guard<std::mutex> lock(Sync().Lock);
        Sync().Queue.push_back(&handOff);
    }
    WakeMain();
    done->Wait(INFINITE);
    if (handOff.Error) std::rethrow_exception(handOff.Error);
}
