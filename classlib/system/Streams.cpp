// TStream and its memory, file and resource streams.
#include "classlib/system/Streams.h"

#include "classlib/system/Exceptions.h"
#include "classlib/system/Resources.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// base + offset as a stream position, refusing overflow and positions before the start.
int64_t CheckedPosition(int64_t base, int64_t offset)
{
    int64_t position = 0;
    if (__builtin_add_overflow(base, offset, &position) || position < 0)
        throw EStreamError("Invalid stream position " + std::to_string(base) + " + " + std::to_string(offset));
    return position;
}

std::string SystemMessage(int error)
{
    return std::system_category().message(error);
}

}  // namespace

// ----------------------------------------------------------------------------
// TStream

int64_t TStream::Size()
{
    const int64_t position = Seek(0, soFromCurrent);
    const int64_t size = Seek(0, soFromEnd);
    Seek(position, soFromBeginning);
    return size;
}

void TStream::SetSize(int64_t)
{
    throw EStreamError(ClassName() + " cannot change its size");
}

void TStream::ReadBuffer(void* buffer, int64_t count)
{
    if (count < 0 || Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count)
{
    if (count < 0 || Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (count < 0) throw EReadError("Stream read error");
    std::vector<uint8_t> chunk(static_cast<size_t>(std::min<int64_t>(count, 64 * 1024)));
    for (int64_t left = count; left > 0;) {
        const int64_t n = std::min<int64_t>(left, static_cast<int64_t>(chunk.size()));
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        left -= n;
    }
    return count;
}

std::vector<uint8_t> ReadRemainingBytes(TStream& stream, int64_t maxBytes)
{
    const int64_t remaining = std::max<int64_t>(0, stream.Size() - stream.Position());
    if (remaining > maxBytes)
        throw EReadError("Stream holds " + std::to_string(remaining) + " bytes, more than the " +
                         std::to_string(maxBytes) + " allowed");
    std::vector<uint8_t> bytes(static_cast<size_t>(remaining));
    stream.ReadBuffer(bytes.data(), remaining);
    return bytes;
}

// ----------------------------------------------------------------------------
// TCustomMemoryStream

void TCustomMemoryStream::SetPointer(const void* memory, int64_t size)
{
    FMemory = static_cast<const uint8_t*>(memory);
    FSize = size;
}

int64_t TCustomMemoryStream::Read(void* buffer, int64_t count)
{
    if (count <= 0 || FPosition >= FSize) return 0;
    const int64_t n = std::min(count, FSize - FPosition);
    std::memcpy(buffer, FMemory + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TCustomMemoryStream::Write(const void*, int64_t)
{
    throw EStreamError("Can't write to a read-only memory stream");
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    const int64_t base = origin == soFromBeginning ? 0 : origin == soFromCurrent ? FPosition : FSize;
    FPosition = CheckedPosition(base, offset);
    return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream& stream)
{
    if (FSize) stream.WriteBuffer(FMemory, FSize);
}

void TCustomMemoryStream::SaveToFile(const std::string& path)
{
    TFileStream file(path, fmCreate);
    SaveToStream(file);
}

// ----------------------------------------------------------------------------
// TMemoryStream

void TMemoryStream::SetSize(int64_t size)
{
    if (size < 0 || size > MaxSize) throw EStreamError("Out of memory while expanding memory stream");
    try {
        FData.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        throw EStreamError("Out of memory while expanding memory stream");
    }
    SetPointer(FData.data(), size);
    FPosition = std::min(FPosition, size);
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count)
{
    if (count <= 0) return 0;
    int64_t end = 0;
    if (__builtin_add_overflow(FPosition, count, &end) || end > MaxSize)
        throw EStreamError("Out of memory while expanding memory stream");
    if (end > static_cast<int64_t>(FData.size())) {
        const int64_t position = FPosition;
        SetSize(end);
        FPosition = position;
    }
    std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition = end;
    return count;
}

void TMemoryStream::Clear()
{
    FData.clear();
    SetPointer(nullptr, 0);
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream)
{
    stream.SetPosition(0);
    const int64_t size = stream.Size();
    SetSize(size);
    if (size) stream.ReadBuffer(FData.data(), size);
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& path)
{
    TFileStream file(path, fmOpenRead);
    LoadFromStream(file);
}

// ----------------------------------------------------------------------------
// TFileStream

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : FFileName(fileName)
{
    const bool create = (mode & 0xFF00) == fmCreate;
    int flags = O_CLOEXEC;
    if (create)
        flags |= O_RDWR | O_CREAT | O_TRUNC;
    else if ((mode & 3) == fmOpenWrite)
        flags |= O_WRONLY;
    else if ((mode & 3) == fmOpenReadWrite)
        flags |= O_RDWR;
    else
        flags |= O_RDONLY;
    const char* what = create ? "Cannot create file \"" : "Cannot open file \"";
    FHandle = ::open(fileName.c_str(), flags, 0666);
    if (FHandle < 0) throw EFOpenError(what + fileName + "\". " + SystemMessage(errno));
    // Opening a directory read-only succeeds; refuse it here rather than fail on the first read.
    struct stat info {};
    if (::fstat(FHandle, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(FHandle);
        FHandle = -1;
        throw EFOpenError(what + fileName + "\". " + SystemMessage(EISDIR));
    }
}

TFileStream::~TFileStream()
{
    if (FHandle >= 0) ::close(FHandle);
}

int64_t TFileStream::Read(void* buffer, int64_t count)
{
    int64_t done = 0;
    auto* bytes = static_cast<uint8_t*>(buffer);
    while (done < count) {
        const size_t chunk = static_cast<size_t>(std::min<int64_t>(count - done, 1 << 30));
        const ssize_t n = ::read(FHandle, bytes + done, chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw EReadError("Cannot read file \"" + FFileName + "\". " + SystemMessage(errno));
        if (n == 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Write(const void* buffer, int64_t count)
{
    int64_t done = 0;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    while (done < count) {
        const size_t chunk = static_cast<size_t>(std::min<int64_t>(count - done, 1 << 30));
        const ssize_t n = ::write(FHandle, bytes + done, chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw EWriteError("Cannot write file \"" + FFileName + "\". " + SystemMessage(errno));
        if (n == 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    const int whence = origin == soFromBeginning ? SEEK_SET : origin == soFromCurrent ? SEEK_CUR : SEEK_END;
    const off_t position = ::lseek(FHandle, offset, whence);
    if (position < 0)
        throw EStreamError("Cannot seek in file \"" + FFileName + "\". " + SystemMessage(errno));
    return position;
}

int64_t TFileStream::Size()
{
    struct stat info {};
    if (::fstat(FHandle, &info) != 0)
        throw EStreamError("Cannot read the size of file \"" + FFileName + "\". " + SystemMessage(errno));
    return info.st_size;
}

void TFileStream::SetSize(int64_t size)
{
    if (size < 0 || ::ftruncate(FHandle, size) != 0)
        throw EStreamError("Cannot resize file \"" + FFileName + "\". " + SystemMessage(size < 0 ? EINVAL : errno));
}

// ----------------------------------------------------------------------------
// TResourceStream

TResourceStream::TResourceStream(const std::string& resName, const std::string& resType)
{
    const auto resource = FindResource(resName, resType);
    if (!resource) throw EResNotFound("Resource " + resName + " not found");
    SetPointer(resource->Data, static_cast<int64_t>(resource->Size));
}
