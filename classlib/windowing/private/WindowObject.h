// Window objects: what the windowing layer knows of each window behind its
// handle, the table of them, and where a window lies in its top-level
// window's buffer and on the screen.
#pragma once

#include "classlib/windowing/Messages.h"
#include "classlib/windowing/private/Guard.h"
#include "classlib/windowing/private/RectList.h"
#include "platform/Platform.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct TPresentation;

struct TWindowObject {
    TWindowObject();
    ~TWindowObject();

    HWND Handle = 0;
    std::shared_ptr<const TWndMethod> Proc;
    TWindowObject* Parent = nullptr;
    HWND ForeignParent = 0;                // a top-level window living inside a foreign window
    std::vector<TWindowObject*> Children;  // bottom to top
    uint32_t Style = 0;
    uint32_t ExStyle = 0;
    uint32_t ClassStyle = 0;
    int32_t Id = 0;
    int32_t UserData = 0;
    // The window rectangle in its parent's client coordinates (screen, or the
    // foreign parent's client area, for a top-level window).
    TRect Bounds;
    // The client area in window coordinates (from WM_NCCALCSIZE).
    TRect Client;
    std::string Text;
    bool Utility = false;
    bool Destroying = false;

    // Painting: the invalid part of the client area, in client coordinates.
    TRectList Update;
    bool Erase = false;
    bool FrameInvalid = false;
    std::vector<TRect> Region;  // window coordinates; empty: none
    bool HasRegion = false;

    // Top-level windows only: the native window and what is drawn and shown in it.
    platform::WindowId Native = 0;
    bool NativeShown = false;
    std::unique_ptr<TPresentation> Presentation;

    bool IsRoot() const { return Parent == nullptr; }
    bool Visible() const { return (Style & WS_VISIBLE) != 0; }
    bool Enabled() const { return (Style & WS_DISABLED) == 0; }
    int Width() const { return Bounds.Width(); }
    int Height() const { return Bounds.Height(); }
};

// Every window by its handle, and the top-level ones in stacking order.
struct TWindowTable {
    std::unordered_map<HWND, std::unique_ptr<TWindowObject>> Windows;
    std::vector<TWindowObject*> Roots;  // top-level windows, bottom to top
    HWND NextHandle = 0x40000001;
};
TWindowTable& WindowTable();

// Windows keep to sane sizes: a bad size gets clamped, never a huge buffer.
constexpr int kMaxWindowDimension = 32767;
constexpr int kMaxWindowPosition = 1 << 24;
constexpr int64_t kMaxBufferPixels = int64_t(1) << 25;
TRect ClampWindowRect(int x, int y, int width, int height);

TWindowObject* FindWindowObject(HWND wnd);
TWindowObject* RootOf(TWindowObject* w);
// The top-level window showing a native window, or nullptr.
TWindowObject* RootOfNative(platform::WindowId native);
bool InSubtree(const TWindowObject* w, const TWindowObject* root);
// Calls the window's procedure (the window may be gone afterwards).
LRESULT CallWindowObject(TWindowObject* w, TMessage& message);
// Positions in the top-level window's buffer.
TPoint WindowOriginInRoot(const TWindowObject* w);
TRect ClientInRoot(const TWindowObject* w);
TRect WindowInRoot(const TWindowObject* w);
// Screen position of the window's top-left corner.
TPoint WindowScreenOrigin(const TWindowObject* w);
// True when the window and all its parents are visible and the top window is shown.
bool IsShowing(const TWindowObject* w);
// The deepest visible window of the tree under a buffer point.
TWindowObject* HitWindow(TWindowObject* w, TPoint p);
platform::IPlatform& Platform();
