// TextOut and TextRect: where glyphs land, the background, colours and lines.
#include "classlib/graphics/FontEngine.h"
#include "TextTestSupport.h"

namespace {

constexpr uint32_t Red = 0xFF0000;   // a pixel, 0x00RRGGBB
constexpr uint32_t Blue = 0x0000FF;

// The longest run of ink in any row of r that is not the background.
int LongestInkRow(const TextBitmap& b, const TRect& r)
{
    int best = 0;
    for (int y = r.Top; y < r.Bottom; ++y) best = std::max(best, b.InkInRow(y, r.Left, r.Right));
    return best;
}

} // namespace

TEST(TextOut, GlyphsStayInTheirCellAndThePenMovesPastThem)
{
    for (const char* name : {"MS Sans Serif", "Arial", "Tw Cen MT", "Times New Roman"})
        for (int height : {-11, -13, 16}) {
            TextBitmap b(300, 60);
            TCanvas& c = b.Canvas();
            c.Font()->SetName(name);
            c.Font()->SetHeight(height);
            const std::string text = "Hg|jy Wq";
            const TSize size = c.TextExtent(text);
            c.TextOut(10, 7, text);
            const TRect cell = Bounds(10, 7, size.cx, size.cy);
            EXPECT_FALSE(IsRectEmpty(b.InkBounds())) << name;
            EXPECT_TRUE(Contains(cell, b.InkBounds())) << name << " " << height << ": ink " << b.InkBounds()
                                                        << " cell " << cell;
            EXPECT_EQ(c.PenPos(), Point(10 + size.cx, 7));
        }
}

TEST(TextOut, DrawsOnlyInsideTheClipAndFollowsTheOrigin)
{
    TextBitmap b(200, 40);
    TCanvas& c = b.Canvas();
    c.SetOrigin(Point(5, 3));
    c.SetClipRect(Rect(8, 0, 30, 9)); // logical: device (13, 3) .. (35, 12)
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clRed);
    c.TextOut(0, 0, "WWWWWWWW");
    EXPECT_EQ(b.InkBounds(), Rect(13, 3, 35, 12));

    TextBitmap far(50, 20);
    far.Canvas().SetOrigin(Point(INT32_MAX - 10, INT32_MIN + 10));
    far.Canvas().TextOut(INT32_MAX, INT32_MIN, "far away");
    far.Canvas().SetOrigin(Point(0, 0));
    far.Canvas().TextOut(INT32_MIN, INT32_MAX, "far away");
    EXPECT_TRUE(IsRectEmpty(far.InkBounds()));
}

TEST(TextOut, OpaqueBrushFillsTheCellAndClearBrushLeavesIt)
{
    TextBitmap opaque(200, 40), clear(200, 40);
    opaque.Canvas().Brush()->SetStyle(bsSolid);
    opaque.Canvas().Brush()->SetColor(clRed);
    const TSize size = opaque.Canvas().TextExtent("Clock");
    opaque.Canvas().TextOut(20, 10, "Clock");
    clear.Canvas().TextOut(20, 10, "Clock");

    const TRect cell = Bounds(20, 10, size.cx, size.cy);
    // The k's leg overhangs its advance by a pixel, past the background.
    const TRect overhang = Rect(cell.Left, cell.Top, cell.Right + 1, cell.Bottom);
    EXPECT_EQ(opaque.BoundsOf(Red), cell); // the corners are background
    EXPECT_TRUE(Contains(overhang, opaque.InkBounds()));
    // Where the clear brush left white, the opaque one put red; the glyphs match.
    for (int y = cell.Top; y < cell.Bottom; ++y)
        for (int x = cell.Left; x < cell.Right; ++x)
            if (clear.Pixel(x, y) == 0xFFFFFF) {
                EXPECT_EQ(opaque.Pixel(x, y), Red) << x << ", " << y;
            }
    EXPECT_TRUE(Contains(overhang, clear.InkBounds()));
    EXPECT_EQ(clear.BoundsOf(Red), TRect{});
}

TEST(TextOut, GlyphsAreBlendedInTheFontColour)
{
    for (TColor background : {clWhite, clBlack}) {
        TextBitmap b(120, 30, background);
        b.Canvas().Font()->SetColor(clBlue);
        b.Canvas().TextOut(2, 2, "HIO");
        int solid = 0, partial = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 120; ++x) {
                const uint32_t px = b.Pixel(x, y);
                if (px == b.BackgroundPixel()) continue;
                if (px == Blue) ++solid;
                else ++partial;
                // Every pixel lies between the background and blue.
                const uint32_t red = px >> 16 & 0xFF, green = px >> 8 & 0xFF, blue = px & 0xFF;
                EXPECT_EQ(red, green) << x << ", " << y;
                EXPECT_EQ(background == clWhite ? blue : red, background == clWhite ? 0xFFu : 0u) << x << ", " << y;
            }
        EXPECT_GT(solid, 10) << "straight stems are fully covered";
        EXPECT_GT(partial, 0) << "edges are anti-aliased";
    }
}

TEST(TextOut, UnderlineAndStrikeOutSpanTheText)
{
    struct Case {
        TFontStyles Style;
        bool BelowBaseline; // where the full-width line must be
    };
    for (const Case& k : {Case{fsUnderline, true}, Case{fsStrikeOut, false}}) {
        TextBitmap plain(200, 40), lined(200, 40);
        lined.Canvas().Font()->SetStyle(k.Style);
        const TSize size = plain.Canvas().TextExtent("ace ace");
        EXPECT_EQ(lined.Canvas().TextExtent("ace ace"), size);
        plain.Canvas().TextOut(10, 5, "ace ace");
        lined.Canvas().TextOut(10, 5, "ace ace");
        TFontUse use(*lined.Canvas().Font());
        const int baseline = 5 + use.Metrics().Ascent;
        const TRect below = Rect(10, baseline, 10 + size.cx, 5 + size.cy);
        const TRect above = Rect(10, 5, 10 + size.cx, baseline);
        EXPECT_LT(LongestInkRow(plain, Bounds(10, 5, size.cx, size.cy)), size.cx);
        EXPECT_EQ(LongestInkRow(lined, k.BelowBaseline ? below : above), size.cx) << int(k.Style);
        EXPECT_LT(LongestInkRow(lined, k.BelowBaseline ? above : below), size.cx) << int(k.Style);
    }
}

TEST(TextRect, ClipsToTheRectangleAndFillsItWhenOpaque)
{
    TextBitmap clear(200, 40), opaque(200, 40);
    const TRect r = Rect(15, 8, 40, 16);
    clear.Canvas().TextRect(r, 10, 5, "WWWWWWWWWW");
    EXPECT_FALSE(IsRectEmpty(clear.InkBounds()));
    EXPECT_TRUE(Contains(r, clear.InkBounds())) << clear.InkBounds();

    opaque.Canvas().Brush()->SetStyle(bsSolid);
    opaque.Canvas().Brush()->SetColor(clRed);
    opaque.Canvas().TextRect(r, 100, 100, "outside");
    EXPECT_EQ(opaque.InkBounds(), r);
    EXPECT_EQ(opaque.BoundsOf(Red), r);
}
