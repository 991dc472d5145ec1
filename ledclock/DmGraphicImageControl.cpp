// The off-screen-bitmap base: every paint is drawn into FOffscreen and copied
// to the screen in one block; in transparent mode the image beneath the
// control is captured once and reused for the control's own repaints.
#include "ledclock/DmControls.h"
#include "ledclock/DmSysUtils.h"

namespace {

// Unlocks a canvas when the scope ends, also when a paint raises.
class TCanvasLockGuard {
public:
    explicit TCanvasLockGuard(TCanvas& canvas) : FCanvas(canvas) { FCanvas.Lock(); }
    ~TCanvasLockGuard() { FCanvas.Unlock(); }
    TCanvasLockGuard(const TCanvasLockGuard&) = delete;
    TCanvasLockGuard& operator=(const TCanvasLockGuard&) = delete;

private:
    TCanvas& FCanvas;
};

// Detaches a control canvas from the paint's device context when the scope ends.
class TPaintDCGuard {
public:
    TPaintDCGuard(TControlCanvas& canvas, HDC dc) : FCanvas(canvas) { FCanvas.SetDC(dc); }
    ~TPaintDCGuard() { FCanvas.SetDC(nullptr); }
    TPaintDCGuard(const TPaintDCGuard&) = delete;
    TPaintDCGuard& operator=(const TPaintDCGuard&) = delete;

private:
    TControlCanvas& FCanvas;
};

}  // namespace

TDmGraphicImageControl::TDmGraphicImageControl(TComponent* AOwner) : TDmGraphicControl(AOwner)
{
}

TDmGraphicImageControl::~TDmGraphicImageControl() = default;

void TDmGraphicImageControl::SetTransparent(bool value)
{
    if (value == FTransparent) return;
    FTransparent = value;
    if (value) {
        SetControlStyle(ControlStyle() & ~csOpaque);
    } else {
        SetControlStyle(ControlStyle() | csOpaque);
    }
    if (Designing()) {
        Invalidate();
    } else {
        UpdateControlCanvas();
    }
}

void TDmGraphicImageControl::UpdateControlCanvas()
{
    // A repaint the control asks for itself can reuse the captured image, so
    // the parent need not paint beneath it.
    if (!Designing() && FTransparent && !FParentImage.Empty()) {
        FCopyParent = false;
        SetControlStyle(ControlStyle() | csOpaque);
    }
    TDmGraphicControl::UpdateControlCanvas();
}

void TDmGraphicImageControl::WMPaint(TMessage& Message)
{
    HDC dc = MessageDC(Message);
    if (!dc || Destroying()) return;
    TCanvasLockGuard controlLock(FCanvas);
    if (FOffscreen.Width() != Width() || FOffscreen.Height() != Height()) FOffscreen.SetSize(Width(), Height());
    TCanvasLockGuard bitmapLock(*FOffscreen.Canvas());
    TPaintDCGuard attached(FCanvas, dc);
    Paint();
}

void TDmGraphicImageControl::ClearBitmapCanvas()
{
    TCanvas* canvas = FOffscreen.Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    if (FTransparent) {
        if (FCopyParent) CopyParentImage();
        CopyOverlayImage();
    } else {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(BitmapRect(FOffscreen));
    }
}

void TDmGraphicImageControl::CopyParentImage()
{
    FParentImage.SetSize(Width(), Height());
    // During a paint the control canvas shows what the parent painted beneath
    // the control; its clip is the part being painted.
    const TRect clip = FCanvas.ClipRect();
    FParentImage.Canvas()->CopyRect(clip, &FCanvas, clip);
}

void TDmGraphicImageControl::CopyOverlayImage()
{
    const TRect whole = BitmapRect(FOffscreen);
    FOffscreen.Canvas()->CopyRect(whole, FParentImage.Canvas(), whole);
}

void TDmGraphicImageControl::Paint()
{
    const TRect whole(0, 0, Width(), Height());
    FCanvas.CopyRect(whole, FOffscreen.Canvas(), whole);
    if (FTransparent) {
        // A paint caused from outside (the parent repainting, the control
        // moving) must capture the image beneath afresh.
        FCopyParent = true;
        SetControlStyle(ControlStyle() & ~csOpaque);
    }
}
