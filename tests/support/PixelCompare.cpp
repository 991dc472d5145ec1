#include "tests/support/PixelCompare.h"

#include <cstdio>

TPixelView ViewOf(const TBitmap& bitmap)
{
    return ViewOf(bitmap.Surface());
}

TPixelView ViewOf(const TPixelSurface& surface)
{
    return {surface.Bits, surface.Width, surface.Height, surface.Stride};
}

TPixelView ViewOf(const std::vector<uint32_t>& pixels, int width, int stride)
{
    if (stride == 0) stride = width;
    const int height = width > 0 && stride > 0 ? static_cast<int>((pixels.size() + stride - width) / stride) : 0;
    return {pixels.data(), width, height, stride};
}

std::string FirstDifference(const TPixelView& expected, const TPixelView& actual, const char* expectedName,
                            const char* actualName)
{
    char text[160];
    if (expected.Width != actual.Width || expected.Height != actual.Height) {
        std::snprintf(text, sizeof text, "size %d x %d (%s), %d x %d (%s)", actual.Width, actual.Height, actualName,
                      expected.Width, expected.Height, expectedName);
        return text;
    }
    for (int y = 0; y < expected.Height; ++y)
        for (int x = 0; x < expected.Width; ++x)
            if (expected.At(x, y) != actual.At(x, y)) {
                std::snprintf(text, sizeof text, "first difference at (%d, %d): %s 0x%06x, %s 0x%06x", x, y, expectedName,
                              expected.At(x, y), actualName, actual.At(x, y));
                return text;
            }
    return {};
}

::testing::AssertionResult SamePixels(const TPixelView& expected, const TPixelView& actual, const char* expectedName,
                                      const char* actualName)
{
    const std::string difference = FirstDifference(expected, actual, expectedName, actualName);
    if (difference.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << difference;
}
