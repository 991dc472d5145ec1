// The drawing surface of the skin artwork: colours as doubles, shapes given by
// signed distance functions (negative inside, in pixels), and anti-aliasing by
// the coverage of each pixel: a pixel whose centre lies d pixels inside an edge
// is covered 0.5 + d (clamped to 0..1). Only +, -, *, / and sqrt decide a
// pixel, so every machine draws the same bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace art {

struct Rgb {
    double R = 0, G = 0, B = 0;
};

constexpr Rgb Hex(uint32_t rgb)
{
    return {double((rgb >> 16) & 0xFF), double((rgb >> 8) & 0xFF), double(rgb & 0xFF)};
}
Rgb Mix(Rgb a, Rgb b, double t);
inline Rgb Lighter(Rgb c, double t) { return Mix(c, Hex(0xFFFFFF), t); }
inline Rgb Darker(Rgb c, double t) { return Mix(c, Hex(0x000000), t); }
// 0x00RRGGBB, each channel rounded half up and clamped.
uint32_t ToPixel(Rgb c);

constexpr uint32_t Magenta = 0xFF00FF;

struct Pt {
    double X = 0, Y = 0;
};

// Shapes. Coordinates are pixel edges: the pixel (x, y) covers x..x+1, y..y+1.
using Sdf = std::function<double(double x, double y)>;
Sdf Box(double x0, double y0, double x1, double y1, double radius = 0);
Sdf Circle(double cx, double cy, double r);
// A stroke of half width hw along the segment, with round ends.
Sdf Segment(Pt a, Pt b, double hw);
Sdf Polyline(std::vector<Pt> points, double hw);
// A convex polygon, corners in either order.
Sdf Polygon(std::vector<Pt> points);
Sdf Union(Sdf a, Sdf b);
Sdf Intersect(Sdf a, Sdf b);
Sdf Subtract(Sdf a, Sdf b);
// The band of half width hw around the shape's edge (an outline).
Sdf Outline(Sdf shape, double hw);
// The shape grown (d > 0) or shrunk (d < 0) by d pixels.
Sdf Grow(Sdf shape, double d);

// Paints: the colour at a point.
using Paint = std::function<Rgb(double x, double y)>;
Paint Solid(Rgb c);
// Vertical gradient through colours at evenly spaced stops from y0 (first) to y1 (last).
Paint Vertical(double y0, double y1, std::vector<Rgb> stops);
Paint Horizontal(double x0, double x1, std::vector<Rgb> stops);

class Image {
public:
    Image(int width, int height, Rgb background);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    // Paints the shape over the picture with its coverage times opacity. A
    // `solid` shape also counts towards the picture's own body (see Pixels).
    void Fill(const Sdf& shape, const Paint& paint, double opacity = 1.0, bool solid = true);
    // Paints with an opacity that varies over the picture (soft glows).
    void FillSoft(const std::function<double(double x, double y)>& opacity, const Paint& paint);
    // Whole pixels, no anti-aliasing.
    void FillPixels(int x0, int y0, int x1, int y1, const Paint& paint);
    void Set(int x, int y, Rgb c);
    Rgb At(int x, int y) const { return FColours[Index(x, y)]; }
    double Body(int x, int y) const { return FBody[Index(x, y)]; }
    // Replaces every pixel's colour by change(colour, body).
    void Transform(const std::function<Rgb(Rgb colour, double body)>& change);
    // Marks the whole picture as body (opaque art with no see-through parts).
    void MarkAllBody();
    // Copies another picture (its colours and body) with its top-left corner at (x, y).
    void Place(const Image& part, int x, int y);

    // 0x00RRGGBB pixels, rows top-down. With keyed set, pixels less than half
    // covered by solid shapes become magenta, the see-through colour.
    std::vector<uint32_t> Pixels(bool keyed) const;

private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * static_cast<size_t>(FWidth) + static_cast<size_t>(x); }
    int FWidth, FHeight;
    std::vector<Rgb> FColours;
    std::vector<double> FBody;
};

}  // namespace art
