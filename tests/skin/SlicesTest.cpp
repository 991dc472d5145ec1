// Cutting slices, three-part tab drawing, tiling from the canvas origin,
// rotations, and the small geometry helpers.
#include "classlib/controls/Panel.h"
#include "skin/SkDraw.h"
#include "skin/SkUtils.h"
#include "tests/skin/SkinTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace skintest;

}  // namespace

TEST(Slices, ProteinButtonSliceTwoIsTheMiddleStrip)
{
    TBitmap whole, slice;
    whole.LoadFromResourceName("PROTEIN_BUTTON");
    SpitBitmap(whole, slice, 3, 2);
    ASSERT_EQ(slice.Width(), 74);
    ASSERT_EQ(slice.Height(), 21);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 74; ++x) ASSERT_EQ(At(slice, x, y), At(whole, 74 + x, y)) << x << ", " << y;
}

TEST(Slices, SliceWidthRoundsDownAndBadSlicesLeaveTheDestination)
{
    TBitmap source;
    FillNumbered(source, 10, 2);
    TBitmap last;
    SpitBitmap(source, last, 3, 3);  // 10 div 3 = 3 columns: 6, 7, 8
    ASSERT_EQ(last.Width(), 3);
    EXPECT_EQ(SourceX(At(last, 0, 1)), 6);
    EXPECT_EQ(SourceX(At(last, 2, 1)), 8);

    for (auto [count, index] : {std::pair{0, 1}, {-3, 1}, {3, 0}, {3, 4}, {3, -1}}) {
        TBitmap dest;
        Fill(dest, 2, 2, 0x123456);
        SpitBitmap(source, dest, count, index);
        EXPECT_EQ(dest.Width(), 2) << count << ", " << index;
        EXPECT_EQ(At(dest, 1, 1), 0x123456u) << count << ", " << index;
    }

    SpitBitmap(source, source, 2, 2);  // one bitmap as source and destination
    ASSERT_EQ(source.Width(), 5);
    EXPECT_EQ(SourceX(At(source, 0, 0)), 5);
}

TEST(Slices, TabsDrawTheirEndsMaskedAndStretchTheirMiddle)
{
    // A 9 x 3 tab: thirds of 3 columns. Magenta in the ends is left out; the
    // middle is stretched and opaque, magenta and all.
    TBitmap tab;
    FillNumbered(tab, 9, 3);
    tab.ScanLine(0)[0] = 0xFF00FF;
    tab.ScanLine(0)[8] = 0xFF00FF;
    tab.ScanLine(1)[4] = 0xFF00FF;
    TBitmap strip;
    Fill(strip, 20, 5, 0);
    SpitDrawHorizontal(tab, *strip.Canvas(), Rect(2, 1, 18, 4), false, false);
    EXPECT_EQ(At(strip, 2, 1), 0u);                   // the left end's magenta corner
    EXPECT_EQ(SourceX(At(strip, 3, 1)), 1);           // the left end at its size
    EXPECT_EQ(At(strip, 17, 1), 0u);                  // the right end's magenta corner
    EXPECT_EQ(SourceX(At(strip, 15, 2)), 6);          // the right end from Rect.Right - 3
    EXPECT_EQ(SourceX(At(strip, 5, 1)), 3);           // the middle, stretched over 10 columns
    EXPECT_EQ(SourceX(At(strip, 14, 1)), 5);
    EXPECT_EQ(At(strip, 9, 2), 0xFF00FFu);            // the middle is opaque
    EXPECT_EQ(At(strip, 1, 1), 0u);
    EXPECT_EQ(At(strip, 10, 4), 0u);

    // With a sampled mask the see-through colour is the top-left or bottom-left pixel.
    TBitmap sampled;
    FillNumbered(sampled, 9, 3);
    const uint32_t bottomLeft = At(sampled, 0, 2);
    sampled.ScanLine(0)[1] = bottomLeft;
    Fill(strip, 20, 5, 0);
    SpitDrawHorizontal(sampled, *strip.Canvas(), Rect(0, 0, 20, 3), true, false);
    EXPECT_EQ(At(strip, 1, 0), 0u);
    EXPECT_EQ(At(strip, 0, 0), Numbered(0, 0));
    Fill(strip, 20, 5, 0);
    SpitDrawHorizontal(sampled, *strip.Canvas(), Rect(0, 0, 20, 3), true, true);
    EXPECT_EQ(At(strip, 0, 0), 0u);
    EXPECT_EQ(At(strip, 1, 0), bottomLeft);
}

TEST(Slices, TilingStartsAtTheCanvasOrigin)
{
    TBitmap tile;
    FillNumbered(tile, 3, 2);
    TBitmap canvas;
    Fill(canvas, 12, 8, 0);
    TileDraw(*canvas.Canvas(), tile, Rect(4, 3, 8, 5));
    // Tiles at x = 0, 3, 6 (x < 3 + 4) and y = 0, 2 (y < 2 + 2): 9 x 4 pixels.
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x) {
            const uint32_t px = At(canvas, x, y);
            if (x < 9 && y < 4) {
                ASSERT_EQ(px, Numbered(x % 3, y % 2)) << x << ", " << y;
            } else {
                ASSERT_EQ(px, 0u) << x << ", " << y;
            }
        }
    TBitmap empty;
    TileDraw(*canvas.Canvas(), empty, Rect(0, 0, 10, 10));  // nothing to tile: returns
}

TEST(Slices, RotationsMovePixelsAndSwapTheSize)
{
    struct TCase {
        const char* Name;
        void (*Rotate)(TBitmap&);
        int Width, Height;
        // Where pixel (x, y) of the 3 x 2 source lands.
        TPoint (*To)(int x, int y);
    } const cases[] = {
        {"counter-clockwise", RoundPicture, 2, 3, [](int x, int y) { return TPoint(y, 3 - 1 - x); }},
        {"half turn", RoundPicture2, 3, 2, [](int x, int y) { return TPoint(3 - 1 - x, 2 - 1 - y); }},
        {"clockwise", RoundPicture3, 2, 3, [](int x, int y) { return TPoint(2 - 1 - y, x); }},
    };
    for (const TCase& c : cases) {
        TBitmap b;
        FillNumbered(b, 3, 2);
        c.Rotate(b);
        ASSERT_EQ(b.Width(), c.Width) << c.Name;
        ASSERT_EQ(b.Height(), c.Height) << c.Name;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                const TPoint to = c.To(x, y);
                EXPECT_EQ(At(b, to.X, to.Y), Numbered(x, y)) << c.Name << ": pixel " << x << ", " << y;
            }
    }
    TBitmap b;
    FillNumbered(b, 3, 2);
    RoundPicture(b);
    RoundPicture3(b);
    EXPECT_EQ(At(b, 2, 1), Numbered(2, 1));
    TBitmap empty;
    RoundPicture(empty);
    EXPECT_TRUE(empty.Empty());
}

TEST(Slices, InRectCountsAllFourEdgesIn)
{
    const TRect r(2, 3, 5, 7);
    struct TCase {
        int X, Y;
        bool In;
    } const cases[] = {
        {2, 3, true}, {5, 7, true}, {5, 3, true}, {2, 7, true}, {3, 5, true},
        {1, 3, false}, {6, 3, false}, {2, 2, false}, {2, 8, false},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(InRect(c.X, c.Y, r), c.In) << c.X << ", " << c.Y;
        EXPECT_EQ(InRect(TPoint(c.X, c.Y), r), c.In) << c.X << ", " << c.Y;
    }
}

TEST(Slices, PlaceControlAndPCharToStr)
{
    TComponent owner(nullptr);
    TPanel& panel = owner.Create<TPanel>();
    panel.SetBounds(1, 2, 30, 40);
    PlaceControl(panel, TPoint(7, 8));
    EXPECT_EQ(panel.BoundsRect(), Rect(7, 8, 37, 48));
    PlaceControl(panel, Rect(10, 20, 50, 25));
    EXPECT_EQ(panel.BoundsRect(), Rect(10, 20, 50, 25));

    EXPECT_EQ(PCharToStr("abc"), "abc");
    EXPECT_EQ(PCharToStr(""), "");
    EXPECT_EQ(PCharToStr(nullptr), "");
}
