// Creating, showing, placing and shaping the native windows.
#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11Platform.h"
#include "platform/x11/X11Screen.h"
#include "platform/x11/X11SeamNames.h"
#include "platform/x11/X11WindowHints.h"

#include <X11/extensions/shape.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace platform {

namespace {
// X sizes and positions are 16-bit; zero-sized windows do not exist.
constexpr int kMaxExtent = 32767;
constexpr int64_t kMaxWindowPixels = int64_t(1) << 26;
// _NET_WM_MOVERESIZE: move with the pointer, started by button 1, asked for by an application.
constexpr long kMoveResizeMove = 8;
constexpr long kSourceApplication = 1;
constexpr long kEventMask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                            PointerMotionMask | EnterWindowMask | LeaveWindowMask | FocusChangeMask |
                            ExposureMask | StructureNotifyMask;

unsigned Extent(int value)
{
    return static_cast<unsigned>(std::clamp(value, 1, kMaxExtent));
}

int Position(int value)
{
    return std::clamp(value, -kMaxExtent, kMaxExtent);
}

void FailWith(Error* error, int code, std::string text)
{
    if (error) *error = {code, std::move(text)};
}
}  // namespace

bool X11Platform::IsManaged(const NativeWindow& window) const
{
    return window.params.kind != WindowKind::Child && !window.overrideRedirect;
}

bool X11Platform::CoversPrimaryScreen(const Rect& bounds)
{
    const Rect monitor = x11::PrimaryMonitorRect(FDisplay);
    return bounds.left <= monitor.left && bounds.top <= monitor.top && bounds.right >= monitor.right &&
           bounds.bottom >= monitor.bottom;
}

WindowId X11Platform::CreateNativeWindow(const WindowParams& params, Error* error)
{
    const int width = std::max(0, params.bounds.width()), height = std::max(0, params.bounds.height());
    if (width > kMaxExtent || height > kMaxExtent || int64_t(width) * height > kMaxWindowPixels) {
        FailWith(error, kErrorNotEnoughMemory, "Not enough memory resources are available to process this command.");
        return 0;
    }
    Window parent = FRoot;
    if (params.kind == WindowKind::Child) {
        if (params.parent == 0 || params.parent > 0x1FFFFFFF) {
            // Not an id the server could know; answered like the server would.
            FailWith(error, BadWindow, x11::X11ErrorText(FDisplay, BadWindow));
            return 0;
        }
        parent = static_cast<Window>(params.parent);
    }
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(FDisplay, FScreen);
    attributes.border_pixel = 0;
    attributes.colormap = DefaultColormap(FDisplay, FScreen);
    attributes.event_mask = kEventMask;
    attributes.bit_gravity = NorthWestGravity;
    attributes.override_redirect = params.kind == WindowKind::PopupList ? True : False;
    attributes.save_under = params.kind == WindowKind::PopupList ? True : False;
    const unsigned long mask =
        CWBackPixel | CWBorderPixel | CWColormap | CWEventMask | CWBitGravity | CWOverrideRedirect | CWSaveUnder;

    x11::X11ErrorTrap trap(FDisplay);
    // Our own visual and depth, whatever the parent's: the surface's pixel
    // format then holds for every window, embedded ones included.
    const Window xid = XCreateWindow(FDisplay, parent, Position(params.bounds.left), Position(params.bounds.top),
                                     Extent(width), Extent(height), 0, FDepth, InputOutput, FVisual, mask, &attributes);
    if (trap.Failed()) {
        FailWith(error, trap.ErrorCode(), trap.ErrorText());
        return 0;
    }
    auto window = std::make_unique<NativeWindow>();
    window->xid = xid;
    window->params = params;
    window->creationOrder = FNextCreationOrder++;
    window->overrideRedirect = attributes.override_redirect == True;
    if (params.kind == WindowKind::Child) {
        // Learn of the foreign parent's destruction (our window goes with it).
        if (!FWindows.count(parent) && FWatchedForeign.insert(parent).second)
            XSelectInput(FDisplay, parent, StructureNotifyMask);
    } else {
        x11::SetTopLevelProperties(FDisplay, FAtoms, xid, params);
    }
    XDefineCursor(FDisplay, xid, FCursors->Get(PointerShape::Arrow));
    FWindows.emplace(xid, std::move(window));
    return xid;
}

void X11Platform::DestroyNativeWindow(WindowId window)
{
    FRetiredSurfaces.erase(static_cast<Window>(window));
    auto it = FWindows.find(static_cast<Window>(window));
    if (it == FWindows.end()) return;
    NativeWindow& w = *it->second;
    if (w.moving) EndInteractiveMove(w);
    w.surface.reset();
    // A window the server destroyed with its parent must not be destroyed again.
    if (!w.destroyed) XDestroyWindow(FDisplay, w.xid);
    if (FActive == w.xid) FActive = None;
    FWindows.erase(it);
    XFlush(FDisplay);
}

void X11Platform::ShowNativeWindow(WindowId window, bool visible)
{
    NativeWindow* w = Find(window);
    if (!w || w->destroyed || w->shown == visible) return;
    w->shown = visible;
    // A window mapped again shows its black background: puts from before are gone.
    if (w->surface) w->surface->ForgetShown();
    if (!visible) {
        w->activateOnMap = false;
        if (IsManaged(*w))
            XWithdrawWindow(FDisplay, w->xid, FScreen);  // tells the window manager as well
        else
            XUnmapWindow(FDisplay, w->xid);
        XFlush(FDisplay);
        return;
    }
    if (w->params.kind == WindowKind::Popup) {
        // A borderless window over the whole screen (the saver), or one asked
        // to stay on top, is kept out of the window manager's hands: nothing
        // is stacked above it and no panel shows through.
        const bool overrideRedirect = w->params.topmost || CoversPrimaryScreen(w->params.bounds);
        if (overrideRedirect != w->overrideRedirect) {
            XSetWindowAttributes attributes{};
            attributes.override_redirect = overrideRedirect ? True : False;
            XChangeWindowAttributes(FDisplay, w->xid, CWOverrideRedirect, &attributes);
            w->overrideRedirect = overrideRedirect;
        }
    }
    // Top-level windows take the keyboard when they appear, as they would
    // under any window manager; drop-down lists and embedded windows do not.
    if (w->params.kind == WindowKind::Popup || w->params.kind == WindowKind::Normal) w->activateOnMap = true;
    XMapRaised(FDisplay, w->xid);
    XFlush(FDisplay);
}

void X11Platform::ActivateNativeWindow(WindowId window)
{
    NativeWindow* w = Find(window);
    if (!w || w->destroyed) return;
    if (!w->mapped) {
        w->activateOnMap = true;  // focus can only go to a viewable window
        return;
    }
    FocusNow(*w);
}

void X11Platform::FocusNow(NativeWindow& window)
{
    XRaiseWindow(FDisplay, window.xid);
    if (IsManaged(window) && x11::WindowManagerSupports(FDisplay, FAtoms, FAtoms._NET_ACTIVE_WINDOW))
        x11::SendToWindowManager(FDisplay, window.xid, FAtoms._NET_ACTIVE_WINDOW, kSourceApplication, CurrentTime);
    // A window that is not viewable after all (its foreign parent unmapped)
    // refuses the focus; that is not an error for the program.
    x11::X11ErrorTrap trap(FDisplay);
    XSetInputFocus(FDisplay, window.xid, RevertToParent, CurrentTime);
}

void X11Platform::SetNativeBounds(WindowId window, const Rect& bounds)
{
    NativeWindow* w = Find(window);
    if (!w || w->destroyed) return;
    w->params.bounds = bounds;
    if (IsManaged(*w)) x11::SetPlacementHints(FDisplay, w->xid, bounds);
    w->configureSerial = NextRequest(FDisplay);
    XMoveResizeWindow(FDisplay, w->xid, Position(bounds.left), Position(bounds.top), Extent(bounds.width()),
                      Extent(bounds.height()));
    XFlush(FDisplay);
}

void X11Platform::SetNativeCaption(WindowId window, const std::string& caption)
{
    NativeWindow* w = Find(window);
    if (!w || w->destroyed) return;
    w->params.caption = caption;
    x11::SetCaption(FDisplay, FAtoms, w->xid, caption);
    XFlush(FDisplay);
}

void X11Platform::SetNativeDecorations(WindowId window, bool decorated)
{
    NativeWindow* w = Find(window);
    if (!w || w->destroyed) return;
    w->params.decorated = decorated;
    x11::SetDecorations(FDisplay, FAtoms, w->xid, decorated);
    XFlush(FDisplay);
}

void X11Platform::SetNativeRegion(WindowId window, const Rect* rects, int count)
{
    NativeWindow* w = Find(window);
    if (!w || w->destroyed || !FShapeExtension) return;
    if (!rects || count <= 0) {
        XShapeCombineMask(FDisplay, w->xid, ShapeBounding, 0, 0, None, ShapeSet);
        XFlush(FDisplay);
        return;
    }
    std::vector<XRectangle> shape;
    shape.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const Rect& r = rects[i];
        const int left = std::clamp(r.left, SHRT_MIN, SHRT_MAX), top = std::clamp(r.top, SHRT_MIN, SHRT_MAX);
        const int right = std::clamp(r.right, SHRT_MIN, SHRT_MAX), bottom = std::clamp(r.bottom, SHRT_MIN, SHRT_MAX);
        if (right <= left || bottom <= top) continue;
        shape.push_back({static_cast<short>(left), static_cast<short>(top),
                         static_cast<unsigned short>(std::min(right - left, USHRT_MAX)),
                         static_cast<unsigned short>(std::min(bottom - top, USHRT_MAX))});
    }
    // An empty list of non-empty rectangles is an empty shape: nothing shows.
    XShapeCombineRectangles(FDisplay, w->xid, ShapeBounding, 0, 0, shape.data(), static_cast<int>(shape.size()),
                            ShapeSet, Unsorted);
    XFlush(FDisplay);
}

void X11Platform::SetPointer(WindowId window, PointerShape shape)
{
    NativeWindow* w = Find(window);
    if (!w || w->destroyed || w->pointer == shape) return;
    w->pointer = shape;
    XDefineCursor(FDisplay, w->xid, FCursors->Get(shape));
    XFlush(FDisplay);
}

void X11Platform::BeginInteractiveMove(WindowId window, Point screenPoint)
{
    NativeWindow* w = Find(window);
    if (!w || w->destroyed || w->moving || w->params.kind == WindowKind::Child) return;
    if (IsManaged(*w) && x11::WindowManagerSupports(FDisplay, FAtoms, FAtoms._NET_WM_MOVERESIZE)) {
        // The window manager moves it; it needs the pointer our press grabbed.
        XUngrabPointer(FDisplay, CurrentTime);
        x11::SendToWindowManager(FDisplay, w->xid, FAtoms._NET_WM_MOVERESIZE, screenPoint.x, screenPoint.y,
                                 kMoveResizeMove, Button1, kSourceApplication);
        XFlush(FDisplay);
        return;
    }
    // No one to ask: follow the pointer ourselves while button 1 stays down.
    Window root = None, child = None;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int state = 0;
    if (!XQueryPointer(FDisplay, w->xid, &root, &child, &rootX, &rootY, &x, &y, &state) || !(state & Button1Mask))
        return;
    w->moving = true;
    w->moveGrab = {screenPoint.x - w->params.bounds.left, screenPoint.y - w->params.bounds.top};
    XGrabPointer(FDisplay, w->xid, False, ButtonReleaseMask | PointerMotionMask, GrabModeAsync, GrabModeAsync, None,
                 None, CurrentTime);
    XFlush(FDisplay);
}

void X11Platform::FollowPointer(NativeWindow& window, int rootX, int rootY)
{
    const int dx = rootX - window.moveGrab.x - window.params.bounds.left;
    const int dy = rootY - window.moveGrab.y - window.params.bounds.top;
    if (dx == 0 && dy == 0) return;
    Rect& r = window.params.bounds;
    r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    if (IsManaged(window)) x11::SetPlacementHints(FDisplay, window.xid, r);
    window.configureSerial = NextRequest(FDisplay);
    XMoveWindow(FDisplay, window.xid, Position(r.left), Position(r.top));
    Event moved;
    moved.type = EventType::Moved;
    moved.window = window.xid;
    moved.rect = r;
    Push(moved);
}

void X11Platform::EndInteractiveMove(NativeWindow& window)
{
    window.moving = false;
    XUngrabPointer(FDisplay, CurrentTime);
    XFlush(FDisplay);
}

}  // namespace platform
