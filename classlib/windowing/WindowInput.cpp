// Focus, capture, activation and the window under a point.
#include "classlib/windowing/WindowInput.h"

#include "classlib/windowing/MessageQueue.h"
#include "classlib/windowing/private/InputQueue.h"
#include "classlib/windowing/private/WindowObject.h"

HWND SetFocus(HWND wnd)
{
    TInputState& state = InputState();
    const HWND old = state.Focus;
    if (wnd == old) return old;
    TWindowObject* w = FindWindowObject(wnd);
    if (wnd && (!w || w->Utility || w->Destroying)) return 0;
    for (TWindowObject* c = w; c; c = c->Parent)
        if (!c->Enabled()) return 0;
    state.Focus = wnd;
    if (old && FindWindowObject(old)) SendMessage(old, WM_KILLFOCUS, wnd);
    if (wnd && state.Focus == wnd && FindWindowObject(wnd)) {
        SendMessage(wnd, WM_SETFOCUS, old);
        TWindowObject* root = RootOf(FindWindowObject(wnd));
        if (root && root->Native && root->NativeShown && state.Active != root->Handle && !root->ForeignParent)
            Platform().ActivateNativeWindow(root->Native);
    }
    return old;
}

HWND GetFocus()
{
    return InputState().Focus;
}

HWND SetCapture(HWND wnd)
{
    TInputState& state = InputState();
    const HWND old = state.Capture;
    if (!FindWindowObject(wnd)) return old;
    state.Capture = wnd;
    if (old && old != wnd) SendMessage(old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(wnd));
    return old;
}

bool ReleaseCapture()
{
    TInputState& state = InputState();
    const HWND old = state.Capture;
    state.Capture = 0;
    if (old) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

HWND GetCapture()
{
    return InputState().Capture;
}

HWND GetActiveWindow()
{
    return InputState().Active;
}

HWND SetActiveWindow(HWND wnd)
{
    TInputState& state = InputState();
    const HWND old = state.Active;
    TWindowObject* root = RootOf(FindWindowObject(wnd));
    if (root && root->Native) Platform().ActivateNativeWindow(root->Native);
    return old;
}

HWND GetForegroundWindow()
{
    return InputState().Active;
}

bool SetForegroundWindow(HWND wnd)
{
    SetActiveWindow(wnd);
    return FindWindowObject(wnd) != nullptr;
}

HWND WindowFromPoint(TPoint screenPoint)
{
    const auto& roots = WindowTable().Roots;
    for (auto it = roots.rbegin(); it != roots.rend(); ++it) {
        TWindowObject* r = *it;
        if (!IsShowing(r)) continue;
        const TPoint o = WindowScreenOrigin(r);
        const TPoint p{screenPoint.X - o.X, screenPoint.Y - o.Y};
        if (!PtInRect({0, 0, r->Width(), r->Height()}, p)) continue;
        return HitWindow(r, p)->Handle;
    }
    return 0;
}

uint32_t CurrentShiftState()
{
    return InputState().Shift;
}
