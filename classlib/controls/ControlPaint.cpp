// Repaint requests and the canvases of controls.
#include "classlib/controls/Controls.h"

#include "classlib/controls/ControlRegistry.h"

// ---- TControl ---------------------------------------------------------------

void TControl::Invalidate()
{
    if (!FVisible || !HasParentWindow() || IsLoadingOrDestroying()) return;
    const TRect r = BoundsRect();
    // An opaque control covers its area itself: the parent need not erase it.
    InvalidateRect(FParent->Handle(), &r, !(FControlStyle & csOpaque));
}

void TControl::Update()
{
    if (FParent) FParent->Update();
}

void TControl::PaintOnParent(HDC dc)
{
    if (FParent) FParent->PaintControls(dc, this);
}

void TControl::Repaint()
{
    if (!FVisible || !HasParentWindow() || IsLoadingOrDestroying()) return;
    if (FControlStyle & csOpaque) {
        // Straight onto the parent's surface: this control and the later
        // non-windowed siblings overlapping it, nothing of the parent beneath.
        PaintClientNow(FParent->Handle(), BoundsRect(), [this](HDC dc) { PaintOnParent(dc); });
    } else {
        Invalidate();
        Update();
    }
}

// ---- TWinControl ------------------------------------------------------------

void TWinControl::Invalidate()
{
    if (!HandleAllocated() || IsLoadingOrDestroying()) return;
    InvalidateRect(FHandle, nullptr, !(FControlStyle & csOpaque));
}

void TWinControl::Update()
{
    if (HandleAllocated()) UpdateWindow(FHandle);
}

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

void TWinControl::PaintOnParent(HDC)
{
    Repaint();
}

// ---- TControlCanvas ---------------------------------------------------------

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

// ---- TGraphicControl --------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(this)
{
}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas()
{
    FCanvas.RequireHandle();
    return &FCanvas;
}

void TGraphicControl::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_PAINT) {
        WMPaint(Message);
        return;
    }
    TControl::Dispatch(Message);
}

void TGraphicControl::WMPaint(TMessage& Message)
{
    HDC dc = MessageDC(Message);
    if (!dc || Destroying()) return;
    FCanvas.PaintOn(dc, [this] { Paint(); });
}

// ---- TCustomControl ---------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(this)
{
}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas()
{
    FCanvas.RequireHandle();
    return &FCanvas;
}

void TCustomControl::PaintWindow(HDC dc)
{
    FCanvas.PaintOn(dc, [this] { Paint(); });
}
