// Comparing pictures in tests: whatever holds the pixels (a bitmap, a surface,
// pixels read back from an X server), a difference is reported as the sizes
// or as the first differing pixel with both colours.
#pragma once

#include "classlib/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// Read-only 32-bit pixels, rows Stride pixels apart.
struct TPixelView {
    const uint32_t* Pixels = nullptr;
    int Width = 0;
    int Height = 0;
    int Stride = 0;
    uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Stride + x]; }
};

TPixelView ViewOf(const TBitmap& bitmap);
TPixelView ViewOf(const TPixelSurface& surface);
// Rows of width pixels, stride apart (width when 0); as many rows as the vector holds.
TPixelView ViewOf(const std::vector<uint32_t>& pixels, int width, int stride = 0);

// "" when both hold the same pixels; else the sizes, or the first differing
// pixel (row by row) with both colours, under the names given.
std::string FirstDifference(const TPixelView& expected, const TPixelView& actual, const char* expectedName = "expected",
                            const char* actualName = "actual");
::testing::AssertionResult SamePixels(const TPixelView& expected, const TPixelView& actual,
                                      const char* expectedName = "expected", const char* actualName = "actual");
