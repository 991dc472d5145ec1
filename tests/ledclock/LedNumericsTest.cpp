// The floating point that places the LED clock's dots: rounding, the text
// slant and the ring positions, including the half-way cases of odd radii.
#include "ledclock/LedLayout.h"
#include "ledclock/LedNumerics.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <optional>

namespace {

std::optional<int64_t> Rounded(long double value)
{
    int64_t result = 0;
    if (!RoundHalfEven(value, result)) return std::nullopt;
    return result;
}

TEST(LedNumerics, RoundsHalvesToEvenAndRefusesWhatDoesNotFit)
{
    const struct {
        long double value;
        std::optional<int64_t> expected;
    } cases[] = {
        {0.5L, 0},   {1.5L, 2},   {2.5L, 2},   {-0.5L, 0},          {-1.5L, -2},     {-2.5L, -2},
        {2.4999999L, 2}, {2.5000001L, 3}, {-18.5000000000001L, -19}, {7.0L, 7},
        {9223372036854775808.0L, std::nullopt},  // 2^63
        {9223372036854775807.5L, std::nullopt},  // rounds up to 2^63
        {9223372036854775807.0L, INT64_MAX},
        {-9223372036854775808.0L, INT64_MIN},
        {INFINITY, std::nullopt},  {-INFINITY, std::nullopt}, {NAN, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(Rounded(c.value), c.expected) << static_cast<double>(c.value);
}

TEST(LedNumerics, SlantOfEachRow)
{
    const struct {
        int ledSize, angle;
        int expected[9];
    } cases[] = {
        {6, 5, {0, 1, 1, 2, 2, 3, 3, 4, 4}},        // the saver's clock
        {1, 10, {0, 0, 0, 1, 1, 1, 1, 1, 1}},       // the preview's clock
        {6, -5, {0, -1, -1, -2, -2, -3, -3, -4, -4}},  // leans the other way
        {40, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {40, 90, {0, 0, 0, 0, 0, 0, 0, 0, 0}},      // unbounded tangent
        {40, -90, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases)
        for (int row = 0; row < 9; ++row)
            EXPECT_EQ(SlantOffset(row * c.ledSize, c.angle), c.expected[row])
                << "LedSize " << c.ledSize << ", angle " << c.angle << ", row " << row;
}

TEST(LedNumerics, SlantMatchesDoublePrecisionForEveryUsableSizeAndAngle)
{
    for (int ledSize = 0; ledSize <= 40; ++ledSize)
        for (int angle = -89; angle <= 89; ++angle)
            for (int row = 0; row < 9; ++row) {
                const double a = row * ledSize;
                ASSERT_EQ(SlantOffset(row * ledSize, angle), std::lround(a * std::tan(angle * M_PI / 180)))
                    << "LedSize " << ledSize << ", angle " << angle << ", row " << row;
            }
}

TEST(LedNumerics, AbsurdInputsGiveAnAnswer)
{
    // Beyond 32 bits the slant keeps its low 32 bits; beyond 64 bits it is 0.
    EXPECT_EQ(SlantOffset(INT_MAX, 89), static_cast<int32_t>(std::llround(INT_MAX * std::tan(89 * M_PI / 180))));
    EXPECT_EQ(SlantOffset(INT_MAX, 90), 0);
    // Ring positions wrap around 32 bits instead of overflowing.
    EXPECT_EQ(RingPoint(INT_MIN, 0, INT_MAX, 0, 60), TPoint(1, 0));
    EXPECT_EQ(RingPoint(0, INT_MAX, INT_MIN, 15, 60), TPoint(0, -1));
}

// The cases where the exact product lies half-way between two integers: they
// occur only for an odd radius, and there the extended-precision result rounds
// the way the computed angle's error leans.
struct HalfWayCase {
    bool hourMark;  // else a seconds dot
    int index;
    bool cosine;    // else the sine product is the half-way one
    int sign;       // of the exact cosine or sine (+-1/2)
    bool up;        // toward plus infinity
};

constexpr HalfWayCase HalfWayTable[] = {
    {true, 1, true, +1, true},    {true, 2, false, -1, true},   {true, 4, false, +1, true},
    {true, 5, true, +1, false},   {true, 7, true, -1, false},   {true, 8, false, +1, false},
    {true, 10, false, -1, false}, {true, 11, true, -1, true},   {false, 5, true, -1, false},
    {false, 10, false, +1, false}, {false, 20, false, -1, false}, {false, 25, true, -1, true},
    {false, 35, true, +1, true},  {false, 40, false, -1, true}, {false, 50, false, +1, true},
    {false, 55, true, +1, false},
};

const HalfWayCase* FindHalfWay(bool hourMark, int index, bool cosine)
{
    for (const auto& c : HalfWayTable)
        if (c.hourMark == hourMark && c.index == index && c.cosine == cosine) return &c;
    return nullptr;
}

// round(radius x cos t) (or sin) as the portable double-precision rule gives it.
int64_t ShortcutProduct(int radius, int index, bool hourMark, bool cosine)
{
    const int k = hourMark ? index + 9 : index + 15;
    const double t = k * 2 * M_PI / (hourMark ? 12 : 60);
    const HalfWayCase* halfWay = (radius % 2 != 0) ? FindHalfWay(hourMark, index, cosine) : nullptr;
    if (halfWay) {
        const double exact = halfWay->sign * radius / 2.0;
        return static_cast<int64_t>(halfWay->up ? std::ceil(exact) : std::floor(exact));
    }
    return std::llround(radius * (cosine ? std::cos(t) : std::sin(t)));
}

TEST(LedNumerics, HalfWayTableForAnOddRadius)
{
    const int cx = 76, cy = 56, radius = 37;  // the preview's seconds radius
    for (const auto& c : HalfWayTable) {
        const int k = c.hourMark ? c.index + 9 : c.index + 15;
        const TPoint p = RingPoint(cx, cy, radius, k, c.hourMark ? 12 : 60);
        const int offset = c.cosine ? cx - p.X : cy - p.Y;
        const int expected = c.sign > 0 ? (c.up ? 19 : 18) : (c.up ? -18 : -19);
        EXPECT_EQ(offset, expected) << (c.hourMark ? "hour mark " : "seconds dot ") << c.index;
    }
    // The Part's own example: with r = 37, dot 25 is at cx + 18 and dot 35 at cx - 19.
    TLedRing ring{cx, cy, 40, 37};
    EXPECT_EQ(SecondsDotCentre(ring, 25).X, cx + 18);
    EXPECT_EQ(SecondsDotCentre(ring, 35).X, cx - 19);
}

TEST(LedNumerics, EveryRingPositionMatchesThePortableRuleUpToRadius600)
{
    for (int radius = 0; radius <= 600; ++radius) {
        for (int i = 0; i < HourMarkCount; ++i) {
            const TPoint p = RingPoint(0, 0, radius, i + 9, 12);
            ASSERT_EQ(-p.X, ShortcutProduct(radius, i, true, true)) << "radius " << radius << ", mark " << i;
            ASSERT_EQ(-p.Y, ShortcutProduct(radius, i, true, false)) << "radius " << radius << ", mark " << i;
        }
        for (int s = 0; s < SecondsDotCount; ++s) {
            const TPoint p = RingPoint(0, 0, radius, s + 15, 60);
            ASSERT_EQ(-p.X, ShortcutProduct(radius, s, false, true)) << "radius " << radius << ", dot " << s;
            ASSERT_EQ(-p.Y, ShortcutProduct(radius, s, false, false)) << "radius " << radius << ", dot " << s;
        }
    }
}

}  // namespace
