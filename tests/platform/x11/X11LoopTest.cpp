// The main loop's wait: woken by other threads, by termination signals and
// ended cleanly by a lost connection.
#include "tests/platform/x11/X11TestSupport.h"
#include "tests/support/XvfbServer.h"

#include <chrono>
#include <csignal>
#include <string>
#include <thread>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velmora_test {
namespace {

using platform::Event;
using platform::EventType;
using platform::WaitResult;

constexpr uint32_t kScClose = 0xF060;

// Waits for a child process at most timeoutMs; its wait status, -1 on time-out.
int WaitForChild(pid_t pid, int timeoutMs)
{
    for (int waited = 0; waited <= timeoutMs; waited += 10) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

// What a descriptor delivers until its writers close it or `limit` bytes
// came (bounded by timeoutMs per read).
std::string ReadAll(int fd, int timeoutMs, size_t limit = 4096)
{
    std::string text;
    pollfd pfd{fd, POLLIN, 0};
    while (text.size() < limit && poll(&pfd, 1, timeoutMs) > 0) {
        char buffer[256];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    return text;
}

using X11LoopTest = X11Test;

TEST_F(X11LoopTest, WakeFromAnotherThreadEndsAnEndlessWaitAtOnce)
{
    std::thread waker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        FPlatform->Wake();
    });
    const int64_t start = FPlatform->MonotonicMs();
    EXPECT_EQ(FPlatform->WaitForEvents(platform::kInfinite), WaitResult::Ready);
    waker.join();
    EXPECT_LT(FPlatform->MonotonicMs() - start, 2000);
    // The wake-up is used up: the next wait runs into its time-out.
    EXPECT_EQ(FPlatform->WaitForEvents(30), WaitResult::Timeout);
}

TEST_F(X11LoopTest, TerminationSignalsBecomeACloseCommandToTheFirstWindow)
{
    const platform::WindowId main = ShowWindow({0, 0, 100, 100});
    const platform::WindowId second = ShowWindow({200, 0, 300, 100});
    ASSERT_NE(second, 0u);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        CollectEvents(*FPlatform, 20);
        std::raise(signal);
        EXPECT_EQ(FPlatform->WaitForEvents(platform::kInfinite), WaitResult::Ready);
        Event command;
        ASSERT_TRUE(AwaitEvent(*FPlatform, [](const Event& e) { return e.type == EventType::SystemCommand; }, &command));
        EXPECT_EQ(command.window, main);
        EXPECT_EQ(command.command, kScClose);
    }
}

TEST_F(X11LoopTest, ASecondSignalWhileTheFirstIsUnservedEndsTheProcess)
{
    // A program whose loop no longer runs can still be stopped.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::raise(SIGTERM);  // turned into a byte on the pipe
        std::raise(SIGTERM);  // nobody read it: the default action
        _exit(3);
    }
    const int status = WaitForChild(child, 5000);
    ASSERT_NE(status, -1);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
}

TEST(X11ConnectionLossTest, LosingTheServerExitsWithCodeZeroAndOneLine)
{
    XvfbServer server;
    ASSERT_TRUE(server.Start(140, 320, 240)) << server.Failure();
    int ready[2], errors[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(errors), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(errors[1], STDERR_FILENO);
        close(errors[0]);
        close(ready[0]);
        auto x11 = platform::X11Platform::Open(server.DisplayName().c_str());
        if (!x11) _exit(2);
        platform::WindowParams params;
        params.bounds = {0, 0, 320, 240};
        const platform::WindowId id = x11->CreateNativeWindow(params, nullptr);
        x11->ShowNativeWindow(id, true);
        x11->WaitForEvents(100);
        const char byte = 1;
        if (write(ready[1], &byte, 1) != 1) _exit(4);
        for (;;) {
            x11->WaitForEvents(platform::kInfinite);
            Event e;
            while (x11->PollEvent(e)) {
            }
        }
    }
    close(ready[1]);
    close(errors[1]);
    ASSERT_EQ(ReadAll(ready[0], 10000, 1).size(), 1u) << "the child did not get going";
    close(ready[0]);
    server.Stop();
    const int status = WaitForChild(child, 10000);
    const std::string stderrText = ReadAll(errors[0], 1000);
    close(errors[0]);
    ASSERT_NE(status, -1) << "the child hung after losing its server";
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ASSERT_FALSE(stderrText.empty());
    EXPECT_EQ(stderrText.find('\n'), stderrText.size() - 1) << stderrText;
    EXPECT_NE(stderrText.find("lost the connection to the X server"), std::string::npos) << stderrText;
}

}  // namespace
}  // namespace velmora_test
