// Text drawn again comes from the glyph cache: no rasterising and no heap.
#include "classlib/graphics/FontEngine.h"
#include "tests/support/CountingAllocator.h"
#include "TextTestSupport.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

namespace {

// The texts of a dialog, made before counting so that only drawing is counted.
struct DialogTexts {
    std::string Label = "Change the Clock Color";
    std::string Caption = "Velmora Screensaver 1.0";
    std::string Link = "Visit Tarnwick Software Website";
    std::string Button = "&Close\tcaf\xC3\xA9";
    std::string Clipped = "clipped text";
    std::string Short = "Wq";
};

// Draws a caption, a wrapped label and a prefixed button text, as a dialog paints.
void PaintTexts(TCanvas& c, const DialogTexts& t)
{
    c.Font()->SetStyle(0);
    c.TextOut(2, 2, t.Label);
    c.Font()->SetStyle(fsBold | fsUnderline);
    TRect caption = Rect(0, 20, 150, 40);
    c.DrawText(t.Caption, caption, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    c.Font()->SetStyle(0);
    TRect wrapped = Rect(0, 40, 80, 0);
    c.DrawText(t.Link, wrapped, DT_WORDBREAK | DT_CALCRECT);
    c.DrawText(t.Link, wrapped, DT_WORDBREAK | DT_EXPANDTABS);
    TRect button = Rect(0, 90, 150, 110);
    c.DrawText(t.Button, button, DT_SINGLELINE | DT_EXPANDTABS);
    c.TextRect(Rect(0, 110, 60, 125), 0, 110, t.Clipped);
    (void)c.TextExtent(t.Short);
}

} // namespace

TEST(GlyphCache, RepeatedTextRasterisesAndAllocatesNothing)
{
    TextBitmap first(160, 130), second(160, 130);
    const DialogTexts texts;
    PaintTexts(first.Canvas(), texts);

    const TFontEngineStats before = FontEngineStats();
    const long allocationsBefore = CountingAllocator::Total();
    PaintTexts(first.Canvas(), texts);
    PaintTexts(second.Canvas(), texts); // another canvas with an equal font shares its glyphs
    const long allocations = CountingAllocator::Total() - allocationsBefore;
    const TFontEngineStats after = FontEngineStats();

    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(after.Rasterisations, before.Rasterisations);
    EXPECT_EQ(after.FontLoads, before.FontLoads);
    EXPECT_FALSE(IsRectEmpty(second.InkBounds()));
}

TEST(GlyphCache, ManyFontsAndGlyphsStayCorrectPastTheCacheLimits)
{
    // More sizes than fonts kept, and big glyphs past the cache's byte budget:
    // text keeps measuring the same and drawing.
    TextBitmap b(400, 300);
    TCanvas& c = b.Canvas();
    c.Font()->SetHeight(-11);
    const int reference = c.TextWidth("Reference text");
    for (int round = 0; round < 2; ++round)
        for (int height = -8; height >= -300; height -= 8) {
            c.Font()->SetHeight(height);
            c.TextOut(0, 0, "ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0123456789");
        }
    c.Font()->SetHeight(-11);
    EXPECT_EQ(c.TextWidth("Reference text"), reference);
}

TEST(GlyphCache, ThreadsDrawingAtOnceGetTheSamePictures)
{
    // Each thread paints its own bitmap with fonts of its own and shared ones.
    const DialogTexts texts;
    TextBitmap expected(160, 130);
    PaintTexts(expected.Canvas(), texts);
    std::vector<std::unique_ptr<TextBitmap>> bitmaps;
    for (int i = 0; i < 4; ++i) bitmaps.push_back(std::make_unique<TextBitmap>(160, 130));
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&, i] {
            TextBitmap scratch(100, 40);
            for (int round = 0; round < 20; ++round) {
                scratch.Canvas().Font()->SetHeight(-9 - i - round % 5);
                scratch.Canvas().TextOut(0, 0, texts.Link);
                bitmaps[i]->Clear();
                PaintTexts(bitmaps[i]->Canvas(), texts);
            }
        });
    for (auto& t : threads) t.join();
    for (const auto& b : bitmaps)
        EXPECT_TRUE(std::equal(b->Bitmap().ScanLine(0), b->Bitmap().ScanLine(0) + 160 * 130,
                               expected.Bitmap().ScanLine(0)));
}
