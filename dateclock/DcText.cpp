#include "dateclock/DcText.h"

unsigned char DcNextCharacter(const std::string& text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos++]);
    int continuation = lead >= 0xF0 && lead <= 0xF7 ? 3 : lead >= 0xE0 && lead <= 0xEF ? 2 : lead >= 0xC2 && lead <= 0xDF ? 1 : 0;
    while (continuation-- > 0 && pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
    return lead;
}

std::size_t DcCharacterCount(const std::string& text)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count) DcNextCharacter(text, pos);
    return count;
}
