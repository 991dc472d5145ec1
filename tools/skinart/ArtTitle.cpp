// Title bar sections: the left, centre and right pictures of each style. The
// centre is stretched sideways, so it holds only the bar's row colours; the
// ends add the window's corners and each style's ornament, and meet the centre
// in those same row colours.
#include "tools/skinart/ArtLooks.h"
#include "tools/skinart/ArtPainters.h"

namespace art {

namespace {

Image Rows(TskUIStyle style, int w, int h)
{
    const std::vector<Rgb> rows = TitleRows(style);
    Image image(w, h, Hex(0));
    for (int y = 0; y < h; ++y) image.FillPixels(0, y, w, y + 1, Solid(rows[static_cast<size_t>(y)]));
    return image;
}

// A soft elliptical glow: strongest at its centre, gone at its rim.
std::function<double(double, double)> Glow(double cx, double cy, double rx, double ry, double strength)
{
    return [=](double x, double y) {
        const double dx = (x - cx) / rx, dy = (y - cy) / ry;
        const double d = dx * dx + dy * dy;
        return d >= 1 ? 0.0 : strength * (1 - d) * (1 - d);
    };
}

// The window's rounded top corner, at the left end (mirror false) or the right
// end of the picture: outside the curve the dark edge the window region cuts
// off, along it a line in the bar's top-row colour.
void RoundCorner(Image& image, double radius, bool mirror, Rgb outside, Rgb line)
{
    const int w = image.Width(), h = image.Height();
    const Sdf rounded = mirror ? Box(-w, 0, w, 2.0 * h, radius) : Box(0, 0, 2.0 * w, 2.0 * h, radius);
    image.Fill(Subtract(Box(0, 0, w, h), rounded), Solid(outside));
    image.Fill(Intersect(Outline(rounded, 0.55), Box(0, 0, w, radius + 1)), Solid(line));
}

// A diagonal band of light across the glossy upper half of the glass.
void GlassStreak(Image& image, double x, double width, double opacity)
{
    const double h = image.Height();
    const Sdf band = Polygon({{x + 14, 0}, {x + 14 + width, 0}, {x + width, h}, {x, h}});
    image.Fill(Intersect(band, Box(0, 1, image.Width(), h * 0.46)), Solid(Hex(0xFFFFFF)), opacity, false);
}

Drawn Section(TskUIStyle style, Image image)
{
    Drawn drawn{std::move(image), false, PixelsOf(TitleRows(style))};
    return drawn;
}

}  // namespace

Drawn TitleLeft(TskUIStyle style, int width, int height)
{
    Image image = Rows(style, width, height);
    switch (style) {
    case TskUIStyle::WinXP:
        RoundCorner(image, 6.5, false, Hex(0x0A2AA8), Hex(0x3D8DF5));
        break;
    case TskUIStyle::DeepBlue:
        image.FillSoft(Glow(18, 4, 70, 20, 0.30), Solid(Hex(0x6F8CD6)));
        break;
    case TskUIStyle::Protein:
        // A wide pearl sheen over the left of the bar, gone long before its end.
        image.FillSoft(Glow(70, -4, 260, 15, 0.34), Solid(Hex(0xFFFFFF)));
        image.FillSoft(Glow(30, 20, 120, 9, 0.20), Solid(Hex(0x9FA3FF)));
        break;
    case TskUIStyle::BlueGlass:
        GlassStreak(image, 46, 16, 0.22);
        GlassStreak(image, 70, 6, 0.16);
        RoundCorner(image, 5.5, false, Hex(0x0E1E3A), Hex(0x1A3157));
        break;
    default:
        break;
    }
    return Section(style, std::move(image));
}

Drawn TitleClient(TskUIStyle style, int width, int height)
{
    return Section(style, Rows(style, width, height));
}

Drawn TitleRight(TskUIStyle style, int width, int height)
{
    Image image = Rows(style, width, height);
    switch (style) {
    case TskUIStyle::WinXP:
        RoundCorner(image, 6.5, true, Hex(0x0A2AA8), Hex(0x3D8DF5));
        break;
    case TskUIStyle::DeepBlue:
        image.FillSoft(Glow(width - 18.0, 4, 60, 18, 0.18), Solid(Hex(0x6F8CD6)));
        break;
    case TskUIStyle::BlueGlass:
        GlassStreak(image, 30, 10, 0.14);
        RoundCorner(image, 5.5, true, Hex(0x0E1E3A), Hex(0x1A3157));
        break;
    default:
        break;
    }
    return Section(style, std::move(image));
}

}  // namespace art
