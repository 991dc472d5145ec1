// TDmThread: runs OnExecute over and over on a worker thread.
#include "ledclock/DmThreads.h"

namespace {
// How long an idle worker (owner disabled, application ending) waits before it looks again.
constexpr uint32_t IdleWaitMs = 10;
}  // namespace

TDmThread::TDmThread(TComponent* AOwner) : TDmComponent(AOwner)
{
    FThread = TThread::Create<TDmSystemThread>(this);
    FThread->SetHandler([this](TObject* Sender) { ExecuteEvent(Sender); });
}

TDmThread::~TDmThread()
{
    FThread->SetHandler(nullptr);
    FThread.reset();  // ends the worker and waits for it
}

void TDmThread::SetEnabled(bool value)
{
    if (value == FEnabled.load()) return;
    FEnabled.store(value);
    UpdateThreadParams();
}

void TDmThread::SetPriority(TThreadPriority value)
{
    if (value == FPriority) return;
    FPriority = value;
    UpdateThreadParams();
}

void TDmThread::Loaded()
{
    TDmComponent::Loaded();
    UpdateThreadParams();
}

void TDmThread::UpdateThreadParams()
{
    if (ComponentState() & csDesigning) return;
    FThread->Suspend();
    if (Enabled()) {
        FThread->SetPriority(FPriority);
        FThread->Resume();
    }
}

void TDmThread::ExecuteEvent(TObject* Sender)
{
    if (!Enabled() || !OnExecute) return;
    try {
        OnExecute(this);
    } catch (...) {
        if (IsMainThread()) {
            DmReportException(this);
        } else {
            FWorkerFailure = std::current_exception();
        }
    }
}

TDmSystemThread::TDmSystemThread(TDmThread* owner)
    : TThread(true), FOwner(owner), FSyncRun([this] {
          FRanLastRound = !DmApplicationTerminating();
          if (FRanLastRound) CallExecute();
      })
{
}

TDmSystemThread::~TDmSystemThread()
{
    Terminate();
    Resume();
    FIdle.SetEvent();
    WaitFor();
}

void TDmSystemThread::SetHandler(TNotifyEvent handler)
{
    std::lock_guard<std::mutex> lock(FHandlerLock);
    FHandler = std::move(handler);
}

void TDmSystemThread::CallExecute()
{
    std::lock_guard<std::mutex> lock(FHandlerLock);
    if (FHandler) FHandler(FOwner);
}

void TDmSystemThread::Execute()
{
    while (!Terminated()) {
        SuspendPoint();
        if (Terminated()) break;
        bool ran = false;
        if (FOwner->Enabled()) {
            if (FOwner->SyncEvent()) {
                Synchronize(FSyncRun);
                ran = FRanLastRound;
            } else if (!DmApplicationTerminating()) {
                CallExecute();
                ran = true;
                if (std::exception_ptr failure = std::exchange(FOwner->FWorkerFailure, nullptr)) {
                    Synchronize([&failure, this] {
                        try {
                            std::rethrow_exception(failure);
                        } catch (...) {
                            DmReportException(FOwner);
                        }
                    });
                }
            }
        }
        if (!ran) WaitForEvent(FIdle, IdleWaitMs);
    }
}
