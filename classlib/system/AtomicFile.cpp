// Bounded reads, atomic replacement (or a careful rewrite in place) and the
// advisory lock on the folder.
#include "classlib/system/AtomicFile.h"

#include "classlib/system/Exceptions.h"

#include <dirent.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
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

std::string FolderOf(const std::string& path);

// The file that is really replaced: a symbolic link's final target. A link is
// followed only when it belongs to the writing user or to the owner of the
// folder it lies in (the rule the kernel applies in shared sticky folders),
// so that a link planted by someone else cannot send a privileged writer's
// data to a file of its choosing. False, with `why` set, when a link may not
// be followed or cannot be read.
bool ResolveTarget(const std::string& path, std::string& target, std::string& why)
{
    constexpr int kMaxLinks = 40;
    target = path;
    for (int hop = 0;; ++hop) {
        struct stat link {};
        if (::lstat(target.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return true;
        if (hop == kMaxLinks) {
            why = "too many symbolic links";
            return false;
        }
        const std::string folder = FolderOf(target);
        struct stat owner {};
        if (link.st_uid != ::geteuid() && (::stat(folder.c_str(), &owner) != 0 || owner.st_uid != link.st_uid)) {
            why = "the symbolic link \"" + target + "\" belongs to another user";
            return false;
        }
        std::vector<char> buffer(4096);
        const ssize_t n = ::readlink(target.c_str(), buffer.data(), buffer.size());
        if (n <= 0 || static_cast<size_t>(n) >= buffer.size()) {
            why = "cannot read the symbolic link \"" + target + "\"";
            return false;
        }
        const std::string destination(buffer.data(), static_cast<size_t>(n));
        target = destination.front() == '/' ? destination : (folder == "/" ? "" : folder) + "/" + destination;
    }
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

// True for a name that mkstemp made from "." + name + ".XXXXXX".
bool IsTemporaryNameOf(std::string_view entry, std::string_view name)
{
    constexpr size_t kRandomLength = 6;
    if (entry.size() != name.size() + 2 + kRandomLength || entry.front() != '.' ||
        entry.substr(1, name.size()) != name || entry[name.size() + 1] != '.')
        return false;
    for (const char c : entry.substr(name.size() + 2))
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

// Rewrites an existing file through its own inode, for a folder that refuses
// new files but holds a file we may write. Without a second file the change
// cannot be atomic, so it is made as small and as late as it can be: room for
// a longer text is reserved first, so a full disk fails before any old byte
// is touched; only the bytes from the first one that differs are written, in
// one pass from there on; the file is never truncated before the new text is
// on disk, only cut to the new length afterwards, and each step is flushed.
void RewriteInPlace(const std::string& path, const std::string& target, std::string_view content)
{
    auto fail = [&](const std::string& step, int error) {
        throw EWriteError("Cannot write \"" + path + "\": " + step + ": " + ErrnoText(error));
    };
    const int fd = ::open(target.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) fail("cannot create a temporary file, nor open the file itself", errno);
    struct stat st {};
    int error = 0;
    auto closeAndFail = [&](const std::string& step, int e) {
        ::close(fd);
        fail(step, e);
    };
    if (::fstat(fd, &st) != 0) closeAndFail("cannot examine the file", errno);
    if (!S_ISREG(st.st_mode)) closeAndFail("cannot write in place", EINVAL);
    const size_t oldSize = static_cast<size_t>(st.st_size);

    // The first byte where the file and the new content differ.
    size_t same = 0;
    char buffer[65536];
    while (same < oldSize && same < content.size()) {
        const ssize_t n = ::pread(fd, buffer, std::min(sizeof buffer, content.size() - same), static_cast<off_t>(same));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) closeAndFail("cannot read the file", errno);
        if (n == 0) break;
        const size_t got = static_cast<size_t>(n);
        size_t i = 0;
        while (i < got && buffer[i] == content[same + i]) ++i;
        same += i;
        if (i < got) break;
    }
    if (same == content.size() && oldSize == content.size()) {
        ::close(fd);
        return;
    }
    if (content.size() > oldSize &&
        ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(content.size())) != 0 && errno != EOPNOTSUPP &&
        errno != ENOSYS)
        closeAndFail("cannot reserve room for the data", errno);
    for (size_t done = same; done < content.size();) {
        const ssize_t n = ::pwrite(fd, content.data() + done, content.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) closeAndFail("cannot write the data", n < 0 ? errno : EIO);
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) closeAndFail("cannot flush the data", errno);
    if (content.size() < oldSize) {
        if (::ftruncate(fd, static_cast<off_t>(content.size())) != 0) closeAndFail("cannot shorten the file", errno);
        if (::fsync(fd) != 0) closeAndFail("cannot flush the data", errno);
    }
    if (::close(fd) != 0) {
        error = errno;
        fail("cannot close the file", error);
    }
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
    std::string target;
    std::string why;
    if (!ResolveTarget(path, target, why)) throw EWriteError("Cannot write \"" + path + "\": " + why);
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
    if (fd < 0) {
        const int error = errno;
        // A folder we may not write to can still hold a file we may write.
        struct stat existing {};
        if ((error == EACCES || error == EPERM) && ::lstat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
            RewriteInPlace(path, target, content);
            return;
        }
        fail("cannot create a temporary file", error);
    }
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

void RemoveStaleTemporaryFiles(const std::string& path)
{
    std::string target;
    std::string why;
    if (!ResolveTarget(path, target, why)) return;
    const size_t slash = target.rfind('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    if (name.empty()) return;
    DIR* folder = ::opendir(FolderOf(target).c_str());
    if (!folder) return;
    const int folderFd = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        if (!IsTemporaryNameOf(entry->d_name, name)) continue;
        struct stat st {};
        // Only plain files of our own: never a link, a folder or another user's file.
        if (::fstatat(folderFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid())
            ::unlinkat(folderFd, entry->d_name, 0);
    }
    ::closedir(folder);
}

TFileLock::TFileLock(const std::string& target, int waitMilliseconds)
{
    std::string resolved;
    std::string why;
    if (!ResolveTarget(target, resolved, why)) resolved = target;
    // The folder is locked, not a file in it: opening a folder read-only
    // creates nothing, follows no planted link to a file and needs no write
    // access, and there is no lock file for anyone to leave behind.
    const std::string folder = FolderOf(resolved);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        FError = "cannot open \"" + folder + "\": " + ErrnoText(errno);
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
            FError = "cannot lock \"" + folder + "\": " + ErrnoText(error);
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
