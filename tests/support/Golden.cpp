#include "tests/support/Golden.h"

#include "classlib/graphics/PngImage.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/SysUtils.h"

::testing::AssertionResult MatchesGolden(const TPixelView& actual, const std::string& name)
{
    const std::string golden = std::string(VELMORA_SOURCE_DIR) + "/tests/golden/" + name + ".png";
    const std::string saved = std::string(VELMORA_BINARY_DIR) + "/" + name + ".actual.png";
    const auto failure = [&]() -> ::testing::AssertionResult {
        SavePng(TPixelSurface{const_cast<uint32_t*>(actual.Pixels), actual.Width, actual.Height, actual.Stride}, saved);
        return ::testing::AssertionFailure();
    };
    if (!FileExists(golden)) return failure() << "no golden picture " << golden << "; the actual one is " << saved;
    TBitmap expected;
    try {
        LoadPng(golden, expected);
    } catch (const Exception& e) {
        return failure() << "golden picture " << golden << " unreadable (" << e.Message() << "); the actual one is "
                         << saved;
    }
    const std::string difference = FirstDifference(ViewOf(expected), actual, "golden", "actual");
    if (difference.empty()) return ::testing::AssertionSuccess();
    return failure() << difference << "; the actual picture is " << saved;
}
