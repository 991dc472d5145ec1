// TBitmap: an owned 32-bit pixel surface with its canvas.
#include "classlib/graphics/Bitmap.h"

#include "classlib/system/Exceptions.h"

TBitmap::TBitmap()
{
    FCanvas.SetSurface(FSurface);
}

TBitmap::TBitmap(int width, int height) : TBitmap()
{
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

void TBitmap::Allocate(int width, int height)
{
    // The pixel cap keeps a mistaken 32768 x 32768 from asking for 4 GiB.
    if (width < 0 || height < 0 || width > MaxGraphicDimension || height > MaxGraphicDimension ||
        int64_t(width) * height > MaxGraphicPixels)
        throw EInvalidGraphic("Bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                              " is out of range");
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 0x00FFFFFFu);
    const int keepW = std::min(width, FWidth);
    const int keepH = std::min(height, FHeight);
    for (int y = 0; y < keepH; ++y)
        std::copy_n(FPixels.data() + static_cast<size_t>(y) * FWidth, keepW, pixels.data() + static_cast<size_t>(y) * width);
    FPixels = std::move(pixels);
    FWidth = width;
    FHeight = height;
    FSurface = TPixelSurface{width && height ? FPixels.data() : nullptr, width, height, width};
    // The canvas keeps its pen, brush, font and origin; its clip becomes the new surface.
    FCanvas.SetSurface(FSurface);
}

void TBitmap::SetSize(int width, int height)
{
    if (width == FWidth && height == FHeight) return;
    Allocate(width, height);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat value)
{
    if (FPixelFormat == value) return;
    FPixelFormat = value;
    if (value == pf1bit) {
        // A monochrome bitmap holds only black and white.
        for (auto& px : FPixels) {
            const uint32_t r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
            px = (r * 30 + g * 59 + b * 11) / 100 >= 128 ? 0x00FFFFFFu : 0u;
        }
    }
    Changed();
}

void TBitmap::SetMonochrome(bool value)
{
    if (value == Monochrome()) return;
    SetPixelFormat(value ? pf1bit : pfDevice);
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
    if (FWidth == 0 || FHeight == 0) return clDefault;
    return PixelToRGB(FSurface.Row(FHeight - 1)[0]);
}

void TBitmap::SetTransparentColor(TColor value)
{
    FTransparentColor = value;
    FTransparentMode = value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value)
{
    if (FTransparentMode == value) return;
    FTransparentMode = value;
    if (value == tmAuto) FTransparentColor = clDefault;
    Changed();
}

void TBitmap::Assign(const TPersistent* source)
{
    if (auto other = dynamic_cast<const TBitmap*>(source)) {
        if (other == this) return;
        FWidth = FHeight = 0;
        FPixels.clear();
        Allocate(other->FWidth, other->FHeight);
        FPixels = other->FPixels;
        FSurface.Bits = FWidth && FHeight ? FPixels.data() : nullptr;
        FCanvas.SetSurface(FSurface);
        FPixelFormat = other->FPixelFormat;
        FTransparent = other->FTransparent;
        FTransparentColor = other->FTransparentColor;
        FTransparentMode = other->FTransparentMode;
        Changed();
        return;
    }
    TGraphic::Assign(source);
}
