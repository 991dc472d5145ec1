// A form of the class library looks the same on a real X server as on the
// headless backend, pixel for pixel.
#include "tests/platform/x11/DemoForm.h"
#include "tests/platform/x11/X11TestSupport.h"
#include "tests/support/PixelCompare.h"
#include "tests/support/TestPlatform.h"

#include <algorithm>
#include <set>

namespace velmora_test {
namespace {

using X11DemoFormTest = X11Test;

TEST_F(X11DemoFormTest, FrameEqualsTheHeadlessBackendsFrame)
{
    const std::vector<uint32_t> expected = HeadlessDemoFrame();
    // The comparison means something only if the form drew its parts.
    ASSERT_GT(std::set<uint32_t>(expected.begin(), expected.end()).size(), 5u);
    EXPECT_NE(std::count(expected.begin(), expected.end(), 0xFF0000u), 0) << "no disc";
    const int width = kDemoFormBounds.width(), height = kDemoFormBounds.height();
    platform::SetPlatform(FPlatform.get());
    std::vector<uint32_t> shown;
    {
        DemoFormRun run;
        const Window id = static_cast<Window>(run.NativeWindow());
        ASSERT_NE(id, 0u);
        EXPECT_TRUE(AwaitMapState(id, true));
        for (int i = 0; i < 20; ++i) {
            run.ProcessMessages();
            FPlatform->Sleep(5);
        }
        EXPECT_EQ(ScreenOrigin(id), (platform::Point{kDemoFormBounds.left, kDemoFormBounds.top}));
        shown = ReadBack(id, width, height);
    }
    platform::SetPlatform(&TestPlatform());
    EXPECT_TRUE(SamePixels(ViewOf(expected, width), ViewOf(shown, width), "headless", "X server"));
}

}  // namespace
}  // namespace velmora_test
