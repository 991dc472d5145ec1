// Pen and brush painting on a clipped surface.
#include "classlib/raster/RasterInk.h"

#include "classlib/raster/DrawCount.h"

#include <algorithm>
#include <cstring>

namespace Raster {

namespace {

Coord Wrap(Coord v, Coord period)
{
    const Coord r = v % period;
    return r < 0 ? r + period : r;
}

// Whether the 8 x 8 tile of a hatch style has a line at (x, y).
bool HatchBit(TBrushStyle style, int x, int y)
{
    switch (style) {
    case bsHorizontal: return y == 0;
    case bsVertical: return x == 0;
    case bsFDiagonal: return x == y;
    case bsBDiagonal: return x + y == 7;
    case bsCross: return x == 0 || y == 0;
    case bsDiagCross: return x == y || x + y == 7;
    default: return true;
    }
}

} // namespace

void FillPixels(uint32_t* dst, Coord count, uint32_t pixel)
{
    // std::fill of 32-bit values stays scalar at -O2; 16-byte vector stores keep
    // large fills close to memset speed on every target the compiler knows.
    typedef uint32_t TQuad __attribute__((vector_size(16)));
    Coord i = 0;
    while (i < count && (reinterpret_cast<uintptr_t>(dst + i) & 15) != 0) dst[i++] = pixel;
    const TQuad quad = {pixel, pixel, pixel, pixel};
    for (; i + 16 <= count; i += 16) {
        std::memcpy(dst + i, &quad, sizeof quad);
        std::memcpy(dst + i + 4, &quad, sizeof quad);
        std::memcpy(dst + i + 8, &quad, sizeof quad);
        std::memcpy(dst + i + 12, &quad, sizeof quad);
    }
    for (; i + 4 <= count; i += 4) std::memcpy(dst + i, &quad, sizeof quad);
    for (; i < count; ++i) dst[i] = pixel;
}

TBrushInk TBrushInk::Solid(uint32_t pixel)
{
    TBrushInk ink;
    ink.FKind = bkSolid;
    ink.FPixel = pixel;
    return ink;
}

TBrushInk TBrushInk::Pattern(const TPixelSurface& tile, bool monochrome, uint32_t foreground, uint32_t background,
                             TPoint origin)
{
    TBrushInk ink;
    ink.FKind = bkPattern;
    ink.FPattern = tile;
    ink.FMonochrome = monochrome;
    ink.FForeground = foreground;
    ink.FPixel = background;
    ink.FOrigin = origin;
    return ink;
}

TBrushInk TBrushInk::Hatch(TBrushStyle style, uint32_t pixel, TPoint origin)
{
    TBrushInk ink;
    ink.FKind = bkHatch;
    ink.FHatch = style;
    ink.FPixel = pixel;
    ink.FOrigin = origin;
    return ink;
}

bool TBrushInk::PixelAt(Coord x, Coord y, uint32_t& pixel) const
{
    switch (FKind) {
    case bkSolid: pixel = FPixel; return true;
    case bkPattern: {
        const Coord px = Wrap(x - FOrigin.X, FPattern.Width), py = Wrap(y - FOrigin.Y, FPattern.Height);
        const uint32_t p = FPattern.Row(static_cast<int>(py))[px] & 0x00FFFFFFu;
        pixel = FMonochrome ? (p == 0 ? FForeground : FPixel) : p;
        return true;
    }
    case bkHatch:
        pixel = FPixel;
        return HatchBit(FHatch, static_cast<int>(Wrap(x - FOrigin.X, 8)), static_cast<int>(Wrap(y - FOrigin.Y, 8)));
    case bkNone: break;
    }
    return false;
}

void TBrushInk::FillRow(uint32_t* dst, Coord y, Coord x0, Coord x1, TPenMode mode) const
{
    if (x1 <= x0 || FKind == bkNone) return;
    if (FKind == bkSolid && mode == pmCopy) {
        FillPixels(dst + x0, x1 - x0, FPixel);
        return;
    }
    if (FKind == bkPattern && mode == pmCopy && !FMonochrome) {
        // Walk the pattern row with a wrapping index instead of a division per pixel.
        const uint32_t* row = FPattern.Row(static_cast<int>(Wrap(y - FOrigin.Y, FPattern.Height)));
        Coord px = Wrap(x0 - FOrigin.X, FPattern.Width);
        for (Coord x = x0; x < x1; ++x) {
            dst[x] = row[px] & 0x00FFFFFFu;
            if (++px == FPattern.Width) px = 0;
        }
        return;
    }
    TInk ink{0, mode};
    for (Coord x = x0; x < x1; ++x) {
        if (!PixelAt(x, y, ink.Pixel)) continue;
        dst[x] = ink.Mix(dst[x]);
    }
}

TTarget::TTarget(const TPixelSurface& surface, const TRect& clip)
    : FSurface(surface), FClip(IntersectRect(clip, surface.BoundsRect()))
{
    CountDrawOperation();
}

void TTarget::Plot(Coord x, Coord y, const TInk& ink) const
{
    if (x < FClip.Left || x >= FClip.Right || y < FClip.Top || y >= FClip.Bottom) return;
    uint32_t& px = FSurface.Row(static_cast<int>(y))[x];
    px = ink.Mix(px);
}

void TTarget::Span(Coord y, Coord x0, Coord x1, const TInk& ink) const
{
    if (y < FClip.Top || y >= FClip.Bottom) return;
    x0 = std::max<Coord>(x0, FClip.Left);
    x1 = std::min<Coord>(x1, FClip.Right);
    if (x0 >= x1) return;
    uint32_t* row = FSurface.Row(static_cast<int>(y));
    if (ink.Mode == pmCopy) {
        FillPixels(row + x0, x1 - x0, ink.Pixel);
        return;
    }
    for (Coord x = x0; x < x1; ++x) row[x] = ink.Mix(row[x]);
}

void TTarget::BrushSpan(Coord y, Coord x0, Coord x1, const TBrushInk& brush, TPenMode mode) const
{
    if (y < FClip.Top || y >= FClip.Bottom) return;
    x0 = std::max<Coord>(x0, FClip.Left);
    x1 = std::min<Coord>(x1, FClip.Right);
    if (x0 >= x1) return;
    brush.FillRow(FSurface.Row(static_cast<int>(y)), y, x0, x1, mode);
}

void TTarget::BrushRect(Coord left, Coord top, Coord right, Coord bottom, const TBrushInk& brush,
                        TPenMode mode) const
{
    if (!brush.Paints()) return;
    top = std::max<Coord>(top, FClip.Top);
    bottom = std::min<Coord>(bottom, FClip.Bottom);
    left = std::max<Coord>(left, FClip.Left);
    right = std::min<Coord>(right, FClip.Right);
    if (left >= right || top >= bottom) return;
    if (brush.Kind() == TBrushInk::bkSolid && mode == pmCopy && left == 0 && right == FSurface.Width &&
        FSurface.Stride == FSurface.Width) {
        // Whole rows of a packed surface are one run of pixels.
        brush.FillRow(FSurface.Row(static_cast<int>(top)), top, 0, (bottom - top) * FSurface.Width, mode);
        return;
    }
    for (Coord y = top; y < bottom; ++y) brush.FillRow(FSurface.Row(static_cast<int>(y)), y, left, right, mode);
}

void TTarget::InkRect(Coord left, Coord top, Coord right, Coord bottom, const TInk& ink) const
{
    top = std::max<Coord>(top, FClip.Top);
    bottom = std::min<Coord>(bottom, FClip.Bottom);
    for (Coord y = top; y < bottom; ++y) Span(y, left, right, ink);
}

} // namespace Raster
