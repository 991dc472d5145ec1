// Counting of heap allocations for the tests that check a path allocates
// nothing. A test binary that calls these gets global allocation functions that
// count (CountingAllocator.cpp): every plain and nothrow form of new and delete
// is replaced, so each block is freed by the family that allocated it (under
// the sanitizers too, whose malloc and free these call); the aligned forms stay
// as they are.
#pragma once

namespace CountingAllocator {
// Allocations so far, on every thread and on the calling one.
long Total();
long OnThisThread();
}  // namespace CountingAllocator
