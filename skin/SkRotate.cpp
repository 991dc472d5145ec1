// Quarter and half turns of a bitmap, in place.
#include "classlib/graphics/Bitmap.h"
#include "skin/SkDraw.h"

#include <vector>

namespace {

// Rebuilds the bitmap as newW x newH pixels, pixel (x, y) of the old one landing at place(x, y).
template <typename TPlace>
void Rotate(TBitmap& bitmap, int newW, int newH, TPlace place)
{
    const int w = bitmap.Width(), h = bitmap.Height();
    if (w == 0 || h == 0) return;
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const TPoint to = place(x, y);
            pixels[static_cast<size_t>(to.Y) * newW + to.X] = row[x];
        }
    }
    bitmap.AssignPixels(newW, newH, std::move(pixels), bitmap.PixelFormat());
}

}  // namespace

void RoundPicture(TBitmap& Bitmap)
{
    const int w = Bitmap.Width(), h = Bitmap.Height();
    Rotate(Bitmap, h, w, [w](int x, int y) { return TPoint(y, w - 1 - x); });
}

void RoundPicture2(TBitmap& Bitmap)
{
    const int w = Bitmap.Width(), h = Bitmap.Height();
    Rotate(Bitmap, w, h, [w, h](int x, int y) { return TPoint(w - 1 - x, h - 1 - y); });
}

void RoundPicture3(TBitmap& Bitmap)
{
    const int w = Bitmap.Width(), h = Bitmap.Height();
    Rotate(Bitmap, h, w, [h](int x, int y) { return TPoint(h - 1 - y, x); });
}
