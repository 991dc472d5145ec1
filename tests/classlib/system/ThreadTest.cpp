// Worker threads on the fake clock: timed waits, hand-offs to the main
// thread, pausing at safe points and stopping a worker blocked in a hand-off.
#include "classlib/system/Threads.h"
#include "tests/support/HeadlessFixture.h"

#include <atomic>
#include <vector>

namespace {
// A timer-like worker: waits Interval ms on its event, then hands a tick over.
class TTicker : public TThread {
public:
    explicit TTicker(std::function<void()> tick) : TThread(true), FTick(std::move(tick)) {}
    ~TTicker() override { Stop(); }
    void Stop()
    {
        Terminate();
        Resume();
        FEvent.SetEvent();
        WaitFor();
    }
    std::atomic<uint32_t> Interval{1000};
    std::atomic<int> Waits{0};

protected:
    void Execute() override
    {
        while (!Terminated()) {
            ++Waits;
            if (WaitForEvent(FEvent, Interval.load()) == wrTimeout && !Terminated()) Synchronize(FTick);
        }
    }

private:
    TEvent FEvent{false, false};
    std::function<void()> FTick;
};
}  // namespace

TEST_F(HeadlessTest, WorkerTicksLandOnExactInstantsOfTheFakeClock)
{
    std::vector<int64_t> ticks;
    TTicker ticker([&] { ticks.push_back(hp.MonotonicMs()); });
    ticker.SetPriority(tpHigher);
    ticker.Resume();
    RunFor(3500);
    EXPECT_EQ(ticks, (std::vector<int64_t>{1000, 2000, 3000}));
    EXPECT_EQ(hp.ThreadPriorities(), std::vector<platform::ThreadPriority>{platform::ThreadPriority::Higher});
}

TEST_F(HeadlessTest, StoppingAWorkerBlockedInAHandOffDoesNotDeadlock)
{
    int ran = 0;
    auto ticker = std::make_unique<TTicker>([&] { ++ran; });
    ticker->Interval = 10;
    ticker->Resume();
    // Let the fake clock pass the first deadline without serving the hand-off:
    // the worker now blocks in Synchronize until the main thread runs it.
    platform::GetPlatform().Sleep(15);
    ticker->Terminate();
    ticker->WaitFor();  // serves the hand-off while waiting
    EXPECT_EQ(ran, 1);
    EXPECT_TRUE(ticker->Finished());
}

TEST_F(HeadlessTest, SuspendTakesEffectAtASafePointAndResumeGoesOn)
{
    std::vector<int64_t> ticks;
    TTicker ticker([&] { ticks.push_back(hp.MonotonicMs()); });
    ticker.Interval = 100;
    ticker.Resume();
    RunFor(250);
    ticker.Suspend();  // the worker stands in its wait now
    EXPECT_TRUE(ticker.Suspended());
    ticker.Interval = 40;  // safe to change: the worker is parked
    RunFor(500);
    ticker.Resume();
    RunFor(100);
    // The wait that was running ended during the pause; its tick follows the resume.
    EXPECT_EQ(ticks, (std::vector<int64_t>{100, 200, 750, 790, 830}));
}

TEST_F(HeadlessTest, EventWaitsReportSignalledOrTimedOut)
{
    TEvent event(false, false);
    std::atomic<int> result{-1};
    std::atomic<int64_t> when{-1};
    auto waiter = hp.StartThread([&] {
        result = event.WaitFor(200);
        when = platform::GetPlatform().MonotonicMs();
    });
    waiter->Join();
    EXPECT_EQ(result.load(), wrTimeout);
    EXPECT_EQ(when.load(), 200);

    auto second = hp.StartThread([&] { result = event.WaitFor(INFINITE); });
    platform::GetPlatform().Sleep(50);
    event.SetEvent();
    second->Join();
    EXPECT_EQ(result.load(), wrSignaled);
    EXPECT_EQ(event.WaitFor(0), wrTimeout) << "auto-reset: the wait consumed the signal";
}

TEST_F(HeadlessTest, HandedOffExceptionIsRaisedInTheWorker)
{
    class TFailing : public TThread {
    public:
        TFailing() : TThread(true) {}
        ~TFailing() override { WaitFor(); }
        std::atomic<bool> Caught{false};

    protected:
        void Execute() override
        {
            try {
                Synchronize([] { throw Exception("main side failed"); });
            } catch (const Exception& e) {
                Caught = e.Message() == "main side failed";
            }
        }
    };
    TFailing worker;
    worker.Resume();
    worker.WaitFor();
    EXPECT_TRUE(worker.Caught.load());
}
