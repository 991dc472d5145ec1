#include "tools/aboutart/ShapeMask.h"

#include <cmath>

TShapeMask::TShapeMask(int width, int height, int scale)
    : FWidth(width), FHeight(height), FScale(scale), FBitmap(width * scale, height * scale)
{
    TCanvas& canvas = *FBitmap.Canvas();
    canvas.Brush()->SetColor(clBlack);
    canvas.FillRect({0, 0, FBitmap.Width(), FBitmap.Height()});
    canvas.Brush()->SetColor(clWhite);
    canvas.Pen()->SetColor(clWhite);
}

int TShapeMask::Scaled(float v) const
{
    return static_cast<int>(std::lround(v * float(FScale)));
}

void TShapeMask::Disc(float centreX, float centreY, float radius)
{
    FBitmap.Canvas()->Ellipse(Scaled(centreX - radius), Scaled(centreY - radius), Scaled(centreX + radius),
                              Scaled(centreY + radius));
}

void TShapeMask::RoundRect(float left, float top, float right, float bottom, float cornerRadius)
{
    const int corner = Scaled(2 * cornerRadius);
    FBitmap.Canvas()->RoundRect(Scaled(left), Scaled(top), Scaled(right), Scaled(bottom), corner, corner);
}

TCoverage TShapeMask::Coverage() const
{
    TCoverage coverage(FWidth, FHeight);
    const float samples = float(FScale * FScale);
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            int lit = 0;
            for (int sy = 0; sy < FScale; ++sy) {
                const uint32_t* row = FBitmap.ScanLine(y * FScale + sy) + x * FScale;
                for (int sx = 0; sx < FScale; ++sx) lit += (row[sx] & 0xFF) != 0;
            }
            coverage.At(x, y) = float(lit) / samples;
        }
    return coverage;
}
