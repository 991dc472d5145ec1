// The date line on the saver, pixel for pixel against its golden picture.
#include "DcSaverFixture.h"
#include "DcTestPixels.h"
#include "tests/support/Golden.h"

#include <cstdlib>
#include <filesystem>

namespace {

// Saves the picture under a fresh temporary folder and returns its path.
TEST_F(DateLineTest, MatchesTheGoldenPicture)
{
    ShowAndSettle();
    ASSERT_EQ(form->Clock->GetDigitalText(), "Thu 4/26/2012");
    const TRect area = form->Clock->BoundsRect();
    ASSERT_EQ(area, Bounds(80, 205, 169, 21));
    TBitmap actual(area.Width(), area.Height());
    for (int y = 0; y < area.Height(); ++y)
        for (int x = 0; x < area.Width(); ++x)
            actual.ScanLine(y)[x] = hp.WindowPixel(hp.TopWindow(), area.Left + x, area.Top + y);

    EXPECT_TRUE(MatchesGolden(ViewOf(actual), "dateclock_date_line"));
}

} // namespace
