// Drawing helpers of the skinned controls: cutting skin bitmaps into slices,
// nine-part and three-part drawing, tiling, rotation and painting a parent's
// image under a control. Skin bitmaps mark see-through pixels with magenta.
#pragma once

#include "classlib/graphics/Color.h"
#include "classlib/system/Types.h"

#include <array>

class TBitmap;
class TCanvas;
class TControl;
class TGraphic;

// The see-through colour of the skin bitmaps.
constexpr TColor skTransparentColor = clFuchsia;  // 0xFF00FF

// Dest becomes slice Index (1-based) of Count equal vertical strips of Source:
// (Source width div Count) x Source height. A Count below 1 or an Index outside
// 1..Count names no slice and leaves Dest as it is. Source and Dest may be one bitmap.
void SpitBitmap(const TBitmap& Source, TBitmap& Dest, int Count, int Index);

// One piece of nine-part drawing: what part of the source goes where on the
// canvas. Corners are copied at their size; edges and the centre are stretched.
struct TskSpitPiece {
    TRect Source;
    TRect Dest;
    bool Corner = false;
};
// The nine pieces in drawing order: top-left, bottom-left, left edge,
// top-right, bottom-right, right edge, top edge, centre, bottom edge. Left and
// top pieces sit at x = 0 and y = 0 (callers pass a client rectangle), right
// and bottom ones end at Rect's right and bottom edges. A destination of zero
// width or height is drawn as nothing.
std::array<TskSpitPiece, 9> SpitDrawPieces(int SourceWidth, int SourceHeight, const TRect& Rect);
// Draws Source into Rect in nine pieces, so that a small face stretches to any
// button size. Corners leave out magenta when Transparent is set and are opaque
// otherwise; edges and the centre always leave out magenta.
void SpitDraw(TBitmap& Source, TCanvas& Canvas, const TRect& Rect, bool Transparent);

// Draws Source into Rect in three horizontal pieces (a tab): the left and right
// thirds at their size, left out where they hold the mask colour, and the middle
// third stretched between them, opaque. The mask colour is the source's
// top-left (SampleTopRow) or bottom-left pixel when UseSampledMask is set, else magenta.
void SpitDrawHorizontal(TBitmap& Source, TCanvas& Canvas, const TRect& Rect, bool UseSampledMask, bool SampleTopRow);

// Draws Picture repeatedly from the canvas origin (not from Rect's corner) in
// steps of its size, far enough to cover Rect's width and height plus one picture.
void TileDraw(TCanvas& Canvas, TGraphic& Picture, const TRect& Rect);

// Paints onto Canvas what Control's parent shows under Control: the parent
// erases its background and paints itself into Canvas, moved so that the
// control's top-left corner is Canvas's origin and clipped to the parent's
// client area. Nothing happens without a parent. Controls with Transparent set
// paint their background with it. The parent's paint includes its non-windowed
// children, so it suits windowed controls; a non-windowed one asking from its
// own paint is painted once more on top, not asked again.
void DoTrans(TCanvas& Canvas, TControl& Control);

// Rotations in place; the quarter turns swap width and height.
// 90 degrees counter-clockwise: pixel (x, y) moves to (y, W-1-x).
void RoundPicture(TBitmap& Bitmap);
// 180 degrees: pixel (x, y) moves to (W-1-x, H-1-y).
void RoundPicture2(TBitmap& Bitmap);
// 90 degrees clockwise: pixel (x, y) moves to (H-1-y, x).
void RoundPicture3(TBitmap& Bitmap);
