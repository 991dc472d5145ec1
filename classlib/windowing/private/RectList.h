// A small fixed-capacity list of rectangles (update regions, damage, visible
// pieces): no heap allocation, so the paint path allocates nothing.
#pragma once

#include "classlib/system/Types.h"
#include "classlib/windowing/private/Guard.h"

#include <array>

class TRectList {
public:
    static constexpr int Capacity = 48;

    int Count() const { return FCount; }
    bool Empty() const { return FCount == 0; }
    const TRect& operator[](int index) const { return FRects[static_cast<size_t>(index)]; }
    const TRect* begin() const { return FRects.data(); }
    const TRect* end() const { return FRects.data() + FCount; }
    void Clear() { FCount = 0; }
    // Adds a rectangle; when the list is full everything collapses into one bounding box.
    void Add(const TRect& rect);
    void Add(const TRectList& other);
    // Removes rect from every rectangle. False when the pieces do not fit
    // (the list is then left unchanged).
    bool Subtract(const TRect& rect);
    // Clips every rectangle to rect, dropping the empty ones.
    void Intersect(const TRect& rect);
    void Offset(int dx, int dy);
    TRect Bounds() const;
    bool Intersects(const TRect& rect) const;

private:
    std::array<TRect, Capacity> FRects{};
    int FCount = 0;
};

constexpr bool RectContains(const TRect& outer, const TRect& inner)
{
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right && inner.Bottom <= outer.Bottom;
}
