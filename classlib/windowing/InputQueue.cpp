// The platform's events waiting to become messages, and the state input sets.
#include "classlib/windowing/private/InputQueue.h"

#include "classlib/windowing/private/WindowObject.h"

#include <vector>

namespace {
constexpr size_t kInputCapacity = 1024;

struct TInputQueue {
    std::vector<platform::Event> Ring;
    size_t Head = 0;
    size_t Count = 0;
};

TInputQueue& Queue()
{
    static TInputQueue queue;
    return queue;
}
}  // namespace

TInputState& InputState()
{
    static TInputState state;
    return state;
}

void PumpPlatformEvents()
{
    TInputQueue& in = Queue();
    if (in.Ring.empty()) in.Ring.resize(kInputCapacity);
    platform::Event e;
    while (in.Count < kInputCapacity && Platform().PollEvent(e)) {
        in.Ring[(in.Head + in.Count) % kInputCapacity] = e;
        ++in.Count;
    }
}

bool NextInputMessage(TMsg& msg)
{
    TInputQueue& in = Queue();
    while (in.Count) {
        const platform::Event e = in.Ring[in.Head];
        in.Head = (in.Head + 1) % kInputCapacity;
        --in.Count;
        if (TranslateEvent(e, msg)) return true;
    }
    return false;
}

bool HasInput()
{
    return Queue().Count != 0;
}

void ForgetWindowInput(TWindowObject* w)
{
    TInputState& state = InputState();
    if (state.LastMouseWindow == w->Handle) state.LastMouseWindow = 0;
    if (state.LastClickWindow == w->Handle) state.LastClickWindow = 0;
    if (state.PointerRoot == w->Handle) state.PointerRoot = 0;
}
