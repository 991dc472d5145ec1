// The canvas's block copies: between canvases, of pictures, and with a key colour.
#include "classlib/Graphics.h"
#include "classlib/RasterBlit.h"
#include "classlib/RasterInk.h"

#include <algorithm>
#include <climits>

using Raster::Coord;
using Raster::DeviceBox;
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
    Raster::NotifyChanging(*this);
    Raster::StretchBlit(Raster::TTarget(*this), DeviceBox(*this, dest), source->Surface(),
                        DeviceBox(*source, sourceRect));
    Raster::NotifyChanged(*this);
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color)
{
    if (!HandleAllocated() || !bitmap || bitmap->Empty()) return;
    Raster::NotifyChanging(*this);
    // Key pixels take the brush; with a clear brush they are left out.
    const Raster::TBrushInk brush = Raster::TBrushInk::FromCanvas(*this);
    Raster::TBlitKey key;
    // clNone names no colour, so no pixel has it (its bits would read as white).
    if (color != clNone) {
        key.Mode = Raster::TBlitKey::kmBrush;
        key.Key = ColorToPixel(color);
        key.Brush = &brush;
    }
    Raster::StretchBlit(Raster::TTarget(*this), DeviceBox(*this, dest), bitmap->Surface(),
                        DeviceBox(*bitmap->Canvas(), source), key);
    Raster::NotifyChanged(*this);
}

void TBitmap::Draw(TCanvas* canvas, const TRect& rect)
{
    if (!canvas || !canvas->HandleAllocated() || Empty()) return;
    Raster::NotifyChanging(*canvas);
    Raster::TBlitKey key;
    if (Transparent() && TransparentColor() != clNone) {
        key.Mode = Raster::TBlitKey::kmSkip;
        key.Key = ColorToPixel(TransparentColor());
    }
    Raster::StretchBlit(Raster::TTarget(*canvas), DeviceBox(*canvas, rect), FSurface, TBox{0, 0, FWidth, FHeight}, key);
    Raster::NotifyChanged(*canvas);
}
