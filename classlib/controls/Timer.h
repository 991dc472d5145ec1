// TTimer: a window-message timer.
#pragma once

#include "classlib/system/Component.h"
#include "classlib/windowing/Messages.h"

// Calls OnTimer every Interval milliseconds through WM_TIMER of a hidden
// utility window. No source runs without a handler, with Interval 0 or while
// disabled.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    UINT Interval() const { return FInterval; }
    void SetInterval(UINT value);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent handler);

protected:
    // Raises OnTimer.
    virtual void Timer();
    void Loaded() override;
    // Raises EOutOfResources "No timer resources left." when the timer cannot be set.
    void UpdateTimer();

private:
    void WndProc(TMessage& message);
    HWND FWindowHandle = 0;
    UINT FInterval = 1000;
    bool FEnabled = true;
    TNotifyEvent FOnTimer;
};
