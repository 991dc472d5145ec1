// Inside the controls layer: which control owns which window, the mouse
// capture of non-windowed controls, the control under the pointer, and the
// canvases holding a device context outside a paint.
#pragma once

#include "classlib/controls/Controls.h"

void RegisterControlWindow(HWND wnd, TWinControl* control);
void UnregisterControlWindow(HWND wnd);
// Forgets every reference to a control that is going away.
void ControlDestroyed(TControl* control);
// Sends CM_MOUSELEAVE / CM_MOUSEENTER when the control under the pointer changes.
void TrackMouseControl(TControl* control);
TControl* MouseControl();
void HoldCanvasDC(TControlCanvas* canvas);
void ReleaseCanvasDC(TControlCanvas* canvas);
