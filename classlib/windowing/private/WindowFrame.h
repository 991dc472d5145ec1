// The frame around a window's client area: its width by style, the default
// client area, and asking the window for its own (WM_NCCALCSIZE).
#pragma once

#include "classlib/system/Types.h"
#include "classlib/windowing/private/Guard.h"

#include <cstdint>

struct TWindowObject;

// The width of the frame the class library draws for a style (none where the platform decorates).
int FrameWidthOf(uint32_t style, uint32_t exStyle, bool nativeDecorated);
// The client area the default frame leaves (the default WM_NCCALCSIZE).
TRect DefaultClientRect(const TWindowObject* w, const TRect& windowRect);
// Asks the window for its client area.
void RecalcClient(TWindowObject* w);
