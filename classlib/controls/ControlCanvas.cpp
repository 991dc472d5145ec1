// The canvas of a control: a paint's context, or one taken from its window.
#include "classlib/controls/ControlCanvas.h"

#include "classlib/controls/ControlRegistry.h"
#include "classlib/controls/WinControl.h"
#include "classlib/windowing/DeviceContext.h"

TControlCanvas::~TControlCanvas()
{
    FreeHandle();
}

void TControlCanvas::SetDC(HDC dc)
{
    if (FOwnsDC) FreeHandle();
    FDC = dc;
    AttachCanvas(*this, dc);
}

void TControlCanvas::RequireHandle()
{
    if (FDC || !FControl || FControl->IsLoadingOrDestroying()) return;
    HDC dc = nullptr;
    if (auto* windowed = dynamic_cast<TWinControl*>(FControl)) {
        if (windowed->HandleAllocated()) dc = GetDC(windowed->Handle());
    } else if (FControl->HasParentWindow()) {
        dc = GetDC(FControl->Parent()->Handle());
        if (dc) *dc = OffsetDeviceContext(*dc, FControl->Left(), FControl->Top(), FControl->Width(), FControl->Height());
    }
    if (!dc) return;
    FDC = dc;
    FOwnsDC = true;
    AttachCanvas(*this, dc);
    HoldCanvasDC(this);
}

void TControlCanvas::FreeHandle()
{
    if (!FOwnsDC) return;
    ReleaseCanvasDC(this);
    HDC dc = FDC;
    FDC = nullptr;
    FOwnsDC = false;
    AttachCanvas(*this, nullptr);
    ReleaseDC(dc->Window, dc);
}
