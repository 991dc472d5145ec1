#include "ledclock/LedNumerics.h"

#include "ledclock/Int32Math.h"

#include <cmath>
#include <cstdint>

namespace {

// Pi as the nearest 80-bit value, the constant the extended-precision unit loads.
constexpr long double ExtendedPi = 3.141592653589793238462643383279502884L;
constexpr long double Two63 = 9223372036854775808.0L;

}  // namespace

bool RoundHalfEven(long double value, int64_t& result)
{
    if (!std::isfinite(value) || value >= Two63 || value < -Two63) return false;
    long double whole = std::floor(value);
    const long double fraction = value - whole;  // exact: both share value's exponent range
    int64_t rounded = static_cast<int64_t>(whole);  // exact: whole lies in [-2^63, 2^63)
    if (fraction > 0.5L || (fraction == 0.5L && (rounded & 1) != 0)) {
        if (rounded == INT64_MAX) return false;
        ++rounded;
    }
    result = rounded;
    return true;
}

int32_t SlantOffset(int32_t a, int32_t angle)
{
    const long double radians = static_cast<long double>(angle) * ExtendedPi / 180;
    const long double product = static_cast<long double>(a) * std::tan(radians);
    int64_t rounded = 0;
    if (!RoundHalfEven(product, rounded)) return 0;
    return Wrap32(rounded);
}

TPoint RingPoint(int32_t cx, int32_t cy, int32_t radius, int k, int divisions)
{
    const double t = static_cast<double>(static_cast<long double>(k) * (2 * ExtendedPi) / divisions);
    const long double r = radius;
    int64_t dx = 0;
    int64_t dy = 0;
    // |radius| < 2^31, so both products always round into 64 bits.
    RoundHalfEven(r * std::cos(static_cast<long double>(t)), dx);
    RoundHalfEven(r * std::sin(static_cast<long double>(t)), dy);
    return {Wrap32(int64_t(cx) - dx), Wrap32(int64_t(cy) - dy)};
}
