// TPngImage: a PNG picture, and the helpers that write and read PNG files
// (snapshots, golden images of the pixel tests).
//
// Reading accepts every colour type and bit depth, interlaced or not, and gives
// 8-bit RGB: 16-bit samples are scaled down, palettes and gray expanded, and an
// alpha channel (or a tRNS colour key) is composited over black, since our
// pixels have no alpha. No gamma correction is applied. Writing produces 8-bit
// RGB without alpha.
#pragma once

#include "classlib/graphics/Bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

class TPngImage : public TGraphic {
public:
    TPngImage();
    ~TPngImage() override;

    int Width() const override { return FBitmap.Width(); }
    int Height() const override { return FBitmap.Height(); }
    void SetSize(int width, int height) override;
    // Paints the picture stretched into rect, opaque.
    void Draw(TCanvas* canvas, const TRect& rect) override;
    // Decodes the rest of the stream; EInvalidGraphic on bad data, leaving the picture as it was.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    void Assign(const TPersistent* source) override;
    const TBitmap& Bitmap() const { return FBitmap; }

protected:
    void AssignTo(TPersistent* dest) const override;

private:
    TBitmap FBitmap;
};

// A whole PNG file decoded into top-down 0x00RRGGBB pixels; EInvalidGraphic on bad data.
struct TPngPixels {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
};
TPngPixels DecodePng(const uint8_t* data, size_t size);
// The surface as an 8-bit RGB PNG file.
std::vector<uint8_t> EncodePng(const TPixelSurface& surface);

// Writes the surface to a PNG file (EFOpenError/EWriteError when the file cannot be written).
void SavePng(const TPixelSurface& surface, const std::string& path);
// Reads a PNG file into bitmap (EFOpenError for a missing file, EInvalidGraphic for a bad one).
void LoadPng(const std::string& path, TBitmap& bitmap);
