#include "platform/x11/X11Cursors.h"

#include "platform/x11/X11SeamNames.h"

#include <X11/cursorfont.h>

namespace platform::x11 {

namespace {
// The nearest shapes of the core cursor font, which every server has.
unsigned int FontShapeOf(PointerShape shape)
{
    switch (shape) {
    case PointerShape::Arrow: return XC_left_ptr;
    case PointerShape::Cross: return XC_crosshair;
    case PointerShape::IBeam: return XC_xterm;
    case PointerShape::Hand: return XC_hand2;
    case PointerShape::Wait: return XC_watch;
    case PointerShape::AppStarting: return XC_watch;
    case PointerShape::SizeAll: return XC_fleur;
    case PointerShape::SizeNS: return XC_sb_v_double_arrow;
    case PointerShape::SizeWE: return XC_sb_h_double_arrow;
    case PointerShape::SizeNWSE: return XC_bottom_right_corner;
    case PointerShape::SizeNESW: return XC_bottom_left_corner;
    case PointerShape::No: return XC_X_cursor;
    case PointerShape::Help: return XC_question_arrow;
    case PointerShape::UpArrow: return XC_sb_up_arrow;
    case kNoPointer: break;
    }
    return XC_left_ptr;
}
}  // namespace

X11Cursors::~X11Cursors()
{
    for (Cursor cursor : FCursors)
        if (cursor != None) XFreeCursor(FDisplay, cursor);
}

Cursor X11Cursors::Get(PointerShape shape)
{
    const size_t index = static_cast<size_t>(shape);
    if (index >= kShapeCount) return Get(PointerShape::Arrow);
    Cursor& cursor = FCursors[index];
    if (cursor == None)
        cursor = shape == kNoPointer ? MakeInvisible() : XCreateFontCursor(FDisplay, FontShapeOf(shape));
    return cursor;
}

Cursor X11Cursors::MakeInvisible()
{
    // A 1 x 1 cursor whose mask is empty shows no pixel at all.
    const char bits[1] = {0};
    const Window root = DefaultRootWindow(FDisplay);
    Pixmap blank = XCreateBitmapFromData(FDisplay, root, bits, 1, 1);
    XColor black{};
    Cursor cursor = XCreatePixmapCursor(FDisplay, blank, blank, &black, &black, 0, 0);
    XFreePixmap(FDisplay, blank);
    return cursor;
}

}  // namespace platform::x11
