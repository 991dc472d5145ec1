// A small set of enumeration values held in the bits of an unsigned integer
// (value i is bit i), as the date clock's option and segment sets are stored.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

template <typename E, typename Bits>
class TDcSet {
    static_assert(std::is_enum_v<E> && std::is_unsigned_v<Bits>);

public:
    constexpr TDcSet() = default;
    constexpr TDcSet(std::initializer_list<E> items)
    {
        for (E e : items) FBits = static_cast<Bits>(FBits | Bit(e));
    }
    static constexpr TDcSet FromBits(Bits bits)
    {
        TDcSet s;
        s.FBits = bits;
        return s;
    }

    constexpr Bits ToBits() const { return FBits; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
    constexpr TDcSet& Include(E e)
    {
        FBits = static_cast<Bits>(FBits | Bit(e));
        return *this;
    }
    constexpr TDcSet& Exclude(E e)
    {
        FBits = static_cast<Bits>(FBits & ~Bit(e));
        return *this;
    }
    friend constexpr bool operator==(TDcSet, TDcSet) = default;

private:
    static constexpr Bits Bit(E e) { return static_cast<Bits>(Bits{1} << static_cast<unsigned>(e)); }
    Bits FBits = 0;
};
