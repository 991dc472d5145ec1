// Which control owns which window, the mouse capture of non-windowed
// controls, the control under the pointer, and the canvases holding a device
// context outside a paint.
#pragma once

#include "classlib/controls/Control.h"
#include "classlib/controls/ControlCanvas.h"
#include "classlib/controls/WinControl.h"

void RegisterControlWindow(HWND wnd, TWinControl* control);
void UnregisterControlWindow(HWND wnd);
// Forgets every reference to a control that is going away.
void ControlDestroyed(TControl* control);
// Sends CM_MOUSELEAVE / CM_MOUSEENTER when the control under the pointer changes.
void TrackMouseControl(TControl* control);
TControl* MouseControl();
void HoldCanvasDC(TControlCanvas* canvas);
void ReleaseCanvasDC(TControlCanvas* canvas);

// The control whose window is wnd, or nullptr.
TWinControl* FindControl(HWND wnd);
// The control (windowed or not) under a screen point, or nullptr.
TControl* FindDragTarget(TPoint screenPos, bool allowDisabled);
// The non-windowed control that holds the mouse capture, or nullptr.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);
// Gives back the device contexts that control canvases took outside a paint;
// the loop calls it after every message.
void FreeDeviceContexts();
