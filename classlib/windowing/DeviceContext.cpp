// Device contexts: attaching canvases, filling, and the contexts GetDC hands out.
#include "classlib/windowing/DeviceContext.h"

#include "classlib/raster/RasterInk.h"
#include "classlib/windowing/private/DeviceContextPool.h"
#include "classlib/windowing/private/Presentation.h"
#include "classlib/windowing/private/WindowObject.h"
#include "classlib/windowing/WindowPaint.h"

void AttachCanvas(TCanvas& canvas, HDC dc)
{
    if (!dc) {
        canvas.SetSurface(TPixelSurface{});
        canvas.SetOrigin({0, 0});
        return;
    }
    canvas.SetSurface(dc->Surface);
    canvas.SetOrigin(dc->Origin);
    canvas.SetClipRect(OffsetRect(dc->Clip, -dc->Origin.X, -dc->Origin.Y));
}

TDeviceContext OffsetDeviceContext(const TDeviceContext& dc, int dx, int dy, int width, int height)
{
    TDeviceContext moved = dc;
    moved.Origin = {dc.Origin.X + dx, dc.Origin.Y + dy};
    moved.Clip = IntersectRect(dc.Clip, {moved.Origin.X, moved.Origin.Y, moved.Origin.X + width, moved.Origin.Y + height});
    return moved;
}

namespace {
void FillDevice(const TPixelSurface& surface, const TRect& r, uint32_t pixel)
{
    for (int y = r.Top; y < r.Bottom; ++y) Raster::FillPixels(surface.Row(y) + r.Left, r.Width(), pixel);
}

// The top-level window whose buffer dc draws on, or nullptr.
TWindowObject* BufferOwner(HDC dc)
{
    TWindowObject* root = RootOf(FindWindowObject(dc->Window));
    return root && SurfaceOf(root).Bits == dc->Surface.Bits ? root : nullptr;
}
}  // namespace

void FillDCRect(HDC dc, const TRect& rect, TColor color)
{
    if (!dc || !dc->Surface) return;
    const uint32_t pixel = color == clNone ? 0u : ColorToPixel(color);
    const TRect device = IntersectRect(OffsetRect(rect, dc->Origin.X, dc->Origin.Y),
                                       IntersectRect(dc->Clip, dc->Surface.BoundsRect()));
    if (IsRectEmpty(device)) return;
    TWindowObject* root = BufferOwner(dc);
    if (!root) {
        FillDevice(dc->Surface, device, pixel);
        return;
    }
    // A window erased every pass is mostly filled already: only what is not
    // known to hold the colour is filled (and presented) again.
    TRectList todo;
    root->Presentation->Known.Fill(device, pixel, todo);
    for (const TRect& r : todo) {
        FillDevice(dc->Surface, r, pixel);
        root->Presentation->Damage.Add(r);
    }
}

HDC GetDC(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    return w && !w->Utility ? TakeDC(w, false) : nullptr;
}

HDC GetWindowDC(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    return w && !w->Utility ? TakeDC(w, true) : nullptr;
}

int ReleaseDC(HWND wnd, HDC dc)
{
    if (!dc) return 0;
    const TDeviceContext released = *dc;
    if (!GiveBackDC(dc)) return 0;
    TWindowObject* root = RootOf(FindWindowObject(released.Window ? released.Window : wnd));
    if (root && released.Surface.Bits && released.Surface.Bits == SurfaceOf(root).Bits) {
        MarkDrawn(root, released.Clip);
        PresentWindow(root->Handle);
    }
    return 1;
}
