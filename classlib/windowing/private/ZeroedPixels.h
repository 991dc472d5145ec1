// A pixel array that starts as zeros without writing them: large blocks come
// from the system already zeroed, so the pages of a screen-sized buffer that
// nothing draws on (most of a black screen) are never touched at all.
#pragma once

#include "classlib/windowing/private/Guard.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>

class TZeroedPixels {
public:
    TZeroedPixels() = default;
    ~TZeroedPixels() { std::free(FPixels); }
    TZeroedPixels(const TZeroedPixels&) = delete;
    TZeroedPixels& operator=(const TZeroedPixels&) = delete;
    TZeroedPixels(TZeroedPixels&& other) noexcept
        : FPixels(std::exchange(other.FPixels, nullptr)), FCount(std::exchange(other.FCount, 0)) {}
    TZeroedPixels& operator=(TZeroedPixels&& other) noexcept
    {
        std::swap(FPixels, other.FPixels);
        std::swap(FCount, other.FCount);
        return *this;
    }

    // count zeros in place of the old pixels; empty when memory runs out.
    void Reset(size_t count)
    {
        Clear();
        if (count == 0) return;
        FPixels = static_cast<uint32_t*>(std::calloc(count, sizeof(uint32_t)));
        FCount = FPixels ? count : 0;
    }
    void Clear()
    {
        std::free(FPixels);
        FPixels = nullptr;
        FCount = 0;
    }
    uint32_t* data() { return FPixels; }
    const uint32_t* data() const { return FPixels; }
    size_t size() const { return FCount; }
    bool empty() const { return FCount == 0; }

private:
    uint32_t* FPixels = nullptr;
    size_t FCount = 0;
};
