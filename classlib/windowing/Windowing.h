// The windowing layer: window objects behind integer handles, the message
// queue, invalidation and the paint cycle, timers, capture, focus and
// activation, the non-client area, regions, styles, cursors and hidden
// utility windows. The functions keep their familiar names and arguments.
//
// Every top-level window owns a 32-bit back buffer. Child windows and
// non-windowed controls paint into their top-level window's buffer; after a
// paint only the pixels that changed are presented through the platform.
//
// Main thread only, except PostMessage, which any thread may call (it wakes
// the main loop's wait at once).
#pragma once

#include "classlib/graphics/Canvas.h"
#include "classlib/graphics/Graphic.h"
#include "classlib/windowing/Messages.h"

#include <string>
#include <vector>

// A drawing target: a window's surface with an origin and a clip rectangle,
// both in device (buffer) coordinates. WM_PAINT and WM_ERASEBKGND carry one.
struct TDeviceContext {
    TPixelSurface Surface;
    TPoint Origin;  // device position of the logical point (0, 0)
    TRect Clip;     // device coordinates, within the surface
    HWND Window = 0;
};

// Attaches the canvas to a device context (surface, origin and clip); nullptr detaches.
void AttachCanvas(TCanvas& canvas, HDC dc);
// The same context moved by (dx, dy) and clipped to (0, 0, width, height) at the new origin.
TDeviceContext OffsetDeviceContext(const TDeviceContext& dc, int dx, int dy, int width, int height);
// Fills a rectangle (logical coordinates) of the context with one colour.
// clNone paints black, as the windows of this program do.
void FillDCRect(HDC dc, const TRect& rect, TColor color);

// ---- Creating windows -------------------------------------------------------
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

// ---- Messages ---------------------------------------------------------------
LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Queues a message; any thread. False when the queue is full or wnd is not ours.
bool PostMessage(HWND wnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);
// The default handling of a message (non-client area, cursor, close, system commands...).
LRESULT DefWindowProc(HWND wnd, TMessage& message);
LRESULT DefWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
TWndMethod GetWindowProc(HWND wnd);
// Replaces the window's procedure and returns the previous one.
TWndMethod SetWindowProc(HWND wnd, TWndMethod proc);

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

// ---- Geometry, styles, visibility -------------------------------------------
// Screen coordinates; foreign windows too. False for an unknown window.
bool GetWindowRect(HWND wnd, TRect& rect);
// (0, 0, client width, client height).
bool GetClientRect(HWND wnd, TRect& rect);
bool ClientToScreen(HWND wnd, TPoint& point);
bool ScreenToClient(HWND wnd, TPoint& point);
// Position in the parent's client area (screen, or a foreign parent's client area, for top-level windows).
bool MoveWindow(HWND wnd, int x, int y, int width, int height, bool repaint);
bool SetWindowPos(HWND wnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
bool ShowWindow(HWND wnd, int command);
bool IsWindowVisible(HWND wnd);
bool IsWindowEnabled(HWND wnd);
bool EnableWindow(HWND wnd, bool enable);
bool IsIconic(HWND wnd);
bool IsZoomed(HWND wnd);
HWND GetParent(HWND wnd);
// Moves the window into newParent: one of ours, a foreign window, or 0 (top level).
HWND SetParent(HWND wnd, HWND newParent);
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
// Forgets posted messages, unread input and a pending WM_QUIT (a new application starts clean).
void DiscardPendingMessages();

// ---- Painting ---------------------------------------------------------------
// rect in client coordinates; nullptr for the whole client area.
bool InvalidateRect(HWND wnd, const TRect* rect, bool erase);
bool ValidateRect(HWND wnd, const TRect* rect);
// Paints the window's invalid parts and those of its descendants now.
bool UpdateWindow(HWND wnd);
bool RedrawWindow(HWND wnd, const TRect* rect, HRGN region, UINT flags);
// The bounding box of the invalid part; false when nothing is invalid.
bool GetUpdateRect(HWND wnd, TRect& rect, bool erase);
// A context for drawing on the window's client area at once (GetWindowDC: the
// whole window). ReleaseDC presents what was drawn.
HDC GetDC(HWND wnd);
HDC GetWindowDC(HWND wnd);
int ReleaseDC(HWND wnd, HDC dc);
// Presents what changed in the window's buffer since the last present.
void PresentWindow(HWND wnd);
// Paints rect (client coordinates) of the window at once, without a paint
// message: paint runs once per visible piece (parts covered by child windows
// or by windows above are left out) with a context clipped to that piece;
// then what changed is presented. Nothing happens for a window not shown.
void PaintClientNow(HWND wnd, const TRect& rect, const std::function<void(HDC)>& paint);
// The client rectangle (window coordinates) the default frame of a style leaves.
TRect CalcClientRect(uint32_t style, uint32_t exStyle, bool topLevel, const TRect& windowRect);

// ---- Regions ----------------------------------------------------------------
HRGN CreateRectRgn(int left, int top, int right, int bottom);
// A rounded rectangle whose corners are quarter ellipses of width x height.
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height);
// dest := a op b (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY); the region's
// complexity (NULLREGION, SIMPLEREGION, COMPLEXREGION) or RGN_ERROR.
int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode);
bool DeleteObject(HRGN region);
bool PtInRegion(HRGN region, int x, int y);
// The region as rectangles, bands top to bottom.
std::vector<TRect> GetRegionRects(HRGN region);
// The window's visible shape (window coordinates); the window takes the
// region over (do not delete it). 0 restores the plain rectangle.
int SetWindowRgn(HWND wnd, HRGN region, bool redraw);
// The rectangles of the window's region; empty when it has none.
std::vector<TRect> GetWindowRegionRects(HWND wnd);

// ---- Focus, capture, activation ---------------------------------------------
HWND SetFocus(HWND wnd);
HWND GetFocus();
HWND SetCapture(HWND wnd);
bool ReleaseCapture();
HWND GetCapture();
HWND GetActiveWindow();
HWND SetActiveWindow(HWND wnd);
HWND GetForegroundWindow();
bool SetForegroundWindow(HWND wnd);
// The deepest visible enabled window of ours under a screen point, or 0.
HWND WindowFromPoint(TPoint screenPoint);

// ---- Cursors ----------------------------------------------------------------
// LoadCursor(0, IDC_*) gives a standard pointer; 0 for anything else.
HCURSOR LoadCursor(HINSTANCE instance, uintptr_t id);
HCURSOR LoadCursor(HINSTANCE instance, const char* name);
// Shows the pointer over our windows; 0 hides it. Returns the previous one.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
bool GetCursorPos(TPoint& point);
// Keys held and buttons pressed at the last input event (SHIFT_STATE_* bits).
uint32_t CurrentShiftState();

// ---- Timers -----------------------------------------------------------------
// WM_TIMER with wParam id every `elapse` ms (at least 10) of the monotonic
// clock; 0 when the timer cannot be set (no such window, or no slot left).
uintptr_t SetTimer(HWND wnd, uintptr_t id, UINT elapse);
bool KillTimer(HWND wnd, uintptr_t id);
// Milliseconds of the monotonic clock.
DWORD GetTickCount();
int64_t MonotonicMilliseconds();

// ---- Metrics, errors --------------------------------------------------------
int GetSystemMetrics(int index);
TRect GetWorkAreaRect();
int GetLastError();
void SetLastError(int code);
std::string SysErrorMessage(int code);
// Raises EOSError "System Error.  Code: %d.\r\n%s" for the last error.
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseOSError(int code, const std::string& text);
