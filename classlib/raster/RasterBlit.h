// Block copies between surfaces: 1:1 copies run row by row as memory moves;
// different sizes stretch by nearest neighbour (destination pixel i takes source
// pixel floor(i * source size / destination size)), and a negative size on one
// side mirrors. Optionally pixels of a key colour are left out or replaced by a
// brush.
#pragma once

#include "classlib/raster/RasterInk.h"

namespace Raster {

struct TBlitKey {
    enum TMode { kmNone, kmSkip, kmBrush };
    TMode Mode = kmNone;
    uint32_t Key = 0;                // 0x00RRGGBB
    const TBrushInk* Brush = nullptr; // kmBrush: paints the key's pixels
};

// Copies source's rectangle src onto the target's rectangle dest (both in
// device pixels of their surfaces). Parts of src outside the source surface
// leave the destination alone; source and target may be the same surface.
void StretchBlit(const TTarget& target, const TBox& dest, const TPixelSurface& source, const TBox& src,
                 const TBlitKey& key = {});

} // namespace Raster
