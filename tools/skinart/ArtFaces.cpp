// Faces that are pressed: push buttons, title bar buttons, tab scroll buttons,
// scroll bar buttons and the captioned panel's roll-up button.
#include "skin/SkStyleTable.h"
#include "tools/skinart/ArtGlyphs.h"
#include "tools/skinart/ArtLooks.h"
#include "tools/skinart/ArtPainters.h"

#include <algorithm>

namespace art {

Drawn Sliced(int width, int height, int count, bool keyed, const std::function<Image(int, int, int)>& paint)
{
    Drawn drawn{Image(width, height, Hex(0)), keyed, {}};
    const int w = width / count;
    for (int i = 0; i < count; ++i) drawn.Picture.Place(paint(i, w, height), i * w, 0);
    return drawn;
}

std::vector<uint32_t> PixelsOf(const std::vector<Rgb>& colours)
{
    std::vector<uint32_t> pixels;
    for (const Rgb& c : colours) pixels.push_back(ToPixel(c));
    return pixels;
}

namespace {

enum State { stNormal, stHover, stDown };

// The colour a face's anti-aliased edge is blended with: what the face is
// usually drawn over.
Rgb FaceSurroundings(TskUIStyle style)
{
    switch (style) {
    case TskUIStyle::MacOS: return Hex(0xEBEBEB);
    case TskUIStyle::WinXP: return LookOf(style).Form;
    case TskUIStyle::DeepBlue: return LookOf(style).Form;
    // Protein buttons sit on striped and on white surfaces: their corners take a
    // colour between the two.
    case TskUIStyle::Protein: return Hex(0xF7F7F7);
    default: return LookOf(style).Form;
    }
}

// ---- Push buttons -----------------------------------------------------------

Image PushFace(TskUIStyle style, State state, int w, int h)
{
    const Look& look = LookOf(style);
    Image face(w, h, FaceSurroundings(style));
    const Rgb top = state == stHover ? look.HoverTop : state == stDown ? look.DownTop : look.FaceTop;
    const Rgb bottom = state == stHover ? look.HoverBottom : state == stDown ? look.DownBottom : look.FaceBottom;
    const Rgb border = state == stHover ? look.HoverBorder : state == stDown ? look.DownBorder : look.FaceBorder;
    const double r = std::min(look.Radius, (h - 1.0) / 2);
    const double bottomEdge = h - 1.0;

    // A soft shadow one pixel below, then the outline, then the face inside it.
    face.Fill(Box(0.5, 1.0, w - 0.5, h - 0.2, r), Solid(Hex(0x000000)), style == TskUIStyle::DeepBlue ? 0.16 : 0.09);
    face.Fill(Box(0.5, 0.5, w - 0.5, bottomEdge, r), Solid(border));
    const Sdf inner = Box(1.5, 1.5, w - 1.5, bottomEdge - 1, std::max(r - 1, 0.5));
    switch (style) {
    case TskUIStyle::BlueGlass: {
        // Glass: a light upper half, a deeper lower half that brightens towards its edge.
        const double mid = h * 0.48;
        face.Fill(inner, Vertical(1.5, bottomEdge - 1, {Mix(bottom, Darker(bottom, 0.12), 0.5), bottom, Lighter(bottom, 0.45)}));
        face.Fill(Intersect(inner, Box(0, 0, w, mid)), Vertical(1.5, mid, {top, Mix(top, bottom, 0.45)}));
        break;
    }
    case TskUIStyle::WinXP:
        face.Fill(inner, Vertical(1.5, bottomEdge - 1, {top, Mix(top, bottom, 0.5), bottom}));
        if (state == stHover) {
            // The warm glow inside the outline of a face under the pointer.
            face.Fill(Outline(Grow(inner, -0.9), 0.9), Vertical(1.5, bottomEdge - 1, {Hex(0xFFF0CF), Hex(0xF8B330)}));
        }
        break;
    default:
        face.Fill(inner, Vertical(1.5, bottomEdge - 1, {top, bottom}));
        break;
    }
    // A highlight along the top inside the outline, lit faces only.
    if (state != stDown)
        face.Fill(Intersect(Outline(inner, 0.55), Box(0, 0, w, h * 0.4)), Solid(Hex(0xFFFFFF)), 0.7);
    return face;
}

// ---- Title bar buttons -------------------------------------------------------

enum TitleKind { tkControlBox, tkHelp, tkMax, tkRestore, tkMin, tkClose };

// The button's surroundings: the title bar rows it is drawn over (buttons
// start at the style's button top; the control box one row higher).
Image TitleBackground(TskUIStyle style, TitleKind kind, int w, int h, bool keyed)
{
    if (keyed) return Image(w, h, TitleMidColour(style));
    const std::vector<Rgb> rows = TitleRows(style);
    const int first = GetInsideThemeInt(style, 9) - (kind == tkControlBox ? 1 : 0);
    Image image(w, h, Hex(0));
    for (int y = 0; y < h; ++y) {
        const int row = std::clamp(first + y, 0, static_cast<int>(rows.size()) - 1);
        image.FillPixels(0, y, w, y + 1, Solid(rows[static_cast<size_t>(row)]));
    }
    return image;
}

Sdf WindowGlyph(TitleKind kind, double c, double s, double hw)
{
    switch (kind) {
    case tkClose: return CrossMark(c, c, s * 0.78, hw);
    case tkMin: return Segment({c - s * 0.8, c + s * 0.75}, {c + s * 0.8, c + s * 0.75}, hw * 1.15);
    case tkMax: return WindowMark(c, c, s * 0.78, hw * 0.8);
    case tkRestore: return RestoreMark(c, c, s, hw * 0.8);
    default: return QuestionMark(c, c, s * 0.95, hw);
    }
}

// Round buttons in the three signal colours; their marks show under the pointer.
Image MacTitleButton(TitleKind kind, State state, int w, int h)
{
    Image b = TitleBackground(TskUIStyle::MacOS, kind, w, h, false);
    const double c = w / 2.0, r = 6.2;
    if (kind == tkControlBox) {
        const Rgb rim = state == stHover ? Hex(0x3973C4) : Hex(0x8A8A8A);
        const Rgb face = state == stDown ? Hex(0xDCDCDC) : Hex(0xFFFFFF);
        b.Fill(Circle(c, c + 0.6, r + 0.3), Solid(Hex(0x000000)), 0.12);
        DrawClock(b, c, c, r, rim, face, Mix(face, Hex(0xE2E2E2), 0.7));
        return b;
    }
    Rgb fill = Hex(0xB8BCC4), edge = Hex(0x9397A0), mark = Hex(0x4B4F57);
    if (kind == tkClose) fill = Hex(0xFF5F57), edge = Hex(0xE0443E), mark = Hex(0x8C1A10);
    if (kind == tkMin) fill = Hex(0xFEBC2E), edge = Hex(0xDE9F22), mark = Hex(0x985712);
    if (kind == tkMax || kind == tkRestore) fill = Hex(0x28C840), edge = Hex(0x1AAB29), mark = Hex(0x0B650D);
    if (state == stDown) fill = Darker(fill, 0.22), edge = Darker(edge, 0.2);
    b.Fill(Circle(c, c + 0.5, r + 0.2), Solid(Hex(0x000000)), 0.10);
    b.Fill(Circle(c, c, r), Solid(edge));
    b.Fill(Circle(c, c, r - 0.75), Vertical(c - r, c + r, {Lighter(fill, 0.18), fill, Darker(fill, 0.04)}));
    b.Fill(Intersect(Circle(c, c - 2.3, 3.0), Circle(c, c, r - 1.2)), Solid(Hex(0xFFFFFF)), 0.28);
    if (state != stNormal || kind == tkHelp) {
        const double opacity = kind == tkHelp && state == stNormal ? 0.55 : 0.9;
        Sdf glyph;
        switch (kind) {
        case tkClose: glyph = CrossMark(c, c, 2.35, 0.62); break;
        case tkMin: glyph = MinusMark(c, c, 2.9, 0.7); break;
        case tkMax: glyph = PlusMark(c, c, 2.9, 0.7); break;
        case tkRestore: glyph = UnzoomMark(c, c, 3.1); break;
        default: glyph = QuestionMark(c, c + 0.2, 3.3, 0.62); break;
        }
        b.Fill(glyph, Solid(mark), opacity);
    }
    return b;
}

// Glossy blue tiles with a white edge; the close tile is red.
Image XPTitleButton(TitleKind kind, State state, int w, int h)
{
    Image b = TitleBackground(TskUIStyle::WinXP, kind, w, h, false);
    const double c = w / 2.0;
    if (kind == tkControlBox) {
        const Rgb rim = state == stHover ? Hex(0xFFFFFF) : Hex(0x0B2E80);
        DrawClock(b, c, c, 7.2, rim, state == stDown ? Hex(0xDDE6F6) : Hex(0xFFFFFF), Hex(0xDFE6F2));
        return b;
    }
    Rgb top = Hex(0x5AA2FF), bottom = Hex(0x1560E6);
    if (kind == tkClose) top = Hex(0xF0876A), bottom = Hex(0xCB3C1C);
    if (state == stHover) top = Lighter(top, 0.22), bottom = Lighter(bottom, 0.15);
    if (state == stDown) std::swap(top, bottom), top = Darker(top, 0.15);
    const Sdf tile = Box(1.5, 1.5, w - 1.5, h - 1.5, 3.2);
    b.Fill(Grow(tile, 0.5), Solid(Hex(0x0A2C8A)), 0.55);
    b.Fill(tile, Solid(Hex(0xFFFFFF)));
    b.Fill(Grow(tile, -1.1), Vertical(2, h - 2, {top, Mix(top, bottom, 0.55), bottom}));
    b.Fill(Intersect(Grow(tile, -1.6), Box(0, 0, w, h * 0.42)), Solid(Hex(0xFFFFFF)), 0.22);
    b.Fill(WindowGlyph(kind, c, 4.3, 1.05), Solid(Hex(0xFFFFFF)));
    return b;
}

// Flat marks on the navy bar; a tile appears under the pointer.
Image DeepBlueTitleButton(TitleKind kind, State state, int w, int h)
{
    Image b = TitleBackground(TskUIStyle::DeepBlue, kind, w, h, false);
    const double c = w / 2.0;
    if (kind == tkControlBox) {
        DrawClock(b, c, c, 6.6, state == stHover ? Hex(0xFFFFFF) : Hex(0x9AA8CC), Hex(0xE8ECF6), Hex(0xC9D2E8));
        return b;
    }
    if (state != stNormal) {
        Rgb tile = kind == tkClose ? Hex(0xC8402F) : Hex(0x405C9C);
        if (state == stDown) tile = kind == tkClose ? Hex(0x8E2A20) : Hex(0x101C38);
        b.Fill(Box(1, 1, w - 1, h - 1, 2.5), Solid(tile));
    }
    b.Fill(WindowGlyph(kind, c, 4.0, 0.85), Solid(state == stNormal ? Hex(0xC3CDEA) : Hex(0xFFFFFF)));
    return b;
}

// Pearl pills on the violet bar, see-through around them.
Image ProteinTitleButton(TitleKind kind, State state, int w, int h)
{
    Image b = TitleBackground(TskUIStyle::Protein, kind, w, h, true);
    const double c = w / 2.0, r = 7.3;
    Rgb top = Hex(0xFFFFFF), bottom = Hex(0xC9CDF2);
    if (state == stHover) bottom = Hex(0xE4E6FF);
    if (state == stDown) top = Hex(0xB4B9EA), bottom = Hex(0xD8DBF7);
    b.Fill(Circle(c, c, r), Solid(Hex(0x1B1E8A)));
    b.Fill(Circle(c, c, r - 0.9), Vertical(c - r, c + r, {top, bottom}));
    if (kind == tkControlBox) {
        DrawClock(b, c, c, 5.2, Hex(0x2D30C4), Hex(0xFFFFFF), Hex(0xEDEEFB));
        return b;
    }
    const Rgb mark = kind == tkClose ? Hex(0xC62E2E) : Hex(0x2D30C4);
    b.Fill(WindowGlyph(kind, c, 3.4, 0.8), Solid(mark));
    return b;
}

// Rounded glass tiles, see-through around them; the close tile is tinted red.
Image GlassTitleButton(TitleKind kind, State state, int w, int h)
{
    Image b = TitleBackground(TskUIStyle::BlueGlass, kind, w, h, true);
    const double c = w / 2.0;
    const Sdf tile = Box(1.5, 1.5, w - 1.5, h - 1.5, 4.2);
    if (kind == tkControlBox) {
        DrawClock(b, c, c, 7.0, state == stHover ? Hex(0xFFFFFF) : Hex(0x2F5E9E), Hex(0xFFFFFF), Hex(0xDCEBFB));
        return b;
    }
    Rgb upper = Hex(0xF2F8FF), lower = Hex(0x9CC8F5), edge = Hex(0x2F5E9E), mark = Hex(0x1D3F73);
    if (kind == tkClose) upper = Hex(0xFFE4DE), lower = Hex(0xE0644F), edge = Hex(0x8E2A1E), mark = Hex(0xFFFFFF);
    if (state == stHover) upper = Lighter(upper, 0.4), lower = Lighter(lower, 0.25);
    if (state == stDown) upper = Darker(lower, 0.1), lower = Darker(lower, 0.25);
    b.Fill(tile, Solid(edge));
    b.Fill(Grow(tile, -1), Vertical(2, h - 2, {Lighter(lower, 0.25), lower, Lighter(lower, 0.35)}));
    b.Fill(Intersect(Grow(tile, -1), Box(0, 0, w, h * 0.5)), Vertical(2, h * 0.5, {upper, Mix(upper, lower, 0.5)}));
    b.Fill(WindowGlyph(kind, c, 3.8, 0.95), Solid(mark));
    return b;
}

// ---- Tab scroll and scroll bar buttons -------------------------------------

Image SmallButton(TskUIStyle style, bool hover, bool down, int w, int h, const Sdf& glyph, bool keyed, Rgb surroundings)
{
    const Look& look = LookOf(style);
    Image b(w, h, surroundings);
    const Sdf tile = Box(0.5, 0.5, w - 0.5, h - 0.5, std::min(look.Radius, 3.5));
    const Rgb border = hover ? look.HoverBorder : down ? look.DownBorder : look.FaceBorder;
    Rgb top = hover ? look.HoverTop : down ? look.DownTop : look.FaceTop;
    Rgb bottom = hover ? look.HoverBottom : down ? look.DownBottom : look.FaceBottom;
    b.Fill(tile, Solid(border));
    b.Fill(Grow(tile, -1), Vertical(1, h - 1, {top, bottom}));
    b.Fill(glyph, Solid(look.Glyph));
    if (!keyed) b.MarkAllBody();
    return b;
}

}  // namespace

Drawn PushButtons(TskUIStyle style, int width, int height)
{
    const bool keyed = GetInsideThemeBool(style, 2);
    return Sliced(width, height, 3, keyed, [style](int i, int w, int h) { return PushFace(style, State(i), w, h); });
}

Drawn TitleButtons(TskUIStyle style, int width, int height)
{
    const bool keyed = GetInsideThemeBool(style, 6);
    Drawn drawn = Sliced(width, height, 18, keyed, [style](int i, int w, int h) {
        const auto kind = TitleKind(i / 3);
        const auto state = State(i % 3);
        switch (style) {
        case TskUIStyle::MacOS: return MacTitleButton(kind, state, w, h);
        case TskUIStyle::WinXP: return XPTitleButton(kind, state, w, h);
        case TskUIStyle::Protein: return ProteinTitleButton(kind, state, w, h);
        case TskUIStyle::BlueGlass: return GlassTitleButton(kind, state, w, h);
        default: return DeepBlueTitleButton(kind, state, w, h);
        }
    });
    // Opaque buttons must show the bar's own colours around them.
    if (!keyed) drawn.Exact = PixelsOf(TitleRows(style));
    return drawn;
}

Drawn TabScrollButtons(TskUIStyle style, int width, int height)
{
    // Slices: right, right under the pointer, left, left under the pointer.
    return Sliced(width, height, 4, true, [style](int i, int w, int h) {
        const double dx = i < 2 ? 1 : -1;
        const Sdf glyph = Chevron(w / 2.0 + dx * 0.3, h / 2.0, 3.2, 0.95, dx, 0);
        return SmallButton(style, i % 2 == 1, false, w, h, glyph, true, LookOf(style).Control);
    });
}

Drawn ScrollBarButtons(TskUIStyle style, int width, int height)
{
    // Slices: up at rest, under the pointer, pressed; then down likewise.
    return Sliced(width, height, 6, false, [style](int i, int w, int h) {
        const double dy = i < 3 ? -1 : 1;
        const Sdf glyph = Arrow(w / 2.0, h / 2.0 + dy * 0.4, std::min(w, h) * 0.22, 0, dy);
        return SmallButton(style, i % 3 == 1, i % 3 == 2, w, h, glyph, false, LookOf(style).ScrollBar);
    });
}

Drawn PanelButton(int width, int height)
{
    // Drawn opaque on the MacOS caption bar, rows 4 to 15, so it shows the bar's
    // own colours around it. Slices: expanded, expanded under the pointer,
    // collapsed, collapsed under the pointer.
    const std::vector<Rgb> bar = PanelBarRows();
    Drawn drawn = Sliced(width, height, 4, false, [&bar](int i, int w, int h) {
        Image b(w, h, Hex(0));
        for (int y = 0; y < h; ++y) b.FillPixels(0, y, w, y + 1, Solid(bar[static_cast<size_t>(4 + y)]));
        const bool hover = i % 2 == 1;
        const double cx = w / 2.0, cy = h / 2.0, r = 5.4;
        b.Fill(Circle(cx, cy, r), Solid(hover ? Hex(0x3973C4) : Hex(0xA5A5A5)));
        b.Fill(Circle(cx, cy, r - 0.9), Vertical(cy - r, cy + r, {Hex(0xFFFFFF), hover ? Hex(0xDDE8F8) : Hex(0xE8E8E8)}));
        const double dy = i < 2 ? -1 : 1;
        b.Fill(Chevron(cx, cy + dy * 0.25, 2.5, 0.8, 0, dy), Solid(hover ? Hex(0x2F62B0) : Hex(0x555555)));
        return b;
    });
    drawn.Exact = PixelsOf(bar);
    return drawn;
}

}  // namespace art
