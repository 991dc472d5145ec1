// The canvas's lines with the pen, and single pixels.
#include "classlib/graphics/Canvas.h"
#include "classlib/graphics/CanvasRaster.h"
#include "classlib/raster/RasterInk.h"
#include "classlib/raster/RasterLine.h"

using Raster::Coord;

void TCanvas::MoveTo(int x, int y)
{
    FPenPos = {x, y};
}

void TCanvas::LineTo(int x, int y)
{
    const TPoint from = FPenPos;
    FPenPos = {x, y};
    if (!HandleAllocated()) return;
    Raster::TStroke stroke;
    if (!CanvasRaster::PenStroke(*this, stroke)) return;
    CanvasRaster::NotifyChanging(*this);
    Raster::StrokeLine(CanvasRaster::Target(*this), stroke, CanvasRaster::DeviceX(*this, from.X), CanvasRaster::DeviceY(*this, from.Y),
                       CanvasRaster::DeviceX(*this, x), CanvasRaster::DeviceY(*this, y));
    CanvasRaster::NotifyChanged(*this);
}

void TCanvas::Polyline(const TPoint* points, int count)
{
    if (!HandleAllocated() || !points || count < 2) return;
    Raster::TStroke stroke;
    if (!CanvasRaster::PenStroke(*this, stroke)) return;
    CanvasRaster::NotifyChanging(*this);
    // One stroke through all points: dashes run on across the corners and only
    // the very last point is left out.
    const Raster::TTarget target = CanvasRaster::Target(*this);
    for (int i = 0; i + 1 < count; ++i)
        Raster::StrokeLine(target, stroke, CanvasRaster::DeviceX(*this, points[i].X), CanvasRaster::DeviceY(*this, points[i].Y),
                           CanvasRaster::DeviceX(*this, points[i + 1].X), CanvasRaster::DeviceY(*this, points[i + 1].Y));
    CanvasRaster::NotifyChanged(*this);
}

TColor TCanvas::Pixels(int x, int y) const
{
    const Coord dx = Coord(x) + FOrigin.X, dy = Coord(y) + FOrigin.Y;
    if (!HandleAllocated() || dx < FDeviceClip.Left || dx >= FDeviceClip.Right || dy < FDeviceClip.Top ||
        dy >= FDeviceClip.Bottom)
        return -1;
    return PixelToRGB(FSurface.Row(static_cast<int>(dy))[dx] & 0x00FFFFFFu);
}

void TCanvas::SetPixels(int x, int y, TColor color)
{
    if (!HandleAllocated()) return;
    CanvasRaster::NotifyChanging(*this);
    CanvasRaster::Target(*this).Plot(CanvasRaster::DeviceX(*this, x), CanvasRaster::DeviceY(*this, y), Raster::TInk{ColorToPixel(color)});
    CanvasRaster::NotifyChanged(*this);
}
