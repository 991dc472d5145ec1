// A fresh headless backend and application for each test, and helpers to run
// the loop on the fake clock and read frames.
#pragma once

#include "classlib/forms/Application.h"
#include "classlib/windowing/MessageQueue.h"
#include "platform/headless/HeadlessPlatform.h"
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

class HeadlessTest : public ::testing::Test {
public:
    void SetUp() override
    {
        platform::SetPlatform(&hp);
        app = std::make_unique<TApplication>();
    }

    void TearDown() override
    {
        app.reset();
        platform::SetPlatform(&TestPlatform());
    }

    static platform::WindowId NativeOf(TWinControl& control) { return NativeWindowOf(control.Handle()); }

    // Handles messages until the fake clock has moved on by ms (idle handlers
    // run as in the real loop), or the application ends.
    void RunFor(int64_t ms)
    {
        const int64_t end = hp.MonotonicMs() + ms;
        while (!app->Terminated()) {
            app->ProcessMessages();
            const int64_t now = hp.MonotonicMs();
            if (now >= end) break;
            if (WaitMessage(static_cast<uint32_t>(end - now)) == TWaitOutcome::Stalled) break;
        }
    }

    // Shows the form and lets the loop paint and activate it.
    void ShowAndSettle(TCustomForm& form)
    {
        form.Show();
        app->ProcessMessages();
    }

    uint32_t Pixel(TWinControl& control, int x, int y) { return hp.WindowPixel(NativeOf(control), x, y); }

    platform::HeadlessPlatform hp;
    std::unique_ptr<TApplication> app;
};

inline void PrintTo(const TRect& r, std::ostream* os)
{
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

// 0x00RRGGBB of a TColor (system colours resolved).
inline uint32_t Px(TColor color) { return ColorToPixel(color); }
