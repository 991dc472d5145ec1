// TGraphicControl: a control without a window, painted on its parent's surface.
#pragma once

#include "classlib/controls/Control.h"
#include "classlib/controls/ControlCanvas.h"

// A control without a window: painted by its parent on the parent's surface.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    // The canvas of the current paint (or, outside a paint, of the parent's window).
    TCanvas* Canvas();

protected:
    virtual void Paint() {}
    TControlCanvas* ControlCanvas() override { return &FCanvas; }
    // Attaches the message's device context, calls Paint, detaches it again.
    virtual void WMPaint(TMessage& Message);
    void Dispatch(TMessage& Message) override;

    TControlCanvas FCanvas;
};
