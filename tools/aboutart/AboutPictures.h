// The About page's pictures: the 48 x 48 icon (an LED clock face on a dark
// rounded square) and the 275 x 67 banner (the name in LED dots over a row of
// glowing dots).
#pragma once

#include "tools/aboutart/ArtImage.h"

constexpr int IconSize = 48;
constexpr int BannerWidth = 275;
constexpr int BannerHeight = 67;

struct TIconArt {
    TArtImage Image{IconSize, IconSize};
    TCoverage Alpha{IconSize, IconSize};
};

TIconArt MakeAboutIcon();
TArtImage MakeAboutBanner();
