// Block copies: 1:1 and stretched CopyRect, pictures drawn with a colour key,
// and BrushCopy's replacement of a key colour by the brush.
#include "tests/classlib/graphics/CanvasTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF, White = 0xFFFFFF, Black = 0;

// A w x h bitmap whose pixel (x, y) is 0x00YYXX + 0x010101 (never black).
void Numbered(TBitmap& b, int w, int h)
{
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.ScanLine(y)[x] = 0x010101u + (static_cast<uint32_t>(y) << 8) + x;
}

uint32_t NumberOf(int x, int y) { return 0x010101u + (static_cast<uint32_t>(y) << 8) + x; }

} // namespace

TEST(CanvasCopy, CopyRectStretchesByNearestNeighbourAndMirrors)
{
    TBitmap source;
    Numbered(source, 4, 4);
    struct TCase {
        const char* Name;
        TRect Dest, Source;
        // The source pixel that lands on destination pixel (x, y), or (-1, -1) for none.
        TPoint (*Expected)(int x, int y);
    } const cases[] = {
        {"1:1 with an offset", Rect(2, 1, 5, 3), Rect(1, 2, 4, 4),
         [](int x, int y) { return x >= 2 && x < 5 && y >= 1 && y < 3 ? Point(x - 1, y + 1) : Point(-1, -1); }},
        {"doubled", Rect(0, 0, 8, 8), Rect(0, 0, 4, 4), [](int x, int y) { return Point(x / 2, y / 2); }},
        {"halved takes every other pixel", Rect(0, 0, 2, 2), Rect(0, 0, 4, 4),
         [](int x, int y) { return x < 2 && y < 2 ? Point(2 * x, 2 * y) : Point(-1, -1); }},
        {"mirrored left to right", Rect(4, 0, 0, 4), Rect(0, 0, 4, 4),
         [](int x, int y) { return x < 4 && y < 4 ? Point(3 - x, y) : Point(-1, -1); }},
        {"mirrored top to bottom by the source", Rect(0, 0, 4, 4), Rect(0, 4, 4, 0),
         [](int x, int y) { return x < 4 && y < 4 ? Point(x, 3 - y) : Point(-1, -1); }},
        {"source partly outside its surface", Rect(0, 0, 4, 4), Rect(2, -2, 6, 2),
         [](int x, int y) { return x < 2 && y >= 2 && y < 4 ? Point(x + 2, y - 2) : Point(-1, -1); }},
    };
    for (const TCase& k : cases) {
        TBitmap dest;
        Paint(dest, 8, 8, Black);
        dest.Canvas()->CopyRect(k.Dest, source.Canvas(), k.Source);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const TPoint from = k.Expected(x, y);
                ASSERT_EQ(At(dest, x, y), from.X < 0 ? Black : NumberOf(from.X, from.Y))
                    << k.Name << " at (" << x << ", " << y << ")";
            }
    }
}

TEST(CanvasCopy, CopyRectUsesTheSourceOriginAndTheDestinationClip)
{
    TBitmap source, dest;
    Numbered(source, 6, 6);
    Paint(dest, 6, 6, Black);
    source.Canvas()->SetOrigin({2, 3});
    source.Canvas()->SetClipRect(Rect(0, 0, 1, 1)); // the source's clip does not limit reading
    dest.Canvas()->SetClipRect(Rect(0, 0, 3, 6));
    dest.Canvas()->CopyRect(Rect(0, 0, 4, 2), source.Canvas(), Rect(-2, -3, 2, -1)); // device (0, 0) to (4, 2)
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(At(dest, x, y), x < 3 && y < 2 ? NumberOf(x, y) : Black) << "(" << x << ", " << y << ")";
}

TEST(CanvasCopy, CopyRectWithinOneSurfaceReadsTheOriginalPixels)
{
    for (const TRect dest : {Rect(1, 1, 6, 6), Rect(0, 0, 5, 5), Rect(2, 0, 7, 5), Rect(0, 0, 10, 10)}) {
        TBitmap bitmap, original;
        Numbered(bitmap, 12, 12);
        Numbered(original, 12, 12);
        bitmap.Canvas()->CopyRect(dest, bitmap.Canvas(), Rect(1, 1, 6, 6));
        TBitmap expected;
        Numbered(expected, 12, 12);
        expected.Canvas()->CopyRect(dest, original.Canvas(), Rect(1, 1, 6, 6));
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                ASSERT_EQ(At(bitmap, x, y), At(expected, x, y))
                    << "dest " << dest.Left << "," << dest.Top << " at (" << x << ", " << y << ")";
    }
}

TEST(CanvasCopy, TransparentBitmapLeavesItsKeyColourOut)
{
    // Bottom-left pixel green: the automatic key.
    TBitmap picture;
    Paint(picture, 3, 2, Green);
    picture.ScanLine(0)[1] = Blue;
    picture.ScanLine(1)[2] = White;

    struct TCase {
        const char* Name;
        bool Transparent;
        TColor FixedKey; // clDefault: the bottom-left pixel
        std::vector<uint32_t> Expected; // 3 x 2 drawn at (1, 1) on red
    } const cases[] = {
        {"opaque", false, clDefault, {Green, Blue, Green, Green, Green, White}},
        {"automatic key", true, clDefault, {Red, Blue, Red, Red, Red, White}},
        {"fixed key", true, clBlue, {Green, Red, Green, Green, Green, White}},
    };
    for (const TCase& k : cases) {
        picture.SetTransparent(k.Transparent);
        picture.SetTransparentColor(k.FixedKey);
        TBitmap canvas;
        Paint(canvas, 5, 4, Red);
        canvas.Canvas()->Draw(1, 1, &picture);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) {
                const bool inside = x >= 1 && x < 4 && y >= 1 && y < 3;
                ASSERT_EQ(At(canvas, x, y), inside ? k.Expected[static_cast<size_t>((y - 1) * 3 + x - 1)] : Red)
                    << k.Name << " at (" << x << ", " << y << ")";
            }
    }

    // StretchDraw scales the picture, key and all.
    picture.SetTransparent(true);
    picture.SetTransparentColor(clDefault);
    TBitmap canvas;
    Paint(canvas, 6, 4, Red);
    canvas.Canvas()->StretchDraw(Rect(0, 0, 6, 4), &picture);
    EXPECT_EQ(CountOf(canvas, Blue), 4);
    EXPECT_EQ(CountOf(canvas, White), 4);
    EXPECT_EQ(CountOf(canvas, Red), 16);
}

TEST(CanvasCopy, BrushCopyReplacesTheKeyColourByTheBrush)
{
    // A black picture with one white pixel, stretched 2:1 onto red.
    TBitmap picture;
    Paint(picture, 2, 2, Black);
    picture.ScanLine(0)[0] = White;
    // A blue pattern with one green pixel, tiled from the surface origin.
    TBitmap pattern;
    Paint(pattern, 8, 8, Blue);
    pattern.ScanLine(0)[2] = Green;

    struct TCase {
        const char* Name;
        void (*Brush)(TCanvas&, TBitmap&);
        uint32_t (*Key)(int x, int y); // what a key (black) pixel at (x, y) becomes
    } const cases[] = {
        {"solid brush", [](TCanvas& c, TBitmap&) { c.Brush()->SetColor(clBlue); }, [](int, int) { return Blue; }},
        {"clear brush", [](TCanvas& c, TBitmap&) { c.Brush()->SetStyle(bsClear); }, [](int, int) { return Red; }},
        {"pattern brush", [](TCanvas& c, TBitmap& p) { c.Brush()->SetBitmap(&p); },
         [](int x, int y) { return x == 2 && y == 0 ? Green : Blue; }},
    };
    for (const TCase& k : cases) {
        TBitmap canvas;
        Paint(canvas, 4, 4, Red);
        k.Brush(*canvas.Canvas(), pattern);
        canvas.Canvas()->BrushCopy(Rect(0, 0, 4, 4), &picture, Rect(0, 0, 2, 2), clBlack);
        canvas.Canvas()->Brush()->SetBitmap(nullptr);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                ASSERT_EQ(At(canvas, x, y), x < 2 && y < 2 ? White : k.Key(x, y))
                    << k.Name << " at (" << x << ", " << y << ")";
    }

    // clNone is no colour: nothing is replaced, white pixels included.
    TBitmap canvas;
    Paint(canvas, 4, 4, Red);
    canvas.Canvas()->Brush()->SetColor(clBlue);
    canvas.Canvas()->BrushCopy(Rect(0, 0, 4, 4), &picture, Rect(0, 0, 2, 2), clNone);
    EXPECT_EQ(CountOf(canvas, White), 4);
    EXPECT_EQ(CountOf(canvas, Black), 12);
}
