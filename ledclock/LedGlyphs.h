// The LED clock's dot-matrix font: the characters '0' to '9' and ':' on a grid
// of 6 columns and 9 rows.
#pragma once

#include <cstdint>

constexpr int LedGlyphCount = 11;
constexpr int LedGlyphRows = 9;
constexpr int LedGlyphColumns = 6;

// Row r (0 = top) of character c is at (c - '0') x 9 + r. Each byte holds the
// row's 6 columns: bit 5 is the leftmost column, bit 0 the rightmost.
extern const uint8_t LedGlyphs[LedGlyphCount * LedGlyphRows];

// The row byte of ch, or 0 for a character the font does not have.
uint8_t LedGlyphRow(char ch, int row);
