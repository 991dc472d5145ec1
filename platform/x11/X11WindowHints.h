// What the backend tells the window manager about its windows (names,
// decorations, type, stacking, placement) and the requests it sends it.
// Without a window manager all of this is inert, as it should be.
#pragma once

#include "platform/Platform.h"
#include "platform/x11/X11Atoms.h"
#include "platform/x11/X11SeamNames.h"

#include <X11/Xlib.h>

#include <string>

namespace platform::x11 {

// Class, protocols (close request, ping), process id, window type, owner,
// "above" state, placement and decorations of a newly created top-level window.
void SetTopLevelProperties(Display* display, const X11Atoms& atoms, Window window, const WindowParams& params);
// The title, UTF-8.
void SetCaption(Display* display, const X11Atoms& atoms, Window window, const std::string& caption);
// The window manager's frame and title bar on or off.
void SetDecorations(Display* display, const X11Atoms& atoms, Window window, bool decorated);
// Asks the window manager to put the window's drawn area exactly at `bounds`.
void SetPlacementHints(Display* display, Window window, const Rect& bounds);

// A window manager that follows the extended hints is running and announces `feature`.
bool WindowManagerSupports(Display* display, const X11Atoms& atoms, Atom feature);
// A client message about `window` to the window manager (through the root window).
void SendToWindowManager(Display* display, Window window, Atom message, long d0, long d1 = 0, long d2 = 0,
                         long d3 = 0, long d4 = 0);

}  // namespace platform::x11
