// The saver's idle pass (motion step, paint and present) allocates nothing
// once it runs steadily, on any thread. This test binary counts every allocation.
#include "classlib/forms/Application.h"
#include "tests/app/VelmoraSession.h"

#include <gtest/gtest.h>

#include "tests/support/CountingAllocator.h"

TEST(SaverAllocationTest, ThousandIdlePassesAllocateNothing)
{
    for (const auto& [width, height] : {std::pair{1920, 1080}, std::pair{640, 480}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        TVelmoraSession session;
        session.Platform.SetScreenSize(width, height);
        constexpr int kWarmUp = 200;
        constexpr int kCounted = 1000;
        long allocations = -1, before = 0;
        session.Run({"/s"}, [&] {
            session.AfterEachPass([&](int pass) {
                if (pass == kWarmUp) {
                    before = CountingAllocator::Total();
                } else if (pass == kWarmUp + kCounted) {
                    allocations = CountingAllocator::Total() - before;
                    Application->Terminate();
                }
            });
        }, 120000);
        EXPECT_EQ(allocations, 0);
    }
}
