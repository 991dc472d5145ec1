// Connection, screen, foreign windows and presenting.
#include "platform/x11/X11Platform.h"

#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11Screen.h"
#include "platform/x11/X11SeamNames.h"

#include <X11/XKBlib.h>
#include <X11/extensions/shape.h>

namespace platform {

namespace {
// Window ids are 29 bits on the wire; anything larger would be truncated
// into some other window instead of being refused.
constexpr ForeignId kMaxWindowId = 0x1FFFFFFF;

bool PlausibleWindowId(ForeignId id)
{
    return id != 0 && id <= kMaxWindowId;
}
}  // namespace

std::unique_ptr<X11Platform> X11Platform::Open(const char* displayName, X11Options options)
{
    x11::InstallX11ErrorHandlers();
    Display* display = XOpenDisplay(displayName);
    if (!display) return nullptr;
    return std::unique_ptr<X11Platform>(new X11Platform(display, options));
}

X11Platform::X11Platform(Display* display, X11Options options)
    : FDisplay(display), FOptions(options), FCursors(std::make_unique<x11::X11Cursors>(display))
{
    FScreen = DefaultScreen(display);
    FRoot = RootWindow(display, FScreen);
    FVisual = DefaultVisual(display, FScreen);
    FDepth = DefaultDepth(display, FScreen);
    XGCValues values{};
    values.graphics_exposures = False;
    FGC = XCreateGC(display, FRoot, GCGraphicsExposures, &values);
    int shapeEvent = 0, shapeError = 0;
    FShapeExtension = XShapeQueryExtension(display, &shapeEvent, &shapeError);
    FCompletionEventType = FOptions.sharedMemory ? x11::X11Surface::CompletionEventType(display) : 0;
    FSharedMemory = FCompletionEventType != 0;
    FAtoms.Intern(display);
    // Auto-repeat as repeated presses without releases in between, so a held
    // key does not look like a stream of taps.
    Bool supported = False;
    XkbSetDetectableAutoRepeat(display, True, &supported);
    FWindows.reserve(16);
}

X11Platform::~X11Platform()
{
    for (auto& [xid, window] : FWindows) {
        window->surface.reset();
        if (!window->destroyed) XDestroyWindow(FDisplay, xid);
    }
    FWindows.clear();
    FRetiredSurfaces.clear();  // detaching needs the display
    XFreeGC(FDisplay, FGC);
    FCursors.reset();
    XCloseDisplay(FDisplay);
}

X11Platform::NativeWindow* X11Platform::Find(WindowId window)
{
    auto it = FWindows.find(static_cast<Window>(window));
    return it == FWindows.end() ? nullptr : it->second.get();
}

const X11Platform::NativeWindow* X11Platform::Find(WindowId window) const
{
    auto it = FWindows.find(static_cast<Window>(window));
    return it == FWindows.end() ? nullptr : it->second.get();
}

bool X11Platform::PresentsThroughSharedMemory(WindowId window) const
{
    const NativeWindow* w = Find(window);
    return w && w->surface && w->surface->Shared();
}

ScreenMetrics X11Platform::Screen()
{
    return x11::PrimaryScreenMetrics(FDisplay, FAtoms);
}

Point X11Platform::PointerPosition()
{
    Window root = None, child = None;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    XQueryPointer(FDisplay, FRoot, &root, &child, &rootX, &rootY, &x, &y, &mask);
    return {rootX, rootY};
}

bool X11Platform::ForeignWindowExists(ForeignId window)
{
    if (!PlausibleWindowId(window)) return false;
    x11::X11ErrorTrap trap(FDisplay);
    XWindowAttributes attributes;
    return XGetWindowAttributes(FDisplay, static_cast<Window>(window), &attributes) && !trap.Failed();
}

bool X11Platform::GetForeignWindowRect(ForeignId window, Rect& rect)
{
    if (!PlausibleWindowId(window)) return false;
    x11::X11ErrorTrap trap(FDisplay);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(FDisplay, static_cast<Window>(window), &attributes) || trap.Failed()) return false;
    int x = 0, y = 0;
    Window child = None;
    if (!XTranslateCoordinates(FDisplay, static_cast<Window>(window), FRoot, 0, 0, &x, &y, &child) || trap.Failed())
        return false;
    // The area inside the window's X border: what a child placed at (0, 0) and
    // given this size exactly fills.
    rect = {x, y, x + attributes.width, y + attributes.height};
    return true;
}

x11::X11Surface* X11Platform::SurfaceOf(NativeWindow& window, int width, int height)
{
    if (!window.surface) window.surface = std::make_unique<x11::X11Surface>(FDisplay, FVisual, FDepth, FSharedMemory);
    if (!window.surface->Resize(width, height)) return nullptr;
    if (window.surface->SharedMemoryRefused()) FSharedMemory = false;  // e.g. a remote display: stop trying
    return window.surface.get();
}

uint32_t* X11Platform::BackBuffer(WindowId window, int width, int height, int* stride)
{
    NativeWindow* w = Find(window);
    if (!w || w->destroyed) return nullptr;
    x11::X11Surface* surface = SurfaceOf(*w, width, height);
    return surface ? surface->DirectPixels(stride) : nullptr;
}

void X11Platform::Present(WindowId window, const uint32_t* pixels, int stride, int width, int height,
                          const Rect& area)
{
    NativeWindow* w = Find(window);
    if (!w || w->destroyed || !pixels || width <= 0 || height <= 0 || stride < width) return;
    x11::X11Surface* surface = SurfaceOf(*w, width, height);
    if (!surface) return;
    surface->Store(pixels, stride, area);
    // Sent with the next flush, before the program sleeps or waits: a pass
    // that presents several rectangles costs one write to the server.
    surface->Put(w->xid, FGC, area);
}

void X11Platform::NoteMessageBox(WindowId, const std::string&, const std::string&)
{
    // The box is an ordinary window of ours on a real display.
}

}  // namespace platform
