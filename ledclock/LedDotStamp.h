// The clock's dots drawn from rows worked out once per dot size.
//
// A paint draws up to 150 dots of at most three sizes, each only a few pixels
// across. Going through TCanvas::Ellipse for each one traces the same outline
// again and gathers the pen, brush and clip again every time, which costs far
// more than the handful of pixels a dot has. TLedDotStamp keeps the rows of one
// dot size; TLedDotPainter paints dots of that size with the canvas's pen and
// brush as gathered once. The pixels are those of TCanvas::Ellipse on the same
// box: the rows come from the same shape and are painted by the same rule.
#pragma once

#include "classlib/graphics/Bitmap.h"
#include "classlib/raster/RasterInk.h"
#include "classlib/raster/RasterLine.h"

#include <cstdint>

class TLedDotStamp {
public:
    // Dots larger than this each way are left to TCanvas::Ellipse: their pixels
    // cost more than the set-up saved.
    static constexpr int32_t MaxSize = 32;

    // One row of the dot, relative to its box: pixels [Left, Right) are drawn,
    // those in [InnerLeft, InnerRight) with the brush and the rest with the pen.
    // A row without interior has InnerLeft == InnerRight.
    struct TRow {
        int32_t Left = 0, InnerLeft = 0, InnerRight = 0, Right = 0;
    };

    // Makes the stamp hold the ellipse of a width x height box (work is done
    // only when the size changes).
    void SetSize(int64_t width, int64_t height)
    {
        if (width != FWidth || height != FHeight) Reshape(width, height);
    }
    int64_t Width() const { return FWidth; }
    int64_t Height() const { return FHeight; }
    // Whether the stamp has rows to paint: a size within MaxSize that a 1-pixel
    // pen outlines (a one-pixel box has no outline and draws nothing).
    bool Usable() const { return FUsable; }
    const TRow& Row(int64_t y) const { return FRows[y]; }

private:
    void Reshape(int64_t width, int64_t height);
    int64_t FWidth = 0;
    int64_t FHeight = 0;
    bool FUsable = false;
    TRow FRows[MaxSize];
};

// Paints dots with the canvas's pen and brush as they are when it is made;
// they must not change while it is in use. Boxes of another size than the
// stamp's, and pens the stamp's rule does not cover (clear or wider than one
// pixel), go to TCanvas::Ellipse, so every box is drawn as Ellipse draws it.
class TLedDotPainter {
public:
    TLedDotPainter(TCanvas& canvas, TLedDotStamp& stamp);
    // The dot Ellipse(box) draws. A box of another size refits the stamp first.
    void Paint(const TRect& box);

private:
    // Pen and brush both copy one colour onto a dot wholly inside the clip.
    void PaintSolidInside(Raster::Coord left, Raster::Coord top) const;
    // Any pen mode and brush, clipped.
    void PaintRows(Raster::Coord left, Raster::Coord top) const;

    TCanvas& FCanvas;
    TLedDotStamp& FStamp;
    Raster::TTarget FTarget;
    Raster::TStroke FStroke;
    Raster::TBrushInk FBrush;
    TPenMode FMode;
    bool FPenFits;
    bool FSolid = false;
    uint32_t FBrushPixel = 0;
};
