// Pictures being composed, in floating point: an RGB image and coverage
// (alpha) layers, with the few operations the About pictures need. Colours
// are 0..1 per channel; the result is rounded to 8 bits once, at the end.
#pragma once

#include "classlib/graphics/Bitmap.h"

#include <cstdint>
#include <vector>

struct TRgb {
    float R = 0, G = 0, B = 0;
};

// 0xRRGGBB as written in a style sheet.
TRgb Rgb(uint32_t rrggbb);
TRgb Mix(const TRgb& a, const TRgb& b, float t);

// How much of each pixel a shape covers, 0..1.
class TCoverage {
public:
    TCoverage(int width, int height) : FWidth(width), FHeight(height), FValues(size_t(width) * height, 0.0f) {}
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    float& At(int x, int y) { return FValues[size_t(y) * FWidth + x]; }
    float At(int x, int y) const { return FValues[size_t(y) * FWidth + x]; }
    // A Gaussian blur of the given spread (standard deviation, pixels); what
    // would fall outside the picture is lost.
    TCoverage Blurred(float sigma) const;

private:
    int FWidth;
    int FHeight;
    std::vector<float> FValues;
};

class TArtImage {
public:
    TArtImage(int width, int height) : FWidth(width), FHeight(height), FPixels(size_t(width) * height) {}
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    TRgb& At(int x, int y) { return FPixels[size_t(y) * FWidth + x]; }
    const TRgb& At(int x, int y) const { return FPixels[size_t(y) * FWidth + x]; }

    // Every row in the colour between top and bottom.
    void FillVertical(const TRgb& top, const TRgb& bottom);
    // The colour laid over the picture where coverage says, times opacity.
    void Paint(const TCoverage& coverage, const TRgb& colour, float opacity = 1.0f);
    // Light added as a screen blend: brightens without ever clipping hard.
    void Glow(const TCoverage& light, const TRgb& colour, float strength);

    // Into bitmap (resized), rounded to 8 bits per channel; each pixel
    // composed over matte where alpha (when given) leaves it uncovered.
    void ToBitmap(TBitmap& bitmap, const TCoverage* alpha = nullptr, TRgb matte = {}) const;

private:
    int FWidth;
    int FHeight;
    std::vector<TRgb> FPixels;
};

// 0..1 to 0..255, rounded.
uint8_t ToByte(float value);
