// Runs a piece of a test in a child process without the test's privileges:
// as "nobody" when the tests run as root (whom file modes do not bind), as
// the same user otherwise. The child's exit code is returned; -1 when it did
// not exit.
#pragma once

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

constexpr uid_t kNobody = 65534;

// True when the tests can play another user, so that files of a user other
// than the one running the body can be made.
inline bool CanActAsAnotherUser()
{
    return geteuid() == 0;
}

template <typename TBody>
int AsAnotherUser(TBody body)
{
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(120);
        _exit(body());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}
