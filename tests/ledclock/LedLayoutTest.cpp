// Where the LED clock puts its elements: both worked clocks (the saver's
// 353 x 345 and a 152 x 112 preview), the time text and the font.
#include "ledclock/LedGlyphs.h"
#include "ledclock/LedLayout.h"
#include "ledclock/LedNumerics.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TDmLedClockLook SaverLook()
{
    TDmLedClockLook look;
    look.Width = 353;
    look.Height = 345;
    look.LedSize = 6;
    look.Spacing = 20;
    look.TextOffsetX = 25;
    look.TextOffsetY = -10;
    look.TextAngle = 5;
    return look;
}

TDmLedClockLook PreviewLook()
{
    TDmLedClockLook look;
    look.Width = 152;
    look.Height = 112;
    look.LedSize = 1;
    look.Spacing = 2;
    look.SecWidth = 1;
    look.TickWidth = 1;
    return look;
}

TLedRing RingOf(const TDmLedClockLook& look)
{
    return LedRingGeometry(look.Width, look.Height, look.SecWidth, look.TickWidth);
}

TEST(LedLayout, SaverRing)
{
    const TLedRing ring = RingOf(SaverLook());
    EXPECT_EQ(ring.CentreX, 176);
    EXPECT_EQ(ring.CentreY, 172);
    EXPECT_EQ(ring.TickRadius, 150);
    EXPECT_EQ(ring.SecondsRadius, 144);
    const TPoint marks[12] = {{176, 322}, {101, 302}, {46, 247}, {26, 172}, {46, 97},  {101, 42},
                              {176, 22},  {251, 42},  {306, 97}, {326, 172}, {306, 247}, {251, 302}};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(HourMarkCentre(ring, i), marks[i]) << "mark " << i;
    EXPECT_EQ(DotBox(marks[0], 2), TRect(174, 320, 178, 324));
    const struct {
        int s;
        TPoint centre;
    } dots[] = {{0, {176, 28}},  {1, {191, 29}},  {2, {206, 31}},  {3, {220, 35}},
                {4, {235, 40}},  {15, {320, 172}}, {30, {176, 316}}, {45, {32, 172}}};
    for (const auto& d : dots) EXPECT_EQ(SecondsDotCentre(ring, d.s), d.centre) << "dot " << d.s;
}

TEST(LedLayout, PreviewRingWithItsOddSecondsRadius)
{
    const TLedRing ring = RingOf(PreviewLook());
    EXPECT_EQ(ring.CentreX, 76);
    EXPECT_EQ(ring.CentreY, 56);
    EXPECT_EQ(ring.TickRadius, 40);
    EXPECT_EQ(ring.SecondsRadius, 37);
    const TPoint marks[12] = {{76, 96}, {56, 91},  {41, 76},  {36, 56},  {41, 36},  {56, 21},
                              {76, 16}, {96, 21},  {111, 36}, {116, 56}, {111, 76}, {96, 91}};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(HourMarkCentre(ring, i), marks[i]) << "mark " << i;
    const struct {
        int s;
        TPoint centre;
    } dots[] = {{0, {76, 19}}, {15, {113, 56}}, {25, {94, 88}}, {35, {57, 88}}, {45, {39, 56}}};
    for (const auto& d : dots) EXPECT_EQ(SecondsDotCentre(ring, d.s), d.centre) << "dot " << d.s;
}

TEST(LedLayout, TextOfBothClocks)
{
    const TLedTextLayout saver = LedTextLayout(SaverLook());
    EXPECT_EQ(saver.CharWidth, 35);
    EXPECT_EQ(saver.CharHeight, 56);
    EXPECT_EQ(saver.TotalWidth, 270);
    EXPECT_EQ(saver.StartX, 101);
    EXPECT_EQ(saver.Y, 134);
    int32_t references[LedTimeTextLength];
    LedCharacterReferences(saver, 20, 6, {'1', '7', ':', '3', '6'}, references);
    const int32_t expected[LedTimeTextLength] = {101, 156, 184, 228, 283};
    for (int p = 0; p < LedTimeTextLength; ++p) EXPECT_EQ(references[p], expected[p]) << "character " << p;

    const TLedTextLayout preview = LedTextLayout(PreviewLook());
    EXPECT_EQ(preview.CharWidth, 10);
    EXPECT_EQ(preview.CharHeight, 16);
    EXPECT_EQ(preview.TotalWidth, 55);
    EXPECT_EQ(preview.StartX, 58);
    EXPECT_EQ(preview.Y, 48);
}

TEST(LedLayout, NarrowerThanTheTextHalvesTowardZero)
{
    TDmLedClockLook look = SaverLook();
    look.Width = 267;  // 267 - 270 = -3, half of which is -1
    EXPECT_EQ(LedTextLayout(look).StartX, -1 + 35 + 25);
    look.Height = 53;  // 53 - 56 = -3
    EXPECT_EQ(LedTextLayout(look).Y, -1 - 10);
}

TEST(LedLayout, TimeText)
{
    const struct {
        int hours, minutes;
        TDmHourFormat format;
        const char* expected;
    } cases[] = {
        {0, 0, hfmt24h, "00:00"},  {9, 5, hfmt24h, "09:05"},  {23, 59, hfmt24h, "23:59"},
        {0, 9, hfmt12h, "00:09"},  {12, 30, hfmt12h, "12:30"}, {13, 1, hfmt12h, "01:01"},
        {23, 10, hfmt12h, "11:10"}, {11, 0, hfmt12h, "11:00"},
    };
    for (const auto& c : cases) {
        char text[LedTimeTextLength];
        FormatLedTime(c.hours, c.minutes, c.format, text);
        EXPECT_EQ(std::string(text, LedTimeTextLength), c.expected) << c.hours << ":" << c.minutes;
    }
}

// The dot boxes of a whole time text, as the saver clock lays it out.
TRect SpanOfText(const TDmLedClockLook& look, const char (&text)[LedTimeTextLength])
{
    const TLedTextLayout layout = LedTextLayout(look);
    int32_t references[LedTimeTextLength];
    LedCharacterReferences(layout, look.Spacing, look.LedSize, text, references);
    TRect span;
    for (int p = 0; p < LedTimeTextLength; ++p)
        for (int row = 0; row < LedGlyphRows; ++row)
            for (int column = 0; column < LedGlyphColumns; ++column)
                if (LedGlyphRow(text[p], row) & (1 << column))
                    span = UnionRect(span, LedDotBox(references[p], layout.Y, look.LedSize, row, column,
                                                     SlantOffset(row * look.LedSize, look.TextAngle)));
    return span;
}

TEST(LedLayout, SaverDotBoxes)
{
    const TDmLedClockLook look = SaverLook();
    const auto slant = [&](int row) { return SlantOffset(row * look.LedSize, look.TextAngle); };
    // The colon's two dots, column bit 2 of rows 3 and 4.
    EXPECT_EQ(LedDotBox(184, 134, 6, 3, 2, slant(3)), TRect(162, 155, 169, 161));
    EXPECT_EQ(LedDotBox(184, 134, 6, 4, 2, slant(4)), TRect(162, 162, 169, 168));
    // Bit 4 of the first character's top row.
    EXPECT_EQ(LedDotBox(101, 134, 6, 0, 4, slant(0)), TRect(67, 134, 74, 140));
    // 88:88 spans x 56 to 283: the rightmost column is empty in row 0 and every
    // lower row is slanted left by at least one pixel.
    EXPECT_EQ(SpanOfText(look, {'8', '8', ':', '8', '8'}), TRect(56, 134, 283, 196));
}

TEST(LedGlyphs, TableMatchesTheDrawnGlyphs)
{
    // Rows top to bottom of '0' to '9' and ':', X a dot, leftmost column first.
    const char* drawn[LedGlyphRows] = {
        ".XXXX. .....X .XXXX. .XXXX. X....X .XXXX. .XXXX. .XXXX. .XXXX. .XXXX. ......",
        "X....X .....X .....X .....X X....X X..... X..... .....X X....X X....X ......",
        "X....X .....X .....X .....X X....X X..... X..... .....X X....X X....X ......",
        "X....X .....X .....X .....X X....X X..... X..... .....X X....X X....X ...X..",
        "X....X ...... .XXXX. .XXXX. .XXXX. .XXXX. .XXXX. ...... .XXXX. .XXXX. ...X..",
        "X....X .....X X..... .....X .....X .....X X....X .....X X....X .....X ......",
        "X....X .....X X..... .....X .....X .....X X....X .....X X....X .....X ......",
        "X....X .....X X..... .....X .....X .....X X....X .....X X....X .....X ......",
        ".XXXX. .....X .XXXX. .XXXX. .....X .XXXX. .XXXX. .....X .XXXX. .XXXX. ......",
    };
    for (int glyph = 0; glyph < LedGlyphCount; ++glyph)
        for (int row = 0; row < LedGlyphRows; ++row) {
            uint8_t expected = 0;
            for (int column = 0; column < LedGlyphColumns; ++column)
                if (drawn[row][glyph * 7 + column] == 'X') expected |= static_cast<uint8_t>(0x20 >> column);
            EXPECT_EQ(LedGlyphRow(static_cast<char>('0' + glyph), row), expected) << "glyph " << glyph << " row " << row;
        }
    EXPECT_EQ(LedGlyphRow('A', 0), 0);
    EXPECT_EQ(LedGlyphRow('8', 9), 0);
}

}  // namespace
