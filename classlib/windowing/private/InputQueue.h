// Input inside the windowing layer: the platform's events waiting to become
// messages, and what input has set: focus, capture, activation, the pointer,
// the keys held and the last click.
#pragma once

#include "classlib/windowing/Messages.h"
#include "classlib/windowing/private/Guard.h"
#include "platform/Platform.h"

struct TWindowObject;

struct TInputState {
    HWND Focus = 0;
    HWND Capture = 0;
    HWND Active = 0;
    HCURSOR Cursor = 0;
    bool CursorSet = false;
    TPoint Pointer;            // last pointer position, screen coordinates
    HWND PointerRoot = 0;      // the top-level window under the pointer
    uint32_t Shift = 0;        // keys held and buttons pressed (last input event)
    HWND LastMouseWindow = 0;  // the last window that got a client mouse message
    // Double clicks.
    HWND LastClickWindow = 0;
    UINT LastClickButton = 0;
    int64_t LastClickTime = -1000000;
    TPoint LastClickPoint;
    bool LastWasDouble = false;
};
TInputState& InputState();

// Reads the platform's events into the input queue.
void PumpPlatformEvents();
// The next input message, translated from a platform event; false when none.
bool NextInputMessage(TMsg& msg);
bool HasInput();
// Forgets what input knows of a window that is going away.
void ForgetWindowInput(TWindowObject* w);
// One platform event as a message; false when it needs none (it may have
// been handled at once, as activation and exposure are).
bool TranslateEvent(const platform::Event& e, TMsg& msg);
