// Bars, grooves and thumbs: progress fill, track bar groove and sliders, scroll
// bar thumbs, the side channel's handle and caption bar, the menu bar, and the
// two form background patterns.
#include "tools/skinart/ArtGlyphs.h"
#include "tools/skinart/ArtLooks.h"
#include "tools/skinart/ArtPainters.h"

#include <algorithm>

namespace art {

namespace {

Image Column(int width, const std::vector<Rgb>& rows)
{
    Image image(width, static_cast<int>(rows.size()), Hex(0));
    for (size_t y = 0; y < rows.size(); ++y)
        image.FillPixels(0, static_cast<int>(y), width, static_cast<int>(y) + 1, Solid(rows[y]));
    return image;
}

// Rows through the stops with a distinct first and last row (edge lines).
std::vector<Rgb> EdgedRows(int height, Rgb first, std::vector<Rgb> stops, Rgb last, int band = 1)
{
    std::vector<Rgb> rows(static_cast<size_t>(height));
    const Paint paint = Vertical(0, 1, std::move(stops));
    rows.front() = first;
    rows.back() = last;
    for (int y = 1; y + 1 < height; ++y) {
        const int b = 1 + (y - 1) / band * band;
        rows[static_cast<size_t>(y)] = Hex(ToPixel(paint(0, double(b - 1) / std::max(height - 3, 1))));
    }
    return rows;
}

Drawn Opaque(Image image)
{
    image.MarkAllBody();
    return {std::move(image), false, {}};
}

}  // namespace

Drawn ProgressBar(TskUIStyle style, int width, int height)
{
    Image bar(width, height, Hex(0xFFFFFF));
    const double h = height;
    switch (style) {
    case TskUIStyle::MacOS: {
        // A blue candy stripe; the stripe leaves and enters at the same height,
        // so the tiles join.
        bar.Fill(Box(0, 0, width, h), Vertical(0, h, {Hex(0xA9D0FF), Hex(0x4A8BE6), Hex(0x2F6FD0), Hex(0x7DB2F6)}));
        for (int shift : {-width, 0, width}) {
            const double x = shift + 2.0;
            bar.Fill(Polygon({{x + 5, 0}, {x + 9, 0}, {x + 4, h}, {x, h}}), Solid(Hex(0xFFFFFF)), 0.28);
        }
        break;
    }
    case TskUIStyle::WinXP:
        // Green blocks with a one-pixel gap.
        bar.Fill(Box(0, 0, width - 1.0, h), Vertical(0, h, {Hex(0xA5EEA5), Hex(0x3CC03C), Hex(0x29A829), Hex(0x63D463)}));
        break;
    case TskUIStyle::Protein:
        bar.Fill(Box(0, 0, width, h), Vertical(0, h, {Hex(0x9DA0F5), Hex(0x4A4FDA), Hex(0x2D30C4), Hex(0x5A5EE0)}));
        break;
    case TskUIStyle::BlueGlass:
        bar.Fill(Box(0, 0, width, h), Vertical(0, h, {Hex(0xD6EAFF), Hex(0x9CC8F5), Hex(0x4F8DDE), Hex(0x74ACEE)}));
        break;
    default:
        bar.Fill(Box(0, 0, width, h), Vertical(0, h, {Hex(0x8893E0), Hex(0x444AA0), Hex(0x2A3080), Hex(0x3A42A0)}));
        break;
    }
    return Opaque(std::move(bar));
}

Drawn TrackBarBar(TskUIStyle style, int width, int height)
{
    const Look& look = LookOf(style);
    Image bar(width, height, look.Control);
    const double top = height > 5 ? (height - 4) / 2.0 : 0.5;
    const double bottom = height > 5 ? top + 4 : height - 0.5;
    const Sdf groove = Box(0.5, top, width - 0.5, bottom, (bottom - top) / 2);
    bar.Fill(groove, Solid(Darker(look.Control, 0.32)));
    bar.Fill(Grow(groove, -0.9), Vertical(top, bottom, {Darker(look.Control, 0.14), Lighter(look.Control, 0.5)}));
    return Opaque(std::move(bar));
}

namespace {

// A thumb: a rounded body with a point along (dx, dy); see-through around it.
Drawn Thumb(TskUIStyle style, int width, int height, bool pointsDown)
{
    const Look& look = LookOf(style);
    Image thumb(width, height, look.Control);
    const double w = width, h = height;
    Sdf body;
    if (pointsDown) {
        const double shoulder = h - w / 2 - 1;
        body = Union(Box(0.5, 0.5, w - 0.5, shoulder + 1, 2), Polygon({{0.5, shoulder}, {w - 0.5, shoulder}, {w / 2, h - 0.5}}));
    } else {
        const double shoulder = w - h / 2 - 1;
        body = Union(Box(0.5, 0.5, shoulder + 1, h - 0.5, 2), Polygon({{shoulder, 0.5}, {shoulder, h - 0.5}, {w - 0.5, h / 2}}));
    }
    thumb.Fill(body, Solid(look.FaceBorder));
    thumb.Fill(Grow(body, -1), pointsDown ? Horizontal(0, w, {look.FaceTop, look.FaceBottom}) : Vertical(0, h, {look.FaceTop, look.FaceBottom}));
    // Grip lines across the body.
    for (int i = -1; i <= 1; ++i) {
        const Sdf grip = pointsDown ? Segment({3, h / 2 - 3 + i * 2.5}, {w - 3, h / 2 - 3 + i * 2.5}, 0.45)
                                    : Segment({w / 2 - 3 + i * 2.5, 3}, {w / 2 - 3 + i * 2.5, h - 3}, 0.45);
        thumb.Fill(grip, Solid(Darker(look.FaceBottom, 0.3)), 0.8);
    }
    return {std::move(thumb), true, {}};
}

}  // namespace

Drawn TrackBarSlider(TskUIStyle style, int width, int height)
{
    return Thumb(style, width, height, true);
}

Drawn TrackBarSliderV(TskUIStyle style, int width, int height)
{
    return Thumb(style, width, height, false);
}

Drawn ScrollBarThumbs(TskUIStyle style, int width, int height)
{
    // Slices: at rest, under the pointer, pressed; stretched along the bar.
    const Look& look = LookOf(style);
    Drawn drawn = Sliced(width, height, 3, false, [&look](int i, int w, int h) {
        Image thumb(w, h, look.ScrollBar);
        const Rgb top = i == 1 ? look.HoverTop : i == 2 ? look.DownTop : look.FaceTop;
        const Rgb bottom = i == 1 ? look.HoverBottom : i == 2 ? look.DownBottom : look.FaceBottom;
        const Rgb border = i == 1 ? look.HoverBorder : i == 2 ? look.DownBorder : look.FaceBorder;
        // Corners small enough to lie within the corner pieces of nine-part drawing.
        const Sdf body = Box(0.5, 1.5, w - 0.5, h - 1.5, std::min(w / 2 - 0.5, 3.0));
        thumb.Fill(body, Solid(border));
        thumb.Fill(Grow(body, -1), Vertical(1.5, h - 1.5, {top, bottom}));
        thumb.MarkAllBody();
        return thumb;
    });
    return drawn;
}

Drawn SideChannelHandle(TskUIStyle style, int width, int height)
{
    const Look& look = LookOf(style);
    Image handle(width, height, look.Control);
    const double w = width, h = height;
    const Sdf body = Box(0.5, 0.5, w - 0.5, h - 0.5, w / 2 - 0.5);
    handle.Fill(body, Solid(look.FaceBorder));
    handle.Fill(Grow(body, -1), Horizontal(0, w, {look.FaceTop, look.FaceBottom}));
    // An arrow near the top that says which way the channel opens, and grip dots.
    handle.Fill(Arrow(w / 2, 9, 2.4, -1, 0), Solid(look.Glyph));
    for (int i = -2; i <= 2; ++i) handle.Fill(Circle(w / 2, h / 2 + i * 4.0, 0.95), Solid(Darker(look.FaceBottom, 0.35)));
    return Opaque(std::move(handle));
}

Drawn SideChannelBar(TskUIStyle style, int width, int height)
{
    std::vector<Rgb> rows;
    switch (style) {
    case TskUIStyle::MacOS:
        rows = PanelBarRows();
        break;
    case TskUIStyle::WinXP:
        rows = EdgedRows(height, Hex(0x7A96DF), {Hex(0xFFFFFF), Hex(0xE3EAFB), Hex(0xC6D3F7)}, Hex(0x8CA4E8));
        break;
    case TskUIStyle::Protein:
        rows = EdgedRows(height, Hex(0x15187A), {Hex(0x8A8FEE), Hex(0x5459DC), Hex(0x2E33C6)}, Hex(0x111470), 2);
        break;
    case TskUIStyle::BlueGlass:
        rows = EdgedRows(height, Hex(0x1A3157), {Hex(0xCDE4FC), Hex(0x8CBDF2), Hex(0x4F8DDE), Hex(0x6CA6EC)}, Hex(0x223F70), 2);
        break;
    default:
        rows = EdgedRows(height, Hex(0x070D1C), {Hex(0x3A5288), Hex(0x22345E), Hex(0x17264A)}, Hex(0x050A16), 2);
        break;
    }
    rows.resize(static_cast<size_t>(height), rows.back());
    Drawn drawn = Opaque(Column(width, rows));
    drawn.Exact = PixelsOf(rows);
    return drawn;
}

Drawn MenuBar(int width, int height)
{
    return Opaque(Column(width, EdgedRows(height, Hex(0xFDFDFD), {Hex(0xF4F4F4), Hex(0xE6E6E6), Hex(0xDADADA)}, Hex(0xA5A5A5), 2)));
}

Drawn MenuSelect(int width, int height)
{
    return Opaque(Column(width, EdgedRows(height, Hex(0x7DAEF2), {Hex(0x5F98EA), Hex(0x4380DA), Hex(0x2F66C0)}, Hex(0x2858A8))));
}

Drawn FormBackground(TskUIStyle style)
{
    // Eight rows of stripes, tiled as the form's brush.
    std::vector<Rgb> rows(8, Hex(0xFFFFFF));
    if (style == TskUIStyle::MacOS) {
        const Rgb stripes[4] = {Hex(0xFFFFFF), Hex(0xEFEFEF), Hex(0xE8E8E8), Hex(0xEFEFEF)};
        for (size_t y = 0; y < 8; ++y) rows[y] = stripes[y % 4];
    } else {
        rows[3] = rows[7] = Hex(0xEEEEEE);
    }
    return Opaque(Column(8, rows));
}

}  // namespace art
