// TDcBevel: the bevel description of the date clock's panels and controls:
// how wide the border is (its extent) and how it is drawn.
#pragma once

#include "classlib/graphics/Canvas.h"
#include "dateclock/DcObject.h"
#include "dateclock/DcSet.h"

#include <cstdint>

enum TDcBevelStyle : uint8_t { bvNone, bvLowered, bvRaised, bvFrameLowered, bvFrameRaised, bvNormal, bvShadow };
enum TDcBorderStyle : uint8_t {
    lsNone, lsSingle, lsLowered, lsRaised, lsRaisedspb, lsLoweredspb, lsRaisedExt, lsLoweredExt,
    lsFrameInset, lsFrameOffset, lsWindowBorder, lsSingleRaised, lsSingleLowered, lsDoubleRaised, lsDoubleLowered,
};
enum TDcEdgeStyle : uint8_t {
    etRaisedInner, etRaisedOuter, etSunkenInner, etSunkenOuter, etBump, etEtched, etRaised, etSunken,
};
enum TDcBevelMode : uint8_t { bmCustom, bmStandard, bmEdge, bmWindows };
enum TDcFrameSide : uint8_t { fsBottom, fsLeft, fsRight, fsTop };
using TDcFrameSides = TDcSet<TDcFrameSide, uint8_t>;

class TDcBevel : public TDcObject {
public:
    TDcBevelStyle StyleInner() const { return FStyleInner; }
    // Shadow is a style of both bevels: choosing it on one chooses it on the
    // other, and leaving it on one leaves the other without a style.
    void SetStyleInner(TDcBevelStyle value);
    TDcBevelStyle StyleOuter() const { return FStyleOuter; }
    void SetStyleOuter(TDcBevelStyle value);
    uint8_t WidthInner() const { return FWidthInner; }
    void SetWidthInner(uint8_t value);
    uint8_t WidthOuter() const { return FWidthOuter; }
    void SetWidthOuter(uint8_t value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    uint8_t BorderInnerWidth() const { return FBorderInnerWidth; }
    void SetBorderInnerWidth(uint8_t value);
    uint8_t BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(uint8_t value);
    TDcFrameSides BorderSides() const { return FBorderSides; }
    void SetBorderSides(TDcFrameSides value);
    TDcEdgeStyle EdgeStyle() const { return FEdgeStyle; }
    void SetEdgeStyle(TDcEdgeStyle value);
    TColor LightColor() const { return FLightColor; }
    void SetLightColor(TColor value);
    TDcBevelMode Mode() const { return FMode; }
    void SetMode(TDcBevelMode value);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor value);
    // Stored in every mode; a change is reported only in bmStandard, where it matters.
    TDcBorderStyle StandardStyle() const { return FStandardStyle; }
    void SetStandardStyle(TDcBorderStyle value);
    // A bmWindows bevel drawn by the window's own border takes no room.
    bool BorderDrawn() const { return FBorderDrawn; }
    void SetBorderDrawn(bool value);

    int Extent() const { return FExtent; }
    int ExtentRB() const { return FExtentRB; }

    // The border width the settings give, on each side.
    int GetBevelExtend() const;
    // Recomputes the extents, then notifies.
    void Change() override;
    // rect shrunk by the border.
    TRect ClientRect(const TRect& rect) const;
    // Draws the border inside rect and returns the inner rectangle. With
    // transparent the innermost spacing is left undrawn.
    TRect PaintBevel(TCanvas* canvas, const TRect& rect, bool transparent) const;
    void Assign(const TPersistent* source) override;

private:
    template <typename T>
    void Store(T& field, T value);

    TDcBevelStyle FStyleInner = bvNone;
    TDcBevelStyle FStyleOuter = bvNone;
    uint8_t FWidthInner = 1;
    uint8_t FWidthOuter = 1;
    TColor FBorderColor = clBtnFace;
    uint8_t FBorderInnerWidth = 0;
    uint8_t FBorderWidth = 0;
    TDcFrameSides FBorderSides{fsBottom, fsLeft, fsRight, fsTop};
    TDcEdgeStyle FEdgeStyle = etEtched;
    int FExtent = 0;
    int FExtentRB = 0;
    TColor FLightColor = clBtnHighlight;
    TDcBevelMode FMode = bmCustom;
    TColor FShadowColor = clBtnShadow;
    TDcBorderStyle FStandardStyle = lsSingleLowered;
    bool FBorderDrawn = false;
};
