// The icon: a round LED clock face like the saver's (twelve hour marks and a
// ring of seconds dots, two thirds lit) in a dark rounded square.
#include "tools/aboutart/AboutPictures.h"
#include "tools/aboutart/LedDots.h"
#include "tools/aboutart/ShapeMask.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int Scale = 8;
constexpr float Centre = IconSize / 2.0f;
constexpr float Pi = 3.14159265358979f;

// Pixels of a but not of b.
TCoverage Without(const TCoverage& a, const TCoverage& b)
{
    TCoverage out(a.Width(), a.Height());
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) out.At(x, y) = std::max(0.0f, a.At(x, y) - b.At(x, y));
    return out;
}

TCoverage SquareCoverage(float inset)
{
    TShapeMask mask(IconSize, IconSize, Scale);
    mask.RoundRect(2 + inset, 2 + inset, IconSize - 2 - inset, IconSize - 2 - inset, 10 - inset);
    return mask.Coverage();
}

TCoverage DiscCoverage(float radius)
{
    TShapeMask mask(IconSize, IconSize, Scale);
    mask.Disc(Centre, Centre, radius);
    return mask.Coverage();
}

// Dots on a circle, the first straight above the centre, going clockwise.
std::vector<TLedDot> Ring(int count, float radius, float dotRadius, int first, int last)
{
    std::vector<TLedDot> dots;
    for (int i = first; i <= last; ++i) {
        const float angle = 2 * Pi * float(i) / float(count);
        dots.push_back({Centre + radius * std::sin(angle), Centre - radius * std::cos(angle), dotRadius});
    }
    return dots;
}

}  // namespace

TIconArt MakeAboutIcon()
{
    TIconArt icon;
    TArtImage& image = icon.Image;
    icon.Alpha = SquareCoverage(0);

    // The square: a dark body lit a little from above, a black edge that holds
    // it against a white page, and a faint bevel inside the edge.
    image.FillVertical(Rgb(0x3A3B43), Rgb(0x131317));
    const TCoverage inner = SquareCoverage(1);
    image.Paint(Without(icon.Alpha, inner), Rgb(0x08080A));
    image.Paint(Without(inner, SquareCoverage(2)), Rgb(0x55565F), 0.35f);

    // The clock face: a recessed black disc with a thin light bezel.
    image.Paint(Without(DiscCoverage(20.0f), DiscCoverage(19.0f)), Rgb(0x5A5B64), 0.45f);
    image.Paint(DiscCoverage(19.0f), Rgb(0x060607));

    TLedLook look;
    look.GlowSpread = 1.3f;
    look.GlowStrength = 0.7f;
    const TRgb socket = Rgb(0x2C0B0D);
    PaintLitDots(image, Ring(12, 15.5f, 1.75f, 0, 11), look);
    PaintUnlitDots(image, Ring(20, 10.5f, 1.05f, 14, 19), socket, Scale);
    PaintLitDots(image, Ring(20, 10.5f, 1.05f, 0, 13), look);
    PaintLitDots(image, {{Centre, Centre, 1.6f}}, look);
    return icon;
}
