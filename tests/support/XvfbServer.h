// Starts a private Xvfb for a test or benchmark program and stops it again.
//
// The server is asked to report its display number on a pipe once it is
// ready (-displayfd), so a number taken by someone else is noticed by our own
// server exiting, never by connecting to the other one.
#pragma once

#include <string>

#include <sys/types.h>

namespace velmora_test {

class XvfbServer {
public:
    XvfbServer() = default;
    ~XvfbServer() { Stop(); }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Tries :firstDisplay upward; false (with Failure() telling why) when no
    // server could be started within the bounded wait. With retro the root
    // shows its stipple rather than black, so a window that does not cover
    // the screen shows.
    bool Start(int firstDisplay = 90, int width = 1920, int height = 1080, bool retro = false);
    // Terminates the server by its pid and reaps it; idempotent.
    void Stop();

    bool Running() const { return FPid > 0; }
    pid_t Pid() const { return FPid; }
    // ":90" and so on.
    const std::string& DisplayName() const { return FDisplayName; }
    const std::string& Failure() const { return FFailure; }

private:
    // 1: started; 0: that display is taken; -1: cannot start at all.
    int TryDisplay(int number, int width, int height, bool retro);

    pid_t FPid = -1;
    std::string FDisplayName;
    std::string FFailure;
};

}  // namespace velmora_test
