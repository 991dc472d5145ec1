// The bevel's settings, its extent and its inner rectangle.
#include "dateclock/DcBevel.h"

template <typename T>
void TDcBevel::Store(T& field, T value)
{
    if (field == value) return;
    field = value;
    Change();
}

void TDcBevel::SetStyleInner(TDcBevelStyle value)
{
    if (FStyleInner == value) return;
    const bool wasShadow = FStyleInner == bvShadow;
    FStyleInner = value;
    if (value == bvShadow) FStyleOuter = bvShadow;
    else if (wasShadow) FStyleOuter = bvNone;
    Change();
}

void TDcBevel::SetStyleOuter(TDcBevelStyle value)
{
    if (FStyleOuter == value) return;
    const bool wasShadow = FStyleOuter == bvShadow;
    FStyleOuter = value;
    if (value == bvShadow) FStyleInner = bvShadow;
    else if (wasShadow) FStyleInner = bvNone;
    Change();
}

void TDcBevel::SetWidthInner(uint8_t value) { Store(FWidthInner, value); }
void TDcBevel::SetWidthOuter(uint8_t value) { Store(FWidthOuter, value); }
void TDcBevel::SetBorderColor(TColor value) { Store(FBorderColor, value); }
void TDcBevel::SetBorderInnerWidth(uint8_t value) { Store(FBorderInnerWidth, value); }
void TDcBevel::SetBorderWidth(uint8_t value) { Store(FBorderWidth, value); }
void TDcBevel::SetBorderSides(TDcFrameSides value) { Store(FBorderSides, value); }
void TDcBevel::SetEdgeStyle(TDcEdgeStyle value) { Store(FEdgeStyle, value); }
void TDcBevel::SetLightColor(TColor value) { Store(FLightColor, value); }
void TDcBevel::SetMode(TDcBevelMode value) { Store(FMode, value); }
void TDcBevel::SetShadowColor(TColor value) { Store(FShadowColor, value); }
void TDcBevel::SetBorderDrawn(bool value) { Store(FBorderDrawn, value); }

void TDcBevel::SetStandardStyle(TDcBorderStyle value)
{
    if (FStandardStyle == value) return;
    FStandardStyle = value;
    if (FMode == bmStandard) Change();
}

namespace {

bool IsFrame(TDcBevelStyle style)
{
    return style == bvFrameLowered || style == bvFrameRaised;
}

int FrameWidth(TDcBorderStyle style)
{
    switch (style) {
    case lsNone: return 0;
    case lsSingle:
    case lsSingleRaised:
    case lsSingleLowered: return 1;
    default: return 2;
    }
}

} // namespace

int TDcBevel::GetBevelExtend() const
{
    switch (FMode) {
    case bmCustom: {
        if (FStyleInner == bvShadow) return FWidthInner + FBorderInnerWidth;
        int e = FBorderWidth + FBorderInnerWidth;
        if (FStyleInner == bvNone && FStyleOuter == bvNone) return e;
        if (FStyleOuter != bvNone) e += FWidthOuter + (IsFrame(FStyleOuter) ? 1 : 0);
        if (FStyleInner != bvNone) e += FWidthInner + (IsFrame(FStyleInner) ? 1 : 0);
        return e;
    }
    case bmStandard: return FrameWidth(FStandardStyle) + FBorderInnerWidth;
    case bmEdge: return (FBorderSides.Empty() ? 0 : 2) + FBorderInnerWidth;
    case bmWindows: return FBorderDrawn ? 0 : FBorderInnerWidth + 2;
    }
    return 0;
}

void TDcBevel::Change()
{
    FExtent = GetBevelExtend();
    // A drop shadow widens only the right and bottom border.
    FExtentRB = FMode == bmCustom && FStyleOuter == bvShadow ? FWidthInner + FWidthOuter + FBorderInnerWidth : FExtent;
    TDcObject::Change();
}

TRect TDcBevel::ClientRect(const TRect& rect) const
{
    return Rect(rect.Left + FExtent, rect.Top + FExtent, rect.Right - FExtentRB, rect.Bottom - FExtentRB);
}

void TDcBevel::Assign(const TPersistent* source)
{
    if (auto other = dynamic_cast<const TDcBevel*>(source)) {
        FStyleInner = other->FStyleInner;
        FStyleOuter = other->FStyleOuter;
        FWidthInner = other->FWidthInner;
        FWidthOuter = other->FWidthOuter;
        FBorderColor = other->FBorderColor;
        FBorderInnerWidth = other->FBorderInnerWidth;
        FBorderWidth = other->FBorderWidth;
        FBorderSides = other->FBorderSides;
        FEdgeStyle = other->FEdgeStyle;
        FExtent = other->FExtent;
        FExtentRB = other->FExtentRB;
        FLightColor = other->FLightColor;
        FMode = other->FMode;
        FShadowColor = other->FShadowColor;
        FStandardStyle = other->FStandardStyle;
        FBorderDrawn = other->FBorderDrawn;
        Change();
        return;
    }
    TDcObject::Assign(source);
}
