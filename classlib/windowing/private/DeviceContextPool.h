// The device contexts GetDC hands out: a fixed pool, so drawing allocates nothing.
#pragma once

#include "classlib/windowing/Messages.h"
#include "classlib/windowing/private/Guard.h"

struct TWindowObject;

// A context on the window's client area (or whole window); nullptr when the
// window has nothing to draw on or the pool is used up.
HDC TakeDC(TWindowObject* w, bool wholeWindow);
// Returns a context to the pool; false when it is not one of the pool's.
bool GiveBackDC(HDC dc);
// Contexts of a window that is going away draw nothing any more.
void ForgetDeviceContextsOf(HWND wnd);
