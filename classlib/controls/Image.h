// TImage: a picture on its parent's surface.
#pragma once

#include "classlib/controls/GraphicControl.h"
#include "classlib/graphics/Picture.h"

#include <memory>

// Shows a picture: at the top-left, centred, or stretched (optionally keeping its proportions).
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;
    TPicture* Picture() { return &FPicture; }
    void SetPicture(const TPicture* value) { FPicture.Assign(value); }
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    // Where the picture lands in the client area.
    TRect DestRect();

protected:
    void Paint() override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;

private:
    void PictureChanged();
    TPicture FPicture;
    bool FCenter = false;
    bool FStretch = false;
    bool FProportional = false;
    bool FTransparent = false;
};
