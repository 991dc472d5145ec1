// Both clocks at a fixed time, pixel for pixel against the reviewed pictures
// in tests/golden/. A missing or differing picture fails; the actual picture
// is then written beside the build for review.
#include "classlib/graphics/PngImage.h"
#include "classlib/system/DateUtils.h"
#include "classlib/system/SysUtils.h"
#include "tests/ledclock/LedClockFixture.h"

#include <iomanip>
#include <sstream>
#include <string>

namespace {

std::string Hex(uint32_t pixel)
{
    std::ostringstream text;
    text << "0x" << std::hex << std::setw(6) << std::setfill('0') << pixel;
    return text.str();
}

::testing::AssertionResult MatchesGolden(const TPixelSurface& picture, const std::string& name)
{
    const std::string golden = std::string(VELMORA_SOURCE_DIR) + "/tests/golden/" + name + ".png";
    const std::string actual = std::string(VELMORA_BINARY_DIR) + "/" + name + ".actual.png";
    if (!FileExists(golden)) {
        SavePng(picture, actual);
        return ::testing::AssertionFailure() << "no golden picture " << golden << "; the actual one is " << actual;
    }
    TBitmap expected;
    LoadPng(golden, expected);
    if (expected.Width() != picture.Width || expected.Height() != picture.Height) {
        SavePng(picture, actual);
        return ::testing::AssertionFailure() << "size " << picture.Width << " x " << picture.Height << ", golden "
                                             << expected.Width() << " x " << expected.Height() << "; actual in " << actual;
    }
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x)
            if (picture.Row(y)[x] != expected.ScanLine(y)[x]) {
                SavePng(picture, actual);
                return ::testing::AssertionFailure() << "first difference at (" << x << ", " << y << "): actual "
                                                     << Hex(picture.Row(y)[x]) << ", golden "
                                                     << Hex(expected.ScanLine(y)[x]) << "; actual in " << actual;
            }
    return ::testing::AssertionSuccess();
}

class LedClockGolden : public LedClockFixture {};

TEST_F(LedClockGolden, SaverClock)
{
    TDmLedClock& clock = MakeSaverClock();
    clock.SetTime(EncodeTime(17, 36, 15, 0));
    clock.Repaint();
    EXPECT_TRUE(MatchesGolden(ClockPicture(clock), "ledclock_saver"));
}

TEST_F(LedClockGolden, PreviewClock)
{
    TDmLedClock& clock = MakePreviewClock();
    clock.SetTime(EncodeTime(9, 20, 40, 0));
    clock.Repaint();
    EXPECT_TRUE(MatchesGolden(ClockPicture(clock), "ledclock_preview"));
}

}  // namespace
