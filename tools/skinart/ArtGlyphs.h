// Small symbols drawn on faces: window buttons' marks, arrows, check marks and
// the clock that stands for the program in a title bar.
#pragma once

#include "tools/skinart/ArtRaster.h"

namespace art {

// Each mark is centred on (cx, cy) and reaches about s pixels from it; hw is
// the half width of its strokes.
Sdf CrossMark(double cx, double cy, double s, double hw);
Sdf MinusMark(double cx, double cy, double s, double hw);
Sdf PlusMark(double cx, double cy, double s, double hw);
Sdf QuestionMark(double cx, double cy, double s, double hw);
// A window outline with a thick top edge, and two overlapping ones.
Sdf WindowMark(double cx, double cy, double s, double hw);
Sdf RestoreMark(double cx, double cy, double s, double hw);
// Two triangles pointing inwards: back to the normal size.
Sdf UnzoomMark(double cx, double cy, double s);
// A chevron pointing up, down, left or right (dx, dy a unit direction).
Sdf Chevron(double cx, double cy, double s, double hw, double dx, double dy);
// A filled triangle pointing along (dx, dy).
Sdf Arrow(double cx, double cy, double s, double dx, double dy);
Sdf CheckMark(double cx, double cy, double s, double hw);

// A clock face of radius r: rim, face, hour ticks, hands and a red centre.
void DrawClock(Image& image, double cx, double cy, double r, Rgb rim, Rgb faceTop, Rgb faceBottom);

}  // namespace art
