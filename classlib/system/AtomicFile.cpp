// Bounded reads, atomic replacement and the advisory lock file.
#include "classlib/system/AtomicFile.h"

#include "classlib/system/Exceptions.h"

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr auto kLockRetry = std::chrono::milliseconds(10);

std::mutex gHookMutex;
std::function<void(const std::string&)> gHook;

std::string ErrnoText(int error)
{
    return std::strerror(error);
}

// The process's file-creation mask, read without changing it.
mode_t CurrentUmask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    }
    return 022;
}

// The file that is really replaced: a symbolic link's final target.
std::string ResolveTarget(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) return path;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : resolved.string();
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view data, int& error)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // The rename has happened; a file system that cannot flush a folder is no failure.
    ::fsync(fd);
    ::close(fd);
}

} // namespace

TReadFileStatus ReadFileBounded(const std::string& path, std::string& content, size_t maxSize)
{
    content.clear();
    // O_NONBLOCK so that opening a FIFO does not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? TReadFileStatus::NotFound : TReadFileStatus::Failed;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return TReadFileStatus::Failed;
    }
    if (static_cast<uint64_t>(st.st_size) > maxSize) {
        ::close(fd);
        return TReadFileStatus::TooLarge;
    }
    // st_size is only a hint (the file may grow meanwhile); the loop enforces the bound.
    content.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            content.clear();
            return TReadFileStatus::Failed;
        }
        if (n == 0) break;
        if (content.size() + static_cast<size_t>(n) > maxSize) {
            ::close(fd);
            content.clear();
            return TReadFileStatus::TooLarge;
        }
        content.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return TReadFileStatus::Ok;
}

void WriteFileAtomically(const std::string& path, std::string_view content)
{
    const std::string target = ResolveTarget(path);
    const std::string folder = FolderOf(target);
    const size_t slash = target.rfind('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = (folder == "/" ? std::string() : folder) + "/." + name + ".XXXXXX";
    if (name.empty()) throw EWriteError("Cannot write \"" + path + "\": no file name");

    auto fail = [&](const std::string& step, int error) {
        throw EWriteError("Cannot write \"" + path + "\": " + step + ": " + ErrnoText(error));
    };

    std::vector<char> pattern(temp.begin(), temp.end());
    pattern.push_back('\0');
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) fail("cannot create a temporary file", errno);
    temp = pattern.data();

    auto cleanup = [&](int openFd) {
        if (openFd >= 0) ::close(openFd);
        ::unlink(temp.c_str());
    };

    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
    int error = 0;
    if (::fchmod(fd, mode) != 0) {
        error = errno;
        cleanup(fd);
        fail("cannot set the mode", error);
    }
    if (!WriteAll(fd, content, error)) {
        cleanup(fd);
        fail("cannot write the data", error);
    }
    if (::fsync(fd) != 0) {
        error = errno;
        cleanup(fd);
        fail("cannot flush the data", error);
    }
    if (::close(fd) != 0) {
        error = errno;
        cleanup(-1);
        fail("cannot close the file", error);
    }

    std::function<void(const std::string&)> hook;
    {
        std::lock_guard<std::mutex> lock(gHookMutex);
        hook = gHook;
    }
    if (hook) hook(temp);

    if (::rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
        cleanup(-1);
        fail("cannot replace the file", error);
    }
    SyncFolder(folder);
}

TFileLock::TFileLock(const std::string& target, int waitMilliseconds)
{
    const std::string lockPath = ResolveTarget(target) + ".lock";
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        FError = "cannot open \"" + lockPath + "\": " + ErrnoText(errno);
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            FFd = fd;
            return;
        }
        const int error = errno;
        if ((error != EWOULDBLOCK && error != EINTR) || std::chrono::steady_clock::now() >= deadline) {
            FError = "cannot lock \"" + lockPath + "\": " + ErrnoText(error);
            ::close(fd);
            return;
        }
        std::this_thread::sleep_for(kLockRetry);
    }
}

TFileLock::~TFileLock()
{
    if (FFd >= 0) ::close(FFd); // closing releases the lock
}

void SetAtomicWriteHook(std::function<void(const std::string& tempPath)> hook)
{
    std::lock_guard<std::mutex> lock(gHookMutex);
    gHook = std::move(hook);
}
