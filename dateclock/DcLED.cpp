// The digit renderer: setters, the unlit cell, painting and measuring.
#include "dateclock/DcLED.h"

#include "dateclock/DcPatternBitmap.h"
#include "dateclock/DcText.h"

#include <algorithm>
#include <climits>

namespace {

int ClampToInt(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

// Counters of rows and columns are 8-bit; a longer text stops counting at 255.
void CountUp(uint8_t& counter, long long value)
{
    counter = static_cast<uint8_t>(std::min<long long>(value, UINT8_MAX));
}

} // namespace

TDcLED::TDcLED() = default;

TDcLED::~TDcLED() = default;

void TDcLED::SetColor(int index, TColor value)
{
    TColor* target = index == 0 ? &FActiveColor : index == 1 ? &FInActiveColor : index == 2 ? &FBackColor : nullptr;
    if (target) {
        if (*target == value) return;
        *target = value;
    }
    Rebuilt();
}

void TDcLED::SetByte(int index, uint8_t value)
{
    uint8_t* target = index == 1 ? &FHorzsize : index == 2 ? &FThickness : index == 3 ? &FVertsize : nullptr;
    if (target) {
        if (*target == value) return;
        *target = value;
    }
    Rebuilt();
}

void TDcLED::SetEnabled(bool value)
{
    if (FDisabledDigits == value) return;
    FDisabledDigits = value;
    Change();
}

void TDcLED::Rebuilt()
{
    CreateBmp();
    Change();
}

void TDcLED::CreateBmp()
{
    CalcSegments();
    const int w = GetWidth(), h = GetHeight();
    FCellBitmap.SetSize(w, h);
    TCanvas* canvas = FCellBitmap.Canvas();
    TBrush* brush = canvas->Brush();
    brush->SetBitmap(nullptr);
    brush->SetColor(FBackColor);
    canvas->FillRect(Rect(0, 0, w, h));
    // Unlit segments: the checker of background and unlit colour, no outline.
    canvas->Pen()->SetStyle(psClear);
    brush->SetBitmap(GetPatternBitmap(FBackColor, FInActiveColor));
    brush->SetColor(FInActiveColor);
    for (const TDcSegmentOutline& outline : FSegments) canvas->Polygon(outline.data(), static_cast<int>(outline.size()));
    brush->SetBitmap(nullptr);
}

void TDcLED::PaintLED(TCanvas* canvas, const TRect& rect, const std::string& text, bool enabled, bool paint)
{
    FRowsSeen = 1;
    FColumnsSeen = 1;
    FLastText = text;
    paint = paint && canvas;
    const bool full = FVertsize > 3 && FHorzsize > 3;
    const bool lit = !FDisabledDigits || enabled;
    const int w = GetWidth(), h = GetHeight();
    if (paint) {
        canvas->Pen()->SetStyle(psSolid);
        canvas->Pen()->SetColor(FActiveColor);
        canvas->Brush()->SetColor(FActiveColor);
    }
    long long row = 0, column = 0;
    long long y = rect.Top;
    for (std::size_t pos = 0; pos < FLastText.size();) {
        const unsigned char ch = DcNextCharacter(FLastText, pos);
        if (ch == 13) {
            ++row;
            CountUp(FRowsSeen, row + 1);
            y = rect.Top + row * h;
            column = 0;
            continue;
        }
        if (ch < 32) continue;
        if (paint) {
            const long long x = rect.Left + column * w;
            if (FCellBitmap.Empty()) CreateBmp();
            // Cells outside the canvas's clip would draw nothing; skipping them
            // also keeps far-away coordinates out of the drawing code.
            const TRect clip = canvas->ClipRect();
            if (x < clip.Right && x + w > clip.Left && y < clip.Bottom && y + h > clip.Top) {
                const int cx = static_cast<int>(x), cy = static_cast<int>(y);
                canvas->CopyRect(Rect(cx, cy, cx + w, cy + h), FCellBitmap.Canvas(), Rect(0, 0, w, h));
                const TDcLEDSET mask = lit && !(FFlashing && !FFlashPhase) ? CharLights(ch) : TDcLEDSET();
                if (!mask.Empty()) {
                    const int last = full ? DcSegmentCount : llInTopMiddle;
                    for (int j = 0; j < last; ++j) {
                        if (!mask.Contains(static_cast<TDcLEDLights>(j))) continue;
                        TDcSegmentOutline moved = FSegments[j];
                        for (TPoint& p : moved) p = Point(p.X + cx, p.Y + cy);
                        canvas->Polygon(moved.data(), static_cast<int>(moved.size()));
                    }
                }
            }
        }
        ++column;
        if (column >= FColumnsSeen) CountUp(FColumnsSeen, column);
    }
    if (FFlashing) FFlashPhase = !FFlashPhase;
}

TRect TDcLED::CalcBoundsRect(const std::string& text, int margin)
{
    PaintLED(nullptr, TRect(), text, false, false);
    return Rect(0, 0, ClampToInt(static_cast<long long>(FColumnsSeen) * GetWidth() + 2LL * margin + 1),
                ClampToInt(static_cast<long long>(FRowsSeen) * GetHeight() + 2LL * margin));
}

void TDcLED::EndFlash()
{
    FFlashing = false;
    Change();
}

void TDcLED::Assign(const TPersistent* source)
{
    if (auto other = dynamic_cast<const TDcLED*>(source)) {
        FHorzsize = other->FHorzsize;
        FVertsize = other->FVertsize;
        FThickness = other->FThickness;
        FDisabledDigits = other->FDisabledDigits;
        FActiveColor = other->FActiveColor;
        FInActiveColor = other->FInActiveColor;
        Rebuilt();
        return;
    }
    TDcObject::Assign(source);
}
