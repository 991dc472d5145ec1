// The window table and where each window lies.
#include "classlib/windowing/private/WindowObject.h"

#include "classlib/windowing/DefWindowProc.h"
#include "classlib/windowing/private/Presentation.h"

#include <algorithm>

TWindowObject::TWindowObject() = default;
TWindowObject::~TWindowObject() = default;

TWindowTable& WindowTable()
{
    static TWindowTable table;
    return table;
}

platform::IPlatform& Platform()
{
    return platform::GetPlatform();
}

TRect ClampWindowRect(int x, int y, int width, int height)
{
    const int l = std::clamp(x, -kMaxWindowPosition, kMaxWindowPosition);
    const int t = std::clamp(y, -kMaxWindowPosition, kMaxWindowPosition);
    return Bounds(l, t, std::clamp(width, 0, kMaxWindowDimension), std::clamp(height, 0, kMaxWindowDimension));
}

TWindowObject* FindWindowObject(HWND wnd)
{
    if (!wnd) return nullptr;
    auto& windows = WindowTable().Windows;
    auto it = windows.find(wnd);
    return it == windows.end() ? nullptr : it->second.get();
}

TWindowObject* RootOf(TWindowObject* w)
{
    while (w && w->Parent) w = w->Parent;
    return w;
}

TWindowObject* RootOfNative(platform::WindowId native)
{
    for (TWindowObject* r : WindowTable().Roots)
        if (r->Native == native && native) return r;
    return nullptr;
}

bool InSubtree(const TWindowObject* w, const TWindowObject* root)
{
    for (; w; w = w->Parent)
        if (w == root) return true;
    return false;
}

LRESULT CallWindowObject(TWindowObject* w, TMessage& message)
{
    if (!w) return 0;
    // Keep the procedure alive: it may replace itself or destroy the window.
    std::shared_ptr<const TWndMethod> proc = w->Proc;
    const HWND handle = w->Handle;
    if (proc && *proc)
        (*proc)(message);
    else
        DefWindowProc(handle, message);
    return message.Result;
}

TPoint WindowOriginInRoot(const TWindowObject* w)
{
    TPoint p;
    for (const TWindowObject* c = w; c && c->Parent; c = c->Parent) {
        p.X += c->Bounds.Left + c->Parent->Client.Left;
        p.Y += c->Bounds.Top + c->Parent->Client.Top;
    }
    return p;
}

TRect ClientInRoot(const TWindowObject* w)
{
    const TPoint o = WindowOriginInRoot(w);
    return OffsetRect(w->Client, o.X, o.Y);
}

TRect WindowInRoot(const TWindowObject* w)
{
    const TPoint o = WindowOriginInRoot(w);
    return {o.X, o.Y, o.X + w->Width(), o.Y + w->Height()};
}

TPoint WindowScreenOrigin(const TWindowObject* w)
{
    const TWindowObject* root = w;
    while (root->Parent) root = root->Parent;
    TPoint p{root->Bounds.Left, root->Bounds.Top};
    if (root->ForeignParent) {
        platform::Rect r;
        if (Platform().GetForeignWindowRect(root->ForeignParent, r)) {
            p.X += r.left;
            p.Y += r.top;
        }
    }
    const TPoint inRoot = WindowOriginInRoot(w);
    return {p.X + inRoot.X, p.Y + inRoot.Y};
}

bool IsShowing(const TWindowObject* w)
{
    for (const TWindowObject* c = w; c; c = c->Parent) {
        if (!c->Visible() || c->Destroying) return false;
        if (!c->Parent) return c->NativeShown && !(c->Style & WS_MINIMIZE);
    }
    return false;
}

TWindowObject* HitWindow(TWindowObject* w, TPoint p)
{
    for (auto it = w->Children.rbegin(); it != w->Children.rend(); ++it) {
        TWindowObject* c = *it;
        if (!c->Visible() || c->Utility) continue;
        if (!PtInRect(ClientInRoot(w), p) || !PtInRect(WindowInRoot(c), p)) continue;
        return HitWindow(c, p);
    }
    return w;
}
