// The canvas's block copies: between canvases, of pictures, and with a key colour.
#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/CanvasRaster.h"
#include "classlib/raster/RasterBlit.h"
#include "classlib/raster/RasterInk.h"

#include <algorithm>
#include <climits>

using Raster::Coord;
using CanvasRaster::DeviceBox;
using Raster::TBox;

namespace {

int ClampToInt(Coord v)
{
    return static_cast<int>(std::clamp<Coord>(v, INT_MIN, INT_MAX));
}

} // namespace

void TCanvas::Draw(int x, int y, TGraphic* graphic)
{
    if (!graphic || graphic->Empty()) return;
    graphic->Draw(this, Rect(x, y, ClampToInt(Coord(x) + graphic->Width()), ClampToInt(Coord(y) + graphic->Height())));
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic)
{
    if (graphic && !graphic->Empty()) graphic->Draw(this, rect);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect)
{
    if (!HandleAllocated() || !source || !source->HandleAllocated()) return;
    CanvasRaster::NotifyChanging(*this);
    Raster::StretchBlit(CanvasRaster::Target(*this), DeviceBox(*this, dest), source->Surface(),
                        DeviceBox(*source, sourceRect));
    CanvasRaster::NotifyChanged(*this);
}

void TCanvas::TransparentCopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect, TColor transparentColor)
{
    if (!HandleAllocated() || !source || !source->HandleAllocated()) return;
    CanvasRaster::NotifyChanging(*this);
    Raster::TBlitKey key;
    if (transparentColor != clNone) {
        key.Mode = Raster::TBlitKey::kmSkip;
        key.Key = ColorToPixel(transparentColor);
    }
    Raster::StretchBlit(CanvasRaster::Target(*this), DeviceBox(*this, dest), source->Surface(),
                        DeviceBox(*source, sourceRect), key);
    CanvasRaster::NotifyChanged(*this);
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color)
{
    if (!HandleAllocated() || !bitmap || bitmap->Empty()) return;
    CanvasRaster::NotifyChanging(*this);
    // Key pixels take the brush; with a clear brush they are left out.
    const Raster::TBrushInk brush = CanvasRaster::BrushInk(*this);
    Raster::TBlitKey key;
    // clNone names no colour, so no pixel has it (its bits would read as white).
    if (color != clNone) {
        key.Mode = Raster::TBlitKey::kmBrush;
        key.Key = ColorToPixel(color);
        key.Brush = &brush;
    }
    Raster::StretchBlit(CanvasRaster::Target(*this), DeviceBox(*this, dest), bitmap->Surface(),
                        DeviceBox(*bitmap->Canvas(), source), key);
    CanvasRaster::NotifyChanged(*this);
}

void TBitmap::Draw(TCanvas* canvas, const TRect& rect)
{
    if (!canvas || !canvas->HandleAllocated() || Empty()) return;
    CanvasRaster::NotifyChanging(*canvas);
    Raster::TBlitKey key;
    if (Transparent() && TransparentColor() != clNone) {
        key.Mode = Raster::TBlitKey::kmSkip;
        key.Key = ColorToPixel(TransparentColor());
    }
    Raster::StretchBlit(CanvasRaster::Target(*canvas), DeviceBox(*canvas, rect), FSurface, TBox{0, 0, FWidth, FHeight}, key);
    CanvasRaster::NotifyChanged(*canvas);
}
