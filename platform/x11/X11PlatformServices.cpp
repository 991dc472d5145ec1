// Clocks, threads, the shell and the factory: the parts that need no display.
#include "platform/StdThreading.h"
#include "platform/x11/CreateX11Platform.h"
#include "platform/x11/DesktopShell.h"
#include "platform/x11/X11Platform.h"

#include <thread>

namespace platform {

int64_t X11Platform::WallClockMs()
{
    return StdWallClockMs();
}

LocalTime X11Platform::LocalTimeOf(int64_t wallClockMs)
{
    return StdLocalTimeOf(wallClockMs);
}

int64_t X11Platform::MonotonicMs()
{
    return StdMonotonicMs();
}

void X11Platform::Sleep(uint32_t ms)
{
    // What was presented goes out before the pause.
    if (std::this_thread::get_id() == FDisplayThread) XFlush(FDisplay);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::unique_ptr<IEvent> X11Platform::CreateEvent(bool manualReset, bool initiallySignalled)
{
    return CreateStdEvent(manualReset, initiallySignalled);
}

std::unique_ptr<IThread> X11Platform::StartThread(std::function<void()> body)
{
    return StartStdThread(std::move(body));
}

bool X11Platform::ShellOpen(const std::string& target, Error* error)
{
    return x11::OpenWithDesktop(target, error);
}

bool X11Platform::RunCommand(const std::string& commandLine, Error* error)
{
    return x11::RunDetached(commandLine, error);
}

std::unique_ptr<IPlatform> CreateX11Platform()
{
    return X11Platform::Open();
}

}  // namespace platform
