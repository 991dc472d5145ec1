// The banner: "Velmora" in slanted 5 x 7 LED dots, the unlit dots of each cell
// showing as dark sockets, over a row of glowing dots that fades out at both
// ends, on a dark gradient.
#include "tools/aboutart/AboutPictures.h"
#include "tools/aboutart/LedDots.h"
#include "tools/aboutart/ShapeMask.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int Scale = 8;
constexpr int GlyphRows = 7;
constexpr int GlyphColumns = 5;
constexpr float Pitch = 5.5f;       // dot centre to dot centre
constexpr float DotRadius = 2.1f;
constexpr float SlantPerRow = 0.45f; // lower rows lie further left
constexpr float LetterGap = 1.0f;    // in pitches, between letter cells

// Rows top to bottom, bit 4 the leftmost column.
struct TGlyph {
    uint8_t Rows[GlyphRows];
};
constexpr TGlyph GlyphV = {{0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}};
constexpr TGlyph GlyphE = {{0x00, 0x00, 0x0E, 0x11, 0x1F, 0x10, 0x0E}};
constexpr TGlyph GlyphL = {{0x0C, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}};
constexpr TGlyph GlyphM = {{0x00, 0x00, 0x1A, 0x15, 0x15, 0x15, 0x15}};
constexpr TGlyph GlyphO = {{0x00, 0x00, 0x0E, 0x11, 0x11, 0x11, 0x0E}};
constexpr TGlyph GlyphR = {{0x00, 0x00, 0x16, 0x19, 0x10, 0x10, 0x10}};
constexpr TGlyph GlyphA = {{0x00, 0x00, 0x0E, 0x01, 0x0F, 0x11, 0x0F}};
constexpr const TGlyph* Name[] = {&GlyphV, &GlyphE, &GlyphL, &GlyphM, &GlyphO, &GlyphR, &GlyphA};
constexpr int NameLength = sizeof Name / sizeof Name[0];

constexpr float NameWidth = (NameLength * (GlyphColumns + LetterGap) - LetterGap - 1) * Pitch;
constexpr float NameLeft = (BannerWidth - NameWidth) / 2.0f + 1.5f;  // the slant leans the rows left
constexpr float NameTop = 9.5f;

struct TNameDots {
    std::vector<TLedDot> Lit;
    std::vector<TLedDot> Unlit;
};

TNameDots NameDots()
{
    TNameDots dots;
    for (int letter = 0; letter < NameLength; ++letter) {
        const float cellLeft = NameLeft + float(letter) * (GlyphColumns + LetterGap) * Pitch;
        for (int row = 0; row < GlyphRows; ++row) {
            const float y = NameTop + float(row) * Pitch;
            const float slant = float(row - (GlyphRows - 1) / 2) * SlantPerRow;
            for (int column = 0; column < GlyphColumns; ++column) {
                const TLedDot dot{cellLeft + float(column) * Pitch - slant, y, DotRadius};
                const bool lit = Name[letter]->Rows[row] & (0x10 >> column);
                (lit ? dots.Lit : dots.Unlit).push_back(dot);
            }
        }
    }
    return dots;
}

// The row of dots under the name, as wide as the name, in brightness bands
// that fade towards both ends.
void PaintDotRow(TArtImage& image, const TLedLook& look, const TRgb& socket)
{
    constexpr int Count = 41;
    constexpr float Y = 55.5f;
    const float step = (NameWidth + 2 * Pitch) / float(Count - 1);
    const float left = (BannerWidth - step * float(Count - 1)) / 2.0f;
    constexpr float Levels[] = {0.25f, 0.45f, 0.7f, 1.0f};
    constexpr int LevelCount = sizeof Levels / sizeof Levels[0];
    std::vector<TLedDot> bands[LevelCount];
    for (int i = 0; i < Count; ++i) {
        const int fromEnd = std::min(i, Count - 1 - i);
        bands[std::min(fromEnd, LevelCount - 1)].push_back({left + float(i) * step, Y, 1.25f});
    }
    for (int level = 0; level < LevelCount; ++level) PaintLitDots(image, bands[level], look, Levels[level], socket);
}

}  // namespace

TArtImage MakeAboutBanner()
{
    TArtImage image(BannerWidth, BannerHeight);
    image.FillVertical(Rgb(0x26272E), Rgb(0x0A0A0D));

    // A faint warm light behind the name.
    TShapeMask halo(BannerWidth, BannerHeight, 1);
    halo.RoundRect(NameLeft, NameTop, NameLeft + NameWidth, NameTop + (GlyphRows - 1) * Pitch, 6);
    image.Glow(halo.Coverage().Blurred(12.0f), Rgb(0x801008), 0.35f);

    // A one-pixel light edge at the top and a dark one at the bottom.
    for (int x = 0; x < BannerWidth; ++x) {
        image.At(x, 0) = Mix(image.At(x, 0), Rgb(0x4A4B55), 0.8f);
        image.At(x, BannerHeight - 1) = Rgb(0x040405);
    }

    const TRgb socket = Rgb(0x1E0709);
    TLedLook look;
    const TNameDots name = NameDots();
    PaintUnlitDots(image, name.Unlit, socket, Scale);
    PaintLitDots(image, name.Lit, look);
    PaintDotRow(image, look, socket);
    return image;
}
