// Device-space painting shared by the canvas primitives: pen pixels combined with
// the pen's mode, and brush spans (solid, pattern or hatch) tiled from the brush
// origin in device pixels. Coordinates are 64-bit so that far-away shapes can be
// clipped without overflow; every call clips to the target's rectangle.
#pragma once

#include "classlib/raster/RasterTypes.h"

#include <cstdint>

namespace Raster {

using Coord = int64_t;

// Sets count pixels from dst to pixel, at close to memory speed.
void FillPixels(uint32_t* dst, Coord count, uint32_t pixel);

// How a pixel combines with what the surface holds.
struct TInk {
    uint32_t Pixel = 0;
    TPenMode Mode = pmCopy;

    uint32_t Mix(uint32_t dst) const
    {
        switch (Mode) {
        case pmCopy: return Pixel;
        case pmNot: return ~dst & 0x00FFFFFFu;
        case pmXor: return (dst ^ Pixel) & 0x00FFFFFFu;
        case pmNotXor: return ~(dst ^ Pixel) & 0x00FFFFFFu;
        }
        return Pixel;
    }
};

// What a brush paints. Pattern and hatch brushes are tiled from Origin (device
// pixels); a hatch paints only its lines, leaving the background as it was.
class TBrushInk {
public:
    enum TKind { bkNone, bkSolid, bkPattern, bkHatch };

    TBrushInk() = default;
    static TBrushInk Solid(uint32_t pixel);
    // An 8 x 8 (or any size) tile repeated from origin. A monochrome tile paints
    // its black pixels in foreground and its white pixels in background.
    static TBrushInk Pattern(const TPixelSurface& tile, bool monochrome, uint32_t foreground, uint32_t background,
                             TPoint origin);
    // One of the hatch styles, its lines in pixel, tiled from origin.
    static TBrushInk Hatch(TBrushStyle style, uint32_t pixel, TPoint origin);

    TKind Kind() const { return FKind; }
    bool Paints() const { return FKind != bkNone; }

    // Paints device pixels [x0, x1) of row y (already clipped) of row pointer dst.
    void FillRow(uint32_t* dst, Coord y, Coord x0, Coord x1, TPenMode mode) const;
    // The brush's pixel at device (x, y); false where it leaves the surface alone.
    bool PixelAt(Coord x, Coord y, uint32_t& pixel) const;

private:

    TKind FKind = bkNone;
    uint32_t FPixel = 0;
    TBrushStyle FHatch = bsSolid;
    TPixelSurface FPattern;
    bool FMonochrome = false;
    uint32_t FForeground = 0; // black pattern pixels of a monochrome pattern
    TPoint FOrigin;
};

// A surface with the rectangle (device pixels, within the surface) that drawing may touch.
class TTarget {
public:
    TTarget(const TPixelSurface& surface, const TRect& clip);

    const TRect& Clip() const { return FClip; }
    bool Empty() const { return IsRectEmpty(FClip) || !FSurface; }
    const TPixelSurface& Surface() const { return FSurface; }

    void Plot(Coord x, Coord y, const TInk& ink) const;
    // Pixels [x0, x1) of row y.
    void Span(Coord y, Coord x0, Coord x1, const TInk& ink) const;
    void BrushSpan(Coord y, Coord x0, Coord x1, const TBrushInk& brush, TPenMode mode = pmCopy) const;
    // Rectangle [left, right) x [top, bottom).
    void BrushRect(Coord left, Coord top, Coord right, Coord bottom, const TBrushInk& brush,
                   TPenMode mode = pmCopy) const;
    void InkRect(Coord left, Coord top, Coord right, Coord bottom, const TInk& ink) const;

private:
    TPixelSurface FSurface;
    TRect FClip;
};

// A rectangle of device pixels in 64 bits, [Left, Right) x [Top, Bottom).
struct TBox {
    Coord Left = 0, Top = 0, Right = 0, Bottom = 0;
};

inline TBox BoxOf(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

} // namespace Raster
