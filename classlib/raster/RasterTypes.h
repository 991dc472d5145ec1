// What the rasterisers draw on and with: a view of 32-bit pixels, and the pen
// and brush styles they know. The graphics objects use the same values.
#pragma once

#include "classlib/system/Types.h"

#include <cstddef>
#include <cstdint>

// A view of 32-bit pixels, rows top-down, Stride pixels apart. Not owning.
struct TPixelSurface {
    uint32_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    int Stride = 0;
    uint32_t* Row(int y) const { return Bits + static_cast<ptrdiff_t>(y) * Stride; }
    TRect BoundsRect() const { return {0, 0, Width, Height}; }
    explicit operator bool() const { return Bits != nullptr && Width > 0 && Height > 0; }
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmCopy, pmNot, pmXor, pmNotXor };
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
enum TFillMode { fmAlternate, fmWinding };
