// The value types of the LED clock and everything its picture depends on.
#pragma once

#include "classlib/graphics/Color.h"

#include <cstdint>

enum TDmHourFormat : uint8_t { hfmt24h = 0, hfmt12h = 1 };

using TDmHoursInt = uint8_t;    // 0..23
using TDmMinutesInt = uint8_t;  // 0..59
using TDmSecondsInt = uint8_t;  // 0..59

// The clock's drawing inputs, as its properties hold them. Plain values, so a
// paint can gather them without allocating.
struct TDmLedClockLook {
    int32_t Width = 0;
    int32_t Height = 0;
    bool HourMarks = true;
    bool SecondsIndicator = true;
    TDmHoursInt Hours = 0;
    TDmMinutesInt Minutes = 0;
    TDmSecondsInt Seconds = 0;
    TDmHourFormat HourFormat = hfmt24h;
    int32_t LedSize = 3;
    int32_t Spacing = 8;
    int32_t TextOffsetX = 0;
    int32_t TextOffsetY = 0;
    int32_t TextAngle = 10;
    int32_t SecWidth = 2;
    int32_t TickWidth = 2;
    TColor HoursColor = clRed;
    TColor HoursOutline = clRed;
    TColor SecHandColor = clRed;
    TColor SecOutline = clRed;
    TColor TickColor = clRed;
    TColor TickOutline = clRed;
};
