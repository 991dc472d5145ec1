// The canvas's state as the rasterisers take it: its surface and clip as a
// target, its pen as ink and stroke, its brush as brush ink, and logical
// coordinates moved to device pixels in 64 bits.
#pragma once

#include "classlib/graphics/Canvas.h"
#include "classlib/raster/RasterInk.h"
#include "classlib/raster/RasterLine.h"

namespace CanvasRaster {

using Raster::Coord;
using Raster::TBox;

// The canvas's surface and device clip.
inline Raster::TTarget Target(const TCanvas& canvas) { return Raster::TTarget(canvas.Surface(), canvas.DeviceClip()); }

// The canvas's brush as it paints on its surface: a pattern bitmap wins over
// the style; a monochrome pattern paints black in the font colour and white
// in the brush colour.
Raster::TBrushInk BrushInk(TCanvas& canvas);
// The pen's ink on the canvas's surface.
Raster::TInk PenInk(TCanvas& canvas);
// The canvas pen as a stroke; false when the pen draws nothing (clear).
bool PenStroke(TCanvas& canvas, Raster::TStroke& stroke);

// Logical to device: adds the origin in 64 bits.
inline Coord DeviceX(const TCanvas& canvas, int x) { return Coord(x) + canvas.Origin().X; }
inline Coord DeviceY(const TCanvas& canvas, int y) { return Coord(y) + canvas.Origin().Y; }
inline TBox DeviceBox(const TCanvas& canvas, const TRect& r)
{
    return {DeviceX(canvas, r.Left), DeviceY(canvas, r.Top), DeviceX(canvas, r.Right), DeviceY(canvas, r.Bottom)};
}

// Tells the canvas's listeners that drawing starts and has ended.
inline void NotifyChanging(TCanvas& canvas)
{
    if (canvas.OnChanging) canvas.OnChanging(&canvas);
}
inline void NotifyChanged(TCanvas& canvas)
{
    if (canvas.OnChange) canvas.OnChange(&canvas);
}

}  // namespace CanvasRaster
