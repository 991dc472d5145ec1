#include "ledclock/LedLayout.h"

#include "ledclock/Int32Math.h"
#include "ledclock/LedNumerics.h"

#include <algorithm>

TLedRing LedRingGeometry(int32_t width, int32_t height, int32_t secWidth, int32_t tickWidth)
{
    TLedRing ring;
    ring.CentreX = Half(width);
    ring.CentreY = Half(height);
    const int32_t border = Wrap32((2 * int64_t(secWidth) + tickWidth) * 2);
    ring.TickRadius = Wrap32(int64_t(std::min(ring.CentreX, ring.CentreY)) - 10 - border);
    ring.SecondsRadius = Wrap32(int64_t(ring.TickRadius) - 2 * int64_t(secWidth) - tickWidth);
    return ring;
}

TPoint HourMarkCentre(const TLedRing& ring, int i)
{
    return RingPoint(ring.CentreX, ring.CentreY, ring.TickRadius, i + 9, HourMarkCount);
}

TPoint SecondsDotCentre(const TLedRing& ring, int s)
{
    return RingPoint(ring.CentreX, ring.CentreY, ring.SecondsRadius, s + 15, SecondsDotCount);
}

TRect DotBox(TPoint centre, int32_t radius)
{
    return {Wrap32(int64_t(centre.X) - radius), Wrap32(int64_t(centre.Y) - radius),
            Wrap32(int64_t(centre.X) + radius), Wrap32(int64_t(centre.Y) + radius)};
}

TLedTextLayout LedTextLayout(const TDmLedClockLook& look)
{
    TLedTextLayout layout;
    const int64_t pitch = int64_t(look.LedSize) + 1;
    layout.CharWidth = Wrap32(pitch * 5);
    layout.CharHeight = Wrap32(pitch * 8);
    layout.TotalWidth = Wrap32((int64_t(layout.CharWidth) + look.Spacing - 1) * 5);
    layout.StartX = Wrap32(int64_t(Half(Wrap32(int64_t(look.Width) - layout.TotalWidth))) + layout.CharWidth +
                           look.TextOffsetX);
    layout.Y = Wrap32(int64_t(Half(Wrap32(int64_t(look.Height) - layout.CharHeight))) + look.TextOffsetY);
    return layout;
}

namespace {

void PutTwoDigits(int value, char* out)
{
    // The clock's fields are 0..59; anything larger keeps its last two digits.
    const unsigned v = static_cast<unsigned>(value < 0 ? 0 : value) % 100;
    out[0] = static_cast<char>('0' + v / 10);
    out[1] = static_cast<char>('0' + v % 10);
}

}  // namespace

void FormatLedTime(int hours, int minutes, TDmHourFormat format, char (&text)[LedTimeTextLength])
{
    const int shown = (format == hfmt12h && hours > 12) ? hours - 12 : hours;
    PutTwoDigits(shown, text);
    text[2] = ':';
    PutTwoDigits(minutes, text + 3);
}

void LedCharacterReferences(const TLedTextLayout& layout, int32_t spacing, int32_t ledSize,
                            const char (&text)[LedTimeTextLength], int32_t (&references)[LedTimeTextLength])
{
    const int32_t halfWidth = Half(layout.CharWidth);
    int32_t x = layout.StartX;
    for (int p = 0; p < LedTimeTextLength; ++p) {
        references[p] = text[p] == ':' ? Wrap32(int64_t(x) + halfWidth - ledSize) : x;
        if (p + 1 < LedTimeTextLength) {
            x = text[p + 1] == ':' ? Wrap32(int64_t(x) + halfWidth)
                                   : Wrap32(int64_t(x) + layout.CharWidth + spacing);
        }
    }
}

TRect LedDotBox(int32_t X, int32_t Y, int32_t ledSize, int row, int column, int32_t slant)
{
    const int64_t pitch = int64_t(ledSize) + 1;
    const int32_t left = Wrap32(int64_t(X) - ledSize - pitch * column - slant);
    const int32_t top = Wrap32(int64_t(Y) + pitch * row);
    return {left, top, Wrap32(int64_t(left) + pitch), Wrap32(int64_t(top) + ledSize)};
}
