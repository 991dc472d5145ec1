// The preview window through the real entry point: parented to the given
// window and sized like it, the forms of the window id, the failures, and
// what ends it.
#include "app/Unit3.h"
#include "classlib/forms/Application.h"
#include "dateclock/DcPanels.h"
#include "ledclock/DmLedClock.h"
#include "tests/app/VelmoraSession.h"

#include <gtest/gtest.h>

namespace {

struct TPreviewLook {
    TRect Client;
    TRect Panel;
    TRect Clock;
    platform::WindowParams Native;
    int RedPixels = 0;
};

// The preview as it looks once its first frame is on the screen.
TPreviewLook Look(TVelmoraSession& session)
{
    TPreviewLook look;
    look.Client = Preview->ClientRect();
    look.Panel = Preview->DcBackPanel1->BoundsRect();
    look.Clock = Preview->DmLedClock1->BoundsRect();
    const platform::WindowId window = session.MainWindow();
    look.Native = session.Platform.Window(window)->params;
    for (int y = 0; y < look.Native.bounds.height(); ++y)
        for (int x = 0; x < look.Native.bounds.width(); ++x)
            if (session.Platform.WindowPixel(window, x, y) == 0xFF0000) ++look.RedPixels;
    return look;
}

}  // namespace

TEST(PreviewTest, TheWindowIdInAnyNumberFormParentsThePreviewAndGivesItsSize)
{
    for (const char* id : {"6699", "0x1A2B", "$1A2B", "  6699", "x1a2b"}) {
        SCOPED_TRACE(id);
        TVelmoraSession session;
        session.Platform.CreateForeignWindow(6699, {300, 200, 452, 312});
        TPreviewLook look;
        HWND parent = 0;
        const TRunResult run = session.Run({"/p", id}, [&] {
            parent = Preview->ParentHandle;
            session.At(50, [&] {
                look = Look(session);
                Application->Terminate();
            });
        });
        EXPECT_TRUE(run.Boxes.empty());
        EXPECT_EQ(parent, 6699u);
        EXPECT_EQ(look.Client, TRect(0, 0, 152, 112));
        EXPECT_EQ(look.Panel, TRect(0, 0, 152, 112));
        EXPECT_EQ(look.Clock, TRect(0, 0, 152, 112));
        EXPECT_EQ(look.Native.kind, platform::WindowKind::Child);
        EXPECT_EQ(look.Native.parent, 6699u);
        EXPECT_EQ(look.Native.bounds, (platform::Rect{0, 0, 152, 112}));
        EXPECT_GT(look.RedPixels, 50);  // the small clock, in its initial red
    }
}

TEST(PreviewTest, AMissingOrBadIdShowsTheErrorAndAStandAlonePreview)
{
    struct Case {
        std::vector<std::string> Arguments;
        std::string Box;
    };
    const Case cases[] = {
        {{"/p"}, "'' is not a valid integer value."},
        {{"/p", "12ab"}, "'12ab' is not a valid integer value."},
        {{"/p", "99999999999"}, "'99999999999' is not a valid integer value."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Box);
        TVelmoraSession session;
        TPreviewLook look;
        const TRunResult run = session.Run(c.Arguments, [&] {
            session.At(50, [&] {
                look = Look(session);
                Application->Terminate();
            });
        });
        EXPECT_TRUE(run.LoopStarted);
        EXPECT_EQ(run.Boxes, std::vector<std::string>{c.Box});
        EXPECT_EQ(look.Native.kind, platform::WindowKind::Popup);
        EXPECT_EQ(look.Native.bounds, (platform::Rect{0, 0, 157, 108}));
        EXPECT_EQ(look.Clock, TRect(0, 0, 157, 108));
        EXPECT_GT(look.RedPixels, 50);
        EXPECT_EQ(run.ExitCode, 0);
    }
}

TEST(PreviewTest, AnIdThatIsNoWindowIsReportedTwiceAndEndsTheProgram)
{
    TVelmoraSession session;
    const TRunResult run = session.Run({"/p", "4711"});
    EXPECT_FALSE(run.LoopStarted);
    EXPECT_EQ(run.ExitCode, 0);
    ASSERT_EQ(run.Boxes.size(), 2u);
    EXPECT_EQ(run.Boxes[0], run.Boxes[1]);
    EXPECT_EQ(run.Boxes[0].rfind("System Error.  Code: 1400.", 0), 0u) << run.Boxes[0];
    EXPECT_EQ(Preview, nullptr);
}

TEST(PreviewTest, AnySystemCommandOrTheLossOfItsParentEndsThePreview)
{
    using TEnd = std::function<void(platform::HeadlessPlatform&, platform::WindowId)>;
    struct Case {
        const char* Name;
        TEnd End;
    };
    const Case cases[] = {
        {"screen save", [](auto& p, auto w) { p.InjectSystemCommand(w, 0xF140); }},
        {"close", [](auto& p, auto w) { p.InjectSystemCommand(w, 0xF060); }},
        {"unknown command", [](auto& p, auto w) { p.InjectSystemCommand(w, 0x1234); }},
        {"parent destroyed", [](auto& p, auto) { p.DestroyForeignWindow(4711); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TVelmoraSession session;
        session.Platform.CreateForeignWindow(4711, {0, 0, 152, 112});
        const TRunResult run = session.Run({"/p", "4711"}, [&] {
            session.At(30, [&] { c.End(session.Platform, session.MainWindow()); });
        });
        EXPECT_TRUE(run.EndedByItself);
        EXPECT_EQ(run.ExitCode, 0);
    }
}

TEST(PreviewTest, KeysAndClicksDoNotEndThePreview)
{
    TVelmoraSession session;
    session.Platform.CreateForeignWindow(4711, {0, 0, 152, 112});
    const TRunResult run = session.Run({"/p", "4711"}, [&] {
        session.At(30, [&] {
            const platform::WindowId window = session.MainWindow();
            session.Platform.InjectKeyPress(window, uint16_t('A'));
            session.Platform.InjectClick(window, 10, 10);
            for (int i = 0; i < 20; ++i) session.Platform.InjectMotion(window, i, i);
        });
    }, 300);
    EXPECT_FALSE(run.EndedByItself);
}
