// Focus, capture, activation, the window under a point and the pointer.
#pragma once

#include "classlib/windowing/Messages.h"

#include <cstdint>

HWND SetFocus(HWND wnd);
HWND GetFocus();
HWND SetCapture(HWND wnd);
bool ReleaseCapture();
HWND GetCapture();
HWND GetActiveWindow();
HWND SetActiveWindow(HWND wnd);
HWND GetForegroundWindow();
bool SetForegroundWindow(HWND wnd);
// The deepest visible enabled window of ours under a screen point, or 0.
HWND WindowFromPoint(TPoint screenPoint);
// LoadCursor(0, IDC_*) gives a standard pointer; 0 for anything else.
HCURSOR LoadCursor(HINSTANCE instance, uintptr_t id);
HCURSOR LoadCursor(HINSTANCE instance, const char* name);
// Shows the pointer over our windows; 0 hides it. Returns the previous one.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// Sets the pointer shape for the window under the pointer, as a move there would.
void RefreshPointerShape();
bool GetCursorPos(TPoint& point);
// Keys held and buttons pressed at the last input event (SHIFT_STATE_* bits).
uint32_t CurrentShiftState();
