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
// A symbolic link is followed and its target replaced, but only a link of the
// writing user or of the folder's owner: any other is refused. The file keeps
// the mode of the file it replaces (a new one gets 0666 less the umask). On any
// failure the temporary file is removed, the old file is left as it was, and
// EWriteError names the path and the reason.
// When the folder refuses new files but the file itself may be written, the
// file is rewritten in place instead: room is reserved first, only the bytes
// from the first change on are written, and the file is cut to its new length
// only after the data is flushed. That cannot be atomic: it is the fallback
// for a folder that leaves no other way.
void WriteFileAtomically(const std::string& path, std::string_view content);

// Removes the temporary files that writers of `path` killed before their
// rename left behind: plain files of this user named as WriteFileAtomically
// names them, and nothing else. Call it holding the TFileLock of `path`, so
// that no live writer's file is taken.
void RemoveStaleTemporaryFiles(const std::string& path);

// An exclusive advisory lock on the folder that holds the target, held for
// the object's lifetime. Every writer of a shared file takes it around
// reading, changing and writing the file, so two writers cannot merge into
// one stale copy; writers of other files in the same folder wait too. No file
// is created for it. Waits at most waitMilliseconds for another holder.
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
