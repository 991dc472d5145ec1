// Input: platform events become window messages (keys to the focus, mouse to
// the window under the pointer or holding the capture), and focus, capture,
// activation and the pointer shape.
#include "classlib/system/Resources.h"
#include "classlib/windowing/WindowObject.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr size_t kInputCapacity = 1024;
constexpr int64_t kDoubleClickMs = 500;

struct TInputQueue {
    std::vector<platform::Event> Ring;
    size_t Head = 0;
    size_t Count = 0;
    HWND LastMouseWindow = 0;  // the last window that got a client mouse message
};

TInputQueue& Input()
{
    static TInputQueue queue;
    return queue;
}

TWindowObject* RootOfNative(platform::WindowId native)
{
    for (TWindowObject* r : Windowing().Roots)
        if (r->Native == native && native) return r;
    return nullptr;
}

bool InSubtree(TWindowObject* w, TWindowObject* root)
{
    for (; w; w = w->Parent)
        if (w == root) return true;
    return false;
}

// The deepest visible window of the tree containing a buffer point.
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

WPARAM MouseKeys(uint32_t shift)
{
    WPARAM keys = 0;
    if (shift & SHIFT_STATE_LEFT) keys |= MK_LBUTTON;
    if (shift & SHIFT_STATE_RIGHT) keys |= MK_RBUTTON;
    if (shift & SHIFT_STATE_MIDDLE) keys |= MK_MBUTTON;
    if (shift & SHIFT_STATE_SHIFT) keys |= MK_SHIFT;
    if (shift & SHIFT_STATE_CTRL) keys |= MK_CONTROL;
    return keys;
}

UINT ButtonMessage(platform::MouseButton button, bool down)
{
    switch (button) {
    case platform::MouseButton::Left: return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case platform::MouseButton::Right: return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case platform::MouseButton::Middle: return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    }
    return WM_LBUTTONDOWN;
}

// Keys go to the focus when it lies in the event's window, else to that window.
TWindowObject* KeyTarget(TWindowObject* root)
{
    TWindowObject* focus = FindWindowObject(Windowing().Focus);
    TWindowObject* target = focus && InSubtree(focus, root) ? focus : root;
    for (TWindowObject* c = target; c; c = c->Parent)
        if (!c->Enabled()) return nullptr;
    return target;
}

void MoveFromPlatform(TWindowObject* root, const platform::Rect& rect)
{
    const HWND h = root->Handle;
    const TRect next{rect.left, rect.top, rect.right, rect.bottom};
    const bool moved = next.TopLeft() != root->Bounds.TopLeft();
    const bool sized = next.Width() != root->Width() || next.Height() != root->Height();
    if (!moved && !sized) return;
    root->Bounds = next;
    if (sized) {
        RecalcClient(root);
        if ((root = FindWindowObject(h)) == nullptr) return;
        ResizeBuffers(root);
        InvalidateTree(root, true);
    }
    WINDOWPOS pos{h, 0, next.Left, next.Top, next.Width(), next.Height(), SWP_NOZORDER | SWP_NOACTIVATE};
    if (!moved) pos.flags |= SWP_NOMOVE;
    if (!sized) pos.flags |= SWP_NOSIZE;
    SendMessage(h, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

// Turns one platform event into a message; false when it needs none.
bool Translate(const platform::Event& e, TMsg& msg)
{
    TWindowingState& state = Windowing();
    const int64_t now = MonotonicMilliseconds();
    msg = TMsg{};
    msg.time = static_cast<DWORD>(now);
    if (e.type == platform::EventType::ForeignDestroyed) {
        for (TWindowObject* r : std::vector<TWindowObject*>(state.Roots)) {
            if (r->ForeignParent != e.foreign) continue;
            r->Native = 0;  // the platform took it down with its parent
            r->NativeShown = false;
            DestroyWindow(r->Handle);
        }
        return false;
    }
    TWindowObject* root = RootOfNative(e.window);
    if (!root || root->Destroying) return false;
    switch (e.type) {
    case platform::EventType::ButtonDown:
    case platform::EventType::ButtonUp:
    case platform::EventType::Motion:
    case platform::EventType::Wheel:
    case platform::EventType::Enter:
        state.Pointer = {e.screenX, e.screenY};
        state.PointerRoot = root->Handle;
        state.Shift = e.shift;
        break;
    case platform::EventType::KeyDown:
    case platform::EventType::KeyUp:
        state.Shift = e.shift;
        break;
    default:
        break;
    }
    msg.pt = state.Pointer;
    switch (e.type) {
    case platform::EventType::KeyDown:
    case platform::EventType::KeyUp: {
        TWindowObject* target = KeyTarget(root);
        if (!target) return false;
        const bool alt = (e.shift & SHIFT_STATE_ALT) != 0 && e.key != VK_MENU;
        const bool down = e.type == platform::EventType::KeyDown;
        msg.hwnd = target->Handle;
        msg.message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
        msg.wParam = e.key;
        LPARAM data = 1;
        if (alt) data |= KF_ALTDOWN_BIT;
        if (!down) data |= KF_REPEAT_BIT | KF_UP_BIT;
        if (down && e.repeat) data |= KF_REPEAT_BIT;
        msg.lParam = data;
        msg.character = down ? e.character : 0;
        return true;
    }
    case platform::EventType::ButtonDown:
    case platform::EventType::ButtonUp:
    case platform::EventType::Motion: {
        const bool down = e.type == platform::EventType::ButtonDown;
        UINT message = e.type == platform::EventType::Motion ? WM_MOUSEMOVE : ButtonMessage(e.button, down);
        const TPoint screen{e.screenX, e.screenY};
        TWindowObject* target = FindWindowObject(state.Capture);
        int hit = HTCLIENT;
        if (!target) {
            target = HitWindow(root, {e.x, e.y});
            for (TWindowObject* c = target; c; c = c->Parent)
                if (!c->Enabled()) return false;  // disabled windows (and modal owners) take no clicks
            const HWND h = target->Handle;
            hit = static_cast<int>(SendMessage(h, WM_NCHITTEST, 0, PointToLParam(screen)));
            if (!FindWindowObject(h)) return false;
            if (e.type != platform::EventType::ButtonUp) {
                SendMessage(h, WM_SETCURSOR, h, MAKELPARAM(hit, message));
                if ((target = FindWindowObject(h)) == nullptr) return false;
            }
        }
        if (down) {
            const bool same = state.LastClickWindow == target->Handle && state.LastClickButton == message &&
                              now - state.LastClickTime <= kDoubleClickMs &&
                              std::abs(screen.X - state.LastClickPoint.X) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                              std::abs(screen.Y - state.LastClickPoint.Y) <= GetSystemMetrics(SM_CYDOUBLECLK);
            const bool isDouble = same && !state.LastWasDouble && (target->ClassStyle & CS_DBLCLKS);
            state.LastClickWindow = target->Handle;
            state.LastClickButton = message;
            state.LastClickTime = now;
            state.LastClickPoint = screen;
            state.LastWasDouble = isDouble;
            if (isDouble) message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        }
        msg.hwnd = target->Handle;
        if (hit == HTCLIENT) {
            TPoint client = screen;
            ScreenToClient(target->Handle, client);
            msg.message = message;
            msg.wParam = MouseKeys(e.shift);
            msg.lParam = PointToLParam(client);
            Input().LastMouseWindow = target->Handle;
        } else {
            msg.message = message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
            msg.wParam = static_cast<WPARAM>(hit);
            msg.lParam = PointToLParam(screen);
        }
        return true;
    }
    case platform::EventType::Wheel: {
        TWindowObject* target = KeyTarget(root);
        if (!target) return false;
        msg.hwnd = target->Handle;
        msg.message = WM_MOUSEWHEEL;
        msg.wParam = MAKEWPARAM(static_cast<int>(MouseKeys(e.shift)), e.wheelDelta);
        msg.lParam = PointToLParam({e.screenX, e.screenY});
        return true;
    }
    case platform::EventType::Enter:
        return false;
    case platform::EventType::Leave: {
        TInputQueue& in = Input();
        if (!in.LastMouseWindow || !FindWindowObject(in.LastMouseWindow)) return false;
        msg.hwnd = in.LastMouseWindow;
        msg.message = WM_MOUSELEAVE;
        in.LastMouseWindow = 0;
        return true;
    }
    case platform::EventType::Activate: {
        // Sent at once, as the activation happens: the focus leaves the other window first.
        const HWND h = root->Handle;
        if (TWindowObject* focus = FindWindowObject(state.Focus); focus && !InSubtree(focus, root)) {
            const HWND old = state.Focus;
            state.Focus = 0;
            SendMessage(old, WM_KILLFOCUS, 0);
        }
        state.Active = h;
        SendMessage(h, WM_ACTIVATE, WA_ACTIVE);
        return false;
    }
    case platform::EventType::Deactivate: {
        const HWND h = root->Handle;
        if (state.Active == h) state.Active = 0;
        SendMessage(h, WM_ACTIVATE, WA_INACTIVE);
        root = FindWindowObject(h);
        if (TWindowObject* focus = FindWindowObject(state.Focus); root && focus && InSubtree(focus, root)) {
            const HWND old = state.Focus;
            state.Focus = 0;
            SendMessage(old, WM_KILLFOCUS, 0);
        }
        return false;
    }
    case platform::EventType::CloseRequest:
        msg.hwnd = root->Handle;
        msg.message = WM_SYSCOMMAND;
        msg.wParam = SC_CLOSE;
        return true;
    case platform::EventType::SystemCommand:
        msg.hwnd = root->Handle;
        msg.message = WM_SYSCOMMAND;
        msg.wParam = e.command;
        return true;
    case platform::EventType::Expose:
        if (root->Native && root->NativeShown && root->Surface) {
            const TRect area = IntersectRect({e.rect.left, e.rect.top, e.rect.right, e.rect.bottom}, root->Surface.BoundsRect());
            if (!IsRectEmpty(area))
                Platform().Present(root->Native, root->Surface.Bits, root->Surface.Stride, root->Surface.Width,
                                   root->Surface.Height, {area.Left, area.Top, area.Right, area.Bottom});
        }
        return false;
    case platform::EventType::Moved:
        MoveFromPlatform(root, e.rect);
        return false;
    default:
        return false;
    }
}
}  // namespace

void PumpPlatformEvents()
{
    TInputQueue& in = Input();
    if (in.Ring.empty()) in.Ring.resize(kInputCapacity);
    platform::Event e;
    while (in.Count < kInputCapacity && Platform().PollEvent(e)) {
        in.Ring[(in.Head + in.Count) % kInputCapacity] = e;
        ++in.Count;
    }
}

bool NextInputMessage(TMsg& msg)
{
    TInputQueue& in = Input();
    while (in.Count) {
        const platform::Event e = in.Ring[in.Head];
        in.Head = (in.Head + 1) % kInputCapacity;
        --in.Count;
        if (Translate(e, msg)) return true;
    }
    return false;
}

bool HasInput()
{
    return Input().Count != 0;
}

void ForgetWindowInput(TWindowObject* w)
{
    TInputQueue& in = Input();
    if (in.LastMouseWindow == w->Handle) in.LastMouseWindow = 0;
    TWindowingState& state = Windowing();
    if (state.LastClickWindow == w->Handle) state.LastClickWindow = 0;
    if (state.PointerRoot == w->Handle) state.PointerRoot = 0;
}

// ---- Focus, capture, activation ---------------------------------------------

HWND SetFocus(HWND wnd)
{
    TWindowingState& state = Windowing();
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
    return Windowing().Focus;
}

HWND SetCapture(HWND wnd)
{
    TWindowingState& state = Windowing();
    const HWND old = state.Capture;
    if (!FindWindowObject(wnd)) return old;
    state.Capture = wnd;
    if (old && old != wnd) SendMessage(old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(wnd));
    return old;
}

bool ReleaseCapture()
{
    TWindowingState& state = Windowing();
    const HWND old = state.Capture;
    state.Capture = 0;
    if (old) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

HWND GetCapture()
{
    return Windowing().Capture;
}

HWND GetActiveWindow()
{
    return Windowing().Active;
}

HWND SetActiveWindow(HWND wnd)
{
    TWindowingState& state = Windowing();
    const HWND old = state.Active;
    TWindowObject* root = RootOf(FindWindowObject(wnd));
    if (root && root->Native) Platform().ActivateNativeWindow(root->Native);
    return old;
}

HWND GetForegroundWindow()
{
    return Windowing().Active;
}

bool SetForegroundWindow(HWND wnd)
{
    SetActiveWindow(wnd);
    return FindWindowObject(wnd) != nullptr;
}

HWND WindowFromPoint(TPoint screenPoint)
{
    const auto& roots = Windowing().Roots;
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

// ---- Cursors ----------------------------------------------------------------

namespace {
constexpr HCURSOR CursorOf(platform::PointerShape shape)
{
    return static_cast<HCURSOR>(shape) + 1;
}
}  // namespace

HCURSOR LoadCursor(HINSTANCE instance, uintptr_t id)
{
    if (instance != 0) return 0;
    using platform::PointerShape;
    switch (id) {
    case IDC_ARROW: return CursorOf(PointerShape::Arrow);
    case IDC_IBEAM: return CursorOf(PointerShape::IBeam);
    case IDC_WAIT: return CursorOf(PointerShape::Wait);
    case IDC_CROSS: return CursorOf(PointerShape::Cross);
    case IDC_UPARROW: return CursorOf(PointerShape::UpArrow);
    case IDC_SIZE:
    case IDC_SIZEALL: return CursorOf(PointerShape::SizeAll);
    case IDC_ICON: return CursorOf(PointerShape::Arrow);
    case IDC_SIZENWSE: return CursorOf(PointerShape::SizeNWSE);
    case IDC_SIZENESW: return CursorOf(PointerShape::SizeNESW);
    case IDC_SIZEWE: return CursorOf(PointerShape::SizeWE);
    case IDC_SIZENS: return CursorOf(PointerShape::SizeNS);
    case IDC_NO: return CursorOf(PointerShape::No);
    case IDC_HAND: return CursorOf(PointerShape::Hand);
    case IDC_APPSTARTING: return CursorOf(PointerShape::AppStarting);
    case IDC_HELP: return CursorOf(PointerShape::Help);
    default: return 0;
    }
}

HCURSOR LoadCursor(HINSTANCE instance, const char* name)
{
    // Cursor resources are shown as the standard pointer their name says.
    if (!name || !FindResource(name, "CURSOR")) return instance ? 0 : 0;
    const std::string n = name;
    return n.find("HAND") != std::string::npos ? CursorOf(platform::PointerShape::Hand)
                                               : CursorOf(platform::PointerShape::Arrow);
}

void ApplyPointerShape()
{
    TWindowingState& state = Windowing();
    TWindowObject* root = RootOf(FindWindowObject(state.Capture));
    if (!root) root = FindWindowObject(state.PointerRoot);
    if (!root || !root->Native) return;
    const platform::PointerShape shape =
        state.Cursor == 0 ? platform::PointerShape::None : static_cast<platform::PointerShape>(state.Cursor - 1);
    Platform().SetPointer(root->Native, shape);
}

void RefreshPointerShape()
{
    // What a move would ask for, without a move: a window that appears under a
    // still pointer, or a cursor that changes beneath it, shows its pointer at once.
    TWindowingState& state = Windowing();
    if (state.Capture) return;
    TPoint point;
    GetCursorPos(point);
    const HWND h = WindowFromPoint(point);
    TWindowObject* w = FindWindowObject(h);
    if (!w) return;
    state.PointerRoot = RootOf(w)->Handle;
    const LRESULT hit = SendMessage(h, WM_NCHITTEST, 0, PointToLParam(point));
    if (!FindWindowObject(h)) return;
    SendMessage(h, WM_SETCURSOR, h, MAKELPARAM(static_cast<int>(hit), WM_MOUSEMOVE));
}

HCURSOR SetCursor(HCURSOR cursor)
{
    TWindowingState& state = Windowing();
    const HCURSOR old = state.CursorSet ? state.Cursor : CursorOf(platform::PointerShape::Arrow);
    state.Cursor = cursor;
    state.CursorSet = true;
    ApplyPointerShape();
    return old;
}

HCURSOR GetCursor()
{
    TWindowingState& state = Windowing();
    return state.CursorSet ? state.Cursor : CursorOf(platform::PointerShape::Arrow);
}

bool GetCursorPos(TPoint& point)
{
    const platform::Point p = Platform().PointerPosition();
    point = {p.x, p.y};
    return true;
}

uint32_t CurrentShiftState()
{
    return Windowing().Shift;
}
