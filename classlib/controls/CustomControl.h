// TCustomControl: a windowed control with a canvas and Paint.
#pragma once

#include "classlib/controls/ControlCanvas.h"
#include "classlib/controls/WinControl.h"

// A windowed control with a canvas: override Paint.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* Canvas();

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;
    TControlCanvas* ControlCanvas() override { return &FCanvas; }

    TControlCanvas FCanvas;
};
