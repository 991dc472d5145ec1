// TransparentCopyRect: CopyRect, 1:1 or stretched, without the pixels of one colour.
#include "tests/classlib/graphics/CanvasTestSupport.h"

#include <gtest/gtest.h>

TEST(CanvasTransparentCopy, LeavesOutTheTransparentColourAtAnySize)
{
    constexpr uint32_t Magenta = 0xFF00FF, Red = 0xFF0000, Black = 0;
    TBitmap source;
    Paint(source, 2, 2, Red);
    source.ScanLine(0)[1] = Magenta;
    struct TCase {
        const char* Name;
        TRect Dest;
        TColor Transparent;
        uint32_t TopRight;  // the destination pixel the magenta source pixel lands on
        TPoint At;
    } const cases[] = {
        {"1:1", Rect(0, 0, 2, 2), clFuchsia, Black, {1, 0}},
        {"stretched", Rect(0, 0, 4, 4), clFuchsia, Black, {3, 1}},
        {"clNone keeps every pixel", Rect(0, 0, 2, 2), clNone, Magenta, {1, 0}},
        {"another colour", Rect(0, 0, 2, 2), clBlue, Magenta, {1, 0}},
    };
    for (const auto& c : cases) {
        TBitmap dest;
        Paint(dest, 4, 4, Black);
        dest.Canvas()->TransparentCopyRect(c.Dest, source.Canvas(), Rect(0, 0, 2, 2), c.Transparent);
        EXPECT_EQ(At(dest, c.At.X, c.At.Y), c.TopRight) << c.Name;
        EXPECT_EQ(At(dest, 0, c.Dest.Height() - 1), Red) << c.Name;
    }
}
