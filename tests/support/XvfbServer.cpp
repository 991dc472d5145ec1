#include "tests/support/XvfbServer.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velmora_test {

namespace {
constexpr int kDisplaysToTry = 40;
constexpr int kReadyTimeoutMs = 15000;
constexpr int kReadyFd = 3;  // the server's end of the readiness pipe

int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Waits for the child to exit, at most timeoutMs; true when it was reaped.
bool ReapWithin(pid_t pid, int timeoutMs)
{
    const int64_t end = NowMs() + timeoutMs;
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid || (r < 0 && errno == ECHILD)) return true;
        if (NowMs() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}
}  // namespace

bool XvfbServer::Start(int firstDisplay, int width, int height, bool retro)
{
    Stop();
    for (int n = firstDisplay; n < firstDisplay + kDisplaysToTry; ++n) {
        const int result = TryDisplay(n, width, height, retro);
        if (result > 0) return true;
        if (result < 0) return false;
    }
    FFailure = "no free display number from :" + std::to_string(firstDisplay);
    return false;
}

int XvfbServer::TryDisplay(int number, int width, int height, bool retro)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        FFailure = "pipe failed";
        return -1;
    }
    const std::string display = ":" + std::to_string(number);
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const std::string readyFd = std::to_string(kReadyFd);
    const char* argv[] = {"Xvfb", display.c_str(), "-displayfd", readyFd.c_str(), "-nolisten", "tcp", "-noreset",
                          "-screen", "0", screen.c_str(), retro ? "-retro" : nullptr, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], kReadyFd);  // dup2 clears close-on-exec
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, "Xvfb", &actions, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        FFailure = "cannot run Xvfb (is it installed? scripts/setup installs it)";
        return -1;
    }
    // The server writes its number when it listens; end of file means it exited.
    std::string answer;
    const int64_t end = NowMs() + kReadyTimeoutMs;
    bool ready = false;
    while (!ready) {
        const int64_t left = end - NowMs();
        if (left <= 0) break;
        pollfd pfd{fds[0], POLLIN, 0};
        const int r = poll(&pfd, 1, static_cast<int>(left));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        char buffer[32];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0) break;
        answer.append(buffer, static_cast<size_t>(n));
        ready = answer.find('\n') != std::string::npos;
    }
    close(fds[0]);
    if (ready && std::atoi(answer.c_str()) == number) {
        FPid = pid;
        FDisplayName = display;
        return 1;
    }
    kill(pid, SIGKILL);
    ReapWithin(pid, 2000);
    if (!ready && NowMs() >= end) {
        FFailure = "Xvfb did not become ready on " + display;
        return -1;
    }
    return 0;
}

void XvfbServer::Stop()
{
    if (FPid <= 0) return;
    kill(FPid, SIGTERM);
    if (!ReapWithin(FPid, 5000)) {
        kill(FPid, SIGKILL);
        ReapWithin(FPid, 2000);
    }
    FPid = -1;
    FDisplayName.clear();
}

}  // namespace velmora_test
