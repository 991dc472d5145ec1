// Where windows are and whether they show: positions, sizes, stacking,
// visibility, enabling and parents. A plain move of a child window carries
// its pixels instead of repainting it.
#include "classlib/windowing/WindowGeometry.h"

#include "classlib/system/Exceptions.h"
#include "classlib/system/OSError.h"
#include "classlib/windowing/MessageQueue.h"
#include "classlib/windowing/private/InputQueue.h"
#include "classlib/windowing/private/NativeWindow.h"
#include "classlib/windowing/private/PaintCycle.h"
#include "classlib/windowing/private/PointerShape.h"
#include "classlib/windowing/private/Presentation.h"
#include "classlib/windowing/private/WindowFrame.h"
#include "classlib/windowing/private/WindowMove.h"
#include "classlib/windowing/private/WindowObject.h"
#include "classlib/windowing/SystemMetrics.h"
#include "classlib/windowing/WindowInput.h"
#include "classlib/windowing/WindowPaint.h"
#include "classlib/windowing/WindowTree.h"

#include <algorithm>

bool GetWindowRect(HWND wnd, TRect& rect)
{
    if (TWindowObject* w = FindWindowObject(wnd)) {
        const TPoint o = WindowScreenOrigin(w);
        rect = {o.X, o.Y, o.X + w->Width(), o.Y + w->Height()};
        return true;
    }
    platform::Rect r;
    if (wnd && Platform().GetForeignWindowRect(wnd, r)) {
        rect = {r.left, r.top, r.right, r.bottom};
        return true;
    }
    SetLastError(platform::kErrorInvalidWindowHandle);
    return false;
}

bool GetClientRect(HWND wnd, TRect& rect)
{
    if (TWindowObject* w = FindWindowObject(wnd)) {
        rect = {0, 0, w->Client.Width(), w->Client.Height()};
        return true;
    }
    platform::Rect r;
    if (wnd && Platform().GetForeignWindowRect(wnd, r)) {
        rect = {0, 0, r.width(), r.height()};
        return true;
    }
    SetLastError(platform::kErrorInvalidWindowHandle);
    return false;
}

bool ClientToScreen(HWND wnd, TPoint& point)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) return false;
    const TPoint o = WindowScreenOrigin(w);
    point = {point.X + o.X + w->Client.Left, point.Y + o.Y + w->Client.Top};
    return true;
}

bool ScreenToClient(HWND wnd, TPoint& point)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) return false;
    const TPoint o = WindowScreenOrigin(w);
    point = {point.X - o.X - w->Client.Left, point.Y - o.Y - w->Client.Top};
    return true;
}

bool MoveWindow(HWND wnd, int x, int y, int width, int height, bool repaint)
{
    return SetWindowPos(wnd, 0, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

namespace {
void Restack(TWindowObject* w, HWND insertAfter)
{
    std::vector<TWindowObject*>& list = w->Parent ? w->Parent->Children : WindowTable().Roots;
    auto it = std::find(list.begin(), list.end(), w);
    if (it == list.end()) return;
    list.erase(it);
    if (insertAfter == HWND_BOTTOM) {
        list.insert(list.begin(), w);
        return;
    }
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        list.push_back(w);
        return;
    }
    // Below insertAfter (the list runs bottom to top).
    TWindowObject* after = FindWindowObject(insertAfter);
    auto pos = std::find(list.begin(), list.end(), after);
    list.insert(pos == list.end() ? list.end() : pos, w);
}
}  // namespace

bool SetWindowPos(HWND wnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || w->Utility) return false;
    WINDOWPOS pos{wnd, insertAfter, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = w->Bounds.Left;
        pos.y = w->Bounds.Top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = w->Width();
        pos.cy = w->Height();
    }
    SendMessage(wnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if ((w = FindWindowObject(wnd)) == nullptr) return false;
    const TRect old = w->Bounds;
    const TRect oldClient = w->Client;
    const TRect next = ClampWindowRect(pos.x, pos.y, pos.cx, pos.cy);
    const bool moved = next.TopLeft() != old.TopLeft();
    const bool sized = next.Width() != old.Width() || next.Height() != old.Height();
    const bool frame = (pos.flags & SWP_FRAMECHANGED) != 0;
    const bool redraw = !(pos.flags & SWP_NOREDRAW);
    // A plain move of a shown child keeps its pixels instead of repainting it.
    const bool carry = moved && !sized && !frame && redraw && !(pos.flags & SWP_NOCOPYBITS) && w->Parent;
    bool carrying = false;
    if (carry)
        carrying = BeginCarry(w);
    else
        FlushCarry();
    if (moved || sized || frame) {
        if (w->Parent && w->Visible() && redraw) InvalidateRect(w->Parent->Handle, &old, true);
        w->Bounds = next;
        if (sized || frame) {
            RecalcClient(w);
            if ((w = FindWindowObject(wnd)) == nullptr) return false;
        }
        if (w->IsRoot()) {
            if (sized) ResizeBuffers(w);
            if (moved || sized) SyncNativeBounds(w);
            if (frame && w->Native) Platform().SetNativeDecorations(w->Native, NativelyDecorated(w));
            if (frame && w->Native) Platform().SetNativeCaption(w->Native, w->Text);
        }
        if (carrying) AddCarry(w, next.Left - old.Left, next.Top - old.Top);
        if (redraw && !carrying) InvalidateTree(w, true);
    }
    if (!(pos.flags & SWP_NOZORDER)) {
        if (insertAfter == HWND_TOPMOST) w->ExStyle |= WS_EX_TOPMOST;
        if (insertAfter == HWND_NOTOPMOST) w->ExStyle &= ~WS_EX_TOPMOST;
        Restack(w, insertAfter);
        if (w->Parent && w->Visible()) InvalidateTree(w, true);
    }
    if (pos.flags & SWP_SHOWWINDOW) ShowWindow(wnd, (pos.flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (pos.flags & SWP_HIDEWINDOW) ShowWindow(wnd, SW_HIDE);
    if ((w = FindWindowObject(wnd)) == nullptr) return true;
    WINDOWPOS changed{wnd, insertAfter, w->Bounds.Left, w->Bounds.Top, w->Width(), w->Height(), pos.flags};
    const bool clientSized = w->Client.Width() != oldClient.Width() || w->Client.Height() != oldClient.Height();
    changed.flags &= ~(SWP_NOMOVE | SWP_NOSIZE);
    if (!moved) changed.flags |= SWP_NOMOVE;
    if (!sized && !clientSized) changed.flags |= SWP_NOSIZE;
    SendMessage(wnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&changed));
    return true;
}

bool ShowWindow(HWND wnd, int command)
{
    FlushCarry();
    TInputState& input = InputState();
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || w->Utility) return false;
    const bool wasVisible = w->Visible();
    const bool show = command != SW_HIDE;
    if (show != wasVisible) {
        SendMessage(wnd, WM_SHOWWINDOW, show ? 1 : 0);
        if ((w = FindWindowObject(wnd)) == nullptr) return wasVisible;
    }
    if (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED) {
        w->Style |= WS_MINIMIZE;
    } else if (command == SW_SHOWMAXIMIZED) {
        if (!(w->Style & WS_MAXIMIZE) && w->IsRoot()) {
            w->Style |= WS_MAXIMIZE;
            const TRect work = GetWorkAreaRect();
            SetWindowPos(wnd, 0, work.Left, work.Top, work.Width(), work.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
            if ((w = FindWindowObject(wnd)) == nullptr) return wasVisible;
        }
    } else if (command == SW_RESTORE || command == SW_SHOWNORMAL) {
        w->Style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    }
    if (show)
        w->Style |= WS_VISIBLE;
    else
        w->Style &= ~WS_VISIBLE;
    if (w->IsRoot() && w->Native) {
        const bool nativeVisible = show && !(w->Style & WS_MINIMIZE);
        if (nativeVisible != w->NativeShown) {
            w->NativeShown = nativeVisible;
            Platform().ShowNativeWindow(w->Native, nativeVisible);
            if (nativeVisible) {
                PresentOverBlack(w);
                InvalidateTree(w, true);
                RefreshPointerShape();
                if ((w = FindWindowObject(wnd)) == nullptr) return wasVisible;
            }
        }
        const bool activate = nativeVisible && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                              !w->ForeignParent && !((w->Style & WS_POPUP) && (w->ExStyle & WS_EX_TOOLWINDOW));
        if (activate && input.Active != wnd) Platform().ActivateNativeWindow(w->Native);
    } else if (w->Parent && show != wasVisible) {
        if (show) {
            InvalidateTree(w, true);
        } else {
            const TRect area = w->Bounds;
            InvalidateRect(w->Parent->Handle, &area, true);
            if (input.Focus && (input.Focus == wnd)) input.Focus = 0;
        }
    }
    return wasVisible;
}

bool IsWindowVisible(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) return false;
    for (TWindowObject* c = w; c; c = c->Parent)
        if (!c->Visible()) return false;
    return true;
}

bool IsWindowEnabled(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    return w && w->Enabled();
}

bool EnableWindow(HWND wnd, bool enable)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) return false;
    const bool wasDisabled = !w->Enabled();
    if (wasDisabled == !enable) return wasDisabled;
    if (enable)
        w->Style &= ~WS_DISABLED;
    else
        w->Style |= WS_DISABLED;
    if (!enable) {
        const TInputState& input = InputState();
        for (TWindowObject* f = FindWindowObject(input.Focus); f; f = f->Parent)
            if (f == w) {
                SetFocus(0);
                break;
            }
        if (input.Capture == wnd) ReleaseCapture();
    }
    SendMessage(wnd, WM_ENABLE, enable ? 1 : 0);
    return wasDisabled;
}

bool IsIconic(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    return w && (w->Style & WS_MINIMIZE);
}

bool IsZoomed(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    return w && (w->Style & WS_MAXIMIZE);
}

HWND SetParent(HWND wnd, HWND newParent)
{
    FlushCarry();
    TWindowTable& table = WindowTable();
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || w->Utility) {
        SetLastError(platform::kErrorInvalidWindowHandle);
        return 0;
    }
    TWindowObject* parent = FindWindowObject(newParent);
    if (newParent && !parent && !Platform().ForeignWindowExists(newParent)) {
        SetLastError(platform::kErrorInvalidWindowHandle);
        return 0;
    }
    for (TWindowObject* p = parent; p; p = p->Parent)
        if (p == w) return 0;  // into its own subtree
    const HWND old = GetParent(wnd);
    if (w->Parent) {
        InvalidateRect(w->Parent->Handle, &w->Bounds, true);
        std::erase(w->Parent->Children, w);
        w->Parent = nullptr;
    } else {
        std::erase(table.Roots, w);
        DestroyNativeFor(w);
        DropBuffers(w);
    }
    w->ForeignParent = 0;
    if (parent) {
        w->Parent = parent;
        parent->Children.push_back(w);
        w->Style |= WS_CHILD;
        w->Style &= ~WS_POPUP;
    } else {
        w->ForeignParent = newParent;
        table.Roots.push_back(w);
        try {
            CreateNativeFor(w);
        } catch (const Exception&) {
            return 0;
        }
        if (w->Visible()) {
            w->Style &= ~WS_VISIBLE;
            ShowWindow(wnd, SW_SHOWNA);
        }
    }
    RecalcClient(w);
    if ((w = FindWindowObject(wnd)) != nullptr) InvalidateTree(w, true);
    return old;
}

TRect CalcClientRect(uint32_t style, uint32_t exStyle, bool topLevel, const TRect& windowRect)
{
    const bool decorated = topLevel && (style & WS_CAPTION) == WS_CAPTION;
    const int frame = FrameWidthOf(style, exStyle, decorated);
    TRect r = InflateRect(windowRect, -frame, -frame);
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return r;
}
