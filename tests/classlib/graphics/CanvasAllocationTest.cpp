// A frame of the LED clock draws about 190 small ellipses plus fills, copies
// and a few polygons; none of that may touch the heap. Counts every global
// allocation of this test binary while a frame's worth of drawing runs.
#include "tests/classlib/graphics/CanvasTestSupport.h"

#include <gtest/gtest.h>

#include "tests/support/CountingAllocator.h"

TEST(CanvasAllocation, AFrameOfDrawingAllocatesNothing)
{
    TBitmap frame, offscreen, pattern;
    Paint(frame, 353, 345, 0);
    Paint(offscreen, 353, 345, 0);
    Paint(pattern, 8, 8, 0x00FF00);
    TCanvas& c = *offscreen.Canvas();
    c.Pen()->SetColor(clRed);
    c.Brush()->SetColor(clWhite);
    const TPoint segment[] = {Point(2, 1), Point(3, 0), Point(12, 0), Point(13, 1), Point(12, 2), Point(3, 2)};

    const long before = CountingAllocator::Total();
    c.Brush()->SetColor(clBlack);
    c.FillRect(Rect(0, 0, 353, 345));
    c.Brush()->SetColor(clRed);
    for (int i = 0; i < 190; ++i) c.Ellipse(i, i % 50, i + 7, i % 50 + 6);
    for (int i = 0; i < 12; ++i) c.Ellipse(10 * i, 300, 10 * i + 4, 304);
    for (int i = 0; i < 16; ++i) c.Polygon(segment, 6);
    c.Brush()->SetBitmap(&pattern);
    c.Rectangle(20, 20, 60, 50);
    c.Brush()->SetBitmap(nullptr);
    c.MoveTo(0, 0);
    c.LineTo(352, 344);
    c.BrushCopy(Rect(0, 0, 100, 100), &pattern, Rect(0, 0, 8, 8), clBlack);
    frame.Canvas()->CopyRect(Rect(0, 0, 353, 345), &c, Rect(0, 0, 353, 345));
    frame.Canvas()->Draw(10, 10, &pattern);
    EXPECT_EQ(CountingAllocator::Total() - before, 0);
}
