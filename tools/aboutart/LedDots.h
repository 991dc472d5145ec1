// LED dots as the About pictures show them: lit dots with a bright core and a
// soft red glow, and unlit dots as dark sockets.
#pragma once

#include "tools/aboutart/ArtImage.h"

#include <vector>

struct TLedDot {
    float X = 0;  // centre, in picture pixels
    float Y = 0;
    float Radius = 1;
};

struct TLedLook {
    TRgb Rim = Rgb(0xD0141C);
    TRgb Core = Rgb(0xFF4634);
    TRgb Highlight = Rgb(0xFFB4A0);
    TRgb Glow = Rgb(0xFF2A1A);
    float GlowSpread = 1.8f;    // standard deviation of the halo, pixels
    float GlowStrength = 0.8f;
    int Scale = 8;              // supersampling of the dots' edges
};

// Dots that are off: a dark red socket with a faint rim.
void PaintUnlitDots(TArtImage& image, const std::vector<TLedDot>& dots, const TRgb& socket, int scale);
// Dots that are on; brightness 0..1 dims them towards an unlit socket and
// weakens their glow.
void PaintLitDots(TArtImage& image, const std::vector<TLedDot>& dots, const TLedLook& look, float brightness = 1.0f,
                  const TRgb& socket = Rgb(0x2A0A0C));
