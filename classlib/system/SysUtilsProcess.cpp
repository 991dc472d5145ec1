// The running process: its executable and sleeping.
#include "classlib/system/SysUtils.h"
#include "platform/Platform.h"

#include <unistd.h>

std::string ExecutableFileName()
{
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    // A path that fills the buffer may be cut short: no path rather than a wrong one.
    if (n <= 0 || static_cast<size_t>(n) >= sizeof buffer) return {};
    return std::string(buffer, static_cast<size_t>(n));
}

void Sleep(uint32_t ms)
{
    platform::GetPlatform().Sleep(ms);
}
