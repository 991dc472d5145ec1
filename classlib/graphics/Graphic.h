// A picture of any kind, and the limits every decoded picture keeps to.
#pragma once

#include "classlib/system/Classes.h"
#include "classlib/system/Types.h"

#include <cstdint>
#include <string>

class TStream;
class TCanvas;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

// Pictures refuse dimensions beyond this, in either direction.
constexpr int MaxGraphicDimension = 32768;
// Decoders also refuse pictures of more pixels than this (256 MB of 32-bit pixels)
// and files larger than MaxPictureFileBytes, before allocating anything.
constexpr int64_t MaxGraphicPixels = int64_t(1) << 26;
constexpr int64_t MaxPictureFileBytes = int64_t(1) << 29;
// Raises EInvalidGraphic "<format> image is not valid: ..." unless a decoded
// picture of width x height pixels is within the limits above.
void CheckGraphicSize(const char* format, int64_t width, int64_t height);

class TGraphic : public TPersistent {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetSize(int width, int height) = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);
    // Paints the picture stretched into rect of the canvas.
    virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path);

    TNotifyEvent OnChange;

protected:
    void Changed();
    bool FTransparent = false;
};
