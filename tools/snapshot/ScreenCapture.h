// Takes the picture for the snapshot tool while the program runs: after a
// given stretch of simulated time (a timer on a hidden window), or at the
// first idle moment, when the first frame is complete. Then it ends the run.
#pragma once

#include "classlib/windowing/Messages.h"
#include "platform/headless/HeadlessPlatform.h"

#include <optional>

class TScreenCapture {
public:
    TScreenCapture(platform::HeadlessPlatform& platform, std::optional<int> runMs);
    ~TScreenCapture();
    TScreenCapture(const TScreenCapture&) = delete;
    TScreenCapture& operator=(const TScreenCapture&) = delete;

    // Call once the application and its main form exist, before the loop.
    void Arm();
    bool Taken() const { return FTaken; }
    // The screen after the run: what was left on it, with the message boxes
    // that were shown drawn where they appeared.
    void TakeAfterRun();
    const platform::HeadlessPlatform::ScreenImage& Image() const { return FImage; }

private:
    void Take();
    void TimerWndProc(TMessage& message);

    platform::HeadlessPlatform& FPlatform;
    std::optional<int> FRunMs;
    HWND FTimerWindow = 0;
    bool FTaken = false;
    platform::HeadlessPlatform::ScreenImage FImage;
};
