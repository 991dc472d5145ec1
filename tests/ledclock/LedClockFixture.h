// A headless application with a borderless form hosting one LED clock, and
// pixel helpers for the clock's off-screen bitmap.
#pragma once

#include "classlib/forms/Application.h"
#include "classlib/graphics/Bitmap.h"
#include "classlib/windowing/MessageQueue.h"
#include "classlib/windowing/WindowGeometry.h"
#include "ledclock/DmLedClock.h"
#include "platform/headless/HeadlessPlatform.h"
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

#include <memory>

class LedClockFixture : public ::testing::Test {
protected:
    LedClockFixture()
    {
        platform::SetPlatform(&Headless);
        Headless.SetLocalTime(2012, 4, 26, 17, 36, 15);
        App = std::make_unique<TApplication>();
    }
    ~LedClockFixture() override
    {
        App.reset();
        platform::SetPlatform(&TestPlatform());
    }

    // A shown borderless form of the given client size.
    TForm& MakeForm(int width, int height)
    {
        TForm& form = App->Create<TForm>();
        form.SetBorderStyle(bsNone);
        form.SetBounds(0, 0, width, height);
        form.SetColor(clBlack);
        form.Show();
        App->ProcessMessages();
        return form;
    }

    // A clock on a form of its size, configured like the saver's (353 x 345) and
    // not ticking; its picture is painted once.
    TDmLedClock& MakeSaverClock()
    {
        TForm& form = MakeForm(353, 345);
        TDmLedClock& clock = form.Create<TDmLedClock>();
        clock.SetParent(&form);
        clock.SetBounds(0, 0, 353, 345);
        clock.SetLedSize(6);
        clock.SetSpacing(20);
        clock.SetTextOffsetX(25);
        clock.SetTextOffsetY(-10);
        clock.SetTextAngle(5);
        return clock;
    }

    // The preview's settings on a 152 x 112 clock.
    TDmLedClock& MakePreviewClock()
    {
        TForm& form = MakeForm(152, 112);
        TDmLedClock& clock = form.Create<TDmLedClock>();
        clock.SetParent(&form);
        clock.SetSecWidth(1);
        clock.SetTickWidth(1);
        clock.SetLedSize(1);
        clock.SetSpacing(2);
        clock.SetAlign(alClient);
        return clock;
    }

    // Serves messages, timers and hand-offs until the fake clock has advanced
    // by exactly ms (waits end at that instant, so nothing later is handled).
    void RunFor(uint32_t ms)
    {
        const int64_t end = Headless.MonotonicMs() + ms;
        for (int64_t now = Headless.MonotonicMs(); now < end; now = Headless.MonotonicMs()) {
            if (WaitMessage(static_cast<uint32_t>(end - now)) == TWaitOutcome::Stalled) break;
            App->ProcessMessages();
        }
        App->ProcessMessages();
    }

    platform::HeadlessPlatform Headless;
    std::unique_ptr<TApplication> App;
};

// The clock's off-screen picture as a pixel view.
inline const TPixelSurface& ClockPicture(TDmLedClock& clock)
{
    return clock.GetBitmapCanvas()->Surface();
}

// The bounding box of the pixels within area that differ from background.
inline TRect LitBounds(const TPixelSurface& picture, const TRect& area, uint32_t background = 0)
{
    TRect lit;
    const TRect clipped = IntersectRect(area, picture.BoundsRect());
    for (int y = clipped.Top; y < clipped.Bottom; ++y)
        for (int x = clipped.Left; x < clipped.Right; ++x)
            if (picture.Row(y)[x] != background) lit = UnionRect(lit, TRect(x, y, x + 1, y + 1));
    return lit;
}

inline bool IsLit(const TPixelSurface& picture, TPoint p)
{
    return PtInRect(picture.BoundsRect(), p) && picture.Row(p.Y)[p.X] != 0;
}

// A copy of the clock's current picture.
inline std::unique_ptr<TBitmap> CopyPicture(TDmLedClock& clock)
{
    const TPixelSurface& s = ClockPicture(clock);
    auto copy = std::make_unique<TBitmap>(s.Width, s.Height);
    for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x) copy->ScanLine(y)[x] = s.Row(y)[x];
    return copy;
}
