// What a top-level window's buffer is known to hold: every pixel outside the
// unknown rectangles holds one colour. An erase with that colour then fills
// only the unknown part. Keeping the unknown part, not the filled one, keeps
// the list short when a small area is drawn again and again on a filled
// background. Never claims more than is true: when a list would overflow it
// errs towards filling again.
#pragma once

#include "classlib/windowing/private/Guard.h"
#include "classlib/windowing/private/RectList.h"

class TKnownFill {
public:
    // The whole buffer holds pixel (a new buffer holds zeros).
    void Reset(const TRect& bounds, uint32_t pixel);
    // Nothing is known any more.
    void Forget();
    // Something other than a fill was drawn over area.
    void Drawn(const TRect& area);
    // Area is about to be filled with pixel: sets todo to the parts that may
    // hold anything else, and records the whole area as holding pixel.
    void Fill(const TRect& area, uint32_t pixel, TRectList& todo);
    // Adds to out where the buffer may hold anything but pixel.
    void MayDiffer(uint32_t pixel, TRectList& out) const;

private:
    TRect FBounds;
    TRectList FUnknown;
    uint32_t FPixel = 0;
};
