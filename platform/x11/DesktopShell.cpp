#include "platform/x11/DesktopShell.h"

#include <cctype>
#include <cerrno>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

extern char** environ;

namespace platform::x11 {

namespace {
constexpr int kNotFoundStatus = 127;

void Fail(Error* error, int code, const char* text)
{
    if (error) *error = {code, text};
}

const char* FileNotFoundText()
{
    return "The system cannot find the file specified.";
}

// "scheme:..." with a scheme of two or more letters: an address, not a path.
bool LooksLikeAddress(const std::string& target)
{
    size_t i = 0;
    while (i < target.size() && (std::isalnum(static_cast<unsigned char>(target[i])) || target[i] == '+' ||
                                 target[i] == '-' || target[i] == '.'))
        ++i;
    return i >= 2 && i < target.size() && target[i] == ':' && std::isalpha(static_cast<unsigned char>(target[0]));
}

// Runs `script` with $1 = argument; the shell's exit status, -1 when it could not start.
int RunShell(const char* script, const std::string& argument)
{
    const char* argv[] = {"sh", "-c", script, "sh", argument.c_str(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0) return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
}  // namespace

bool OpenWithDesktop(const std::string& target, Error* error)
{
    struct stat info;
    if (target.empty() || (!LooksLikeAddress(target) && stat(target.c_str(), &info) != 0)) {
        Fail(error, kErrorFileNotFound, FileNotFoundText());
        return false;
    }
    const int status = RunShell("command -v xdg-open >/dev/null 2>&1 || exit 127\n"
                                "xdg-open \"$1\" </dev/null >/dev/null 2>&1 &\n",
                                target);
    if (status == 0) return true;
    if (status == kNotFoundStatus)
        Fail(error, kErrorNoAssociation, "No application is associated with the specified file for this operation.");
    else
        Fail(error, kErrorFileNotFound, FileNotFoundText());
    return false;
}

bool RunDetached(const std::string& commandLine, Error* error)
{
    const int status = RunShell("eval \"set -- $1\" 2>/dev/null || exit 127\n"
                                "[ $# -gt 0 ] && command -v \"$1\" >/dev/null 2>&1 || exit 127\n"
                                "\"$@\" </dev/null >/dev/null 2>&1 &\n",
                                commandLine);
    if (status == 0) return true;
    Fail(error, kErrorFileNotFound, FileNotFoundText());
    return false;
}

}  // namespace platform::x11
