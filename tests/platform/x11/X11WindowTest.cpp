// Window kinds, shapes, decorations, pointer shapes and moving, as the server
// and a window manager would see them.
#include "tests/platform/x11/X11TestSupport.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <X11/extensions/shape.h>

namespace velmora_test {
namespace {

using platform::Event;
using platform::EventType;
using platform::PointerShape;
using platform::Rect;
using platform::WindowKind;

class X11WindowTest : public X11Test {
protected:
    // The decorations field of the window's Motif hints; -1 when there are none.
    long DecorationsHint(Window window)
    {
        const Atom hints = XInternAtom(FInspector, "_MOTIF_WM_HINTS", False);
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        long decorations = -1;
        if (XGetWindowProperty(FInspector, window, hints, 0, 5, False, AnyPropertyType, &type, &format, &count, &after,
                               &data) == Success && data) {
            if (format == 32 && count >= 3) decorations = reinterpret_cast<long*>(data)[2];
            XFree(data);
        }
        return decorations;
    }

    // Whether the cursor the server shows right now has any visible pixel.
    bool CursorVisible()
    {
        XFixesCursorImage* image = XFixesGetCursorImage(FInspector);
        if (!image) return true;
        bool visible = false;
        for (int i = 0; i < image->width * image->height; ++i) visible = visible || (image->pixels[i] >> 24) != 0;
        XFree(image);
        return visible;
    }
};

TEST_F(X11WindowTest, ScreenIsThePrimaryMonitor)
{
    const platform::ScreenMetrics screen = FPlatform->Screen();
    EXPECT_EQ(screen.width, 1920);
    EXPECT_EQ(screen.height, 1080);
    EXPECT_EQ(screen.workArea, (Rect{0, 0, 1920, 1080}));
}

TEST_F(X11WindowTest, SaverWindowCoversTheScreenAboveEverythingWithTheKeyboard)
{
    const platform::WindowId saver = ShowWindow({0, 0, 1920, 1080}, WindowKind::Popup);
    ASSERT_NE(saver, 0u);
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(FInspector, static_cast<Window>(saver), &attributes));
    EXPECT_TRUE(attributes.override_redirect) << "a window manager could stack panels over it";
    EXPECT_EQ(attributes.width, 1920);
    EXPECT_EQ(attributes.height, 1080);
    EXPECT_TRUE(AwaitEvent(*FPlatform, [&](const Event& e) { return e.type == EventType::Activate && e.window == saver; }));
    Window focus = None;
    int revert = 0;
    XGetInputFocus(FInspector, &focus, &revert);
    EXPECT_EQ(focus, static_cast<Window>(saver));

    // A smaller borderless window is an ordinary managed one.
    const platform::WindowId small = ShowWindow({0, 0, 157, 108}, WindowKind::Popup);
    ASSERT_TRUE(XGetWindowAttributes(FInspector, static_cast<Window>(small), &attributes));
    EXPECT_FALSE(attributes.override_redirect);
    EXPECT_EQ(DecorationsHint(static_cast<Window>(small)), 0);
}

TEST_F(X11WindowTest, DropDownListIsLeftAloneAndLeavesTheKeyboardWhereItWas)
{
    const platform::WindowId dialog = ShowWindow({100, 100, 400, 300}, WindowKind::Normal);
    ASSERT_TRUE(AwaitEvent(*FPlatform, [&](const Event& e) { return e.type == EventType::Activate && e.window == dialog; }));
    const platform::WindowId list = ShowWindow({150, 180, 300, 260}, WindowKind::PopupList);
    ASSERT_NE(list, 0u);
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(FInspector, static_cast<Window>(list), &attributes));
    EXPECT_TRUE(attributes.override_redirect);
    for (const Event& e : CollectEvents(*FPlatform, 100)) EXPECT_NE(e.type, EventType::Deactivate);
    Window focus = None;
    int revert = 0;
    XGetInputFocus(FInspector, &focus, &revert);
    EXPECT_EQ(focus, static_cast<Window>(dialog));
}

TEST_F(X11WindowTest, DialogLosesAndRegainsItsDecorationsAndKeepsItsCaption)
{
    platform::WindowParams params;
    params.kind = WindowKind::Normal;
    params.decorated = true;
    params.bounds = {50, 50, 450, 350};
    params.caption = "Velmora Screensaver 1.0";
    const platform::WindowId dialog = FPlatform->CreateNativeWindow(params, nullptr);
    ASSERT_NE(dialog, 0u);
    EXPECT_EQ(DecorationsHint(static_cast<Window>(dialog)), 1);
    FPlatform->SetNativeDecorations(dialog, false);
    Sync();
    EXPECT_EQ(DecorationsHint(static_cast<Window>(dialog)), 0);
    FPlatform->SetNativeDecorations(dialog, true);
    Sync();
    EXPECT_EQ(DecorationsHint(static_cast<Window>(dialog)), 1);
    FPlatform->SetNativeCaption(dialog, "Zundera \xC3\xA9");
    Sync();
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(FInspector, static_cast<Window>(dialog), XInternAtom(FInspector, "_NET_WM_NAME", False),
                                 0, 64, False, AnyPropertyType, &type, &format, &count, &after, &data),
              Success);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), count), "Zundera \xC3\xA9");
    XFree(data);
}

TEST_F(X11WindowTest, RegionShapesTheWindowAndAnEmptyListRestoresTheRectangle)
{
    const platform::WindowId id = ShowWindow({10, 10, 210, 110});
    ASSERT_NE(id, 0u);
    const Rect parts[] = {{0, 0, 200, 50}, {20, 50, 180, 100}};
    FPlatform->SetNativeRegion(id, parts, 2);
    Sync();
    int count = 0, ordering = 0;
    XRectangle* shape = XShapeGetRectangles(FInspector, static_cast<Window>(id), ShapeBounding, &count, &ordering);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(shape[0].x, 0);
    EXPECT_EQ(shape[0].width, 200);
    EXPECT_EQ(shape[1].x, 20);
    EXPECT_EQ(shape[1].y, 50);
    EXPECT_EQ(shape[1].width, 160);
    EXPECT_EQ(shape[1].height, 50);
    XFree(shape);

    FPlatform->SetNativeRegion(id, nullptr, 0);
    Sync();
    shape = XShapeGetRectangles(FInspector, static_cast<Window>(id), ShapeBounding, &count, &ordering);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(shape[0].width, 200);
    EXPECT_EQ(shape[0].height, 100);
    XFree(shape);
}

TEST_F(X11WindowTest, InvisiblePointerHidesThePointerOverTheWholeWindow)
{
    const platform::WindowId id = ShowWindow({0, 0, 1920, 1080});
    ASSERT_NE(id, 0u);
    MovePointer(700, 500);
    EXPECT_TRUE(CursorVisible());
    FPlatform->SetPointer(id, platform::x11::kNoPointer);
    Sync();
    for (const platform::Point p : {platform::Point{700, 500}, platform::Point{0, 0}, platform::Point{1919, 1079}}) {
        MovePointer(p.x, p.y);
        EXPECT_FALSE(CursorVisible()) << "at " << p.x << ", " << p.y;
    }
    FPlatform->SetPointer(id, PointerShape::Arrow);
    Sync();
    EXPECT_TRUE(CursorVisible());
}

TEST_F(X11WindowTest, InteractiveMoveFollowsThePointerWithoutAWindowManager)
{
    const platform::WindowId id = ShowWindow({100, 100, 300, 250}, WindowKind::Normal);
    ASSERT_NE(id, 0u);
    MovePointer(150, 110);
    ASSERT_EQ(RunXdotool({"mousedown", "1"}), 0);
    Event down;
    ASSERT_TRUE(AwaitEvent(*FPlatform, [](const Event& e) { return e.type == EventType::ButtonDown; }, &down));
    FPlatform->BeginInteractiveMove(id, {down.screenX, down.screenY});
    MovePointer(190, 140);
    MovePointer(230, 170);
    ASSERT_EQ(RunXdotool({"mouseup", "1"}), 0);
    std::vector<Event> seen;
    Event moved;
    ASSERT_TRUE(AwaitEvent(*FPlatform, [](const Event& e) { return e.type == EventType::Moved && e.rect.left == 180; },
                           &moved, 5000, &seen));
    EXPECT_EQ(moved.rect, (Rect{180, 160, 380, 310}));
    CollectEvents(*FPlatform, 100);
    EXPECT_EQ(ScreenOrigin(static_cast<Window>(id)), (platform::Point{180, 160}));
    for (const Event& e : seen) EXPECT_NE(e.type, EventType::ButtonUp) << "the move's release reached the program";

    // After the release the pointer is the program's again.
    MovePointer(200, 200);
    EXPECT_TRUE(AwaitEvent(*FPlatform, [](const Event& e) { return e.type == EventType::Motion; }));
    EXPECT_EQ(ScreenOrigin(static_cast<Window>(id)), (platform::Point{180, 160}));
}

TEST_F(X11WindowTest, AMoveOrResizeByAnotherProgramIsReported)
{
    // What a window manager does to a managed window; the program must follow.
    const platform::WindowId id = ShowWindow({100, 100, 300, 250}, WindowKind::Normal);
    ASSERT_NE(id, 0u);
    XMoveResizeWindow(FInspector, static_cast<Window>(id), 400, 300, 250, 180);
    XSync(FInspector, False);
    Event moved;
    ASSERT_TRUE(AwaitEvent(*FPlatform, [](const Event& e) { return e.type == EventType::Moved; }, &moved));
    EXPECT_EQ(moved.window, id);
    EXPECT_EQ(moved.rect, (Rect{400, 300, 650, 480}));

    // Its own requests are not echoed back as moves.
    FPlatform->SetNativeBounds(id, {10, 20, 110, 120});
    FPlatform->SetNativeBounds(id, {30, 40, 130, 140});
    for (const Event& e : CollectEvents(*FPlatform, 150)) EXPECT_NE(e.type, EventType::Moved);
    EXPECT_EQ(ScreenOrigin(static_cast<Window>(id)), (platform::Point{30, 40}));
}

TEST_F(X11WindowTest, OversizedWindowIsRefusedWithAnError)
{
    platform::WindowParams params;
    params.bounds = {0, 0, 40000, 40000};
    platform::Error error;
    EXPECT_EQ(FPlatform->CreateNativeWindow(params, &error), 0u);
    EXPECT_EQ(error.code, platform::kErrorNotEnoughMemory);
}

}  // namespace
}  // namespace velmora_test
