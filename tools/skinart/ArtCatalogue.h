// Every skin bitmap the program loads by name: its size, depth and pixels as
// the painters draw them, and its BMP file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace art {

struct ArtPicture {
    std::string Name;   // the BITMAP resource name, the file name without ".bmp"
    std::string Group;  // the style it belongs to, or "Shared"
    int Width = 0;
    int Height = 0;
    int Bits = 0;       // 4, 8 or 24
    std::vector<uint32_t> Pixels;  // 0x00RRGGBB, rows top-down, at most 2^Bits colours
};

// Draws every bitmap: those the built-in style table names for each style and
// those the controls load under fixed names. Sorted by name.
std::vector<ArtPicture> DrawSkinArt();

// The BMP file of a picture, as TBitmap writes it.
std::vector<uint8_t> BmpBytes(const ArtPicture& picture);

}  // namespace art
