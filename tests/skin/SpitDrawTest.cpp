// Nine-part drawing: the pieces of the Protein OK button, pieces for rectangles
// smaller than the source, the rows each piece takes, and where magenta is
// left out.
#include "skin/SkDraw.h"
#include "tests/skin/SkinTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

inline void PrintTo(const TRect& r, std::ostream* os)
{
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

namespace {

using namespace skintest;

const char* const PieceNames[9] = {"top-left",     "bottom-left", "left edge",  "top-right",  "bottom-right",
                                   "right edge",   "top edge",    "centre",     "bottom edge"};

}  // namespace

TEST(SpitDraw, ProteinOkButtonPieces)
{
    // The 74 x 21 face slice drawn into the 80 x 20 OK button.
    struct TExpected {
        TRect Dest, Source;
    } const expected[9] = {
        {{0, 0, 37, 10}, {0, 0, 37, 10}},
        {{0, 11, 37, 20}, {0, 12, 37, 21}},
        {{0, 10, 37, 11}, {0, 10, 37, 11}},    // source row 10
        {{44, 0, 80, 10}, {38, 0, 74, 10}},
        {{44, 11, 80, 20}, {38, 12, 74, 21}},
        {{44, 10, 80, 11}, {38, 11, 74, 12}},  // source row 11
        {{37, 0, 44, 10}, {37, 0, 38, 10}},    // column 37, rows 0-9
        {{37, 10, 44, 10}, {37, 10, 38, 11}},  // empty
        {{36, 10, 44, 20}, {37, 11, 38, 21}},  // column 37, rows 11-20
    };
    const auto pieces = SpitDrawPieces(74, 21, Rect(0, 0, 80, 20));
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(PieceNames[i]);
        EXPECT_EQ(pieces[i].Dest, expected[i].Dest);
        EXPECT_EQ(pieces[i].Source, expected[i].Source);
        EXPECT_EQ(pieces[i].Corner, i == 0 || i == 1 || i == 3 || i == 4);
    }
}

TEST(SpitDraw, ProteinOkButtonTakesEachRowFromItsPiece)
{
    TBitmap face, button;
    FillNumbered(face, 74, 21);
    Fill(button, 80, 20, 0);
    SpitDraw(face, *button.Canvas(), Rect(0, 0, 80, 20), false);
    struct TCase {
        const char* Where;
        int X, Y;
        int FromX, FromY;
    } const cases[] = {
        {"top-left corner", 5, 3, 5, 3},
        {"bottom-left corner", 0, 19, 0, 20},
        {"left edge: the middle row", 20, 10, 20, 10},
        {"top-right corner", 44, 0, 38, 0},
        {"bottom-right corner", 79, 19, 73, 20},
        {"right edge: the row below the middle", 60, 10, 54, 11},
        {"top edge: column 37", 40, 9, 37, 9},
        {"bottom edge starts at row 11", 40, 10, 37, 11},
        {"bottom edge ends at row 20", 40, 19, 37, 20},
        {"bottom edge covers the corner's last column", 36, 15, 37, 16},
    };
    for (const TCase& c : cases) {
        const uint32_t px = At(button, c.X, c.Y);
        ASSERT_TRUE(IsNumbered(px)) << c.Where;
        EXPECT_EQ(SourceX(px), c.FromX) << c.Where;
        EXPECT_EQ(SourceY(px), c.FromY) << c.Where;
    }
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x) ASSERT_TRUE(IsNumbered(At(button, x, y))) << "not drawn: " << x << ", " << y;
}

TEST(SpitDraw, RectanglesSmallerThanTheSourceShrinkTheCorners)
{
    // Source 74 x 21; widths and heights of the pieces for rectangles of even
    // and odd size, narrower and lower than the source.
    struct TCase {
        int W, H;
        int CornerW, CornerH;          // top-left; the right corners are 1 narrower, the bottom ones 1 lower
        int TopEdgeW, BottomEdgeW;     // the bottom edge starts one column left of the top edge
        int SideEdgeH, CentreH;
    } const cases[] = {
        {20, 10, 10, 5, 1, 2, 1, 0},
        {21, 10, 10, 5, 2, 3, 1, 0},
        {20, 11, 10, 5, 1, 2, 2, 1},
        {21, 11, 10, 5, 2, 3, 2, 1},
        {4, 4, 2, 2, 1, 2, 1, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.W) + " x " + std::to_string(c.H));
        const auto p = SpitDrawPieces(74, 21, Rect(0, 0, c.W, c.H));
        EXPECT_EQ(p[0].Dest, Rect(0, 0, c.CornerW, c.CornerH));
        EXPECT_EQ(p[1].Dest, Rect(0, c.H - (c.CornerH - 1), c.CornerW, c.H));
        EXPECT_EQ(p[3].Dest, Rect(c.W - (c.CornerW - 1), 0, c.W, c.CornerH));
        EXPECT_EQ(p[4].Dest, Rect(c.W - (c.CornerW - 1), c.H - (c.CornerH - 1), c.W, c.H));
        // The corners show the source's outer pixels.
        EXPECT_EQ(p[0].Source, Rect(0, 0, c.CornerW, c.CornerH));
        EXPECT_EQ(p[4].Source, Rect(74 - (c.CornerW - 1), 21 - (c.CornerH - 1), 74, 21));
        EXPECT_EQ(p[6].Dest.Width(), c.TopEdgeW);
        EXPECT_EQ(p[8].Dest.Width(), c.BottomEdgeW);
        EXPECT_EQ(p[2].Dest.Height(), c.SideEdgeH);
        EXPECT_EQ(p[5].Dest.Height(), c.SideEdgeH);
        EXPECT_EQ(p[7].Dest.Height(), c.CentreH);
    }
}

TEST(SpitDraw, PiecesNeverReadOutsideTheSource)
{
    // Tiny and even-sized sources leave some edges without rows of their own;
    // whatever a piece draws comes from inside the bitmap.
    for (int W = 1; W <= 6; ++W)
        for (int H = 1; H <= 6; ++H)
            for (int w = -2; w <= 9; ++w)
                for (int h = -2; h <= 9; ++h)
                    for (const TskSpitPiece& p : SpitDrawPieces(W, H, Rect(0, 0, w, h))) {
                        if (IsRectEmpty(p.Dest)) continue;
                        ASSERT_FALSE(IsRectEmpty(p.Source)) << W << "x" << H << " into " << w << "x" << h;
                        ASSERT_TRUE(p.Source.Left >= 0 && p.Source.Top >= 0 && p.Source.Right <= W && p.Source.Bottom <= H)
                            << W << "x" << H << " into " << w << "x" << h;
                    }
}

TEST(SpitDraw, EvenSourceHeightsStretchTheRowBelowTheMiddle)
{
    TBitmap face, button;
    FillNumbered(face, 20, 20);
    Fill(button, 40, 40, 0);
    SpitDraw(face, *button.Canvas(), Rect(0, 0, 40, 40), false);
    // The left edge has no rows of its own (10 to 10): it takes row 10.
    const uint32_t px = At(button, 3, 20);
    ASSERT_TRUE(IsNumbered(px));
    EXPECT_EQ(SourceY(px), 10);
}

TEST(SpitDraw, MagentaIsLeftOutOfEdgesAlwaysAndOfCornersWhenTransparent)
{
    TBitmap face;
    Fill(face, 74, 21, 0xFF00FF);
    for (bool transparent : {false, true}) {
        TBitmap button;
        Fill(button, 80, 20, 0x000000);
        SpitDraw(face, *button.Canvas(), Rect(0, 0, 80, 20), transparent);
        const uint32_t corner = transparent ? 0x000000 : 0xFF00FF;
        EXPECT_EQ(At(button, 2, 2), corner) << "top-left corner, transparent " << transparent;
        EXPECT_EQ(At(button, 78, 18), corner) << "bottom-right corner, transparent " << transparent;
        EXPECT_EQ(At(button, 40, 5), 0x000000u) << "top edge, transparent " << transparent;
        EXPECT_EQ(At(button, 20, 10), 0x000000u) << "left edge, transparent " << transparent;
        EXPECT_EQ(At(button, 40, 15), 0x000000u) << "bottom edge, transparent " << transparent;
    }
}

TEST(SpitDraw, CornersAreMeasuredFromTheCanvasOrigin)
{
    // Left and top pieces sit at x = 0 and y = 0 whatever the rectangle's corner:
    // callers pass their client rectangle.
    const auto p = SpitDrawPieces(74, 21, Rect(5, 5, 85, 25));
    EXPECT_EQ(p[0].Dest, Rect(0, 0, 37, 10));
    EXPECT_EQ(p[4].Dest, Rect(49, 16, 85, 25));
}
