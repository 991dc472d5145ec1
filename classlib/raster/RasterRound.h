// Ellipses and rounded rectangles as rows of pixels.
//
// The outline of the ellipse in a w x h box is traced as the platform traces it:
// a midpoint walk over the lower right quadrant from the right end of the middle
// row, stepping left and/or down by the sign of the error of the ideal curve,
// mirrored into the other quadrants; a box too narrow for the walk to reach the
// bottom row is finished with a straight tip. Boxes too large for the exact walk
// to be cheap (far beyond any surface) fall back to the analytic curve, row by
// row, so only visible rows cost anything.
#pragma once

#include "classlib/raster/RasterInk.h"

#include <array>

namespace Raster {

// One row of a shape, relative to its box: the outline's left run [OuterLeft,
// InnerLeft) and right run [InnerRight, OuterRight), the interior between them.
// Near the top and bottom the runs may meet or overlap: then the whole row
// [OuterLeft, OuterRight) is outline and there is no interior.
struct TShapeRow {
    Coord OuterLeft = 0, InnerLeft = 0, InnerRight = 0, OuterRight = 0;
    bool Empty() const { return OuterLeft >= OuterRight; }
    bool HasInterior() const { return InnerLeft < InnerRight; }
};

class TEllipseRows {
public:
    // The ellipse filling a width x height box (both at least 1).
    TEllipseRows(Coord width, Coord height);
    Coord Width() const { return FWidth; }
    Coord Height() const { return FHeight; }
    // Row y of the box, 0 <= y < Height().
    TShapeRow Row(Coord y) const;

private:
    // Rows of the lower half kept from the exact walk; 16 KB on the stack.
    static constexpr Coord MaxTableRows = 2048;
    static constexpr Coord MaxTableWidth = 65536;

    void Walk();
    // The lower right quadrant's run [low, high] in lower-half row y (y >= Height() / 2).
    void QuadrantRun(Coord y, Coord& low, Coord& high) const;
    // The curve's x right of the centre at row position y.
    double AnalyticRight(double y) const;

    Coord FWidth;
    Coord FHeight;
    bool FTable;
    std::array<int32_t, MaxTableRows> FLow;
    std::array<int32_t, MaxTableRows> FHigh;
};

// A width x height rectangle whose corners are the quarters of a corner ellipse
// (at most the rectangle's size); with the corner as large as the box it is the
// ellipse itself.
class TRoundShape {
public:
    TRoundShape(Coord width, Coord height, Coord cornerWidth, Coord cornerHeight);
    Coord Width() const { return FWidth; }
    Coord Height() const { return FHeight; }
    TShapeRow Row(Coord y) const;

private:
    Coord FWidth;
    Coord FHeight;
    TEllipseRows FCorner;
};

} // namespace Raster
