// TDmLedClock's picture: background, hour marks, time text and seconds dots,
// drawn into the off-screen bitmap and copied to the screen in one block.
#include "ledclock/DmLedClock.h"
#include "ledclock/DmSysUtils.h"
#include "ledclock/LedClockRenderer.h"

TDmLedClockLook TDmLedClock::Look() const
{
    TDmLedClockLook look = FLook;
    look.Width = Width();
    look.Height = Height();
    return look;
}

void TDmLedClock::Paint()
{
    ClearBitmapCanvas();
    TCanvas* canvas = GetBitmapCanvas();
    if (!FBackground.Empty()) {
        // Pixels of exactly Color are keyed out: replaced by the brush, or
        // left showing what is already there when transparent.
        canvas->Brush()->SetStyle(Transparent() ? bsClear : bsSolid);
        canvas->BrushCopy(ClientRect(), &FBackground, BitmapRect(FBackground), Color());
    }
    DrawLedClockFace(*canvas, Look(), FFaceCache);
    TDmGraphicImageControl::Paint();
}

void TDmLedClock::DrawLeds()
{
    DrawLedTime(*GetBitmapCanvas(), Look(), FFaceCache);
}

void TDmLedClock::PaintLed(int X, int Y, char ch)
{
    PaintLedCharacter(*GetBitmapCanvas(), Look(), FFaceCache, X, Y, ch);
}
