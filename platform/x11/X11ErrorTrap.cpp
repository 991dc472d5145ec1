#include "platform/x11/X11ErrorTrap.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace platform::x11 {

namespace {
// Xlib is used from the main thread only, so the innermost trap needs no lock.
X11ErrorTrap* gInnermostTrap = nullptr;

int OnConnectionLost(Display* display)
{
    // Called by Xlib when a read or write on the connection fails; returning
    // would make Xlib exit(1) after printing its own message.
    char line[256];
    const char* name = display ? DisplayString(display) : "";
    const int n = std::snprintf(line, sizeof line, "velmora: lost the connection to the X server %s; exiting\n",
                                name && *name ? name : "(unknown)");
    if (n > 0) {
        const ssize_t ignored = write(STDERR_FILENO, line, static_cast<size_t>(n) < sizeof line ? n : sizeof line - 1);
        (void)ignored;
    }
    _exit(0);
}
}  // namespace

int RecordError(Display* display, XErrorEvent* error)
{
    X11ErrorTrap* trap = gInnermostTrap;
    // Errors of requests older than the trap belong to nobody: they are
    // asynchronous leftovers (e.g. drawing into a window destroyed meanwhile).
    if (trap && trap->FDisplay == display && error->serial >= trap->FFirstSerial && trap->FErrorCode == 0)
        trap->FErrorCode = error->error_code;
    return 0;
}

void InstallX11ErrorHandlers()
{
    XSetErrorHandler(RecordError);
    XSetIOErrorHandler(OnConnectionLost);
}

X11ErrorTrap::X11ErrorTrap(Display* display)
    : FDisplay(display), FFirstSerial(NextRequest(display)), FOuter(gInnermostTrap)
{
    gInnermostTrap = this;
}

X11ErrorTrap::~X11ErrorTrap()
{
    // Errors of our requests that arrive later must not land in the outer trap.
    if (NextRequest(FDisplay) != FSyncedUpTo) XSync(FDisplay, False);
    gInnermostTrap = FOuter;
}

bool X11ErrorTrap::Failed()
{
    XSync(FDisplay, False);
    FSyncedUpTo = NextRequest(FDisplay);
    return FErrorCode != 0;
}

std::string X11ErrorTrap::ErrorText() const
{
    return X11ErrorText(FDisplay, FErrorCode);
}

std::string X11ErrorText(Display* display, int code)
{
    char text[256] = {};
    XGetErrorText(display, code, text, sizeof text);
    return text;
}

}  // namespace platform::x11
