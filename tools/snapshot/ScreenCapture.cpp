#include "tools/snapshot/ScreenCapture.h"

#include "classlib/forms/Application.h"
#include "classlib/windowing/DefWindowProc.h"
#include "classlib/windowing/WindowTimers.h"
#include "classlib/windowing/WindowTree.h"

#include <algorithm>

namespace {
constexpr uintptr_t kCaptureTimer = 1;
}

TScreenCapture::TScreenCapture(platform::HeadlessPlatform& platform, std::optional<int> runMs)
    : FPlatform(platform), FRunMs(runMs && *runMs > 0 ? runMs : std::nullopt)
{
}

TScreenCapture::~TScreenCapture()
{
    if (FTimerWindow) DeallocateHWnd(FTimerWindow);
}

void TScreenCapture::Arm()
{
    if (FRunMs) {
        FTimerWindow = AllocateHWnd([this](TMessage& message) { TimerWndProc(message); });
        SetTimer(FTimerWindow, kCaptureTimer, static_cast<UINT>(*FRunMs));
        return;
    }
    // Paints come before idle in the loop, so the first idle call sees the
    // first frame presented. The program's own idle handler runs afterwards.
    TIdleEvent previous = Application->OnIdle;
    Application->OnIdle = [this, previous](TObject* Sender, bool& Done) {
        if (!FTaken) {
            Take();
            Application->Terminate();
            return;
        }
        if (previous) previous(Sender, Done);
    };
}

void TScreenCapture::TimerWndProc(TMessage& message)
{
    if (message.Msg != WM_TIMER) {
        DefWindowProc(FTimerWindow, message);
        return;
    }
    KillTimer(FTimerWindow, kCaptureTimer);
    if (FTaken) return;
    Take();
    Application->Terminate();
}

void TScreenCapture::Take()
{
    FImage = FPlatform.ComposeScreen();
    FTaken = true;
}

void TScreenCapture::TakeAfterRun()
{
    Take();
    for (const auto& box : FPlatform.MessageBoxes()) {
        const auto* window = FPlatform.Window(box.window);
        if (!window || box.pixels.empty()) continue;
        const int left = window->params.bounds.left;
        const int top = window->params.bounds.top;
        for (int y = std::max(0, -top); y < box.height && top + y < FImage.height; ++y)
            for (int x = std::max(0, -left); x < box.width && left + x < FImage.width; ++x)
                FImage.pixels[static_cast<size_t>(top + y) * FImage.width + (left + x)] =
                    box.pixels[static_cast<size_t>(y) * box.width + x];
    }
}
