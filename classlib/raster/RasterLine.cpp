// Exact line stepping with clipping, and pen strokes (width and dashes) along it.
#include "classlib/raster/RasterLine.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace Raster {

namespace {

// Products of two 34-bit coordinates need more than 64 bits.
__extension__ typedef __int128 Wide;

Coord CeilDiv(Wide a, Wide n) // n > 0
{
    Wide q = a / n;
    if (a % n != 0 && a > 0) ++q;
    return static_cast<Coord>(q);
}

// The smallest step in [lo, hi] for which pred holds (pred false then true),
// or hi + 1 when it never does.
template <typename Pred>
Coord FirstWhere(Coord lo, Coord hi, Pred&& pred)
{
    Coord end = hi + 1;
    while (lo < end) {
        const Coord mid = lo + (end - lo) / 2;
        if (pred(mid))
            end = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

// On and off lengths of the dash styles, in pixels of a one-pixel pen.
struct TDashes {
    std::array<int, 6> Lengths{};
    int Count = 0;
};

TDashes DashesOf(TPenStyle style)
{
    switch (style) {
    case psDash: return {{18, 6}, 2};
    case psDot: return {{3, 3}, 2};
    case psDashDot: return {{9, 6, 3, 6}, 4};
    case psDashDotDot: return {{9, 3, 3, 3, 3, 3}, 6};
    default: return {};
    }
}

// Whether the pen is down at distance position along the stroke.
bool DashOn(const TDashes& dashes, Coord scale, Coord position)
{
    if (dashes.Count == 0) return true;
    Coord period = 0;
    for (int i = 0; i < dashes.Count; ++i) period += dashes.Lengths[i] * scale;
    Coord at = position % period;
    for (int i = 0; i < dashes.Count; ++i) {
        const Coord length = dashes.Lengths[i] * scale;
        if (at < length) return i % 2 == 0;
        at -= length;
    }
    return true;
}

} // namespace

TLineWalk::TLineWalk(Coord x0, Coord y0, Coord x1, Coord y1)
{
    const Coord dx = x1 - x0, dy = y1 - y0;
    FXMajor = std::llabs(dx) >= std::llabs(dy);
    const Coord majorDelta = FXMajor ? dx : dy;
    FSteps = std::llabs(majorDelta);
    FMajor0 = FXMajor ? x0 : y0;
    FMajorSign = majorDelta < 0 ? -1 : 1;
    FMinor0 = FXMajor ? y0 : x0;
    FMinorDelta = FXMajor ? dy : dx;
    FMinorDelta2 = 2 * FMinorDelta;
    FDenominator = 2 * std::max<Coord>(FSteps, 1);
}

TLineWalk::TMinorStepper TLineWalk::MinorAt(Coord step) const
{
    // minor = ceil(minor0 + delta * step / steps - 1/2): nearest, halves downward.
    const Wide n = std::max<Coord>(FSteps, 1);
    const Wide a = 2 * Wide(FMinor0) * n - n + 2 * Wide(FMinorDelta) * step;
    const Coord value = CeilDiv(a, 2 * n);
    return {value, static_cast<Coord>(Wide(value) * (2 * n) - a)};
}

bool TLineWalk::VisibleSteps(const TBox& box, Coord& first, Coord& last) const
{
    if (FSteps == 0) return false;
    const Coord majorLo = FXMajor ? box.Left : box.Top, majorHi = FXMajor ? box.Right : box.Bottom;
    const Coord minorLo = FXMajor ? box.Top : box.Left, minorHi = FXMajor ? box.Bottom : box.Right;
    if (majorLo >= majorHi || minorLo >= minorHi) return false;
    // Steps whose major coordinate is inside [majorLo, majorHi).
    Coord lo = FMajorSign > 0 ? majorLo - FMajor0 : FMajor0 - (majorHi - 1);
    Coord hi = FMajorSign > 0 ? majorHi - 1 - FMajor0 : FMajor0 - majorLo;
    lo = std::max<Coord>(lo, 0);
    hi = std::min<Coord>(hi, FSteps - 1);
    if (lo > hi) return false;
    // The minor coordinate is monotonic in the step, so its bounds cut the range
    // at two points found by bisection.
    if (FMinorDelta >= 0) {
        lo = FirstWhere(lo, hi, [&](Coord i) { return MinorValue(i) >= minorLo; });
        hi = FirstWhere(lo, hi, [&](Coord i) { return MinorValue(i) >= minorHi; }) - 1;
    } else {
        lo = FirstWhere(lo, hi, [&](Coord i) { return MinorValue(i) < minorHi; });
        hi = FirstWhere(lo, hi, [&](Coord i) { return MinorValue(i) < minorLo; }) - 1;
    }
    first = lo;
    last = hi;
    return lo <= hi;
}

void StrokeLine(const TTarget& target, TStroke& stroke, Coord x0, Coord y0, Coord x1, Coord y1)
{
    const TLineWalk walk(x0, y0, x1, y1);
    if (walk.Steps() == 0 || target.Empty()) return;
    const TDashes dashes = DashesOf(stroke.Style);
    const Coord phase = stroke.Phase;
    const Coord width = stroke.Width;
    stroke.Phase += walk.Steps();
    const TBox clip = BoxOf(target.Clip());

    if (width <= 1) {
        walk.ForEach(clip, [&](Coord x, Coord y, Coord i) {
            if (DashOn(dashes, 1, phase + i)) target.Plot(x, y, stroke.Ink);
        });
        return;
    }

    // A wide pen paints, at every step, a run of width pixels across the line,
    // centred on it; a square at the start fills the joins of a polyline. A
    // mixing pen skips the square so that no pixel is mixed twice.
    const Coord before = (width - 1) / 2;
    if (stroke.Ink.Mode == pmCopy && dashes.Count == 0)
        target.InkRect(x0 - before, y0 - before, x0 - before + width, y0 - before + width, stroke.Ink);
    const TBox wide{clip.Left - width, clip.Top - width, clip.Right + width, clip.Bottom + width};
    walk.ForEach(wide, [&](Coord x, Coord y, Coord i) {
        if (!DashOn(dashes, width, phase + i)) return;
        if (walk.XMajor())
            target.InkRect(x, y - before, x + 1, y - before + width, stroke.Ink);
        else
            target.Span(y, x - before, x - before + width, stroke.Ink);
    });
}

} // namespace Raster
