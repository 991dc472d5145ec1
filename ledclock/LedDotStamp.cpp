#include "ledclock/LedDotStamp.h"

#include <algorithm>

using Raster::Coord;
using Raster::TShapeRow;

void TLedDotStamp::Reshape(int64_t width, int64_t height)
{
    FWidth = width;
    FHeight = height;
    FUsable = width > 0 && height > 0 && width <= MaxSize && height <= MaxSize && !(width == 1 && height == 1);
    if (!FUsable) return;
    // An ellipse is the rounded rectangle whose corner is its whole box.
    const Raster::TRoundShape shape(width, height, width, height);
    for (int32_t y = 0; y < height; ++y) FRows[y] = shape.Row(y);
}

TLedDotPainter::TLedDotPainter(TCanvas& canvas, TLedDotStamp& stamp)
    : FCanvas(canvas), FStamp(stamp), FTarget(canvas), FBrush(Raster::TBrushInk::FromCanvas(canvas)),
      FMode(canvas.Pen()->Mode())
{
    FPenFits = canvas.HandleAllocated() && Raster::PenStroke(canvas, FStroke) && FStroke.Width <= 1;
    FSolid = FPenFits && FStroke.Ink.Mode == pmCopy && FMode == pmCopy &&
             FBrush.Kind() == Raster::TBrushInk::bkSolid && FBrush.PixelAt(0, 0, FBrushPixel);
}

void TLedDotPainter::Paint(const TRect& box)
{
    // The box as Ellipse takes it: corners in either order, in device pixels.
    const Coord left = Raster::DeviceX(FCanvas, std::min(box.Left, box.Right));
    const Coord top = Raster::DeviceY(FCanvas, std::min(box.Top, box.Bottom));
    const Coord width = Coord(std::max(box.Left, box.Right)) - std::min(box.Left, box.Right);
    const Coord height = Coord(std::max(box.Top, box.Bottom)) - std::min(box.Top, box.Bottom);
    FStamp.SetSize(width, height);
    if (!FPenFits || !FStamp.Usable()) {
        FCanvas.Ellipse(box);
        return;
    }
    Raster::NotifyChanging(FCanvas);
    const TRect& clip = FTarget.Clip();
    const Coord first = std::max<Coord>(top, clip.Top), end = std::min<Coord>(top + height, clip.Bottom);
    if (FSolid)
        PaintSolidRows(left, top, first, end);
    else
        PaintRows(left, top, first, end);
    Raster::NotifyChanged(FCanvas);
}

namespace {

// Pixels [x0, x1) of row, within [clipLeft, clipRight).
inline void Put(uint32_t* row, Coord x0, Coord x1, Coord clipLeft, Coord clipRight, uint32_t pixel)
{
    x0 = std::max(x0, clipLeft);
    x1 = std::min(x1, clipRight);
    for (Coord x = x0; x < x1; ++x) row[x] = pixel;
}

}  // namespace

void TLedDotPainter::PaintSolidRows(Coord left, Coord top, Coord first, Coord end) const
{
    // A dot is a few pixels a row: plain stores beat the general span fill.
    const TPixelSurface& surface = FTarget.Surface();
    const Coord clipLeft = FTarget.Clip().Left, clipRight = FTarget.Clip().Right;
    const uint32_t pen = FStroke.Ink.Pixel;
    for (Coord y = first; y < end; ++y) {
        const TShapeRow& r = FStamp.Row(static_cast<int32_t>(y - top));
        uint32_t* row = surface.Row(static_cast<int>(y));
        if (!r.HasInterior()) {
            Put(row, left + r.OuterLeft, left + r.OuterRight, clipLeft, clipRight, pen);
            continue;
        }
        Put(row, left + r.OuterLeft, left + r.InnerLeft, clipLeft, clipRight, pen);
        Put(row, left + r.InnerLeft, left + r.InnerRight, clipLeft, clipRight, FBrushPixel);
        Put(row, left + r.InnerRight, left + r.OuterRight, clipLeft, clipRight, pen);
    }
}

void TLedDotPainter::PaintRows(Coord left, Coord top, Coord first, Coord end) const
{
    // The rule of TCanvas::Ellipse with a 1-pixel pen: outline runs in the pen,
    // the interior in the brush, each mixed by the pen's mode.
    for (Coord y = first; y < end; ++y) {
        const TShapeRow& r = FStamp.Row(static_cast<int32_t>(y - top));
        if (!r.HasInterior()) {
            FTarget.Span(y, left + r.OuterLeft, left + r.OuterRight, FStroke.Ink);
            continue;
        }
        FTarget.Span(y, left + r.OuterLeft, left + r.InnerLeft, FStroke.Ink);
        FTarget.BrushSpan(y, left + r.InnerLeft, left + r.InnerRight, FBrush, FMode);
        FTarget.Span(y, left + r.InnerRight, left + r.OuterRight, FStroke.Ink);
    }
}
