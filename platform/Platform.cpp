#include "platform/Platform.h"

#include "platform/headless/HeadlessPlatform.h"

#include <atomic>

namespace platform {

namespace {
std::atomic<IPlatform*> gPlatform{nullptr};

IPlatform& DefaultPlatform()
{
    static HeadlessPlatform headless;
    return headless;
}
}  // namespace

IPlatform& GetPlatform()
{
    IPlatform* current = gPlatform.load(std::memory_order_acquire);
    return current ? *current : DefaultPlatform();
}

void SetPlatform(IPlatform* platform)
{
    gPlatform.store(platform, std::memory_order_release);
}

}  // namespace platform
