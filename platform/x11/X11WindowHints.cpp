#include "platform/x11/X11WindowHints.h"

#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11SeamNames.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <unistd.h>

namespace platform::x11 {

namespace {
// The decorations hint understood by nearly every window manager.
constexpr long kMotifHintsDecorations = 1L << 1;

bool IsAscii(const std::string& text)
{
    for (unsigned char c : text)
        if (c >= 0x80) return false;
    return true;
}

Window SupportingWindowManager(Display* display, const X11Atoms& atoms)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window check = None;
    if (XGetWindowProperty(display, DefaultRootWindow(display), atoms._NET_SUPPORTING_WM_CHECK, 0, 1, False,
                           XA_WINDOW, &type, &format, &count, &after, &data) == Success && data) {
        if (format == 32 && count == 1) check = static_cast<Window>(reinterpret_cast<long*>(data)[0]);
        XFree(data);
    }
    if (check == None) return None;
    // A stale property left by a window manager that is gone names no window.
    X11ErrorTrap trap(display);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, check, &attributes) || trap.Failed()) return None;
    return check;
}
}  // namespace

void SetTopLevelProperties(Display* display, const X11Atoms& atoms, Window window, const WindowParams& params)
{
    XClassHint classHint;
    classHint.res_name = const_cast<char*>("velmora");
    classHint.res_class = const_cast<char*>("Velmora");
    XSetClassHint(display, window, &classHint);

    Atom protocols[] = {atoms.WM_DELETE_WINDOW, atoms._NET_WM_PING};
    XSetWMProtocols(display, window, protocols, 2);

    const long pid = static_cast<long>(getpid());
    XChangeProperty(display, window, atoms._NET_WM_PID, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);

    Atom type = atoms._NET_WM_WINDOW_TYPE_NORMAL;
    if (params.kind == WindowKind::PopupList) type = atoms._NET_WM_WINDOW_TYPE_DROPDOWN_MENU;
    else if (params.kind == WindowKind::Normal && params.owner != 0) type = atoms._NET_WM_WINDOW_TYPE_DIALOG;
    XChangeProperty(display, window, atoms._NET_WM_WINDOW_TYPE, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&type), 1);

    if (params.owner != 0) XSetTransientForHint(display, window, static_cast<Window>(params.owner));
    if (params.topmost)
        XChangeProperty(display, window, atoms._NET_WM_STATE, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&atoms._NET_WM_STATE_ABOVE), 1);

    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = True;
    hints.initial_state = NormalState;
    XSetWMHints(display, window, &hints);

    SetPlacementHints(display, window, params.bounds);
    SetDecorations(display, atoms, window, params.kind == WindowKind::Normal && params.decorated);
    SetCaption(display, atoms, window, params.caption);
}

void SetCaption(Display* display, const X11Atoms& atoms, Window window, const std::string& caption)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(caption.data());
    const int length = static_cast<int>(caption.size());
    XChangeProperty(display, window, atoms._NET_WM_NAME, atoms.UTF8_STRING, 8, PropModeReplace, bytes, length);
    // The old name property is Latin-1 by definition; most readers accept UTF-8 marked as such.
    XChangeProperty(display, window, XA_WM_NAME, IsAscii(caption) ? XA_STRING : atoms.UTF8_STRING, 8,
                    PropModeReplace, bytes, length);
}

void SetDecorations(Display* display, const X11Atoms& atoms, Window window, bool decorated)
{
    const long hints[5] = {kMotifHintsDecorations, 0, decorated ? 1L : 0L, 0, 0};
    XChangeProperty(display, window, atoms._MOTIF_WM_HINTS, atoms._MOTIF_WM_HINTS, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(hints), 5);
}

void SetPlacementHints(Display* display, Window window, const Rect& bounds)
{
    XSizeHints hints{};
    hints.flags = USPosition | USSize | PPosition | PSize | PWinGravity;
    hints.x = bounds.left;
    hints.y = bounds.top;
    hints.width = bounds.width();
    hints.height = bounds.height();
    // Static gravity: the position is that of the drawn area, not of the frame around it.
    hints.win_gravity = StaticGravity;
    XSetWMNormalHints(display, window, &hints);
}

bool WindowManagerSupports(Display* display, const X11Atoms& atoms, Atom feature)
{
    if (SupportingWindowManager(display, atoms) == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, DefaultRootWindow(display), atoms._NET_SUPPORTED, 0, 4096, False, XA_ATOM,
                           &type, &format, &count, &after, &data) == Success && data) {
        const Atom* supported = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; format == 32 && i < count && !found; ++i) found = supported[i] == feature;
        XFree(data);
    }
    return found;
}

void SendToWindowManager(Display* display, Window window, Atom message, long d0, long d1, long d2, long d3, long d4)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = message;
    event.xclient.format = 32;
    event.xclient.data.l[0] = d0;
    event.xclient.data.l[1] = d1;
    event.xclient.data.l[2] = d2;
    event.xclient.data.l[3] = d3;
    event.xclient.data.l[4] = d4;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace platform::x11
