// Window objects: handles, creation and destruction, geometry, styles,
// parents, text, metrics and errors.
#include "classlib/system/Exceptions.h"
#include "classlib/system/SysUtils.h"
#include "classlib/windowing/WindowObject.h"

#include <algorithm>

namespace {
HWND gCreating = 0;

int FrameWidthOf(uint32_t style, uint32_t exStyle, bool nativeDecorated)
{
    int frame = 0;
    if (!nativeDecorated) {
        if (style & WS_THICKFRAME)
            frame = 4;
        else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
            frame = 3;
        else if (style & WS_BORDER)
            frame = 1;
    }
    if (exStyle & WS_EX_CLIENTEDGE) frame += 2;
    return frame;
}

bool NativelyDecorated(const TWindowObject* w)
{
    return w->IsRoot() && !w->ForeignParent && (w->Style & WS_CAPTION) == WS_CAPTION;
}
}  // namespace

TRect ClampWindowRect(int x, int y, int width, int height)
{
    const int l = std::clamp(x, -kMaxWindowPosition, kMaxWindowPosition);
    const int t = std::clamp(y, -kMaxWindowPosition, kMaxWindowPosition);
    return Bounds(l, t, std::clamp(width, 0, kMaxWindowDimension), std::clamp(height, 0, kMaxWindowDimension));
}

TWindowingState& Windowing()
{
    static TWindowingState state;
    return state;
}

platform::IPlatform& Platform()
{
    return platform::GetPlatform();
}

TWindowObject* FindWindowObject(HWND wnd)
{
    if (!wnd) return nullptr;
    auto& windows = Windowing().Windows;
    auto it = windows.find(wnd);
    return it == windows.end() ? nullptr : it->second.get();
}

TWindowObject* RootOf(TWindowObject* w)
{
    while (w && w->Parent) w = w->Parent;
    return w;
}

HWND CreatingWindow()
{
    return gCreating;
}

LRESULT CallWindowObject(TWindowObject* w, TMessage& message)
{
    if (!w) return 0;
    // Keep the procedure alive: it may replace itself or destroy the window.
    std::shared_ptr<const TWndMethod> proc = w->Proc;
    const HWND handle = w->Handle;
    if (proc && *proc)
        (*proc)(message);
    else
        DefWindowProc(handle, message);
    return message.Result;
}

TPoint WindowOriginInRoot(const TWindowObject* w)
{
    TPoint p;
    for (const TWindowObject* c = w; c && c->Parent; c = c->Parent) {
        p.X += c->Bounds.Left + c->Parent->Client.Left;
        p.Y += c->Bounds.Top + c->Parent->Client.Top;
    }
    return p;
}

TRect ClientInRoot(const TWindowObject* w)
{
    const TPoint o = WindowOriginInRoot(w);
    return OffsetRect(w->Client, o.X, o.Y);
}

TRect WindowInRoot(const TWindowObject* w)
{
    const TPoint o = WindowOriginInRoot(w);
    return {o.X, o.Y, o.X + w->Width(), o.Y + w->Height()};
}

TPoint WindowScreenOrigin(const TWindowObject* w)
{
    const TWindowObject* root = w;
    while (root->Parent) root = root->Parent;
    TPoint p{root->Bounds.Left, root->Bounds.Top};
    if (root->ForeignParent) {
        platform::Rect r;
        if (Platform().GetForeignWindowRect(root->ForeignParent, r)) {
            p.X += r.left;
            p.Y += r.top;
        }
    }
    const TPoint inRoot = WindowOriginInRoot(w);
    return {p.X + inRoot.X, p.Y + inRoot.Y};
}

bool IsShowing(const TWindowObject* w)
{
    for (const TWindowObject* c = w; c; c = c->Parent) {
        if (!c->Visible() || c->Destroying) return false;
        if (!c->Parent) return c->NativeShown && !(c->Style & WS_MINIMIZE);
    }
    return false;
}

TRect CalcClientRect(uint32_t style, uint32_t exStyle, bool topLevel, const TRect& windowRect)
{
    const bool decorated = topLevel && (style & WS_CAPTION) == WS_CAPTION;
    const int frame = FrameWidthOf(style, exStyle, decorated);
    TRect r = InflateRect(windowRect, -frame, -frame);
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return r;
}

TRect DefaultClientRect(const TWindowObject* w, const TRect& windowRect)
{
    const int frame = FrameWidthOf(w->Style, w->ExStyle, NativelyDecorated(w));
    TRect r = InflateRect(windowRect, -frame, -frame);
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return r;
}

void RecalcClient(TWindowObject* w)
{
    NCCALCSIZE_PARAMS params;
    params.rgrc[0] = w->Bounds;
    params.rgrc[1] = w->Bounds;
    params.rgrc[2] = w->Bounds;
    TMessage m{WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&params), 0};
    const HWND h = w->Handle;
    CallWindowObject(w, m);
    if (!FindWindowObject(h)) return;
    TRect c = OffsetRect(params.rgrc[0], -w->Bounds.Left, -w->Bounds.Top);
    c = IntersectRect(c, {0, 0, w->Width(), w->Height()});
    w->Client = c;
}

// ---- Native windows ---------------------------------------------------------

void ResizeBuffers(TWindowObject* w)
{
    FlushCarry();
    // A top-level window's buffers hold at most kMaxBufferPixels: beyond that it
    // draws (and shows) only the top rows that fit.
    const int width = std::max(0, w->Width());
    int height = std::max(0, w->Height());
    if (width > 0 && int64_t(width) * height > kMaxBufferPixels) height = static_cast<int>(kMaxBufferPixels / width);
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    // Drawing straight into the native window's buffer saves a screen-sized
    // buffer and a copy per present.
    int stride = 0;
    uint32_t* native = w->Native && count ? Platform().BackBuffer(w->Native, width, height, &stride) : nullptr;
    if (native && stride != width) native = nullptr;
    const bool sameBuffer = native ? w->Surface.Bits == native : !w->NativeBuffer;
    if (w->Surface.Width != width || w->Surface.Height != height || !sameBuffer) {
        if (native) {
            w->Back.Clear();  // a new native buffer holds zeros
        } else {
            w->Back.Reset(count);
        }
        w->NativeBuffer = native != nullptr;
        w->Front.Reset(count);
        w->Surface = {native ? native : (w->Back.empty() ? nullptr : w->Back.data()), width, height, width};
        w->FullPresent = true;
        w->Known.Reset(w->Surface.BoundsRect(), 0);
    }
}

void CreateNativeFor(TWindowObject* w)
{
    platform::WindowParams params;
    const bool decorated = NativelyDecorated(w);
    if (w->ForeignParent) {
        params.kind = platform::WindowKind::Child;
        params.parent = w->ForeignParent;
    } else if ((w->Style & WS_POPUP) && (w->ExStyle & WS_EX_TOOLWINDOW) && !decorated) {
        params.kind = platform::WindowKind::PopupList;
    } else if ((w->Style & WS_POPUP) && !decorated) {
        params.kind = platform::WindowKind::Popup;
    } else {
        params.kind = platform::WindowKind::Normal;
    }
    params.bounds = {w->Bounds.Left, w->Bounds.Top, w->Bounds.Right, w->Bounds.Bottom};
    params.caption = w->Text;
    params.decorated = decorated;
    params.topmost = (w->ExStyle & WS_EX_TOPMOST) != 0;
    platform::Error error;
    const platform::WindowId native = Platform().CreateNativeWindow(params, &error);
    if (!native) {
        SetLastError(error.code);
        RaiseOSError(error.code, error.text);
    }
    w->Native = native;
    w->NativeShown = false;
    ResizeBuffers(w);
    if (w->HasRegion) {
        std::vector<platform::Rect> rects;
        for (const TRect& r : w->Region) rects.push_back({r.Left, r.Top, r.Right, r.Bottom});
        Platform().SetNativeRegion(native, rects.data(), static_cast<int>(rects.size()));
    }
}

void DestroyNativeFor(TWindowObject* w)
{
    if (!w->Native) return;
    if (w->NativeBuffer) {
        // The pixels go with the native window.
        w->Surface = {};
        w->NativeBuffer = false;
        w->Known.Forget();
    }
    Platform().DestroyNativeWindow(w->Native);
    w->Native = 0;
    w->NativeShown = false;
}

void SyncNativeBounds(TWindowObject* w)
{
    if (w->Native)
        Platform().SetNativeBounds(w->Native, {w->Bounds.Left, w->Bounds.Top, w->Bounds.Right, w->Bounds.Bottom});
}

// ---- Creation and destruction -----------------------------------------------

HWND CreateWindowHandle(const TCreateParams& params, TWndMethod proc)
{
    TWindowingState& state = Windowing();
    TWindowObject* parent = FindWindowObject(params.WndParent);
    const bool foreign = params.WndParent != 0 && !parent;
    if (foreign && !Platform().ForeignWindowExists(params.WndParent)) {
        SetLastError(platform::kErrorInvalidWindowHandle);
        RaiseOSError(platform::kErrorInvalidWindowHandle, SysErrorMessage(platform::kErrorInvalidWindowHandle));
    }
    if ((params.Style & WS_CHILD) && !params.WndParent) {
        SetLastError(1406);
        RaiseOSError(1406, SysErrorMessage(1406));
    }
    auto owned = std::make_unique<TWindowObject>();
    TWindowObject* w = owned.get();
    w->Handle = state.NextHandle++;
    w->Proc = std::make_shared<const TWndMethod>(std::move(proc));
    w->Style = params.Style & ~WS_VISIBLE;
    w->ExStyle = params.ExStyle;
    w->ClassStyle = params.WindowClassStyle;
    w->Text = params.Caption;
    w->Bounds = ClampWindowRect(params.X, params.Y, params.Width, params.Height);
    if (parent && (params.Style & WS_CHILD)) {
        w->Parent = parent;
        parent->Children.push_back(w);
    } else {
        if (foreign) w->ForeignParent = params.WndParent;
        state.Roots.push_back(w);
    }
    const HWND handle = w->Handle;
    state.Windows.emplace(handle, std::move(owned));

    const HWND outer = gCreating;
    gCreating = handle;
    try {
        SendMessage(handle, WM_NCCREATE);
        if (TWindowObject* live = FindWindowObject(handle)) RecalcClient(live);
        if (TWindowObject* live = FindWindowObject(handle); live && live->IsRoot()) CreateNativeFor(live);
        SendMessage(handle, WM_CREATE);
        if (TWindowObject* live = FindWindowObject(handle)) {
            SendMessage(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(live->Client.Width(), live->Client.Height()));
        }
        if (TWindowObject* live = FindWindowObject(handle)) {
            SendMessage(handle, WM_MOVE, 0, MAKELPARAM(live->Bounds.Left + live->Client.Left, live->Bounds.Top + live->Client.Top));
        }
    } catch (...) {
        gCreating = outer;
        if (TWindowObject* live = FindWindowObject(handle)) {
            live->Proc.reset();  // the creator gets no messages about a window it never received
            DestroyWindow(handle);
        }
        throw;
    }
    gCreating = outer;
    if (!FindWindowObject(handle)) return 0;
    if (params.Style & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
    return handle;
}

bool DestroyWindow(HWND wnd)
{
    FlushCarry();
    TWindowingState& state = Windowing();
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) {
        SetLastError(platform::kErrorInvalidWindowHandle);
        return false;
    }
    if (w->Destroying) return true;
    w->Destroying = true;
    if (w->Parent && w->Visible() && !w->Parent->Destroying) {
        const TRect area = w->Bounds;
        InvalidateRect(w->Parent->Handle, &area, true);
    }
    if (w->Native && w->NativeShown) Platform().ShowNativeWindow(w->Native, false);
    SendMessage(wnd, WM_DESTROY);
    if ((w = FindWindowObject(wnd)) == nullptr) return true;
    for (TWindowObject* child : std::vector<TWindowObject*>(w->Children)) DestroyWindow(child->Handle);
    SendMessage(wnd, WM_NCDESTROY);
    if ((w = FindWindowObject(wnd)) == nullptr) return true;
    if (state.Capture == wnd) state.Capture = 0;
    if (state.Focus == wnd) state.Focus = 0;
    if (state.Active == wnd) state.Active = 0;
    DropTimersOf(wnd);
    ForgetWindowInput(w);
    for (size_t i = 0; i < state.DCs.size(); ++i)
        if (state.DCInUse[i] && state.DCs[i].Window == wnd) state.DCs[i] = TDeviceContext{};
    DestroyNativeFor(w);
    if (w->Parent)
        std::erase(w->Parent->Children, w);
    else
        std::erase(state.Roots, w);
    state.Windows.erase(wnd);
    return true;
}

bool IsOwnWindow(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    return w && !w->Destroying;
}

bool IsWindow(HWND wnd)
{
    if (IsOwnWindow(wnd)) return true;
    return wnd != 0 && !FindWindowObject(wnd) && Platform().ForeignWindowExists(wnd);
}

HWND AllocateHWnd(TWndMethod method)
{
    TWindowingState& state = Windowing();
    auto owned = std::make_unique<TWindowObject>();
    owned->Handle = state.NextHandle++;
    owned->Proc = std::make_shared<const TWndMethod>(std::move(method));
    owned->Utility = true;
    const HWND handle = owned->Handle;
    state.Windows.emplace(handle, std::move(owned));
    return handle;
}

void DeallocateHWnd(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || !w->Utility) return;
    DropTimersOf(wnd);
    Windowing().Windows.erase(wnd);
}

// ---- Procedures -------------------------------------------------------------

TWndMethod GetWindowProc(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    return w && w->Proc ? *w->Proc : TWndMethod{};
}

TWndMethod SetWindowProc(HWND wnd, TWndMethod proc)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) return {};
    TWndMethod old = w->Proc ? *w->Proc : TWndMethod{};
    w->Proc = std::make_shared<const TWndMethod>(std::move(proc));
    return old;
}

// ---- Geometry ---------------------------------------------------------------

bool GetWindowRect(HWND wnd, TRect& rect)
{
    if (TWindowObject* w = FindWindowObject(wnd)) {
        const TPoint o = WindowScreenOrigin(w);
        rect = {o.X, o.Y, o.X + w->Width(), o.Y + w->Height()};
        return true;
    }
    platform::Rect r;
    if (wnd && Platform().GetForeignWindowRect(wnd, r)) {
        rect = {r.left, r.top, r.right, r.bottom};
        return true;
    }
    SetLastError(platform::kErrorInvalidWindowHandle);
    return false;
}

bool GetClientRect(HWND wnd, TRect& rect)
{
    if (TWindowObject* w = FindWindowObject(wnd)) {
        rect = {0, 0, w->Client.Width(), w->Client.Height()};
        return true;
    }
    platform::Rect r;
    if (wnd && Platform().GetForeignWindowRect(wnd, r)) {
        rect = {0, 0, r.width(), r.height()};
        return true;
    }
    SetLastError(platform::kErrorInvalidWindowHandle);
    return false;
}

bool ClientToScreen(HWND wnd, TPoint& point)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) return false;
    const TPoint o = WindowScreenOrigin(w);
    point = {point.X + o.X + w->Client.Left, point.Y + o.Y + w->Client.Top};
    return true;
}

bool ScreenToClient(HWND wnd, TPoint& point)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) return false;
    const TPoint o = WindowScreenOrigin(w);
    point = {point.X - o.X - w->Client.Left, point.Y - o.Y - w->Client.Top};
    return true;
}

bool MoveWindow(HWND wnd, int x, int y, int width, int height, bool repaint)
{
    return SetWindowPos(wnd, 0, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

namespace {
void Restack(TWindowObject* w, HWND insertAfter)
{
    std::vector<TWindowObject*>& list = w->Parent ? w->Parent->Children : Windowing().Roots;
    auto it = std::find(list.begin(), list.end(), w);
    if (it == list.end()) return;
    list.erase(it);
    if (insertAfter == HWND_BOTTOM) {
        list.insert(list.begin(), w);
        return;
    }
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        list.push_back(w);
        return;
    }
    // Below insertAfter (the list runs bottom to top).
    TWindowObject* after = FindWindowObject(insertAfter);
    auto pos = std::find(list.begin(), list.end(), after);
    list.insert(pos == list.end() ? list.end() : pos, w);
}
}  // namespace

bool SetWindowPos(HWND wnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || w->Utility) return false;
    WINDOWPOS pos{wnd, insertAfter, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = w->Bounds.Left;
        pos.y = w->Bounds.Top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = w->Width();
        pos.cy = w->Height();
    }
    SendMessage(wnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if ((w = FindWindowObject(wnd)) == nullptr) return false;
    const TRect old = w->Bounds;
    const TRect oldClient = w->Client;
    const TRect next = ClampWindowRect(pos.x, pos.y, pos.cx, pos.cy);
    const bool moved = next.TopLeft() != old.TopLeft();
    const bool sized = next.Width() != old.Width() || next.Height() != old.Height();
    const bool frame = (pos.flags & SWP_FRAMECHANGED) != 0;
    const bool redraw = !(pos.flags & SWP_NOREDRAW);
    // A plain move of a shown child keeps its pixels instead of repainting it.
    const bool carry = moved && !sized && !frame && redraw && !(pos.flags & SWP_NOCOPYBITS) && w->Parent;
    bool carrying = false;
    if (carry)
        carrying = BeginCarry(w);
    else
        FlushCarry();
    if (moved || sized || frame) {
        if (w->Parent && w->Visible() && redraw) InvalidateRect(w->Parent->Handle, &old, true);
        w->Bounds = next;
        if (sized || frame) {
            RecalcClient(w);
            if ((w = FindWindowObject(wnd)) == nullptr) return false;
        }
        if (w->IsRoot()) {
            if (sized) ResizeBuffers(w);
            if (moved || sized) SyncNativeBounds(w);
            if (frame && w->Native) Platform().SetNativeDecorations(w->Native, NativelyDecorated(w));
            if (frame && w->Native) Platform().SetNativeCaption(w->Native, w->Text);
        }
        if (carrying) AddCarry(w, next.Left - old.Left, next.Top - old.Top);
        if (redraw && !carrying) InvalidateTree(w, true);
    }
    if (!(pos.flags & SWP_NOZORDER)) {
        if (insertAfter == HWND_TOPMOST) w->ExStyle |= WS_EX_TOPMOST;
        if (insertAfter == HWND_NOTOPMOST) w->ExStyle &= ~WS_EX_TOPMOST;
        Restack(w, insertAfter);
        if (w->Parent && w->Visible()) InvalidateTree(w, true);
    }
    if (pos.flags & SWP_SHOWWINDOW) ShowWindow(wnd, (pos.flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (pos.flags & SWP_HIDEWINDOW) ShowWindow(wnd, SW_HIDE);
    if ((w = FindWindowObject(wnd)) == nullptr) return true;
    WINDOWPOS changed{wnd, insertAfter, w->Bounds.Left, w->Bounds.Top, w->Width(), w->Height(), pos.flags};
    const bool clientSized = w->Client.Width() != oldClient.Width() || w->Client.Height() != oldClient.Height();
    changed.flags &= ~(SWP_NOMOVE | SWP_NOSIZE);
    if (!moved) changed.flags |= SWP_NOMOVE;
    if (!sized && !clientSized) changed.flags |= SWP_NOSIZE;
    SendMessage(wnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&changed));
    return true;
}

bool ShowWindow(HWND wnd, int command)
{
    FlushCarry();
    TWindowingState& state = Windowing();
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || w->Utility) return false;
    const bool wasVisible = w->Visible();
    const bool show = command != SW_HIDE;
    if (show != wasVisible) {
        SendMessage(wnd, WM_SHOWWINDOW, show ? 1 : 0);
        if ((w = FindWindowObject(wnd)) == nullptr) return wasVisible;
    }
    if (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED) {
        w->Style |= WS_MINIMIZE;
    } else if (command == SW_SHOWMAXIMIZED) {
        if (!(w->Style & WS_MAXIMIZE) && w->IsRoot()) {
            w->Style |= WS_MAXIMIZE;
            const TRect work = GetWorkAreaRect();
            SetWindowPos(wnd, 0, work.Left, work.Top, work.Width(), work.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
            if ((w = FindWindowObject(wnd)) == nullptr) return wasVisible;
        }
    } else if (command == SW_RESTORE || command == SW_SHOWNORMAL) {
        w->Style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    }
    if (show)
        w->Style |= WS_VISIBLE;
    else
        w->Style &= ~WS_VISIBLE;
    if (w->IsRoot() && w->Native) {
        const bool nativeVisible = show && !(w->Style & WS_MINIMIZE);
        if (nativeVisible != w->NativeShown) {
            w->NativeShown = nativeVisible;
            Platform().ShowNativeWindow(w->Native, nativeVisible);
            if (nativeVisible) {
                PresentOverBlack(w);
                InvalidateTree(w, true);
                RefreshPointerShape();
                if ((w = FindWindowObject(wnd)) == nullptr) return wasVisible;
            }
        }
        const bool activate = nativeVisible && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                              !w->ForeignParent && !((w->Style & WS_POPUP) && (w->ExStyle & WS_EX_TOOLWINDOW));
        if (activate && state.Active != wnd) Platform().ActivateNativeWindow(w->Native);
    } else if (w->Parent && show != wasVisible) {
        if (show) {
            InvalidateTree(w, true);
        } else {
            const TRect area = w->Bounds;
            InvalidateRect(w->Parent->Handle, &area, true);
            if (state.Focus && (state.Focus == wnd)) state.Focus = 0;
        }
    }
    return wasVisible;
}

bool IsWindowVisible(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) return false;
    for (TWindowObject* c = w; c; c = c->Parent)
        if (!c->Visible()) return false;
    return true;
}

bool IsWindowEnabled(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    return w && w->Enabled();
}

bool EnableWindow(HWND wnd, bool enable)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) return false;
    const bool wasDisabled = !w->Enabled();
    if (wasDisabled == !enable) return wasDisabled;
    if (enable)
        w->Style &= ~WS_DISABLED;
    else
        w->Style |= WS_DISABLED;
    if (!enable) {
        TWindowingState& state = Windowing();
        for (TWindowObject* f = FindWindowObject(state.Focus); f; f = f->Parent)
            if (f == w) {
                SetFocus(0);
                break;
            }
        if (state.Capture == wnd) ReleaseCapture();
    }
    SendMessage(wnd, WM_ENABLE, enable ? 1 : 0);
    return wasDisabled;
}

bool IsIconic(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    return w && (w->Style & WS_MINIMIZE);
}

bool IsZoomed(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    return w && (w->Style & WS_MAXIMIZE);
}

HWND GetParent(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) return 0;
    return w->Parent ? w->Parent->Handle : w->ForeignParent;
}

HWND GetAncestorRoot(HWND wnd)
{
    TWindowObject* r = RootOf(FindWindowObject(wnd));
    return r ? r->Handle : 0;
}

uint64_t NativeWindowOf(HWND wnd)
{
    TWindowObject* r = RootOf(FindWindowObject(wnd));
    return r ? r->Native : 0;
}

HWND SetParent(HWND wnd, HWND newParent)
{
    FlushCarry();
    TWindowingState& state = Windowing();
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || w->Utility) {
        SetLastError(platform::kErrorInvalidWindowHandle);
        return 0;
    }
    TWindowObject* parent = FindWindowObject(newParent);
    if (newParent && !parent && !Platform().ForeignWindowExists(newParent)) {
        SetLastError(platform::kErrorInvalidWindowHandle);
        return 0;
    }
    for (TWindowObject* p = parent; p; p = p->Parent)
        if (p == w) return 0;  // into its own subtree
    const HWND old = GetParent(wnd);
    if (w->Parent) {
        InvalidateRect(w->Parent->Handle, &w->Bounds, true);
        std::erase(w->Parent->Children, w);
        w->Parent = nullptr;
    } else {
        std::erase(state.Roots, w);
        DestroyNativeFor(w);
        w->Back.Clear();
        w->Front.Clear();
        w->Known.Forget();
        w->Surface = {};
    }
    w->ForeignParent = 0;
    if (parent) {
        w->Parent = parent;
        parent->Children.push_back(w);
        w->Style |= WS_CHILD;
        w->Style &= ~WS_POPUP;
    } else {
        w->ForeignParent = newParent;
        state.Roots.push_back(w);
        try {
            CreateNativeFor(w);
        } catch (const Exception&) {
            return 0;
        }
        if (w->Visible()) {
            w->Style &= ~WS_VISIBLE;
            ShowWindow(wnd, SW_SHOWNA);
        }
    }
    RecalcClient(w);
    if ((w = FindWindowObject(wnd)) != nullptr) InvalidateTree(w, true);
    return old;
}

int32_t GetWindowLong(HWND wnd, int index)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) {
        SetLastError(platform::kErrorInvalidWindowHandle);
        return 0;
    }
    switch (index) {
    case GWL_STYLE: return static_cast<int32_t>(w->Style);
    case GWL_EXSTYLE: return static_cast<int32_t>(w->ExStyle);
    case GWL_ID: return w->Id;
    case GWL_USERDATA: return w->UserData;
    case GWL_HWNDPARENT: return static_cast<int32_t>(GetParent(wnd));
    default: SetLastError(1413); return 0;
    }
}

int32_t SetWindowLong(HWND wnd, int index, int32_t value)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) {
        SetLastError(platform::kErrorInvalidWindowHandle);
        return 0;
    }
    int32_t old = 0;
    switch (index) {
    case GWL_STYLE:
        old = static_cast<int32_t>(w->Style);
        // Visibility changes only through ShowWindow.
        w->Style = (static_cast<uint32_t>(value) & ~WS_VISIBLE) | (w->Style & WS_VISIBLE);
        break;
    case GWL_EXSTYLE:
        old = static_cast<int32_t>(w->ExStyle);
        w->ExStyle = static_cast<uint32_t>(value);
        break;
    case GWL_ID:
        old = w->Id;
        w->Id = value;
        break;
    case GWL_USERDATA:
        old = w->UserData;
        w->UserData = value;
        break;
    default: SetLastError(1413); return 0;
    }
    return old;
}

bool SetWindowText(HWND wnd, const std::string& text)
{
    if (!FindWindowObject(wnd)) return false;
    SendMessage(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return true;
}

void NoteMessageBox(HWND wnd, const std::string& caption, const std::string& text)
{
    Platform().NoteMessageBox(NativeWindowOf(wnd), caption, text);
}

std::string GetWindowText(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    return w ? w->Text : std::string();
}

// ---- Metrics and errors -----------------------------------------------------

int GetSystemMetrics(int index)
{
    const platform::ScreenMetrics screen = Platform().Screen();
    switch (index) {
    case SM_CXSCREEN: return screen.width;
    case SM_CYSCREEN: return screen.height;
    case SM_CXFULLSCREEN: return screen.workArea.width();
    case SM_CYFULLSCREEN: return screen.workArea.height() - 19;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CYMENU: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    default: return 0;
    }
}

TRect GetWorkAreaRect()
{
    const platform::Rect r = Platform().Screen().workArea;
    return {r.left, r.top, r.right, r.bottom};
}

int GetLastError()
{
    return Windowing().LastError;
}

void SetLastError(int code)
{
    Windowing().LastError = code;
}

std::string SysErrorMessage(int code)
{
    switch (code) {
    case 0: return "The operation completed successfully.";
    case 2: return "The system cannot find the file specified.";
    case 5: return "Access is denied.";
    case 8: return "Not enough memory resources are available to process this command.";
    case 87: return "The parameter is incorrect.";
    case 1155: return "No application is associated with the specified file for this operation.";
    case 1400: return "Invalid window handle.";
    case 1406: return "Cannot create a top-level child window.";
    case 1413: return "Invalid index.";
    default: return Format("Unknown error %d.", code);
    }
}

void RaiseOSError(int code, const std::string& text)
{
    throw EOSError(Format("System Error.  Code: %d.\r\n%s", code, text));
}

void RaiseLastOSError()
{
    const int code = GetLastError();
    RaiseOSError(code, SysErrorMessage(code));
}
