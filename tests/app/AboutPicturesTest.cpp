// The About page's pictures as the program finds them among its resources:
// the icon as a bitmap that the page's transparent image keys out around its
// rounded square, the banner as a JPEG of the size its panel expects.
#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/JpegImage.h"
#include "classlib/system/Streams.h"

#include <gtest/gtest.h>

namespace {

TEST(AboutPictures, IconShowsOnlyItsRoundedSquareWhenTransparent)
{
    TBitmap icon;
    icon.LoadFromResourceName("ABOUTICON");
    ASSERT_EQ(icon.Width(), 48);
    ASSERT_EQ(icon.Height(), 48);
    // The see-through colour is the bottom-left pixel: the page's white.
    EXPECT_EQ(icon.TransparentColor(), clWhite);

    constexpr uint32_t grey = 0x808080;
    TBitmap page(48, 48);
    page.Canvas()->Brush()->SetColor(TColor(grey));
    page.Canvas()->FillRect({0, 0, 48, 48});
    icon.SetTransparent(true);
    page.Canvas()->Draw(0, 0, &icon);
    for (const TPoint corner : {TPoint{0, 0}, TPoint{47, 0}, TPoint{0, 47}, TPoint{47, 47}, TPoint{3, 3}})
        EXPECT_EQ(page.ScanLine(corner.Y)[corner.X] & 0xFFFFFF, grey) << corner.X << ", " << corner.Y;
    // Inside the square: the dark face and, at its centre, a red dot.
    const uint32_t face = page.ScanLine(30)[20] & 0xFFFFFF, centre = page.ScanLine(24)[24] & 0xFFFFFF;
    EXPECT_LT((face >> 16) + ((face >> 8) & 0xFF) + (face & 0xFF), 3u * 0x30) << std::hex << face;
    EXPECT_GT(centre >> 16, 2 * ((centre >> 8) & 0xFF)) << std::hex << centre;
}

TEST(AboutPictures, BannerIsAJpegOfThePanelsSize)
{
    TResourceStream stream("ABOUTBANNER", "RCDATA");
    TJPEGImage banner;
    banner.LoadFromStream(stream);
    EXPECT_EQ(banner.Width(), 275);
    EXPECT_EQ(banner.Height(), 67);
    EXPECT_FALSE(banner.Grayscale());
}

}  // namespace
