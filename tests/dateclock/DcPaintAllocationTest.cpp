// A steady date line allocates nothing per paint. Every allocation of this
// test binary goes through the counting operator new below. The sanitizers
// bring allocators of their own, which a replacement would mismatch, so
// there the count is not taken.
#include "DcSaverFixture.h"

#include "classlib/Windowing.h"

#include <atomic>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VELMORA_COUNT_ALLOCATIONS 0
#else
#define VELMORA_COUNT_ALLOCATIONS 1
#endif

namespace {
std::atomic<long> gAllocations{0};
}

#if VELMORA_COUNT_ALLOCATIONS
// The compiler cannot see that these new and delete pair malloc with free.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size)
{
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete[](void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
#pragma GCC diagnostic pop
#endif

namespace {

TEST_F(DateLineTest, SteadyPaintsAllocateNothing)
{
    if (!VELMORA_COUNT_ALLOCATIONS) GTEST_SKIP() << "allocations are counted without the sanitizers";
    const long atStart = gAllocations.load();
    ShowAndSettle();
    ASSERT_GT(gAllocations.load() - atStart, 0) << "the counter sees the allocations of showing the form";
    TDcClock& clock = *form->Clock;
    // Warm up: the first ticks size the bitmaps and take the contexts.
    for (int i = 0; i < 3; ++i) {
        clock.OnTimer(nullptr);
        FreeDeviceContexts();
    }
    const long before = gAllocations.load();
    for (int i = 0; i < 20; ++i) {
        clock.OnTimer(nullptr);
        FreeDeviceContexts();
    }
    EXPECT_EQ(gAllocations.load() - before, 0) << "allocations in 20 ticks of the date line";

    // The same through the message loop: the timer's message, the paint, the present.
    const long beforeLoop = gAllocations.load();
    for (int i = 0; i < 5; ++i) Run(1000);
    EXPECT_EQ(gAllocations.load() - beforeLoop, 0) << "allocations in 5 seconds of the running saver";
}

} // namespace
