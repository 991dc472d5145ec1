#include "tests/support/XDisplayProbe.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

namespace {
Display* D(void* display)
{
    return static_cast<Display*>(display);
}
}  // namespace

TXDisplayProbe::TXDisplayProbe(const std::string& displayName) : FDisplay(XOpenDisplay(displayName.c_str())) {}

TXDisplayProbe::~TXDisplayProbe()
{
    if (FDisplay) XCloseDisplay(D(FDisplay));
}

uint64_t TXDisplayProbe::Root() const
{
    return DefaultRootWindow(D(FDisplay));
}

std::vector<uint32_t> TXDisplayProbe::Read(uint64_t window, int x0, int y0, int width, int height)
{
    std::vector<uint32_t> pixels;
    XImage* image = XGetImage(D(FDisplay), static_cast<Window>(window), x0, y0, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image) return pixels;
    pixels.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF);
    XDestroyImage(image);
    return pixels;
}

uint64_t TXDisplayProbe::CreateWindow(int x, int y, int width, int height)
{
    Display* display = D(FDisplay);
    const unsigned long white = WhitePixel(display, DefaultScreen(display));
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                                              static_cast<unsigned>(height), 0, white, white);
    XMapWindow(display, window);
    XSync(display, False);
    return window;
}

void TXDisplayProbe::DestroyWindow(uint64_t window)
{
    XDestroyWindow(D(FDisplay), static_cast<Window>(window));
    XSync(D(FDisplay), False);
}

int TXDisplayProbe::VisiblePointerPixels()
{
    XFixesCursorImage* cursor = XFixesGetCursorImage(D(FDisplay));
    if (!cursor) return -1;
    int visible = 0;
    for (int i = 0; i < cursor->width * cursor->height; ++i) visible += (cursor->pixels[i] >> 24) != 0;
    XFree(cursor);
    return visible;
}
