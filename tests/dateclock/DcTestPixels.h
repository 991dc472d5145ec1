// Pixel helpers shared by the date clock's tests.
#pragma once

#include "classlib/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>

using TPixelSet = std::set<std::pair<int, int>>;

// A bitmap filled with one colour.
inline std::unique_ptr<TBitmap> BlankBitmap(int width, int height, TColor color)
{
    auto bitmap = std::make_unique<TBitmap>(width, height);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
    return bitmap;
}

inline uint32_t PixelAt(const TBitmap& bitmap, int x, int y)
{
    return bitmap.ScanLine(y)[x];
}

// Every pixel of the bitmap that holds colour.
inline TPixelSet PixelsOf(const TBitmap& bitmap, TColor color)
{
    TPixelSet set;
    const uint32_t px = ColorToPixel(color);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (PixelAt(bitmap, x, y) == px) set.insert({x, y});
    return set;
}

// The pixels of a horizontal or vertical line, both ends included.
inline TPixelSet StraightLine(int x0, int y0, int x1, int y1)
{
    TPixelSet set;
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) set.insert({x, y});
    return set;
}

inline TPixelSet Shifted(const TPixelSet& set, int dx, int dy)
{
    TPixelSet out;
    for (auto [x, y] : set) out.insert({x + dx, y + dy});
    return out;
}

inline TPixelSet Union(TPixelSet a, const TPixelSet& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

inline std::string Describe(const TPixelSet& set)
{
    std::ostringstream out;
    for (auto [x, y] : set) out << "(" << x << "," << y << ") ";
    return out.str();
}

// A steep one-pixel line from (x0, y0) to (x1, y1), ends included: one pixel
// per row, x moving monotonically from x0 to x1.
inline void ExpectSteepLine(const TPixelSet& lit, int x0, int y0, int x1, int y1)
{
    ASSERT_EQ(lit.size(), static_cast<size_t>(std::abs(y1 - y0) + 1)) << Describe(lit);
    EXPECT_TRUE(lit.count({x0, y0})) << Describe(lit);
    EXPECT_TRUE(lit.count({x1, y1})) << Describe(lit);
    std::set<int> rows;
    for (auto [x, y] : lit) {
        rows.insert(y);
        EXPECT_GE(x, std::min(x0, x1));
        EXPECT_LE(x, std::max(x0, x1));
        // Distance from the ideal line stays below one pixel.
        const double ideal = x0 + double(x1 - x0) * (y - y0) / (y1 - y0);
        EXPECT_LT(std::abs(x - ideal), 1.0) << "(" << x << "," << y << ")";
    }
    EXPECT_EQ(rows.size(), lit.size());
}
