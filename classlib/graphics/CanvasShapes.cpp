// The canvas's filled shapes: ellipses, rectangles, rounded rectangles and
// polygons with pen and brush, and the brush-only rectangles (fill, frame, focus).
#include "classlib/graphics/Canvas.h"
#include "classlib/graphics/CanvasRaster.h"
#include "classlib/graphics/Graphic.h"
#include "classlib/raster/RasterInk.h"
#include "classlib/raster/RasterLine.h"
#include "classlib/raster/RasterPolygon.h"
#include "classlib/raster/RasterRound.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

using Raster::Coord;
using CanvasRaster::DeviceBox;
using Raster::TBox;
using Raster::TBrushInk;
using Raster::TInk;
using Raster::TRoundShape;
using Raster::TShapeRow;
using Raster::TStroke;
using Raster::TTarget;

namespace {

// The device box of a shape given by two corners in either order.
TBox NormalBox(const TCanvas& canvas, int x1, int y1, int x2, int y2)
{
    return {CanvasRaster::DeviceX(canvas, std::min(x1, x2)), CanvasRaster::DeviceY(canvas, std::min(y1, y2)),
            CanvasRaster::DeviceX(canvas, std::max(x1, x2)), CanvasRaster::DeviceY(canvas, std::max(y1, y2))};
}

Coord VisibleTop(const TTarget& target, Coord top) { return std::max<Coord>(top, target.Clip().Top); }
Coord VisibleBottom(const TTarget& target, Coord bottom) { return std::min<Coord>(bottom, target.Clip().Bottom); }

bool IsDashed(TPenStyle style)
{
    return style == psDash || style == psDot || style == psDashDot || style == psDashDotDot;
}

// How a shape is painted: the pen's stroke (if any), the brush and the mix mode.
struct TShapeInks {
    TStroke Stroke;
    bool HasPen;
    TBrushInk Brush;
    TPenMode Mode;

    explicit TShapeInks(TCanvas& canvas)
        : HasPen(CanvasRaster::PenStroke(canvas, Stroke)), Brush(CanvasRaster::BrushInk(canvas)),
          Mode(canvas.Pen()->Mode())
    {
    }
};

// The whole of every row of shape (box at left, top) in the brush.
void FillShape(const TTarget& target, const TRoundShape& shape, Coord left, Coord top, const TShapeInks& inks)
{
    const Coord bottom = VisibleBottom(target, top + shape.Height());
    for (Coord y = VisibleTop(target, top); y < bottom; ++y) {
        const TShapeRow r = shape.Row(y - top);
        target.BrushSpan(y, left + r.OuterLeft, left + r.OuterRight, inks.Brush, inks.Mode);
    }
}

// Outline in the pen, interior in the brush.
void PaintShape(const TTarget& target, const TRoundShape& shape, Coord left, Coord top, const TShapeInks& inks)
{
    const Coord bottom = VisibleBottom(target, top + shape.Height());
    for (Coord y = VisibleTop(target, top); y < bottom; ++y) {
        const TShapeRow r = shape.Row(y - top);
        if (!r.HasInterior()) {
            target.Span(y, left + r.OuterLeft, left + r.OuterRight, inks.Stroke.Ink);
            continue;
        }
        target.Span(y, left + r.OuterLeft, left + r.InnerLeft, inks.Stroke.Ink);
        target.BrushSpan(y, left + r.InnerLeft, left + r.InnerRight, inks.Brush, inks.Mode);
        target.Span(y, left + r.InnerRight, left + r.OuterRight, inks.Stroke.Ink);
    }
}

// The box a pen of the stroke's width covers around a shape's box: centred on
// the outline, or inside the box for psInsideFrame.
TBox PenBox(const TBox& box, const TStroke& stroke, TPenStyle style)
{
    if (style == psInsideFrame) return box;
    const Coord before = (stroke.Width - 1) / 2, after = stroke.Width - 1 - before;
    return {box.Left - before, box.Top - before, box.Right + after, box.Bottom + after};
}

// A wide pen: the band between the outer shape and the inner one (the outer
// shrunk by the pen width) in the pen, the inner shape in the brush.
void PaintWideShape(const TTarget& target, const TBox& outer, Coord cornerWidth, Coord cornerHeight,
                    const TShapeInks& inks)
{
    const Coord width = inks.Stroke.Width;
    const Coord outerWidth = outer.Right - outer.Left, outerHeight = outer.Bottom - outer.Top;
    const TRoundShape outerShape(outerWidth, outerHeight, cornerWidth, cornerHeight);
    const Coord innerWidth = outerWidth - 2 * width, innerHeight = outerHeight - 2 * width;
    const bool hasInner = innerWidth > 0 && innerHeight > 0;
    const TRoundShape innerShape(hasInner ? innerWidth : 1, hasInner ? innerHeight : 1, cornerWidth - 2 * width,
                                 cornerHeight - 2 * width);
    const Coord innerLeft = outer.Left + width, innerTop = outer.Top + width;
    const Coord bottom = VisibleBottom(target, outer.Bottom);
    for (Coord y = VisibleTop(target, outer.Top); y < bottom; ++y) {
        const TShapeRow o = outerShape.Row(y - outer.Top);
        const Coord left = outer.Left + o.OuterLeft, right = outer.Left + o.OuterRight;
        if (!hasInner || y < innerTop || y >= innerTop + innerHeight) {
            target.Span(y, left, right, inks.Stroke.Ink);
            continue;
        }
        const TShapeRow i = innerShape.Row(y - innerTop);
        const Coord fillLeft = std::clamp(innerLeft + i.OuterLeft, left, right);
        const Coord fillRight = std::clamp(innerLeft + i.OuterRight, fillLeft, right);
        target.Span(y, left, fillLeft, inks.Stroke.Ink);
        target.BrushSpan(y, fillLeft, fillRight, inks.Brush, inks.Mode);
        target.Span(y, fillRight, right, inks.Stroke.Ink);
    }
}

// Rectangle's frame: the border pixels of [left, right) x [top, bottom), each once.
void PenFrame(const TTarget& target, const TBox& b, const TInk& ink)
{
    target.Span(b.Top, b.Left, b.Right, ink);
    if (b.Bottom - b.Top > 1) target.Span(b.Bottom - 1, b.Left, b.Right, ink);
    const Coord bottom = VisibleBottom(target, b.Bottom - 1);
    for (Coord y = VisibleTop(target, b.Top + 1); y < bottom; ++y) {
        target.Plot(b.Left, y, ink);
        if (b.Right - b.Left > 1) target.Plot(b.Right - 1, y, ink);
    }
}

// A band of the given thickness just inside box, each pixel once.
void InkBand(const TTarget& target, const TBox& b, Coord thickness, const TInk& ink)
{
    const Coord innerTop = std::min(b.Top + thickness, b.Bottom), innerBottom = std::max(b.Bottom - thickness, innerTop);
    target.InkRect(b.Left, b.Top, b.Right, innerTop, ink);
    target.InkRect(b.Left, innerBottom, b.Right, b.Bottom, ink);
    const Coord innerLeft = std::min(b.Left + thickness, b.Right), innerRight = std::max(b.Right - thickness, innerLeft);
    target.InkRect(b.Left, innerTop, innerLeft, innerBottom, ink);
    target.InkRect(innerRight, innerTop, b.Right, innerBottom, ink);
}

// A closed path through points in the pen, each segment without its end point.
void StrokeClosed(const TTarget& target, TStroke& stroke, const Raster::TDevicePoint* points, int count)
{
    for (int i = 0; i < count; ++i) {
        const Raster::TDevicePoint& a = points[i];
        const Raster::TDevicePoint& b = points[i + 1 < count ? i + 1 : 0];
        Raster::StrokeLine(target, stroke, a.X, a.Y, b.X, b.Y);
    }
}

// Ellipse and RoundRect share their painting: an ellipse is a rounded
// rectangle whose corner is the whole box.
void PaintRound(TCanvas& canvas, const TBox& box, Coord cornerWidth, Coord cornerHeight, bool ellipse)
{
    const TTarget target = CanvasRaster::Target(canvas);
    if (target.Empty()) return;
    const TShapeInks inks(canvas);
    const Coord width = box.Right - box.Left, height = box.Bottom - box.Top;
    if (width <= 0 || height <= 0) return;

    if (!inks.HasPen) {
        if (!inks.Brush.Paints()) return;
        // Without a pen the brush covers what the outline would have covered,
        // except that an ellipse two pixels across loses its right column and
        // bottom row, a thinner one draws nothing, and a rounded rectangle (like
        // Rectangle) always stops one pixel short on the right and bottom.
        Coord fillWidth = width, fillHeight = height;
        if (!ellipse || std::min(width, height) <= 2) {
            fillWidth = width - 1;
            fillHeight = height - 1;
        }
        if (ellipse && std::min(width, height) < 2) return;
        if (fillWidth <= 0 || fillHeight <= 0) return;
        const TRoundShape shape(fillWidth, fillHeight, ellipse ? fillWidth : cornerWidth,
                                ellipse ? fillHeight : cornerHeight);
        FillShape(target, shape, box.Left, box.Top, inks);
        return;
    }
    if (inks.Stroke.Width <= 1) {
        if (width == 1 && height == 1) return; // a one-pixel box has no outline to draw
        const TRoundShape shape(width, height, cornerWidth, cornerHeight);
        PaintShape(target, shape, box.Left, box.Top, inks);
        return;
    }
    const TBox outer = PenBox(box, inks.Stroke, canvas.Pen()->Style());
    const Coord grow = (outer.Right - outer.Left) - width;
    PaintWideShape(target, outer, cornerWidth + grow, cornerHeight + grow, inks);
}

// Device points of a logical polygon: on the stack for typical counts.
class TDevicePoints {
public:
    TDevicePoints(const TCanvas& canvas, const TPoint* points, int count)
    {
        FData = FLocal;
        if (count > LocalCount) {
            FSpill.resize(static_cast<size_t>(count));
            FData = FSpill.data();
        }
        for (int i = 0; i < count; ++i)
            FData[i] = {CanvasRaster::DeviceX(canvas, points[i].X), CanvasRaster::DeviceY(canvas, points[i].Y)};
    }
    const Raster::TDevicePoint* Data() const { return FData; }

private:
    static constexpr int LocalCount = 64;
    Raster::TDevicePoint FLocal[LocalCount];
    std::vector<Raster::TDevicePoint> FSpill;
    Raster::TDevicePoint* FData;
};

// XORs the even-numbered pixels of one side of a dotted path: the pixels of row
// (or column) fixed from position from to position to inclusive, where position
// p has the path index base + |p - from|.
void XorDots(const TTarget& target, bool horizontal, Coord fixed, Coord from, Coord to, Coord base)
{
    const TRect& clip = target.Clip();
    const Coord fixedLo = horizontal ? clip.Top : clip.Left, fixedHi = horizontal ? clip.Bottom : clip.Right;
    if (fixed < fixedLo || fixed >= fixedHi) return;
    const Coord lo = std::max<Coord>(std::min(from, to), horizontal ? clip.Left : clip.Top);
    const Coord hi = std::min<Coord>(std::max(from, to), (horizontal ? clip.Right : clip.Bottom) - 1);
    const TInk ink{0x00FFFFFFu, pmXor};
    for (Coord p = lo; p <= hi; ++p) {
        if ((base + std::llabs(p - from)) % 2 != 0) continue;
        if (horizontal)
            target.Plot(p, fixed, ink);
        else
            target.Plot(fixed, p, ink);
    }
}

} // namespace

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    if (!HandleAllocated()) return;
    CanvasRaster::NotifyChanging(*this);
    const TBox box = NormalBox(*this, x1, y1, x2, y2);
    PaintRound(*this, box, box.Right - box.Left, box.Bottom - box.Top, true);
    CanvasRaster::NotifyChanged(*this);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    if (!HandleAllocated()) return;
    CanvasRaster::NotifyChanging(*this);
    const TBox box = NormalBox(*this, x1, y1, x2, y2);
    PaintRound(*this, box, std::llabs(Coord(x3)), std::llabs(Coord(y3)), false);
    CanvasRaster::NotifyChanged(*this);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    if (!HandleAllocated()) return;
    const TTarget target = CanvasRaster::Target(*this);
    const TBox b = NormalBox(*this, x1, y1, x2, y2);
    if (target.Empty() || b.Right <= b.Left || b.Bottom <= b.Top) return;
    CanvasRaster::NotifyChanging(*this);
    TShapeInks inks(*this);
    if (!inks.HasPen) {
        // Without a pen the fill stops one pixel short on the right and bottom.
        target.BrushRect(b.Left, b.Top, b.Right - 1, b.Bottom - 1, inks.Brush, inks.Mode);
    } else if (inks.Stroke.Width <= 1) {
        target.BrushRect(b.Left + 1, b.Top + 1, b.Right - 1, b.Bottom - 1, inks.Brush, inks.Mode);
        if (IsDashed(inks.Stroke.Style)) {
            const Raster::TDevicePoint corners[] = {
                {b.Left, b.Top}, {b.Right - 1, b.Top}, {b.Right - 1, b.Bottom - 1}, {b.Left, b.Bottom - 1}};
            StrokeClosed(target, inks.Stroke, corners, 4);
        } else if (b.Right - b.Left > 1 || b.Bottom - b.Top > 1) {
            PenFrame(target, b, inks.Stroke.Ink);
        }
    } else {
        const TBox outer = PenBox(b, inks.Stroke, FPen.Style());
        const Coord width = inks.Stroke.Width;
        target.BrushRect(outer.Left + width, outer.Top + width, outer.Right - width, outer.Bottom - width, inks.Brush,
                         inks.Mode);
        InkBand(target, outer, width, inks.Stroke.Ink);
    }
    CanvasRaster::NotifyChanged(*this);
}

void TCanvas::Polygon(const TPoint* points, int count)
{
    if (!HandleAllocated() || !points || count <= 0) return;
    const TTarget target = CanvasRaster::Target(*this);
    if (target.Empty()) return;
    CanvasRaster::NotifyChanging(*this);
    TShapeInks inks(*this);
    const TDevicePoints device(*this, points, count);
    Raster::FillPolygon(target, device.Data(), count, FFillMode, inks.Brush, inks.Mode);
    // The outline passes through every vertex, so a polygon without area still
    // shows its outline with both ends.
    if (inks.HasPen) StrokeClosed(target, inks.Stroke, device.Data(), count);
    CanvasRaster::NotifyChanged(*this);
}

void TCanvas::FillRect(const TRect& rect)
{
    if (!HandleAllocated()) return;
    const TTarget target = CanvasRaster::Target(*this);
    const TBox b = DeviceBox(*this, rect);
    if (target.Empty() || b.Right <= b.Left || b.Bottom <= b.Top) return;
    CanvasRaster::NotifyChanging(*this);
    target.BrushRect(b.Left, b.Top, b.Right, b.Bottom, CanvasRaster::BrushInk(*this));
    CanvasRaster::NotifyChanged(*this);
}

void TCanvas::FrameRect(const TRect& rect)
{
    if (!HandleAllocated()) return;
    const TTarget target = CanvasRaster::Target(*this);
    const TBox b = DeviceBox(*this, rect);
    if (target.Empty() || b.Right <= b.Left || b.Bottom <= b.Top) return;
    CanvasRaster::NotifyChanging(*this);
    const TBrushInk brush = CanvasRaster::BrushInk(*this);
    target.BrushRect(b.Left, b.Top, b.Right, b.Top + 1, brush);
    if (b.Bottom - b.Top > 1) target.BrushRect(b.Left, b.Bottom - 1, b.Right, b.Bottom, brush);
    target.BrushRect(b.Left, b.Top + 1, b.Left + 1, b.Bottom - 1, brush);
    if (b.Right - b.Left > 1) target.BrushRect(b.Right - 1, b.Top + 1, b.Right, b.Bottom - 1, brush);
    CanvasRaster::NotifyChanged(*this);
}

void TCanvas::DrawFocusRect(const TRect& rect)
{
    if (!HandleAllocated()) return;
    const TTarget target = CanvasRaster::Target(*this);
    const TBox b = DeviceBox(*this, rect);
    if (target.Empty() || b.Right <= b.Left || b.Bottom <= b.Top) return;
    CanvasRaster::NotifyChanging(*this);
    // Every other pixel of the path from the top right corner leftwards, down the
    // left side, along the bottom and up the right side (each side without its
    // last pixel), XOR-ed. A side that coincides with the opposite one cancels
    // out where both light a pixel, as on the platform.
    const Coord w = b.Right - b.Left, h = b.Bottom - b.Top;
    if (w > 1) XorDots(target, true, b.Top, b.Right - 1, b.Left + 1, 0);
    if (h > 1) XorDots(target, false, b.Left, b.Top, b.Bottom - 2, w - 1);
    if (w > 1) XorDots(target, true, b.Bottom - 1, b.Left, b.Right - 2, (w - 1) + (h - 1));
    if (h > 1) XorDots(target, false, b.Right - 1, b.Bottom - 1, b.Top + 1, 2 * (w - 1) + (h - 1));
    CanvasRaster::NotifyChanged(*this);
}
