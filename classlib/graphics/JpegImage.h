// TJPEGImage: a JPEG picture (baseline or progressive), decoded into a bitmap.
#pragma once

#include "classlib/graphics/Bitmap.h"

#include <cstdint>
#include <vector>

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;

    int Width() const override { return FBitmap.Width(); }
    int Height() const override { return FBitmap.Height(); }
    void SetSize(int width, int height) override;
    // Paints the decoded picture stretched into rect. JPEG has no see-through
    // colour, so the picture is always drawn opaque, whatever Transparent says.
    void Draw(TCanvas* canvas, const TRect& rect) override;
    // Decodes the rest of the stream: grayscale, YCbCr/RGB and CMYK/YCCK files.
    // A corrupt or truncated file raises EInvalidGraphic and leaves the picture as it was.
    void LoadFromStream(TStream& stream) override;
    // Writes the file as loaded; a picture changed or assigned since is encoded
    // with CompressionQuality (and progressive scans when ProgressiveEncoding).
    void SaveToStream(TStream& stream) override;
    void Assign(const TPersistent* source) override;

    // 1..100; 90 by default.
    int CompressionQuality() const { return FCompressionQuality; }
    void SetCompressionQuality(int value);
    bool ProgressiveEncoding() const { return FProgressiveEncoding; }
    void SetProgressiveEncoding(bool value) { FProgressiveEncoding = value; }
    // True when the loaded file was grayscale.
    bool Grayscale() const { return FGrayscale; }
    // The decoded pixels.
    const TBitmap& Bitmap() const { return FBitmap; }

protected:
    // Lets a TBitmap take the decoded pixels (TBitmap::Assign(jpeg)).
    void AssignTo(TPersistent* dest) const override;

private:
    TBitmap FBitmap;
    std::vector<uint8_t> FData;  // the file as loaded; empty once the pixels change
    int FCompressionQuality = 90;
    bool FProgressiveEncoding = false;
    bool FGrayscale = false;
};

// Codec entry points, also used by the tests and the fuzz target.
// Decodes a whole JPEG file into top-down 0x00RRGGBB pixels; EInvalidGraphic on bad data.
struct TJpegPixels {
    int Width = 0;
    int Height = 0;
    bool Grayscale = false;
    std::vector<uint32_t> Pixels;
};
TJpegPixels DecodeJpeg(const uint8_t* data, size_t size);
// Encodes pixels as a JPEG file (baseline, or progressive scans).
std::vector<uint8_t> EncodeJpeg(const TPixelSurface& surface, int quality, bool progressive);
