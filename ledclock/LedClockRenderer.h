// Draws the LED clock's picture: hour marks, the time text and the seconds
// arc, every element a small filled ellipse. Draws onto any canvas (the clock
// passes its off-screen bitmap's) and allocates nothing; positions and dot
// shapes come from the cache, which works them out when the geometry changes.
#pragma once

#include "classlib/graphics/Canvas.h"
#include "ledclock/LedClockLook.h"
#include "ledclock/LedFaceCache.h"

// The hour marks, the time text and the seconds dots, in that order, over
// whatever the canvas already shows.
void DrawLedClockFace(TCanvas& canvas, const TDmLedClockLook& look, TLedFaceCache& cache);
// The time as HH:MM in the slanted dot-matrix font.
void DrawLedTime(TCanvas& canvas, const TDmLedClockLook& look, TLedFaceCache& cache);
// One character with X the reference of its rightmost column and Y its top.
void PaintLedCharacter(TCanvas& canvas, const TDmLedClockLook& look, TLedFaceCache& cache, int32_t X, int32_t Y,
                       char ch);
