// Background sharing: a transparent control may take the picture beneath it
// from its parent, when the parent (or, on a form, a provider component
// placed on it) keeps a background image.
#pragma once

#include "classlib/controls/Control.h"

class IDcBackgroundProvider {
public:
    virtual ~IDcBackgroundProvider() = default;
    // Whether a background image exists.
    virtual bool BackBitmapCheck() = 0;
    // The image, or nullptr.
    virtual TBitmap* BackBitmap() = 0;
    // A point of the provider's client area in the image.
    virtual TPoint BackMapPoint(TPoint point) = 0;
    // Copies the image behind source (provider's client coordinates) to dest of canvas.
    virtual void BackDrawArea(TCanvas* canvas, const TRect& dest, const TRect& source) = 0;
    // Tells the dependants that the image changed.
    virtual void BackUpdate() = 0;
};

// Who answers a control's background questions: its parent when the parent
// provides, else a non-visual provider owned by the parent; nullptr when none.
IDcBackgroundProvider* DcBackgroundProviderOf(TControl* control);
// Whether the control's parent offers a background image.
bool DcBackBitmapCheck(TControl* control);
// Copies the background behind the control into dest of canvas; false when none.
bool DcBackDrawArea(TControl* control, TCanvas* canvas, const TRect& dest);

// Whether the platform's visual styles are active. This platform has none,
// so panels always take the plain path and show their Color.
bool DcThemesActive();
