// Counting of heap allocations for the tests that check a path allocates
// nothing, or how much it holds at once. A test binary that calls these gets
// global allocation functions that count (CountingAllocator.cpp): every plain
// and nothrow form of new and delete is replaced, so each block is freed by
// the family that allocated it (under the sanitizers too, whose malloc and
// free these call); the aligned forms stay as they are.
#pragma once

namespace CountingAllocator {
// Allocations so far, on every thread and on the calling one.
long Total();
long OnThisThread();

// The most bytes in use at once since the last ResetPeak (blocks as the
// allocator sized them), less those in use at that reset.
void ResetPeak();
long PeakBytesSinceReset(long inUseAtReset);
long BytesInUse();
}  // namespace CountingAllocator
