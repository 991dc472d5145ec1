// The message queue: sent and posted messages, the loop's retrieval order,
// dispatching and waiting.
#include "classlib/windowing/MessageQueue.h"

#include "classlib/system/OSError.h"
#include "classlib/windowing/private/InputQueue.h"
#include "classlib/windowing/private/PaintCycle.h"
#include "classlib/windowing/private/TimerTable.h"
#include "classlib/windowing/private/WindowMove.h"
#include "classlib/windowing/private/WindowObject.h"
#include "classlib/windowing/WindowPaint.h"
#include "classlib/windowing/WindowTimers.h"

#include <algorithm>
#include <mutex>
#include <thread>

namespace {
// Posted messages: a fixed ring shared with other threads.
constexpr size_t kQueueCapacity = 10000;

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

// WM_QUIT is due once the messages before it are done.
bool gQuitPending = false;

TWindowObject* FirstWindowToPaint()
{
    FlushCarry();
    const auto& roots = WindowTable().Roots;
    for (auto it = roots.rbegin(); it != roots.rend(); ++it) {
        if (!IsShowing(*it)) continue;
        if (TWindowObject* w = FirstInvalid(*it); w && IsShowing(w)) return w;
    }
    return nullptr;
}
}  // namespace

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
    gQuitPending = false;
}

void PostQuitMessage(int)
{
    gQuitPending = true;
    Platform().Wake();
}

bool PeekMessage(TMsg& msg)
{
    if (PopPosted(msg)) return true;
    PumpPlatformEvents();
    if (NextInputMessage(msg)) return true;
    if (gQuitPending) {
        gQuitPending = false;
        msg = TMsg{0, WM_QUIT, 0, 0, 0, {}, 0};
        return true;
    }
    const int64_t now = MonotonicMilliseconds();
    if (TTimerEntry* t = DueTimer(now)) {
        msg = TMsg{t->Window, WM_TIMER, t->Id, 0, static_cast<DWORD>(now), InputState().Pointer, 0};
        t->Due = now + t->Period;
        return true;
    }
    if (TWindowObject* w = FirstWindowToPaint()) {
        msg = TMsg{w->Handle, WM_PAINT, 0, 0, static_cast<DWORD>(now), InputState().Pointer, 0};
        return true;
    }
    return false;
}

bool HasPendingMessages()
{
    if (AnyPosted()) return true;
    PumpPlatformEvents();
    if (HasInput() || gQuitPending) return true;
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
    const uint32_t timeout = TimeToNextTimer(MonotonicMilliseconds(), maxWaitMs);
    switch (Platform().WaitForEvents(timeout)) {
    case platform::WaitResult::Ready: return TWaitOutcome::Ready;
    case platform::WaitResult::Timeout: return TWaitOutcome::Timeout;
    case platform::WaitResult::Stalled: return TWaitOutcome::Stalled;
    }
    return TWaitOutcome::Ready;
}
