// Replaces the global allocation functions of a test binary with ones that
// count: include this header from exactly one source file of the binary.
// Every plain and nothrow form of new and delete is replaced, so each block
// is freed by the family that allocated it (under the sanitizers too, whose
// malloc and free these call); the aligned forms stay as they are.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

namespace CountingAllocator {
inline std::atomic<long> gTotal{0};
inline thread_local long tOnThisThread = 0;

// Allocations so far, on every thread and on the calling one.
inline long Total() { return gTotal.load(std::memory_order_relaxed); }
inline long OnThisThread() { return tOnThisThread; }

[[gnu::noinline]] inline void* Allocate(std::size_t size)
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
