// The date line on the saver, pixel for pixel against its golden picture.
#include "classlib/graphics/PngImage.h"
#include "classlib/system/Exceptions.h"
#include "DcSaverFixture.h"
#include "DcTestPixels.h"

#include <cstdlib>
#include <filesystem>

namespace {

// Saves the picture under a fresh temporary folder and returns its path.
std::string SaveActual(const TBitmap& bitmap, const char* name)
{
    std::string folder = (std::filesystem::temp_directory_path() / "velmora-dateclock-XXXXXX").string();
    if (!mkdtemp(folder.data())) return "(could not save the actual picture)";
    const std::string path = folder + "/" + name;
    SavePng(bitmap.Surface(), path);
    return path;
}

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

    const std::string golden = std::string(VELMORA_SOURCE_DIR) + "/tests/golden/dateclock_date_line.png";
    TBitmap expected;
    try {
        LoadPng(golden, expected);
    } catch (const Exception& e) {
        FAIL() << "golden picture " << golden << " unreadable (" << e.Message()
               << "); actual picture saved as " << SaveActual(actual, "dateclock_date_line.png");
    }
    const ::testing::AssertionResult same = SameBitmaps(expected, actual);
    if (!same) FAIL() << same.message() << "; actual picture saved as " << SaveActual(actual, "dateclock_date_line.png");
}

} // namespace
