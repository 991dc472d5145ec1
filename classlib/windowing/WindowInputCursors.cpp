// The pointer: standard cursors, the cursor shown over our windows, and where the pointer is.
#include "classlib/system/Resources.h"
#include "classlib/windowing/MessageQueue.h"
#include "classlib/windowing/private/InputQueue.h"
#include "classlib/windowing/private/PointerShape.h"
#include "classlib/windowing/private/WindowObject.h"
#include "classlib/windowing/WindowInput.h"

#include <string>

HCURSOR LoadCursor(HINSTANCE instance, uintptr_t id)
{
    if (instance != 0) return 0;
    using platform::PointerShape;
    switch (id) {
    case IDC_ARROW: return CursorOf(PointerShape::Arrow);
    case IDC_IBEAM: return CursorOf(PointerShape::IBeam);
    case IDC_WAIT: return CursorOf(PointerShape::Wait);
    case IDC_CROSS: return CursorOf(PointerShape::Cross);
    case IDC_UPARROW: return CursorOf(PointerShape::UpArrow);
    case IDC_SIZE:
    case IDC_SIZEALL: return CursorOf(PointerShape::SizeAll);
    case IDC_ICON: return CursorOf(PointerShape::Arrow);
    case IDC_SIZENWSE: return CursorOf(PointerShape::SizeNWSE);
    case IDC_SIZENESW: return CursorOf(PointerShape::SizeNESW);
    case IDC_SIZEWE: return CursorOf(PointerShape::SizeWE);
    case IDC_SIZENS: return CursorOf(PointerShape::SizeNS);
    case IDC_NO: return CursorOf(PointerShape::No);
    case IDC_HAND: return CursorOf(PointerShape::Hand);
    case IDC_APPSTARTING: return CursorOf(PointerShape::AppStarting);
    case IDC_HELP: return CursorOf(PointerShape::Help);
    default: return 0;
    }
}

HCURSOR LoadCursor(HINSTANCE instance, const char* name)
{
    // Cursor resources are shown as the standard pointer their name says.
    if (!name || !FindResource(name, "CURSOR")) return instance ? 0 : 0;
    const std::string n = name;
    return n.find("HAND") != std::string::npos ? CursorOf(platform::PointerShape::Hand)
                                               : CursorOf(platform::PointerShape::Arrow);
}

HCURSOR SetCursor(HCURSOR cursor)
{
    TInputState& state = InputState();
    const HCURSOR old = state.CursorSet ? state.Cursor : CursorOf(platform::PointerShape::Arrow);
    state.Cursor = cursor;
    state.CursorSet = true;
    ApplyPointerShape();
    return old;
}

HCURSOR GetCursor()
{
    TInputState& state = InputState();
    return state.CursorSet ? state.Cursor : CursorOf(platform::PointerShape::Arrow);
}

bool GetCursorPos(TPoint& point)
{
    const platform::Point p = Platform().PointerPosition();
    point = {p.x, p.y};
    return true;
}

void RefreshPointerShape()
{
    // What a move would ask for, without a move: a window that appears under a
    // still pointer, or a cursor that changes beneath it, shows its pointer at once.
    TInputState& state = InputState();
    if (state.Capture) return;
    TPoint point;
    GetCursorPos(point);
    const HWND h = WindowFromPoint(point);
    TWindowObject* w = FindWindowObject(h);
    if (!w) return;
    state.PointerRoot = RootOf(w)->Handle;
    const LRESULT hit = SendMessage(h, WM_NCHITTEST, 0, PointToLParam(point));
    if (!FindWindowObject(h)) return;
    SendMessage(h, WM_SETCURSOR, h, MAKELPARAM(static_cast<int>(hit), WM_MOUSEMOVE));
}
