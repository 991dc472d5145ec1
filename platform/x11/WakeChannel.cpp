#include "platform/x11/WakeChannel.h"

#include <cerrno>
#include <cstdint>

#include <sys/eventfd.h>
#include <unistd.h>

namespace platform::x11 {

WakeChannel::WakeChannel() : FFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

WakeChannel::~WakeChannel()
{
    if (FFd >= 0) close(FFd);
}

void WakeChannel::Signal()
{
    FRaised.store(true);
    const uint64_t one = 1;
    // A full counter (never in practice) already means "woken".
    while (write(FFd, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

bool WakeChannel::Drain(bool readable)
{
    // A wake-up raises the flag before it writes: a read that comes too early
    // finds nothing, and the write then makes poll report the descriptor.
    if (!FRaised.exchange(false) && !readable) return false;
    uint64_t count = 0;
    for (;;) {
        const ssize_t n = read(FFd, &count, sizeof count);
        if (n < 0 && errno == EINTR) continue;
        return n == static_cast<ssize_t>(sizeof count) && count > 0;
    }
}

}  // namespace platform::x11
