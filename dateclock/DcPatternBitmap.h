// The one 8 x 8 checker bitmap shared by every digit renderer of the process.
#pragma once

#include "classlib/graphics/Bitmap.h"

// The checker with colour a where x + y is odd and b where it is even. It is
// repainted only when (a, b) differs from the pair it was last painted with.
// Main thread only, like every renderer that uses it.
TBitmap* GetPatternBitmap(TColor a, TColor b);
