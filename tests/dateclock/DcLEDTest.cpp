// The digit renderer: segment geometry, the unlit cell, painting and measuring.
#include "classlib/system/Exceptions.h"
#include "dateclock/DcBevel.h"
#include "dateclock/DcLED.h"
#include "DcTestPixels.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// The renderer as the saver uses it: 13 x 21 cells, one-pixel segments.
void UseSaverSizes(TDcLED& led)
{
    led.SetHorzsize(8);
    led.SetVertsize(7);
    led.SetThickness(1);
}

// What one outline lights when drawn the way PaintLED draws lit segments.
TPixelSet DrawOutline(const TDcSegmentOutline& outline, int width, int height)
{
    auto bitmap = BlankBitmap(width, height, clBlack);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Pen()->SetColor(clRed);
    canvas->Brush()->SetColor(clRed);
    canvas->Polygon(outline.data(), static_cast<int>(outline.size()));
    return PixelsOf(*bitmap, clRed);
}

struct TSaverSegment {
    TDcLEDLights Segment;
    enum { Line, Block } Kind;
    int X0, Y0, X1, Y1;
};

// Every segment of the saver's cell: a line between two ends, or a block.
const TSaverSegment SaverCell[] = {
    {llTop, TSaverSegment::Line, 2, 1, 10, 1},
    {llTopLeft, TSaverSegment::Line, 1, 2, 1, 9},
    {llTopRight, TSaverSegment::Line, 11, 2, 11, 9},
    {llMiddle, TSaverSegment::Line, 2, 10, 10, 10},
    {llBottomLeft, TSaverSegment::Line, 1, 11, 1, 18},
    {llBottomRight, TSaverSegment::Line, 11, 11, 11, 18},
    {llBottom, TSaverSegment::Line, 2, 19, 10, 19},
    {llInTopMiddle, TSaverSegment::Line, 6, 2, 6, 9},
    {llInBottomMiddle, TSaverSegment::Line, 6, 11, 6, 18},
    {llInTopLeft, TSaverSegment::Line, 6, 9, 3, 3},
    {llInTopRight, TSaverSegment::Line, 8, 9, 11, 3},
    {llInBottomLeft, TSaverSegment::Line, 6, 12, 3, 18},
    {llInBottomRight, TSaverSegment::Line, 8, 12, 11, 18},
    {llPointMiddle, TSaverSegment::Block, 5, 9, 6, 10},
    {llPointTop, TSaverSegment::Block, 5, 0, 6, 1},
    {llPointBottom, TSaverSegment::Block, 5, 18, 6, 19},
};

class SaverCellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseSaverSizes(led);
        led.SetInActiveColor(clBlack);
        led.SetActiveColor(clRed);
        for (int j = 0; j < DcSegmentCount; ++j)
            segmentPixels[j] = DrawOutline(led.Segment(static_cast<TDcLEDLights>(j)), 13, 21);
    }

    TPixelSet Expected(TDcLEDSET mask) const
    {
        TPixelSet set;
        for (int j = 0; j < DcSegmentCount; ++j)
            if (mask.Contains(static_cast<TDcLEDLights>(j))) set = Union(set, segmentPixels[j]);
        return set;
    }

    TDcLED led;
    TPixelSet segmentPixels[DcSegmentCount];
};

TEST_F(SaverCellTest, EverySegmentLightsItsPixels)
{
    ASSERT_EQ(led.GetWidth(), 13);
    ASSERT_EQ(led.GetHeight(), 21);
    for (const TSaverSegment& s : SaverCell) {
        SCOPED_TRACE("segment " + std::to_string(s.Segment));
        const TPixelSet& lit = segmentPixels[s.Segment];
        if (s.Kind == TSaverSegment::Block || s.X0 == s.X1 || s.Y0 == s.Y1)
            EXPECT_EQ(lit, StraightLine(s.X0, s.Y0, s.X1, s.Y1)) << Describe(lit);
        else
            ExpectSteepLine(lit, s.X0, s.Y0, s.X1, s.Y1);
        // The outer columns never light; the outer rows only for the top dot.
        for (auto [x, y] : lit) {
            EXPECT_TRUE(x != 0 && x != 12 && y != 20) << x << "," << y;
            if (y == 0) {
                EXPECT_EQ(s.Segment, llPointTop);
            }
        }
    }
}

// Every printable character lights exactly the segments of its pattern, in
// its own cell, over a cell that shows no unlit segment at these sizes.
TEST_F(SaverCellTest, PaintLightsEachCharactersPattern)
{
    for (int ch = 32; ch < 127; ++ch) {
        SCOPED_TRACE("character " + std::to_string(ch));
        auto bitmap = BlankBitmap(40, 30, clWhite);
        const std::string text = std::string("-") + static_cast<char>(ch);
        led.PaintLED(bitmap->Canvas(), Rect(2, 3, 2, 3), text, true, true);
        const TPixelSet second = Shifted(Expected(CharLights(static_cast<unsigned char>(ch))), 2 + 13, 3);
        EXPECT_EQ(PixelsOf(*bitmap, clRed), Union(Shifted(Expected(CharLights('-')), 2, 3), second));
        // The two cells cover 26 x 21 pixels from the rectangle's corner, nothing else.
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                const bool inside = x >= 2 && x < 28 && y >= 3 && y < 24;
                if (inside != (PixelAt(*bitmap, x, y) != ColorToPixel(clWhite))) FAIL() << x << "," << y;
            }
    }
}

TEST_F(SaverCellTest, CarriageReturnStartsARowAndLineFeedIsIgnored)
{
    auto lit = [&](const std::string& text) {
        auto bitmap = BlankBitmap(60, 50, clBlack);
        led.PaintLED(bitmap->Canvas(), Rect(3, 2, 4, 3), text, true, true);
        return PixelsOf(*bitmap, clRed);
    };
    const TPixelSet one = Expected(CharLights('1')), two = Expected(CharLights('2'));
    EXPECT_EQ(lit("1\r2"), Union(Shifted(one, 3, 2), Shifted(two, 3, 2 + 21)));
    EXPECT_EQ(led.RowsSeen(), 2);
    EXPECT_EQ(led.ColumnsSeen(), 1);
    EXPECT_EQ(lit("1\n2"), lit("12"));
    EXPECT_EQ(led.RowsSeen(), 1);
    EXPECT_EQ(led.ColumnsSeen(), 2);

    led.PaintLED(nullptr, TRect(), "12\r345\r", false, false);
    EXPECT_EQ(led.RowsSeen(), 3);
    EXPECT_EQ(led.ColumnsSeen(), 3);
    EXPECT_EQ(led.LastText(), "12\r345\r");
}

TEST_F(SaverCellTest, MeasuresTexts)
{
    EXPECT_EQ(led.CalcBoundsRect("12:00", 0), Rect(0, 0, 66, 21));
    EXPECT_EQ(led.CalcBoundsRect("12:00", 2), Rect(0, 0, 70, 25));
    // An empty text is one row of one column.
    EXPECT_EQ(led.CalcBoundsRect("", 0), Rect(0, 0, 14, 21));
    // A character of several bytes takes one cell.
    EXPECT_EQ(led.CalcBoundsRect("Mi\xC3\xA9", 0), Rect(0, 0, 3 * 13 + 1, 21));

    auto bitmap = BlankBitmap(80, 30, clWhite);
    led.PaintLED(bitmap->Canvas(), Rect(0, 0, 0, 0), "12:00", true, true);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x)
            if ((x < 65 && y < 21) != (PixelAt(*bitmap, x, y) != ColorToPixel(clWhite))) FAIL() << x << "," << y;
}

TEST_F(SaverCellTest, FlashingAlternatesStartingBlankAndMeasuringToggles)
{
    auto litCount = [&] {
        auto bitmap = BlankBitmap(13, 21, clBlack);
        led.PaintLED(bitmap->Canvas(), Rect(0, 0, 13, 21), "8", true, true);
        return PixelsOf(*bitmap, clRed).size();
    };
    const size_t eight = litCount();
    ASSERT_GT(eight, 0u);
    led.BeginFlash();
    EXPECT_EQ(litCount(), 0u);
    led.PaintLED(nullptr, TRect(), "8", true, false);
    EXPECT_EQ(litCount(), 0u);
    EXPECT_EQ(litCount(), eight);
    int changes = 0;
    led.OnChange = [&](TObject*) { ++changes; };
    led.EndFlash();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(litCount(), eight);
    EXPECT_EQ(litCount(), eight);
}

TEST_F(SaverCellTest, DisabledOwnerShowsUnlitCellsOnlyWithDisabledDigits)
{
    auto litCount = [&](bool enabled) {
        auto bitmap = BlankBitmap(13, 21, clBlack);
        led.PaintLED(bitmap->Canvas(), Rect(0, 0, 13, 21), "8", enabled, true);
        return PixelsOf(*bitmap, clRed).size();
    };
    EXPECT_EQ(litCount(false), 0u);
    led.SetDisabledDigits(false);
    EXPECT_EQ(litCount(false), litCount(true));
}

// The unlit cell is a checker of the unlit colour (where x + y is even) and
// the background; at one-pixel thickness only the dots have area, and of
// those only the middle dot's pixel falls on the unlit colour.
TEST(DcLEDUnlitCell, CheckerAtSaverSizesLeavesOnlyTheMiddleDot)
{
    TDcLED led;
    UseSaverSizes(led);
    led.SetColor(2, clBlue);
    led.SetInActiveColor(clLime);
    EXPECT_EQ(PixelsOf(*led.CellBitmap(), clLime), (TPixelSet{{5, 9}}));
    EXPECT_EQ(PixelsOf(*led.CellBitmap(), clBlue).size(), 13u * 21u - 1u);

    // The checker belongs to the cell: an odd offset moves it with the cell.
    auto bitmap = BlankBitmap(26, 21, clWhite);
    led.PaintLED(bitmap->Canvas(), Rect(0, 0, 26, 21), "  ", true, true);
    EXPECT_EQ(PixelsOf(*bitmap, clLime), (TPixelSet{{5, 9}, {18, 9}}));
}

TEST(DcLEDUnlitCell, CheckerAtInitialSizes)
{
    TDcLED led;
    led.SetInActiveColor(clRed);
    ASSERT_EQ(led.GetWidth(), 19);
    ASSERT_EQ(led.GetHeight(), 28);
    const TPixelSet unlit = PixelsOf(*led.CellBitmap(), clRed);
    ASSERT_FALSE(unlit.empty());
    for (auto [x, y] : unlit) EXPECT_EQ((x + y) % 2, 0) << x << "," << y;
    // Inside the top bar the checker alternates.
    EXPECT_TRUE(unlit.count({6, 2}));
    EXPECT_EQ(PixelAt(*led.CellBitmap(), 7, 2), ColorToPixel(clBlack));
}

TEST(DcLEDGeometry, OutlinesAtInitialSizes)
{
    TDcLED led;
    led.CreateBmp();
    using O = TDcSegmentOutline;
    EXPECT_EQ(led.Segment(llTop), (O{{{4, 3}, {5, 2}, {14, 2}, {15, 3}, {14, 4}, {5, 4}}}));
    EXPECT_EQ(led.Segment(llTopLeft), (O{{{3, 4}, {4, 5}, {4, 12}, {3, 13}, {2, 12}, {2, 5}}}));
    EXPECT_EQ(led.Segment(llInTopLeft), (O{{{7, 11}, {6, 11}, {5, 7}, {5, 6}, {6, 6}, {7, 10}}}));
    EXPECT_EQ(led.Segment(llPointMiddle), (O{{{9, 12}, {9, 14}, {7, 14}, {7, 12}, {7, 12}, {7, 12}}}));
}

// The right diagonals start Round(1.5 T) + T div 2 right of the left ones,
// halves rounding to the even neighbour.
TEST(DcLEDGeometry, RightDiagonalsOffsetByThickness)
{
    const struct {
        uint8_t Thickness;
        int Offset;
    } cases[] = {{1, 2}, {2, 4}, {3, 5}, {5, 10}, {7, 13}};
    for (const auto& c : cases) {
        TDcLED led;
        led.SetThickness(c.Thickness);
        led.CreateBmp();
        EXPECT_EQ(led.Segment(llInTopRight)[0].X - led.Segment(llInTopLeft)[0].X, c.Offset) << int(c.Thickness);
        EXPECT_EQ(led.Segment(llInBottomRight)[0].X - led.Segment(llInBottomLeft)[0].X, c.Offset) << int(c.Thickness);
    }
}

// Below four pixels of bar length only the seven classic segments light,
// while the unlit cell still shows every outline.
TEST(DcLEDGeometry, SmallSizesLoseTheInnerSegments)
{
    for (auto [horz, vert] : {std::pair{3, 7}, std::pair{9, 3}}) {
        TDcLED led;
        led.SetHorzsize(static_cast<uint8_t>(horz));
        led.SetVertsize(static_cast<uint8_t>(vert));
        auto litCount = [&](const std::string& text) {
            auto bitmap = BlankBitmap(led.GetWidth(), led.GetHeight(), clBlack);
            led.PaintLED(bitmap->Canvas(), Rect(0, 0, 1, 1), text, true, true);
            return PixelsOf(*bitmap, clLime).size();
        };
        for (const char* text : {"1", "I", "X", "/", ".", ":", "*"}) EXPECT_EQ(litCount(text), 0u) << text;
        EXPECT_GT(litCount("8"), 0u);
        // "B" keeps only its classic segments, which are those of "3".
        EXPECT_EQ(litCount("B"), litCount("3"));
    }
    TDcLED narrow;
    narrow.SetHorzsize(3);
    // (5, 9) lies inside the inner top middle bar only.
    EXPECT_EQ(PixelAt(*narrow.CellBitmap(), 5, 9), ColorToPixel(clGreen));
}

struct TSetterCase {
    const char* Name;
    void (*Apply)(TDcLED&);
    int Changes;
    bool Rebuilt;
};

TEST(DcLEDSetters, StoreOnlyChangesAndRebuildOnUnknownIndex)
{
    const TSetterCase cases[] = {
        {"same active colour", [](TDcLED& l) { l.SetColor(0, clLime); }, 0, false},
        {"new active colour", [](TDcLED& l) { l.SetColor(0, clRed); }, 1, true},
        {"same background", [](TDcLED& l) { l.SetColor(2, 0); }, 0, false},
        {"colour index 3", [](TDcLED& l) { l.SetColor(3, clRed); }, 1, true},
        {"same Horzsize", [](TDcLED& l) { l.SetByte(1, 9); }, 0, false},
        {"new Vertsize", [](TDcLED& l) { l.SetByte(3, 5); }, 1, true},
        {"size index 0", [](TDcLED& l) { l.SetByte(0, 5); }, 1, true},
        {"same DisabledDigits", [](TDcLED& l) { l.SetEnabled(true); }, 0, false},
        {"new DisabledDigits", [](TDcLED& l) { l.SetEnabled(false); }, 1, false},
    };
    for (const TSetterCase& c : cases) {
        TDcLED led;
        int changes = 0;
        led.OnChange = [&](TObject* sender) {
            EXPECT_EQ(sender, &led);
            ++changes;
        };
        c.Apply(led);
        EXPECT_EQ(changes, c.Changes) << c.Name;
        EXPECT_EQ(!led.CellBitmap()->Empty(), c.Rebuilt) << c.Name;
    }
    TDcLED led;
    led.SetColor(3, clRed);
    led.SetByte(0, 1);
    EXPECT_EQ(led.ActiveColor(), clLime);
    EXPECT_EQ(led.InActiveColor(), clGreen);
    EXPECT_EQ(led.BackColor(), 0);
    EXPECT_EQ(led.Horzsize(), 9);
    EXPECT_EQ(led.Thickness(), 2);
    EXPECT_EQ(led.Vertsize(), 7);
}

TEST(DcLEDSetters, AssignCopiesAllButTheBackground)
{
    TDcLED source;
    source.SetActiveColor(clRed);
    source.SetInActiveColor(clBlack);
    source.SetHorzsize(8);
    source.SetVertsize(6);
    source.SetThickness(1);
    source.SetDisabledDigits(false);
    source.SetColor(2, clBlue);
    TDcLED led;
    int changes = 0;
    led.OnChange = [&](TObject*) { ++changes; };
    led.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(led.ActiveColor(), clRed);
    EXPECT_EQ(led.InActiveColor(), clBlack);
    EXPECT_EQ(led.Horzsize(), 8);
    EXPECT_EQ(led.Vertsize(), 6);
    EXPECT_EQ(led.Thickness(), 1);
    EXPECT_FALSE(led.DisabledDigits());
    EXPECT_EQ(led.BackColor(), 0);
    EXPECT_EQ(led.CellBitmap()->Width(), 13);

    TDcBevel bevel;
    EXPECT_THROW(led.Assign(&bevel), EConvertError);
    EXPECT_EQ(changes, 1);
}

// The character table, written by segment names so it is checked against
// the masks the renderer holds.
TEST(DcLEDCharLights, OneTableOverAllCodes)
{
    const std::map<std::string, TDcLEDSET> patterns = {
        {"0", {llTop, llTopLeft, llTopRight, llBottomLeft, llBottomRight, llBottom, llInTopLeft, llInBottomRight}},
        {"1Ii", {llInTopMiddle, llInBottomMiddle}},
        {"2", {llTop, llTopRight, llMiddle, llBottomLeft, llBottom}},
        {"3", {llTop, llTopRight, llMiddle, llBottomRight, llBottom}},
        {"4", {llTopLeft, llTopRight, llMiddle, llBottomRight}},
        {"5Ss", {llTop, llTopLeft, llMiddle, llBottomRight, llBottom}},
        {"6Gg", {llTop, llTopLeft, llMiddle, llBottomLeft, llBottomRight, llBottom}},
        {"7", {llTop, llTopRight, llBottomRight}},
        {"8", {llTop, llTopLeft, llTopRight, llMiddle, llBottomLeft, llBottomRight, llBottom}},
        {"9", {llTop, llTopLeft, llTopRight, llMiddle, llBottomRight, llBottom}},
        {"Aa", {llTop, llTopLeft, llTopRight, llMiddle, llBottomLeft, llBottomRight}},
        {"Bb", {llTop, llTopRight, llMiddle, llBottomRight, llBottom, llInTopMiddle, llInBottomMiddle}},
        {"Cc[", {llTop, llTopLeft, llBottomLeft, llBottom}},
        {"Dd", {llTop, llTopRight, llBottomRight, llBottom, llInTopMiddle, llInBottomMiddle}},
        {"Ee", {llTop, llTopLeft, llMiddle, llBottomLeft, llBottom}},
        {"Ff", {llTop, llTopLeft, llMiddle, llBottomLeft}},
        {"Hh", {llTopLeft, llTopRight, llMiddle, llBottomLeft, llBottomRight}},
        {"Jj", {llTopRight, llBottomLeft, llBottomRight, llBottom}},
        {"Kk", {llTopLeft, llMiddle, llBottomLeft, llInTopRight, llInBottomRight}},
        {"Ll", {llTopLeft, llBottomLeft, llBottom}},
        {"Mm", {llTopLeft, llTopRight, llBottomLeft, llBottomRight, llInTopLeft, llInTopRight}},
        {"Nn", {llTopLeft, llTopRight, llBottomLeft, llBottomRight, llInTopLeft, llInBottomRight}},
        {"Oo", {llTop, llTopLeft, llTopRight, llBottomLeft, llBottomRight, llBottom}},
        {"Pp", {llTop, llTopLeft, llTopRight, llMiddle, llBottomLeft}},
        {"Qq", {llTop, llTopLeft, llTopRight, llBottomLeft, llBottomRight, llBottom, llInBottomRight}},
        {"Rr", {llTop, llTopLeft, llTopRight, llMiddle, llBottomLeft, llInBottomRight}},
        {"Tt", {llTop, llInTopMiddle, llInBottomMiddle}},
        {"Uu", {llTopLeft, llTopRight, llBottomLeft, llBottomRight, llBottom}},
        {"Vv", {llTopLeft, llBottomLeft, llInTopRight, llInBottomLeft}},
        {"Ww", {llTopLeft, llTopRight, llBottomLeft, llBottomRight, llInBottomLeft, llInBottomRight}},
        {"Xx", {llInTopLeft, llInTopRight, llInBottomLeft, llInBottomRight}},
        {"Yy", {llInBottomMiddle, llInTopLeft, llInTopRight}},
        {"Zz", {llTop, llBottom, llInTopRight, llInBottomLeft}},
        {"-", {llMiddle}},
        {"_", {llBottom}},
        {"=", {llMiddle, llBottom}},
        {"+", {llMiddle, llInTopMiddle, llInBottomMiddle}},
        {"*", {llInTopMiddle, llInBottomMiddle, llInTopLeft, llInTopRight, llInBottomLeft, llInBottomRight}},
        {"/", {llInTopRight, llInBottomLeft}},
        {"\\", {llInTopLeft, llInBottomRight}},
        {"(<", {llInTopRight, llInBottomRight}},
        {")>", {llInTopLeft, llInBottomLeft}},
        {"]", {llTop, llTopRight, llBottomRight, llBottom}},
        {".", {llPointBottom}},
        {":", {llPointMiddle, llPointBottom}},
        {"'", {llInTopMiddle}},
        {"\"", {llTopLeft, llInTopMiddle}},
    };
    TDcLEDSET expected[256];
    for (const auto& [characters, set] : patterns)
        for (char c : characters) expected[static_cast<unsigned char>(c)] = set;
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(CharLights(static_cast<unsigned char>(code)).ToBits(), expected[code].ToBits()) << "code " << code;
    // A few masks as written in the table of patterns.
    EXPECT_EQ(CharLights('0').ToBits(), 0x1277);
    EXPECT_EQ(CharLights(':').ToBits(), 0xA000);
    EXPECT_EQ(CharLights('k').ToBits(), 0x141A);
}

} // namespace
