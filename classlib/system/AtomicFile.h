// Whole-file reads with a size bound, atomic replacement of a file, and an
// advisory lock that serialises read-modify-write cycles between processes.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Settings files are small; anything beyond this is treated as unreadable
// rather than read into memory.
constexpr size_t kMaxReadFileSize = 16u * 1024 * 1024;

enum class TReadFileStatus {
    Ok,
    NotFound,  // the file (or a folder on its path) does not exist
    Failed,    // it exists but cannot be read: a directory, a device, no permission...
    TooLarge,  // longer than the bound
};

// Reads the whole regular file into `content` (cleared first). Never blocks on
// a pipe or device and never reads more than maxSize + 1 bytes.
TReadFileStatus ReadFileBounded(const std::string& path, std::string& content, size_t maxSize = kMaxReadFileSize);

// Replaces `path` with `content` so that readers see either the old or the new
// file, never a mix: the data goes to a temporary file in the same folder, is
// flushed to disk, and is renamed over the target; then the folder is flushed.
// A symbolic link is followed and its target replaced. The file keeps the mode
// of the file it replaces (a new one gets 0666 less the umask). On any failure
// the temporary file is removed, the old file is left as it was, and EWriteError
// names the path and the reason.
void WriteFileAtomically(const std::string& path, std::string_view content);

// An exclusive advisory lock on "<target>.lock" (created beside the target),
// held for the object's lifetime. Every writer of a shared file takes it
// around reading, changing and writing the file, so two writers cannot merge
// into one stale copy. Waits at most waitMilliseconds for another holder.
class TFileLock {
public:
    explicit TFileLock(const std::string& target, int waitMilliseconds = 5000);
    ~TFileLock();
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

    bool Locked() const { return FFd >= 0; }
    // Why the lock could not be taken; empty when Locked().
    const std::string& Error() const { return FError; }

private:
    int FFd = -1;
    std::string FError;
};

// Fault injection for tests: called with the temporary file's path after its
// data is flushed and before it is renamed over the target. Empty: no hook.
void SetAtomicWriteHook(std::function<void(const std::string& tempPath)> hook);
