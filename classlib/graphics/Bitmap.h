// TBitmap: a picture of 32-bit pixels with its own canvas; reads and writes
// BMP files and loads BITMAP resources.
#pragma once

#include "classlib/graphics/Canvas.h"
#include "classlib/graphics/Graphic.h"

#include <cstdint>
#include <string>
#include <vector>

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetWidth(int value) { SetSize(value, FHeight); }
    void SetHeight(int value) { SetSize(FWidth, value); }
    // Resizes; pixels inside both sizes are kept, new ones are white.
    void SetSize(int width, int height) override;

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat value);
    bool Monochrome() const { return FPixelFormat == pf1bit; }
    void SetMonochrome(bool value);

    TCanvas* Canvas() { return &FCanvas; }
    const TPixelSurface& Surface() const { return FSurface; }
    uint32_t* ScanLine(int y) { return FSurface.Row(y); }
    const uint32_t* ScanLine(int y) const { return FSurface.Row(y); }

    // The colour drawn as see-through when Transparent: with tmAuto the
    // bottom-left pixel, with tmFixed the colour set.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode value);

    void Draw(TCanvas* canvas, const TRect& rect) override;
    // BMP files of 1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up or top-down.
    void LoadFromStream(TStream& stream) override;
    // 24 bits per pixel; a pf4bit or pf8bit picture whose colours fit is written with a palette.
    void SaveToStream(TStream& stream) override;
    // A BITMAP resource compiled into the executable; EResNotFound when missing.
    void LoadFromResourceName(const std::string& name);
    // Replaces the picture by width x height pixels (rows top-down), taking over the
    // buffer; decoders build the new picture first so a failed load changes nothing.
    void AssignPixels(int width, int height, std::vector<uint32_t>&& pixels, TPixelFormat format);
    void Assign(const TPersistent* source) override;
    void FreeImage() {}
    void Dormant() {}

private:
    void Allocate(int width, int height);
    int FWidth = 0;
    int FHeight = 0;
    std::vector<uint32_t> FPixels;
    TPixelSurface FSurface;
    TCanvas FCanvas;
    TPixelFormat FPixelFormat = pfDevice;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
};
