// The floating point that decides the LED clock's pixels: 80-bit extended
// precision with exact halves rounded to the even integer. The angles of the
// ring are rounded to doubles on the way, exactly as the positions were first
// worked out, so that the picture is the same dot for dot.
#pragma once

#include "classlib/system/Types.h"

#include <cfloat>
#include <cstdint>

static_assert(LDBL_MANT_DIG == 64, "the LED clock's pixel positions need 80-bit extended long double");

// Rounds to the nearest integer, exact halves to the even one. False (result
// untouched) when value is not finite or its rounding does not fit 64 bits.
bool RoundHalfEven(long double value, int64_t& result);

// The horizontal shift of a text row a pixels below the top for a slant of
// angle degrees: round(a x tan(angle)). 0 when the tangent is unbounded or the
// product does not fit 64 bits; the rounded value is kept to its low 32 bits.
int32_t SlantOffset(int32_t a, int32_t angle);

// Point k of a ring of `divisions` points around (cx, cy):
// (cx - round(radius x cos t), cy - round(radius x sin t)), t = k x 2 pi / divisions.
TPoint RingPoint(int32_t cx, int32_t cy, int32_t radius, int k, int divisions);
