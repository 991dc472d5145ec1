// The segment pattern of every character code.
#include "dateclock/DcLED.h"

#include <array>

namespace {

struct TPattern {
    const char* Characters;
    uint16_t Mask;
};

// Letters are listed in both cases; "\\" is the backslash.
constexpr TPattern Patterns[] = {
    {"0", 0x1277}, {"1Ii", 0x0180}, {"2", 0x005D}, {"3", 0x006D}, {"4", 0x002E},
    {"5Ss", 0x006B}, {"6Gg", 0x007B}, {"7", 0x0025}, {"8", 0x007F}, {"9", 0x006F},
    {"Aa", 0x003F}, {"Bb", 0x01ED}, {"Cc[", 0x0053}, {"Dd", 0x01E5}, {"Ee", 0x005B},
    {"Ff", 0x001B}, {"Hh", 0x003E}, {"Jj", 0x0074}, {"Kk", 0x141A}, {"Ll", 0x0052},
    {"Mm", 0x0636}, {"Nn", 0x1236}, {"Oo", 0x0077}, {"Pp", 0x001F}, {"Qq", 0x1077},
    {"Rr", 0x101F}, {"Tt", 0x0181}, {"Uu", 0x0076}, {"Vv", 0x0C12}, {"Ww", 0x1836},
    {"Xx", 0x1E00}, {"Yy", 0x0700}, {"Zz", 0x0C41},
    {"-", 0x0008}, {"_", 0x0040}, {"=", 0x0048}, {"+", 0x0188}, {"*", 0x1F80},
    {"/", 0x0C00}, {"\\", 0x1200}, {"(<", 0x1400}, {")>", 0x0A00}, {"]", 0x0065},
    {".", 0x8000}, {":", 0xA000}, {"'", 0x0080}, {"\"", 0x0082},
};

constexpr std::array<uint16_t, 256> BuildTable()
{
    std::array<uint16_t, 256> table{};
    for (const TPattern& p : Patterns)
        for (const char* c = p.Characters; *c; ++c) table[static_cast<unsigned char>(*c)] = p.Mask;
    return table;
}

constexpr std::array<uint16_t, 256> Table = BuildTable();

} // namespace

TDcLEDSET CharLights(unsigned char ch)
{
    return TDcLEDSET::FromBits(Table[ch]);
}
