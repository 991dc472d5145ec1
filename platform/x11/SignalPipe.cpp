#include "platform/x11/SignalPipe.h"

#include <atomic>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace platform::x11 {

namespace {
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];

std::atomic<int> gWriteFd{-1};
// Set by the handler, cleared when the main loop reads the pipe.
std::atomic<bool> gUnserved{false};
struct sigaction gPrevious[kSignalCount];

void OnTerminationSignal(int signal)
{
    const int savedErrno = errno;
    if (gUnserved.exchange(true)) {
        // The main loop did not come for the previous one: stop for real.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        errno = savedErrno;
        return;
    }
    const int fd = gWriteFd.load();
    if (fd >= 0) {
        const unsigned char byte = static_cast<unsigned char>(signal);
        const ssize_t ignored = write(fd, &byte, 1);
        (void)ignored;
    }
    errno = savedErrno;
}
}  // namespace

SignalPipe::SignalPipe()
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    FReadFd = fds[0];
    FWriteFd = fds[1];
    gUnserved.store(false);
    gWriteFd.store(FWriteFd);
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kSignalCount; ++i) sigaction(kSignals[i], &action, &gPrevious[i]);
}

SignalPipe::~SignalPipe()
{
    if (FReadFd < 0) return;
    for (int i = 0; i < kSignalCount; ++i) sigaction(kSignals[i], &gPrevious[i], nullptr);
    gWriteFd.store(-1);
    close(FReadFd);
    close(FWriteFd);
}

int SignalPipe::Drain(bool readable)
{
    // The handler raises the flag before it writes, so a lowered flag means an
    // empty pipe, unless poll found it readable.
    if (FReadFd < 0 || (!readable && !gUnserved.load())) return 0;
    int count = 0;
    unsigned char bytes[16];
    for (;;) {
        const ssize_t n = read(FReadFd, bytes, sizeof bytes);
        if (n > 0) {
            count += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        break;
    }
    if (count > 0) gUnserved.store(false);
    return count;
}

}  // namespace platform::x11
