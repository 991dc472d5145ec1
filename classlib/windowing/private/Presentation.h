// What a top-level window draws into and has shown: its buffer (its own, or
// the native window's), the copy of what was presented last, what was drawn
// since, the pixels carried by moves, and where the buffer is known to hold
// one colour. Only pixels that changed are presented.
#pragma once

#include "classlib/raster/RasterTypes.h"
#include "classlib/windowing/private/Guard.h"
#include "classlib/windowing/private/KnownFill.h"
#include "classlib/windowing/private/RectList.h"
#include "classlib/windowing/private/ZeroedPixels.h"

struct TWindowObject;

struct TPresentation {
    TZeroedPixels Back;        // what the controls paint, unless the native window lends its buffer
    TZeroedPixels Front;       // what was presented last
    TPixelSurface Surface;     // Back, or the native window's own buffer
    bool NativeBuffer = false; // Surface lies in the native window's buffer
    TRectList Damage;          // buffer coordinates, painted but not yet presented
    TRect Carried;             // buffer coordinates, moved pixels: presented without comparing
    TRect FrontStale;          // where Front is not kept: presented without comparing
    TKnownFill Known;          // buffer coordinates: where the buffer holds one colour
    bool FullPresent = false;
};

// The surface a window's tree draws on (its top-level window's); empty when none.
const TPixelSurface& SurfaceOf(const TWindowObject* root);
// Gives a top-level window its buffers at its size; a child window has none
// (DropBuffers, when a top-level window becomes a child).
void ResizeBuffers(TWindowObject* w);
void DropBuffers(TWindowObject* w);
// The native window that lent its buffer goes away: the pixels go with it.
void ForgetNativeBuffer(TWindowObject* w);
// A top-level window's native window was just shown, black: what was
// presented before is gone, and only what may not be black is sent again.
void PresentOverBlack(TWindowObject* root);
// Presents what changed in the top-level window's buffer since the last present.
void PresentChanged(TWindowObject* root);
// Sends area (buffer coordinates) of the buffer again, as it is.
void PresentArea(TWindowObject* root, const TRect& area);
// Records that area of a top-level window's buffer may have been drawn on.
void MarkDrawn(TWindowObject* root, const TRect& area);
