// Shapes drawn with our canvas at several times the picture's size and
// averaged down, which gives their edges the smooth coverage that a 1x
// drawing of whole pixels cannot.
#pragma once

#include "classlib/graphics/Bitmap.h"
#include "tools/aboutart/ArtImage.h"

class TShapeMask {
public:
    // A mask for a width x height picture, drawn at scale times that size.
    TShapeMask(int width, int height, int scale);

    // Coordinates are in the picture's pixels and may be fractional; a pixel
    // covers [x, x + 1), so the centre of pixel 3 is 3.5.
    void Disc(float centreX, float centreY, float radius);
    void RoundRect(float left, float top, float right, float bottom, float cornerRadius);

    // The share of each picture pixel that the shapes drawn so far cover.
    TCoverage Coverage() const;

private:
    int Scaled(float v) const;
    int FWidth;
    int FHeight;
    int FScale;
    TBitmap FBitmap;
};
