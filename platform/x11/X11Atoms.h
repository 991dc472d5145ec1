// The atoms the backend speaks with the window manager, interned in one round trip.
#pragma once

#include "platform/x11/X11SeamNames.h"
#include <X11/Xlib.h>

namespace platform::x11 {

struct X11Atoms {
    Atom WM_PROTOCOLS = None;
    Atom WM_DELETE_WINDOW = None;
    Atom UTF8_STRING = None;
    Atom _NET_WM_NAME = None;
    Atom _NET_WM_PID = None;
    Atom _NET_WM_PING = None;
    Atom _NET_WM_STATE = None;
    Atom _NET_WM_STATE_ABOVE = None;
    Atom _NET_WM_WINDOW_TYPE = None;
    Atom _NET_WM_WINDOW_TYPE_NORMAL = None;
    Atom _NET_WM_WINDOW_TYPE_DIALOG = None;
    Atom _NET_WM_WINDOW_TYPE_DROPDOWN_MENU = None;
    Atom _NET_WM_MOVERESIZE = None;
    Atom _NET_ACTIVE_WINDOW = None;
    Atom _NET_SUPPORTED = None;
    Atom _NET_SUPPORTING_WM_CHECK = None;
    Atom _NET_WORKAREA = None;
    Atom _NET_CURRENT_DESKTOP = None;
    Atom _MOTIF_WM_HINTS = None;

    void Intern(Display* display);
};

}  // namespace platform::x11
