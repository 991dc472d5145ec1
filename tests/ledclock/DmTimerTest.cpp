// TDmTimer and TDmThread on the fake clock: when the sources tick, muting,
// switching sources, and stopping without deadlock or a late tick.
#include "classlib/system/Exceptions.h"
#include "classlib/system/LoadingScope.h"
#include "classlib/windowing/MessageQueue.h"
#include "classlib/windowing/WindowTree.h"
#include "ledclock/DmThreads.h"
#include "tests/ledclock/LedClockFixture.h"

#include <atomic>

namespace {

class DmTimerTest : public LedClockFixture {
protected:
    TDmTimer& MakeTimer(uint32_t interval, bool withHandler = true)
    {
        TDmTimer& timer = App->Create<TDmTimer>();
        timer.SetEnabled(false);
        timer.SetInterval(interval);
        if (withHandler) {
            timer.OnTimer = [this](TObject*) {
                ++Ticks;
                if (!IsMainThread()) ++WorkerTicks;
            };
        }
        return timer;
    }

    std::atomic<int> Ticks{0};
    std::atomic<int> WorkerTicks{0};
};

TEST_F(DmTimerTest, TicksOncePerIntervalOnTheMainThread)
{
    TDmTimer& timer = MakeTimer(1000);
    timer.SetEnabled(true);
    RunFor(5500);
    EXPECT_EQ(Ticks, 5);
    EXPECT_EQ(WorkerTicks, 0);
    timer.Free();
}

TEST_F(DmTimerTest, NoIntervalOrNoHandlerLeavesTheSourceIdle)
{
    const struct {
        TDmTimerType type;
        uint32_t interval;
        bool handler;
    } cases[] = {{ttThread, 0, true}, {ttThread, 1000, false}, {ttSystem, 0, true}, {ttSystem, 1000, false}};
    for (const auto& c : cases) {
        TDmTimer& timer = MakeTimer(c.interval, c.handler);
        timer.SetTimerType(c.type);
        timer.SetEnabled(true);
        EXPECT_TRUE(timer.TimerCreated());
        if (c.type == ttThread) {
            EXPECT_TRUE(timer.TimerThread()->Suspended());
        }
        RunFor(3000);
        EXPECT_EQ(Ticks, 0) << "type " << int(c.type) << ", interval " << c.interval;
        timer.Free();
    }
}

TEST_F(DmTimerTest, DisablingMutesAtOnceAndEnablingReappliesTheInterval)
{
    TDmTimer& timer = MakeTimer(1000);
    timer.SetEnabled(true);
    RunFor(2500);
    ASSERT_EQ(Ticks, 2);
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.TimerThread()->Suspended());  // the worker keeps waking
    RunFor(3000);
    EXPECT_EQ(Ticks, 2);

    timer.SetInterval(250);  // only stored while disabled
    timer.SetEnabled(true);  // a fresh wait of the new interval
    RunFor(1100);
    EXPECT_EQ(Ticks, 6);
    timer.Free();
}

TEST_F(DmTimerTest, ChangingTheTypeReplacesTheSource)
{
    TDmTimer& timer = MakeTimer(1000);
    timer.SetEnabled(true);
    RunFor(1500);
    EXPECT_EQ(Ticks, 1);

    timer.SetTimerType(ttSystem);
    EXPECT_EQ(timer.TimerThread(), nullptr);  // stopped and freed before the window was made
    const HWND window = timer.TimerWindow();
    EXPECT_TRUE(IsWindow(window));
    RunFor(2100);
    EXPECT_EQ(Ticks, 3);

    timer.SetTimerType(ttThread);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(timer.TimerWindow(), 0u);
    ASSERT_NE(timer.TimerThread(), nullptr);
    RunFor(2100);
    EXPECT_EQ(Ticks, 5);
    EXPECT_EQ(WorkerTicks, 0);
    timer.Free();
}

TEST_F(DmTimerTest, DestroyingWithAHandOffPendingNeitherDeadlocksNorTicks)
{
    TDmTimer& timer = MakeTimer(1000);
    timer.SetEnabled(true);
    // The main thread waits without serving hand-offs: the fake clock jumps to
    // the worker's deadline and the worker blocks handing its tick over.
    ASSERT_EQ(WaitMessage(5000), TWaitOutcome::Ready);
    const int64_t before = Headless.MonotonicMs();
    EXPECT_EQ(before % 1000, 0);
    timer.Free();
    EXPECT_EQ(Ticks, 0);
    EXPECT_EQ(Headless.MonotonicMs(), before);
}

TEST_F(DmTimerTest, StopEndsALongWaitAtOnce)
{
    TDmTimer& timer = MakeTimer(60000);
    timer.SetEnabled(true);
    RunFor(10);
    const int64_t before = Headless.MonotonicMs();
    timer.Free();
    EXPECT_EQ(Headless.MonotonicMs(), before);
    EXPECT_EQ(Ticks, 0);
}

TEST_F(DmTimerTest, WorkerSideTicksAndTheirErrors)
{
    TDmTimer& timer = MakeTimer(1000);
    timer.SetSyncEvent(false);
    timer.OnTimer = [this](TObject*) {
        if (!IsMainThread()) ++WorkerTicks;
        if (++Ticks == 2) throw Exception("worker tick failed");
    };
    timer.SetEnabled(true);
    RunFor(3500);
    EXPECT_EQ(Ticks, 3);
    EXPECT_EQ(WorkerTicks, 3);
    ASSERT_EQ(Headless.MessageBoxes().size(), 1u);
    EXPECT_EQ(Headless.MessageBoxes()[0].text, "worker tick failed.");
    timer.Free();
}

TEST_F(DmTimerTest, PriorityReachesTheWorker)
{
    TDmTimer& timer = MakeTimer(1000);
    timer.SetEnabled(true);
    timer.SetPriority(tpHigher);
    ASSERT_FALSE(Headless.ThreadPriorities().empty());
    EXPECT_EQ(Headless.ThreadPriorities().back(), platform::ThreadPriority::Higher);
    EXPECT_EQ(timer.TimerThread()->Priority(), tpHigher);
    timer.Free();
}

TEST_F(DmTimerTest, ThreadComponentRunsItsHandlerUntilDisabled)
{
    TDmThread* thread = nullptr;
    int runs = 0;
    {
        TLoadingScope loading(*App);
        thread = &App->Create<TDmThread>();
        thread->OnExecute = [&](TObject*) {
            EXPECT_TRUE(IsMainThread());
            if (++runs == 5) thread->SetEnabled(false);
        };
    }
    RunFor(100);
    EXPECT_EQ(runs, 5);
    thread->Free();
}

}  // namespace
