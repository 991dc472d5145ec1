// Drawing a bevel: nested one-pixel frames, each shrinking the rectangle.
#include "dateclock/DcBevel.h"

namespace {

void Fill(TCanvas* canvas, const TRect& r, TColor color)
{
    if (IsRectEmpty(r)) return;
    canvas->Brush()->SetColor(color);
    canvas->FillRect(r);
}

// One frame on the chosen sides: top and left in topLeft, bottom and right in
// bottomRight. The rectangle shrinks by one pixel on every side.
void Frame(TCanvas* canvas, TRect& r, TColor topLeft, TColor bottomRight,
           TDcFrameSides sides = {fsBottom, fsLeft, fsRight, fsTop})
{
    if (!IsRectEmpty(r)) {
        if (sides.Contains(fsTop)) Fill(canvas, Rect(r.Left, r.Top, r.Right, r.Top + 1), topLeft);
        if (sides.Contains(fsLeft)) Fill(canvas, Rect(r.Left, r.Top, r.Left + 1, r.Bottom), topLeft);
        if (sides.Contains(fsBottom)) Fill(canvas, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), bottomRight);
        if (sides.Contains(fsRight)) Fill(canvas, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), bottomRight);
    }
    r = InflateRect(r, -1, -1);
}

void Frames(TCanvas* canvas, TRect& r, int count, TColor topLeft, TColor bottomRight)
{
    for (int i = 0; i < count; ++i) Frame(canvas, r, topLeft, bottomRight);
}

void DrawCustomStyle(TCanvas* canvas, TRect& r, TDcBevelStyle style, int width, TColor light, TColor shadow)
{
    switch (style) {
    case bvNone:
    case bvShadow: break;
    case bvLowered: Frames(canvas, r, width, shadow, light); break;
    case bvRaised: Frames(canvas, r, width, light, shadow); break;
    case bvFrameLowered:
        Frame(canvas, r, shadow, light);
        Frames(canvas, r, width, light, shadow);
        break;
    case bvFrameRaised:
        Frame(canvas, r, light, shadow);
        Frames(canvas, r, width, shadow, light);
        break;
    case bvNormal: Frames(canvas, r, width, clBlack, clBlack); break;
    }
}

// The two one-pixel lines (outer, inner) of each standard frame style.
struct TLinePair {
    TColor OuterTopLeft, OuterBottomRight, InnerTopLeft, InnerBottomRight;
};

void DrawStandardStyle(TCanvas* canvas, TRect& r, TDcBorderStyle style, TColor light, TColor shadow)
{
    TLinePair lines{};
    switch (style) {
    case lsNone: return;
    case lsSingle: Frame(canvas, r, clWindowFrame, clWindowFrame); return;
    case lsSingleRaised: Frame(canvas, r, light, shadow); return;
    case lsSingleLowered: Frame(canvas, r, shadow, light); return;
    case lsLowered: lines = {shadow, light, cl3DDkShadow, cl3DLight}; break;
    case lsRaised: lines = {light, cl3DDkShadow, cl3DLight, shadow}; break;
    case lsRaisedspb: lines = {clWindowFrame, clWindowFrame, light, shadow}; break;
    case lsLoweredspb: lines = {clWindowFrame, clWindowFrame, shadow, light}; break;
    case lsRaisedExt: lines = {cl3DLight, cl3DDkShadow, light, shadow}; break;
    case lsLoweredExt: lines = {shadow, light, cl3DDkShadow, cl3DLight}; break;
    case lsFrameInset: lines = {shadow, light, light, shadow}; break;
    case lsFrameOffset: lines = {light, shadow, shadow, light}; break;
    case lsWindowBorder: lines = {cl3DLight, cl3DDkShadow, light, shadow}; break;
    case lsDoubleRaised: lines = {light, shadow, light, shadow}; break;
    case lsDoubleLowered: lines = {shadow, light, shadow, light}; break;
    }
    Frame(canvas, r, lines.OuterTopLeft, lines.OuterBottomRight);
    Frame(canvas, r, lines.InnerTopLeft, lines.InnerBottomRight);
}

void DrawEdge(TCanvas* canvas, TRect& r, TDcEdgeStyle style, TDcFrameSides sides, bool transparent)
{
    if (!transparent) {
        // The band under the edge takes the canvas's brush.
        const TColor band = canvas->Brush()->Color();
        TRect outer = r;
        Frame(canvas, outer, band, band, sides);
        Frame(canvas, outer, band, band, sides);
    }
    // Outer and inner line of each edge: raised outer 3-D light over dark
    // shadow, raised inner highlight over shadow, and their sunken reverses.
    struct TLine {
        TColor TopLeft, BottomRight;
    };
    const TLine raisedOuter{cl3DLight, cl3DDkShadow}, raisedInner{clBtnHighlight, clBtnShadow};
    const TLine sunkenOuter{clBtnShadow, clBtnHighlight}, sunkenInner{cl3DDkShadow, cl3DLight};
    const TLine* outer = nullptr;
    const TLine* inner = nullptr;
    switch (style) {
    case etRaisedInner: inner = &raisedInner; break;
    case etRaisedOuter: outer = &raisedOuter; break;
    case etSunkenInner: inner = &sunkenInner; break;
    case etSunkenOuter: outer = &sunkenOuter; break;
    case etBump: outer = &raisedOuter; inner = &sunkenInner; break;
    case etEtched: outer = &sunkenOuter; inner = &raisedInner; break;
    case etRaised: outer = &raisedOuter; inner = &raisedInner; break;
    case etSunken: outer = &sunkenOuter; inner = &sunkenInner; break;
    }
    TRect line = r;
    if (outer) Frame(canvas, line, outer->TopLeft, outer->BottomRight, sides);
    else line = InflateRect(line, -1, -1);
    if (inner) Frame(canvas, line, inner->TopLeft, inner->BottomRight, sides);
    r = InflateRect(r, -2, -2);
}

} // namespace

TRect TDcBevel::PaintBevel(TCanvas* canvas, const TRect& rect, bool transparent) const
{
    if (FExtent == 0 || !canvas) return rect;
    TBrush saved;
    saved.Assign(canvas->Brush());
    TRect r = rect;
    switch (FMode) {
    case bmCustom:
        if (FStyleOuter == bvShadow) {
            // A drop shadow below and right of a frame.
            const int w = FWidthOuter;
            Fill(canvas, Rect(r.Right - w, r.Top + w, r.Right, r.Bottom), FShadowColor);
            Fill(canvas, Rect(r.Left + w, r.Bottom - w, r.Right, r.Bottom), FShadowColor);
            r.Right -= w;
            r.Bottom -= w;
            Frames(canvas, r, FWidthInner, clWindowFrame, clWindowFrame);
        } else {
            DrawCustomStyle(canvas, r, FStyleOuter, FWidthOuter, FLightColor, FShadowColor);
            Frames(canvas, r, FBorderWidth, FBorderColor, FBorderColor);
            DrawCustomStyle(canvas, r, FStyleInner, FWidthInner, FLightColor, FShadowColor);
        }
        break;
    case bmStandard: DrawStandardStyle(canvas, r, FStandardStyle, FLightColor, FShadowColor); break;
    case bmEdge:
        if (!FBorderSides.Empty()) DrawEdge(canvas, r, FEdgeStyle, FBorderSides, transparent);
        break;
    case bmWindows:
        if (!FBorderDrawn) {
            Frame(canvas, r, FShadowColor, FLightColor);
            Frame(canvas, r, cl3DDkShadow, cl3DLight);
        }
        break;
    }
    if (transparent) r = InflateRect(r, -FBorderInnerWidth, -FBorderInnerWidth);
    else Frames(canvas, r, FBorderInnerWidth, FBorderColor, FBorderColor);
    canvas->Brush()->Assign(&saved);
    return r;
}
