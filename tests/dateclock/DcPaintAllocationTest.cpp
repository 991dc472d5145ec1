// A steady date line allocates nothing per paint. Every allocation of this
// test binary is counted.
#include "classlib/controls/ControlRegistry.h"
#include "DcSaverFixture.h"
#include "tests/support/CountingAllocator.h"

namespace {

TEST_F(DateLineTest, SteadyPaintsAllocateNothing)
{
    const long atStart = CountingAllocator::Total();
    ShowAndSettle();
    ASSERT_GT(CountingAllocator::Total() - atStart, 0) << "the counter sees the allocations of showing the form";
    TDcClock& clock = *form->Clock;
    // Warm up: the first ticks size the bitmaps and take the contexts.
    for (int i = 0; i < 3; ++i) {
        clock.OnTimer(nullptr);
        FreeDeviceContexts();
    }
    const long before = CountingAllocator::Total();
    for (int i = 0; i < 20; ++i) {
        clock.OnTimer(nullptr);
        FreeDeviceContexts();
    }
    EXPECT_EQ(CountingAllocator::Total() - before, 0) << "allocations in 20 ticks of the date line";

    // The same through the message loop: the timer's message, the paint, the present.
    const long beforeLoop = CountingAllocator::Total();
    for (int i = 0; i < 5; ++i) Run(1000);
    EXPECT_EQ(CountingAllocator::Total() - beforeLoop, 0) << "allocations in 5 seconds of the running saver";
}

} // namespace
