// TControlCanvas: the canvas a control draws with.
#pragma once

#include "classlib/graphics/Canvas.h"
#include "classlib/windowing/Messages.h"

class TControl;

// A canvas that draws on a control: during a paint the paint's device context,
// otherwise a context taken from the control's window on first use and given
// back after the current message (FreeDeviceContexts).
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(class TControl* control) : FControl(control) {}
    ~TControlCanvas() override;
    TControl* Control() const { return FControl; }
    // Attaches a paint's context (nullptr detaches).
    void SetDC(HDC dc);
    HDC DC() const { return FDC; }
    // Makes sure the canvas can draw: takes a context when it has none.
    void RequireHandle();
    // Gives back a context taken by RequireHandle.
    void FreeHandle();
    // Runs paint with the canvas locked and attached to dc; detached and
    // unlocked again afterwards, also when paint throws.
    template <typename TPaint>
    void PaintOn(HDC dc, TPaint&& paint)
    {
        struct TAttached {
            TControlCanvas& Canvas;
            TAttached(TControlCanvas& canvas, HDC context) : Canvas(canvas)
            {
                Canvas.Lock();
                Canvas.SetDC(context);
            }
            ~TAttached()
            {
                Canvas.SetDC(nullptr);
                Canvas.Unlock();
            }
        } attached(*this, dc);
        paint();
    }

private:
    TControl* FControl;
    HDC FDC = nullptr;
    bool FOwnsDC = false;
};
