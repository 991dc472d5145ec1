// The date line: its text in every mode, its size, its timer, and the
// picture it leaves on a saver-like form.
#include "classlib/controls/ControlRegistry.h"
#include "classlib/system/DateFormat.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/FormatSettings.h"
#include "classlib/windowing/WindowGeometry.h"
#include "DcSaverFixture.h"
#include "DcTestPixels.h"
#include "tests/support/PixelCompare.h"

#include <functional>

namespace {

// Red pixels of the form's window inside rect.
int RedPixels(DateLineTest& t, const TRect& rect, std::function<TColor(int, int)> pixel)
{
    int count = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            if (pixel(x, y) == clRed) ++count;
    return count;
}

struct TTextCase {
    const char* Name;
    std::function<void(TDcClock&)> Setup;
    std::string Expected;
};

TEST_F(DateLineTest, TextInEveryMode)
{
    const TTextCase cases[] = {
        {"date", [](TDcClock& c) { c.SetMode(cmDate); }, "Thu 4/26/2012"},
        {"time", [](TDcClock& c) { c.SetMode(cmNormal); }, "17:36:15"},
        {"time without seconds", [](TDcClock& c) { c.SetMode(cmNormal); c.SetDigitalShowSecs(false); }, "17:36"},
        {"12-hour time", [](TDcClock& c) { c.SetMode(cmNormal); c.SetOptions({coShowAnalog}); }, "05:36:15 p"},
        {"custom format",
         [](TDcClock& c) {
             c.SetMode(cmNormal);
             c.SetCustomDateTimeFormat("nn");
             c.SetUseCustomDateTime(true);
         },
         "36"},
        {"fixed time", [](TDcClock& c) { c.SetMode(cmNormal); c.SetOptions({coShowAnalog, co24Hour, coFixed}); }, "00:00:00"},
        {"fixed date moved by an offset",
         [](TDcClock& c) {
             c.SetMode(cmDate);
             c.SetOptions({coShowAnalog, co24Hour, coFixed, coOffset});
             c.TimeOffset()->SetDays(1);
             c.TimeOffset()->SetHours(25);
         },
         "Wed 1/3/1990"},
        {"alarm not enabled",
         [](TDcClock& c) {
             c.SetMode(cmAlarm);
             c.SetAlarmTime(EncodeTime(7, 30, 0, 0));
         },
         "NA 07:30:00"},
        {"alarm enabled",
         [](TDcClock& c) {
             c.SetMode(cmAlarm);
             c.SetOptions({coShowAnalog, co24Hour, coEnableAlarm});
             c.SetAlarmTime(EncodeTime(19, 5, 0, 0));
         },
         "A 19:05:00"},
        {"alarm in 12-hour time",
         [](TDcClock& c) {
             c.SetMode(cmAlarm);
             c.SetOptions({coShowAnalog});
             c.SetAlarmTime(EncodeTime(7, 30, 0, 0));
         },
         "NA 07:30:00 a"},
        {"countdown ended", [](TDcClock& c) { c.SetMode(cmCountdown); }, "C 00:00:00"},
        {"countdown running", [](TDcClock& c) { c.StartCountdown(); }, "C 00:01:00"},
        {"countdown longer than a day",
         [](TDcClock& c) {
             c.Countdown()->SetHour(30);
             c.StartCountdown();
         },
         "C 30:01:00"},
        {"disabled", [](TDcClock& c) { c.SetEnabled(false); }, "--- NA ---"},
    };
    for (const TTextCase& c : cases) {
        TDcClock& clock = form->Create<TDcClock>();
        c.Setup(clock);
        EXPECT_EQ(clock.GetDigitalText(), c.Expected) << c.Name;
        clock.Free();
    }
}

TEST_F(DateLineTest, StopwatchShowsTheElapsedTime)
{
    TDcClock& clock = form->Create<TDcClock>();
    int starts = 0, ends = 0;
    clock.OnStopWatchStart = [&](TObject*) { ++starts; };
    clock.OnStopWatchEnd = [&](TObject*) { ++ends; };
    clock.StartStpWatch();
    EXPECT_EQ(clock.Mode(), cmStopwatch);
    Run(90 * 1000);
    EXPECT_EQ(clock.GetDigitalText(), "S " + FormatDateTime("tt", 90.0 / SecsPerDay));
    clock.EndStpWatch();
    EXPECT_NEAR(clock.Stopwatch() * SecsPerDay, 90.0, 1e-6);
    EXPECT_EQ(clock.GetDigitalText(), "S " + FormatDateTime("tt", clock.Stopwatch()));
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(ends, 1);
    clock.Free();
}

TEST_F(DateLineTest, DateFollowsTheRegionalSettings)
{
    const TFormatSettings saved = FormatSettings();
    ASSERT_TRUE(LoadFormatSettings("de_DE.UTF-8")) << "scripts/setup installs de_DE.UTF-8";
    EXPECT_EQ(form->Clock->GetDigitalText(), "Do 26.04.2012");
    // No regional setting at all: a two-digit year.
    ASSERT_TRUE(LoadFormatSettings("C"));
    EXPECT_EQ(form->Clock->GetDigitalText(), "Thu 4/26/12");
    SetFormatSettings(saved);
}

TEST_F(DateLineTest, SizesItselfToItsTextKeepingItsLeftEdge)
{
    form->Clock->SetBounds(80, 205, 100, 30);
    ShowAndSettle();
    EXPECT_EQ(form->Clock->BoundsRect(), Bounds(80, 205, 169, 21));
    // A shorter date at the next tick: the right edge moves in.
    SetNow(EncodeDate(2012, 5, 5) + EncodeTime(12, 0, 0, 0));
    Run(1000);
    EXPECT_EQ(form->Clock->GetDigitalText(), "Sat 5/5/2012");
    EXPECT_EQ(form->Clock->BoundsRect(), Bounds(80, 205, 12 * 13, 21));
}

TEST_F(DateLineTest, RepaintsEverySecondOnItsOwnTimerOrThePool)
{
    for (bool pool : {false, true}) {
        SCOPED_TRACE(pool ? "shared pool" : "own timer");
        form->Clock->SetUseGlobalTimer(pool);
        EXPECT_EQ(form->Clock->TickTimer()->Interval(), pool ? 500u : 1000u);
        SetNow(EncodeDate(2012, 4, 26) + EncodeTime(23, 59, 59, 500));
        ShowAndSettle();
        Run(pool ? 500 : 1000);
        EXPECT_EQ(form->Clock->GetDigitalText(), "Fri 4/27/2012");
        // The frame shows what a renderer of the same settings draws.
        TDcLED reference;
        reference.Assign(form->Clock->Digital());
        auto expected = BlankBitmap(169, 21, clBlack);
        reference.PaintLED(expected->Canvas(), Rect(0, 0, 169, 21), "Fri 4/27/2012", true, true);
        TBitmap actual(169, 21);
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 169; ++x) actual.ScanLine(y)[x] = hp.WindowPixel(hp.TopWindow(), 80 + x, 205 + y);
        EXPECT_TRUE(SamePixels(ViewOf(*expected), ViewOf(actual)));
    }
}

TEST_F(DateLineTest, DisabledClockShowsNoLitSegmentAndStopsTicking)
{
    ShowAndSettle();
    form->Clock->SetEnabled(false);
    Application->ProcessMessages();
    EXPECT_FALSE(form->Clock->TickTimer()->Enabled());
    EXPECT_EQ(form->Clock->BoundsRect(), Bounds(80, 205, 130, 21));
    Run(1000);
    EXPECT_EQ(RedPixels(*this, form->Panel->BoundsRect(), [&](int x, int y) { return FramePixel(x, y); }), 0);

    form->Clock->SetEnabled(true);
    Application->ProcessMessages();
    EXPECT_TRUE(form->Clock->TickTimer()->Enabled());
    EXPECT_EQ(form->Clock->BoundsRect(), Bounds(80, 205, 169, 21));
    EXPECT_GT(RedPixels(*this, form->Clock->BoundsRect(), [&](int x, int y) { return FramePixel(x, y); }), 0);
}

TEST_F(DateLineTest, OptionsWithoutAClockStyleAreRefused)
{
    TDcClock& clock = *form->Clock;
    const TDcClockOptions before = clock.Options();
    for (TDcClockOptions refused : {TDcClockOptions{}, TDcClockOptions{coEnableAlarm, co24Hour}}) {
        try {
            clock.SetOptions(refused);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "One clock style must be active!");
        }
        EXPECT_EQ(clock.Options(), before);
    }
    clock.SetDigitalPosX(5);
    clock.SetOptions({coShowDigital});
    EXPECT_EQ(clock.DigitalPosX(), 0) << "leaving the analog face resets the digital position";
}

TEST_F(DateLineTest, NewActiveColourShowsAtOnce)
{
    ShowAndSettle();
    form->Clock->Digital()->SetActiveColor(clLime);
    // The clock painted straight away; the loop presents that after each message.
    FreeDeviceContexts();
    int lime = 0;
    for (int y = 205; y < 226; ++y)
        for (int x = 80; x < 249; ++x) lime += FramePixel(x, y) == clLime;
    EXPECT_GT(lime, 0);
    EXPECT_EQ(RedPixels(*this, form->Clock->BoundsRect(), [&](int x, int y) { return FramePixel(x, y); }), 0);
}

// An alarm sounds for RepeatAlarm ticks after the first: OnAlarm on every
// tick, digits blank on every other paint, then back to the time.
TEST_F(DateLineTest, AlarmFlashesForItsTicksAndEnds)
{
    TDcClock& clock = *form->Clock;
    clock.SetMode(cmAlarm);
    clock.SetOptions({coShowAnalog, co24Hour, coEnableAlarm});
    clock.SetAlarmTime(Now() + 1.5 / SecsPerDay);
    clock.SetRepeatAlarm(3);
    int alarms = 0;
    clock.OnAlarm = [&](TObject*) { ++alarms; };
    ShowAndSettle();
    std::vector<int> lit;
    for (int tick = 0; tick < 8; ++tick) {
        Run(1000);
        lit.push_back(RedPixels(*this, clock.BoundsRect(), [&](int x, int y) { return FramePixel(x, y); }));
    }
    EXPECT_EQ(alarms, 4);
    EXPECT_FALSE(clock.AlarmActive());
    EXPECT_EQ(clock.Mode(), cmNormal);
    EXPECT_FALSE(clock.Digital()->Flashing());
    // The first tick shows the alarm time, the next four sound (blank, lit,
    // blank, lit), and then the clock shows the time again.
    const bool expected[] = {true, false, true, false, true, true, true, true};
    ASSERT_EQ(lit.size(), 8u);
    for (size_t i = 0; i < lit.size(); ++i) EXPECT_EQ(lit[i] > 0, expected[i]) << "tick " << i;
}

TEST_F(DateLineTest, CountdownEndRaisesTheAlarm)
{
    TDcClock& clock = *form->Clock;
    clock.SetOptions({coShowAnalog, co24Hour, coEnableAlarm});
    clock.Countdown()->SetMinute(0);
    clock.Countdown()->SetSecond(2);
    int ends = 0;
    clock.OnCountdownEnd = [&](TObject*) { ++ends; };
    clock.StartCountdown();
    ShowAndSettle();
    EXPECT_EQ(clock.GetDigitalText(), "C 00:00:02");
    Run(1000);
    EXPECT_EQ(ends, 0);
    Run(1000);
    Run(1000);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(clock.Mode(), cmNormal);
    EXPECT_TRUE(clock.AlarmActive());
}

TEST_F(DateLineTest, PanelShowsItsColourBeneathTheClock)
{
    ShowAndSettle();
    EXPECT_EQ(FramePixel(10, 10), clBlack) << "a transparent panel without a background image shows its Color";
    EXPECT_EQ(FramePixel(352, 344), clBlack);
    EXPECT_EQ(FramePixel(360, 10), clBlue);
    EXPECT_FALSE(form->Panel->BackgroundPainted());
    EXPECT_FALSE(form->Panel->CheckOptimized());
}

TEST_F(DateLineTest, PanelAlignsChildrenInsideItsBevel)
{
    TDcBackPanel& child = form->Create<TDcBackPanel>();
    static_cast<TControl&>(child).SetParent(form->Panel);
    child.SetAlign(alClient);
    EXPECT_EQ(child.BoundsRect(), Rect(0, 0, 353, 345));
    form->Panel->Bevel()->SetBorderWidth(2);
    form->Panel->Bevel()->SetBorderInnerWidth(1);
    EXPECT_EQ(child.BoundsRect(), Rect(3, 3, 350, 342));
    form->Panel->Bevel()->SetStyleOuter(bvShadow);
    // A drop shadow widens only the right and bottom border.
    EXPECT_EQ(child.BoundsRect(), Rect(2, 2, 350, 342));
}

} // namespace
