// The operating-system seam: everything the class library needs from the
// platform, behind one abstract interface. Backends implement it:
// platform/headless (in memory, deterministic, for tests) and platform/x11.
//
// Plain types only: nothing here knows the class library. Coordinates are
// integer pixels, x right and y down; a rectangle covers left..right-1 and
// top..bottom-1. Pixels are 32-bit 0x00RRGGBB values.
//
// Threading: every window, event-retrieval and present call comes from the
// main thread. Wake(), WallClockMs(), MonotonicMs(), LocalTimeOf(),
// CreateEvent() and the IEvent/IThread objects may be used from any thread.
#pragma once

#include "platform/KeyCodes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform {

// A native top-level window of this program; 0 is "none".
using WindowId = uint64_t;
// A window of another program, known only by its number (e.g. a preview box).
using ForeignId = uint64_t;

constexpr uint32_t kInfinite = 0xFFFFFFFFu;

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool empty() const { return right <= left || bottom <= top; }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct ScreenMetrics {
    int width = 0;
    int height = 0;
    Rect workArea;  // the screen minus panels and docks
};

// A failure the platform reports: its error number and its text.
struct Error {
    int code = 0;
    std::string text;
};

// Error numbers the backends use (the familiar values, so messages read as expected).
constexpr int kErrorInvalidWindowHandle = 1400;  // "Invalid window handle."
constexpr int kErrorFileNotFound = 2;            // "The system cannot find the file specified."
constexpr int kErrorNoAssociation = 1155;        // "No application is associated with the specified file for this operation."
constexpr int kErrorNotEnoughMemory = 8;         // "Not enough memory resources are available to process this command."

enum class WindowKind : uint8_t {
    Popup,      // undecorated top-level window, e.g. the saver covering the screen
    Normal,     // ordinary top-level window; decorated when `decorated` is set
    Child,      // embedded in a foreign window (`parent`), positioned in its client area
    PopupList,  // a pop-up list or box that the window manager leaves alone (drop-down lists)
};

struct WindowParams {
    WindowKind kind = WindowKind::Normal;
    // The area the program draws: screen coordinates, or the foreign parent's
    // client coordinates for a Child. Platform decorations lie outside it.
    Rect bounds;
    ForeignId parent = 0;  // Child only
    WindowId owner = 0;    // kept above this window (dialogs, pop-up lists); 0 for none
    std::string caption;
    bool decorated = false;
    bool topmost = false;
};

enum class PointerShape : uint8_t {
    Arrow, None, Cross, IBeam, Hand, Wait, AppStarting, SizeAll, SizeNS, SizeWE, SizeNWSE, SizeNESW, No, Help, UpArrow,
};

enum class MouseButton : uint8_t { Left, Right, Middle };

enum class EventType : uint8_t {
    KeyDown,           // key, shift, character (the typed code point, 0 if none), repeat
    KeyUp,             // key, shift
    ButtonDown,        // button, x, y, screenX, screenY, shift
    ButtonUp,          // button, x, y, screenX, screenY, shift
    Wheel,             // wheelDelta (120 per notch, positive away from the user), x, y, shift
    Motion,            // x, y, screenX, screenY, shift
    Enter,             // the pointer entered the window (x, y)
    Leave,             // the pointer left the window
    Activate,          // the window became the active one (keyboard focus)
    Deactivate,        // the window lost the activation
    CloseRequest,      // the user asked to close the window (title bar button, window manager)
    SystemCommand,     // command (a system command number such as 0xF140)
    Expose,            // rect (window coordinates) must be presented again
    Moved,             // rect: the window's new drawn area on the screen (moved or resized by the platform)
    ForeignDestroyed,  // foreign: a foreign window went away (our windows inside it are already gone)
};

struct Event {
    EventType type = EventType::Motion;
    WindowId window = 0;
    int x = 0;  // pointer position relative to the window's drawn area
    int y = 0;
    int screenX = 0;
    int screenY = 0;
    uint32_t shift = 0;  // SHIFT_STATE_* bits
    uint16_t key = 0;    // VK_* code
    uint32_t character = 0;
    bool repeat = false;
    MouseButton button = MouseButton::Left;
    int wheelDelta = 0;
    uint32_t command = 0;
    Rect rect;
    ForeignId foreign = 0;
};

// The local date and time of a wall-clock instant.
struct LocalTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int dayOfWeek = 4;  // 0 = Sunday .. 6 = Saturday
};

enum class WaitResult : uint8_t {
    Ready,    // events are pending, or Wake() was called
    Timeout,  // the time-out passed
    Stalled,  // nothing can ever arrive (headless: no input, no deadline, every thread waiting)
};

enum class ThreadPriority : uint8_t { Idle, Lowest, Lower, Normal, Higher, Highest, TimeCritical };

// A waitable event, auto-reset (one Wait consumes the signal) or manual-reset.
class IEvent {
public:
    virtual ~IEvent() = default;
    virtual void Set() = 0;
    virtual void Reset() = 0;
    // True when signalled, false when the time-out (milliseconds, or kInfinite) passed.
    virtual bool Wait(uint32_t timeoutMs) = 0;
};

// A running thread started by the platform.
class IThread {
public:
    virtual ~IThread() = default;  // joins when still joinable
    virtual void Join() = 0;
    virtual void SetPriority(ThreadPriority priority) = 0;
};

class IPlatform {
public:
    virtual ~IPlatform() = default;
    virtual const char* Name() const = 0;

    // ---- Screen -------------------------------------------------------------
    virtual ScreenMetrics Screen() = 0;
    // The pointer position in screen coordinates.
    virtual Point PointerPosition() = 0;

    // ---- Native windows (main thread) ---------------------------------------
    // Creates a hidden window; 0 with *error filled when it cannot (e.g. a Child
    // of a foreign window that does not exist: kErrorInvalidWindowHandle).
    virtual WindowId CreateNativeWindow(const WindowParams& params, Error* error) = 0;
    virtual void DestroyNativeWindow(WindowId window) = 0;
    // A window shows black when it is shown, until something is presented:
    // the class library then sends only what is not black.
    virtual void ShowNativeWindow(WindowId window, bool visible) = 0;
    // Gives the window the activation and keyboard focus, raising it.
    virtual void ActivateNativeWindow(WindowId window) = 0;
    // The drawn area, in the same coordinates as WindowParams::bounds.
    virtual void SetNativeBounds(WindowId window, const Rect& bounds) = 0;
    virtual void SetNativeCaption(WindowId window, const std::string& caption) = 0;
    virtual void SetNativeDecorations(WindowId window, bool decorated) = 0;
    // The visible shape as a union of rectangles in window coordinates;
    // count 0 restores the plain rectangle.
    virtual void SetNativeRegion(WindowId window, const Rect* rects, int count) = 0;
    virtual void SetPointer(WindowId window, PointerShape shape) = 0;
    // Starts the platform's interactive move of the window, following the
    // pointer (pressed at screenPoint) until the button is released.
    virtual void BeginInteractiveMove(WindowId window, Point screenPoint) = 0;
    // A buffer of width x height pixels kept by the window itself, which
    // Present then shows without a copy; nullptr when the backend has none.
    // It holds zeros when new and stays valid until the window is destroyed or
    // asked for another size.
    virtual uint32_t* BackBuffer(WindowId, int /*width*/, int /*height*/, int* /*stride*/) { return nullptr; }
    // Shows `area` of the window's pixels: `pixels` is the window's whole
    // buffer of width x height pixels, rows `stride` pixels apart.
    virtual void Present(WindowId window, const uint32_t* pixels, int stride, int width, int height,
                         const Rect& area) = 0;
    // The class library shows its standard message box in `window`; backends
    // may record it (headless keeps every one for the tests).
    virtual void NoteMessageBox(WindowId window, const std::string& caption, const std::string& text) = 0;

    // ---- Foreign windows ----------------------------------------------------
    virtual bool ForeignWindowExists(ForeignId window) = 0;
    // The outer rectangle in screen coordinates; false when there is no such window.
    virtual bool GetForeignWindowRect(ForeignId window, Rect& rect) = 0;

    // ---- Events (main thread, except Wake) ---------------------------------
    virtual bool PollEvent(Event& event) = 0;
    // Waits until an event is pending, Wake() is called or the time-out passes.
    virtual WaitResult WaitForEvents(uint32_t timeoutMs) = 0;
    // Ends the current or the next WaitForEvents at once. Any thread.
    virtual void Wake() = 0;

    // ---- Time (any thread) --------------------------------------------------
    // Milliseconds since 1 January 1970 UTC.
    virtual int64_t WallClockMs() = 0;
    virtual LocalTime LocalTimeOf(int64_t wallClockMs) = 0;
    // Milliseconds of a clock that never jumps; timers run on it.
    virtual int64_t MonotonicMs() = 0;
    virtual void Sleep(uint32_t ms) = 0;

    // ---- Threads and events (any thread) ------------------------------------
    virtual std::unique_ptr<IEvent> CreateEvent(bool manualReset, bool initiallySignalled) = 0;
    // Runs body on a new thread at once.
    virtual std::unique_ptr<IThread> StartThread(std::function<void()> body) = 0;

    // ---- Shell --------------------------------------------------------------
    // Opens a file or an address with the desktop's default application.
    virtual bool ShellOpen(const std::string& target, Error* error) = 0;
    // Runs a command line without waiting for it.
    virtual bool RunCommand(const std::string& commandLine, Error* error) = 0;
};

// The platform in use; there is none until a program installs its backend,
// and a call before that ends the process with a message. Not owned; set it on
// the main thread before any window exists. SetPlatform returns the one before.
IPlatform& GetPlatform();
IPlatform* SetPlatform(IPlatform* platform);

}  // namespace platform
