// Both clocks at a fixed time, pixel for pixel against the reviewed pictures
// in tests/golden/. A missing or differing picture fails; the actual picture
// is then written beside the build for review.
#include "classlib/system/DateUtils.h"
#include "classlib/system/SysUtils.h"
#include "tests/ledclock/LedClockFixture.h"
#include "tests/support/Golden.h"

#include <string>

namespace {

class LedClockGolden : public LedClockFixture {};

TEST_F(LedClockGolden, SaverClock)
{
    TDmLedClock& clock = MakeSaverClock();
    clock.SetTime(EncodeTime(17, 36, 15, 0));
    clock.Repaint();
    EXPECT_TRUE(MatchesGolden(ViewOf(ClockPicture(clock)), "ledclock_saver"));
}

TEST_F(LedClockGolden, PreviewClock)
{
    TDmLedClock& clock = MakePreviewClock();
    clock.SetTime(EncodeTime(9, 20, 40, 0));
    clock.Repaint();
    EXPECT_TRUE(MatchesGolden(ViewOf(ClockPicture(clock)), "ledclock_preview"));
}

}  // namespace
