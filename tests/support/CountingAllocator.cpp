// The counting global allocation functions; linked into a test binary when
// it reads the counts.
#include "tests/support/CountingAllocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace CountingAllocator {
namespace {
std::atomic<long> gTotal{0};
thread_local long tOnThisThread = 0;
}  // namespace

long Total() { return gTotal.load(std::memory_order_relaxed); }
long OnThisThread() { return tOnThisThread; }

[[gnu::noinline]] void* Allocate(std::size_t size)
{
    gTotal.fetch_add(1, std::memory_order_relaxed);
    ++tOnThisThread;
    return std::malloc(size ? size : 1);
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
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
#pragma GCC diagnostic pop
