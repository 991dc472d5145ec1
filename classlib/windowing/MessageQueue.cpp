// The message queue: sent and posted messages, the loop's retrieval order,
// dispatching, waiting, and WM_TIMER timers on the monotonic clock.
#include "classlib/windowing/WindowObject.h"

#include <algorithm>
#include <mutex>
#include <thread>

namespace {
// Posted messages: a fixed ring shared with other threads.
constexpr size_t kQueueCapacity = 10000;
constexpr size_t kMaxTimers = 1024;
constexpr uint32_t kMinTimerPeriod = 10;

struct TPostedQueue {
    std::mutex Lock;
    std::vector<TMsg> Ring;
    size_t Head = 0;
    size_t Count = 0;
};

TPostedQueue& Posted()
{
    static TPostedQueue queue;
    return queue;
}

// The thread that runs static initialisation: the program's main thread.
const std::thread::id gMainThread = std::this_thread::get_id();

bool PopPosted(TMsg& msg)
{
    TPostedQueue& q = Posted();
    std::lock_guard<std::mutex> lock(q.Lock);
    if (q.Count == 0) return false;
    msg = q.Ring[q.Head];
    q.Head = (q.Head + 1) % kQueueCapacity;
    --q.Count;
    return true;
}

bool AnyPosted()
{
    TPostedQueue& q = Posted();
    std::lock_guard<std::mutex> lock(q.Lock);
    return q.Count != 0;
}

TTimerEntry* DueTimer(int64_t now)
{
    TTimerEntry* due = nullptr;
    for (TTimerEntry& t : Windowing().Timers)
        if (t.Due <= now && (!due || t.Due < due->Due)) due = &t;
    return due;
}

TWindowObject* FirstWindowToPaint()
{
    FlushCarry();
    const auto& roots = Windowing().Roots;
    for (auto it = roots.rbegin(); it != roots.rend(); ++it) {
        if (!IsShowing(*it)) continue;
        if (TWindowObject* w = FirstInvalid(*it); w && IsShowing(w)) return w;
    }
    return nullptr;
}
}  // namespace

int64_t MonotonicMilliseconds()
{
    return Platform().MonotonicMs();
}

DWORD GetTickCount()
{
    return static_cast<DWORD>(MonotonicMilliseconds());
}

LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) return 0;
    TMessage m{msg, wParam, lParam, 0};
    return CallWindowObject(w, m);
}

bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Only the main thread may look at the window table.
    if (std::this_thread::get_id() == gMainThread && wnd && !FindWindowObject(wnd)) {
        SetLastError(platform::kErrorInvalidWindowHandle);
        return false;
    }
    TPostedQueue& q = Posted();
    {
        std::lock_guard<std::mutex> lock(q.Lock);
        if (q.Ring.empty()) q.Ring.resize(kQueueCapacity);
        if (q.Count == kQueueCapacity) return false;
        TMsg& slot = q.Ring[(q.Head + q.Count) % kQueueCapacity];
        slot = TMsg{wnd, msg, wParam, lParam, 0, {}, 0};
        ++q.Count;
    }
    Platform().Wake();
    return true;
}

void DiscardPendingMessages()
{
    {
        TPostedQueue& q = Posted();
        std::lock_guard<std::mutex> lock(q.Lock);
        q.Head = 0;
        q.Count = 0;
    }
    PumpPlatformEvents();
    TMsg ignored;
    while (NextInputMessage(ignored)) {
    }
    Windowing().QuitPending = false;
}

void PostQuitMessage(int)
{
    Windowing().QuitPending = true;
    Platform().Wake();
}

bool PeekMessage(TMsg& msg)
{
    TWindowingState& state = Windowing();
    if (PopPosted(msg)) return true;
    PumpPlatformEvents();
    if (NextInputMessage(msg)) return true;
    if (state.QuitPending) {
        state.QuitPending = false;
        msg = TMsg{0, WM_QUIT, 0, 0, 0, {}, 0};
        return true;
    }
    const int64_t now = MonotonicMilliseconds();
    if (TTimerEntry* t = DueTimer(now)) {
        msg = TMsg{t->Window, WM_TIMER, t->Id, 0, static_cast<DWORD>(now), state.Pointer, 0};
        t->Due = now + t->Period;
        return true;
    }
    if (TWindowObject* w = FirstWindowToPaint()) {
        msg = TMsg{w->Handle, WM_PAINT, 0, 0, static_cast<DWORD>(now), state.Pointer, 0};
        return true;
    }
    return false;
}

bool HasPendingMessages()
{
    if (AnyPosted()) return true;
    PumpPlatformEvents();
    if (HasInput() || Windowing().QuitPending) return true;
    if (DueTimer(MonotonicMilliseconds())) return true;
    return FirstWindowToPaint() != nullptr;
}

bool TranslateMessage(const TMsg& msg)
{
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || msg.character == 0) return false;
    const UINT charMsg = msg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    return PostMessage(msg.hwnd, charMsg, msg.character, msg.lParam);
}

LRESULT DispatchMessage(const TMsg& msg)
{
    if (msg.message == WM_PAINT) {
        TWindowObject* w = FindWindowObject(msg.hwnd);
        if (!w) return 0;
        const HWND root = RootOf(w)->Handle;
        PaintWindowObject(w);
        TWindowObject* r = FindWindowObject(root);
        if (r && !FirstInvalid(r)) PresentWindow(root);
        return 0;
    }
    TWindowObject* w = FindWindowObject(msg.hwnd);
    if (!w) return 0;
    TMessage m{msg.message, msg.wParam, msg.lParam, 0};
    return CallWindowObject(w, m);
}

TWaitOutcome WaitMessage(uint32_t maxWaitMs)
{
    if (HasPendingMessages()) return TWaitOutcome::Ready;
    uint32_t timeout = maxWaitMs;
    const int64_t now = MonotonicMilliseconds();
    for (const TTimerEntry& t : Windowing().Timers) {
        const int64_t wait = std::max<int64_t>(0, t.Due - now);
        timeout = static_cast<uint32_t>(std::min<int64_t>(timeout, wait));
    }
    switch (Platform().WaitForEvents(timeout)) {
    case platform::WaitResult::Ready: return TWaitOutcome::Ready;
    case platform::WaitResult::Timeout: return TWaitOutcome::Timeout;
    case platform::WaitResult::Stalled: return TWaitOutcome::Stalled;
    }
    return TWaitOutcome::Ready;
}

// ---- Timers -----------------------------------------------------------------

uintptr_t SetTimer(HWND wnd, uintptr_t id, UINT elapse)
{
    TWindowingState& state = Windowing();
    if (!FindWindowObject(wnd)) {
        SetLastError(platform::kErrorInvalidWindowHandle);
        return 0;
    }
    const uint32_t period = std::clamp<uint32_t>(elapse, kMinTimerPeriod, 0x7FFFFFFFu);
    const int64_t due = MonotonicMilliseconds() + period;
    for (TTimerEntry& t : state.Timers) {
        if (t.Window == wnd && t.Id == id) {
            t.Period = period;
            t.Due = due;
            return id ? id : 1;
        }
    }
    if (state.Timers.size() >= kMaxTimers) {
        SetLastError(platform::kErrorNotEnoughMemory);
        return 0;
    }
    if (state.Timers.capacity() == 0) state.Timers.reserve(64);
    state.Timers.push_back({wnd, id, period, due});
    return id ? id : 1;
}

bool KillTimer(HWND wnd, uintptr_t id)
{
    auto& timers = Windowing().Timers;
    const auto before = timers.size();
    std::erase_if(timers, [&](const TTimerEntry& t) { return t.Window == wnd && t.Id == id; });
    return timers.size() != before;
}

void DropTimersOf(HWND wnd)
{
    std::erase_if(Windowing().Timers, [&](const TTimerEntry& t) { return t.Window == wnd; });
}
