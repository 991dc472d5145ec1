// The clock's dot positions, row slants and dot shapes, worked out again only
// when the inputs they depend on change: a steady paint then does no
// trigonometry and traces no outline.
#pragma once

#include "classlib/system/Types.h"
#include "ledclock/LedDotStamp.h"
#include "ledclock/LedGlyphs.h"
#include "ledclock/LedLayout.h"

#include <cstdint>

class TLedFaceCache {
public:
    // Centres of the hour marks and of the seconds dots for a clock of this size.
    struct TRingPositions {
        TPoint HourMarks[HourMarkCount];
        TPoint SecondsDots[SecondsDotCount];
    };
    const TRingPositions& Ring(int32_t width, int32_t height, int32_t secWidth, int32_t tickWidth);
    // SlantOffset(row x ledSize, angle) of each glyph row.
    const int32_t* Slants(int32_t ledSize, int32_t angle);
    // The shapes of the three kinds of dot; each painter refits its stamp to
    // the boxes it is given.
    TLedDotStamp& HourMarkDot() { return FHourMarkDot; }
    TLedDotStamp& TextDot() { return FTextDot; }
    TLedDotStamp& SecondsDot() { return FSecondsDot; }

private:
    bool FRingValid = false;
    int32_t FRingKey[4] = {};
    TRingPositions FRing;
    bool FSlantsValid = false;
    int32_t FSlantKey[2] = {};
    int32_t FSlants[LedGlyphRows] = {};
    TLedDotStamp FHourMarkDot;
    TLedDotStamp FTextDot;
    TLedDotStamp FSecondsDot;
};
