// TDcLED: draws a text as a row of sixteen-segment digit cells. Not a control:
// the clock control owns one and has it paint onto the clock's bitmap.
#pragma once

#include "classlib/graphics/Bitmap.h"
#include "dateclock/DcObject.h"
#include "dateclock/DcSet.h"

#include <array>
#include <cstdint>
#include <string>

// The sixteen segments of a cell; the order is the bit number in a mask.
enum TDcLEDLights : uint8_t {
    llTop, llTopLeft, llTopRight, llMiddle, llBottomLeft, llBottomRight, llBottom,
    llInTopMiddle, llInBottomMiddle, llInTopLeft, llInTopRight, llInBottomLeft, llInBottomRight,
    llPointMiddle, llPointTop, llPointBottom,
};
using TDcLEDSET = TDcSet<TDcLEDLights, uint16_t>;

constexpr int DcSegmentCount = 16;
// Every outline has six points, relative to the cell's top-left corner.
using TDcSegmentOutline = std::array<TPoint, 6>;
using TDcSegmentOutlines = std::array<TDcSegmentOutline, DcSegmentCount>;

// The segments a character code lights; letters without regard to case,
// every character without a pattern (and every code from 128 up) lights none.
TDcLEDSET CharLights(unsigned char ch);

class TDcLED : public TDcObject {
public:
    TDcLED();
    ~TDcLED() override;

    TColor ActiveColor() const { return FActiveColor; }
    void SetActiveColor(TColor value) { SetColor(0, value); }
    TColor InActiveColor() const { return FInActiveColor; }
    void SetInActiveColor(TColor value) { SetColor(1, value); }
    // Background of a cell; the owning clock sets it before every paint.
    TColor BackColor() const { return FBackColor; }
    uint8_t Horzsize() const { return FHorzsize; }
    void SetHorzsize(uint8_t value) { SetByte(1, value); }
    uint8_t Thickness() const { return FThickness; }
    void SetThickness(uint8_t value) { SetByte(2, value); }
    uint8_t Vertsize() const { return FVertsize; }
    void SetVertsize(uint8_t value) { SetByte(3, value); }
    bool DisabledDigits() const { return FDisabledDigits; }
    void SetDisabledDigits(bool value) { SetEnabled(value); }

    // Index 0 ActiveColor, 1 InActiveColor, 2 the background. A changed colour
    // is stored; any other index stores nothing. Both rebuild and notify
    // unless a known index already holds the colour.
    void SetColor(int index, TColor value);
    // Index 1 Horzsize, 2 Thickness, 3 Vertsize; same rule as SetColor.
    void SetByte(int index, uint8_t value);
    // Sets DisabledDigits; notifies on a change (the cell does not change).
    void SetEnabled(bool value);

    // Cell size in pixels.
    int GetWidth() const { return FHorzsize + 5 * FThickness; }
    int GetHeight() const { return 2 * FVertsize + 7 * FThickness; }

    // Recomputes the outlines and renders the unlit cell.
    void CreateBmp();
    // Paints text from rect's top-left corner (paint) or only counts its rows
    // and columns (!paint; canvas may then be null). A carriage return starts
    // a new row, other control characters are skipped, every other character
    // takes one cell. Nothing is clipped to rect.
    void PaintLED(TCanvas* canvas, const TRect& rect, const std::string& text, bool enabled, bool paint);
    // The rectangle text needs: (0, 0, columns x width + 2 margin + 1, rows x height + 2 margin).
    TRect CalcBoundsRect(const std::string& text, int margin);

    void BeginFlash() { FFlashing = true; }
    void EndFlash();
    bool Flashing() const { return FFlashing; }
    bool FlashPhase() const { return FFlashPhase; }

    uint8_t RowsSeen() const { return FRowsSeen; }
    uint8_t ColumnsSeen() const { return FColumnsSeen; }
    const std::string& LastText() const { return FLastText; }
    const TDcSegmentOutline& Segment(TDcLEDLights segment) const { return FSegments[segment]; }
    TBitmap* CellBitmap() { return &FCellBitmap; }

    // From another renderer: sizes, DisabledDigits and the two segment colours
    // (not the background), then rebuild and notify.
    void Assign(const TPersistent* source) override;

private:
    void CalcSegments();
    void Rebuilt();

    TColor FBackColor = 0;
    TColor FInActiveColor = clGreen;
    TColor FActiveColor = clLime;
    uint8_t FHorzsize = 9;
    uint8_t FThickness = 2;
    uint8_t FVertsize = 7;
    bool FFlashing = false;
    bool FFlashPhase = false;
    bool FDisabledDigits = true;
    uint8_t FRowsSeen = 0;
    uint8_t FColumnsSeen = 0;
    TDcSegmentOutlines FSegments{};
    TBitmap FCellBitmap;
    std::string FLastText;
};
