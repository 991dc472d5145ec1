// A descriptor that another thread makes readable to end the main loop's
// wait at once (Wake() of the seam).
#pragma once

#include <atomic>

namespace platform::x11 {

class WakeChannel {
public:
    WakeChannel();
    ~WakeChannel();
    WakeChannel(const WakeChannel&) = delete;
    WakeChannel& operator=(const WakeChannel&) = delete;

    bool Valid() const { return FFd >= 0; }
    int Fd() const { return FFd; }
    // Any thread; async-signal-safe.
    void Signal();
    // Main thread: consumes the wake-ups; true when there was at least one.
    // Reads the descriptor only when a wake-up came since the last drain, or
    // when poll found it readable.
    bool Drain(bool readable = false);

private:
    int FFd = -1;
    std::atomic<bool> FRaised{false};
};

}  // namespace platform::x11
