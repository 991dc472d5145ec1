// Small helpers for the canvas tests: bitmaps of one colour and pixel reads.
#pragma once

#include "classlib/graphics/Bitmap.h"

#include <algorithm>
#include <cstdint>
#include <string>

// A bitmap of width x height pixels, all of one colour.
inline void Paint(TBitmap& bitmap, int width, int height, uint32_t pixel)
{
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y) std::fill_n(bitmap.ScanLine(y), width, pixel);
}

inline uint32_t At(const TBitmap& bitmap, int x, int y) { return bitmap.ScanLine(y)[x] & 0x00FFFFFFu; }

// How many pixels of bitmap have this pixel value.
inline int CountOf(const TBitmap& bitmap, uint32_t pixel)
{
    int n = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) n += At(bitmap, x, y) == pixel;
    return n;
}

// The bitmap as rows of '.' (black), '#' (white) and '*' (anything else), for messages.
inline std::string Picture(const TBitmap& bitmap)
{
    std::string s;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const uint32_t px = At(bitmap, x, y);
            s += px == 0 ? '.' : px == 0xFFFFFF ? '#' : '*';
        }
        s += '\n';
    }
    return s;
}
