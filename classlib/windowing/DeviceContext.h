// Device contexts: a window's surface with an origin and a clip, as the
// paint messages carry them and GetDC hands them out; a canvas attaches to one.
#pragma once

#include "classlib/graphics/Canvas.h"
#include "classlib/windowing/Messages.h"

// A drawing target: a window's surface with an origin and a clip rectangle,
// both in device (buffer) coordinates. WM_PAINT and WM_ERASEBKGND carry one.
struct TDeviceContext {
    TPixelSurface Surface;
    TPoint Origin;  // device position of the logical point (0, 0)
    TRect Clip;     // device coordinates, within the surface
    HWND Window = 0;
};

// Attaches the canvas to a device context (surface, origin and clip); nullptr detaches.
void AttachCanvas(TCanvas& canvas, HDC dc);
// The same context moved by (dx, dy) and clipped to (0, 0, width, height) at the new origin.
TDeviceContext OffsetDeviceContext(const TDeviceContext& dc, int dx, int dy, int width, int height);
// Fills a rectangle (logical coordinates) of the context with one colour.
// clNone paints black, as the windows of this program do.
void FillDCRect(HDC dc, const TRect& rect, TColor color);
// A context for drawing on the window's client area at once (GetWindowDC: the
// whole window). ReleaseDC presents what was drawn.
HDC GetDC(HWND wnd);
HDC GetWindowDC(HWND wnd);
int ReleaseDC(HWND wnd, HDC dc);
