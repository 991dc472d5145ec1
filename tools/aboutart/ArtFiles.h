// The file formats the About pictures are kept in.
#pragma once

#include "classlib/graphics/Bitmap.h"
#include "tools/aboutart/ArtImage.h"

#include <cstdint>
#include <vector>

// A 32-bit BMP (version 5 header, bit fields with an alpha mask), bottom-up.
// The colour channels are stored as given; alpha holds the coverage.
std::vector<uint8_t> EncodeBmpWithAlpha(const TBitmap& colour, const TCoverage& alpha);
// A baseline JPEG without chroma subsampling: small red dots keep their colour
// to the edge instead of bleeding into the dark around them.
std::vector<uint8_t> EncodeJpeg444(const TBitmap& picture, int quality);
