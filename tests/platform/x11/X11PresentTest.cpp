// What is presented is what the server shows, pixel for pixel, through shared
// memory and through the plain-request fallback alike.
#include "tests/platform/x11/X11TestSupport.h"
#include "tests/support/PixelCompare.h"

#include <X11/Xlib.h>

#include <algorithm>

namespace velmora_test {
namespace {

using platform::Rect;

// A pattern where every pixel differs from its neighbours in every channel.
std::vector<uint32_t> Pattern(int width, int height, int stride, uint32_t seed)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(stride) * height, 0xDEADBEu);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * stride + x] =
                ((x * 7 + seed) & 0xFF) << 16 | ((y * 13 + seed) & 0xFF) << 8 | (((x ^ y) + seed * 3) & 0xFF);
    return pixels;
}

class X11PresentTest : public X11Test, public ::testing::WithParamInterface<bool> {
protected:
    platform::X11Options Options() const override { return {.sharedMemory = GetParam()}; }
};

TEST_P(X11PresentTest, ShowsPresentedPixelsAndOnlyTheChangedArea)
{
    constexpr int W = 211, H = 157, Stride = 224;  // odd sizes, rows wider than the window
    const platform::WindowId id = ShowWindow({40, 30, 40 + W, 30 + H});
    ASSERT_NE(id, 0u);
    std::vector<uint32_t> frame = Pattern(W, H, Stride, 1);
    FPlatform->Present(id, frame.data(), Stride, W, H, {0, 0, W, H});
    EXPECT_EQ(FPlatform->PresentsThroughSharedMemory(id), GetParam());
    EXPECT_TRUE(SamePixels(ViewOf(frame, W, Stride), ViewOf(ReadBack(static_cast<Window>(id), W, H), W), "expected", "shown"));

    // Draw a new frame everywhere but present only a rectangle of it: the
    // rest of the window keeps the old pixels.
    const std::vector<uint32_t> next = Pattern(W, H, Stride, 77);
    const Rect changed{17, 9, 130, 101};
    for (int y = changed.top; y < changed.bottom; ++y)
        for (int x = changed.left; x < changed.right; ++x)
            frame[static_cast<size_t>(y) * Stride + x] = next[static_cast<size_t>(y) * Stride + x];
    FPlatform->Present(id, next.data(), Stride, W, H, changed);
    EXPECT_TRUE(SamePixels(ViewOf(frame, W, Stride), ViewOf(ReadBack(static_cast<Window>(id), W, H), W), "expected", "shown"));

    // Areas beyond the buffer are clipped, not read.
    FPlatform->Present(id, next.data(), Stride, W, H, {-50, -50, W + 50, H + 50});
    EXPECT_TRUE(SamePixels(ViewOf(next, W, Stride), ViewOf(ReadBack(static_cast<Window>(id), W, H), W), "expected", "shown"));
}

TEST_P(X11PresentTest, RepeatedOverlappingPresentsNeverShowStalePixels)
{
    // Many overlapping puts in a row, as a moving panel makes: each one must
    // wait for the server to have read the previous one of that area.
    constexpr int W = 354, H = 346;
    const platform::WindowId id = ShowWindow({0, 0, W, H});
    ASSERT_NE(id, 0u);
    std::vector<uint32_t> frame;
    for (uint32_t seed = 0; seed < 40; ++seed) {
        frame = Pattern(W, H, W, seed);
        FPlatform->Present(id, frame.data(), W, W, H, {static_cast<int>(seed), 0, W, H});
        FPlatform->Present(id, frame.data(), W, W, H, {0, 0, static_cast<int>(seed) + 1, H});
    }
    EXPECT_TRUE(SamePixels(ViewOf(frame, W, W), ViewOf(ReadBack(static_cast<Window>(id), W, H), W), "expected", "shown"));
}

TEST_P(X11PresentTest, ExposedAreaShowsThePresentedPixelsAgain)
{
    constexpr int W = 120, H = 90;
    const platform::WindowId id = ShowWindow({100, 100, 100 + W, 100 + H});
    ASSERT_NE(id, 0u);
    const std::vector<uint32_t> frame = Pattern(W, H, W, 5);
    FPlatform->Present(id, frame.data(), W, W, H, {0, 0, W, H});
    CollectEvents(*FPlatform, 50);  // the first exposure, from before anything was presented

    // Another program's window covers ours and goes away again.
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = WhitePixel(FInspector, DefaultScreen(FInspector));
    const Window cover = XCreateWindow(FInspector, DefaultRootWindow(FInspector), 90, 90, 100, 100, 0, CopyFromParent,
                                       InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(FInspector, cover);
    XSync(FInspector, False);
    XDestroyWindow(FInspector, cover);
    XSync(FInspector, False);
    // The backend repaints from what it kept; the class library is not asked.
    const std::vector<platform::Event> events = CollectEvents(*FPlatform, 200);
    for (const platform::Event& e : events) EXPECT_NE(e.type, platform::x11::kExposeEvent);
    EXPECT_TRUE(SamePixels(ViewOf(frame, W, W), ViewOf(ReadBack(static_cast<Window>(id), W, H), W), "expected", "shown"));
}

TEST_P(X11PresentTest, AWindowShownAgainIsBlackUntilSomethingIsPresented)
{
    // The class library counts on it: after a show it sends only what is not black.
    constexpr int W = 80, H = 60;
    const platform::WindowId id = ShowWindow({40, 40, 40 + W, 40 + H});
    ASSERT_NE(id, 0u);
    const std::vector<uint32_t> frame = Pattern(W, H, W, 3);
    FPlatform->Present(id, frame.data(), W, W, H, {0, 0, W, H});
    CollectEvents(*FPlatform, 50);
    FPlatform->ShowNativeWindow(id, false);
    CollectEvents(*FPlatform, 50);
    FPlatform->ShowNativeWindow(id, true);
    CollectEvents(*FPlatform, 200);  // the exposure of the new mapping
    EXPECT_TRUE(SamePixels(ViewOf(std::vector<uint32_t>(W * H, 0), W), ViewOf(ReadBack(static_cast<Window>(id), W, H), W), "black", "shown"));
}

TEST_P(X11PresentTest, ABufferOfANewSizeIsShownAtItsNewSize)
{
    const platform::WindowId id = ShowWindow({0, 0, 64, 48});
    ASSERT_NE(id, 0u);
    const std::vector<uint32_t> small = Pattern(64, 48, 64, 9);
    FPlatform->Present(id, small.data(), 64, 64, 48, {0, 0, 64, 48});
    FPlatform->SetNativeBounds(id, {0, 0, 150, 100});
    const std::vector<uint32_t> large = Pattern(150, 100, 150, 21);
    FPlatform->Present(id, large.data(), 150, 150, 100, {0, 0, 150, 100});
    EXPECT_TRUE(SamePixels(ViewOf(large, 150, 150), ViewOf(ReadBack(static_cast<Window>(id), 150, 100), 150), "expected", "shown"));
}

TEST_P(X11PresentTest, PixelsDrawnIntoTheBackendsOwnBufferAreShownWithoutACopy)
{
    constexpr int W = 97, H = 61;
    const platform::WindowId id = ShowWindow({0, 0, W, H});
    ASSERT_NE(id, 0u);
    int stride = 0;
    uint32_t* pixels = FPlatform->BackBuffer(id, W, H, &stride);
    ASSERT_NE(pixels, nullptr);
    ASSERT_GE(stride, W);
    const std::vector<uint32_t> frame = Pattern(W, H, stride, 33);
    std::copy(frame.begin(), frame.end(), pixels);
    FPlatform->Present(id, pixels, stride, W, H, {0, 0, W, H});
    EXPECT_TRUE(SamePixels(ViewOf(frame, W, stride), ViewOf(ReadBack(static_cast<Window>(id), W, H), W), "expected", "shown"));
}

INSTANTIATE_TEST_SUITE_P(Transport, X11PresentTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "SharedMemory" : "PlainRequests";
                         });

}  // namespace
}  // namespace velmora_test
