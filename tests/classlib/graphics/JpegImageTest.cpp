// JPEG through TJPEGImage: baseline and progressive round trips, grayscale and
// Adobe CMYK files, saving the loaded file unchanged, and broken files.
#include "classlib/graphics/JpegImage.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/Streams.h"
#include "tests/support/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

extern "C" {
#include <jpeglib.h>
}

namespace {

constexpr int W = 67;  // not a multiple of the 8 x 8 blocks
constexpr int H = 45;

// Smooth gradients: lossy coding and chroma subsampling barely change them, while
// a picture shifted by one pixel would be off by about 4 in every channel.
void PaintSmoothPicture(TBitmap& bitmap)
{
    bitmap.SetSize(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            bitmap.ScanLine(y)[x] = uint32_t(x * 255 / (W - 1)) << 16 | uint32_t(y * 255 / (H - 1)) << 8 |
                                    uint32_t((x + y) * 255 / (W + H - 2));
}

std::vector<uint8_t> EncodeWith(TJPEGImage& jpeg, const TBitmap& source)
{
    jpeg.Assign(&source);
    return SavedBytes(jpeg);
}

bool HasMarker(const std::vector<uint8_t>& file, uint8_t marker)
{
    for (size_t i = 0; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == marker) return true;
    return false;
}

TEST(JpegImage, BaselineAndProgressiveRoundTrips)
{
    TBitmap original;
    PaintSmoothPicture(original);
    for (bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        TJPEGImage encoder;
        encoder.SetProgressiveEncoding(progressive);
        const auto file = EncodeWith(encoder, original);
        // SOF2 starts a progressive frame, SOF0 a baseline one.
        EXPECT_TRUE(HasMarker(file, progressive ? 0xC2 : 0xC0));

        TJPEGImage decoded;
        LoadFromBytes(decoded, file);
        ASSERT_EQ(decoded.Width(), W);
        ASSERT_EQ(decoded.Height(), H);
        EXPECT_FALSE(decoded.Grayscale());
        EXPECT_LE(MeanChannelDifference(decoded.Bitmap(), original), 1.5);
        EXPECT_LE(MaxChannelDifference(decoded.Bitmap(), original), 12);

        // A bitmap takes the decoded pixels.
        TBitmap copy;
        copy.Assign(&decoded);
        EXPECT_EQ(MaxChannelDifference(copy, decoded.Bitmap()), 0);
    }
}

TEST(JpegImage, SavesTheLoadedFileUnchangedAndReencodesAfterAChange)
{
    TBitmap original;
    PaintTestPicture(original, W, H);
    TJPEGImage encoder;
    const auto file = EncodeWith(encoder, original);

    TJPEGImage loaded;
    LoadFromBytes(loaded, file);
    EXPECT_EQ(SavedBytes(loaded), file);

    loaded.SetSize(10, 10);
    const auto resized = SavedBytes(loaded);
    TJPEGImage reloaded;
    LoadFromBytes(reloaded, resized);
    EXPECT_EQ(reloaded.Width(), 10);
}

TEST(JpegImage, DrawsOpaqueEvenWhenMarkedTransparent)
{
    // A flat picture: were the bottom-left colour treated as see-through, nothing would show.
    TBitmap flat(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) flat.ScanLine(y)[x] = 0x808080;
    TJPEGImage encoder;
    TJPEGImage jpeg;
    LoadFromBytes(jpeg, EncodeWith(encoder, flat));
    jpeg.SetTransparent(true);

    TBitmap target(W + 5, H + 6);  // white
    target.Canvas()->Draw(0, 0, &jpeg);
    EXPECT_TRUE(PixelsAre(target, W + 5, H + 6, [&](int x, int y) {
        return x < W && y < H ? jpeg.Bitmap().ScanLine(y)[x] : 0xFFFFFFu;
    }));
    EXPECT_NE(target.ScanLine(H - 1)[0], 0xFFFFFFu);
}

// A file written straight through libjpeg, for colour spaces TJPEGImage does not write.
std::vector<uint8_t> EncodeRaw(J_COLOR_SPACE space, int components, const std::vector<uint8_t>& samples, int width,
                               int height)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);  // CMYK input gets an Adobe marker and inverted samples
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < height; ++y) {
        JSAMPROW row = const_cast<JSAMPLE*>(samples.data() + static_cast<size_t>(y) * width * components);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> file(buffer, buffer + size);
    std::free(buffer);
    return file;
}

TEST(JpegImage, DecodesGrayscaleAndAdobeCmyk)
{
    const int width = 16, height = 8;
    std::vector<uint8_t> gray(width * height);
    for (int i = 0; i < width * height; ++i) gray[i] = static_cast<uint8_t>(i % width < 8 ? 30 : 220);
    TJPEGImage grayscale;
    LoadFromBytes(grayscale, EncodeRaw(JCS_GRAYSCALE, 1, gray, width, height));
    EXPECT_TRUE(grayscale.Grayscale());
    TBitmap expectedGray(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) expectedGray.ScanLine(y)[x] = x < 8 ? 0x1E1E1E : 0xDCDCDC;
    EXPECT_LE(MaxChannelDifference(grayscale.Bitmap(), expectedGray), 4);

    // Inverted (Adobe) CMYK: left half red, right half blue.
    std::vector<uint8_t> cmyk;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t red[4] = {255, 0, 0, 255}, blue[4] = {0, 0, 255, 255};
            cmyk.insert(cmyk.end(), x < 8 ? red : blue, (x < 8 ? red : blue) + 4);
        }
    TJPEGImage print;
    LoadFromBytes(print, EncodeRaw(JCS_CMYK, 4, cmyk, width, height));
    TBitmap expectedColour(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) expectedColour.ScanLine(y)[x] = x < 8 ? 0xFF0000 : 0x0000FF;
    EXPECT_LE(MaxChannelDifference(print.Bitmap(), expectedColour), 8);
}

// A grey picture written straight through libjpeg at the lowest quality,
// as small as its options make it.
std::vector<uint8_t> EncodeGray(const std::vector<uint8_t>& samples, int width, int height, bool progressive,
                                bool arithmetic)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 1, TRUE);
    // Arithmetic coding adapts by itself and has no tables to optimise.
    info.optimize_coding = arithmetic ? FALSE : TRUE;
    info.arith_code = arithmetic ? TRUE : FALSE;
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < height; ++y) {
        JSAMPROW row = const_cast<JSAMPLE*>(samples.data() + static_cast<size_t>(y) * width);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> file(buffer, buffer + size);
    std::free(buffer);
    return file;
}

TEST(JpegImage, TheDataMustBeAbleToHoldTheClaimedPicture)
{
    // Huffman-coded flat pictures are the smallest real files of their size:
    // they load, progressive or not. Arithmetic coding packs a flat picture
    // below a bit per block, which is refused, while one with content loads.
    constexpr int kSide = 1024;
    const std::vector<uint8_t> flat(static_cast<size_t>(kSide) * kSide, 128);
    std::vector<uint8_t> noise(static_cast<size_t>(W) * H);
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<uint8_t>(i * 2654435761u >> 24);
    struct Case {
        const char* Name;
        std::vector<uint8_t> File;
        int Pixels; // 0: refused
    };
    const Case cases[] = {
        {"flat baseline", EncodeGray(flat, kSide, kSide, false, false), kSide * kSide},
        {"flat progressive", EncodeGray(flat, kSide, kSide, true, false), kSide * kSide},
        {"flat arithmetic", EncodeGray(flat, kSide, kSide, false, true), 0},
        {"arithmetic with content", EncodeGray(noise, W, H, true, true), W * H},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Name) + ", " + std::to_string(c.File.size()) + " bytes");
        TJPEGImage jpeg;
        try {
            LoadFromBytes(jpeg, c.File);
            EXPECT_EQ(jpeg.Width() * jpeg.Height(), c.Pixels);
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(c.Pixels, 0) << e.Message();
            EXPECT_NE(e.Message().find("too small for the picture"), std::string::npos) << e.Message();
        }
    }
}

// ----------------------------------------------------------------------------
// Broken files

// Offset of the frame header's height field (width follows) in a baseline file.
size_t FrameSizeOffset(const std::vector<uint8_t>& file)
{
    for (size_t i = 2; i + 8 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xC0) return i + 5;
    return 0;
}

void SetSize16(std::vector<uint8_t>& file, size_t at, int height, int width)
{
    file[at] = static_cast<uint8_t>(height >> 8), file[at + 1] = static_cast<uint8_t>(height);
    file[at + 2] = static_cast<uint8_t>(width >> 8), file[at + 3] = static_cast<uint8_t>(width);
}

struct BadJpeg {
    const char* Name;
    std::function<void(std::vector<uint8_t>&)> Break;
    const char* MessagePart;
};

TEST(JpegImage, BrokenFilesRaiseInvalidGraphicAndKeepThePicture)
{
    TBitmap original;
    PaintTestPicture(original, W, H);
    TJPEGImage encoder;
    const auto valid = EncodeWith(encoder, original);
    const size_t size = FrameSizeOffset(valid);
    ASSERT_NE(size, 0u);

    const BadJpeg cases[] = {
        {"empty file", [](auto& f) { f.clear(); }, "JPEG marker"},
        {"wrong magic", [](auto& f) { f[0] = 'G'; }, "JPEG marker"},
        {"start and end markers only", [](auto& f) { f = {0xFF, 0xD8, 0xFF, 0xD9}; }, "no image"},
        {"cut in the headers", [](auto& f) { f.resize(100); }, "Premature end"},
        {"cut in the picture", [](auto& f) { f.resize(f.size() / 2); }, "Premature end"},
        {"last bytes missing", [](auto& f) { f.erase(f.end() - 2, f.end()); }, "Premature end"},
        {"width zero", [=](auto& f) { SetSize16(f, size, H, 0); }, "JPEG image is not valid"},
        {"above 32768 wide", [=](auto& f) { SetSize16(f, size, H, 40000); }, "out of range"},
        {"too many pixels", [=](auto& f) { SetSize16(f, size, 20000, 20000); }, "more than"},
        // Within the pixel cap, but far more than the data can hold.
        {"8192 x 8192 claimed", [=](auto& f) { SetSize16(f, size, 8192, 8192); }, "too small for the picture"},
    };
    for (const BadJpeg& bad : cases) {
        SCOPED_TRACE(bad.Name);
        auto file = valid;
        bad.Break(file);
        TJPEGImage jpeg;
        jpeg.SetSize(3, 2);
        try {
            LoadFromBytes(jpeg, file);
            ADD_FAILURE() << "loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(e.Message().find(bad.MessagePart), std::string::npos) << e.Message();
        }
        EXPECT_EQ(jpeg.Width(), 3);
    }
}

}  // namespace
