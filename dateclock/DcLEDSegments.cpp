// The outlines of the sixteen segments of one cell, from the renderer's sizes.
#include "dateclock/DcLED.h"

#include <cmath>

namespace {

// Rounds to the nearest integer, halves to the even neighbour (0.5 -> 0, 1.5 -> 2).
int RoundHalfEven(double x)
{
    return static_cast<int>(std::nearbyint(x));
}

int Sign(int v)
{
    return (v > 0) - (v < 0);
}

TDcSegmentOutline HorizontalBar(int x, int y, int length, int t)
{
    return {{{x, y + t}, {x + t, y}, {x + t + length, y}, {x + length + 2 * t, y + t}, {x + t + length, y + 2 * t},
             {x + t, y + 2 * t}}};
}

TDcSegmentOutline VerticalBar(int x, int y, int t, int length)
{
    return {{{x + t, y}, {x + 2 * t, y + t}, {x + 2 * t, y + t + length}, {x + t, y + 2 * t + length}, {x, y + t + length},
             {x, y + t}}};
}

// A slanted bar from (x, y) over (dx, dy). With no horizontal or vertical
// extent the corner offsets vanish and the bar collapses onto a straight
// line, so every size gives an outline that belongs to it.
TDcSegmentOutline Diagonal(int x, int y, int dx, int dy, int width)
{
    const int a = RoundHalfEven(Sign(dx) * width / 2.0);
    const int b = RoundHalfEven(Sign(dy) * width / 2.0);
    return {{{x, y}, {x + a, y}, {x + dx, y + dy - b}, {x + dx, y + dy}, {x + dx - a, y + dy}, {x, y + b}}};
}

// A p x q block whose outline lies one row above y; the last point repeats.
TDcSegmentOutline Dot(int x, int y, int p, int q)
{
    return {{{x + p, y - 1}, {x + p, y + q - 1}, {x, y + q - 1}, {x, y - 1}, {x, y - 1}, {x, y - 1}}};
}

} // namespace

void TDcLED::CalcSegments()
{
    const int H = FHorzsize, V = FVertsize, T = FThickness;
    const int t = T / 2, c = (4 * T + H) / 2, h = H / 2;
    const int right = c + RoundHalfEven(1.5 * T);
    TDcSegmentOutlines& s = FSegments;
    s[llTop] = HorizontalBar(2 * T, T, H, t);
    s[llTopLeft] = VerticalBar(T, 2 * T, t, V);
    s[llTopRight] = VerticalBar(3 * T + H, 2 * T, t, V);
    s[llMiddle] = HorizontalBar(2 * T, 3 * T + V, H, t);
    s[llBottomLeft] = VerticalBar(T, 4 * T + V, t, V);
    s[llBottomRight] = VerticalBar(3 * T + H, 4 * T + V, t, V);
    s[llBottom] = HorizontalBar(2 * T, 5 * T + 2 * V, H, t);
    s[llInTopMiddle] = VerticalBar(c, 2 * T, t, V);
    s[llInBottomMiddle] = VerticalBar(c, 4 * T + V, t, V);
    s[llInTopLeft] = Diagonal(c - t, 2 * T + V, T - h, T - V, T);
    s[llInTopRight] = Diagonal(right, 2 * T + V, h - T, T - V, T);
    s[llInBottomLeft] = Diagonal(c - t, 5 * T + V, T - h, V - T, T);
    s[llInBottomRight] = Diagonal(right, 5 * T + V, h - T, V - T, T);
    s[llPointMiddle] = Dot(c - 1, 3 * T + V, T, T);
    s[llPointTop] = Dot(c - 1, T, T, T);
    s[llPointBottom] = Dot(c - 1, 5 * T + 2 * V, T, T);
}
