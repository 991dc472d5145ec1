// The windowing layer keeps window objects behind integer handles: creating
// and destroying them, their procedures, parents, styles and text. Every
// top-level window owns a 32-bit back buffer; child windows and non-windowed
// controls paint into their top-level window's buffer, and after a paint only
// the pixels that changed are presented through the platform. Main thread only.
#pragma once

#include "classlib/windowing/Messages.h"

#include <cstdint>
#include <string>

struct TCreateParams {
    std::string Caption;
    uint32_t Style = 0;
    uint32_t ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    // Our own window, a foreign window (the window becomes its child), or 0.
    HWND WndParent = 0;
    uint32_t WindowClassStyle = CS_DBLCLKS;
    std::string WinClassName;
};

// Creates a window whose messages go to proc. Top-level windows (and windows
// inside a foreign window) get a native window; a failure raises EOSError
// "System Error.  Code: %d.\r\n%s".
HWND CreateWindowHandle(const TCreateParams& params, TWndMethod proc);
bool DestroyWindow(HWND wnd);
// The window CreateWindowHandle is creating right now (its first messages
// arrive before CreateWindowHandle returns), or 0.
HWND CreatingWindow();
// True for our live windows and for foreign windows the platform knows.
bool IsWindow(HWND wnd);
bool IsOwnWindow(HWND wnd);
// A hidden window that only receives messages, sent to method.
HWND AllocateHWnd(TWndMethod method);
void DeallocateHWnd(HWND wnd);
TWndMethod GetWindowProc(HWND wnd);
// Replaces the window's procedure and returns the previous one.
TWndMethod SetWindowProc(HWND wnd, TWndMethod proc);
HWND GetParent(HWND wnd);
// GWL_STYLE, GWL_EXSTYLE, GWL_ID, GWL_USERDATA, GWL_HWNDPARENT. A new style
// takes effect with SetWindowPos(..., SWP_FRAMECHANGED).
int32_t GetWindowLong(HWND wnd, int index);
int32_t SetWindowLong(HWND wnd, int index, int32_t value);
bool SetWindowText(HWND wnd, const std::string& text);
std::string GetWindowText(HWND wnd);
// The window's top-level ancestor (itself for a top-level window).
HWND GetAncestorRoot(HWND wnd);
// The platform window (platform::WindowId) showing the window's top-level ancestor; 0 when none.
uint64_t NativeWindowOf(HWND wnd);
// Tells the platform that the window shows a message box (headless keeps each for tests).
void NoteMessageBox(HWND wnd, const std::string& caption, const std::string& text);
