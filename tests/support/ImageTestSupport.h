// Helpers shared by the picture tests: a scratch folder and pixel checks.
#pragma once

#include "classlib/graphics/Bitmap.h"
#include "classlib/system/Streams.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>


// Every pixel of bitmap equals expected(x, y); reports the first difference.
inline ::testing::AssertionResult PixelsAre(const TBitmap& bitmap, int width, int height,
                                            const std::function<uint32_t(int, int)>& expected)
{
    if (bitmap.Width() != width || bitmap.Height() != height)
        return ::testing::AssertionFailure() << "size " << bitmap.Width() << " x " << bitmap.Height() << ", expected "
                                             << width << " x " << height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (bitmap.ScanLine(y)[x] != expected(x, y))
                return ::testing::AssertionFailure() << std::hex << "pixel (" << std::dec << x << ", " << y << ") is 0x"
                                                     << std::hex << bitmap.ScanLine(y)[x] << ", expected 0x"
                                                     << expected(x, y);
    return ::testing::AssertionSuccess();
}

// The largest difference of one colour channel between two same-sized bitmaps.
inline int MaxChannelDifference(const TBitmap& a, const TBitmap& b)
{
    int worst = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            for (int shift = 0; shift < 24; shift += 8) {
                const int ca = (a.ScanLine(y)[x] >> shift) & 0xFF, cb = (b.ScanLine(y)[x] >> shift) & 0xFF;
                worst = std::max(worst, std::abs(ca - cb));
            }
    return worst;
}

// The mean difference of the colour channels of two same-sized bitmaps.
inline double MeanChannelDifference(const TBitmap& a, const TBitmap& b)
{
    double total = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            for (int shift = 0; shift < 24; shift += 8)
                total += std::abs(int((a.ScanLine(y)[x] >> shift) & 0xFF) - int((b.ScanLine(y)[x] >> shift) & 0xFF));
    return a.Width() && a.Height() ? total / (3.0 * a.Width() * a.Height()) : 0;
}

// Fills bitmap with a smooth gradient and a few flat blocks: easy for lossy codecs,
// yet every row and column is different.
inline void PaintTestPicture(TBitmap& bitmap, int width, int height)
{
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t r = static_cast<uint32_t>(x * 255 / std::max(1, width - 1));
            const uint32_t g = static_cast<uint32_t>(y * 255 / std::max(1, height - 1));
            const uint32_t b = (x / 16 + y / 16) % 2 ? 200 : 40;
            bitmap.ScanLine(y)[x] = r << 16 | g << 8 | b;
        }
}

// What was written to stream.
inline std::vector<uint8_t> BytesOf(TMemoryStream& stream)
{
    const auto* bytes = static_cast<const uint8_t*>(stream.Memory());
    return std::vector<uint8_t>(bytes, bytes + stream.Size());
}

// Loads graphic from an in-memory copy of bytes.
inline void LoadFromBytes(TGraphic& graphic, const std::vector<uint8_t>& bytes)
{
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
    graphic.LoadFromStream(stream);
}

// The graphic's file as saved to a stream.
inline std::vector<uint8_t> SavedBytes(TGraphic& graphic)
{
    TMemoryStream stream;
    graphic.SaveToStream(stream);
    return BytesOf(stream);
}
