// Marks beside a caption: check boxes, radio buttons and check list boxes, each
// checked, unchecked, checked and disabled, unchecked and disabled.
#include "tools/skinart/ArtGlyphs.h"
#include "tools/skinart/ArtLooks.h"
#include "tools/skinart/ArtPainters.h"

#include <algorithm>

namespace art {

namespace {

struct MarkColours {
    Rgb Border, Top, Bottom;              // unchecked
    Rgb CheckedBorder, CheckedTop, CheckedBottom;
    Rgb Ink;                              // the check mark or dot
    double Radius;                        // of a check box's corners
};

MarkColours MarkColoursOf(TskUIStyle style)
{
    switch (style) {
    case TskUIStyle::MacOS:
        return {Hex(0x8E8E8E), Hex(0xFFFFFF), Hex(0xE9E9E9), Hex(0x2C5FA8), Hex(0x72ABF2), Hex(0x3270CE), Hex(0xFFFFFF), 3.0};
    case TskUIStyle::WinXP:
        return {Hex(0x1C5180), Hex(0xDCDCD7), Hex(0xFFFFFF), Hex(0x1C5180), Hex(0xDCDCD7), Hex(0xFFFFFF), Hex(0x21A121), 0.0};
    case TskUIStyle::Protein:
        return {Hex(0x9AA1B6), Hex(0xFFFFFF), Hex(0xE2E5EE), Hex(0x23269E), Hex(0x6A6EE4), Hex(0x2D30C4), Hex(0xFFFFFF), 3.0};
    case TskUIStyle::BlueGlass:
        return {Hex(0x6B93C6), Hex(0xF2F8FF), Hex(0xBBD8F8), Hex(0x3F6FAE), Hex(0xE4F1FF), Hex(0x9CC8F5), Hex(0x1D3F73), 3.0};
    default:
        return {Hex(0x1F3160), Hex(0xFFFFFF), Hex(0xE4E9F4), Hex(0x1F3160), Hex(0xFFFFFF), Hex(0xE4E9F4), Hex(0x1F3160), 1.5};
    }
}

// Disabled marks: greyed and faded towards what they are drawn on.
void Disable(Image& mark, Rgb surroundings)
{
    mark.Transform([surroundings](Rgb c, double body) {
        const double grey = c.R * 0.3 + c.G * 0.59 + c.B * 0.11;
        const Rgb faded = Mix(Mix(c, {grey, grey, grey}, 0.75), surroundings, 0.5);
        return Mix(c, faded, body);
    });
}

Image CheckBoxMark(TskUIStyle style, bool checked, int w, int h, Rgb surroundings, double size)
{
    const MarkColours m = MarkColoursOf(style);
    Image image(w, h, surroundings);
    const double x0 = (w - size) / 2, y0 = (h - size) / 2;
    const Sdf box = Box(x0, y0, x0 + size, y0 + size, std::min(m.Radius, size / 2));
    if (size > 11) image.Fill(Grow(Box(x0, y0 + 0.8, x0 + size, y0 + size + 0.6, m.Radius), 0.2), Solid(Hex(0)), 0.10);
    image.Fill(box, Solid(checked ? m.CheckedBorder : m.Border));
    image.Fill(Grow(box, -1), Vertical(y0, y0 + size, {checked ? m.CheckedTop : m.Top, checked ? m.CheckedBottom : m.Bottom}));
    if (checked) image.Fill(CheckMark(w / 2.0, h / 2.0 + 0.1, size * 0.29, size > 11 ? 0.95 : 0.85), Solid(m.Ink));
    return image;
}

Image RadioMark(TskUIStyle style, bool checked, int w, int h, Rgb surroundings)
{
    const MarkColours m = MarkColoursOf(style);
    Image image(w, h, surroundings);
    const double cx = w / 2.0, cy = h / 2.0, r = std::min(w, h) / 2.0 - (h > 13 ? 1.3 : 0.5);
    if (h > 13) image.Fill(Circle(cx, cy + 0.6, r + 0.2), Solid(Hex(0)), 0.10);
    image.Fill(Circle(cx, cy, r), Solid(checked ? m.CheckedBorder : m.Border));
    image.Fill(Circle(cx, cy, r - 1), Vertical(cy - r, cy + r, {checked ? m.CheckedTop : m.Top, checked ? m.CheckedBottom : m.Bottom}));
    if (checked) {
        const Rgb dot = style == TskUIStyle::WinXP ? Hex(0x21A121) : m.Ink;
        const double rd = r * 0.4;
        image.Fill(Circle(cx, cy, rd), style == TskUIStyle::WinXP ? Vertical(cy - rd, cy + rd, {Hex(0x6BDE6B), dot}) : Solid(dot));
    }
    return image;
}

Drawn FourStates(int width, int height, bool keyed, Rgb surroundings, const std::function<Image(bool checked, int, int)>& paint)
{
    return Sliced(width, height, 4, keyed, [&](int i, int w, int h) {
        Image mark = paint(i % 2 == 0, w, h);
        if (i >= 2) Disable(mark, surroundings);
        if (!keyed) mark.MarkAllBody();
        return mark;
    });
}

}  // namespace

Drawn CheckBoxes(TskUIStyle style, int width, int height)
{
    // Check boxes are drawn opaque, on the style's control background.
    const Rgb under = LookOf(style).Control;
    const double size = height > 13 ? 13 : 12;
    return FourStates(width, height, false, under,
                      [&](bool checked, int w, int h) { return CheckBoxMark(style, checked, w, h, under, size); });
}

Drawn RadioButtons(TskUIStyle style, int width, int height)
{
    // Radio buttons are drawn see-through; they usually sit on white panels.
    const Rgb under = style == TskUIStyle::MacOS ? Hex(0xFFFFFF) : LookOf(style).Control;
    return FourStates(width, height, true, under,
                      [&](bool checked, int w, int h) { return RadioMark(style, checked, w, h, under); });
}

Drawn CheckListMarks(TskUIStyle style, int width, int height)
{
    // Check list boxes have a white list background.
    const Rgb under = Hex(0xFFFFFF);
    return FourStates(width, height, false, under, [&](bool checked, int w, int h) {
        return CheckBoxMark(style, checked, w, h, under, std::min(w, h) - 1.0);
    });
}

}  // namespace art
