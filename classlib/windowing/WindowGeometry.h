// Where windows are and whether they show: positions, sizes, stacking,
// visibility, enabling, parents and the client area a frame leaves.
#pragma once

#include "classlib/windowing/Messages.h"

#include <cstdint>

// Screen coordinates; foreign windows too. False for an unknown window.
bool GetWindowRect(HWND wnd, TRect& rect);
// (0, 0, client width, client height).
bool GetClientRect(HWND wnd, TRect& rect);
bool ClientToScreen(HWND wnd, TPoint& point);
bool ScreenToClient(HWND wnd, TPoint& point);
// Position in the parent's client area (screen, or a foreign parent's client area, for top-level windows).
bool MoveWindow(HWND wnd, int x, int y, int width, int height, bool repaint);
bool SetWindowPos(HWND wnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
bool ShowWindow(HWND wnd, int command);
bool IsWindowVisible(HWND wnd);
bool IsWindowEnabled(HWND wnd);
bool EnableWindow(HWND wnd, bool enable);
bool IsIconic(HWND wnd);
bool IsZoomed(HWND wnd);
// Moves the window into newParent: one of ours, a foreign window, or 0 (top level).
HWND SetParent(HWND wnd, HWND newParent);
// The client rectangle (window coordinates) the default frame of a style leaves.
TRect CalcClientRect(uint32_t style, uint32_t exStyle, bool topLevel, const TRect& windowRect);
