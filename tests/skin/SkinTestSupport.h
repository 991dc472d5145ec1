// Bitmaps whose every pixel says where it came from, for the drawing tests.
#pragma once

#include "classlib/graphics/Bitmap.h"

#include <cstdint>

namespace skintest {

// Pixel (x, y) of a numbered bitmap: 0x01XXYY, never black, white or magenta.
constexpr uint32_t Numbered(int x, int y) { return 0x010000u | static_cast<uint32_t>(x) << 8 | static_cast<uint32_t>(y); }
constexpr int SourceX(uint32_t px) { return static_cast<int>((px >> 8) & 0xFF); }
constexpr int SourceY(uint32_t px) { return static_cast<int>(px & 0xFF); }
constexpr bool IsNumbered(uint32_t px) { return (px & 0xFF0000) == 0x010000; }

inline void FillNumbered(TBitmap& bitmap, int width, int height)
{
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap.ScanLine(y)[x] = Numbered(x, y);
}

inline void Fill(TBitmap& bitmap, int width, int height, uint32_t pixel)
{
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap.ScanLine(y)[x] = pixel;
}

inline uint32_t At(const TBitmap& bitmap, int x, int y) { return bitmap.ScanLine(y)[x] & 0xFFFFFF; }

}  // namespace skintest
