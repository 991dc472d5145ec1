// BMP reading and writing: every supported depth and header, the round trip,
// the embedded test pattern and a table of broken files.
#include "classlib/graphics/Bitmap.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/Resources.h"
#include "classlib/system/Streams.h"
#include "tests/support/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// A BMP file built from its parts, so each case states only what it varies.
struct BmpSpec {
    std::string Name;
    int BitCount = 24;
    uint32_t HeaderSize = 40;
    uint32_t Compression = 0;
    bool TopDown = false;
    std::vector<uint32_t> Palette;       // 0x00RRGGBB
    std::vector<uint32_t> Masks;         // red, green, blue (bit fields)
    std::function<uint32_t(int, int)> Stored;    // the value stored for pixel (x, y)
    std::function<uint32_t(int, int)> Expected;  // the pixel it decodes to
    TPixelFormat Format = pf24bit;
};

constexpr int W = 9;  // crosses a byte in 1-bit rows and needs padding at every depth
constexpr int H = 3;

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::vector<uint8_t> MakeBmp(const BmpSpec& layout)
{
    const bool core = layout.HeaderSize == 12;
    const bool masksAfterHeader = layout.HeaderSize == 40 && layout.Compression == 3;
    std::vector<uint8_t> info;
    Put32(info, layout.HeaderSize);
    if (core) {
        Put16(info, W);
        Put16(info, H);
        Put16(info, 1);
        Put16(info, layout.BitCount);
    } else {
        Put32(info, W);
        Put32(info, layout.TopDown ? static_cast<uint32_t>(-H) : H);
        Put16(info, 1);
        Put16(info, layout.BitCount);
        Put32(info, layout.Compression);
        Put32(info, 0);
        Put32(info, 2835);
        Put32(info, 2835);
        Put32(info, static_cast<uint32_t>(layout.Palette.size()));
        Put32(info, 0);
        if (layout.HeaderSize > 40)
            for (size_t i = 0; i < 3; ++i) Put32(info, layout.Masks.empty() ? 0 : layout.Masks[i]);
        info.resize(layout.HeaderSize, 0);
    }
    if (masksAfterHeader)
        for (uint32_t mask : layout.Masks) Put32(info, mask);
    for (uint32_t colour : layout.Palette) {
        info.push_back(colour & 0xFF);
        info.push_back((colour >> 8) & 0xFF);
        info.push_back((colour >> 16) & 0xFF);
        if (!core) info.push_back(0);
    }

    const int stride = (W * layout.BitCount + 31) / 32 * 4;
    std::vector<uint8_t> pixels;
    for (int fileRow = 0; fileRow < H; ++fileRow) {
        const int y = layout.TopDown ? fileRow : H - 1 - fileRow;
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < W; ++x) {
            const uint32_t v = layout.Stored(x, y);
            switch (layout.BitCount) {
            case 1: row[x / 8] |= (v & 1) << (7 - x % 8); break;
            case 4: row[x / 2] |= (v & 0xF) << (x % 2 ? 0 : 4); break;
            case 8: row[x] = v & 0xFF; break;
            case 16: row[2 * x] = v & 0xFF, row[2 * x + 1] = (v >> 8) & 0xFF; break;
            case 24: row[3 * x] = v & 0xFF, row[3 * x + 1] = (v >> 8) & 0xFF, row[3 * x + 2] = (v >> 16) & 0xFF; break;
            case 32: for (int i = 0; i < 4; ++i) row[4 * x + i] = (v >> (8 * i)) & 0xFF; break;
            }
        }
        pixels.insert(pixels.end(), row.begin(), row.end());
    }
    std::vector<uint8_t> file{'B', 'M'};
    const uint32_t offset = static_cast<uint32_t>(14 + info.size());
    Put32(file, static_cast<uint32_t>(offset + pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

uint32_t Colour(int x, int y) { return uint32_t(x * 28) << 16 | uint32_t(y * 100 + 5) << 8 | uint32_t(255 - x * y * 9); }
uint32_t Scale5(uint32_t v) { return (v * 255 + 15) / 31; }
uint32_t Scale6(uint32_t v) { return (v * 255 + 31) / 63; }

BmpSpec Indexed(std::string name, int bits, std::vector<uint32_t> palette, TPixelFormat format)
{
    BmpSpec layout;
    layout.Name = std::move(name);
    layout.BitCount = bits;
    layout.Palette = palette;
    layout.Format = format;
    const auto count = static_cast<int>(palette.size());
    layout.Stored = [count](int x, int y) { return static_cast<uint32_t>((x + 2 * y) % count); };
    layout.Expected = [palette, count](int x, int y) { return palette[(x + 2 * y) % count]; };
    return layout;
}

std::vector<BmpSpec> DecodeCases()
{
    std::vector<BmpSpec> cases;
    cases.push_back(Indexed("1 bit", 1, {0x123456, 0xFEDCBA}, pf1bit));
    cases.push_back(Indexed("4 bits, 5 colours", 4, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000}, pf4bit));
    cases.push_back(Indexed("8 bits", 8, {0x010203, 0x808080, 0xFF00FF, 0x00FFFF, 0xC0FFEE, 0x654321, 0x0F0F0F}, pf8bit));
    auto core = Indexed("8 bits, core header", 8, {0xFF0000, 0x00FF00, 0x0000FF}, pf8bit);
    core.HeaderSize = 12;
    cases.push_back(core);
    auto topDown = Indexed("4 bits, top-down", 4, {0xAA0000, 0x00BB00, 0x0000CC}, pf4bit);
    topDown.TopDown = true;
    cases.push_back(topDown);

    BmpSpec rgb24{"24 bits"};
    rgb24.Stored = rgb24.Expected = Colour;
    cases.push_back(rgb24);
    BmpSpec rgb24v5 = rgb24;
    rgb24v5.Name = "24 bits, V5 header, top-down";
    rgb24v5.HeaderSize = 124;
    rgb24v5.TopDown = true;
    cases.push_back(rgb24v5);

    BmpSpec rgb32{"32 bits, unused byte ignored"};
    rgb32.BitCount = 32;
    rgb32.Stored = [](int x, int y) { return 0xA5000000u | Colour(x, y); };
    rgb32.Expected = Colour;
    rgb32.Format = pf32bit;
    cases.push_back(rgb32);
    BmpSpec swapped32{"32 bits, bit fields with red in the low byte, V4 header"};
    swapped32.BitCount = 32;
    swapped32.HeaderSize = 108;
    swapped32.Compression = 3;
    swapped32.Masks = {0x0000FF, 0x00FF00, 0xFF0000};
    swapped32.Stored = [](int x, int y) { return PixelToRGB(Colour(x, y)); };
    swapped32.Expected = Colour;
    swapped32.Format = pfCustom;
    cases.push_back(swapped32);

    const auto r5 = [](int x, int) { return uint32_t(x * 3 % 32); };
    const auto g5 = [](int, int y) { return uint32_t(y * 13 % 32); };
    const auto b5 = [](int x, int y) { return uint32_t((x + y * 5) % 32); };
    BmpSpec rgb555{"16 bits, 5-5-5"};
    rgb555.BitCount = 16;
    rgb555.Stored = [=](int x, int y) { return r5(x, y) << 10 | g5(x, y) << 5 | b5(x, y); };
    rgb555.Expected = [=](int x, int y) { return Scale5(r5(x, y)) << 16 | Scale5(g5(x, y)) << 8 | Scale5(b5(x, y)); };
    rgb555.Format = pf15bit;
    cases.push_back(rgb555);
    BmpSpec rgb565{"16 bits, 5-6-5 bit fields, top-down"};
    rgb565.BitCount = 16;
    rgb565.Compression = 3;
    rgb565.TopDown = true;
    rgb565.Masks = {0xF800, 0x07E0, 0x001F};
    const auto g6 = [](int x, int y) { return uint32_t((x * 7 + y * 20) % 64); };
    rgb565.Stored = [=](int x, int y) { return r5(x, y) << 11 | g6(x, y) << 5 | b5(x, y); };
    rgb565.Expected = [=](int x, int y) { return Scale5(r5(x, y)) << 16 | Scale6(g6(x, y)) << 8 | Scale5(b5(x, y)); };
    rgb565.Format = pf16bit;
    cases.push_back(rgb565);
    return cases;
}

TEST(BmpFile, DecodesEveryDepthHeaderAndOrientation)
{
    for (const BmpSpec& layout : DecodeCases()) {
        SCOPED_TRACE(layout.Name);
        TBitmap bitmap;
        LoadFromBytes(bitmap, MakeBmp(layout));
        EXPECT_TRUE(PixelsAre(bitmap, W, H, layout.Expected));
        EXPECT_EQ(bitmap.PixelFormat(), layout.Format);
    }
}

TEST(BmpFile, LoadingStopsAtTheEndOfThePicture)
{
    // A bitmap inside a larger stream leaves the stream just after its pixels.
    const auto file = MakeBmp(Indexed("8 bits", 8, {0xFF0000, 0x00FF00}, pf8bit));
    TMemoryStream stream;
    stream.WriteBuffer("xyz", 3);
    stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
    stream.WriteBuffer("tail", 4);
    stream.SetPosition(3);
    TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    EXPECT_EQ(bitmap.Width(), W);
    EXPECT_EQ(stream.Position(), static_cast<int64_t>(3 + file.size()));
}

TEST(BmpFile, SaveThenLoadGivesTheSamePixels)
{
    TTempFolder dir;
    for (int width : {1, 2, 3, 4, 37}) {
        SCOPED_TRACE(width);
        TBitmap original;
        PaintTestPicture(original, width, 5);
        original.SaveToFile(dir.File("picture.bmp"));
        TBitmap loaded;
        loaded.LoadFromFile(dir.File("picture.bmp"));
        EXPECT_TRUE(PixelsAre(loaded, width, 5, [&](int x, int y) { return original.ScanLine(y)[x]; }));
        EXPECT_EQ(loaded.PixelFormat(), pf24bit);
    }
}

TEST(BmpFile, SavingAnEmptyBitmapIsRefusedAndLeavesTheFile)
{
    TTempFolder dir;
    TBitmap picture;
    PaintTestPicture(picture, 4, 4);
    picture.SaveToFile(dir.File("keep.bmp"));
    TBitmap empty;
    EXPECT_THROW(empty.SaveToFile(dir.File("keep.bmp")), EInvalidGraphic);
    TBitmap loaded;
    loaded.LoadFromFile(dir.File("keep.bmp"));
    EXPECT_EQ(loaded.Width(), 4);
}

TEST(BmpFile, TestPatternResourceLoadsByNameInAnyCase)
{
    const uint32_t red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, white = 0xFFFFFF, black = 0, magenta = 0xFF00FF;
    const uint32_t expected[3][5] = {
        {red, green, blue, white, black},
        {black, white, red, green, blue},
        {magenta, magenta, black, magenta, magenta},
    };
    TBitmap bitmap;
    bitmap.LoadFromResourceName("TestPattern");
    EXPECT_TRUE(PixelsAre(bitmap, 5, 3, [&](int x, int y) { return expected[y][x]; }));
    EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
    EXPECT_TRUE(FindResource("testpattern", "bitmap").has_value());
    EXPECT_FALSE(FindResource("TESTPATTERN", "ICON").has_value());
}

TEST(BmpFile, MissingResourceRaisesResNotFoundAndKeepsTheBitmap)
{
    TBitmap bitmap(2, 2);
    try {
        bitmap.LoadFromResourceName("NO_SUCH_BITMAP");
        FAIL() << "no exception";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource NO_SUCH_BITMAP not found");
    }
    EXPECT_EQ(bitmap.Width(), 2);
}

// ----------------------------------------------------------------------------
// Broken files

void SetU32(std::vector<uint8_t>& file, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) file[at + i] = (v >> (8 * i)) & 0xFF;
}

struct BadBmp {
    const char* Name;
    std::function<void(std::vector<uint8_t>&)> Break;
    const char* MessagePart;
};

TEST(BmpFile, BrokenFilesRaiseInvalidGraphicAndKeepTheBitmap)
{
    const auto valid = MakeBmp(Indexed("8 bits", 8, {0xFF0000, 0x00FF00, 0x0000FF}, pf8bit));
    const size_t info = 14, offBits = 10, width = info + 4, height = info + 8, bits = info + 14, compression = info + 16,
                 clrUsed = info + 32;
    const BadBmp cases[] = {
        {"empty file", [](auto& f) { f.clear(); }, "truncated"},
        {"cut in the header", [](auto& f) { f.resize(30); }, "truncated"},
        {"wrong magic", [](auto& f) { f[0] = 'P'; }, "\"BM\""},
        {"unknown header size", [](auto& f) { SetU32(f, 14, 99); }, "header size 99"},
        {"width zero", [=](auto& f) { SetU32(f, width, 0); }, "out of range"},
        {"height zero", [=](auto& f) { SetU32(f, height, 0); }, "out of range"},
        {"negative width", [=](auto& f) { SetU32(f, width, static_cast<uint32_t>(-5)); }, "out of range"},
        {"width above 32768", [=](auto& f) { SetU32(f, width, 40000); }, "out of range"},
        {"height INT_MIN", [=](auto& f) { SetU32(f, height, static_cast<uint32_t>(INT_MIN)); }, "out of range"},
        {"too many pixels", [=](auto& f) { SetU32(f, width, 30000), SetU32(f, height, 30000); }, "more than"},
        {"huge but lying size", [=](auto& f) { SetU32(f, width, 8000), SetU32(f, height, 8000); }, "truncated"},
        {"bit depth 7", [=](auto& f) { f[bits] = 7; }, "7 bits per pixel"},
        {"run-length compressed", [=](auto& f) { SetU32(f, compression, 1); }, "run-length"},
        {"bit fields on 8 bits", [=](auto& f) { SetU32(f, compression, 3); }, "bit fields"},
        {"unknown compression", [=](auto& f) { SetU32(f, compression, 77); }, "compression 77"},
        {"palette larger than the depth", [=](auto& f) { SetU32(f, clrUsed, 300); }, "300 colours"},
        {"palette running past the pixel offset", [=](auto& f) { SetU32(f, clrUsed, 200); }, "inside the headers"},
        {"pixel offset inside the header", [=](auto& f) { SetU32(f, offBits, 20); }, "inside the headers"},
        {"pixel offset past the end", [=](auto& f) { SetU32(f, offBits, 0xFFFFFFF0u); }, "truncated"},
        {"pixel data cut short", [](auto& f) { f.erase(f.end() - 1, f.end()); }, "truncated"},
    };
    for (const BadBmp& bad : cases) {
        SCOPED_TRACE(bad.Name);
        auto file = valid;
        bad.Break(file);
        TBitmap bitmap(2, 1);
        bitmap.ScanLine(0)[0] = 0x123456;
        try {
            LoadFromBytes(bitmap, file);
            ADD_FAILURE() << "loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(e.Message().find("Bitmap image is not valid"), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find(bad.MessagePart), std::string::npos) << e.Message();
        }
        EXPECT_EQ(bitmap.Width(), 2);
        EXPECT_EQ(bitmap.ScanLine(0)[0], 0x123456u);
    }
}

}  // namespace
