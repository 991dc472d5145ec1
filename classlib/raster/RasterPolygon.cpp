// Scanline fill of polygons.
#include "classlib/raster/RasterPolygon.h"

#include <algorithm>
#include <vector>

namespace Raster {

namespace {

__extension__ typedef __int128 Wide;

struct TCrossing {
    Coord X;
    int Direction; // +1 for an edge going down, -1 going up
    bool operator<(const TCrossing& other) const { return X < other.X; }
};

Coord CeilDiv(Wide a, Wide n) // n > 0
{
    Wide q = a / n;
    if (a % n != 0 && a > 0) ++q;
    return static_cast<Coord>(q);
}

// Typical polygons (segment outlines, arrows, glyph parts) fit here without the heap.
constexpr int StackCrossings = 64;

} // namespace

void FillPolygon(const TTarget& target, const TDevicePoint* points, int count, TFillMode fillMode,
                 const TBrushInk& brush, TPenMode mode)
{
    if (!points || count < 3 || !brush.Paints() || target.Empty()) return;
    Coord top = points[0].Y, bottom = points[0].Y;
    for (int i = 1; i < count; ++i) {
        top = std::min(top, points[i].Y);
        bottom = std::max(bottom, points[i].Y);
    }
    top = std::max<Coord>(top, target.Clip().Top);
    bottom = std::min<Coord>(bottom, target.Clip().Bottom);
    if (top >= bottom) return;

    TCrossing local[StackCrossings];
    std::vector<TCrossing> spill;
    TCrossing* crossings = local;
    if (count > StackCrossings) {
        spill.resize(static_cast<size_t>(count));
        crossings = spill.data();
    }

    for (Coord y = top; y < bottom; ++y) {
        int found = 0;
        for (int i = 0; i < count; ++i) {
            const TDevicePoint& a = points[i];
            const TDevicePoint& b = points[i + 1 < count ? i + 1 : 0];
            if (a.Y == b.Y) continue;
            const bool down = a.Y < b.Y;
            const TDevicePoint& upper = down ? a : b;
            const TDevicePoint& lower = down ? b : a;
            if (y < upper.Y || y >= lower.Y) continue;
            const Coord x = upper.X + CeilDiv(Wide(y - upper.Y) * (lower.X - upper.X), lower.Y - upper.Y);
            crossings[found++] = {x, down ? 1 : -1};
        }
        std::sort(crossings, crossings + found);
        if (fillMode == fmAlternate) {
            for (int k = 0; k + 1 < found; k += 2) target.BrushSpan(y, crossings[k].X, crossings[k + 1].X, brush, mode);
        } else {
            int winding = 0;
            for (int k = 0; k + 1 < found; ++k) {
                winding += crossings[k].Direction;
                if (winding != 0) target.BrushSpan(y, crossings[k].X, crossings[k + 1].X, brush, mode);
            }
        }
    }
}

} // namespace Raster
