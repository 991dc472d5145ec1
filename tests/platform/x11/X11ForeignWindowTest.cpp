// Windows embedded in another program's window, and ids that are not windows.
#include "tests/platform/x11/X11TestSupport.h"

#include <X11/Xlib.h>

namespace velmora_test {
namespace {

using platform::Event;
using platform::EventType;

class X11ForeignWindowTest : public X11Test {
protected:
    // Another program's window (a preview box), mapped.
    Window MakeForeign(int x, int y, int width, int height)
    {
        const Window w = XCreateSimpleWindow(FInspector, DefaultRootWindow(FInspector), x, y,
                                             static_cast<unsigned>(width), static_cast<unsigned>(height), 0, 0, 0);
        XMapWindow(FInspector, w);
        XSync(FInspector, False);
        return w;
    }

    platform::WindowId CreateChild(platform::ForeignId parent, const platform::Rect& bounds, platform::Error* error)
    {
        platform::WindowParams params;
        params.kind = platform::WindowKind::Child;
        params.parent = parent;
        params.bounds = bounds;
        return FPlatform->CreateNativeWindow(params, error);
    }
};

TEST_F(X11ForeignWindowTest, ChildTakesItsParentsSizeAndLearnsOfItsDestruction)
{
    const Window box = MakeForeign(300, 200, 152, 112);
    ASSERT_TRUE(FPlatform->ForeignWindowExists(box));
    platform::Rect rect;
    ASSERT_TRUE(FPlatform->GetForeignWindowRect(box, rect));
    EXPECT_EQ(rect, (platform::Rect{300, 200, 452, 312}));

    platform::Error error;
    const platform::WindowId child = CreateChild(box, {0, 0, rect.width(), rect.height()}, &error);
    ASSERT_NE(child, 0u) << error.text;
    FPlatform->ShowNativeWindow(child, true);
    ASSERT_TRUE(AwaitMapState(static_cast<Window>(child), true));

    Window root = None, parent = None, *children = nullptr;
    unsigned count = 0;
    ASSERT_TRUE(XQueryTree(FInspector, static_cast<Window>(child), &root, &parent, &children, &count));
    if (children) XFree(children);
    EXPECT_EQ(parent, box);
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(FInspector, static_cast<Window>(child), &attributes));
    EXPECT_EQ(attributes.x, 0);
    EXPECT_EQ(attributes.y, 0);
    EXPECT_EQ(attributes.width, 152);
    EXPECT_EQ(attributes.height, 112);
    const std::vector<uint32_t> red(152 * 112, 0xFF0000);
    FPlatform->Present(child, red.data(), 152, 152, 112, {0, 0, 152, 112});
    EXPECT_EQ(ReadBack(box, 152, 112), red);

    // The other program closes its window: ours goes with it and we are told.
    XDestroyWindow(FInspector, box);
    XSync(FInspector, False);
    Event gone;
    ASSERT_TRUE(AwaitEvent(*FPlatform, [](const Event& e) { return e.type == EventType::ForeignDestroyed; }, &gone));
    EXPECT_EQ(gone.foreign, box);
    EXPECT_FALSE(FPlatform->ForeignWindowExists(box));

    // What the program does next with its dead window is harmless.
    FPlatform->Present(child, red.data(), 152, 152, 112, {0, 0, 152, 112});
    FPlatform->SetNativeBounds(child, {0, 0, 10, 10});
    FPlatform->SetPointer(child, platform::PointerShape::Cross);
    FPlatform->DestroyNativeWindow(child);
    CollectEvents(*FPlatform, 50);
}

TEST_F(X11ForeignWindowTest, AnIdThatIsNotAWindowGivesTheServersErrorCodeAndText)
{
    const Pixmap pixmap = XCreatePixmap(FInspector, DefaultRootWindow(FInspector), 4, 4,
                                        static_cast<unsigned>(DefaultDepth(FInspector, DefaultScreen(FInspector))));
    XSync(FInspector, False);
    const Window unused = XCreateSimpleWindow(FInspector, DefaultRootWindow(FInspector), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(FInspector, unused);
    XSync(FInspector, False);
    struct Case {
        const char* what;
        platform::ForeignId id;
    };
    const Case cases[] = {
        {"zero", 0},
        {"a destroyed window", unused},
        {"a pixmap", pixmap},
        {"beyond 29 bits", 0x120000000ull | (pixmap & 0xFFFFFFFu)},
        {"beyond 32 bits", (1ull << 40) | unused},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(FPlatform->ForeignWindowExists(c.id));
        platform::Rect rect{1, 2, 3, 4};
        EXPECT_FALSE(FPlatform->GetForeignWindowRect(c.id, rect));
        platform::Error error;
        EXPECT_EQ(CreateChild(c.id, {0, 0, 157, 108}, &error), 0u);
        EXPECT_EQ(error.code, BadWindow);
        EXPECT_EQ(error.text, "BadWindow (invalid Window parameter)");
    }
    // The backend is still in working order.
    EXPECT_NE(ShowWindow({0, 0, 20, 20}), 0u);
    XFreePixmap(FInspector, pixmap);
}

}  // namespace
}  // namespace velmora_test
