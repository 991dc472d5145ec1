#include "classlib/controls/ControlRegistry.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {
struct TRegistry {
    std::unordered_map<HWND, TWinControl*> Windows;
    TControl* CaptureControl = nullptr;
    TControl* MouseControl = nullptr;
    std::vector<TControlCanvas*> HeldCanvases;
};

TRegistry& Registry()
{
    static TRegistry registry;
    return registry;
}
}  // namespace

void RegisterControlWindow(HWND wnd, TWinControl* control)
{
    if (wnd) Registry().Windows[wnd] = control;
}

void UnregisterControlWindow(HWND wnd)
{
    Registry().Windows.erase(wnd);
}

TWinControl* FindControl(HWND wnd)
{
    auto& windows = Registry().Windows;
    auto it = windows.find(wnd);
    return it == windows.end() ? nullptr : it->second;
}

void ControlDestroyed(TControl* control)
{
    TRegistry& r = Registry();
    if (r.CaptureControl == control) r.CaptureControl = nullptr;
    if (r.MouseControl == control) r.MouseControl = nullptr;
}

TControl* GetCaptureControl()
{
    TWinControl* owner = FindControl(GetCapture());
    TControl* captured = Registry().CaptureControl;
    if (owner && captured && captured->Parent() == owner) return captured;
    return owner;
}

void SetCaptureControl(TControl* control)
{
    TRegistry& r = Registry();
    r.CaptureControl = nullptr;
    ReleaseCapture();
    if (!control) return;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed) {
        if (!control->Parent()) return;
        r.CaptureControl = control;
        windowed = control->Parent();
    }
    if (windowed->HandleAllocated()) SetCapture(windowed->Handle());
}

TShiftState GetShiftState()
{
    return CurrentShiftState();
}

TControl* MouseControl()
{
    return Registry().MouseControl;
}

void TrackMouseControl(TControl* control)
{
    TRegistry& r = Registry();
    if (control == r.MouseControl) return;
    TControl* old = r.MouseControl;
    r.MouseControl = control;
    if (old && !old->Destroying()) old->Perform(CM_MOUSELEAVE);
    if (control && r.MouseControl == control && !control->Destroying()) control->Perform(CM_MOUSEENTER);
}

TControl* FindDragTarget(TPoint screenPos, bool allowDisabled)
{
    TWinControl* window = FindControl(WindowFromPoint(screenPos));
    if (!window) return nullptr;
    TControl* inner = window->ControlAtPos(window->ScreenToClient(screenPos), allowDisabled);
    return inner ? inner : window;
}

void HoldCanvasDC(TControlCanvas* canvas)
{
    auto& held = Registry().HeldCanvases;
    if (held.capacity() == 0) held.reserve(16);
    if (std::find(held.begin(), held.end(), canvas) == held.end()) held.push_back(canvas);
}

void ReleaseCanvasDC(TControlCanvas* canvas)
{
    std::erase(Registry().HeldCanvases, canvas);
}

void FreeDeviceContexts()
{
    auto& held = Registry().HeldCanvases;
    while (!held.empty()) held.back()->FreeHandle();
}
