// Byte streams: the abstract TStream, memory streams, files and embedded resources.
// Positions and counts are 64-bit; reading past the end transfers fewer bytes,
// ReadBuffer/WriteBuffer turn a short transfer into an exception.
#pragma once

#include "classlib/system/Classes.h"

#include <cstdint>
#include <string>
#include <vector>

enum TSeekOrigin { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

// Open modes of TFileStream.
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmCreate = 0xFF00;  // create or truncate, then read and write

class TStream : public TObject {
public:
    // Transfers up to count bytes and returns how many were transferred.
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Returns the new position. Positions before the start raise EStreamError.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size();
    virtual void SetSize(int64_t size);

    int64_t Position() { return Seek(0, soFromCurrent); }
    void SetPosition(int64_t position) { Seek(position, soFromBeginning); }

    // Exactly count bytes or EReadError "Stream read error".
    void ReadBuffer(void* buffer, int64_t count);
    // Exactly count bytes or EWriteError "Stream write error".
    void WriteBuffer(const void* buffer, int64_t count);
    // Copies count bytes from source (the whole of source when count is 0); returns the count.
    int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream over a block of memory that it does not own; writing raises EStreamError.
class TCustomMemoryStream : public TStream {
public:
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return FSize; }
    const void* Memory() const { return FMemory; }
    void SaveToStream(TStream& stream);
    void SaveToFile(const std::string& path);

protected:
    void SetPointer(const void* memory, int64_t size);
    int64_t FPosition = 0;

private:
    const uint8_t* FMemory = nullptr;
    int64_t FSize = 0;
};

// A growable stream in memory; writing past the end extends it (a gap is zero-filled).
class TMemoryStream : public TCustomMemoryStream {
public:
    // The largest size a memory stream grows to; beyond it writing raises EStreamError.
    static constexpr int64_t MaxSize = int64_t(1) << 31;

    int64_t Write(const void* buffer, int64_t count) override;
    void SetSize(int64_t size) override;
    void Clear();
    void* Memory() { return FData.data(); }
    // Replaces the contents by the whole of stream (read from its start), or of the file.
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& path);

private:
    std::vector<uint8_t> FData;
};

// A file on disk. Failing to open raises EFOpenError naming the file.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, unsigned mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override;
    void SetSize(int64_t size) override;
    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
    int FHandle = -1;
};

// A read-only stream over a resource compiled into the executable; a missing
// resource raises EResNotFound "Resource <name> not found".
class TResourceStream : public TCustomMemoryStream {
public:
    TResourceStream(const std::string& resName, const std::string& resType);
};

// The bytes from the stream's position to its end; EReadError when there are more than maxBytes.
std::vector<uint8_t> ReadRemainingBytes(TStream& stream, int64_t maxBytes);
