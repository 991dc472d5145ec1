// The bevel: its extent in every mode, the shadow coupling, notification and painting.
#include "dateclock/DcBevel.h"
#include "DcTestPixels.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct TExtentCase {
    const char* Name;
    std::function<void(TDcBevel&)> Setup;
    int Extent;
    int ExtentRB;
};

const TExtentCase ExtentCases[] = {
    {"initial", [](TDcBevel&) {}, 0, 0},
    {"custom border widths only", [](TDcBevel& b) { b.SetBorderWidth(2); b.SetBorderInnerWidth(1); }, 3, 3},
    {"outer frame raised, width 2", [](TDcBevel& b) { b.SetWidthOuter(2); b.SetStyleOuter(bvFrameRaised); }, 3, 3},
    {"both bevels and borders",
     [](TDcBevel& b) {
         b.SetStyleOuter(bvRaised);
         b.SetStyleInner(bvFrameLowered);
         b.SetWidthOuter(2);
         b.SetWidthInner(3);
         b.SetBorderWidth(1);
         b.SetBorderInnerWidth(1);
     },
     2 + 1 + 1 + 3 + 1, 2 + 1 + 1 + 3 + 1},
    {"widths without styles", [](TDcBevel& b) { b.SetWidthOuter(4); b.SetWidthInner(4); }, 0, 0},
    {"shadow",
     [](TDcBevel& b) {
         b.SetStyleInner(bvShadow);
         b.SetWidthInner(2);
         b.SetWidthOuter(3);
         b.SetBorderInnerWidth(1);
         b.SetBorderWidth(5);
     },
     3, 6},
    {"standard single lowered", [](TDcBevel& b) { b.SetMode(bmStandard); }, 1, 1},
    {"standard none with spacing", [](TDcBevel& b) { b.SetMode(bmStandard); b.SetStandardStyle(lsNone); b.SetBorderInnerWidth(2); }, 2, 2},
    {"standard double", [](TDcBevel& b) { b.SetMode(bmStandard); b.SetStandardStyle(lsDoubleRaised); }, 2, 2},
    {"edge on all sides", [](TDcBevel& b) { b.SetMode(bmEdge); }, 2, 2},
    {"edge without sides", [](TDcBevel& b) { b.SetMode(bmEdge); b.SetBorderSides({}); b.SetBorderInnerWidth(1); }, 1, 1},
    {"edge on one side", [](TDcBevel& b) { b.SetMode(bmEdge); b.SetBorderSides({fsTop}); }, 2, 2},
    {"windows", [](TDcBevel& b) { b.SetMode(bmWindows); b.SetBorderInnerWidth(1); }, 3, 3},
    {"windows drawn by the border", [](TDcBevel& b) { b.SetBorderDrawn(true); b.SetMode(bmWindows); b.SetBorderInnerWidth(1); }, 0, 0},
};

TEST(DcBevel, ExtentInEveryMode)
{
    for (const TExtentCase& c : ExtentCases) {
        TDcBevel bevel;
        c.Setup(bevel);
        EXPECT_EQ(bevel.GetBevelExtend(), c.Extent) << c.Name;
        EXPECT_EQ(bevel.Extent(), c.Extent) << c.Name;
        EXPECT_EQ(bevel.ExtentRB(), c.ExtentRB) << c.Name;
        EXPECT_EQ(bevel.ClientRect(Rect(10, 20, 110, 70)),
                  Rect(10 + c.Extent, 20 + c.Extent, 110 - c.ExtentRB, 70 - c.ExtentRB))
            << c.Name;
    }
}

// Whatever the style, the drawing stays outside the rectangle it returns,
// and that rectangle is the one ClientRect gives.
TEST(DcBevel, PaintingShrinksToTheClientRect)
{
    for (const TExtentCase& c : ExtentCases) {
        for (bool transparent : {false, true}) {
            TDcBevel bevel;
            c.Setup(bevel);
            TBitmap bitmap(40, 30);
            bitmap.Canvas()->Brush()->SetColor(clFuchsia);
            bitmap.Canvas()->FillRect(Rect(0, 0, 40, 30));
            const TRect outer(2, 3, 38, 27);
            const TRect inner = bevel.PaintBevel(bitmap.Canvas(), outer, transparent);
            EXPECT_EQ(inner, bevel.ClientRect(outer)) << c.Name;
            EXPECT_EQ(bitmap.Canvas()->Brush()->Color(), clFuchsia) << c.Name << ": the canvas brush is kept";
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 40; ++x) {
                    const bool kept = PixelAt(bitmap, x, y) == ColorToPixel(clFuchsia);
                    if (!PtInRect(outer, Point(x, y)) || PtInRect(inner, Point(x, y))) {
                        ASSERT_TRUE(kept) << c.Name << ": drawn at " << x << "," << y;
                    }
                }
            if (c.Extent == 0) {
                EXPECT_EQ(inner, outer) << c.Name;
            }
        }
    }
}

TEST(DcBevel, ShadowIsAStyleOfBothBevels)
{
    TDcBevel bevel;
    bevel.SetStyleInner(bvShadow);
    EXPECT_EQ(bevel.StyleOuter(), bvShadow);
    bevel.SetStyleInner(bvLowered);
    EXPECT_EQ(bevel.StyleOuter(), bvNone);
    bevel.SetStyleOuter(bvShadow);
    EXPECT_EQ(bevel.StyleInner(), bvShadow);
    bevel.SetStyleOuter(bvRaised);
    EXPECT_EQ(bevel.StyleInner(), bvNone);
    bevel.SetStyleInner(bvFrameLowered);
    EXPECT_EQ(bevel.StyleOuter(), bvRaised) << "only leaving the shadow resets the other bevel";
}

TEST(DcBevel, NotifiesChangesOnceAndHonoursUpdates)
{
    TDcBevel bevel;
    int changes = 0;
    bevel.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &bevel);
        ++changes;
    };
    bevel.SetWidthOuter(1);
    bevel.SetStandardStyle(lsRaised);
    EXPECT_EQ(changes, 0) << "same value, and a standard style outside bmStandard";
    EXPECT_EQ(bevel.StandardStyle(), lsRaised);
    bevel.SetMode(bmStandard);
    EXPECT_EQ(bevel.Extent(), 2);
    bevel.SetStandardStyle(lsSingle);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(bevel.Extent(), 1);

    bevel.BeginUpdate();
    bevel.SetBorderInnerWidth(3);
    bevel.SetMode(bmEdge);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(bevel.Extent(), 5) << "the extent follows even while updating";
    bevel.EndUpdate(false);
    EXPECT_EQ(changes, 2);
    bevel.BeginUpdate();
    bevel.SetBorderInnerWidth(4);
    bevel.EndUpdate(true);
    EXPECT_EQ(changes, 3);

    TDcBevel copy;
    int copyChanges = 0;
    copy.OnChange = [&](TObject*) { ++copyChanges; };
    copy.Assign(&bevel);
    EXPECT_EQ(copyChanges, 1);
    EXPECT_EQ(copy.Mode(), bmEdge);
    EXPECT_EQ(copy.BorderInnerWidth(), 4);
    EXPECT_EQ(copy.StandardStyle(), lsSingle);
    EXPECT_EQ(copy.Extent(), 6);
}

} // namespace
