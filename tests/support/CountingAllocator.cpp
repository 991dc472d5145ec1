// The counting global allocation functions; linked into a test binary when
// it reads the counts.
#include "tests/support/CountingAllocator.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace CountingAllocator {
namespace {
std::atomic<long> gTotal{0};
thread_local long tOnThisThread = 0;
std::atomic<long> gBytesInUse{0};
std::atomic<long> gPeakBytes{0};
}  // namespace

long Total() { return gTotal.load(std::memory_order_relaxed); }
long OnThisThread() { return tOnThisThread; }
void ResetPeak() { gPeakBytes.store(gBytesInUse.load()); }
long PeakBytesSinceReset(long inUseAtReset) { return gPeakBytes.load() - inUseAtReset; }
long BytesInUse() { return gBytesInUse.load(); }

[[gnu::noinline]] void* Allocate(std::size_t size)
{
    gTotal.fetch_add(1, std::memory_order_relaxed);
    ++tOnThisThread;
    void* p = std::malloc(size ? size : 1);
    if (p) {
        const long now = gBytesInUse.fetch_add(static_cast<long>(malloc_usable_size(p))) +
                         static_cast<long>(malloc_usable_size(p));
        long peak = gPeakBytes.load(std::memory_order_relaxed);
        while (now > peak && !gPeakBytes.compare_exchange_weak(peak, now)) {
        }
    }
    return p;
}

[[gnu::noinline]] void Free(void* p)
{
    if (p) gBytesInUse.fetch_sub(static_cast<long>(malloc_usable_size(p)));
    std::free(p);
}
}  // namespace CountingAllocator

// Out of line, so that the compiler does not pair the malloc and free inside
// with the new and delete of callers.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
[[gnu::noinline]] void* operator new(std::size_t size)
{
    if (void* p = CountingAllocator::Allocate(size)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void* operator new[](std::size_t size)
{
    if (void* p = CountingAllocator::Allocate(size)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return CountingAllocator::Allocate(size);
}
[[gnu::noinline]] void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return CountingAllocator::Allocate(size);
}
[[gnu::noinline]] void operator delete(void* p) noexcept { CountingAllocator::Free(p); }
[[gnu::noinline]] void operator delete[](void* p) noexcept { CountingAllocator::Free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { CountingAllocator::Free(p); }
[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept { CountingAllocator::Free(p); }
[[gnu::noinline]] void operator delete(void* p, const std::nothrow_t&) noexcept { CountingAllocator::Free(p); }
[[gnu::noinline]] void operator delete[](void* p, const std::nothrow_t&) noexcept { CountingAllocator::Free(p); }
#pragma GCC diagnostic pop
