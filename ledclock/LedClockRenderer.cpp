#include "ledclock/LedClockRenderer.h"

#include "ledclock/LedGlyphs.h"
#include "ledclock/LedLayout.h"

void DrawLedClockFace(TCanvas& canvas, const TDmLedClockLook& look, TLedFaceCache& cache)
{
    const TLedFaceCache::TRingPositions& ring = cache.Ring(look.Width, look.Height, look.SecWidth, look.TickWidth);

    // The tick pen and brush are set even without hour marks: the text and the
    // seconds dots rely on the solid styles.
    canvas.Pen()->SetColor(look.TickOutline);
    canvas.Pen()->SetStyle(psSolid);
    canvas.Brush()->SetColor(look.TickColor);
    canvas.Brush()->SetStyle(bsSolid);
    if (look.HourMarks) {
        TLedDotPainter marks(canvas, cache.HourMarkDot());
        for (const TPoint& centre : ring.HourMarks) marks.Paint(DotBox(centre, look.TickWidth));
    }

    DrawLedTime(canvas, look, cache);

    if (look.SecondsIndicator) {
        canvas.Pen()->SetColor(look.SecOutline);
        canvas.Brush()->SetColor(look.SecHandColor);
        const int last = look.Seconds < SecondsDotCount ? look.Seconds : SecondsDotCount - 1;
        TLedDotPainter dots(canvas, cache.SecondsDot());
        for (int s = 0; s <= last; ++s) dots.Paint(DotBox(ring.SecondsDots[s], look.SecWidth));
    }
}

void DrawLedTime(TCanvas& canvas, const TDmLedClockLook& look, TLedFaceCache& cache)
{
    const TLedTextLayout layout = LedTextLayout(look);
    char text[LedTimeTextLength];
    FormatLedTime(look.Hours, look.Minutes, look.HourFormat, text);
    int32_t references[LedTimeTextLength];
    LedCharacterReferences(layout, look.Spacing, look.LedSize, text, references);
    for (int p = 0; p < LedTimeTextLength; ++p)
        PaintLedCharacter(canvas, look, cache, references[p], layout.Y, text[p]);
}

void PaintLedCharacter(TCanvas& canvas, const TDmLedClockLook& look, TLedFaceCache& cache, int32_t X, int32_t Y,
                       char ch)
{
    canvas.Brush()->SetColor(look.HoursColor);
    canvas.Pen()->SetColor(look.HoursOutline);
    canvas.Pen()->SetWidth(1);
    const int32_t* slants = cache.Slants(look.LedSize, look.TextAngle);
    TLedDotPainter dots(canvas, cache.TextDot());
    for (int row = 0; row < LedGlyphRows; ++row) {
        const uint8_t bits = LedGlyphRow(ch, row);
        for (int column = 0; column < LedGlyphColumns; ++column) {
            if (bits & (1u << column)) dots.Paint(LedDotBox(X, Y, look.LedSize, row, column, slants[row]));
        }
    }
}
