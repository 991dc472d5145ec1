// The pointer shapes of the seam as X cursors, made once per display.
#pragma once

#include "platform/Platform.h"
#include "platform/x11/X11SeamNames.h"

#include <X11/Xlib.h>

#include <array>

namespace platform::x11 {

class X11Cursors {
public:
    explicit X11Cursors(Display* display) : FDisplay(display) {}
    ~X11Cursors();
    X11Cursors(const X11Cursors&) = delete;
    X11Cursors& operator=(const X11Cursors&) = delete;

    // The cursor for a shape, made on first use; PointerShape::None is a
    // fully transparent cursor, so the pointer disappears over the window.
    Cursor Get(PointerShape shape);

private:
    static constexpr size_t kShapeCount = static_cast<size_t>(PointerShape::UpArrow) + 1;
    Cursor MakeInvisible();
    Display* FDisplay;
    std::array<Cursor, kShapeCount> FCursors{};
};

}  // namespace platform::x11
