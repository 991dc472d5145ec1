// Pens, brushes and fonts: the drawing objects a canvas holds. Each tells its
// owner when it changes.
#pragma once

#include "classlib/graphics/Color.h"
#include "classlib/raster/RasterTypes.h"
#include "classlib/system/Classes.h"

#include <cstdint>
#include <string>

class TBitmap;

class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    void Changed();
};

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);
    void Assign(const TPersistent* source) override;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

class TBrush : public TGraphicsObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);
    // An 8 x 8 pattern tiled from the surface's origin; not owned. A monochrome
    // pattern paints its black pixels in the font colour and its white pixels in
    // the brush colour.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* value);
    void Assign(const TPersistent* source) override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;
enum TFontPitch { fpDefault, fpVariable, fpFixed };

constexpr int ANSI_CHARSET = 0;
constexpr int DEFAULT_CHARSET = 1;

class TFont : public TGraphicsObject {
public:
    static constexpr int PixelsPerInch = 96;

    const std::string& Name() const { return FName; }
    void SetName(const std::string& value);
    // Pixels; a negative height is the character height without internal leading.
    int Height() const { return FHeight; }
    void SetHeight(int value);
    // Points, derived from the height at 96 pixels per inch.
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Charset() const { return FCharset; }
    void SetCharset(int value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch value);
    void Assign(const TPersistent* source) override;

private:
    std::string FName = "MS Sans Serif";
    int FHeight = -11;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    int FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
};
