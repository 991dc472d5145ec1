#include "platform/x11/X11Screen.h"

#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11SeamNames.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

namespace platform::x11 {

namespace {
Rect RootRect(Display* display)
{
    const int screen = DefaultScreen(display);
    return {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

bool PrimaryOutputRect(Display* display, Rect& rect)
{
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor)) return false;
    if (major < 1 || (major == 1 && minor < 3)) return false;  // no primary output before 1.3
    const Window root = DefaultRootWindow(display);
    const RROutput primary = XRRGetOutputPrimary(display, root);
    if (primary == None) return false;
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (!resources) return false;
    bool found = false;
    if (XRROutputInfo* output = XRRGetOutputInfo(display, resources, primary)) {
        if (output->crtc != None) {
            if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, output->crtc)) {
                if (crtc->width > 0 && crtc->height > 0) {
                    rect = {crtc->x, crtc->y, crtc->x + static_cast<int>(crtc->width),
                            crtc->y + static_cast<int>(crtc->height)};
                    found = true;
                }
                XRRFreeCrtcInfo(crtc);
            }
        }
        XRRFreeOutputInfo(output);
    }
    XRRFreeScreenResources(resources);
    return found;
}

// The current desktop's work area from the window manager, if any.
bool DesktopWorkArea(Display* display, const X11Atoms& atoms, Rect& area)
{
    const Window root = DefaultRootWindow(display);
    long desktop = 0;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, root, atoms._NET_CURRENT_DESKTOP, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success && data) {
        if (format == 32 && count == 1) desktop = reinterpret_cast<long*>(data)[0];
        XFree(data);
        data = nullptr;
    }
    if (desktop < 0 || desktop > 1024) desktop = 0;
    bool found = false;
    if (XGetWindowProperty(display, root, atoms._NET_WORKAREA, desktop * 4, 4, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success && data) {
        if (format == 32 && count == 4) {
            const long* v = reinterpret_cast<long*>(data);
            area = {static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[0] + v[2]),
                    static_cast<int>(v[1] + v[3])};
            found = !area.empty();
        }
        XFree(data);
    }
    return found;
}
}  // namespace

Rect PrimaryMonitorRect(Display* display)
{
    Rect rect;
    X11ErrorTrap trap(display);
    if (!PrimaryOutputRect(display, rect) || trap.Failed()) rect = RootRect(display);
    return rect;
}

ScreenMetrics PrimaryScreenMetrics(Display* display, const X11Atoms& atoms)
{
    const Rect monitor = PrimaryMonitorRect(display);
    ScreenMetrics metrics;
    metrics.width = monitor.width();
    metrics.height = monitor.height();
    metrics.workArea = monitor;
    Rect desktop;
    if (DesktopWorkArea(display, atoms, desktop)) {
        const Rect inside{std::max(desktop.left, monitor.left), std::max(desktop.top, monitor.top),
                          std::min(desktop.right, monitor.right), std::min(desktop.bottom, monitor.bottom)};
        if (!inside.empty()) metrics.workArea = inside;
    }
    return metrics;
}

}  // namespace platform::x11
