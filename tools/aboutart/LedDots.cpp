#include "tools/aboutart/LedDots.h"

#include "tools/aboutart/ShapeMask.h"

namespace {

// Every dot as a disc of its radius times size, moved by shift times its
// radius (a lit dot's core and highlight sit a little up and to the left,
// where the light falls on a domed lens).
TCoverage DiscsCoverage(const TArtImage& image, const std::vector<TLedDot>& dots, float size, float shift, int scale)
{
    TShapeMask mask(image.Width(), image.Height(), scale);
    for (const TLedDot& dot : dots)
        mask.Disc(dot.X + shift * dot.Radius, dot.Y + shift * dot.Radius, dot.Radius * size);
    return mask.Coverage();
}

}  // namespace

void PaintUnlitDots(TArtImage& image, const std::vector<TLedDot>& dots, const TRgb& socket, int scale)
{
    image.Paint(DiscsCoverage(image, dots, 1.0f, 0.0f, scale), socket);
}

void PaintLitDots(TArtImage& image, const std::vector<TLedDot>& dots, const TLedLook& look, float brightness,
                  const TRgb& socket)
{
    const TCoverage body = DiscsCoverage(image, dots, 1.0f, 0.0f, look.Scale);
    image.Glow(body.Blurred(look.GlowSpread), look.Glow, look.GlowStrength * brightness);
    image.Paint(body, Mix(socket, look.Rim, brightness));
    image.Paint(DiscsCoverage(image, dots, 0.72f, -0.12f, look.Scale), Mix(socket, look.Core, brightness));
    image.Paint(DiscsCoverage(image, dots, 0.34f, -0.34f, look.Scale), look.Highlight, 0.75f * brightness);
}
