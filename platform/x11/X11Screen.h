// Screen metrics: the primary monitor (the RandR primary output, else the
// whole root window) and its work area.
#pragma once

#include "platform/Platform.h"
#include "platform/x11/X11Atoms.h"
#include "platform/x11/X11SeamNames.h"

#include <X11/Xlib.h>

namespace platform::x11 {

// The primary monitor in root-window coordinates.
Rect PrimaryMonitorRect(Display* display);
// Width and height of the primary monitor; the work area is the desktop's
// (_NET_WORKAREA of a window manager) within it, else the whole monitor.
ScreenMetrics PrimaryScreenMetrics(Display* display, const X11Atoms& atoms);

}  // namespace platform::x11
