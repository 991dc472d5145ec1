// The main function of every test binary: the shared headless backend is
// installed, then the tests run.
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

platform::HeadlessPlatform& TestPlatform()
{
    static platform::HeadlessPlatform headless;
    return headless;
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    platform::SetPlatform(&TestPlatform());
    return RUN_ALL_TESTS();
}
