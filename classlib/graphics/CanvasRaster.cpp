// The canvas's pen and brush as raster inks.
#include "classlib/graphics/CanvasRaster.h"

#include "classlib/graphics/Bitmap.h"

#include <algorithm>

namespace CanvasRaster {

Raster::TBrushInk BrushInk(TCanvas& canvas)
{
    const TBrush& brush = *canvas.Brush();
    const uint32_t pixel = ColorToPixel(brush.Color());
    const TBitmap* pattern = brush.Bitmap();
    if (pattern && pattern->Surface())
        return Raster::TBrushInk::Pattern(pattern->Surface(), pattern->Monochrome(), ColorToPixel(canvas.Font()->Color()),
                                          pixel, canvas.BrushOrigin());
    switch (brush.Style()) {
    case bsSolid: return Raster::TBrushInk::Solid(pixel);
    case bsClear: return Raster::TBrushInk();
    default: return Raster::TBrushInk::Hatch(brush.Style(), pixel, canvas.BrushOrigin());
    }
}

Raster::TInk PenInk(TCanvas& canvas)
{
    return Raster::TInk{ColorToPixel(canvas.Pen()->Color()), canvas.Pen()->Mode()};
}

bool PenStroke(TCanvas& canvas, Raster::TStroke& stroke)
{
    const TPen& pen = *canvas.Pen();
    if (pen.Style() == psClear) return false;
    stroke.Ink = PenInk(canvas);
    stroke.Width = std::max(pen.Width(), 1);
    stroke.Style = pen.Style();
    stroke.Phase = 0;
    return true;
}

}  // namespace CanvasRaster
