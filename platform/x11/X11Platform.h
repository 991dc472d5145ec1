// The X11 backend: Xlib windows, input and presenting on a real display (a
// desktop, or Xvfb in the tests).
//
// Window ids are the X window ids. Each window keeps its presented pixels in
// an X11Surface; Present copies the changed rectangle into it and sends just
// that rectangle. The main loop's wait covers the X connection, a wake-up
// descriptor for other threads and the termination-signal pipe together.
//
// Main thread only, apart from Wake(), the clocks, events and threads.
#pragma once

#include "platform/Platform.h"
#include "platform/x11/SignalPipe.h"
#include "platform/x11/WakeChannel.h"
#include "platform/x11/X11Atoms.h"
#include "platform/x11/X11Cursors.h"
#include "platform/x11/X11SeamNames.h"
#include "platform/x11/X11Surface.h"

#include <X11/Xlib.h>

#include <array>
#include <bitset>
#include <deque>
#include <memory>
#include <unordered_map>
#include <thread>
#include <unordered_set>

namespace platform {

struct X11Options {
    // Present through shared memory where the server allows it.
    bool sharedMemory = true;
};

class X11Platform final : public IPlatform {
public:
    // Connects to `displayName` (null: $DISPLAY); null when that fails.
    static std::unique_ptr<X11Platform> Open(const char* displayName = nullptr, X11Options options = {});
    ~X11Platform() override;
    X11Platform(const X11Platform&) = delete;
    X11Platform& operator=(const X11Platform&) = delete;

    Display* NativeDisplay() const { return FDisplay; }
    // Whether the window's pixels currently travel through shared memory.
    bool PresentsThroughSharedMemory(WindowId window) const;
    // The window's presenting image as a width x height buffer of 0x00RRGGBB
    // pixels, rows *stride pixels apart, to draw into directly: Present with
    // these pixels sends them without copying. Null when the server's pixel
    // format differs (the caller keeps its own buffer then). A new size
    // gives a new, black buffer; the old one is gone.
    uint32_t* BackBuffer(WindowId window, int width, int height, int* stride) override;

    // ---- IPlatform ----------------------------------------------------------
    const char* Name() const override { return "x11"; }
    ScreenMetrics Screen() override;
    Point PointerPosition() override;
    WindowId CreateNativeWindow(const WindowParams& params, Error* error) override;
    void DestroyNativeWindow(WindowId window) override;
    void ShowNativeWindow(WindowId window, bool visible) override;
    void ActivateNativeWindow(WindowId window) override;
    void SetNativeBounds(WindowId window, const Rect& bounds) override;
    void SetNativeCaption(WindowId window, const std::string& caption) override;
    void SetNativeDecorations(WindowId window, bool decorated) override;
    void SetNativeRegion(WindowId window, const Rect* rects, int count) override;
    void SetPointer(WindowId window, PointerShape shape) override;
    void BeginInteractiveMove(WindowId window, Point screenPoint) override;
    void Present(WindowId window, const uint32_t* pixels, int stride, int width, int height,
                 const Rect& area) override;
    void NoteMessageBox(WindowId window, const std::string& caption, const std::string& text) override;
    bool ForeignWindowExists(ForeignId window) override;
    bool GetForeignWindowRect(ForeignId window, Rect& rect) override;
    bool PollEvent(Event& event) override;
    WaitResult WaitForEvents(uint32_t timeoutMs) override;
    void Wake() override;
    int64_t WallClockMs() override;
    LocalTime LocalTimeOf(int64_t wallClockMs) override;
    int64_t MonotonicMs() override;
    void Sleep(uint32_t ms) override;
    std::unique_ptr<IEvent> CreateEvent(bool manualReset, bool initiallySignalled) override;
    std::unique_ptr<IThread> StartThread(std::function<void()> body) override;
    bool ShellOpen(const std::string& target, Error* error) override;
    bool RunCommand(const std::string& commandLine, Error* error) override;

private:
    struct NativeWindow {
        Window xid = None;
        WindowParams params;  // bounds kept current
        uint64_t creationOrder = 0;
        bool overrideRedirect = false;  // left alone by the window manager
        bool shown = false;
        bool mapped = false;
        bool destroyed = false;  // by the server, with a foreign parent
        bool activateOnMap = false;
        PointerShape pointer = PointerShape::Arrow;
        unsigned long configureSerial = 0;  // our last move or resize request
        std::unique_ptr<x11::X11Surface> surface;
        bool moving = false;  // following the pointer for an interactive move
        Point moveGrab;       // pointer offset inside the window when the move began
    };

    X11Platform(Display* display, X11Options options);
    NativeWindow* Find(WindowId window);
    const NativeWindow* Find(WindowId window) const;
    bool IsManaged(const NativeWindow& window) const;
    bool CoversPrimaryScreen(const Rect& bounds);
    x11::X11Surface* SurfaceOf(NativeWindow& window, int width, int height);
    void FocusNow(NativeWindow& window);
    void Push(const Event& event);

    // Event translation (X11PlatformEvents.cpp).
    // Takes the events that arrived. The connection and the signal pipe are
    // read when readable says poll found them so, or once a millisecond at
    // most otherwise: most reads find nothing, and each is a system call.
    void Pump(bool readable = false);
    int64_t FLastConnectionRead = -1;
    void Translate(XEvent& event);
    void TranslateKey(NativeWindow& window, XKeyEvent& key);
    void TranslateButton(NativeWindow& window, const XButtonEvent& button);
    void TranslateMotion(NativeWindow& window, const XMotionEvent& motion);
    void TranslateFocus(NativeWindow& window, const XFocusChangeEvent& focus);
    void TranslateConfigure(NativeWindow& window, const XConfigureEvent& configure);
    void TranslateExpose(NativeWindow& window, const XExposeEvent& expose);
    void TranslateDestroy(const XDestroyWindowEvent& destroy);
    void TranslateClientMessage(NativeWindow& window, const XClientMessageEvent& message);
    void FollowPointer(NativeWindow& window, int rootX, int rootY);
    void EndInteractiveMove(NativeWindow& window);
    void DeliverTerminationRequest();
    void SetActive(Window window);

    Display* FDisplay;
    // The thread that talks to the display; Xlib is used from no other.
    std::thread::id FDisplayThread = std::this_thread::get_id();
    X11Options FOptions;
    int FScreen = 0;
    Window FRoot = None;
    Visual* FVisual = nullptr;
    int FDepth = 0;
    GC FGC = nullptr;
    bool FShapeExtension = false;
    bool FSharedMemory = false;
    int FCompletionEventType = 0;
    x11::X11Atoms FAtoms;
    std::unique_ptr<x11::X11Cursors> FCursors;  // freed before the connection closes
    x11::WakeChannel FWake;
    x11::SignalPipe FSignals;

    std::unordered_map<Window, std::unique_ptr<NativeWindow>> FWindows;
    // Pixels of windows the server destroyed with a foreign parent: the
    // program may still hold them until it destroys the window itself.
    std::unordered_map<Window, std::unique_ptr<x11::X11Surface>> FRetiredSurfaces;
    std::unordered_set<Window> FWatchedForeign;  // foreign parents whose destruction we follow
    uint64_t FNextCreationOrder = 1;
    Window FActive = None;
    std::deque<Event> FEvents;
    std::bitset<256> FKeysDown;  // by key code: a press of a held key is a repeat
};

}  // namespace platform
