// Invalidation, painting windows now, and presenting what changed.
#include "classlib/windowing/WindowPaint.h"

#include "classlib/windowing/DeviceContext.h"
#include "classlib/windowing/private/PaintCycle.h"
#include "classlib/windowing/private/Presentation.h"
#include "classlib/windowing/private/WindowMove.h"
#include "classlib/windowing/private/WindowObject.h"

bool InvalidateRect(HWND wnd, const TRect* rect, bool erase)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || w->Utility || w->Destroying) return false;
    const TRect client{0, 0, w->Client.Width(), w->Client.Height()};
    const TRect r = rect ? IntersectRect(*rect, client) : client;
    if (IsRectEmpty(r)) return true;
    w->Update.Add(r);
    w->Erase = w->Erase || erase;
    return true;
}

bool ValidateRect(HWND wnd, const TRect* rect)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) return false;
    if (!rect) {
        w->Update.Clear();
        w->Erase = false;
        return true;
    }
    if (!w->Update.Subtract(*rect)) return true;
    if (w->Update.Empty()) w->Erase = false;
    return true;
}

bool GetUpdateRect(HWND wnd, TRect& rect, bool)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || w->Update.Empty()) {
        rect = {};
        return false;
    }
    rect = w->Update.Bounds();
    return true;
}

bool RedrawWindow(HWND wnd, const TRect* rect, HRGN, UINT flags)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) return false;
    if (flags & RDW_INVALIDATE) {
        if (flags & RDW_ALLCHILDREN)
            InvalidateTree(w, (flags & RDW_ERASE) != 0);
        else
            InvalidateRect(wnd, rect, (flags & RDW_ERASE) != 0);
        if (flags & RDW_FRAME) w->FrameInvalid = true;
    }
    if (flags & RDW_UPDATENOW) UpdateWindow(wnd);
    return true;
}

bool UpdateWindow(HWND wnd)
{
    FlushCarry();
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || w->Utility) return false;
    TWindowObject* root = RootOf(w);
    const HWND rootHandle = root->Handle;
    // Paint the window and its descendants, parents first; painting may invalidate more.
    for (int guard = 0; guard < 64; ++guard) {
        w = FindWindowObject(wnd);
        if (!w) break;
        TWindowObject* next = FirstInvalid(w);
        if (!next || !IsShowing(next)) break;
        PaintWindowObject(next);
    }
    PresentWindow(rootHandle);
    return true;
}

void PresentWindow(HWND wnd)
{
    FlushCarry();
    TWindowObject* root = RootOf(FindWindowObject(wnd));
    if (!root || !root->Native || !SurfaceOf(root)) return;
    if (!root->NativeShown) return;  // keeps its damage until shown
    PresentChanged(root);
}

void PaintClientNow(HWND wnd, const TRect& rect, const std::function<void(HDC)>& paint)
{
    FlushCarry();
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || w->Utility || !IsShowing(w)) return;
    TWindowObject* root = RootOf(w);
    if (!SurfaceOf(root)) return;
    const HWND rootHandle = root->Handle;
    const TRect client = ClientInRoot(w);
    TRectList pieces;
    VisiblePieces(w, OffsetRect(rect, client.Left, client.Top), true, pieces);
    for (const TRect& piece : pieces) {
        TDeviceContext dc{SurfaceOf(root), client.TopLeft(), piece, wnd};
        paint(&dc);
        if ((root = FindWindowObject(rootHandle)) == nullptr) return;
        MarkDrawn(root, piece);
    }
    PresentWindow(rootHandle);
}
