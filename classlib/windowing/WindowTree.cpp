// Window objects behind their handles: creation and destruction, procedures,
// parents, styles and text.
#include "classlib/windowing/WindowTree.h"

#include "classlib/system/OSError.h"
#include "classlib/windowing/MessageQueue.h"
#include "classlib/windowing/private/DeviceContextPool.h"
#include "classlib/windowing/private/InputQueue.h"
#include "classlib/windowing/private/NativeWindow.h"
#include "classlib/windowing/private/TimerTable.h"
#include "classlib/windowing/private/WindowFrame.h"
#include "classlib/windowing/private/WindowMove.h"
#include "classlib/windowing/private/WindowObject.h"
#include "classlib/windowing/WindowGeometry.h"
#include "classlib/windowing/WindowPaint.h"

#include <algorithm>

namespace {
HWND gCreating = 0;
}  // namespace

HWND CreatingWindow()
{
    return gCreating;
}

HWND CreateWindowHandle(const TCreateParams& params, TWndMethod proc)
{
    TWindowTable& table = WindowTable();
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
    w->Handle = table.NextHandle++;
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
        table.Roots.push_back(w);
    }
    const HWND handle = w->Handle;
    table.Windows.emplace(handle, std::move(owned));

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
    TWindowTable& table = WindowTable();
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
    TInputState& input = InputState();
    if (input.Capture == wnd) input.Capture = 0;
    if (input.Focus == wnd) input.Focus = 0;
    if (input.Active == wnd) input.Active = 0;
    DropTimersOf(wnd);
    ForgetWindowInput(w);
    ForgetDeviceContextsOf(wnd);
    DestroyNativeFor(w);
    if (w->Parent)
        std::erase(w->Parent->Children, w);
    else
        std::erase(table.Roots, w);
    table.Windows.erase(wnd);
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
    TWindowTable& table = WindowTable();
    auto owned = std::make_unique<TWindowObject>();
    owned->Handle = table.NextHandle++;
    owned->Proc = std::make_shared<const TWndMethod>(std::move(method));
    owned->Utility = true;
    const HWND handle = owned->Handle;
    table.Windows.emplace(handle, std::move(owned));
    return handle;
}

void DeallocateHWnd(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || !w->Utility) return;
    DropTimersOf(wnd);
    WindowTable().Windows.erase(wnd);
}

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
