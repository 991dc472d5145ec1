// Bitmap sizes beyond the dimension or pixel caps are refused before any
// allocation, and the bitmap keeps its pixels.
#include "classlib/system/Exceptions.h"
#include "tests/classlib/graphics/CanvasTestSupport.h"

#include <gtest/gtest.h>

#include <utility>

TEST(BitmapSize, SizesOutOfRangeAreRefusedAndTheBitmapKept)
{
    TBitmap bitmap(3, 2);
    bitmap.Canvas()->SetPixels(2, 1, clRed);
    for (const auto& [width, height] : {std::pair{-1, 5}, std::pair{5, -1}, std::pair{32769, 1},
                                        std::pair{32768, 32768}, std::pair{8193, 8192}}) {
        EXPECT_THROW(bitmap.SetSize(width, height), EInvalidGraphic) << width << " x " << height;
        EXPECT_EQ(bitmap.Width(), 3);
        EXPECT_EQ(bitmap.Height(), 2);
        EXPECT_EQ(bitmap.Canvas()->Pixels(2, 1), clRed);
    }
    bitmap.SetSize(32768, 1);
    EXPECT_EQ(bitmap.Width(), 32768);
}
