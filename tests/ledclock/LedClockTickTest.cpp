// The clock's tick with a wall clock the test sets: which changes repaint,
// which only raise events, the alarm, the setters, and ticks from the real
// timer on the fake clock.
#include "classlib/system/DateUtils.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/LoadingScope.h"
#include "tests/ledclock/LedClockFixture.h"

#include <string>
#include <vector>

namespace {

// The real clock, counting its paints.
class TCountingLedClock : public TDmLedClock {
public:
    using TDmLedClock::TDmLedClock;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        TDmLedClock::Paint();
    }
};

class LedClockTick : public LedClockFixture {
protected:
    TCountingLedClock& MakeClock()
    {
        TForm& form = MakeForm(200, 200);
        TCountingLedClock& clock = form.Create<TCountingLedClock>();
        clock.SetParent(&form);
        clock.OnHoursChanged = [this](TObject*, uint16_t v) { Events.push_back("H" + std::to_string(v)); };
        clock.OnMinutesChanged = [this](TObject*, uint16_t v) { Events.push_back("M" + std::to_string(v)); };
        clock.OnSecondsChanged = [this](TObject*, uint16_t v) { Events.push_back("S" + std::to_string(v)); };
        clock.OnAlarm = [this](TObject*) { Events.push_back("alarm"); };
        App->ProcessMessages();
        clock.Paints = 0;
        return clock;
    }

    // Sets the wall clock to 26 April 2012 at the given time and ticks once.
    void TickAt(TDmLedClock& clock, int hour, int minute, int second, int millisecond = 0)
    {
        Headless.SetLocalTime(2012, 4, 26, hour, minute, second, millisecond);
        clock.OnTimerEvent(&clock);
    }

    std::string TakeEvents()
    {
        std::string text;
        for (const std::string& e : Events) text += (text.empty() ? "" : " ") + e;
        Events.clear();
        return text;
    }

    std::vector<std::string> Events;
};

TEST_F(LedClockTick, RepaintsOnlyWhenThePictureChanged)
{
    const struct {
        int from[3];
        int to[3];
        bool secondsIndicator;
        bool repaints;
        const char* events;
    } cases[] = {
        {{17, 36, 15}, {17, 36, 16}, true, true, "S16"},
        {{17, 36, 15}, {17, 36, 16}, false, false, "S16"},
        {{17, 36, 15}, {17, 37, 15}, false, true, "M37"},
        {{17, 36, 15}, {18, 36, 15}, true, false, "H18"},      // drawn at the next minute
        {{17, 36, 15}, {18, 36, 16}, false, false, "H18 S16"},
        {{17, 59, 59}, {18, 0, 1}, true, true, "H18 M0 S1"},   // a skipped second
        {{17, 36, 15}, {17, 36, 15}, true, false, ""},
    };
    TCountingLedClock& clock = MakeClock();
    for (const auto& c : cases) {
        clock.SetSecondsIndicator(c.secondsIndicator);
        TickAt(clock, c.from[0], c.from[1], c.from[2]);
        clock.Paints = 0;
        TakeEvents();
        TickAt(clock, c.to[0], c.to[1], c.to[2], 999);
        EXPECT_EQ(clock.Paints, c.repaints ? 1 : 0) << c.to[0] << ":" << c.to[1] << ":" << c.to[2];
        EXPECT_EQ(TakeEvents(), c.events) << c.to[0] << ":" << c.to[1] << ":" << c.to[2];
        EXPECT_EQ(clock.Hours(), c.to[0]);
        EXPECT_EQ(clock.Minutes(), c.to[1]);
        EXPECT_EQ(clock.Seconds(), c.to[2]);
    }
}

TEST_F(LedClockTick, AlarmFiresAtItsSecondOfItsDayOnly)
{
    TCountingLedClock& clock = MakeClock();
    clock.SetEnableAlarm(true);
    // AlarmTime 0 is 30 December 1899: never, not even at midnight.
    for (int s : {0, 1}) TickAt(clock, 0, 0, s);
    EXPECT_EQ(TakeEvents().find("alarm"), std::string::npos);

    clock.SetAlarmTime(EncodeDate(2012, 4, 26) + EncodeTime(17, 36, 20, 0));
    TickAt(clock, 17, 36, 19);
    TickAt(clock, 17, 36, 20, 500);
    TickAt(clock, 17, 36, 21);
    EXPECT_EQ(TakeEvents(), "H17 M36 S19 S20 alarm S21");

    // The second is skipped: no alarm that day.
    TickAt(clock, 17, 36, 19);
    TickAt(clock, 17, 36, 21);
    EXPECT_EQ(TakeEvents(), "S19 S21");

    // Another day, or disarmed: nothing.
    clock.SetAlarmTime(EncodeDate(2012, 4, 27) + EncodeTime(17, 36, 22, 0));
    TickAt(clock, 17, 36, 22);
    clock.SetAlarmTime(EncodeDate(2012, 4, 26) + EncodeTime(17, 36, 23, 0));
    clock.SetEnableAlarm(false);
    TickAt(clock, 17, 36, 23);
    EXPECT_EQ(TakeEvents(), "S22 S23");

    // Values that are no date at all never fire either.
    clock.SetEnableAlarm(true);
    for (TDateTime odd : {-1.0e300, 1.0e300, std::numeric_limits<double>::quiet_NaN()}) {
        clock.SetAlarmTime(odd);
        TickAt(clock, 17, 36, 24);
        TickAt(clock, 17, 36, 25);
    }
    EXPECT_EQ(TakeEvents().find("alarm"), std::string::npos);
}

TEST_F(LedClockTick, AlarmIsDecidedBeforeAnyHandlerRuns)
{
    TCountingLedClock& clock = MakeClock();
    clock.SetEnableAlarm(true);
    clock.SetAlarmTime(EncodeDate(2012, 4, 26) + EncodeTime(17, 36, 20, 0));
    clock.OnSecondsChanged = [&](TObject*, uint16_t) { clock.SetEnableAlarm(false); };
    TickAt(clock, 17, 36, 19);
    clock.SetEnableAlarm(true);
    TickAt(clock, 17, 36, 20);
    EXPECT_EQ(TakeEvents(), "alarm");
}

TEST_F(LedClockTick, HandlerExceptionEndsTheTickWithTheNewTimeStored)
{
    TCountingLedClock& clock = MakeClock();
    TickAt(clock, 17, 36, 15);
    TakeEvents();
    clock.OnHoursChanged = [](TObject*, uint16_t) { throw Exception("hour handler failed"); };
    Headless.SetLocalTime(2012, 4, 26, 18, 37, 16);
    EXPECT_THROW(clock.OnTimerEvent(&clock), Exception);
    EXPECT_EQ(TakeEvents(), "");  // minutes and seconds events not raised
    EXPECT_EQ(clock.Hours(), 18);
    EXPECT_EQ(clock.Minutes(), 37);
    EXPECT_EQ(clock.Seconds(), 16);
    EXPECT_EQ(clock.Paints, 1);  // the repaint came before the events
}

TEST_F(LedClockTick, SettersRepaintOnlyOnAChange)
{
    TCountingLedClock& clock = MakeClock();
    const std::function<void(TDmLedClock&, int)> setters[] = {
        [](TDmLedClock& c, int v) { c.SetLedSize(v); },      [](TDmLedClock& c, int v) { c.SetSpacing(v); },
        [](TDmLedClock& c, int v) { c.SetTextAngle(v); },    [](TDmLedClock& c, int v) { c.SetTextOffsetX(v); },
        [](TDmLedClock& c, int v) { c.SetTextOffsetY(v); },  [](TDmLedClock& c, int v) { c.SetSecWidth(v); },
        [](TDmLedClock& c, int v) { c.SetTickWidth(v); },    [](TDmLedClock& c, int v) { c.SetHours(v); },
        [](TDmLedClock& c, int v) { c.SetMinutes(v); },      [](TDmLedClock& c, int v) { c.SetSeconds(v); },
        [](TDmLedClock& c, int v) { c.SetHoursColor(v); },   [](TDmLedClock& c, int v) { c.SetHoursOutline(v); },
        [](TDmLedClock& c, int v) { c.SetSecHandColor(v); }, [](TDmLedClock& c, int v) { c.SetSecOutline(v); },
        [](TDmLedClock& c, int v) { c.SetTickColor(v); },    [](TDmLedClock& c, int v) { c.SetTickOutline(v); },
        [](TDmLedClock& c, int v) { c.SetHourMarks(v != 0); },
        [](TDmLedClock& c, int v) { c.SetSecondsIndicator(v != 0); },
        [](TDmLedClock& c, int v) { c.SetHourFormat(v ? hfmt12h : hfmt24h); },
    };
    int index = 0;
    for (const auto& set : setters) {
        set(clock, index % 2 ? 0 : 7);
        set(clock, 0);  // 1 is now a change for every setter
        clock.Paints = 0;
        set(clock, 1);
        EXPECT_EQ(clock.Paints, 1) << "setter " << index;
        set(clock, 1);
        EXPECT_EQ(clock.Paints, 1) << "setter " << index << ", same value";
        ++index;
    }
    // TickWidth 0 or less is ignored; Background always repaints.
    for (int ignored : {0, -4}) {
        clock.SetTickWidth(ignored);
        EXPECT_EQ(clock.TickWidth(), 1);
    }
    EXPECT_EQ(clock.Paints, 1);
    TBitmap picture(2, 2);
    clock.SetBackground(&picture);
    clock.SetBackground(&picture);
    EXPECT_EQ(clock.Paints, 3);
    EXPECT_EQ(clock.Background()->Width(), 2);
}

TEST_F(LedClockTick, TimeFieldsRefuseValuesOutsideTheirRange)
{
    TCountingLedClock& clock = MakeClock();
    clock.SetTime(EncodeTime(9, 8, 7, 600));
    EXPECT_EQ(clock.Hours(), 9);
    EXPECT_EQ(clock.Minutes(), 8);
    EXPECT_EQ(clock.Seconds(), 7);
    EXPECT_THROW(clock.SetHours(24), EInvalidOperation);
    EXPECT_THROW(clock.SetMinutes(-1), EInvalidOperation);
    EXPECT_THROW(clock.SetSeconds(60), EInvalidOperation);
    EXPECT_THROW(clock.SetTime(std::numeric_limits<double>::infinity()), EConvertError);
    EXPECT_EQ(clock.Hours(), 9);
    EXPECT_EQ(clock.Minutes(), 8);
    EXPECT_EQ(clock.Seconds(), 7);
}

TEST_F(LedClockTick, ConstructionAndDefaults)
{
    TForm& form = MakeForm(300, 300);
    TDmLedClock& clock = form.Create<TDmLedClock>();
    EXPECT_EQ(clock.Width(), 200);
    EXPECT_EQ(clock.Height(), 200);
    EXPECT_TRUE(clock.ControlStyle() & csOpaque);
    EXPECT_FALSE(clock.ControlStyle() & csSetCaption);
    EXPECT_EQ(clock.Color(), clBlack);
    EXPECT_FALSE(clock.ParentColor());
    EXPECT_FALSE(clock.Active());
    EXPECT_TRUE(clock.Threaded());
    EXPECT_FALSE(clock.TickTimer()->Enabled());
    EXPECT_FALSE(clock.TickTimer()->TimerCreated());
    EXPECT_EQ(clock.TickTimer()->Interval(), 1000u);
    EXPECT_EQ(clock.LedSize(), 3);
    EXPECT_EQ(clock.Spacing(), 8);
    EXPECT_EQ(clock.TextAngle(), 10);
    EXPECT_EQ(clock.HoursColor(), 255);
    EXPECT_EQ(clock.AlarmTime(), 0.0);
    EXPECT_EQ(clock.Version(), "1.3");
    // It shows the time of its construction, and keeps it while inactive.
    EXPECT_EQ(clock.Hours(), 17);
    EXPECT_EQ(clock.Minutes(), 36);
    EXPECT_EQ(clock.Seconds(), 15);
    for (int i = 0; i < 3; ++i) App->ProcessMessages();
    Headless.AdvanceClock(5000);
    App->ProcessMessages();
    EXPECT_EQ(clock.Seconds(), 15);
}

TEST_F(LedClockTick, LoadedClockTicksFromItsWorkerUntilDeactivated)
{
    TForm& form = MakeForm(353, 345);
    TCountingLedClock* clock = nullptr;
    {
        TLoadingScope loading(form);
        clock = &form.Create<TCountingLedClock>();
        clock->SetParent(&form);
        clock->SetThreaded(true);
        clock->SetActive(true);  // the worker exists from here on
        EXPECT_TRUE(clock->TickTimer()->TimerCreated());
        clock->SetHours(9);  // design-time values, replaced by Loaded
        clock->SetMinutes(20);
        clock->SetSeconds(40);
        EXPECT_EQ(clock->Paints, 0);
    }
    EXPECT_EQ(clock->Hours(), 17);
    EXPECT_EQ(clock->Minutes(), 36);
    EXPECT_EQ(clock->Seconds(), 15);
    RunFor(5500);
    EXPECT_EQ(clock->Seconds(), 20);
    EXPECT_GE(clock->Paints, 5);

    clock->SetActive(false);
    const int paints = clock->Paints;
    RunFor(5000);
    EXPECT_EQ(clock->Paints, paints);
    EXPECT_EQ(clock->Seconds(), 20);

    clock->SetActive(true);
    RunFor(3000);
    EXPECT_GT(clock->Paints, paints);
    clock->Free();  // stops and waits for the worker
}

TEST_F(LedClockTick, WindowTimerSourceTicksToo)
{
    TCountingLedClock& clock = MakeClock();
    clock.SetThreaded(false);
    clock.SetActive(true);
    EXPECT_NE(clock.TickTimer()->TimerWindow(), 0u);
    EXPECT_EQ(clock.TickTimer()->TimerThread(), nullptr);
    RunFor(3500);
    EXPECT_EQ(clock.Seconds(), 18);
}

TEST_F(LedClockTick, HandlerErrorIsReportedAndTheClockKeepsTicking)
{
    TCountingLedClock& clock = MakeClock();
    int seconds = 0;
    clock.OnSecondsChanged = [&](TObject*, uint16_t) {
        if (++seconds == 2) throw Exception("seconds handler failed");
    };
    clock.SetActive(true);
    RunFor(4500);
    EXPECT_EQ(seconds, 4);
    ASSERT_EQ(Headless.MessageBoxes().size(), 1u);
    EXPECT_EQ(Headless.MessageBoxes()[0].text, "seconds handler failed.");
}

}  // namespace
