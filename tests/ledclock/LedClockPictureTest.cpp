// The LED clock's picture as the real control draws it into its off-screen
// bitmap: both worked clocks, the seconds arc, the text and its slant.
#include "classlib/system/DateUtils.h"
#include "ledclock/LedLayout.h"
#include "tests/ledclock/LedClockFixture.h"
#include "tests/support/PixelCompare.h"

#include <climits>

namespace {

class LedClockPicture : public LedClockFixture {
protected:
    void Show(TDmLedClock& clock, int hours, int minutes, int seconds)
    {
        clock.SetTime(EncodeTime(hours, minutes, seconds, 0));
        clock.Repaint();
    }
};

TEST_F(LedClockPicture, SaverClockElementsSitInTheirBoxes)
{
    TDmLedClock& clock = MakeSaverClock();
    Show(clock, 23, 36, 59);
    const TPixelSurface& picture = ClockPicture(clock);

    const TPoint marks[12] = {{176, 322}, {101, 302}, {46, 247}, {26, 172}, {46, 97},  {101, 42},
                              {176, 22},  {251, 42},  {306, 97}, {326, 172}, {306, 247}, {251, 302}};
    for (const TPoint& c : marks) {
        const TRect box(c.X - 2, c.Y - 2, c.X + 2, c.Y + 2);
        EXPECT_EQ(LitBounds(picture, InflateRect(box, 1, 1)), box) << "hour mark at " << c.X << ", " << c.Y;
    }
    const TPoint dots[] = {{176, 28}, {191, 29}, {206, 31}, {220, 35}, {235, 40}, {320, 172}, {176, 316}, {32, 172}};
    for (const TPoint& c : dots) {
        const TRect box(c.X - 2, c.Y - 2, c.X + 2, c.Y + 2);
        EXPECT_EQ(LitBounds(picture, InflateRect(box, 1, 1)), box) << "seconds dot at " << c.X << ", " << c.Y;
    }
    // The colon's upper dot alone, then both.
    EXPECT_EQ(LitBounds(picture, TRect(158, 150, 175, 162)), TRect(162, 155, 169, 161));
    EXPECT_EQ(LitBounds(picture, TRect(158, 150, 175, 175)), TRect(162, 155, 169, 168));
    // '2' has bit 4 in its top row: the first character's row 0 starts at 67.
    EXPECT_EQ(LitBounds(picture, TRect(55, 130, 100, 140)).TopLeft(), TPoint(67, 134));
    EXPECT_EQ(LitBounds(picture, TRect(55, 130, 100, 140)).Bottom, 140);
}

TEST_F(LedClockPicture, DotBoxesOf8888)
{
    TDmLedClock& clock = MakeSaverClock();
    clock.SetHourMarks(false);
    clock.SetSecondsIndicator(false);
    Show(clock, 0, 0, 0);
    // '8' holds every dot of '0', so drawing it over "00:00" gives 88:88.
    for (int32_t reference : {101, 156, 228, 283}) clock.PaintLed(reference, 134, '8');
    EXPECT_EQ(LitBounds(ClockPicture(clock), TRect(0, 0, 353, 345)), TRect(56, 134, 283, 196));
}

TEST_F(LedClockPicture, PreviewClockElements)
{
    TDmLedClock& clock = MakePreviewClock();
    ASSERT_EQ(clock.Width(), 152);
    ASSERT_EQ(clock.Height(), 112);
    Show(clock, 9, 20, 59);
    const TPixelSurface& picture = ClockPicture(clock);
    const TPoint marks[12] = {{76, 96}, {56, 91},  {41, 76},  {36, 56},  {41, 36},  {56, 21},
                              {76, 16}, {96, 21},  {111, 36}, {116, 56}, {111, 76}, {96, 91}};
    for (const TPoint& c : marks) {
        const TRect box(c.X - 1, c.Y - 1, c.X + 1, c.Y + 1);
        EXPECT_EQ(LitBounds(picture, InflateRect(box, 1, 1)), box) << "hour mark at " << c.X << ", " << c.Y;
    }
    // Seconds dots, with the half-way cases of the odd radius 37 at 25 and 35.
    for (const TPoint& c : {TPoint{76, 19}, TPoint{113, 56}, TPoint{94, 88}, TPoint{57, 88}, TPoint{39, 56}}) {
        const TRect box(c.X - 1, c.Y - 1, c.X + 1, c.Y + 1);
        EXPECT_EQ(LitBounds(picture, InflateRect(box, 1, 1)), box) << "seconds dot at " << c.X << ", " << c.Y;
    }
    // The text: "09:20" from X 58, Y 48 with 2 x 1 dots; '0' row 0 is .XXXX.,
    // its bit 4 box at 58 - 1 - 8 = 49.
    EXPECT_EQ(LitBounds(picture, TRect(44, 46, 60, 49)), TRect(49, 48, 57, 49));
}

TEST_F(LedClockPicture, SecondsArcGrowsFromOneDotToSixty)
{
    TDmLedClock& clock = MakeSaverClock();
    clock.SetHourMarks(false);
    const TLedRing ring = LedRingGeometry(353, 345, 2, 2);
    for (int seconds : {0, 1, 30, 59}) {
        Show(clock, 12, 0, seconds);
        int shown = 0;
        for (int s = 0; s < SecondsDotCount; ++s) shown += IsLit(ClockPicture(clock), SecondsDotCentre(ring, s));
        EXPECT_EQ(shown, seconds + 1) << "at second " << seconds;
        EXPECT_TRUE(IsLit(ClockPicture(clock), {176, 28})) << "dot 0 at 12 o'clock";
    }
}

TEST_F(LedClockPicture, IndicatorsCanBeSwitchedOff)
{
    TDmLedClock& clock = MakeSaverClock();
    const TLedRing ring = LedRingGeometry(353, 345, 2, 2);
    const auto count = [&](auto centre, int n) {
        int lit = 0;
        for (int i = 0; i < n; ++i) lit += IsLit(ClockPicture(clock), centre(ring, i));
        return lit;
    };
    clock.SetSecondsIndicator(false);
    Show(clock, 12, 0, 59);
    EXPECT_EQ(count(SecondsDotCentre, 60), 0);
    EXPECT_EQ(count(HourMarkCentre, 12), 12);
    clock.SetSecondsIndicator(true);
    clock.SetHourMarks(false);
    clock.Repaint();
    EXPECT_EQ(count(SecondsDotCentre, 60), 60);
    EXPECT_EQ(count(HourMarkCentre, 12), 0);
}

TEST_F(LedClockPicture, TwelveHourFormatDrawsTheMappedHour)
{
    TDmLedClock& clock = MakeSaverClock();
    const struct {
        int hours;
        int shownAs;
    } cases[] = {{0, 0}, {12, 12}, {13, 1}, {23, 11}, {11, 11}};
    for (const auto& c : cases) {
        clock.SetHourFormat(hfmt24h);
        Show(clock, c.shownAs, 5, 0);
        const auto expected = CopyPicture(clock);
        clock.SetHourFormat(hfmt12h);
        Show(clock, c.hours, 5, 0);
        EXPECT_TRUE(SamePixels(ViewOf(expected->Surface()), ViewOf(ClockPicture(clock)))) << "hour " << c.hours;
        EXPECT_EQ(clock.Hours(), c.hours);
    }
}

TEST_F(LedClockPicture, NoSlantAtZeroOrNinetyDegrees)
{
    TDmLedClock& clock = MakeSaverClock();
    clock.SetTextAngle(0);
    Show(clock, 11, 11, 0);
    // '1' is its rightmost column only: unslanted, every row's box starts at X - 6.
    EXPECT_EQ(LitBounds(ClockPicture(clock), TRect(80, 130, 110, 200)), TRect(95, 134, 102, 196));
    const auto upright = CopyPicture(clock);
    clock.SetTextAngle(90);
    clock.Repaint();
    EXPECT_TRUE(SamePixels(ViewOf(upright->Surface()), ViewOf(ClockPicture(clock))));
    clock.SetTextAngle(5);
    clock.Repaint();
    EXPECT_FALSE(SamePixels(ViewOf(upright->Surface()), ViewOf(ClockPicture(clock))));
}

TEST_F(LedClockPicture, NarrowClockClipsTheText)
{
    TDmLedClock& clock = MakeSaverClock();
    clock.SetBounds(0, 0, 200, 345);  // T = 270: the text starts at half of -70 + 35 + 25 = 25
    clock.SetHourMarks(false);
    clock.SetSecondsIndicator(false);
    Show(clock, 8, 8, 0);
    ASSERT_EQ(ClockPicture(clock).Width, 200);
    // The first '0' spans 25 - 41 - slant .. 26: its left column is cut off at 0.
    const TRect lit = LitBounds(ClockPicture(clock), TRect(0, 0, 200, 345));
    EXPECT_EQ(lit.Left, 0);
    EXPECT_EQ(lit.Right, 200);
}

TEST_F(LedClockPicture, AbsurdSettingsDrawWithoutFault)
{
    TDmLedClock& clock = MakeSaverClock();
    const struct {
        int ledSize, spacing, secWidth, tickWidth, angle, offset;
    } cases[] = {
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MIN, INT_MIN, INT_MIN, 1, INT_MIN, INT_MIN},
        {-1, -50, -3, 1, 90, 0},
        {0, 0, 0, 1, -89, -1000000},
        {40, 8, 200, 300, 89, 0},
    };
    for (const auto& c : cases) {
        clock.SetLedSize(c.ledSize);
        clock.SetSpacing(c.spacing);
        clock.SetSecWidth(c.secWidth);
        clock.SetTickWidth(c.tickWidth);
        clock.SetTextAngle(c.angle);
        clock.SetTextOffsetX(c.offset);
        clock.SetTextOffsetY(c.offset);
        Show(clock, 23, 59, 59);
        EXPECT_EQ(ClockPicture(clock).Width, 353);
    }
}

TEST_F(LedClockPicture, PaintCopiesThePictureToTheScreen)
{
    TDmLedClock& clock = MakeSaverClock();
    Show(clock, 17, 36, 15);
    const platform::WindowId window = Headless.TopWindow();
    ASSERT_NE(window, 0u);
    const TPixelSurface& picture = ClockPicture(clock);
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x)
            ASSERT_EQ(Headless.WindowPixel(window, x, y), picture.Row(y)[x]) << x << ", " << y;
}

}  // namespace

namespace {

TEST_F(LedClockPicture, BackgroundIsStretchedWithColourKeyedOut)
{
    TDmLedClock& clock = MakeSaverClock();
    clock.Parent()->SetColor(clGreen);
    TBitmap background(2, 1);
    background.Canvas()->SetPixels(0, 0, clBlue);
    background.Canvas()->SetPixels(1, 0, clBlack);  // the clock's Color: keyed out
    clock.SetBackground(&background);
    background.Canvas()->SetPixels(0, 0, clYellow);  // the clock keeps its own copy
    App->ProcessMessages();
    clock.Repaint();
    EXPECT_EQ(ClockPicture(clock).Row(0)[0], 0x0000FFu);
    EXPECT_EQ(ClockPicture(clock).Row(344)[175], 0x0000FFu);
    EXPECT_EQ(ClockPicture(clock).Row(0)[352], 0x000000u);  // replaced by the solid brush, Color

    clock.SetTransparent(true);  // keyed pixels now show what lies beneath
    App->ProcessMessages();
    EXPECT_EQ(ClockPicture(clock).Row(0)[0], 0x0000FFu);
    EXPECT_EQ(ClockPicture(clock).Row(0)[352], 0x008000u);
    EXPECT_EQ(ClockPicture(clock).Row(344)[177], 0x008000u);
}

}  // namespace
