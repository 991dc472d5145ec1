// Where the LED clock's elements go: the ring of hour marks and seconds dots,
// and the time text with its slanted dot-matrix characters.
#pragma once

#include "classlib/system/Types.h"
#include "ledclock/LedClockLook.h"

#include <cstdint>

constexpr int LedTimeTextLength = 5;  // "HH:MM"
constexpr int HourMarkCount = 12;
constexpr int SecondsDotCount = 60;

struct TLedRing {
    int32_t CentreX = 0;
    int32_t CentreY = 0;
    int32_t TickRadius = 0;     // R, through the hour marks
    int32_t SecondsRadius = 0;  // r, through the seconds dots
};

TLedRing LedRingGeometry(int32_t width, int32_t height, int32_t secWidth, int32_t tickWidth);
// Mark i = 0 lies straight below the centre, i = 3 left, 6 above, 9 right.
TPoint HourMarkCentre(const TLedRing& ring, int i);
// Dot s = 0 lies straight above the centre; the dots advance clockwise.
TPoint SecondsDotCentre(const TLedRing& ring, int s);
// The box of a round dot of the given radius around centre.
TRect DotBox(TPoint centre, int32_t radius);

struct TLedTextLayout {
    int32_t CharWidth = 0;   // w
    int32_t CharHeight = 0;  // h
    int32_t TotalWidth = 0;  // T
    int32_t StartX = 0;      // reference X of the first character
    int32_t Y = 0;           // top of the top row
};

TLedTextLayout LedTextLayout(const TDmLedClockLook& look);

// "HH:MM" with leading zeros; in 12-hour format hours 13..23 read 01..11 while
// 0 stays 00 and 12 stays 12. No terminating zero.
void FormatLedTime(int hours, int minutes, TDmHourFormat format, char (&text)[LedTimeTextLength]);

// The reference X (rightmost column) each character of text is drawn at: the
// advance depends on the character that follows, and a colon sits centred in
// the half character width that leads to it.
void LedCharacterReferences(const TLedTextLayout& layout, int32_t spacing, int32_t ledSize,
                            const char (&text)[LedTimeTextLength], int32_t (&references)[LedTimeTextLength]);

// The box of the dot in glyph row `row`, column bit `column` (0 = rightmost), of a
// character with reference X and top Y, shifted left by the row's slant.
TRect LedDotBox(int32_t X, int32_t Y, int32_t ledSize, int row, int column, int32_t slant);
