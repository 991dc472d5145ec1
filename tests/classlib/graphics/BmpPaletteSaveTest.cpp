// Saving 4- and 8-bit pictures: a palette of their colours when they fit,
// 24 bits when they do not, the same pixels back either way.
#include "classlib/graphics/Bitmap.h"
#include "classlib/system/Streams.h"
#include "tests/support/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A picture of `colours` different colours (at least one), in stripes.
void Striped(TBitmap& bitmap, int width, int height, int colours, TPixelFormat format)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] = static_cast<uint32_t>((x + y * width) % colours) << 8 | 7;
    bitmap.AssignPixels(width, height, std::move(pixels), format);
}

int BitCountOf(const std::vector<uint8_t>& file) { return file[28] | file[29] << 8; }

}  // namespace

TEST(BmpPaletteSave, PalettedPicturesKeepTheirDepthWhenTheirColoursFit)
{
    struct TCase {
        TPixelFormat Format;
        int Colours;
        int Width;  // odd widths end 4-bit rows in half a byte; all need padding
        int ExpectedBits;
    } const cases[] = {
        {pf4bit, 16, 7, 4}, {pf4bit, 1, 3, 4}, {pf4bit, 17, 7, 24},
        {pf8bit, 256, 33, 8}, {pf8bit, 2, 5, 8}, {pf8bit, 257, 33, 24},
        {pf24bit, 2, 5, 24}, {pfDevice, 2, 5, 24},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Colours) + " colours, width " + std::to_string(c.Width));
        TBitmap original;
        Striped(original, c.Width, 9, c.Colours, c.Format);
        TMemoryStream stream;
        original.SaveToStream(stream);
        std::vector<uint8_t> file(static_cast<size_t>(stream.Size()));
        stream.SetPosition(0);
        stream.ReadBuffer(file.data(), stream.Size());
        EXPECT_EQ(BitCountOf(file), c.ExpectedBits);

        stream.SetPosition(0);
        TBitmap loaded;
        loaded.LoadFromStream(stream);
        EXPECT_TRUE(PixelsAre(loaded, c.Width, 9, [&](int x, int y) { return original.ScanLine(y)[x]; }));
    }
}

TEST(BmpPaletteSave, TheSamePictureGivesTheSameFile)
{
    TBitmap a, b;
    Striped(a, 6, 4, 5, pf8bit);
    Striped(b, 6, 4, 5, pf8bit);
    TMemoryStream first, second;
    a.SaveToStream(first);
    b.SaveToStream(second);
    ASSERT_EQ(first.Size(), second.Size());
    EXPECT_EQ(std::memcmp(first.Memory(), second.Memory(), static_cast<size_t>(first.Size())), 0);
}
