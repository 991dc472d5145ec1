#include "ledclock/LedDotStamp.h"

#include "classlib/graphics/CanvasRaster.h"
#include "classlib/raster/RasterRound.h"

#include <algorithm>

using Raster::Coord;

void TLedDotStamp::Reshape(int64_t width, int64_t height)
{
    FWidth = width;
    FHeight = height;
    FUsable = width > 0 && height > 0 && width <= MaxSize && height <= MaxSize && !(width == 1 && height == 1);
    if (!FUsable) return;
    // An ellipse is the rounded rectangle whose corner is its whole box.
    const Raster::TRoundShape shape(width, height, width, height);
    for (int32_t y = 0; y < height; ++y) {
        const Raster::TShapeRow r = shape.Row(y);
        TRow& row = FRows[y];
        row.Left = static_cast<int32_t>(r.OuterLeft);
        row.Right = static_cast<int32_t>(r.OuterRight);
        row.InnerLeft = static_cast<int32_t>(r.HasInterior() ? r.InnerLeft : r.OuterRight);
        row.InnerRight = static_cast<int32_t>(r.HasInterior() ? r.InnerRight : r.OuterRight);
    }
}

TLedDotPainter::TLedDotPainter(TCanvas& canvas, TLedDotStamp& stamp)
    : FCanvas(canvas), FStamp(stamp), FTarget(CanvasRaster::Target(canvas)), FBrush(CanvasRaster::BrushInk(canvas)),
      FMode(canvas.Pen()->Mode())
{
    FPenFits = canvas.HandleAllocated() && CanvasRaster::PenStroke(canvas, FStroke) && FStroke.Width <= 1;
    FSolid = FPenFits && FStroke.Ink.Mode == pmCopy && FMode == pmCopy &&
             FBrush.Kind() == Raster::TBrushInk::bkSolid && FBrush.PixelAt(0, 0, FBrushPixel);
}

void TLedDotPainter::Paint(const TRect& box)
{
    // The box as Ellipse takes it: corners in either order, in device pixels.
    const Coord left = CanvasRaster::DeviceX(FCanvas, std::min(box.Left, box.Right));
    const Coord top = CanvasRaster::DeviceY(FCanvas, std::min(box.Top, box.Bottom));
    const Coord width = Coord(std::max(box.Left, box.Right)) - std::min(box.Left, box.Right);
    const Coord height = Coord(std::max(box.Top, box.Bottom)) - std::min(box.Top, box.Bottom);
    FStamp.SetSize(width, height);
    if (!FPenFits || !FStamp.Usable()) {
        FCanvas.Ellipse(box);
        return;
    }
    CanvasRaster::NotifyChanging(FCanvas);
    const TRect& clip = FTarget.Clip();
    if (FSolid && left >= clip.Left && top >= clip.Top && left + width <= clip.Right && top + height <= clip.Bottom)
        PaintSolidInside(left, top);
    else
        PaintRows(left, top);
    CanvasRaster::NotifyChanged(FCanvas);
}

void TLedDotPainter::PaintSolidInside(Coord left, Coord top) const
{
    // A dot row is a few pixels: plain stores, no clipping, no span set-up.
    const TPixelSurface& surface = FTarget.Surface();
    const uint32_t pen = FStroke.Ink.Pixel, brush = FBrushPixel;
    uint32_t* row = surface.Row(static_cast<int>(top)) + left;
    for (Coord y = 0; y < FStamp.Height(); ++y, row += surface.Stride) {
        const TLedDotStamp::TRow& r = FStamp.Row(y);
        for (int32_t x = r.Left; x < r.Right; ++x) row[x] = x >= r.InnerLeft && x < r.InnerRight ? brush : pen;
    }
}

void TLedDotPainter::PaintRows(Coord left, Coord top) const
{
    // The rule of TCanvas::Ellipse with a 1-pixel pen: the outline in the pen,
    // the interior in the brush, each mixed by the pen's mode.
    const TRect& clip = FTarget.Clip();
    const Coord first = std::max<Coord>(top, clip.Top), end = std::min<Coord>(top + FStamp.Height(), clip.Bottom);
    for (Coord y = first; y < end; ++y) {
        const TLedDotStamp::TRow& r = FStamp.Row(y - top);
        FTarget.Span(y, left + r.Left, left + r.InnerLeft, FStroke.Ink);
        FTarget.BrushSpan(y, left + r.InnerLeft, left + r.InnerRight, FBrush, FMode);
        FTarget.Span(y, left + r.InnerRight, left + r.Right, FStroke.Ink);
    }
}
