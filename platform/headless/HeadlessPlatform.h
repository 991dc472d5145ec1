// The in-memory backend: a screen of a chosen size, fake clocks, foreign
// windows and input that the test makes, and every presented frame kept as
// pixels. Deterministic: time passes only when every thread of the program is
// waiting, and then jumps to the earliest deadline, so a test runs a minute of
// the clock in milliseconds and a worker's timed wait ends at an exact instant.
//
// Threads count as "of the program" when they are the thread that created the
// backend (the main thread) or were started through StartThread. Other threads
// may signal events, Wake() and inject input, but time does not wait for them.
#pragma once

#include "platform/Platform.h"

#include <climits>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace platform {

class HeadlessPlatform final : public IPlatform {
public:
    // The default wall clock: Thursday 26 April 2012, 12:00:00.000 UTC, local time = UTC.
    static constexpr int64_t kDefaultWallClockMs = 1335441600000;

    HeadlessPlatform();
    ~HeadlessPlatform() override;
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    // ---- What the test chooses ---------------------------------------------
    // Also resets the work area to the whole screen.
    void SetScreenSize(int width, int height);
    void SetWorkArea(const Rect& area);
    // Sets the wall clock (the monotonic clock is not touched).
    void SetWallClock(int64_t wallClockMs);
    // Sets the wall clock so that the local time reads this (milliseconds 0).
    void SetLocalTime(int year, int month, int day, int hour, int minute, int second, int millisecond = 0);
    // Local time = UTC + offset.
    void SetUtcOffsetMinutes(int minutes);
    // Moves both clocks forward, ending the waits whose deadline passes.
    void AdvanceClock(uint32_t ms);
    void SetPointerPosition(Point screenPoint);

    void CreateForeignWindow(ForeignId id, const Rect& screenRect);
    // Destroys it and every window of ours inside it, and tells the program
    // (ForeignDestroyed event).
    void DestroyForeignWindow(ForeignId id);

    // ---- Input (coordinates relative to the window's drawn area) -----------
    void InjectKeyDown(WindowId window, uint16_t key, uint32_t shift = 0, uint32_t character = 0, bool repeat = false);
    void InjectKeyUp(WindowId window, uint16_t key, uint32_t shift = 0);
    // A key press and release; character defaults to the key's letter or digit.
    void InjectKeyPress(WindowId window, uint16_t key, uint32_t shift = 0);
    void InjectButtonDown(WindowId window, int x, int y, MouseButton button = MouseButton::Left, uint32_t shift = 0);
    void InjectButtonUp(WindowId window, int x, int y, MouseButton button = MouseButton::Left, uint32_t shift = 0);
    void InjectClick(WindowId window, int x, int y, MouseButton button = MouseButton::Left);
    void InjectWheel(WindowId window, int x, int y, int delta, uint32_t shift = 0);
    void InjectMotion(WindowId window, int x, int y, uint32_t shift = 0);
    void InjectLeave(WindowId window);
    // Activates window (0: none) and deactivates the one active before.
    void InjectActivation(WindowId window);
    void InjectSystemCommand(WindowId window, uint32_t command);
    void InjectCloseRequest(WindowId window);
    void InjectExpose(WindowId window, const Rect& area);
    // Any event, as it is.
    void InjectEvent(const Event& event);

    // ---- What the program did ----------------------------------------------
    struct WindowState {
        WindowId id = 0;
        WindowParams params;  // as created; bounds, caption and decorations kept current
        bool visible = false;
        bool destroyed = false;
        std::vector<Rect> region;  // empty: the plain rectangle
        PointerShape pointer = PointerShape::Arrow;
        int presentCount = 0;
        int64_t presentedPixels = 0;  // sum of the presented areas
        std::vector<uint32_t> pixels;  // what has been presented, width x height
        bool isMessageBox = false;
        bool moving = false;  // an interactive move is in progress
        Point moveGrab;       // pointer offset within the window at the start of the move
    };
    struct MessageBoxRecord {
        WindowId window = 0;
        std::string caption;
        std::string text;
        // The box's first presented frame.
        int width = 0;
        int height = 0;
        std::vector<uint32_t> pixels;
    };
    struct ScreenImage {
        int width = 0;
        int height = 0;
        std::vector<uint32_t> pixels;
        uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    };

    // Every window ever created, in creation order (destroyed ones marked).
    std::vector<WindowId> Windows() const;
    // Live windows, in creation order.
    std::vector<WindowId> LiveWindows() const;
    const WindowState* Window(WindowId window) const;
    WindowId ActiveWindow() const { return FActive; }
    // The last window shown that is still visible, or 0.
    WindowId TopWindow() const;
    // The presented pixel at (x, y) of the window; 0xFFFFFFFF outside it.
    uint32_t WindowPixel(WindowId window, int x, int y) const;
    // The screen: black, foreign windows in dark grey (0x404040), our visible
    // windows composed over them in stacking order, clipped to their regions.
    ScreenImage ComposeScreen() const;
    // Sums over all windows since the last ResetPresentStatistics.
    int PresentCount() const { return FPresentCount; }
    int64_t PresentedPixels() const { return FPresentedPixels; }
    void ResetPresentStatistics();

    const std::vector<MessageBoxRecord>& MessageBoxes() const { return FMessageBoxes; }
    // When on (the default), a message box is answered with the Return key
    // right after its first frame has been presented.
    void SetAutoDismissMessageBoxes(bool on) { FAutoDismiss = on; }

    const std::vector<std::string>& ShellOpened() const { return FShellOpened; }
    const std::vector<std::string>& CommandsRun() const { return FCommandsRun; }
    // What ShellOpen and RunCommand answer (default: success).
    void SetShellOpenSucceeds(bool ok) { FShellOpenSucceeds = ok; }
    void SetRunCommandSucceeds(bool ok) { FRunCommandSucceeds = ok; }

    // How often WaitForEvents found that nothing could ever arrive.
    int StallCount() const;
    int PendingEventCount() const;
    // The priority last given to each thread, in start order.
    std::vector<ThreadPriority> ThreadPriorities() const;

    // ---- IPlatform ----------------------------------------------------------
    const char* Name() const override { return "headless"; }
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
    friend class HeadlessEvent;
    friend class HeadlessThread;
    // A thread blocked in one of our waits, until a signal or its deadline.
    struct Waiter {
        int64_t deadline = INT64_MAX;
        bool counted = false;
        bool woken = false;
        WaitResult result = WaitResult::Timeout;
        std::condition_variable wakeUp;
    };

    WindowState* Find(WindowId window);
    const WindowState* Find(WindowId window) const;
    void Raise(WindowId window);
    void Push(const Event& event);
    void MoveWithPointer(WindowState& window, const Event& motion);
    Rect ScreenRectOf(const WindowState& window) const;

    // Fake time. All of it under FMutex.
    bool IsCounted() const;
    void Block(std::unique_lock<std::mutex>& lock, Waiter& waiter);
    void WakeWaiter(Waiter& waiter, WaitResult result);
    void StopRunning(std::unique_lock<std::mutex>& lock);
    void AdvanceTo(int64_t now);
    void AdvanceWhenIdle();

    mutable std::mutex FMutex;
    std::thread::id FMainThread;
    int FRunning = 1;  // threads of the program that are not waiting
    int64_t FNow = 0;
    int64_t FWallAtZero = kDefaultWallClockMs;
    int FUtcOffsetMinutes = 0;
    std::vector<Waiter*> FWaiters;
    Waiter* FMainWaiter = nullptr;
    bool FWakePending = false;
    int FStallCount = 0;
    std::deque<Event> FEvents;
    std::vector<ThreadPriority> FPriorities;

    int FScreenWidth = 1920;
    int FScreenHeight = 1080;
    Rect FWorkArea{0, 0, 1920, 1080};
    Point FPointer;
    std::map<WindowId, WindowState> FWindows;
    std::vector<WindowId> FStacking;  // bottom to top
    WindowId FNextWindow = 1;
    WindowId FActive = 0;
    std::map<ForeignId, Rect> FForeign;
    int FPresentCount = 0;
    int64_t FPresentedPixels = 0;
    std::vector<MessageBoxRecord> FMessageBoxes;
    bool FAutoDismiss = true;
    std::vector<std::string> FShellOpened;
    std::vector<std::string> FCommandsRun;
    bool FShellOpenSucceeds = true;
    bool FRunCommandSucceeds = true;
};

}  // namespace platform
