#include "ledclock/DmSysUtils.h"

TRect BitmapRect(const TBitmap& bitmap)
{
    return {0, 0, bitmap.Width(), bitmap.Height()};
}

bool CompareRect(const TRect& a, const TRect& b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}
