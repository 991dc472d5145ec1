// The message queue: sent and posted messages, the loop's retrieval order,
// dispatching and waiting. Main thread only, except PostMessage, which any
// thread may call (it wakes the main loop's wait at once).
#pragma once

#include "classlib/windowing/Messages.h"

#include <cstdint>

LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Queues a message; any thread. False when the queue is full or wnd is not ours.
bool PostMessage(HWND wnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);
// The next message in the loop's order: sent and posted messages and input,
// then WM_QUIT once those are done, then WM_TIMER for a due timer, then
// WM_PAINT for a window that needs painting. False when there is none.
bool PeekMessage(TMsg& msg);
// Posts WM_CHAR / WM_SYSCHAR for a key-down that types a character.
bool TranslateMessage(const TMsg& msg);
LRESULT DispatchMessage(const TMsg& msg);
// True when PeekMessage would find something now.
bool HasPendingMessages();
enum class TWaitOutcome { Ready, Timeout, Stalled };

// Waits until a message can be retrieved: input, a post from any thread, or
// the next timer. Stalled: the headless backend found that nothing can ever arrive.
TWaitOutcome WaitMessage(uint32_t maxWaitMs = 0xFFFFFFFFu);
// Forgets posted messages, unread input and a pending WM_QUIT (a new application starts clean).
void DiscardPendingMessages();
