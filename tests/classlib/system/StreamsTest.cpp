// Streams: memory, file and resource streams, and their failures.
#include "classlib/system/Exceptions.h"
#include "classlib/system/Streams.h"
#include "tests/support/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Streams, MemoryStreamReadsWritesSeeksAndGrows)
{
    TMemoryStream stream;
    stream.WriteBuffer("hello", 5);
    EXPECT_EQ(stream.Size(), 5);
    EXPECT_EQ(stream.Seek(-2, soFromEnd), 3);
    char two[2];
    stream.ReadBuffer(two, 2);
    EXPECT_EQ(std::string(two, 2), "lo");
    EXPECT_EQ(stream.Read(two, 2), 0);  // at the end

    // Writing past the end zero-fills the gap.
    stream.Seek(3, soFromCurrent);
    stream.WriteBuffer("!", 1);
    EXPECT_EQ(stream.Size(), 9);
    EXPECT_EQ(std::memcmp(stream.Memory(), "hello\0\0\0!", 9), 0);

    stream.SetSize(2);
    EXPECT_EQ(stream.Position(), 2);
    EXPECT_THROW(stream.Seek(-3, soFromCurrent), EStreamError);
    EXPECT_THROW(stream.Seek(INT64_MAX, soFromEnd), EStreamError);
    stream.SetPosition(0);
    char three[3];
    EXPECT_THROW(stream.ReadBuffer(three, 3), EReadError);
    // Growing beyond the limit is refused instead of attempted.
    stream.SetPosition(TMemoryStream::MaxSize);
    EXPECT_THROW(stream.WriteBuffer("x", 1), EStreamError);
}

TEST(Streams, FileStreamCreatesReadsAndCopies)
{
    TTempFolder dir;
    const std::string path = dir.File("data.bin");
    {
        TFileStream file(path, fmCreate);
        file.WriteBuffer("0123456789", 10);
    }
    TFileStream file(path, fmOpenRead);
    EXPECT_EQ(file.Size(), 10);
    file.SetPosition(4);
    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(file, 3), 3);
    EXPECT_EQ(std::memcmp(copy.Memory(), "456", 3), 0);
    EXPECT_THROW(file.WriteBuffer("x", 1), EWriteError);  // opened for reading
    EXPECT_EQ(copy.CopyFrom(file, 0), 10);                 // 0: the whole source
    EXPECT_EQ(copy.Size(), 13);
}

TEST(Streams, FileStreamOpenFailuresNameTheFile)
{
    TTempFolder dir;
    struct Case {
        std::string Path;
        unsigned Mode;
        const char* Start;
    };
    const Case cases[] = {
        {dir.File("missing.bin"), fmOpenRead, "Cannot open file \""},
        {dir.File("no-dir/new.bin"), fmCreate, "Cannot create file \""},
        {dir.File(""), fmOpenRead, "Cannot open file \""},  // a directory
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Path);
        try {
            TFileStream file(c.Path, c.Mode);
            ADD_FAILURE() << "opened";
        } catch (const EFOpenError& e) {
            EXPECT_EQ(e.Message().rfind(c.Start + c.Path + "\". ", 0), 0u) << e.Message();
        }
    }
}

TEST(Streams, ResourceStreamIsReadOnly)
{
    TResourceStream stream("TESTPATTERN", "BITMAP");
    char magic[2];
    stream.ReadBuffer(magic, 2);
    EXPECT_EQ(std::string(magic, 2), "BM");
    EXPECT_THROW(stream.WriteBuffer("x", 1), EStreamError);
    try {
        TResourceStream missing("Nowhere", "BITMAP");
        FAIL() << "no exception";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource Nowhere not found");
    }
}

}  // namespace
