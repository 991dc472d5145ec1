// The saver window through the real entry point on the headless backend:
// where the clock panel goes, what ends the saver and what does not, and the
// colour it is drawn in.
#include "app/Unit1.h"
#include "classlib/forms/Application.h"
#include "classlib/windowing/MessageQueue.h"
#include "classlib/windowing/WindowTimers.h"
#include "dateclock/DcClock.h"
#include "dateclock/DcPanels.h"
#include "ledclock/DmLedClock.h"
#include "tests/app/VelmoraSession.h"

#include <gtest/gtest.h>

namespace {

TPoint PanelPosition()
{
    return {Form1->DcBackPanel1->Left(), Form1->DcBackPanel1->Top()};
}

// The panel's position before the first pass and after each of `passes` passes.
std::vector<TPoint> Trajectory(TVelmoraSession& session, int passes)
{
    std::vector<TPoint> positions;
    session.Run({"/s"}, [&] {
        positions.push_back(PanelPosition());
        session.AfterEachPass([&](int pass) {
            positions.push_back(PanelPosition());
            if (pass == passes) Application->Terminate();
        });
    }, 60000);
    return positions;
}

// The values of one axis from the first time it reaches `value`, `count` of them.
std::vector<int> From(const std::vector<int>& values, size_t start, int value, size_t count)
{
    for (size_t i = start; i < values.size(); ++i)
        if (values[i] == value) return std::vector<int>(values.begin() + static_cast<long>(i),
                                                        values.begin() + static_cast<long>(std::min(values.size(), i + count)));
    return {};
}

}  // namespace

TEST(SaverTest, ThePanelStartsCentredAndTheFirstPassMovesItUpAndLeft)
{
    TVelmoraSession session;
    const std::vector<TPoint> positions = Trajectory(session, 1);
    ASSERT_EQ(positions.size(), 2u);
    EXPECT_EQ(positions[0], TPoint(783, 367));
    EXPECT_EQ(positions[1], TPoint(782, 366));
}

TEST(SaverTest, EachAxisOvershootsByOnePixelTurnsAndComesBack)
{
    // A small screen brings every edge within a few dozen passes.
    TVelmoraSession session;
    session.Platform.SetScreenSize(420, 400);
    const std::vector<TPoint> positions = Trajectory(session, 200);
    ASSERT_EQ(positions.size(), 201u);
    struct Axis {
        const char* Name;
        int Screen;
        int Panel;
        int (*Of)(const TPoint&);
    };
    const Axis axes[] = {
        {"x", 420, 353, [](const TPoint& p) { return p.X; }},
        {"y", 400, 345, [](const TPoint& p) { return p.Y; }},
    };
    for (const Axis& axis : axes) {
        SCOPED_TRACE(axis.Name);
        std::vector<int> near;  // left (top) edge of the panel
        std::vector<int> far;   // right (bottom) edge
        for (const TPoint& p : positions) {
            near.push_back(axis.Of(p));
            far.push_back(axis.Of(p) + axis.Panel);
        }
        EXPECT_EQ(near[0], (axis.Screen - axis.Panel) / 2);
        EXPECT_EQ(From(near, 0, 0, 5), (std::vector<int>{0, -1, -1, 0, 1}));
        const size_t turned = static_cast<size_t>(near[0]) + 2;
        EXPECT_EQ(From(far, turned, axis.Screen, 5),
                  (std::vector<int>{axis.Screen, axis.Screen + 1, axis.Screen + 1, axis.Screen, axis.Screen - 1}));
    }
}

TEST(SaverTest, AScreenSmallerThanThePanelKeepsItWhereItWasCentred)
{
    struct Case {
        int Width, Height;
        bool XMoves, YMoves;
    };
    const Case cases[] = {{300, 1080, false, true}, {1920, 300, true, false}, {300, 300, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Width) + "x" + std::to_string(c.Height));
        TVelmoraSession session;
        session.Platform.SetScreenSize(c.Width, c.Height);
        const std::vector<TPoint> positions = Trajectory(session, 20);
        ASSERT_EQ(positions.size(), 21u);
        const TPoint start((c.Width - 353) / 2, (c.Height - 345) / 2);
        EXPECT_EQ(positions[0], start);
        EXPECT_EQ(positions[20].X, c.XMoves ? start.X - 20 : start.X);
        EXPECT_EQ(positions[20].Y, c.YMoves ? start.Y - 20 : start.Y);
    }
}

TEST(SaverTest, AnyStyleButOneKeepsThePanelCentred)
{
    for (const int style : {0, 2, -1}) {
        SCOPED_TRACE(style);
        TVelmoraSession session;
        session.WriteStyle(style);
        bool idleHandler = true;
        TPoint late;
        const TRunResult run = session.Run({"/s"}, [&] {
            idleHandler = static_cast<bool>(Application->OnIdle);
            session.At(500, [&] {
                late = PanelPosition();
                Application->Terminate();
            });
        });
        EXPECT_TRUE(run.EndedByItself);
        EXPECT_FALSE(idleHandler);
        EXPECT_EQ(late, TPoint(783, 367));
    }
}

TEST(SaverTest, EveryPassSleepsTenMilliseconds)
{
    TVelmoraSession session;
    int64_t first = 0, last = 0;
    session.Run({"/s"}, [&] {
        session.AfterEachPass([&](int pass) {
            if (pass == 1) first = MonotonicMilliseconds();
            if (pass == 101) {
                last = MonotonicMilliseconds();
                Application->Terminate();
            }
        });
    }, 60000);
    EXPECT_GE(last - first, 1000);
    EXPECT_LE(last - first, 1010);
}

TEST(SaverTest, PointerMovementsOverTheBlackAreaCloseOnTheEleventhCounted)
{
    struct Case {
        const char* Name;
        std::vector<TPoint> Moves;
        bool Closes;
    };
    auto distinct = [](int from, int count) {
        std::vector<TPoint> moves;
        for (int i = 0; i < count; ++i) moves.emplace_back(from + i, 10);
        return moves;
    };
    auto startingAtOrigin = [&](int count) {
        std::vector<TPoint> moves{{0, 0}};
        for (const TPoint& p : distinct(1, count)) moves.push_back(p);
        return moves;
    };
    const Case cases[] = {
        {"ten moves", distinct(1, 10), false},
        {"eleven moves", distinct(1, 11), true},
        {"repeats at one position", std::vector<TPoint>(30, TPoint(5, 5)), false},
        {"first at the origin, then ten", startingAtOrigin(10), false},
        {"first at the origin, then eleven", startingAtOrigin(11), true},
        {"back and forth", {{5, 5}, {6, 5}, {5, 5}, {6, 5}, {5, 5}, {6, 5}, {5, 5}, {6, 5}, {5, 5}, {6, 5}, {5, 5}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TVelmoraSession session;
        session.WriteStyle(0);
        const TRunResult run = session.Run({"/s"}, [&] {
            session.At(20, [&] {
                for (const TPoint& p : c.Moves) session.Platform.InjectMotion(session.MainWindow(), p.X, p.Y);
            });
        }, 500);
        EXPECT_EQ(run.EndedByItself, c.Closes);
        EXPECT_EQ(run.ExitCode, 0);
    }
}

TEST(SaverTest, KeysClicksWheelAndDeactivationCloseButNotActivityOverThePanel)
{
    using platform::MouseButton;
    using TInput = std::function<void(platform::HeadlessPlatform&, platform::WindowId)>;
    // Centred on 1920 x 1080 the panel covers (783, 367) to (1136, 712);
    // (960, 540) is over the LED clock, (900, 585) over the date line.
    struct Case {
        const char* Name;
        TInput Input;
        bool Closes;
    };
    const Case cases[] = {
        {"left click on black", [](auto& p, auto w) { p.InjectClick(w, 100, 100); }, true},
        {"right click on black", [](auto& p, auto w) { p.InjectClick(w, 1800, 1000, MouseButton::Right); }, true},
        {"middle button on black", [](auto& p, auto w) { p.InjectButtonDown(w, 5, 900, MouseButton::Middle); }, true},
        {"wheel on black", [](auto& p, auto w) { p.InjectWheel(w, 100, 100, -120); }, true},
        {"wheel over the clock", [](auto& p, auto w) { p.InjectWheel(w, 960, 540, 120); }, true},
        {"key", [](auto& p, auto w) { p.InjectKeyPress(w, uint16_t('A')); }, true},
        {"shift key", [](auto& p, auto w) { p.InjectKeyDown(w, VK_SHIFT, SHIFT_STATE_SHIFT); }, true},
        {"deactivation", [](auto& p, auto w) { p.InjectActivation(w); p.InjectActivation(0); }, true},
        {"click over the clock", [](auto& p, auto w) { p.InjectClick(w, 960, 540); }, false},
        {"click over the date line", [](auto& p, auto w) { p.InjectClick(w, 900, 585); }, false},
        {"click on the panel's edge", [](auto& p, auto w) { p.InjectClick(w, 783, 367); }, false},
        {"moves over the panel",
         [](auto& p, auto w) {
             for (int i = 0; i < 30; ++i) p.InjectMotion(w, 800 + 10 * i, 400 + 5 * i);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TVelmoraSession session;
        session.WriteStyle(0);
        const TRunResult run = session.Run({"/s"}, [&] {
            session.At(20, [&] { c.Input(session.Platform, session.MainWindow()); });
        }, 500);
        EXPECT_EQ(run.EndedByItself, c.Closes);
    }
}

TEST(SaverTest, OnlyAnActivationMessageSayingInactiveCloses)
{
    struct Case {
        WPARAM WParam;
        bool Closes;
    };
    const Case cases[] = {{WA_ACTIVE, false}, {WA_CLICKACTIVE, false}, {WA_INACTIVE, true}, {MAKEWPARAM(WA_INACTIVE, 1), true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.WParam);
        TVelmoraSession session;
        const TRunResult run = session.Run({"/s"}, [&] {
            session.At(20, [&] { SendMessage(Form1->Handle(), WM_ACTIVATE, c.WParam, 0); });
        }, 500);
        EXPECT_EQ(run.EndedByItself, c.Closes);
    }
}

TEST(SaverTest, OnlyTheScreenSaveCommandItselfIsSwallowed)
{
    struct Case {
        WPARAM Command;
        LRESULT Result;
        bool Closes;
    };
    const Case cases[] = {{SC_SCREENSAVE, 1, false}, {SC_SCREENSAVE + 1, 0, false}, {SC_CLOSE, 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Command);
        TVelmoraSession session;
        LRESULT result = -1;
        const TRunResult run = session.Run({"/s"}, [&] {
            session.At(20, [&] { result = SendMessage(Form1->Handle(), WM_SYSCOMMAND, c.Command, 0); });
        }, 500);
        EXPECT_EQ(result, c.Result);
        EXPECT_EQ(run.EndedByItself, c.Closes);
    }
}

TEST(SaverTest, ThePointerIsHiddenOverTheWholeScreenAndRestoredOnClose)
{
    TVelmoraSession session;
    session.WriteStyle(0);
    std::vector<platform::PointerShape> shapes;
    TCursor afterClose = crNone;
    session.Run({"/s"}, [&] {
        TCloseEvent formClose = Form1->OnClose;
        Form1->OnClose = [&, formClose](TObject* Sender, TCloseAction& Action) {
            formClose(Sender, Action);
            afterClose = Form1->Cursor();
        };
        // Black area, LED clock, date line, black area again; then a click closes.
        const TPoint points[] = {{50, 50}, {960, 540}, {900, 585}, {1900, 1000}};
        int delay = 20;
        for (const TPoint& p : points) {
            session.At(delay, [&, p] { session.Platform.InjectMotion(session.MainWindow(), p.X, p.Y); });
            session.At(delay + 10, [&] { shapes.push_back(session.Platform.Window(session.MainWindow())->pointer); });
            delay += 30;
        }
        session.At(delay, [&] { session.Platform.InjectClick(session.MainWindow(), 10, 10); });
    });
    EXPECT_EQ(shapes, std::vector<platform::PointerShape>(4, platform::PointerShape::None));
    EXPECT_EQ(afterClose, crDefault);
}

TEST(SaverTest, TheSettingsColourReachesBothClocks)
{
    struct Case {
        const char* Name;
        const char* SettingsFile;  // nullptr: none
        TColor Color;
        uint32_t Pixel;  // 0x00RRGGBB on the screen
    };
    const Case cases[] = {
        {"no settings file", nullptr, 255, 0xFF0000},
        {"blue", "[Skin]\nskin=$FF0000\n", 0xFF0000, 0x0000FF},
        {"green", "[skin]\n  SKIN = 0x00FF00\n", 0x00FF00, 0x00FF00},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TVelmoraSession session;
        session.WriteStyle(0);
        if (c.SettingsFile) session.WriteSettingsFile(c.SettingsFile);
        std::vector<TColor> colors;
        platform::HeadlessPlatform::ScreenImage screen;
        session.Run({"/s"}, [&] {
            TDmLedClock& led = *Form1->DmLedClock1;
            TDcLED& digits = *Form1->DcClock1->Digital();
            colors = {led.HoursColor(), led.HoursOutline(), led.SecHandColor(), led.SecOutline(),
                      led.TickColor(), led.TickOutline(), digits.ActiveColor(), digits.InActiveColor()};
            session.At(50, [&] {
                screen = session.Platform.ComposeScreen();
                Application->Terminate();
            });
        });
        std::vector<TColor> expected(6, c.Color);
        expected.push_back(c.Color);
        expected.push_back(clBlack);
        EXPECT_EQ(colors, expected);
        // Everything lit on the screen is in the colour; the LED clock and the
        // date line both light something.
        int litClock = 0, litDate = 0, other = 0;
        for (int y = 0; y < screen.height; ++y)
            for (int x = 0; x < screen.width; ++x) {
                const uint32_t pixel = screen.At(x, y);
                if (pixel == 0) continue;
                if (pixel != c.Pixel) ++other;
                const bool inDate = x >= 783 + 80 && x < 783 + 80 + 169 && y >= 367 + 205 && y < 367 + 205 + 21;
                ++(inDate ? litDate : litClock);
            }
        EXPECT_EQ(other, 0);
        EXPECT_GT(litClock, 500);
        EXPECT_GT(litDate, 50);
    }
}
