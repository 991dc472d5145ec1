#include "tools/skinart/ArtGlyphs.h"

namespace art {

Sdf CrossMark(double cx, double cy, double s, double hw)
{
    return Union(Segment({cx - s, cy - s}, {cx + s, cy + s}, hw), Segment({cx + s, cy - s}, {cx - s, cy + s}, hw));
}

Sdf MinusMark(double cx, double cy, double s, double hw)
{
    return Segment({cx - s, cy}, {cx + s, cy}, hw);
}

Sdf PlusMark(double cx, double cy, double s, double hw)
{
    return Union(MinusMark(cx, cy, s, hw), Segment({cx, cy - s}, {cx, cy + s}, hw));
}

Sdf QuestionMark(double cx, double cy, double s, double hw)
{
    const Pt hook[] = {{-0.55, -0.42}, {-0.42, -0.76}, {-0.12, -0.97}, {0.22, -0.98}, {0.52, -0.80}, {0.62, -0.50},
                       {0.48, -0.20}, {0.20, 0.0},    {0.03, 0.20},   {0.0, 0.42}};
    std::vector<Pt> points;
    for (const Pt& p : hook) points.push_back({cx + p.X * s, cy + p.Y * s});
    return Union(Polyline(points, hw), Circle(cx, cy + 0.92 * s, hw * 1.25));
}

Sdf WindowMark(double cx, double cy, double s, double hw)
{
    const Sdf frame = Outline(Box(cx - s, cy - s, cx + s, cy + s), hw);
    return Union(frame, Box(cx - s - hw, cy - s - hw, cx + s + hw, cy - s + 2.2 * hw));
}

Sdf RestoreMark(double cx, double cy, double s, double hw)
{
    const double d = s * 0.45;
    const Sdf back = Subtract(WindowMark(cx + d, cy - d, s * 0.62, hw), Box(cx - s, cy - s * 0.3, cx + s * 0.45, cy + s));
    return Union(back, WindowMark(cx - d * 0.7, cy + d * 0.7, s * 0.62, hw));
}

Sdf UnzoomMark(double cx, double cy, double s)
{
    const double g = 0.15 * s;
    return Union(Polygon({{cx + g, cy - g}, {cx + g, cy - s}, {cx + s, cy - g}}),
                 Polygon({{cx - g, cy + g}, {cx - g, cy + s}, {cx - s, cy + g}}));
}

Sdf Chevron(double cx, double cy, double s, double hw, double dx, double dy)
{
    // The tip lies s/2 along the direction; the arms go back and out by s.
    const double px = -dy, py = dx;
    const Pt tip{cx + dx * s * 0.5, cy + dy * s * 0.5};
    const Pt a{cx - dx * s * 0.5 + px * s, cy - dy * s * 0.5 + py * s};
    const Pt b{cx - dx * s * 0.5 - px * s, cy - dy * s * 0.5 - py * s};
    return Polyline({a, tip, b}, hw);
}

Sdf Arrow(double cx, double cy, double s, double dx, double dy)
{
    const double px = -dy, py = dx;
    return Polygon({{cx + dx * s * 0.6, cy + dy * s * 0.6},
                    {cx - dx * s * 0.5 + px * s, cy - dy * s * 0.5 + py * s},
                    {cx - dx * s * 0.5 - px * s, cy - dy * s * 0.5 - py * s}});
}

Sdf CheckMark(double cx, double cy, double s, double hw)
{
    return Polyline({{cx - s, cy + 0.05 * s}, {cx - 0.3 * s, cy + 0.72 * s}, {cx + s, cy - 0.8 * s}}, hw);
}

void DrawClock(Image& image, double cx, double cy, double r, Rgb rim, Rgb faceTop, Rgb faceBottom)
{
    image.Fill(Circle(cx, cy, r), Solid(rim));
    image.Fill(Circle(cx, cy, r - 0.9), Vertical(cy - r, cy + r, {faceTop, faceBottom}));
    const Rgb ink = Hex(0x3C3C3C);
    const double t0 = r - 2.1, t1 = r - 1.25;
    image.Fill(Segment({cx, cy - t0}, {cx, cy - t1}, 0.45), Solid(ink), 0.8);
    image.Fill(Segment({cx, cy + t0}, {cx, cy + t1}, 0.45), Solid(ink), 0.8);
    image.Fill(Segment({cx - t0, cy}, {cx - t1, cy}, 0.45), Solid(ink), 0.8);
    image.Fill(Segment({cx + t0, cy}, {cx + t1, cy}, 0.45), Solid(ink), 0.8);
    image.Fill(Segment({cx, cy}, {cx, cy - r * 0.55}, 0.55), Solid(ink));
    image.Fill(Segment({cx, cy}, {cx + r * 0.5, cy + r * 0.22}, 0.5), Solid(ink));
    image.Fill(Circle(cx, cy, 0.9), Solid(Hex(0xE0443E)));
}

}  // namespace art
