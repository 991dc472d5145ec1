// Tabs and the bar under them. A tab is drawn in three parts: its left and
// right thirds as they are (the rounded corners, magenta outside) and its
// middle third stretched, so the middle holds only colours that change from
// top to bottom. The active tab is drawn one pixel lower than the others and
// covers the bar's top line, joining the bar's colour.
#include "tools/skinart/ArtLooks.h"
#include "tools/skinart/ArtPainters.h"

#include <algorithm>

namespace art {

namespace {

struct TabColours {
    Rgb Border;
    Rgb ActiveTop, ActiveBottom;      // the active tab's bottom colour continues in the bar
    Rgb InactiveTop, InactiveBottom;
    Rgb Accent;                       // a line along the active tab's top
    double AccentWidth;
    Rgb Page;                         // the page colour the bar leads into
};

TabColours TabColoursOf(TskUIStyle style)
{
    switch (style) {
    case TskUIStyle::MacOS:
        return {Hex(0x8C8C8C), Hex(0xFFFFFF), Hex(0xF6F6F6), Hex(0xEDEDED), Hex(0xD6D6D6), Hex(0x3973C4), 2.0, Hex(0xE7E7E7)};
    case TskUIStyle::WinXP:
        return {Hex(0x919B9C), Hex(0xFFFFFF), Hex(0xFCFCFE), Hex(0xFEFEFE), Hex(0xE6E5DD), Hex(0xF2A52C), 2.0, Hex(0xFCFCFE)};
    case TskUIStyle::Protein:
        return {Hex(0x9AA1B6), Hex(0xFFFFFF), Hex(0xF1F2FB), Hex(0xE9EBF2), Hex(0xD4D8E6), Hex(0x2D30C4), 1.5, Hex(0xFBFBFB)};
    case TskUIStyle::BlueGlass:
        return {Hex(0x6B93C6), Hex(0xF2F8FF), Hex(0xCFE3FA), Hex(0xE2EAF4), Hex(0xC2D2E6), Hex(0x7FB5F0), 1.5, Hex(0xE7E7E7)};
    default:
        return {Hex(0x1F3160), Hex(0xF6F8FD), Hex(0xECEFF7), Hex(0xCCD5E8), Hex(0xB2BFDA), Hex(0x444AA0), 2.0, Hex(0xE8E8E8)};
    }
}

Image Tab(TskUIStyle style, bool active, int w, int h)
{
    const TabColours c = TabColoursOf(style);
    Image tab(w, h, LookOf(style).Control);
    const double radius = std::min(4.0, w / 3.0 - 0.5);
    const double top = active ? 0.5 : 2.5;
    // The shape runs on below the picture, so no bottom edge is drawn.
    const Sdf shape = Box(0.5, top, w - 0.5, h + 8.0, radius);
    const Sdf inner = Grow(shape, -1);
    tab.Fill(shape, Solid(c.Border));
    tab.Fill(inner, active ? Vertical(top, h, {c.ActiveTop, c.ActiveBottom}) : Vertical(top, h, {c.InactiveTop, c.InactiveBottom}));
    if (active) {
        tab.Fill(Intersect(inner, Box(0, 0, w, top + 1 + c.AccentWidth)), Solid(c.Accent));
        // The last row joins the bar: no side lines there either, the bar draws its own.
    } else {
        tab.Fill(Intersect(Outline(inner, 0.5), Box(0, 0, w, top + 3)), Solid(Hex(0xFFFFFF)), 0.6);
        // The middle third is stretched without transparency: above the lower
        // tab it shows the strip's own background, never the key colour.
        tab.FillPixels(w / 3, 0, 2 * (w / 3), static_cast<int>(top), Solid(LookOf(style).Control));
    }
    return tab;
}

}  // namespace

Drawn Tabs(TskUIStyle style, int width, int height)
{
    return Sliced(width, height, 2, true, [style](int i, int w, int h) { return Tab(style, i == 0, w, h); });
}

Drawn TabBar(TskUIStyle style, int width, int height)
{
    const TabColours c = TabColoursOf(style);
    Image bar(width, height, c.Page);
    bar.FillPixels(0, 0, width, 1, Solid(c.Border));
    // Below the line the active tab's colour fades into the page's.
    for (int y = 1; y < height; ++y) {
        const double t = height > 2 ? double(y - 1) / (height - 2) : 0;
        bar.FillPixels(0, y, width, y + 1, Solid(Mix(c.ActiveBottom, c.Page, t)));
    }
    return {std::move(bar), false, {}};
}

}  // namespace art
