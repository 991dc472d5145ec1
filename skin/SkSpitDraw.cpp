// Nine-part drawing of a button face. With W x H the source and w x h the
// rectangle, halves round toward zero (sw = W/2, sh = H/2, dw = w/2, dh = h/2).
// The left corners take sw columns and the right ones sw - 1, the top corners
// sh rows and the bottom ones sh - 1, each no larger than the matching half of
// the rectangle allows. For an odd H the row just below the middle row belongs
// to no corner: the left edge stretches the middle row, the right edge that
// row, and the bottom edge starts at it.
#include "classlib/graphics/Bitmap.h"
#include "skin/SkDraw.h"

#include <algorithm>

namespace {

int NotBelowZero(int v) { return std::max(v, 0); }

// A destination whose size came out negative is empty.
TRect Normalised(TRect r)
{
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
    return r;
}

// The part of a source rectangle inside the bitmap. An edge or centre whose
// rows (an even source height leaves the left edge none) or columns lie
// outside it takes the single nearest row or column instead.
TRect Usable(TRect s, int W, int H)
{
    auto clampSpan = [](int& lo, int& hi, int size) {
        lo = std::clamp(lo, 0, size);
        hi = std::clamp(hi, 0, size);
        if (hi <= lo) {
            lo = std::min(lo, size - 1);
            hi = lo + 1;
        }
    };
    clampSpan(s.Left, s.Right, W);
    clampSpan(s.Top, s.Bottom, H);
    return s;
}

}  // namespace

std::array<TskSpitPiece, 9> SpitDrawPieces(int W, int H, const TRect& Rect)
{
    const int sw = W / 2, sh = H / 2;
    const int dw = Rect.Width() / 2, dh = Rect.Height() / 2;

    const int leftW = NotBelowZero(std::min(sw, dw));
    const int rightW = NotBelowZero(std::min(sw - 1, dw - 1));
    const int topH = NotBelowZero(std::min(sh, dh));
    const int bottomH = NotBelowZero(std::min(sh - 1, dh - 1));

    const TRect topLeft(0, 0, leftW, topH);
    const TRect bottomLeft(0, Rect.Bottom - bottomH, leftW, Rect.Bottom);
    const TRect topRight(Rect.Right - rightW, 0, Rect.Right, topH);
    const TRect bottomRight(Rect.Right - rightW, Rect.Bottom - bottomH, Rect.Right, Rect.Bottom);

    const TRect leftEdge = Normalised({0, topLeft.Bottom, topLeft.Right, bottomLeft.Top});
    const TRect rightEdge = Normalised({topRight.Left, topRight.Bottom, topRight.Right, bottomRight.Top});
    const TRect topEdge = Normalised({topLeft.Right, 0, topRight.Left, topLeft.Bottom});
    const TRect centre = Normalised({topLeft.Right, topLeft.Bottom, topRight.Left, bottomRight.Top - 1});
    const TRect bottomEdge = Normalised({topLeft.Right - 1, bottomLeft.Top - 1, bottomRight.Left, bottomRight.Bottom});

    // Edges keep the outer columns (rows) of the source across their narrow side:
    // 1:1 there, stretched only along the edge.
    return {{
        {{0, 0, leftW, topH}, topLeft, true},
        {{0, H - bottomH, leftW, H}, bottomLeft, true},
        {Usable({0, sh, leftEdge.Width(), H - sh}, W, H), leftEdge, false},
        {{W - rightW, 0, W, topH}, topRight, true},
        {{W - rightW, H - bottomH, W, H}, bottomRight, true},
        {Usable({W - rightEdge.Width(), H - sh, W, sh + 2}, W, H), rightEdge, false},
        {Usable({sw, 0, W - sw + 1, topEdge.Height()}, W, H), topEdge, false},
        {Usable({sw, sh, W - sw + 1, H - sh}, W, H), centre, false},
        {Usable({sw, H - bottomEdge.Height(), W - sw + 1, H}, W, H), bottomEdge, false},
    }};
}

void SpitDraw(TBitmap& Source, TCanvas& Canvas, const TRect& Rect, bool Transparent)
{
    if (Source.Empty()) return;
    for (const TskSpitPiece& piece : SpitDrawPieces(Source.Width(), Source.Height(), Rect)) {
        if (IsRectEmpty(piece.Dest) || IsRectEmpty(piece.Source)) continue;
        if (piece.Corner && !Transparent)
            Canvas.CopyRect(piece.Dest, Source.Canvas(), piece.Source);
        else
            Canvas.TransparentCopyRect(piece.Dest, Source.Canvas(), piece.Source, skTransparentColor);
    }
}
