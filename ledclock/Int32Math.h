// 32-bit signed arithmetic that wraps instead of overflowing. The clock's
// geometry is defined on 32-bit integers and its properties accept any value,
// so absurd sizes must give a (wrong-looking) picture, never undefined behaviour.
#pragma once

#include <cstdint>

// The low 32 bits of value, as a signed number.
constexpr int32_t Wrap32(int64_t value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

// Half of a value: divided by 2, the quotient truncated toward zero (half of -3 is -1).
constexpr int32_t Half(int32_t value)
{
    return value / 2;
}
