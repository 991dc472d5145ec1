// Protocol errors and the loss of the connection.
//
// Xlib's default handlers print and exit the process on any protocol error,
// which would turn a stale window id (a foreign window that went away, a
// window the server already destroyed with its parent) into a crash. The
// backend installs handlers that record errors instead; code that needs to
// know whether a request failed opens an X11ErrorTrap around it.
#pragma once

#include "platform/x11/X11SeamNames.h"
#include <X11/Xlib.h>

#include <string>

namespace platform::x11 {

// Installs the process-wide error and connection-loss handlers (idempotent).
// Losing the connection writes one line to standard error and ends the
// process with exit code 0: a screensaver whose display went away has
// nothing left to show, and a core dump would only fill the daemon's log.
void InstallX11ErrorHandlers();

// Records the first protocol error caused by requests made while it lives.
// Main thread only; traps nest (the innermost one records).
class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits until the server has answered every request made so far and
    // tells whether one of them failed.
    bool Failed();
    int ErrorCode() const { return FErrorCode; }
    // The server's text for the error, e.g. "BadWindow (invalid Window parameter)".
    std::string ErrorText() const;

private:
    friend int RecordError(Display*, XErrorEvent*);
    Display* FDisplay;
    unsigned long FFirstSerial;
    unsigned long FSyncedUpTo = 0;
    X11ErrorTrap* FOuter;
    int FErrorCode = 0;
};

// The server's text for an error code.
std::string X11ErrorText(Display* display, int code);

}  // namespace platform::x11
