#include "ledclock/LedFaceCache.h"

#include "ledclock/Int32Math.h"
#include "ledclock/LedNumerics.h"

const TLedFaceCache::TRingPositions& TLedFaceCache::Ring(int32_t width, int32_t height, int32_t secWidth,
                                                         int32_t tickWidth)
{
    const int32_t key[4] = {width, height, secWidth, tickWidth};
    if (FRingValid && key[0] == FRingKey[0] && key[1] == FRingKey[1] && key[2] == FRingKey[2] && key[3] == FRingKey[3])
        return FRing;
    const TLedRing ring = LedRingGeometry(width, height, secWidth, tickWidth);
    for (int i = 0; i < HourMarkCount; ++i) FRing.HourMarks[i] = HourMarkCentre(ring, i);
    for (int s = 0; s < SecondsDotCount; ++s) FRing.SecondsDots[s] = SecondsDotCentre(ring, s);
    for (int k = 0; k < 4; ++k) FRingKey[k] = key[k];
    FRingValid = true;
    return FRing;
}

const int32_t* TLedFaceCache::Slants(int32_t ledSize, int32_t angle)
{
    if (FSlantsValid && FSlantKey[0] == ledSize && FSlantKey[1] == angle) return FSlants;
    for (int row = 0; row < LedGlyphRows; ++row) FSlants[row] = SlantOffset(Wrap32(int64_t(row) * ledSize), angle);
    FSlantKey[0] = ledSize;
    FSlantKey[1] = angle;
    FSlantsValid = true;
    return FSlants;
}
