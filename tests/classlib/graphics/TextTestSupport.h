// Helpers of the text tests: a canvas on a plain bitmap, and where ink landed.
#pragma once

#include "classlib/graphics/Bitmap.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

// A bitmap of one colour with its canvas's font set up for a test.
class TextBitmap {
public:
    TextBitmap(int width, int height, TColor background = clWhite) : FBitmap(width, height), FBackground(background)
    {
        Clear();
        Canvas().Font()->SetColor(clBlack);
        Canvas().Brush()->SetStyle(bsClear);
    }
    TCanvas& Canvas() { return *FBitmap.Canvas(); }
    TBitmap& Bitmap() { return FBitmap; }
    uint32_t Pixel(int x, int y) const { return FBitmap.ScanLine(y)[x]; }
    uint32_t BackgroundPixel() const { return RGBToPixel(FBackground); }
    void Clear()
    {
        for (int y = 0; y < FBitmap.Height(); ++y)
            for (int x = 0; x < FBitmap.Width(); ++x) FBitmap.ScanLine(y)[x] = RGBToPixel(FBackground);
    }
    // The smallest rectangle holding every pixel that is not the background; empty when none.
    TRect InkBounds() const { return BoundsWhere([&](uint32_t px) { return px != BackgroundPixel(); }); }
    // The smallest rectangle holding every pixel equal to pixel.
    TRect BoundsOf(uint32_t pixel) const { return BoundsWhere([&](uint32_t px) { return px == pixel; }); }
    // How many pixels of row y in [left, right) are not the background.
    int InkInRow(int y, int left, int right) const
    {
        int n = 0;
        for (int x = left; x < right; ++x) n += Pixel(x, y) != BackgroundPixel();
        return n;
    }

private:
    template <typename Pred>
    TRect BoundsWhere(Pred pred) const
    {
        TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int y = 0; y < FBitmap.Height(); ++y)
            for (int x = 0; x < FBitmap.Width(); ++x)
                if (pred(Pixel(x, y))) r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                                            std::max(r.Bottom, y + 1)};
        return r.Left == INT32_MAX ? TRect{} : r;
    }

    TBitmap FBitmap;
    TColor FBackground;
};

inline std::ostream& operator<<(std::ostream& os, const TRect& r)
{
    return os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

inline bool Contains(const TRect& outer, const TRect& inner)
{
    return IsRectEmpty(inner) || (inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
                                  inner.Bottom <= outer.Bottom);
}

