#include "tools/aboutart/ArtImage.h"

#include <algorithm>
#include <cmath>

TRgb Rgb(uint32_t rrggbb)
{
    return {float((rrggbb >> 16) & 0xFF) / 255.0f, float((rrggbb >> 8) & 0xFF) / 255.0f, float(rrggbb & 0xFF) / 255.0f};
}

TRgb Mix(const TRgb& a, const TRgb& b, float t)
{
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

uint8_t ToByte(float value)
{
    const float scaled = std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f;
    return static_cast<uint8_t>(std::min(255.0f, std::floor(scaled)));
}

TCoverage TCoverage::Blurred(float sigma) const
{
    const int radius = std::max(1, static_cast<int>(std::ceil(sigma * 3.0f)));
    std::vector<float> kernel(size_t(2 * radius + 1));
    float sum = 0;
    for (int i = -radius; i <= radius; ++i) {
        const float w = std::exp(-float(i * i) / (2.0f * sigma * sigma));
        kernel[size_t(i + radius)] = w;
        sum += w;
    }
    for (float& w : kernel) w /= sum;

    TCoverage across(FWidth, FHeight), result(FWidth, FHeight);
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            float v = 0;
            for (int i = -radius; i <= radius; ++i) {
                const int sx = x + i;
                if (sx >= 0 && sx < FWidth) v += At(sx, y) * kernel[size_t(i + radius)];
            }
            across.At(x, y) = v;
        }
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            float v = 0;
            for (int i = -radius; i <= radius; ++i) {
                const int sy = y + i;
                if (sy >= 0 && sy < FHeight) v += across.At(x, sy) * kernel[size_t(i + radius)];
            }
            result.At(x, y) = v;
        }
    return result;
}

void TArtImage::FillVertical(const TRgb& top, const TRgb& bottom)
{
    for (int y = 0; y < FHeight; ++y) {
        const TRgb c = Mix(top, bottom, FHeight > 1 ? float(y) / float(FHeight - 1) : 0.0f);
        for (int x = 0; x < FWidth; ++x) At(x, y) = c;
    }
}

void TArtImage::Paint(const TCoverage& coverage, const TRgb& colour, float opacity)
{
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const float a = coverage.At(x, y) * opacity;
            if (a > 0) At(x, y) = Mix(At(x, y), colour, a);
        }
}

void TArtImage::Glow(const TCoverage& light, const TRgb& colour, float strength)
{
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const float g = std::min(1.0f, light.At(x, y) * strength);
            if (g <= 0) continue;
            TRgb& p = At(x, y);
            p.R = 1.0f - (1.0f - p.R) * (1.0f - colour.R * g);
            p.G = 1.0f - (1.0f - p.G) * (1.0f - colour.G * g);
            p.B = 1.0f - (1.0f - p.B) * (1.0f - colour.B * g);
        }
}

void TArtImage::ToBitmap(TBitmap& bitmap, const TCoverage* alpha, TRgb matte) const
{
    bitmap.SetSize(FWidth, FHeight);
    for (int y = 0; y < FHeight; ++y) {
        uint32_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < FWidth; ++x) {
            const TRgb c = alpha ? Mix(matte, At(x, y), alpha->At(x, y)) : At(x, y);
            row[x] = uint32_t(ToByte(c.R)) << 16 | uint32_t(ToByte(c.G)) << 8 | ToByte(c.B);
        }
    }
}
