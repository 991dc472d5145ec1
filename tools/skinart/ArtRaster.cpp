#include "tools/skinart/ArtRaster.h"

#include <algorithm>
#include <cmath>

namespace art {

Rgb Mix(Rgb a, Rgb b, double t)
{
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

uint32_t ToPixel(Rgb c)
{
    auto channel = [](double v) { return static_cast<uint32_t>(std::floor(std::clamp(v, 0.0, 255.0) + 0.5)); };
    return channel(c.R) << 16 | channel(c.G) << 8 | channel(c.B);
}

namespace {

double Length(double x, double y) { return std::sqrt(x * x + y * y); }

// Signed distance to the segment's centre line.
double SegmentDistance(double px, double py, Pt a, Pt b)
{
    const double bx = b.X - a.X, by = b.Y - a.Y;
    const double len2 = bx * bx + by * by;
    double t = len2 > 0 ? ((px - a.X) * bx + (py - a.Y) * by) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return Length(px - a.X - t * bx, py - a.Y - t * by);
}

Rgb Through(const std::vector<Rgb>& stops, double t)
{
    if (stops.size() == 1) return stops[0];
    t = std::clamp(t, 0.0, 1.0) * static_cast<double>(stops.size() - 1);
    const size_t i = std::min(static_cast<size_t>(t), stops.size() - 2);
    return Mix(stops[i], stops[i + 1], t - static_cast<double>(i));
}

}  // namespace

Sdf Box(double x0, double y0, double x1, double y1, double radius)
{
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    return [=](double x, double y) {
        const double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
        return Length(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - radius;
    };
}

Sdf Circle(double cx, double cy, double r)
{
    return [=](double x, double y) { return Length(x - cx, y - cy) - r; };
}

Sdf Segment(Pt a, Pt b, double hw)
{
    return [=](double x, double y) { return SegmentDistance(x, y, a, b) - hw; };
}

Sdf Polyline(std::vector<Pt> points, double hw)
{
    return [points = std::move(points), hw](double x, double y) {
        double d = 1e9;
        for (size_t i = 0; i + 1 < points.size(); ++i) d = std::min(d, SegmentDistance(x, y, points[i], points[i + 1]));
        return d - hw;
    };
}

Sdf Polygon(std::vector<Pt> points)
{
    // Orientation decides which side of each edge is inside.
    double area = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        const Pt& a = points[i];
        const Pt& b = points[(i + 1) % points.size()];
        area += a.X * b.Y - b.X * a.Y;
    }
    const double sign = area > 0 ? 1.0 : -1.0;
    return [points = std::move(points), sign](double x, double y) {
        double inside = -1e9, edge = 1e9;
        for (size_t i = 0; i < points.size(); ++i) {
            const Pt& a = points[i];
            const Pt& b = points[(i + 1) % points.size()];
            const double ex = b.X - a.X, ey = b.Y - a.Y;
            const double len = Length(ex, ey);
            // Distance to the edge's line, positive outside.
            inside = std::max(inside, sign * ((x - a.X) * ey - (y - a.Y) * ex) / len);
            edge = std::min(edge, SegmentDistance(x, y, a, b));
        }
        return inside > 0 ? edge : inside;
    };
}

Sdf Union(Sdf a, Sdf b)
{
    return [=](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

Sdf Intersect(Sdf a, Sdf b)
{
    return [=](double x, double y) { return std::max(a(x, y), b(x, y)); };
}

Sdf Subtract(Sdf a, Sdf b)
{
    return [=](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

Sdf Outline(Sdf shape, double hw)
{
    return [=](double x, double y) { return std::abs(shape(x, y)) - hw; };
}

Sdf Grow(Sdf shape, double d)
{
    return [=](double x, double y) { return shape(x, y) - d; };
}

Paint Solid(Rgb c)
{
    return [c](double, double) { return c; };
}

Paint Vertical(double y0, double y1, std::vector<Rgb> stops)
{
    return [=](double, double y) { return Through(stops, (y - y0) / (y1 - y0)); };
}

Paint Horizontal(double x0, double x1, std::vector<Rgb> stops)
{
    return [=](double x, double) { return Through(stops, (x - x0) / (x1 - x0)); };
}

Image::Image(int width, int height, Rgb background)
    : FWidth(width), FHeight(height), FColours(static_cast<size_t>(width) * static_cast<size_t>(height), background),
      FBody(FColours.size(), 0.0)
{
}

void Image::Fill(const Sdf& shape, const Paint& paint, double opacity, bool solid)
{
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double coverage = std::clamp(0.5 - shape(px, py), 0.0, 1.0) * opacity;
            if (coverage <= 0) continue;
            const size_t i = Index(x, y);
            FColours[i] = Mix(FColours[i], paint(px, py), coverage);
            if (solid) FBody[i] += (1 - FBody[i]) * coverage;
        }
}

void Image::FillSoft(const std::function<double(double x, double y)>& opacity, const Paint& paint)
{
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double a = std::clamp(opacity(px, py), 0.0, 1.0);
            if (a > 0) FColours[Index(x, y)] = Mix(FColours[Index(x, y)], paint(px, py), a);
        }
}

void Image::FillPixels(int x0, int y0, int x1, int y1, const Paint& paint)
{
    for (int y = std::max(y0, 0); y < std::min(y1, FHeight); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, FWidth); ++x) {
            FColours[Index(x, y)] = paint(x + 0.5, y + 0.5);
            FBody[Index(x, y)] = 1;
        }
}

void Image::Set(int x, int y, Rgb c)
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
    FColours[Index(x, y)] = c;
    FBody[Index(x, y)] = 1;
}

void Image::Transform(const std::function<Rgb(Rgb colour, double body)>& change)
{
    for (size_t i = 0; i < FColours.size(); ++i) FColours[i] = change(FColours[i], FBody[i]);
}

void Image::MarkAllBody()
{
    std::fill(FBody.begin(), FBody.end(), 1.0);
}

void Image::Place(const Image& part, int x, int y)
{
    for (int py = 0; py < part.FHeight; ++py)
        for (int px = 0; px < part.FWidth; ++px) {
            const int tx = x + px, ty = y + py;
            if (tx < 0 || ty < 0 || tx >= FWidth || ty >= FHeight) continue;
            FColours[Index(tx, ty)] = part.FColours[part.Index(px, py)];
            FBody[Index(tx, ty)] = part.FBody[part.Index(px, py)];
        }
}

std::vector<uint32_t> Image::Pixels(bool keyed) const
{
    std::vector<uint32_t> pixels(FColours.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
        uint32_t px = ToPixel(FColours[i]);
        // Art colours that happen to round to the key would turn see-through.
        if (px == Magenta) px = 0xFE00FE;
        pixels[i] = keyed && FBody[i] < 0.5 ? Magenta : px;
    }
    return pixels;
}

}  // namespace art
