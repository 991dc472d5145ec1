// Pixel-exact lines. A line from (x0, y0) to (x1, y1) lights max(|dx|, |dy|)
// pixels: one per step along the major axis, the start included and the end
// excluded; the minor coordinate is the exact one rounded to nearest with halves
// going to the smaller coordinate, so a line and its reverse light the same pixels
// apart from their ends. Any pixel of a line is computed directly, so clipping
// skips invisible steps instead of walking them, however far away the ends are.
#pragma once

#include "classlib/raster/RasterInk.h"

namespace Raster {

class TLineWalk {
public:
    TLineWalk(Coord x0, Coord y0, Coord x1, Coord y1);

    Coord Steps() const { return FSteps; }
    bool XMajor() const { return FXMajor; }

    // Calls plot(x, y, step) for the line's pixels inside box, in order of step.
    template <typename Plot>
    void ForEach(const TBox& box, Plot&& plot) const
    {
        Coord first = 0, last = -1;
        if (!VisibleSteps(box, first, last)) return;
        TMinorStepper minor = MinorAt(first);
        for (Coord i = first; i <= last; ++i) {
            const Coord major = FMajor0 + FMajorSign * i;
            if (FXMajor)
                plot(major, minor.Value, i);
            else
                plot(minor.Value, major, i);
            minor.Step(FMinorDelta2, FDenominator);
        }
    }

private:
    // The minor coordinate as ceil(A / N), kept as Value with remainder
    // Value * N - A in [0, N), advanced by adding 2 * minor delta to A.
    struct TMinorStepper {
        Coord Value;
        Coord Remainder;
        void Step(Coord delta2, Coord denominator)
        {
            Remainder -= delta2;
            while (Remainder < 0) {
                Remainder += denominator;
                ++Value;
            }
            while (Remainder >= denominator) {
                Remainder -= denominator;
                --Value;
            }
        }
    };

    TMinorStepper MinorAt(Coord step) const;
    Coord MinorValue(Coord step) const { return MinorAt(step).Value; }
    // The steps [first, last] whose pixels can lie inside box; false when none do.
    bool VisibleSteps(const TBox& box, Coord& first, Coord& last) const;

    bool FXMajor = true;
    Coord FSteps = 0;
    Coord FMajor0 = 0, FMajorSign = 1;
    Coord FMinor0 = 0, FMinorDelta = 0;
    Coord FMinorDelta2 = 0, FDenominator = 1;
};

// The pen as it strokes lines: ink, width and dash style; Phase is the distance
// already covered, so dashes run on across the segments of a polyline.
struct TStroke {
    TInk Ink;
    int Width = 1;
    TPenStyle Style = psSolid;
    Coord Phase = 0;
};

// Draws the line from (x0, y0) to (x1, y1) (device pixels), end excluded.
void StrokeLine(const TTarget& target, TStroke& stroke, Coord x0, Coord y0, Coord x1, Coord y1);

} // namespace Raster
