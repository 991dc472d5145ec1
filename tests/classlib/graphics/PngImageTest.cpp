// PNG: the SavePng/LoadPng round trip, every colour type read as RGB (alpha over
// black), interlacing, TPngImage, and broken files.
#include "classlib/graphics/PngImage.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/Streams.h"
#include "tests/support/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <png.h>

namespace {

TEST(PngImage, SavePngThenLoadPngIsExact)
{
    TTempFolder dir;
    TBitmap original;
    PaintTestPicture(original, 33, 21);
    SavePng(original.Surface(), dir.File("picture.png"));
    TBitmap loaded;
    LoadPng(dir.File("picture.png"), loaded);
    EXPECT_TRUE(PixelsAre(loaded, 33, 21, [&](int x, int y) { return original.ScanLine(y)[x]; }));

    // A surface with a stride wider than its width (a part of a bigger picture).
    TPixelSurface part{original.ScanLine(2) + 5, 7, 4, original.Width()};
    SavePng(part, dir.File("part.png"));
    LoadPng(dir.File("part.png"), loaded);
    EXPECT_TRUE(PixelsAre(loaded, 7, 4, [&](int x, int y) { return original.ScanLine(y + 2)[x + 5]; }));
}

// A PNG written straight through libpng, for the colour types we do not write.
struct PngSpec {
    const char* Name;
    int ColorType;
    int BitDepth;
    bool Interlaced;
    std::vector<png_color> Palette;
    std::vector<uint8_t> Samples;  // rows of packed samples as libpng takes them
    int Width, Height;
    std::vector<uint32_t> Expected;  // top-down pixels
};

void AppendToVector(png_structp png, png_bytep data, png_size_t count)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + count);
}

std::vector<uint8_t> WriteRaw(const PngSpec& layout)
{
    std::vector<uint8_t> file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &file, AppendToVector, nullptr);
    png_set_IHDR(png, info, layout.Width, layout.Height, layout.BitDepth, layout.ColorType,
                 layout.Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!layout.Palette.empty())
        png_set_PLTE(png, info, layout.Palette.data(), static_cast<int>(layout.Palette.size()));
    png_write_info(png, info);
    const size_t rowBytes = layout.Samples.size() / layout.Height;
    std::vector<png_bytep> rows;
    for (int y = 0; y < layout.Height; ++y) rows.push_back(const_cast<png_bytep>(layout.Samples.data() + y * rowBytes));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return file;
}

TEST(PngImage, ReadsEveryColourTypeAsRgbWithAlphaOverBlack)
{
    const std::vector<PngSpec> cases = {
        {"palette, 2 bits", PNG_COLOR_TYPE_PALETTE, 2, false, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}},
         {0b00011000, 0b10010000}, 3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x0000FF, 0x00FF00, 0xFF0000}},
        {"gray, 1 bit", PNG_COLOR_TYPE_GRAY, 1, false, {}, {0b10100000}, 3, 1, {0xFFFFFF, 0x000000, 0xFFFFFF}},
        {"gray, 16 bits", PNG_COLOR_TYPE_GRAY, 16, false, {}, {0x80, 0x80, 0xFF, 0xFF}, 2, 1, {0x808080, 0xFFFFFF}},
        {"gray and alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, {}, {200, 255, 200, 0}, 2, 1, {0xC8C8C8, 0x000000}},
        {"RGBA, half transparent", PNG_COLOR_TYPE_RGB_ALPHA, 8, false, {}, {255, 128, 0, 128, 10, 20, 30, 255}, 2, 1,
         {0x804000, 0x0A141E}},
        {"RGB, 16 bits", PNG_COLOR_TYPE_RGB, 16, false, {}, {0xFF, 0xFF, 0x00, 0x00, 0x12, 0x34}, 1, 1, {0xFF0012}},
        {"RGB, interlaced", PNG_COLOR_TYPE_RGB, 8, true, {}, {}, 9, 9, {}},
    };
    for (PngSpec layout : cases) {
        SCOPED_TRACE(layout.Name);
        if (layout.Interlaced) {
            for (int i = 0; i < layout.Width * layout.Height; ++i) {
                const uint8_t r = static_cast<uint8_t>(i * 3), g = static_cast<uint8_t>(i * 7), b = static_cast<uint8_t>(255 - i);
                layout.Samples.insert(layout.Samples.end(), {r, g, b});
                layout.Expected.push_back(uint32_t(r) << 16 | uint32_t(g) << 8 | b);
            }
        }
        TPngImage png;
        LoadFromBytes(png, WriteRaw(layout));
        EXPECT_TRUE(PixelsAre(png.Bitmap(), layout.Width, layout.Height,
                              [&](int x, int y) { return layout.Expected[y * layout.Width + x]; }));
    }
}

TEST(PngImage, TPngImageRoundTripAndAssign)
{
    TBitmap original;
    PaintTestPicture(original, 12, 7);
    TPngImage png;
    png.Assign(&original);
    const auto file = SavedBytes(png);
    TPngImage loaded;
    LoadFromBytes(loaded, file);
    EXPECT_EQ(MaxChannelDifference(loaded.Bitmap(), original), 0);
    TBitmap copy;
    copy.Assign(&loaded);
    EXPECT_EQ(MaxChannelDifference(copy, original), 0);
}

// ----------------------------------------------------------------------------
// Broken files

// The chunk checksum of PNG files (CRC-32, reflected, polynomial 0xEDB88320).
uint32_t Crc32(const uint8_t* data, size_t size)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

// Rewrites the width and height of the header chunk, with a correct checksum.
void SetHeaderSize(std::vector<uint8_t>& file, uint32_t width, uint32_t height)
{
    auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
    };
    put(16, width);
    put(20, height);
    put(29, Crc32(file.data() + 12, 17));
}

struct BadPng {
    const char* Name;
    std::function<void(std::vector<uint8_t>&)> Break;
    const char* MessagePart;
};

TEST(PngImage, BrokenFilesRaiseInvalidGraphicAndKeepThePicture)
{
    TBitmap original;
    PaintTestPicture(original, 40, 30);
    const auto valid = EncodePng(original.Surface());
    const BadPng cases[] = {
        {"empty file", [](auto& f) { f.clear(); }, "signature"},
        {"wrong magic", [](auto& f) { f[1] = 'Q'; }, "signature"},
        {"signature only", [](auto& f) { f.resize(8); }, "truncated"},
        {"cut in the picture", [](auto& f) { f.resize(f.size() / 2); }, "truncated"},
        {"end chunk missing", [](auto& f) { f.erase(f.end() - 12, f.end()); }, "truncated"},
        {"damaged header checksum", [](auto& f) { f[29] ^= 0xFF; }, "CRC"},
        {"width zero", [](auto& f) { SetHeaderSize(f, 0, 30); }, "PNG image is not valid"},
        {"above 32768 wide", [](auto& f) { SetHeaderSize(f, 40000, 30); }, "PNG image is not valid"},
        {"too many pixels", [](auto& f) { SetHeaderSize(f, 20000, 20000); }, "more than"},
        {"size the data cannot hold", [](auto& f) { SetHeaderSize(f, 4000, 4000); }, "too small for the picture"},
        {"size larger than the data", [](auto& f) { SetHeaderSize(f, 400, 300); }, "PNG image is not valid"},
    };
    for (const BadPng& bad : cases) {
        SCOPED_TRACE(bad.Name);
        auto file = valid;
        bad.Break(file);
        TPngImage png;
        png.SetSize(3, 2);
        try {
            LoadFromBytes(png, file);
            ADD_FAILURE() << "loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(e.Message().find(bad.MessagePart), std::string::npos) << e.Message();
        }
        EXPECT_EQ(png.Width(), 3);
    }
}

TEST(PngImage, LoadPngOfAMissingFileNamesIt)
{
    TTempFolder dir;
    TBitmap bitmap;
    try {
        LoadPng(dir.File("absent.png"), bitmap);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find("absent.png"), std::string::npos) << e.Message();
    }
}

}  // namespace
