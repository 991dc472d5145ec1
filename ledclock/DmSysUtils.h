// Rectangle helpers of the LED clock's control family.
#pragma once

#include "classlib/graphics/Bitmap.h"
#include "classlib/system/Types.h"

// The rectangle (0, 0, width, height) of a bitmap.
TRect BitmapRect(const TBitmap& bitmap);
// True when both rectangles have the same left, top, right and bottom.
bool CompareRect(const TRect& a, const TRect& b);
