#include "ledclock/LedClockRenderer.h"

#include "ledclock/Int32Math.h"
#include "ledclock/LedGlyphs.h"
#include "ledclock/LedLayout.h"
#include "ledclock/LedNumerics.h"

void DrawLedClockFace(TCanvas& canvas, const TDmLedClockLook& look)
{
    const TLedRing ring = LedRingGeometry(look.Width, look.Height, look.SecWidth, look.TickWidth);

    // The tick pen and brush are set even without hour marks: the text and the
    // seconds dots rely on the solid styles.
    canvas.Pen()->SetColor(look.TickOutline);
    canvas.Pen()->SetStyle(psSolid);
    canvas.Brush()->SetColor(look.TickColor);
    canvas.Brush()->SetStyle(bsSolid);
    if (look.HourMarks) {
        for (int i = 0; i < HourMarkCount; ++i) canvas.Ellipse(DotBox(HourMarkCentre(ring, i), look.TickWidth));
    }

    DrawLedTime(canvas, look);

    if (look.SecondsIndicator) {
        for (int s = 0; s <= look.Seconds; ++s) {
            canvas.Pen()->SetColor(look.SecOutline);
            canvas.Brush()->SetColor(look.SecHandColor);
            canvas.Ellipse(DotBox(SecondsDotCentre(ring, s), look.SecWidth));
        }
    }
}

void DrawLedTime(TCanvas& canvas, const TDmLedClockLook& look)
{
    const TLedTextLayout layout = LedTextLayout(look);
    char text[LedTimeTextLength];
    FormatLedTime(look.Hours, look.Minutes, look.HourFormat, text);
    int32_t references[LedTimeTextLength];
    LedCharacterReferences(layout, look.Spacing, look.LedSize, text, references);
    for (int p = 0; p < LedTimeTextLength; ++p) PaintLedCharacter(canvas, look, references[p], layout.Y, text[p]);
}

void PaintLedCharacter(TCanvas& canvas, const TDmLedClockLook& look, int32_t X, int32_t Y, char ch)
{
    canvas.Brush()->SetColor(look.HoursColor);
    canvas.Pen()->SetColor(look.HoursOutline);
    canvas.Pen()->SetWidth(1);
    for (int row = 0; row < LedGlyphRows; ++row) {
        const int32_t slant = SlantOffset(Wrap32(int64_t(row) * look.LedSize), look.TextAngle);
        const uint8_t bits = LedGlyphRow(ch, row);
        for (int column = 0; column < LedGlyphColumns; ++column) {
            if (bits & (1u << column)) canvas.Ellipse(LedDotBox(X, Y, look.LedSize, row, column, slant));
        }
    }
}
