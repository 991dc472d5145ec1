#include "tests/support/ChildProcess.h"

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
