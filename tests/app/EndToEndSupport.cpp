#include "tests/app/EndToEndSupport.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

long long SteadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool HaveProgram(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        const size_t end = std::min(folders.find(':', start), folders.size());
        const std::string candidate = folders.substr(start, end - start) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

// ---- TXvfb ------------------------------------------------------------------

bool TXvfb::Start(int width, int height)
{
    constexpr int kReadyFd = 3;
    constexpr int kReadyTimeoutMs = 15000;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        FFailure = "pipe failed";
        return false;
    }
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const std::string readyFd = std::to_string(kReadyFd);
    // -retro: the root shows its stipple, not black, so a window that does
    // not (yet) cover the screen shows.
    const char* argv[] = {"Xvfb", "-displayfd", readyFd.c_str(), "-retro", "-nolisten", "tcp", "-noreset",
                          "-screen", "0", screen.c_str(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], kReadyFd);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&FPid, "Xvfb", &actions, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        FPid = -1;
        FFailure = "cannot run Xvfb";
        return false;
    }
    std::string answer;
    const long long end = SteadyMs() + kReadyTimeoutMs;
    while (answer.find('\n') == std::string::npos) {
        const long long left = end - SteadyMs();
        if (left <= 0) break;
        pollfd pfd{fds[0], POLLIN, 0};
        const int r = poll(&pfd, 1, static_cast<int>(left));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        char buffer[32];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0) break;
        answer.append(buffer, static_cast<size_t>(n));
    }
    close(fds[0]);
    if (answer.find('\n') == std::string::npos) {
        FFailure = "Xvfb did not become ready";
        Stop();
        return false;
    }
    FDisplayName = ":" + std::to_string(std::atoi(answer.c_str()));
    return true;
}

void TXvfb::Stop()
{
    if (FPid <= 0) return;
    kill(FPid, SIGTERM);
    const long long end = SteadyMs() + 5000;
    int status = 0;
    while (waitpid(FPid, &status, WNOHANG) == 0) {
        if (SteadyMs() > end) {
            kill(FPid, SIGKILL);
            waitpid(FPid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    FPid = -1;
    FDisplayName.clear();
}

// ---- TChildProcess ----------------------------------------------------------

TChildProcess::~TChildProcess()
{
    if (FPid > 0 && !FStatus) {
        kill(FPid, SIGKILL);
        int status = 0;
        waitpid(FPid, &status, 0);
    }
}

bool TChildProcess::Spawn(const std::vector<std::string>& argv,
                          const std::vector<std::pair<std::string, std::string>>& env)
{
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const auto& [name, value] : env) replaced |= entry.rfind(name + "=", 0) == 0;
        if (!replaced) environment.push_back(entry);
    }
    for (const auto& [name, value] : env) environment.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> args = argv;
    std::vector<char*> argp;
    for (std::string& arg : args) argp.push_back(arg.data());
    argp.push_back(nullptr);
    FStatus.reset();
    return posix_spawnp(&FPid, argp[0], nullptr, nullptr, argp.data(), envp.data()) == 0;
}

std::optional<int> TChildProcess::WaitExit(int timeoutMs)
{
    if (FStatus || FPid <= 0) return FStatus;
    const long long end = SteadyMs() + timeoutMs;
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(FPid, &status, WNOHANG);
        if (r == FPid) {
            FStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return FStatus;
        }
        if (SteadyMs() >= end) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool TChildProcess::Running()
{
    return FPid > 0 && !WaitExit(0);
}

void TChildProcess::Signal(int signal)
{
    if (Running()) kill(FPid, signal);
}

pid_t TChildProcess::FirstChild()
{
    if (!Running()) return -1;
    const std::string path = "/proc/" + std::to_string(FPid) + "/task/" + std::to_string(FPid) + "/children";
    std::ifstream in(path);
    pid_t child = -1;
    return in >> child ? child : -1;
}
