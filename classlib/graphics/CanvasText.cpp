// The canvas's text: output, measurement and formatted drawing. Text is drawn
// glyph by glyph from the font engine's cached coverage bitmaps, blended in the
// font colour; nothing here allocates, so redrawing text costs no heap.
#include "classlib/graphics/Canvas.h"
#include "classlib/graphics/FontEngine.h"
#include "classlib/graphics/Graphic.h"
#include "classlib/raster/DrawCount.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

// Coordinates are widened while text is laid out, so that long texts and far
// positions cannot overflow.
using TCoord = int64_t;

int ClampToInt(TCoord v)
{
    return static_cast<int>(std::clamp<TCoord>(v, INT_MIN, INT_MAX));
}

// The part of (left, top, right, bottom) inside clip, in device pixels.
TRect ClipDeviceRect(TCoord left, TCoord top, TCoord right, TCoord bottom, const TRect& clip)
{
    const TRect r{ClampToInt(std::max<TCoord>(left, clip.Left)), ClampToInt(std::max<TCoord>(top, clip.Top)),
                  ClampToInt(std::min<TCoord>(right, clip.Right)), ClampToInt(std::min<TCoord>(bottom, clip.Bottom))};
    return IsRectEmpty(r) ? TRect{} : r;
}

void FillDevice(const TPixelSurface& surface, const TRect& r, uint32_t pixel)
{
    Raster::CountDrawOperation();
    for (int y = r.Top; y < r.Bottom; ++y) std::fill(surface.Row(y) + r.Left, surface.Row(y) + r.Right, pixel);
}

// src over dst with coverage a out of 255, channel by channel.
uint32_t BlendPixel(uint32_t dst, uint32_t src, unsigned a)
{
    if (a >= 255) return src;
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
        unsigned t = s * a + d * (255 - a) + 128;
        t = (t + (t >> 8)) >> 8;
        out |= t << shift;
    }
    return out;
}

void BlendGlyph(const TPixelSurface& surface, const TRect& clip, TCoord left, TCoord top, const TGlyphBitmap& glyph,
                uint32_t pixel)
{
    if (!glyph.Coverage) return;
    const TRect r = ClipDeviceRect(left, top, left + glyph.Width, top + glyph.Height, clip);
    for (int y = r.Top; y < r.Bottom; ++y) {
        const uint8_t* coverage = glyph.Coverage + (y - top) * glyph.Width + (r.Left - left);
        uint32_t* row = surface.Row(y);
        for (int x = r.Left; x < r.Right; ++x, ++coverage)
            if (*coverage) row[x] = BlendPixel(row[x], pixel, *coverage);
    }
}

// How a run of text is read.
struct TRunFormat {
    bool Prefix = false;      // "&" marks the next character, "&&" is one "&"
    bool ShowPrefix = true;   // the marked character is underlined
    TCoord TabWidth = 0;      // > 0: a tab moves to the next multiple of this
};

// Where a walk over a run stands; runs of one line are walked in pieces.
struct TRunState {
    TCoord X = 0;             // pen position from the start of the line
    bool PendingPrefix = false;
};

// Calls visit(glyph, x, marked) for every character of [begin, end) that shows,
// with x its pen position from the start of the line, and advances state.
template <typename Visit>
void WalkRun(TFontUse& font, const char* begin, const char* end, const TRunFormat& format, TRunState& state,
             Visit&& visit)
{
    for (const char* p = begin; p < end;) {
        char32_t ch = NextTextChar(p, end);
        bool marked = false;
        if (format.Prefix) {
            if (state.PendingPrefix) {
                state.PendingPrefix = false;
                marked = ch != U'&';
            } else if (ch == U'&') {
                state.PendingPrefix = true;
                continue;
            }
        }
        if (ch == U'\t' && format.TabWidth > 0) {
            state.X = (state.X / format.TabWidth + 1) * format.TabWidth;
            continue;
        }
        // Control characters take no room and show nothing.
        if (ch < 0x20 || ch == 0x7F) continue;
        const TGlyphBitmap& glyph = font.Glyph(ch);
        visit(glyph, state.X, marked);
        state.X += glyph.Advance;
    }
}

TCoord RunWidth(TFontUse& font, const char* begin, const char* end, const TRunFormat& format)
{
    TRunState state;
    WalkRun(font, begin, end, format, state, [](const TGlyphBitmap&, TCoord, bool) {});
    return state.X;
}

// Draws a run with its top-left at device (left, top); lines of underline and
// strike-out run over width pixels.
void DrawRun(const TPixelSurface& surface, const TRect& clip, TFontUse& font, const char* begin, const char* end,
             const TRunFormat& format, TCoord left, TCoord top, TCoord width, uint32_t pixel, TFontStyles style)
{
    Raster::CountDrawOperation();
    const TFontMetrics& m = font.Metrics();
    const TCoord baseline = top + m.Ascent;
    const TCoord underlineTop = baseline + m.UnderlineOffset;
    TRunState state;
    WalkRun(font, begin, end, format, state, [&](const TGlyphBitmap& glyph, TCoord x, bool marked) {
        BlendGlyph(surface, clip, left + x + glyph.Left, baseline - glyph.Top, glyph, pixel);
        if (marked && format.ShowPrefix)
            FillDevice(surface,
                       ClipDeviceRect(left + x, underlineTop, left + x + glyph.Advance,
                                      underlineTop + m.UnderlineThickness, clip),
                       pixel);
    });
    if (style & fsUnderline)
        FillDevice(surface, ClipDeviceRect(left, underlineTop, left + width, underlineTop + m.UnderlineThickness, clip),
                   pixel);
    if (style & fsStrikeOut) {
        const TCoord strikeTop = baseline - m.StrikeOutOffset;
        FillDevice(surface, ClipDeviceRect(left, strikeTop, left + width, strikeTop + m.StrikeOutThickness, clip), pixel);
    }
}

bool IsLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

// Cuts a text into the lines DrawText shows: at line breaks (unless single-line)
// and, when wrapping, between words so that each line fits maxWidth. A word
// wider than maxWidth gets a line of its own. Allocates nothing.
class TLineBreaker {
public:
    TLineBreaker(TFontUse& font, const std::string& text, const TRunFormat& format, bool singleLine, bool wrap,
                 TCoord maxWidth)
        : FFont(font), FP(text.data()), FEnd(text.data() + text.size()), FFormat(format), FSingleLine(singleLine),
          FWrap(wrap), FMaxWidth(maxWidth)
    {
    }

    // The next line as [begin, end) with its width; false after the last one.
    // An empty text is one empty line; a final line break starts no new line.
    bool Next(const char*& begin, const char*& end, TCoord& width)
    {
        if (FStarted && FP >= FEnd) return false;
        FStarted = true;
        const char* paragraphEnd = FP;
        while (paragraphEnd < FEnd && (FSingleLine || !IsLineBreak(*paragraphEnd))) ++paragraphEnd;

        begin = FP;
        end = FWrap ? WrapEnd(paragraphEnd, width) : paragraphEnd;
        if (!FWrap) width = RunWidth(FFont, begin, end, FFormat);

        FP = end;
        if (FWrap)
            while (FP < paragraphEnd && *FP == ' ') ++FP;
        if (FP == paragraphEnd && FP < FEnd) {
            // One line break: CR LF, LF or CR.
            if (*FP == '\r' && FP + 1 < FEnd && FP[1] == '\n') ++FP;
            ++FP;
        }
        return true;
    }

private:
    // The end of the words from FP that fit; at least one word.
    const char* WrapEnd(const char* paragraphEnd, TCoord& width)
    {
        const char* lineEnd = FP;
        TRunState fitted;
        while (lineEnd < paragraphEnd) {
            // A word: the spaces before it and its other characters.
            const char* wordEnd = lineEnd;
            while (wordEnd < paragraphEnd && *wordEnd == ' ') ++wordEnd;
            while (wordEnd < paragraphEnd && *wordEnd != ' ') ++wordEnd;
            TRunState state = fitted;
            WalkRun(FFont, lineEnd, wordEnd, FFormat, state, [](const TGlyphBitmap&, TCoord, bool) {});
            if (lineEnd != FP && state.X > FMaxWidth) break;
            lineEnd = wordEnd;
            fitted = state;
        }
        width = fitted.X;
        return lineEnd;
    }

    TFontUse& FFont;
    const char* FP;
    const char* FEnd;
    const TRunFormat& FFormat;
    bool FSingleLine;
    bool FWrap;
    TCoord FMaxWidth;
    bool FStarted = false;
};

} // namespace

TSize TCanvas::TextExtent(const std::string& text)
{
    TFontUse font(FFont);
    if (!font) return {};
    const TCoord width = RunWidth(font, text.data(), text.data() + text.size(), TRunFormat{});
    return {ClampToInt(width), font.Metrics().Height};
}

int TCanvas::TextWidth(const std::string& text)
{
    return TextExtent(text).cx;
}

int TCanvas::TextHeight(const std::string& text)
{
    return TextExtent(text).cy;
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    TFontUse font(FFont);
    const char* begin = text.data();
    const char* end = begin + text.size();
    const TCoord width = font ? RunWidth(font, begin, end, TRunFormat{}) : 0;
    if (font && HandleAllocated()) {
        const TCoord left = TCoord(x) + FOrigin.X, top = TCoord(y) + FOrigin.Y;
        if (FBrush.Style() != bsClear)
            FillDevice(FSurface, ClipDeviceRect(left, top, left + width, top + font.Metrics().Height, FDeviceClip),
                       ColorToPixel(FBrush.Color()));
        DrawRun(FSurface, FDeviceClip, font, begin, end, TRunFormat{}, left, top, width, ColorToPixel(FFont.Color()),
                FFont.Style());
    }
    // Like the class library's TextOut, the pen ends after the text.
    FPenPos = {ClampToInt(TCoord(x) + width), y};
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text)
{
    if (!HandleAllocated()) return;
    const TRect clip = ClipDeviceRect(TCoord(rect.Left) + FOrigin.X, TCoord(rect.Top) + FOrigin.Y,
                                      TCoord(rect.Right) + FOrigin.X, TCoord(rect.Bottom) + FOrigin.Y, FDeviceClip);
    // An opaque brush paints the whole rectangle, the text's background included.
    if (FBrush.Style() != bsClear) FillDevice(FSurface, clip, ColorToPixel(FBrush.Color()));
    TFontUse font(FFont);
    if (!font || IsRectEmpty(clip)) return;
    const char* begin = text.data();
    const char* end = begin + text.size();
    const TCoord width = RunWidth(font, begin, end, TRunFormat{});
    DrawRun(FSurface, clip, font, begin, end, TRunFormat{}, TCoord(x) + FOrigin.X, TCoord(y) + FOrigin.Y, width,
            ColorToPixel(FFont.Color()), FFont.Style());
}

int TCanvas::DrawText(const std::string& text, TRect& rect, unsigned flags)
{
    TFontUse font(FFont);
    const TFontMetrics& m = font.Metrics();

    TRunFormat format;
    format.Prefix = !(flags & DT_NOPREFIX);
    format.ShowPrefix = !(flags & DT_HIDEPREFIX);
    TCoord tabCharacters = 8;
    if (flags & DT_TABSTOP) {
        // The second byte then holds the characters per tab stop instead of flags.
        tabCharacters = (flags >> 8) & 0xFF;
        if (tabCharacters == 0) tabCharacters = 8;
        flags &= ~0xFF00u;
    }
    if (flags & DT_EXPANDTABS) format.TabWidth = tabCharacters * m.AveCharWidth;

    const bool singleLine = flags & DT_SINGLELINE;
    const bool wrap = (flags & DT_WORDBREAK) && !singleLine;
    const TCoord lineHeight = m.Height;
    TLineBreaker lines(font, text, format, singleLine, wrap, TCoord(rect.Right) - rect.Left);
    const char* begin = nullptr;
    const char* end = nullptr;
    TCoord width = 0;

    if (flags & DT_CALCRECT) {
        TCoord widest = 0, count = 0;
        while (lines.Next(begin, end, width)) {
            widest = std::max(widest, width);
            ++count;
        }
        rect.Right = ClampToInt(TCoord(rect.Left) + widest);
        rect.Bottom = ClampToInt(TCoord(rect.Top) + count * lineHeight);
        return ClampToInt(count * lineHeight);
    }

    // Vertical placement applies to a single line only, as on the platform.
    TCoord top = rect.Top;
    if (singleLine && (flags & DT_VCENTER)) top = rect.Top + (TCoord(rect.Bottom) - rect.Top - lineHeight) / 2;
    else if (singleLine && (flags & DT_BOTTOM)) top = TCoord(rect.Bottom) - lineHeight;

    const bool draw = font && HandleAllocated();
    const TRect clip = (flags & DT_NOCLIP) ? FDeviceClip
                                           : ClipDeviceRect(TCoord(rect.Left) + FOrigin.X, TCoord(rect.Top) + FOrigin.Y,
                                                            TCoord(rect.Right) + FOrigin.X,
                                                            TCoord(rect.Bottom) + FOrigin.Y, FDeviceClip);
    const uint32_t textPixel = ColorToPixel(FFont.Color());
    const uint32_t backPixel = ColorToPixel(FBrush.Color());
    const bool opaque = FBrush.Style() != bsClear;

    TCoord y = top;
    while (lines.Next(begin, end, width)) {
        const TCoord deviceTop = y + FOrigin.Y;
        // Lines wholly outside the clip are only counted.
        if (draw && deviceTop < clip.Bottom && deviceTop + lineHeight > clip.Top) {
            TCoord x = rect.Left;
            if (flags & DT_CENTER) x = rect.Left + (TCoord(rect.Right) - rect.Left - width) / 2;
            else if (flags & DT_RIGHT) x = TCoord(rect.Right) - width;
            const TCoord deviceLeft = x + FOrigin.X;
            if (opaque)
                FillDevice(FSurface, ClipDeviceRect(deviceLeft, deviceTop, deviceLeft + width, deviceTop + lineHeight, clip),
                           backPixel);
            DrawRun(FSurface, clip, font, begin, end, format, deviceLeft, deviceTop, width, textPixel, FFont.Style());
        }
        y += lineHeight;
    }
    // The height of the text, or with vertical placement the offset of its bottom.
    return ClampToInt(singleLine && (flags & (DT_VCENTER | DT_BOTTOM)) ? y - rect.Top : y - top);
}
