#include "classlib/windowing/private/RectList.h"

void TRectList::Add(const TRect& rect)
{
    if (IsRectEmpty(rect)) return;
    for (int i = 0; i < FCount; ++i)
        if (RectContains(FRects[i], rect)) return;
    int kept = 0;
    for (int i = 0; i < FCount; ++i)
        if (!RectContains(rect, FRects[i])) FRects[kept++] = FRects[i];
    FCount = kept;
    if (FCount == Capacity) {
        const TRect all = UnionRect(Bounds(), rect);
        FRects[0] = all;
        FCount = 1;
        return;
    }
    FRects[FCount++] = rect;
}

void TRectList::Add(const TRectList& other)
{
    for (const TRect& r : other) Add(r);
}

bool TRectList::Subtract(const TRect& cut)
{
    if (IsRectEmpty(cut)) return true;
    std::array<TRect, Capacity> out{};
    int n = 0;
    auto put = [&](const TRect& r) {
        if (IsRectEmpty(r)) return true;
        if (n == Capacity) return false;
        out[n++] = r;
        return true;
    };
    for (int i = 0; i < FCount; ++i) {
        const TRect& r = FRects[i];
        const TRect c = IntersectRect(r, cut);
        if (IsRectEmpty(c)) {
            if (!put(r)) return false;
            continue;
        }
        // Bands above and below the cut, then the parts left and right of it.
        if (!put({r.Left, r.Top, r.Right, c.Top}) || !put({r.Left, c.Bottom, r.Right, r.Bottom}) ||
            !put({r.Left, c.Top, c.Left, c.Bottom}) || !put({c.Right, c.Top, r.Right, c.Bottom}))
            return false;
    }
    FRects = out;
    FCount = n;
    return true;
}

void TRectList::Intersect(const TRect& clip)
{
    int kept = 0;
    for (int i = 0; i < FCount; ++i) {
        const TRect r = IntersectRect(FRects[i], clip);
        if (!IsRectEmpty(r)) FRects[kept++] = r;
    }
    FCount = kept;
}

void TRectList::Offset(int dx, int dy)
{
    for (int i = 0; i < FCount; ++i) FRects[i] = OffsetRect(FRects[i], dx, dy);
}

TRect TRectList::Bounds() const
{
    TRect b;
    for (int i = 0; i < FCount; ++i) b = UnionRect(b, FRects[i]);
    return b;
}

bool TRectList::Intersects(const TRect& rect) const
{
    for (int i = 0; i < FCount; ++i)
        if (!IsRectEmpty(IntersectRect(FRects[i], rect))) return true;
    return false;
}
