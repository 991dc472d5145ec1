// Termination signals as readable bytes: SIGTERM, SIGINT and SIGHUP are
// written by an async-signal-safe handler into a pipe that the main loop waits
// on together with the X connection, so a daemon's kill reaches the program's
// normal close path instead of ending it in the middle of a frame.
//
// A second signal that arrives before the main loop has read the first one
// ends the process with the signal's default action: a program whose main
// thread no longer serves its queue can still be stopped.
//
// One instance at a time per process (the handlers are process-wide).
#pragma once

namespace platform::x11 {

class SignalPipe {
public:
    SignalPipe();
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    // False when the pipe could not be made; no handler is installed then.
    bool Valid() const { return FReadFd >= 0; }
    int ReadFd() const { return FReadFd; }
    // Consumes what arrived; the number of signals. Reads the pipe only when a
    // signal came since the last drain, or when poll found it readable.
    int Drain(bool readable = false);

private:
    int FReadFd = -1;
    int FWriteFd = -1;
};

}  // namespace platform::x11
