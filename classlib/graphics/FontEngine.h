// The font engine behind the canvas's text: fonts found by family name through
// fontconfig, rasterised by FreeType into anti-aliased coverage bitmaps, and a
// cache of those bitmaps so that drawing the same text again rasterises nothing
// and allocates nothing.
//
// Nothing is loaded until text is first measured or drawn. Families that are not
// installed are replaced by installed families of similar metrics; an unknown
// family gets the default interface family. When no font file can be found at
// all, fonts measure 0 and draw nothing, and one line says so on stderr.
#pragma once

#include "classlib/graphics/Graphic.h"
#include "classlib/graphics/GraphicsObjects.h"

#include <cstdint>
#include <mutex>
#include <string>

// One glyph's coverage: Width x Height bytes, rows top-down, 0 = none, 255 = full.
struct TGlyphBitmap {
    int Left = 0;    // from the pen position to the bitmap's left column
    int Top = 0;     // from the baseline up to the bitmap's top row
    int Width = 0;
    int Height = 0;
    int Advance = 0; // how far the pen moves, in whole pixels
    const uint8_t* Coverage = nullptr;
};

// Pixel metrics of a font, measured like the platform's text metrics.
struct TFontMetrics {
    int Ascent = 0;          // baseline below the top of the cell
    int Descent = 0;         // cell bottom below the baseline
    int Height = 0;          // the cell: Ascent + Descent
    int InternalLeading = 0; // Height minus the character (em) height
    int AveCharWidth = 0;
    int UnderlineOffset = 0; // first underline row below the baseline
    int UnderlineThickness = 0;
    int StrikeOutOffset = 0; // first strike-out row above the baseline
    int StrikeOutThickness = 0;
};

// Counters of the engine's work since the start of the process.
struct TFontEngineStats {
    uint64_t FontLoads = 0;      // fonts looked up and opened
    uint64_t Rasterisations = 0; // glyphs rendered by FreeType
};
TFontEngineStats FontEngineStats();

// Fonts larger than this many pixels per em are drawn at this size.
constexpr int MaxFontPixelsPerEm = 1024;

class TFontInstance;

// The engine's font for a TFont, held under the engine's lock for the duration
// of one measurement or drawing. Cheap to create once the font has been used.
// Uses may nest on one thread (a font kept for its metrics while the canvas
// measures); other threads wait.
class TFontUse {
public:
    explicit TFontUse(const TFont& font);
    ~TFontUse();
    TFontUse(const TFontUse&) = delete;
    TFontUse& operator=(const TFontUse&) = delete;

    // False when no font file could be found: nothing can be drawn.
    explicit operator bool() const;
    // All zero without a font.
    const TFontMetrics& Metrics() const;
    // The installed family used, and whether bold or italic are synthesised.
    std::string FamilyName() const;
    bool SyntheticBold() const;
    bool SyntheticItalic() const;
    // The glyph of a Unicode code point (the font's missing-glyph box when it has
    // none). Valid until the next call of Glyph on any TFontUse.
    const TGlyphBitmap& Glyph(char32_t codePoint);

private:
    std::unique_lock<std::recursive_mutex> FLock;
    TFontInstance* FInstance = nullptr;
};

// The next character of text at p: a valid UTF-8 sequence gives its code point;
// any other byte is one character of the Windows-1252 code page, which the
// system's single-byte texts use. Advances p; call only while p < end.
char32_t NextTextChar(const char*& p, const char* end);
