// The clock's steady state allocates nothing: this binary counts every
// allocation, here those of the calling thread.
#include "tests/ledclock/LedClockFixture.h"
#include "tests/support/CountingAllocator.h"

namespace {

class LedClockAllocation : public LedClockFixture {};

// Allocations made on this thread by body.
template <typename TBody>
long AllocationsOf(TBody&& body)
{
    const long before = CountingAllocator::OnThisThread();
    body();
    return CountingAllocator::OnThisThread() - before;
}

TEST_F(LedClockAllocation, TicksAndPaintsAllocateNothingOnceRunning)
{
    TDmLedClock& clock = MakeSaverClock();
    clock.SetActive(true);
    RunFor(3000);  // warm up: canvases, glyph rows, the loop's buffers

    long ticks = 0, paints = 0;
    for (int i = 0; i < 300; ++i) {
        Headless.AdvanceClock(1000);
        ticks += AllocationsOf([&] { clock.OnTimerEvent(&clock); });
        paints += AllocationsOf([&] { clock.Repaint(); });
    }
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(paints, 0);

    // The whole main loop, ticks handed over from the worker included.
    EXPECT_EQ(AllocationsOf([&] { RunFor(120000); }), 0);
    EXPECT_EQ(clock.Minutes(), 43);  // 17:36:15 plus 423 seconds: it did tick
}

}  // namespace
