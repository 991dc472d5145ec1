// Polygon interiors by scanlines. Row y is cut at the exact x where each edge
// crosses it (an edge covers the rows from its upper end up to but excluding its
// lower end), and the pixels from the ceiling of one crossing up to but excluding
// the ceiling of the next are inside: left and top boundaries belong to the
// polygon, right and bottom ones do not.
#pragma once

#include "classlib/raster/RasterInk.h"

namespace Raster {

struct TDevicePoint {
    Coord X = 0;
    Coord Y = 0;
};

// Fills the closed polygon through points (device pixels) with brush, by the
// alternate (even-odd) or winding rule.
void FillPolygon(const TTarget& target, const TDevicePoint* points, int count, TFillMode fillMode,
                 const TBrushInk& brush, TPenMode mode);

} // namespace Raster
