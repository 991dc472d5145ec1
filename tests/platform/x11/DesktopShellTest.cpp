// Starting programs and opening files without waiting for them.
#include <gtest/gtest.h>

#include "platform/x11/DesktopShell.h"
#include "tests/support/TempFolder.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace velmora_test {
namespace {

namespace fs = std::filesystem;

class DesktopShellTest : public ::testing::Test {
protected:
    TTempFolder FTemp;
    fs::path FFolder{FTemp.Path()};
};

TEST_F(DesktopShellTest, CommandRunsInTheBackgroundWithItsQuotedArguments)
{
    const fs::path made = FFolder / "made by a command";
    platform::Error error;
    ASSERT_TRUE(platform::x11::RunDetached("touch '" + made.string() + "'", &error)) << error.text;
    for (int i = 0; i < 500 && !fs::exists(made); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(fs::exists(made));
}

TEST_F(DesktopShellTest, WhatCannotBeFoundIsReportedNotStarted)
{
    platform::Error error;
    EXPECT_FALSE(platform::x11::RunDetached("velmora-no-such-program --flag", &error));
    EXPECT_EQ(error.code, platform::kErrorFileNotFound);
    error = {};
    EXPECT_FALSE(platform::x11::RunDetached("", &error));
    EXPECT_EQ(error.code, platform::kErrorFileNotFound);
    error = {};
    EXPECT_FALSE(platform::x11::OpenWithDesktop((FFolder / "missing.htm").string(), &error));
    EXPECT_EQ(error.code, platform::kErrorFileNotFound);
    EXPECT_EQ(error.text, "The system cannot find the file specified.");
}

}  // namespace
}  // namespace velmora_test
