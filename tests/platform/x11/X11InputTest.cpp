// Input injected through the server (xdotool's XTEST requests) reaches the
// event queue with window coordinates, virtual keys and the shift state.
#include "tests/platform/x11/X11TestSupport.h"

namespace velmora_test {
namespace {

using platform::Event;
using platform::EventType;
using platform::MouseButton;

constexpr platform::Rect kBounds{200, 150, 520, 390};

class X11InputTest : public X11Test {
protected:
    void SetUp() override
    {
        X11Test::SetUp();
        if (HasFatalFailure()) return;
        FWindow = ShowWindow(kBounds);
        ASSERT_NE(FWindow, 0u);
        // Shown windows take the keyboard without a window manager's help.
        ASSERT_TRUE(AwaitEvent(*FPlatform, [&](const Event& e) {
            return e.type == EventType::Activate && e.window == FWindow;
        }));
        MovePointer(kBounds.left + 5, kBounds.top + 5);
        CollectEvents(*FPlatform, 50);
    }

    Event Await(EventType type)
    {
        Event found;
        EXPECT_TRUE(AwaitEvent(*FPlatform, [&](const Event& e) { return e.type == type && e.window == FWindow; },
                               &found))
            << "no event of type " << static_cast<int>(type);
        return found;
    }

    platform::WindowId FWindow = 0;
};

TEST_F(X11InputTest, MotionAndButtonsCarryWindowAndScreenCoordinates)
{
    MovePointer(kBounds.left + 37, kBounds.top + 61);
    Event motion;
    ASSERT_TRUE(AwaitEvent(*FPlatform, [](const Event& e) { return e.type == EventType::Motion && e.x == 37; },
                           &motion));
    EXPECT_EQ(motion.y, 61);
    EXPECT_EQ(motion.screenX, kBounds.left + 37);
    EXPECT_EQ(motion.screenY, kBounds.top + 61);

    struct Case {
        const char* xbutton;
        MouseButton button;
        uint32_t bit;
    };
    for (const Case& c : {Case{"1", MouseButton::Left, SHIFT_STATE_LEFT}, Case{"2", MouseButton::Middle, SHIFT_STATE_MIDDLE},
                          Case{"3", MouseButton::Right, SHIFT_STATE_RIGHT}}) {
        SCOPED_TRACE(c.xbutton);
        ASSERT_EQ(RunXdotool({"click", c.xbutton}), 0);
        const Event down = Await(EventType::ButtonDown);
        const Event up = Await(EventType::ButtonUp);
        EXPECT_EQ(down.button, c.button);
        EXPECT_EQ(up.button, c.button);
        EXPECT_EQ(down.x, 37);
        EXPECT_EQ(down.y, 61);
        EXPECT_EQ(down.screenX, kBounds.left + 37);
        EXPECT_TRUE(down.shift & c.bit);
        EXPECT_FALSE(up.shift & c.bit);
    }
}

TEST_F(X11InputTest, WheelNotchesAreWheelEventsNotButtons)
{
    MovePointer(kBounds.left + 10, kBounds.top + 20);
    std::vector<Event> seen;
    ASSERT_EQ(RunXdotool({"click", "4"}), 0);
    Event away = Await(EventType::Wheel);
    ASSERT_EQ(RunXdotool({"click", "5"}), 0);
    Event toward;
    ASSERT_TRUE(AwaitEvent(*FPlatform, [](const Event& e) { return e.type == EventType::Wheel; }, &toward, 5000, &seen));
    EXPECT_EQ(away.wheelDelta, 120);
    EXPECT_EQ(toward.wheelDelta, -120);
    EXPECT_EQ(toward.x, 10);
    EXPECT_EQ(toward.y, 20);
    for (const Event& e : seen) EXPECT_NE(e.type, EventType::ButtonDown) << "a wheel notch became a click";
}

TEST_F(X11InputTest, KeysGiveVirtualKeysCharactersAndShiftState)
{
    struct Case {
        const char* keys;  // xdotool key names
        uint16_t key;
        uint32_t character;
        uint32_t shift;
    };
    const Case cases[] = {
        {"a", 'A', 'a', 0},
        {"shift+a", 'A', 'A', SHIFT_STATE_SHIFT},
        {"7", '7', '7', 0},
        {"ctrl+c", 'C', 3, SHIFT_STATE_CTRL},
        {"Return", VK_RETURN, '\r', 0},
        {"Escape", VK_ESCAPE, 27, 0},
        {"space", VK_SPACE, ' ', 0},
        {"F5", VK_F5, 0, 0},
        {"Left", VK_LEFT, 0, 0},
        {"Next", VK_NEXT, 0, 0},
        {"KP_Add", VK_ADD, '+', 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        ASSERT_EQ(RunXdotool({"key", c.keys}), 0);
        Event down;
        ASSERT_TRUE(AwaitEvent(*FPlatform, [&](const Event& e) { return e.type == EventType::KeyDown && e.key == c.key; },
                               &down));
        Event up;
        ASSERT_TRUE(AwaitEvent(*FPlatform, [&](const Event& e) { return e.type == EventType::KeyUp && e.key == c.key; },
                               &up));
        EXPECT_EQ(down.character, c.character);
        EXPECT_EQ(down.shift & (SHIFT_STATE_SHIFT | SHIFT_STATE_CTRL | SHIFT_STATE_ALT), c.shift);
        EXPECT_FALSE(down.repeat);
        // The modifier's own release comes after; take it out of the way.
        CollectEvents(*FPlatform, 30);
    }
}

TEST_F(X11InputTest, PressingShiftReportsShiftHeldAndReleasingItReportsItGone)
{
    ASSERT_EQ(RunXdotool({"keydown", "shift"}), 0);
    const Event down = Await(EventType::KeyDown);
    ASSERT_EQ(RunXdotool({"keyup", "shift"}), 0);
    const Event up = Await(EventType::KeyUp);
    EXPECT_EQ(down.key, VK_SHIFT);
    EXPECT_TRUE(down.shift & SHIFT_STATE_SHIFT);
    EXPECT_FALSE(up.shift & SHIFT_STATE_SHIFT);
}

TEST_F(X11InputTest, AHeldKeyRepeatsAsPressesMarkedRepeatAndIsReleasedOnce)
{
    ASSERT_EQ(RunXdotool({"keydown", "b"}), 0);
    FPlatform->Sleep(900);  // past the server's auto-repeat delay
    ASSERT_EQ(RunXdotool({"keyup", "b"}), 0);
    std::vector<Event> seen;
    ASSERT_TRUE(AwaitEvent(*FPlatform, [](const Event& e) { return e.type == EventType::KeyUp && e.key == 'B'; },
                           nullptr, 5000, &seen));
    int presses = 0, repeats = 0, releases = 0;
    for (const Event& e : seen) {
        if (e.key != 'B') continue;
        if (e.type == EventType::KeyDown) {
            EXPECT_EQ(e.repeat, presses > 0) << "press " << presses;
            ++presses;
            repeats += e.repeat;
        }
        releases += e.type == EventType::KeyUp;
    }
    EXPECT_GT(repeats, 0);
    EXPECT_EQ(releases, 1);
}

TEST_F(X11InputTest, PointerCrossingGivesEnterAndLeave)
{
    MovePointer(kBounds.right + 40, kBounds.top + 10);
    Await(EventType::Leave);
    MovePointer(kBounds.left + 12, kBounds.top + 14);
    const Event enter = Await(EventType::Enter);
    EXPECT_EQ(enter.x, 12);
    EXPECT_EQ(enter.y, 14);
}

TEST_F(X11InputTest, LosingTheFocusDeactivatesAndActivatingGetsItBack)
{
    // Another program's window takes the keyboard.
    const Window other = XCreateSimpleWindow(FInspector, DefaultRootWindow(FInspector), 0, 0, 50, 50, 0, 0, 0);
    XMapRaised(FInspector, other);
    XSync(FInspector, False);
    for (int i = 0; i < 100; ++i) {
        XWindowAttributes attributes;
        XGetWindowAttributes(FInspector, other, &attributes);
        if (attributes.map_state == IsViewable) break;
        FPlatform->Sleep(10);
    }
    XSetInputFocus(FInspector, other, RevertToParent, CurrentTime);
    XSync(FInspector, False);
    Await(EventType::Deactivate);

    FPlatform->ActivateNativeWindow(FWindow);
    Await(EventType::Activate);
    XDestroyWindow(FInspector, other);
    XSync(FInspector, False);
}

TEST_F(X11InputTest, WindowManagersCloseRequestArrivesAsCloseRequest)
{
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = static_cast<Window>(FWindow);
    message.xclient.message_type = XInternAtom(FInspector, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = static_cast<long>(XInternAtom(FInspector, "WM_DELETE_WINDOW", False));
    XSendEvent(FInspector, static_cast<Window>(FWindow), False, NoEventMask, &message);
    XSync(FInspector, False);
    Await(EventType::CloseRequest);
}

}  // namespace
}  // namespace velmora_test
