// Real-time events and threads on the C++ standard library, for backends whose
// clock is the machine's own (x11). The headless backend has its own, on its
// fake clock.
#pragma once

#include "platform/Platform.h"

namespace platform {

std::unique_ptr<IEvent> CreateStdEvent(bool manualReset, bool initiallySignalled);
std::unique_ptr<IThread> StartStdThread(std::function<void()> body);
// Milliseconds of CLOCK_MONOTONIC and of CLOCK_REALTIME.
int64_t StdMonotonicMs();
int64_t StdWallClockMs();
// The C library's local time of a wall-clock instant.
LocalTime StdLocalTimeOf(int64_t wallClockMs);
// nice() value for a priority: the lower priorities are honoured, raising above
// normal needs privileges and is silently skipped.
int NiceValueOf(ThreadPriority priority);

}  // namespace platform
