// Pens, brushes and fonts, and the change notification of graphics.
#include "classlib/graphics/Bitmap.h"

#include <cmath>

void TGraphicsObject::Changed()
{
    if (OnChange) OnChange(this);
}

void TPen::SetColor(TColor value)
{
    if (FColor == value) return;
    FColor = value;
    Changed();
}

void TPen::SetWidth(int value)
{
    if (value < 1) value = 1;
    if (FWidth == value) return;
    FWidth = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value)
{
    if (FStyle == value) return;
    FStyle = value;
    Changed();
}

void TPen::SetMode(TPenMode value)
{
    if (FMode == value) return;
    FMode = value;
    Changed();
}

void TPen::Assign(const TPersistent* source)
{
    if (auto pen = dynamic_cast<const TPen*>(source)) {
        if (pen == this) return;
        FColor = pen->FColor;
        FWidth = pen->FWidth;
        FStyle = pen->FStyle;
        FMode = pen->FMode;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TBrush::SetColor(TColor value)
{
    if (FColor == value && FStyle != bsClear) return;
    FColor = value;
    if (FStyle == bsClear) FStyle = bsSolid; // giving a clear brush a colour makes it solid
    Changed();
}

void TBrush::SetStyle(TBrushStyle value)
{
    if (FStyle == value) return;
    FStyle = value;
    Changed();
}

void TBrush::SetBitmap(TBitmap* value)
{
    if (FBitmap == value) return;
    FBitmap = value;
    Changed();
}

void TBrush::Assign(const TPersistent* source)
{
    if (auto brush = dynamic_cast<const TBrush*>(source)) {
        if (brush == this) return;
        FColor = brush->FColor;
        FStyle = brush->FStyle;
        FBitmap = brush->FBitmap;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TFont::SetName(const std::string& value)
{
    if (FName == value || value.empty()) return;
    FName = value;
    Changed();
}

void TFont::SetHeight(int value)
{
    if (FHeight == value) return;
    FHeight = value;
    Changed();
}

int TFont::Size() const
{
    return -static_cast<int>(std::lround(FHeight * 72.0 / PixelsPerInch));
}

void TFont::SetSize(int value)
{
    SetHeight(-static_cast<int>(std::lround(value * static_cast<double>(PixelsPerInch) / 72.0)));
}

void TFont::SetStyle(TFontStyles value)
{
    if (FStyle == value) return;
    FStyle = value;
    Changed();
}

void TFont::SetColor(TColor value)
{
    if (FColor == value) return;
    FColor = value;
    Changed();
}

void TFont::SetCharset(int value)
{
    if (FCharset == value) return;
    FCharset = value;
    Changed();
}

void TFont::SetPitch(TFontPitch value)
{
    if (FPitch == value) return;
    FPitch = value;
    Changed();
}

void TFont::Assign(const TPersistent* source)
{
    if (auto font = dynamic_cast<const TFont*>(source)) {
        if (font == this) return;
        FName = font->FName;
        FHeight = font->FHeight;
        FStyle = font->FStyle;
        FColor = font->FColor;
        FCharset = font->FCharset;
        FPitch = font->FPitch;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}
