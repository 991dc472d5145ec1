// The paint cycle: which window needs painting, its visible pieces, and
// painting it with WM_NCPAINT, WM_ERASEBKGND and WM_PAINT.
#include "classlib/windowing/private/PaintCycle.h"

#include "classlib/raster/DrawCount.h"
#include "classlib/windowing/DeviceContext.h"
#include "classlib/windowing/MessageQueue.h"
#include "classlib/windowing/private/Presentation.h"
#include "classlib/windowing/private/WindowMove.h"
#include "classlib/windowing/private/WindowObject.h"
#include "classlib/windowing/WindowPaint.h"

#include <algorithm>

void InvalidateTree(TWindowObject* w, bool erase)
{
    if (w->Utility) return;
    InvalidateRect(w->Handle, nullptr, erase);
    if (w->Client != TRect{0, 0, w->Width(), w->Height()}) w->FrameInvalid = true;
    for (TWindowObject* c : w->Children) InvalidateTree(c, erase);
}

void VisiblePieces(TWindowObject* w, const TRect& rect, bool clientOnly, TRectList& pieces)
{
    pieces.Clear();
    TRect area = IntersectRect(rect, clientOnly ? ClientInRoot(w) : WindowInRoot(w));
    for (TWindowObject* a = w->Parent; a; a = a->Parent) area = IntersectRect(area, ClientInRoot(a));
    TWindowObject* root = RootOf(w);
    if (const TPixelSurface& surface = SurfaceOf(root)) area = IntersectRect(area, surface.BoundsRect());
    pieces.Add(area);
    if (pieces.Empty()) return;
    // A cut that does not fit leaves that part to be painted over; the window
    // covering it is then repainted after us.
    auto cut = [&](TWindowObject* c) {
        if (!c->Visible() || c->Utility) return;
        const TRect r = WindowInRoot(c);
        if (!pieces.Intersects(r)) return;
        if (!pieces.Subtract(r)) InvalidateTree(c, true);
    };
    for (TWindowObject* c : w->Children) cut(c);
    for (TWindowObject* x = w; x->Parent; x = x->Parent) {
        const auto& siblings = x->Parent->Children;
        auto it = std::find(siblings.begin(), siblings.end(), x);
        for (++it; it != siblings.end(); ++it) cut(*it);
    }
}

TWindowObject* FirstInvalid(TWindowObject* w)
{
    if (!w->Visible() || w->Utility) return nullptr;
    if (!w->Update.Empty() || w->FrameInvalid) return w;
    for (TWindowObject* c : w->Children)
        if (TWindowObject* found = FirstInvalid(c)) return found;
    return nullptr;
}

void PaintWindowObject(TWindowObject* w)
{
    FlushCarry();
    const HWND handle = w->Handle;
    TWindowObject* root = RootOf(w);
    if (!SurfaceOf(root) || !IsShowing(w)) {
        // Nothing to paint on: the window is painted when it is shown.
        return;
    }
    TRectList region = w->Update;
    const bool erase = w->Erase;
    const bool frame = w->FrameInvalid;
    w->Update.Clear();
    w->Erase = false;
    w->FrameInvalid = false;

    if (frame && w->Client != TRect{0, 0, w->Width(), w->Height()}) {
        SendMessage(handle, WM_NCPAINT, 1);
        if ((w = FindWindowObject(handle)) == nullptr) return;
    }
    const TRect client = ClientInRoot(w);
    const HWND rootHandle = root->Handle;
    TRectList pieces;
    for (const TRect& r : region) {
        VisiblePieces(w, OffsetRect(r, client.Left, client.Top), true, pieces);
        for (const TRect& piece : pieces) {
            TDeviceContext dc{SurfaceOf(root), client.TopLeft(), piece, handle};
            // Erase fills record what they change themselves; anything else a
            // handler draws counts for the whole piece.
            const uint64_t drawsBefore = Raster::tDrawOperations;
            if (erase) {
                SendMessage(handle, WM_ERASEBKGND, DCToWParam(&dc));
                if (!FindWindowObject(handle)) return;
            }
            SendMessage(handle, WM_PAINT, DCToWParam(&dc));
            if (!FindWindowObject(handle) || (root = FindWindowObject(rootHandle)) == nullptr) return;
            if (Raster::tDrawOperations != drawsBefore) MarkDrawn(root, piece);
        }
    }
}
