// Canvas reference cases: one line describes a drawing call ("ellipse w=7 h=6
// pen=ffffff brush=ffffff", "polygon ... pts=4,3;5,3;..."); everything from
// " org=" on is a result: the printed window of the picture and its rows. This
// reads case lines, draws them with TCanvas on a fresh black 64 x 64 bitmap and
// prints results in the same form, so a drawn picture can be compared pixel by
// pixel with a reference one. Shared by the canvas-cases tool and the tests.
#pragma once

#include "classlib/graphics/Bitmap.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace CanvasCases {

// The bitmap is 64 x 64; case coordinates are device pixels minus 8, so that a
// window one pixel around a shape at (0, 0) still lies on the bitmap.
constexpr int CanvasSize = 64;
constexpr int CaseOffset = 8;

struct TCase {
    std::string Kind;
    std::vector<std::pair<std::string, std::string>> Keys;
    std::string Description; // the line up to " org=", as given

    const std::string* Find(const std::string& key) const
    {
        for (const auto& kv : Keys)
            if (kv.first == key) return &kv.second;
        return nullptr;
    }
};

// Lit (non-black) pixels by case coordinates (x, y), as 0x00RRGGBB.
using TPixelMap = std::map<std::pair<int, int>, uint32_t>;

// A printed window in case coordinates.
struct TWindow {
    int X = 0, Y = 0, Width = 0, Height = 0;
};

// A pixel as six lower-case hexadecimal digits.
std::string HexPixel(uint32_t pixel);

// Splits a case line into kind, keys and description; false (with error) for a
// line without a kind or with a malformed key.
bool ParseCase(const std::string& line, TCase& out, std::string& error);

// The window a result is printed in: the case's nominal extent one pixel wider
// on every side, cut to the bitmap.
TWindow WindowOf(const TCase& c);

// Draws the case on bitmap, made 64 x 64 and black first. False (with error)
// for an unknown kind or a missing or malformed key.
bool DrawCase(const TCase& c, TBitmap& bitmap, std::string& error);

// Lit pixels of a drawn bitmap, in case coordinates.
TPixelMap LitPixels(const TBitmap& bitmap);

// The rows of a window of a pixel map, '/'-separated.
std::string Rows(const TPixelMap& lit, const TWindow& w);

// The result part of a record for the lit pixels in window.
std::string FormatResult(const TPixelMap& lit, const TWindow& w);

std::string FormatRecord(const TCase& c, const TBitmap& bitmap);

// The expected picture of a record: its window, its lit pixels and whether it
// says pixels spill out of the window. False (with error) when the result part
// is missing or does not fit its window.
bool ParseResult(const std::string& line, TWindow& window, TPixelMap& lit, bool& spill, std::string& error);

} // namespace CanvasCases
