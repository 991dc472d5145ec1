// Carrying a moved child window's pixels to its new place.
#include "classlib/windowing/private/WindowMove.h"

#include "classlib/windowing/private/PaintCycle.h"
#include "classlib/windowing/private/Presentation.h"
#include "classlib/windowing/private/WindowObject.h"

#include <cstring>

namespace {
// A child window's move whose pixels are not copied yet: moves that follow
// one another (left, then top) copy the pixels once.
struct TPendingCarry {
    HWND Window = 0;
    TRect ShownBefore;  // buffer coordinates, before the first of the moves
    int Dx = 0;
    int Dy = 0;
};

TPendingCarry gPending;

// Copies dst's pixels from dst moved back by (dx, dy), in an order that reads
// every overlapping row before it is written.
void ShiftPixels(const TPixelSurface& surface, const TRect& dst, int dx, int dy)
{
    const size_t bytes = sizeof(uint32_t) * static_cast<size_t>(dst.Width());
    auto row = [&](int y) { std::memmove(surface.Row(y) + dst.Left, surface.Row(y - dy) + dst.Left - dx, bytes); };
    if (dy > 0) {
        for (int y = dst.Bottom - 1; y >= dst.Top; --y) row(y);
    } else {
        for (int y = dst.Top; y < dst.Bottom; ++y) row(y);
    }
}
}  // namespace

TRect ShownTreeArea(TWindowObject* w)
{
    TWindowObject* root = RootOf(w);
    const TPixelSurface& surface = SurfaceOf(root);
    if (!surface || w == root || !IsShowing(w)) return {};
    TRect area = WindowInRoot(w);
    for (TWindowObject* a = w->Parent; a; a = a->Parent) area = IntersectRect(area, ClientInRoot(a));
    area = IntersectRect(area, surface.BoundsRect());
    if (IsRectEmpty(area)) return {};
    // A sibling above it (or above a parent) would make the shown part more
    // than one rectangle: such a window is painted afresh instead.
    for (TWindowObject* x = w; x->Parent; x = x->Parent) {
        bool above = false;
        for (TWindowObject* s : x->Parent->Children) {
            if (s == x) {
                above = true;
                continue;
            }
            if (above && s->Visible() && !s->Utility && !IsRectEmpty(IntersectRect(WindowInRoot(s), area))) return {};
        }
    }
    return area;
}

namespace {
// Copies what showed of w before it moved by (dx, dy) to its new place.
// False when part of the new place still needs painting.
bool CarryPixels(TWindowObject* w, const TRect& shownBefore, int dx, int dy)
{
    const TRect shownAfter = ShownTreeArea(w);
    const TRect dst = IntersectRect(OffsetRect(shownBefore, dx, dy), shownAfter);
    if (IsRectEmpty(dst)) return false;
    TPresentation& p = *RootOf(w)->Presentation;
    ShiftPixels(p.Surface, dst, dx, dy);
    // Moved pixels differ from the shown ones almost everywhere: comparing
    // them first would only cost time.
    p.Known.Drawn(dst);
    p.Carried = UnionRect(p.Carried, dst);
    return dst == shownAfter;
}
}  // namespace

bool BeginCarry(TWindowObject* w)
{
    TPendingCarry& pending = gPending;
    if (pending.Window == w->Handle) return true;
    FlushCarry();
    const TRect shown = ShownTreeArea(w);
    if (IsRectEmpty(shown)) return false;
    pending = {w->Handle, shown, 0, 0};
    return true;
}

void AddCarry(TWindowObject* w, int dx, int dy)
{
    TPendingCarry& pending = gPending;
    if (pending.Window != w->Handle) return;
    pending.Dx += dx;
    pending.Dy += dy;
}

void FlushCarry()
{
    TPendingCarry& pending = gPending;
    if (!pending.Window) return;
    const TPendingCarry carry = pending;
    pending = {};
    TWindowObject* w = FindWindowObject(carry.Window);
    if (!w || (carry.Dx == 0 && carry.Dy == 0)) return;
    if (!CarryPixels(w, carry.ShownBefore, carry.Dx, carry.Dy)) InvalidateTree(w, true);
}
