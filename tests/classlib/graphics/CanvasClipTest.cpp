// Far-away coordinates clip to the visible part without overflowing or walking
// what cannot be seen; the origin places and the clip rectangle limits every
// operation.
#include "tests/classlib/graphics/CanvasTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace {

constexpr uint32_t Red = 0xFF0000, White = 0xFFFFFF, Black = 0;
constexpr int Big = 1000000000;

} // namespace

TEST(CanvasClip, FarCoordinatesDrawOnlyTheVisiblePart)
{
    struct TCase {
        const char* Name;
        std::function<void(TCanvas&)> Draw;
        std::function<uint32_t(int, int)> Expected;
    } const cases[] = {
        {"FillRect over the whole int range", [](TCanvas& c) { c.FillRect(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX)); },
         [](int, int) { return Red; }},
        {"Rectangle over the whole int range",
         [](TCanvas& c) { c.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX); }, [](int, int) { return Red; }},
        {"RoundRect over the whole int range",
         [](TCanvas& c) { c.RoundRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 1000, 1000); },
         [](int, int) { return Red; }},
        {"Ellipse centred here", [](TCanvas& c) { c.Ellipse(-Big, -Big, Big, Big); }, [](int, int) { return Red; }},
        {"Ellipse over the whole int range", [](TCanvas& c) { c.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX); },
         [](int, int) { return Red; }},
        {"Ellipse whose outline crosses the surface", [](TCanvas& c) { c.Ellipse(-Big, 10, Big, 2 * Big); },
         [](int, int y) { return y < 10 ? Black : y == 10 ? White : Red; }},
        {"Polygon around the surface",
         [](TCanvas& c) { c.Polygon({Point(-Big, -Big), Point(Big, -Big), Point(0, Big)}); },
         [](int, int) { return Red; }},
        {"horizontal line across the int range",
         [](TCanvas& c) {
             c.MoveTo(INT_MIN, 5);
             c.LineTo(INT_MAX, 5);
         },
         [](int, int y) { return y == 5 ? White : Black; }},
        {"vertical line across the int range",
         [](TCanvas& c) {
             c.MoveTo(3, INT_MAX);
             c.LineTo(3, INT_MIN);
         },
         [](int x, int) { return x == 3 ? White : Black; }},
        {"diagonal line", 
         [](TCanvas& c) {
             c.MoveTo(-Big, -Big);
             c.LineTo(Big, Big);
         },
         [](int x, int y) { return x == y ? White : Black; }},
        {"long shallow line", // y = 1 + x / 10^9 rounds to row 1 on the surface
         [](TCanvas& c) {
             c.MoveTo(-Big, 0);
             c.LineTo(Big, 2);
         },
         [](int, int y) { return y == 1 ? White : Black; }},
        {"FrameRect whose bottom edge crosses", [](TCanvas& c) { c.FrameRect(Rect(-Big, -Big, Big, 8)); },
         [](int, int y) { return y == 7 ? Red : Black; }},
        {"DrawFocusRect whose top edge crosses", [](TCanvas& c) { c.DrawFocusRect(Rect(-Big, 4, Big, Big)); },
         [](int x, int y) { return y == 4 && x % 2 == 1 ? White : Black; }},
    };
    for (const TCase& k : cases) {
        TBitmap bitmap;
        Paint(bitmap, 32, 32, Black);
        TCanvas& c = *bitmap.Canvas();
        c.Pen()->SetColor(clWhite);
        c.Brush()->SetColor(clRed);
        k.Draw(c);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                ASSERT_EQ(At(bitmap, x, y), k.Expected(x, y)) << k.Name << " at (" << x << ", " << y << ")\n"
                                                              << Picture(bitmap);
    }
}

TEST(CanvasClip, FarStretchedCopyShowsTheSourcePixelThatLandsHere)
{
    TBitmap source;
    Paint(source, 2, 2, Black);
    source.ScanLine(1)[1] = Red;
    TBitmap bitmap;
    Paint(bitmap, 16, 16, White);
    // Two source pixels across 2 * 10^9 destination pixels: the surface sees the
    // lower right one.
    bitmap.Canvas()->CopyRect(Rect(-Big, -Big, Big, Big), source.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(CountOf(bitmap, Red), 16 * 16);
}

TEST(CanvasClip, OriginMovesAndClipLimitsEveryOperation)
{
    TBitmap picture;
    Paint(picture, 4, 4, Red);
    const TRect deviceClip{5, 3, 30, 20};
    struct TCase {
        const char* Name;
        std::function<void(TCanvas&)> Draw;
    } const cases[] = {
        {"FillRect", [](TCanvas& c) { c.FillRect(Rect(-100, -100, 100, 100)); }},
        {"Ellipse", [](TCanvas& c) { c.Ellipse(-60, -60, 80, 80); }},
        {"Rectangle", [](TCanvas& c) { c.Rectangle(-100, -100, 100, 100); }},
        {"Polygon", [](TCanvas& c) { c.Polygon({Point(-100, -100), Point(100, -100), Point(100, 100), Point(-100, 100)}); }},
        {"LineTo",
         [](TCanvas& c) {
             for (int y = -20; y < 40; ++y) {
                 c.MoveTo(-100, y);
                 c.LineTo(100, y);
             }
         }},
        {"SetPixels",
         [](TCanvas& c) {
             for (int y = -20; y < 40; ++y)
                 for (int x = -20; x < 40; ++x) c.SetPixels(x, y, clRed);
         }},
        {"StretchDraw", [&](TCanvas& c) { c.StretchDraw(Rect(-100, -100, 100, 100), &picture); }},
        {"BrushCopy", [&](TCanvas& c) { c.BrushCopy(Rect(-100, -100, 100, 100), &picture, Rect(0, 0, 4, 4), clRed); }},
    };
    for (const TCase& k : cases) {
        TBitmap bitmap;
        Paint(bitmap, 40, 30, Black);
        TCanvas& c = *bitmap.Canvas();
        c.Pen()->SetColor(clRed);
        c.Brush()->SetColor(clRed);
        c.SetOrigin({10, 5});
        c.SetClipRect(Rect(-5, -2, 20, 15)); // logical: device (5, 3) to (30, 20)
        ASSERT_EQ(c.DeviceClip(), deviceClip);
        k.Draw(c);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(At(bitmap, x, y), PtInRect(deviceClip, {x, y}) ? Red : Black)
                    << k.Name << " at (" << x << ", " << y << ")\n"
                    << Picture(bitmap);
    }
}

TEST(CanvasClip, ShapesAtAnOriginLandWhereTheyWouldAtItsOffset)
{
    TBitmap shifted, direct;
    Paint(shifted, 30, 30, Black);
    Paint(direct, 30, 30, Black);
    for (TBitmap* b : {&shifted, &direct}) {
        b->Canvas()->Pen()->SetColor(clWhite);
        b->Canvas()->Brush()->SetColor(clRed);
    }
    shifted.Canvas()->SetOrigin({11, 7});
    shifted.Canvas()->Ellipse(0, 0, 7, 6);
    shifted.Canvas()->Polygon({Point(-5, -3), Point(6, 10), Point(-9, 14)});
    direct.Canvas()->Ellipse(11, 7, 18, 13);
    direct.Canvas()->Polygon({Point(6, 4), Point(17, 17), Point(2, 21)});
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) ASSERT_EQ(At(shifted, x, y), At(direct, x, y)) << "(" << x << ", " << y << ")";
}

TEST(CanvasClip, PixelsReadAndWriteOnlyInsideTheClip)
{
    TBitmap bitmap;
    Paint(bitmap, 10, 10, 0x123456);
    TCanvas& c = *bitmap.Canvas();
    c.SetOrigin({2, 1});
    c.SetClipRect(Rect(0, 0, 4, 4)); // device (2, 1) to (6, 5)
    EXPECT_EQ(c.Pixels(0, 0), TColor(0x563412)); // RGB TColor: red in the low byte
    EXPECT_EQ(c.Pixels(-1, 0), -1);
    EXPECT_EQ(c.Pixels(4, 0), -1);
    EXPECT_EQ(c.Pixels(INT_MAX, INT_MIN), -1);
    c.SetPixels(3, 3, clRed);
    c.SetPixels(4, 3, clRed);
    c.SetPixels(INT_MIN, INT_MAX, clRed);
    EXPECT_EQ(At(bitmap, 5, 4), Red);
    EXPECT_EQ(CountOf(bitmap, Red), 1);
}
