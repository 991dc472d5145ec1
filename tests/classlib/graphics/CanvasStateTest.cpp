// Saved canvas states: restoring one brings back pen, brush, font, origin,
// clip, pen position and fill mode, and drops the states saved after it.
#include "tests/classlib/graphics/CanvasTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct TSnapshot {
    TColor PenColor;
    int PenWidth;
    TBrushStyle BrushStyle;
    TColor BrushColor;
    int FontHeight;
    TPoint Origin;
    TRect Clip;
    TPoint PenPos;
    TFillMode FillMode;
    bool operator==(const TSnapshot&) const = default;
};

TSnapshot Take(TCanvas& c)
{
    return {c.Pen()->Color(), c.Pen()->Width(), c.Brush()->Style(), c.Brush()->Color(), c.Font()->Height(),
            c.Origin(), c.DeviceClip(), c.PenPos(), c.FillMode()};
}

void Change(TCanvas& c, int step)
{
    c.Pen()->SetColor(TColor(0x010203 * step));
    c.Pen()->SetWidth(step + 1);
    c.Brush()->SetStyle(step % 2 ? bsClear : bsCross);
    c.Font()->SetHeight(-10 - step);
    c.SetOrigin({step, 2 * step});
    c.SetClipRect(Rect(0, 0, 10 + step, 10 + step));
    c.MoveTo(step, step);
    c.SetFillMode(step % 2 ? fmWinding : fmAlternate);
}

} // namespace

TEST(CanvasState, RestoreStateBringsBackWhatWasSaved)
{
    TBitmap bitmap;
    Paint(bitmap, 40, 40, 0);
    TCanvas& c = *bitmap.Canvas();
    const TSnapshot initial = Take(c);
    const int first = c.SaveState();
    Change(c, 1);
    const TSnapshot changed = Take(c);
    const int second = c.SaveState();
    Change(c, 2);
    ASSERT_NE(Take(c), changed);

    c.RestoreState(second);
    EXPECT_EQ(Take(c), changed);
    c.RestoreState(first);
    EXPECT_EQ(Take(c), initial);
    // Drawing after the restore uses the restored state: the whole surface.
    c.Brush()->SetColor(clRed);
    c.FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(CountOf(bitmap, 0xFF0000), 40 * 40);
}

TEST(CanvasState, RestoringAnEarlierStateDropsTheLaterOnes)
{
    TBitmap bitmap;
    Paint(bitmap, 20, 20, 0);
    TCanvas& c = *bitmap.Canvas();
    const int first = c.SaveState();
    Change(c, 1);
    const TSnapshot afterFirst = Take(c);
    const int second = c.SaveState();
    Change(c, 2);
    c.RestoreState(first);
    const TSnapshot restored = Take(c);
    c.RestoreState(second); // gone with the first restore: nothing changes
    EXPECT_EQ(Take(c), restored);
    EXPECT_NE(Take(c), afterFirst);
}
