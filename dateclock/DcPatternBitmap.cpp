#include "dateclock/DcPatternBitmap.h"

namespace {

struct TPatternBitmap {
    TBitmap Bitmap{8, 8};
    bool Painted = false;
    TColor A = 0;
    TColor B = 0;
};

} // namespace

TBitmap* GetPatternBitmap(TColor a, TColor b)
{
    // Lives until the program ends; built on first use.
    static TPatternBitmap pattern;
    if (pattern.Painted && pattern.A == a && pattern.B == b) return &pattern.Bitmap;
    const uint32_t odd = ColorToPixel(a), even = ColorToPixel(b);
    for (int y = 0; y < 8; ++y) {
        uint32_t* row = pattern.Bitmap.ScanLine(y);
        for (int x = 0; x < 8; ++x) row[x] = (x + y) % 2 ? odd : even;
    }
    pattern.Painted = true;
    pattern.A = a;
    pattern.B = b;
    return &pattern.Bitmap;
}
