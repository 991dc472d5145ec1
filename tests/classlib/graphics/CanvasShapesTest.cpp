// Shape behaviour beyond the reference pictures: focus rectangles and mixing
// pens undo themselves, fill rules, wide pens, hatches and rounded corners.
#include "tests/classlib/graphics/CanvasTestSupport.h"
#include "tests/support/PixelCompare.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

namespace {

constexpr uint32_t Red = 0xFF0000, White = 0xFFFFFF, Black = 0;

void Noise(TBitmap& b, int w, int h)
{
    std::mt19937 random(7);
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.ScanLine(y)[x] = random() & 0x00FFFFFFu;
}

} // namespace

TEST(CanvasShapes, DrawingTwiceWithXorRestoresThePicture)
{
    struct TCase {
        const char* Name;
        std::function<void(TCanvas&)> Draw;
    } const cases[] = {
        {"focus rectangle", [](TCanvas& c) { c.DrawFocusRect(Rect(2, 3, 17, 11)); }},
        {"one-pixel-high focus rectangle", [](TCanvas& c) { c.DrawFocusRect(Rect(1, 4, 9, 5)); }},
        {"clipped focus rectangle", [](TCanvas& c) { c.DrawFocusRect(Rect(-5, -3, 12, 40)); }},
        {"xor pen line", [](TCanvas& c) {
             c.Pen()->SetMode(pmXor);
             c.MoveTo(1, 1);
             c.LineTo(18, 13);
         }},
        {"xor pen ellipse", [](TCanvas& c) {
             c.Pen()->SetMode(pmXor);
             c.Ellipse(2, 2, 15, 12);
         }},
        {"not pen polygon", [](TCanvas& c) {
             c.Pen()->SetMode(pmNot);
             c.Polygon({Point(3, 1), Point(16, 8), Point(2, 13)});
         }},
    };
    for (const TCase& k : cases) {
        TBitmap bitmap, original;
        Noise(bitmap, 20, 15);
        Noise(original, 20, 15);
        bitmap.Canvas()->Pen()->SetColor(TColor(0x3366CC));
        bitmap.Canvas()->Brush()->SetColor(TColor(0x112233));
        k.Draw(*bitmap.Canvas());
        EXPECT_FALSE(SamePixels(ViewOf(original), ViewOf(bitmap))) << k.Name << " drew nothing";
        k.Draw(*bitmap.Canvas());
        EXPECT_TRUE(SamePixels(ViewOf(original), ViewOf(bitmap))) << k.Name;
    }
}

TEST(CanvasShapes, WindingFillsTheCentreThatAlternateLeavesOpen)
{
    // A five-pointed star drawn in one stroke: its centre is crossed twice.
    const std::vector<TPoint> star{Point(10, 0), Point(16, 19), Point(0, 7), Point(20, 7), Point(4, 19)};
    for (const TFillMode mode : {fmAlternate, fmWinding}) {
        TBitmap bitmap;
        Paint(bitmap, 21, 21, Black);
        TCanvas& c = *bitmap.Canvas();
        c.Pen()->SetStyle(psClear);
        c.Brush()->SetColor(clRed);
        c.SetFillMode(mode);
        c.Polygon(star);
        EXPECT_EQ(At(bitmap, 10, 10), mode == fmWinding ? Red : Black) << Picture(bitmap);
        EXPECT_EQ(At(bitmap, 10, 3), Red) << "a point of the star";
    }
}

TEST(CanvasShapes, WidePensCentreOnTheOutline)
{
    TBitmap bitmap;
    Paint(bitmap, 30, 30, Black);
    TCanvas& c = *bitmap.Canvas();
    c.Pen()->SetColor(clWhite);
    c.Pen()->SetWidth(3);
    c.Brush()->SetColor(clRed);

    c.MoveTo(2, 5);
    c.LineTo(20, 5);
    for (int y = 2; y < 9; ++y) EXPECT_EQ(At(bitmap, 10, y), y >= 4 && y <= 6 ? White : Black) << "line row " << y;

    // A 3-pixel pen on the box (5, 10)-(15, 20) covers (4, 9)-(16, 21).
    Paint(bitmap, 30, 30, Black);
    c.Rectangle(5, 10, 15, 20);
    for (int x = 2; x < 19; ++x) EXPECT_EQ(At(bitmap, x, 15), x < 4 || x >= 16 ? Black : x < 7 || x >= 13 ? White : Red) << x;

    // A wide ellipse outline is mirror-symmetric and as wide as the pen on the axes.
    Paint(bitmap, 30, 30, Black);
    c.Ellipse(5, 5, 24, 24);
    for (int y = 0; y < 29; ++y)
        for (int x = 0; x < 29; ++x) {
            ASSERT_EQ(At(bitmap, x, y), At(bitmap, 28 - x, y)) << "(" << x << ", " << y << ")\n" << Picture(bitmap);
            ASSERT_EQ(At(bitmap, x, y), At(bitmap, x, 28 - y)) << "(" << x << ", " << y << ")\n" << Picture(bitmap);
        }
    for (int x = 2; x < 27; ++x) EXPECT_EQ(At(bitmap, x, 14), x < 4 || x > 24 ? Black : x < 7 || x > 21 ? White : Red) << x;
}

TEST(CanvasShapes, HatchBrushesPaintOnlyTheirLines)
{
    TBitmap bitmap;
    Paint(bitmap, 16, 16, Black);
    TCanvas& c = *bitmap.Canvas();
    c.Brush()->SetColor(clRed);
    c.Brush()->SetStyle(bsCross);
    c.FillRect(Rect(0, 0, 16, 16));
    // One horizontal and one vertical line per 8 x 8 tile; the rest stays.
    EXPECT_EQ(CountOf(bitmap, Red), 4 * 15);
    EXPECT_EQ(CountOf(bitmap, Black), 256 - 4 * 15);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(At(bitmap, i, 8), Red);
}

TEST(CanvasShapes, RoundRectHasStraightSidesBetweenRoundCorners)
{
    TBitmap bitmap;
    Paint(bitmap, 24, 16, Black);
    TCanvas& c = *bitmap.Canvas();
    c.Pen()->SetColor(clWhite);
    c.Brush()->SetColor(clRed);
    c.RoundRect(1, 1, 21, 13, 6, 6);
    // Straight sides: outline only at the edges between the corners.
    for (int y = 4; y < 10; ++y)
        for (int x = 1; x < 21; ++x) ASSERT_EQ(At(bitmap, x, y), x == 1 || x == 20 ? White : Red) << x << "," << y;
    // The top edge is straight between the corners, the corner pixel itself is cut.
    for (int x = 4; x < 18; ++x) EXPECT_EQ(At(bitmap, x, 1), White) << x;
    EXPECT_EQ(At(bitmap, 1, 1), Black);
    EXPECT_EQ(At(bitmap, 20, 12), Black);

    // With the corner as large as the box it is the ellipse.
    TBitmap ellipse;
    Paint(ellipse, 24, 16, Black);
    ellipse.Canvas()->Pen()->SetColor(clWhite);
    ellipse.Canvas()->Brush()->SetColor(clRed);
    ellipse.Canvas()->Ellipse(1, 1, 21, 13);
    Paint(bitmap, 24, 16, Black);
    c.RoundRect(1, 1, 21, 13, 20, 12);
    EXPECT_TRUE(SamePixels(ViewOf(ellipse), ViewOf(bitmap))) << Picture(bitmap) << "\n" << Picture(ellipse);
}

TEST(CanvasShapes, ShapesGivenByTheirCornersInAnyOrderAreTheSame)
{
    TBitmap forward, reverse;
    for (TBitmap* b : {&forward, &reverse}) {
        Paint(*b, 20, 20, Black);
        b->Canvas()->Pen()->SetColor(clWhite);
        b->Canvas()->Brush()->SetColor(clRed);
    }
    forward.Canvas()->Ellipse(2, 3, 15, 12);
    forward.Canvas()->Rectangle(4, 14, 18, 19);
    reverse.Canvas()->Ellipse(15, 12, 2, 3);
    reverse.Canvas()->Rectangle(18, 14, 4, 19);
    EXPECT_TRUE(SamePixels(ViewOf(reverse), ViewOf(forward)));
}
