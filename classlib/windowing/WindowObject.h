// Inside the windowing layer: the window objects and the state they share.
// Only the windowing files include this.
#pragma once

#include "classlib/windowing/KnownFill.h"
#include "classlib/windowing/RectList.h"
#include "classlib/windowing/Windowing.h"
#include "classlib/windowing/ZeroedPixels.h"
#include "platform/Platform.h"

#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

struct TWindowObject {
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

    // Top-level windows only.
    platform::WindowId Native = 0;
    bool NativeShown = false;
    TZeroedPixels Back;   // what the controls paint, unless the native window lends its buffer
    TZeroedPixels Front;  // what was presented last
    TPixelSurface Surface;        // Back, or the native window's own buffer
    bool NativeBuffer = false;    // Surface lies in the native window's buffer
    TRectList Damage;  // buffer coordinates, painted but not yet presented
    TRect Carried;     // buffer coordinates, moved pixels: presented without comparing
    TRect FrontStale;  // where Front is not kept: presented without comparing
    TKnownFill Known;  // buffer coordinates: where the buffer holds one colour
    bool FullPresent = false;

    bool IsRoot() const { return Parent == nullptr; }
    bool Visible() const { return (Style & WS_VISIBLE) != 0; }
    bool Enabled() const { return (Style & WS_DISABLED) == 0; }
    int Width() const { return Bounds.Width(); }
    int Height() const { return Bounds.Height(); }
};

struct TTimerEntry {
    HWND Window = 0;
    uintptr_t Id = 0;
    uint32_t Period = 0;
    int64_t Due = 0;
};

struct TWindowingState {
    std::unordered_map<HWND, std::unique_ptr<TWindowObject>> Windows;
    std::vector<TWindowObject*> Roots;  // top-level windows, bottom to top
    HWND NextHandle = 0x40000001;
    HWND Focus = 0;
    HWND Capture = 0;
    HWND Active = 0;
    HCURSOR Cursor = 0;
    bool CursorSet = false;
    TPoint Pointer;           // last pointer position, screen coordinates
    HWND PointerRoot = 0;     // the top-level window under the pointer
    uint32_t Shift = 0;       // keys held and buttons pressed (last input event)
    int LastError = 0;
    // Double clicks.
    HWND LastClickWindow = 0;
    UINT LastClickButton = 0;
    int64_t LastClickTime = -1000000;
    TPoint LastClickPoint;
    bool LastWasDouble = false;
    // Timers.
    std::vector<TTimerEntry> Timers;
    // Device contexts handed out by GetDC.
    std::array<TDeviceContext, 16> DCs{};
    std::array<bool, 16> DCInUse{};
    bool QuitPending = false;
    // A child window's move whose pixels are not copied yet: moves that follow
    // one another (left, then top) copy the pixels once.
    struct TPendingCarry {
        HWND Window = 0;
        TRect ShownBefore;  // buffer coordinates, before the first of the moves
        int Dx = 0;
        int Dy = 0;
    } PendingCarry;
};

// Windows keep to sane sizes: a bad size gets clamped, never a huge buffer.
constexpr int kMaxWindowDimension = 32767;
constexpr int kMaxWindowPosition = 1 << 24;
constexpr int64_t kMaxBufferPixels = int64_t(1) << 25;
TRect ClampWindowRect(int x, int y, int width, int height);

TWindowingState& Windowing();
TWindowObject* FindWindowObject(HWND wnd);
TWindowObject* RootOf(TWindowObject* w);
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
// The parts of rect (buffer coordinates) that belong to the window: its
// client area (or whole window) within every parent's client area, without
// its child windows and without the siblings above it and above its parents.
void VisiblePieces(TWindowObject* w, const TRect& rect, bool clientOnly, TRectList& pieces);
// Paints the window's invalid part now (WM_NCPAINT, WM_ERASEBKGND, WM_PAINT).
void PaintWindowObject(TWindowObject* w);
// A window of the tree that needs painting, parents first; nullptr when none.
TWindowObject* FirstInvalid(TWindowObject* root);
void InvalidateTree(TWindowObject* w, bool erase);
// A top-level window's native window was just shown, black: what was
// presented before is gone, and only what may not be black is sent again.
void PresentOverBlack(TWindowObject* root);
// The part of a child window (with its children) that shows in its top-level
// window's buffer, when that is one rectangle; empty otherwise.
TRect ShownTreeArea(TWindowObject* w);
// A plain move of child window w is about to happen: true when its pixels
// will be carried to the new place (by FlushCarry, after AddCarry), so it
// need not be repainted. Any other pending carry is done first.
bool BeginCarry(TWindowObject* w);
void AddCarry(TWindowObject* w, int dx, int dy);
// Copies the pixels of the pending move, and invalidates the moved window if
// part of its new place showed nothing of it before. Everything that draws
// on, presents or rearranges windows calls this first.
void FlushCarry();
// (Re)creates the native window of a top-level window from its style.
void CreateNativeFor(TWindowObject* w);
void DestroyNativeFor(TWindowObject* w);
void ResizeBuffers(TWindowObject* w);
void SyncNativeBounds(TWindowObject* w);
// Computes the client area from the style (the default WM_NCCALCSIZE).
TRect DefaultClientRect(const TWindowObject* w, const TRect& windowRect);
void RecalcClient(TWindowObject* w);
// Reads the platform's events into the input queue.
void PumpPlatformEvents();
// The next input message, translated from a platform event; false when none.
bool NextInputMessage(TMsg& msg);
bool HasInput();
void DropTimersOf(HWND wnd);
void ForgetWindowInput(TWindowObject* w);
void ApplyPointerShape();
// Records that area of a top-level window's buffer may have been drawn on.
void MarkDrawn(TWindowObject* root, const TRect& area);
// Sets the pointer shape for the window under the pointer, as a move there would.
void RefreshPointerShape();
platform::IPlatform& Platform();
