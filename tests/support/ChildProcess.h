// What the end-to-end tests run the real executable with: child processes
// that are always reaped (waits are bounded).
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

// A child process run with the test's environment plus some variables.
class TChildProcess {
public:
    TChildProcess() = default;
    ~TChildProcess();
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    bool Spawn(const std::vector<std::string>& argv, const std::vector<std::pair<std::string, std::string>>& env);
    // The exit status once it has ended within timeoutMs (128 + n after signal n).
    std::optional<int> WaitExit(int timeoutMs);
    bool Running();
    void Signal(int signal);
    // The process this one started first (a wrapper's program), or -1.
    pid_t FirstChild();
    pid_t Pid() const { return FPid; }

private:
    pid_t FPid = -1;
    std::optional<int> FStatus;
};

// Milliseconds of a steady clock.
long long SteadyMs();
// Whether a program can be found on PATH.
bool HaveProgram(const std::string& name);
