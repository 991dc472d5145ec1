// The real executable under Xvfb: the saver covers the screen with exactly
// the picture the headless backend draws for the same time, hides the
// pointer and ends with exit code 0 on each way out; the preview draws into
// a window made here and ends when that window goes.
#include "classlib/forms/Application.h"
#include "tests/app/VelmoraSession.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/PixelCompare.h"
#include "tests/support/TempFolder.h"
#include "tests/support/XDisplayProbe.h"
#include "tests/support/XvfbServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr const char* kFrozenTime = "2012-04-26 17:36:15";

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FVelmora = std::string(VELMORA_BINARY_DIR) + "/velmora";
        if (!std::filesystem::exists(FVelmora)) GTEST_SKIP() << "no " << FVelmora << " (build the velmora target)";
        if (!HaveProgram("Xvfb") || !HaveProgram("xdotool") || !HaveProgram("faketime"))
            GTEST_SKIP() << "Xvfb, xdotool and faketime are needed (scripts/setup installs them)";
        ASSERT_TRUE(FServer.Start(120, kScreenWidth, kScreenHeight, true)) << FServer.Failure();
        FProbe = std::make_unique<TXDisplayProbe>(FServer.DisplayName());
        ASSERT_TRUE(FProbe->Connected());
        // Centred, so that the picture does not depend on how fast the saver runs.
        std::filesystem::create_directories(FConfig / "velmora");
        WriteText(FConfig / "velmora/HKEY_LOCAL_MACHINE.reg",
                  "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quorvex\\Screensaver]\n\"Style\"=dword:00000000\n");
    }
    // Asks velmora itself (not the faketime wrapper around it) to terminate.
    void Terminate(TChildProcess& wrapper)
    {
        const pid_t program = wrapper.FirstChild();
        ASSERT_GT(program, 0);
        kill(program, SIGTERM);
    }
    // Starts velmora with the wall clock frozen at kFrozenTime.
    void StartVelmora(TChildProcess& child, const std::vector<std::string>& arguments)
    {
        std::vector<std::string> argv{"faketime", "-f", kFrozenTime, FVelmora};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        ASSERT_TRUE(child.Spawn(argv, {{"DISPLAY", FServer.DisplayName()},
                                       {"XDG_CONFIG_HOME", FConfig.Path()},
                                       {"TZ", "UTC"},
                                       {"LC_ALL", "C"},
                                       {"FAKETIME_DONT_FAKE_MONOTONIC", "1"},
                                       {"ASAN_OPTIONS", "verify_asan_link_order=0:detect_leaks=0"}}));
    }
    std::vector<uint32_t> ReadScreen() { return FProbe->Read(FProbe->Root(), kScreenWidth, kScreenHeight); }
    // Waits until the saver's black covers the screen's corners.
    bool AwaitSaver(TChildProcess& child, int timeoutMs = 10000)
    {
        const long long end = SteadyMs() + timeoutMs;
        while (SteadyMs() < end && child.Running()) {
            const std::vector<uint32_t> corner = FProbe->Read(FProbe->Root(), 8, 8);
            if (!corner.empty() && std::all_of(corner.begin(), corner.end(), [](uint32_t p) { return p == 0; }))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    int Xdotool(const std::vector<std::string>& arguments)
    {
        std::vector<std::string> argv{"xdotool"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        TChildProcess tool;
        if (!tool.Spawn(argv, {{"DISPLAY", FServer.DisplayName()}})) return -1;
        return tool.WaitExit(10000).value_or(-1);
    }

    std::string FVelmora;
    velmora_test::XvfbServer FServer;
    TTempFolder FConfig;
    std::unique_ptr<TXDisplayProbe> FProbe;
};

// The headless picture of the centred saver at the frozen time.
std::vector<uint32_t> HeadlessSaverFrame()
{
    TVelmoraSession session;
    session.Platform.SetScreenSize(kScreenWidth, kScreenHeight);
    session.Platform.SetLocalTime(2012, 4, 26, 17, 36, 15);
    session.WriteStyle(0);
    platform::HeadlessPlatform::ScreenImage screen;
    session.Run({"/s"}, [&] {
        session.AfterEachPass([&](int) {
            screen = session.Platform.ComposeScreen();
            Application->Terminate();
        });
    });
    return screen.pixels;
}

}  // namespace

TEST_F(EndToEndTest, TheSaverShowsTheHeadlessPictureAndHidesThePointer)
{
    const std::vector<uint32_t> expected = HeadlessSaverFrame();
    ASSERT_EQ(expected.size(), static_cast<size_t>(kScreenWidth) * kScreenHeight);
    TChildProcess velmora;
    StartVelmora(velmora, {"/s"});
    ASSERT_TRUE(AwaitSaver(velmora));
    std::string difference = "not read";
    const long long end = SteadyMs() + 10000;
    while (SteadyMs() < end && !(difference = FirstDifference(ViewOf(expected, kScreenWidth), ViewOf(ReadScreen(), kScreenWidth), "headless", "server")).empty())
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(difference, "");

    // Hidden from the start, where the pointer happens to be (over the clock),
    // and over the black area after a move.
    EXPECT_EQ(FProbe->VisiblePointerPixels(), 0) << "the pointer shows before it has moved";
    ASSERT_EQ(Xdotool({"mousemove", "40", "40"}), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(FProbe->VisiblePointerPixels(), 0) << "the pointer shows over the black area";

    Terminate(velmora);
    EXPECT_EQ(velmora.WaitExit(5000), std::optional<int>(0));
}

TEST_F(EndToEndTest, EveryWayOutEndsTheSaverWithExitCodeZero)
{
    struct Case {
        const char* Name;
        std::vector<std::vector<std::string>> Before;  // xdotool runs that must leave it running
        std::vector<std::string> Exit;                 // the xdotool run that ends it
    };
    std::vector<std::vector<std::string>> tenMoves;
    for (int i = 0; i < 10; ++i) tenMoves.push_back({"mousemove", std::to_string(20 + 7 * i), "30"});
    const Case cases[] = {
        {"key", {}, {"key", "a"}},
        {"click", {}, {"mousemove", "10", "10", "click", "1"}},
        {"wheel", {}, {"click", "5"}},
        {"eleventh move", tenMoves, {"mousemove", "200", "30"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TChildProcess velmora;
        StartVelmora(velmora, {"/s"});
        ASSERT_TRUE(AwaitSaver(velmora));
        for (const auto& run : c.Before) ASSERT_EQ(Xdotool(run), 0);
        if (!c.Before.empty()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            EXPECT_TRUE(velmora.Running());
        }
        ASSERT_EQ(Xdotool(c.Exit), 0);
        EXPECT_EQ(velmora.WaitExit(5000), std::optional<int>(0));
    }
}

TEST_F(EndToEndTest, ThePreviewDrawsIntoTheGivenWindowAndEndsWithIt)
{
    struct Case {
        const char* Name;
        bool Hexadecimal;
        bool DestroyParent;  // else SIGTERM
    };
    const Case cases[] = {{"decimal id, parent destroyed", false, true}, {"hexadecimal id, terminated", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const uint64_t box = FProbe->CreateWindow(100, 100, 152, 112);
        char id[32];
        std::snprintf(id, sizeof id, c.Hexadecimal ? "0x%lx" : "%lu", static_cast<unsigned long>(box));
        TChildProcess velmora;
        StartVelmora(velmora, {"/p", id});

        // Filled black edge to edge, with the red clock on it.
        bool drawn = false;
        const long long end = SteadyMs() + 10000;
        while (!drawn && SteadyMs() < end && velmora.Running()) {
            const std::vector<uint32_t> pixels = FProbe->Read(box, 152, 112);
            const int red = static_cast<int>(std::count(pixels.begin(), pixels.end(), 0xFF0000u));
            drawn = pixels.size() == 152u * 112u && pixels.front() == 0 && pixels.back() == 0 && pixels[151] == 0 &&
                    pixels[151u * 112u] == 0 && red > 50;
            if (!drawn) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        EXPECT_TRUE(drawn);

        if (c.DestroyParent)
            FProbe->DestroyWindow(box);
        else
            Terminate(velmora);
        EXPECT_EQ(velmora.WaitExit(5000), std::optional<int>(0));
        if (!c.DestroyParent) FProbe->DestroyWindow(box);
    }
}
