#include "platform/Platform.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
std::atomic<IPlatform*> gPlatform{nullptr};
}  // namespace

IPlatform& GetPlatform()
{
    IPlatform* current = gPlatform.load(std::memory_order_acquire);
    if (!current) {
        // A program that reaches the operating system before choosing a backend
        // is wrong wherever it runs; stop at once rather than guess one.
        std::fputs("velmora: no platform backend is installed (platform::SetPlatform)\n", stderr);
        std::abort();
    }
    return *current;
}

IPlatform* SetPlatform(IPlatform* platform)
{
    return gPlatform.exchange(platform, std::memory_order_acq_rel);
}

}  // namespace platform
