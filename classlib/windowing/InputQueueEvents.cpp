// The platform's events as window messages, one translation per kind of
// event: keys to the focus, mouse to the window under the pointer or holding
// the capture, activation and exposure handled as they arrive.
#include "classlib/windowing/MessageQueue.h"
#include "classlib/windowing/private/InputQueue.h"
#include "classlib/windowing/private/PaintCycle.h"
#include "classlib/windowing/private/Presentation.h"
#include "classlib/windowing/private/WindowFrame.h"
#include "classlib/windowing/private/WindowObject.h"
#include "classlib/windowing/SystemMetrics.h"
#include "classlib/windowing/WindowGeometry.h"
#include "classlib/windowing/WindowTimers.h"
#include "classlib/windowing/WindowTree.h"

#include <cstdlib>
#include <vector>

namespace {
constexpr int64_t kDoubleClickMs = 500;

using platform::EventType;

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
    TWindowObject* focus = FindWindowObject(InputState().Focus);
    TWindowObject* target = focus && InSubtree(focus, root) ? focus : root;
    for (TWindowObject* c = target; c; c = c->Parent)
        if (!c->Enabled()) return nullptr;
    return target;
}

// Input events update the pointer and the keys held before they are translated.
void RecordInputState(const platform::Event& e, TWindowObject* root)
{
    TInputState& state = InputState();
    switch (e.type) {
    case EventType::ButtonDown:
    case EventType::ButtonUp:
    case EventType::Motion:
    case EventType::Wheel:
    case EventType::Enter:
        state.Pointer = {e.screenX, e.screenY};
        state.PointerRoot = root->Handle;
        state.Shift = e.shift;
        break;
    case EventType::KeyDown:
    case EventType::KeyUp: state.Shift = e.shift; break;
    default: break;
    }
}

// Our windows inside a foreign window that went away went with it.
void ForeignWindowDestroyed(const platform::Event& e)
{
    for (TWindowObject* r : std::vector<TWindowObject*>(WindowTable().Roots)) {
        if (r->ForeignParent != e.foreign) continue;
        r->Native = 0;  // the platform took it down with its parent
        r->NativeShown = false;
        DestroyWindow(r->Handle);
    }
}

bool TranslateKey(const platform::Event& e, TWindowObject* root, TMsg& msg)
{
    TWindowObject* target = KeyTarget(root);
    if (!target) return false;
    const bool alt = (e.shift & SHIFT_STATE_ALT) != 0 && e.key != VK_MENU;
    const bool down = e.type == EventType::KeyDown;
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

// A press of the same button on the same window, soon and near enough after
// the last one, is a double click (once: a third press starts afresh).
UINT WithDoubleClick(TWindowObject* target, UINT message, TPoint screen, int64_t now)
{
    TInputState& state = InputState();
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
    return isDouble ? message + WM_LBUTTONDBLCLK - WM_LBUTTONDOWN : message;
}

bool TranslateMouse(const platform::Event& e, TWindowObject* root, int64_t now, TMsg& msg)
{
    TInputState& state = InputState();
    const bool down = e.type == EventType::ButtonDown;
    UINT message = e.type == EventType::Motion ? WM_MOUSEMOVE : ButtonMessage(e.button, down);
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
        if (e.type != EventType::ButtonUp) {
            SendMessage(h, WM_SETCURSOR, h, MAKELPARAM(hit, message));
            if ((target = FindWindowObject(h)) == nullptr) return false;
        }
    }
    if (down) message = WithDoubleClick(target, message, screen, now);
    msg.hwnd = target->Handle;
    if (hit == HTCLIENT) {
        TPoint client = screen;
        ScreenToClient(target->Handle, client);
        msg.message = message;
        msg.wParam = MouseKeys(e.shift);
        msg.lParam = PointToLParam(client);
        state.LastMouseWindow = target->Handle;
    } else {
        msg.message = message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        msg.wParam = static_cast<WPARAM>(hit);
        msg.lParam = PointToLParam(screen);
    }
    return true;
}

bool TranslateWheel(const platform::Event& e, TWindowObject* root, TMsg& msg)
{
    TWindowObject* target = KeyTarget(root);
    if (!target) return false;
    msg.hwnd = target->Handle;
    msg.message = WM_MOUSEWHEEL;
    msg.wParam = MAKEWPARAM(static_cast<int>(MouseKeys(e.shift)), e.wheelDelta);
    msg.lParam = PointToLParam({e.screenX, e.screenY});
    return true;
}

bool TranslateLeave(TMsg& msg)
{
    TInputState& state = InputState();
    if (!state.LastMouseWindow || !FindWindowObject(state.LastMouseWindow)) return false;
    msg.hwnd = state.LastMouseWindow;
    msg.message = WM_MOUSELEAVE;
    state.LastMouseWindow = 0;
    return true;
}

// The focus leaves a window of another tree (or, deactivated, of this one).
void TakeFocusAway(TWindowObject* root, bool fromInside)
{
    TInputState& state = InputState();
    TWindowObject* focus = FindWindowObject(state.Focus);
    if (!focus || InSubtree(focus, root) != fromInside) return;
    const HWND old = state.Focus;
    state.Focus = 0;
    SendMessage(old, WM_KILLFOCUS, 0);
}

// Sent at once, as the activation happens: the focus leaves the other window first.
void Activated(TWindowObject* root)
{
    const HWND h = root->Handle;
    TakeFocusAway(root, false);
    InputState().Active = h;
    SendMessage(h, WM_ACTIVATE, WA_ACTIVE);
}

void Deactivated(TWindowObject* root)
{
    const HWND h = root->Handle;
    TInputState& state = InputState();
    if (state.Active == h) state.Active = 0;
    SendMessage(h, WM_ACTIVATE, WA_INACTIVE);
    if ((root = FindWindowObject(h)) != nullptr) TakeFocusAway(root, true);
}

bool TranslateSystemCommand(TWindowObject* root, uint32_t command, TMsg& msg)
{
    msg.hwnd = root->Handle;
    msg.message = WM_SYSCOMMAND;
    msg.wParam = command;
    return true;
}

// The platform lost what it showed of the window: the buffer is sent again as it is.
void Exposed(TWindowObject* root, const platform::Rect& rect)
{
    const TPixelSurface& surface = SurfaceOf(root);
    if (!root->Native || !root->NativeShown || !surface) return;
    const TRect area = IntersectRect({rect.left, rect.top, rect.right, rect.bottom}, surface.BoundsRect());
    if (!IsRectEmpty(area)) PresentArea(root, area);
}

// The platform moved or resized the window (the user, a window manager).
void MovedByPlatform(TWindowObject* root, const platform::Rect& rect)
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
}  // namespace

bool TranslateEvent(const platform::Event& e, TMsg& msg)
{
    const int64_t now = MonotonicMilliseconds();
    msg = TMsg{};
    msg.time = static_cast<DWORD>(now);
    if (e.type == EventType::ForeignDestroyed) {
        ForeignWindowDestroyed(e);
        return false;
    }
    TWindowObject* root = RootOfNative(e.window);
    if (!root || root->Destroying) return false;
    RecordInputState(e, root);
    msg.pt = InputState().Pointer;
    switch (e.type) {
    case EventType::KeyDown:
    case EventType::KeyUp: return TranslateKey(e, root, msg);
    case EventType::ButtonDown:
    case EventType::ButtonUp:
    case EventType::Motion: return TranslateMouse(e, root, now, msg);
    case EventType::Wheel: return TranslateWheel(e, root, msg);
    case EventType::Leave: return TranslateLeave(msg);
    case EventType::Activate: Activated(root); return false;
    case EventType::Deactivate: Deactivated(root); return false;
    case EventType::CloseRequest: return TranslateSystemCommand(root, SC_CLOSE, msg);
    case EventType::SystemCommand: return TranslateSystemCommand(root, e.command, msg);
    case EventType::Expose: Exposed(root, e.rect); return false;
    case EventType::Moved: MovedByPlatform(root, e.rect); return false;
    case EventType::Enter:
    case EventType::ForeignDestroyed: return false;
    }
    return false;
}
