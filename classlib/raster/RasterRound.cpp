// Ellipse outlines by the midpoint walk, and rounded rectangles built from them.
#include "classlib/raster/RasterRound.h"

#include <algorithm>
#include <cmath>

namespace Raster {

TEllipseRows::TEllipseRows(Coord width, Coord height)
    : FWidth(std::max<Coord>(width, 1)), FHeight(std::max<Coord>(height, 1)),
      FTable(FWidth <= MaxTableWidth && FHeight - FHeight / 2 <= MaxTableRows)
{
    if (FTable) Walk();
}

void TEllipseRows::Walk()
{
    const Coord w = FWidth, h = FHeight;
    const Coord a = w - 1, b = h - 1;
    const Coord stepX = 8 * b * b, stepY = 8 * a * a;
    // Integer error of the ideal curve through the pixel centres, scaled so that
    // boxes of odd and even size (half-pixel centres) share one walk.
    Coord dx = 4 * b * b * (1 - a);
    Coord dy = 4 * a * a * (1 + b % 2);
    Coord err = dx + dy + a * a * (b % 2);
    const Coord firstRow = h / 2;
    auto store = [&](Coord row, Coord low, Coord high) {
        if (row < firstRow || row >= h) return;
        FLow[static_cast<size_t>(row - firstRow)] = static_cast<int32_t>(low);
        FHigh[static_cast<size_t>(row - firstRow)] = static_cast<int32_t>(high);
    };

    Coord x = a, y = firstRow;
    Coord row = y, high = x, low = x;
    while (x >= w / 2) {
        if (y != row) {
            store(row, low, high);
            row = y;
            high = x;
        }
        low = x;
        const Coord e2 = 2 * err;
        if (e2 >= dx) {
            --x;
            dx += stepX;
            err += dx;
        }
        if (e2 <= dy) {
            ++y;
            dy += stepY;
            err += dy;
        }
    }
    store(row, low, high);
    // A narrow box leaves the walk short of the bottom: finish with a straight tip.
    while (row < h - 1) {
        ++row;
        store(row, low, low);
    }
}

double TEllipseRows::AnalyticRight(double y) const
{
    const double half = static_cast<double>(FWidth - 1) / 2, centreY = static_cast<double>(FHeight - 1) / 2;
    const double t = FHeight > 1 ? (y - centreY) / centreY : 0.0;
    return half + half * std::sqrt(std::max(0.0, 1.0 - t * t));
}

void TEllipseRows::QuadrantRun(Coord y, Coord& low, Coord& high) const
{
    if (FTable) {
        low = FLow[static_cast<size_t>(y - FHeight / 2)];
        high = FHigh[static_cast<size_t>(y - FHeight / 2)];
        return;
    }
    // The pixel nearest the curve at the row's centre, widened to where the curve
    // enters and leaves the row: the run of a flat part of the curve.
    const Coord middle = FWidth / 2;
    const double row = static_cast<double>(y), centreY = static_cast<double>(FHeight - 1) / 2;
    const Coord nearest = static_cast<Coord>(std::floor(AnalyticRight(row) + 0.5));
    high = std::max(nearest, static_cast<Coord>(std::floor(AnalyticRight(std::max(row - 0.5, centreY)))));
    low = row + 0.5 <= static_cast<double>(FHeight - 1)
              ? std::min(nearest, static_cast<Coord>(std::floor(AnalyticRight(row + 0.5))) + 1)
              : std::min(nearest, middle);
    high = std::clamp<Coord>(high, middle, FWidth - 1);
    low = std::clamp<Coord>(low, middle, high);
}

TShapeRow TEllipseRows::Row(Coord y) const
{
    Coord low = 0, high = 0;
    QuadrantRun(y >= FHeight / 2 ? y : FHeight - 1 - y, low, high);
    return {FWidth - 1 - high, FWidth - low, low, high + 1};
}

TRoundShape::TRoundShape(Coord width, Coord height, Coord cornerWidth, Coord cornerHeight)
    : FWidth(std::max<Coord>(width, 1)), FHeight(std::max<Coord>(height, 1)),
      FCorner(std::clamp<Coord>(cornerWidth, 1, FWidth), std::clamp<Coord>(cornerHeight, 1, FHeight))
{
}

TShapeRow TRoundShape::Row(Coord y) const
{
    const Coord cornerHeight = FCorner.Height(), half = cornerHeight / 2;
    const Coord stretch = FWidth - FCorner.Width();
    TShapeRow r;
    if (y < half) {
        r = FCorner.Row(y);
    } else if (y >= FHeight - half) {
        r = FCorner.Row(y - (FHeight - cornerHeight));
    } else {
        r = FCorner.Row(half);
        if (FHeight != cornerHeight) {
            // Between the corners the sides are straight, one pixel wide.
            r.InnerLeft = r.OuterLeft + 1;
            r.InnerRight = r.OuterRight - 1;
        }
    }
    // The right half moves over by the stretch; the top and bottom rows become
    // straight edges across the whole width.
    if (!r.HasInterior() && (y == 0 || y == FHeight - 1)) {
        r.OuterRight += stretch;
        r.InnerLeft = r.InnerRight = r.OuterRight;
    } else {
        r.InnerRight += stretch;
        r.OuterRight += stretch;
    }
    return r;
}

} // namespace Raster
