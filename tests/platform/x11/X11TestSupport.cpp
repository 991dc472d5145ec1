#include "tests/platform/x11/X11TestSupport.h"

#include "tests/support/XvfbServer.h"

#include <X11/Xutil.h>

#include <cerrno>
#include <cstdlib>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace velmora_test {

namespace {
std::string gDisplay;
std::string gFailure;

class XvfbEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (!FServer.Start()) {
            gFailure = FServer.Failure();
            return;
        }
        gDisplay = FServer.DisplayName();
        setenv("DISPLAY", gDisplay.c_str(), 1);
    }
    void TearDown() override { FServer.Stop(); }

private:
    XvfbServer FServer;
};

::testing::Environment* const gEnvironment = ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);
}  // namespace

const std::string& TestDisplay()
{
    return gDisplay;
}

const std::string& TestDisplayFailure()
{
    return gFailure;
}

bool AwaitEvent(platform::IPlatform& platform, const EventMatch& match, platform::Event* found, int timeoutMs,
                std::vector<platform::Event>* seen)
{
    const int64_t end = platform.MonotonicMs() + timeoutMs;
    for (;;) {
        platform::Event e;
        while (platform.PollEvent(e)) {
            if (seen) seen->push_back(e);
            if (match(e)) {
                if (found) *found = e;
                return true;
            }
        }
        const int64_t left = end - platform.MonotonicMs();
        if (left <= 0) return false;
        platform.WaitForEvents(static_cast<uint32_t>(left));
    }
}

std::vector<platform::Event> CollectEvents(platform::IPlatform& platform, int forMs)
{
    std::vector<platform::Event> events;
    AwaitEvent(platform, [](const platform::Event&) { return false; }, nullptr, forMs, &events);
    return events;
}

int RunXdotool(std::initializer_list<std::string> args)
{
    std::vector<std::string> storage{"xdotool"};
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : storage) argv.push_back(s.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, "xdotool", nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void X11Test::SetUp()
{
    ASSERT_FALSE(TestDisplay().empty()) << "no Xvfb for the tests: " << TestDisplayFailure();
    FPlatform = platform::X11Platform::Open(TestDisplay().c_str(), Options());
    ASSERT_NE(FPlatform, nullptr) << "cannot open " << TestDisplay();
    FInspector = XOpenDisplay(TestDisplay().c_str());
    ASSERT_NE(FInspector, nullptr);
}

void X11Test::TearDown()
{
    FPlatform.reset();
    if (FInspector) XCloseDisplay(FInspector);
    FInspector = nullptr;
}

platform::WindowId X11Test::ShowWindow(const platform::Rect& bounds, platform::WindowKind kind)
{
    platform::WindowParams params;
    params.kind = kind;
    params.bounds = bounds;
    params.caption = "test window";
    platform::Error error;
    const platform::WindowId id = FPlatform->CreateNativeWindow(params, &error);
    EXPECT_NE(id, 0u) << error.text;
    if (id == 0) return 0;
    FPlatform->ShowNativeWindow(id, true);
    EXPECT_TRUE(AwaitMapState(static_cast<Window>(id), true));
    return id;
}

bool X11Test::AwaitMapState(Window window, bool viewable, int timeoutMs)
{
    const int64_t end = FPlatform->MonotonicMs() + timeoutMs;
    for (;;) {
        // A wait that takes nothing from the queue, but lets the backend
        // handle its own MapNotify (it gives the focus then).
        FPlatform->WaitForEvents(0);
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(FInspector, window, &attributes) && (attributes.map_state == IsViewable) == viewable) {
            FPlatform->Sleep(20);
            FPlatform->WaitForEvents(0);
            return true;
        }
        if (FPlatform->MonotonicMs() >= end) return false;
        FPlatform->Sleep(5);
    }
}

void X11Test::Sync()
{
    XSync(FPlatform->NativeDisplay(), False);
    XSync(FInspector, False);
}

std::vector<uint32_t> X11Test::ReadBack(Window window, int width, int height)
{
    Sync();
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0xFFFFFFFFu);
    XImage* image = XGetImage(FInspector, window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (!image) return pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] = static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF;
    XDestroyImage(image);
    return pixels;
}

platform::Point X11Test::ScreenOrigin(Window window)
{
    int x = 0, y = 0;
    Window child = None;
    XTranslateCoordinates(FInspector, window, DefaultRootWindow(FInspector), 0, 0, &x, &y, &child);
    return {x, y};
}

void X11Test::MovePointer(int x, int y)
{
    ASSERT_EQ(RunXdotool({"mousemove", std::to_string(x), std::to_string(y)}), 0);
    for (int i = 0; i < 500; ++i) {
        Window root = None, child = None;
        int rootX = -1, rootY = -1, wx = 0, wy = 0;
        unsigned mask = 0;
        XQueryPointer(FInspector, DefaultRootWindow(FInspector), &root, &child, &rootX, &rootY, &wx, &wy, &mask);
        if (rootX == x && rootY == y) return;
        FPlatform->Sleep(2);
    }
    FAIL() << "the pointer did not reach " << x << ", " << y;
}

}  // namespace velmora_test
