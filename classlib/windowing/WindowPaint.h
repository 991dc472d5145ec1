// Invalidation, the paint cycle and presenting what changed.
#pragma once

#include "classlib/windowing/Messages.h"

#include <functional>

// rect in client coordinates; nullptr for the whole client area.
bool InvalidateRect(HWND wnd, const TRect* rect, bool erase);
bool ValidateRect(HWND wnd, const TRect* rect);
// Paints the window's invalid parts and those of its descendants now.
bool UpdateWindow(HWND wnd);
bool RedrawWindow(HWND wnd, const TRect* rect, HRGN region, UINT flags);
// The bounding box of the invalid part; false when nothing is invalid.
bool GetUpdateRect(HWND wnd, TRect& rect, bool erase);
// Presents what changed in the window's buffer since the last present.
void PresentWindow(HWND wnd);
// Paints rect (client coordinates) of the window at once, without a paint
// message: paint runs once per visible piece (parts covered by child windows
// or by windows above are left out) with a context clipped to that piece;
// then what changed is presented. Nothing happens for a window not shown.
void PaintClientNow(HWND wnd, const TRect& rect, const std::function<void(HDC)>& paint);
