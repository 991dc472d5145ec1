// DrawText: measuring, line breaking, placement, prefixes and tabs.
#include "classlib/graphics/FontEngine.h"
#include "TextTestSupport.h"

namespace {

constexpr uint32_t Red = 0xFF0000;

TRect CalcRect(TCanvas& c, const std::string& text, int width, unsigned flags)
{
    TRect r = Rect(3, 4, 3 + width, 4);
    const int height = c.DrawText(text, r, flags | DT_CALCRECT);
    EXPECT_EQ(height, r.Height()) << text;
    return r;
}

} // namespace

TEST(DrawTextMeasure, CalcRectGivesTheLinesAndTheWidestOfThem)
{
    TextBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    const int line = c.TextHeight("Wq");
    const auto w = [&](const char* s) { return c.TextWidth(s); };
    struct Case {
        std::string Text;
        int Width;
        unsigned Flags;
        int Right; // from the left edge
        int Lines;
    };
    const Case cases[] = {
        {"", 100, 0, 0, 1},
        {"one line", 10, 0, w("one line"), 1},
        {"first\nsecond\r\nthird\rfourth", 10, 0, w("second"), 4},
        {"ends with a break\n", 10, 0, w("ends with a break"), 1},
        {"blank\n\nline", 10, 0, w("blank"), 3},
        {"two\nlines", 10, DT_SINGLELINE, w("twolines"), 1},
        {"one two three four five six", w("one two three"), DT_WORDBREAK, w("one two three"), 2},
        {"one two three four five six", w("one two three") - 1, DT_WORDBREAK, w("three four"), 3},
        {"one two   \nthree", w("one two"), DT_WORDBREAK, w("one two"), 2},
        {"a supercalifragilistic b", 20, DT_WORDBREAK, w("supercalifragilistic"), 3},
        {"no wrap when single", 20, DT_WORDBREAK | DT_SINGLELINE, w("no wrap when single"), 1},
        {"&Close", 10, 0, w("Close"), 1},
        {"&Close", 10, DT_NOPREFIX, w("&Close"), 1},
        {"Fish && Chips", 10, 0, w("Fish & Chips"), 1},
        {"Fish && Chips", 10, DT_HIDEPREFIX, w("Fish & Chips"), 1},
    };
    for (const auto& k : cases) {
        const TRect r = CalcRect(c, k.Text, k.Width, k.Flags);
        EXPECT_EQ(r.Left, 3);
        EXPECT_EQ(r.Top, 4);
        EXPECT_EQ(r.Width(), k.Right) << k.Text;
        EXPECT_EQ(r.Height(), k.Lines * line) << k.Text;
    }
}

TEST(DrawTextMeasure, TabsExpandToEightAverageCharacters)
{
    TextBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    TFontUse use(*c.Font());
    const int stop = 8 * use.Metrics().AveCharWidth;
    ASSERT_GT(stop, 0);
    const int wide = c.TextWidth("wwwwwwwwwwwwwwwwwwww"); // past the first stop
    ASSERT_GT(wide, stop);
    EXPECT_EQ(CalcRect(c, "a\tb", 10, DT_EXPANDTABS).Width(), stop + c.TextWidth("b"));
    EXPECT_EQ(CalcRect(c, "\t\tb", 10, DT_EXPANDTABS).Width(), 2 * stop + c.TextWidth("b"));
    EXPECT_EQ(CalcRect(c, "wwwwwwwwwwwwwwwwwwww\tb", 10, DT_EXPANDTABS).Width(),
              (wide / stop + 1) * stop + c.TextWidth("b"));
    EXPECT_EQ(CalcRect(c, "a\tb", 10, 0).Width(), c.TextWidth("ab"));
}

TEST(DrawTextPlacement, AlignmentFlagsPlaceTheTextCell)
{
    const TRect box = Rect(10, 5, 190, 65);
    TextBitmap probe(10, 10);
    const TSize size = probe.Canvas().TextExtent("Change");
    struct Case {
        unsigned Flags;
        int Left, Top;
    };
    const Case cases[] = {
        {DT_SINGLELINE, box.Left, box.Top},
        {DT_SINGLELINE | DT_CENTER | DT_VCENTER, box.Left + (box.Width() - size.cx) / 2,
         box.Top + (box.Height() - size.cy) / 2},
        {DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, box.Right - size.cx, box.Bottom - size.cy},
        {DT_CENTER | DT_VCENTER, box.Left + (box.Width() - size.cx) / 2, box.Top}, // vertical needs a single line
    };
    for (const auto& k : cases) {
        TextBitmap b(200, 80);
        b.Canvas().Brush()->SetStyle(bsSolid);
        b.Canvas().Brush()->SetColor(clRed);
        TRect r = box;
        const int result = b.Canvas().DrawText("Change", r, k.Flags);
        EXPECT_EQ(r, box);
        EXPECT_EQ(b.BoundsOf(Red), Bounds(k.Left, k.Top, size.cx, size.cy)) << std::hex << k.Flags;
        EXPECT_EQ(b.InkBounds(), Bounds(k.Left, k.Top, size.cx, size.cy)) << std::hex << k.Flags;
        EXPECT_EQ(result, k.Top - box.Top + size.cy) << std::hex << k.Flags;
    }
}

TEST(DrawTextPlacement, WrappedLinesFollowEachOtherAndAreClipped)
{
    TextBitmap b(200, 80);
    TCanvas& c = b.Canvas();
    const int line = c.TextHeight("Wq");
    TRect r = Rect(10, 10, 10 + c.TextWidth("Change the"), 10 + line + line / 2);
    EXPECT_EQ(c.DrawText("Change the Clock Color", r, DT_WORDBREAK | DT_CENTER), 2 * line);
    // The second line shows its top half only, the rest of it is clipped.
    const TRect ink = b.InkBounds();
    EXPECT_TRUE(Contains(r, ink)) << ink;
    EXPECT_GT(ink.Bottom, 10 + line);

    TextBitmap unclipped(200, 80);
    TRect same = r;
    unclipped.Canvas().DrawText("Change the Clock Color", same, DT_WORDBREAK | DT_CENTER | DT_NOCLIP);
    EXPECT_GT(unclipped.InkBounds().Bottom, r.Bottom);
    EXPECT_TRUE(Contains(unclipped.InkBounds(), ink));
}

TEST(DrawTextPrefix, AmpersandUnderlinesTheNextCharacter)
{
    // "&x" draws x with an underline row exactly one advance wide; "&&" draws "&"
    // and underlines nothing; without prefixes or with hidden ones nothing is underlined.
    struct Case {
        const char* Text;
        unsigned Flags;
        const char* Shown;
        bool Underlined;
    };
    const Case cases[] = {
        {"a&xb", 0, "axb", true},
        {"a&&b", 0, "a&b", false},
        {"a&&&xb", 0, "a&xb", true},
        {"a&xb", DT_HIDEPREFIX, "axb", false},
        {"a&xb", DT_NOPREFIX, "a&xb", false},
        {"trailing&", 0, "trailing", false},
    };
    for (const auto& k : cases) {
        TextBitmap shown(120, 30), drawn(120, 30);
        TRect r = Rect(5, 5, 115, 25);
        drawn.Canvas().DrawText(k.Text, r, k.Flags | DT_SINGLELINE);
        shown.Canvas().TextOut(5, 5, k.Shown);
        // Apart from the underline, the same picture as the shown text.
        TRect diff{};
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 120; ++x)
                if (shown.Pixel(x, y) != drawn.Pixel(x, y)) diff = UnionRect(diff, Bounds(x, y, 1, 1));
        if (!k.Underlined) {
            EXPECT_EQ(diff, TRect{}) << k.Text;
            continue;
        }
        TextBitmap probe(10, 10);
        const std::string before = std::string(k.Shown).substr(0, std::string(k.Shown).find('x'));
        const int x = 5 + probe.Canvas().TextWidth(before);
        TFontUse use(*probe.Canvas().Font());
        const int top = 5 + use.Metrics().Ascent + use.Metrics().UnderlineOffset;
        EXPECT_EQ(diff, Rect(x, top, x + probe.Canvas().TextWidth("x"), top + use.Metrics().UnderlineThickness))
            << k.Text;
        EXPECT_EQ(drawn.InkInRow(top, x, x + probe.Canvas().TextWidth("x")), probe.Canvas().TextWidth("x"));
    }
}
