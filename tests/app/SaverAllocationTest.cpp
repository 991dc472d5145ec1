// The saver's idle pass (motion step, paint and present) allocates nothing
// once it runs steadily. Global operator new is replaced in this test binary
// by one that counts while asked to (every plain and nothrow form, so that
// each allocation is freed by its own family; the aligned forms stay as they are).
#include "classlib/Forms.h"
#include "tests/app/VelmoraSession.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};

void* CountedAllocation(size_t size)
{
    if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(size_t size)
{
    return CountedAllocation(size);
}
void* operator new[](size_t size)
{
    return CountedAllocation(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    try {
        return CountedAllocation(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept
{
    try {
        return CountedAllocation(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, size_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}

TEST(SaverAllocationTest, ThousandIdlePassesAllocateNothing)
{
    for (const auto& [width, height] : {std::pair{1920, 1080}, std::pair{640, 480}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        TVelmoraSession session;
        session.Platform.SetScreenSize(width, height);
        constexpr int kWarmUp = 200;
        constexpr int kCounted = 1000;
        long allocations = -1;
        session.Run({"/s"}, [&] {
            session.AfterEachPass([&](int pass) {
                if (pass == kWarmUp) {
                    gAllocations = 0;
                    gCounting = true;
                } else if (pass == kWarmUp + kCounted) {
                    gCounting = false;
                    allocations = gAllocations;
                    Application->Terminate();
                }
            });
        }, 120000);
        EXPECT_EQ(allocations, 0);
    }
}
