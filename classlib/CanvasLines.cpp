// The canvas's lines with the pen, and single pixels.
#include "classlib/Graphics.h"
#include "classlib/RasterInk.h"
#include "classlib/RasterLine.h"

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
    if (!Raster::PenStroke(*this, stroke)) return;
    Raster::NotifyChanging(*this);
    Raster::StrokeLine(Raster::TTarget(*this), stroke, Raster::DeviceX(*this, from.X), Raster::DeviceY(*this, from.Y),
                       Raster::DeviceX(*this, x), Raster::DeviceY(*this, y));
    Raster::NotifyChanged(*this);
}

void TCanvas::Polyline(const TPoint* points, int count)
{
    if (!HandleAllocated() || !points || count < 2) return;
    Raster::TStroke stroke;
    if (!Raster::PenStroke(*this, stroke)) return;
    Raster::NotifyChanging(*this);
    // One stroke through all points: dashes run on across the corners and only
    // the very last point is left out.
    const Raster::TTarget target(*this);
    for (int i = 0; i + 1 < count; ++i)
        Raster::StrokeLine(target, stroke, Raster::DeviceX(*this, points[i].X), Raster::DeviceY(*this, points[i].Y),
                           Raster::DeviceX(*this, points[i + 1].X), Raster::DeviceY(*this, points[i + 1].Y));
    Raster::NotifyChanged(*this);
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
    Raster::NotifyChanging(*this);
    Raster::TTarget(*this).Plot(Raster::DeviceX(*this, x), Raster::DeviceY(*this, y), Raster::TInk{ColorToPixel(color)});
    Raster::NotifyChanged(*this);
}
