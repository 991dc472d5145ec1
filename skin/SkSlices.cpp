// Cutting a skin bitmap into slices, three-part (tab) drawing and tiling.
#include "classlib/graphics/Bitmap.h"
#include "skin/SkDraw.h"

#include <algorithm>
#include <cstdint>
#include <vector>

void SpitBitmap(const TBitmap& Source, TBitmap& Dest, int Count, int Index)
{
    if (Count < 1 || Index < 1 || Index > Count) return;
    const int width = Source.Width() / Count;
    const int height = Source.Height();
    const int left = (Index - 1) * width;
    // Read the slice before Dest is resized, in case both are one bitmap.
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        std::copy_n(Source.ScanLine(y) + left, width, pixels.begin() + static_cast<ptrdiff_t>(y) * width);
    Dest.AssignPixels(width, height, std::move(pixels), Source.PixelFormat());
}

void SpitDrawHorizontal(TBitmap& Source, TCanvas& Canvas, const TRect& Rect, bool UseSampledMask, bool SampleTopRow)
{
    const int w = Source.Width() / 3;
    const int h = Source.Height();
    if (w <= 0 || h <= 0) return;
    TColor mask = skTransparentColor;
    if (UseSampledMask) mask = PixelToRGB(Source.ScanLine(SampleTopRow ? 0 : h - 1)[0]);
    TCanvas* source = Source.Canvas();
    Canvas.TransparentCopyRect(Bounds(Rect.Left, Rect.Top, w, h), source, Bounds(0, 0, w, h), mask);
    Canvas.TransparentCopyRect(Bounds(Rect.Right - w, Rect.Top, w, h), source, Bounds(2 * w, 0, w, h), mask);
    const TRect middle(Rect.Left + w, Rect.Top, Rect.Right - w, Rect.Bottom);
    // A tab narrower than its two ends has no middle (a reversed rectangle would mirror).
    if (!IsRectEmpty(middle)) Canvas.CopyRect(middle, source, Bounds(w, 0, w, h));
}

void TileDraw(TCanvas& Canvas, TGraphic& Picture, const TRect& Rect)
{
    const int w = Picture.Width();
    const int h = Picture.Height();
    if (w <= 0 || h <= 0) return;
    const int64_t right = int64_t(w) + Rect.Width(), bottom = int64_t(h) + Rect.Height();
    for (int64_t y = 0; y < bottom; y += h)
        for (int64_t x = 0; x < right; x += w) Canvas.Draw(static_cast<int>(x), static_cast<int>(y), &Picture);
}
