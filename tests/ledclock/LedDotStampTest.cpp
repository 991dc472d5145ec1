// The clock's dot painter against TCanvas::Ellipse: for every dot box the
// clock can make (text dots of LedSize + 1 by LedSize, ring dots of twice the
// mark or seconds width each way, negative sizes included) at every position
// that puts it inside or across each edge of a small clipped surface, under
// pens and brushes that take the painter's direct path, its general path and
// its fall-back to Ellipse.
#include "ledclock/LedDotStamp.h"
#include "tests/support/PixelCompare.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int SurfaceWidth = 13;
constexpr int SurfaceHeight = 11;

// Uneven pixels, so that a mixing pen shows where it was applied twice or not at all.
void PaintBackground(TBitmap& bitmap)
{
    for (int y = 0; y < SurfaceHeight; ++y)
        for (int x = 0; x < SurfaceWidth; ++x)
            bitmap.ScanLine(y)[x] = (static_cast<uint32_t>(x * 37 + y * 101) * 0x010203u) & 0x00FFFFFFu;
}

struct TCanvasSetup {
    const char* Name;
    std::function<void(TCanvas&, TBitmap& pattern)> Apply;
};

const TCanvasSetup Setups[] = {
    {"solid pen and brush of two colours",
     [](TCanvas& c, TBitmap&) {
         c.Pen()->SetColor(clRed);
         c.Brush()->SetColor(TColor(0x00FF00));
     }},
    {"xor dotted pen, pattern brush, origin and clip",
     [](TCanvas& c, TBitmap& pattern) {
         c.Pen()->SetColor(TColor(0x3366CC));
         c.Pen()->SetStyle(psDot);
         c.Pen()->SetMode(pmXor);
         c.Brush()->SetBitmap(&pattern);
         c.SetBrushOrigin({3, 5});
         c.SetOrigin({-2, 3});
         c.SetClipRect({1, -1, 12, 6});  // device columns -1..9, rows 2..8
     }},
    {"wide pen", [](TCanvas& c, TBitmap&) { c.Pen()->SetWidth(2); }},
    {"clear pen", [](TCanvas& c, TBitmap&) { c.Pen()->SetStyle(psClear); }},
};

// Box sizes (right - left, bottom - top) of the clock's dots, a little past the
// stamp's largest size so that both sides of that limit are drawn.
std::vector<TSize> ClockDotSizes()
{
    std::vector<TSize> sizes;
    for (int ledSize = -4; ledSize <= TLedDotStamp::MaxSize + 1; ++ledSize) sizes.push_back({ledSize + 1, ledSize});
    for (int radius = -2; radius <= TLedDotStamp::MaxSize / 2 + 1; ++radius) sizes.push_back({2 * radius, 2 * radius});
    return sizes;
}

TEST(LedDotPainter, DrawsEveryClockDotAsEllipseDoes)
{
    TBitmap pattern(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) pattern.ScanLine(y)[x] = static_cast<uint32_t>(x * 0x1F0000 + y * 0x00230B);

    for (const TCanvasSetup& setup : Setups) {
        TBitmap expected(SurfaceWidth, SurfaceHeight), actual(SurfaceWidth, SurfaceHeight);
        setup.Apply(*expected.Canvas(), pattern);
        setup.Apply(*actual.Canvas(), pattern);
        // One stamp for every size, as the clock keeps one per kind of dot.
        TLedDotStamp stamp;
        TLedDotPainter painter(*actual.Canvas(), stamp);
        int differences = 0;
        for (const TSize& size : ClockDotSizes()) {
            const int spanX = std::abs(size.cx), spanY = std::abs(size.cy);
            for (int top = -spanY - 4; top <= SurfaceHeight + 2; ++top) {
                for (int left = -spanX - 4; left <= SurfaceWidth + 2; ++left) {
                    const TRect box(left, top, left + size.cx, top + size.cy);
                    PaintBackground(expected);
                    PaintBackground(actual);
                    expected.Canvas()->Ellipse(box);
                    painter.Paint(box);
                    const std::string where = FirstDifference(ViewOf(expected), ViewOf(actual));
                    if (where.empty()) continue;
                    if (++differences <= 5)
                        ADD_FAILURE() << setup.Name << ": box (" << box.Left << ", " << box.Top << ", " << box.Right
                                      << ", " << box.Bottom << ") differs first at " << where;
                }
            }
        }
        EXPECT_EQ(differences, 0) << setup.Name;
    }
}

}  // namespace
