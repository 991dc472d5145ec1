// TDcCustomControl: the windowed base of the date clock family, with the
// transparency flag and its background handling.
#pragma once

#include "classlib/controls/CustomControl.h"

class TDcCustomControl : public TCustomControl {
public:
    explicit TDcCustomControl(TComponent* AOwner);

    // Not transparent: the control is opaque. A change recreates a shown window.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    // Whether the control takes part in the platform's visual styles.
    bool CtlXP() const { return FCtlXP; }
    void SetCtlXP(bool value) { FCtlXP = value; }
    // The platform painted the parent's background beneath the control at the last erase.
    bool BackgroundPainted() const { return FBackgroundPainted; }

    // Themed transparency: transparent, visual styles active, CtlXP, and no
    // background image from the parent.
    bool XPSupportsTransparency();
    // Whether a background image is available to this control.
    virtual bool CheckOptimized();
    // Prepares the client area for painting: the background image, or what
    // the erase step left, or a fill with Color.
    void FillControl();

protected:
    void CreateParams(TCreateParams& Params) override;
    void WMEraseBkgnd(TMessage& Message) override;

    bool FBackgroundPainted = false;

private:
    bool FTransparent = false;
    bool FCtlXP = true;
};
