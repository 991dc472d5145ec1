// Reducing a picture to the colours a 4- or 8-bit palette holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace art {

// Leaves at most `limit` colours in pixels (0x00RRGGBB). Pixels of magenta and of
// the `exact` colours keep them; every other colour is replaced by the nearest
// of a palette found by median cut and refined by k-means, never by magenta.
// Pictures that fit already are left alone.
void Quantise(std::vector<uint32_t>& pixels, size_t limit, const std::vector<uint32_t>& exact = {});

size_t CountColours(const std::vector<uint32_t>& pixels);

}  // namespace art
