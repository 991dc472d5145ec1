// The message loop: idle, re-entrant processing, wake-ups from other threads,
// and timers on the fake clock.
#include "classlib/controls/Timer.h"
#include "classlib/system/Threads.h"
#include "classlib/windowing/MessageQueue.h"
#include "classlib/windowing/WindowTimers.h"
#include "tests/support/HeadlessFixture.h"

#include <vector>

namespace {
// A hidden window that records what reaches it.
struct TRecorder {
    std::vector<std::string> log;
    std::function<void(TMessage&)> extra;
    HWND wnd = AllocateHWnd([this](TMessage& m) {
        if (m.Msg == WM_TIMER) log.push_back("timer " + std::to_string(m.WParam) + " at " + std::to_string(MonotonicMilliseconds()));
        if (m.Msg >= WM_USER) log.push_back("user " + std::to_string(m.Msg - WM_USER));
        if (extra) extra(m);
    });
    ~TRecorder() { DeallocateHWnd(wnd); }
};
}  // namespace

TEST_F(HeadlessTest, IdleWithDoneTrueWaitsForTheNextMessage)
{
    TRecorder rec;
    SetTimer(rec.wnd, 7, 100);
    int idles = 0;
    app->OnIdle = [&](TObject*, bool& done) {
        ++idles;
        EXPECT_TRUE(done);
    };
    app->HandleMessage();  // nothing pending: idle, then wait until the timer is due
    EXPECT_EQ(idles, 1);
    EXPECT_EQ(hp.MonotonicMs(), 100);
    app->HandleMessage();
    EXPECT_EQ(rec.log, std::vector<std::string>{"timer 7 at 100"});
}

TEST_F(HeadlessTest, IdleWithDoneFalseLoopsAtOnce)
{
    TRecorder rec;
    SetTimer(rec.wnd, 1, 100);
    int idles = 0;
    app->OnIdle = [&](TObject*, bool& done) {
        ++idles;
        done = false;
    };
    for (int i = 0; i < 5; ++i) app->HandleMessage();
    EXPECT_EQ(idles, 5);
    EXPECT_EQ(hp.MonotonicMs(), 0);
    EXPECT_TRUE(rec.log.empty());
}

TEST_F(HeadlessTest, NothingToWaitForEndsRunInsteadOfHanging)
{
    TForm* form = nullptr;
    app->CreateForm(form);
    app->Run();
    EXPECT_TRUE(app->Stalled());
    EXPECT_FALSE(app->Terminated());
}

TEST_F(HeadlessTest, ProcessMessagesIsReentrant)
{
    TRecorder rec;
    rec.extra = [&](TMessage& m) {
        if (m.Msg == WM_USER + 1) {
            app->ProcessMessages();  // handles 2 and 3 inside the handler of 1
            rec.log.push_back("end 1");
        }
        if (m.Msg == WM_USER + 2) PostMessage(rec.wnd, WM_USER + 3);
    };
    PostMessage(rec.wnd, WM_USER + 1);
    PostMessage(rec.wnd, WM_USER + 2);
    app->ProcessMessages();
    EXPECT_EQ(rec.log, (std::vector<std::string>{"user 1", "user 2", "user 3", "end 1"}));
}

TEST_F(HeadlessTest, PostFromAnotherThreadEndsTheWaitAtOnce)
{
    TRecorder rec;
    SetTimer(rec.wnd, 1, 10000);  // far away: only the post can end the wait early
    const HWND target = rec.wnd;
    auto worker = hp.StartThread([&] {
        platform::GetPlatform().Sleep(30);
        PostMessage(target, WM_USER + 5);
    });
    app->HandleMessage();  // idle, wait: woken by the post at 30 ms
    EXPECT_EQ(hp.MonotonicMs(), 30);
    app->HandleMessage();
    EXPECT_EQ(rec.log, std::vector<std::string>{"user 5"});
    worker->Join();
}

TEST_F(HeadlessTest, TimersTickOnTheFakeClock)
{
    TRecorder rec;
    SetTimer(rec.wnd, 1, 250);
    SetTimer(rec.wnd, 2, 400);
    RunFor(1000);
    EXPECT_EQ(rec.log, (std::vector<std::string>{"timer 1 at 250", "timer 2 at 400", "timer 1 at 500", "timer 1 at 750",
                                                 "timer 2 at 800", "timer 1 at 1000"}));
    rec.log.clear();
    KillTimer(rec.wnd, 1);
    SetTimer(rec.wnd, 2, 1);  // below the minimum: 10 ms
    RunFor(30);
    EXPECT_EQ(rec.log, (std::vector<std::string>{"timer 2 at 1010", "timer 2 at 1020", "timer 2 at 1030"}));
}

TEST_F(HeadlessTest, TimerComponentTicksOnlyWithHandlerIntervalAndEnabled)
{
    auto& timer = app->Create<TTimer>();
    int ticks = 0;
    timer.SetInterval(100);
    RunFor(300);
    EXPECT_EQ(ticks, 0);  // no handler: no timer
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    RunFor(300);
    EXPECT_EQ(ticks, 3);
    timer.SetEnabled(false);
    RunFor(300);
    EXPECT_EQ(ticks, 3);
    timer.SetEnabled(true);
    timer.SetInterval(0);
    RunFor(300);
    EXPECT_EQ(ticks, 3);
}

TEST_F(HeadlessTest, TimerHandlerErrorIsReportedAndTickingGoesOn)
{
    auto& timer = app->Create<TTimer>();
    int ticks = 0;
    timer.SetInterval(100);
    timer.SetOnTimer([&](TObject*) {
        if (++ticks == 1) throw Exception("tick failed");
    });
    RunFor(300);
    EXPECT_EQ(ticks, 3);
    ASSERT_EQ(hp.MessageBoxes().size(), 1u);
    EXPECT_EQ(hp.MessageBoxes()[0].text, "tick failed.");
}

TEST_F(HeadlessTest, TimerWithoutASlotRaisesNoTimerResources)
{
    TRecorder rec;
    uintptr_t id = 1;
    while (SetTimer(rec.wnd, id, 1000) != 0) ++id;
    auto& timer = app->Create<TTimer>();
    timer.SetInterval(50);
    try {
        timer.SetOnTimer([](TObject*) {});
        FAIL() << "expected EOutOfResources";
    } catch (const EOutOfResources& e) {
        EXPECT_EQ(e.Message(), "No timer resources left.");
    }
    for (uintptr_t i = 1; i < id; ++i) KillTimer(rec.wnd, i);
}
