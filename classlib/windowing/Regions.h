// Regions of rectangles and the visible shape of windows.
#pragma once

#include "classlib/windowing/Messages.h"

#include <vector>

HRGN CreateRectRgn(int left, int top, int right, int bottom);
// A rounded rectangle whose corners are quarter ellipses of width x height.
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height);
// dest := a op b (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY); the region's
// complexity (NULLREGION, SIMPLEREGION, COMPLEXREGION) or RGN_ERROR.
int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode);
bool DeleteObject(HRGN region);
bool PtInRegion(HRGN region, int x, int y);
// The region as rectangles, bands top to bottom.
std::vector<TRect> GetRegionRects(HRGN region);
// The window's visible shape (window coordinates); the window takes the
// region over (do not delete it). 0 restores the plain rectangle.
int SetWindowRgn(HWND wnd, HRGN region, bool redraw);
// The rectangles of the window's region; empty when it has none.
std::vector<TRect> GetWindowRegionRects(HWND wnd);
