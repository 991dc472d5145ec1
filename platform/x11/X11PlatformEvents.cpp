// X events to the seam's events, and the main loop's wait.
#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11Keys.h"
#include "platform/x11/X11Platform.h"
#include "platform/x11/X11SeamNames.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cerrno>

#include <poll.h>

namespace platform {

namespace {
// The system command that closes a window.
constexpr uint32_t kScClose = 0xF060;
constexpr int kWheelNotch = 120;

uint32_t ButtonBit(MouseButton button)
{
    switch (button) {
    case MouseButton::Left: return SHIFT_STATE_LEFT;
    case MouseButton::Right: return SHIFT_STATE_RIGHT;
    case MouseButton::Middle: return SHIFT_STATE_MIDDLE;
    }
    return 0;
}

bool PointerButton(unsigned int xbutton, MouseButton& button)
{
    switch (xbutton) {
    case Button1: button = MouseButton::Left; return true;
    case Button2: button = MouseButton::Middle; return true;
    case Button3: button = MouseButton::Right; return true;
    default: return false;
    }
}
}  // namespace

void X11Platform::Push(const Event& event)
{
    FEvents.push_back(event);
}

bool X11Platform::PollEvent(Event& event)
{
    if (FEvents.empty()) Pump();
    if (FEvents.empty()) return false;
    event = FEvents.front();
    FEvents.pop_front();
    return true;
}

WaitResult X11Platform::WaitForEvents(uint32_t timeoutMs)
{
    const int64_t deadline = timeoutMs == kInfinite ? -1 : MonotonicMs() + timeoutMs;
    bool readable = false;
    for (;;) {
        Pump(readable);
        const bool woken = FWake.Drain(readable);
        if (!FEvents.empty() || woken) return WaitResult::Ready;
        int wait = -1;
        if (deadline >= 0) {
            const int64_t left = deadline - MonotonicMs();
            if (left <= 0) return WaitResult::Timeout;
            wait = static_cast<int>(std::min<int64_t>(left, 1 << 30));
        }
        XFlush(FDisplay);
        // A flush may read events while it waits to write: poll would not see those.
        if (XEventsQueued(FDisplay, QueuedAlready) > 0) continue;
        pollfd fds[3] = {{ConnectionNumber(FDisplay), POLLIN, 0}, {FWake.Fd(), POLLIN, 0}, {FSignals.ReadFd(), POLLIN, 0}};
        const int ready = poll(fds, FSignals.Valid() ? 3 : 2, wait);
        if (ready == 0) return WaitResult::Timeout;
        readable = true;
        if (ready < 0 && errno != EINTR) return WaitResult::Ready;  // let the caller look again
        // A hang-up of the connection is read as the loss it is, inside Pump.
    }
}

void X11Platform::Wake()
{
    FWake.Signal();
}

void X11Platform::Pump(bool readable)
{
    if (FSignals.Drain(readable) > 0) DeliverTerminationRequest();
    const int64_t now = MonotonicMs();
    const bool read = readable || now != FLastConnectionRead;
    if (read) FLastConnectionRead = now;
    // A broken connection ends in the connection-loss handler from here.
    int queued = XEventsQueued(FDisplay, read ? QueuedAfterFlush : QueuedAlready);
    for (; queued > 0; queued = XEventsQueued(FDisplay, QueuedAlready)) {
        XEvent event;
        XNextEvent(FDisplay, &event);
        Translate(event);
    }
}

void X11Platform::DeliverTerminationRequest()
{
    // The main form is the program's first window; until it exists the
    // request goes to no window, and the class library ends the program.
    const NativeWindow* main = nullptr;
    for (const auto& [xid, window] : FWindows) {
        if (window->destroyed || window->params.kind == WindowKind::PopupList) continue;
        if (!main || window->creationOrder < main->creationOrder) main = window.get();
    }
    Event e;
    e.type = EventType::SystemCommand;
    e.window = main ? main->xid : 0;
    e.command = kScClose;
    Push(e);
}

void X11Platform::Translate(XEvent& event)
{
    if (FCompletionEventType != 0 && event.type == FCompletionEventType) {
        const auto& completion = reinterpret_cast<const XShmCompletionEvent&>(event);
        for (auto& [xid, window] : FWindows)
            if (window->surface) window->surface->OnCompletion(completion);
        return;
    }
    if (event.type == MappingNotify) {
        XRefreshKeyboardMapping(&event.xmapping);
        return;
    }
    if (event.type == DestroyNotify) {
        TranslateDestroy(event.xdestroywindow);
        return;
    }
    NativeWindow* w = Find(event.xany.window);
    if (!w || w->destroyed) return;  // a window of someone else, or one we destroyed
    switch (event.type) {
    case KeyPress:
    case KeyRelease: TranslateKey(*w, event.xkey); break;
    case ButtonPress:
    case ButtonRelease: TranslateButton(*w, event.xbutton); break;
    case MotionNotify: TranslateMotion(*w, event.xmotion); break;
    case EnterNotify:
    case LeaveNotify: {
        const XCrossingEvent& crossing = event.xcrossing;
        // The pairs a grab produces are not the pointer coming or going.
        if (crossing.mode != NotifyNormal || w->moving) break;
        Event e;
        e.type = event.type == EnterNotify ? EventType::Enter : EventType::Leave;
        e.window = w->xid;
        e.x = crossing.x;
        e.y = crossing.y;
        e.screenX = crossing.x_root;
        e.screenY = crossing.y_root;
        e.shift = x11::ShiftStateOf(crossing.state);
        Push(e);
        break;
    }
    case FocusIn:
    case FocusOut: TranslateFocus(*w, event.xfocus); break;
    case Expose: TranslateExpose(*w, event.xexpose); break;
    case ConfigureNotify: TranslateConfigure(*w, event.xconfigure); break;
    case MapNotify:
        w->mapped = true;
        if (w->activateOnMap) {
            w->activateOnMap = false;
            FocusNow(*w);
        }
        break;
    case UnmapNotify: w->mapped = false; break;
    case ClientMessage: TranslateClientMessage(*w, event.xclient); break;
    default: break;
    }
}

void X11Platform::TranslateKey(NativeWindow& window, XKeyEvent& key)
{
    const x11::TranslatedKey translated = x11::TranslateKey(key);
    const unsigned code = key.keycode & 0xFF;
    Event e;
    e.window = window.xid;
    e.key = translated.key;
    e.shift = x11::ShiftStateOf(key.state);
    const uint32_t modifier = x11::ModifierBitOfKey(translated.key);
    if (key.type == KeyPress) {
        e.type = EventType::KeyDown;
        e.shift |= modifier;
        e.character = translated.character;
        e.repeat = FKeysDown.test(code);
        FKeysDown.set(code);
    } else {
        e.type = EventType::KeyUp;
        e.shift &= ~modifier;
        FKeysDown.reset(code);
    }
    if (e.key == 0 && e.character == 0) return;  // a key that means nothing here
    Push(e);
}

void X11Platform::TranslateButton(NativeWindow& window, const XButtonEvent& xbutton)
{
    if (window.moving) {
        if (xbutton.type == ButtonRelease && xbutton.button == Button1) EndInteractiveMove(window);
        return;  // the move owns the pointer until the button goes up
    }
    Event e;
    e.window = window.xid;
    e.x = xbutton.x;
    e.y = xbutton.y;
    e.screenX = xbutton.x_root;
    e.screenY = xbutton.y_root;
    e.shift = x11::ShiftStateOf(xbutton.state);
    if (xbutton.button == Button4 || xbutton.button == Button5) {
        // Each notch is a press and a release; the press is the turn.
        if (xbutton.type != ButtonPress) return;
        e.type = EventType::Wheel;
        e.wheelDelta = xbutton.button == Button4 ? kWheelNotch : -kWheelNotch;
        Push(e);
        return;
    }
    if (!PointerButton(xbutton.button, e.button)) return;  // sideways wheel, extra buttons
    if (xbutton.type == ButtonPress) {
        e.type = EventType::ButtonDown;
        e.shift |= ButtonBit(e.button);
    } else {
        e.type = EventType::ButtonUp;
        e.shift &= ~ButtonBit(e.button);
    }
    Push(e);
}

void X11Platform::TranslateMotion(NativeWindow& window, const XMotionEvent& motion)
{
    if (window.moving) {
        // Only the latest position matters to a moving window.
        XEvent later;
        int rootX = motion.x_root, rootY = motion.y_root;
        while (XCheckTypedWindowEvent(FDisplay, window.xid, MotionNotify, &later)) {
            rootX = later.xmotion.x_root;
            rootY = later.xmotion.y_root;
        }
        FollowPointer(window, rootX, rootY);
        return;
    }
    Event e;
    e.type = EventType::Motion;
    e.window = window.xid;
    e.x = motion.x;
    e.y = motion.y;
    e.screenX = motion.x_root;
    e.screenY = motion.y_root;
    e.shift = x11::ShiftStateOf(motion.state);
    Push(e);
}

void X11Platform::TranslateFocus(NativeWindow& window, const XFocusChangeEvent& focus)
{
    // Grabs move the focus only for their duration; the pointer and inferior
    // details are about other windows.
    if (focus.mode == NotifyGrab || focus.mode == NotifyUngrab) return;
    if (focus.detail == NotifyPointer || focus.detail == NotifyInferior) return;
    if (focus.type == FocusIn) {
        SetActive(window.xid);
    } else {
        // Keys released while another window had the keyboard never reach us.
        FKeysDown.reset();
        if (FActive == window.xid) SetActive(None);
    }
}

void X11Platform::SetActive(Window window)
{
    if (FActive == window) return;
    if (FActive != None) {
        Event e;
        e.type = EventType::Deactivate;
        e.window = FActive;
        Push(e);
    }
    FActive = window;
    if (window != None) {
        Event e;
        e.type = EventType::Activate;
        e.window = window;
        Push(e);
    }
}

void X11Platform::TranslateExpose(NativeWindow& window, const XExposeEvent& expose)
{
    const Rect area{expose.x, expose.y, expose.x + expose.width, expose.y + expose.height};
    if (window.surface && window.surface->Width() > 0) {
        // What was presented is still in the surface: show it again at once.
        // Where nothing was put the background shows, black, as it should.
        window.surface->PutShown(window.xid, FGC, area);
        return;
    }
    Event e;
    e.type = x11::kExposeEvent;
    e.window = window.xid;
    e.rect = area;
    Push(e);
}

void X11Platform::TranslateConfigure(NativeWindow& window, const XConfigureEvent& configure)
{
    // Configures the server made before our last move or resize request are
    // out of date; following them would undo that request for a moment.
    if (configure.serial < window.configureSerial) return;
    Rect r;
    if (IsManaged(window) && !configure.send_event) {
        // Inside a window manager's frame the event's position is relative
        // to the frame; ask for the position on the screen.
        int x = 0, y = 0;
        Window child = None;
        x11::X11ErrorTrap trap(FDisplay);
        if (!XTranslateCoordinates(FDisplay, window.xid, FRoot, 0, 0, &x, &y, &child) || trap.Failed()) return;
        r = {x, y, x + configure.width, y + configure.height};
    } else {
        r = {configure.x, configure.y, configure.x + configure.width, configure.y + configure.height};
    }
    if (r == window.params.bounds) return;
    window.params.bounds = r;
    Event e;
    e.type = EventType::Moved;
    e.window = window.xid;
    e.rect = r;
    Push(e);
}

void X11Platform::TranslateDestroy(const XDestroyWindowEvent& destroy)
{
    if (FWindows.count(destroy.window)) {
        // Gone with a foreign parent: later calls for it find nothing and do nothing.
        if (FActive == destroy.window) FActive = None;
        auto& window = FWindows.at(destroy.window);
        if (window->surface) FRetiredSurfaces[destroy.window] = std::move(window->surface);
        FWindows.erase(destroy.window);
        return;
    }
    if (FWatchedForeign.erase(destroy.window) == 0) return;
    for (auto& [xid, window] : FWindows) {
        if (window->params.kind != WindowKind::Child || window->params.parent != destroy.window) continue;
        window->destroyed = true;
        window->surface.reset();
    }
    Event e;
    e.type = EventType::ForeignDestroyed;
    e.foreign = destroy.window;
    Push(e);
}

void X11Platform::TranslateClientMessage(NativeWindow& window, const XClientMessageEvent& message)
{
    if (message.message_type != FAtoms.WM_PROTOCOLS || message.format != 32) return;
    const Atom protocol = static_cast<Atom>(message.data.l[0]);
    if (protocol == FAtoms.WM_DELETE_WINDOW) {
        Event e;
        e.type = EventType::CloseRequest;
        e.window = window.xid;
        Push(e);
    } else if (protocol == FAtoms._NET_WM_PING) {
        // Answer, so the window manager does not offer to kill a busy-looking program.
        XEvent reply{};
        reply.xclient = message;
        reply.xclient.window = FRoot;
        XSendEvent(FDisplay, FRoot, False, SubstructureRedirectMask | SubstructureNotifyMask, &reply);
    }
}

}  // namespace platform
