#include "tools/skinart/ArtLooks.h"

#include <cstdint>

namespace art {

namespace {

// Whole 8-bit values, so that art drawn from these rows matches them exactly.
Rgb Rounded(Rgb c)
{
    return Hex(ToPixel(c));
}

// Rows from..to (inclusive) through the stops; with band > 1 neighbouring rows
// share a colour, for pictures whose palette is small.
void Gradient(std::vector<Rgb>& rows, int from, int to, std::vector<Rgb> stops, int band = 1)
{
    const Paint paint = Vertical(0, 1, std::move(stops));
    const int span = std::max(to - from, 1);
    for (int r = from; r <= to; ++r) {
        const int banded = from + (r - from) / band * band;
        rows[static_cast<size_t>(r)] = Rounded(paint(0, double(banded - from) / span));
    }
}

// A faint streak per row: brushed metal. A fixed linear congruential sequence,
// so the art is the same on every machine.
void Brush(std::vector<Rgb>& rows, int from, int to, double strength)
{
    uint32_t state = 12345;
    for (int r = from; r <= to; ++r) {
        state = state * 1103515245u + 12345u;
        const double offset = (double((state >> 16) & 0xFF) / 255.0 - 0.5) * 2 * strength;
        Rgb& c = rows[static_cast<size_t>(r)];
        c = Rounded({c.R + offset, c.G + offset, c.B + offset});
    }
}

const Look MacOSLook{
    Hex(0xE7E7E7), Hex(0xE7E7E7), Hex(0x7F7F7F), Hex(0xC9C9C9), Hex(0x3973C4),
    Hex(0xFFFFFF), Hex(0xE9E9E9), Hex(0x9C9C9C),
    Hex(0xFFFFFF), Hex(0xE3EDFA), Hex(0x6E9AD6),
    Hex(0xD4D4D4), Hex(0xE6E6E6), Hex(0x7D7D7D),
    Hex(0x4A4A4A), 5.0};
const Look WinXPLook{
    Hex(0xEFEBDE), Hex(0xEFEBDE), Hex(0x686868), Hex(0xF9F9F9), Hex(0x3169C6),
    Hex(0xFFFFFF), Hex(0xE6E3D8), Hex(0x003C74),
    Hex(0xFFF8E8), Hex(0xF2E7C9), Hex(0xE59700),
    Hex(0xDDDAD0), Hex(0xEDEAE1), Hex(0x003C74),
    Hex(0x1B4C96), 3.0};
const Look DeepBlueLook{
    Hex(0xE8E8E8), Hex(0xE8E8E8), Hex(0x000000), Hex(0xF5F5F5), Hex(0x444AA0),
    Hex(0xEEF2FA), Hex(0xC6D2E8), Hex(0x1F3160),
    Hex(0xF6F8FE), Hex(0xD4E0F6), Hex(0x2F4C92),
    Hex(0xAFBEDC), Hex(0xCAD5EA), Hex(0x15224A),
    Hex(0x1F3160), 3.0};
const Look ProteinLook{
    Hex(0xFBFBFB), Hex(0xFBFBFB), Hex(0x000000), Hex(0xF5F5F5), Hex(0x2D30C4),
    Hex(0xFFFFFF), Hex(0xE2E5EE), Hex(0x9AA1B6),
    Hex(0xFFFFFF), Hex(0xDCE0FA), Hex(0x7E85DA),
    Hex(0xCDD2F0), Hex(0xE2E5F8), Hex(0x6A70C8),
    Hex(0x2D30C4), 9.5};
const Look BlueGlassLook{
    Hex(0xE7E7E7), Hex(0xE7E7E7), Hex(0x000000), Hex(0xF4F4F4), Hex(0x5E5EEC),
    Hex(0xF2F8FF), Hex(0xBBD8F8), Hex(0x6B93C6),
    Hex(0xF7FBFF), Hex(0xA9D0FA), Hex(0x4F84C8),
    Hex(0x8DBCEE), Hex(0xC2DDF9), Hex(0x3F6FAE),
    Hex(0x1D3F73), 6.0};

}  // namespace

const Look& LookOf(TskUIStyle style)
{
    switch (style) {
    case TskUIStyle::MacOS: return MacOSLook;
    case TskUIStyle::WinXP: return WinXPLook;
    case TskUIStyle::Protein: return ProteinLook;
    case TskUIStyle::BlueGlass: return BlueGlassLook;
    default: return DeepBlueLook;
    }
}

std::vector<Rgb> TitleRows(TskUIStyle style)
{
    std::vector<Rgb> rows;
    switch (style) {
    case TskUIStyle::MacOS:
        // Light brushed metal: the window's top outline, a highlight, the metal, a
        // separating line above the body.
        rows.resize(23);
        rows[0] = Hex(0x7F7F7F);
        rows[1] = Hex(0xFCFCFC);
        Gradient(rows, 2, 20, {Hex(0xF3F3F3), Hex(0xE4E4E4), Hex(0xD3D3D3)});
        Brush(rows, 2, 20, 1.4);
        rows[21] = Hex(0xC8C8C8);
        rows[22] = Hex(0x9D9D9D);
        break;
    case TskUIStyle::WinXP:
        rows.resize(29);
        rows[0] = Hex(0x0B3BD9);
        rows[1] = Hex(0x4A9BFF);
        rows[2] = Hex(0x6FB2FF);
        rows[3] = Hex(0x3C8CF6);
        Gradient(rows, 4, 24, {Hex(0x1668F0), Hex(0x0A5BE6), Hex(0x0553DC)});
        Gradient(rows, 25, 27, {Hex(0x034BCD), Hex(0x0242BE)});
        rows[28] = Hex(0x0035A8);
        break;
    case TskUIStyle::DeepBlue:
        // Dark navy in bands of three rows: the centre section has sixteen colours.
        rows.resize(32);
        rows[0] = Hex(0x070D1C);
        rows[1] = Hex(0x4A63A0);
        Gradient(rows, 2, 29, {Hex(0x2B406F), Hex(0x1E2F57), Hex(0x17264A)}, 3);
        rows[30] = Hex(0x111C38);
        rows[31] = Hex(0x050A16);
        break;
    case TskUIStyle::Protein:
        // Violet glass: a bright upper half over a deeper lower half, in pairs of
        // rows (its centre section has sixteen colours).
        rows.resize(23);
        rows[0] = Hex(0x15187A);
        rows[1] = Hex(0x9094F0);
        Gradient(rows, 2, 11, {Hex(0x6C71E6), Hex(0x4C51DA)}, 2);
        Gradient(rows, 12, 20, {Hex(0x2E33C6), Hex(0x3A3FCF)}, 2);
        rows[21] = Hex(0x2428A8);
        rows[22] = Hex(0x111470);
        break;
    default:
        // Blue glass: a light glossy upper half, a sharp step, a glowing lower half.
        rows.resize(33);
        rows[0] = Hex(0x1A3157);
        rows[1] = Hex(0xB9DAFD);
        Gradient(rows, 2, 15, {Hex(0x8BBDF3), Hex(0x5E9BE6)});
        Gradient(rows, 16, 30, {Hex(0x2F6FCC), Hex(0x2A66C2), Hex(0x4A88DA)});
        rows[31] = Hex(0x2D5EA8);
        rows[32] = Hex(0x1A3560);
        break;
    }
    return rows;
}

Rgb TitleMidColour(TskUIStyle style)
{
    const std::vector<Rgb> rows = TitleRows(style);
    return rows[rows.size() / 2];
}

std::vector<Rgb> PanelBarRows()
{
    // A light caption bar in bands of three rows; its top row covers the panel's
    // outline and its bottom row separates the caption from the content.
    std::vector<Rgb> rows(21);
    rows[0] = Hex(0x9A9A9A);
    rows[1] = Hex(0xFFFFFF);
    Gradient(rows, 2, 18, {Hex(0xF7F7F7), Hex(0xE9E9E9), Hex(0xDDDDDD)}, 3);
    rows[19] = Hex(0xD2D2D2);
    rows[20] = Hex(0xB4B4B4);
    return rows;
}

}  // namespace art
